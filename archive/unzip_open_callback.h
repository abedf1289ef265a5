// The callback the module receives while it opens an archive.
#pragma once

#include "archive/seven_zip_abi.h"

namespace vireo {

class CUnzipOpenCallback final : public IArchiveOpenCallback, public ICryptoGetTextPassword {
 public:
  CUnzipOpenCallback() = default;  // count starts at 1

  // Answers IUnknown, IArchiveOpenCallback and ICryptoGetTextPassword.
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;

  // Opening progress is not shown.
  HRESULT STDMETHODCALLTYPE SetTotal(const UINT64* files, const UINT64* bytes) override;
  HRESULT STDMETHODCALLTYPE SetCompleted(const UINT64* files, const UINT64* bytes) override;
  // No password: an encrypted archive is tried with an empty one.
  HRESULT STDMETHODCALLTYPE CryptoGetTextPassword(BSTR* password) override;

 private:
  ~CUnzipOpenCallback() = default;

  LONG refs_ = 1;
};

}  // namespace vireo
