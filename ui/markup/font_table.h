// The font table: font identifier -> font record with its GDI font.
//
//  - A skin font starts from the system's default GUI font description; the face name is
//    replaced (the face "system" by the system's UI face "微软雅黑"), the height is minus
//    the DPI-scaled size, the weight is raised by 700 when bold, underline and italic come
//    from the skin, the character set is DEFAULT_CHARSET.
//  - Identifiers are strings; a later font of the same identifier replaces the earlier
//    one. Find() gives the default font for an empty or unknown identifier, and null when
//    there is no default font.
//  - Rescale(scale) makes every font again with the height of its declared size at
//    |scale|; a font the system refuses keeps its old size. Handles found earlier are
//    then gone: look fonts up when drawing, never keep their handles.
#pragma once

#include <windows.h>

#include <map>
#include <string>
#include <string_view>

#include "support/scoped_gdi.h"
#include "ui/markup/dpi_scale.h"

namespace ui {

struct FontDeclaration {
  std::wstring face;
  int size = 12;  // pixels, before DPI scaling
  bool bold = false;
  bool underline = false;
  bool italic = false;
};

struct FontRecord {
  vireo::ScopedFont handle;
  LOGFONTW logfont{};
  FontDeclaration declared;  // as declared (face before the "system" replacement)
};

// The face a skin's face name stands for.
std::wstring ResolveFaceName(std::wstring_view face);

// The font description of |declared|.
LOGFONTW MakeSkinLogFont(const FontDeclaration& declared, const DpiScale& scale);

class FontTable {
 public:
  // Creates the font and stores it under |id|; false, and nothing stored, when the
  // system refuses the font.
  bool Add(std::wstring_view id, const FontDeclaration& declared, const DpiScale& scale,
           bool make_default);
  // The record of |id|, else the default font's, else null.
  const FontRecord* Find(std::wstring_view id) const;
  void Rescale(const DpiScale& scale);
  // How many fonts were stored so far; an unnamed font gets this count as its identifier.
  size_t added() const { return added_; }
  const std::wstring& default_id() const { return default_id_; }

 private:
  std::map<std::wstring, FontRecord, std::less<>> fonts_;
  std::wstring default_id_;
  size_t added_ = 0;
};

}  // namespace ui
