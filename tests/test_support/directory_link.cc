#include "tests/test_support/directory_link.h"

#include <windows.h>
#include <winioctl.h>

#include <cstddef>
#include <cstring>
#include <initializer_list>
#include <vector>

#include "support/scoped_handle.h"

namespace vireo::test {
namespace {

// The mount-point layout of REPARSE_DATA_BUFFER (the SDK keeps that struct in a driver
// header).
struct MountPointHeader {
  DWORD tag;
  WORD data_length;
  WORD reserved;
  WORD substitute_offset;
  WORD substitute_length;
  WORD print_offset;
  WORD print_length;
};

DWORD MakeJunction(const std::wstring& link, const std::wstring& target) {
  if (!::CreateDirectoryW(link.c_str(), nullptr)) return ::GetLastError();
  ScopedFile dir(::CreateFileW(link.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                               FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
  if (!dir) {
    const DWORD error = ::GetLastError();
    ::RemoveDirectoryW(link.c_str());
    return error;
  }
  const std::wstring substitute = L"\\??\\" + target;
  const size_t sub_bytes = substitute.size() * sizeof(wchar_t);
  const size_t print_bytes = target.size() * sizeof(wchar_t);
  const size_t path_bytes = sub_bytes + sizeof(wchar_t) + print_bytes + sizeof(wchar_t);
  std::vector<BYTE> buf(sizeof(MountPointHeader) + path_bytes, 0);
  auto* h = reinterpret_cast<MountPointHeader*>(buf.data());
  h->tag = IO_REPARSE_TAG_MOUNT_POINT;
  h->data_length = static_cast<WORD>(8 + path_bytes);
  h->substitute_offset = 0;
  h->substitute_length = static_cast<WORD>(sub_bytes);
  h->print_offset = static_cast<WORD>(sub_bytes + sizeof(wchar_t));
  h->print_length = static_cast<WORD>(print_bytes);
  BYTE* paths = buf.data() + sizeof(MountPointHeader);
  std::memcpy(paths, substitute.data(), sub_bytes);
  std::memcpy(paths + h->print_offset, target.data(), print_bytes);
  DWORD returned = 0;
  if (!::DeviceIoControl(dir.get(), FSCTL_SET_REPARSE_POINT, buf.data(), static_cast<DWORD>(buf.size()), nullptr, 0,
                         &returned, nullptr)) {
    const DWORD error = ::GetLastError();
    dir.reset();
    ::RemoveDirectoryW(link.c_str());
    return error;
  }
  return 0;
}

// Wine cannot create junctions or symbolic links through the Windows calls, but shows a Unix
// symbolic link to a directory as a directory reparse point. Wine also runs Unix programs,
// so the link is made with ln(1); its completion cannot be waited for (Wine has no handle
// on a Unix process), hence the bounded poll for the link to appear.
using UnixName = char*(CDECL*)(const WCHAR*);

UnixName WineUnixName() {
  return reinterpret_cast<UnixName>(
      reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
}

// Runs |tool| (a Unix program) on the Unix forms of |paths|; false when not under Wine or a
// path holds a blank. Completion cannot be waited for: Wine has no handle on a Unix process.
bool RunUnixTool(const wchar_t* tool, std::initializer_list<const std::wstring*> paths) {
  UnixName unix_name = WineUnixName();
  if (!unix_name) return false;
  std::wstring command = tool;
  bool ok = true;
  for (const std::wstring* path : paths) {
    char* unix_path = unix_name(path->c_str());
    if (!unix_path || std::strchr(unix_path, ' ')) ok = false;
    if (unix_path) {
      command += L' ';
      for (const char* p = unix_path; *p; ++p) command += static_cast<wchar_t>(static_cast<unsigned char>(*p));
      ::HeapFree(::GetProcessHeap(), 0, unix_path);
    }
  }
  if (!ok) return false;
  STARTUPINFOW si{};
  si.cb = sizeof(si);
  PROCESS_INFORMATION pi{};
  if (!::CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return false;
  ::CloseHandle(pi.hThread);
  ::CloseHandle(pi.hProcess);
  return true;
}

bool Listed(const std::wstring& path) {
  WIN32_FIND_DATAW data;
  HANDLE find = ::FindFirstFileW(path.c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return false;
  ::FindClose(find);
  return true;
}

// Polls (bounded) until |path| is listed or not, as |want| says.
bool WaitListed(const std::wstring& path, bool want) {
  for (int i = 0; i < 100; ++i) {
    if (Listed(path) == want) return true;
    ::Sleep(50);
  }
  return false;
}

// Wine cannot create junctions or symbolic links through the Windows calls, but lists a
// Unix symbolic link to a directory as a directory reparse point, and it runs Unix programs:
// the link is made with ln(1).
bool MakeUnixSymlinkUnderWine(const std::wstring& link, const std::wstring& target) {
  return RunUnixTool(L"Z:\\bin\\ln -s", {&target, &link}) && WaitListed(link, true);
}

}  // namespace

std::wstring MakeDirectoryLink(const std::wstring& link, const std::wstring& target) {
  const DWORD junction_error = MakeJunction(link, target);
  if (junction_error == 0) return {};
  // Some systems answer success without making anything, so the link must be seen.
  DWORD link_error = 0;
  if (::CreateSymbolicLinkW(link.c_str(), target.c_str(),
                            SYMBOLIC_LINK_FLAG_DIRECTORY | SYMBOLIC_LINK_FLAG_ALLOW_UNPRIVILEGED_CREATE)) {
    if (::GetFileAttributesW(link.c_str()) != INVALID_FILE_ATTRIBUTES) return {};
    link_error = ERROR_CALL_NOT_IMPLEMENTED;
  } else {
    link_error = ::GetLastError();
  }
  if (MakeUnixSymlinkUnderWine(link, target)) return {};
  return L"cannot create a junction (error " + std::to_wstring(junction_error) +
         L") or a directory symbolic link (error " + std::to_wstring(link_error) + L") here";
}

}  // namespace vireo::test

namespace vireo::test {

bool RemoveDirectoryLink(const std::wstring& link) {
  if (!Listed(link)) return true;
  if (WineUnixName()) return RunUnixTool(L"Z:\\bin\\rm -f", {&link}) && WaitListed(link, false);
  return ::RemoveDirectoryW(link.c_str()) != FALSE;
}

}  // namespace vireo::test
