#include "tests/test_support/test_paths.h"

#include "support/string_util.h"

namespace vireo::test {

std::wstring UnixToWindowsPath(std::string_view unix_path) {
  std::wstring w = L"Z:" + Utf8ToWide(unix_path);
  for (auto& c : w) if (c == L'/') c = L'\\';
  return w;
}

std::wstring BuildPath(std::string_view relative) {
  return UnixToWindowsPath(std::string(VIREO_TEST_BUILD_DIR) + "/" + std::string(relative));
}

std::wstring SourcePath(std::string_view relative) {
  return UnixToWindowsPath(std::string(VIREO_TEST_SOURCE_DIR) + "/" + std::string(relative));
}

}  // namespace vireo::test
