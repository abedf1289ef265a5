// The callback the module drives while it extracts: it names the output file of every item,
// creates folders, and turns the module's byte counts into progress.
#pragma once

#include <memory>
#include <string>

#include "support/com_object.h"
#include "archive/seven_zip_abi.h"
#include "archive/unzip_out_stream.h"
#include "archive/unzip_result.h"
#include "support/scoped_com.h"

namespace vireo {

// Answers IUnknown, IArchiveExtractCallback and ICryptoGetTextPassword.
class CUnzipExtractCallback final : public ComObject<IArchiveExtractCallback, ICryptoGetTextPassword> {
 public:
  // |archive| is borrowed (no reference is taken) and must outlive the callback's use in
  // Extract. The count starts at 1.
  CUnzipExtractCallback(IInArchive* archive, std::wstring destination, UnzipProgressCallback progress,
                        std::shared_ptr<void> context);

  HRESULT STDMETHODCALLTYPE SetTotal(UINT64 total) override;
  // Reports completed × 100 ÷ total (0 while the total is unknown), at most 100.
  HRESULT STDMETHODCALLTYPE SetCompleted(const UINT64* completed) override;
  // Creates the item's folder, or its file and an output stream over it. E_FAIL (which
  // stops the extraction) when the file cannot be created or the item's name would leave
  // the destination folder.
  HRESULT STDMETHODCALLTYPE GetStream(UINT32 index, ISequentialOutStream** out, INT32 ask_extract_mode) override;
  HRESULT STDMETHODCALLTYPE PrepareOperation(INT32 ask_extract_mode) override;
  // Closes the item's file. A damaged item (CRC or data error, unsupported method...)
  // returns E_FAIL and marks the session failed: a broken file must not pass as installed.
  HRESULT STDMETHODCALLTYPE SetOperationResult(INT32 operation_result) override;
  HRESULT STDMETHODCALLTYPE CryptoGetTextPassword(BSTR* password) override;

  // True once an item was refused, could not be created or came out damaged.
  bool failed() const { return failed_; }

 private:
  ~CUnzipExtractCallback() override;
  void* FindInterface(REFIID iid) override;

  IInArchive* archive_;
  std::wstring destination_;
  UnzipProgressCallback progress_;
  std::shared_ptr<void> context_;
  ScopedComPtr<CUnzipOutStream> current_;  // the item being written
  UINT64 total_ = 0;
  // Normalised destination, the reference every item path is checked against.
  std::wstring destination_full_;
  bool failed_ = false;
};

}  // namespace vireo
