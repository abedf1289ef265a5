#include "installer/install_options.h"

namespace vireo {

CInstallOptions& CInstallOptions::Get() {
  static CInstallOptions instance;
  return instance;
}

void CInstallOptions::Load() {}

}  // namespace vireo
