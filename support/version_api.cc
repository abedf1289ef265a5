#include "support/version_api.h"

#include "support/system_library.h"

namespace vireo {

const VersionApi* GetVersionApi() {
  static const SystemLibrary* const library = new SystemLibrary(L"version.dll");  // kept for the run
  static const VersionApi api = [] {
    VersionApi a;
    const bool complete = library->Resolve("GetFileVersionInfoSizeW", &a.info_size) &&
                          library->Resolve("GetFileVersionInfoW", &a.info) &&
                          library->Resolve("VerQueryValueW", &a.query_value);
    return complete ? a : VersionApi{};
  }();
  return api.query_value ? &api : nullptr;
}

}  // namespace vireo
