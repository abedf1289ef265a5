// The archive file as the module reads it: a seekable input stream that knows its size.
#pragma once

#include <windows.h>

#include "support/com_object.h"
#include "archive/seven_zip_abi.h"
#include "support/scoped_handle.h"

namespace vireo {

// Answers IUnknown, ISequentialInStream, IInStream and IStreamGetSize.
class CUnzipInStream final : public ComObject<IInStream, IStreamGetSize> {
 public:
  // Takes ownership of |file|; the count starts at 1. The last Release closes the file.
  explicit CUnzipInStream(HANDLE file) : file_(file) {}

  // One ReadFile of |size| bytes; E_FAIL when it fails.
  HRESULT STDMETHODCALLTYPE Read(void* data, UINT32 size, UINT32* processed) override;
  // |origin| 0, 1, 2 = begin, current, end; above 2 E_INVALIDARG; E_FAIL when the move fails.
  HRESULT STDMETHODCALLTYPE Seek(INT64 offset, UINT32 origin, UINT64* new_position) override;
  HRESULT STDMETHODCALLTYPE GetSize(UINT64* size) override;

 private:
  ~CUnzipInStream() override = default;
  void* FindInterface(REFIID iid) override;

  ScopedFile file_;
};

}  // namespace vireo
