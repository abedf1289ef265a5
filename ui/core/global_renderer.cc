#include "ui/core/global_renderer.h"

#include <utility>

namespace ui {
namespace {

std::unique_ptr<IRenderFactory>& Slot() {
  static std::unique_ptr<IRenderFactory> factory;
  return factory;
}

}  // namespace

void SetGlobalRenderFactory(std::unique_ptr<IRenderFactory> factory) {
  Slot() = std::move(factory);
}

IRenderFactory* GetGlobalRenderFactory() { return Slot().get(); }

}  // namespace ui
