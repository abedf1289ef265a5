#include "archive/unzip_out_stream.h"

namespace vireo {

void* CUnzipOutStream::FindInterface(REFIID iid) {
  return iid == kIidSequentialOutStream ? static_cast<ISequentialOutStream*>(this) : nullptr;
}

HRESULT CUnzipOutStream::Write(const void* data, UINT32 size, UINT32* processed) {
  DWORD written = 0;
  if (!::WriteFile(file_.get(), data, size, &written, nullptr)) {
    if (write_error_) *write_error_ = ::GetLastError();
    return E_FAIL;
  }
  if (processed) *processed = written;
  return S_OK;
}

}  // namespace vireo
