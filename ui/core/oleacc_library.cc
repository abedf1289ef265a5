#include "ui/core/oleacc_library.h"

#include <optional>

#include "support/scoped_handle.h"

namespace ui {
namespace {

struct LoadedOleacc {
  vireo::ScopedModule module;
  OleaccEntries entries;
};

std::wstring& LibraryName() {
  static std::wstring name = kOleaccLibrary;
  return name;
}

std::optional<LoadedOleacc>& Loaded() {
  static std::optional<LoadedOleacc> loaded;
  return loaded;
}

bool g_tried = false;

template <typename Fn>
void Find(HMODULE module, const char* name, Fn* entry) {
  *entry = reinterpret_cast<Fn>(reinterpret_cast<void*>(::GetProcAddress(module, name)));
}

std::optional<LoadedOleacc> Load() {
  wchar_t system[MAX_PATH] = {};
  const UINT length = ::GetSystemDirectoryW(system, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return std::nullopt;
  const std::wstring path = std::wstring(system) + L"\\" + LibraryName();
  vireo::ScopedModule module(::LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32));
  // Systems without the restricted search refuse the flag; the full path is enough there.
  if (!module.valid() && ::GetLastError() == ERROR_INVALID_PARAMETER) {
    module.reset(::LoadLibraryExW(path.c_str(), nullptr, 0));
  }
  if (!module.valid()) return std::nullopt;
  LoadedOleacc loaded;
  Find(module.get(), "LresultFromObject", &loaded.entries.lresult_from_object);
  Find(module.get(), "CreateStdAccessibleObject", &loaded.entries.create_std_accessible_object);
  if (loaded.entries.lresult_from_object == nullptr) return std::nullopt;
  loaded.module = std::move(module);
  return loaded;
}

}  // namespace

const OleaccEntries* GetOleacc() {
  if (!g_tried) {
    g_tried = true;
    Loaded() = Load();
  }
  return Loaded() ? &Loaded()->entries : nullptr;
}

void SetOleaccLibraryForTesting(const std::wstring& file_name) {
  LibraryName() = file_name.empty() ? std::wstring(kOleaccLibrary) : file_name;
  Loaded().reset();
  g_tried = false;
}

}  // namespace ui
