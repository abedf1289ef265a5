#include "support/file_version.h"

#include <cstring>
#include <cwchar>
#include <memory>
#include <span>

#include "support/resource_file.h"
#include "support/version_api.h"

namespace vireo {
namespace {

constexpr DWORD kStringBufferSize = 16 * 1024;
constexpr DWORD kNumberBufferSize = 8000;

const VS_FIXEDFILEINFO* QueryFixedInfo(const VersionApi& api, const void* block) {
  VS_FIXEDFILEINFO* info = nullptr;
  UINT len = 0;
  if (!api.query_value(block, L"\\", reinterpret_cast<void**>(&info), &len) || !info ||
      len < sizeof(VS_FIXEDFILEINFO) || info->dwSignature != VS_FFI_SIGNATURE) {
    return nullptr;
  }
  return info;
}

uint64_t ToNumber(const VS_FIXEDFILEINFO& info) {
  return (static_cast<uint64_t>(info.dwFileVersionMS) << 32) | info.dwFileVersionLS;
}

}  // namespace

std::wstring GetFileVersionString(const wchar_t* path) {
  const VersionApi* api = GetVersionApi();
  if (!path || !*path || !api) return {};
  DWORD ignored = 0;
  const DWORD size = api->info_size(path, &ignored);
  if (size == 0 || size >= kStringBufferSize) return {};
  auto block = std::make_unique<unsigned char[]>(kStringBufferSize);
  if (!api->info(path, 0, kStringBufferSize, block.get())) return {};
  const VS_FIXEDFILEINFO* info = QueryFixedInfo(*api, block.get());
  if (!info) return {};
  wchar_t text[260];
  std::swprintf(text, 260, L"%d.%d.%d.%d", HIWORD(info->dwFileVersionMS), LOWORD(info->dwFileVersionMS),
                HIWORD(info->dwFileVersionLS), LOWORD(info->dwFileVersionLS));
  return text;
}

uint64_t GetFileVersionNumber(const wchar_t* path) {
  const VersionApi* api = GetVersionApi();
  if (!path || !*path || !api) return 0;
  auto block = std::make_unique<unsigned char[]>(kNumberBufferSize);
  if (!api->info(path, 0, kNumberBufferSize, block.get())) return 0;
  // The call copies a partial block when the real one is larger; its own length field
  // tells, and a block that did not fit counts as none.
  WORD block_length = 0;
  std::memcpy(&block_length, block.get(), sizeof(block_length));
  if (block_length > kNumberBufferSize) return 0;
  const VS_FIXEDFILEINFO* info = QueryFixedInfo(*api, block.get());
  return info ? ToNumber(*info) : 0;
}

uint64_t GetSelfVersionNumber(HMODULE module) {
  const VersionApi* api = GetVersionApi();
  const std::span<const unsigned char> block = FindResourceBytes(module, RT_VERSION, MAKEINTRESOURCEW(1));
  if (!api || !block.data() || block.size() < sizeof(VS_FIXEDFILEINFO)) return 0;
  // VerQueryValueW may write into the block it is given; resources are read-only, so it
  // gets a private copy.
  auto copy = std::make_unique<unsigned char[]>(block.size());
  std::memcpy(copy.get(), block.data(), block.size());
  const VS_FIXEDFILEINFO* info = QueryFixedInfo(*api, copy.get());
  return info ? ToNumber(*info) : 0;
}

}  // namespace vireo
