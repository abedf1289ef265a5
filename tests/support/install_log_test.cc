#include "support/install_log.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "support/install_log_names.h"
#include "support/string_util.h"
#include "tests/test_support/file_io.h"
#include "tests/test_support/process_runner.h"
#include "tests/test_support/scoped_temp_dir.h"
#include "tests/test_support/test_paths.h"

namespace vireo {
namespace {

constexpr char kBom[] = "\xEF\xBB\xBF";
// "[2024-05-06 07:08:09.010] [ 4242/ 1717] " then the message.
const std::regex kLine(R"(^\[\d{4}-\d{2}-\d{2} \d{2}:\d{2}:\d{2}\.\d{3}\] \[[ \d]{4}\d/[ \d]{4}\d\] (.*)$)");

// A copy of the log writer at a path the test owns, so the log's place is known.
std::wstring CopyWriter(const test::ScopedTempDir& dir, const wchar_t* name) {
  const std::wstring exe = dir.Join(name);
  EXPECT_TRUE(::CopyFileW(test::BuildPath("test_helpers/log_writer.exe").c_str(), exe.c_str(), FALSE));
  return exe;
}

DWORD RunWriter(const std::wstring& exe, const std::wstring& args) {
  return test::RunChild(test::Quote(exe) + L" " + args);
}

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < text.size()) {
    const size_t end = text.find("\r\n", start);
    if (end == std::string::npos) {
      lines.push_back(text.substr(start));
      break;
    }
    lines.push_back(text.substr(start, end - start));
    start = end + 2;
  }
  return lines;
}

size_t CountOf(const std::string& text, const std::string& needle) {
  size_t n = 0;
  for (size_t pos = text.find(needle); pos != std::string::npos; pos = text.find(needle, pos + 1)) ++n;
  return n;
}

// The first line of a new log starts with the byte-order mark and the stamped prefix, "%s"
// takes a wide string (non-ASCII comes out as UTF-8), and a second process from the same
// executable appends without another mark.
TEST(InstallLogTest, FirstLineHasBomAndPrefixAndLaterProcessesAppend) {
  test::ScopedTempDir dir;
  const std::wstring exe = CopyWriter(dir, L"setup.exe");
  const std::wstring path_out = dir.Join(L"path.txt");
  ASSERT_EQ(RunWriter(exe, L"1 --tag=\u65e5\u5fd7 --path-out=" + test::Quote(path_out)), 0u);
  EXPECT_EQ(test::ReadFileBytes(path_out), WideToUtf8(exe + L".log"));

  std::string text = test::ReadFileBytes(exe + L".log");
  ASSERT_EQ(text.substr(0, 3), kBom);
  std::vector<std::string> lines = SplitLines(text.substr(3));
  ASSERT_EQ(lines.size(), 1u);
  std::smatch m;
  ASSERT_TRUE(std::regex_match(lines[0], m, kLine)) << lines[0];
  EXPECT_EQ(m[1].str(), "[test] \xE6\x97\xA5\xE5\xBF\x97 #0.0 xxxxxxxxxx");
  EXPECT_EQ(text.substr(text.size() - 2), "\r\n");

  ASSERT_EQ(RunWriter(exe, L"1 --tag=second"), 0u);
  text = test::ReadFileBytes(exe + L".log");
  EXPECT_EQ(CountOf(text, kBom), 1u);
  lines = SplitLines(text.substr(3));
  ASSERT_EQ(lines.size(), 2u);
  ASSERT_TRUE(std::regex_match(lines[1], m, kLine)) << lines[1];
  EXPECT_EQ(m[1].str(), "[test] second #0.0 xxxxxxxxxx");
}

// A 3000-character message is cut so the whole line holds 2047 characters and loses its line
// break: the next line continues on the same text line.
TEST(InstallLogTest, OverlongLineIsCutAt2047Characters) {
  test::ScopedTempDir dir;
  const std::wstring exe = CopyWriter(dir, L"setup.exe");
  ASSERT_EQ(RunWriter(exe, L"1 --length=3000"), 0u);
  std::string text = test::ReadFileBytes(exe + L".log");
  ASSERT_EQ(text.size(), 3u + 2047u);
  EXPECT_EQ(text.find('\r'), std::string::npos);
  EXPECT_EQ(text.back(), 'x');

  ASSERT_EQ(RunWriter(exe, L"1 --tag=next"), 0u);
  text = test::ReadFileBytes(exe + L".log");
  const std::vector<std::string> lines = SplitLines(text.substr(3));
  ASSERT_EQ(lines.size(), 1u);
  ASSERT_GT(lines[0].size(), 2047u);
  std::smatch m;
  const std::string second = lines[0].substr(2047);
  ASSERT_TRUE(std::regex_match(second, m, kLine)) << second;
  EXPECT_EQ(m[1].str(), "[test] next #0.0 xxxxxxxxxx");
}

// Two processes with two threads each, released together, write whole lines only: every
// line parses and every (writer, thread, index) is there exactly once.
TEST(InstallLogTest, ConcurrentThreadsAndProcessesKeepLinesWhole) {
  test::ScopedTempDir dir;
  const std::wstring exe = CopyWriter(dir, L"setup.exe");
  const std::wstring event_name = test::UniqueName(L"vireo_log_start");
  ScopedHandle start(::CreateEventW(nullptr, TRUE, FALSE, event_name.c_str()));
  ASSERT_TRUE(start);
  constexpr int kLines = 150;
  const std::wstring common = std::to_wstring(kLines) + L" --threads=2 --length=200 --start-event=" + event_name;
  test::Child a = test::StartChild(test::Quote(exe) + L" " + common + L" --tag=A");
  test::Child b = test::StartChild(test::Quote(exe) + L" " + common + L" --tag=B");
  ASSERT_TRUE(a.valid() && b.valid());
  ASSERT_TRUE(::SetEvent(start.get()));
  EXPECT_EQ(test::WaitExitCode(a, 60000), 0u);
  EXPECT_EQ(test::WaitExitCode(b, 60000), 0u);
  test::EndChild(a);
  test::EndChild(b);

  const std::string text = test::ReadFileBytes(exe + L".log");
  ASSERT_EQ(CountOf(text, kBom), 1u);
  const std::vector<std::string> lines = SplitLines(text.substr(3));
  ASSERT_EQ(lines.size(), 4u * kLines);
  const std::regex body(R"(\[test\] ([AB]) #([01])\.(\d+) x{200})");
  std::set<std::string> seen;
  for (const std::string& line : lines) {
    std::smatch m;
    ASSERT_TRUE(std::regex_match(line, m, kLine)) << line;
    const std::string message = m[1].str();
    std::smatch b;
    ASSERT_TRUE(std::regex_match(message, b, body)) << message;
    EXPECT_TRUE(seen.insert(b[1].str() + b[2].str() + "." + b[3].str()).second) << message;
  }
  EXPECT_EQ(seen.size(), 4u * kLines);
}

// When the file beside the executable cannot be created (a folder of that name blocks it),
// the log goes to the temporary folder under the executable's file name.
TEST(InstallLogTest, FallsBackToTemporaryFolder) {
  test::ScopedTempDir dir;
  const std::wstring name = test::UniqueName(L"blocked") + L".exe";
  const std::wstring exe = CopyWriter(dir, name.c_str());
  ASSERT_TRUE(::CreateDirectoryW((exe + L".log").c_str(), nullptr));
  wchar_t temp[MAX_PATH + 1];
  ASSERT_GT(::GetTempPathW(MAX_PATH + 1, temp), 0u);
  const std::wstring expected = std::wstring(temp) + name + L".log";
  const std::wstring path_out = dir.Join(L"path.txt");

  ASSERT_EQ(RunWriter(exe, L"2 --tag=fallback --path-out=" + test::Quote(path_out)), 0u);
  EXPECT_EQ(Utf8ToWide(test::ReadFileBytes(path_out)), expected);
  const std::string text = test::ReadFileBytes(expected);
  ::DeleteFileW(expected.c_str());
  ASSERT_EQ(text.substr(0, 3), kBom);
  EXPECT_EQ(SplitLines(text.substr(3)).size(), 2u);
  EXPECT_NE(text.find("[test] fallback #0.1"), std::string::npos);
}

// The mutex name is the lowered executable path with forward slashes; a path too long for
// a path-sized name still maps to one stable, distinct name of at most 260 characters, and
// the log beside such an executable is refused rather than cut.
TEST(InstallLogTest, NamesFollowTheExecutablePath) {
  EXPECT_EQ(MakeLogMutexName(L"C:\\Apps\\Vireo Setup.EXE"), L"c:/apps/vireo setup.exe.log.mutex");
  EXPECT_EQ(MakeLogMutexName(L""), L"");
  EXPECT_EQ(MakeLogPathBesideExe(L"C:\\a\\setup.exe"), L"C:\\a\\setup.exe.log");
  EXPECT_EQ(MakeLogPathInTemp(L"C:\\Temp\\", L"C:\\a\\setup.exe"), L"C:\\Temp\\setup.exe.log");
  EXPECT_EQ(MakeLogPathInTemp(L"C:\\Temp", L""), L"C:\\Temp\\installer.exe.log");
  EXPECT_EQ(MakeLogPathInTemp(L"", L"C:\\a\\setup.exe"), L"");

  const std::wstring longer = L"C:\\" + std::wstring(252, L'd') + L"\\s.exe";  // 261 characters
  const std::wstring other = L"C:\\" + std::wstring(252, L'e') + L"\\s.exe";
  const std::wstring name = MakeLogMutexName(longer);
  EXPECT_LE(name.size(), 260u);
  EXPECT_EQ(name.find(L'\\'), std::wstring::npos);
  EXPECT_EQ(name, MakeLogMutexName(longer));
  EXPECT_NE(name, MakeLogMutexName(other));
  EXPECT_EQ(MakeLogPathBesideExe(longer), L"");
  EXPECT_EQ(MakeLogPathInTemp(std::wstring(255, L't'), L"C:\\a\\setup.exe"), L"");
  // Exactly 260 characters still fits.
  const std::wstring fits = L"C:\\" + std::wstring(247, L'f') + L"\\s.exe";
  ASSERT_EQ(fits.size() + 4, 260u);
  EXPECT_EQ(MakeLogPathBesideExe(fits), fits + L".log");
}

}  // namespace
}  // namespace vireo
