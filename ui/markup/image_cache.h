// Decoded images by resolved path, shared by every control that names the same path.
//
//  IC1. Get() gives the live image cached under |path|, or calls |load| and caches what it
//      returns; a null result (a failed decode) is not cached, so the next Get() tries
//      again.
//  IC2. The cache holds weak references only: an image lives while a holder (a
//      std::shared_ptr) has it. When the last holder lets go, the image is freed and its
//      entry removed at once.
//  IC3. The cache's map is used on the UI thread only; the cache may be destroyed before or
//      after the images it handed out.
//  IC4. Prefetch(path, load) hands |load| to the prefetch worker (image_prefetch.h) unless
//      |path| has a live image or a prefetch already (false then, as when no worker can be
//      started).
//  IC5. Get() of a prefetched path takes the prefetched image over instead of calling its own
//      loader, waiting for a decode that still runs rather than starting a second one; the
//      holders share that very image object, cached as a load of its own would be (IC1, IC2).
//      A prefetch that failed (null) leaves Get() to call its own loader.
//  IC6. CancelPrefetches() (and the destructor) drops the prefetches not started, waits for
//      the running one and frees what nobody took.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>

#include "ui/markup/decoded_image.h"
#include "ui/markup/image_prefetch.h"

namespace ui {

class ImageCache {
 public:
  using Loader = std::function<std::shared_ptr<DecodedImage>()>;

  ImageCache() : entries_(std::make_shared<Entries>()) {}
  ImageCache(const ImageCache&) = delete;
  ImageCache& operator=(const ImageCache&) = delete;

  std::shared_ptr<DecodedImage> Get(const std::wstring& path, const Loader& load);
  bool Prefetch(const std::wstring& path, Loader load);  // IC4
  void CancelPrefetches() { prefetch_.Cancel(); }        // IC6
  // Whether |path| has neither a live image nor a prefetch (IC4 would accept it).
  bool Wants(const std::wstring& path) const;
  size_t size() const { return entries_->size(); }

 private:
  using Entries = std::map<std::wstring, std::weak_ptr<DecodedImage>>;
  std::shared_ptr<DecodedImage> Cached(const std::wstring& path) const;

  std::shared_ptr<Entries> entries_;
  ImagePrefetch prefetch_;  // declared last: its worker is gone before the map
};

}  // namespace ui
