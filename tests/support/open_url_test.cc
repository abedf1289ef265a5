// Opening a web address runs the browser registered for its scheme directly, with the address
// as its only argument; the shell's own "open" is the fallback.
#include "support/open_url.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "support/string_util.h"
#include "tests/test_support/demo_browser.h"
#include "tests/test_support/file_io.h"
#include "tests/test_support/https_handler.h"
#include "tests/test_support/process_runner.h"
#include "tests/test_support/scoped_env.h"
#include "tests/test_support/scoped_temp_dir.h"

namespace vireo::test {
namespace {

constexpr wchar_t kBrowserName[] = L"url_browser.exe";

// The shell's command line carries a marker the direct run does not: a report without it
// proves the registered program was found and run by OpenUrl itself.
TEST(OpenUrlTest, RunsTheSchemesProgramWithTheAddressAlone) {
  ScopedTempDir dir;
  const std::wstring browser = dir.Join(kBrowserName);
  ASSERT_TRUE(CopyProgram(DemoBrowserPath(), browser));
  const std::wstring report = dir.Join(L"report.txt");
  ScopedEnvVar report_env(L"VIREO_DEMO_REPORT", report.c_str());
  ScopedHttpsHandler handler(L"\"" + browser + L"\" --via-shell \"%1\"");
  ASSERT_TRUE(handler.ok());

  constexpr wchar_t kAddress[] = L"https://example.test/page?a=1";
  OpenUrl(kAddress);
  std::wstring received;
  for (int i = 0; i < 1000 && received.empty(); ++i) {  // hard limit: 20 s
    received = Utf8ToWide(ReadFileBytes(report));
    if (received.empty()) ::Sleep(20);
  }
  EndProcessesNamed(kBrowserName);

  EXPECT_NE(received.find(kAddress), std::wstring::npos) << testing::PrintToString(received);
  EXPECT_EQ(received.find(L"--via-shell"), std::wstring::npos) << testing::PrintToString(received);
}

}  // namespace
}  // namespace vireo::test
