#include "ui/markup/image_cache.h"

#include <optional>
#include <utility>

namespace ui {

std::shared_ptr<DecodedImage> ImageCache::Cached(const std::wstring& path) const {
  const auto it = entries_->find(path);
  return it != entries_->end() ? it->second.lock() : nullptr;
}

bool ImageCache::Wants(const std::wstring& path) const { return !Cached(path) && !prefetch_.Has(path); }

bool ImageCache::Prefetch(const std::wstring& path, Loader load) {
  if (Cached(path)) return false;
  return prefetch_.Add(path, std::move(load));
}

std::shared_ptr<DecodedImage> ImageCache::Get(const std::wstring& path, const Loader& load) {
  if (std::shared_ptr<DecodedImage> live = Cached(path)) return live;
  std::shared_ptr<DecodedImage> loaded;
  if (std::optional<std::shared_ptr<DecodedImage>> prefetched = prefetch_.Take(path)) loaded = std::move(*prefetched);
  if (!loaded) loaded = load();
  if (!loaded) return nullptr;
  // The holders share one owner whose deleter frees the image and drops the entry (IC2); it
  // reaches the table through a weak reference, so a cache that is gone is left alone (IC3).
  // The owner takes the loaded image's own object over, so a prefetched image is the very
  // one its holders get (IC5).
  std::weak_ptr<Entries> table = entries_;
  std::shared_ptr<DecodedImage> shared(loaded.get(), [table, path, keep = loaded](DecodedImage*) mutable {
    if (std::shared_ptr<Entries> entries = table.lock()) {
      const auto found = entries->find(path);
      if (found != entries->end() && found->second.expired()) entries->erase(found);
    }
    keep.reset();
  });
  (*entries_)[path] = shared;
  return shared;
}

}  // namespace ui
