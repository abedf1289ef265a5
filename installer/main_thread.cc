#include "installer/main_thread.h"

#include <chrono>
#include <cwchar>

#include "corekit/message_loop.h"
#include "corekit/thread_registry.h"
#include "installer/install.h"
#include "installer/install_options.h"
#include "installer/installer_strings.h"
#include "installer/product_constants.h"
#include "installer/single_instance.h"
#include "installer/ui/install_frame.h"
#include "installer/ui/uninstall_frame.h"
#include "installer/update_cleanup.h"
#include "installer/usage_stats.h"
#include "support/file_attributes.h"
#include "support/install_log.h"
#include "support/module_instance.h"
#include "support/process_launch.h"
#include "ui/markup/global_manager.h"
#include "ui/widgets/ui_startup.h"

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

  const std::wstring event = options.is_update() ? L"update" : L"install";
  corekit::ThreadRegistry::PostTask(kMiscThreadId, [event] { SendUsageEvent(event); });

  if (options.silent && !misc_thread_) {
    // Nothing could ever report a result: end as a failed silent run instead of waiting.
    message_loop()->PostTask(ToWeakCallback([this] { QuitWithCode(1); }));
  } else if (options.silent) {
    BeginInstall();
  } else {
    ShowInstallWindow();
  }
}

void CMainThread::BeginInstall() {
  CMiscThread* worker = misc_thread_.get();
  if (!worker) return;
  corekit::ThreadRegistry::PostTask(kMiscThreadId, worker->ToWeakCallback([worker] { worker->RunInstall(); }));
}

void CMainThread::ShowInstallWindow() {
  if (!ui::GlobalManager::Get().OpenArchiveFromResource(GetModuleInstance(), kSkinResourceName,
                                                        kSkinResourceType, "")) {
    CInstallLog::Get().Write(L"[ui] skin resource %s unreadable", kSkinResourceName);
  }
  if (!toolkit_started_) {
    toolkit_started_ = ui::Startup(L"", nullptr, /*adapt_dpi=*/true, L"", kSkinLanguagePath);
    if (!toolkit_started_) CInstallLog::Get().Write(L"[ui] window toolkit did not start");
  }
  if (install_window()) return;

  const bool uninstall = CInstallOptions::Get().uninstall;
  CUIFrame* frame = uninstall ? static_cast<CUIFrame*>(new CUIUninstallFrame()) : new CUIInstallFrame();
  if (!frame->Create(nullptr, uninstall ? kUninstallWindowTitle : kInstallWindowTitle, WS_POPUP, 0)) {
    // A failed creation leaves the object with its creator.
    delete frame;
    CInstallLog::Get().Write(L"[ui] install window could not be created gle=%u", ::GetLastError());
    // Init runs before the loop does, and a quit asked for then would be lost: queue it.
    message_loop()->PostTask(ToWeakCallback([this] { QuitWithCode(1); }));
    return;
  }
  install_window_ = frame;
  install_window_alive_ = frame->GetWeakFlag();
  frame->SetIcon(kInstallWindowIconId);
  // An uninstall window run has taken its turn before its window opened.
  if (!uninstall && instance_lock_ && !instance_lock_->TryTake()) {
    static_cast<CUIInstallFrame*>(frame)->SetWaiting(true);
    message_loop()->PostDelayedTask(ToWeakCallback([this] { WaitForTurn(); }), kTurnPollInterval);
  }
  frame->ShowToForeground();
}

void CMainThread::WaitForTurn() {
  // Only the install window waits (see ShowInstallWindow).
  auto* window = static_cast<CUIInstallFrame*>(install_window());
  if (!window) return;  // closed while waiting: nothing more to do
  if (!instance_lock_->TryTake()) {
    message_loop()->PostDelayedTask(ToWeakCallback([this] { WaitForTurn(); }), kTurnPollInterval);
    return;
  }
  CInstallOptions::Get().Reload();
  window->SetWaiting(false);
}

CUIFrame* CMainThread::install_window() const {
  return install_window_alive_.expired() ? nullptr : install_window_;
}

void CMainThread::OnProgress(SETUP_PROGRESS stage, float percent) {
  if (CUIFrame* window = install_window()) {
    ::PostMessageW(window->GetHWND(), kWmInstallProgress, static_cast<WPARAM>(stage),
                   static_cast<LPARAM>(static_cast<int>(percent)));
  }
}

void CMainThread::OnInstallResult(bool success, std::wstring message, bool ran_steps) {
  CInstallOptions& options = CInstallOptions::Get();
  if (!options.silent) {
    // A failed uninstall the user watched still ends the process with 1.
    if (!success && options.uninstall) exit_code_ = 1;
    CUIFrame* window = install_window();
    if (!window) return;
    if (success) {
      ::PostMessageW(window->GetHWND(), kWmInstallProgress, PROGRESS_DONE, 100);
    } else {
      window->OnInstallFailed(message);
    }
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
  if (toolkit_started_) ui::Shutdown();
  toolkit_started_ = false;
  // A window closed while it waited for another run leaves that run's folders alone.
  if (instance_lock_ && !instance_lock_->TryTake()) return;
  RemoveUpdateLeftovers(CInstallOptions::Get().GetAppDir(), CInstall::LastRunSucceeded());
}

}  // namespace vireo
