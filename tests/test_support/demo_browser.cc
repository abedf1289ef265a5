#include "tests/test_support/demo_browser.h"

#include <windows.h>

#include "tests/test_support/test_paths.h"

namespace vireo::test {

std::wstring DemoBrowserPath() { return BuildPath("demo/demo_browser.exe"); }

bool CopyProgram(const std::wstring& from, const std::wstring& to) {
  ::SetFileAttributesW(to.c_str(), FILE_ATTRIBUTE_NORMAL);
  return ::CopyFileW(from.c_str(), to.c_str(), FALSE) != FALSE;
}

Child StartBrowser(const std::wstring& exe, const std::wstring& args) {
  const std::wstring event_name = UniqueName(L"vireo_demo_ready");
  ScopedHandle ready(::CreateEventW(nullptr, TRUE, FALSE, event_name.c_str()));
  if (!ready) return {};
  std::wstring command = Quote(exe) + L" --exit-after=60000 --ready-event=" + event_name;
  if (!args.empty()) command += L" " + args;
  Child child = StartChild(command);
  if (!child.valid()) return child;
  const HANDLE handles[] = {ready.get(), child.process.get()};
  if (::WaitForMultipleObjects(2, handles, FALSE, 20000) != WAIT_OBJECT_0) {
    EndChild(child);
    return {};
  }
  return child;
}

bool IsRunning(const Child& child) {
  return child.valid() && ::WaitForSingleObject(child.process.get(), 0) == WAIT_TIMEOUT;
}

}  // namespace vireo::test
