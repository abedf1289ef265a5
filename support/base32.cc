#include "support/base32.h"

namespace vireo {

std::wstring Base32Encode(const uint8_t* data, size_t size) {
  static constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZ234567";
  std::wstring out;
  if (!data) return out;
  out.reserve((size * 8 + 4) / 5);
  uint32_t buffer = 0;
  int bits = 0;
  for (size_t i = 0; i < size; ++i) {
    buffer = (buffer << 8) | data[i];
    bits += 8;
    while (bits >= 5) {
      bits -= 5;
      out.push_back(static_cast<wchar_t>(kAlphabet[(buffer >> bits) & 31]));
    }
  }
  if (bits > 0) out.push_back(static_cast<wchar_t>(kAlphabet[(buffer << (5 - bits)) & 31]));
  return out;
}

}  // namespace vireo
