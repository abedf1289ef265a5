// Move-only owners of GDI objects and device-context states, built on ScopedGeneric.
//
// SG1. A GDI object (font, bitmap, brush, pen, region) is deleted once, by its owner.
// SG2. A memory device context from CreateCompatibleDC is deleted with DeleteDC; a window's
//     device context from GetDC is released with ReleaseDC on the same window.
// SG3. A selection into a device context is undone, in reverse order of the selections, before
//     the selected object's owner deletes it: declare the ScopedSelectObject after the owner of
//     the object it selects, so it is destroyed first.
// SG4. Like every ScopedGeneric owner, closing keeps the thread's last-error code.
#pragma once

#include <windows.h>

#include <utility>

#include "support/scoped_handle.h"

namespace vireo {

template <typename T>
struct GdiObjectTraits {
  using Handle = T;
  static Handle Invalid() { return nullptr; }
  static bool IsValid(Handle h) { return h != nullptr; }
  static void Close(Handle h) { ::DeleteObject(h); }
};

struct MemoryDcTraits {
  using Handle = HDC;
  static Handle Invalid() { return nullptr; }
  static bool IsValid(Handle h) { return h != nullptr; }
  static void Close(Handle h) { ::DeleteDC(h); }
};

using ScopedFont = ScopedGeneric<GdiObjectTraits<HFONT>>;
using ScopedBitmap = ScopedGeneric<GdiObjectTraits<HBITMAP>>;
using ScopedBrush = ScopedGeneric<GdiObjectTraits<HBRUSH>>;
using ScopedPen = ScopedGeneric<GdiObjectTraits<HPEN>>;
using ScopedRegion = ScopedGeneric<GdiObjectTraits<HRGN>>;
// A memory device context (CreateCompatibleDC).
using ScopedMemoryDc = ScopedGeneric<MemoryDcTraits>;

// A window's device context from GetDC, released on the same window (SG2).
class ScopedWindowDc {
 public:
  explicit ScopedWindowDc(HWND window) : window_(window), dc_(::GetDC(window)) {}
  ScopedWindowDc(const ScopedWindowDc&) = delete;
  ScopedWindowDc& operator=(const ScopedWindowDc&) = delete;
  ~ScopedWindowDc() {
    if (!dc_) return;
    const DWORD saved = ::GetLastError();
    ::ReleaseDC(window_, dc_);
    ::SetLastError(saved);
  }
  HDC get() const { return dc_; }
  explicit operator bool() const { return dc_ != nullptr; }

 private:
  HWND window_;
  HDC dc_;
};

// Selects |object| into |dc| and puts the previous object back when destroyed (SG3). A failed
// selection (null previous object) restores nothing.
class ScopedSelectObject {
 public:
  ScopedSelectObject(HDC dc, HGDIOBJ object) : dc_(dc), previous_(::SelectObject(dc, object)) {}
  ScopedSelectObject(const ScopedSelectObject&) = delete;
  ScopedSelectObject& operator=(const ScopedSelectObject&) = delete;
  ~ScopedSelectObject() {
    if (previous_ == nullptr || previous_ == HGDI_ERROR) return;
    ::SelectObject(dc_, previous_);
  }
  bool ok() const { return previous_ != nullptr && previous_ != HGDI_ERROR; }

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

}  // namespace vireo
