// Extraction of one entry of a ZipArchive (rules ZA4 and ZA5 of zip_archive.h).
#include <algorithm>
#include <cstring>

#define ZLIB_CONST
#include <zlib.h>

#include "ui/markup/zip_archive.h"
#include "ui/markup/zip_cipher.h"
#include "ui/markup/zip_format.h"

namespace ui {
namespace {

constexpr size_t kInputChunk = 16 * 1024;

// Feeds the (possibly encrypted) compressed bytes to zlib's raw inflate and fills |out|
// exactly; false when the stream is corrupt, ends early or holds more than |out| can take.
class Inflater {
 public:
  Inflater() { ok_ = inflateInit2(&stream_, -MAX_WBITS) == Z_OK; }
  ~Inflater() {
    if (ok_) inflateEnd(&stream_);
  }
  Inflater(const Inflater&) = delete;
  Inflater& operator=(const Inflater&) = delete;

  bool Run(const uint8_t* in, size_t in_size, ZipCipher* cipher, ByteBlock* out) {
    if (!ok_) return false;
    uint8_t chunk[kInputChunk];
    uint8_t spare = 0;  // catches output beyond the declared size
    stream_.next_out = out->data();
    stream_.avail_out = static_cast<uInt>(out->size());
    bool into_spare = false;
    for (;;) {
      if (stream_.avail_in == 0 && in_size > 0) {
        const size_t take = std::min(in_size, kInputChunk);
        std::memcpy(chunk, in, take);
        if (cipher) cipher->Decrypt(chunk, take);
        in += take;
        in_size -= take;
        stream_.next_in = chunk;
        stream_.avail_in = static_cast<uInt>(take);
      }
      if (stream_.avail_out == 0 && !into_spare) {
        stream_.next_out = &spare;
        stream_.avail_out = 1;
        into_spare = true;
      }
      const int result = inflate(&stream_, Z_NO_FLUSH);
      if (into_spare && stream_.avail_out == 0) return false;  // more than declared
      if (result == Z_STREAM_END) return stream_.total_out == out->size();
      if (result == Z_BUF_ERROR && stream_.avail_in == 0 && in_size == 0) return false;  // ended early
      if (result != Z_OK && result != Z_BUF_ERROR) return false;
    }
  }

 private:
  z_stream stream_{};
  bool ok_ = false;
};

bool CheckSizes(const ZipEntry& entry, size_t packed_size) {
  if (entry.uncompressed_size > ZipArchive::kMaxEntrySize) return false;
  if (entry.method == zip::kMethodStored) return packed_size == entry.uncompressed_size;
  if (entry.method != zip::kMethodDeflate) return false;
  return entry.uncompressed_size <= packed_size * zip::kMaxDeflateRatio + 1024;
}

}  // namespace

bool ZipArchive::ReadEntryData(const ZipEntry& entry, const uint8_t** data, size_t* size) const {
  const uint64_t offset = entry.local_header_offset;
  if (offset > size_ || size_ - offset < zip::kLocalHeaderSize) return false;
  const uint8_t* header = data_ + offset;
  if (zip::Read32(header) != zip::kLocalSignature) return false;
  const uint64_t start = offset + zip::kLocalHeaderSize + zip::Read16(header + 26) + zip::Read16(header + 28);
  if (start > size_ || size_ - start < entry.compressed_size) return false;
  *data = data_ + start;
  *size = entry.compressed_size;
  return true;
}

ByteBlock ZipArchive::Extract(const ZipEntry& entry) const {
  if (!is_open() || (entry.flags & zip::kFlagStrongEncryption)) return {};
  const uint8_t* packed = nullptr;
  size_t packed_size = 0;
  if (!ReadEntryData(entry, &packed, &packed_size)) return {};

  const bool encrypted = entry.flags & zip::kFlagEncrypted;
  ZipCipher cipher(password_);
  if (encrypted) {
    if (packed_size < ZipCipher::kHeaderSize) return {};
    uint8_t header[ZipCipher::kHeaderSize];
    std::memcpy(header, packed, sizeof(header));
    cipher.Decrypt(header, sizeof(header));
    const uint32_t check = (entry.flags & zip::kFlagDataDescriptor) ? entry.mod_time >> 8 : entry.crc32 >> 24;
    if (header[ZipCipher::kHeaderSize - 1] != (check & 0xFF)) return {};
    packed += ZipCipher::kHeaderSize;
    packed_size -= ZipCipher::kHeaderSize;
  }
  if (!CheckSizes(entry, packed_size)) return {};

  ByteBlock out = ByteBlock::Allocate(entry.uncompressed_size);
  if (!out) return {};
  if (entry.method == zip::kMethodStored) {
    if (packed_size > 0) std::memcpy(out.data(), packed, packed_size);
    if (encrypted) cipher.Decrypt(out.data(), out.size());
  } else {
    Inflater inflater;
    if (!inflater.Run(packed, packed_size, encrypted ? &cipher : nullptr, &out)) return {};
  }
  const uInt length = static_cast<uInt>(out.size());
  if (crc32(crc32(0L, Z_NULL, 0), out.data(), length) != entry.crc32) return {};
  return out;
}

}  // namespace ui
