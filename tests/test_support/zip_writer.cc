#include "tests/test_support/zip_writer.h"

#include <cstdint>

namespace vireo::test {
namespace {

uint32_t CrcUpdate(uint32_t crc, unsigned char byte) {
  crc ^= byte;
  for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
  return crc;
}

uint32_t Crc32(const std::string& data) {
  uint32_t crc = 0xFFFFFFFFu;
  for (unsigned char byte : data) crc = CrcUpdate(crc, byte);
  return ~crc;
}

// The traditional cipher: a 12-byte header whose last byte is the CRC's high byte, then
// the data, each byte XORed with the key stream and fed back as plain text.
std::string Encrypt(const std::string& password, uint32_t crc, const std::string& payload) {
  uint32_t keys[3] = {0x12345678u, 0x23456789u, 0x34567890u};
  auto update = [&keys](unsigned char plain) {
    keys[0] = CrcUpdate(keys[0], plain);
    keys[1] = (keys[1] + (keys[0] & 0xFFu)) * 134775813u + 1u;
    keys[2] = CrcUpdate(keys[2], static_cast<unsigned char>(keys[1] >> 24));
  };
  for (unsigned char c : password) update(c);
  std::string plain = "0123456789A";
  plain.push_back(static_cast<char>(crc >> 24));
  plain += payload;
  std::string out;
  out.reserve(plain.size());
  for (unsigned char c : plain) {
    const uint32_t temp = (keys[2] | 2u) & 0xFFFFu;
    out.push_back(static_cast<char>(c ^ static_cast<unsigned char>((temp * (temp ^ 1u)) >> 8)));
    update(c);
  }
  return out;
}

void Put16(std::string& out, uint32_t v) {
  out.push_back(static_cast<char>(v & 0xFF));
  out.push_back(static_cast<char>((v >> 8) & 0xFF));
}

void Put32(std::string& out, uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}

constexpr uint32_t kUtf8NamesFlag = 1u << 11;

}  // namespace

std::string MakeZip(const std::vector<ZipMember>& members) {
  std::string out;
  std::string central;
  for (const ZipMember& m : members) {
    const uint32_t crc = Crc32(m.data);
    const uint32_t offset = static_cast<uint32_t>(out.size());
    const bool is_dir = !m.name.empty() && m.name.back() == '/';
    const uint32_t method = m.deflated.empty() ? 0 : 8;
    const uint32_t flags = kUtf8NamesFlag | (m.password.empty() ? 0u : 1u);
    const std::string& packed = m.deflated.empty() ? m.data : m.deflated;
    const std::string payload = m.password.empty() ? packed : Encrypt(m.password, crc, packed);
    // Local file header.
    Put32(out, 0x04034b50);
    Put16(out, 20);  // version needed
    Put16(out, flags);
    Put16(out, method);
    Put16(out, 0);  // time
    Put16(out, 0x21);  // date 1980-01-01
    Put32(out, crc);
    Put32(out, static_cast<uint32_t>(payload.size()));
    Put32(out, static_cast<uint32_t>(m.data.size()));
    Put16(out, static_cast<uint32_t>(m.name.size()));
    Put16(out, 0);
    out += m.name;
    out += payload;
    // Central directory entry.
    Put32(central, 0x02014b50);
    Put16(central, 20);  // made by
    Put16(central, 20);
    Put16(central, flags);
    Put16(central, method);
    Put16(central, 0);
    Put16(central, 0x21);
    Put32(central, crc);
    Put32(central, static_cast<uint32_t>(payload.size()));
    Put32(central, static_cast<uint32_t>(m.data.size()));
    Put16(central, static_cast<uint32_t>(m.name.size()));
    Put16(central, 0);  // extra
    Put16(central, 0);  // comment
    Put16(central, 0);  // disk
    Put16(central, 0);  // internal attributes
    Put32(central, is_dir ? 0x10u : 0x20u);  // DOS directory / archive attribute
    Put32(central, offset);
    central += m.name;
  }
  const uint32_t central_offset = static_cast<uint32_t>(out.size());
  out += central;
  Put32(out, 0x06054b50);
  Put16(out, 0);
  Put16(out, 0);
  Put16(out, static_cast<uint32_t>(members.size()));
  Put16(out, static_cast<uint32_t>(members.size()));
  Put32(out, static_cast<uint32_t>(central.size()));
  Put32(out, central_offset);
  Put16(out, 0);
  return out;
}

}  // namespace vireo::test
