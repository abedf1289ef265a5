#include "ui/core/control_builder.h"

#include <memory>
#include <string>
#include <utility>

#include "ui/core/box.h"
#include "ui/core/control.h"
#include "ui/core/control_kinds.h"
#include "ui/core/window.h"
#include "ui/markup/global_manager.h"
#include "ui/markup/value_syntax.h"
#include "ui/markup/xml_document.h"

namespace ui {
namespace {

// One run of the builder: the limits of CB7 are counted across includes.
class BuildRun {
 public:
  BuildRun(Window* window, const ControlFactoryCallback& factory)
      : window_(window), factory_(factory) {}

  // Builds |source| into |parent| (may be null); |first| receives the first control built.
  bool BuildFile(const std::wstring& source, Control* parent, int depth,
                 std::unique_ptr<Control>* first_owned, Control** first);

 private:
  bool BuildChildren(XmlNode node, Control* parent, int depth,
                     std::unique_ptr<Control>* first_owned, Control** first);
  bool BuildInclude(XmlNode node, Control* parent, int depth,
                    std::unique_ptr<Control>* first_owned, Control** first);
  // |depth| is the element's own depth.
  std::unique_ptr<Control> BuildElement(XmlNode node, int depth, bool* ok);
  void ApplyWindowElement(XmlNode root);

  Window* window_;
  const ControlFactoryCallback& factory_;
  int work_ = 0;  // controls made and include passes (CB7)
};

bool BuildRun::BuildFile(const std::wstring& source, Control* parent, int depth,
                         std::unique_ptr<Control>* first_owned, Control** first) {
  if (depth > kMaxBuildDepth) return false;
  XmlDocument doc;
  if (!GlobalManager::Get().LoadSkinDocument(source, &doc)) return false;
  const XmlNode root = doc.root();
  if (!root) return false;
  if (root.name() == kWindowElement) ApplyWindowElement(root);
  return BuildChildren(root, parent, depth, first_owned, first);
}

void BuildRun::ApplyWindowElement(XmlNode root) {
  if (window_ == nullptr || window_->GetHWND() == nullptr) return;
  for (size_t i = 0; i < root.attribute_count(); ++i) {
    window_->ApplyWindowAttribute(std::wstring(root.attribute_name(i)),
                                  std::wstring(root.attribute_value(i)));
  }
  for (XmlNode child = root.first_child(); child; child = child.next_sibling()) {
    if (child.name() == kClassElement) window_->GetClassTable().AddClassElement(child);
  }
}

bool BuildRun::BuildInclude(XmlNode node, Control* parent, int depth,
                            std::unique_ptr<Control>* first_owned, Control** first) {
  const std::optional<std::wstring_view> source = node.attribute(L"source");
  if (!source || source->empty()) return true;
  const std::optional<std::wstring_view> count_text = node.attribute(L"count");
  const int count = count_text ? ParseInt(*count_text) : 1;
  for (int i = 0; i < count; ++i) {
    if (++work_ > kMaxBuildWork) return false;
    if (!BuildFile(std::wstring(*source), parent, depth + 1, first_owned, first)) return false;
  }
  return true;
}

std::unique_ptr<Control> BuildRun::BuildElement(XmlNode node, int depth, bool* ok) {
  const std::wstring name(node.name());
  std::unique_ptr<Control> control = CreateControlByKind(name);
  if (control == nullptr && factory_) control = factory_(name);
  if (control == nullptr) return nullptr;  // skipped with its subtree (CB3)
  if (++work_ > kMaxBuildWork) {
    *ok = false;
    return nullptr;
  }
  control->SetWindow(window_, nullptr);
  for (size_t i = 0; i < node.attribute_count(); ++i) {
    control->ApplyAttribute(std::wstring(node.attribute_name(i)),
                            std::wstring(node.attribute_value(i)));
  }
  if (!BuildChildren(node, control.get(), depth, nullptr, nullptr)) {
    *ok = false;
    return nullptr;
  }
  return control;
}

bool BuildRun::BuildChildren(XmlNode node, Control* parent, int depth,
                             std::unique_ptr<Control>* first_owned, Control** first) {
  for (XmlNode child = node.first_child(); child; child = child.next_sibling()) {
    const std::wstring_view name = child.name();
    if (name == kIncludeElement) {
      if (!BuildInclude(child, parent, depth, first_owned, first)) return false;
      continue;
    }
    if (IsNonControlElement(name)) continue;
    if (depth + 1 > kMaxBuildDepth) return false;  // CB7
    bool ok = true;
    std::unique_ptr<Control> control = BuildElement(child, depth + 1, &ok);
    if (!ok) return false;
    if (!control) continue;
    if (parent == nullptr) {
      // Top level without a parent: the first control is the result (CB8).
      if (first_owned != nullptr && !*first_owned && (first == nullptr || *first == nullptr)) {
        if (first != nullptr) *first = control.get();
        *first_owned = std::move(control);
      }
      continue;
    }
    Box* box = dynamic_cast<Box*>(parent);
    if (box == nullptr) return false;  // CB6
    Control* added = box->Add(std::move(control));
    if (first != nullptr && *first == nullptr) *first = added;
  }
  return true;
}

}  // namespace

ControlBuilder::ControlBuilder(Window* window, ControlFactoryCallback factory)
    : window_(window), factory_(std::move(factory)) {}

std::unique_ptr<Control> ControlBuilder::Create(const std::wstring& source) {
  BuildRun run(window_, factory_);
  std::unique_ptr<Control> owned;
  Control* first = nullptr;
  if (!run.BuildFile(source, nullptr, 0, &owned, &first)) return nullptr;
  return owned;
}

}  // namespace ui
