#include "installer/uninstall_handover.h"

#include <windows.h>

#include <cwchar>
#include <string>

#include "installer/command_line.h"
#include "installer/path_check.h"
#include "installer/product_constants.h"
#include "installer/uninstaller_origin.h"
#include "support/fixed_path.h"
#include "support/install_log.h"
#include "support/scoped_handle.h"
#include "support/temp_file.h"
#include "support/tree_delete.h"

namespace vireo {
namespace {

constexpr DWORD kPredecessorWaitMs = 10 * 1000;

// A fresh folder in the temporary folder, named as MakeTempFilePath names files.
std::wstring MakeTempFolder() {
  const std::wstring path = MakeTempFilePath(kUninstallerTempPrefix);
  if (path.empty()) return path;
  if (::DeleteFileW(path.c_str()) && ::CreateDirectoryW(path.c_str(), nullptr)) return path;
  ::DeleteFileW(path.c_str());
  return std::wstring();
}

// The folders that copies of earlier runs emptied when they ended (the system deleted the
// copy, nothing was left to remove its folder); a folder still holding anything stays.
void RemoveEmptiedCopyFolders() {
  wchar_t temp[MAX_PATH];
  const DWORD n = ::GetTempPathW(MAX_PATH, temp);
  if (n == 0 || n >= MAX_PATH) return;
  const std::wstring folder(temp, n);
  WIN32_FIND_DATAW data;
  ScopedFindHandle find(::FindFirstFileW((folder + kUninstallerTempPrefix + L"*.tmp").c_str(), &data));
  if (!find) return;
  do {
    if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && IsTempFileName(data.cFileName, kUninstallerTempPrefix)) {
      ::RemoveDirectoryW((folder + data.cFileName).c_str());
    }
  } while (::FindNextFileW(find.get(), &data));
}

// This run's switches again, then the two of the hand-over.
std::wstring CopyCommandLine(const std::wstring& copy, const std::wstring& app_dir) {
  std::wstring command = L"\"" + copy + L"\"";
  for (const auto& [name, value] : CCommandLine::Get().switches()) {
    command += L" --" + name;
    if (!value.empty()) command += L"=\"" + value + L"\"";
  }
  command += std::wstring(L" --") + kAppDirSwitch + L"=\"" + app_dir + L"\"";
  command += std::wstring(L" --") + kHandoverSwitch + L"=" + std::to_wstring(::GetCurrentProcessId());
  return command;
}

bool StartCopy(const std::wstring& self, const std::wstring& folder, const std::wstring& app_dir) {
  const std::wstring copy = JoinPath(folder, kUninstallerFileName);
  if (!::CopyFileW(self.c_str(), copy.c_str(), TRUE)) {
    CInstallLog::Get().Write(L"[install] uninstaller could not be copied to %s gle=%u", copy.c_str(), ::GetLastError());
    return false;
  }
  // The copy inherits this handle and holds it until it ends: the system deletes the file
  // once the last handle is gone and the program no longer runs from it.
  SECURITY_ATTRIBUTES inherit{sizeof(inherit), nullptr, TRUE};
  ScopedFile delete_on_close(::CreateFileW(copy.c_str(), DELETE, FILE_SHARE_READ | FILE_SHARE_DELETE, &inherit,
                                           OPEN_EXISTING, FILE_FLAG_DELETE_ON_CLOSE, nullptr));
  std::wstring command = CopyCommandLine(copy, app_dir);
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process{};
  // Started in its own folder, so that it holds no folder of the installation open.
  if (!::CreateProcessW(copy.c_str(), command.data(), nullptr, nullptr, delete_on_close.valid(), 0, nullptr,
                        folder.c_str(), &startup, &process)) {
    CInstallLog::Get().Write(L"[install] uninstaller copy could not be started gle=%u", ::GetLastError());
    return false;
  }
  ::CloseHandle(process.hThread);
  ::CloseHandle(process.hProcess);
  return true;
}

void WaitForPredecessor(const std::wstring& pid_text) {
  const unsigned long pid = std::wcstoul(pid_text.c_str(), nullptr, 10);
  if (pid == 0) return;
  ScopedHandle predecessor(::OpenProcess(SYNCHRONIZE, FALSE, static_cast<DWORD>(pid)));
  if (predecessor) ::WaitForSingleObject(predecessor.get(), kPredecessorWaitMs);
}

// The system's deletion at its next start, else a RunOnce command at the user's next logon.
void ScheduleRemoval(const std::wstring& self, const std::wstring& folder) {
  if (::MoveFileExW(self.c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT) &&
      ::MoveFileExW(folder.c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT)) {
    return;
  }
  const std::wstring command = L"cmd.exe /c rd /s /q \"" + folder + L"\"";
  ScopedRegKey key;
  if (::RegCreateKeyExW(HKEY_CURRENT_USER, kRunOnceRegKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, key.receive(),
                        nullptr) != ERROR_SUCCESS) {
    return;
  }
  ::RegSetValueExW(key.get(), kRunOnceCleanupValue, 0, REG_SZ, reinterpret_cast<const BYTE*>(command.c_str()),
                   static_cast<DWORD>((command.size() + 1) * sizeof(wchar_t)));
}

}  // namespace

std::optional<int> HandOverUninstall() {
  if (CarriesPackage()) return std::nullopt;
  const CCommandLine& command_line = CCommandLine::Get();
  if (command_line.HasSwitch(kHandoverSwitch)) {
    WaitForPredecessor(command_line.GetSwitchValue(kHandoverSwitch));
    return std::nullopt;
  }
  const std::wstring self = OwnProgramPath();
  const std::wstring app_dir = AppDirOfUninstaller(self);
  if (app_dir.empty() || app_dir.size() > kMaxPathChars || !IsInstallDir(app_dir.c_str())) return std::nullopt;
  RemoveEmptiedCopyFolders();
  const std::wstring folder = MakeTempFolder();
  if (folder.empty()) return std::nullopt;
  if (StartCopy(self, folder, app_dir)) return 0;
  DeleteTree(folder.c_str());
  return std::nullopt;
}

void RemoveHandedOverCopy(int exit_code) {
  if (CarriesPackage() || !CCommandLine::Get().HasSwitch(kHandoverSwitch)) return;
  const std::wstring self = OwnProgramPath();
  const std::wstring folder(ParentPart(self));
  // Only the folder a hand-over made is ever removed.
  if (self.empty() || !IsTempFileName(FileNamePart(folder), kUninstallerTempPrefix)) return;
  const bool deleted = ::DeleteFileW(self.c_str()) != 0;
  if (exit_code == 0) {
    CInstallLog::Get().CloseFile();
    DeleteTree(folder.c_str());
  }
  if (deleted) {
    ::RemoveDirectoryW(folder.c_str());
    return;
  }
  ScheduleRemoval(self, folder);
}

}  // namespace vireo
