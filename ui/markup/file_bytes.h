// Reads a whole file of the skin into one block of its exact size.
#pragma once

#include <cstddef>

#include "ui/markup/byte_block.h"

namespace ui {

enum class FileReadStatus {
  kOk,
  kOpenFailed,  // missing, a folder, or not readable
  kTooLarge,    // larger than the caller's limit (nothing is allocated)
  kEmpty,       // 0 bytes
  kShortRead,   // fewer bytes arrived than the file's size
};

// Reads |path| into |out| when it holds between 1 and |max_size| bytes; |out| stays invalid
// on any other outcome.
FileReadStatus ReadFileBytes(const wchar_t* path, size_t max_size, ByteBlock* out);

}  // namespace ui
