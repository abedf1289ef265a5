#include "ui/markup/skin_path.h"

#include <vector>

namespace ui {
namespace {

template <typename Char>
std::basic_string<Char> SlashesForward(std::basic_string_view<Char> path) {
  std::basic_string<Char> out;
  out.reserve(path.size());
  for (Char c : path) out.push_back(c == Char('\\') ? Char('/') : c);
  return out;
}

}  // namespace

std::optional<std::wstring> NormalizeArchivePath(std::wstring_view path) {
  const std::wstring forward = SlashesForward(path);
  std::vector<std::wstring_view> kept;
  const std::wstring_view all(forward);
  size_t start = 0;
  while (start <= all.size()) {
    size_t slash = all.find(L'/', start);
    if (slash == std::wstring_view::npos) slash = all.size();
    const std::wstring_view part = all.substr(start, slash - start);
    start = slash + 1;
    if (part.empty() || part == L".") continue;
    if (part == L"..") {
      if (kept.empty()) return std::nullopt;
      kept.pop_back();
      continue;
    }
    kept.push_back(part);
  }
  std::wstring out;
  out.reserve(forward.size());
  for (std::wstring_view part : kept) {
    if (!out.empty()) out.push_back(L'/');
    out.append(part);
  }
  return out;
}

std::string StripArchiveEntryName(std::string_view name) {
  const std::string forward = SlashesForward(name);
  std::string_view rest(forward);
  for (;;) {
    if (!rest.empty() && rest.front() == '/') {
      rest.remove_prefix(1);
      continue;
    }
    const size_t slash = rest.find('/');
    const std::string_view first = rest.substr(0, slash);
    if (first.find("..") == std::string_view::npos) break;
    rest = slash == std::string_view::npos ? std::string_view() : rest.substr(slash + 1);
  }
  return std::string(rest);
}

std::wstring ToDiskPath(std::wstring_view path) {
  std::wstring out;
  out.reserve(path.size());
  for (wchar_t c : path) {
    if (c == L'/') c = L'\\';
    // "\\" -> "\": a backslash never follows another.
    if (c == L'\\' && !out.empty() && out.back() == L'\\') continue;
    out.push_back(c);
  }
  return out;
}

bool IsRelativePath(std::wstring_view path) {
  if (!path.empty() && (path[0] == L'\\' || path[0] == L'/')) return false;
  return !(path.size() >= 2 && path[1] == L':');
}

std::wstring WithTrailingSlash(std::wstring_view folder) {
  std::wstring out(folder);
  if (!out.empty() && out.back() != L'\\' && out.back() != L'/') out.push_back(L'\\');
  return out;
}

std::wstring ResolveSkinPath(std::wstring_view global_path, std::wstring_view window_path, std::wstring_view file) {
  if (!IsRelativePath(file)) return std::wstring(file);
  std::wstring out;
  out.reserve(global_path.size() + window_path.size() + file.size());
  out.append(global_path).append(window_path).append(file);
  return out;
}

std::wstring HighDpiVariant(std::wstring_view path) {
  const size_t dot = path.rfind(L'.');
  if (dot == std::wstring_view::npos) return {};
  std::wstring out(path.substr(0, dot));
  out.append(L"@2x").append(path.substr(dot));
  return out;
}

}  // namespace ui
