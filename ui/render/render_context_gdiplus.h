// The render context on a GDI/GDI+ back buffer (rules RC1-RC11 in render_context.h).
//
// GDI+ draws through a Graphics over the buffer's own pixels rather than over its device
// context, so fills and text write exact premultiplied alpha (RC1); the origin and clip are
// therefore kept here and handed to both sides: to the device context (window origin and
// clip region) after every change, and to each Graphics when it is made.
#pragma once

#include <memory>
#include <vector>

#include "support/scoped_gdiplus.h"
#include "ui/render/back_buffer.h"
#include "ui/render/render_context.h"

namespace ui {

class RenderContext_GdiPlus : public IRenderContext {
 public:
  // Needs a running GDI+ session (render_factory_gdiplus.h makes contexts inside one).
  RenderContext_GdiPlus();
  ~RenderContext_GdiPlus() override;

  // False when the back buffer's device context could not be made.
  bool ok() const { return buffer_.ok(); }

  bool Resize(int width, int height) override;
  int GetWidth() const override { return buffer_.width(); }
  int GetHeight() const override { return buffer_.height(); }
  HDC GetDC() const override;
  uint32_t* GetBits() override { return buffer_.bits(); }
  void Clear() override { buffer_.Clear(); }

  void SetAlwaysBlend(bool always) override { always_blend_ = always; }
  bool IsAlwaysBlend() const override { return always_blend_; }

  POINT SetWindowOrg(POINT origin) override;
  POINT OffsetWindowOrg(POINT delta) override;
  POINT GetWindowOrg() const override { return origin_; }

  ClipState IntersectClip(const RECT& rect) override;
  void RestoreClip(const ClipState& previous) override;
  RECT GetClipBox() const override;

  bool BeginLayer(BYTE alpha) override;
  void EndLayer() override;

  void FillRect(const RECT& rect, DWORD argb, BYTE alpha) override;
  void DrawImage(const RECT& paint_rect, HBITMAP bitmap, bool has_alpha, const RECT& dest,
                 const RECT& source, const RECT& corner, const RECT& dest_corner, BYTE fade,
                 bool xtiled, bool ytiled) override;
  RECT MeasureText(std::wstring_view text, HFONT font, UINT style, int width_limit) override;
  void DrawText(const RECT& rect, std::wstring_view text, DWORD argb, HFONT font, UINT style,
                BYTE alpha, bool line_limit) override;

 private:
  // A translucent layer: its buffer covers |pixels| of the back buffer.
  struct Layer {
    std::unique_ptr<BackBuffer> buffer;
    RECT pixels;
    BYTE alpha;
  };

  BackBuffer& Target();
  const BackBuffer& Target() const;
  POINT TargetOffset() const;  // the target's pixel (0, 0) in back-buffer pixels
  void ApplyToDc();
  // A Graphics on the target with the origin and clip applied; null when there is none.
  std::unique_ptr<Gdiplus::Graphics> NewGraphics();

  BackBuffer buffer_;
  std::vector<Layer> layers_;
  POINT origin_{};
  RECT clip_{};  // back-buffer pixels (RC4)
  bool always_blend_ = false;
  // MeasureText's surface, so text can be measured before the first Resize (RC11).
  std::unique_ptr<Gdiplus::Bitmap> measure_bitmap_;
};

}  // namespace ui
