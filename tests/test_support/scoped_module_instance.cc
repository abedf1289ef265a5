#include "tests/test_support/scoped_module_instance.h"

#include <windows.h>

#include "support/module_instance.h"

namespace vireo::test {

ScopedModuleInstance::ScopedModuleInstance(const std::wstring& path)
    : module_(::LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE)) {
  if (module_) SetModuleInstance(module_.get());
}

ScopedModuleInstance::~ScopedModuleInstance() {
  if (module_) SetModuleInstance(nullptr);
}

}  // namespace vireo::test
