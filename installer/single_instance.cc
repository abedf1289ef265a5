#include "installer/single_instance.h"

#include <string_view>

#include "installer/installer_strings.h"
#include "installer/product_constants.h"
#include "support/install_log.h"
#include "support/user_sid.h"

namespace vireo {
namespace {

constexpr wchar_t kClosingProperty[] = L"VireoSetup.Closing";

bool Taken(DWORD wait) { return wait == WAIT_OBJECT_0 || wait == WAIT_ABANDONED; }

void BringToFront(HWND window) {
  if (::IsIconic(window)) ::ShowWindow(window, SW_RESTORE);
  ::SetForegroundWindow(window);
}

}  // namespace

std::wstring SingleInstanceMutexName() {
  std::wstring sid;
  if (!GetCurrentUserSidString(&sid)) sid.clear();
  return kSingleInstanceMutexStem + sid;
}

HWND FindInstallWindow() {
  struct Search {
    DWORD own_process;
    HWND found;
  } search{::GetCurrentProcessId(), nullptr};
  ::EnumWindows(
      [](HWND window, LPARAM param) -> BOOL {
        auto* search = reinterpret_cast<Search*>(param);
        DWORD process = 0;
        ::GetWindowThreadProcessId(window, &process);
        if (process == search->own_process || !::IsWindowVisible(window) || IsClosingInstallWindow(window)) {
          return TRUE;
        }
        if (!IsInstallFrameWindow(window)) return TRUE;
        search->found = window;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

bool IsInstallFrameWindow(HWND window) {
  wchar_t class_name[64] = {};
  wchar_t title[64] = {};
  ::GetClassNameW(window, class_name, 64);
  ::GetWindowTextW(window, title, 64);
  return std::wstring_view(class_name) == kFrameClassName &&
         (std::wstring_view(title) == kInstallWindowTitle || std::wstring_view(title) == kUninstallWindowTitle);
}

bool IsClosingInstallWindow(HWND window) { return ::GetPropW(window, kClosingProperty) != nullptr; }

void MarkInstallWindowClosing(HWND window) { ::SetPropW(window, kClosingProperty, reinterpret_cast<HANDLE>(1)); }

CSingleInstance::CSingleInstance(std::wstring mutex_name, unsigned wait_limit_ms, WindowFinder find_window)
    : name_(std::move(mutex_name)), wait_limit_ms_(wait_limit_ms), find_window_(find_window) {}

CSingleInstance::~CSingleInstance() {
  if (owned_) ::ReleaseMutex(mutex_.get());
}

CSingleInstance::Outcome CSingleInstance::Acquire(bool silent, bool window_waits) {
  mutex_.reset(::CreateMutexW(nullptr, FALSE, name_.c_str()));
  if (!mutex_) {
    CInstallLog::Get().Write(kInstanceUnguardedLog, ::GetLastError());
    return Outcome::kGoAhead;
  }
  if (TryTake()) return Outcome::kGoAhead;
  if (silent) return Wait();
  if (HWND window = find_window_ ? find_window_() : nullptr) {
    BringToFront(window);
    CInstallLog::Get().Write(kInstanceHandedOverLog);
    return Outcome::kHandedOver;
  }
  if (!window_waits) return Wait();
  CInstallLog::Get().Write(kInstanceWindowWaitingLog);
  return Outcome::kGoAhead;
}

bool CSingleInstance::TryTake() {
  if (!mutex_) return true;  // SI5: unguarded
  if (!owned_ && mutex_ && Taken(::WaitForSingleObject(mutex_.get(), 0))) owned_ = true;
  return owned_;
}

CSingleInstance::Outcome CSingleInstance::Wait() {
  CInstallLog::Get().Write(kInstanceWaitingLog, wait_limit_ms_ / 1000);
  if (Taken(::WaitForSingleObject(mutex_.get(), wait_limit_ms_))) {
    owned_ = true;
    return Outcome::kGoAhead;
  }
  CInstallLog::Get().Write(kInstanceTimeoutLog, wait_limit_ms_ / 1000);
  return Outcome::kTimedOut;
}

std::optional<int> CSingleInstance::TakeTurn(bool silent, bool window_waits) {
  switch (Acquire(silent, window_waits)) {
    case Outcome::kGoAhead:
      return std::nullopt;
    case Outcome::kHandedOver:
      return 0;
    case Outcome::kTimedOut:
      break;
  }
  return 1;
}

}  // namespace vireo
