#include "ui/markup/font_table.h"

#include <cwchar>
#include <utility>

namespace ui {
namespace {

// 微软雅黑, the system's UI face.
constexpr wchar_t kSystemFace[] = L"\u5FAE\u8F6F\u96C5\u9ED1";
constexpr int kBoldIncrease = 700;

}  // namespace

std::wstring ResolveFaceName(std::wstring_view face) {
  return face == L"system" ? std::wstring(kSystemFace) : std::wstring(face);
}

LOGFONTW MakeSkinLogFont(const FontDeclaration& declared, const DpiScale& scale) {
  LOGFONTW lf{};
  ::GetObjectW(::GetStockObject(DEFAULT_GUI_FONT), sizeof(lf), &lf);
  const std::wstring face = ResolveFaceName(declared.face);
  // The face field holds 31 characters and a terminator; a longer name is cut.
  wcsncpy_s(lf.lfFaceName, LF_FACESIZE, face.c_str(), _TRUNCATE);
  lf.lfHeight = -scale.Scale(declared.size);
  if (declared.bold) lf.lfWeight += kBoldIncrease;
  lf.lfUnderline = declared.underline ? TRUE : FALSE;
  lf.lfItalic = declared.italic ? TRUE : FALSE;
  lf.lfCharSet = DEFAULT_CHARSET;
  return lf;
}

bool FontTable::Add(std::wstring_view id, const FontDeclaration& declared, const DpiScale& scale,
                    bool make_default) {
  FontRecord record;
  record.logfont = MakeSkinLogFont(declared, scale);
  record.handle.reset(::CreateFontIndirectW(&record.logfont));
  if (!record.handle) return false;
  record.declared = declared;
  fonts_[std::wstring(id)] = std::move(record);
  ++added_;
  if (make_default) default_id_ = std::wstring(id);
  return true;
}

void FontTable::Rescale(const DpiScale& scale) {
  for (auto& [id, record] : fonts_) {
    LOGFONTW logfont = record.logfont;
    logfont.lfHeight = -scale.Scale(record.declared.size);
    vireo::ScopedFont handle(::CreateFontIndirectW(&logfont));
    if (!handle) continue;
    record.logfont = logfont;
    record.handle = std::move(handle);
  }
}

const FontRecord* FontTable::Find(std::wstring_view id) const {
  auto it = fonts_.find(id);
  if (it == fonts_.end()) it = fonts_.find(std::wstring_view(default_id_));
  return it == fonts_.end() ? nullptr : &it->second;
}

}  // namespace ui
