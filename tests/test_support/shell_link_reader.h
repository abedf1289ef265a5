// Loads a saved .lnk back through the shell's own interfaces, so tests check what the shell
// will see rather than the file's bytes.
#pragma once

#include <string>

namespace vireo::test {

struct ShellLinkInfo {
  bool loaded = false;
  std::wstring target;
  std::wstring arguments;
  std::wstring working_dir;
  std::wstring description;
  std::wstring icon_path;
  int icon_index = -1;
  int show_command = -1;
  unsigned short hotkey = 0;
  std::wstring app_id;  // System.AppUserModel.ID, empty when absent
};

// Initialises COM on the calling thread for the duration of the call.
ShellLinkInfo ReadShellLink(const std::wstring& path);

}  // namespace vireo::test
