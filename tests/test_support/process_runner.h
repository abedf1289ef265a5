// Starting real child processes from tests and waiting for them with hard time-outs.
#pragma once

#include <windows.h>

#include <string>

#include "support/scoped_handle.h"

namespace vireo::test {

struct Child {
  ScopedHandle process;
  DWORD pid = 0;
  bool valid() const { return process.valid(); }
};

// Starts |command_line| exactly as given (no re-quoting), in |current_folder| when given
// (else in the caller's); invalid Child on failure.
Child StartChild(const std::wstring& command_line, const wchar_t* current_folder = nullptr);

// Runs |command_line| and waits up to |timeout_ms|; the exit code, or ~0u when the program
// could not start or did not end in time (it is then terminated).
DWORD RunChild(const std::wstring& command_line, DWORD timeout_ms = 30000);

// Exit code after waiting up to |timeout_ms| for |child|; STILL_ACTIVE when it still runs.
DWORD WaitExitCode(const Child& child, DWORD timeout_ms);

// Terminates |child| if it still runs and waits for it (test clean-up).
void EndChild(Child& child);

// Terminates every running process whose image is named |exe_name| (case-insensitive) and
// waits up to 5 s for each: clean-up of programs a test started only indirectly.
void EndProcessesNamed(const wchar_t* exe_name);

// A manual-reset named event with a name unique to this process and call.
std::wstring UniqueName(const wchar_t* stem);

// Quotes one command-line argument for CreateProcessW's parser.
std::wstring Quote(const std::wstring& arg);

}  // namespace vireo::test
