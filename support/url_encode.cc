#include "support/url_encode.h"

#include "support/string_util.h"

namespace vireo {
namespace {

bool IsUnreserved(unsigned char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
         c == '.' || c == '_' || c == '~';
}

}  // namespace

std::wstring UrlEncode(std::wstring_view text) {
  if (text.empty()) return {};
  const std::string utf8 = WideToUtf8(text);
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::wstring out;
  out.reserve(utf8.size() * 3);
  for (const char ch : utf8) {
    const auto c = static_cast<unsigned char>(ch);
    if (IsUnreserved(c)) {
      out.push_back(static_cast<wchar_t>(c));
    } else {
      out.push_back(L'%');
      out.push_back(static_cast<wchar_t>(kHex[c >> 4]));
      out.push_back(static_cast<wchar_t>(kHex[c & 15]));
    }
  }
  return out;
}

}  // namespace vireo
