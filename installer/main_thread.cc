#include "installer/main_thread.h"

#include <chrono>
#include <cwchar>
#include <utility>

#include "corekit/message_loop.h"
#include "corekit/thread_registry.h"
#include "installer/install.h"
#include "installer/install_options.h"
#include "installer/installer_strings.h"
#include "installer/product_constants.h"
#include "installer/single_instance.h"
#include "installer/update_cleanup.h"
#include "installer/usage_stats.h"
#include "support/file_attributes.h"
#include "support/install_log.h"
#include "support/process_launch.h"

namespace vireo {
namespace {

constexpr std::chrono::milliseconds kTurnPollInterval(100);

}  // namespace

CMainThread& CMainThread::Get() {
  static CMainThread instance;
  return instance;
}

CMainThread::CMainThread() : corekit::FrameworkThread("MainThread") {}

CMainThread::~CMainThread() {
  SetInstallObserver(nullptr);
  misc_thread_.reset();  // already stopped by Cleanup; its destructor would stop it otherwise
  Stop();
}

void CMainThread::Init() {
  corekit::ThreadRegistry::Register(kMainThreadId);
  SetInstallObserver(this);

  misc_thread_ = std::make_unique<CMiscThread>();
  if (!misc_thread_->Start()) {
    CInstallLog::Get().Write(L"[install] worker thread could not be started gle=%u", ::GetLastError());
    misc_thread_.reset();
  }

  CInstallOptions& options = CInstallOptions::Get();
  options.Load();

  if (options.silent && !misc_thread_) {
    // Nothing could ever report a result: end as a failed silent run instead of waiting.
    message_loop()->PostTask(ToWeakCallback([this] { QuitWithCode(1); }));
  } else if (options.silent) {
    BeginInstall();
  } else {
    ShowInstallWindow();
  }
}

void CMainThread::PostUsageEvent() {
  if (usage_posted_) return;
  usage_posted_ = true;
  const std::wstring event = CInstallOptions::Get().is_update() ? L"update" : L"install";
  corekit::ThreadRegistry::PostTask(kMiscThreadId, [event] { SendUsageEvent(event); });
}

void CMainThread::BeginInstall() {
  CMiscThread* worker = misc_thread_.get();
  if (!worker) return;
  PostUsageEvent();
  corekit::ThreadRegistry::PostTask(kMiscThreadId, worker->ToWeakCallback([worker] { worker->RunInstall(); }));
}

void CMainThread::SetInstallWindow(std::unique_ptr<IInstallWindow> window) {
  install_window_ = std::move(window);
}

void CMainThread::ShowInstallWindow() {
  const bool waiting = instance_lock_ && !instance_lock_->TryTake();
  if (install_window_ && install_window_->Show(waiting)) {
    // Posted from the first paint, so it runs once that frame is on the screen.
    install_window_->WhenFirstPainted(
        [this] { message_loop()->PostTask(ToWeakCallback([this] { PostUsageEvent(); })); });
    if (waiting) message_loop()->PostDelayedTask(ToWeakCallback([this] { WaitForTurn(); }), kTurnPollInterval);
    return;
  }
  if (!install_window_) CInstallLog::Get().Write(L"[ui] no install window in this program");
  PostUsageEvent();
  // Init runs before the loop does, and a quit asked for then would be lost: queue it.
  message_loop()->PostTask(ToWeakCallback([this] { QuitWithCode(1); }));
}

void CMainThread::WaitForTurn() {
  if (!install_window_->IsOpen()) return;  // closed while waiting: nothing more to do
  if (!instance_lock_->TryTake()) {
    message_loop()->PostDelayedTask(ToWeakCallback([this] { WaitForTurn(); }), kTurnPollInterval);
    return;
  }
  CInstallOptions::Get().Reload();
  install_window_->StopWaiting();
}

void CMainThread::OnProgress(SETUP_PROGRESS stage, float percent) {
  if (install_window_) install_window_->ShowProgress(stage, percent);
}

void CMainThread::OnInstallResult(bool success, std::wstring message, bool ran_steps) {
  CInstallOptions& options = CInstallOptions::Get();
  if (!options.silent) {
    // A failed uninstall the user watched still ends the process with 1.
    if (!success && options.uninstall) exit_code_ = 1;
    if (install_window_) install_window_->ShowResult(success, message);
    return;
  }
  if (ran_steps && options.portable && !options.pending_restart && PathExistsAt(options.GetMainExePath())) {
    wchar_t command[kPathCapacity + 2];
    std::swprintf(command, std::size(command), L"\"%ls\"", options.GetMainExePath());
    LaunchProcess(command, SW_SHOW);
  }
  QuitWithCode(success ? 0 : 1);
}

void CMainThread::QuitWithCode(int code) {
  exit_code_ = code;
  if (corekit::MessageLoop* loop = corekit::MessageLoop::Current()) loop->Quit();
}

void CMainThread::Cleanup() {
  // A driver still running when the window closed finishes (or rolls back) before this
  // returns, so the process never exits with an install half-done.
  if (misc_thread_) {
    misc_thread_->Stop();
    // A window run's loop always ends with 0; a failed install, whether its result reached
    // the window or the window was closed while it rolled back, makes the run a failure.
    if (misc_thread_->install_failed()) exit_code_ = 1;
  }
  // Every window is gone once the loop has ended.
  if (install_window_) install_window_->Shutdown();
  // A window closed while it waited for another run leaves that run's folders alone.
  if (instance_lock_ && !instance_lock_->TryTake()) return;
  RemoveUpdateLeftovers(CInstallOptions::Get().GetAppDir(), CInstall::LastRunSucceeded());
}

}  // namespace vireo
