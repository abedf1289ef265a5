// Builds small zip archives in memory with names exactly as given, so tests can hand a
// reader names that no archiver would write ("../x", "C:/x", an empty name). Members are
// stored, or deflated from a stream the caller made, and may be encrypted with the
// traditional cipher (this writer's own implementation, independent of any reader's).
#pragma once

#include <string>
#include <vector>

namespace vireo::test {

struct ZipMember {
  std::string name;  // UTF-8, stored verbatim; a trailing "/" makes a directory entry
  std::string data;  // the content; its CRC-32 and size go into the headers
  // When not empty the member is deflated (method 8) and this is its raw deflate stream,
  // made by the caller; otherwise |data| is stored.
  std::string deflated{};
  // When not empty the member is encrypted with the traditional cipher under this password.
  std::string password{};
};

// The complete archive (local headers, data, central directory, end record).
std::string MakeZip(const std::vector<ZipMember>& members);

// The same, for members that are stored and not encrypted.
inline std::string MakeStoredZip(const std::vector<ZipMember>& members) { return MakeZip(members); }

}  // namespace vireo::test
