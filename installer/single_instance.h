// One installer at a time in a user's logon session.
//
// Every run takes a named mutex in the session's namespace (kSingleInstanceMutexStem and the
// user's SID) before it does anything else and holds it until the process ends, so that two
// runs never unpack into, roll back or clean up the same folders and keys at the same time.
//
// Rules:
//  SI1. A free mutex, or one whose holder ended without releasing it (abandoned: a run that
//      crashed or was killed), is taken at once and the run goes ahead.
//  SI2. A silent run waits for the holder to finish, at most the wait limit (10 minutes),
//      and logs kInstanceWaitingLog once when it starts waiting; then goes ahead as in SI1.
//      When the limit passes it logs kInstanceTimeoutLog and the run ends with exit status 1
//      before it has changed anything.
//  SI3. A window run looks for the holder's window (class kFrameClassName, title
//      kInstallWindowTitle or kUninstallWindowTitle) every 100 ms while it waits: once there
//      is one, it is restored
//      when minimised and brought to the foreground, kInstanceHandedOverLog is logged and
//      this run ends with exit status 0.
//  SI4. A window run whose holder shows no window (a silent run, or a window run whose window
//      was closed while its install finishes) waits as in SI2 and then opens its own window,
//      or ends as in SI2 when the limit passes; a holder's window that appears during the
//      wait is still handled as in SI3.
//  SI5. When the mutex cannot be created the run goes ahead unguarded, as runs did before
//      this lock existed, and logs kInstanceUnguardedLog.
//  SI6. The mutex is released when the lock object is destroyed, on the thread that took it,
//      or by the system when the process ends.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "installer/product_constants.h"
#include "support/scoped_handle.h"

namespace vireo {

// kSingleInstanceMutexStem followed by the user's SID; the stem alone when the SID cannot
// be read.
std::wstring SingleInstanceMutexName();

// The install or uninstall window of another run in this session (SI3); null when there is
// none.
HWND FindInstallWindow();

class CSingleInstance {
 public:
  enum class Outcome { kGoAhead, kHandedOver, kTimedOut };
  using WindowFinder = HWND (*)();

  explicit CSingleInstance(std::wstring mutex_name, unsigned wait_limit_ms = kSingleInstanceWaitMs,
                           WindowFinder find_window = &FindInstallWindow);
  ~CSingleInstance();
  CSingleInstance(const CSingleInstance&) = delete;
  CSingleInstance& operator=(const CSingleInstance&) = delete;

  // Takes the mutex by the rules above; call once.
  Outcome Acquire(bool silent);

  // For the entry point: nothing when the run goes ahead, otherwise its exit status.
  std::optional<int> TakeTurn(bool silent);

  // True while this object holds the mutex.
  bool owned() const { return owned_; }

 private:
  // SI2-SI4: waits for the mutex in rounds, looking for the holder's window in window runs.
  Outcome Wait(bool silent);

  std::wstring name_;
  unsigned wait_limit_ms_;
  WindowFinder find_window_;
  ScopedHandle mutex_;
  bool owned_ = false;
};

}  // namespace vireo
