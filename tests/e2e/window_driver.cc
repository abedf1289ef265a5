#include "tests/e2e/window_driver.h"

#include <algorithm>

#include "support/scoped_gdi.h"
#include "support/scoped_handle.h"

namespace vireo::test {

namespace {

constexpr unsigned kPollMs = 20;
constexpr unsigned kInputLimitMs = 2000;  // how long the system may take to take one input

struct WindowQuery {
  DWORD pid;
  const std::wstring* title;
  const wchar_t* class_name;
  HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM param) {
  auto* query = reinterpret_cast<WindowQuery*>(param);
  DWORD pid = 0;
  ::GetWindowThreadProcessId(window, &pid);
  if (pid != query->pid || !::IsWindowVisible(window)) return TRUE;
  wchar_t text[256] = L"";
  ::GetWindowTextW(window, text, 256);
  if (*query->title != text) return TRUE;
  if (query->class_name) {
    wchar_t name[256] = L"";
    ::GetClassNameW(window, name, 256);
    if (std::wstring(name) != query->class_name) return TRUE;
  }
  query->found = window;
  return FALSE;
}

void SendMouse(DWORD flags, POINT screen) {
  // Absolute coordinates are 0-65535 over the primary screen.
  const int width = ::GetSystemMetrics(SM_CXSCREEN);
  const int height = ::GetSystemMetrics(SM_CYSCREEN);
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dx = static_cast<LONG>((screen.x * 65535 + width / 2) / (width - 1));
  input.mi.dy = static_cast<LONG>((screen.y * 65535 + height / 2) / (height - 1));
  input.mi.dwFlags = flags | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE;
  ::SendInput(1, &input, sizeof(input));
  // Each step is sent only once the system has taken the one before: the pointer stands on
  // the point and the button is down or up as sent. The window then reads them in order.
  const bool down = (flags & MOUSEEVENTF_LEFTDOWN) != 0;
  const bool up = (flags & MOUSEEVENTF_LEFTUP) != 0;
  WaitFor([&] {
    POINT at{};
    const bool pressed = (::GetAsyncKeyState(VK_LBUTTON) & 0x8000) != 0;
    return ::GetCursorPos(&at) && at.x == screen.x && at.y == screen.y && (!down || pressed) && (!up || !pressed);
  }, kInputLimitMs);
}

}  // namespace

bool WaitFor(const std::function<bool()>& condition, unsigned timeout_ms) {
  const ULONGLONG deadline = ::GetTickCount64() + timeout_ms;
  for (;;) {
    if (condition()) return true;
    if (::GetTickCount64() >= deadline) return false;
    // Pumps while it waits: out-of-context event hooks deliver through this thread's queue.
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, kPollMs, QS_ALLINPUT);
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&msg);
  }
}

HWND FindProcessWindow(DWORD pid, const std::wstring& title, const wchar_t* class_name) {
  WindowQuery query{pid, &title, class_name, nullptr};
  ::EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&query));
  return query.found;
}

HWND WaitForProcessWindow(DWORD pid, const std::wstring& title, const wchar_t* class_name,
                          unsigned timeout_ms) {
  HWND found = nullptr;
  WaitFor([&] { return (found = FindProcessWindow(pid, title, class_name)) != nullptr; }, timeout_ms);
  return found;
}

std::wstring MessageBoxText(HWND box) {
  wchar_t text[2048] = L"";
  ::GetDlgItemTextW(box, 0xFFFF, text, 2048);
  return text;
}

POINT ScreenPoint(HWND window, int x, int y) {
  RECT rc{};
  ::GetWindowRect(window, &rc);
  return POINT{rc.left + x, rc.top + y};
}

void MouseMove(POINT screen) { SendMouse(0, screen); }
void MouseDown(POINT screen) { SendMouse(MOUSEEVENTF_LEFTDOWN, screen); }
void MouseUp(POINT screen) { SendMouse(MOUSEEVENTF_LEFTUP, screen); }

void MouseClick(POINT screen) {
  SendMouse(0, screen);
  SendMouse(MOUSEEVENTF_LEFTDOWN, screen);
  SendMouse(MOUSEEVENTF_LEFTUP, screen);
}

void MouseDrag(POINT from, POINT to) {
  SendMouse(0, from);
  SendMouse(MOUSEEVENTF_LEFTDOWN, from);
  constexpr int kSteps = 5;
  for (int i = 1; i <= kSteps; ++i) {
    SendMouse(0, POINT{from.x + (to.x - from.x) * i / kSteps, from.y + (to.y - from.y) * i / kSteps});
  }
  SendMouse(MOUSEEVENTF_LEFTUP, to);
}

void PressKey(WORD virtual_key) { PressKeyWith(0, virtual_key); }

void PressKeyWith(WORD modifier, WORD virtual_key) {
  INPUT inputs[4]{};
  UINT count = 0;
  const auto add = [&](WORD key, DWORD flags) {
    inputs[count].type = INPUT_KEYBOARD;
    inputs[count].ki.wVk = key;
    inputs[count].ki.dwFlags = flags;
    ++count;
  };
  if (modifier != 0) add(modifier, 0);
  add(virtual_key, 0);
  add(virtual_key, KEYEVENTF_KEYUP);
  if (modifier != 0) add(modifier, KEYEVENTF_KEYUP);
  ::SendInput(count, inputs, sizeof(INPUT));
  WaitFor([&] {
    return (::GetAsyncKeyState(virtual_key) & 0x8000) == 0 &&
           (modifier == 0 || (::GetAsyncKeyState(modifier) & 0x8000) == 0);
  }, kInputLimitMs);
}

WindowShot::WindowShot(HWND window) {
  RECT rc{};
  if (!::GetWindowRect(window, &rc)) return;
  width_ = rc.right - rc.left;
  height_ = rc.bottom - rc.top;
  if (width_ <= 0 || height_ <= 0) return;
  const ScopedWindowDc screen(nullptr);
  const ScopedMemoryDc memory(::CreateCompatibleDC(screen.get()));
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width_;
  info.bmiHeader.biHeight = -height_;  // top-down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  const ScopedBitmap bitmap(::CreateDIBSection(memory.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!screen || !memory.valid() || !bitmap.valid()) return;
  {
    const ScopedSelectObject select(memory.get(), bitmap.get());
    ::BitBlt(memory.get(), 0, 0, width_, height_, screen.get(), rc.left, rc.top, SRCCOPY);
  }
  const auto* source = static_cast<const uint32_t*>(bits);
  pixels_.assign(source, source + static_cast<size_t>(width_) * height_);
}

uint32_t WindowShot::At(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_ || pixels_.empty()) return 0xFFFFFFFF;
  return pixels_[static_cast<size_t>(y) * width_ + x] & 0x00FFFFFF;
}

bool ColorNear(uint32_t a, uint32_t b, int tolerance) {
  for (int shift = 0; shift < 24; shift += 8) {
    const int ca = static_cast<int>((a >> shift) & 0xFF);
    const int cb = static_cast<int>((b >> shift) & 0xFF);
    if (std::abs(ca - cb) > tolerance) return false;
  }
  return true;
}

bool SaveShot(const WindowShot& shot, const RECT& part, int zoom, const std::wstring& path) {
  const RECT whole = {0, 0, shot.width(), shot.height()};
  RECT cut{};
  if (shot.pixels().empty() || zoom < 1 || !::IntersectRect(&cut, &part, &whole)) return false;
  const int width = (cut.right - cut.left) * zoom;
  const int height = (cut.bottom - cut.top) * zoom;
  std::vector<uint32_t> pixels(static_cast<size_t>(width) * height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      pixels[static_cast<size_t>(y) * width + x] = shot.At(cut.left + x / zoom, cut.top + y / zoom);
    }
  }
  BITMAPINFOHEADER info{};
  info.biSize = sizeof(info);
  info.biWidth = width;
  info.biHeight = -height;  // top-down
  info.biPlanes = 1;
  info.biBitCount = 32;
  const DWORD bytes = static_cast<DWORD>(pixels.size() * sizeof(uint32_t));
  BITMAPFILEHEADER file{};
  file.bfType = 0x4D42;  // "BM"
  file.bfOffBits = sizeof(file) + sizeof(info);
  file.bfSize = file.bfOffBits + bytes;
  const ScopedFile out(::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
  if (!out.valid()) return false;
  DWORD written = 0;
  return ::WriteFile(out.get(), &file, sizeof(file), &written, nullptr) &&
         ::WriteFile(out.get(), &info, sizeof(info), &written, nullptr) &&
         ::WriteFile(out.get(), pixels.data(), bytes, &written, nullptr);
}

}  // namespace vireo::test
