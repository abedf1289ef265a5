// The device id of the usage report: the user's security identifier, or, when the account
// cannot be read, a fingerprint of the machine.
#pragma once

#include <string>
#include <string_view>

namespace vireo {

// Cached for the process after the first call.
const std::wstring& GetDeviceId();

// 32 upper-case hex digits from the computer name, the processor's vendor leaf and the
// serial number of drive C.
std::string ComputeMachineFingerprint();

// Doubles |source| until it holds at least 32 characters and keeps the first 32. An empty
// source stands for "0" (doubling nothing would never reach 32).
std::string ExpandFingerprintSource(std::string source);

// Mixes exactly 32 characters into 32 hex digits; any other length gives the empty text.
std::string MixFingerprint(std::string_view text);

}  // namespace vireo
