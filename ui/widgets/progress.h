// A progress bar: a label whose foreground part shows a value between a minimum and a
// maximum, as a colour and/or an image, horizontally or vertically.
//
//  PG1. Horizontal, minimum 0, maximum 100, value 0, stretched foreground image; fixed height
//      12 (DPI-scaled), width auto; text style kProgressTextStyle.
//  PG2. SetValue stores the value as given and repaints; the range is applied when painting.
//  PG3. Painting, after the control base's background colour and image and the state
//      layers: the range is normalised and stored (progress_geometry.h); the foreground
//      part (progress_geometry.h) is filled with the foreground colour at alpha 255 when that resolves to a
//      non-zero colour; the foreground image is drawn on a copy of its descriptor with
//      "destscale='false' dest=..." set to that part, plus the same rectangle as "source"
//      when the foreground is not stretched.
//  PG4. To screen readers a progress bar reads its value as a whole percentage of its range
//      (control_role.h); each new value raises a value change.
#pragma once

#include <string>

#include "ui/core/state_image.h"
#include "ui/widgets/label.h"
#include "ui/widgets/progress_geometry.h"

namespace ui {

class Progress : public LabelTemplate<Control> {
 public:
  Progress();

  std::wstring GetType() const override;
  void SetAttribute(const std::wstring& name, const std::wstring& value) override;
  void ClearImageCache() override;
  void RescaleForDpi() override;  // the default height too

  bool IsHorizontal() const { return horizontal_; }
  void SetHorizontal(bool horizontal);
  int GetMinValue() const { return range_.min; }
  void SetMinValue(int min);
  int GetMaxValue() const { return range_.max; }
  void SetMaxValue(int max);
  double GetValue() const { return range_.value; }
  void SetValue(double value);  // PG2
  bool IsStretchForeImage() const { return stretch_fore_; }
  void SetStretchForeImage(bool stretch);
  std::wstring GetProgressImage() const { return progress_image_.GetDescriptor(); }
  void SetProgressImage(const std::wstring& descriptor);
  const std::wstring& GetProgressColor() const { return progress_color_; }
  void SetProgressColor(const std::wstring& name);
  std::wstring GetAccessibleValue() const override;  // PG4

 protected:
  ControlRole DefaultRole() const override { return ControlRole::kProgressBar; }
  void PaintStatusImage(IRenderContext* render) override;  // PG3

 private:
  bool horizontal_ = true;
  ProgressRange range_;
  bool stretch_fore_ = true;
  Image progress_image_;
  std::wstring progress_color_;
};

}  // namespace ui
