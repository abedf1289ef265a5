// Shared set-up of the extraction tests: a private temporary folder for the process (so the
// module file written there is never shared with a test running beside this one), the
// module loaded from this executable's resources, and a recorder of progress events.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

#include "archive/archive_plugin.h"
#include "archive/extract_archive.h"
#include "tests/test_support/file_io.h"
#include "tests/test_support/scoped_env.h"
#include "tests/test_support/scoped_temp_dir.h"
#include "tests/test_support/test_paths.h"

namespace vireo::test {

inline std::wstring Fixture(const char* name) { return BuildPath(std::string("archive_fixtures/") + name); }

struct ProgressEvent {
  int event;
  float percent;
  void* context;
};

// Collects events from whatever thread the module calls back on.
class ProgressRecorder {
 public:
  UnzipProgressCallback callback() {
    return [this](int event, float percent, std::shared_ptr<void> context) {
      std::lock_guard<std::mutex> lock(mutex_);
      events_.push_back({event, percent, context.get()});
    };
  }
  std::vector<ProgressEvent> events() {
    std::lock_guard<std::mutex> lock(mutex_);
    return events_;
  }

 private:
  std::mutex mutex_;
  std::vector<ProgressEvent> events_;
};

class ArchiveTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(temp_env_.ok());
    dest_ = temp_.Join(L"out");
  }
  void TearDown() override { UnloadArchivePlugin(); }

  void Load() { ASSERT_TRUE(LoadArchivePlugin(::GetModuleHandleW(nullptr), L"PACKAGE", L"IDR_DLL_7Z")); }

  int Extract(const std::wstring& archive, ProgressRecorder* recorder = nullptr) {
    return ExtractArchive(archive.c_str(), dest_.c_str(), std::make_shared<int>(0),
                          recorder ? recorder->callback() : UnzipProgressCallback());
  }

  std::wstring Out(const wchar_t* relative) const { return dest_ + L"\\" + relative; }

  ScopedTempDir temp_;
  ScopedTempFolderEnv temp_env_{temp_.path()};
  std::wstring dest_;
};

}  // namespace vireo::test
