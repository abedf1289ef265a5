#include "support/install_log.h"

#include <cstdio>
#include <cwchar>
#include <string>

#include "support/install_log_names.h"
#include "support/module_instance.h"
#include "support/string_util.h"

namespace vireo {
namespace {

constexpr size_t kLineChars = 2048;  // 2047 characters plus terminator
constexpr size_t kPrefixChars = 260;

// Appends |text| to |line| (holding |*used| characters) as far as it fits; the buffer keeps
// its terminator.
void AppendCut(wchar_t* line, size_t* used, const wchar_t* text) {
  while (*text && *used + 1 < kLineChars) line[(*used)++] = *text++;
  line[*used] = L'\0';
}

bool OpenForAppend(const std::wstring& path, ScopedFile* file) {
  if (path.empty()) return false;
  file->reset(::CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  return file->valid();
}

}  // namespace

CInstallLog& CInstallLog::Get() {
  // Function-local statics are initialised exactly once even when two threads arrive
  // together; the object is leaked on purpose so late writers never meet a dead log.
  static CInstallLog* const instance = new CInstallLog();
  return *instance;
}

CInstallLog::CInstallLog() {
  path_[0] = L'\0';
  ::InitializeCriticalSection(&fallback_lock_);
  const std::wstring name = MakeLogMutexName(GetFullSelfExePath());
  if (!name.empty()) mutex_.reset(::CreateMutexW(nullptr, FALSE, name.c_str()));
}

void CInstallLog::Lock() {
  if (mutex_) {
    // WAIT_ABANDONED (a writer died holding it) still hands us ownership.
    ::WaitForSingleObject(mutex_.get(), INFINITE);
  } else {
    ::EnterCriticalSection(&fallback_lock_);
  }
}

void CInstallLog::Unlock() {
  if (mutex_) {
    ::ReleaseMutex(mutex_.get());
  } else {
    ::LeaveCriticalSection(&fallback_lock_);
  }
}

void CInstallLog::OpenLocked() {
  if (file_) return;
  const std::wstring exe = GetFullSelfExePath();
  std::wstring path = MakeLogPathBesideExe(exe);
  if (!OpenForAppend(path, &file_)) {
    wchar_t temp[MAX_PATH + 1];
    const DWORD n = ::GetTempPathW(static_cast<DWORD>(std::size(temp)), temp);
    if (n == 0 || n >= std::size(temp)) return;
    path = MakeLogPathInTemp(std::wstring_view(temp, n), exe);
    if (!OpenForAppend(path, &file_)) return;
  }
  std::wmemcpy(path_, path.c_str(), path.size() + 1);  // fits: both makers cap at 260
  LARGE_INTEGER size{};
  if (::GetFileSizeEx(file_.get(), &size) && size.QuadPart == 0) {
    static const char kBom[] = "\xEF\xBB\xBF";
    DWORD written = 0;
    ::WriteFile(file_.get(), kBom, 3, &written, nullptr);
  }
}

void CInstallLog::Write(const wchar_t* format, ...) {
  va_list args;
  va_start(args, format);
  WriteV(format, args);
  va_end(args);
}

void CInstallLog::WriteV(const wchar_t* format, va_list args) {
  if (!format) return;
  // Everything up to the UTF-8 bytes is built before the lock, so other writers wait only
  // for the seek and the write.
  SYSTEMTIME t;
  ::GetLocalTime(&t);
  wchar_t prefix[kPrefixChars];
  std::swprintf(prefix, kPrefixChars, L"[%04d-%02d-%02d %02d:%02d:%02d.%03d] [%5d/%5d] ", t.wYear, t.wMonth,
                t.wDay, t.wHour, t.wMinute, t.wSecond, t.wMilliseconds,
                static_cast<int>(::GetCurrentProcessId()), static_cast<int>(::GetCurrentThreadId()));

  // msvcrt's _vsnwprintf is the formatter whose wide "%s" takes a wide string (the C
  // library's own swprintf would want a narrow one). It writes no terminator when the output
  // fills the buffer, so the last slot is reserved and set here.
  wchar_t message[kLineChars];
  _vsnwprintf(message, kLineChars - 1, format, args);
  message[kLineChars - 1] = L'\0';

  wchar_t line[kLineChars];
  size_t used = 0;
  line[0] = L'\0';
  AppendCut(line, &used, prefix);
  AppendCut(line, &used, message);
  AppendCut(line, &used, L"\r\n");
  const std::string bytes = WideToUtf8(std::wstring_view(line, used));

  Lock();
  OpenLocked();
  if (file_ && !bytes.empty()) {
    LARGE_INTEGER zero{};
    DWORD written = 0;
    if (::SetFilePointerEx(file_.get(), zero, nullptr, FILE_END)) {
      ::WriteFile(file_.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    }
  }
  Unlock();
}

void CInstallLog::CloseFile() {
  Lock();
  file_.reset();
  Unlock();
}

const wchar_t* CInstallLog::GetLogPath() {
  Lock();
  OpenLocked();
  Unlock();
  return path_[0] ? path_ : nullptr;
}

}  // namespace vireo
