#include "support/process_launch.h"

#include <windows.h>

#include "support/scoped_handle.h"

namespace vireo {

void LaunchProcess(wchar_t* command_line, int show_command) {
  if (!command_line || !*command_line) return;
  STARTUPINFOW si{};
  si.cb = sizeof(si);
  si.dwFlags = STARTF_USESHOWWINDOW | STARTF_FORCEOFFFEEDBACK;
  si.wShowWindow = static_cast<WORD>(show_command);
  PROCESS_INFORMATION pi{};
  if (!::CreateProcessW(nullptr, command_line, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return;
  ScopedHandle process(pi.hProcess);
  ScopedHandle thread(pi.hThread);
}

}  // namespace vireo
