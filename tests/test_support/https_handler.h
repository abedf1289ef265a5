// The command the shell opens "https:" addresses with, replaced for a test's lifetime so a
// page the code under test opens lands in a program the test watches.
#pragma once

#include <string>

namespace vireo::test {

class ScopedHttpsHandler {
 public:
  // |command| as the registry holds it, e.g. "\"C:\\x\\browser.exe\" \"%1\"".
  explicit ScopedHttpsHandler(const std::wstring& command);
  // Puts the earlier command back.
  ~ScopedHttpsHandler();
  ScopedHttpsHandler(const ScopedHttpsHandler&) = delete;
  ScopedHttpsHandler& operator=(const ScopedHttpsHandler&) = delete;

  // False when the command could not be written (nothing is restored then).
  bool ok() const { return ok_; }

 private:
  std::wstring previous_;
  bool ok_ = false;
};

}  // namespace vireo::test
