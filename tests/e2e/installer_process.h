// Runs a built installer the way a user does: a copy in its own folder (so its log starts
// fresh beside it), started with an exact command line, waited for with a hard limit.
#pragma once

#include <string>

namespace vireo::test {

struct InstallerRun {
  int exit_code = -1;    // -1: could not start; -2: did not end within the limit
  std::wstring log;      // the log beside the copy, as text (BOM removed)
  double seconds = 0;
};

// A built installer: "vireo_setup" is the shipped one, any other name a variant of
// tests/e2e/CMakeLists.txt.
std::wstring BuiltInstaller(const char* target);

// Copies |installer| (a build-tree Windows path) into |folder| as vireo_setup.exe and runs
// "\"<copy>\" <arguments>".
InstallerRun RunInstallerCopy(const std::wstring& installer, const std::wstring& folder,
                              const std::wstring& arguments, unsigned timeout_ms = 120000);

// Starts |command_line| and waits; the exit code, -1 when it cannot start, -2 on time-out.
int RunAndWait(const std::wstring& command_line, unsigned timeout_ms);

}  // namespace vireo::test
