// Skin attributes whose values were read with the DPI scale, remembered so that a change of
// scale (a window moved to a monitor of another DPI) can read them again at the new scale.
//
//  RS1. Every read of a skin value that consulted the DPI scale is counted (NoteScaledRead:
//       attribute_values.h's scaled lengths and the image descriptors of state_image.h).
//  RS2. Apply runs one attribute through |set|; when the count moved meanwhile, the name and
//       value are remembered, else an earlier value of that name is forgotten (the name's
//       value no longer depends on the scale, and applying the old one again would undo it).
//  RS3. Remembered attributes keep the order in which they were last applied, so ApplyAgain
//       reproduces the same result where attributes overlap ("bordersize", then
//       "leftbordersize"); applying a name again moves it to the end.
//  RS4. "class" is never remembered itself: each attribute it applies is, on its own.
//  RS5. UI thread only.
#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace ui {

void NoteScaledRead();

using AttributeSetter = std::function<void(const std::wstring& name, const std::wstring& value)>;

class ScaledAttributes {
 public:
  void Apply(const std::wstring& name, const std::wstring& value, const AttributeSetter& set);  // RS2-RS4
  void ApplyAgain(const AttributeSetter& set) const;                                           // RS3
  bool empty() const { return entries_.empty(); }

 private:
  void Forget(const std::wstring& name);

  std::vector<std::pair<std::wstring, std::wstring>> entries_;
};

}  // namespace ui
