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
//  SI3. A window run looks once for another run's window (class kFrameClassName, title
//      kInstallWindowTitle or kUninstallWindowTitle) that the user can see: visible and not
//      closing. When there is one, it is restored when minimised and brought to the
//      foreground, kInstanceHandedOverLog is logged and this run ends with exit status 0. A
//      hidden or closing window (a run finishing or rolling back after its window closed) is
//      never a reason to end.
//  SI4. Otherwise a window run whose window can wait goes ahead at once without the mutex
//      and logs kInstanceWindowWaitingLog: it shows its own window in a waiting state and
//      calls TryTake() until that answers true, with no time limit (the user may close it).
//      One whose window cannot wait waits as in SI2 instead.
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

// The install or uninstall window of another process of this session that the user can see
// (SI3); null when there is none.
HWND FindInstallWindow();

// Marks |window| as closing, so that no other run hands over to it (SI3).
void MarkInstallWindowClosing(HWND window);
bool IsClosingInstallWindow(HWND window);
// Whether |window| is an install or uninstall window (of any run).
bool IsInstallFrameWindow(HWND window);

class CSingleInstance {
 public:
  enum class Outcome { kGoAhead, kHandedOver, kTimedOut };
  using WindowFinder = HWND (*)();

  explicit CSingleInstance(std::wstring mutex_name, unsigned wait_limit_ms = kSingleInstanceWaitMs,
                           WindowFinder find_window = &FindInstallWindow);
  ~CSingleInstance();
  CSingleInstance(const CSingleInstance&) = delete;
  CSingleInstance& operator=(const CSingleInstance&) = delete;

  // Takes the mutex by the rules above; call once. |window_waits|: a window run may go ahead
  // without the mutex and wait with its window shown (SI4).
  Outcome Acquire(bool silent, bool window_waits = true);

  // For the entry point: nothing when the run goes ahead (a window run possibly without the
  // mutex yet, SI4), otherwise its exit status.
  std::optional<int> TakeTurn(bool silent, bool window_waits = true);

  // SI4: takes the mutex when it is free (or abandoned) now; true once this object holds it,
  // and always for a run that goes ahead unguarded (SI5). Call on the thread that will
  // release it.
  bool TryTake();

  // True while this object holds the mutex.
  bool owned() const { return owned_; }

 private:
  // SI2: waits for the mutex up to the limit.
  Outcome Wait();

  std::wstring name_;
  unsigned wait_limit_ms_;
  WindowFinder find_window_;
  ScopedHandle mutex_;
  bool owned_ = false;
};

}  // namespace vireo
