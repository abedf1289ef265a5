#include "archive/extract_archive.h"

#include <objbase.h>

#include <utility>

#include "archive/archive_plugin.h"
#include "archive/unzip_extract_callback.h"
#include "archive/unzip_in_stream.h"
#include "archive/unzip_open_callback.h"

namespace vireo {
namespace {

// Balances CoInitializeEx only when this call was the one that initialised the thread;
// S_FALSE (already initialised) and failures (another apartment model) leave it alone.
class ScopedComApartment {
 public:
  ScopedComApartment() : owns_(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED) == S_OK) {}
  ~ScopedComApartment() {
    if (owns_) ::CoUninitialize();
  }
  ScopedComApartment(const ScopedComApartment&) = delete;
  ScopedComApartment& operator=(const ScopedComApartment&) = delete;

 private:
  bool owns_;
};

}  // namespace

bool ExtractWithFormat(CreateObjectFunc create, const GUID& format, const wchar_t* archive,
                       const wchar_t* destination, const UnzipProgressCallback& progress,
                       std::shared_ptr<void> context) {
  if (!create || !archive || !destination) return false;
  ScopedComApartment com;

  IInArchive* handler = nullptr;
  const HRESULT created = create(&format, &kIidInArchive, reinterpret_cast<void**>(&handler));
  if (FAILED(created) || !handler) return false;

  HANDLE file = ::CreateFileW(archive, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    handler->Release();
    return false;
  }
  CUnzipInStream* stream = new CUnzipInStream(file);
  CUnzipOpenCallback* open_callback = new CUnzipOpenCallback();
  open_callback->AddRef();  // the call's reference
  const HRESULT opened = handler->Open(stream, nullptr, open_callback);
  open_callback->Release();
  open_callback->Release();
  // S_FALSE is the module's answer for a file of another format.
  if (opened != S_OK) {
    stream->Release();
    handler->Release();
    return false;
  }

  CUnzipExtractCallback* extract_callback =
      new CUnzipExtractCallback(handler, destination, progress, std::move(context));
  extract_callback->AddRef();  // the call's reference
  const HRESULT extracted = handler->Extract(nullptr, 0xFFFFFFFFu, 0, extract_callback);
  extract_callback->Release();
  // Items refused or damaged count even where the module itself carried on.
  const bool item_failed = extract_callback->failed();
  extract_callback->Release();
  handler->Close();
  handler->Release();
  stream->Release();
  return extracted == S_OK && !item_failed;
}

int ExtractArchive(const wchar_t* archive, const wchar_t* destination, std::shared_ptr<void> context,
                   UnzipProgressCallback progress) {
  if (!GetArchiveCreateEntry()) LoadArchivePluginByBareName();
  if (!archive || !destination) return UNZIP_INVALID_ARGS;
  CreateObjectFunc create = GetArchiveCreateEntry();
  if (!create) create = LoadArchivePluginByBareName();
  if (!create) return UNZIP_LOAD_FAILED;

  if (progress) progress(UNZIP_EVENT_PROGRESS, 0.0f, context);
  bool ok = ExtractWithFormat(create, kClsid7zHandler, archive, destination, progress, context);
  if (!ok) ok = ExtractWithFormat(create, kClsidZipHandler, archive, destination, progress, context);
  if (progress) progress(UNZIP_EVENT_FINISHED, ok ? 100.0f : 0.0f, context);
  return ok ? UNZIP_SUCCESS : UNZIP_EXTRACT_FAILED;
}

}  // namespace vireo
