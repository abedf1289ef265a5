#include "support/system_library.h"

#include <cwchar>

namespace vireo {
namespace {

constexpr size_t kMaxPath = 260;

bool IsPlainFileName(const wchar_t* name) {
  if (!name || !*name) return false;
  if (std::wcspbrk(name, L"\\/:")) return false;
  return std::wcsstr(name, L"..") == nullptr;
}

}  // namespace

HMODULE LoadModuleByFullPath(const std::wstring& path) {
  HMODULE module = ::LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
  if (!module && ::GetLastError() == ERROR_INVALID_PARAMETER) module = ::LoadLibraryW(path.c_str());
  return module;
}

std::wstring SystemLibraryPath(const wchar_t* file_name, DWORD* error) {
  DWORD ignored = 0;
  DWORD& why = error ? *error : ignored;
  if (!IsPlainFileName(file_name)) {
    why = ERROR_INVALID_NAME;
    return {};
  }
  wchar_t folder[kMaxPath] = {};
  const UINT length = ::GetSystemDirectoryW(folder, kMaxPath);
  if (length == 0 || length >= kMaxPath) {
    why = length == 0 ? ::GetLastError() : ERROR_FILENAME_EXCED_RANGE;
    return {};
  }
  std::wstring path(folder, length);
  if (path.back() != L'\\') path += L'\\';
  path += file_name;
  if (path.size() >= kMaxPath) {
    why = ERROR_FILENAME_EXCED_RANGE;
    return {};
  }
  why = 0;
  return path;
}

SystemLibrary::SystemLibrary(const wchar_t* file_name) {
  const std::wstring path = SystemLibraryPath(file_name, &error_);
  if (path.empty()) return;
  HMODULE module = LoadModuleByFullPath(path);
  error_ = module ? 0 : ::GetLastError();
  module_.reset(module);
}

}  // namespace vireo
