#include "archive/module_resource.h"

#include <zlib.h>

#include <memory>
#include <span>

#include "support/resource_file.h"
#include "support/scoped_handle.h"

namespace vireo {
namespace {

constexpr unsigned char kGzipSignature[] = {0x1f, 0x8b};
constexpr DWORD kChunkBytes = 256 * 1024;

// zlib's stream state, ended on every way out.
class GzipInflater {
 public:
  GzipInflater() { ok_ = inflateInit2(&stream_, 16 + MAX_WBITS) == Z_OK; }  // 16: gzip wrapper only
  ~GzipInflater() {
    if (ok_) inflateEnd(&stream_);
  }
  GzipInflater(const GzipInflater&) = delete;
  GzipInflater& operator=(const GzipInflater&) = delete;

  // Inflates |data| into |out| piece by piece. zlib checks the trailer's CRC and length.
  bool InflateTo(std::span<const unsigned char> data, HANDLE out) {
    if (!ok_) return false;
    auto buffer = std::make_unique<unsigned char[]>(kChunkBytes);
    stream_.next_in = const_cast<unsigned char*>(data.data());  // zlib's API is not const-correct
    stream_.avail_in = static_cast<uInt>(data.size());
    unsigned long long total = 0;
    int status = Z_OK;
    while (status != Z_STREAM_END) {
      stream_.next_out = buffer.get();
      stream_.avail_out = kChunkBytes;
      status = inflate(&stream_, Z_NO_FLUSH);
      // Corrupt data, or the input ran out before the end (zlib answers Z_BUF_ERROR).
      if (status != Z_OK && status != Z_STREAM_END) return false;
      const DWORD produced = kChunkBytes - stream_.avail_out;
      total += produced;
      if (total > kMaxInflatedModuleBytes) return false;
      DWORD written = 0;
      if (produced && (!::WriteFile(out, buffer.get(), produced, &written, nullptr) || written != produced)) {
        return false;
      }
    }
    return stream_.avail_in == 0;  // a second member or trailing bytes are not a module
  }

 private:
  z_stream stream_{};
  bool ok_ = false;
};

}  // namespace

bool WriteModuleResource(HMODULE module, const wchar_t* file, const wchar_t* type, const wchar_t* name) {
  const std::span<const unsigned char> bytes = FindResourceBytes(module, type, name);
  if (!bytes.data() || !file) return false;
  if (bytes.size() < sizeof(kGzipSignature) || bytes[0] != kGzipSignature[0] || bytes[1] != kGzipSignature[1]) {
    return WriteBytesToFile(file, bytes);
  }
  ScopedFile out(::CreateFileW(file, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!out) return false;
  GzipInflater inflater;
  return inflater.InflateTo(bytes, out.get());
}

}  // namespace vireo
