#include "installer/ui/folder_picker.h"

#include <objbase.h>
#include <shlobj.h>

#include "support/fixed_path.h"
#include "support/scoped_com.h"

namespace vireo {

namespace {

// Preselects the folder passed as lpData once the dialog exists; answers 0 throughout.
int CALLBACK PickerCallback(HWND dialog, UINT message, LPARAM, LPARAM data) {
  if (message == BFFM_INITIALIZED && data) {
    ::SendMessageW(dialog, BFFM_SETSELECTIONW, TRUE, data);
  }
  return 0;
}

}  // namespace

std::wstring PickFolder(HWND owner, const wchar_t* title, const std::wstring& initial) {
  // The new dialog style needs an apartment; one this thread already has is kept as it was.
  ScopedComApartment apartment;
  BROWSEINFOW info{};
  info.hwndOwner = owner;
  info.lpszTitle = title;
  info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE;
  info.lpfn = PickerCallback;
  info.lParam = initial.empty() ? 0 : reinterpret_cast<LPARAM>(initial.c_str());
  ScopedItemIdList chosen(::SHBrowseForFolderW(&info));
  if (!chosen) return std::wstring();
  wchar_t path[kPathCapacity] = L"";
  if (!::SHGetPathFromIDListW(chosen.get(), path)) return std::wstring();
  return path;
}

}  // namespace vireo
