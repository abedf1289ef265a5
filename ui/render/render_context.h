// The drawing surface every control paints on: a back buffer with fills, images and text,
// a window origin, nested clipping and translucent layers.
//
// Pixels and colours:
//  RC1. The back buffer is a 32-bit top-down DIB section of GetWidth() x GetHeight() pixels.
//      Each pixel is one uint32_t of PREMULTIPLIED ARGB (blue in the low byte); rows follow
//      each other without padding (GetBits()[y * GetWidth() + x]). Its alpha is meaningful
//      wherever fills, text and images drew (an opaque image scaled with StretchBlt, RC10,
//      gets its alpha restored to 255). GDI writes no alpha: text drawn through GetDC()
//      leaves alpha 0 in the pixels it touches. A presenter that uses the alpha (a layered
//      window) restores opacity there.
//  RC2. Colours passed in are 0xAARRGGBB, NOT premultiplied. Bitmaps passed to DrawImage are
//      32-bit DIB sections (top-down like the back buffer) holding PREMULTIPLIED ARGB; a
//      bitmap without transparency must still carry alpha 255 in every pixel
//      (image_blit.h).
//
// Coordinates and state:
//  RC3. Every rectangle and point is in logical coordinates: the pixel at (x, y) of the back
//      buffer shows logical point (x + origin.x, y + origin.y). The origin starts at (0, 0).
//  RC4. The clip starts as the whole back buffer. IntersectClip narrows it to its
//      intersection with a rectangle and returns the previous clip, which RestoreClip puts
//      back; ScopedClip pairs the two. Nothing is drawn outside the clip, by any primitive or
//      by GDI on GetDC(). The clip is kept in back-buffer pixels, so changing the origin does
//      not move it.
//  RC5. Resize(width, height) replaces the back buffer (contents not kept, all 0) and reports
//      whether the size changed; it resets the clip to the whole buffer, keeps the origin and
//      discards open layers without blending them. Negative sizes count as 0; an empty or
//      impossible buffer (2 GB or more) leaves width and height 0, GetBits() null and every
//      primitive drawing nothing.
//  RC6. Always-blend mode (off by default) makes DrawImage alpha-blend every part, as a
//      layered window needs; inside a layer images are always blended as well.
//
// Layers:
//  RC7. BeginLayer(alpha) redirects all drawing (GetDC() included) into a transparent
//      temporary buffer covering the current clip; EndLayer() blends it onto what was drawn
//      before with source-over, per-pixel alpha and the constant |alpha|. Layers nest. A
//      failed BeginLayer (no memory for the buffer) returns false, opens nothing and leaves
//      drawing going straight to the current surface. ScopedLayer pairs the two and opens no
//      layer at alpha 255.
//  RC8. GetBits() and Clear() work on the back buffer itself; Clear() (all pixels 0) is meant
//      for when no layer is open. GetBits() flushes GDI first, so the pixels are current.
//
// Primitives (nothing is drawn while the clip is empty):
//  RC9.  FillRect(rect, argb, alpha): solid source-over fill of exactly the pixels of |rect|,
//       in ScaleAlpha(argb, alpha) (colour_alpha.h): alpha 255 keeps the colour unchanged.
//  RC10. DrawImage(paint_rect, bitmap, has_alpha, dest, source, corner, dest_corner, fade,
//       xtiled, ytiled): image_parts.h and image_blit.h. |corner| holds the source's border
//       widths; |dest_corner| the same borders scaled for the display's DPI (the caller scales;
//       pass |corner| again at 100 %). Only what meets |paint_rect| is drawn.
//  RC11. MeasureText(text, font, style, width_limit) and DrawText(rect, text, argb, font,
//       style, alpha, line_limit): gdiplus_text.h and text_format.h. |style| holds DT_* bits;
//       a null font is the current font of GetDC(). MeasureText works before the first
//       Resize too.
//
// windows.h turns the name DrawText into DrawTextW; since this header includes it first, the
// declaration and every call are renamed alike.
//
// A context and everything it returns are used on one thread, and it must be destroyed
// before the renderer (render_factory.h) that made it.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string_view>

namespace ui {

// The clip a ScopedClip restores, in back-buffer pixels (RC4).
struct ClipState {
  RECT pixels{};
};

class IRenderContext {
 public:
  virtual ~IRenderContext() = default;

  virtual bool Resize(int width, int height) = 0;  // RC5
  virtual int GetWidth() const = 0;
  virtual int GetHeight() const = 0;
  // The device context drawing goes to now: the back buffer's, or the open layer's (RC7).
  virtual HDC GetDC() const = 0;
  virtual uint32_t* GetBits() = 0;  // RC1, RC8; null when the buffer is empty
  virtual void Clear() = 0;         // RC8

  virtual void SetAlwaysBlend(bool always) = 0;  // RC6
  virtual bool IsAlwaysBlend() const = 0;

  // RC3: each returns the previous origin.
  virtual POINT SetWindowOrg(POINT origin) = 0;
  virtual POINT OffsetWindowOrg(POINT delta) = 0;
  virtual POINT GetWindowOrg() const = 0;

  // RC4.
  virtual ClipState IntersectClip(const RECT& rect) = 0;
  virtual void RestoreClip(const ClipState& previous) = 0;
  virtual RECT GetClipBox() const = 0;  // the clip in logical coordinates

  // RC7.
  virtual bool BeginLayer(BYTE alpha) = 0;
  virtual void EndLayer() = 0;

  virtual void FillRect(const RECT& rect, DWORD argb, BYTE alpha) = 0;  // RC9
  virtual void DrawImage(const RECT& paint_rect, HBITMAP bitmap, bool has_alpha, const RECT& dest,
                         const RECT& source, const RECT& corner, const RECT& dest_corner, BYTE fade,
                         bool xtiled,
                         bool ytiled) = 0;  // RC10
  virtual RECT MeasureText(std::wstring_view text, HFONT font, UINT style,
                           int width_limit) = 0;  // RC11
  virtual void DrawText(const RECT& rect, std::wstring_view text, DWORD argb, HFONT font,
                        UINT style, BYTE alpha, bool line_limit) = 0;  // RC11
};

// Narrows the clip for its lifetime (RC4). Nest them: update rectangle, then each control.
class ScopedClip {
 public:
  ScopedClip(IRenderContext& context, const RECT& rect)
      : context_(context), previous_(context.IntersectClip(rect)) {}
  ScopedClip(const ScopedClip&) = delete;
  ScopedClip& operator=(const ScopedClip&) = delete;
  ~ScopedClip() { context_.RestoreClip(previous_); }

 private:
  IRenderContext& context_;
  ClipState previous_;
};

// Draws everything in its lifetime at |alpha| (RC7); at 255 it opens no layer.
class ScopedLayer {
 public:
  ScopedLayer(IRenderContext& context, BYTE alpha)
      : context_(context), open_(alpha != 255 && context.BeginLayer(alpha)) {}
  ScopedLayer(const ScopedLayer&) = delete;
  ScopedLayer& operator=(const ScopedLayer&) = delete;
  ~ScopedLayer() {
    if (open_) context_.EndLayer();
  }

 private:
  IRenderContext& context_;
  bool open_;
};

}  // namespace ui
