// The geometry half of a control: its size rules, margin, alignment, visibility flags and
// position, and the marks that ask for a new layout. Knows nothing of painting or input.
//
// Size rules (all in pixels: the attribute reader scales skin lengths before they get here):
//  PH1. A fixed width or height is a length >= 0, kLengthStretch (-1: take what the layout
//      gives) or kLengthAuto (-2: the control's content decides). Setters ignore values below
//      kLengthAuto and clamp lengths above kLengthLimit, so no sum of a few hundred lengths
//      can overflow.
//  PH2. Minimum sizes default to -1 (none), maximum sizes to kMaxLengthDefault; a negative
//      maximum means no limit. Clamp() applies both.
//  PH3. SetPos normalises the rectangle (right not left of left, bottom not above top). An
//      unchanged rectangle only clears the needs-layout mark; a changed one is stored and the
//      union of the old and new rectangle is invalidated, clipped by every ancestor.
//  PH4. IsVisible is the own flag AND the flag inherited from the parent (SetInternVisible).
//  PH5. EstimateSize answers the fixed size when neither dimension is auto; otherwise the
//      derived class's CalcEstimateSize, cached until something that affects it changes
//      (SetReEstimateSize) or the available size differs from the cached one.
//  PH6. A change of a size rule, margin, float flag or alignment makes the control ask for a
//      layout (Arrange): its and its ancestors' estimates are dropped, the parent is marked,
//      and the window lays the tree out again at its next paint.
#pragma once

#include <windows.h>

#include <string>

#include "corekit/weak_callback.h"

namespace ui {

class Box;
class Window;

inline constexpr int kLengthStretch = -1;
inline constexpr int kLengthAuto = -2;
inline constexpr int kMaxLengthDefault = 9999999;
inline constexpr int kLengthLimit = 9999999;

enum class HorAlign { kLeft, kCenter, kRight };
enum class VerAlign { kTop, kCenter, kBottom };

int RectWidth(const RECT& rc);
int RectHeight(const RECT& rc);
bool RectEmpty(const RECT& rc);
bool RectEquals(const RECT& a, const RECT& b);
// Intersection; an empty rectangle (0,0,0,0) when they do not meet.
RECT RectIntersect(const RECT& a, const RECT& b);
// Smallest rectangle holding both; an empty one does not count.
RECT RectUnion(const RECT& a, const RECT& b);
bool RectContains(const RECT& rc, POINT pt);
// Clamps a length into [0, kLengthLimit] from any 64-bit sum.
int ClampLength(long long value);

class PlaceHolder : public corekit::SupportWeakCallback {
 public:
  PlaceHolder();
  ~PlaceHolder() override;
  PlaceHolder(const PlaceHolder&) = delete;
  PlaceHolder& operator=(const PlaceHolder&) = delete;

  const std::wstring& GetName() const { return name_; }
  void SetName(const std::wstring& name) { name_ = name; }

  Window* GetWindow() const { return window_; }
  Box* GetParent() const { return parent_; }
  // Attaches this control to |window| below |parent| (either may be null). A box passes the
  // window on to its children.
  virtual void SetWindow(Window* window, Box* parent);

  // Size rules (PH1, PH2).
  int GetFixedWidth() const { return fixed_width_; }
  int GetFixedHeight() const { return fixed_height_; }
  void SetFixedWidth(int width);
  void SetFixedHeight(int height);
  int GetMinWidth() const { return min_width_; }
  int GetMinHeight() const { return min_height_; }
  int GetMaxWidth() const { return max_width_; }
  int GetMaxHeight() const { return max_height_; }
  void SetMinWidth(int width);
  void SetMinHeight(int height);
  void SetMaxWidth(int width);
  void SetMaxHeight(int height);
  int ClampWidth(int width) const;
  int ClampHeight(int height) const;

  const RECT& GetMargin() const { return margin_; }
  void SetMargin(const RECT& margin);
  HorAlign GetHorAlign() const { return hor_align_; }
  VerAlign GetVerAlign() const { return ver_align_; }
  void SetHorAlign(HorAlign align);
  void SetVerAlign(VerAlign align);
  bool IsFloat() const { return float_; }
  void SetFloat(bool is_float);

  // Visibility flags (PH4). Changing them with side effects is Control's SetVisible.
  bool IsVisible() const { return visible_ && intern_visible_; }
  bool IsOwnVisible() const { return visible_; }
  bool IsInternVisible() const { return intern_visible_; }

  // Position in window client coordinates (PH3).
  const RECT& GetPos() const { return pos_; }
  virtual void SetPos(RECT rc);

  // The size this control wants inside |available| (PH5). Never answers kLengthAuto: an auto
  // dimension without content is 0.
  SIZE EstimateSize(SIZE available);
  // Drops the cached estimate of this control and of every ancestor (PH5).
  void SetReEstimateSize();
  // The estimate with the width rule fixed to |width| for this one call (wrapping text then
  // reports its height); nothing is marked for layout.
  SIZE EstimateWithWidth(int width, SIZE available);

  // Layout marks (PH6).
  bool NeedsLayout() const { return needs_layout_; }
  void Arrange();
  // Repaints this control's rectangle, clipped by its ancestors.
  void Invalidate();
  // The rectangle clipped by every ancestor's position.
  RECT ClipByAncestors(RECT rc) const;

 protected:
  // Estimate for a control with at least one auto dimension; |fixed| holds the fixed sizes.
  virtual SIZE CalcEstimateSize(SIZE fixed, SIZE available);
  // SetPos's storing step (PH3); false when the rectangle did not change.
  bool StorePos(RECT rc);
  void SetOwnVisibleFlag(bool visible) { visible_ = visible; }
  void SetInternVisibleFlag(bool visible) { intern_visible_ = visible; }
  void SetNeedsLayout(bool needs) { needs_layout_ = needs; }
  void InvalidateRect(const RECT& rc);

 private:
  // Stores a size rule and asks for a layout when it changed.
  void SetRule(int* field, int value);

  std::wstring name_;
  Window* window_ = nullptr;
  Box* parent_ = nullptr;

  int fixed_width_ = kLengthStretch;
  int fixed_height_ = kLengthStretch;
  int min_width_ = -1;
  int min_height_ = -1;
  int max_width_ = kMaxLengthDefault;
  int max_height_ = kMaxLengthDefault;
  RECT margin_ = {0, 0, 0, 0};
  HorAlign hor_align_ = HorAlign::kLeft;
  VerAlign ver_align_ = VerAlign::kTop;
  bool float_ = false;

  bool visible_ = true;
  bool intern_visible_ = true;

  RECT pos_ = {0, 0, 0, 0};
  bool needs_layout_ = true;

  bool reestimate_ = true;
  SIZE estimate_available_ = {0, 0};
  SIZE estimate_ = {0, 0};
};

}  // namespace ui
