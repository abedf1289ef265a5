#include "archive/archive_plugin.h"

#include <string>
#include <utility>

#include "archive/module_resource.h"
#include "support/scoped_handle.h"
#include "support/system_library.h"
#include "support/temp_file.h"

namespace vireo {
namespace {

// Plain globals: the module is loaded and used from the install worker thread only.
std::wstring g_module_path;
ScopedModule g_module;
CreateObjectFunc g_create = nullptr;

CreateObjectFunc ResolveCreateObject(HMODULE module) {
  // GetProcAddress hands back a generic FARPROC; the export's real type is CreateObjectFunc.
  return reinterpret_cast<CreateObjectFunc>(reinterpret_cast<void*>(::GetProcAddress(module, "CreateObject")));
}

void DeleteModuleFile() {
  if (!g_module_path.empty()) ::DeleteFileW(g_module_path.c_str());
  g_module_path.clear();
}

}  // namespace

bool LoadArchivePlugin(HMODULE module, const wchar_t* type, const wchar_t* name) {
  if (g_create) return true;
  g_module_path = MakeTempFilePath(kArchiveTempPrefix);
  if (g_module_path.empty()) return false;
  ScopedModule loaded;
  if (WriteModuleResource(module, g_module_path.c_str(), type, name)) loaded.reset(LoadModuleByFullPath(g_module_path));
  CreateObjectFunc create = loaded ? ResolveCreateObject(loaded.get()) : nullptr;
  if (!create) {
    loaded.reset();
    DeleteModuleFile();
    return false;
  }
  g_module = std::move(loaded);
  g_create = create;
  return true;
}

void UnloadArchivePlugin() {
  g_create = nullptr;
  g_module.reset();
  DeleteModuleFile();
}

CreateObjectFunc GetArchiveCreateEntry() { return g_create; }

const wchar_t* GetArchiveModulePath() { return g_create ? g_module_path.c_str() : L""; }

}  // namespace vireo
