#include "installer/ui/install_folder.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "tests/test_support/scoped_temp_dir.h"

namespace vireo {
namespace {

// The picker opens on the nearest folder that exists; forward slashes count as separators.
TEST(InstallFolder, TrimsToTheNearestExistingAncestor) {
  test::ScopedTempDir temp;
  const std::wstring kept = temp.Join(L"kept");
  ASSERT_TRUE(::CreateDirectoryW(kept.c_str(), nullptr));
  struct Case {
    std::wstring text;
    std::wstring expected;
  };
  const Case cases[] = {
      {kept, kept},
      {kept + L"\\gone\\deeper", kept},
      {kept + L"/gone/deeper", kept},
      {kept + L"\\gone/deeper\\", kept},
      {L"nothing-like-this", L""},
      {L"", L""},
  };
  for (const Case& c : cases) EXPECT_EQ(TrimToExistingFolder(c.text), c.expected) << testing::PrintToString(c.text);
}

TEST(InstallFolder, MapsTheChosenFolder) {
  const std::wstring root = L"C:\\users\\u\\AppData\\Local\\Vireo\\";
  struct Case {
    const wchar_t* chosen;
    const wchar_t* product_en;
    const wchar_t* expected;
  };
  const Case cases[] = {
      {L"D:\\", L"Vireo", L"D:\\Vireo"},                       // drive root: + product name
      {L"\\\\server\\share", L"Vireo", L"\\\\server\\share\\Vireo"},  // share root too
      {L"D:\\", L"", L"D:\\Vireo"},                            // product name falls back
      {L"C:\\users\\u\\appdata\\local\\vireo\\Application", L"Vireo",
       L"C:\\users\\u\\AppData\\Local\\Vireo"},                // below the root: the root
      {L"C:\\users\\u\\AppData\\Local\\Vireo", L"Vireo", L"C:\\users\\u\\AppData\\Local\\Vireo"},
      {L"C:\\users\\u\\AppData\\Local\\VireoX", L"Vireo", L"C:\\users\\u\\AppData\\Local\\VireoX\\Vireo"},
      {L"D:\\Apps", L"Vireo", L"D:\\Apps\\Vireo"},             // other folder: + product_en
      {L"D:\\Apps\\VIREO", L"Vireo", L"D:\\Apps\\VIREO"},      // already named after it
      {L"D:\\Apps", L"", L"D:\\Apps"},                         // no product_en: unchanged
  };
  for (const Case& c : cases) {
    EXPECT_EQ(MapChosenFolder(c.chosen, root, L"Vireo", c.product_en), c.expected) << testing::PrintToString(c.chosen);
  }
}

// A result that would not fit a path buffer is refused, so the edit box keeps its text.
TEST(InstallFolder, RefusesAResultTooLongForAPath) {
  const std::wstring long_folder = L"D:\\" + std::wstring(255, L'a');
  EXPECT_EQ(MapChosenFolder(long_folder, L"C:\\Root\\", L"Vireo", L"Vireo"), L"");
  EXPECT_EQ(MapChosenFolder(L"D:\\" + std::wstring(300, L'a'), L"C:\\Root\\", L"Vireo", L""), L"");
}

}  // namespace
}  // namespace vireo
