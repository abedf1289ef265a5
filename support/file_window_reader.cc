#include "support/file_window_reader.h"

#include <cstring>

namespace vireo {

std::unique_ptr<CFileWindowReader> CFileWindowReader::Open(HANDLE file) {
  LARGE_INTEGER size;
  if (!::GetFileSizeEx(file, &size) || size.QuadPart <= 0) return nullptr;
  ScopedHandle mapping(::CreateFileMappingW(file, nullptr, PAGE_READONLY, 0, 0, nullptr));
  if (!mapping) return nullptr;
  return std::unique_ptr<CFileWindowReader>(
      new CFileWindowReader(std::move(mapping), static_cast<UINT64>(size.QuadPart)));
}

const CFileWindowReader::Window* CFileWindowReader::WindowAt(UINT64 offset) {
  const UINT64 start = offset - offset % kFileWindowSize;
  Window* oldest = &windows_[0];
  for (Window& window : windows_) {
    if (window.view && window.start == start) {
      window.last_use = ++uses_;
      return &window;
    }
    if (!window.view || (oldest->view && window.last_use < oldest->last_use)) oldest = &window;
  }
  const UINT64 left = file_size_ - start;
  const SIZE_T length = static_cast<SIZE_T>(left < kFileWindowSize ? left : kFileWindowSize);
  oldest->view.reset();  // unmapped first: the working set never holds one window more
  oldest->view.reset(::MapViewOfFile(mapping_.get(), FILE_MAP_READ, static_cast<DWORD>(start >> 32),
                                     static_cast<DWORD>(start), length));
  if (!oldest->view) return nullptr;
  oldest->start = start;
  oldest->last_use = ++uses_;
  return oldest;
}

bool CFileWindowReader::Read(UINT64 offset, void* data, size_t size) {
  if (offset > file_size_ || size > file_size_ - offset) return false;
  const std::lock_guard<std::mutex> hold(lock_);
  auto* out = static_cast<unsigned char*>(data);
  while (size > 0) {
    const Window* window = WindowAt(offset);
    if (!window) return false;
    const UINT64 within = offset - window->start;
    const UINT64 available = kFileWindowSize - within;
    const size_t count = static_cast<size_t>(available < size ? available : size);
    std::memcpy(out, static_cast<const unsigned char*>(window->view.get()) + within, count);
    out += count;
    offset += count;
    size -= count;
  }
  return true;
}

}  // namespace vireo
