#include "ui/markup/class_table.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace ui {
namespace {

std::wstring Walk(std::wstring_view list) {
  std::wstring seen;
  ForEachListedAttribute(list, [&seen](std::wstring_view name, std::wstring_view value) {
    seen.append(name).append(L":").append(value).append(L";");
  });
  return seen;
}

TEST(ClassTableTest, AttributeListWalkStopsAtFirstMisfit) {
  struct Case {
    const wchar_t* list;
    const wchar_t* seen;
  };
  const Case cases[] = {
      {L"width=\"14\" font=\"system_12\"", L"width:14;font:system_12;"},
      {L"normalimage=\"file='a.png' source='0,0,46,32'\"", L"normalimage:file='a.png' source='0,0,46,32';"},
      {L"a=\"\" b=\"2\"", L"a:;b:2;"},
      {L"a=\"1\"  b=\"2\"", L"a:1;"},   // two spaces
      {L"a=\"1\"b=\"2\"", L"a:1;"},     // none
      {L"a=\"1\" b=2 c=\"3\"", L"a:1;"},
      {L"a=\"1\" =\"2\"", L"a:1;"},
      {L"a=\"1\" b=\"2", L"a:1;"},
      {L" a=\"1\"", L""},
      {L"a", L""},
      {L"", L""},
  };
  for (const Case& c : cases) EXPECT_EQ(Walk(c.list), c.seen) << c.list;
}

TEST(ClassTableTest, ClassListsFromElements) {
  XmlDocument doc;
  ASSERT_TRUE(doc.Parse(
      L"<Global>"
      L"<Class name=\"btn\" height=\"20\" font=\"system_12\"/>"
      L"<Class name=\"field\" _value=\"x\" value=\"text=&quot;t&quot; width=&quot;5&quot;\"/>"
      L"<Class height=\"1\"/>"
      L"<Class name=\"btn\" width=\"9\"/>"
      L"</Global>"));
  ClassTable table;
  for (XmlNode node = doc.root().first_child(); node; node = node.next_sibling()) table.AddClassElement(node);
  EXPECT_EQ(table.size(), 2u);
  ASSERT_NE(table.Find(L"btn"), nullptr);
  EXPECT_EQ(*table.Find(L"btn"), L"width=\"9\"");  // the later one replaced the first
  ASSERT_NE(table.Find(L"field"), nullptr);
  EXPECT_EQ(*table.Find(L"field"), L"value=\"x\" text=\"t\" width=\"5\"");
  EXPECT_EQ(Walk(*table.Find(L"field")), L"value:x;text:t;width:5;");
}

// What a control receives for its attributes in document order, with "class" expanded
// where it stands: the later setting wins.
std::vector<std::wstring> Apply(const XmlNode& element, const ClassTable& global, const ClassTable& window) {
  std::vector<std::wstring> applied;
  const AttributeSink sink = [&applied](std::wstring_view name, std::wstring_view value) {
    applied.push_back(std::wstring(name) + L"=" + std::wstring(value));
  };
  for (size_t i = 0; i < element.attribute_count(); ++i) {
    if (element.attribute_name(i) == L"class") {
      ApplyClasses(element.attribute_value(i), global, &window, sink);
    } else {
      sink(element.attribute_name(i), element.attribute_value(i));
    }
  }
  return applied;
}

TEST(ClassTableTest, ClassOrderAndLookup) {
  ClassTable global;
  global.Set(L"wide", L"width=\"100\"");
  global.Set(L"tall", L"height=\"50\" width=\"60\"");
  global.Set(L"shared", L"font=\"global\"");
  ClassTable window;
  window.Set(L"shared", L"font=\"window\"");
  window.Set(L"local", L"name=\"from_window\"");

  XmlDocument doc;
  ASSERT_TRUE(doc.Parse(
      L"<Window>"
      L"<Label width=\"10\" class=\"wide\"/>"
      L"<Label class=\"wide\" width=\"10\"/>"
      L"<Label class=\"wide tall\"/>"
      L"<Label class=\"shared  local unknown\"/>"
      L"</Window>"));
  XmlNode label = doc.root().first_child();
  EXPECT_EQ(Apply(label, global, window), (std::vector<std::wstring>{L"width=10", L"width=100"}));
  label = label.next_sibling();
  EXPECT_EQ(Apply(label, global, window), (std::vector<std::wstring>{L"width=100", L"width=10"}));
  label = label.next_sibling();
  EXPECT_EQ(Apply(label, global, window), (std::vector<std::wstring>{L"width=100", L"height=50", L"width=60"}));
  label = label.next_sibling();
  EXPECT_EQ(Apply(label, global, window), (std::vector<std::wstring>{L"font=global", L"name=from_window"}));
}

}  // namespace
}  // namespace ui
