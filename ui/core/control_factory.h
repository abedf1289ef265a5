// Which control a skin element name makes. The core kinds ("Control", "Box", "HBox",
// "VBox") are built in; widget kinds are registered by the widget layer at start-up; names
// nobody registered go to the global factory the toolkit's start-up was given, then to the
// caller's factory.
//
//  CF1. RegisterControlKind replaces an earlier registration of the same name.
//  CF2. CreateControlByKind answers a new control for a built-in or registered name, else the
//      global factory's answer, else null. Names are compared exactly.
//  CF3. The registry and the global factory are used on the UI thread only.
#pragma once

#include <functional>
#include <memory>
#include <string>

namespace ui {

class Control;

using ControlCreator = std::function<std::unique_ptr<Control>()>;
// Makes a control for an element name, or null.
using ControlFactoryCallback = std::function<std::unique_ptr<Control>(const std::wstring& element_name)>;

void RegisterControlKind(const std::wstring& element_name, ControlCreator creator);
void SetGlobalControlFactory(ControlFactoryCallback factory);
// CF2.
std::unique_ptr<Control> CreateControlByKind(const std::wstring& element_name);

}  // namespace ui
