// kill_tree_runner.exe <done-event>: KillProcessTrees for "vireo.exe", then sets <done-event>.
// Tests run it under the name vireo.exe as the child of a browser copy, so both ways in which
// the caller could be caught (its own name, its ancestry) are exercised at once.
#include <windows.h>

#include "installer/kill_processes.h"
#include "installer/product_constants.h"
#include "support/string_util.h"

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) return 2;
  vireo::KillProcessTrees([](const wchar_t* name) { return vireo::EqualsIgnoreAsciiCase(name, vireo::kMainExeName); });
  HANDLE done = ::OpenEventW(EVENT_MODIFY_STATE, FALSE, argv[1]);
  if (!done) return 3;
  ::SetEvent(done);
  ::CloseHandle(done);
  return 0;
}
