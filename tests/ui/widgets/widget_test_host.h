// What the widget tests share: the toolkit started on the real skin of the source tree, and
// a hidden-until-asked native window that builds a tree from XML text, lays it out and paints
// it into its back buffer for pixel probes.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <string>

#include "ui/core/box.h"
#include "ui/core/window.h"
#include "ui/core/window_impl_base.h"

namespace ui::testing {

// Starts the toolkit on resources/skin at |percent| scale (100: not DPI-aware) and shuts it
// down again.
class SkinTest : public ::testing::Test {
 protected:
  void SetUp() override { StartSkin(100); }
  void TearDown() override;
  void StartSkin(int percent);
};

// Lays |window|'s tree out over its client area.
void LayoutTree(Window& window);
// Lays out, clears the back buffer and paints the whole tree into it.
void PaintTree(Window& window);

// A plain window around a tree built from XML ("<Window><Box>...</Box></Window>" is added
// around |controls|); its resource path is the skin's "frame" folder.
class TestHost : public Window {
 public:
  TestHost() = default;
  // False when the window or its render context cannot be made, or nothing was built.
  bool Open(const std::wstring& controls, SIZE size);

  template <typename T>
  T* Find(const std::wstring& name) const {
    return dynamic_cast<T*>(FindControl(name));
  }
  void Layout() { LayoutTree(*this); }
  void PaintAll() { PaintTree(*this); }
  uint32_t Pixel(int x, int y) const;
  // Sends a left click at the centre of |control|'s position through the window.
  void ClickAt(const Control* control);
  void ShowAndPaint();
};

// The install window of the skin (frame\UIInstallFrame.xml), for layout tables.
class InstallFrameHost : public WindowImplBase {
 public:
  // False when the window could not be created.
  bool Open();
  Control* Find(const std::wstring& name) const { return FindControl(name); }
  void Layout() { LayoutTree(*this); }
  void PaintAll() { PaintTree(*this); }

 protected:
  std::wstring GetSkinFolder() const override { return L"frame"; }
  std::wstring GetSkinFile() const override { return L"UIInstallFrame.xml"; }
  void OnFinalMessage(HWND) override {}
};

// "l,t,r,b" for readable table failures.
std::string RectText(const RECT& rc);

}  // namespace ui::testing
