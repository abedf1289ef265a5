#include "installer/steps/app_user_model_id.h"

#include <windows.h>

#include "installer/product_constants.h"
#include "support/base32.h"
#include "support/md5_digest.h"
#include "support/module_instance.h"
#include "support/string_util.h"
#include "support/user_sid.h"

namespace vireo {
namespace {

constexpr size_t kSuffixChars = 26;

}  // namespace

bool IsPathInsideFolder(std::wstring_view path, std::wstring_view folder) {
  if (folder.empty() || path.size() < folder.size()) return false;
  if (!EqualsIgnoreAsciiCase(path.substr(0, folder.size()), folder)) return false;
  // A bare prefix match would also accept a sibling folder whose name merely extends this
  // one; only the end of the path or a separator right after the folder counts.
  return path.size() == folder.size() || path[folder.size()] == L'\\';
}

std::wstring BuildAppUserModelId(std::wstring_view target, const std::vector<std::wstring>& program_files,
                                 std::wstring_view user_suffix) {
  std::wstring id = kProductName;
  bool machine_wide = false;
  for (const std::wstring& folder : program_files) {
    if (IsPathInsideFolder(target, folder)) {
      machine_wide = true;
      break;
    }
  }
  if (!machine_wide && user_suffix.size() == kSuffixChars) {
    id += L'.';
    id.append(user_suffix);
  }
  for (wchar_t& c : id) {
    if (c == L' ') c = L'_';
  }
  if (id.size() > kMaxAppIdChars) id.resize(kMaxAppIdChars);
  return id;
}

std::wstring ComputeUserAppIdSuffix() {
  std::wstring sid;
  if (!GetCurrentUserSidString(&sid)) return {};
  const std::string utf8 = WideToUtf8(sid);
  Md5 digest;
  if (!ComputeMd5(utf8.data(), utf8.size(), &digest)) return {};
  std::wstring suffix = Base32Encode(digest.data(), digest.size());
  return suffix.size() == kSuffixChars ? suffix : std::wstring();
}

std::vector<std::wstring> ReadProgramFilesFolders() {
  std::vector<std::wstring> folders;
  for (const wchar_t* name : {L"PROGRAMFILES", L"PROGRAMFILES(X86)", L"PROGRAMW6432"}) {
    wchar_t buffer[260] = {};
    const DWORD n = ::GetEnvironmentVariableW(name, buffer, 260);
    if (n < 1 || n > 259) continue;  // missing, or too long for the buffer
    std::wstring folder(buffer, n);
    while (!folder.empty() && folder.back() == L'\\') folder.pop_back();
    if (!folder.empty()) folders.push_back(std::move(folder));
  }
  return folders;
}

std::wstring ComputeAppUserModelId(std::wstring_view target) {
  const std::wstring self = target.empty() ? GetSelfExePath() : std::wstring();
  const std::wstring_view path = target.empty() ? std::wstring_view(self) : target;
  const std::vector<std::wstring> program_files = ReadProgramFilesFolders();
  for (const std::wstring& folder : program_files) {
    if (IsPathInsideFolder(path, folder)) return BuildAppUserModelId(path, program_files, L"");
  }
  return BuildAppUserModelId(path, program_files, ComputeUserAppIdSuffix());
}

}  // namespace vireo
