// Where the install log of an executable lives and which named mutex guards it. Pure text
// functions, kept apart from the log itself so the naming rules can be checked directly.
#pragma once

#include <string>
#include <string_view>

namespace vireo {

// |exe_path| + ".log.mutex", lower-cased, every "\" turned into "/" (mutex names may not hold
// backslashes). Processes started from the same path get the same name. When that name would
// exceed 260 characters, a shortened name derived from a hash of the lower-cased path is used
// instead, so that a long path still gets a stable, shared mutex. Empty for an empty path.
std::wstring MakeLogMutexName(std::wstring_view exe_path);

// |exe_path| + ".log" when that fits in 260 characters, else empty (the log then goes to the
// temporary folder).
std::wstring MakeLogPathBesideExe(std::wstring_view exe_path);

// |temp_dir| (with or without its trailing backslash) + the file-name part of |exe_path|
// ("installer.exe" when it has none) + ".log"; empty when |temp_dir| is empty or the
// result would exceed 260 characters.
std::wstring MakeLogPathInTemp(std::wstring_view temp_dir, std::wstring_view exe_path);

}  // namespace vireo
