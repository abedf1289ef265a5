#include "ui/markup/string_table.h"

namespace ui {
namespace {

std::wstring_view Trim(std::wstring_view text) {
  const size_t first = text.find_first_not_of(L" \t");
  if (first == std::wstring_view::npos) return {};
  const size_t last = text.find_last_not_of(L" \t\r");
  return text.substr(first, last - first + 1);
}

std::wstring Unescape(std::wstring_view text) {
  std::wstring out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == L'\\' && i + 1 < text.size() && (text[i + 1] == L'r' || text[i + 1] == L'n')) {
      out.push_back(text[++i] == L'r' ? L'\r' : L'\n');
      continue;
    }
    out.push_back(text[i]);
  }
  return out;
}

}  // namespace

void StringTable::Load(std::wstring_view text) {
  size_t pos = 0;
  while (pos < text.size()) {
    size_t line_end = text.find(L'\n', pos);
    if (line_end == std::wstring_view::npos) line_end = text.size();
    const std::wstring_view line = Trim(text.substr(pos, line_end - pos));
    pos = line_end + 1;
    if (line.empty() || line[0] == L';' || line[0] == L'#' || line[0] == L'[') continue;
    const size_t equals = line.find(L'=');
    if (equals == std::wstring_view::npos) continue;
    const std::wstring_view id = Trim(line.substr(0, equals));
    if (id.empty()) continue;
    strings_[std::wstring(id)] = Unescape(Trim(line.substr(equals + 1)));
  }
}

std::wstring StringTable::Get(std::wstring_view id) const {
  const auto it = strings_.find(id);
  return it == strings_.end() ? std::wstring() : it->second;
}

}  // namespace ui
