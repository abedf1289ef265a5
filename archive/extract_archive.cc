#include "archive/extract_archive.h"

#include <utility>

#include <propidl.h>

#include "archive/archive_plugin.h"
#include "archive/unzip_extract_callback.h"
#include "archive/unzip_in_stream.h"
#include "archive/unzip_open_callback.h"
#include "support/scoped_com.h"
#include "support/scoped_handle.h"

namespace vireo {

namespace {

// |archive| opened by the handler |format|; null when the handler cannot be made, the file
// cannot be read, or it is not of that format. Call inside a COM apartment.
ScopedComPtr<IInArchive> OpenWithFormat(CreateObjectFunc create, const GUID& format, const wchar_t* archive) {
  ScopedComPtr<IInArchive> handler;
  if (FAILED(create(&format, &kIidInArchive, handler.receive_void())) || !handler) return {};
  ScopedFile file(::CreateFileW(archive, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return {};
  ScopedComPtr<CUnzipInStream> stream(new CUnzipInStream(file.release()));
  ScopedComPtr<CUnzipOpenCallback> open_callback(new CUnzipOpenCallback());
  // S_FALSE is the module's answer for a file of another format.
  if (handler->Open(stream.get(), nullptr, open_callback.get()) != S_OK) return {};
  return handler;
}

// The sum of the items' sizes as the opened archive's headers give them.
bool SumItemSizes(IInArchive* handler, UINT64* total) {
  UINT32 count = 0;
  if (FAILED(handler->GetNumberOfItems(&count))) return false;
  *total = 0;
  for (UINT32 i = 0; i < count; ++i) {
    PROPVARIANT value;
    ::PropVariantInit(&value);
    if (FAILED(handler->GetProperty(i, kItemPropSize, &value))) return false;
    if (value.vt == VT_UI8) *total += value.uhVal.QuadPart;
    if (value.vt == VT_UI4) *total += value.ulVal;
    ::PropVariantClear(&value);
  }
  return true;
}

}  // namespace

bool ExtractWithFormat(CreateObjectFunc create, const GUID& format, const wchar_t* archive,
                       const wchar_t* destination, const UnzipProgressCallback& progress,
                       std::shared_ptr<void> context, bool* disk_full) {
  if (!create || !archive || !destination) return false;
  // Declared first, so every object below is released before the apartment is left.
  ScopedComApartment com;
  ScopedComPtr<IInArchive> handler = OpenWithFormat(create, format, archive);
  if (!handler) return false;

  ScopedComPtr<CUnzipExtractCallback> extract_callback(
      new CUnzipExtractCallback(handler.get(), destination, progress, std::move(context)));
  const HRESULT extracted = handler->Extract(nullptr, 0xFFFFFFFFu, 0, extract_callback.get());
  // Items refused or damaged count even where the module itself carried on.
  const bool item_failed = extract_callback->failed();
  if (disk_full) *disk_full = extract_callback->disk_full();
  extract_callback.reset();
  handler->Close();
  return extracted == S_OK && !item_failed;
}

bool ReadUnpackedSize(const wchar_t* archive, UINT64* total) {
  const CreateObjectFunc create = GetArchiveCreateEntry();
  if (!create || !archive || !total) return false;
  ScopedComApartment com;
  for (const GUID* format : {&kClsid7zHandler, &kClsidZipHandler}) {
    ScopedComPtr<IInArchive> handler = OpenWithFormat(create, *format, archive);
    if (!handler) continue;
    const bool read = SumItemSizes(handler.get(), total);
    handler->Close();
    return read;
  }
  return false;
}

int ExtractArchive(const wchar_t* archive, const wchar_t* destination, std::shared_ptr<void> context,
                   UnzipProgressCallback progress) {
  if (!archive || !destination) return UNZIP_INVALID_ARGS;
  // Only the module LoadArchivePlugin wrote and loaded by its full path is ever used.
  const CreateObjectFunc create = GetArchiveCreateEntry();
  if (!create) return UNZIP_LOAD_FAILED;

  if (progress) progress(UNZIP_EVENT_PROGRESS, 0.0f, context);
  bool disk_full = false;
  bool ok = ExtractWithFormat(create, kClsid7zHandler, archive, destination, progress, context, &disk_full);
  // A full volume fails every handler alike.
  if (!ok && !disk_full) {
    ok = ExtractWithFormat(create, kClsidZipHandler, archive, destination, progress, context, &disk_full);
  }
  if (progress) progress(UNZIP_EVENT_FINISHED, ok ? 100.0f : 0.0f, context);
  if (ok) return UNZIP_SUCCESS;
  return disk_full ? UNZIP_DISK_FULL : UNZIP_EXTRACT_FAILED;
}

}  // namespace vireo
