#include "archive/extract_archive.h"

#include <utility>

#include "archive/archive_plugin.h"
#include "archive/memory_in_stream.h"
#include "archive/unzip_extract_callback.h"
#include "archive/unzip_in_stream.h"
#include "archive/unzip_open_callback.h"
#include "support/scoped_com.h"
#include "support/scoped_handle.h"

namespace vireo {
namespace {

// One attempt with the handler |format| on |stream|: true only when it opened the stream as
// its format and extracted every item intact.
bool ExtractStream(CreateObjectFunc create, const GUID& format, IInStream* stream, const wchar_t* destination,
                   const UnzipProgressCallback& progress, std::shared_ptr<void> context) {
  // Declared first, so every object below is released before the apartment is left.
  ScopedComApartment com;

  ScopedComPtr<IInArchive> handler;
  if (FAILED(create(&format, &kIidInArchive, handler.receive_void())) || !handler) return false;
  {
    ScopedComPtr<CUnzipOpenCallback> open_callback(new CUnzipOpenCallback());
    // S_FALSE is the module's answer for a file of another format.
    if (handler->Open(stream, nullptr, open_callback.get()) != S_OK) return false;
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

// A new stream over the same archive for each handler that tries it.
using StreamMaker = ScopedComPtr<IInStream> (*)(const void* source);

ScopedComPtr<IInStream> OpenFileStream(const void* source) {
  ScopedFile file(::CreateFileW(static_cast<const wchar_t*>(source), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return ScopedComPtr<IInStream>();
  return ScopedComPtr<IInStream>(new CUnzipInStream(file.release()));
}

ScopedComPtr<IInStream> OpenMemoryStream(const void* source) {
  return ScopedComPtr<IInStream>(new CMemoryInStream(*static_cast<const std::span<const unsigned char>*>(source)));
}

bool ExtractWith(CreateObjectFunc create, const GUID& format, StreamMaker make, const void* source,
                 const wchar_t* destination, const UnzipProgressCallback& progress, std::shared_ptr<void> context) {
  ScopedComPtr<IInStream> stream = make(source);
  return stream && ExtractStream(create, format, stream.get(), destination, progress, std::move(context));
}

// The session both entry points share: the 7z handler, then the zip handler.
int RunSession(StreamMaker make, const void* source, const wchar_t* destination, std::shared_ptr<void> context,
               const UnzipProgressCallback& progress) {
  // Only the module LoadArchivePlugin wrote and loaded by its full path is ever used.
  const CreateObjectFunc create = GetArchiveCreateEntry();
  if (!create) return UNZIP_LOAD_FAILED;

  if (progress) progress(UNZIP_EVENT_PROGRESS, 0.0f, context);
  bool ok = ExtractWith(create, kClsid7zHandler, make, source, destination, progress, context);
  if (!ok) ok = ExtractWith(create, kClsidZipHandler, make, source, destination, progress, context);
  if (progress) progress(UNZIP_EVENT_FINISHED, ok ? 100.0f : 0.0f, context);
  return ok ? UNZIP_SUCCESS : UNZIP_EXTRACT_FAILED;
}

}  // namespace

bool ExtractWithFormat(CreateObjectFunc create, const GUID& format, const wchar_t* archive,
                       const wchar_t* destination, const UnzipProgressCallback& progress,
                       std::shared_ptr<void> context) {
  if (!create || !archive || !destination) return false;
  return ExtractWith(create, format, &OpenFileStream, archive, destination, progress, std::move(context));
}

int ExtractArchive(const wchar_t* archive, const wchar_t* destination, std::shared_ptr<void> context,
                   UnzipProgressCallback progress) {
  if (!archive || !destination) return UNZIP_INVALID_ARGS;
  return RunSession(&OpenFileStream, archive, destination, std::move(context), progress);
}

int ExtractArchiveBytes(std::span<const unsigned char> bytes, const wchar_t* destination,
                        std::shared_ptr<void> context, UnzipProgressCallback progress) {
  if (!destination) return UNZIP_INVALID_ARGS;
  return RunSession(&OpenMemoryStream, &bytes, destination, std::move(context), progress);
}

}  // namespace vireo
