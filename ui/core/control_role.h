// What a control is to its user: its role, and what follows from the role alone. Screen
// readers see the role and state through MSAA (window_accessible.h); the keyboard activates
// a control by the keys its role answers to. Pure: nothing here needs a window.
//
//  RL1. Roles map to MSAA roles one to one; kNone (layout boxes, unnamed pictures) is not
//      shown to screen readers at all.
//  RL2. The state is built from facts: unavailable when disabled, invisible when hidden,
//      focusable when the keyboard can reach it, focused when it has the keyboard focus,
//      checked for a selected check button, read-only for an edit box that refuses typing,
//      linked for a link.
//  RL3. Keys, as Windows' own controls take them: Space activates a push button, a check
//      button and a link; Enter activates a push button and a link but never a check
//      button (Enter belongs to the window's default action there).
//  RL4. The default action's name follows the role ("按下" for a push button, "跳转" for a
//      link, "选中" or "取消选中" for a check button by its state); other roles have none.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace ui {

enum class ControlRole {
  kNone,
  kPushButton,
  kCheckButton,
  kEditableText,
  kLink,
  kProgressBar,
  kStaticText,
};

// The skin's "accrole" values: "pushbutton", "checkbutton", "edit", "link", "progressbar",
// "text" and "none". Unknown words answer |fallback|.
ControlRole ParseControlRole(std::wstring_view word, ControlRole fallback);

// RL1: ROLE_SYSTEM_*, 0 for kNone.
LONG MsaaRole(ControlRole role);

struct ControlFacts {
  bool visible = true;
  bool enabled = true;
  bool focusable = false;
  bool focused = false;
  bool checked = false;
  bool read_only = false;
};

// RL2: STATE_SYSTEM_* bits.
DWORD MsaaState(ControlRole role, const ControlFacts& facts);

// RL3: whether key-down of |virtual_key| on a focused control of |role| activates it.
bool ActivatesOnKey(ControlRole role, UINT virtual_key);

// RL4: empty when the role has no default action.
std::wstring DefaultActionName(ControlRole role, bool checked);

// A progress value as screen readers announce it: the share of [min, max] in whole percent,
// rounded, "0%" to "100%" (a range that is empty or reversed reads as one unit wide).
std::wstring PercentText(double value, int min, int max);

}  // namespace ui
