#include "archive/extract_archive.h"

#include <utility>

#include <propidl.h>

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
// its format and extracted every item intact. |disk_full| (may be null) tells whether a
// failure came from a full volume.
bool ExtractStream(CreateObjectFunc create, const GUID& format, IInStream* stream, const wchar_t* destination,
                   const UnzipProgressCallback& progress, std::shared_ptr<void> context, bool* disk_full) {
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
  if (disk_full) *disk_full = extract_callback->disk_full();
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

// Bytes in memory, and the file that holds them too, if any.
struct ArchiveBytes {
  std::span<const unsigned char> bytes;
  CFileWindowReader* file = nullptr;
  UINT64 file_offset = 0;
};

ScopedComPtr<IInStream> OpenMemoryStream(const void* source) {
  const auto* archive = static_cast<const ArchiveBytes*>(source);
  return ScopedComPtr<IInStream>(new CMemoryInStream(archive->bytes, archive->file, archive->file_offset));
}

bool ExtractWith(CreateObjectFunc create, const GUID& format, StreamMaker make, const void* source,
                 const wchar_t* destination, const UnzipProgressCallback& progress, std::shared_ptr<void> context,
                 bool* disk_full = nullptr) {
  ScopedComPtr<IInStream> stream = make(source);
  return stream && ExtractStream(create, format, stream.get(), destination, progress, std::move(context), disk_full);
}

// The sum of the item sizes the headers of the archive |handler| has opened give.
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

// The session both entry points share: the 7z handler, then the zip handler.
int RunSession(StreamMaker make, const void* source, const wchar_t* destination, std::shared_ptr<void> context,
               const UnzipProgressCallback& progress) {
  // Only the module LoadArchivePlugin wrote and loaded by its full path is ever used.
  const CreateObjectFunc create = GetArchiveCreateEntry();
  if (!create) return UNZIP_LOAD_FAILED;

  if (progress) progress(UNZIP_EVENT_PROGRESS, 0.0f, context);
  bool disk_full = false;
  bool ok = ExtractWith(create, kClsid7zHandler, make, source, destination, progress, context, &disk_full);
  // A full volume fails every handler alike.
  if (!ok && !disk_full) {
    ok = ExtractWith(create, kClsidZipHandler, make, source, destination, progress, context, &disk_full);
  }
  if (progress) progress(UNZIP_EVENT_FINISHED, ok ? 100.0f : 0.0f, context);
  if (ok) return UNZIP_SUCCESS;
  return disk_full ? UNZIP_DISK_FULL : UNZIP_EXTRACT_FAILED;
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

bool ReadUnpackedSize(std::span<const unsigned char> bytes, UINT64* total) {
  const CreateObjectFunc create = GetArchiveCreateEntry();
  if (!create || !total) return false;
  ScopedComApartment com;
  for (const GUID* format : {&kClsid7zHandler, &kClsidZipHandler}) {
    ScopedComPtr<IInArchive> handler;
    if (FAILED(create(format, &kIidInArchive, handler.receive_void())) || !handler) continue;
    const ArchiveBytes archive{bytes};
    ScopedComPtr<IInStream> stream = OpenMemoryStream(&archive);
    ScopedComPtr<CUnzipOpenCallback> open_callback(new CUnzipOpenCallback());
    if (handler->Open(stream.get(), nullptr, open_callback.get()) != S_OK) continue;
    const bool read = SumItemSizes(handler.get(), total);
    handler->Close();
    return read;
  }
  return false;
}

int ExtractArchiveBytes(std::span<const unsigned char> bytes, const wchar_t* destination,
                        std::shared_ptr<void> context, UnzipProgressCallback progress,
                        CFileWindowReader* file, UINT64 file_offset) {
  if (!destination) return UNZIP_INVALID_ARGS;
  const ArchiveBytes archive{bytes, file, file_offset};
  return RunSession(&OpenMemoryStream, &archive, destination, std::move(context), progress);
}

}  // namespace vireo
