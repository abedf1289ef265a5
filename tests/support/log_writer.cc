// Test helper: writes lines to the install log of wherever this executable was copied.
//   log_writer.exe <lines> [--threads=N] [--length=N] [--tag=T] [--path-out=FILE]
//                  [--start-event=NAME]
// Each line is "[test] <tag> #<thread>.<i> <payload>" with a payload of --length 'x'
// characters (default 10). --start-event waits for that named event first, so several
// writers can be released at once. --path-out writes GetLogPath() (UTF-8, or "(null)").
#include <windows.h>

#include <cwchar>
#include <string>
#include <thread>
#include <vector>

#include "support/install_log.h"
#include "support/string_util.h"

namespace {

std::wstring Value(int argc, wchar_t** argv, const wchar_t* name) {
  const size_t n = std::wcslen(name);
  for (int i = 1; i < argc; ++i) {
    if (std::wcsncmp(argv[i], name, n) == 0) return argv[i] + n;
  }
  return {};
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) return 2;
  const int lines = _wtoi(argv[1]);
  const std::wstring threads_text = Value(argc, argv, L"--threads=");
  const int threads = threads_text.empty() ? 1 : _wtoi(threads_text.c_str());
  const std::wstring length_text = Value(argc, argv, L"--length=");
  const size_t length = length_text.empty() ? 10 : static_cast<size_t>(_wtoi(length_text.c_str()));
  const std::wstring tag = Value(argc, argv, L"--tag=");
  const std::wstring path_out = Value(argc, argv, L"--path-out=");
  const std::wstring start_event = Value(argc, argv, L"--start-event=");

  if (!start_event.empty()) {
    HANDLE event = ::OpenEventW(SYNCHRONIZE, FALSE, start_event.c_str());
    if (!event) return 3;
    ::WaitForSingleObject(event, 30000);
    ::CloseHandle(event);
  }

  const std::wstring payload(length, L'x');
  std::vector<std::thread> workers;
  for (int t = 0; t < threads; ++t) {
    workers.emplace_back([&, t] {
      for (int i = 0; i < lines; ++i) {
        vireo::CInstallLog::Get().Write(L"[test] %s #%u.%u %s", tag.c_str(), static_cast<unsigned>(t),
                                        static_cast<unsigned>(i), payload.c_str());
      }
    });
  }
  for (auto& w : workers) w.join();

  if (!path_out.empty()) {
    const wchar_t* path = vireo::CInstallLog::Get().GetLogPath();
    const std::string text = path ? vireo::WideToUtf8(path) : std::string("(null)");
    HANDLE f = ::CreateFileW(path_out.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (f == INVALID_HANDLE_VALUE) return 4;
    DWORD written = 0;
    ::WriteFile(f, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    ::CloseHandle(f);
  }
  return 0;
}
