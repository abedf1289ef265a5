// One registry value kept before a step writes it, so that its roll-back can put back that
// value alone: the key around it, and whatever else lives there (a program's own settings),
// is never removed and written again.
#pragma once

#include <windows.h>

#include <string>

namespace vireo {

class SavedRegistryValue {
 public:
  // Reads value |name| ("" or null: the default value) of |key| under |root|. A missing
  // value (or key) is saved as absent. ok() is false when the value exists but cannot be
  // read, or the key cannot be opened for another reason.
  static SavedRegistryValue Save(HKEY root, const std::wstring& key, const wchar_t* name);

  bool ok() const { return ok_; }
  bool existed() const { return existed_; }

  // Puts the value back: the saved type and bytes are written when the value differs from
  // them now, an absent value is deleted. When the key itself did not exist before, it is
  // deleted too once it holds nothing more (a run created it). A key that holds anything is
  // never deleted. ERROR_SUCCESS, or the first system error code; ERROR_INVALID_STATE for
  // a save that is not ok().
  long Restore() const;

 private:
  HKEY root_ = nullptr;
  std::wstring key_;
  std::wstring name_;
  DWORD type_ = REG_NONE;
  std::string bytes_;
  bool key_existed_ = false;
  bool existed_ = false;
  bool ok_ = false;
};

}  // namespace vireo
