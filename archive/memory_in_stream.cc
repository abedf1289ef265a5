#include "archive/memory_in_stream.h"

#include <cstring>

namespace vireo {

void* CMemoryInStream::FindInterface(REFIID iid) {
  if (iid == kIidSequentialInStream || iid == kIidInStream) return static_cast<IInStream*>(this);
  if (iid == kIidStreamGetSize) return static_cast<IStreamGetSize*>(this);
  return nullptr;
}

HRESULT CMemoryInStream::Read(void* data, UINT32 size, UINT32* processed) {
  UINT32 count = 0;
  if (position_ < bytes_.size()) {
    const UINT64 left = bytes_.size() - position_;
    count = left < size ? static_cast<UINT32>(left) : size;
    if (file_) {
      if (!file_->Read(file_offset_ + position_, data, count)) return E_FAIL;
    } else {
      std::memcpy(data, bytes_.data() + position_, count);
    }
    position_ += count;
  }
  if (processed) *processed = count;
  return S_OK;
}

HRESULT CMemoryInStream::Seek(INT64 offset, UINT32 origin, UINT64* new_position) {
  INT64 base = 0;
  switch (origin) {
    case FILE_BEGIN: base = 0; break;
    case FILE_CURRENT: base = static_cast<INT64>(position_); break;
    case FILE_END: base = static_cast<INT64>(bytes_.size()); break;
    default: return E_INVALIDARG;
  }
  if (offset < 0 && base < -offset) return HRESULT_FROM_WIN32(ERROR_NEGATIVE_SEEK);
  if (offset > 0 && offset > INT64_MAX - base) return E_INVALIDARG;  // never wrapped
  position_ = static_cast<UINT64>(base + offset);
  if (new_position) *new_position = position_;
  return S_OK;
}

HRESULT CMemoryInStream::GetSize(UINT64* size) {
  if (size) *size = bytes_.size();
  return S_OK;
}

}  // namespace vireo
