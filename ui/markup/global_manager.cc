#include "ui/markup/global_manager.h"

#include "support/scoped_gdiplus.h"
#include "ui/markup/file_bytes.h"
#include "ui/markup/global_builder.h"
#include "ui/markup/image_decoder.h"
#include "ui/markup/skin_path.h"
#include "ui/markup/text_encoding.h"

namespace ui {
namespace {

// Skin files read from disk are bounded like XML files: a skin holds nothing larger.
constexpr size_t kMaxDiskFile = ZipArchive::kMaxEntrySize;

// GM4: the archive member's |bytes| (named |full|), else the file at |key| on disk.
std::shared_ptr<DecodedImage> DecodeSkinImage(const ByteBlock& bytes, const std::wstring& full,
                                              const std::wstring& key) {
  if (bytes) {
    if (auto image = DecodeImageBytes(bytes.data(), bytes.size(), full)) return image;
  }
  return DecodeImageFile(key);
}

}  // namespace

GlobalManager& GlobalManager::Get() {
  static GlobalManager instance;
  return instance;
}

void GlobalManager::SetResourcePath(std::wstring_view path) { resource_path_ = WithTrailingSlash(path); }

bool GlobalManager::OpenArchiveFromResource(HMODULE module, const wchar_t* name, const wchar_t* type,
                                            std::string_view password) {
  archive_.Close();
  HRSRC resource = ::FindResourceW(module, name, type);
  if (resource == nullptr) return false;
  const DWORD size = ::SizeofResource(module, resource);
  HGLOBAL loaded = ::LoadResource(module, resource);
  const void* bytes = loaded ? ::LockResource(loaded) : nullptr;
  if (bytes == nullptr || size == 0) return false;
  return OpenArchive(static_cast<const uint8_t*>(bytes), size, password);
}

bool GlobalManager::OpenArchive(const uint8_t* data, size_t size, std::string_view password) {
  return archive_.Open(data, size, password);
}

ByteBlock GlobalManager::ReadArchiveFile(std::wstring_view path) const {
  if (!archive_mode()) return {};
  const std::optional<std::wstring> name = NormalizeArchivePath(path);
  if (!name) return {};
  const ZipEntry* entry = archive_.Find(WideToUtf8(*name));
  return entry ? archive_.Extract(*entry) : ByteBlock();
}

ByteBlock GlobalManager::ReadSkinFile(std::wstring_view path) const {
  const std::wstring full = ResolveSkinPath(resource_path_, L"", path);
  if (ByteBlock bytes = ReadArchiveFile(full)) return bytes;
  ByteBlock bytes;
  ReadFileBytes(ToDiskPath(full).c_str(), kMaxDiskFile, &bytes);
  return bytes;
}

bool GlobalManager::LoadSkinDocument(std::wstring_view path, XmlDocument* doc) const {
  if (!path.empty() && path.front() == L'<') return doc->Parse(std::wstring(path));
  const std::wstring full = ResolveSkinPath(resource_path_, L"", path);
  if (ByteBlock bytes = ReadArchiveFile(full)) return doc->LoadBytes(bytes.data(), bytes.size());
  return doc->LoadFile(ToDiskPath(full).c_str());
}

bool GlobalManager::BuildGlobalFile(std::wstring_view path) {
  XmlDocument doc;
  if (!LoadSkinDocument(path, &doc)) return false;
  return BuildGlobal(doc.root(), dpi_, &definitions_);
}

void GlobalManager::LoadStringTable(std::wstring_view language_path) {
  strings_.Clear();
  const std::wstring path = WithTrailingSlash(language_path) + StringTable::kFileName;
  const ByteBlock bytes = ReadSkinFile(path);
  if (bytes) strings_.Load(DecodeText(bytes.data(), bytes.size(), TextEncoding::kUtf8));
}

std::wstring GlobalManager::ResolveImagePath(std::wstring_view file, std::wstring_view window_path) const {
  const std::wstring disk = ToDiskPath(ResolveSkinPath(resource_path_, window_path, file));
  if (dpi_.aware() && dpi_.percent() > 150) {
    const std::wstring variant = HighDpiVariant(disk);
    if (!variant.empty() && ::GetFileAttributesW(variant.c_str()) != INVALID_FILE_ATTRIBUTES) return variant;
  }
  return disk;
}

std::shared_ptr<DecodedImage> GlobalManager::GetImage(std::wstring_view file, std::wstring_view window_path) {
  const std::wstring key = ResolveImagePath(file, window_path);
  const std::wstring full = ResolveSkinPath(resource_path_, window_path, file);
  return images_.Get(key, [&] { return DecodeSkinImage(ReadArchiveFile(full), full, key); });
}

bool GlobalManager::PrefetchImage(std::wstring_view file, std::wstring_view window_path) {
  const std::wstring key = ResolveImagePath(file, window_path);
  if (!images_.Wants(key)) return false;
  const std::wstring full = ResolveSkinPath(resource_path_, window_path, file);
  // The loader owns what it reads: the archive and the manager stay on this thread.
  auto bytes = std::make_shared<const ByteBlock>(ReadArchiveFile(full));
  return images_.Prefetch(key, [bytes, full, key] {
    const vireo::ScopedGdiplus gdiplus;
    return DecodeSkinImage(*bytes, full, key);
  });
}

}  // namespace ui
