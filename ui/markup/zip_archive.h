// A ZIP archive read in place from memory: the bytes are neither copied nor owned and must
// outlive the archive (the installer's skin is a resource of its own executable).
//
// Rules:
//  ZA1. Open() takes the last end-of-central-directory record in the final 22 + 65,535 bytes
//      whose comment ends inside the buffer, then walks the central directory. It refuses,
//      leaving the archive closed: no such record; a split archive; ZIP64 markers; a central
//      directory that does not lie between the start of the buffer and the end record; more
//      entries than its size can hold; a truncated or mis-signed central header.
//  ZA2. Names are read as UTF-8. "\" counts as "/"; leading "/" and leading components that
//      contain ".." are stripped from the reported name. An entry left with an empty name,
//      or with a name ending in "/" (a folder), is not listed.
//  ZA3. Find() compares names with only A-Z folded; of several equal names the first wins.
//  ZA4. Extract() yields one block of exactly the entry's uncompressed size, or an invalid
//      block on any failure: a local header outside the buffer or mis-signed; data outside
//      the buffer; a method other than stored (0) and deflate (8); strong encryption; an
//      uncompressed size above kMaxEntrySize or more than deflate can make of the compressed
//      size (both checked before allocating); a stored entry whose sizes differ; a deflate
//      stream that is corrupt, ends early or would produce more than declared; a wrong
//      password; a CRC-32 that does not match.
//  ZA5. Entries flagged as encrypted are decrypted with the traditional cipher keyed by the
//      password given to Open(). The header's check byte turns away most wrong passwords,
//      the CRC-32 the rest.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "ui/markup/byte_block.h"

namespace ui {

struct ZipEntry {
  std::string name;  // UTF-8, as reported (ZA2)
  uint16_t flags = 0;
  uint16_t method = 0;
  uint16_t mod_time = 0;
  uint32_t crc32 = 0;
  uint32_t compressed_size = 0;
  uint32_t uncompressed_size = 0;
  uint32_t local_header_offset = 0;
};

class ZipArchive {
 public:
  // Larger entries are refused before anything is allocated (ZA4); a skin's largest file, a
  // background image, is a few hundred KiB.
  static constexpr uint32_t kMaxEntrySize = 64u * 1024 * 1024;

  ZipArchive() = default;
  ZipArchive(const ZipArchive&) = delete;
  ZipArchive& operator=(const ZipArchive&) = delete;

  // Reads the directory of |size| bytes at |data| (ZA1); replaces whatever was open before.
  bool Open(const uint8_t* data, size_t size, std::string_view password);
  void Close();
  bool is_open() const { return data_ != nullptr; }

  const std::vector<ZipEntry>& entries() const { return entries_; }
  // The entry named |utf8_name| (ZA3), or null.
  const ZipEntry* Find(std::string_view utf8_name) const;
  // The entry's contents (ZA4, ZA5).
  ByteBlock Extract(const ZipEntry& entry) const;

 private:
  bool ReadDirectory(size_t end_record);
  bool ReadEntryData(const ZipEntry& entry, const uint8_t** data, size_t* size) const;

  const uint8_t* data_ = nullptr;
  size_t size_ = 0;
  std::string password_;
  std::vector<ZipEntry> entries_;
  std::unordered_map<std::string, size_t> index_;  // folded name -> entry
};

}  // namespace ui
