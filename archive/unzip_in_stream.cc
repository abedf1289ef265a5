#include "archive/unzip_in_stream.h"

namespace vireo {

HRESULT CUnzipInStream::QueryInterface(REFIID iid, void** out) {
  if (!out) return E_POINTER;
  if (iid == IID_IUnknown || iid == kIidSequentialInStream || iid == kIidInStream) {
    *out = static_cast<IInStream*>(this);
  } else if (iid == kIidStreamGetSize) {
    *out = static_cast<IStreamGetSize*>(this);
  } else {
    *out = nullptr;
    return E_NOINTERFACE;
  }
  AddRef();
  return S_OK;
}

ULONG CUnzipInStream::AddRef() { return static_cast<ULONG>(::InterlockedIncrement(&refs_)); }

ULONG CUnzipInStream::Release() {
  const LONG left = ::InterlockedDecrement(&refs_);
  if (left == 0) delete this;
  return static_cast<ULONG>(left);
}

HRESULT CUnzipInStream::Read(void* data, UINT32 size, UINT32* processed) {
  DWORD read = 0;
  if (!::ReadFile(file_.get(), data, size, &read, nullptr)) return E_FAIL;
  if (processed) *processed = read;
  return S_OK;
}

HRESULT CUnzipInStream::Seek(INT64 offset, UINT32 origin, UINT64* new_position) {
  if (origin > FILE_END) return E_INVALIDARG;
  LARGE_INTEGER distance;
  distance.QuadPart = offset;
  LARGE_INTEGER position;
  if (!::SetFilePointerEx(file_.get(), distance, &position, origin)) return E_FAIL;
  if (new_position) *new_position = static_cast<UINT64>(position.QuadPart);
  return S_OK;
}

HRESULT CUnzipInStream::GetSize(UINT64* size) {
  LARGE_INTEGER value;
  if (!::GetFileSizeEx(file_.get(), &value)) return E_FAIL;
  if (size) *size = static_cast<UINT64>(value.QuadPart);
  return S_OK;
}

}  // namespace vireo
