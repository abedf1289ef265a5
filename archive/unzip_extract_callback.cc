#include "archive/unzip_extract_callback.h"

#include <windows.h>

#include <utility>

#include "archive/item_path.h"
#include "support/file_attributes.h"

namespace vireo {
namespace {

struct ItemInfo {
  std::wstring name;
  bool is_dir = false;
};

ItemInfo ReadItemInfo(IInArchive* archive, UINT32 index) {
  ItemInfo info;
  PROPVARIANT value;
  ::PropVariantInit(&value);
  if (SUCCEEDED(archive->GetProperty(index, kItemPropPath, &value))) {
    if (value.vt == VT_BSTR && value.bstrVal) {
      info.name = value.bstrVal;
    } else if (value.vt == VT_LPWSTR && value.pwszVal) {
      info.name = value.pwszVal;
    }
  }
  ::PropVariantClear(&value);
  ::PropVariantInit(&value);
  if (SUCCEEDED(archive->GetProperty(index, kItemPropIsDir, &value))) {
    info.is_dir = value.vt == VT_BOOL && value.boolVal != VARIANT_FALSE;
  }
  ::PropVariantClear(&value);
  return info;
}

}  // namespace

CUnzipExtractCallback::CUnzipExtractCallback(IInArchive* archive, std::wstring destination,
                                             UnzipProgressCallback progress, std::shared_ptr<void> context)
    : archive_(archive),
      destination_(std::move(destination)),
      progress_(std::move(progress)),
      context_(std::move(context)),
      destination_full_(FullPathOf(destination_)) {}

CUnzipExtractCallback::~CUnzipExtractCallback() = default;

void* CUnzipExtractCallback::FindInterface(REFIID iid) {
  if (iid == kIidArchiveExtractCallback) return static_cast<IArchiveExtractCallback*>(this);
  if (iid == kIidCryptoGetTextPassword) return static_cast<ICryptoGetTextPassword*>(this);
  return nullptr;
}

HRESULT CUnzipExtractCallback::SetTotal(UINT64 total) {
  total_ = total;
  return S_OK;
}

HRESULT CUnzipExtractCallback::SetCompleted(const UINT64* completed) {
  if (!completed || !progress_) return S_OK;
  double percent = total_ != 0 ? static_cast<double>(*completed) * 100.0 / static_cast<double>(total_) : 0.0;
  float value = static_cast<float>(percent);
  if (value > 100.0f) value = 100.0f;
  progress_(UNZIP_EVENT_PROGRESS, value, context_);
  return S_OK;
}

HRESULT CUnzipExtractCallback::GetStream(UINT32 index, ISequentialOutStream** out, INT32 ask_extract_mode) {
  if (out) *out = nullptr;
  if (ask_extract_mode != kAskExtract) return S_OK;

  const ItemInfo item = ReadItemInfo(archive_, index);
  // The lexical check catches the intent; the check of the normalised result catches
  // whatever the file system's own path rules would make of the name.
  if (!IsContainedItemName(item.name)) {
    failed_ = true;
    return E_FAIL;
  }
  const std::wstring full = JoinItemPath(destination_, MapItemName(item.name, index, item.is_dir));
  if (!IsBelowFolder(destination_full_, FullPathOf(full), item.is_dir)) {
    failed_ = true;
    return E_FAIL;
  }

  if (item.is_dir) {
    CreateAncestorFolders(full);
    if (!PathExistsAt(full)) ::CreateDirectoryW(full.c_str(), nullptr);
    return S_OK;
  }

  if (full.find(L'\\') == std::wstring::npos) {
    ::CreateDirectoryW(destination_.c_str(), nullptr);
  } else {
    CreateAncestorFolders(full);
  }
  ScopedFile file(::CreateFileW(full.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) {
    write_error_ = ::GetLastError();
    failed_ = true;
    return E_FAIL;
  }
  current_.reset(new CUnzipOutStream(file.release(), &write_error_));
  if (out) {
    current_->AddRef();  // the module's reference
    *out = current_.get();
  }
  return S_OK;
}

HRESULT CUnzipExtractCallback::PrepareOperation(INT32) { return S_OK; }

HRESULT CUnzipExtractCallback::SetOperationResult(INT32 operation_result) {
  current_.reset();
  if (operation_result != kOperationOk) {
    failed_ = true;
    return E_FAIL;
  }
  return S_OK;
}

HRESULT CUnzipExtractCallback::CryptoGetTextPassword(BSTR* password) {
  if (password) *password = nullptr;
  return S_OK;
}

}  // namespace vireo
