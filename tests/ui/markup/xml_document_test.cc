#include "ui/markup/xml_document.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/test_support/file_io.h"
#include "tests/test_support/scoped_temp_dir.h"
#include "ui/markup/xml_messages.h"

namespace ui {
namespace {

TEST(XmlDocumentTest, TreeAttributesTextAndEntities) {
  XmlDocument doc;
  ASSERT_TRUE(doc.Parse(
      L"<?xml version=\"1.0\"?>\n<!-- skin -->\n"
      L"<Window size = \"660,512\" caption=\"0,0,0,32\">Title &amp; &lt;more&gt; &bogus; &amp\n"
      L"  <VBox><Label text=\"&quot;a&apos;\" name=\"l1\"/><Button name=\"b\"></Button ></VBox>\n"
      L"  <Class name=\"c\"/>\n"
      L"</ Window>"));
  const XmlNode window = doc.root();
  ASSERT_TRUE(window);
  EXPECT_EQ(window.name(), L"Window");
  ASSERT_EQ(window.attribute_count(), 2u);
  EXPECT_EQ(window.attribute_name(0), L"size");
  EXPECT_EQ(window.attribute_value(0), L"660,512");
  EXPECT_EQ(window.attribute(L"caption").value_or(L"-"), L"0,0,0,32");
  EXPECT_FALSE(window.attribute(L"Caption").has_value());
  EXPECT_EQ(window.text(), L"Title & <more> &bogus; &amp\n  ");

  const XmlNode vbox = window.first_child();
  EXPECT_EQ(vbox.name(), L"VBox");
  EXPECT_EQ(vbox.parent().name(), L"Window");
  EXPECT_EQ(vbox.next_sibling().name(), L"Class");
  EXPECT_FALSE(vbox.next_sibling().next_sibling());
  const XmlNode label = vbox.first_child();
  EXPECT_EQ(label.attribute(L"text").value_or(L"-"), L"\"a'");
  EXPECT_EQ(label.next_sibling().name(), L"Button");
  EXPECT_FALSE(label.first_child());
}

// Each message of the reader's table, with the text it points at (up to 49 characters).
TEST(XmlDocumentTest, ParseErrors) {
  struct Case {
    const wchar_t* text;
    const wchar_t* message;
    const wchar_t* context;
  };
  const Case cases[] = {
      {L"  hello <a/>", kXmlExpectedStartTag, L"hello <a/>"},
      {L"<abc", kXmlElementName, L"abc"},
      {L"<>", kXmlElementName, L">"},
      {L"<a x=\"1\" / >", kXmlExpectedStartTagClosing, L"/ >"},
      {L"<a>text", kXmlExpectedEndTagStart, L"text"},
      {L"<a><b/> stray </a>", kXmlExpectedEndTagStart, L"stray </a>"},
      {L"<a><b></a>", kXmlUnmatchedClosingTag, L"</a>"},
      {L"<a></a", kXmlUnmatchedClosingTag, L"</a"},
      {L"</a>", kXmlUnmatchedClosingTag, L"</a>"},
      {L"<a x", kXmlAttributes, L"x"},
      {L"<a x y=\"1\"/>", kXmlAttributes, L"x y=\"1\"/>"},
      {L"<a x=\"1\" ", kXmlAttributes, L""},
      {L"<a x='1'/>", kXmlExpectedAttributeValue, L"'1'/>"},
      {L"<a x=\"unterminated/>", kXmlAttributeString, L"unterminated/>"},
      {L"<a x=\"0123456789012345678901234567890123456789012345678901234567890/>", kXmlAttributeString,
       L"0123456789012345678901234567890123456789012345678"},
  };
  for (const Case& c : cases) {
    XmlDocument doc;
    EXPECT_FALSE(doc.Parse(c.text)) << c.text;
    EXPECT_EQ(doc.error_message(), c.message) << c.text;
    EXPECT_EQ(doc.error_context(), c.context) << c.text;
    EXPECT_FALSE(doc.root()) << c.text;
  }
}

TEST(XmlDocumentTest, FileLimitsAndEncodings) {
  vireo::test::ScopedTempDir dir;
  const std::wstring path = dir.Join(L"skin.xml");
  XmlDocument doc;

  EXPECT_FALSE(doc.LoadFile(dir.Join(L"missing.xml").c_str()));
  EXPECT_EQ(doc.error_message(), kXmlErrorOpeningFile);
  ASSERT_TRUE(vireo::test::WriteFileBytes(path, ""));
  EXPECT_FALSE(doc.LoadFile(path.c_str()));
  EXPECT_EQ(doc.error_message(), kXmlFileEmpty);

  // Exactly 4 MiB loads; one byte more is refused.
  std::string big = "<a>";
  big += std::string(XmlDocument::kMaxFileSize - big.size() - 4, 'x');
  big += "</a>";
  ASSERT_EQ(big.size(), 4194304u);
  ASSERT_TRUE(vireo::test::WriteFileBytes(path, big));
  EXPECT_TRUE(doc.LoadFile(path.c_str())) << doc.error_message();
  EXPECT_EQ(doc.root().text().size(), XmlDocument::kMaxFileSize - 7);
  ASSERT_TRUE(vireo::test::WriteFileBytes(path, big + " "));
  EXPECT_FALSE(doc.LoadFile(path.c_str()));
  EXPECT_EQ(doc.error_message(), kXmlFileTooLarge);

  struct Case {
    std::string bytes;
    TextEncoding encoding;
    const wchar_t* text;
  };
  const Case cases[] = {
      {"\xEF\xBB\xBF<a>\xE5\xAE\x89\xE8\xA3\x85</a>", TextEncoding::kUtf8, L"\u5B89\u88C5"},
      {std::string("\xFF\xFE<\0a\0>\0\x89\x5B<\0/\0a\0>\0", 18), TextEncoding::kUtf8, L"\u5B89"},
      {std::string("\xFE\xFF\0<\0a\0>\x5B\x89\0<\0/\0a\0>", 18), TextEncoding::kAnsi, L"\u5B89"},
      {"<a>plain</a>", TextEncoding::kAnsi, L"plain"},
  };
  for (const Case& c : cases) {
    ASSERT_TRUE(vireo::test::WriteFileBytes(path, c.bytes));
    ASSERT_TRUE(doc.LoadFile(path.c_str(), c.encoding)) << doc.error_message();
    EXPECT_EQ(doc.root().text(), c.text);
  }
  // Invalid UTF-8 becomes replacement characters, not an error.
  ASSERT_TRUE(vireo::test::WriteFileBytes(path, "<a>\xFF\xC3</a>"));
  ASSERT_TRUE(doc.LoadFile(path.c_str()));
  EXPECT_NE(doc.root().text().find(L'\uFFFD'), std::wstring_view::npos);
}

TEST(XmlDocumentTest, DeepNestingNeedsNoStack) {
  constexpr int kDepth = 100000;
  std::wstring text;
  for (int i = 0; i < kDepth; ++i) text += L"<a>";
  for (int i = 0; i < kDepth; ++i) text += L"</a>";
  XmlDocument doc;
  ASSERT_TRUE(doc.Parse(text));
  int depth = 0;
  for (XmlNode node = doc.root(); node; node = node.first_child()) ++depth;
  EXPECT_EQ(depth, kDepth);
}

}  // namespace
}  // namespace ui
