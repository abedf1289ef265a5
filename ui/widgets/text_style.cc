#include "ui/widgets/text_style.h"

#include "ui/markup/value_syntax.h"

namespace ui {
namespace {

struct AlignWord {
  const wchar_t* word;
  UINT clear;
  UINT set;
};

// The "align" words, in the order the words are looked for.
constexpr AlignWord kAlignWords[] = {
    {L"left", DT_CENTER | DT_RIGHT | DT_VCENTER | DT_SINGLELINE, 0},
    {L"center", DT_RIGHT, DT_CENTER},
    {L"right", DT_CENTER | DT_VCENTER | DT_SINGLELINE, DT_RIGHT},
    {L"top", DT_VCENTER | DT_BOTTOM, DT_SINGLELINE},
    {L"vcenter", DT_BOTTOM, DT_CENTER | DT_VCENTER | DT_SINGLELINE},
    {L"bottom", DT_VCENTER, DT_BOTTOM | DT_SINGLELINE},
};

}  // namespace

UINT ApplyAlign(UINT style, std::wstring_view align) {
  for (const AlignWord& word : kAlignWords) {
    if (align.find(word.word) == std::wstring_view::npos) continue;
    style = (style & ~word.clear) | word.set;
  }
  return style;
}

UINT ApplyEndEllipsis(UINT style, std::wstring_view value) {
  return ParseBool(value) ? (style | DT_END_ELLIPSIS) : (style & ~static_cast<UINT>(DT_END_ELLIPSIS));
}

UINT EffectiveTextStyle(UINT style, bool single_line) {
  style &= ~static_cast<UINT>(DT_SINGLELINE);
  return single_line ? (style | DT_SINGLELINE) : style;
}

}  // namespace ui
