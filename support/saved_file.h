// A small file (a record, a shell link) kept in memory before a step replaces or deletes
// it, so that its roll-back can write it back byte for byte. Not for large files: those
// are moved aside instead (replaced_files.h).
#pragma once

#include <string>

namespace vireo {

class SavedFile {
 public:
  // The largest file kept; a larger one counts as unreadable.
  static constexpr size_t kMaxBytes = 1 << 20;

  // Reads |path| whole. Nothing there: saved as absent. A folder, a file that cannot be
  // opened for reading or read completely, or one over kMaxBytes: ok() is false.
  static SavedFile Save(const std::wstring& path);

  // False when something is at the path that could not be read: the caller must then not
  // replace or delete it, since it could not be put back.
  bool ok() const { return ok_; }
  bool existed() const { return existed_; }
  // Why a save is not ok(): the system's error code (ERROR_DIRECTORY for a folder,
  // ERROR_FILE_TOO_LARGE over kMaxBytes); 0 for a save that is ok().
  unsigned long error() const { return error_; }
  const std::string& bytes() const { return bytes_; }
  const std::wstring& path() const { return path_; }

  // Puts the path back into the saved state: the bytes are written over whatever file is
  // there (read-only cleared first) unless it holds them already, or, when nothing was
  // there, a file there now is deleted (DeleteFileOrRenameAside: one in use is moved out of
  // the way). True when that worked; on false GetLastError() holds the reason. Nothing
  // (false) for a save that is not ok().
  bool Restore() const;

 private:
  std::wstring path_;
  std::string bytes_;
  unsigned long error_ = 0;
  bool existed_ = false;
  bool ok_ = false;
};

}  // namespace vireo
