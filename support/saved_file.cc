#include "support/saved_file.h"

#include <windows.h>

#include "support/file_aside.h"
#include "support/file_attributes.h"
#include "support/scoped_handle.h"

namespace vireo {
namespace {

// The whole file into |bytes|; the system's error code on failure, 0 on success.
DWORD ReadWhole(const std::wstring& path, std::string* bytes) {
  ScopedFile file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  LARGE_INTEGER size{};
  if (!file || !::GetFileSizeEx(file.get(), &size)) return ::GetLastError();
  if (size.QuadPart < 0 || static_cast<unsigned long long>(size.QuadPart) > SavedFile::kMaxBytes) {
    return ERROR_FILE_TOO_LARGE;
  }
  bytes->resize(static_cast<size_t>(size.QuadPart));
  DWORD read = 0;
  if (bytes->empty()) return 0;
  if (!::ReadFile(file.get(), bytes->data(), static_cast<DWORD>(bytes->size()), &read, nullptr)) {
    return ::GetLastError();
  }
  return read == bytes->size() ? 0 : ERROR_HANDLE_EOF;
}

}  // namespace

SavedFile SavedFile::Save(const std::wstring& path) {
  SavedFile saved;
  saved.path_ = path;
  if (path.empty()) {
    saved.error_ = ERROR_INVALID_NAME;
    return saved;
  }
  if (!PathExistsAt(path)) {
    saved.ok_ = true;
    return saved;
  }
  saved.existed_ = true;
  saved.error_ = IsDirectoryAt(path) ? ERROR_DIRECTORY : ReadWhole(path, &saved.bytes_);
  saved.ok_ = saved.error_ == 0;
  if (!saved.ok_) saved.bytes_.clear();
  return saved;
}

bool SavedFile::Restore() const {
  if (!ok_) return false;
  if (!existed_) {
    if (IsFileAt(path_)) DeleteFileOrRenameAside(path_.c_str());
    return !PathExistsAt(path_);
  }
  // Unchanged content is left alone, times and attributes included.
  std::string now;
  if (IsFileAt(path_) && ReadWhole(path_, &now) == 0 && now == bytes_) return true;
  ::SetFileAttributesW(path_.c_str(), FILE_ATTRIBUTE_NORMAL);
  ScopedFile file(
      ::CreateFileW(path_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return false;
  DWORD written = 0;
  return bytes_.empty() ||
         (::WriteFile(file.get(), bytes_.data(), static_cast<DWORD>(bytes_.size()), &written, nullptr) &&
          written == bytes_.size());
}

}  // namespace vireo
