// Starting the real install window again and again: a window that fails to come up even
// once in many starts (a start-up race) is found here, not by a user who double-clicks and
// sees nothing. Used by the end-to-end window tests and by tools/window_stress.sh.
#pragma once

#include <functional>
#include <string>

namespace vireo::test {

struct RepeatedStarts {
  int painted = 0;  // runs whose start page was painted within the limit
  int runs = 0;     // runs started
};

// Starts |command_line| |runs| times in a row. Each run must show its painted start page
// within |limit_ms| and is then ended (terminated, and waited for) before the next starts, so
// the one-installer lock never sees two at once. |on_run| (may be empty) is told each run's
// number and whether it painted, for progress output.
RepeatedStarts StartWindowRepeatedly(const std::wstring& command_line, int runs, unsigned limit_ms,
                                     const std::function<void(int, bool)>& on_run = nullptr);

}  // namespace vireo::test
