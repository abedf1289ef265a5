#include "support/saved_registry_value.h"

#include "support/scoped_handle.h"

namespace vireo {
namespace {

// The value's type and bytes; the system's status.
LSTATUS ReadValue(HKEY key, const std::wstring& name, DWORD* type, std::string* bytes) {
  DWORD size = 0;
  LSTATUS status = ::RegQueryValueExW(key, name.c_str(), nullptr, type, nullptr, &size);
  if (status != ERROR_SUCCESS) return status;
  bytes->assign(size, '\0');
  status = ::RegQueryValueExW(key, name.c_str(), nullptr, type, reinterpret_cast<BYTE*>(bytes->data()), &size);
  bytes->resize(size);
  return status;
}

bool IsEmptyKey(HKEY key) {
  DWORD subkeys = 0;
  DWORD values = 0;
  return ::RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, &values, nullptr, nullptr,
                            nullptr, nullptr) == ERROR_SUCCESS &&
         subkeys == 0 && values == 0;
}

}  // namespace

SavedRegistryValue SavedRegistryValue::Save(HKEY root, const std::wstring& key, const wchar_t* name) {
  SavedRegistryValue saved;
  saved.root_ = root;
  saved.key_ = key;
  saved.name_ = name ? name : L"";
  ScopedRegKey opened;
  const LSTATUS open = ::RegOpenKeyExW(root, key.c_str(), 0, KEY_READ, opened.receive());
  if (open != ERROR_SUCCESS) {
    saved.ok_ = open == ERROR_FILE_NOT_FOUND && !key.empty();
    return saved;
  }
  saved.key_existed_ = true;
  const LSTATUS read = ReadValue(opened.get(), saved.name_, &saved.type_, &saved.bytes_);
  saved.existed_ = read == ERROR_SUCCESS;
  saved.ok_ = read == ERROR_SUCCESS || read == ERROR_FILE_NOT_FOUND;
  return saved;
}

long SavedRegistryValue::Restore() const {
  if (!ok_) return ERROR_INVALID_STATE;
  ScopedRegKey key;
  LSTATUS status = ::RegOpenKeyExW(root_, key_.c_str(), 0, KEY_READ | KEY_WRITE, key.receive());
  if (status == ERROR_FILE_NOT_FOUND && !existed_) return ERROR_SUCCESS;  // nothing to take away
  if (status == ERROR_FILE_NOT_FOUND) {
    status = ::RegCreateKeyExW(root_, key_.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_READ | KEY_WRITE,
                               nullptr, key.receive(), nullptr);
  }
  if (status != ERROR_SUCCESS) return status;

  DWORD type = REG_NONE;
  std::string now;
  const LSTATUS read = ReadValue(key.get(), name_, &type, &now);
  if (existed_ && (read != ERROR_SUCCESS || type != type_ || now != bytes_)) {
    // A non-null guard follows the counted bytes: given a string whose count leaves out its
    // terminator, the registry would otherwise add one when a null follows the data.
    const std::string guarded = bytes_ + "###";
    status = ::RegSetValueExW(key.get(), name_.c_str(), 0, type_, reinterpret_cast<const BYTE*>(guarded.data()),
                              static_cast<DWORD>(bytes_.size()));
  } else if (!existed_ && read == ERROR_SUCCESS) {
    status = ::RegDeleteValueW(key.get(), name_.c_str());
  }
  if (status != ERROR_SUCCESS) return status;
  if (!key_existed_ && IsEmptyKey(key.get())) {
    key.reset();
    status = ::RegDeleteKeyW(root_, key_.c_str());
    if (status == ERROR_FILE_NOT_FOUND) status = ERROR_SUCCESS;
  }
  return status;
}

}  // namespace vireo
