// A path in a fixed buffer of 261 wide characters (260 plus terminator), as the installer's
// data model keeps them. Every write is bounded: an operation whose result would not fit
// leaves the buffer unchanged and returns false, so a too-long input is refused cleanly and
// never truncated into a different, valid-looking path.
#pragma once

#include <cwchar>
#include <string>
#include <string_view>

namespace vireo {

inline constexpr size_t kPathCapacity = 261;  // 260 characters plus the terminator
inline constexpr size_t kMaxPathChars = kPathCapacity - 1;

class FixedPath {
 public:
  FixedPath() { buf_[0] = L'\0'; }
  // An over-long |s| leaves the path empty; check with Assign() when that matters.
  explicit FixedPath(std::wstring_view s) : FixedPath() { Assign(s); }

  bool Assign(std::wstring_view s);
  void Clear() { buf_[0] = L'\0'; len_ = 0; }

  // Joins with exactly one backslash (appending to an empty path just copies). An empty
  // |part| leaves the path unchanged.
  bool Append(std::wstring_view part);
  // Appends raw text, no separator logic.
  bool Concat(std::wstring_view text);
  // Adds one backslash unless the path is empty or already ends in one.
  bool AddBackslash();
  // Removes one trailing backslash, except from a drive root ("C:\") or a lone "\".
  void RemoveBackslash();

  const wchar_t* c_str() const { return buf_; }
  wchar_t* data() { return buf_; }
  std::wstring_view view() const { return {buf_, len_}; }
  std::wstring str() const { return std::wstring(view()); }
  size_t size() const { return len_; }
  bool empty() const { return len_ == 0; }
  static constexpr size_t capacity() { return kPathCapacity; }
  // Call after writing into data() directly (for APIs that fill a buffer).
  void SyncLength() { buf_[kPathCapacity - 1] = L'\0'; len_ = std::wcslen(buf_); }

 private:
  wchar_t buf_[kPathCapacity];
  size_t len_ = 0;
};

// Path text helpers on plain strings (no size limit of their own).
std::wstring WithTrailingBackslash(std::wstring_view p);
std::wstring WithoutTrailingBackslash(std::wstring_view p);
// "a\b" + "c" -> "a\b\c"; one backslash between, none added to an empty base.
std::wstring JoinPath(std::wstring_view base, std::wstring_view part);
// Last component after the last backslash or slash (the whole text when there is none).
std::wstring_view FileNamePart(std::wstring_view p);
// Text before the last backslash or slash (empty when there is none).
std::wstring_view ParentPart(std::wstring_view p);

}  // namespace vireo
