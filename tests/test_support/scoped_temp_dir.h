// A fresh folder under the user's temporary folder, removed with everything in it when the
// owner goes away (read-only files included).
#pragma once

#include <string>
#include <string_view>

namespace vireo::test {

class ScopedTempDir {
 public:
  ScopedTempDir();
  ~ScopedTempDir();
  ScopedTempDir(const ScopedTempDir&) = delete;
  ScopedTempDir& operator=(const ScopedTempDir&) = delete;

  // The folder, without a trailing backslash.
  const std::wstring& path() const { return path_; }
  std::wstring Join(std::wstring_view relative) const { return path_ + L"\\" + std::wstring(relative); }

 private:
  std::wstring path_;
};

// Recursive removal for test clean-up; never follows junctions out of the tree.
void RemoveTreeForTest(const std::wstring& path);

}  // namespace vireo::test
