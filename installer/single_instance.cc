#include "installer/single_instance.h"

#include <algorithm>

#include "installer/installer_strings.h"
#include "installer/product_constants.h"
#include "support/install_log.h"
#include "support/user_sid.h"

namespace vireo {
namespace {

constexpr DWORD kLookRoundMs = 100;

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
  HWND window = ::FindWindowW(kFrameClassName, kInstallWindowTitle);
  return window ? window : ::FindWindowW(kFrameClassName, kUninstallWindowTitle);
}

CSingleInstance::CSingleInstance(std::wstring mutex_name, unsigned wait_limit_ms, WindowFinder find_window)
    : name_(std::move(mutex_name)), wait_limit_ms_(wait_limit_ms), find_window_(find_window) {}

CSingleInstance::~CSingleInstance() {
  if (owned_) ::ReleaseMutex(mutex_.get());
}

CSingleInstance::Outcome CSingleInstance::Acquire(bool silent) {
  mutex_.reset(::CreateMutexW(nullptr, FALSE, name_.c_str()));
  if (!mutex_) {
    CInstallLog::Get().Write(kInstanceUnguardedLog, ::GetLastError());
    return Outcome::kGoAhead;
  }
  if (Taken(::WaitForSingleObject(mutex_.get(), 0))) {
    owned_ = true;
    return Outcome::kGoAhead;
  }
  return Wait(silent);
}

CSingleInstance::Outcome CSingleInstance::Wait(bool silent) {
  CInstallLog::Get().Write(kInstanceWaitingLog, wait_limit_ms_ / 1000);
  const ULONGLONG deadline = ::GetTickCount64() + wait_limit_ms_;
  for (;;) {
    if (!silent && find_window_) {
      if (HWND window = find_window_()) {
        BringToFront(window);
        CInstallLog::Get().Write(kInstanceHandedOverLog);
        return Outcome::kHandedOver;
      }
    }
    const ULONGLONG now = ::GetTickCount64();
    if (now >= deadline) break;
    const DWORD round = silent ? static_cast<DWORD>(deadline - now)
                               : static_cast<DWORD>(std::min<ULONGLONG>(kLookRoundMs, deadline - now));
    if (Taken(::WaitForSingleObject(mutex_.get(), round))) {
      owned_ = true;
      return Outcome::kGoAhead;
    }
  }
  CInstallLog::Get().Write(kInstanceTimeoutLog, wait_limit_ms_ / 1000);
  return Outcome::kTimedOut;
}

std::optional<int> CSingleInstance::TakeTurn(bool silent) {
  switch (Acquire(silent)) {
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
