#include "tests/test_support/shell_link_reader.h"

#include <windows.h>
#include <objbase.h>
#include <objidl.h>
#include <propkey.h>
#include <propvarutil.h>
#include <shlobj.h>
#include <shobjidl.h>

#include "support/scoped_com.h"

namespace vireo::test {

ShellLinkInfo ReadShellLink(const std::wstring& path) {
  ShellLinkInfo info;
  ScopedComApartment com;
  ScopedComPtr<IShellLinkW> link;
  ScopedComPtr<IPersistFile> file;
  ScopedComPtr<IPropertyStore> store;
  if (SUCCEEDED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                   link.receive_void())) &&
      SUCCEEDED(link->QueryInterface(IID_IPersistFile, file.receive_void())) &&
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
    if (SUCCEEDED(link->QueryInterface(IID_IPropertyStore, store.receive_void())) && store) {
      PROPVARIANT value;
      PropVariantInit(&value);
      if (SUCCEEDED(store->GetValue(PKEY_AppUserModel_ID, &value)) && value.vt == VT_LPWSTR && value.pwszVal) {
        info.app_id = value.pwszVal;
      }
      ::PropVariantClear(&value);
    }
  }
  return info;
}

}  // namespace vireo::test
