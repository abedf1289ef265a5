// Everything of an installation a failed run must leave exactly as it was: every file below
// the product folder (bytes), both links (bytes) and the product's registry keys (every
// value and sub-key), taken as one comparable image.
#pragma once

#include <map>
#include <string>

#include "support/registry_snapshot.h"

namespace vireo::test {

struct InstallationImage {
  // Path (relative to the product folder, or the link's full path) -> bytes; folders map
  // to "<dir>" so that empty ones count too.
  std::map<std::wstring, std::string> files;
  std::map<std::wstring, RegistryKeySnapshot::Key> keys;  // missing keys are left out
};

InstallationImage TakeInstallationImage();

// Empty when both images are equal; otherwise the names that differ, one per line.
std::wstring DifferencesBetween(const InstallationImage& before, const InstallationImage& after);

}  // namespace vireo::test
