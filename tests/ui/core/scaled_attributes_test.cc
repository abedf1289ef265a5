#include "ui/core/scaled_attributes.h"

#include <gtest/gtest.h>

#include <cwctype>
#include <string>

namespace ui {
namespace {

// A control stand-in: numbers are lengths read with the scale, anything else is not, and
// "class" applies the list it names through the same remembering.
class Remembering {
 public:
  void Apply(const std::wstring& name, const std::wstring& value) {
    attributes_.Apply(name, value, [this](const std::wstring& n, const std::wstring& v) { Set(n, v); });
  }
  // What applying the remembered attributes again does, in order.
  std::wstring Again() {
    std::wstring log;
    attributes_.ApplyAgain([&](const std::wstring& n, const std::wstring& v) { log += n + L"=" + v + L" "; });
    return log;
  }

 private:
  void Set(const std::wstring& name, const std::wstring& value) {
    if (name == L"class") {
      Apply(L"margin", L"4");
      Apply(L"tooltip", L"x");
    } else if (!value.empty() && std::iswdigit(value[0])) {
      NoteScaledRead();
    }
  }

  ScaledAttributes attributes_;
};

TEST(ScaledAttributesTest, RemembersWhatWasScaledInTheOrderLastApplied) {
  Remembering control;
  control.Apply(L"width", L"10");
  control.Apply(L"text", L"hello");
  control.Apply(L"class", L"link");  // applies margin=4 and a tooltip
  control.Apply(L"bordersize", L"1");
  control.Apply(L"width", L"20");  // moves to the end
  EXPECT_EQ(control.Again(), L"margin=4 bordersize=1 width=20 ");

  control.Apply(L"bordersize", L"auto");  // no longer scaled: the old value must not return
  EXPECT_EQ(control.Again(), L"margin=4 width=20 ");
}

}  // namespace
}  // namespace ui
