// The string table of the current language, from "gdstrings.ini": identifier -> text, for
// "textid" attributes.
//
//  - One "id=text" per line (CR LF or LF). Spaces and tabs around the identifier and
//    around the text are dropped; lines that are empty, have no "=", an empty
//    identifier, or start with ";", "#" or "[" are skipped. A later identifier replaces
//    an earlier one.
//  - In a text the two-character sequences "\r" and "\n" become carriage return and line
//    feed.
//  - Get() of an unknown identifier is the empty text.
#pragma once

#include <map>
#include <string>
#include <string_view>

namespace ui {

class StringTable {
 public:
  static constexpr wchar_t kFileName[] = L"gdstrings.ini";

  void Clear() { strings_.clear(); }
  // Adds the lines of |text|.
  void Load(std::wstring_view text);
  std::wstring Get(std::wstring_view id) const;
  size_t size() const { return strings_.size(); }

 private:
  std::map<std::wstring, std::wstring, std::less<>> strings_;
};

}  // namespace ui
