#include "installer/kill_processes.h"

#include <tlhelp32.h>

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "installer/install.h"
#include "installer/install_options.h"
#include "installer/product_constants.h"
#include "support/fixed_path.h"
#include "support/path_normalize.h"
#include "support/scoped_handle.h"
#include "support/string_util.h"

namespace vireo {
namespace {

constexpr ULONGLONG kWaitLimitMs = 3000;
constexpr DWORD kPollMs = 200;
constexpr DWORD kBatchWaitMs = 3000;

bool IsMainExeName(const wchar_t* name) { return name && EqualsIgnoreAsciiCase(name, kMainExeName); }

// Polls until none of |pids| runs or 3 s have passed since the start of the wait.
void WaitForExit(const std::vector<DWORD>& pids) {
  const ULONGLONG start = ::GetTickCount64();
  while (::GetTickCount64() - start < kWaitLimitMs) {
    if (std::none_of(pids.begin(), pids.end(), IsProcessRunning)) return;
    ::Sleep(kPollMs);
  }
}

// Calls |visit| with every entry of a process snapshot; false when no snapshot can be taken.
template <typename Visit>
bool ForEachProcess(Visit visit) {
  ScopedHandle snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
  if (!snapshot) return false;
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof(entry);
  for (BOOL ok = ::Process32FirstW(snapshot.get(), &entry); ok; ok = ::Process32NextW(snapshot.get(), &entry)) {
    visit(entry);
  }
  return true;
}

// The scope folder as compared against image paths: normalised, with exactly one trailing
// backslash. Empty when it cannot be formed within 260 characters.
std::wstring ScopePrefix(const wchar_t* app_dir) {
  const std::wstring folder = NormalizePath(app_dir);
  if (folder.empty()) return {};
  std::wstring scope = WithTrailingBackslash(folder);
  if (scope.size() > kMaxPathChars) scope.clear();
  return scope;
}

bool IsBelow(DWORD pid, const std::wstring& scope) {
  ScopedHandle process(::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid));
  if (!process) return false;
  wchar_t image[MAX_PATH];
  DWORD size = MAX_PATH;
  if (!::QueryFullProcessImageNameW(process.get(), 0, image, &size) || size == 0) return false;
  process.reset();
  return StartsWithIgnoreAsciiCase(NormalizePath(std::wstring_view(image, size)), scope);
}

struct CloseRequest {
  const std::unordered_set<DWORD>* targets;
  int posted = 0;
};

BOOL CALLBACK AskToClose(HWND hwnd, LPARAM param) {
  auto* request = reinterpret_cast<CloseRequest*>(param);
  DWORD pid = 0;
  ::GetWindowThreadProcessId(hwnd, &pid);
  if (!request->targets->count(pid)) return TRUE;
  wchar_t class_name[257];
  if (::GetClassNameW(hwnd, class_name, 257) > 0 && EqualsIgnoreAsciiCase(class_name, kBrowserWindowClass) &&
      ::PostMessageW(hwnd, WM_CLOSE, 0, 0)) {
    ++request->posted;
  }
  return TRUE;  // every window gets its chance
}

struct ProcessNode {
  uint32_t matched;
  uint32_t pid;
  uint32_t parent_pid;
  uint32_t first_child;
  uint32_t next_sibling;
};

void CollectSubtree(const std::vector<ProcessNode>& nodes, uint32_t index, DWORD self,
                    std::vector<DWORD>* ids, std::unordered_set<DWORD>* seen) {
  const ProcessNode& node = nodes[index];
  // The installer itself stays, and so does what it started unless that matches on its own
  // (a matching descendant is collected from its own node).
  if (node.pid == self) return;
  // Reused process ids can form cycles; an id already collected ends the descent.
  if (!seen->insert(node.pid).second) return;
  ids->push_back(node.pid);
  for (uint32_t child = node.first_child; child != 0; child = nodes[child].next_sibling) {
    CollectSubtree(nodes, child, self, ids, seen);
  }
}

}  // namespace

bool IsProcessRunning(DWORD pid) {
  ScopedHandle process(::OpenProcess(SYNCHRONIZE, FALSE, pid));
  if (!process) return ::GetLastError() != ERROR_INVALID_PARAMETER;
  return ::WaitForSingleObject(process.get(), 0) == WAIT_TIMEOUT;
}

void KillProcessTrees(const ProcessNameFilter& filter) {
  std::vector<ProcessNode> nodes;
  nodes.reserve(50);
  nodes.push_back(ProcessNode{});  // the root adopts every orphan
  ForEachProcess([&](const PROCESSENTRY32W& entry) {
    const bool matched = filter && filter(entry.szExeFile);
    nodes.push_back(ProcessNode{matched ? 1u : 0u, entry.th32ProcessID, entry.th32ParentProcessID, 0, 0});
  });
  if (nodes.size() <= 1) return;

  // The first node with a given id is the parent of every node naming that id; a map and a
  // last-child index keep the linking linear.
  std::unordered_map<uint32_t, uint32_t> first_with_pid;
  for (uint32_t i = 1; i < nodes.size(); ++i) first_with_pid.emplace(nodes[i].pid, i);
  std::vector<uint32_t> last_child(nodes.size(), 0);
  for (uint32_t i = 1; i < nodes.size(); ++i) {
    const auto it = first_with_pid.find(nodes[i].parent_pid);
    const uint32_t parent = it == first_with_pid.end() ? 0 : it->second;
    if (last_child[parent] == 0) {
      nodes[parent].first_child = i;
    } else {
      nodes[last_child[parent]].next_sibling = i;
    }
    last_child[parent] = i;
  }

  std::vector<DWORD> ids;
  ids.reserve(20);
  std::unordered_set<DWORD> seen;
  const DWORD self = ::GetCurrentProcessId();
  for (uint32_t i = 1; i < nodes.size(); ++i) {
    if (nodes[i].matched) CollectSubtree(nodes, i, self, &ids, &seen);
  }

  std::vector<ScopedHandle> kept;
  for (DWORD pid : ids) {
    ScopedHandle process(::OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, pid));
    if (!process) continue;
    ::TerminateProcess(process.get(), 0);
    kept.push_back(std::move(process));
  }
  for (size_t start = 0; start < kept.size(); start += MAXIMUM_WAIT_OBJECTS) {
    const size_t count = std::min<size_t>(MAXIMUM_WAIT_OBJECTS, kept.size() - start);
    HANDLE batch[MAXIMUM_WAIT_OBJECTS];
    for (size_t k = 0; k < count; ++k) batch[k] = kept[start + k].get();
    ::WaitForMultipleObjects(static_cast<DWORD>(count), batch, TRUE, kBatchWaitMs);
  }
}

void CInstall::KillProcesses() {
  CInstallOptions& options = CInstallOptions::Get();
  std::wstring scope;
  if (options.portable) {
    const wchar_t* app_dir = options.GetAppDir();
    // A portable run must only touch its own folder; without a usable folder nothing is
    // closed at all rather than every copy on the machine.
    if (!app_dir || !*app_dir) return;
    scope = ScopePrefix(app_dir);
    if (scope.empty()) return;
  }

  const DWORD self = ::GetCurrentProcessId();
  std::vector<DWORD> targets;
  ForEachProcess([&](const PROCESSENTRY32W& entry) {
    if (entry.th32ProcessID == self || !IsMainExeName(entry.szExeFile)) return;
    if (!scope.empty() && !IsBelow(entry.th32ProcessID, scope)) return;
    targets.push_back(entry.th32ProcessID);
  });
  if (targets.empty()) return;

  const std::unordered_set<DWORD> target_set(targets.begin(), targets.end());
  CloseRequest request{&target_set};
  ::EnumWindows(AskToClose, reinterpret_cast<LPARAM>(&request));
  if (request.posted > 0) WaitForExit(targets);

  std::vector<DWORD> remaining;
  std::copy_if(targets.begin(), targets.end(), std::back_inserter(remaining), IsProcessRunning);
  if (remaining.empty()) return;

  if (!scope.empty()) {
    for (DWORD pid : remaining) {
      ScopedHandle process(::OpenProcess(PROCESS_TERMINATE, FALSE, pid));
      if (process) ::TerminateProcess(process.get(), 1);
    }
    WaitForExit(remaining);
    return;
  }
  KillProcessTrees([](const wchar_t* name) { return IsMainExeName(name); });
}

}  // namespace vireo
