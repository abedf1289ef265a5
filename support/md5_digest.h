// MD5 through the system's CryptoAPI (a verify-only context, no key container).
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace vireo {

using Md5 = std::array<uint8_t, 16>;

// False when no provider can be acquired, hashing fails or the digest does not come back
// whole; |out| is then unspecified.
bool ComputeMd5(const void* data, size_t size, Md5* out);

}  // namespace vireo
