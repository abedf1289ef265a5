#include "ui/core/state_image.h"

#include "ui/core/scaled_attributes.h"
#include "ui/markup/global_manager.h"

namespace ui {

void Image::SetDescriptor(const std::wstring& descriptor) {
  if (descriptor.empty()) {
    attribute_ = ImageAttribute();
    return;
  }
  NoteScaledRead();  // a "dest" is scaled as it is read
  attribute_ = ParseImageDescriptor(descriptor, GlobalManager::Get().dpi());
}

DecodedImage* Image::Load(const std::wstring& window_path) {
  if (IsEmpty() || attribute_.file.empty()) return nullptr;
  if (!attribute_.image) attribute_.image = GlobalManager::Get().GetImage(attribute_.file, window_path);
  if (!attribute_.image || attribute_.image->frames.empty()) return nullptr;
  return attribute_.image.get();
}

bool Image::SharesSourceWith(const Image& other) const {
  const RECT& a = attribute_.source;
  const RECT& b = other.attribute_.source;
  return attribute_.file == other.attribute_.file && a.left == b.left && a.top == b.top &&
         a.right == b.right && a.bottom == b.bottom;
}

bool StateImage::HasImage() const {
  for (const Image& image : images_) {
    if (!image.IsEmpty()) return true;
  }
  return false;
}

void StateImage::ClearCache() {
  for (Image& image : images_) image.ClearCache();
}

void StateImage::Paint(ControlState state, int hot_alpha, bool has_hot_fade,
                       const DrawImageFn& draw) {
  Image& normal = images_[kControlStateNormal];
  Image& hot = images_[kControlStateHot];
  switch (state) {
    case kControlStatePushed:
      if (draw(images_[kControlStatePushed], kFadeKeep)) return;
      if (draw(hot, 255)) return;
      draw(normal, kFadeKeep);
      return;
    case kControlStateDisabled:
      if (draw(images_[kControlStateDisabled], kFadeKeep)) return;
      draw(normal, kFadeKeep);
      return;
    default:
      break;
  }
  if (!has_hot_fade) {
    if (state == kControlStateHot && draw(hot, kFadeKeep)) return;
    draw(normal, kFadeKeep);
    return;
  }
  // ST1: one image that only changes its fade is drawn once with the fades blended.
  if (!hot.IsEmpty() && !normal.IsEmpty() && normal.SharesSourceWith(hot)) {
    const int from = normal.attribute().fade;
    const int to = hot.attribute().fade;
    draw(normal, from + (to - from) * hot_alpha / 255);
    return;
  }
  draw(normal, kFadeKeep);
  if (hot_alpha > 0 && !hot.IsEmpty()) draw(hot, hot_alpha * hot.attribute().fade / 255);
}

}  // namespace ui
