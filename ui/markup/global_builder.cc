#include "ui/markup/global_builder.h"

#include <string>

#include "ui/markup/value_syntax.h"

namespace ui {
namespace {

bool FlagAttribute(XmlNode node, const wchar_t* name) {
  const std::optional<std::wstring_view> value = node.attribute(name);
  return value && ParseBool(*value);
}

void AddFont(XmlNode node, const DpiScale& scale, FontTable* fonts) {
  const std::optional<std::wstring_view> face = node.attribute(L"name");
  if (!face) return;
  FontDeclaration declared;
  declared.face = std::wstring(*face);
  if (const auto size = node.attribute(L"size")) declared.size = ParseInt(*size);
  declared.bold = FlagAttribute(node, L"bold");
  declared.underline = FlagAttribute(node, L"underline");
  declared.italic = FlagAttribute(node, L"italic");
  const std::optional<std::wstring_view> id = node.attribute(L"id");
  const std::wstring key = id ? std::wstring(*id) : std::to_wstring(fonts->added());
  fonts->Add(key, declared, scale, FlagAttribute(node, L"default"));
}

void AddColor(XmlNode node, ColorTable* colors) {
  const std::optional<std::wstring_view> name = node.attribute(L"name");
  const std::optional<std::wstring_view> value = node.attribute(L"value");
  if (!name || name->empty() || !value) return;
  if (const std::optional<uint32_t> argb = ParseColorValue(*value)) colors->Set(*name, *argb);
}

}  // namespace

bool BuildGlobal(XmlNode root, const DpiScale& scale, GlobalDefinitions* out) {
  if (!root || root.name() != kGlobalElement) return false;
  for (XmlNode child = root.first_child(); child; child = child.next_sibling()) {
    const std::wstring_view name = child.name();
    if (name == L"Font") {
      AddFont(child, scale, &out->fonts);
    } else if (name == L"TextColor") {
      AddColor(child, &out->colors);
    } else if (name == L"Class") {
      out->classes.AddClassElement(child);
    }
  }
  if (const auto value = root.attribute(L"defaultfontcolor")) out->default_text_color = std::wstring(*value);
  if (const auto value = root.attribute(L"disabledfontcolor")) out->default_disabled_text_color = std::wstring(*value);
  if (const auto value = root.attribute(L"linkfontcolor")) out->link_color = out->colors.Get(*value);
  if (const auto value = root.attribute(L"linkhoverfontcolor")) out->link_hover_color = out->colors.Get(*value);
  if (const auto value = root.attribute(L"selectedcolor")) out->selected_color = out->colors.Get(*value);
  return true;
}

}  // namespace ui
