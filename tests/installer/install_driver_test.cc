#include "installer/install.h"

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <string>
#include <vector>

#include "corekit/framework_thread.h"
#include "corekit/message_loop.h"
#include "corekit/thread_registry.h"
#include "installer/command_line.h"
#include "installer/install_options.h"
#include "installer/install_reporting.h"
#include "installer/installer_strings.h"
#include "support/install_log.h"
#include "support/scoped_handle.h"
#include "support/string_util.h"
#include "tests/test_support/file_io.h"
#include "tests/test_support/scoped_temp_dir.h"

namespace vireo {
namespace {

// A step that records what the driver asks of it.
class RecordingStep : public CWorkItem {
 public:
  RecordingStep(std::vector<std::string>* journal, std::string name, bool succeed, std::wstring error = L"",
                std::wstring not_restored = L"")
      : journal_(journal), name_(std::move(name)), succeed_(succeed), not_restored_(std::move(not_restored)) {
    error_text_ = std::move(error);
  }
  bool DoImpl() override {
    journal_->push_back("do " + name_);
    ReportProgress(PROGRESS_DIR, 42.9f);
    return succeed_;
  }
  void RollbackImpl() override {
    journal_->push_back("undo " + name_);
    if (!not_restored_.empty()) NoteRollbackFailure(not_restored_, ERROR_SHARING_VIOLATION);
  }

 private:
  std::vector<std::string>* journal_;
  std::string name_;
  bool succeed_;
  std::wstring not_restored_;
};

std::wstring LastLogLine() {
  const wchar_t* path = CInstallLog::Get().GetLogPath();
  if (!path) return L"";
  std::wstring log = Utf8ToWide(test::ReadFileBytes(path));
  while (!log.empty() && (log.back() == L'\n' || log.back() == L'\r')) log.pop_back();
  return log.substr(log.find_last_of(L'\n') + 1);
}

size_t CountInLog(const std::wstring& text) {
  const wchar_t* path = CInstallLog::Get().GetLogPath();
  if (!path) return 0;
  const std::wstring log = Utf8ToWide(test::ReadFileBytes(path));
  size_t count = 0;
  for (size_t pos = log.find(text); pos != std::wstring::npos; pos = log.find(text, pos + 1)) ++count;
  return count;
}

class InstallDriverTest : public testing::Test {
 protected:
  void SetUp() override {
    CInstallOptions::Get().ResetForTesting();
    app_dir_ = temp_.Join(L"App");
  }
  void TearDown() override { CInstall::SetStepFactoryForTesting(nullptr); }
  // A silent portable run into |app_dir_| with the given steps.
  void UseSteps(std::vector<std::shared_ptr<CWorkItem>> steps, bool portable = true) {
    CInstallOptions& o = CInstallOptions::Get();
    o.silent = true;
    o.portable = portable;
    o.SetPortableDir(app_dir_);
    CInstall::SetStepFactoryForTesting([steps] { return steps; });
  }

  test::ScopedTempDir temp_;
  std::wstring app_dir_;
  std::vector<std::string> journal_;
};

// Steps run in order; the failing one stops the list, later steps never start, and the
// rollback runs failed step first, then the earlier ones.
TEST_F(InstallDriverTest, FailureRollsBackStartedStepsInReverse) {
  const std::wstring message = L"step three failed " + std::to_wstring(::GetTickCount64());
  UseSteps({std::make_shared<RecordingStep>(&journal_, "unzip", true),
            std::make_shared<RecordingStep>(&journal_, "dir", true),
            std::make_shared<RecordingStep>(&journal_, "shortcut", false, message),
            std::make_shared<RecordingStep>(&journal_, "reg", true)});
  const InstallResult result = CInstall().Execute();
  EXPECT_FALSE(result.success);
  EXPECT_TRUE(result.ran_steps);
  EXPECT_EQ(result.message, message);
  EXPECT_EQ(journal_, (std::vector<std::string>{"do unzip", "do dir", "do shortcut", "undo shortcut", "undo dir",
                                                "undo unzip"}));
  EXPECT_EQ(CountInLog(L"[install] step failed: " + message), 1u);
  EXPECT_NE(LastLogLine().find(kRollbackCompleteLog), std::wstring::npos);
  EXPECT_FALSE(test::PathExists(app_dir_ + L"\\.portable"));  // no marker after a failure
}

// What a step could not put back is logged with its path and error code, and the run's last
// log line says the roll-back was incomplete; the other steps are still rolled back.
TEST_F(InstallDriverTest, IncompleteRollbackIsLoggedLast) {
  const std::wstring kept = temp_.Join(L"chrome.bak\\0.chrome.dll");
  UseSteps({std::make_shared<RecordingStep>(&journal_, "unzip", true, L"", kept),
            std::make_shared<RecordingStep>(&journal_, "dir", false)});
  EXPECT_FALSE(CInstall().Execute().success);
  EXPECT_EQ(journal_, (std::vector<std::string>{"do unzip", "do dir", "undo dir", "undo unzip"}));
  std::wstring line = kRollbackItemFailedLog;
  line.replace(line.find(L"%u"), 2, std::to_wstring(ERROR_SHARING_VIOLATION));
  line.replace(line.find(L"%s"), 2, kept);
  EXPECT_EQ(CountInLog(line), 1u);
  EXPECT_NE(LastLogLine().find(kRollbackIncompleteLog), std::wstring::npos);
}

// A step that fails without a message gets the generic one.
TEST_F(InstallDriverTest, EmptyErrorTextGetsTheGenericMessage) {
  UseSteps({std::make_shared<RecordingStep>(&journal_, "unzip", false)});
  const InstallResult result = CInstall().Execute();
  EXPECT_FALSE(result.success);
  EXPECT_EQ(result.message, kInstallFailedMessage);
  EXPECT_EQ(journal_, (std::vector<std::string>{"do unzip", "undo unzip"}));
}

// A successful portable run leaves a zero-byte marker, replacing an existing one.
TEST_F(InstallDriverTest, PortableSuccessWritesAnEmptyMarker) {
  ASSERT_TRUE(test::MakeDirs(app_dir_));
  ASSERT_TRUE(test::WriteFileBytes(app_dir_ + L"\\.portable", "stale contents"));
  ASSERT_TRUE(test::WriteFileBytes(app_dir_ + L"\\vireo.exe", "x"));  // an installation, so the path check passes
  UseSteps({std::make_shared<RecordingStep>(&journal_, "unzip", true),
            std::make_shared<RecordingStep>(&journal_, "dir", true)});
  const InstallResult result = CInstall().Execute();
  EXPECT_TRUE(result.success);
  EXPECT_EQ(result.message, L"");
  EXPECT_TRUE(test::PathExists(app_dir_ + L"\\.portable"));
  EXPECT_EQ(test::ReadFileBytes(app_dir_ + L"\\.portable"), "");
  EXPECT_EQ(journal_, (std::vector<std::string>{"do unzip", "do dir"}));
}

// A portable run whose marker cannot be written (its folder is gone) fails and is rolled
// back like a failed step.
TEST_F(InstallDriverTest, UnwritableMarkerRollsBackThePortableRun) {
  UseSteps({std::make_shared<RecordingStep>(&journal_, "unzip", true),
            std::make_shared<RecordingStep>(&journal_, "dir", true)});
  const InstallResult result = CInstall().Execute();
  EXPECT_FALSE(result.success);
  EXPECT_EQ(result.message, kPortableMarkerMessage);
  EXPECT_EQ(journal_, (std::vector<std::string>{"do unzip", "do dir", "undo dir", "undo unzip"}));
}

// A marker that exists but cannot be reopened for writing still counts as written.
TEST_F(InstallDriverTest, ExistingMarkerThatCannotBeOpenedKeepsSuccess) {
  ASSERT_TRUE(test::MakeDirs(app_dir_));
  ASSERT_TRUE(test::WriteFileBytes(app_dir_ + L"\\vireo.exe", "x"));
  ASSERT_TRUE(test::WriteFileBytes(app_dir_ + L"\\.portable", ""));
  ScopedFile held(::CreateFileW((app_dir_ + L"\\.portable").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
  ASSERT_TRUE(held.valid());
  UseSteps({std::make_shared<RecordingStep>(&journal_, "unzip", true)});
  EXPECT_TRUE(CInstall().Execute().success);
}

// A refused folder stops the run before any step, with ran_steps false and a log line.
TEST_F(InstallDriverTest, RefusedFolderRunsNoStep) {
  ASSERT_TRUE(test::MakeDirs(app_dir_));
  ASSERT_TRUE(test::WriteFileBytes(app_dir_ + L"\\foreign.txt", "x"));
  UseSteps({std::make_shared<RecordingStep>(&journal_, "unzip", true)});
  const InstallResult result = CInstall().Execute();
  EXPECT_FALSE(result.success);
  EXPECT_FALSE(result.ran_steps);
  EXPECT_TRUE(journal_.empty());
  EXPECT_GE(CountInLog(L"[install] path check failed: " + result.message), 1u);
}

// Receives reports on the thread that runs it and records them.
class RecordingObserver : public CInstallObserver {
 public:
  explicit RecordingObserver(std::vector<std::string>* events) : events_(events) {}
  void OnProgress(SETUP_PROGRESS stage, float percent) override {
    events_->push_back("progress " + std::to_string(stage) + " " + std::to_string(static_cast<int>(percent)) +
                       (corekit::ThreadRegistry::CurrentId() == 1 ? " on 1" : " elsewhere"));
  }
  void OnInstallResult(bool success, std::wstring message, bool ran_steps) override {
    events_->push_back("result " + std::to_string(success) + " " + std::to_string(ran_steps) + " " +
                       WideToUtf8(message) + (corekit::ThreadRegistry::CurrentId() == 1 ? " on 1" : " elsewhere"));
    corekit::MessageLoop::Current()->Quit();
  }

 private:
  std::vector<std::string>* events_;
};

// Plays thread 1: registers itself, starts a worker as thread 2 and runs |on_init| there.
class TestMainThread : public corekit::FrameworkThread {
 public:
  explicit TestMainThread(std::function<void(TestMainThread*)> on_init)
      : corekit::FrameworkThread("TestMain"), on_init_(std::move(on_init)) {}
  ~TestMainThread() override { Stop(); }
  corekit::FrameworkThread* worker() { return &worker_; }

 protected:
  void Init() override {
    corekit::ThreadRegistry::Register(1);
    on_init_(this);
  }
  void Cleanup() override {
    worker_.Stop();
    corekit::ThreadRegistry::Unregister();
  }

 private:
  class Worker : public corekit::FrameworkThread {
   public:
    Worker() : corekit::FrameworkThread("TestWorker") {}
    ~Worker() override { Stop(); }

   protected:
    void Init() override { corekit::ThreadRegistry::Register(2); }
    void Cleanup() override { corekit::ThreadRegistry::Unregister(); }
  };
  std::function<void(TestMainThread*)> on_init_;
  Worker worker_;
};

// Progress and the result of a driver run on thread 2 arrive on thread 1, in posting order,
// the result last.
TEST_F(InstallDriverTest, ReportsArriveOnThreadOneInOrder) {
  std::vector<std::string> events;
  RecordingObserver observer(&events);
  UseSteps({std::make_shared<RecordingStep>(&journal_, "a", true),
            std::make_shared<RecordingStep>(&journal_, "b", false, L"boom")});
  TestMainThread main([&](TestMainThread* self) {
    SetInstallObserver(&observer);
    ASSERT_TRUE(self->worker()->Start());
    corekit::ThreadRegistry::PostTask(2, [] { CInstall().Run(); });
  });
  main.RunOnCurrentThread(corekit::MessageLoop::Type::kUI);
  SetInstallObserver(nullptr);
  EXPECT_EQ(events, (std::vector<std::string>{"progress 1 42 on 1", "progress 1 42 on 1", "result 0 1 boom on 1"}));
}

// Reports that arrive after the observer is destroyed are dropped.
TEST_F(InstallDriverTest, ReportsForADestroyedObserverAreDropped) {
  std::vector<std::string> events;
  auto observer = std::make_unique<RecordingObserver>(&events);
  ScopedHandle posted(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
  TestMainThread main([&](TestMainThread* self) {
    SetInstallObserver(observer.get());
    ASSERT_TRUE(self->worker()->Start());
    // Thread 1 stays busy in this task until both reports are queued behind it, then the
    // observer goes.
    corekit::ThreadRegistry::PostTask(1, [&] {
      corekit::ThreadRegistry::PostTask(2, [&] {
        ReportProgress(PROGRESS_UNZIP, 10.0f);
        InstallResult result;
        result.success = true;
        ReportInstallResult(result);
        ::SetEvent(posted.get());
      });
      ASSERT_EQ(::WaitForSingleObject(posted.get(), 10000), WAIT_OBJECT_0);
      observer.reset();
      corekit::ThreadRegistry::PostTask(1, [] { corekit::MessageLoop::Current()->Quit(); });
    });
  });
  main.RunOnCurrentThread(corekit::MessageLoop::Type::kUI);
  SetInstallObserver(nullptr);
  EXPECT_TRUE(events.empty());
}

}  // namespace
}  // namespace vireo
