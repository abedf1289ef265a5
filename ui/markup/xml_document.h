// A small XML reader for skin files: the whole document is held as UTF-16 and parsed in
// place; names, attribute values and texts are views into that one buffer.
//
// Syntax (what a skin file may hold):
//  - Whitespace is every character up to and including the space (code <= 32).
//  - "<!" starts a comment or declaration, skipped up to "->"; "<?" a processing
//    instruction, skipped up to "?>". Either one left open runs to the end of the text.
//  - Names are runs of letters, digits, ":" and "_". Attributes are name="value",
//    separated by whitespace, with optional whitespace around "="; single quotes are not
//    accepted. An element ends with "/>" or has ">", its text up to the next "<", its
//    children and an end tag repeating its name (whitespace allowed before the name and
//    before ">"). Between children only whitespace may stand.
//  - "&lt;", "&gt;", "&amp;", "&quot;" and "&apos;" are decoded in texts and attribute
//    values; any other "&" stays as it is.
//  - Nothing recurses: any depth of nesting parses in memory proportional to the text
//    (100,000 levels included). Callers that walk the tree recursively must bound their
//    own depth.
// Failure (the messages are in xml_messages.h):
//  - A failed load or parse keeps no document: root() is invalid, error_message() holds
//    the message and error_context() up to kErrorContextChars characters of the text at
//    the failure point (empty for file errors).
//  - A file must hold 1 to kMaxFileSize bytes. Text with no element at all parses to an
//    empty document (no error, invalid root()).
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ui/markup/text_encoding.h"

namespace ui {

class XmlDocument;

// A handle to one element of a document; valid while the document is alive and unchanged.
class XmlNode {
 public:
  XmlNode() = default;
  bool valid() const { return doc_ != nullptr; }
  explicit operator bool() const { return valid(); }

  std::wstring_view name() const;
  // The text between the start tag and the first child or end tag, entities decoded.
  std::wstring_view text() const;
  // Attributes in document order.
  size_t attribute_count() const;
  std::wstring_view attribute_name(size_t i) const;
  std::wstring_view attribute_value(size_t i) const;
  // The value of the first attribute named exactly |name|.
  std::optional<std::wstring_view> attribute(std::wstring_view name) const;

  XmlNode first_child() const;
  XmlNode next_sibling() const;
  XmlNode parent() const;

 private:
  friend class XmlDocument;
  XmlNode(const XmlDocument* doc, uint32_t index) : doc_(doc), index_(index) {}

  const XmlDocument* doc_ = nullptr;
  uint32_t index_ = 0;
};

class XmlDocument {
 public:
  static constexpr size_t kMaxFileSize = 4 * 1024 * 1024;
  static constexpr size_t kErrorContextChars = 49;

  XmlDocument() = default;
  XmlDocument(const XmlDocument&) = delete;
  XmlDocument& operator=(const XmlDocument&) = delete;

  bool LoadFile(const wchar_t* path, TextEncoding encoding = TextEncoding::kUtf8);
  bool LoadBytes(const uint8_t* bytes, size_t size, TextEncoding encoding = TextEncoding::kUtf8);
  bool Parse(std::wstring text);

  // The first top-level element.
  XmlNode root() const;
  const std::wstring& error_message() const { return error_message_; }
  const std::wstring& error_context() const { return error_context_; }

 private:
  friend class XmlNode;
  static constexpr uint32_t kNone = 0xFFFFFFFFu;

  struct Span {
    size_t offset = 0;
    size_t length = 0;
  };
  struct Element {
    Span name;
    Span text;
    uint32_t parent = kNone;
    uint32_t first_child = kNone;
    uint32_t last_child = kNone;
    uint32_t next_sibling = kNone;
    uint32_t first_attribute = 0;
    uint32_t attribute_count = 0;
  };
  struct Attribute {
    Span name;
    Span value;
  };

  std::wstring_view View(Span span) const { return std::wstring_view(text_).substr(span.offset, span.length); }
  bool Fail(const wchar_t* message, size_t pos);
  void Reset();

  // The parser (xml_parser.cc).
  bool ParseText();
  void SkipWhitespace(size_t* pos) const;
  bool ParseStartTag(size_t* pos, uint32_t* current);
  bool ParseAttributes(size_t* pos, uint32_t element);
  bool ParseEndTag(size_t* pos, uint32_t* current);
  uint32_t AddElement(Span name, uint32_t parent);
  Span DecodeEntities(size_t begin, size_t end);

  std::wstring text_;
  std::vector<Element> elements_;
  std::vector<Attribute> attributes_;
  uint32_t last_top_level_ = kNone;
  std::wstring error_message_;
  std::wstring error_context_;
};

}  // namespace ui
