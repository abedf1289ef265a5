#include "installer/steps/taskbar_pin.h"

#include <windows.h>
#include <objbase.h>

#include <gtest/gtest.h>

#include "support/scoped_com.h"
#include "tests/test_support/file_io.h"
#include "tests/test_support/scoped_temp_dir.h"

namespace vireo {
namespace {

// Pinning is limited to builds 17763-26099.
TEST(ShortcutWorkItemPin, BuildWindow) {
  EXPECT_FALSE(IsPinSupportedOnBuild(7601));
  EXPECT_FALSE(IsPinSupportedOnBuild(17762));
  EXPECT_TRUE(IsPinSupportedOnBuild(17763));
  EXPECT_TRUE(IsPinSupportedOnBuild(22631));
  EXPECT_TRUE(IsPinSupportedOnBuild(26099));
  EXPECT_FALSE(IsPinSupportedOnBuild(26100));
}

// Where the pin list is not available (Wine does not register it), pinning and unpinning
// fail quietly and leave the item alone.
TEST(ShortcutWorkItemPin, FailsQuietlyWithoutThePinList) {
  test::ScopedTempDir temp;
  const std::wstring link = temp.Join(L"Vireo.lnk");
  ASSERT_TRUE(test::WriteFileBytes(link, "link"));

  ScopedComApartment com;
  ASSERT_TRUE(com.ok());
  ScopedComPtr<IUnknown> probe;
  const CLSID pin_list = {0x90AA3A4E, 0x1CBA, 0x4233, {0xB8, 0xBB, 0x53, 0x57, 0x73, 0xD4, 0x84, 0x49}};
  if (SUCCEEDED(::CoCreateInstance(pin_list, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown, probe.receive_void()))) {
    GTEST_SKIP() << "the pin list exists here; pinning would change the real taskbar";
  }
  EXPECT_FALSE(PinToTaskbar(link.c_str()));
  EXPECT_FALSE(PinToTaskbar(L""));
  EXPECT_FALSE(PinToTaskbar(nullptr));
  UnpinFromTaskbar(link.c_str());
  UnpinFromTaskbar(L"");
  UnpinFromTaskbar(nullptr);
  EXPECT_TRUE(test::PathExists(link));
}

}  // namespace
}  // namespace vireo
