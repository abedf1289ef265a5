#include "support/resource_file.h"

#include "support/scoped_handle.h"

namespace vireo {

bool ExtractResourceToFile(HMODULE module, const wchar_t* file, const wchar_t* type, const wchar_t* name) {
  if (!module || !file || !type || !name) return false;
  HRSRC info = ::FindResourceW(module, name, type);
  if (!info) return false;
  HGLOBAL loaded = ::LoadResource(module, info);
  if (!loaded) return false;
  const void* data = ::LockResource(loaded);
  const DWORD size = ::SizeofResource(module, info);
  bool ok = false;
  if (data) {
    ScopedFile out(::CreateFileW(file, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (out) {
      DWORD written = 0;
      // A short write would leave a truncated module or package that only fails later,
      // far from its cause; count it as the failure it is.
      ok = ::WriteFile(out.get(), data, size, &written, nullptr) && written == size;
    }
  }
  // Resources of a mapped image need no freeing; the call is kept for symmetry with
  // LoadResource and is a no-op on every supported system.
  ::FreeResource(loaded);
  return ok;
}

}  // namespace vireo
