// Process entry of the installer.
#include <windows.h>

#include "installer/command_line.h"
#include "installer/install_options.h"
#include "support/module_instance.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR command_line, int) {
  vireo::SetModuleInstance(instance);
  vireo::CCommandLine::Get().Init(command_line ? command_line : L"");
  vireo::CInstallOptions::Get().Load();
  return 0;
}
