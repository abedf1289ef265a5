#include "tests/test_support/scoped_temp_dir.h"

#include <windows.h>

#include <atomic>
#include <cwchar>

namespace vireo::test {

ScopedTempDir::ScopedTempDir() {
  static std::atomic<unsigned> counter{0};
  wchar_t temp[MAX_PATH];
  ::GetTempPathW(MAX_PATH, temp);
  for (;;) {
    wchar_t name[MAX_PATH];
    std::swprintf(name, MAX_PATH, L"%lsvt%lu_%lu_%u", temp, ::GetCurrentProcessId(), ::GetTickCount(),
                  counter.fetch_add(1));
    if (::CreateDirectoryW(name, nullptr)) {
      path_ = name;
      return;
    }
    if (::GetLastError() != ERROR_ALREADY_EXISTS) return;
  }
}

ScopedTempDir::~ScopedTempDir() {
  if (!path_.empty()) RemoveTreeForTest(path_);
}

void RemoveTreeForTest(const std::wstring& path) {
  const DWORD attrs = ::GetFileAttributesW(path.c_str());
  if (attrs == INVALID_FILE_ATTRIBUTES) return;
  ::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
  if ((attrs & FILE_ATTRIBUTE_DIRECTORY) && !(attrs & FILE_ATTRIBUTE_REPARSE_POINT)) {
    WIN32_FIND_DATAW fd;
    HANDLE h = ::FindFirstFileW((path + L"\\*").c_str(), &fd);
    if (h != INVALID_HANDLE_VALUE) {
      do {
        if (!std::wcscmp(fd.cFileName, L".") || !std::wcscmp(fd.cFileName, L"..")) continue;
        RemoveTreeForTest(path + L"\\" + fd.cFileName);
      } while (::FindNextFileW(h, &fd));
      ::FindClose(h);
    }
    ::RemoveDirectoryW(path.c_str());
  } else if (attrs & FILE_ATTRIBUTE_DIRECTORY) {
    ::RemoveDirectoryW(path.c_str());
  } else {
    ::DeleteFileW(path.c_str());
  }
}

}  // namespace vireo::test
