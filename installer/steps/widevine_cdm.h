// The content-decryption module as the package carries it (a version folder's
// "WidevineCdm": "manifest.json" plus one platform library) and its record in the user's
// "User Data\WidevineCdm".
#pragma once

#include <string>

namespace vireo {

// |folder| is a directory holding something named "manifest.json" and a file (not a
// folder) at one of _platform_specific\win_x64, win_x86 or win_arm64 \widevinecdm.dll.
bool HasWidevineCdmFiles(const std::wstring& folder);

// Records |version| in |widevine_dir|\installed.json, replacing the file, unless it already
// names |version| (case-insensitive) or names another version whose folder is usable: a
// record pointing at a working module is never rewritten. Nothing for empty arguments;
// write errors are ignored.
void WriteWidevineRecord(const std::wstring& widevine_dir, const std::wstring& version);

}  // namespace vireo
