// Which installation an uninstaller belongs to. The project's uninstaller is the installer
// program without a package; it lives in "<application folder>\<version>\Installer\" and
// removes the installation above it.
#pragma once

#include <string>
#include <string_view>

namespace vireo {

// The application folder of an uninstaller at |exe_path|: "<app>" for
// "<app>\<a.b.c.d>\Installer\<file>" (a version folder of four dot-separated numbers,
// "Installer" in any letter case), without a trailing backslash. Empty for any other path.
// Looks at the text only.
std::wstring AppDirOfUninstaller(std::wstring_view exe_path);

// Whether this program carries the browser's package. Without one it is an uninstaller: it
// uninstalls whatever its switches say and never installs.
bool CarriesPackage();

// The full path of this program; empty when it does not fit a path buffer.
std::wstring OwnProgramPath();

}  // namespace vireo
