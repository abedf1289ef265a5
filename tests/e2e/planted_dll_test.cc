// A downloaded installer runs from a folder that any web page can drop files into. Files
// named like the libraries the program loads at run time, planted beside the installer and
// in the current folder, must never be loaded, even with Wine told to prefer such files over
// its own as Windows does; the window, the usage report and the install work as usual. (The
// installer is the test build, whose report goes to the test's loopback server.) The same
// holds for the uninstaller and the private copy it runs from.
#include <windows.h>

#include <gtest/gtest.h>

#include <iostream>
#include <string>
#include <vector>

#include "installer/installer_strings.h"
#include "installer/product_constants.h"
#include "support/scoped_handle.h"
#include "support/string_util.h"
#include "tests/e2e/install_window_pages.h"
#include "tests/e2e/installer_process.h"
#include "tests/e2e/user_profile.h"
#include "tests/e2e/window_driver.h"
#include "tests/test_support/file_io.h"
#include "tests/test_support/loopback_http_server.h"
#include "tests/test_support/process_runner.h"
#include "tests/test_support/registry_readback.h"
#include "tests/test_support/scoped_env.h"
#include "tests/test_support/scoped_temp_dir.h"
#include "tests/test_support/test_paths.h"

namespace vireo::test {
namespace {

using namespace install_window;

constexpr unsigned kWindowLimitMs = 15000;
constexpr unsigned kInstallLimitMs = 90000;

// The names planted, comma-separated, as the build gives them to Wine (tests/e2e/CMakeLists.txt):
// for these Wine prefers a file found on the search path over its own library.
std::vector<std::wstring> PlantedNames() {
  wchar_t list[1024] = {};
  const DWORD length = ::GetEnvironmentVariableW(L"VIREO_WINE_NATIVE_FIRST", list, 1024);
  std::vector<std::wstring> names;
  if (length == 0 || length >= 1024) return names;
  std::wstring rest(list, length);
  for (size_t comma; (comma = rest.find(L',')) != std::wstring::npos; rest.erase(0, comma + 1)) {
    names.push_back(rest.substr(0, comma));
  }
  names.push_back(rest);
  return names;
}

void Plant(const std::vector<std::wstring>& names, const std::wstring& folder) {
  for (const std::wstring& name : names) {
    const std::wstring to = folder + L"\\" + name + L".dll";
    ASSERT_TRUE(::CopyFileW(BuildPath("fixtures/planted_dll.dll").c_str(), to.c_str(), FALSE));
  }
}

bool InSystemFolder(const std::wstring& path) {
  wchar_t system[MAX_PATH] = {};
  const UINT length = ::GetSystemDirectoryW(system, MAX_PATH);
  return length > 0 && path.size() > length && path[length] == L'\\' &&
         ::CompareStringOrdinal(path.c_str(), static_cast<int>(length), system, static_cast<int>(length), TRUE) ==
             CSTR_EQUAL;
}

// Whether a marker's planted DLL was loaded only because a library of System32 imports it.
// Wine's own user32 imports version.dll and finds it beside the exe; Windows' user32 imports
// no such library. Loads by a call or through the exe's own imports are the installer's.
bool LoadedForSystemLibrary(const std::wstring& marker) {
  const std::string bytes = ReadFileBytes(marker);
  std::wstring importers(reinterpret_cast<const wchar_t*>(bytes.data()), bytes.size() / sizeof(wchar_t));
  if (importers.empty()) return false;
  for (size_t end; (end = importers.find(L'\n')) != std::wstring::npos; importers.erase(0, end + 1)) {
    if (!InSystemFolder(importers.substr(0, end))) return false;
  }
  return true;
}

// The markers of loads into |exe_name| ("<dll>@<exe_name>") that the program caused; *all
// gets every marker.
std::vector<std::wstring> ProgramMarkers(const std::wstring& folder, const std::wstring& exe_name, std::wstring* all) {
  std::vector<std::wstring> ours;
  WIN32_FIND_DATAW found;
  const ScopedFindHandle find(::FindFirstFileW((folder + L"\\*@*").c_str(), &found));
  if (!find) return ours;
  do {
    const std::wstring name = found.cFileName;
    const bool system_import = LoadedForSystemLibrary(folder + L"\\" + name);
    *all += name + (system_import ? L" (imported by a System32 library) " : L" ");
    if (name.ends_with(L"@" + exe_name) && !system_import) ours.push_back(name);
  } while (::FindNextFileW(find.get(), &found));
  return ours;
}

void ExpectNoPlantedLoads(const std::wstring& markers, const std::wstring& exe_name) {
  std::wstring all;
  EXPECT_TRUE(ProgramMarkers(markers, exe_name, &all).empty()) << "planted DLLs loaded: " << testing::PrintToString(all);
  std::cout << "markers: " << WideToUtf8(all) << "\n";
}

// The window comes up painted, the usage report arrives, the install button installs and
// the completion view closes the window with 0.
void InstallThroughTheWindow(const Child& installer, LoopbackHttpServer& server) {
  const HWND window = WaitForProcessWindow(installer.pid, kInstallWindowTitle, nullptr, kWindowLimitMs);
  ASSERT_TRUE(window) << "no install window";
  EXPECT_TRUE(WaitFor([&] { return StartPageShows(window); }, kWindowLimitMs)) << "the start page was not painted";
  EXPECT_EQ(server.WaitForRequest(10000).rfind("GET /i?events=", 0), 0u) << "no usage report arrived";
  ASSERT_TRUE(WaitFor([&] { return ::GetForegroundWindow() == window; }, kWindowLimitMs));
  MouseClick(ScreenPoint(window, kInstallButton.x, kInstallButton.y));
  EXPECT_TRUE(WaitFor([&] { return CompletionShows(window); }, kInstallLimitMs)) << "the install did not complete";
  MouseClick(ScreenPoint(window, kCompleteButton.x, kCompleteButton.y));
  EXPECT_EQ(WaitExitCode(installer, 10000), 0u);
}

TEST(PlantedDllTest, NoneIsLoadedAndWindowReportAndInstallStillWork) {
  const std::vector<std::wstring> names = PlantedNames();
  ASSERT_GE(names.size(), 2u) << "run through CTest, which names the DLLs Wine is to prefer";
  EXPECT_EQ(names[0], L"version");
  EXPECT_EQ(names[1], L"wininet");
  CleanUserProfile();
  ScopedTempDir downloads;
  ScopedTempDir current;
  ScopedTempDir markers;
  Plant(names, downloads.path());
  Plant(names, current.path());
  ASSERT_FALSE(HasFatalFailure());
  LoopbackHttpServer server(LoopbackHttpServer::Mode::kAnswer200);
  ASSERT_TRUE(server.Start());
  const std::wstring endpoint = L"http://127.0.0.1:" + std::to_wstring(server.port()) + L"/i";
  const ScopedEnvVar marker_folder(L"VIREO_PLANTED_MARKERS", markers.path().c_str());
  const ScopedEnvVar report_to(L"VIREO_TEST_USAGE_ENDPOINT", endpoint.c_str());
  ASSERT_TRUE(marker_folder.ok() && report_to.ok());

  // The planted file leaves its marker when it is loaded: the check below can see a load.
  const std::wstring probe = downloads.Join(L"probe.dll");
  ASSERT_TRUE(::CopyFileW(BuildPath("fixtures/planted_dll.dll").c_str(), probe.c_str(), FALSE));
  HMODULE loaded = ::LoadLibraryW(probe.c_str());
  ASSERT_NE(loaded, nullptr);
  ::FreeLibrary(loaded);
  ASSERT_TRUE(PathExists(markers.Join(L"probe.dll@e2e_planted_dll_tests.exe")));

  const std::wstring copy = downloads.Join(L"vireo_setup.exe");
  ASSERT_TRUE(::CopyFileW(BuildPath("installers/setup_hold/vireo_setup.exe").c_str(), copy.c_str(), FALSE));
  Child installer = StartChild(L"\"" + copy + L"\"", current.path().c_str());
  ASSERT_TRUE(installer.valid());
  InstallThroughTheWindow(installer, server);
  EndChild(installer);
  EXPECT_TRUE(PathExists(GetUserProfilePaths().app_dir + L"\\vireo.exe"));
  // Read from the installed browser's version resource: the system's version library worked.
  EXPECT_EQ(ReadRegString(kUninstallRegKey, L"DisplayVersion"), L"" VIREO_TEST_FILE_VERSION);

  ExpectNoPlantedLoads(markers.path(), L"vireo_setup.exe");
  CleanUserProfile();
}

// The uninstaller, run silently through its registered command, hands its run to a private
// copy in a fresh folder of the temporary folder. Neither the installed uninstaller, beside
// which files are planted, nor its copy loads a planted file from the temporary folder or
// the current folder.
TEST(PlantedDllTest, UninstallerAndItsPrivateCopyLoadNone) {
  const std::vector<std::wstring> names = PlantedNames();
  ASSERT_FALSE(names.empty()) << "run through CTest, which names the DLLs Wine is to prefer";
  CleanUserProfile();
  ScopedTempDir work;
  const InstallerRun install = RunInstallerCopy(BuiltInstaller("vireo_setup"), work.path(), L"--silent");
  ASSERT_EQ(install.exit_code, 0) << testing::PrintToString(install.log);
  const std::wstring command = ReadRegString(kUninstallRegKey, L"UninstallString");
  ASSERT_EQ(command.rfind(L"\"", 0), 0u) << testing::PrintToString(command);
  const std::wstring exe = command.substr(1, command.find(L'"', 1) - 1);
  ASSERT_TRUE(PathExists(exe)) << testing::PrintToString(exe);

  ScopedTempDir temp;
  ScopedTempDir current;
  ScopedTempDir markers;
  Plant(names, exe.substr(0, exe.rfind(L'\\')));
  Plant(names, temp.path());
  Plant(names, current.path());
  ASSERT_FALSE(HasFatalFailure());
  const ScopedTempFolderEnv temp_env(temp.path());
  const ScopedEnvVar marker_folder(L"VIREO_PLANTED_MARKERS", markers.path().c_str());
  ASSERT_TRUE(temp_env.ok() && marker_folder.ok());

  Child started = StartChild(command + L" --silent", current.path().c_str());
  ASSERT_TRUE(started.valid());
  EXPECT_EQ(WaitExitCode(started, kWindowLimitMs), 0u);
  EXPECT_TRUE(WaitFor([&] { return !RegKeyExists(kUninstallRegKey) && !PathExists(GetUserProfilePaths().app_dir); },
                      kInstallLimitMs)) << "the uninstall did not finish";
  // The copy's file goes once the copy has ended.
  EXPECT_TRUE(WaitFor([&] {
    for (const std::wstring& name : ListFolder(temp.path())) {
      if (name.rfind(kUninstallerTempPrefix, 0) == 0 && PathExists(temp.Join(name) + L"\\" + kUninstallerFileName)) {
        return false;
      }
    }
    return true;
  }, kWindowLimitMs)) << "the copy did not end";
  ExpectNoPlantedLoads(markers.path(), kUninstallerFileName);
  CleanUserProfile();
}

}  // namespace
}  // namespace vireo::test
