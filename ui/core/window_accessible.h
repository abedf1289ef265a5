// What screen readers see of a skinned window: one accessible object (MSAA IAccessible) for
// its client area, whose children are the visible controls that have a role, as simple
// elements with the child ids 1..n in the order of the control tree.
//
//  MS1. Each child answers its role, name, value, state and default action as
//       control_role.h maps them from the control; its location is its position in screen
//       coordinates. The client object itself is a client with the window's title as name.
//  MS2. The state "focused" needs both the toolkit's focus and the system's keyboard focus on
//       the window. get_accFocus answers the focused child, the child that a page switch put
//       the screen reader on (window.h, WN11), the client object itself, or nothing while the
//       window does not have the keyboard focus.
//  MS3. Hit testing answers the child under a screen point, the client object elsewhere in
//       the client area, nothing outside it. Navigation goes to the first, last, next and
//       previous child, and spatially to the nearest child in the direction.
//  MS4. The default action is what a click does (Activate), run after the call has returned:
//       a screen reader is never kept waiting by a dialog the action opens. accSelect with
//       SELFLAG_TAKEFOCUS moves the keyboard focus to a child that can take it.
//  MS5. Once the window is gone (Disconnect), every call answers RPC_E_DISCONNECTED; an id
//       that names no child answers E_INVALIDARG.
//  MS6. The host keeps the thread in a COM apartment while the object may be in use, and
//       answers WM_GETOBJECT for OBJID_CLIENT with LresultFromObject (oleacc_library.h).
#pragma once

#include <windows.h>
#include <oleacc.h>

#include <vector>

#include "support/com_object.h"
#include "support/scoped_com.h"

namespace ui {

class Control;
class Window;
struct OleaccEntries;

// MS3: the index in |rects| of the nearest rectangle in NAVDIR_UP/DOWN/LEFT/RIGHT from
// |rects[from]|, measured between centres with the cross distance counted twice; -1 when
// nothing lies that way.
int NearestInDirection(const std::vector<RECT>& rects, size_t from, long direction);

class WindowAccessible final : public vireo::ComObject<IAccessible> {
 public:
  static vireo::ScopedComPtr<WindowAccessible> Create(Window* window);
  void Disconnect() { window_ = nullptr; }  // MS5

  // IDispatch: the object is used through IAccessible only.
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                   UINT*) override {
    return E_NOTIMPL;
  }

  // IAccessible.
  HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override;
  HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override;
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override;
  HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override;
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override;
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* text) override;
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override;
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override;
  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* text) override;
  HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, long* topic) override;
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* text) override;
  HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override;
  HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override;
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override;
  HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override;
  HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height,
                                        VARIANT child) override;
  HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override;
  HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* child) override;
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override;
  HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

 protected:
  void* FindInterface(REFIID iid) override;

 private:
  explicit WindowAccessible(Window* window) : window_(window) {}
  ~WindowAccessible() override = default;

  // The child |child| names into |*control|, null for the client object itself (MS5).
  HRESULT Resolve(const VARIANT& child, std::vector<Control*>* children, Control** control) const;
  // S_OK when |child| names the client object or one of its children.
  HRESULT Validate(const VARIANT& child) const;

  Window* window_;
};

// MS6: what a window keeps for screen readers once the first one has asked.
class AccessibleHost {
 public:
  explicit AccessibleHost(Window* window);
  ~AccessibleHost();
  AccessibleHost(const AccessibleHost&) = delete;
  AccessibleHost& operator=(const AccessibleHost&) = delete;

  // The answer to WM_GETOBJECT (OBJID_CLIENT) with |w_param|; 0 when none can be made.
  LRESULT Answer(WPARAM w_param, const OleaccEntries& oleacc);

 private:
  vireo::ScopedComApartment apartment_;
  vireo::ScopedComPtr<WindowAccessible> object_;
};

}  // namespace ui
