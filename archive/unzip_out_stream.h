// One extracted file as the module writes it.
#pragma once

#include <windows.h>

#include "support/com_object.h"
#include "archive/seven_zip_abi.h"
#include "support/scoped_handle.h"

namespace vireo {

// Answers IUnknown and ISequentialOutStream.
class CUnzipOutStream final : public ComObject<ISequentialOutStream> {
 public:
  // Takes ownership of |file|; the count starts at 1. The last Release closes the file.
  explicit CUnzipOutStream(HANDLE file) : file_(file) {}

  // One WriteFile; E_FAIL when it fails.
  HRESULT STDMETHODCALLTYPE Write(const void* data, UINT32 size, UINT32* processed) override;

 private:
  ~CUnzipOutStream() override = default;
  void* FindInterface(REFIID iid) override;

  ScopedFile file_;
};

}  // namespace vireo
