// Extraction sessions: every item of one archive (a file, or bytes in memory) into one
// folder, with progress.
#pragma once

#include <windows.h>

#include <memory>
#include <span>

#include "archive/seven_zip_abi.h"
#include "archive/unzip_result.h"
#include "support/file_window_reader.h"

namespace vireo {

// Extracts every item of |archive| into |destination| on the calling thread, trying the 7z
// handler and then the zip handler. Returns an UNZIP_RESULT value:
//   UNZIP_INVALID_ARGS when a path is null, UNZIP_LOAD_FAILED when LoadArchivePlugin has not
//   loaded the module (no other module is ever looked for) — both without any callback;
//   otherwise UNZIP_SUCCESS, UNZIP_DISK_FULL (a file could not be created or written because
//   its volume is full) or UNZIP_EXTRACT_FAILED, after one (UNZIP_EVENT_PROGRESS, 0),
//   the module's progress, and one (UNZIP_EVENT_FINISHED, 100 or 0).
// An item whose name would leave |destination|, a file that cannot be created and an item
// that comes out damaged all fail the session. Files written before a failure stay.
int ExtractArchive(const wchar_t* archive, const wchar_t* destination, std::shared_ptr<void> context,
                   UnzipProgressCallback progress);

// The same session over an archive held in memory (the installer's own resource bytes, read
// in place: they must outlive the call). UNZIP_INVALID_ARGS when |destination| is null.
// |file|, when given, reads a file that holds the same bytes from |file_offset| on, and they
// are read through it (memory_in_stream.h).
int ExtractArchiveBytes(std::span<const unsigned char> bytes, const wchar_t* destination,
                        std::shared_ptr<void> context, UnzipProgressCallback progress,
                        CFileWindowReader* file = nullptr, UINT64 file_offset = 0);

// The unpacked size of an archive held in memory: the sum of its items' sizes as its headers
// give them, read without extracting anything (7z handler, then zip). False when the module
// is not loaded or no handler opens the bytes.
bool ReadUnpackedSize(std::span<const unsigned char> bytes, UINT64* total);

// One attempt with the handler |format| (a class id of seven_zip_abi.h). True only when the
// handler opened the file as its format and extracted every item intact. Used by
// ExtractArchive; exposed so each handler can be exercised on its own.
bool ExtractWithFormat(CreateObjectFunc create, const GUID& format, const wchar_t* archive,
                       const wchar_t* destination, const UnzipProgressCallback& progress,
                       std::shared_ptr<void> context);

}  // namespace vireo
