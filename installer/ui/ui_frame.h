// The installer's skinned window base: the window class and the skin folder every installer
// window shares.
#pragma once

#include <string>

#include "installer/product_constants.h"
#include "ui/core/window_impl_base.h"

namespace vireo {

inline constexpr wchar_t kFrameSkinFolder[] = L"frame";

class CUIFrame : public ui::WindowImplBase {
 protected:
  std::wstring GetWindowClassName() const override { return kFrameClassName; }
  std::wstring GetSkinFolder() const override { return kFrameSkinFolder; }
  std::wstring GetSkinFile() const override { return L"UIFrame.xml"; }
};

}  // namespace vireo
