// The ZIP format's traditional ("PKWARE") stream cipher: three 32-bit keys seeded from the
// password and advanced by every plain byte.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace ui {

class ZipCipher {
 public:
  // Every encrypted entry starts with this many header bytes before its data.
  static constexpr size_t kHeaderSize = 12;

  explicit ZipCipher(std::string_view password);

  // Decrypts |size| bytes in place.
  void Decrypt(uint8_t* data, size_t size);
  // Encrypts |size| bytes in place (used to make encrypted archives).
  void Encrypt(uint8_t* data, size_t size);

 private:
  uint8_t KeyStreamByte() const;
  void Update(uint8_t plain);

  uint32_t keys_[3];
};

}  // namespace ui
