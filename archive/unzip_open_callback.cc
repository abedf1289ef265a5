#include "archive/unzip_open_callback.h"

namespace vireo {

HRESULT CUnzipOpenCallback::QueryInterface(REFIID iid, void** out) {
  if (!out) return E_POINTER;
  if (iid == IID_IUnknown || iid == kIidArchiveOpenCallback) {
    *out = static_cast<IArchiveOpenCallback*>(this);
  } else if (iid == kIidCryptoGetTextPassword) {
    *out = static_cast<ICryptoGetTextPassword*>(this);
  } else {
    *out = nullptr;
    return E_NOINTERFACE;
  }
  AddRef();
  return S_OK;
}

ULONG CUnzipOpenCallback::AddRef() { return static_cast<ULONG>(::InterlockedIncrement(&refs_)); }

ULONG CUnzipOpenCallback::Release() {
  const LONG left = ::InterlockedDecrement(&refs_);
  if (left == 0) delete this;
  return static_cast<ULONG>(left);
}

HRESULT CUnzipOpenCallback::SetTotal(const UINT64*, const UINT64*) { return S_OK; }

HRESULT CUnzipOpenCallback::SetCompleted(const UINT64*, const UINT64*) { return S_OK; }

HRESULT CUnzipOpenCallback::CryptoGetTextPassword(BSTR* password) {
  if (password) *password = nullptr;
  return S_OK;
}

}  // namespace vireo
