#include "tests/e2e/installation_image.h"

#include <windows.h>

#include "installer/product_constants.h"
#include "support/scoped_handle.h"
#include "tests/e2e/user_profile.h"
#include "tests/test_support/file_io.h"

namespace vireo::test {
namespace {

void AddTree(const std::wstring& root, const std::wstring& relative, InstallationImage* image) {
  WIN32_FIND_DATAW data;
  const std::wstring folder = relative.empty() ? root : root + L"\\" + relative;
  const ScopedFindHandle find(::FindFirstFileW((folder + L"\\*").c_str(), &data));
  if (!find) return;
  do {
    const std::wstring name = data.cFileName;
    if (name == L"." || name == L"..") continue;
    const std::wstring child = relative.empty() ? name : relative + L"\\" + name;
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      image->files[child] = "<dir>";
      AddTree(root, child, image);
    } else {
      image->files[child] = ReadFileBytes(root + L"\\" + child);
    }
  } while (::FindNextFileW(find.get(), &data));
}

template <typename Map>
void AddDifferences(const Map& before, const Map& after, std::wstring* out) {
  for (const auto& [name, value] : before) {
    const auto it = after.find(name);
    if (it == after.end()) {
      *out += L"gone: " + name + L"\n";
    } else if (!(it->second == value)) {
      *out += L"changed: " + name + L"\n";
    }
  }
  for (const auto& entry : after) {
    if (!before.count(entry.first)) *out += L"new: " + entry.first + L"\n";
  }
}

}  // namespace

InstallationImage TakeInstallationImage() {
  const UserProfilePaths paths = GetUserProfilePaths();
  InstallationImage image;
  AddTree(paths.product_root, L"", &image);
  for (const std::wstring* link : {&paths.start_menu_link, &paths.desktop_link}) {
    if (PathExists(*link)) image.files[*link] = ReadFileBytes(*link);
  }
  for (const wchar_t* key : {kProductRegKey, kAppPathsRegKey, kUninstallRegKey}) {
    const RegistryKeySnapshot snapshot = RegistryKeySnapshot::Capture(HKEY_CURRENT_USER, key);
    if (snapshot.existed()) image.keys[key] = snapshot.key();
  }
  return image;
}

std::wstring DifferencesBetween(const InstallationImage& before, const InstallationImage& after) {
  std::wstring out;
  AddDifferences(before.files, after.files, &out);
  AddDifferences(before.keys, after.keys, &out);
  return out;
}

}  // namespace vireo::test
