#include "archive/unzip_open_callback.h"

namespace vireo {

void* CUnzipOpenCallback::FindInterface(REFIID iid) {
  if (iid == kIidArchiveOpenCallback) return static_cast<IArchiveOpenCallback*>(this);
  if (iid == kIidCryptoGetTextPassword) return static_cast<ICryptoGetTextPassword*>(this);
  return nullptr;
}

HRESULT CUnzipOpenCallback::SetTotal(const UINT64*, const UINT64*) { return S_OK; }

HRESULT CUnzipOpenCallback::SetCompleted(const UINT64*, const UINT64*) { return S_OK; }

HRESULT CUnzipOpenCallback::CryptoGetTextPassword(BSTR* password) {
  if (password) *password = nullptr;
  return S_OK;
}

}  // namespace vireo
