#include "support/fixed_path.h"

#include <cstring>

namespace vireo {

bool FixedPath::Assign(std::wstring_view s) {
  if (s.size() > kMaxPathChars) return false;
  std::wmemmove(buf_, s.data(), s.size());
  buf_[s.size()] = L'\0';
  len_ = s.size();
  return true;
}

bool FixedPath::Append(std::wstring_view part) {
  if (part.empty()) return true;
  if (len_ == 0) return Assign(part);
  const bool base_sep = buf_[len_ - 1] == L'\\';
  const bool part_sep = part.front() == L'\\';
  if (base_sep && part_sep) part.remove_prefix(1);
  const size_t extra = (!base_sep && !part_sep) ? 1 : 0;
  if (len_ + extra + part.size() > kMaxPathChars) return false;
  if (extra) buf_[len_++] = L'\\';
  std::wmemcpy(buf_ + len_, part.data(), part.size());
  len_ += part.size();
  buf_[len_] = L'\0';
  return true;
}

bool FixedPath::Concat(std::wstring_view text) {
  if (len_ + text.size() > kMaxPathChars) return false;
  std::wmemcpy(buf_ + len_, text.data(), text.size());
  len_ += text.size();
  buf_[len_] = L'\0';
  return true;
}

bool FixedPath::AddBackslash() {
  if (len_ == 0 || buf_[len_ - 1] == L'\\') return true;
  return Concat(L"\\");
}

void FixedPath::RemoveBackslash() {
  if (len_ == 0 || buf_[len_ - 1] != L'\\') return;
  if (len_ == 1) return;                          // lone "\"
  if (len_ == 3 && buf_[1] == L':') return;       // "C:\"
  buf_[--len_] = L'\0';
}

std::wstring WithTrailingBackslash(std::wstring_view p) {
  std::wstring s(p);
  if (!s.empty() && s.back() != L'\\') s.push_back(L'\\');
  return s;
}

std::wstring WithoutTrailingBackslash(std::wstring_view p) {
  std::wstring s(p);
  if (s.size() > 1 && s.back() == L'\\' && !(s.size() == 3 && s[1] == L':')) s.pop_back();
  return s;
}

std::wstring JoinPath(std::wstring_view base, std::wstring_view part) {
  if (base.empty()) return std::wstring(part);
  if (part.empty()) return std::wstring(base);
  std::wstring s(base);
  const bool base_sep = s.back() == L'\\';
  const bool part_sep = part.front() == L'\\';
  if (base_sep && part_sep) part.remove_prefix(1);
  if (!base_sep && !part_sep) s.push_back(L'\\');
  s.append(part);
  return s;
}

std::wstring_view FileNamePart(std::wstring_view p) {
  const size_t pos = p.find_last_of(L"\\/");
  return pos == std::wstring_view::npos ? p : p.substr(pos + 1);
}

std::wstring_view ParentPart(std::wstring_view p) {
  const size_t pos = p.find_last_of(L"\\/");
  return pos == std::wstring_view::npos ? std::wstring_view() : p.substr(0, pos);
}

}  // namespace vireo
