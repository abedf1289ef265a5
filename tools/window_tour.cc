// Runs the built installer's window as a user would and reports what it looked like and how
// fast and big it was; used by tools/screenshots.sh and tools/bench_window.sh (not a test).
//
//   window_tour shots <vireo_setup.exe> <folder> [suffix]
//       saves start<suffix>.bmp, progress<suffix>.bmp and complete<suffix>.bmp of one window
//       install into <folder> (the progress page as soon as it shows), at whatever DPI the
//       session has, then closes with "完成".
//   window_tour failure-shots <damaged vireo_setup.exe> <folder> <suffix>
//       starts the install of an installer whose package is damaged and saves the window as
//       failure<suffix>.bmp and its error box as failure_box<suffix>.bmp, then closes the box.
//   window_tour uninstall-shots <vireo_setup.exe> <folder> <suffix>
//       installs silently, gives the browser a few thousand files of browsing data, then
//       runs the registered uninstall entry and saves uninstall_start<suffix>.bmp, ticks
//       the check box for the browsing data (whose deletion keeps the progress page up long
//       enough to be seen), saves uninstall_progress<suffix>.bmp and
//       uninstall_complete<suffix>.bmp of its window, at whatever DPI the session has, then
//       closes with "完成".
//   window_tour bench <vireo_setup.exe> <demo_browser.exe> <7z.exe> <chrome.7z> <folder>
//       prints, in one run: the time from process start to the first painted window for the
//       installer and for the demo browser, the installer's peak working set over a window
//       install, and 7-Zip's peak working set extracting the same program archive.
//   window_tour starts <vireo_setup.exe> <runs>
//       starts the window <runs> times in a row, each required to paint its start page within
//       10 s, prints each run that did not and the count; exits 0 only when all painted.
//   window_tour paints <vireo_setup.exe> <runs>
//       prints only the time to the first painted window, once per run (each run ended at
//       once): for comparing two builds of the installer.
#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <functional>
#include <string>

#include "installer/installer_strings.h"
#include "installer/product_constants.h"
#include "installer/ui/ui_frame.h"
#include "support/scoped_handle.h"
#include "tests/e2e/install_window_pages.h"
#include "tests/e2e/uninstall_window_pages.h"
#include "tests/e2e/repeated_start.h"
#include "tests/e2e/window_driver.h"
#include "tests/test_support/process_runner.h"

namespace {

using vireo::test::Child;
using vireo::test::WindowShot;

using namespace vireo::test::install_window;  // the skin's points and colours

constexpr unsigned kLimitMs = 60000;

// The whole window as a BMP file.
bool SaveBmp(const WindowShot& shot, const std::wstring& path) {
  return vireo::test::SaveShot(shot, RECT{0, 0, shot.width(), shot.height()}, 1, path);
}

// Any colour but black: a window without a background brush shows black until painted.
bool Painted(HWND window, POINT at) {
  const uint32_t c = WindowShot(window).At(at.x, at.y);
  return c != 0 && c != 0xFFFFFFFF;
}

SIZE_T PeakWorkingSet(HANDLE process) {
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof(counters);
  return ::GetProcessMemoryInfo(process, &counters, sizeof(counters)) ? counters.PeakWorkingSetSize : 0;
}

// Samples the peak working set every 20 ms until |done| holds (or the limit passes).
SIZE_T WatchPeak(HANDLE process, const std::function<bool()>& done) {
  SIZE_T peak = 0;
  vireo::test::WaitFor([&] {
    const SIZE_T now = PeakWorkingSet(process);
    if (now > peak) peak = now;
    return done();
  }, kLimitMs);
  return peak;
}

// Milliseconds from CreateProcess to a visible window of the process painted at |probe|.
double TimeToPaintedWindow(const std::wstring& command, const std::wstring& title,
                           const wchar_t* class_name, POINT probe, Child* started, HWND* window) {
  LARGE_INTEGER frequency, t0, t1;
  ::QueryPerformanceFrequency(&frequency);
  ::QueryPerformanceCounter(&t0);
  *started = vireo::test::StartChild(command);
  if (!started->valid()) return -1;
  HWND found = nullptr;
  const bool ok = vireo::test::WaitFor([&] {
    if (!found) found = vireo::test::FindProcessWindow(started->pid, title, class_name);
    return found && Painted(found, probe);
  }, kLimitMs);
  ::QueryPerformanceCounter(&t1);
  *window = found;
  if (!ok) return -1;
  return 1000.0 * static_cast<double>(t1.QuadPart - t0.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// A point of the skin at 100 % as a screen point of |window| at its DPI.
POINT At(HWND window, POINT skin_point) {
  const POINT scaled = Scaled(window, skin_point);
  return vireo::test::ScreenPoint(window, scaled.x, scaled.y);
}

// Starts the window and waits for its start page; null when it did not show.
HWND StartInstallWindow(const std::wstring& installer, Child* setup) {
  *setup = vireo::test::StartChild(L"\"" + installer + L"\"");
  HWND window = vireo::test::WaitForProcessWindow(setup->pid, vireo::kInstallWindowTitle, nullptr, kLimitMs);
  if (!window || !vireo::test::WaitFor([&] { return StartPageShows(window); }, kLimitMs)) return nullptr;
  return window;
}

int Shots(const std::wstring& installer, const std::wstring& folder, const std::wstring& suffix) {
  Child setup;
  HWND window = StartInstallWindow(installer, &setup);
  if (!window) return 2;
  vireo::test::MouseMove(At(window, kNeutralPoint));  // no hover highlight
  SaveBmp(WindowShot(window), folder + L"\\start" + suffix + L".bmp");
  vireo::test::MouseClick(At(window, kInstallButton));
  vireo::test::MouseMove(At(window, kNeutralPoint));
  if (vireo::test::WaitFor([&] { return ProgressPageShows(window); }, kLimitMs)) {
    SaveBmp(WindowShot(window), folder + L"\\progress" + suffix + L".bmp");
  }
  if (!vireo::test::WaitFor([&] { return CompletionShows(window); }, kLimitMs)) {
    SaveBmp(WindowShot(window), folder + L"\\no-completion" + suffix + L".bmp");
    return 3;
  }
  ::Sleep(300);  // the completion view's buttons finish their hover fade-out
  SaveBmp(WindowShot(window), folder + L"\\complete" + suffix + L".bmp");
  vireo::test::MouseClick(At(window, kCompleteButton));
  return static_cast<int>(vireo::test::WaitExitCode(setup, kLimitMs));
}

// An installer whose package is damaged: the window and the error box it shows over it.
int FailureShots(const std::wstring& installer, const std::wstring& folder, const std::wstring& suffix) {
  Child setup;
  HWND window = StartInstallWindow(installer, &setup);
  if (!window) return 2;
  vireo::test::MouseClick(At(window, kInstallButton));
  vireo::test::MouseMove(At(window, kNeutralPoint));
  const HWND box = vireo::test::WaitForProcessWindow(setup.pid, vireo::kInstallWindowTitle, L"#32770", kLimitMs);
  if (!box) return 3;
  ::Sleep(300);  // the box painted
  SaveBmp(WindowShot(window), folder + L"\\failure" + suffix + L".bmp");
  SaveBmp(WindowShot(box), folder + L"\\failure_box" + suffix + L".bmp");
  ::PostMessageW(box, WM_COMMAND, IDOK, 0);
  vireo::test::WaitFor([&] { return !::IsWindow(box); }, kLimitMs);
  vireo::test::MouseClick(At(window, kCloseButton));
  // A failed install ends with 1 once its window is closed.
  return vireo::test::WaitExitCode(setup, kLimitMs) == 1 ? 0 : 4;
}

int Bench(const std::wstring& installer, const std::wstring& browser, const std::wstring& seven_zip,
          const std::wstring& archive, const std::wstring& folder) {
  Child setup;
  HWND window = nullptr;
  const double setup_ms = TimeToPaintedWindow(L"\"" + installer + L"\"", vireo::kInstallWindowTitle, nullptr,
                                              kInstallButtonProbe, &setup, &window);
  if (setup_ms < 0) return 2;
  vireo::test::MouseClick(vireo::test::ScreenPoint(window, kInstallButton.x, kInstallButton.y));
  const SIZE_T setup_peak = WatchPeak(setup.process.get(), [&] { return CompletionShows(window); });
  vireo::test::MouseClick(vireo::test::ScreenPoint(window, kCompleteButton.x, kCompleteButton.y));
  vireo::test::WaitExitCode(setup, kLimitMs);

  Child demo;
  HWND demo_window = nullptr;
  const double demo_ms = TimeToPaintedWindow(L"\"" + browser + L"\" --exit-after=20000", L"Vireo",
                                             L"Chrome_WidgetWin_1", POINT{240, 100}, &demo, &demo_window);
  vireo::test::EndChild(demo);

  Child unpack = vireo::test::StartChild(L"\"" + seven_zip + L"\" x -y -bso0 -bsp0 \"-o" + folder +
                                                   L"\\7z-out\" \"" + archive + L"\"");
  const SIZE_T unpack_peak =
      WatchPeak(unpack.process.get(), [&] { return ::WaitForSingleObject(unpack.process.get(), 0) == WAIT_OBJECT_0; });

  std::printf("installer_first_paint_ms %.0f\ndemo_browser_first_paint_ms %.0f\n", setup_ms, demo_ms);
  std::printf("installer_peak_working_set_kib %zu\nseven_zip_peak_working_set_kib %zu\n", setup_peak / 1024,
              unpack_peak / 1024);
  return demo_ms < 0 ? 3 : 0;
}

// Only the time to the first painted window, |runs| times (each run ended at once): for
// comparing builds of the installer against each other.
int Paints(const std::wstring& installer, int runs) {
  for (int run = 1; run <= runs; ++run) {
    Child setup;
    HWND window = nullptr;
    const double ms = TimeToPaintedWindow(L"\"" + installer + L"\"", vireo::kInstallWindowTitle, nullptr,
                                          kInstallButtonProbe, &setup, &window);
    vireo::test::EndChild(setup);
    std::printf("installer_first_paint_ms %.0f\n", ms);
    std::fflush(stdout);
    if (ms < 0) return 2;
  }
  return 0;
}

std::wstring RegisteredUninstallString() {
  wchar_t value[1024] = L"";
  DWORD bytes = sizeof(value) - sizeof(wchar_t);
  if (::RegGetValueW(HKEY_CURRENT_USER, vireo::kUninstallRegKey, L"UninstallString", RRF_RT_REG_SZ, nullptr, value,
                     &bytes) != ERROR_SUCCESS) {
    return std::wstring();
  }
  return value;
}

// Browsing data whose deletion takes a moment: a profile folder of many small files.
void MakeBrowsingData() {
  wchar_t local[MAX_PATH];
  const DWORD n = ::GetEnvironmentVariableW(L"LOCALAPPDATA", local, MAX_PATH);
  if (n == 0 || n >= MAX_PATH) return;
  std::wstring folder = std::wstring(local) + L"\\Vireo\\User Data";
  ::CreateDirectoryW(folder.c_str(), nullptr);
  folder += L"\\Default";
  ::CreateDirectoryW(folder.c_str(), nullptr);
  for (int i = 0; i < 4000; ++i) {
    const std::wstring file = folder + L"\\cache_" + std::to_wstring(i);
    vireo::ScopedFile out(::CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
  }
}

int UninstallShots(const std::wstring& installer, const std::wstring& folder, const std::wstring& suffix) {
  namespace page = vireo::test::uninstall_window;
  if (vireo::test::RunChild(L"\"" + installer + L"\" --silent", kLimitMs) != 0) return 2;
  MakeBrowsingData();
  Child started = vireo::test::StartChild(RegisteredUninstallString());
  if (!started.valid()) return 2;
  HWND window = nullptr;
  if (!vireo::test::WaitFor([&] {
        window = ::FindWindowW(vireo::kFrameClassName, vireo::kUninstallWindowTitle);
        return window && page::StartPageShows(window);
      }, kLimitMs)) {
    return 3;
  }
  vireo::test::MouseMove(At(window, POINT{10, 500}));  // over no control: no hover highlight
  ::Sleep(300);
  SaveBmp(WindowShot(window), folder + L"\\uninstall_start" + suffix + L".bmp");
  const POINT box = page::CheckBoxPoint(window);
  vireo::test::MouseClick(vireo::test::ScreenPoint(window, box.x, box.y));
  vireo::test::MouseClick(At(window, page::kUninstallButton));
  vireo::test::MouseMove(At(window, POINT{10, 500}));
  if (vireo::test::WaitFor([&] { return page::ProgressPageShows(window); }, kLimitMs)) {
    ::Sleep(250);  // the page's fade-in and the first progress report
    SaveBmp(WindowShot(window), folder + L"\\uninstall_progress" + suffix + L".bmp");
  }
  if (!vireo::test::WaitFor([&] { return page::CompletionShows(window); }, kLimitMs)) return 4;
  ::Sleep(300);
  SaveBmp(WindowShot(window), folder + L"\\uninstall_complete" + suffix + L".bmp");
  vireo::test::MouseClick(At(window, page::kCompleteButton));
  return vireo::test::WaitFor([&] { return !::IsWindow(window); }, kLimitMs) ? 0 : 5;
}

int Starts(const std::wstring& installer, int runs) {
  const vireo::test::RepeatedStarts starts = vireo::test::StartWindowRepeatedly(
      L"\"" + installer + L"\"", runs, 10000, [](int run, bool painted) {
        if (!painted) std::printf("run %d: no painted window within 10 s\n", run);
        std::fflush(stdout);
      });
  std::printf("painted %d of %d starts\n", starts.painted, starts.runs);
  return starts.painted == starts.runs ? 0 : 4;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc >= 4 && argc <= 5 && std::wstring(argv[1]) == L"shots") return Shots(argv[2], argv[3], argc == 5 ? argv[4] : L"");
  if (argc == 5 && std::wstring(argv[1]) == L"failure-shots") return FailureShots(argv[2], argv[3], argv[4]);
  if (argc == 7 && std::wstring(argv[1]) == L"bench") return Bench(argv[2], argv[3], argv[4], argv[5], argv[6]);
  if (argc == 4 && std::wstring(argv[1]) == L"starts") return Starts(argv[2], _wtoi(argv[3]));
  if (argc == 4 && std::wstring(argv[1]) == L"paints") return Paints(argv[2], _wtoi(argv[3]));
  if (argc == 5 && std::wstring(argv[1]) == L"uninstall-shots") return UninstallShots(argv[2], argv[3], argv[4]);
  std::fprintf(stderr, "usage: window_tour shots <setup.exe> <folder> [suffix] | failure-shots <setup.exe> "
                       "<folder> <suffix> | bench <setup.exe> <browser.exe> <7z.exe> "
                       "<chrome.7z> <folder> | starts <setup.exe> <runs> | paints <setup.exe> <runs> | "
                       "uninstall-shots <setup.exe> <folder> <suffix>\n");
  return 1;
}
