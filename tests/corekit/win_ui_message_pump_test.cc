// Rules UP1-UP7 of corekit/win_ui_message_pump.h, with real windows and message boxes (the
// test harness provides an X display).
#include "corekit/win_ui_message_pump.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "corekit/message_loop.h"
#include "corekit/message_loop_proxy.h"
#include "corekit/time_now.h"
#include "corekit/waitable_event.h"
#include "tests/corekit/corekit_test_util.h"

namespace {

using corekit::MessageLoop;
using corekit::WaitableEvent;
using corekit::WinUIMessagePump;
using corekit_test::ArmLoopTimeout;
using corekit_test::kTimeoutMs;

constexpr UINT kMsgOpenBox = WM_APP + 1;

// Catches the message box of the calling thread as it is activated, so other threads and
// tasks can close it without searching or waiting on guesses.
class MessageBoxWatcher {
 public:
  MessageBoxWatcher() {
    instance_ = this;
    hook_ = ::SetWindowsHookExW(WH_CBT, &HookProc, nullptr, ::GetCurrentThreadId());
  }
  ~MessageBoxWatcher() {
    if (hook_) ::UnhookWindowsHookEx(hook_);
    instance_ = nullptr;
  }
  bool hooked() const { return hook_ != nullptr; }
  HWND box() const { return box_.load(); }
  WaitableEvent& opened() { return opened_; }

  // Closes the box as its OK button would.
  static void Close(HWND box) { ::PostMessageW(box, WM_COMMAND, IDOK, 0); }

 private:
  static LRESULT CALLBACK HookProc(int code, WPARAM wparam, LPARAM lparam) {
    if (code == HCBT_ACTIVATE && instance_ && !instance_->box_.load()) {
      wchar_t name[16] = {};
      HWND hwnd = reinterpret_cast<HWND>(wparam);
      if (::GetClassNameW(hwnd, name, 16) && std::wstring(name) == L"#32770") {
        instance_->box_.store(hwnd);
        instance_->opened_.Signal();
      }
    }
    return ::CallNextHookEx(nullptr, code, wparam, lparam);
  }

  static inline MessageBoxWatcher* instance_ = nullptr;
  HHOOK hook_ = nullptr;
  std::atomic<HWND> box_{nullptr};
  WaitableEvent opened_{WaitableEvent::ResetPolicy::kManual};
};

// A plain window whose handler opens a message box, the way a button click would.
class BoxOpener {
 public:
  BoxOpener() {
    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = &WndProc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = L"CorekitBoxOpener";
    ::RegisterClassExW(&wc);
    hwnd_ = ::CreateWindowExW(0, wc.lpszClassName, L"opener", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100,
                              nullptr, nullptr, wc.hInstance, nullptr);
    ::SetWindowLongPtrW(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  }
  ~BoxOpener() { ::DestroyWindow(hwnd_); }
  HWND hwnd() const { return hwnd_; }

  std::atomic<bool> box_open{false};
  int box_result = 0;

  // Opens the box and, once it is closed, ends the loop's run.
  void OpenBox() {
    box_open = true;
    box_result = ::MessageBoxW(nullptr, L"corekit test", L"corekit", MB_OK);
    box_open = false;
    MessageLoop::Current()->Quit();
  }

 private:
  static LRESULT CALLBACK WndProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    auto* self = reinterpret_cast<BoxOpener*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (self && message == kMsgOpenBox) {
      self->OpenBox();
      return 0;
    }
    return ::DefWindowProcW(hwnd, message, wparam, lparam);
  }

  HWND hwnd_ = nullptr;
};

HWND FindPumpWindow() {
  return ::FindWindowExW(HWND_MESSAGE, nullptr, L"MessagePumpWindow", nullptr);
}

// UP3: tasks posted from another thread run while a message box (opened from a window
// message) runs its modal loop on the loop's thread.
TEST(CorekitWinUIMessagePumpTest, TasksRunInsideMessageBox) {
  MessageLoop loop(MessageLoop::Type::kUI);
  MessageBoxWatcher watcher;
  ASSERT_TRUE(watcher.hooked());
  BoxOpener opener;
  ASSERT_TRUE(opener.hwnd());
  std::vector<bool> ran_while_open;
  std::thread poster([&] {
    ASSERT_TRUE(watcher.opened().TimedWait(kTimeoutMs));
    auto proxy = loop.GetProxy();
    for (int i = 0; i < 3; ++i) {
      proxy->PostTask([&] { ran_while_open.push_back(opener.box_open); });
    }
    proxy->PostTask([&] { MessageBoxWatcher::Close(watcher.box()); });
  });
  ::PostMessageW(opener.hwnd(), kMsgOpenBox, 0, 0);
  auto timed_out = ArmLoopTimeout(loop);
  loop.Run();
  poster.join();
  ASSERT_FALSE(*timed_out);
  EXPECT_EQ(opener.box_result, IDOK);
  EXPECT_EQ(ran_while_open, (std::vector<bool>{true, true, true}));
}

// UP3/UP4: inside a modal loop a delayed task still fires, through the pump window's timer.
TEST(CorekitWinUIMessagePumpTest, DelayedTaskFiresThroughTimerInsideMessageBox) {
  MessageLoop loop(MessageLoop::Type::kUI);
  MessageBoxWatcher watcher;
  ASSERT_TRUE(watcher.hooked());
  BoxOpener opener;
  bool ran_while_open = false;
  int64_t late_us = -1;
  std::thread poster([&] {
    ASSERT_TRUE(watcher.opened().TimedWait(kTimeoutMs));
    const int64_t posted = corekit::TimeNow();
    loop.GetProxy()->PostDelayedTask(
        [&, posted] {
          late_us = corekit::TimeNow() - posted - 50'000;
          ran_while_open = opener.box_open;
          MessageBoxWatcher::Close(watcher.box());
        },
        50'000);
  });
  ::PostMessageW(opener.hwnd(), kMsgOpenBox, 0, 0);
  auto timed_out = ArmLoopTimeout(loop);
  loop.Run();
  poster.join();
  ASSERT_FALSE(*timed_out);
  EXPECT_TRUE(ran_while_open);
  EXPECT_GE(late_us, 0) << "the delayed task ran early";
}

// Opens a message box from inside a task (optionally allowing nestable tasks around it),
// posts one task from another thread while it is open, and reports whether that task ran
// while the box was still open.
std::vector<bool> RunTaskPostedDuringBoxOpenedFromTask(bool allow) {
  MessageLoop loop(MessageLoop::Type::kUI);
  MessageBoxWatcher watcher;
  EXPECT_TRUE(watcher.hooked());
  std::atomic<bool> box_open{false};
  std::vector<bool> ran_while_open;
  loop.PostTask([&] {
    std::unique_ptr<MessageLoop::ScopedNestableTaskAllower> allower;
    if (allow) allower = std::make_unique<MessageLoop::ScopedNestableTaskAllower>(&loop);
    box_open = true;
    ::MessageBoxW(nullptr, L"from a task", L"corekit", MB_OK);
    box_open = false;
    loop.Quit();
  });
  std::thread poster([&] {
    ASSERT_TRUE(watcher.opened().TimedWait(kTimeoutMs));
    loop.GetProxy()->PostTask([&] { ran_while_open.push_back(box_open); });
    if (allow) {
      loop.GetProxy()->PostTask([&] { MessageBoxWatcher::Close(watcher.box()); });
    } else {
      // Queued behind the task's wake-up: the box handles both before it returns.
      MessageBoxWatcher::Close(watcher.box());
    }
  });
  auto timed_out = ArmLoopTimeout(loop);
  loop.Run();
  poster.join();
  EXPECT_FALSE(*timed_out);
  return ran_while_open;
}

// ML3: a message box opened from inside a task runs no tasks, because nestable tasks are off
// while a task runs; the task posted meanwhile runs once the box is closed.
TEST(CorekitWinUIMessagePumpTest, MessageBoxFromTaskRunsNoTasks) {
  EXPECT_EQ(RunTaskPostedDuringBoxOpenedFromTask(false), std::vector<bool>{false});
}

// ML3/UP3: with ScopedNestableTaskAllower around it, the same box runs the task while open.
TEST(CorekitWinUIMessagePumpTest, MessageBoxFromTaskRunsTasksWhenAllowed) {
  EXPECT_EQ(RunTaskPostedDuringBoxOpenedFromTask(true), std::vector<bool>{true});
}

// UP1: however often work is scheduled, at most one have-work message is queued; the pump
// window is a message-only window of class "MessagePumpWindow".
TEST(CorekitWinUIMessagePumpTest, AtMostOneHaveWorkMessageIsQueued) {
  WinUIMessagePump pump;
  HWND window = pump.window_for_testing();
  ASSERT_TRUE(window);
  EXPECT_EQ(FindPumpWindow(), window);
  std::thread a([&] { for (int i = 0; i < 500; ++i) pump.ScheduleWork(); });
  std::thread b([&] { for (int i = 0; i < 500; ++i) pump.ScheduleWork(); });
  a.join();
  b.join();
  for (int i = 0; i < 500; ++i) pump.ScheduleWork();
  int count = 0;
  MSG msg;
  while (::PeekMessageW(&msg, nullptr, WinUIMessagePump::kMsgHaveWork,
                        WinUIMessagePump::kMsgHaveWork, PM_REMOVE)) {
    EXPECT_EQ(msg.hwnd, window);
    EXPECT_EQ(msg.wParam, reinterpret_cast<WPARAM>(&pump));
    ++count;
  }
  EXPECT_EQ(count, 1);
}

// UP1 through the loop: a thousand posts from another thread leave one have-work message,
// and every task then runs in order.
TEST(CorekitWinUIMessagePumpTest, ManyPostsOneWakeUp) {
  MessageLoop loop(MessageLoop::Type::kUI);
  HWND window = FindPumpWindow();
  ASSERT_TRUE(window);
  std::vector<int> ran;
  std::thread([&] {
    auto proxy = loop.GetProxy();
    for (int i = 0; i < 1000; ++i) proxy->PostTask([&ran, i] { ran.push_back(i); });
    proxy->PostTask([&] { loop.Quit(); });
  }).join();
  int count = 0;
  MSG msg;
  MSG wake = {};
  while (::PeekMessageW(&msg, window, WinUIMessagePump::kMsgHaveWork,
                        WinUIMessagePump::kMsgHaveWork, PM_REMOVE)) {
    wake = msg;
    ++count;
  }
  EXPECT_EQ(count, 1);
  ::PostMessageW(window, wake.message, wake.wParam, wake.lParam);  // put the wake-up back
  auto timed_out = ArmLoopTimeout(loop);
  loop.Run();
  ASSERT_FALSE(*timed_out);
  ASSERT_EQ(ran.size(), 1000u);
  for (int i = 0; i < 1000; ++i) ASSERT_EQ(ran[i], i);
}

// UP5: WM_QUIT ends the run and is posted again, with its code, for an enclosing loop.
TEST(CorekitWinUIMessagePumpTest, QuitMessageEndsRunAndIsReposted) {
  MessageLoop loop(MessageLoop::Type::kUI);
  loop.PostTask([] { ::PostQuitMessage(7); });
  auto timed_out = ArmLoopTimeout(loop);
  loop.Run();
  ASSERT_FALSE(*timed_out);
  MSG msg;
  ASSERT_TRUE(::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(msg.wParam, 7u);
}

// UP5: a dispatcher sees the window messages instead of DispatchMessage; declining one ends
// the run.
TEST(CorekitWinUIMessagePumpTest, DecliningDispatcherEndsRun) {
  struct Recorder : corekit::Dispatcher {
    bool Dispatch(const MSG& msg) override {
      seen.push_back(msg.message);
      return msg.message != WM_APP + 2;
    }
    std::vector<UINT> seen;
  } dispatcher;
  MessageLoop loop(MessageLoop::Type::kUI);
  BoxOpener window;  // any window of this thread
  ::PostMessageW(window.hwnd(), WM_APP + 3, 0, 0);
  ::PostMessageW(window.hwnd(), WM_APP + 2, 0, 0);
  auto timed_out = ArmLoopTimeout(loop);
  loop.RunWithDispatcher(&dispatcher);
  ASSERT_FALSE(*timed_out);
  std::vector<UINT> app_messages;
  for (UINT m : dispatcher.seen) {
    if (m >= WM_APP) app_messages.push_back(m);
  }
  EXPECT_EQ(app_messages, (std::vector<UINT>{WM_APP + 3, WM_APP + 2}));
}

// A have-work message with a forged wParam is passed on to the default procedure, not taken
// for a pump.
TEST(CorekitWinUIMessagePumpTest, ForgedHaveWorkMessageIsIgnored) {
  MessageLoop loop(MessageLoop::Type::kUI);
  HWND window = FindPumpWindow();
  ASSERT_TRUE(window);
  ::SendMessageW(window, WinUIMessagePump::kMsgHaveWork, 0x1234, 0);
  ::SendMessageW(window, WM_TIMER, 0x1234, 0);
  bool ran = false;
  loop.PostTask([&] {
    ran = true;
    loop.Quit();
  });
  auto timed_out = ArmLoopTimeout(loop);
  loop.Run();
  ASSERT_FALSE(*timed_out);
  EXPECT_TRUE(ran);
}

}  // namespace
