// A control's images and colours per mouse state, and the rules that pick what is painted
// for a state.
//
// ST1. Normal and hot: the normal image, then, when the control has a hot fade, the hot image
//     at alpha = hot alpha x the hot image's fade / 255; without a fade, hot draws the hot
//     image (or the normal one when there is none).
// ST2. Pushed: the pushed image; without one, the hot image fully opaque; without that, the
//     normal image.
// ST3. Disabled: the disabled image; without one, the normal image.
// ST4. State colours have no fallback: a state without a colour paints none.
// ST5. An image that cannot be loaded is not drawn; its descriptor is kept and loading is
//     tried again at the next paint.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "ui/markup/image_descriptor.h"

namespace ui {

enum ControlState {
  kControlStateNormal = 0,
  kControlStateHot = 1,
  kControlStatePushed = 2,
  kControlStateDisabled = 3,
};
inline constexpr int kControlStateCount = 4;

// Keep the descriptor's own fade.
inline constexpr int kFadeKeep = -1;

// One image-valued attribute: the descriptor as written, parsed with the DPI scale current
// when it was set, and the decoded image once loaded.
class Image {
 public:
  Image() = default;
  const std::wstring& GetDescriptor() const { return attribute_.descriptor; }
  void SetDescriptor(const std::wstring& descriptor);
  bool IsEmpty() const { return attribute_.descriptor.empty(); }
  void Clear() { SetDescriptor(std::wstring()); }

  const ImageAttribute& attribute() const { return attribute_; }
  // The decoded image, loaded through the global image cache on first use with the file
  // resolved against |window_path|; null when it cannot be decoded (tried again next time).
  DecodedImage* Load(const std::wstring& window_path);
  // Drops the decoded image (the cache frees it with its last holder).
  void ClearCache() { attribute_.image.reset(); }
  // Same file and same source part.
  bool SharesSourceWith(const Image& other) const;

 private:
  ImageAttribute attribute_;
};

// Draws one image for a control; false when nothing was drawn. |fade| replaces the
// descriptor's fade unless it is kFadeKeep.
using DrawImageFn = std::function<bool(Image& image, int fade)>;

// One set of the four state images.
class StateImage {
 public:
  Image& Get(ControlState state) { return images_[state]; }
  const Image& Get(ControlState state) const { return images_[state]; }
  bool HasImage() const;
  void ClearCache();
  // Paints the set for |state| (ST1-ST3).
  void Paint(ControlState state, int hot_alpha, bool has_hot_fade, const DrawImageFn& draw);

 private:
  Image images_[kControlStateCount];
};

// The background set ("normalimage", ...) and the foreground set ("forenormalimage", ...).
struct StateImageMap {
  StateImage background;
  StateImage foreground;
  bool HasHotImage() const {
    return !background.Get(kControlStateHot).IsEmpty() ||
           !foreground.Get(kControlStateHot).IsEmpty();
  }
};

// Colour names per state (ST4).
class StateColorMap {
 public:
  const std::wstring& Get(ControlState state) const { return colors_[state]; }
  void Set(ControlState state, const std::wstring& name) { colors_[state] = name; }

 private:
  std::wstring colors_[kControlStateCount];
};

}  // namespace ui
