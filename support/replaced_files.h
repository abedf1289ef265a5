// Files that a step replaces or removes, kept aside so that its roll-back can put them back
// exactly as they were.
//
// An entry is moved (renamed) into a backup folder on the same volume, never copied: a large
// file costs nothing to keep, and an entry the system refuses to move is never replaced.
//
// Rules:
//  RF1. SetAside(path) with nothing at |path| answers true: there is nothing to keep.
//  RF2. Otherwise the file or folder at |path| is moved into the backup folder (created, one
//      level, on first use) under a name no other entry there has; true once it has moved.
//      A move the system refuses (the entry is in use, the backup folder is on another
//      volume or cannot be created, a path is over 260 characters) answers false and leaves
//      the entry where it was: the caller must then not replace it.
//  RF3. Restore() puts every entry back under its name as the folder spelled it, the last
//      one set aside first, by a move that replaces what is at its place now. Nothing is
//      deleted before the saved copy is in place: a file standing there is first moved into
//      the backup folder and deleted only once the saved one is back; when the saved one
//      cannot go back, the displaced file returns to its place. An empty folder standing
//      there is removed. An entry that cannot go back stays in the backup folder and in the
//      list (a later Restore() tries it again), and is reported with its path and the
//      system's error code. The backup folder itself is removed once empty.
//  RF4. Nothing is ever deleted from the backup folder: after a successful run the owner of
//      the folder removes it (the installer's clean-up at exit).
//  RF5. One thread at a time; instances sharing a backup folder never take each other's
//      names.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace vireo {

// An entry a restore could not put back: its original path and the system's error code.
struct RestoreFailure {
  std::wstring path;
  unsigned long error = 0;
};

class ReplacedFiles {
 public:
  ReplacedFiles() = default;
  explicit ReplacedFiles(std::wstring backup_folder) : folder_(std::move(backup_folder)) {}
  ReplacedFiles(const ReplacedFiles&) = delete;
  ReplacedFiles& operator=(const ReplacedFiles&) = delete;

  // Where entries go; an empty folder makes SetAside refuse everything that exists.
  void set_backup_folder(std::wstring folder) { folder_ = std::move(folder); }
  const std::wstring& backup_folder() const { return folder_; }

  bool SetAside(const std::wstring& path);
  // Empty when every entry is back.
  std::vector<RestoreFailure> Restore();

  // How many entries are aside now.
  size_t size() const { return entries_.size(); }

 private:
  struct Entry {
    std::wstring original;
    std::wstring backup;
  };
  // A name in the backup folder that is free now: "<n>.<file name>".
  std::wstring FreeBackupName(const std::wstring& original) const;

  std::wstring folder_;
  std::vector<Entry> entries_;
};

}  // namespace vireo
