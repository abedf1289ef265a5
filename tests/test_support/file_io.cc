#include "tests/test_support/file_io.h"

#include <windows.h>

#include "support/file_attributes.h"
#include "support/scoped_handle.h"

namespace vireo::test {

bool WriteFileBytes(const std::wstring& path, std::string_view bytes) {
  ScopedFile f(::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                             nullptr));
  if (!f) return false;
  DWORD written = 0;
  return ::WriteFile(f.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
         written == bytes.size();
}

std::string ReadFileBytes(const std::wstring& path) {
  ScopedFile f(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                             nullptr, OPEN_EXISTING, 0, nullptr));
  if (!f) return {};
  LARGE_INTEGER size{};
  if (!::GetFileSizeEx(f.get(), &size)) return {};
  std::string out(static_cast<size_t>(size.QuadPart), '\0');
  DWORD read = 0;
  if (!out.empty() && !::ReadFile(f.get(), out.data(), static_cast<DWORD>(out.size()), &read, nullptr)) return {};
  out.resize(read);
  return out;
}

bool PathExists(const std::wstring& path) { return PathExistsAt(path); }

bool IsDirectory(const std::wstring& path) { return IsDirectoryAt(path); }

bool MakeDirs(const std::wstring& path) {
  if (path.empty()) return false;
  if (IsDirectory(path)) return true;
  const size_t pos = path.find_last_of(L"\\/");
  if (pos != std::wstring::npos && pos > 2) MakeDirs(path.substr(0, pos));
  return ::CreateDirectoryW(path.c_str(), nullptr) || ::GetLastError() == ERROR_ALREADY_EXISTS;
}

std::vector<std::wstring> ListFolder(const std::wstring& folder) {
  std::vector<std::wstring> names;
  WIN32_FIND_DATAW data;
  ScopedFindHandle find(::FindFirstFileW((folder + L"\\*").c_str(), &data));
  if (!find) return names;
  do {
    const std::wstring_view name(data.cFileName);
    if (name != L"." && name != L"..") names.emplace_back(name);
  } while (::FindNextFileW(find.get(), &data));
  return names;
}

}  // namespace vireo::test
