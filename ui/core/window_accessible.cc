#include "ui/core/window_accessible.h"

#include <algorithm>
#include <climits>
#include <string>

#include "ui/core/box.h"
#include "ui/core/control.h"
#include "ui/core/oleacc_library.h"
#include "ui/core/window.h"

namespace ui {
namespace {

POINT Center(const RECT& rc) { return POINT{(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2}; }

HRESULT ReturnText(const std::wstring& text, BSTR* out) {
  if (out == nullptr) return E_POINTER;
  *out = nullptr;
  if (text.empty()) return S_FALSE;
  *out = ::SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
  return *out != nullptr ? S_OK : E_OUTOFMEMORY;
}

void SetChildId(VARIANT* out, long id) {
  ::VariantInit(out);
  out->vt = VT_I4;
  out->lVal = id;
}

bool IsSelf(const VARIANT& child) {
  return child.vt == VT_EMPTY || ((child.vt == VT_I4 || child.vt == VT_INT) && child.lVal == CHILDID_SELF);
}

RECT ToScreen(HWND hwnd, RECT rc) {
  ::MapWindowPoints(hwnd, HWND_DESKTOP, reinterpret_cast<POINT*>(&rc), 2);
  return rc;
}

}  // namespace

int NearestInDirection(const std::vector<RECT>& rects, size_t from, long direction) {
  if (from >= rects.size()) return -1;
  const POINT origin = Center(rects[from]);
  int best = -1;
  long long best_distance = LLONG_MAX;
  for (size_t i = 0; i < rects.size(); ++i) {
    const POINT to = Center(rects[i]);
    const long dx = to.x - origin.x;
    const long dy = to.y - origin.y;
    long along = 0;
    long across = 0;
    switch (direction) {
      case NAVDIR_UP: along = -dy; across = dx; break;
      case NAVDIR_DOWN: along = dy; across = dx; break;
      case NAVDIR_LEFT: along = -dx; across = dy; break;
      case NAVDIR_RIGHT: along = dx; across = dy; break;
      default: return -1;
    }
    if (i == from || along <= 0) continue;
    const long long distance = static_cast<long long>(along) + 2LL * std::labs(across);
    if (distance < best_distance) {
      best_distance = distance;
      best = static_cast<int>(i);
    }
  }
  return best;
}

vireo::ScopedComPtr<WindowAccessible> WindowAccessible::Create(Window* window) {
  return vireo::ScopedComPtr<WindowAccessible>(new WindowAccessible(window));
}

void* WindowAccessible::FindInterface(REFIID iid) {
  if (iid == __uuidof(IAccessible)) return static_cast<IAccessible*>(this);
  if (iid == __uuidof(IDispatch)) return static_cast<IDispatch*>(this);
  return nullptr;
}

HRESULT WindowAccessible::Resolve(const VARIANT& child, std::vector<Control*>* children,
                                  Control** control) const {
  *control = nullptr;
  if (window_ == nullptr) return RPC_E_DISCONNECTED;
  *children = window_->GetAccessibleChildren();
  if (IsSelf(child)) return S_OK;
  if ((child.vt != VT_I4 && child.vt != VT_INT) || child.lVal < 1 ||
      static_cast<size_t>(child.lVal) > children->size()) {
    return E_INVALIDARG;
  }
  *control = (*children)[static_cast<size_t>(child.lVal) - 1];
  return S_OK;
}

HRESULT WindowAccessible::Validate(const VARIANT& child) const {
  std::vector<Control*> children;
  Control* control = nullptr;
  return Resolve(child, &children, &control);
}

HRESULT WindowAccessible::GetTypeInfoCount(UINT* count) {
  if (count == nullptr) return E_POINTER;
  *count = 0;
  return S_OK;
}

HRESULT WindowAccessible::get_accParent(IDispatch** parent) {
  if (parent == nullptr) return E_POINTER;
  *parent = nullptr;
  if (window_ == nullptr) return RPC_E_DISCONNECTED;
  const OleaccEntries* oleacc = GetOleacc();
  if (oleacc == nullptr || oleacc->create_std_accessible_object == nullptr) return S_FALSE;
  return oleacc->create_std_accessible_object(window_->GetHWND(), OBJID_WINDOW, __uuidof(IDispatch),
                                              reinterpret_cast<void**>(parent));
}

HRESULT WindowAccessible::get_accChildCount(long* count) {
  if (count == nullptr) return E_POINTER;
  *count = 0;
  if (window_ == nullptr) return RPC_E_DISCONNECTED;
  *count = static_cast<long>(window_->GetAccessibleChildren().size());
  return S_OK;
}

HRESULT WindowAccessible::get_accChild(VARIANT child, IDispatch** object) {
  if (object == nullptr) return E_POINTER;
  *object = nullptr;
  if (const HRESULT hr = Validate(child); hr != S_OK) return hr;
  return S_FALSE;  // every child is a simple element
}

HRESULT WindowAccessible::get_accName(VARIANT child, BSTR* name) {
  std::vector<Control*> children;
  Control* control = nullptr;
  if (const HRESULT hr = Resolve(child, &children, &control); hr != S_OK) return hr;
  if (control != nullptr) return ReturnText(control->GetAccessibleName(), name);
  wchar_t title[MAX_PATH] = {};
  ::GetWindowTextW(window_->GetHWND(), title, MAX_PATH);
  return ReturnText(title, name);
}

HRESULT WindowAccessible::get_accValue(VARIANT child, BSTR* value) {
  std::vector<Control*> children;
  Control* control = nullptr;
  if (const HRESULT hr = Resolve(child, &children, &control); hr != S_OK) return hr;
  return ReturnText(control != nullptr ? control->GetAccessibleValue() : std::wstring(), value);
}

HRESULT WindowAccessible::get_accDescription(VARIANT child, BSTR* text) {
  if (const HRESULT hr = Validate(child); hr != S_OK) return hr;
  return ReturnText(std::wstring(), text);
}

HRESULT WindowAccessible::get_accRole(VARIANT child, VARIANT* role) {
  if (role == nullptr) return E_POINTER;
  std::vector<Control*> children;
  Control* control = nullptr;
  if (const HRESULT hr = Resolve(child, &children, &control); hr != S_OK) return hr;
  SetChildId(role, control != nullptr ? MsaaRole(control->GetRole()) : ROLE_SYSTEM_CLIENT);
  return S_OK;
}

HRESULT WindowAccessible::get_accState(VARIANT child, VARIANT* state) {
  if (state == nullptr) return E_POINTER;
  std::vector<Control*> children;
  Control* control = nullptr;
  if (const HRESULT hr = Resolve(child, &children, &control); hr != S_OK) return hr;
  HWND hwnd = window_->GetHWND();
  const bool window_focused = ::GetFocus() == hwnd;
  if (control == nullptr) {
    DWORD bits = STATE_SYSTEM_FOCUSABLE;
    if (window_focused && window_->GetFocus() == nullptr) bits |= STATE_SYSTEM_FOCUSED;
    if (!::IsWindowVisible(hwnd)) bits |= STATE_SYSTEM_INVISIBLE;
    SetChildId(state, static_cast<long>(bits));
    return S_OK;
  }
  ControlFacts facts = control->GetFacts();
  facts.focused = facts.focused && window_focused;
  facts.visible = facts.visible && ::IsWindowVisible(hwnd);
  SetChildId(state, static_cast<long>(MsaaState(control->GetRole(), facts)));
  return S_OK;
}

HRESULT WindowAccessible::get_accHelp(VARIANT child, BSTR* text) {
  if (const HRESULT hr = Validate(child); hr != S_OK) return hr;
  return ReturnText(std::wstring(), text);
}

HRESULT WindowAccessible::get_accHelpTopic(BSTR* file, VARIANT child, long* topic) {
  if (topic != nullptr) *topic = -1;
  if (const HRESULT hr = Validate(child); hr != S_OK) return hr;
  return ReturnText(std::wstring(), file);
}

HRESULT WindowAccessible::get_accKeyboardShortcut(VARIANT child, BSTR* text) {
  if (const HRESULT hr = Validate(child); hr != S_OK) return hr;
  return ReturnText(std::wstring(), text);
}

HRESULT WindowAccessible::get_accFocus(VARIANT* child) {
  if (child == nullptr) return E_POINTER;
  ::VariantInit(child);
  if (window_ == nullptr) return RPC_E_DISCONNECTED;
  if (::GetFocus() != window_->GetHWND()) return S_FALSE;
  const std::vector<Control*> children = window_->GetAccessibleChildren();
  const auto it = std::find(children.begin(), children.end(), window_->GetAccessibleFocus());
  SetChildId(child, it == children.end() ? CHILDID_SELF : static_cast<long>(it - children.begin()) + 1);
  return S_OK;
}

HRESULT WindowAccessible::get_accSelection(VARIANT* children) {
  if (children == nullptr) return E_POINTER;
  ::VariantInit(children);
  return window_ == nullptr ? RPC_E_DISCONNECTED : S_FALSE;
}

HRESULT WindowAccessible::get_accDefaultAction(VARIANT child, BSTR* action) {
  std::vector<Control*> children;
  Control* control = nullptr;
  if (const HRESULT hr = Resolve(child, &children, &control); hr != S_OK) return hr;
  if (control == nullptr) return ReturnText(std::wstring(), action);
  return ReturnText(DefaultActionName(control->GetRole(), control->GetFacts().checked), action);
}

HRESULT WindowAccessible::accSelect(long flags, VARIANT child) {
  std::vector<Control*> children;
  Control* control = nullptr;
  if (const HRESULT hr = Resolve(child, &children, &control); hr != S_OK) return hr;
  if (flags != SELFLAG_TAKEFOCUS) return DISP_E_MEMBERNOTFOUND;
  if (control == nullptr) {
    ::SetFocus(window_->GetHWND());
    return S_OK;
  }
  if (!control->CanGetFocus()) return S_FALSE;
  window_->SetFocus(control);
  return S_OK;
}

HRESULT WindowAccessible::accLocation(long* left, long* top, long* width, long* height,
                                      VARIANT child) {
  if (left == nullptr || top == nullptr || width == nullptr || height == nullptr) return E_POINTER;
  *left = *top = *width = *height = 0;
  std::vector<Control*> children;
  Control* control = nullptr;
  if (const HRESULT hr = Resolve(child, &children, &control); hr != S_OK) return hr;
  RECT rc = {0, 0, 0, 0};
  if (control != nullptr) {
    rc = control->GetPos();
  } else {
    ::GetClientRect(window_->GetHWND(), &rc);
  }
  rc = ToScreen(window_->GetHWND(), rc);
  *left = rc.left;
  *top = rc.top;
  *width = rc.right - rc.left;
  *height = rc.bottom - rc.top;
  return S_OK;
}

HRESULT WindowAccessible::accNavigate(long direction, VARIANT start, VARIANT* end) {
  if (end == nullptr) return E_POINTER;
  ::VariantInit(end);
  std::vector<Control*> children;
  Control* control = nullptr;
  if (const HRESULT hr = Resolve(start, &children, &control); hr != S_OK) return hr;
  const long count = static_cast<long>(children.size());
  const long from = control == nullptr ? 0 : start.lVal;
  long to = 0;
  switch (direction) {
    case NAVDIR_FIRSTCHILD:
    case NAVDIR_LASTCHILD:
      if (control != nullptr) return E_INVALIDARG;
      to = direction == NAVDIR_FIRSTCHILD ? (count > 0 ? 1 : 0) : count;
      break;
    case NAVDIR_NEXT:
    case NAVDIR_PREVIOUS:
      if (control == nullptr) return S_FALSE;  // the window's siblings are the system's
      to = direction == NAVDIR_NEXT ? (from < count ? from + 1 : 0) : from - 1;
      break;
    default: {
      if (control == nullptr) return S_FALSE;
      std::vector<RECT> rects;
      for (const Control* c : children) rects.push_back(c->GetPos());
      to = NearestInDirection(rects, static_cast<size_t>(from - 1), direction) + 1;
      break;
    }
  }
  if (to < 1) return S_FALSE;
  SetChildId(end, to);
  return S_OK;
}

HRESULT WindowAccessible::accHitTest(long x, long y, VARIANT* child) {
  if (child == nullptr) return E_POINTER;
  ::VariantInit(child);
  if (window_ == nullptr) return RPC_E_DISCONNECTED;
  POINT pt = {x, y};
  ::ScreenToClient(window_->GetHWND(), &pt);
  RECT client = {0, 0, 0, 0};
  ::GetClientRect(window_->GetHWND(), &client);
  if (!::PtInRect(&client, pt)) return S_FALSE;
  const std::vector<Control*> children = window_->GetAccessibleChildren();
  for (Control* c = window_->FindControl(pt); c != nullptr; c = c->GetParent()) {
    const auto it = std::find(children.begin(), children.end(), c);
    if (it == children.end()) continue;
    SetChildId(child, static_cast<long>(it - children.begin()) + 1);
    return S_OK;
  }
  SetChildId(child, CHILDID_SELF);
  return S_OK;
}

HRESULT WindowAccessible::accDoDefaultAction(VARIANT child) {
  std::vector<Control*> children;
  Control* control = nullptr;
  if (const HRESULT hr = Resolve(child, &children, &control); hr != S_OK) return hr;
  if (control == nullptr || DefaultActionName(control->GetRole(), false).empty()) {
    return DISP_E_MEMBERNOTFOUND;
  }
  window_->DoDefaultActionLater(control);
  return S_OK;
}

AccessibleHost::AccessibleHost(Window* window) : object_(WindowAccessible::Create(window)) {}

AccessibleHost::~AccessibleHost() {
  object_->Disconnect();
  // Clients still holding the object are cut off when the apartment ends: release first.
  object_.reset();
}

LRESULT AccessibleHost::Answer(WPARAM w_param, const OleaccEntries& oleacc) {
  // A thread in the multithreaded apartment already serves COM just as well.
  if (!apartment_.ok() && apartment_.result() != RPC_E_CHANGED_MODE) return 0;
  const LRESULT result = oleacc.lresult_from_object(__uuidof(IAccessible), w_param, static_cast<IAccessible*>(object_.get()));
  return result > 0 ? result : 0;
}

}  // namespace ui
