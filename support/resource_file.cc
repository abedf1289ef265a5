#include "support/resource_file.h"

#include "support/scoped_handle.h"

namespace vireo {

std::span<const unsigned char> FindResourceBytes(HMODULE module, const wchar_t* type, const wchar_t* name) {
  if (!module || !type || !name) return {};
  HRSRC info = ::FindResourceW(module, name, type);
  // Resources of a mapped image need neither unlocking nor freeing.
  HGLOBAL loaded = info ? ::LoadResource(module, info) : nullptr;
  const void* data = loaded ? ::LockResource(loaded) : nullptr;
  if (!data) return {};
  return {static_cast<const unsigned char*>(data), ::SizeofResource(module, info)};
}

bool WriteBytesToFile(const wchar_t* file, std::span<const unsigned char> bytes) {
  if (!file) return false;
  ScopedFile out(::CreateFileW(file, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!out) return false;
  const DWORD size = static_cast<DWORD>(bytes.size());
  DWORD written = 0;
  // A short write would leave a truncated module or package that only fails later, far
  // from its cause; count it as the failure it is.
  return ::WriteFile(out.get(), bytes.data(), size, &written, nullptr) && written == size;
}

bool ExtractResourceToFile(HMODULE module, const wchar_t* file, const wchar_t* type, const wchar_t* name) {
  const std::span<const unsigned char> bytes = FindResourceBytes(module, type, name);
  return bytes.data() && file && WriteBytesToFile(file, bytes);
}

}  // namespace vireo
