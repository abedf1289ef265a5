#include "support/registry_snapshot.h"

#include <shlwapi.h>

#include "support/scoped_handle.h"

namespace vireo {
namespace {

bool ReadValues(HKEY key, DWORD count, DWORD max_name, DWORD max_data, RegistryKeySnapshot::Key* out) {
  std::wstring name(max_name + 1, L'\0');
  std::string data(max_data, '\0');
  for (DWORD i = 0; i < count; ++i) {
    DWORD name_chars = max_name + 1;
    DWORD type = 0;
    DWORD bytes = max_data;
    if (::RegEnumValueW(key, i, name.data(), &name_chars, nullptr, &type, reinterpret_cast<BYTE*>(data.data()),
                        &bytes) != ERROR_SUCCESS) {
      return false;
    }
    out->values.push_back({name.substr(0, name_chars), type, data.substr(0, bytes)});
  }
  return true;
}

bool ReadKey(HKEY parent, const std::wstring& path, int depth, RegistryKeySnapshot::Key* out) {
  if (depth > RegistryKeySnapshot::kMaxDepth) return false;
  ScopedRegKey key;
  if (::RegOpenKeyExW(parent, path.c_str(), 0, KEY_READ, key.receive()) != ERROR_SUCCESS) return false;
  DWORD subkeys = 0, max_subkey = 0, values = 0, max_name = 0, max_data = 0;
  if (::RegQueryInfoKeyW(key.get(), nullptr, nullptr, nullptr, &subkeys, &max_subkey, nullptr, &values, &max_name,
                         &max_data, nullptr, nullptr) != ERROR_SUCCESS ||
      !ReadValues(key.get(), values, max_name, max_data, out)) {
    return false;
  }
  std::wstring name(max_subkey + 1, L'\0');
  for (DWORD i = 0; i < subkeys; ++i) {
    DWORD chars = max_subkey + 1;
    if (::RegEnumKeyExW(key.get(), i, name.data(), &chars, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) {
      return false;
    }
    RegistryKeySnapshot::Key child;
    child.name = name.substr(0, chars);
    if (!ReadKey(key.get(), child.name, depth + 1, &child)) return false;
    out->subkeys.push_back(std::move(child));
  }
  return true;
}

// The data is handed over with non-null guard bytes behind it: given a string whose byte
// count leaves out its terminator, the registry adds one on its own when a null follows the
// counted bytes, and the value would no longer be byte for byte what was read.
bool WriteKey(HKEY parent, const std::wstring& path, const RegistryKeySnapshot::Key& key) {
  ScopedRegKey created;
  if (::RegCreateKeyExW(parent, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_WRITE, nullptr,
                        created.receive(), nullptr) != ERROR_SUCCESS) {
    return false;
  }
  bool all = true;
  for (const RegistryKeySnapshot::Value& value : key.values) {
    const std::string guarded = value.bytes + "###";
    all = ::RegSetValueExW(created.get(), value.name.c_str(), 0, value.type,
                           reinterpret_cast<const BYTE*>(guarded.data()),
                           static_cast<DWORD>(value.bytes.size())) == ERROR_SUCCESS && all;
  }
  for (const RegistryKeySnapshot::Key& child : key.subkeys) all = WriteKey(created.get(), child.name, child) && all;
  return all;
}

}  // namespace

RegistryKeySnapshot RegistryKeySnapshot::Capture(HKEY root, const std::wstring& subkey) {
  RegistryKeySnapshot snapshot;
  snapshot.root_ = root;
  snapshot.subkey_ = subkey;
  ScopedRegKey probe;
  const LSTATUS opened = ::RegOpenKeyExW(root, subkey.c_str(), 0, KEY_READ, probe.receive());
  if (opened == ERROR_FILE_NOT_FOUND) {
    snapshot.ok_ = !subkey.empty();
    return snapshot;
  }
  snapshot.existed_ = true;
  snapshot.ok_ = opened == ERROR_SUCCESS && ReadKey(root, subkey, 0, &snapshot.key_);
  return snapshot;
}

bool RegistryKeySnapshot::Restore() const {
  if (!ok_) return false;
  const LSTATUS deleted = ::SHDeleteKeyW(root_, subkey_.c_str());
  if (deleted != ERROR_SUCCESS && deleted != ERROR_FILE_NOT_FOUND) return false;
  return !existed_ || WriteKey(root_, subkey_, key_);
}

}  // namespace vireo
