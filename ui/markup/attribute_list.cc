#include "ui/markup/attribute_list.h"

namespace ui {

size_t ForEachListedAttribute(std::wstring_view list, const AttributeSink& sink) {
  size_t applied = 0;
  size_t pos = 0;
  const size_t end = list.size();
  while (pos < end) {
    const size_t name_start = pos;
    while (pos < end && list[pos] != L' ' && list[pos] != L'=' && list[pos] != L'"') ++pos;
    if (pos == name_start || pos + 1 >= end || list[pos] != L'=' || list[pos + 1] != L'"') break;
    const std::wstring_view name = list.substr(name_start, pos - name_start);
    const size_t value_start = pos + 2;
    const size_t close = list.find(L'"', value_start);
    if (close == std::wstring_view::npos) break;
    sink(name, list.substr(value_start, close - value_start));
    ++applied;
    pos = close + 1;
    if (pos >= end || list[pos] != L' ') break;
    ++pos;
  }
  return applied;
}

}  // namespace ui
