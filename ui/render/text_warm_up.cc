#include "ui/render/text_warm_up.h"

#include <process.h>

#include <atomic>
#include <condition_variable>
#include <mutex>

#include "support/scoped_gdi.h"
#include "support/scoped_gdiplus.h"
#include "support/scoped_handle.h"
#include "ui/render/font_fallback.h"
#include "ui/render/gdiplus_text.h"

namespace ui {
namespace {

// Any short text does: the cost lies in making the first font, not in the string.
constexpr wchar_t kSample[] = L"Aa";

class WarmUp {
 public:
  WarmUp() = default;
  WarmUp(const WarmUp&) = delete;
  WarmUp& operator=(const WarmUp&) = delete;
  ~WarmUp() { Finish(); }  // TW3: a warm-up left running at exit

  bool Start(const LOGFONTW& font);
  void Wait();
  void Finish();

 private:
  static unsigned __stdcall ThreadProc(void* self);
  void MarkTextDone();

  // Written by Start before the thread exists, read by the thread, cleared by Finish after
  // the join: never touched by two threads at once.
  LOGFONTW font_{};
  vireo::ScopedHandle thread_;  // UI thread only

  std::mutex mutex_;
  std::condition_variable text_done_;
  std::atomic<bool> text_pending_{false};  // written under |mutex_|
  std::atomic<DWORD> thread_id_{0};
};

bool WarmUp::Start(const LOGFONTW& font) {
  if (thread_.valid()) return false;
  font_ = font;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    text_pending_ = true;
  }
  // _beginthreadex rather than CreateThread so the C runtime sets up its per-thread data.
  thread_.reset(reinterpret_cast<HANDLE>(::_beginthreadex(nullptr, 0, &WarmUp::ThreadProc, this, 0, nullptr)));
  if (thread_.valid()) return true;
  MarkTextDone();
  return false;
}

unsigned __stdcall WarmUp::ThreadProc(void* self) {
  auto* warm_up = static_cast<WarmUp*>(self);
  // Set here, before any measuring, so the thread's own Wait knows it (see Wait).
  warm_up->thread_id_ = ::GetCurrentThreadId();
  {
    // TW4: every GDI+ object goes before this thread's session ends.
    const vireo::ScopedGdiplus gdiplus;
    const vireo::ScopedFont font(::CreateFontIndirectW(&warm_up->font_));
    const vireo::ScopedMemoryDc dc(::CreateCompatibleDC(nullptr));
    if (gdiplus.ok() && font.valid() && dc.valid()) {
      Gdiplus::Bitmap surface(1, 1, PixelFormat32bppPARGB);
      Gdiplus::Graphics graphics(&surface);
      // The path the UI thread takes, so whatever it builds on first use is built here.
      MeasureTextWith(graphics, dc.get(), kSample, font.get(), DT_SINGLELINE, -1);
    }
    // What a text in a face the system lacks needs first (TW6).
    EnumerateInstalledFaces();
  }
  warm_up->MarkTextDone();
  return 0;
}

void WarmUp::MarkTextDone() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    text_pending_ = false;
  }
  text_done_.notify_all();
}

void WarmUp::Wait() {
  if (!text_pending_) return;
  // The warm-up's own measuring must not wait for itself.
  if (::GetCurrentThreadId() == thread_id_) return;
  std::unique_lock<std::mutex> lock(mutex_);
  text_done_.wait(lock, [this] { return !text_pending_; });
}

void WarmUp::Finish() {
  if (!thread_.valid()) return;
  ::WaitForSingleObject(thread_.get(), INFINITE);
  thread_.reset();
  thread_id_ = 0;
}

WarmUp& TheWarmUp() {
  static WarmUp warm_up;
  return warm_up;
}

}  // namespace

bool StartTextWarmUp(const LOGFONTW& font) { return TheWarmUp().Start(font); }

void WaitForTextWarmUp() { TheWarmUp().Wait(); }

void FinishTextWarmUp() { TheWarmUp().Finish(); }

}  // namespace ui
