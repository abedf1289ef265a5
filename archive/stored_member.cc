#include "archive/stored_member.h"

#include <windows.h>

#include <cstdint>
#include <cstring>
#include <string>

#include "archive/archive_plugin.h"
#include "archive/memory_in_stream.h"
#include "archive/unzip_open_callback.h"
#include "support/scoped_com.h"

namespace vireo {
namespace {

constexpr unsigned char kSignature[] = {'7', 'z', 0xBC, 0xAF, 0x27, 0x1C};
constexpr size_t kPackedLengthOffset = 12;  // "next header offset": all packed data before it

uint64_t ReadLittleEndian64(const unsigned char* p) {
  uint64_t value = 0;
  for (int i = 7; i >= 0; --i) value = (value << 8) | p[i];
  return value;
}

// A PROPVARIANT cleared when it goes.
struct ItemProperty {
  PROPVARIANT value;
  ItemProperty() { ::PropVariantInit(&value); }
  ~ItemProperty() { ::PropVariantClear(&value); }
  ItemProperty(const ItemProperty&) = delete;
  ItemProperty& operator=(const ItemProperty&) = delete;
};

bool ReadSize(IInArchive* archive, PROPID id, uint64_t* out) {
  ItemProperty p;
  if (FAILED(archive->GetProperty(0, id, &p.value))) return false;
  switch (p.value.vt) {
    case VT_UI8: *out = p.value.uhVal.QuadPart; return true;
    case VT_UI4: *out = p.value.ulVal; return true;
    default: return false;
  }
}

bool ReadName(IInArchive* archive, std::wstring* out) {
  ItemProperty p;
  if (FAILED(archive->GetProperty(0, kItemPropPath, &p.value)) || p.value.vt != VT_BSTR || !p.value.bstrVal) {
    return false;
  }
  out->assign(p.value.bstrVal, ::SysStringLen(p.value.bstrVal));
  return true;
}

// The size of the one item named |name| in |package|, as the module sees it; false for
// anything else.
bool OnlyItemSize(std::span<const unsigned char> package, const wchar_t* name, uint64_t* size, uint64_t* packed) {
  const CreateObjectFunc create = GetArchiveCreateEntry();
  if (!create) return false;
  ScopedComApartment com;  // first, so every object below is released inside it
  ScopedComPtr<IInArchive> handler;
  if (FAILED(create(&kClsid7zHandler, &kIidInArchive, handler.receive_void())) || !handler) return false;
  ScopedComPtr<CMemoryInStream> stream(new CMemoryInStream(package));
  ScopedComPtr<CUnzipOpenCallback> open_callback(new CUnzipOpenCallback());
  if (handler->Open(stream.get(), nullptr, open_callback.get()) != S_OK) return false;
  UINT32 count = 0;
  std::wstring item;
  const bool ok = SUCCEEDED(handler->GetNumberOfItems(&count)) && count == 1 && ReadName(handler.get(), &item) &&
                  item == name && ReadSize(handler.get(), kItemPropSize, size) &&
                  ReadSize(handler.get(), kItemPropPackedSize, packed);
  handler->Close();
  return ok;
}

}  // namespace

std::span<const unsigned char> FindStoredMember(std::span<const unsigned char> package, const wchar_t* name) {
  if (!name || package.size() < kSevenZipSignatureHeaderSize ||
      std::memcmp(package.data(), kSignature, sizeof(kSignature)) != 0) {
    return {};
  }
  const uint64_t packed_length = ReadLittleEndian64(package.data() + kPackedLengthOffset);
  if (packed_length > package.size() - kSevenZipSignatureHeaderSize) return {};
  uint64_t size = 0;
  uint64_t packed = 0;
  if (!OnlyItemSize(package, name, &size, &packed) || size != packed || size != packed_length) return {};
  return package.subspan(kSevenZipSignatureHeaderSize, static_cast<size_t>(size));
}

}  // namespace vireo
