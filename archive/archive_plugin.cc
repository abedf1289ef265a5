#include "archive/archive_plugin.h"

#include "support/fixed_path.h"
#include "support/resource_file.h"

namespace vireo {
namespace {

// Plain globals: the module is loaded and used from the install worker thread only.
FixedPath g_module_path;
HMODULE g_module = nullptr;
CreateObjectFunc g_create = nullptr;
bool g_loaded = false;

CreateObjectFunc ResolveCreateObject(HMODULE module) {
  // GetProcAddress hands back a generic FARPROC; the export's real type is CreateObjectFunc.
  return reinterpret_cast<CreateObjectFunc>(reinterpret_cast<void*>(::GetProcAddress(module, "CreateObject")));
}

}  // namespace

bool LoadArchivePlugin(HMODULE module, const wchar_t* type, const wchar_t* name) {
  if (g_loaded && g_create) return true;
  wchar_t temp[MAX_PATH];
  const DWORD len = ::GetTempPathW(MAX_PATH, temp);
  if (len == 0 || len >= MAX_PATH) return false;
  // A temporary folder too long for the module name is refused rather than truncated into
  // some other file name.
  FixedPath path;
  if (!path.Assign(std::wstring_view(temp, len)) || !path.Concat(L"7z.dll")) return false;
  g_module_path = path;
  if (!ExtractResourceToFile(module, g_module_path.c_str(), type, name)) return false;
  HMODULE loaded = ::LoadLibraryW(g_module_path.c_str());
  if (!loaded) return false;
  CreateObjectFunc create = ResolveCreateObject(loaded);
  if (!create) {
    ::FreeLibrary(loaded);
    return false;
  }
  g_module = loaded;
  g_create = create;
  g_loaded = true;
  return true;
}

void UnloadArchivePlugin() {
  g_create = nullptr;
  if (g_module) ::FreeLibrary(g_module);
  g_module = nullptr;
  g_loaded = false;
}

CreateObjectFunc GetArchiveCreateEntry() { return g_create; }

CreateObjectFunc LoadArchivePluginByBareName() {
  if (g_create) return g_create;
  if (!g_module) g_module = ::LoadLibraryW(L"7z.dll");
  if (!g_module) return nullptr;
  g_create = ResolveCreateObject(g_module);
  if (!g_create) {
    ::FreeLibrary(g_module);
    g_module = nullptr;
    return nullptr;
  }
  g_loaded = true;
  return g_create;
}

}  // namespace vireo
