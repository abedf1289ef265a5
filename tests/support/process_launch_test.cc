#include "support/process_launch.h"

#include <gtest/gtest.h>

#include <windows.h>

#include "support/scoped_handle.h"
#include "tests/test_support/demo_browser.h"

namespace vireo {
namespace {

// The launched program really starts with the given arguments (it signals the named event
// passed on its command line); nothing is waited for. Empty input is ignored.
TEST(ProcessLaunchTest, StartsTheCommandLine) {
  const std::wstring event_name = test::UniqueName(L"vireo_launch");
  ScopedHandle ready(::CreateEventW(nullptr, TRUE, FALSE, event_name.c_str()));
  ASSERT_TRUE(ready);
  std::wstring command = test::Quote(test::DemoBrowserPath()) + L" --no-window --exit-after=100 --ready-event=" +
                         event_name;
  LaunchProcess(command.data(), SW_SHOW);
  EXPECT_EQ(::WaitForSingleObject(ready.get(), 20000), WAIT_OBJECT_0);
  LaunchProcess(nullptr, SW_SHOW);
  wchar_t empty[1] = {L'\0'};
  LaunchProcess(empty, SW_SHOW);
}

}  // namespace
}  // namespace vireo
