#include "ui/markup/image_prefetch.h"

#include <process.h>

#include <utility>

namespace ui {

bool ImagePrefetch::Add(const std::wstring& path, Loader load) {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    if (slots_.count(path) != 0) return false;
    slots_.emplace(path, Slot{});
    queue_.push_back(Job{path, std::move(load)});
    if (running_) return true;  // the worker takes it after what it has
    running_ = true;
  }
  // The previous worker, if any, left its loop; its end is only waited for here.
  if (thread_.valid()) ::WaitForSingleObject(thread_.get(), INFINITE);
  // _beginthreadex rather than CreateThread so the C runtime sets up its per-thread data.
  thread_.reset(reinterpret_cast<HANDLE>(::_beginthreadex(nullptr, 0, &ImagePrefetch::ThreadProc, this, 0, nullptr)));
  if (thread_.valid()) return true;
  std::lock_guard<std::mutex> lock(mutex_);
  running_ = false;
  queue_.clear();  // only this job: no worker was running to have taken others
  slots_.erase(path);
  return false;
}

unsigned __stdcall ImagePrefetch::ThreadProc(void* self) {
  static_cast<ImagePrefetch*>(self)->RunQueue();
  return 0;
}

void ImagePrefetch::RunQueue() {
  for (;;) {
    Job job;
    {
      std::lock_guard<std::mutex> lock(mutex_);
      if (queue_.empty()) {
        running_ = false;
        return;
      }
      job = std::move(queue_.front());
      queue_.pop_front();
    }
    std::shared_ptr<DecodedImage> image = job.load();
    {
      std::lock_guard<std::mutex> lock(mutex_);
      // The slot stays until the owner takes it; Cancel waits for this thread first.
      Slot& slot = slots_[job.path];
      slot.done = true;
      slot.image = std::move(image);
    }
    loaded_.notify_all();
  }
}

std::optional<std::shared_ptr<DecodedImage>> ImagePrefetch::Take(const std::wstring& path) {
  std::unique_lock<std::mutex> lock(mutex_);
  const auto it = slots_.find(path);
  if (it == slots_.end()) return std::nullopt;
  // Only the owner erases slots, so |it| stays valid while the lock is released.
  loaded_.wait(lock, [&it] { return it->second.done; });
  std::shared_ptr<DecodedImage> image = std::move(it->second.image);
  slots_.erase(it);
  return image;
}

void ImagePrefetch::Cancel() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    for (const Job& job : queue_) slots_.erase(job.path);
    queue_.clear();
  }
  if (thread_.valid()) ::WaitForSingleObject(thread_.get(), INFINITE);
  thread_.reset();
  std::map<std::wstring, Slot> untaken;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    untaken.swap(slots_);
  }
  // The images are freed here, outside the lock.
}

bool ImagePrefetch::Has(const std::wstring& path) const {
  std::lock_guard<std::mutex> lock(mutex_);
  return slots_.count(path) != 0;
}

}  // namespace ui
