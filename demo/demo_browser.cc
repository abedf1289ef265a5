// A stand-in for the browser: one top-level window of the browser's window class, so that
// the installer's process handling can be exercised with real processes.
//
// Switches:
//   --ignore-close          ignore WM_CLOSE (a browser that hangs on shutdown)
//   --no-window             open no window at all
//   --spawn-child=<exe>     start <exe> as a child process (e.g. a renamed copy of this program)
//   --child-args=<text>     command-line text passed to that child
//   --ready-event=<name>    set the named event once the window exists and the child started
//   --exit-code=<n>         exit code after a WM_CLOSE (default 0)
//   --exit-after=<ms>       end by itself after <ms> milliseconds (exit code 3), so a test
//                           that fails never leaves it behind
//
// Environment:
//   VIREO_DEMO_REPORT=<file>  write the command line this copy received (UTF-8, as
//                             GetCommandLineW gives it) to <file> at start-up, so a test
//                             can check how the installer started the browser; the
//                             variable is inherited through the installer that starts it
#include <windows.h>
#include <shellapi.h>

#include <cwchar>
#include <string>

namespace {

constexpr wchar_t kWindowClass[] = L"Chrome_WidgetWin_1";
constexpr UINT_PTR kLifetimeTimer = 1;

struct Options {
  bool ignore_close = false;
  bool no_window = false;
  std::wstring spawn_child;
  std::wstring child_args;
  std::wstring ready_event;
  int exit_code = 0;
  unsigned exit_after_ms = 0;
};

Options g_options;

bool TakeValue(const wchar_t* arg, const wchar_t* name, std::wstring* value) {
  const size_t n = std::wcslen(name);
  if (std::wcsncmp(arg, name, n) != 0) return false;
  *value = arg + n;
  return true;
}

Options ParseOptions() {
  Options o;
  int argc = 0;
  wchar_t** argv = ::CommandLineToArgvW(::GetCommandLineW(), &argc);
  if (!argv) return o;
  for (int i = 1; i < argc; ++i) {
    std::wstring value;
    if (std::wcscmp(argv[i], L"--ignore-close") == 0) {
      o.ignore_close = true;
    } else if (std::wcscmp(argv[i], L"--no-window") == 0) {
      o.no_window = true;
    } else if (TakeValue(argv[i], L"--spawn-child=", &value)) {
      o.spawn_child = value;
    } else if (TakeValue(argv[i], L"--child-args=", &value)) {
      o.child_args = value;
    } else if (TakeValue(argv[i], L"--ready-event=", &value)) {
      o.ready_event = value;
    } else if (TakeValue(argv[i], L"--exit-code=", &value)) {
      o.exit_code = _wtoi(value.c_str());
    } else if (TakeValue(argv[i], L"--exit-after=", &value)) {
      o.exit_after_ms = static_cast<unsigned>(_wtoi(value.c_str()));
    }
  }
  ::LocalFree(argv);
  return o;
}

void SpawnChild(const Options& o) {
  if (o.spawn_child.empty()) return;
  std::wstring command = L"\"" + o.spawn_child + L"\"";
  if (!o.child_args.empty()) command += L" " + o.child_args;
  STARTUPINFOW si{};
  si.cb = sizeof(si);
  PROCESS_INFORMATION pi{};
  if (::CreateProcessW(o.spawn_child.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                       &pi)) {
    ::CloseHandle(pi.hThread);
    ::CloseHandle(pi.hProcess);
  }
}

void SignalReady(const Options& o) {
  if (o.ready_event.empty()) return;
  HANDLE event = ::OpenEventW(EVENT_MODIFY_STATE, FALSE, o.ready_event.c_str());
  if (!event) return;
  ::SetEvent(event);
  ::CloseHandle(event);
}

LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam) {
  switch (msg) {
    case WM_CLOSE:
      if (g_options.ignore_close) return 0;
      ::DestroyWindow(hwnd);
      return 0;
    case WM_DESTROY:
      ::PostQuitMessage(g_options.exit_code);
      return 0;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = ::BeginPaint(hwnd, &ps);
      RECT rc;
      ::GetClientRect(hwnd, &rc);
      ::DrawTextW(dc, L"Vireo (demo)", -1, &rc, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
      ::EndPaint(hwnd, &ps);
      return 0;
    }
    default:
      return ::DefWindowProcW(hwnd, msg, wparam, lparam);
  }
}

void ReportCommandLine() {
  wchar_t report[MAX_PATH];
  const DWORD length = ::GetEnvironmentVariableW(L"VIREO_DEMO_REPORT", report, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return;
  const wchar_t* command_line = ::GetCommandLineW();
  const int bytes = ::WideCharToMultiByte(CP_UTF8, 0, command_line, -1, nullptr, 0, nullptr, nullptr);
  if (bytes <= 1) return;
  std::string utf8(static_cast<size_t>(bytes - 1), '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, command_line, -1, utf8.data(), bytes, nullptr, nullptr);
  HANDLE file = ::CreateFileW(report, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  DWORD written = 0;
  ::WriteFile(file, utf8.data(), static_cast<DWORD>(utf8.size()), &written, nullptr);
  ::CloseHandle(file);
}

void CALLBACK OnLifetimeOver(HWND, UINT, UINT_PTR, DWORD) { ::ExitProcess(3); }

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
  g_options = ParseOptions();
  ReportCommandLine();
  if (g_options.exit_after_ms) ::SetTimer(nullptr, kLifetimeTimer, g_options.exit_after_ms, OnLifetimeOver);

  if (!g_options.no_window) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = instance;
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = kWindowClass;
    if (!::RegisterClassExW(&wc)) return 2;
    HWND hwnd = ::CreateWindowExW(0, kWindowClass, L"Vireo", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT, 480,
                                  320, nullptr, nullptr, instance, nullptr);
    if (!hwnd) return 2;
    ::ShowWindow(hwnd, show == SW_SHOWDEFAULT ? SW_SHOWNOACTIVATE : show);
  }
  SpawnChild(g_options);
  SignalReady(g_options);

  MSG msg;
  while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
  return static_cast<int>(msg.wParam);
}
