// Builds a "Global" document (the skin's "global.xml") into the global definitions.
//
//  - Children: Font ("id", "name" = face, "size" default 12, "bold", "underline",
//    "italic", "default"; without "name" it is ignored; without "id" its identifier is the
//    count of fonts stored so far), TextColor ("name", "value" as #AARRGGBB; without a name
//    or with an empty value it is ignored) and Class (class_table.h). Image and any other
//    element are ignored.
//  - Root attributes "defaultfontcolor" and "disabledfontcolor" set the names of the
//    default text colours; "linkfontcolor", "linkhoverfontcolor" and "selectedcolor" name
//    colours whose values become the link, link-hover and selection colours. Those names
//    are resolved after the children are built, so a file may name its own colours.
//  - Fonts are scaled by |scale| (font_table.h).
#pragma once

#include "ui/markup/dpi_scale.h"
#include "ui/markup/global_definitions.h"
#include "ui/markup/xml_document.h"

namespace ui {

inline constexpr wchar_t kGlobalElement[] = L"Global";

// Builds |root| into |out|; false, with nothing changed, when |root| is not a Global element.
bool BuildGlobal(XmlNode root, const DpiScale& scale, GlobalDefinitions* out);

}  // namespace ui
