#include "ui/core/control_builder.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "tests/test_support/file_io.h"
#include "tests/test_support/scoped_temp_dir.h"
#include "tests/ui/core/core_test_util.h"
#include "ui/core/box.h"
#include "ui/core/control_factory.h"
#include "ui/markup/global_manager.h"

namespace ui {
namespace {

std::wstring Names(Box* box) {
  std::wstring names;
  for (const auto& child : box->items()) names += child->GetName() + L";";
  return names;
}

std::unique_ptr<Control> Build(const std::wstring& xml, ControlFactoryCallback factory = nullptr) {
  return ControlBuilder(nullptr, std::move(factory)).Create(xml);
}

// Element names become controls through the core kinds, the registry, the global factory
// and the caller's factory, in that order; what nothing makes is skipped with its subtree.
// Attributes apply in document order.
TEST(ControlBuilderTest, ElementsToControls) {
  RegisterControlKind(L"Registered", []() -> std::unique_ptr<Control> {
    return ui_test::Make({{L"dataid", L"registry"}});
  });
  SetGlobalControlFactory([](const std::wstring& name) -> std::unique_ptr<Control> {
    return name == L"Global" || name == L"Both" ? ui_test::Make({{L"dataid", L"global"}}) : nullptr;
  });
  GlobalManager::Get().definitions().classes.Set(L"wide", L"width=\"10\"");
  const auto factory = [](const std::wstring& name) -> std::unique_ptr<Control> {
    return name == L"Custom" || name == L"Both" ? std::make_unique<Control>() : nullptr;
  };
  std::unique_ptr<Control> root = Build(
      L"<Window size=\"1,1\"><Font id=\"f\" name=\"x\"/><Class name=\"c\" width=\"1\"/>"
      L"<VBox name=\"root\"><Control name=\"a\" class=\"wide\" width=\"5\"/>"
      L"<Unknown name=\"u\"><Control name=\"lost\"/></Unknown>"
      L"<Custom name=\"c\"/><Registered name=\"r\"/><Global name=\"g\"/><Both name=\"b\"/>"
      L"<Event type=\"click\"/><HBox name=\"h\"/></VBox><Control name=\"second\"/></Window>",
      factory);
  auto* box = dynamic_cast<VBox*>(root.get());
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(box->GetName(), L"root");
  EXPECT_EQ(Names(box), L"a;c;r;g;b;h;");
  EXPECT_EQ(box->GetItemAt(0)->GetFixedWidth(), 5);
  EXPECT_EQ(box->GetItemAt(2)->GetDataId(), L"registry");
  EXPECT_EQ(box->GetItemAt(4)->GetDataId(), L"global");
  EXPECT_EQ(box->GetItemAt(5)->GetType(), L"HBox");
}

// Include builds another skin file into the current parent, "count" times.
TEST(ControlBuilderTest, IncludeRepeatsAFile) {
  vireo::test::ScopedTempDir dir;
  const std::wstring part = dir.Join(L"part.xml");
  ASSERT_TRUE(vireo::test::WriteFileBytes(part, "<Window><Control name=\"p\"/></Window>"));
  std::unique_ptr<Control> root =
      Build(L"<Window><HBox><Include source=\"" + part + L"\" count=\"3\"/><Include source=\"" +
            part + L"\"/><Include source=\"missing.xml\" count=\"0\"/></HBox></Window>");
  auto* box = dynamic_cast<Box*>(root.get());
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(Names(box), L"p;p;p;p;");
}

// Bad skins build nothing rather than crash or run away: a child under a control that is
// not a box, nesting beyond the limit (a 10,000-deep file, an include of itself), and
// repeated includes that would multiply without end.
TEST(ControlBuilderTest, BadSkinsBuildNothing) {
  EXPECT_EQ(Build(L"<Window><Box><Control><Control/></Control></Box></Window>"), nullptr);
  EXPECT_EQ(Build(L"<Window><Box></Window>"), nullptr);  // does not parse

  std::wstring deep;
  for (int i = 0; i < 10000; ++i) deep += L"<Box>";
  for (int i = 0; i < 10000; ++i) deep += L"</Box>";
  EXPECT_EQ(Build(L"<Window>" + deep + L"</Window>"), nullptr);
  std::wstring allowed;
  for (int i = 0; i < kMaxBuildDepth; ++i) allowed += L"<Box>";
  for (int i = 0; i < kMaxBuildDepth; ++i) allowed += L"</Box>";
  EXPECT_NE(Build(L"<Window>" + allowed + L"</Window>"), nullptr);

  vireo::test::ScopedTempDir dir;
  const std::wstring self = dir.Join(L"self.xml");
  const std::string self_utf8(self.begin(), self.end());  // the temp path is ASCII
  ASSERT_TRUE(vireo::test::WriteFileBytes(
      self, "<Window><Include source=\"" + self_utf8 + "\"/></Window>"));
  EXPECT_EQ(Build(L"<Window><Box><Include source=\"" + self + L"\"/></Box></Window>"), nullptr);

  const std::wstring fan = dir.Join(L"fan.xml");
  const std::string fan_utf8(fan.begin(), fan.end());
  ASSERT_TRUE(vireo::test::WriteFileBytes(
      fan, "<Window><Control/><Include source=\"" + fan_utf8 + "\" count=\"1000\"/></Window>"));
  EXPECT_EQ(Build(L"<Window><Box><Include source=\"" + fan + L"\"/></Box></Window>"), nullptr);
}

}  // namespace
}  // namespace ui
