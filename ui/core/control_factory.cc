#include "ui/core/control_factory.h"

#include <map>
#include <utility>

#include "ui/core/box.h"
#include "ui/core/control.h"
#include "ui/core/control_kinds.h"

namespace ui {
namespace {

std::map<std::wstring, ControlCreator>& Registry() {
  static std::map<std::wstring, ControlCreator> registry;
  return registry;
}

ControlFactoryCallback& GlobalFactory() {
  static ControlFactoryCallback factory;
  return factory;
}

std::unique_ptr<Control> CreateCoreControl(const std::wstring& name) {
  if (name == kControlKind) return std::make_unique<Control>();
  if (name == kBoxKind) return std::make_unique<Box>();
  if (name == kHBoxKind) return std::make_unique<HBox>();
  if (name == kVBoxKind) return std::make_unique<VBox>();
  return nullptr;
}

}  // namespace

void RegisterControlKind(const std::wstring& element_name, ControlCreator creator) {
  Registry()[element_name] = std::move(creator);
}

void SetGlobalControlFactory(ControlFactoryCallback factory) {
  GlobalFactory() = std::move(factory);
}

std::unique_ptr<Control> CreateControlByKind(const std::wstring& element_name) {
  if (std::unique_ptr<Control> control = CreateCoreControl(element_name)) return control;
  auto it = Registry().find(element_name);
  if (it != Registry().end() && it->second) {
    if (std::unique_ptr<Control> control = it->second()) return control;
  }
  if (GlobalFactory()) return GlobalFactory()(element_name);
  return nullptr;
}

}  // namespace ui
