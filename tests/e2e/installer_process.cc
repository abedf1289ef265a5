#include "tests/e2e/installer_process.h"

#include <windows.h>

#include "support/scoped_handle.h"
#include "support/string_util.h"
#include "tests/test_support/file_io.h"
#include "tests/test_support/test_paths.h"

namespace vireo::test {

std::wstring BuiltInstaller(const char* target) {
  if (std::string(target) == "vireo_setup") return BuildPath("bin/vireo_setup.exe");
  return BuildPath(std::string("installers/") + target + "/vireo_setup.exe");
}

int RunAndWait(const std::wstring& command_line, unsigned timeout_ms) {
  std::wstring writable = command_line;
  STARTUPINFOW si{};
  si.cb = sizeof(si);
  PROCESS_INFORMATION pi{};
  if (!::CreateProcessW(nullptr, writable.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
    return -1;
  }
  ScopedHandle process(pi.hProcess);
  ScopedHandle thread(pi.hThread);
  if (::WaitForSingleObject(process.get(), timeout_ms) != WAIT_OBJECT_0) {
    ::TerminateProcess(process.get(), 99);
    return -2;
  }
  DWORD code = 0;
  ::GetExitCodeProcess(process.get(), &code);
  return static_cast<int>(code);
}

InstallerRun RunInstallerCopy(const std::wstring& installer, const std::wstring& folder,
                              const std::wstring& arguments, unsigned timeout_ms) {
  InstallerRun run;
  const std::wstring copy = folder + L"\\vireo_setup.exe";
  if (!::CopyFileW(installer.c_str(), copy.c_str(), FALSE)) return run;
  const ULONGLONG start = ::GetTickCount64();
  run.exit_code = RunAndWait(L"\"" + copy + L"\" " + arguments, timeout_ms);
  run.seconds = static_cast<double>(::GetTickCount64() - start) / 1000.0;
  std::string bytes = ReadFileBytes(copy + L".log");
  if (bytes.rfind("\xEF\xBB\xBF", 0) == 0) bytes.erase(0, 3);
  run.log = Utf8ToWide(bytes);
  return run;
}

}  // namespace vireo::test
