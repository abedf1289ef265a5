#include "ui/markup/xml_document.h"

#include "ui/markup/file_bytes.h"
#include "ui/markup/xml_messages.h"

namespace ui {

std::wstring_view XmlNode::name() const { return valid() ? doc_->View(doc_->elements_[index_].name) : std::wstring_view(); }

std::wstring_view XmlNode::text() const { return valid() ? doc_->View(doc_->elements_[index_].text) : std::wstring_view(); }

size_t XmlNode::attribute_count() const { return valid() ? doc_->elements_[index_].attribute_count : 0; }

std::wstring_view XmlNode::attribute_name(size_t i) const {
  if (i >= attribute_count()) return {};
  return doc_->View(doc_->attributes_[doc_->elements_[index_].first_attribute + i].name);
}

std::wstring_view XmlNode::attribute_value(size_t i) const {
  if (i >= attribute_count()) return {};
  return doc_->View(doc_->attributes_[doc_->elements_[index_].first_attribute + i].value);
}

std::optional<std::wstring_view> XmlNode::attribute(std::wstring_view name) const {
  for (size_t i = 0; i < attribute_count(); ++i) {
    if (attribute_name(i) == name) return attribute_value(i);
  }
  return std::nullopt;
}

XmlNode XmlNode::first_child() const {
  if (!valid() || doc_->elements_[index_].first_child == XmlDocument::kNone) return {};
  return XmlNode(doc_, doc_->elements_[index_].first_child);
}

XmlNode XmlNode::next_sibling() const {
  if (!valid() || doc_->elements_[index_].next_sibling == XmlDocument::kNone) return {};
  return XmlNode(doc_, doc_->elements_[index_].next_sibling);
}

XmlNode XmlNode::parent() const {
  if (!valid() || doc_->elements_[index_].parent == XmlDocument::kNone) return {};
  return XmlNode(doc_, doc_->elements_[index_].parent);
}

XmlNode XmlDocument::root() const { return elements_.empty() ? XmlNode() : XmlNode(this, 0); }

void XmlDocument::Reset() {
  text_.clear();
  elements_.clear();
  attributes_.clear();
  last_top_level_ = kNone;
  error_message_.clear();
  error_context_.clear();
}

bool XmlDocument::Fail(const wchar_t* message, size_t pos) {
  error_message_ = message;
  error_context_ = pos < text_.size() ? text_.substr(pos, kErrorContextChars) : std::wstring();
  text_.clear();
  elements_.clear();
  attributes_.clear();
  last_top_level_ = kNone;
  return false;
}

bool XmlDocument::LoadFile(const wchar_t* path, TextEncoding encoding) {
  Reset();
  ByteBlock bytes;
  switch (ReadFileBytes(path, kMaxFileSize, &bytes)) {
    case FileReadStatus::kOk:
      return LoadBytes(bytes.data(), bytes.size(), encoding);
    case FileReadStatus::kOpenFailed:
      return Fail(kXmlErrorOpeningFile, 0);
    case FileReadStatus::kTooLarge:
      return Fail(kXmlFileTooLarge, 0);
    case FileReadStatus::kEmpty:
      return Fail(kXmlFileEmpty, 0);
    case FileReadStatus::kShortRead:
      return Fail(kXmlCouldNotRead, 0);
  }
  return Fail(kXmlErrorOpeningFile, 0);
}

bool XmlDocument::LoadBytes(const uint8_t* bytes, size_t size, TextEncoding encoding) {
  return Parse(DecodeText(bytes, size, encoding));
}

bool XmlDocument::Parse(std::wstring text) {
  Reset();
  text_ = std::move(text);
  return ParseText();
}

}  // namespace ui
