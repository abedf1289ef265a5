// Helpers shared by the toolkit core's tests: controls made from attribute lists, a button
// that raises clicks, the DPI scale for one test, and rectangles that print.
#pragma once

#include <windows.h>

#include <functional>
#include <initializer_list>
#include <memory>
#include <ostream>
#include <string>
#include <utility>

#include "ui/core/control.h"
#include "ui/core/control_kinds.h"
#include "ui/core/window_impl_base.h"
#include "ui/markup/dpi_scale.h"
#include "ui/markup/global_manager.h"

namespace ui_test {

using Attributes = std::initializer_list<std::pair<const wchar_t*, const wchar_t*>>;

// A new |T| with |attributes| applied in order.
template <typename T = ui::Control>
std::unique_ptr<T> Make(Attributes attributes = {}) {
  auto control = std::make_unique<T>();
  for (const auto& [name, value] : attributes) control->SetAttribute(name, value);
  return control;
}

// What a widget button does: a tab stop whose activation raises kEventClick.
class TestButton : public ui::Control {
 public:
  std::wstring GetType() const override { return ui::kButtonKind; }
  bool IsTabStop() const override { return true; }
  bool Activate() override {
    if (!ui::Control::Activate()) return false;
    HandleMessageTemplate(ui::kEventClick);
    return true;
  }
};
// The creator to register TestButton as the button kind with.
inline std::unique_ptr<ui::Control> MakeTestButton() { return std::make_unique<TestButton>(); }

// A skinned window built from XML text; |on_message| sees every message first.
class SkinWindow : public ui::WindowImplBase {
 public:
  explicit SkinWindow(std::wstring xml) : xml_(std::move(xml)) {}
  std::function<void(UINT msg, WPARAM w_param)> on_message;

  LRESULT HandleMessage(UINT msg, WPARAM w_param, LPARAM l_param) override {
    if (on_message) on_message(msg, w_param);
    return ui::WindowImplBase::HandleMessage(msg, w_param, l_param);
  }

 protected:
  std::wstring GetWindowClassName() const override { return L"VireoTestSkin"; }
  std::wstring GetSkinFolder() const override { return std::wstring(); }
  std::wstring GetSkinFile() const override { return xml_; }

 private:
  std::wstring xml_;
};

// Writes an opaque 24-bit bitmap file of |width| x |height| in |rgb| (0xRRGGBB).
bool WriteBmp(const std::wstring& path, int width, int height, DWORD rgb);

// Sets the global DPI scale for the life of the object.
class ScopedDpi {
 public:
  ScopedDpi(int percent, bool aware = true) : saved_(ui::GlobalManager::Get().dpi()) {
    ui::GlobalManager::Get().dpi() = ui::DpiScale(percent, aware);
  }
  ~ScopedDpi() { ui::GlobalManager::Get().dpi() = saved_; }
  ScopedDpi(const ScopedDpi&) = delete;
  ScopedDpi& operator=(const ScopedDpi&) = delete;

 private:
  ui::DpiScale saved_;
};

}  // namespace ui_test

inline bool operator==(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}
inline std::ostream& operator<<(std::ostream& out, const RECT& rc) {
  return out << "(" << rc.left << "," << rc.top << ")-(" << rc.right << "," << rc.bottom << ")";
}
inline bool operator==(const SIZE& a, const SIZE& b) { return a.cx == b.cx && a.cy == b.cy; }
inline std::ostream& operator<<(std::ostream& out, const SIZE& size) {
  return out << size.cx << "x" << size.cy;
}
