// The parser of XmlDocument (the rules of xml_document.h). It keeps the element being
// filled in |current| and climbs to its parent at each end tag, so depth costs no stack.
#include <cwctype>

#include "ui/markup/xml_document.h"
#include "ui/markup/xml_messages.h"

namespace ui {
namespace {

bool IsNameChar(wchar_t c) { return c == L':' || c == L'_' || std::iswalnum(c); }

struct Entity {
  std::wstring_view name;  // between "&" and ";"
  wchar_t value;
};
constexpr Entity kEntities[] = {{L"lt", L'<'}, {L"gt", L'>'}, {L"amp", L'&'}, {L"quot", L'"'}, {L"apos", L'\''}};

}  // namespace

void XmlDocument::SkipWhitespace(size_t* pos) const {
  while (*pos < text_.size() && text_[*pos] <= L' ') ++*pos;
}

bool XmlDocument::ParseText() {
  const size_t end = text_.size();
  size_t pos = 0;
  uint32_t current = kNone;
  for (;;) {
    SkipWhitespace(&pos);
    if (pos >= end) return current == kNone ? true : Fail(kXmlExpectedEndTagStart, pos);
    if (text_[pos] != L'<') return Fail(current == kNone ? kXmlExpectedStartTag : kXmlExpectedEndTagStart, pos);
    ++pos;
    const wchar_t next = pos < end ? text_[pos] : L'\0';
    if (next == L'!' || next == L'?') {
      const size_t close = text_.find(next == L'!' ? L"->" : L"?>", pos + 1);
      pos = close == std::wstring::npos ? end : close + 2;
      continue;
    }
    const bool ok = next == L'/' ? ParseEndTag(&pos, &current) : ParseStartTag(&pos, &current);
    if (!ok) return false;
  }
}

uint32_t XmlDocument::AddElement(Span name, uint32_t parent) {
  // The table grows by half its size plus 500 entries at a time.
  if (elements_.size() == elements_.capacity()) elements_.reserve(elements_.size() + elements_.size() / 2 + 500);
  const uint32_t index = static_cast<uint32_t>(elements_.size());
  Element element;
  element.name = name;
  element.parent = parent;
  element.first_attribute = static_cast<uint32_t>(attributes_.size());
  elements_.push_back(element);
  if (parent != kNone) {
    Element& up = elements_[parent];
    if (up.last_child == kNone) {
      up.first_child = index;
    } else {
      elements_[up.last_child].next_sibling = index;
    }
    up.last_child = index;
  } else {
    // Further top-level elements follow the root as its siblings.
    if (last_top_level_ != kNone) elements_[last_top_level_].next_sibling = index;
    last_top_level_ = index;
  }
  return index;
}

bool XmlDocument::ParseStartTag(size_t* pos, uint32_t* current) {
  const size_t end = text_.size();
  const size_t name_start = *pos;
  while (*pos < end && IsNameChar(text_[*pos])) ++*pos;
  if (*pos >= end || *pos == name_start) return Fail(kXmlElementName, name_start);
  const uint32_t element = AddElement({name_start, *pos - name_start}, *current);
  if (!ParseAttributes(pos, element)) return false;
  if (text_[*pos] == L'/') {
    if (*pos + 1 < end && text_[*pos + 1] == L'>') {
      *pos += 2;
      return true;
    }
    return Fail(kXmlExpectedStartTagClosing, *pos);
  }
  ++*pos;  // ">"
  const size_t text_start = *pos;
  while (*pos < end && text_[*pos] != L'<') ++*pos;
  if (*pos >= end) return Fail(kXmlExpectedEndTagStart, text_start);
  elements_[element].text = DecodeEntities(text_start, *pos);
  *current = element;
  return true;
}

// Reads attributes up to the ">" or "/" that ends the start tag, which it leaves at |pos|.
bool XmlDocument::ParseAttributes(size_t* pos, uint32_t element) {
  const size_t end = text_.size();
  for (;;) {
    SkipWhitespace(pos);
    if (*pos >= end) return Fail(kXmlAttributes, *pos);
    if (text_[*pos] == L'>' || text_[*pos] == L'/') return true;
    const size_t name_start = *pos;
    while (*pos < end && IsNameChar(text_[*pos])) ++*pos;
    const Span name{name_start, *pos - name_start};
    SkipWhitespace(pos);
    if (name.length == 0 || *pos >= end || text_[*pos] != L'=') return Fail(kXmlAttributes, name_start);
    ++*pos;
    SkipWhitespace(pos);
    if (*pos >= end) return Fail(kXmlAttributes, *pos);
    if (text_[*pos] != L'"') return Fail(kXmlExpectedAttributeValue, *pos);
    const size_t value_start = ++*pos;
    const size_t close = text_.find(L'"', value_start);
    if (close == std::wstring::npos) return Fail(kXmlAttributeString, value_start);
    attributes_.push_back({name, DecodeEntities(value_start, close)});
    ++elements_[element].attribute_count;
    *pos = close + 1;
  }
}

bool XmlDocument::ParseEndTag(size_t* pos, uint32_t* current) {
  const size_t end = text_.size();
  const size_t tag_start = *pos - 1;
  ++*pos;  // "/"
  SkipWhitespace(pos);
  const size_t name_start = *pos;
  while (*pos < end && IsNameChar(text_[*pos])) ++*pos;
  const std::wstring_view name = std::wstring_view(text_).substr(name_start, *pos - name_start);
  if (*current == kNone || name != View(elements_[*current].name)) return Fail(kXmlUnmatchedClosingTag, tag_start);
  SkipWhitespace(pos);
  if (*pos >= end || text_[*pos] != L'>') return Fail(kXmlUnmatchedClosingTag, tag_start);
  ++*pos;
  *current = elements_[*current].parent;
  return true;
}

// Decodes the entities of [begin, end) in place; the decoded text is never longer.
XmlDocument::Span XmlDocument::DecodeEntities(size_t begin, size_t end) {
  size_t out = begin;
  for (size_t in = begin; in < end;) {
    wchar_t c = text_[in++];
    if (c == L'&') {
      for (const Entity& entity : kEntities) {
        const size_t length = entity.name.size();
        if (end - in > length && text_.compare(in, length, entity.name) == 0 && text_[in + length] == L';') {
          c = entity.value;
          in += length + 1;
          break;
        }
      }
    }
    text_[out++] = c;
  }
  return {begin, out - begin};
}

}  // namespace ui
