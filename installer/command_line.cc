#include "installer/command_line.h"

#include <vector>

#include "support/string_util.h"

namespace vireo {
namespace {

// Cuts |text| into tokens the way the installer has always read its command line: spaces
// separate, quotes group, and a quote right after ':' or '=' nests so that a quoted value
// holding its own quoted switch stays whole.
std::vector<std::wstring_view> Tokenize(std::wstring_view text) {
  std::vector<std::wstring_view> tokens;
  size_t i = 0;
  const size_t n = text.size();
  while (i <= n) {
    const size_t j = text.find_first_of(L" \"", i);
    if (j == std::wstring_view::npos) {
      tokens.push_back(text.substr(i));
      break;
    }
    if (text[j] == L' ') {
      tokens.push_back(text.substr(i, j - i));
      i = j + 1;
      continue;
    }
    // A quoted section opened at j.
    int depth = 1;
    size_t q = j;
    bool closed = false;
    for (;;) {
      q = text.find(L'"', q + 1);
      if (q == std::wstring_view::npos) break;
      const wchar_t before = text[q - 1];
      if (before == L':' || before == L'=') {
        ++depth;
      } else if (--depth == 0) {
        closed = true;
        break;
      }
    }
    if (!closed) {
      tokens.push_back(text.substr(i));
      break;
    }
    // The character after the closing quote is the terminator; the next token starts after it.
    tokens.push_back(text.substr(i, q + 1 - i));
    i = q + 2;
    if (i > n) break;
  }
  return tokens;
}

}  // namespace

CCommandLine& CCommandLine::Get() {
  static CCommandLine instance;
  return instance;
}

void CCommandLine::Init(std::wstring_view text) {
  switches_.clear();
  program_path_.clear();
  const auto tokens = Tokenize(text);
  for (size_t t = 0; t < tokens.size(); ++t) {
    std::wstring_view tok = tokens[t];
    size_t prefix = 0;
    if (tok.size() >= 2 && tok[0] == L'-' && tok[1] == L'-') {
      prefix = 2;
    } else if (!tok.empty() && (tok[0] == L'-' || tok[0] == L'/')) {
      prefix = 1;
    } else {
      if (t == 0 && !tok.empty()) {
        if (tok.size() > 1 && tok.front() == L'"' && tok.back() == L'"') tok = tok.substr(1, tok.size() - 2);
        program_path_.assign(tok);
      }
      continue;
    }
    std::wstring_view body = tok.substr(prefix);
    std::wstring_view name = body;
    std::wstring_view value;
    const size_t sep = body.find_first_of(L":=");
    if (sep != std::wstring_view::npos) {
      name = body.substr(0, sep);
      value = body.substr(sep + 1);
      if (!value.empty() && value.front() == L'"') value.remove_prefix(1);
      if (!value.empty() && value.back() == L'"') value.remove_suffix(1);
    }
    switches_.emplace(std::wstring(name), std::wstring(value));  // first occurrence wins
  }
}

bool CCommandLine::HasSwitch(std::wstring_view name) const {
  return switches_.find(AsciiLowered(name)) != switches_.end();
}

std::wstring CCommandLine::GetSwitchValue(std::wstring_view name) const {
  const auto it = switches_.find(std::wstring(name));
  return it == switches_.end() ? std::wstring() : it->second;
}

}  // namespace vireo
