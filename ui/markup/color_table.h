// The colour table: colour name -> 0xAARRGGBB.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>

namespace ui {

class ColorTable {
 public:
  // A later definition of the same name replaces the earlier one.
  void Set(std::wstring_view name, uint32_t argb) { colors_[std::wstring(name)] = argb; }
  // The colour named |name| (leading whitespace skipped); 0, fully transparent, when unknown.
  uint32_t Get(std::wstring_view name) const;
  bool Contains(std::wstring_view name) const;
  size_t size() const { return colors_.size(); }

 private:
  std::map<std::wstring, uint32_t, std::less<>> colors_;
};

}  // namespace ui
