// Running copies of the demo browser (demo/demo_browser.cc) in tests.
#pragma once

#include <string>

#include "tests/test_support/process_runner.h"

namespace vireo::test {

// The built demo browser; versioned copies live in test_helpers/ (see tests/installer/steps).
std::wstring DemoBrowserPath();

// Copies |from| to |to| (overwriting); false on failure.
bool CopyProgram(const std::wstring& from, const std::wstring& to);

// Starts |exe| with |args| plus a ready event and a 60-second lifetime, and waits (hard limit
// 20 s) until it reports that its window exists and its child (if any) was started. An
// invalid Child when it did not get there (it is then ended).
Child StartBrowser(const std::wstring& exe, const std::wstring& args = L"");

// True while |child| has not ended.
bool IsRunning(const Child& child);

}  // namespace vireo::test
