#include "installer/uninstaller_origin.h"

#include <windows.h>

#include "installer/product_constants.h"
#include "support/fixed_path.h"
#include "support/module_instance.h"
#include "support/resource_file.h"
#include "support/string_util.h"

namespace vireo {
namespace {

bool IsVersionName(std::wstring_view name) {
  int parts = 0;
  size_t digits = 0;
  for (const wchar_t c : name) {
    if (c >= L'0' && c <= L'9') {
      ++digits;
    } else if (c == L'.' && digits > 0) {
      ++parts;
      digits = 0;
    } else {
      return false;
    }
  }
  return parts == 3 && digits > 0;
}

}  // namespace

std::wstring AppDirOfUninstaller(std::wstring_view exe_path) {
  const std::wstring_view installer = ParentPart(exe_path);
  const std::wstring_view version = ParentPart(installer);
  const std::wstring_view app = ParentPart(version);
  if (FileNamePart(exe_path).empty() || app.empty() ||
      !EqualsIgnoreAsciiCase(FileNamePart(installer), kInstallerFolderName) ||
      !IsVersionName(FileNamePart(version)) || FileNamePart(app).empty()) {
    return std::wstring();
  }
  return std::wstring(app);
}

bool CarriesPackage() {
  return FindResourceBytes(GetModuleInstance(), L"PACKAGE", L"IDR_ZIP_PACKAGE").data() != nullptr;
}

std::wstring OwnProgramPath() {
  wchar_t path[kPathCapacity];
  const DWORD n = ::GetModuleFileNameW(GetModuleInstance(), path, kPathCapacity);
  if (n == 0 || n >= kPathCapacity) return std::wstring();
  return std::wstring(path, n);
}

}  // namespace vireo
