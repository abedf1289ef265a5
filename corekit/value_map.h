// A small text-keyed map of text values, used as an opaque context object.
//
// Numbers are stored as their decimal text; reading one back parses the whole text and
// fails on anything else (empty, trailing characters, out of the 64-bit range).
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>

namespace corekit {

class ValueMap {
 public:
  void SetString(const std::wstring& key, std::wstring value);
  void SetInt(const std::wstring& key, int64_t value);

  // False when |key| is absent; |value| is left unchanged then.
  bool GetString(const std::wstring& key, std::wstring* value) const;
  // False when |key| is absent or its text is not a whole decimal number in range.
  bool GetInt(const std::wstring& key, int64_t* value) const;

  bool Has(const std::wstring& key) const { return values_.count(key) != 0; }
  bool Remove(const std::wstring& key) { return values_.erase(key) != 0; }
  void Clear() { values_.clear(); }
  size_t size() const { return values_.size(); }
  bool empty() const { return values_.empty(); }

 private:
  std::map<std::wstring, std::wstring> values_;
};

}  // namespace corekit
