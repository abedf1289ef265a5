#include "installer/device_id.h"

#include <windows.h>
#include <cpuid.h>

#include <cstdint>
#include <string>

#include "support/user_sid.h"

namespace vireo {
namespace {

constexpr size_t kFingerprintLength = 32;

std::wstring AnsiToWide(const std::string& text) {
  if (text.empty()) return {};
  const int n = ::MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  if (n <= 0) return {};
  std::wstring out(static_cast<size_t>(n), L'\0');
  ::MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), out.data(), n);
  return out;
}

}  // namespace

const std::wstring& GetDeviceId() {
  static const std::wstring id = [] {
    std::wstring sid;
    if (GetCurrentUserSidString(&sid)) return sid;
    return AnsiToWide(ComputeMachineFingerprint());
  }();
  return id;
}

std::string ComputeMachineFingerprint() {
  std::string source;

  char name[1024] = {};
  DWORD name_len = sizeof(name);
  if (::GetComputerNameA(name, &name_len)) source.append(name, name_len < sizeof(name) ? name_len : 0);

  unsigned int a = 0, b = 0, c = 0, d = 0;
  __cpuid_count(0, 0, a, b, c, d);
  const uint32_t p = a + b + c + d + (a >> 16) + (b >> 16) + (c >> 16) + (d >> 16);
  source += std::to_string(p);

  DWORD serial = 0;
  if (!::GetVolumeInformationA("c:\\", nullptr, 0, &serial, nullptr, nullptr, nullptr, 0)) serial = 0;
  const uint32_t w = serial + (serial >> 16);
  source += std::to_string(w);

  return MixFingerprint(ExpandFingerprintSource(std::move(source)));
}

std::string ExpandFingerprintSource(std::string source) {
  if (source.empty()) source.push_back('0');
  while (source.size() < kFingerprintLength) source.append(std::string(source));
  source.resize(kFingerprintLength);
  return source;
}

std::string MixFingerprint(std::string_view t) {
  if (t.size() != kFingerprintLength) return {};
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string out(kFingerprintLength, '0');
  for (uint32_t i = 0; i < kFingerprintLength; ++i) {
    uint8_t s = 0;
    for (uint32_t k = 0; k < 4; ++k) s = static_cast<uint8_t>(s + static_cast<uint8_t>(t[(i + k) % kFingerprintLength]));
    const uint32_t v = (0xFFFFFFFFu - s) * (i + 1);
    out[i] = kHex[(v >> 4) & 15];
  }
  return out;
}

}  // namespace vireo
