#include "ui/markup/image_prefetch.h"

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <vector>

#include "support/scoped_handle.h"

namespace ui {
namespace {

constexpr DWORD kLimitMs = 10000;

// A load that reports when it starts and then waits to be released.
class Gate {
 public:
  ImagePrefetch::Loader Load(int width) {
    return [this, width] {
      ::SetEvent(started_.get());
      ::WaitForSingleObject(release_.get(), kLimitMs);
      ++runs_;
      auto image = std::make_shared<DecodedImage>();
      image->width = width;
      return image;
    };
  }
  bool WaitStarted() { return ::WaitForSingleObject(started_.get(), kLimitMs) == WAIT_OBJECT_0; }
  void Release() { ::SetEvent(release_.get()); }
  int runs() const { return runs_; }

 private:
  vireo::ScopedHandle started_{::CreateEventW(nullptr, TRUE, FALSE, nullptr)};
  vireo::ScopedHandle release_{::CreateEventW(nullptr, TRUE, FALSE, nullptr)};
  std::atomic<int> runs_{0};
};

TEST(ImagePrefetchTest, LoadsInOrderOnceEachAndHandsEachResultOverOnce) {
  Gate gate;
  std::vector<int> order;  // written by the worker only, read after the last Take
  ImagePrefetch prefetch;
  ASSERT_TRUE(prefetch.Add(L"a.png", gate.Load(1)));
  ASSERT_TRUE(prefetch.Add(L"b.png", [&order] {
    order.push_back(2);
    return std::shared_ptr<DecodedImage>();  // a failed load
  }));
  EXPECT_FALSE(prefetch.Add(L"a.png", gate.Load(9)));  // loading already
  EXPECT_TRUE(prefetch.Has(L"b.png"));
  EXPECT_EQ(prefetch.Take(L"never.png"), std::nullopt);

  ASSERT_TRUE(gate.WaitStarted());
  gate.Release();
  const std::optional<std::shared_ptr<DecodedImage>> a = prefetch.Take(L"a.png");  // waits
  ASSERT_TRUE(a.has_value() && *a != nullptr);
  EXPECT_EQ((*a)->width, 1);
  const std::optional<std::shared_ptr<DecodedImage>> b = prefetch.Take(L"b.png");
  ASSERT_TRUE(b.has_value());
  EXPECT_EQ(*b, nullptr);
  EXPECT_EQ(order, std::vector<int>{2});
  EXPECT_EQ(gate.runs(), 1);

  // Taken means forgotten; a new worker starts for a later load.
  EXPECT_EQ(prefetch.Take(L"a.png"), std::nullopt);
  EXPECT_FALSE(prefetch.Has(L"a.png"));
  ASSERT_TRUE(prefetch.Add(L"a.png", gate.Load(3)));
  EXPECT_EQ((*prefetch.Take(L"a.png"))->width, 3);
}

TEST(ImagePrefetchTest, CancelWaitsForTheRunningLoadAndDropsTheRest) {
  Gate gate;
  Gate late;  // outlives the prefetch, whose destructor joins its load
  std::weak_ptr<DecodedImage> untaken;
  bool queued_ran = false;
  {
    ImagePrefetch prefetch;
    ASSERT_TRUE(prefetch.Add(L"a.png", [&gate, &untaken, load = gate.Load(1)] {
      std::shared_ptr<DecodedImage> image = load();
      untaken = image;
      return image;
    }));
    ASSERT_TRUE(prefetch.Add(L"b.png", [&queued_ran] {
      queued_ran = true;
      return std::make_shared<DecodedImage>();
    }));
    ASSERT_TRUE(gate.WaitStarted());
    // Released from another thread, since Cancel blocks this one until the load returns.
    // The pause only makes it likely that Cancel is waiting by then; either order must pass.
    vireo::ScopedHandle releaser(::CreateThread(nullptr, 0, [](void* g) -> DWORD {
      ::Sleep(50);
      static_cast<Gate*>(g)->Release();
      return 0;
    }, &gate, 0, nullptr));
    ASSERT_TRUE(releaser.valid());
    prefetch.Cancel();
    EXPECT_EQ(gate.runs(), 1);
    EXPECT_FALSE(queued_ran);
    EXPECT_TRUE(untaken.expired());  // freed by Cancel, nobody took it
    EXPECT_EQ(prefetch.Take(L"a.png"), std::nullopt);
    EXPECT_EQ(prefetch.Take(L"b.png"), std::nullopt);
    ::WaitForSingleObject(releaser.get(), kLimitMs);

    // A load in flight when the owner goes: the destructor joins it.
    ASSERT_TRUE(prefetch.Add(L"c.png", late.Load(2)));
    ASSERT_TRUE(late.WaitStarted());
    late.Release();
  }
}

}  // namespace
}  // namespace ui
