#include "installer/uninstaller_origin.h"

#include <gtest/gtest.h>

namespace vireo {
namespace {

// Only "<app>\<four numbers>\Installer\<file>" names an installation.
TEST(UninstallerOrigin, TheApplicationFolderLiesAboveTheVersionFolder) {
  struct Case {
    const wchar_t* path;
    const wchar_t* app;
  };
  const Case cases[] = {
      {L"C:\\u\\Vireo\\Application\\1.0.0.1\\Installer\\uninstaller.exe", L"C:\\u\\Vireo\\Application"},
      {L"D:\\Portable\\12.0.6099.71\\installer\\setup.exe", L"D:\\Portable"},
      {L"C:\\u\\Vireo\\Application\\1.0.0\\Installer\\uninstaller.exe", L""},
      {L"C:\\u\\Vireo\\Application\\1.0.0.1.2\\Installer\\uninstaller.exe", L""},
      {L"C:\\u\\Vireo\\Application\\1..0.1\\Installer\\uninstaller.exe", L""},
      {L"C:\\u\\Vireo\\Application\\1.0.0.1\\Tools\\uninstaller.exe", L""},
      {L"C:\\Users\\me\\Downloads\\uninstaller.exe", L""},
      {L"1.0.0.1\\Installer\\uninstaller.exe", L""},
      {L"", L""},
  };
  for (const Case& c : cases) EXPECT_EQ(AppDirOfUninstaller(c.path), c.app) << c.path;
}

}  // namespace
}  // namespace vireo
