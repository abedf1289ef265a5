// Builds small zip archives in memory with members stored uncompressed and names exactly as
// given, so tests can hand the extractor names that no archiver would write ("../x",
// "C:/x", an empty name).
#pragma once

#include <string>
#include <vector>

namespace vireo::test {

struct ZipMember {
  std::string name;  // UTF-8, stored verbatim; a trailing "/" makes a directory entry
  std::string data;
};

// The complete archive (local headers, data, central directory, end record).
std::string MakeStoredZip(const std::vector<ZipMember>& members);

}  // namespace vireo::test
