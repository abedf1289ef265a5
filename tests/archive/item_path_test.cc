#include "archive/item_path.h"

#include <gtest/gtest.h>

namespace vireo {
namespace {

// Names that stay below the destination pass, whatever separators or odd characters they use.
TEST(ItemPathTest, ContainedNamesPass) {
  for (const wchar_t* name : {L"", L"a.txt", L"dir/sub/file", L"dir\\file", L".\\a", L"a..b", L"..a", L"a..",
                              L"notes 10:30.txt", L"dir/./file", L"...hidden"}) {
    EXPECT_TRUE(IsContainedItemName(name)) << name;
  }
}

// Parent steps (also in the forms Windows trims to one), roots and drives are refused.
TEST(ItemPathTest, EscapingNamesAreRefused) {
  for (const wchar_t* name : {L"..", L"../x", L"..\\x", L"a/../../x", L"a\\..", L"/x", L"\\x", L"\\\\server\\share\\x",
                              L"C:\\x", L"c:/x", L"C:x", L"... /x", L". ./x", L"a/.. /b", L"a/.../b"}) {
    EXPECT_FALSE(IsContainedItemName(name)) << name;
  }
}

// Empty file names get a generated name; slashes and colons are mapped, directories keep empty names.
TEST(ItemPathTest, MappingOfStoredNames) {
  EXPECT_EQ(MapItemName(L"", 7, false), L"[Content]_7");
  EXPECT_EQ(MapItemName(L"", 7, true), L"");
  EXPECT_EQ(MapItemName(L"a/b:c/d", 0, false), L"a\\b_c\\d");
  EXPECT_EQ(JoinItemPath(L"C:\\dest", L"x"), L"C:\\dest\\x");
  EXPECT_EQ(JoinItemPath(L"C:\\dest\\", L"x"), L"C:\\dest\\x");
  EXPECT_EQ(JoinItemPath(L"", L"x"), L"x");
}

// Containment compares normalised paths component-wise, ignoring A-Z case.
TEST(ItemPathTest, BelowFolderComparison) {
  EXPECT_TRUE(IsBelowFolder(L"C:\\dest", L"c:\\DEST\\x", false));
  EXPECT_FALSE(IsBelowFolder(L"C:\\dest", L"C:\\destination\\x", false));
  EXPECT_FALSE(IsBelowFolder(L"C:\\dest", L"C:\\dest", false));
  EXPECT_TRUE(IsBelowFolder(L"C:\\dest\\", L"C:\\dest\\", true));
  EXPECT_FALSE(IsBelowFolder(L"", L"C:\\x", true));
  EXPECT_FALSE(IsBelowFolder(L"C:\\dest", FullPathOf(L"C:\\dest\\a\\..\\..\\x"), false));
}

}  // namespace
}  // namespace vireo
