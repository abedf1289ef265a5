#include "ui/markup/file_bytes.h"

#include <windows.h>

#include <utility>

#include "support/scoped_handle.h"

namespace ui {

FileReadStatus ReadFileBytes(const wchar_t* path, size_t max_size, ByteBlock* out) {
  *out = ByteBlock();
  vireo::ScopedFile file(::CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                       FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return FileReadStatus::kOpenFailed;
  LARGE_INTEGER size{};
  if (!::GetFileSizeEx(file.get(), &size)) return FileReadStatus::kOpenFailed;
  if (size.QuadPart == 0) return FileReadStatus::kEmpty;
  if (static_cast<unsigned long long>(size.QuadPart) > max_size) return FileReadStatus::kTooLarge;
  // ReadFile takes a 32-bit count; callers' limits are far below that.
  if (size.QuadPart > MAXDWORD) return FileReadStatus::kTooLarge;
  ByteBlock block = ByteBlock::Allocate(static_cast<size_t>(size.QuadPart));
  if (!block) return FileReadStatus::kTooLarge;
  DWORD read = 0;
  if (!::ReadFile(file.get(), block.data(), static_cast<DWORD>(block.size()), &read, nullptr) ||
      read != block.size()) {
    return FileReadStatus::kShortRead;
  }
  *out = std::move(block);
  return FileReadStatus::kOk;
}

}  // namespace ui
