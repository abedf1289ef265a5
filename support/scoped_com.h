// Owners of what COM and the shell hand out: interface pointers, a thread's COM apartment and
// shell item-id lists. They live apart from scoped_handle.h because they need the COM and
// shell headers, which users of plain handles should not pull in. (WinINet handles are owned
// in wininet_api.h, beside the library they are closed through.)
//
// SC1. A ScopedComPtr holds one reference and releases it exactly once (reset, destruction or
//     a move that replaces it). Like every ScopedGeneric owner it keeps the thread's
//     last-error code while releasing.
// SC2. receive() and receive_void() release the held reference first, then hand out the slot
//     for a call that returns a new reference (CoCreateInstance, QueryInterface).
// SC3. A ScopedComApartment balances every successful CoInitializeEx on its thread with one
//     CoUninitialize: S_OK (this call initialised the thread) and S_FALSE (it was already
//     initialised; COM still counts the call) alike. A failed call (RPC_E_CHANGED_MODE: the
//     thread runs another apartment model) took no count and is not balanced.
// SC4. An apartment is entered and left on the same thread; it is neither copied nor moved.
#pragma once

#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

#include "support/scoped_handle.h"

namespace vireo {

template <typename T>
struct ComReleaseTraits {
  using Handle = T*;
  static Handle Invalid() { return nullptr; }
  static bool IsValid(Handle p) { return p != nullptr; }
  static void Close(Handle p) { p->Release(); }
};

template <typename T>
class ScopedComPtr : public ScopedGeneric<ComReleaseTraits<T>> {
 public:
  using ScopedGeneric<ComReleaseTraits<T>>::ScopedGeneric;

  T* operator->() const { return this->get(); }
  // The slot as the untyped out-parameter of CoCreateInstance and QueryInterface (SC2).
  void** receive_void() { return reinterpret_cast<void**>(this->receive()); }
};

class ScopedComApartment {
 public:
  explicit ScopedComApartment(DWORD model = COINIT_APARTMENTTHREADED) : result_(::CoInitializeEx(nullptr, model)) {}
  ScopedComApartment(const ScopedComApartment&) = delete;
  ScopedComApartment& operator=(const ScopedComApartment&) = delete;
  ~ScopedComApartment() {
    if (SUCCEEDED(result_)) ::CoUninitialize();
  }

  // True when COM is usable on this thread in the requested model (S_OK or S_FALSE).
  bool ok() const { return SUCCEEDED(result_); }
  HRESULT result() const { return result_; }

 private:
  HRESULT result_;
};

// An absolute item-id list from the shell (ILCreateFromPathW), freed with ILFree.
struct ItemIdListTraits {
  using Handle = PIDLIST_ABSOLUTE;
  static Handle Invalid() { return nullptr; }
  static bool IsValid(Handle h) { return h != nullptr; }
  static void Close(Handle h) { ::ILFree(h); }
};

using ScopedItemIdList = ScopedGeneric<ItemIdListTraits>;

}  // namespace vireo
