// Uninstalling as a user does: the browser installed silently by the built installer, then
// removed through the uninstall entry exactly as registered (read back from the registry),
// through the uninstaller in its version folder, or through Wine's own list of installed
// programs; the uninstall window driven by real mouse and keyboard input.
#include <windows.h>
#include <tlhelp32.h>

#include <gtest/gtest.h>

#include <string>

#include "installer/installer_strings.h"
#include "installer/product_constants.h"
#include "installer/ui/ui_frame.h"
#include "support/scoped_handle.h"
#include "support/string_util.h"
#include "tests/e2e/installation_image.h"
#include "tests/e2e/installer_process.h"
#include "tests/e2e/uninstall_window_pages.h"
#include "tests/e2e/user_profile.h"
#include "tests/e2e/window_driver.h"
#include "tests/test_support/demo_browser.h"
#include "tests/test_support/file_io.h"
#include "tests/test_support/process_runner.h"
#include "tests/test_support/registry_readback.h"
#include "tests/test_support/scoped_temp_dir.h"

namespace vireo::test {
namespace {

using namespace uninstall_window;  // the skin's points

constexpr unsigned kWindowLimitMs = 20000;
constexpr unsigned kRunLimitMs = 60000;

// The private copies of the uninstaller that runs leave in the temporary folder.
int CountUninstallerCopies() {
  wchar_t temp[MAX_PATH];
  const DWORD n = ::GetTempPathW(MAX_PATH, temp);
  int copies = 0;
  for (const std::wstring& name : ListFolder(std::wstring(temp, n))) {
    if (name.rfind(kUninstallerTempPrefix, 0) != 0) continue;
    copies += PathExists(std::wstring(temp, n) + name + L"\\" + kUninstallerFileName);
  }
  return copies;
}

// The uninstaller that |parent| started, opened as soon as it shows up; invalid when none
// did within |limit_ms|.
Child FollowChildOf(DWORD parent, unsigned limit_ms) {
  Child child;
  WaitFor([&] {
    ScopedHandle snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof(entry);
    for (BOOL more = ::Process32FirstW(snapshot.get(), &entry); more; more = ::Process32NextW(snapshot.get(), &entry)) {
      if (entry.th32ParentProcessID != parent || entry.th32ProcessID == parent ||
          !EqualsIgnoreAsciiCase(entry.szExeFile, kUninstallerFileName)) {
        continue;
      }
      child.process.reset(::OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION | PROCESS_TERMINATE, FALSE,
                                        entry.th32ProcessID));
      child.pid = entry.th32ProcessID;
      return child.valid();
    }
    return false;
  }, limit_ms);
  return child;
}

// Runs |command_line| (a program that stands in the way of the system's own dialogs:
// Settings, Wine's uninstaller) with its standard output captured.
std::string CaptureOutput(const std::wstring& command_line, DWORD* exit_code) {
  SECURITY_ATTRIBUTES inherit{sizeof(inherit), nullptr, TRUE};
  HANDLE read = nullptr, write = nullptr;
  if (!::CreatePipe(&read, &write, &inherit, 0)) return std::string();
  ScopedHandle reader(read), writer(write);
  ::SetHandleInformation(read, HANDLE_FLAG_INHERIT, 0);
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = write;
  startup.hStdError = write;
  PROCESS_INFORMATION info{};
  std::wstring command = command_line;
  if (!::CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &info)) {
    return std::string();
  }
  ScopedHandle process(info.hProcess), thread(info.hThread);
  writer.reset();
  std::string out;
  char buffer[4096];
  DWORD got = 0;
  while (::ReadFile(read, buffer, sizeof(buffer), &got, nullptr) && got > 0) out.append(buffer, got);
  ::WaitForSingleObject(info.hProcess, kRunLimitMs);
  ::GetExitCodeProcess(info.hProcess, exit_code);
  return out;
}

class UninstallTest : public testing::Test {
 protected:
  void SetUp() override {
    CleanUserProfile();
    paths_ = GetUserProfilePaths();
    copies_before_ = CountUninstallerCopies();
    const InstallerRun run = RunInstallerCopy(BuiltInstaller("vireo_setup"), work_.path(), L"--silent");
    ASSERT_EQ(run.exit_code, 0) << testing::PrintToString(run.log);
    uninstall_string_ = ReadRegString(kUninstallRegKey, L"UninstallString");
    ASSERT_FALSE(uninstall_string_.empty());
    ASSERT_TRUE(MakeDirs(paths_.user_data + L"\\Default"));
    ASSERT_TRUE(WriteFileBytes(paths_.user_data + L"\\Default\\Preferences", "{}"));
  }
  void TearDown() override {
    EndChild(uninstaller_);
    EndChild(started_);
    EndProcessesNamed(kMainExeName);
    CleanUserProfile();
  }

  // Runs |command_line| as the system runs an uninstall entry; the process it handed the run
  // to is followed in uninstaller_.
  void StartUninstall(const std::wstring& command_line) {
    started_ = StartChild(command_line);
    ASSERT_TRUE(started_.valid()) << testing::PrintToString(command_line);
    uninstaller_ = FollowChildOf(started_.pid, kWindowLimitMs);
    EXPECT_EQ(WaitExitCode(started_, kWindowLimitMs), 0u) << "the registered command did not hand over";
    ASSERT_TRUE(uninstaller_.valid()) << "no uninstaller copy was started";
  }
  // The uninstall window of the copy, on its painted start page, in the foreground.
  void OpenWindow(const std::wstring& command_line) {
    ASSERT_NO_FATAL_FAILURE(StartUninstall(command_line));
    window_ = WaitForProcessWindow(uninstaller_.pid, kUninstallWindowTitle, kFrameClassName, kWindowLimitMs);
    ASSERT_NE(window_, nullptr) << "no uninstall window";
    ASSERT_TRUE(WaitFor([&] { return StartPageShows(window_); }, kWindowLimitMs)) << "no start page";
    ASSERT_TRUE(WaitFor([&] { return ::GetForegroundWindow() == window_; }, kWindowLimitMs));
  }
  void Click(POINT at) {
    const POINT scaled = Scaled(window_, at);
    MouseClick(ScreenPoint(window_, scaled.x, scaled.y));
  }
  // Uninstall → progress → completion → finish, as a user clicks through it.
  void ClickThrough() {
    Click(kUninstallButton);
    ASSERT_TRUE(WaitFor([&] { return CompletionShows(window_); }, kRunLimitMs)) << "no completion view";
    Click(kCompleteButton);
  }
  int UninstallerExit() { return static_cast<int>(WaitExitCode(uninstaller_, kRunLimitMs)); }
  void ExpectNothingLeft() {
    EXPECT_FALSE(PathExists(paths_.app_dir));
    EXPECT_FALSE(PathExists(paths_.start_menu_link));
    EXPECT_FALSE(PathExists(paths_.desktop_link));
    EXPECT_FALSE(RegKeyExists(kAppPathsRegKey));
    EXPECT_FALSE(RegKeyExists(kUninstallRegKey));
    EXPECT_FALSE(RegKeyExists(kProductRegKey));
    ExpectNoCopyLeft();
  }
  // The system deletes the copy's file once the copy has ended and its image is gone.
  void ExpectNoCopyLeft() {
    EXPECT_TRUE(WaitFor([&] { return CountUninstallerCopies() == copies_before_; }, 5000))
        << "a copy of the uninstaller was left behind";
  }

  ScopedTempDir work_;
  UserProfilePaths paths_;
  std::wstring uninstall_string_;
  int copies_before_ = 0;
  Child started_;
  Child uninstaller_;
  HWND window_ = nullptr;
};

// The registered entry, run as registered, opens the uninstall window; clicked through with
// the check box cleared it removes everything but the browsing data.
TEST_F(UninstallTest, RegisteredEntryKeepsBrowsingDataUnlessAsked) {
  ASSERT_NO_FATAL_FAILURE(OpenWindow(uninstall_string_));
  ASSERT_NO_FATAL_FAILURE(ClickThrough());
  EXPECT_EQ(UninstallerExit(), 0);
  ExpectNothingLeft();
  EXPECT_TRUE(PathExists(paths_.user_data + L"\\Default\\Preferences"));
}

TEST_F(UninstallTest, RegisteredEntryRemovesBrowsingDataWhenAsked) {
  ASSERT_NO_FATAL_FAILURE(OpenWindow(uninstall_string_));
  const POINT box = CheckBoxPoint(window_);
  ASSERT_NE(box.x, 0) << "no check box";
  MouseClick(ScreenPoint(window_, box.x, box.y));
  ASSERT_NO_FATAL_FAILURE(ClickThrough());
  EXPECT_EQ(UninstallerExit(), 0);
  ExpectNothingLeft();
  EXPECT_FALSE(PathExists(paths_.product_root));
}

// Cancel, the close button and Esc end the run with the installation byte for byte as it was.
TEST_F(UninstallTest, CancelCloseAndEscapeChangeNothing) {
  const InstallationImage before = TakeInstallationImage();
  for (const POINT* button : {&kCancelButton, &kCloseButton, static_cast<const POINT*>(nullptr)}) {
    ASSERT_NO_FATAL_FAILURE(OpenWindow(uninstall_string_));
    if (button) {
      Click(*button);
    } else {
      PressKey(VK_RETURN);  // the uninstall button has no focus: nothing happens
      PressKey(VK_ESCAPE);
    }
    EXPECT_EQ(UninstallerExit(), 0);
    EXPECT_EQ(DifferencesBetween(before, TakeInstallationImage()), L"");
  }
  ExpectNoCopyLeft();
}

// Uninstall asked for twice: the second run brings the first one's window back and ends.
TEST_F(UninstallTest, ASecondRunBringsTheFirstWindowBack) {
  ASSERT_NO_FATAL_FAILURE(OpenWindow(uninstall_string_));
  Child first = std::move(uninstaller_);
  const HWND first_window = window_;
  ::PostMessageW(first_window, WM_SYSCOMMAND, SC_MINIMIZE, 0);
  ASSERT_TRUE(WaitFor([&] { return ::IsIconic(first_window) != FALSE; }, kWindowLimitMs));
  ASSERT_NO_FATAL_FAILURE(StartUninstall(uninstall_string_));
  EXPECT_EQ(WaitExitCode(uninstaller_, kWindowLimitMs), 0u) << "the second run did not hand over";
  EXPECT_TRUE(WaitFor([&] { return !::IsIconic(first_window); }, kWindowLimitMs)) << "the first window stayed minimised";
  Click(kCloseButton);
  EXPECT_EQ(WaitExitCode(first, kRunLimitMs), 0u);
  EXPECT_TRUE(RegKeyExists(kUninstallRegKey));
  ExpectNoCopyLeft();
}

// A browser still running is closed first, and the uninstall succeeds.
TEST_F(UninstallTest, ClosesTheRunningBrowser) {
  Child browser = StartBrowser(paths_.app_dir + L"\\" + kMainExeName);
  ASSERT_TRUE(browser.valid());
  ASSERT_NO_FATAL_FAILURE(OpenWindow(uninstall_string_));
  ASSERT_NO_FATAL_FAILURE(ClickThrough());
  EXPECT_EQ(UninstallerExit(), 0);
  EXPECT_FALSE(IsRunning(browser));
  ExpectNothingLeft();
}

// The main executable held open: the folder cannot go. The error box names the log, the
// exit status is 1, and the installation is still registered and starts.
TEST_F(UninstallTest, AFileInUseFailsTheUninstallAndKeepsItRegistered) {
  const std::wstring main_exe = paths_.app_dir + L"\\" + kMainExeName;
  std::wstring log;
  {
    ScopedFile held(::CreateFileW(main_exe.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(held.valid());
    ASSERT_NO_FATAL_FAILURE(OpenWindow(uninstall_string_));
    Click(kUninstallButton);
    HWND box = nullptr;
    ASSERT_TRUE(WaitFor([&] {
      box = ::FindWindowW(L"#32770", kUninstallWindowTitle);
      return box != nullptr;
    }, kRunLimitMs)) << "no error box";
    const std::wstring text = MessageBoxText(box);
    EXPECT_NE(text.find(kDeleteAppDirMessage), std::wstring::npos) << testing::PrintToString(text);
    const size_t lead = text.find(kLogPathLead);
    ASSERT_NE(lead, std::wstring::npos) << testing::PrintToString(text);
    log = text.substr(lead + std::wstring(kLogPathLead).size());
    EXPECT_NE(Utf8ToWide(ReadFileBytes(log)).find(kDeleteAppDirMessage), std::wstring::npos);
    ::PostMessageW(box, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(WaitFor([&] { return !::IsWindow(box); }, kWindowLimitMs));
    Click(POINT{kCloseButton.x, kCloseButton.y});
    EXPECT_EQ(UninstallerExit(), 1);
    // The kept log is all that is left of the copy; the case leaves nothing behind.
    EXPECT_TRUE(WaitFor([&] { return ::DeleteFileW(log.c_str()) != FALSE; }, kWindowLimitMs));
    ::RemoveDirectoryW(log.substr(0, log.rfind(L'\\')).c_str());
  }
  EXPECT_TRUE(RegKeyExists(kAppPathsRegKey));
  EXPECT_TRUE(RegKeyExists(kUninstallRegKey));
  Child browser = StartBrowser(main_exe);
  EXPECT_TRUE(browser.valid()) << "the installation does not start any more";
  EndChild(browser);
}

// The uninstaller without a window: exit 0, nothing left, its copy gone too, and so is the
// folder an earlier copy emptied.
TEST_F(UninstallTest, SilentThroughTheUninstaller) {
  wchar_t temp[MAX_PATH];
  const std::wstring emptied = std::wstring(temp, ::GetTempPathW(MAX_PATH, temp)) + kUninstallerTempPrefix + L"fffe.tmp";
  ASSERT_TRUE(MakeDirs(emptied));
  ASSERT_NO_FATAL_FAILURE(StartUninstall(uninstall_string_ + L" --silent"));
  EXPECT_EQ(UninstallerExit(), 0);
  ExpectNothingLeft();
  EXPECT_FALSE(PathExists(emptied));
}

// Wine's own list of installed programs lists the product and runs its registered command,
// as Settings does on Windows.
TEST_F(UninstallTest, WinesAddRemoveProgramsRemovesIt) {
  DWORD code = 0;
  EXPECT_NE(CaptureOutput(L"uninstaller.exe --list", &code).find("|||Vireo"), std::string::npos);
  Child wine_uninstaller = StartChild(L"uninstaller.exe --remove Vireo");
  ASSERT_TRUE(wine_uninstaller.valid());
  uninstaller_ = FollowChildOf(FollowChildOf(wine_uninstaller.pid, kWindowLimitMs).pid, kWindowLimitMs);
  ASSERT_TRUE(uninstaller_.valid());
  window_ = WaitForProcessWindow(uninstaller_.pid, kUninstallWindowTitle, kFrameClassName, kWindowLimitMs);
  ASSERT_NE(window_, nullptr);
  ASSERT_TRUE(WaitFor([&] { return StartPageShows(window_); }, kWindowLimitMs));
  ASSERT_TRUE(WaitFor([&] { return ::GetForegroundWindow() == window_; }, kWindowLimitMs));
  ASSERT_NO_FATAL_FAILURE(ClickThrough());
  EXPECT_EQ(UninstallerExit(), 0);
  WaitExitCode(wine_uninstaller, kRunLimitMs);
  ExpectNothingLeft();
  EXPECT_EQ(CaptureOutput(L"uninstaller.exe --list", &code).find("|||Vireo"), std::string::npos);
}

// A portable folder's uninstaller removes that folder and nothing of the registered
// installation beside it.
TEST_F(UninstallTest, PortableUninstallerRemovesItsFolderOnly) {
  const std::wstring portable = work_.Join(L"Portable Vireo");
  const InstallerRun run = RunInstallerCopy(BuiltInstaller("vireo_setup"), work_.path(),
                                            L"--silent --portable --pending_restart --installpath=\"" + portable + L"\"");
  ASSERT_EQ(run.exit_code, 0) << testing::PrintToString(run.log);
  const InstallationImage before = TakeInstallationImage();
  std::wstring uninstaller;
  for (const std::wstring& name : ListFolder(portable)) {
    const std::wstring candidate = portable + L"\\" + name + L"\\Installer\\" + kUninstallerFileName;
    if (PathExists(candidate)) uninstaller = candidate;
  }
  ASSERT_FALSE(uninstaller.empty());
  ASSERT_NO_FATAL_FAILURE(StartUninstall(L"\"" + uninstaller + L"\" --silent"));
  EXPECT_EQ(UninstallerExit(), 0);
  EXPECT_FALSE(PathExists(portable));
  EXPECT_EQ(DifferencesBetween(before, TakeInstallationImage()), L"");
  ExpectNoCopyLeft();
}

}  // namespace
}  // namespace vireo::test
