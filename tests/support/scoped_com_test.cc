#include "support/scoped_com.h"

#include <windows.h>
#include <objbase.h>

#include <gtest/gtest.h>

#include <thread>
#include <utility>

#include "tests/test_support/com_state.h"

namespace vireo {
namespace {

// Counts its references; the count is read through the test's own pointer.
class CountedObject : public IUnknown {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** out) override {
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++refs; }
  ULONG STDMETHODCALLTYPE Release() override { return --refs; }
  ULONG refs = 1;
};

// SC1, SC2: one reference, released once, whether by reset, a replacing move or receive().
TEST(ScopedComPtrTest, ReleasesItsReferenceExactlyOnce) {
  CountedObject a, b;
  {
    ScopedComPtr<IUnknown> p(&a);
    ScopedComPtr<IUnknown> q(std::move(p));
    EXPECT_FALSE(p);
    EXPECT_EQ(a.refs, 1u);
    q = ScopedComPtr<IUnknown>(&b);
    EXPECT_EQ(a.refs, 0u);
    void** slot = q.receive_void();
    EXPECT_EQ(b.refs, 0u);
    *slot = &a;
    a.refs = 1;
  }
  EXPECT_EQ(a.refs, 0u);
  EXPECT_EQ(b.refs, 0u);
}

// SC3: whatever the thread's state, the apartment leaves it as it found it. Each row runs on
// a fresh thread: whether the thread already runs COM and in which model, the apartment's
// model, and the result the apartment must see.
TEST(ScopedComApartmentTest, LeavesTheThreadAsItFoundIt) {
  struct Row {
    bool has_outer;
    DWORD outer;
    DWORD model;
    HRESULT expected;
  };
  const Row rows[] = {
      {false, 0, COINIT_APARTMENTTHREADED, S_OK},
      {true, COINIT_APARTMENTTHREADED, COINIT_APARTMENTTHREADED, S_FALSE},
      {true, COINIT_MULTITHREADED, COINIT_MULTITHREADED, S_FALSE},
      {true, COINIT_MULTITHREADED, COINIT_APARTMENTTHREADED, RPC_E_CHANGED_MODE},
  };
  for (const Row& row : rows) {
    std::thread([&row] {
      if (row.has_outer) {
        ASSERT_EQ(::CoInitializeEx(nullptr, row.outer), S_OK);
      }
      {
        ScopedComApartment com(row.model);
        EXPECT_EQ(com.result(), row.expected) << row.outer << " " << row.model;
        EXPECT_EQ(com.ok(), SUCCEEDED(row.expected));
        EXPECT_TRUE(test::IsComInitializedOnThisThread());
      }
      EXPECT_EQ(test::IsComInitializedOnThisThread(), row.has_outer) << row.outer << " " << row.model;
      if (row.has_outer) ::CoUninitialize();
      // An S_FALSE left unbalanced would keep the thread initialised after the caller's own
      // CoUninitialize.
      EXPECT_FALSE(test::IsComInitializedOnThisThread()) << row.outer << " " << row.model;
    }).join();
  }
}

}  // namespace
}  // namespace vireo
