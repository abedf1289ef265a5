#include "installer/steps/shortcut_worker.h"

#include <windows.h>
#include <objbase.h>
#include <propkey.h>
#include <propvarutil.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <gtest/gtest.h>

#include "installer/steps/app_user_model_id.h"
#include "support/module_instance.h"
#include "support/scoped_com.h"
#include "tests/test_support/file_io.h"
#include "tests/test_support/scoped_temp_dir.h"
#include "tests/test_support/shell_link_reader.h"

namespace vireo {
namespace {

bool RunningOnWine() {
  HMODULE ntdll = ::GetModuleHandleW(L"ntdll.dll");
  return ntdll && ::GetProcAddress(ntdll, "wine_get_version");
}

class ShortcutWorkItemWorker : public testing::Test {
 protected:
  void SetUp() override {
    exe_ = temp_.Join(L"Vireo\\Application\\vireo.exe");
    ASSERT_TRUE(test::MakeDirs(temp_.Join(L"Vireo\\Application")));
    ASSERT_TRUE(test::WriteFileBytes(exe_, "MZ"));
    ASSERT_TRUE(test::MakeDirs(temp_.Join(L"links")));
  }
  ShortcutRequest Request() const {
    ShortcutRequest r;
    r.target = exe_;
    r.folder = temp_.Join(L"links");
    r.link_name = L"Vireo.lnk";
    r.description = L"访问互联网";
    r.icon_path = exe_;
    r.show_command = SW_SHOWNORMAL;
    return r;
  }

  test::ScopedTempDir temp_;
  std::wstring exe_;
};

// A saved link loads back with its target, icon, description and show command.
TEST_F(ShortcutWorkItemWorker, SavedLinkLoadsBack) {
  ShortcutRequest r = Request();
  EXPECT_EQ(ShortcutWorker(&r), 0u);
  EXPECT_TRUE(r.success);
  EXPECT_EQ(r.result_code, 0);

  const test::ShellLinkInfo info = test::ReadShellLink(temp_.Join(L"links\\Vireo.lnk"));
  ASSERT_TRUE(info.loaded);
  EXPECT_EQ(info.target, exe_);
  EXPECT_EQ(info.icon_path, exe_);
  EXPECT_EQ(info.icon_index, 0);
  EXPECT_EQ(info.description, L"访问互联网");
  EXPECT_EQ(info.show_command, SW_SHOWNORMAL);
  EXPECT_EQ(info.arguments, L"");
  EXPECT_EQ(info.hotkey, 0);
}


// The saved link carries the application id of its target in System.AppUserModel.ID.
TEST_F(ShortcutWorkItemWorker, AppIdLoadsBack) {
  ShortcutRequest r = Request();
  ASSERT_EQ(ShortcutWorker(&r), 0u);
  const std::wstring id = ComputeAppUserModelId(exe_);
  ASSERT_EQ(id.rfind(L"Vireo.", 0), 0u);
  const test::ShellLinkInfo info = test::ReadShellLink(temp_.Join(L"links\\Vireo.lnk"));
  ASSERT_TRUE(info.loaded);
  if (info.app_id.empty() && RunningOnWine()) {
    GTEST_SKIP() << "Wine keeps a link's property store in memory only; IPersistFile::Save does not write it";
  }
  EXPECT_EQ(info.app_id, id);
}

// The id lands in the link's property store as a wide string.
TEST(ShortcutWorkItemAppIdStore, SetLinkAppIdStoresTheValue) {
  ScopedComApartment com;
  ASSERT_TRUE(com.ok());
  ScopedComPtr<IShellLinkW> link;
  ASSERT_TRUE(SUCCEEDED(
      ::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW, link.receive_void())));
  ScopedComPtr<IPropertyStore> store;
  ASSERT_TRUE(SUCCEEDED(link->QueryInterface(IID_IPropertyStore, store.receive_void())));
  EXPECT_EQ(SetLinkAppId(store.get(), L"Vireo.ABC"), S_OK);
  PROPVARIANT value;
  PropVariantInit(&value);
  const HRESULT got = store->GetValue(PKEY_AppUserModel_ID, &value);
  if (FAILED(got) && RunningOnWine()) {
    GTEST_SKIP() << "Wine's shell-link property store accepts values but cannot return them";
  }
  ASSERT_TRUE(SUCCEEDED(got));
  EXPECT_EQ(value.vt, VT_LPWSTR);
  if (value.vt == VT_LPWSTR) {
    EXPECT_STREQ(value.pwszVal, L"Vireo.ABC");
  }
  ::PropVariantClear(&value);
}

// The optional fields are written when given.
TEST_F(ShortcutWorkItemWorker, OptionalFields) {
  ShortcutRequest r = Request();
  r.arguments = L"--lchannel=install";
  r.working_dir = temp_.path();
  r.hotkey = MAKEWORD('V', 0x02 | 0x04);  // Ctrl+Alt+V;
  ASSERT_EQ(ShortcutWorker(&r), 0u);
  const test::ShellLinkInfo info = test::ReadShellLink(temp_.Join(L"links\\Vireo.lnk"));
  ASSERT_TRUE(info.loaded);
  EXPECT_EQ(info.arguments, L"--lchannel=install");
  EXPECT_EQ(info.working_dir, temp_.path());
  EXPECT_EQ(info.hotkey, r.hotkey);
}

// Without a link name the target's file name is used with its extension turned into "lnk";
// an empty target stands for the running executable.
TEST_F(ShortcutWorkItemWorker, DerivedNamesAndTargets) {
  ShortcutRequest r = Request();
  r.link_name.clear();
  EXPECT_EQ(BuildLinkFilePath(r), temp_.Join(L"links\\vireo.lnk"));
  ASSERT_EQ(ShortcutWorker(&r), 0u);
  EXPECT_TRUE(test::PathExists(temp_.Join(L"links\\vireo.lnk")));

  ShortcutRequest self = Request();
  self.target.clear();
  self.link_name = L"self.lnk";
  ASSERT_EQ(ShortcutWorker(&self), 0u);
  EXPECT_EQ(test::ReadShellLink(temp_.Join(L"links\\self.lnk")).target, GetSelfExePath());

  ShortcutRequest too_long = Request();
  too_long.link_name = std::wstring(300, L'a');
  EXPECT_EQ(BuildLinkFilePath(too_long), L"");
}

// An empty folder fails with result code 0; a folder that does not exist fails with the
// save's HRESULT.
TEST_F(ShortcutWorkItemWorker, Failures) {
  ShortcutRequest r = Request();
  r.folder.clear();
  EXPECT_EQ(ShortcutWorker(&r), 1u);
  EXPECT_FALSE(r.success);
  EXPECT_EQ(r.result_code, 0);

  ShortcutRequest missing = Request();
  missing.folder = temp_.Join(L"no\\such\\folder");
  EXPECT_EQ(ShortcutWorker(&missing), 1u);
  EXPECT_FALSE(missing.success);
  EXPECT_TRUE(FAILED(missing.result_code));

  ShortcutRequest too_long = Request();
  too_long.link_name = std::wstring(300, L'a');
  EXPECT_EQ(ShortcutWorker(&too_long), 1u);
  EXPECT_EQ(too_long.result_code, E_FAIL);
}

// A link asked to be pinned is saved even where pinning fails (Wine has no pin list).
TEST_F(ShortcutWorkItemWorker, PinRequestStillSavesTheLink) {
  ShortcutRequest r = Request();
  r.pin = true;
  EXPECT_EQ(ShortcutWorker(&r), 0u);
  EXPECT_TRUE(r.success);
  EXPECT_TRUE(test::PathExists(temp_.Join(L"links\\Vireo.lnk")));
}

}  // namespace
}  // namespace vireo
