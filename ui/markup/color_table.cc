#include "ui/markup/color_table.h"

#include "ui/markup/value_syntax.h"

namespace ui {

uint32_t ColorTable::Get(std::wstring_view name) const {
  const auto it = colors_.find(ColorName(name));
  return it == colors_.end() ? 0 : it->second;
}

bool ColorTable::Contains(std::wstring_view name) const { return colors_.find(ColorName(name)) != colors_.end(); }

}  // namespace ui
