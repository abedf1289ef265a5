// Version folders: the direct sub-folders of the application folder named by a file version
// ("1.2.3.4"), one per browser version the package carried. The one rule for such names: the
// steps, the clean-up at exit (which deletes the folders it matches) and the build's packer
// (cmake/VireoChromeBin.cmake, the same rule in CMake) all take exactly these.
#pragma once

#include <string>
#include <string_view>

namespace vireo {

// Exactly four dot-separated runs of decimal digits, each at most 65535 (a file version's
// part is 16 bits), nothing else (no signs, spaces or trailing text): 1.2.3.4 qualifies;
// 1.2.3, 1.0, 1.2.3.4a, 1.2.3.4.5 and 1.2.3.65536 do not.
bool IsVersionFolderName(std::wstring_view name);

// Called with "<folder>\<name>"; returning true stops the walk.
using VersionFolderVisitor = bool (*)(const std::wstring& version_folder, void* context);

// Visits the version folders directly inside |folder| in the file system's listing order.
// Nothing happens when |folder| is empty or |visitor| or |context| is null.
void EnumerateVersionFolders(const wchar_t* folder, VersionFolderVisitor visitor, void* context);

}  // namespace vireo
