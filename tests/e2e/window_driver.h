// Driving a real window of another process as a user does: real mouse and keyboard input
// through SendInput, the screen read back for a few pixel probes, and waits with hard limits.
// Input goes to whatever is under the pointer or has the focus, so window tests hold the
// display to themselves (CTest resource lock vireo_display).
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>


namespace vireo::test {

// Polls |condition| every 20 ms, pumping this thread's messages meanwhile, until it holds or
// |timeout_ms| has passed; answers whether it held.
bool WaitFor(const std::function<bool()>& condition, unsigned timeout_ms);

// The visible top-level window of process |pid| with exactly |title| (and |class_name|
// when not null); null when there is none.
HWND FindProcessWindow(DWORD pid, const std::wstring& title, const wchar_t* class_name = nullptr);
HWND WaitForProcessWindow(DWORD pid, const std::wstring& title, const wchar_t* class_name,
                          unsigned timeout_ms);
// The text of a message box's message (its static control).
std::wstring MessageBoxText(HWND box);

// Screen coordinates of a point given relative to |window|'s top-left corner.
POINT ScreenPoint(HWND window, int x, int y);
void MouseMove(POINT screen);
void MouseDown(POINT screen);
void MouseUp(POINT screen);
void MouseClick(POINT screen);
// Press at |from|, move to |to| in a few steps, release.
void MouseDrag(POINT from, POINT to);
void PressKey(WORD virtual_key);
// |virtual_key| pressed while |modifier| (VK_SHIFT, ...) is held down.
void PressKeyWith(WORD modifier, WORD virtual_key);

// A copy of the screen inside a window's rectangle; At() takes window-relative points.
class WindowShot {
 public:
  explicit WindowShot(HWND window);
  // 0x00RRGGBB, or 0xFFFFFFFF outside the captured rectangle.
  uint32_t At(int x, int y) const;
  int width() const { return width_; }
  int height() const { return height_; }
  // Top-down rows of 0x00RRGGBB; empty when nothing could be captured.
  const std::vector<uint32_t>& pixels() const { return pixels_; }

 private:
  int width_ = 0;
  int height_ = 0;
  std::vector<uint32_t> pixels_;
};

// Saves |part| of |shot| (window-relative, cut to the shot) as a 32-bit BMP file, each pixel
// |zoom| times wider and taller; false when there is nothing to save or it cannot be written.
bool SaveShot(const WindowShot& shot, const RECT& part, int zoom, const std::wstring& path);

// Whether two colours differ by at most |tolerance| in every channel.
bool ColorNear(uint32_t a, uint32_t b, int tolerance = 24);

}  // namespace vireo::test
