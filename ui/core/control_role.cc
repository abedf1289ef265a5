#include "ui/core/control_role.h"

#include <oleacc.h>

#include <algorithm>
#include <cmath>

namespace ui {
namespace {

struct RoleEntry {
  ControlRole role;
  const wchar_t* word;
  LONG msaa;
};

constexpr RoleEntry kRoles[] = {
    {ControlRole::kNone, L"none", 0},
    {ControlRole::kPushButton, L"pushbutton", ROLE_SYSTEM_PUSHBUTTON},
    {ControlRole::kCheckButton, L"checkbutton", ROLE_SYSTEM_CHECKBUTTON},
    {ControlRole::kEditableText, L"edit", ROLE_SYSTEM_TEXT},
    {ControlRole::kLink, L"link", ROLE_SYSTEM_LINK},
    {ControlRole::kProgressBar, L"progressbar", ROLE_SYSTEM_PROGRESSBAR},
    {ControlRole::kStaticText, L"text", ROLE_SYSTEM_STATICTEXT},
};

constexpr wchar_t kPressAction[] = L"按下";
constexpr wchar_t kJumpAction[] = L"跳转";
constexpr wchar_t kCheckAction[] = L"选中";
constexpr wchar_t kUncheckAction[] = L"取消选中";

}  // namespace

ControlRole ParseControlRole(std::wstring_view word, ControlRole fallback) {
  for (const RoleEntry& entry : kRoles) {
    if (word == entry.word) return entry.role;
  }
  return fallback;
}

LONG MsaaRole(ControlRole role) {
  for (const RoleEntry& entry : kRoles) {
    if (entry.role == role) return entry.msaa;
  }
  return 0;
}

DWORD MsaaState(ControlRole role, const ControlFacts& facts) {
  DWORD state = 0;
  if (!facts.enabled) state |= STATE_SYSTEM_UNAVAILABLE;
  if (!facts.visible) state |= STATE_SYSTEM_INVISIBLE;
  if (facts.focusable) state |= STATE_SYSTEM_FOCUSABLE;
  if (facts.focused) state |= STATE_SYSTEM_FOCUSED;
  if (role == ControlRole::kCheckButton && facts.checked) state |= STATE_SYSTEM_CHECKED;
  if (role == ControlRole::kEditableText && facts.read_only) state |= STATE_SYSTEM_READONLY;
  if (role == ControlRole::kLink) state |= STATE_SYSTEM_LINKED;
  return state;
}

bool ActivatesOnKey(ControlRole role, UINT virtual_key) {
  switch (role) {
    case ControlRole::kPushButton:
    case ControlRole::kLink:
      return virtual_key == VK_SPACE || virtual_key == VK_RETURN;
    case ControlRole::kCheckButton:
      return virtual_key == VK_SPACE;
    default:
      return false;
  }
}

std::wstring DefaultActionName(ControlRole role, bool checked) {
  switch (role) {
    case ControlRole::kPushButton:
      return kPressAction;
    case ControlRole::kLink:
      return kJumpAction;
    case ControlRole::kCheckButton:
      return checked ? kUncheckAction : kCheckAction;
    default:
      return std::wstring();
  }
}

std::wstring PercentText(double value, int min, int max) {
  if (max <= min) max = min + 1;
  const double share = (std::clamp(value, static_cast<double>(min), static_cast<double>(max)) - min) /
                       (static_cast<double>(max) - min);
  return std::to_wstring(static_cast<int>(std::lround(share * 100.0))) + L"%";
}

}  // namespace ui
