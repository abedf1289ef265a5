// Attribute lists: the text a class stands for, name="value" pairs separated by exactly one
// space ("width=\"14\" font=\"system_12\"").
#pragma once

#include <cstddef>
#include <functional>
#include <string_view>

namespace ui {

using AttributeSink = std::function<void(std::wstring_view name, std::wstring_view value)>;

// Passes each pair of |list| to |sink| in order and returns how many it passed. A name is a
// non-empty run of characters other than space, "=" and double quote; the value runs from
// the opening double quote to the next one. The walk stops at the first pair that does not
// fit, and after a pair that is followed by anything but one space and another pair.
size_t ForEachListedAttribute(std::wstring_view list, const AttributeSink& sink);

}  // namespace ui
