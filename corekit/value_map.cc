#include "corekit/value_map.h"

#include <cerrno>
#include <cwchar>
#include <utility>

namespace corekit {

void ValueMap::SetString(const std::wstring& key, std::wstring value) {
  values_[key] = std::move(value);
}

void ValueMap::SetInt(const std::wstring& key, int64_t value) {
  values_[key] = std::to_wstring(value);
}

bool ValueMap::GetString(const std::wstring& key, std::wstring* value) const {
  auto it = values_.find(key);
  if (it == values_.end()) return false;
  *value = it->second;
  return true;
}

bool ValueMap::GetInt(const std::wstring& key, int64_t* value) const {
  auto it = values_.find(key);
  if (it == values_.end() || it->second.empty()) return false;
  const wchar_t* text = it->second.c_str();
  // wcstoll accepts leading blanks; a stored number never has them.
  if (!(*text == L'-' || *text == L'+' || (*text >= L'0' && *text <= L'9'))) return false;
  wchar_t* end = nullptr;
  errno = 0;
  const long long parsed = std::wcstoll(text, &end, 10);
  if (errno == ERANGE || end == text || *end != L'\0') return false;
  *value = parsed;
  return true;
}

}  // namespace corekit
