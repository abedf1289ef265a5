// Makes another image the installer's module for a test: loaded as a data file, handed to
// SetModuleInstance so every resource lookup reads it, and unloaded (with the module handle
// reset to the running executable) when the guard goes.
#pragma once

#include <string>

#include "support/scoped_handle.h"

namespace vireo::test {

class ScopedModuleInstance {
 public:
  // |path| is a Windows path (see BuildPath); ok() is false when it cannot be loaded.
  explicit ScopedModuleInstance(const std::wstring& path);
  ~ScopedModuleInstance();
  ScopedModuleInstance(const ScopedModuleInstance&) = delete;
  ScopedModuleInstance& operator=(const ScopedModuleInstance&) = delete;

  bool ok() const { return module_.valid(); }

 private:
  ScopedModule module_;
};

}  // namespace vireo::test
