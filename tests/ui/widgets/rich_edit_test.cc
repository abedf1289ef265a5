#include "ui/widgets/rich_edit.h"

#include "tests/ui/widgets/widget_test_host.h"

namespace ui {
namespace {

using testing::TestHost;

// The installer's folder box.
constexpr wchar_t kFolderBox[] =
    L"<RichEdit name=\"path\" width=\"320\" height=\"30\" font=\"system_14\" multiline=\"false\" "
    L"autohscroll=\"true\" readonly=\"true\"/>";

// A folder path of 250 characters, most of them CJK.
std::wstring LongCjkPath() {
  std::wstring path = L"C:\\用户\\";
  for (int i = 0; path.size() < 250; ++i) path += (i % 10 == 9) ? L'\\' : L"浏览器安装目录"[i % 7];
  return path;
}

class RichEditTest : public testing::SkinTest {
 protected:
  void TearDown() override {
    SetTextServicesLibraryForTesting(L"");
    SkinTest::TearDown();
  }
};

TEST_F(RichEditTest, LongCjkPathRoundTripsOnOneLineShowingItsBeginning) {
  TestHost host;
  ASSERT_TRUE(host.Open(kFolderBox, SIZE{400, 60}));
  host.PaintAll();
  auto* edit = host.Find<RichEdit>(L"path");
  ASSERT_TRUE(edit->HasTextServices());

  const std::wstring path = LongCjkPath();
  ASSERT_EQ(path.size(), 250u);
  edit->SetText(path);
  EXPECT_EQ(edit->GetText(), path);
  EXPECT_EQ(edit->SendTextMessage(EM_GETLINECOUNT, 0, 0), 1);

  // The first character sits at the left edge, the last one far beyond the right edge.
  const RECT& pos = edit->GetPos();
  POINTL first{};
  POINTL last{};
  edit->SendTextMessage(EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&first), 0);
  edit->SendTextMessage(EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&last), 249);
  EXPECT_GE(first.x, pos.left);
  EXPECT_LE(first.x, pos.left + 4);
  EXPECT_GT(last.x, pos.right);
  EXPECT_EQ(first.y, last.y);

  // And the beginning is what is drawn: ink in the box's first 40 pixels.
  host.PaintAll();
  int ink = 0;
  for (int y = pos.top; y < pos.bottom; ++y) {
    for (int x = pos.left; x < pos.left + 40; ++x) ink += (host.Pixel(x, y) & 0xFFFFFF) != 0;
  }
  EXPECT_GT(ink, 0);
}

TEST_F(RichEditTest, TypingChangesNothingInAReadOnlyBox) {
  TestHost host;
  ASSERT_TRUE(host.Open(std::wstring(kFolderBox) +
                            L"<RichEdit name=\"free\" width=\"320\" height=\"30\" "
                            L"multiline=\"false\" float=\"true\" margin=\"0,30,0,0\"/>",
                        SIZE{400, 60}));
  host.Layout();
  auto* read_only = host.Find<RichEdit>(L"path");
  auto* free = host.Find<RichEdit>(L"free");
  read_only->SetText(L"C:\\Vireo");
  free->SetText(L"C:\\Vireo");

  // The same keys through the window reach the focused box: the free one takes them.
  for (RichEdit* edit : {read_only, free}) {
    edit->SetFocus();
    ASSERT_EQ(host.GetFocus(), edit);
    ::SendMessageW(host.GetHWND(), WM_KEYDOWN, VK_END, 0);
    ::SendMessageW(host.GetHWND(), WM_CHAR, L'x', 0);
    ::SendMessageW(host.GetHWND(), WM_KEYDOWN, VK_HOME, 0);
    ::SendMessageW(host.GetHWND(), WM_KEYDOWN, VK_DELETE, 0);
  }
  EXPECT_EQ(read_only->GetText(), L"C:\\Vireo");
  EXPECT_EQ(free->GetText(), L":\\Vireox");
}

TEST_F(RichEditTest, NumberBoxDropsTypedNonDigits) {
  TestHost host;
  ASSERT_TRUE(host.Open(L"<RichEdit name=\"n\" width=\"100\" height=\"30\" number=\"true\"/>",
                        SIZE{200, 40}));
  host.Layout();
  auto* edit = host.Find<RichEdit>(L"n");
  edit->SetFocus();
  for (wchar_t ch : std::wstring(L"1a2-3")) ::SendMessageW(host.GetHWND(), WM_CHAR, ch, 0);
  // Backspace as a keyboard sends it: the key, then its control character.
  ::SendMessageW(host.GetHWND(), WM_KEYDOWN, VK_BACK, 0);
  ::SendMessageW(host.GetHWND(), WM_CHAR, VK_BACK, 0);
  EXPECT_EQ(edit->GetText(), L"12");
}

TEST_F(RichEditTest, WithoutTheServicesItKeepsItsText) {
  SetTextServicesLibraryForTesting(L"no_such_text_services.dll");
  TestHost host;
  ASSERT_TRUE(host.Open(kFolderBox, SIZE{400, 60}));
  auto* edit = host.Find<RichEdit>(L"path");
  EXPECT_FALSE(edit->HasTextServices());
  edit->SetText(LongCjkPath());
  EXPECT_EQ(edit->GetText(), LongCjkPath());
  host.PaintAll();  // paints its background only
  ::SendMessageW(host.GetHWND(), WM_CHAR, L'x', 0);
  EXPECT_EQ(edit->GetText(), LongCjkPath());
}

}  // namespace
}  // namespace ui
