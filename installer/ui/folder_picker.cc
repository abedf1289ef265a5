#include "installer/ui/folder_picker.h"

#include <objbase.h>
#include <shlobj.h>

#include <memory>

#include "support/fixed_path.h"

namespace vireo {

namespace {

// Balances CoInitializeEx only when this call initialised the thread; the new dialog style
// needs an apartment, and a thread that already has one keeps it as it was.
class ScopedApartment {
 public:
  ScopedApartment() : owns_(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED) == S_OK) {}
  ~ScopedApartment() {
    if (owns_) ::CoUninitialize();
  }
  ScopedApartment(const ScopedApartment&) = delete;
  ScopedApartment& operator=(const ScopedApartment&) = delete;

 private:
  bool owns_;
};

struct ItemListFree {
  void operator()(ITEMIDLIST* list) const { ::CoTaskMemFree(list); }
};
using ScopedItemList = std::unique_ptr<ITEMIDLIST, ItemListFree>;

// Preselects the folder passed as lpData once the dialog exists; answers 0 throughout.
int CALLBACK PickerCallback(HWND dialog, UINT message, LPARAM, LPARAM data) {
  if (message == BFFM_INITIALIZED && data) {
    ::SendMessageW(dialog, BFFM_SETSELECTIONW, TRUE, data);
  }
  return 0;
}

}  // namespace

std::wstring PickFolder(HWND owner, const wchar_t* title, const std::wstring& initial) {
  ScopedApartment apartment;
  BROWSEINFOW info{};
  info.hwndOwner = owner;
  info.lpszTitle = title;
  info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE;
  info.lpfn = PickerCallback;
  info.lParam = initial.empty() ? 0 : reinterpret_cast<LPARAM>(initial.c_str());
  ScopedItemList chosen(::SHBrowseForFolderW(&info));
  if (!chosen) return std::wstring();
  wchar_t path[kPathCapacity] = L"";
  if (!::SHGetPathFromIDListW(chosen.get(), path)) return std::wstring();
  return path;
}

}  // namespace vireo
