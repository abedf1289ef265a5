// Process entry of the installer: keep DLL loads away from the folder it runs from, keep the
// module handle, parse the command line, wait for (or hand over to) another run of this
// session (a window run waits with its window shown), run the main thread's body with the user-interface loop on this thread, return
// its quit code.
#include <windows.h>

#include <memory>

#include "installer/command_line.h"
#include "installer/main_thread.h"
#include "installer/single_instance.h"
#include "installer/ui/toolkit_install_window.h"
#include "installer/uninstall_handover.h"
#include "support/dll_search.h"
#include "support/module_instance.h"
#ifdef VIREO_TEST_CHECKPOINTS
#include "installer/checkpoint_hold.h"
#include "installer/test_usage_endpoint.h"
#endif

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR command_line, int) {
  // Before anything loads a DLL by name.
  vireo::RestrictDllSearchToSystem32();
  vireo::SetModuleInstance(instance);
  vireo::CCommandLine::Get().Init(command_line ? command_line : L"");
#ifdef VIREO_TEST_CHECKPOINTS
  vireo::test_hold::InstallFromEnvironment();
  vireo::test_hold::UsageEndpointFromEnvironment();
#endif

  // An uninstaller inside the installation continues from a private copy.
  if (const auto exit_code = vireo::HandOverUninstall()) return *exit_code;

  // Held until the process ends.
  vireo::CSingleInstance turn(vireo::SingleInstanceMutexName());
  const vireo::CCommandLine& command = vireo::CCommandLine::Get();
  // Every window, install or uninstall, can show itself waiting for another run.
  if (const auto exit_code = turn.TakeTurn(command.IsSilent(), /*window_waits=*/true)) return *exit_code;

  vireo::CMainThread& main_thread = vireo::CMainThread::Get();
  main_thread.SetInstanceLock(&turn);
  main_thread.SetInstallWindow(std::make_unique<vireo::ToolkitInstallWindow>());
  main_thread.RunOnCurrentThread(corekit::MessageLoop::Type::kUI);
  vireo::RemoveHandedOverCopy(main_thread.exit_code());
  return main_thread.exit_code();
}
