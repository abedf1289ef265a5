// Decoded images by resolved path, shared by every control that names the same path.
//
//  I1. Get() gives the live image cached under |path|, or calls |load| and caches what it
//      returns; a null result (a failed decode) is not cached, so the next Get() tries
//      again.
//  I2. The cache holds weak references only: an image lives while a holder (a
//      std::shared_ptr) has it. When the last holder lets go, the image is freed and its
//      entry removed at once.
//  I3. UI thread only; the cache may be destroyed before or after the images it handed out.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>

#include "ui/markup/decoded_image.h"

namespace ui {

class ImageCache {
 public:
  using Loader = std::function<std::shared_ptr<DecodedImage>()>;

  ImageCache() : entries_(std::make_shared<Entries>()) {}
  ImageCache(const ImageCache&) = delete;
  ImageCache& operator=(const ImageCache&) = delete;

  std::shared_ptr<DecodedImage> Get(const std::wstring& path, const Loader& load);
  size_t size() const { return entries_->size(); }

 private:
  using Entries = std::map<std::wstring, std::weak_ptr<DecodedImage>>;
  std::shared_ptr<Entries> entries_;
};

}  // namespace ui
