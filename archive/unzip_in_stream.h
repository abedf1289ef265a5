// The archive file as the module reads it: a seekable input stream that knows its size.
#pragma once

#include <windows.h>

#include "archive/seven_zip_abi.h"
#include "support/scoped_handle.h"

namespace vireo {

class CUnzipInStream final : public IInStream, public IStreamGetSize {
 public:
  // Takes ownership of |file|; the count starts at 1. The last Release closes the file.
  explicit CUnzipInStream(HANDLE file) : file_(file) {}

  // IUnknown (shared by both interfaces). Answers IUnknown, ISequentialInStream, IInStream
  // and IStreamGetSize.
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;

  // One ReadFile of |size| bytes; E_FAIL when it fails.
  HRESULT STDMETHODCALLTYPE Read(void* data, UINT32 size, UINT32* processed) override;
  // |origin| 0, 1, 2 = begin, current, end; above 2 E_INVALIDARG; E_FAIL when the move fails.
  HRESULT STDMETHODCALLTYPE Seek(INT64 offset, UINT32 origin, UINT64* new_position) override;
  HRESULT STDMETHODCALLTYPE GetSize(UINT64* size) override;

 private:
  ~CUnzipInStream() = default;

  LONG refs_ = 1;
  ScopedFile file_;
};

}  // namespace vireo
