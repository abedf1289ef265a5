#include "ui/markup/zip_cipher.h"

#include <zlib.h>

namespace ui {
namespace {

uint32_t CrcByte(uint32_t crc, uint8_t byte) {
  static const z_crc_t* const table = get_crc_table();
  return table[(crc ^ byte) & 0xFF] ^ (crc >> 8);
}

}  // namespace

ZipCipher::ZipCipher(std::string_view password) : keys_{0x12345678u, 0x23456789u, 0x34567890u} {
  for (char c : password) Update(static_cast<uint8_t>(c));
}

uint8_t ZipCipher::KeyStreamByte() const {
  const uint32_t temp = (keys_[2] | 2u) & 0xFFFFu;
  return static_cast<uint8_t>((temp * (temp ^ 1u)) >> 8);
}

void ZipCipher::Update(uint8_t plain) {
  keys_[0] = CrcByte(keys_[0], plain);
  keys_[1] = (keys_[1] + (keys_[0] & 0xFFu)) * 134775813u + 1u;
  keys_[2] = CrcByte(keys_[2], static_cast<uint8_t>(keys_[1] >> 24));
}

void ZipCipher::Decrypt(uint8_t* data, size_t size) {
  for (size_t i = 0; i < size; ++i) {
    data[i] = static_cast<uint8_t>(data[i] ^ KeyStreamByte());
    Update(data[i]);
  }
}

void ZipCipher::Encrypt(uint8_t* data, size_t size) {
  for (size_t i = 0; i < size; ++i) {
    const uint8_t plain = data[i];
    data[i] = static_cast<uint8_t>(plain ^ KeyStreamByte());
    Update(plain);
  }
}

}  // namespace ui
