#include "installer/run_checkpoint.h"

#include <atomic>

namespace vireo {
namespace {
std::atomic<CheckpointHandler> g_handler{nullptr};
}  // namespace

void SetCheckpointHandler(CheckpointHandler handler) { g_handler.store(handler); }

void PassCheckpoint(RunCheckpoint point) {
  if (CheckpointHandler handler = g_handler.load()) handler(point);
}

}  // namespace vireo
