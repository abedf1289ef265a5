// The XML reader's error messages, exactly as XmlDocument::error_message() reports them.
#pragma once

namespace ui {

inline constexpr wchar_t kXmlErrorOpeningFile[] = L"Error opening file";
inline constexpr wchar_t kXmlFileTooLarge[] = L"File too large";
inline constexpr wchar_t kXmlFileEmpty[] = L"File is empty";
inline constexpr wchar_t kXmlCouldNotRead[] = L"Could not read file";
inline constexpr wchar_t kXmlExpectedStartTag[] = L"Expected start tag";
inline constexpr wchar_t kXmlElementName[] = L"Error parsing element name";
inline constexpr wchar_t kXmlExpectedStartTagClosing[] = L"Expected start-tag closing";
inline constexpr wchar_t kXmlExpectedEndTagStart[] = L"Expected end-tag start";
inline constexpr wchar_t kXmlUnmatchedClosingTag[] = L"Unmatched closing tag";
inline constexpr wchar_t kXmlAttributes[] = L"Error while parsing attributes";
inline constexpr wchar_t kXmlExpectedAttributeValue[] = L"Expected attribute value";
inline constexpr wchar_t kXmlAttributeString[] = L"Error while parsing attribute string";

}  // namespace ui
