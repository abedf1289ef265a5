#include "ui/core/skin_prefetch.h"

#include <algorithm>
#include <utility>

#include "ui/core/control_builder.h"
#include "ui/core/control_kinds.h"
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

void AddBackgrounds(XmlNode node, std::vector<std::wstring>* files) {
  for (size_t i = 0; i < node.attribute_count(); ++i) {
    if (node.attribute_name(i) != kBkImageAttribute) continue;
    // Only the file matters here, so the scale the descriptor is read with does not.
    std::wstring file = ParseImageDescriptor(node.attribute_value(i), DpiScale()).file;
    if (!file.empty() && std::find(files->begin(), files->end(), file) == files->end()) {
      files->push_back(std::move(file));
    }
  }
}

void Walk(XmlNode parent, int depth, std::vector<std::wstring>* files) {
  if (depth > kMaxBuildDepth) return;  // SP3
  for (XmlNode child = parent.first_child(); child; child = child.next_sibling()) {
    if (IsNonControlElement(child.name()) || !StartsVisible(child)) continue;
    AddBackgrounds(child, files);
    Walk(child, depth + 1, files);
  }
}

}  // namespace

std::vector<std::wstring> VisibleBackgrounds(XmlNode root) {
  std::vector<std::wstring> files;
  if (root) Walk(root, 1, &files);
  return files;
}

size_t PrefetchSkinBackgrounds(const std::wstring& skin_file, const std::wstring& window_path) {
  GlobalManager& manager = GlobalManager::Get();
  XmlDocument doc;
  if (!manager.LoadSkinDocument(skin_file, &doc)) return 0;
  size_t handed = 0;
  for (const std::wstring& file : VisibleBackgrounds(doc.root())) {
    if (manager.PrefetchImage(file, window_path)) ++handed;
  }
  return handed;
}

}  // namespace ui
