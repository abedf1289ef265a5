// The process command line as a map of switch names to values.
//
// Tokens are cut at spaces; a double quote opens a quoted section, and a quote that follows
// ':' or '=' opens a nested one, so --installpath="C:\a b" and a quoted program path stay
// single tokens. Switches start with "--", "-" or "/"; a value follows the first ':' or '='.
// The first occurrence of a name wins. Names keep their case: HasSwitch lower-cases only
// the query, so a switch typed in upper case is never found.
#pragma once

#include <map>
#include <string>
#include <string_view>

namespace vireo {

class CCommandLine {
 public:
  static CCommandLine& Get();

  // Parses |text| (the command line without the program name, or with it as first token).
  // Never fails; replaces any earlier parse.
  void Init(std::wstring_view text);

  bool HasSwitch(std::wstring_view name) const;
  // "s" or "silent": the run shows no window.
  bool IsSilent() const { return HasSwitch(L"s") || HasSwitch(L"silent"); }
  // Exact-name lookup; empty when the switch is absent or has no value.
  std::wstring GetSwitchValue(std::wstring_view name) const;

  const std::wstring& program_path() const { return program_path_; }
  const std::map<std::wstring, std::wstring>& switches() const { return switches_; }

 private:
  std::map<std::wstring, std::wstring> switches_;
  std::wstring program_path_;
};

}  // namespace vireo
