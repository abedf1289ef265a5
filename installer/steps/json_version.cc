#include "installer/steps/json_version.h"

#include <json/json.h>

#include <cstdio>
#include <memory>
#include <string>

#include "installer/steps/version_folder.h"

namespace vireo {
namespace {

// Records are a few hundred bytes; anything far larger is not one, and reading it whole
// could exhaust memory.
constexpr long long kMaxRecordBytes = 16ll * 1024 * 1024;

struct FileCloser {
  void operator()(FILE* f) const { std::fclose(f); }
};

bool ReadWholeFile(const wchar_t* path, std::string* bytes) {
  std::unique_ptr<FILE, FileCloser> f(::_wfopen(path, L"rb"));
  if (!f) return false;
  if (::_fseeki64(f.get(), 0, SEEK_END) != 0) return false;
  const long long size = ::_ftelli64(f.get());
  if (size <= 0 || size > kMaxRecordBytes) return false;
  if (::_fseeki64(f.get(), 0, SEEK_SET) != 0) return false;
  bytes->resize(static_cast<size_t>(size));
  return std::fread(bytes->data(), 1, bytes->size(), f.get()) == bytes->size();
}

}  // namespace

bool ReadJsonVersion(const wchar_t* file, wchar_t* out) {
  if (!file || !*file || !out) return false;
  std::string bytes;
  if (!ReadWholeFile(file, &bytes)) return false;

  Json::CharReaderBuilder builder;
  builder["allowComments"] = true;
  builder["collectComments"] = false;
  const std::unique_ptr<Json::CharReader> reader(builder.newCharReader());
  Json::Value root;
  std::string errors;
  if (!reader->parse(bytes.data(), bytes.data() + bytes.size(), &root, &errors)) return false;
  if (!root.isObject()) return false;
  const Json::Value* version = root.find("version", "version" + 7);
  if (!version || !version->isString()) return false;

  const std::string text = version->asString();
  if (text.empty() || text.size() >= static_cast<size_t>(kJsonVersionChars)) return false;
  size_t i = 0;
  for (; i < text.size(); ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (c >= 0x80) {
      out[i] = L'\0';
      return false;
    }
    out[i] = static_cast<wchar_t>(c);
  }
  out[i] = L'\0';
  // The whole copied text must match (an embedded null must not hide a tail).
  return IsVersionFolderName(std::wstring_view(out, i));
}

}  // namespace vireo
