#include "archive/extract_archive.h"

#include <utility>

#include "archive/archive_plugin.h"
#include "archive/unzip_extract_callback.h"
#include "archive/unzip_in_stream.h"
#include "archive/unzip_open_callback.h"
#include "support/scoped_com.h"
#include "support/scoped_handle.h"

namespace vireo {

bool ExtractWithFormat(CreateObjectFunc create, const GUID& format, const wchar_t* archive,
                       const wchar_t* destination, const UnzipProgressCallback& progress,
                       std::shared_ptr<void> context) {
  if (!create || !archive || !destination) return false;
  // Declared first, so every object below is released before the apartment is left.
  ScopedComApartment com;

  ScopedComPtr<IInArchive> handler;
  if (FAILED(create(&format, &kIidInArchive, handler.receive_void())) || !handler) return false;

  ScopedFile file(::CreateFileW(archive, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return false;
  ScopedComPtr<CUnzipInStream> stream(new CUnzipInStream(file.release()));
  {
    ScopedComPtr<CUnzipOpenCallback> open_callback(new CUnzipOpenCallback());
    // S_FALSE is the module's answer for a file of another format.
    if (handler->Open(stream.get(), nullptr, open_callback.get()) != S_OK) return false;
  }

  ScopedComPtr<CUnzipExtractCallback> extract_callback(
      new CUnzipExtractCallback(handler.get(), destination, progress, std::move(context)));
  const HRESULT extracted = handler->Extract(nullptr, 0xFFFFFFFFu, 0, extract_callback.get());
  // Items refused or damaged count even where the module itself carried on.
  const bool item_failed = extract_callback->failed();
  extract_callback.reset();
  handler->Close();
  return extracted == S_OK && !item_failed;
}

int ExtractArchive(const wchar_t* archive, const wchar_t* destination, std::shared_ptr<void> context,
                   UnzipProgressCallback progress) {
  if (!archive || !destination) return UNZIP_INVALID_ARGS;
  // Only the module LoadArchivePlugin wrote and loaded by its full path is ever used.
  const CreateObjectFunc create = GetArchiveCreateEntry();
  if (!create) return UNZIP_LOAD_FAILED;

  if (progress) progress(UNZIP_EVENT_PROGRESS, 0.0f, context);
  bool ok = ExtractWithFormat(create, kClsid7zHandler, archive, destination, progress, context);
  if (!ok) ok = ExtractWithFormat(create, kClsidZipHandler, archive, destination, progress, context);
  if (progress) progress(UNZIP_EVENT_FINISHED, ok ? 100.0f : 0.0f, context);
  return ok ? UNZIP_SUCCESS : UNZIP_EXTRACT_FAILED;
}

}  // namespace vireo
