// A control that draws a text: the base of buttons, check boxes and progress bars. A template
// over its base so the same text can sit on a plain control (Label) or a box (LabelBox).
//
//  LB1. Width and height start auto; the text style starts kLabelTextStyle, single line on,
//      line limit off, text padding 0 (the "textpadding" attribute is DPI-scaled), the normal
//      text colour is the skin's default text colour name and the disabled one its default
//      disabled text colour name, hot and pushed have none.
//  LB2. SetText does nothing when the text is equal; otherwise it stores it and lays out again
//      when the width or height is auto, else repaints.
//  LB3. GetText is the text, or while it is empty the string-table entry of "textid".
//  LB4. The text estimate: empty text is (0, 0). Otherwise the text is measured with the fixed
//      width as the width limit when it is positive, else 0; the width is the text width
//      plus the left and right padding. A label that is not single-line, auto-wide and
//      without a maximum width, whose text is wider than the available width less the
//      paddings, is measured again with that width and takes the wrapped height and that
//      width. The height is the text height plus the top and bottom padding. Without a window
//      that can measure, the estimate is (0, 0).
//  LB5. Painting: nothing for empty text; the text rectangle is the position less the text
//      padding; the colour follows text_colors.h. A control with a hot fade, in the
//      normal or hot state, with a hot text colour, draws the text in the normal colour at
//      alpha 255 (when it has one) and again in the hot colour at the hot alpha (when above
//      0); anything else draws once in the state's colour at alpha 255.
//  LB6. A label is static text to screen readers, named by its text (or the skin's "accname");
//      a label with neither is a picture nobody reads and has no role. A new text raises a
//      name change.
#pragma once

#include <windows.h>

#include <string>

#include "ui/core/box.h"
#include "ui/core/control.h"
#include "ui/widgets/text_colors.h"
#include "ui/widgets/text_style.h"

namespace ui {

class IRenderContext;

template <typename InheritBase = Control>
class LabelTemplate : public InheritBase {
 public:
  LabelTemplate();

  std::wstring GetType() const override;
  void SetAttribute(const std::wstring& name, const std::wstring& value) override;

  // LB2, LB3.
  void SetText(const std::wstring& text);
  std::wstring GetText() const;
  const std::wstring& GetTextId() const { return text_id_; }
  void SetTextId(const std::wstring& id);

  const std::wstring& GetFont() const { return font_; }
  void SetFont(const std::wstring& font_id);
  UINT GetTextStyle() const { return text_style_; }
  void SetTextStyle(UINT style);
  bool IsSingleLine() const { return single_line_; }
  void SetSingleLine(bool single_line);
  bool IsLineLimit() const { return line_limit_; }
  void SetLineLimit(bool line_limit);
  const RECT& GetTextPadding() const { return text_padding_; }
  void SetTextPadding(const RECT& padding);
  const std::wstring& GetTextColor(ControlState state) const { return text_colors_.Get(state); }
  void SetTextColor(ControlState state, const std::wstring& name);

 protected:
  ControlRole DefaultRole() const override;      // LB6
  std::wstring VisibleText() const override { return GetText(); }
  SIZE EstimateText(SIZE available) override;  // LB4
  void PaintText(IRenderContext* render) override;  // LB5
  // Draws |text| once in colour |name| at |alpha|; nothing for an unknown colour.
  void DrawTextIn(IRenderContext* render, const std::wstring& text, const std::wstring& name,
                  int alpha);
  // The handle of the label's font (the default font when unknown); null without fonts.
  HFONT GetFontHandle() const;
  const TextColors& text_colors() const { return text_colors_; }
  // Something that changes the text's size happened: lay out again when auto-sized, else
  // repaint.
  void OnTextChanged();

 private:
  std::wstring text_;
  std::wstring text_id_;
  std::wstring font_;
  UINT text_style_;
  bool single_line_ = true;
  bool line_limit_ = false;
  RECT text_padding_ = {0, 0, 0, 0};
  TextColors text_colors_;
};

using Label = LabelTemplate<Control>;
using LabelBox = LabelTemplate<Box>;

}  // namespace ui
