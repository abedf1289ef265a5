// Turns a skin file into a control tree (the fonts, colours and classes of "global.xml" are
// the markup layer's half).
//
//  CB1. The source is XML text itself when it starts with "<", else a skin file path read
//      through the skin (archive first, then disk). A document that does not parse builds
//      nothing.
//  CB2. A root element "Window" configures the window (Window::ApplyWindowAttribute, in
//      document order) and its Class children fill the window's class table. Font,
//      TextColor, Image and Class children are skipped when building controls.
//  CB3. Each element makes a control by kind (control_factory.h), else through the caller's
//      factory; an element nothing makes is skipped with its subtree.
//  CB4. The control is attached to the window, then the element's attributes are applied in
//      document order through Control::ApplyAttribute ("class" applies its classes where it
//      stands), then its children are
//      built into it, then it is added to the parent.
//  CB5. Include repeats the building of the skin file named by "source" into the current
//      parent "count" times (default 1). Event and BubbledEvent elements are skipped.
//  CB6. A child added to something that is not a box stops the build: nothing is returned
//      and what was built is destroyed.
//  CB7. Nesting (elements and includes together) deeper than kMaxBuildDepth refuses the
//      whole build, so neither a deep file nor an include cycle can exhaust the stack; more
//      than kMaxBuildWork controls and include passes together refuse it too, so repeated
//      includes cannot multiply without end.
//  CB8. Create answers the first control built at the top level and destroys further ones (a
//      skin file holds one).
#pragma once

#include <memory>
#include <string>

#include "ui/core/control_factory.h"

namespace ui {

class Box;
class Control;
class Window;

inline constexpr int kMaxBuildDepth = 256;
inline constexpr int kMaxBuildWork = 100000;

class ControlBuilder {
 public:
  // |window| may be null (the Window element is then ignored); |factory| may be empty.
  ControlBuilder(Window* window, ControlFactoryCallback factory);

  // Builds |source| (CB1). Null when nothing was built or the build failed (CB8).
  std::unique_ptr<Control> Create(const std::wstring& source);

 private:
  Window* window_;
  ControlFactoryCallback factory_;
};

}  // namespace ui
