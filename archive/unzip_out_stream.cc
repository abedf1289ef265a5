#include "archive/unzip_out_stream.h"

namespace vireo {

HRESULT CUnzipOutStream::QueryInterface(REFIID iid, void** out) {
  if (!out) return E_POINTER;
  if (iid == IID_IUnknown || iid == kIidSequentialOutStream) {
    *out = static_cast<ISequentialOutStream*>(this);
    AddRef();
    return S_OK;
  }
  *out = nullptr;
  return E_NOINTERFACE;
}

ULONG CUnzipOutStream::AddRef() { return static_cast<ULONG>(::InterlockedIncrement(&refs_)); }

ULONG CUnzipOutStream::Release() {
  const LONG left = ::InterlockedDecrement(&refs_);
  if (left == 0) delete this;
  return static_cast<ULONG>(left);
}

HRESULT CUnzipOutStream::Write(const void* data, UINT32 size, UINT32* processed) {
  DWORD written = 0;
  if (!::WriteFile(file_.get(), data, size, &written, nullptr)) return E_FAIL;
  if (processed) *processed = written;
  return S_OK;
}

}  // namespace vireo
