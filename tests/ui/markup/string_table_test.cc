#include "ui/markup/string_table.h"

#include <gtest/gtest.h>

namespace ui {
namespace {

TEST(StringTableTest, LinesEscapesAndUnknownIds) {
  StringTable table;
  table.Load(
      L"[strings]\r\n"
      L"; comment=no\r\n"
      L"STRID_TITLE = Vireo \u5B89\u88C5 \r\n"
      L"STRID_TWO_LINES=first\\nsecond\\rthird\\t\n"
      L"no equals sign\n"
      L"=empty id\n"
      L"STRID_TITLE_DUP=a=b\n"
      L"STRID_LAST=last");
  EXPECT_EQ(table.size(), 4u);
  EXPECT_EQ(table.Get(L"STRID_TITLE"), L"Vireo \u5B89\u88C5");
  EXPECT_EQ(table.Get(L"STRID_TWO_LINES"), L"first\nsecond\rthird\\t");
  EXPECT_EQ(table.Get(L"STRID_TITLE_DUP"), L"a=b");
  EXPECT_EQ(table.Get(L"STRID_LAST"), L"last");
  EXPECT_EQ(table.Get(L"comment"), L"");
  EXPECT_EQ(table.Get(L"missing"), L"");
}

}  // namespace
}  // namespace ui
