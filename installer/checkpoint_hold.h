// Test builds only: holds a run at a named checkpoint so that an end-to-end test can end the
// process at exactly that point. Included by the entry point of an installer variant built
// with VIREO_TEST_CHECKPOINTS; the shipped installer never contains it.
//
// Environment of the run:
//   VIREO_TEST_HOLD_AT=<n>       the RunCheckpoint value (0 to 4) to hold at
//   VIREO_TEST_HOLD_EVENT=<name> a named event set when the run gets there; the run then
//                                waits forever (the test ends it)
// Only the first pass of that checkpoint holds; without both variables nothing happens.
#pragma once

#include <windows.h>

#include <cwchar>

#include "installer/run_checkpoint.h"

namespace vireo::test_hold {

inline int g_hold_at = -1;
inline wchar_t g_event_name[MAX_PATH] = {};

inline void HoldAtCheckpoint(RunCheckpoint point) {
  if (static_cast<int>(point) != g_hold_at) return;
  g_hold_at = -1;
  if (HANDLE reached = ::OpenEventW(EVENT_MODIFY_STATE, FALSE, g_event_name)) {
    ::SetEvent(reached);
    ::CloseHandle(reached);
  }
  ::Sleep(INFINITE);
}

inline void InstallFromEnvironment() {
  wchar_t at[16] = {};
  const DWORD at_len = ::GetEnvironmentVariableW(L"VIREO_TEST_HOLD_AT", at, 16);
  const DWORD name_len = ::GetEnvironmentVariableW(L"VIREO_TEST_HOLD_EVENT", g_event_name, MAX_PATH);
  if (at_len == 0 || at_len >= 16 || name_len == 0 || name_len >= MAX_PATH) return;
  g_hold_at = static_cast<int>(std::wcstol(at, nullptr, 10));
  SetCheckpointHandler(&HoldAtCheckpoint);
}

}  // namespace vireo::test_hold
