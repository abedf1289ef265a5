#include "installer/single_instance.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "support/scoped_handle.h"
#include "tests/test_support/process_runner.h"

namespace vireo::test {
namespace {

// Takes the mutex on a thread of its own and keeps it until |release| is set, or abandons
// it (the thread ends holding it) when |release| is null.
class Holder {
 public:
  Holder(std::wstring mutex_name, HANDLE release_event) : name(std::move(mutex_name)), release(release_event) {}

  std::wstring name;
  HANDLE release = nullptr;
  ScopedHandle taken{::CreateEventW(nullptr, TRUE, FALSE, nullptr)};
  ScopedHandle thread;

  static DWORD WINAPI Body(void* param) {
    auto* self = static_cast<Holder*>(param);
    HANDLE mutex = ::CreateMutexW(nullptr, FALSE, self->name.c_str());
    if (::WaitForSingleObject(mutex, 0) != WAIT_OBJECT_0) {
      ::CloseHandle(mutex);
      return 1;  // Start() sees no "taken"
    }
    ::SetEvent(self->taken.get());
    if (self->release) {
      ::WaitForSingleObject(self->release, 30000);
      ::ReleaseMutex(mutex);
    }
    ::CloseHandle(mutex);
    return 0;
  }
  bool Start() {
    thread.reset(::CreateThread(nullptr, 0, &Body, this, 0, nullptr));
    return thread && ::WaitForSingleObject(taken.get(), 10000) == WAIT_OBJECT_0;
  }
};

HWND g_window = nullptr;
HWND FindTestWindow() { return g_window; }
HWND FindNothing() { return nullptr; }

// SI1, SI6: a free mutex is taken at once and released with the lock object; one abandoned
// by a holder that ended without releasing it is taken at once too.
TEST(SingleInstanceTest, FreeOrAbandonedMutexIsTaken) {
  const std::wstring name = UniqueName(L"vireo_lock");
  {
    CSingleInstance first(name, 0);
    EXPECT_EQ(first.Acquire(true), CSingleInstance::Outcome::kGoAhead);
    EXPECT_TRUE(first.owned());
  }
  Holder crashed(name, nullptr);
  ASSERT_TRUE(crashed.Start());
  ASSERT_EQ(::WaitForSingleObject(crashed.thread.get(), 10000), WAIT_OBJECT_0);
  CSingleInstance next(name, 0);
  EXPECT_EQ(next.Acquire(true), CSingleInstance::Outcome::kGoAhead);
  EXPECT_TRUE(next.owned());
}

// SI2: a silent run behind a holder that keeps running gives up after the wait limit with
// exit status 1, without the mutex.
TEST(SingleInstanceTest, SilentRunGivesUpAfterTheLimit) {
  const std::wstring name = UniqueName(L"vireo_lock");
  const ScopedHandle release(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
  Holder holder(name, release.get());
  ASSERT_TRUE(holder.Start());
  CSingleInstance waiting(name, 200);
  EXPECT_EQ(waiting.TakeTurn(true), std::optional<int>(1));
  EXPECT_FALSE(waiting.owned());
  ::SetEvent(release.get());
  ::WaitForSingleObject(holder.thread.get(), 10000);
}

// SI3: a window run hands over to the holder's window, restoring it when minimised, and ends
// with status 0. SI4: without a window it goes ahead at once without the lock, and takes the
// lock once the holder has finished.
TEST(SingleInstanceTest, WindowRunHandsOverOrWaits) {
  const std::wstring name = UniqueName(L"vireo_lock");
  const ScopedHandle release(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
  Holder holder(name, release.get());
  ASSERT_TRUE(holder.Start());

  g_window = ::CreateWindowExW(0, L"STATIC", L"holder", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr,
                               nullptr, nullptr);
  ASSERT_NE(g_window, nullptr);
  ::ShowWindow(g_window, SW_MINIMIZE);
  CSingleInstance handing_over(name, 10000, &FindTestWindow);
  EXPECT_EQ(handing_over.TakeTurn(false), std::optional<int>(0));
  EXPECT_FALSE(::IsIconic(g_window));
  ::DestroyWindow(g_window);

  CSingleInstance waiting(name, 10000, &FindNothing);
  EXPECT_EQ(waiting.TakeTurn(false), std::nullopt);
  EXPECT_FALSE(waiting.owned());
  EXPECT_FALSE(waiting.TryTake());
  ::SetEvent(release.get());
  ASSERT_EQ(::WaitForSingleObject(holder.thread.get(), 10000), WAIT_OBJECT_0);
  EXPECT_TRUE(waiting.TryTake());
  EXPECT_TRUE(waiting.owned());
}

}  // namespace
}  // namespace vireo::test
