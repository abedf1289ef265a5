// Reading the "version" member of a component's JSON record ("manifest.json",
// "installed.json").
#pragma once

namespace vireo {

inline constexpr int kJsonVersionChars = 64;  // buffer size, terminator included

// Reads |file| (JSON, comments allowed) and copies its string member "version" into |out|,
// a zeroed buffer of 64 wide characters. True only when the text is 1 to 63 ASCII bytes
// forming a version folder name (four dotted numbers).
//
// False for null/empty arguments, a file that cannot be read whole (or is empty or larger
// than 16 MiB), invalid JSON, a root that is not an object, a missing or non-string member
// or one of the wrong length. A byte of 0x80 or above stops the copy with false; what was
// copied so far stays in |out| (terminated), so callers can still look at a text that is not
// a four-number version.
bool ReadJsonVersion(const wchar_t* file, wchar_t* out);

}  // namespace vireo
