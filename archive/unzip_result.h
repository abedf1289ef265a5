// Result codes, progress events and the progress callback of an extraction session.
#pragma once

#include <functional>
#include <memory>

namespace vireo {

// The numbers are shown to the user inside the caller's messages, so they are fixed.
enum UNZIP_RESULT {
  UNZIP_INVALID_ARGS = 8,     // archive path or destination folder is null
  UNZIP_LOAD_FAILED = 10,     // no module could be loaded, or it lacks "CreateObject"
  UNZIP_EXTRACT_FAILED = 13,  // no handler extracted the archive completely and safely
  UNZIP_SUCCESS = 14,
  UNZIP_DISK_FULL = 15,       // extraction failed because the destination's volume is full
};

enum UNZIP_EVENT {
  UNZIP_EVENT_PROGRESS = 3,  // percent 0..100
  UNZIP_EVENT_FINISHED = 4,  // percent 100 on success, 0 on failure
};

// Invoked as (event, percent, context). May run on any thread the module uses, and must not
// call back into the extraction functions. The context is whatever the caller handed to
// ExtractArchive; the session never looks into it. May be empty.
using UnzipProgressCallback = std::function<void(int event, float percent, std::shared_ptr<void> context)>;

}  // namespace vireo
