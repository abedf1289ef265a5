#include "support/com_object.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "archive/seven_zip_abi.h"

namespace vireo {
namespace {

// A stream that reports its destruction and answers the two interfaces it implements.
class ProbeStream final : public ComObject<ISequentialOutStream, IStreamGetSize> {
 public:
  explicit ProbeStream(bool* destroyed) : destroyed_(destroyed) {}
  HRESULT STDMETHODCALLTYPE Write(const void*, UINT32, UINT32*) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE GetSize(UINT64*) override { return S_OK; }

 private:
  ~ProbeStream() override { *destroyed_ = true; }
  void* FindInterface(REFIID iid) override {
    if (iid == kIidSequentialOutStream) return static_cast<ISequentialOutStream*>(this);
    if (iid == kIidStreamGetSize) return static_cast<IStreamGetSize*>(this);
    return nullptr;
  }
  bool* destroyed_;
};

// CO1, CO2: IUnknown is the first interface, the others come from FindInterface, each answer
// holds a reference, and the last Release deletes the object.
TEST(ComObjectTest, AnswersItsInterfacesAndCountsReferences) {
  bool destroyed = false;
  auto* object = new ProbeStream(&destroyed);
  ISequentialOutStream* first = object;
  IStreamGetSize* second = object;

  struct Row {
    const GUID* iid;
    void* expected;
  };
  const Row rows[] = {{&IID_IUnknown, first}, {&kIidSequentialOutStream, first}, {&kIidStreamGetSize, second}};
  for (const Row& row : rows) {
    void* out = nullptr;
    EXPECT_EQ(object->QueryInterface(*row.iid, &out), S_OK);
    EXPECT_EQ(out, row.expected);
  }
  EXPECT_EQ(object->AddRef(), 5u);  // one at creation, three answers, this one

  void* out = &destroyed;
  EXPECT_EQ(object->QueryInterface(kIidInStream, &out), E_NOINTERFACE);
  EXPECT_EQ(out, nullptr);
  EXPECT_EQ(object->QueryInterface(IID_IUnknown, nullptr), E_POINTER);

  for (ULONG left = 4; left > 0; --left) EXPECT_EQ(second->Release(), left);
  EXPECT_FALSE(destroyed);
  EXPECT_EQ(first->Release(), 0u);
  EXPECT_TRUE(destroyed);
}

}  // namespace
}  // namespace vireo
