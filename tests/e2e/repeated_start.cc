#include "tests/e2e/repeated_start.h"

#include "installer/installer_strings.h"
#include "tests/e2e/install_window_pages.h"
#include "tests/e2e/window_driver.h"
#include "tests/test_support/process_runner.h"

namespace vireo::test {

RepeatedStarts StartWindowRepeatedly(const std::wstring& command_line, int runs, unsigned limit_ms,
                                     const std::function<void(int, bool)>& on_run) {
  RepeatedStarts result;
  for (int run = 1; run <= runs; ++run) {
    Child child = StartChild(command_line);
    ++result.runs;
    bool painted = false;
    if (child.valid()) {
      HWND window = nullptr;
      painted = WaitFor([&] {
        if (!window) window = FindProcessWindow(child.pid, kInstallWindowTitle);
        return window && install_window::StartPageShows(window);
      }, limit_ms);
    }
    if (painted) ++result.painted;
    if (on_run) on_run(run, painted);
    EndChild(child);
  }
  return result;
}

}  // namespace vireo::test
