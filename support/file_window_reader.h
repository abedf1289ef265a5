// Random reads of a large file through a few small mapped windows at a time.
//
// Reading through mapped pages is the cheapest copy the system offers (no call per read, and
// under Wine about half the time of ReadFile for the same bytes), but every page touched
// through one view stays in the working set until the view goes. This reader keeps at most
// kFileWindowCount views of kFileWindowSize bytes, the least recently used one unmapped for a
// new one, so a few sequential readers at different places (a decoder's packed streams) each
// find their window mapped, and the working set holds a few windows, never the file.
#pragma once

#include <windows.h>

#include <array>
#include <memory>
#include <mutex>

#include "support/scoped_handle.h"

namespace vireo {

inline constexpr UINT64 kFileWindowSize = 2u << 20;  // a multiple of the 64 KiB view granularity
inline constexpr size_t kFileWindowCount = 6;

class CFileWindowReader {
 public:
  // A reader of |file| (opened with read access; looked at, not owned: it must stay open while
  // the reader lives). Null when the file is empty or cannot be mapped.
  static std::unique_ptr<CFileWindowReader> Open(HANDLE file);

  // Copies |size| bytes at |offset| into |data|; may be called from any thread. False, with
  // nothing promised of |data|, when the range passes the file's end or a window cannot be
  // mapped.
  bool Read(UINT64 offset, void* data, size_t size);

  UINT64 file_size() const { return file_size_; }

 private:
  struct Window {
    UINT64 start = 0;
    ScopedMappedView view;
    UINT64 last_use = 0;
  };

  CFileWindowReader(ScopedHandle mapping, UINT64 file_size) : mapping_(std::move(mapping)), file_size_(file_size) {}
  // The mapped window holding |offset|, mapping it in place of the least recently used one.
  const Window* WindowAt(UINT64 offset);

  ScopedHandle mapping_;
  UINT64 file_size_;
  std::mutex lock_;
  std::array<Window, kFileWindowCount> windows_;
  UINT64 uses_ = 0;
};

}  // namespace vireo
