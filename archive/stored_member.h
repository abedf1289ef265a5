// The one file of a package that holds it uncompressed, found in place.
//
// The installer's package resource is a 7z archive of exactly one file stored as is
// ("chrome.7z", itself the compressed program archive). Such a file's bytes lie whole inside
// the package, right after the 32-byte signature header, so they can be extracted from
// there: the package is never written to a temporary file nor unpacked into a folder.
#pragma once

#include <span>

namespace vireo {

// The size of a 7z archive's signature header; stored data begins right behind it.
inline constexpr size_t kSevenZipSignatureHeaderSize = 32;

// The bytes of the member |name| inside |package|, a view into it. Empty unless |package|
// starts with the 7z signature and the loaded module (archive_plugin.h; none loaded: empty)
// opens it as a 7z archive of exactly one item, a file named exactly |name| whose size
// equals its packed size and the packed data's length in the signature header (so the
// member is stored as is and is the archive's only data), lying wholly inside |package|.
// A truncated, damaged or differently packed package gives empty: the caller refuses it.
std::span<const unsigned char> FindStoredMember(std::span<const unsigned char> package, const wchar_t* name);

}  // namespace vireo
