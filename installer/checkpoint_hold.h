// Test builds only: holds a run at a named checkpoint so that an end-to-end test can end the
// process at exactly that point. Included by the entry point of an installer variant built
// with VIREO_TEST_CHECKPOINTS; the shipped installer never contains it.
//
// Environment of the run:
//   VIREO_TEST_HOLD_AT=<n>       the RunCheckpoint value (0 to 4) to hold at
//   VIREO_TEST_HOLD_EVENT=<name> a named event set when the run gets there; the run then
//                                waits forever (the test ends it)
//   VIREO_TEST_HOLD_FILE=<path>  instead of the event (for scripts): the run creates
//                                "<path>.reached" there and goes on once "<path>.go" exists
// Only the first pass of that checkpoint holds; without a place to say so nothing happens.
#pragma once

#include <windows.h>

#include <cwchar>
#include <string>

#include "installer/run_checkpoint.h"

namespace vireo::test_hold {

inline int g_hold_at = -1;
inline wchar_t g_event_name[MAX_PATH] = {};
inline wchar_t g_hold_file[MAX_PATH - 8] = {};

inline void HoldUntilFile() {
  const std::wstring base = g_hold_file;
  const std::wstring reached = base + L".reached";
  const std::wstring go = base + L".go";
  ::CloseHandle(::CreateFileW(reached.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
  while (::GetFileAttributesW(go.c_str()) == INVALID_FILE_ATTRIBUTES) ::Sleep(50);
}

inline void HoldAtCheckpoint(RunCheckpoint point) {
  if (static_cast<int>(point) != g_hold_at) return;
  g_hold_at = -1;
  if (g_hold_file[0]) {
    HoldUntilFile();
    return;
  }
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
  const DWORD file_len = ::GetEnvironmentVariableW(L"VIREO_TEST_HOLD_FILE", g_hold_file, MAX_PATH - 8);
  if (file_len >= MAX_PATH - 8) g_hold_file[0] = L'\0';
  const bool place = (name_len > 0 && name_len < MAX_PATH) || g_hold_file[0];
  if (at_len == 0 || at_len >= 16 || !place) return;
  g_hold_at = static_cast<int>(std::wcstol(at, nullptr, 10));
  SetCheckpointHandler(&HoldAtCheckpoint);
}

}  // namespace vireo::test_hold
