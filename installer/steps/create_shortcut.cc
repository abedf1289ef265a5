#include "installer/steps/create_shortcut.h"

#include <memory>

#include "installer/installer_strings.h"
#include "support/install_log.h"
#include "support/scoped_handle.h"

namespace vireo {
namespace {

ShortcutWorkerFn g_worker = nullptr;

// What the thread owns: its share of the request and the worker to run on it.
struct WorkerStart {
  std::shared_ptr<ShortcutRequest> request;
  ShortcutWorkerFn worker;
};

DWORD WINAPI WorkerThread(void* param) {
  std::unique_ptr<WorkerStart> start(static_cast<WorkerStart*>(param));
  return start->worker(start->request.get());
}

}  // namespace

void SetShortcutWorkerForTesting(ShortcutWorkerFn worker) { g_worker = worker; }

std::wstring ShortcutFailure(const std::wstring& label, HRESULT hr) {
  const unsigned code = static_cast<unsigned>(hr);
  CInstallLog::Get().Write(L"[shortcut] failed hr=0x%08X: %s", code, label.c_str());
  return label + FormatMessageText(kShortcutFailedFormat, code);
}

bool CreateShortcut(const ShortcutRequest& values, const std::wstring& label, std::wstring* error_text,
                    bool* pinned) {
  auto request = std::make_shared<ShortcutRequest>(values);
  request->result_code = 0;
  request->success = false;
  request->pinned = false;
  request->gate = std::make_shared<LinkGate>();

  auto start = std::make_unique<WorkerStart>(WorkerStart{request, g_worker ? g_worker : &ShortcutWorker});
  ScopedHandle thread(::CreateThread(nullptr, 0, &WorkerThread, start.get(), 0, nullptr));
  if (!thread) {
    CInstallLog::Get().Write(L"[shortcut] failed to start worker thread: %s", label.c_str());
    if (error_text) *error_text = label + kShortcutThreadSuffix;
    return false;
  }
  start.release();  // the thread owns it now

  if (::WaitForSingleObject(thread.get(), kShortcutTimeoutMs) != WAIT_OBJECT_0) {
    // The thread keeps its own reference to the request and frees it when it ends; from
    // here on it can no longer put a link in place, whatever the roll-back restores there.
    request->gate->Close();
    CInstallLog::Get().Write(L"[shortcut] timeout (%u ms): %s", static_cast<unsigned>(kShortcutTimeoutMs),
                             label.c_str());
    if (error_text) *error_text = label + kShortcutTimeoutSuffix;
    return false;
  }
  thread.reset();

  if (!request->success) {
    const std::wstring message = ShortcutFailure(label, request->result_code);
    if (error_text) *error_text = message;
    return false;
  }
  if (pinned) *pinned = request->pinned;
  return true;
}

}  // namespace vireo
