#include "ui/markup/value_syntax.h"

#include <climits>

namespace ui {
namespace {

// Reads |count| numbers separated by one arbitrary character each.
void ParseNumbers(std::wstring_view text, int* numbers, int count) {
  size_t pos = 0;
  for (int i = 0; i < count; ++i) {
    size_t used = 0;
    numbers[i] = ParseInt(text.substr(pos), &used);
    pos += used;
    if (pos < text.size()) ++pos;  // the separator
  }
}

int HexDigit(wchar_t c) {
  if (c >= L'0' && c <= L'9') return c - L'0';
  if (c >= L'a' && c <= L'f') return c - L'a' + 10;
  if (c >= L'A' && c <= L'F') return c - L'A' + 10;
  return -1;
}

}  // namespace

bool ParseBool(std::wstring_view text) { return text == L"true"; }

int ParseInt(std::wstring_view text, size_t* consumed) {
  size_t pos = 0;
  while (pos < text.size() && text[pos] <= L' ') ++pos;
  bool negative = false;
  if (pos < text.size() && (text[pos] == L'+' || text[pos] == L'-')) negative = text[pos++] == L'-';
  const size_t digits_start = pos;
  long long value = 0;  // magnitude, held below 2^32 so it cannot overflow
  while (pos < text.size() && text[pos] >= L'0' && text[pos] <= L'9') {
    if (value <= INT_MAX) value = value * 10 + (text[pos] - L'0');
    ++pos;
  }
  if (pos == digits_start) {
    if (consumed) *consumed = 0;
    return 0;
  }
  if (consumed) *consumed = pos;
  if (negative) return value > static_cast<long long>(INT_MAX) + 1 ? INT_MIN : static_cast<int>(-value);
  return value > INT_MAX ? INT_MAX : static_cast<int>(value);
}

RECT ParseRect(std::wstring_view text) {
  int n[4];
  ParseNumbers(text, n, 4);
  return RECT{n[0], n[1], n[2], n[3]};
}

SIZE ParseSize(std::wstring_view text) {
  int n[2];
  ParseNumbers(text, n, 2);
  return SIZE{n[0], n[1]};
}

std::optional<uint32_t> ParseColorValue(std::wstring_view text) {
  if (text.empty()) return std::nullopt;
  uint64_t value = 0;
  for (size_t pos = 1; pos < text.size(); ++pos) {
    const int digit = HexDigit(text[pos]);
    if (digit < 0) break;
    value = value * 16 + static_cast<unsigned>(digit);
    if (value > 0xFFFFFFFFu) value = 0x100000000ull;  // saturated, stays above 32 bits
  }
  return value > 0xFFFFFFFFu ? 0xFFFFFFFFu : static_cast<uint32_t>(value);
}

std::wstring_view ColorName(std::wstring_view text) {
  size_t pos = 0;
  while (pos < text.size() && text[pos] <= L' ') ++pos;
  return text.substr(pos);
}

}  // namespace ui
