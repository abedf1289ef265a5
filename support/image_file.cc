#include "support/image_file.h"

#include <cstring>
#include <vector>

#include "support/module_instance.h"

namespace vireo {
namespace {

constexpr size_t kComparedBytes = 4096;

bool ReadFileAt(HANDLE file, UINT64 offset, void* data, DWORD size) {
  OVERLAPPED at = {};
  at.Offset = static_cast<DWORD>(offset);
  at.OffsetHigh = static_cast<DWORD>(offset >> 32);
  DWORD read = 0;
  return ::ReadFile(file, data, size, &read, &at) && read == size;
}

bool SameBytesAt(HANDLE file, UINT64 offset, std::span<const unsigned char> expected) {
  std::vector<unsigned char> found(expected.size());
  return ReadFileAt(file, offset, found.data(), static_cast<DWORD>(found.size())) &&
         std::memcmp(found.data(), expected.data(), found.size()) == 0;
}

}  // namespace

bool FindImageFileOffset(HMODULE module, std::span<const unsigned char> bytes, UINT64* offset) {
  // The low bits mark a data-file mapping, whose layout is the file's, not the loader's.
  const auto base = reinterpret_cast<const unsigned char*>(module);
  if (!base || (reinterpret_cast<ULONG_PTR>(module) & 3) != 0 || !offset || bytes.empty()) return false;
  if (bytes.data() < base) return false;
  // The headers are the loaded image's own, checked by the loader when it mapped them.
  const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
  const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
  const UINT64 first = static_cast<UINT64>(bytes.data() - base);
  const UINT64 end = first + bytes.size();
  const IMAGE_SECTION_HEADER* section = IMAGE_FIRST_SECTION(nt);
  for (WORD i = 0; i < nt->FileHeader.NumberOfSections; ++i, ++section) {
    const UINT64 start = section->VirtualAddress;
    if (first < start || end > start + section->SizeOfRawData) continue;
    *offset = section->PointerToRawData + (first - start);
    return true;
  }
  return false;
}

ScopedFile OpenImageFileAt(std::span<const unsigned char> bytes, UINT64* offset) {
  if (!FindImageFileOffset(::GetModuleHandleW(nullptr), bytes, offset)) return ScopedFile();
  const std::wstring path = GetFullSelfExePath();
  if (path.empty()) return ScopedFile();
  // Deleting or renaming the running program stays possible, as the loader allows it.
  ScopedFile file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return ScopedFile();
  const size_t compared = bytes.size() < kComparedBytes ? bytes.size() : kComparedBytes;
  const UINT64 tail = bytes.size() - compared;
  if (!SameBytesAt(file.get(), *offset, bytes.first(compared)) ||
      !SameBytesAt(file.get(), *offset + tail, bytes.last(compared))) {
    return ScopedFile();
  }
  return file;
}

}  // namespace vireo
