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

TEST(ImageCacheTest, GetTakesAPrefetchedImageOverAndFallsBackWhenItFailed) {
  int own_loads = 0;
  const ImageCache::Loader own = [&own_loads]() {
    ++own_loads;
    return std::make_shared<DecodedImage>();
  };
  DecodedImage* prefetched = nullptr;
  ImageCache cache;
  ASSERT_TRUE(cache.Prefetch(L"bg.png", [&prefetched] {
    auto image = std::make_shared<DecodedImage>();
    prefetched = image.get();
    return image;
  }));
  EXPECT_FALSE(cache.Wants(L"bg.png"));
  EXPECT_FALSE(cache.Prefetch(L"bg.png", own));  // one decode per path

  // Get waits for the decode and hands out that very object, cached like its own loads.
  std::shared_ptr<DecodedImage> image = cache.Get(L"bg.png", own);
  EXPECT_EQ(image.get(), prefetched);
  EXPECT_EQ(own_loads, 0);
  EXPECT_EQ(cache.Get(L"bg.png", own), image);
  EXPECT_FALSE(cache.Prefetch(L"bg.png", own));  // live already
  image.reset();
  EXPECT_EQ(cache.size(), 0u);

  // A failed prefetch leaves the path to the caller's own loader.
  ASSERT_TRUE(cache.Prefetch(L"bad.png", [] { return std::shared_ptr<DecodedImage>(); }));
  EXPECT_NE(cache.Get(L"bad.png", own), nullptr);
  EXPECT_EQ(own_loads, 1);
}

}  // namespace
}  // namespace ui
