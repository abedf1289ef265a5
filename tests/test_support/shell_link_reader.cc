#include "tests/test_support/shell_link_reader.h"

#include <windows.h>
#include <objbase.h>
#include <objidl.h>
#include <propvarutil.h>
#include <shlobj.h>
#include <shobjidl.h>

namespace vireo::test {
namespace {

constexpr PROPERTYKEY kAppIdKey = {{0x9F4C2855, 0x9F79, 0x4B39, {0xA8, 0xD0, 0xE1, 0xD4, 0x2D, 0xE1, 0xD5, 0xF3}}, 5};

}  // namespace

ShellLinkInfo ReadShellLink(const std::wstring& path) {
  ShellLinkInfo info;
  const HRESULT init = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  IShellLinkW* link = nullptr;
  IPersistFile* file = nullptr;
  IPropertyStore* store = nullptr;
  if (SUCCEEDED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                   reinterpret_cast<void**>(&link))) &&
      SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file))) &&
      SUCCEEDED(file->Load(path.c_str(), STGM_READ))) {
    info.loaded = true;
    wchar_t buf[1024] = {};
    if (SUCCEEDED(link->GetPath(buf, 1024, nullptr, SLGP_RAWPATH))) info.target = buf;
    buf[0] = 0;
    if (SUCCEEDED(link->GetArguments(buf, 1024))) info.arguments = buf;
    buf[0] = 0;
    if (SUCCEEDED(link->GetWorkingDirectory(buf, 1024))) info.working_dir = buf;
    buf[0] = 0;
    if (SUCCEEDED(link->GetDescription(buf, 1024))) info.description = buf;
    buf[0] = 0;
    int index = -1;
    if (SUCCEEDED(link->GetIconLocation(buf, 1024, &index))) {
      info.icon_path = buf;
      info.icon_index = index;
    }
    int show = -1;
    if (SUCCEEDED(link->GetShowCmd(&show))) info.show_command = show;
    WORD hotkey = 0;
    if (SUCCEEDED(link->GetHotkey(&hotkey))) info.hotkey = hotkey;
    if (SUCCEEDED(link->QueryInterface(IID_IPropertyStore, reinterpret_cast<void**>(&store))) && store) {
      PROPVARIANT value;
      PropVariantInit(&value);
      if (SUCCEEDED(store->GetValue(kAppIdKey, &value)) && value.vt == VT_LPWSTR && value.pwszVal) {
        info.app_id = value.pwszVal;
      }
      ::PropVariantClear(&value);
    }
  }
  if (store) store->Release();
  if (file) file->Release();
  if (link) link->Release();
  if (SUCCEEDED(init)) ::CoUninitialize();
  return info;
}

}  // namespace vireo::test
