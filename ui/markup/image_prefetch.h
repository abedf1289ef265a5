// Decoding images ahead on a worker thread, for the image cache (image_cache.h) to take over.
// A window's large background takes about as long to decode as the window takes to be
// created and shown; decoded ahead, its first paint finds it ready.
//
//  IP1. Add(path, load) queues |load| for |path| unless |path| is queued, loading or waiting
//      to be taken already (false then). One worker thread runs the queued loads one after
//      another, in the order they were added; it starts with the first load and ends when
//      the queue is empty. A thread the system refuses queues nothing (false).
//  IP2. Take(path) answers nullopt for a path that was never added (or was taken or
//      cancelled since); otherwise it waits until the load of |path| has run and hands over
//      what it returned, null for a failed load, and forgets |path|.
//  IP3. Cancel() drops the loads not started, waits for the one running, joins the thread
//      and frees every result nobody took. The destructor cancels.
//  IP4. Add, Take and Cancel are called from one thread, the owner's (the UI thread). A load
//      runs on the worker: it must own what it reads and start whatever it needs there
//      (GDI+ included).
#pragma once

#include <windows.h>

#include <condition_variable>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

#include "support/scoped_handle.h"
#include "ui/markup/decoded_image.h"

namespace ui {

class ImagePrefetch {
 public:
  using Loader = std::function<std::shared_ptr<DecodedImage>()>;

  ImagePrefetch() = default;
  ImagePrefetch(const ImagePrefetch&) = delete;
  ImagePrefetch& operator=(const ImagePrefetch&) = delete;
  ~ImagePrefetch() { Cancel(); }

  bool Add(const std::wstring& path, Loader load);                              // IP1
  std::optional<std::shared_ptr<DecodedImage>> Take(const std::wstring& path);  // IP2
  void Cancel();                                                                // IP3
  // Whether |path| is queued, loading or waiting to be taken.
  bool Has(const std::wstring& path) const;

 private:
  struct Job {
    std::wstring path;
    Loader load;
  };
  struct Slot {
    bool done = false;
    std::shared_ptr<DecodedImage> image;
  };

  static unsigned __stdcall ThreadProc(void* self);
  void RunQueue();

  mutable std::mutex mutex_;
  std::condition_variable loaded_;
  std::deque<Job> queue_;            // guarded by |mutex_|
  std::map<std::wstring, Slot> slots_;  // guarded by |mutex_|; erased by the owner only
  bool running_ = false;             // guarded by |mutex_|: the worker still takes jobs
  vireo::ScopedHandle thread_;       // owner only
};

}  // namespace ui
