// An archive the module reads straight from memory: the installer's own resource bytes, so
// an embedded archive is extracted without first being written to a file. Where the same
// bytes also lie in a file (the program's own, support/image_file.h), they are read from
// there (support/file_window_reader.h), so the pages of the mapped image never join the
// working set.
#pragma once

#include <windows.h>

#include <span>

#include "support/com_object.h"
#include "archive/seven_zip_abi.h"
#include "support/file_window_reader.h"

namespace vireo {

// Answers IUnknown, ISequentialInStream, IInStream and IStreamGetSize over |bytes|, which are
// only looked at: they must outlive the stream (a module's resources do while it is loaded).
class CMemoryInStream final : public ComObject<IInStream, IStreamGetSize> {
 public:
  // The count starts at 1. |file|, when given, reads a file that holds the same bytes from
  // |file_offset| on; it is only looked at and must outlive the stream's use.
  explicit CMemoryInStream(std::span<const unsigned char> bytes, CFileWindowReader* file = nullptr,
                           UINT64 file_offset = 0)
      : bytes_(bytes), file_(file), file_offset_(file_offset) {}

  // Copies up to |size| bytes from the position on; fewer (0 at or past the end) is no error.
  // Read from the file, a failed or short read is E_FAIL (the module reports the archive as
  // damaged).
  HRESULT STDMETHODCALLTYPE Read(void* data, UINT32 size, UINT32* processed) override;
  // |origin| 0, 1, 2 = begin, current, end; above 2 E_INVALIDARG; a position before the start
  // is refused (HRESULT of ERROR_NEGATIVE_SEEK), one beyond 2^63 - 1 with E_INVALIDARG; both
  // leave the position as it was. Positions past the end are allowed, as for a file.
  HRESULT STDMETHODCALLTYPE Seek(INT64 offset, UINT32 origin, UINT64* new_position) override;
  HRESULT STDMETHODCALLTYPE GetSize(UINT64* size) override;

 private:
  ~CMemoryInStream() override = default;
  void* FindInterface(REFIID iid) override;

  std::span<const unsigned char> bytes_;
  CFileWindowReader* file_;
  UINT64 file_offset_;
  UINT64 position_ = 0;
};

}  // namespace vireo
