// Process entry of the installer: keep the module handle, parse the command line, run the
// main thread's body with the user-interface loop on this thread, return its quit code.
#include <windows.h>

#include "installer/command_line.h"
#include "installer/main_thread.h"
#include "support/module_instance.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR command_line, int) {
  vireo::SetModuleInstance(instance);
  vireo::CCommandLine::Get().Init(command_line ? command_line : L"");
  vireo::CMainThread& main_thread = vireo::CMainThread::Get();
  main_thread.RunOnCurrentThread(corekit::MessageLoop::Type::kUI);
  return main_thread.exit_code();
}
