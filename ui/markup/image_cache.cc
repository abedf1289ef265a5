#include "ui/markup/image_cache.h"

namespace ui {

std::shared_ptr<DecodedImage> ImageCache::Get(const std::wstring& path, const Loader& load) {
  const auto it = entries_->find(path);
  if (it != entries_->end()) {
    if (std::shared_ptr<DecodedImage> live = it->second.lock()) return live;
  }
  std::shared_ptr<DecodedImage> loaded = load();
  if (!loaded) return nullptr;
  // The holders share one owner whose deleter frees the image and drops the entry (I2); it
  // reaches the table through a weak reference, so a cache that is gone is left alone (I3).
  std::weak_ptr<Entries> table = entries_;
  DecodedImage* raw = new DecodedImage(std::move(*loaded));
  std::shared_ptr<DecodedImage> shared(raw, [table, path](DecodedImage* image) {
    if (std::shared_ptr<Entries> entries = table.lock()) {
      const auto found = entries->find(path);
      if (found != entries->end() && found->second.expired()) entries->erase(found);
    }
    delete image;
  });
  (*entries_)[path] = shared;
  return shared;
}

}  // namespace ui
