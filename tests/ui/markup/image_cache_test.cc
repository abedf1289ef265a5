#include "ui/markup/image_cache.h"

#include <gtest/gtest.h>

#include <memory>

namespace ui {
namespace {

TEST(ImageCacheTest, SharedWhileHeldAndNeverCachingFailures) {
  int loads = 0;
  const ImageCache::Loader load = [&loads]() {
    ++loads;
    auto image = std::make_shared<DecodedImage>();
    image->width = loads;
    return image;
  };
  ImageCache cache;
  std::shared_ptr<DecodedImage> first = cache.Get(L"a.png", load);
  std::shared_ptr<DecodedImage> again = cache.Get(L"a.png", load);
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(first, again);
  EXPECT_EQ(loads, 1);
  EXPECT_EQ(cache.size(), 1u);

  // The entry goes with the last holder; the next request decodes again.
  first.reset();
  EXPECT_EQ(cache.size(), 1u);
  again.reset();
  EXPECT_EQ(cache.size(), 0u);
  EXPECT_EQ(cache.Get(L"a.png", load)->width, 2);

  // A failed decode is not remembered.
  int failures = 0;
  const ImageCache::Loader fail = [&failures]() {
    ++failures;
    return std::shared_ptr<DecodedImage>();
  };
  EXPECT_EQ(cache.Get(L"bad.png", fail), nullptr);
  EXPECT_EQ(cache.Get(L"bad.png", fail), nullptr);
  EXPECT_EQ(failures, 2);
  EXPECT_EQ(cache.size(), 0u);
}

TEST(ImageCacheTest, ImagesOutliveTheCache) {
  std::shared_ptr<DecodedImage> kept;
  {
    ImageCache cache;
    kept = cache.Get(L"a.png", [] { return std::make_shared<DecodedImage>(); });
  }
  ASSERT_NE(kept, nullptr);
  kept.reset();  // the deleter finds no cache and only frees the image
}

}  // namespace
}  // namespace ui
