#include "installer/command_line.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace vireo {
namespace {

CCommandLine Parse(std::wstring_view text) {
  CCommandLine cl;
  cl.Init(text);
  return cl;
}

struct SwitchCase {
  const wchar_t* line;
  const wchar_t* name;
  bool present;
  const wchar_t* value;
};

// Quoting, nesting, separators, prefixes, the first-occurrence rule and the case rule, each
// as the switch map sees them.
TEST(CommandLineTest, SwitchTable) {
  const SwitchCase cases[] = {
      {L"--s", L"s", true, L""},
      {L"-s", L"s", true, L""},
      {L"/s", L"s", true, L""},
      {L"--S", L"s", false, L""},                                   // typed upper case: not found
      {L"--silent --portable", L"portable", true, L""},
      {L"--installpath=\"C:\\My Apps\\Vireo\" --portable", L"installpath", true, L"C:\\My Apps\\Vireo"},
      {L"--installpath:\"C:\\My Apps\\Vireo\"", L"installpath", true, L"C:\\My Apps\\Vireo"},
      {L"--installpath=C:\\a --installpath=C:\\b", L"installpath", true, L"C:\\a"},  // first wins
      {L"--key=a=b", L"key", true, L"a=b"},                         // only the first separator splits
      {L"--key:a=b", L"key", true, L"a=b"},
      {L"--key=x:y", L"key", true, L"x:y"},
      {L"--flag", L"flag", true, L""},
      {L"--flag=", L"flag", true, L""},
      {L"--absent", L"other", false, L""},
      {L"  --a   --b  ", L"b", true, L""},                           // runs of spaces give empty tokens
      {L"--a\t--b", L"a\t--b", true, L""},                           // a tab is an ordinary character
      // A quoted value holding a nested switch with its own quoted value stays one token.
      {L"--cmd=\"--inner=\"x y\" z\" --after", L"cmd", true, L"--inner=\"x y\" z"},
      {L"--cmd=\"--inner=\"x y\" z\" --after", L"after", true, L""},
      // A stray opening quote makes the rest of the line one token.
      {L"--a=\"open --b", L"a", true, L"open --b"},
      {L"--a=\"open --b", L"b", false, L""},
      {L"\"C:\\Program Files\\setup.exe\" --s", L"s", true, L""},
      {L"", L"s", false, L""},
  };
  for (const auto& c : cases) {
    const CCommandLine cl = Parse(c.line);
    EXPECT_EQ(cl.switches().count(c.name) == 1, c.present) << c.line;
    if (c.present) {
      EXPECT_EQ(cl.GetSwitchValue(c.name), c.value) << c.line;
    }
  }
}

// HasSwitch lower-cases the query, GetSwitchValue does not.
TEST(CommandLineTest, QueryCaseRules) {
  const CCommandLine cl = Parse(L"--silent --Mixed=1");
  EXPECT_TRUE(cl.HasSwitch(L"SILENT"));
  EXPECT_FALSE(cl.HasSwitch(L"Mixed"));  // the query is lowered, the typed name is not
  EXPECT_EQ(cl.GetSwitchValue(L"Mixed"), L"1");
  EXPECT_EQ(cl.GetSwitchValue(L"mixed"), L"");
  EXPECT_EQ(cl.GetSwitchValue(L"silent"), L"");
}

// The first token is the program path (quotes removed) unless it is a switch.
TEST(CommandLineTest, FirstTokenIsTheProgramPath) {
  EXPECT_EQ(Parse(L"\"C:\\Program Files\\Vireo\\setup.exe\" --s").program_path(),
            L"C:\\Program Files\\Vireo\\setup.exe");
  EXPECT_EQ(Parse(L"setup.exe --s").program_path(), L"setup.exe");
  EXPECT_EQ(Parse(L"--s setup.exe").program_path(), L"");
  EXPECT_EQ(Parse(L"\"").program_path(), L"\"");
  // Later non-switch tokens are ignored, not taken as switches or paths.
  const CCommandLine cl = Parse(L"a b c");
  EXPECT_EQ(cl.program_path(), L"a");
  EXPECT_TRUE(cl.switches().empty());
}

// Parsing again replaces the earlier map.
TEST(CommandLineTest, InitReplacesEarlierParse) {
  CCommandLine cl;
  cl.Init(L"--s");
  cl.Init(L"--portable");
  EXPECT_FALSE(cl.HasSwitch(L"s"));
  EXPECT_TRUE(cl.HasSwitch(L"portable"));
}

bool IsSubstring(const std::wstring& haystack, const std::wstring& needle) {
  return haystack.find(needle) != std::wstring::npos;
}

// Thousands of random command lines built from the characters that matter: the parser never
// crashes, and every name and value it produces is text taken from the input.
TEST(CommandLineTest, RandomLinesNeverCrashAndOnlyYieldInputText) {
  std::mt19937 rng(20261209);
  const wchar_t alphabet[] = L" \"=:-/\\abS\t\x4E2D";
  std::uniform_int_distribution<int> pick(0, static_cast<int>(std::size(alphabet)) - 2);
  std::uniform_int_distribution<int> length(0, 64);
  for (int i = 0; i < 20000; ++i) {
    std::wstring line;
    const int n = length(rng);
    for (int k = 0; k < n; ++k) line.push_back(alphabet[pick(rng)]);
    CCommandLine cl;
    cl.Init(line);
    for (const auto& [name, value] : cl.switches()) {
      ASSERT_TRUE(IsSubstring(line, name)) << "line #" << i;
      ASSERT_TRUE(IsSubstring(line, value)) << "line #" << i;
      ASSERT_LE(name.size() + value.size(), line.size());
    }
    ASSERT_TRUE(IsSubstring(line, cl.program_path()));
  }
}

}  // namespace
}  // namespace vireo
