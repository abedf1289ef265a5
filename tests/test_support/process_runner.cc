#include "tests/test_support/process_runner.h"

#include <tlhelp32.h>

#include <atomic>
#include <cstdio>

#include "support/string_util.h"

namespace vireo::test {

Child StartChild(const std::wstring& command_line, const wchar_t* current_folder) {
  Child child;
  std::wstring buffer = command_line;
  STARTUPINFOW si{};
  si.cb = sizeof(si);
  PROCESS_INFORMATION pi{};
  if (!::CreateProcessW(nullptr, buffer.data(), nullptr, nullptr, FALSE, 0, nullptr, current_folder, &si, &pi)) {
    return child;
  }
  ::CloseHandle(pi.hThread);
  child.process.reset(pi.hProcess);
  child.pid = pi.dwProcessId;
  return child;
}

DWORD WaitExitCode(const Child& child, DWORD timeout_ms) {
  if (!child.valid()) return ~0u;
  if (::WaitForSingleObject(child.process.get(), timeout_ms) != WAIT_OBJECT_0) return STILL_ACTIVE;
  DWORD code = ~0u;
  ::GetExitCodeProcess(child.process.get(), &code);
  return code;
}

DWORD RunChild(const std::wstring& command_line, DWORD timeout_ms) {
  Child child = StartChild(command_line);
  if (!child.valid()) return ~0u;
  const DWORD code = WaitExitCode(child, timeout_ms);
  if (code == STILL_ACTIVE) {
    EndChild(child);
    return ~0u;
  }
  return code;
}

void EndChild(Child& child) {
  if (!child.valid()) return;
  if (::WaitForSingleObject(child.process.get(), 0) == WAIT_TIMEOUT) {
    ::TerminateProcess(child.process.get(), 99);
    ::WaitForSingleObject(child.process.get(), 10000);
  }
  child.process.reset();
}

std::wstring UniqueName(const wchar_t* stem) {
  static std::atomic<unsigned> counter{0};
  wchar_t name[128];
  std::swprintf(name, std::size(name), L"%ls_%lu_%lu_%u", stem, ::GetCurrentProcessId(), ::GetTickCount(),
                counter.fetch_add(1));
  return name;
}

std::wstring Quote(const std::wstring& arg) { return L"\"" + arg + L"\""; }

void EndProcessesNamed(const wchar_t* exe_name) {
  ScopedHandle snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
  if (!snapshot) return;
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof(entry);
  for (BOOL more = ::Process32FirstW(snapshot.get(), &entry); more; more = ::Process32NextW(snapshot.get(), &entry)) {
    if (!EqualsIgnoreAsciiCase(entry.szExeFile, exe_name)) continue;
    ScopedHandle process(::OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, entry.th32ProcessID));
    if (!process) continue;
    ::TerminateProcess(process.get(), 0);
    ::WaitForSingleObject(process.get(), 5000);
  }
}

}  // namespace vireo::test
