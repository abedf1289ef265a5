// One extracted file as the module writes it.
#pragma once

#include <windows.h>

#include "archive/seven_zip_abi.h"
#include "support/scoped_handle.h"

namespace vireo {

class CUnzipOutStream final : public ISequentialOutStream {
 public:
  // Takes ownership of |file|; the count starts at 1. The last Release closes the file.
  explicit CUnzipOutStream(HANDLE file) : file_(file) {}

  // Answers IUnknown and ISequentialOutStream.
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;

  // One WriteFile; E_FAIL when it fails.
  HRESULT STDMETHODCALLTYPE Write(const void* data, UINT32 size, UINT32* processed) override;

 private:
  ~CUnzipOutStream() = default;

  LONG refs_ = 1;
  ScopedFile file_;
};

}  // namespace vireo
