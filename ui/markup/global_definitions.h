// What "global.xml" defines for the whole process: fonts, colours, classes, the names of
// the default text colours and the link and selection colours.
#pragma once

#include <cstdint>
#include <string>

#include "ui/markup/class_table.h"
#include "ui/markup/color_table.h"
#include "ui/markup/font_table.h"

namespace ui {

struct GlobalDefinitions {
  FontTable fonts;
  ColorTable colors;
  ClassTable classes;
  // Names in |colors| of the text colours controls start with.
  std::wstring default_text_color = L"textdefaultcolor";
  std::wstring default_disabled_text_color = L"textdefaultdisablecolor";
  // Name in |colors| of the skin's accent colour, which marks the keyboard focus.
  std::wstring accent_color = L"accentcolor";
  // 0xAARRGGBB values (0 until a skin sets them).
  uint32_t link_color = 0;
  uint32_t link_hover_color = 0;
  uint32_t selected_color = 0;
};

}  // namespace ui
