// Where the build put things, as Windows paths seen from inside Wine (the Unix tree is
// drive Z:).
#pragma once

#include <string>
#include <string_view>

namespace vireo::test {

std::wstring UnixToWindowsPath(std::string_view unix_path);
// A file or folder of the build tree, e.g. BuildPath("bin/vireo_setup.exe").
std::wstring BuildPath(std::string_view relative);
std::wstring SourcePath(std::string_view relative);

}  // namespace vireo::test
