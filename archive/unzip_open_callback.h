// The callback the module receives while it opens an archive.
#pragma once

#include "support/com_object.h"
#include "archive/seven_zip_abi.h"

namespace vireo {

// Answers IUnknown, IArchiveOpenCallback and ICryptoGetTextPassword.
class CUnzipOpenCallback final : public ComObject<IArchiveOpenCallback, ICryptoGetTextPassword> {
 public:
  CUnzipOpenCallback() = default;  // count starts at 1

  // Opening progress is not shown.
  HRESULT STDMETHODCALLTYPE SetTotal(const UINT64* files, const UINT64* bytes) override;
  HRESULT STDMETHODCALLTYPE SetCompleted(const UINT64* files, const UINT64* bytes) override;
  // No password: an encrypted archive is tried with an empty one.
  HRESULT STDMETHODCALLTYPE CryptoGetTextPassword(BSTR* password) override;

 private:
  ~CUnzipOpenCallback() override = default;
  void* FindInterface(REFIID iid) override;
};

}  // namespace vireo
