// Named places in a run, where a test build of the installer can hold the run so that an
// end-to-end test ends the process at exactly that point (and then checks that the next run
// recovers). The shipped installer installs no handler: passing a checkpoint then does
// nothing.
#pragma once

namespace vireo {

enum class RunCheckpoint {
  kProgramExtracted,  // "chrome.7z" unpacked into the application folder, nothing hoisted
  kHoisting,          // the hoist has moved an entry (passed after every move)
  kRegistryWriting,   // the registry step has written the application-path entry only
  kRegistryRestoring, // the registry roll-back has put back the first of the product values
  kSpaceChecked,      // the program archive fits the application folder's volume; nothing
                      // unpacked there yet
};

// Called by the steps on the worker thread; returns at once without a handler.
void PassCheckpoint(RunCheckpoint point);

// Installs |handler| (null removes it); it runs on the thread that passes the checkpoint.
using CheckpointHandler = void (*)(RunCheckpoint point);
void SetCheckpointHandler(CheckpointHandler handler);

}  // namespace vireo
