// Putting the two optional components in place outside the freshly unpacked version folder:
// the screenshot tool in the application folder's components\Screenshot, and the
// content-decryption module in the user's "User Data\WidevineCdm\<version>". Failures are
// logged ("[dir] ...") and reported only through the result.
#pragma once

#include <string>

namespace vireo {

// Copies |source_dir|\Screenshot.exe to |app_dir|\components\Screenshot\Screenshot.exe and
// writes its record there unless one exists. True when the tool is (now) in place; a record
// that cannot be written does not change that.
bool DeployScreenshotTool(const std::wstring& app_dir, const std::wstring& source_dir);

// Copies |version_dir|\WidevineCdm to |user_data_dir|\WidevineCdm\<manifest version> and
// records that version. False when the package's module is incomplete, its manifest names
// no version, or the copy fails.
bool DeployWidevineCdm(const std::wstring& version_dir, const std::wstring& user_data_dir);

}  // namespace vireo
