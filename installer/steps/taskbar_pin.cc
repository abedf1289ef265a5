#include "installer/steps/taskbar_pin.h"

#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

#include "support/scoped_com.h"

namespace vireo {
namespace {

constexpr CLSID kPinListClass = {0x90AA3A4E, 0x1CBA, 0x4233, {0xB8, 0xBB, 0x53, 0x57, 0x73, 0xD4, 0x84, 0x49}};
constexpr IID kPinListInterface = {0x0DD79AE2, 0xD156, 0x45D4, {0x9E, 0xEB, 0x3B, 0x54, 0x97, 0x69, 0xE9, 0x40}};

// The caller code the shell expects from an installer-initiated pin change.
constexpr int kPinCaller = 4;

// The pin list as far as it is used: slots 0-2 are IUnknown, slot 9 answers S_OK for an
// item that is already pinned, slot 16 unpins one item and/or pins another. The other slots
// are placeholders that keep the two at their positions and are never called.
struct IPinListSlots : IUnknown {
  virtual HRESULT STDMETHODCALLTYPE Slot3() = 0;
  virtual HRESULT STDMETHODCALLTYPE Slot4() = 0;
  virtual HRESULT STDMETHODCALLTYPE Slot5() = 0;
  virtual HRESULT STDMETHODCALLTYPE Slot6() = 0;
  virtual HRESULT STDMETHODCALLTYPE Slot7() = 0;
  virtual HRESULT STDMETHODCALLTYPE Slot8() = 0;
  virtual HRESULT STDMETHODCALLTYPE IsPinned(PCIDLIST_ABSOLUTE item) = 0;  // slot 9
  virtual HRESULT STDMETHODCALLTYPE Slot10() = 0;
  virtual HRESULT STDMETHODCALLTYPE Slot11() = 0;
  virtual HRESULT STDMETHODCALLTYPE Slot12() = 0;
  virtual HRESULT STDMETHODCALLTYPE Slot13() = 0;
  virtual HRESULT STDMETHODCALLTYPE Slot14() = 0;
  virtual HRESULT STDMETHODCALLTYPE Slot15() = 0;
  virtual HRESULT STDMETHODCALLTYPE Modify(PCIDLIST_ABSOLUTE unpin, PCIDLIST_ABSOLUTE pin, int caller) = 0;  // 16
};

// Null when the pin list is not registered (it is missing before Windows 10 and in Wine).
ScopedComPtr<IPinListSlots> CreatePinList() {
  ScopedComPtr<IPinListSlots> list;
  if (FAILED(::CoCreateInstance(kPinListClass, nullptr, CLSCTX_INPROC_SERVER, kPinListInterface,
                                list.receive_void()))) {
    list.reset();
  }
  return list;
}

}  // namespace

bool IsPinSupportedOnBuild(unsigned long build) { return build >= 17763 && build <= 26099; }

bool PinToTaskbar(const wchar_t* link_path) {
  if (!link_path || !*link_path) return false;
  const ScopedComPtr<IPinListSlots> list = CreatePinList();
  if (!list) return false;
  const ScopedItemIdList item(::ILCreateFromPathW(link_path));
  if (!item) return false;
  if (list->IsPinned(item.get()) == S_OK) return false;  // already pinned: no second request
  if (FAILED(list->Modify(nullptr, item.get(), kPinCaller))) return false;
  ::SHChangeNotify(SHCNE_ASSOCCHANGED, SHCNF_IDLIST, nullptr, nullptr);
  return true;
}

void UnpinFromTaskbar(const wchar_t* link_path) {
  if (!link_path || !*link_path) return;
  const ScopedComPtr<IPinListSlots> list = CreatePinList();
  if (!list) return;
  const ScopedItemIdList item(::ILCreateFromPathW(link_path));
  if (!item) return;
  list->Modify(item.get(), nullptr, kPinCaller);
}

}  // namespace vireo
