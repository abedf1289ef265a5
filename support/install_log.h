// The installer's diagnostics log: one UTF-8 text file, one line per Write, each stamped with
// local time, process id and thread id.
//
// The file is "<exe path>.log" beside the executable, or "<exe file name>.log" in the
// temporary folder when that cannot be created. It is opened on first use, appended to, never
// truncated, and starts with a UTF-8 byte-order mark when it was empty. All threads and all
// processes started from the same executable path write under one named mutex, so lines never
// interleave.
#pragma once

#include <windows.h>

#include <cstdarg>

#include "support/scoped_handle.h"

namespace vireo {

class CInstallLog {
 public:
  // The process's instance, created (with its mutex, but no file) on the first call from any
  // thread; never destroyed, so logging stays safe during shut-down.
  static CInstallLog& Get();

  // Appends one line. |format| is a wide printf-style format in which "%s" takes a wide
  // string and "%u" an unsigned 32-bit value. A line is cut at 2047 characters (losing its
  // CR LF at the very limit). Never fails visibly: lines written while no file can be opened
  // are lost.
  void Write(const wchar_t* format, ...);
  void WriteV(const wchar_t* format, va_list args);

  // Full path of the log file, or null when neither the executable's folder nor the temporary
  // folder takes it. Opens (and so creates) the file if that has not happened yet.
  const wchar_t* GetLogPath();

  // Closes the file (a later Write opens it again), so that it can be deleted.
  void CloseFile();

  CInstallLog(const CInstallLog&) = delete;
  CInstallLog& operator=(const CInstallLog&) = delete;

 private:
  CInstallLog();
  ~CInstallLog() = delete;

  // Both run with the lock held.
  void OpenLocked();
  void Lock();
  void Unlock();

  ScopedHandle mutex_;
  // Only used when the named mutex could not be created, so threads of this process are
  // still kept apart.
  CRITICAL_SECTION fallback_lock_;
  ScopedFile file_;
  wchar_t path_[261];
};

}  // namespace vireo
