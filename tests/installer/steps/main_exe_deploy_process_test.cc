#include "installer/steps/main_exe_deploy.h"

#include <gtest/gtest.h>

#include <windows.h>

#include "tests/test_support/demo_browser.h"
#include "tests/test_support/file_io.h"
#include "tests/test_support/scoped_temp_dir.h"
#include "tests/test_support/test_paths.h"

namespace vireo {
namespace {

std::wstring V1() { return test::BuildPath("test_helpers/demo_browser_v1.exe"); }
std::wstring V2() { return test::BuildPath("test_helpers/demo_browser_v2.exe"); }

class MainExeDeployTest : public testing::Test {
 protected:
  void SetUp() override {
    app_ = dir_.Join(L"Application");
    staging_ = dir_.Join(L"staging");
    ASSERT_TRUE(test::MakeDirs(app_));
    ASSERT_TRUE(test::MakeDirs(staging_));
    main_ = app_ + L"\\vireo.exe";
    new_ = app_ + L"\\new_vireo.exe";
    old_ = app_ + L"\\old_vireo.exe";
  }
  void TearDown() override { test::EndChild(browser_); }

  // A staged source file holding |program|.
  std::wstring Source(const std::wstring& program, const wchar_t* name = L"vireo.exe") {
    const std::wstring s = staging_ + L"\\" + name;
    EXPECT_TRUE(test::CopyProgram(program, s));
    return s;
  }

  void RunMain() {
    browser_ = test::StartBrowser(main_);
    ASSERT_TRUE(browser_.valid());
  }

  test::ScopedTempDir dir_;
  std::wstring app_, staging_, main_, new_, old_;
  test::Child browser_;
};

// Without a running browser the source simply becomes vireo.exe.
TEST_F(MainExeDeployTest, ReplacesAnIdleMainExecutable) {
  ASSERT_TRUE(test::CopyProgram(V1(), main_));
  const std::wstring s = Source(V2());
  EXPECT_TRUE(DeployMainProcessExe(s.c_str(), app_.c_str()));
  EXPECT_EQ(test::ReadFileBytes(main_), test::ReadFileBytes(V2()));
  EXPECT_FALSE(test::PathExists(s));
  EXPECT_FALSE(test::PathExists(new_));

  // Also into a folder without any main executable (trailing backslash on the folder).
  ASSERT_TRUE(::DeleteFileW(main_.c_str()));
  const std::wstring s1 = Source(V1());
  EXPECT_TRUE(DeployMainProcessExe(s1.c_str(), (app_ + L"\\").c_str()));
  EXPECT_EQ(test::ReadFileBytes(main_), test::ReadFileBytes(V1()));
}

// While vireo.exe runs, the source is staged as new_vireo.exe; an older staged file gives
// way to a newer source, while a staged file at least as new as the source is kept and the
// source left where it is.
TEST_F(MainExeDeployTest, StagesBesideARunningMainExecutableByVersion) {
  ASSERT_TRUE(test::CopyProgram(V1(), main_));
  RunMain();
  const std::wstring first = Source(V1());
  EXPECT_TRUE(DeployMainProcessExe(first.c_str(), app_.c_str()));
  EXPECT_EQ(test::ReadFileBytes(new_), test::ReadFileBytes(V1()));
  EXPECT_FALSE(test::PathExists(first));
  EXPECT_EQ(test::ReadFileBytes(main_), test::ReadFileBytes(V1()));

  const std::wstring newer = Source(V2());
  EXPECT_TRUE(DeployMainProcessExe(newer.c_str(), app_.c_str()));
  EXPECT_EQ(test::ReadFileBytes(new_), test::ReadFileBytes(V2()));
  EXPECT_FALSE(test::PathExists(newer));

  const std::wstring same = Source(V2());
  EXPECT_TRUE(DeployMainProcessExe(same.c_str(), app_.c_str()));
  EXPECT_TRUE(test::PathExists(same));
  const std::wstring older = Source(V1(), L"older.exe");
  EXPECT_TRUE(DeployMainProcessExe(older.c_str(), app_.c_str()));
  EXPECT_TRUE(test::PathExists(older));
  EXPECT_EQ(test::ReadFileBytes(new_), test::ReadFileBytes(V2()));
  EXPECT_TRUE(test::IsRunning(browser_));
}

// Unpacked in place (source is vireo.exe itself): fine when idle or when an update is
// already staged, not when it runs without one or is missing.
TEST_F(MainExeDeployTest, SourceIsTheMainExecutableItself) {
  EXPECT_FALSE(DeployMainProcessExe(main_.c_str(), app_.c_str()));  // missing source
  ASSERT_TRUE(test::CopyProgram(V1(), main_));
  std::wstring spelled = main_;
  CharUpperW(spelled.data());
  EXPECT_TRUE(DeployMainProcessExe(spelled.c_str(), app_.c_str()));
  RunMain();
  EXPECT_FALSE(DeployMainProcessExe(main_.c_str(), app_.c_str()));
  ASSERT_TRUE(test::CopyProgram(V2(), new_));
  EXPECT_TRUE(DeployMainProcessExe(main_.c_str(), app_.c_str()));
  EXPECT_TRUE(test::IsRunning(browser_));
}

// Null, empty and missing arguments, and a folder too long for the path buffers.
TEST_F(MainExeDeployTest, RefusesBadArguments) {
  const std::wstring s = Source(V1());
  EXPECT_FALSE(DeployMainProcessExe(nullptr, app_.c_str()));
  EXPECT_FALSE(DeployMainProcessExe(s.c_str(), nullptr));
  EXPECT_FALSE(DeployMainProcessExe(L"", app_.c_str()));
  EXPECT_FALSE(DeployMainProcessExe(s.c_str(), L""));
  EXPECT_FALSE(DeployMainProcessExe((staging_ + L"\\missing.exe").c_str(), app_.c_str()));
  const std::wstring too_long = L"C:\\" + std::wstring(252, L'l');
  EXPECT_FALSE(DeployMainProcessExe(s.c_str(), too_long.c_str()));
  EXPECT_TRUE(test::PathExists(s));
}

}  // namespace
}  // namespace vireo
