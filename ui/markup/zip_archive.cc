#include "ui/markup/zip_archive.h"

#include "ui/markup/skin_path.h"
#include "ui/markup/text_encoding.h"
#include "ui/markup/zip_format.h"

namespace ui {
namespace {

// Where the end record starts, or |size| when there is none (ZA1).
size_t FindEndRecord(const uint8_t* data, size_t size) {
  if (size < zip::kEndRecordSize) return size;
  const size_t last = size - zip::kEndRecordSize;
  const size_t first = last > zip::kMaxComment ? last - zip::kMaxComment : 0;
  for (size_t pos = last + 1; pos-- > first;) {
    if (zip::Read32(data + pos) != zip::kEndSignature) continue;
    const size_t comment = zip::Read16(data + pos + 20);
    if (comment <= size - pos - zip::kEndRecordSize) return pos;
  }
  return size;
}

}  // namespace

bool ZipArchive::Open(const uint8_t* data, size_t size, std::string_view password) {
  Close();
  if (data == nullptr) return false;
  data_ = data;
  size_ = size;
  password_ = std::string(password);
  const size_t end_record = FindEndRecord(data, size);
  if (end_record == size || !ReadDirectory(end_record)) {
    Close();
    return false;
  }
  return true;
}

void ZipArchive::Close() {
  data_ = nullptr;
  size_ = 0;
  password_.clear();
  entries_.clear();
  index_.clear();
}

bool ZipArchive::ReadDirectory(size_t end_record) {
  const uint8_t* end = data_ + end_record;
  const uint32_t disk = zip::Read16(end + 4);
  const uint32_t directory_disk = zip::Read16(end + 6);
  const uint32_t count_here = zip::Read16(end + 8);
  const uint32_t count = zip::Read16(end + 10);
  const uint64_t directory_size = zip::Read32(end + 12);
  const uint64_t directory_offset = zip::Read32(end + 16);
  if (disk != 0 || directory_disk != 0 || count_here != count) return false;
  if (count == 0xFFFF || directory_size == 0xFFFFFFFFu || directory_offset == 0xFFFFFFFFu) return false;
  if (directory_offset + directory_size > end_record) return false;
  if (uint64_t{count} * zip::kCentralHeaderSize > directory_size) return false;

  entries_.reserve(count);
  size_t pos = static_cast<size_t>(directory_offset);
  const size_t directory_end = static_cast<size_t>(directory_offset + directory_size);
  for (uint32_t i = 0; i < count; ++i) {
    if (directory_end - pos < zip::kCentralHeaderSize) return false;
    const uint8_t* header = data_ + pos;
    if (zip::Read32(header) != zip::kCentralSignature) return false;
    const size_t name_size = zip::Read16(header + 28);
    const size_t variable = name_size + zip::Read16(header + 30) + zip::Read16(header + 32);
    if (directory_end - pos - zip::kCentralHeaderSize < variable) return false;
    ZipEntry entry;
    entry.flags = zip::Read16(header + 8);
    entry.method = zip::Read16(header + 10);
    entry.mod_time = zip::Read16(header + 12);
    entry.crc32 = zip::Read32(header + 16);
    entry.compressed_size = zip::Read32(header + 20);
    entry.uncompressed_size = zip::Read32(header + 24);
    entry.local_header_offset = zip::Read32(header + 42);
    entry.name = StripArchiveEntryName(
        std::string_view(reinterpret_cast<const char*>(header + zip::kCentralHeaderSize), name_size));
    pos += zip::kCentralHeaderSize + variable;
    if (entry.name.empty() || entry.name.back() == '/') continue;
    index_.emplace(AsciiLowered(entry.name), entries_.size());
    entries_.push_back(std::move(entry));
  }
  return true;
}

const ZipEntry* ZipArchive::Find(std::string_view utf8_name) const {
  const auto it = index_.find(AsciiLowered(utf8_name));
  return it == index_.end() ? nullptr : &entries_[it->second];
}

}  // namespace ui
