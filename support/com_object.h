// The IUnknown half of the COM objects the program hands out (streams and callbacks to the
// 7-Zip module, accessible objects to screen readers): one reference count and one
// QueryInterface for every such class.
//
// CO1. A new object starts with one reference, owned by whoever created it (normally a
//     ScopedComPtr); the last Release deletes it. Counting is atomic, since a module may call
//     from threads of its own.
// CO2. QueryInterface answers IUnknown with the first interface in the list and every other
//     identifier with what FindInterface returns; each answer adds a reference. Unknown
//     identifiers get E_NOINTERFACE and a null pointer, a null out-pointer E_POINTER.
// CO3. Objects are destroyed only through Release: the destructor is not public.
#pragma once

#include <windows.h>
#include <objbase.h>

namespace vireo {

template <typename First, typename... Rest>
class ComObject : public First, public Rest... {
 public:
  ComObject(const ComObject&) = delete;
  ComObject& operator=(const ComObject&) = delete;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) final {
    if (!out) return E_POINTER;
    *out = iid == IID_IUnknown ? static_cast<First*>(this) : FindInterface(iid);
    if (!*out) return E_NOINTERFACE;
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() final { return static_cast<ULONG>(::InterlockedIncrement(&refs_)); }
  ULONG STDMETHODCALLTYPE Release() final {
    const LONG left = ::InterlockedDecrement(&refs_);
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
  }

 protected:
  ComObject() = default;
  virtual ~ComObject() = default;

  // The interface of this object that |iid| names (as the pointer the caller will use), or
  // null. IUnknown never reaches it.
  virtual void* FindInterface(REFIID iid) = 0;

 private:
  LONG refs_ = 1;
};

}  // namespace vireo
