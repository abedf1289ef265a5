#include "archive/unzip_in_stream.h"

namespace vireo {

void* CUnzipInStream::FindInterface(REFIID iid) {
  if (iid == kIidSequentialInStream || iid == kIidInStream) return static_cast<IInStream*>(this);
  if (iid == kIidStreamGetSize) return static_cast<IStreamGetSize*>(this);
  return nullptr;
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
