#include "support/registry_snapshot.h"

#include <shlwapi.h>

#include <algorithm>

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

// The values of |key| and the names of its sub-keys (their contents left empty).
bool ReadLevel(HKEY key, RegistryKeySnapshot::Key* out) {
  DWORD subkeys = 0, max_subkey = 0, values = 0, max_name = 0, max_data = 0;
  if (::RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, &subkeys, &max_subkey, nullptr, &values, &max_name,
                         &max_data, nullptr, nullptr) != ERROR_SUCCESS ||
      !ReadValues(key, values, max_name, max_data, out)) {
    return false;
  }
  std::wstring name(max_subkey + 1, L'\0');
  for (DWORD i = 0; i < subkeys; ++i) {
    DWORD chars = max_subkey + 1;
    if (::RegEnumKeyExW(key, i, name.data(), &chars, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) {
      return false;
    }
    out->subkeys.push_back({name.substr(0, chars), {}, {}});
  }
  return true;
}

bool ReadKey(HKEY parent, const std::wstring& path, int depth, RegistryKeySnapshot::Key* out) {
  if (depth > RegistryKeySnapshot::kMaxDepth) return false;
  ScopedRegKey key;
  if (::RegOpenKeyExW(parent, path.c_str(), 0, KEY_READ, key.receive()) != ERROR_SUCCESS || !ReadLevel(key.get(), out)) {
    return false;
  }
  for (RegistryKeySnapshot::Key& child : out->subkeys) {
    if (!ReadKey(key.get(), child.name, depth + 1, &child)) return false;
  }
  return true;
}

bool SameName(const std::wstring& a, const std::wstring& b) {
  return ::CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(), static_cast<int>(b.size()), TRUE) ==
         CSTR_EQUAL;
}

template <typename Item>
bool Holds(const std::vector<Item>& items, const std::wstring& name) {
  for (const Item& item : items) {
    if (SameName(item.name, name)) return true;
  }
  return false;
}

// The data is handed over with non-null guard bytes behind it: given a string whose byte
// count leaves out its terminator, the registry adds one on its own when a null follows the
// counted bytes, and the value would no longer be byte for byte what was read.
LSTATUS WriteValue(HKEY key, const RegistryKeySnapshot::Value& value) {
  const std::string guarded = value.bytes + "###";
  return ::RegSetValueExW(key, value.name.c_str(), 0, value.type, reinterpret_cast<const BYTE*>(guarded.data()),
                          static_cast<DWORD>(value.bytes.size()));
}

// Keeps the first failure of a series of registry calls.
void Keep(LSTATUS status, LSTATUS* first) {
  if (*first == ERROR_SUCCESS) *first = status;
}

// Brings the key at |path| to what |want| holds without ever removing the key itself: values
// that differ are written, values and sub-keys it did not hold are deleted, sub-keys are
// brought back the same way. Every change is attempted; the first failure is returned.
LSTATUS SyncKey(HKEY parent, const std::wstring& path, const RegistryKeySnapshot::Key& want) {
  ScopedRegKey key;
  LSTATUS first = ::RegCreateKeyExW(parent, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_READ | KEY_WRITE,
                                    nullptr, key.receive(), nullptr);
  if (first != ERROR_SUCCESS) return first;
  RegistryKeySnapshot::Key now;
  if (!ReadLevel(key.get(), &now)) return ERROR_CANTREAD;
  for (const RegistryKeySnapshot::Value& value : want.values) {
    const bool same = std::any_of(now.values.begin(), now.values.end(), [&](const RegistryKeySnapshot::Value& v) {
      return SameName(v.name, value.name) && v.type == value.type && v.bytes == value.bytes;
    });
    if (!same) Keep(WriteValue(key.get(), value), &first);
  }
  for (const RegistryKeySnapshot::Value& value : now.values) {
    if (!Holds(want.values, value.name)) Keep(::RegDeleteValueW(key.get(), value.name.c_str()), &first);
  }
  for (const RegistryKeySnapshot::Key& child : now.subkeys) {
    if (!Holds(want.subkeys, child.name)) Keep(::SHDeleteKeyW(key.get(), child.name.c_str()), &first);
  }
  for (const RegistryKeySnapshot::Key& child : want.subkeys) Keep(SyncKey(key.get(), child.name, child), &first);
  return first;
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

long RegistryKeySnapshot::Restore() const {
  if (!ok_) return ERROR_INVALID_STATE;
  if (existed_) return SyncKey(root_, subkey_, key_);
  const LSTATUS deleted = ::SHDeleteKeyW(root_, subkey_.c_str());
  return deleted == ERROR_FILE_NOT_FOUND ? ERROR_SUCCESS : deleted;
}

}  // namespace vireo
