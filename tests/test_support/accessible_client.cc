#include "tests/test_support/accessible_client.h"

namespace vireo::test {
namespace {

// Calls |get| with a BSTR slot and takes the text it answers (empty on failure).
template <typename Get>
std::wstring Take(Get get) {
  BSTR text = nullptr;
  const HRESULT hr = get(&text);
  std::wstring out = hr == S_OK && text != nullptr ? std::wstring(text, ::SysStringLen(text)) : L"";
  ::SysFreeString(text);
  return out;
}

VARIANT Child(long id) { return ChildVariant(id); }

long ReadLong(HRESULT hr, const VARIANT& v) { return hr == S_OK && v.vt == VT_I4 ? v.lVal : -1; }

// One recorder at a time: the hook procedure has no context argument.
WinEventRecorder* g_recorder = nullptr;

}  // namespace

VARIANT ChildVariant(long id) {
  VARIANT v;
  ::VariantInit(&v);
  v.vt = VT_I4;
  v.lVal = id;
  return v;
}

bool AccessibleWindow::Connect(HWND window) {
  return SUCCEEDED(::AccessibleObjectFromWindow(window, OBJID_CLIENT, __uuidof(IAccessible), client_.receive_void())) &&
         client_;
}

long AccessibleWindow::ChildCount() {
  long count = 0;
  return client_ && client_->get_accChildCount(&count) == S_OK ? count : 0;
}

long AccessibleWindow::Find(const std::wstring& name) {
  const long count = ChildCount();
  for (long id = 1; id <= count; ++id) {
    if (Name(id) == name) return id;
  }
  return 0;
}

std::wstring AccessibleWindow::Name(long id) {
  return client_ ? Take([&](BSTR* text) { return client_->get_accName(Child(id), text); }) : L"";
}

std::wstring AccessibleWindow::Value(long id) {
  return client_ ? Take([&](BSTR* text) { return client_->get_accValue(Child(id), text); }) : L"";
}

long AccessibleWindow::Role(long id) {
  VARIANT v;
  ::VariantInit(&v);
  return client_ ? ReadLong(client_->get_accRole(Child(id), &v), v) : -1;
}

long AccessibleWindow::State(long id) {
  VARIANT v;
  ::VariantInit(&v);
  return client_ ? ReadLong(client_->get_accState(Child(id), &v), v) : -1;
}

std::wstring AccessibleWindow::DefaultAction(long id) {
  return client_ ? Take([&](BSTR* text) { return client_->get_accDefaultAction(Child(id), text); }) : L"";
}

HRESULT AccessibleWindow::DoDefaultAction(long id) {
  return client_ ? client_->accDoDefaultAction(Child(id)) : E_FAIL;
}

std::wstring AccessibleWindow::FocusName() {
  VARIANT v;
  ::VariantInit(&v);
  const long id = client_ ? ReadLong(client_->get_accFocus(&v), v) : -1;
  return id > 0 ? Name(id) : L"";
}

WinEventRecorder::WinEventRecorder(HWND window) : window_(window) {
  if (g_recorder != nullptr) return;
  g_recorder = this;
  hook_ = ::SetWinEventHook(EVENT_OBJECT_FOCUS, EVENT_OBJECT_VALUECHANGE, nullptr, &WinEventRecorder::OnEvent,
                            0, 0, WINEVENT_OUTOFCONTEXT | WINEVENT_SKIPOWNPROCESS);
  if (hook_ == nullptr) g_recorder = nullptr;
}

WinEventRecorder::~WinEventRecorder() {
  if (hook_ == nullptr) return;
  ::UnhookWinEvent(hook_);
  g_recorder = nullptr;
}

bool WinEventRecorder::Heard(DWORD event, long child) const {
  for (const HeardEvent& heard : events_) {
    if (heard.event == event && heard.child == child) return true;
  }
  return false;
}

void CALLBACK WinEventRecorder::OnEvent(HWINEVENTHOOK, DWORD event, HWND window, LONG object, LONG child,
                                        DWORD, DWORD) {
  if (g_recorder == nullptr || window != g_recorder->window_ || object != OBJID_CLIENT) return;
  g_recorder->events_.push_back(HeardEvent{event, child});
}

}  // namespace vireo::test
