#include "support/install_log_names.h"

#include <windows.h>

#include <cstdint>
#include <cwchar>

#include "support/fixed_path.h"

namespace vireo {
namespace {

constexpr wchar_t kMutexSuffix[] = L".log.mutex";
constexpr wchar_t kLogSuffix[] = L".log";

uint64_t Fnv1a64(std::wstring_view text) {
  uint64_t hash = 0xcbf29ce484222325ull;
  for (wchar_t c : text) {
    hash ^= static_cast<uint16_t>(c);
    hash *= 0x100000001b3ull;
  }
  return hash;
}

}  // namespace

std::wstring MakeLogMutexName(std::wstring_view exe_path) {
  if (exe_path.empty()) return {};
  std::wstring name(exe_path);
  name += kMutexSuffix;
  ::CharLowerBuffW(name.data(), static_cast<DWORD>(name.size()));
  for (auto& c : name) {
    if (c == L'\\') c = L'/';
  }
  if (name.size() <= kMaxPathChars) return name;
  // Too long for a path-sized name: keep the tail (the most telling part) behind a hash of
  // the whole lowered name, so distinct paths still get distinct mutexes.
  wchar_t head[32];
  std::swprintf(head, std::size(head), L"vireo-log-%016llx-", static_cast<unsigned long long>(Fnv1a64(name)));
  const size_t keep = kMaxPathChars - std::wcslen(head);
  return std::wstring(head) + name.substr(name.size() - keep);
}

std::wstring MakeLogPathBesideExe(std::wstring_view exe_path) {
  if (exe_path.empty()) return {};
  std::wstring path(exe_path);
  path += kLogSuffix;
  if (path.size() > kMaxPathChars) return {};
  return path;
}

std::wstring MakeLogPathInTemp(std::wstring_view temp_dir, std::wstring_view exe_path) {
  if (temp_dir.empty()) return {};
  std::wstring_view name = FileNamePart(exe_path);
  if (name.empty()) name = L"installer.exe";
  std::wstring path = JoinPath(temp_dir, name);
  path += kLogSuffix;
  if (path.size() > kMaxPathChars) return {};
  return path;
}

}  // namespace vireo
