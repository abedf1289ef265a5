#include "tests/e2e/screen_text.h"

#include <windows.h>

#include <cwctype>

#include "support/string_util.h"
#include "tests/e2e/window_driver.h"
#include "tests/test_support/file_io.h"
#include "tests/test_support/process_runner.h"  // Quote
#include "tests/test_support/test_paths.h"

namespace vireo::test {
namespace {

constexpr DWORD kOcrLimitMs = 30000;

// The Unix path Wine keeps for a Windows path, for the arguments of a Unix program.
std::string UnixPath(const std::wstring& windows_path) {
  using ToUnixFn = char*(__cdecl*)(const wchar_t*);
  auto to_unix = reinterpret_cast<ToUnixFn>(
      reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
  if (to_unix == nullptr) return {};
  char* unix_path = to_unix(windows_path.c_str());
  if (unix_path == nullptr) return {};
  std::string path(unix_path);
  ::HeapFree(::GetProcessHeap(), 0, unix_path);
  return path;
}

}  // namespace

std::wstring ReadTextLine(const std::wstring& image_path, const char* language, std::string* error) {
  const std::wstring out_base = image_path + L".ocr";
  const std::string image_unix = UnixPath(image_path);
  const std::string out_unix = UnixPath(out_base);
  if (image_unix.empty() || out_unix.empty()) {
    *error = "no Unix paths: not running under Wine";
    return {};
  }
  // Page segmentation 7: the image is one line of text.
  // Wine finds a Unix program only by an unquoted path.
  const std::wstring command = UnixToWindowsPath(VIREO_TESSERACT) + L" " + Quote(Utf8ToWide(image_unix)) +
                               L" " + Quote(Utf8ToWide(out_unix)) + L" -l " + Utf8ToWide(language) + L" --psm 7";
  // Wine starts a Unix program without a process handle to wait on, so the finished output
  // file is what tells that it is done.
  const std::wstring out_file = out_base + L".txt";
  std::wstring buffer = command;
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process{};
  const bool started = ::CreateProcessW(nullptr, buffer.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                                        &startup, &process) != FALSE;
  if (started) {
    if (process.hThread) ::CloseHandle(process.hThread);
    if (process.hProcess) ::CloseHandle(process.hProcess);
  }
  std::string bytes;
  const bool done = started && WaitFor([&] {
    if (!PathExists(out_file)) return false;
    const std::string now = ReadFileBytes(out_file);
    const bool settled = !now.empty() && now == bytes;  // two reads a poll apart agree
    bytes = now;
    return settled;
  }, kOcrLimitMs);
  ::DeleteFileW(out_file.c_str());
  if (!done) {
    *error = started ? "tesseract (" VIREO_TESSERACT ") wrote no text within the limit"
                         : "tesseract (" VIREO_TESSERACT ") could not be started";
    return {};
  }
  const std::wstring text = Utf8ToWide(bytes);
  std::wstring line;
  for (const wchar_t c : text) {
    if (!std::iswspace(c)) line.push_back(c);
  }
  return line;
}

}  // namespace vireo::test
