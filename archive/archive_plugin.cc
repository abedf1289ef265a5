#include "archive/archive_plugin.h"

#include <utility>

#include "support/fixed_path.h"
#include "support/resource_file.h"
#include "support/scoped_handle.h"

namespace vireo {
namespace {

// Plain globals: the module is loaded and used from the install worker thread only.
FixedPath g_module_path;
ScopedModule g_module;
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
  ScopedModule loaded(::LoadLibraryW(g_module_path.c_str()));
  if (!loaded) return false;
  CreateObjectFunc create = ResolveCreateObject(loaded.get());
  if (!create) return false;  // the module is freed again
  g_module = std::move(loaded);
  g_create = create;
  g_loaded = true;
  return true;
}

void UnloadArchivePlugin() {
  g_create = nullptr;
  g_module.reset();
  g_loaded = false;
}

CreateObjectFunc GetArchiveCreateEntry() { return g_create; }

CreateObjectFunc LoadArchivePluginByBareName() {
  if (g_create) return g_create;
  if (!g_module) g_module.reset(::LoadLibraryW(L"7z.dll"));
  if (!g_module) return nullptr;
  g_create = ResolveCreateObject(g_module.get());
  if (!g_create) {
    g_module.reset();
    return nullptr;
  }
  g_loaded = true;
  return g_create;
}

}  // namespace vireo
