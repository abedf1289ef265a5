#include "installer/steps/shortcut_worker.h"

#include <objbase.h>
#include <objidl.h>
#include <propkey.h>
#include <propvarutil.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <cstring>

#include "installer/steps/app_user_model_id.h"
#include "installer/steps/taskbar_pin.h"
#include "support/fixed_path.h"
#include "support/module_instance.h"
#include "support/os_version.h"
#include "support/scoped_com.h"

namespace vireo {
namespace {

DWORD Fail(ShortcutRequest* request, HRESULT hr) {
  request->result_code = hr;
  return 1;
}

// Saves the link at |link_path|, through the request's gate when it has one: the file is
// written beside its place, under the same name with "~" for its last character (no longer
// a link to the shell, and never longer than the link's path), and moved over its place in
// one step, or deleted when the gate has closed.
HRESULT SaveLink(IPersistFile* file, const std::wstring& link_path, LinkGate* gate) {
  if (!gate) return file->Save(link_path.c_str(), TRUE);
  std::wstring staged = link_path;
  staged.back() = L'~';
  HRESULT hr = file->Save(staged.c_str(), TRUE);
  if (FAILED(hr)) return hr;
  hr = E_ABORT;
  gate->PublishUnlessClosed([&] {
    hr = ::MoveFileExW(staged.c_str(), link_path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)
             ? S_OK
             : HRESULT_FROM_WIN32(::GetLastError());
  });
  if (FAILED(hr)) ::DeleteFileW(staged.c_str());
  return hr;
}

}  // namespace

// The value is copied into task memory, which PropVariantClear releases.
HRESULT SetLinkAppId(IPropertyStore* store, const std::wstring& id) {
  PROPVARIANT value;
  PropVariantInit(&value);
  const size_t bytes = (id.size() + 1) * sizeof(wchar_t);
  auto* text = static_cast<wchar_t*>(::CoTaskMemAlloc(bytes));
  if (!text) return E_OUTOFMEMORY;
  std::memcpy(text, id.c_str(), bytes);
  value.vt = VT_LPWSTR;
  value.pwszVal = text;
  HRESULT hr = store->SetValue(PKEY_AppUserModel_ID, value);
  if (SUCCEEDED(hr)) hr = store->Commit();
  ::PropVariantClear(&value);
  return hr;
}

std::wstring BuildLinkFilePath(const ShortcutRequest& request) {
  FixedPath path;
  if (!path.Assign(request.folder)) return {};
  if (!request.link_name.empty()) {
    if (!path.Concat(L"\\") || !path.Concat(request.link_name)) return {};
    return path.str();
  }
  const std::wstring self = request.target.empty() ? GetSelfExePath() : std::wstring();
  const std::wstring_view target = request.target.empty() ? std::wstring_view(self) : std::wstring_view(request.target);
  const std::wstring_view name = FileNamePart(target);
  if (name.empty()) return {};
  if (!path.Concat(L"\\") || !path.Concat(name)) return {};
  if (path.size() > 2) {
    wchar_t* end = path.data() + path.size() - 3;
    end[0] = L'l';
    end[1] = L'n';
    end[2] = L'k';
  }
  return path.str();
}

DWORD ShortcutWorker(ShortcutRequest* request) {
  if (!request) return 1;
  ScopedComApartment com;
  if (request->folder.empty()) return 1;  // result code stays 0

  ScopedComPtr<IShellLinkW> link;
  HRESULT hr =
      ::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW, link.receive_void());
  if (FAILED(hr) || !link.get()) return Fail(request, FAILED(hr) ? hr : E_NOINTERFACE);
  ScopedComPtr<IPersistFile> file;
  hr = link->QueryInterface(IID_IPersistFile, file.receive_void());
  if (FAILED(hr) || !file.get()) return Fail(request, FAILED(hr) ? hr : E_NOINTERFACE);

  const std::wstring target = request->target.empty() ? GetSelfExePath() : request->target;
  // The setters' results are not checked: a link without, say, its icon is still a link.
  link->SetPath(target.c_str());
  if (!request->working_dir.empty()) link->SetWorkingDirectory(request->working_dir.c_str());
  if (request->hotkey) link->SetHotkey(request->hotkey);
  if (!request->description.empty()) link->SetDescription(request->description.c_str());
  link->SetShowCmd(request->show_command);
  if (!request->icon_path.empty()) link->SetIconLocation(request->icon_path.c_str(), 0);
  if (!request->arguments.empty()) link->SetArguments(request->arguments.c_str());

  ScopedComPtr<IPropertyStore> store;
  hr = link->QueryInterface(IID_IPropertyStore, store.receive_void());
  if (FAILED(hr) || !store.get()) return Fail(request, FAILED(hr) ? hr : E_NOINTERFACE);
  hr = SetLinkAppId(store.get(), ComputeAppUserModelId(request->target));
  if (FAILED(hr)) return Fail(request, hr);

  const std::wstring link_path = BuildLinkFilePath(*request);
  if (link_path.empty()) return Fail(request, E_FAIL);
  hr = SaveLink(file.get(), link_path, request->gate.get());
  if (FAILED(hr)) return Fail(request, hr);

  if (request->pin) {
    OsVersion version;
    if (ReadOsVersion(&version) && IsPinSupportedOnBuild(version.build)) {
      request->pinned = PinToTaskbar(link_path.c_str());
    }
  }
  request->success = true;
  return 0;
}

}  // namespace vireo
