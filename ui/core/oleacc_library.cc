#include "ui/core/oleacc_library.h"

#include <memory>
#include <optional>

#include "support/system_library.h"

namespace ui {
namespace {

struct LoadedOleacc {
  std::unique_ptr<vireo::SystemLibrary> library;
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

std::optional<LoadedOleacc> Load() {
  auto library = std::make_unique<vireo::SystemLibrary>(LibraryName().c_str());
  LoadedOleacc loaded;
  library->Resolve("LresultFromObject", &loaded.entries.lresult_from_object);
  library->Resolve("CreateStdAccessibleObject", &loaded.entries.create_std_accessible_object);
  if (loaded.entries.lresult_from_object == nullptr) return std::nullopt;
  loaded.library = std::move(library);
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
