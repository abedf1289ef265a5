// The application user-model id the browser's links carry. The taskbar groups windows and
// pins by it, so every Windows account that installs the browser per user gets an id of its
// own ("Vireo.<26 Base32 characters>"), while a machine-wide installation under Program
// Files keeps the plain "Vireo".
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vireo {

inline constexpr size_t kMaxAppIdChars = 127;

// True when |path| is |folder| itself or lies below it: the folder is a case-insensitive
// prefix that ends at the end of |path| or at a backslash. A sibling such as
// "C:\Program Files Extra" is not inside "C:\Program Files". |folder| must not end in a
// backslash; an empty folder contains nothing.
bool IsPathInsideFolder(std::wstring_view path, std::wstring_view folder);

// "Vireo" when |target| is inside one of |program_files|, otherwise "Vireo." + |user_suffix|
// (only when the suffix has exactly 26 characters). Spaces become "_"; at most 127 characters.
std::wstring BuildAppUserModelId(std::wstring_view target, const std::vector<std::wstring>& program_files,
                                 std::wstring_view user_suffix);

// Base32 of the MD5 of the account's SID text (UTF-8); empty when any step fails.
std::wstring ComputeUserAppIdSuffix();

// The folders named by PROGRAMFILES, PROGRAMFILES(X86) and PROGRAMW6432 (1 to 259
// characters each, trailing backslashes removed, empty ones left out).
std::vector<std::wstring> ReadProgramFilesFolders();

// The id for a link to |target| (the installer itself when empty).
std::wstring ComputeAppUserModelId(std::wstring_view target);

}  // namespace vireo
