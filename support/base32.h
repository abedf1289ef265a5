// Base32 with the RFC 4648 alphabet, most significant bit first, without "=" fill.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace vireo {

// 16 bytes give 26 characters, the last one carrying the remaining 3 bits at its top.
std::wstring Base32Encode(const uint8_t* data, size_t size);

}  // namespace vireo
