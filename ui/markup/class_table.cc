#include "ui/markup/class_table.h"

namespace ui {

const std::wstring* ClassTable::Find(std::wstring_view name) const {
  const auto it = lists_.find(name);
  return it == lists_.end() ? nullptr : &it->second;
}

bool ClassTable::AddClassElement(XmlNode element) {
  const std::optional<std::wstring_view> name = element.attribute(L"name");
  if (!name || name->empty()) return false;
  Set(*name, BuildClassList(element));
  return true;
}

std::wstring BuildClassList(XmlNode element) {
  std::wstring list;
  for (size_t i = 0; i < element.attribute_count(); ++i) {
    const std::wstring_view name = element.attribute_name(i);
    const std::wstring_view value = element.attribute_value(i);
    if (name == L"name") continue;
    if (name == L"value") {
      if (!value.empty() && value.front() != L' ') list.push_back(L' ');
      list.append(value);
      continue;
    }
    list.push_back(L' ');
    list.append(name == L"_value" ? std::wstring_view(L"value") : name);
    list.append(L"=\"").append(value).push_back(L'"');
  }
  const size_t first = list.find_first_not_of(L' ');
  return first == std::wstring::npos ? std::wstring() : list.substr(first);
}

void ApplyClasses(std::wstring_view class_value, const ClassTable& global, const ClassTable* window,
                  const AttributeSink& sink) {
  size_t pos = 0;
  while (pos < class_value.size()) {
    size_t space = class_value.find(L' ', pos);
    if (space == std::wstring_view::npos) space = class_value.size();
    const std::wstring_view name = class_value.substr(pos, space - pos);
    pos = space + 1;
    if (name.empty()) continue;
    const std::wstring* list = global.Find(name);
    if (list == nullptr && window != nullptr) list = window->Find(name);
    if (list != nullptr) ForEachListedAttribute(*list, sink);
  }
}

}  // namespace ui
