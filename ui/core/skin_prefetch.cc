#include "ui/core/skin_prefetch.h"

#include <algorithm>
#include <string_view>
#include <utility>

#include "ui/core/control_builder.h"
#include "ui/core/control_kinds.h"
#include "ui/markup/class_table.h"
#include "ui/markup/global_manager.h"
#include "ui/markup/image_descriptor.h"
#include "ui/markup/value_syntax.h"

namespace ui {
namespace {

// Its own "visible" (the last one written); shown when it has none.
bool StartsVisible(XmlNode node) {
  bool visible = true;
  for (size_t i = 0; i < node.attribute_count(); ++i) {
    if (node.attribute_name(i) == kVisibleAttribute) visible = ParseBool(node.attribute_value(i));
  }
  return visible;
}

bool IsImageAttribute(std::wstring_view name) {
  constexpr std::wstring_view kImageSuffix = L"image";
  return name.size() >= kImageSuffix.size() && name.substr(name.size() - kImageSuffix.size()) == kImageSuffix;
}

class ImageWalk {
 public:
  explicit ImageWalk(const ClassTable& classes) : classes_(classes) {}

  void Walk(XmlNode parent, int depth) {
    if (depth > kMaxBuildDepth) return;  // SP3
    for (XmlNode child = parent.first_child(); child; child = child.next_sibling()) {
      if (IsNonControlElement(child.name()) || !StartsVisible(child)) continue;
      for (size_t i = 0; i < child.attribute_count(); ++i) {
        if (child.attribute_name(i) == kClassAttribute) {
          ApplyClasses(child.attribute_value(i), classes_, nullptr,
                       [this](std::wstring_view name, std::wstring_view value) { Add(name, value); });
        } else {
          Add(child.attribute_name(i), child.attribute_value(i));
        }
      }
      Walk(child, depth + 1);
    }
  }

  std::vector<std::wstring> files;

 private:
  void Add(std::wstring_view name, std::wstring_view value) {
    if (!IsImageAttribute(name)) return;
    // Only the file matters here, so the scale the descriptor is read with does not.
    std::wstring file = ParseImageDescriptor(value, DpiScale()).file;
    if (!file.empty() && std::find(files.begin(), files.end(), file) == files.end()) files.push_back(std::move(file));
  }

  const ClassTable& classes_;
};

}  // namespace

std::vector<std::wstring> VisibleImages(XmlNode root, const ClassTable& classes) {
  ImageWalk walk(classes);
  if (root) walk.Walk(root, 1);
  return std::move(walk.files);
}

size_t PrefetchSkinImages(const std::wstring& skin_file, const std::wstring& window_path) {
  GlobalManager& manager = GlobalManager::Get();
  XmlDocument doc;
  if (!manager.LoadSkinDocument(skin_file, &doc)) return 0;
  size_t handed = 0;
  for (const std::wstring& file : VisibleImages(doc.root(), manager.definitions().classes)) {
    if (manager.PrefetchImage(file, window_path)) ++handed;
  }
  return handed;
}

}  // namespace ui
