#include "ui/markup/png_decoder.h"

#include <zlib.h>

#include <cstdlib>
#include <cstring>
#include <string_view>
#include <vector>

namespace ui {
namespace {

constexpr uint8_t kSignature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
constexpr uint8_t kColourRgb = 2;
constexpr uint8_t kColourRgba = 6;
// Chunks GDI+ would apply to the colours; a file with one goes to GDI+.
constexpr std::string_view kColourChunks[] = {"gAMA", "cHRM", "sRGB", "iCCP", "sBIT", "tRNS"};

uint32_t Big32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) << 24 | static_cast<uint32_t>(p[1]) << 16 | static_cast<uint32_t>(p[2]) << 8 | p[3];
}

struct Header {
  uint32_t width = 0;
  uint32_t height = 0;
  size_t channels = 0;  // 3 or 4 bytes a pixel
};

// The IHDR fields this decoder handles (PD1), else false.
bool ReadHeader(const uint8_t* data, uint32_t length, Header* header) {
  if (length != 13) return false;
  header->width = Big32(data);
  header->height = Big32(data + 4);
  const uint8_t depth = data[8], colour = data[9], method = data[10], filter = data[11], interlace = data[12];
  if (depth != 8 || method != 0 || filter != 0 || interlace != 0) return false;
  if (colour != kColourRgb && colour != kColourRgba) return false;
  header->channels = colour == kColourRgba ? 4 : 3;
  return header->width > 0 && header->height > 0 && header->width <= kPlainPngMaxSide &&
         header->height <= kPlainPngMaxSide;
}

// Walks the chunks: the header and the joined IDAT data, or false for anything PD1 excludes.
bool ReadChunks(const uint8_t* bytes, size_t size, Header* header, std::vector<uint8_t>* packed) {
  if (size < sizeof(kSignature) || std::memcmp(bytes, kSignature, sizeof(kSignature)) != 0) return false;
  size_t at = sizeof(kSignature);
  bool have_header = false, data_ended = false;
  while (size - at >= 12) {
    const uint32_t length = Big32(bytes + at);
    if (length > size - at - 12) return false;
    const uint8_t* type = bytes + at + 4;
    const uint8_t* data = type + 4;
    if (Big32(data + length) != crc32(crc32(0, nullptr, 0), type, length + 4)) return false;
    const std::string_view name(reinterpret_cast<const char*>(type), 4);
    at += size_t{length} + 12;
    if (name == "IHDR") {
      if (have_header || !ReadHeader(data, length, header)) return false;
      have_header = true;
    } else if (name == "IDAT") {
      if (!have_header || data_ended) return false;
      packed->insert(packed->end(), data, data + length);
    } else if (name == "IEND") {
      return have_header && !packed->empty();
    } else {
      if (!packed->empty()) data_ended = true;
      // Upper-case first letter: a critical chunk this decoder does not know (PLTE and others).
      if ((type[0] & 0x20) == 0) return false;
      for (std::string_view colours : kColourChunks) {
        if (name == colours) return false;
      }
    }
  }
  return false;  // no IEND
}

uint8_t Paeth(int a, int b, int c) {
  const int p = a + b - c;
  const int pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
  if (pa <= pb && pa <= pc) return static_cast<uint8_t>(a);
  return static_cast<uint8_t>(pb <= pc ? b : c);
}

// Undoes one row's filter in place; |previous| is the row above, already unfiltered (zeros
// for the first row). False for an unknown filter type.
bool Unfilter(uint8_t type, uint8_t* row, const uint8_t* previous, size_t length, size_t pixel) {
  switch (type) {
    case 0:
      return true;
    case 1:
      for (size_t i = pixel; i < length; ++i) row[i] = static_cast<uint8_t>(row[i] + row[i - pixel]);
      return true;
    case 2:
      for (size_t i = 0; i < length; ++i) row[i] = static_cast<uint8_t>(row[i] + previous[i]);
      return true;
    case 3:
      for (size_t i = 0; i < pixel; ++i) row[i] = static_cast<uint8_t>(row[i] + previous[i] / 2);
      for (size_t i = pixel; i < length; ++i) row[i] = static_cast<uint8_t>(row[i] + (row[i - pixel] + previous[i]) / 2);
      return true;
    case 4:
      for (size_t i = 0; i < pixel; ++i) row[i] = static_cast<uint8_t>(row[i] + previous[i]);
      for (size_t i = pixel; i < length; ++i) {
        row[i] = static_cast<uint8_t>(row[i] + Paeth(row[i - pixel], previous[i], previous[i - pixel]));
      }
      return true;
    default:
      return false;
  }
}

// zlib's inflate over the joined IDAT data, handing out exactly the bytes asked for.
class Inflater {
 public:
  explicit Inflater(std::vector<uint8_t>& packed) {
    stream_.next_in = packed.data();
    stream_.avail_in = static_cast<uInt>(packed.size());
    ok_ = inflateInit(&stream_) == Z_OK;
  }
  Inflater(const Inflater&) = delete;
  Inflater& operator=(const Inflater&) = delete;
  ~Inflater() {
    if (ok_) inflateEnd(&stream_);
  }
  bool ok() const { return ok_; }

  // Fills |size| bytes; false when the data ends (or breaks) before.
  bool Next(uint8_t* out, size_t size) {
    stream_.next_out = out;
    stream_.avail_out = static_cast<uInt>(size);
    while (stream_.avail_out > 0) {
      const int result = inflate(&stream_, Z_NO_FLUSH);
      if (result == Z_STREAM_END) return stream_.avail_out == 0;
      if (result != Z_OK) return false;
    }
    return true;
  }
  // Whether the data ends here, with its checksum right and nothing after the last row.
  bool Ended() {
    uint8_t extra = 0;
    stream_.next_out = &extra;
    stream_.avail_out = 1;
    return inflate(&stream_, Z_FINISH) == Z_STREAM_END && stream_.avail_out == 1;
  }

 private:
  z_stream stream_{};
  bool ok_ = false;
};

}  // namespace

std::shared_ptr<DecodedImage> DecodePlainPng(const uint8_t* bytes, size_t size, const std::wstring& path) {
  if (bytes == nullptr) return nullptr;
  Header header;
  std::vector<uint8_t> packed;
  if (!ReadChunks(bytes, size, &header, &packed)) return nullptr;

  auto image = std::make_shared<DecodedImage>();
  image->width = static_cast<int>(header.width);
  image->height = static_cast<int>(header.height);
  image->path = path;
  image->frames.resize(1);
  if (!AllocateFrame(image->width, image->height, &image->frames[0])) return nullptr;

  // Row by row through two row buffers: the whole filtered image is never held at once.
  Inflater inflater(packed);
  if (!inflater.ok()) return nullptr;
  const size_t row_length = header.width * header.channels;
  std::vector<uint8_t> row(row_length + 1), above(row_length + 1, 0);
  uint32_t all_alpha = 0xFF;
  for (uint32_t y = 0; y < header.height; ++y) {
    if (!inflater.Next(row.data(), row.size())) return nullptr;
    uint8_t* samples = row.data() + 1;
    if (!Unfilter(row[0], samples, above.data() + 1, row_length, header.channels)) return nullptr;
    uint32_t* out = image->frames[0].pixels + static_cast<size_t>(y) * header.width;
    for (uint32_t x = 0; x < header.width; ++x) {
      const uint8_t* s = samples + x * header.channels;
      const uint32_t alpha = header.channels == 4 ? s[3] : 0xFF;
      out[x] = PremultiplyArgb(alpha << 24 | static_cast<uint32_t>(s[0]) << 16 | static_cast<uint32_t>(s[1]) << 8 | s[2]);
      all_alpha &= alpha;
    }
    row.swap(above);
  }
  if (!inflater.Ended()) return nullptr;
  image->has_alpha = all_alpha != 0xFF;
  return image;
}

}  // namespace ui
