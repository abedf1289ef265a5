// Record layouts of the ZIP format that the reader needs: signatures, fixed sizes and
// little-endian field access.
#pragma once

#include <cstddef>
#include <cstdint>

namespace ui::zip {

constexpr uint32_t kLocalSignature = 0x04034b50;
constexpr uint32_t kCentralSignature = 0x02014b50;
constexpr uint32_t kEndSignature = 0x06054b50;

constexpr size_t kLocalHeaderSize = 30;
constexpr size_t kCentralHeaderSize = 46;
constexpr size_t kEndRecordSize = 22;
constexpr size_t kMaxComment = 0xFFFF;

constexpr uint16_t kMethodStored = 0;
constexpr uint16_t kMethodDeflate = 8;

constexpr uint16_t kFlagEncrypted = 1u << 0;
constexpr uint16_t kFlagDataDescriptor = 1u << 3;
constexpr uint16_t kFlagStrongEncryption = 1u << 6;

// Deflate cannot expand data by more than about 1032:1; a declared size beyond that is a lie.
constexpr uint64_t kMaxDeflateRatio = 1032;

inline uint32_t Read16(const uint8_t* p) { return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8); }
inline uint32_t Read32(const uint8_t* p) { return Read16(p) | (Read16(p + 2) << 16); }

}  // namespace ui::zip
