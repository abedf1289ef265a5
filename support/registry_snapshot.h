// A registry key with everything below it (values with their exact types and bytes, and
// sub-keys), read before a step deletes or writes it, so that its roll-back can put the key
// back as it was.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace vireo {

class RegistryKeySnapshot {
 public:
  // Sub-keys deeper than this are not read; a key that has them cannot be captured (ok()
  // false), rather than be restored incompletely.
  static constexpr int kMaxDepth = 16;

  // Reads |subkey| of |root| whole. A missing key is captured as absent. ok() is false when
  // the key exists but cannot be read completely (no read access, too deep).
  static RegistryKeySnapshot Capture(HKEY root, const std::wstring& subkey);

  bool ok() const { return ok_; }
  bool existed() const { return existed_; }

  // When the key existed: brings it back in place to every value and sub-key it had,
  // without ever removing the key itself (values that differ are written back, values and
  // sub-keys it did not have are deleted). When it did not exist: deletes it with
  // everything it holds now. Every change is attempted: ERROR_SUCCESS, or the system's
  // code of the first that failed; nothing (ERROR_INVALID_STATE) for a capture that is not
  // ok().
  long Restore() const;

  // One value as read: the default value has an empty name.
  struct Value {
    std::wstring name;
    DWORD type = REG_NONE;
    std::string bytes;
    bool operator==(const Value&) const = default;
  };
  struct Key {
    std::wstring name;  // relative to the parent; empty for the captured key itself
    std::vector<Value> values;
    std::vector<Key> subkeys;
    bool operator==(const Key&) const = default;
  };
  const Key& key() const { return key_; }

 private:
  HKEY root_ = nullptr;
  std::wstring subkey_;
  Key key_;
  bool existed_ = false;
  bool ok_ = false;
};

}  // namespace vireo
