#include <windows.h>

#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <vector>

#include "installer/component_records.h"
#include "installer/json_version.h"
#include "installer/version_folder.h"
#include "installer/widevine_cdm.h"
#include "tests/test_support/file_io.h"
#include "tests/test_support/scoped_temp_dir.h"

namespace vireo {
namespace {

using test::MakeDirs;
using test::ReadFileBytes;
using test::WriteFileBytes;

// Only four plain dotted numbers name a version folder.
TEST(DirWorkItemVersionFolder, Pattern) {
  EXPECT_TRUE(IsVersionFolderName(L"1.2.3.4"));
  EXPECT_TRUE(IsVersionFolderName(L"122.0.6261.95"));
  EXPECT_TRUE(IsVersionFolderName(L"0.0.0.0"));
  EXPECT_TRUE(IsVersionFolderName(L"4294967295.0.0.1"));
  EXPECT_FALSE(IsVersionFolderName(L"1.2.3"));
  EXPECT_FALSE(IsVersionFolderName(L"1.2.3.4a"));
  EXPECT_FALSE(IsVersionFolderName(L"1.2.3.4-beta"));
  EXPECT_FALSE(IsVersionFolderName(L"1.2.3.4.5"));
  EXPECT_FALSE(IsVersionFolderName(L"1.2.3.4."));
  EXPECT_FALSE(IsVersionFolderName(L"1..3.4"));
  EXPECT_FALSE(IsVersionFolderName(L".1.2.3"));
  EXPECT_FALSE(IsVersionFolderName(L""));
  // What a scanf match would let through: signs, blanks, numbers beyond 32 bits.
  EXPECT_FALSE(IsVersionFolderName(L"-1.2.3.4"));
  EXPECT_FALSE(IsVersionFolderName(L"+1.2.3.4"));
  EXPECT_FALSE(IsVersionFolderName(L" 1.2.3.4"));
  EXPECT_FALSE(IsVersionFolderName(L"1. 2.3.4"));
  EXPECT_FALSE(IsVersionFolderName(L"4294967296.0.0.1"));
}

struct Collected {
  std::vector<std::wstring> seen;
  size_t stop_after = 100;
};

bool Collect(const std::wstring& folder, void* context) {
  auto* c = static_cast<Collected*>(context);
  c->seen.push_back(folder);
  return c->seen.size() >= c->stop_after;
}

// Only sub-folders with the pattern are visited, files of that name are not, and a visitor
// that answers true ends the walk.
TEST(DirWorkItemVersionFolder, Enumerate) {
  test::ScopedTempDir temp;
  for (const wchar_t* d : {L"1.2.3.4", L"5.6.7.8", L"1.2.3", L"1.2.3.4-beta", L"Extensions"}) {
    ASSERT_TRUE(MakeDirs(temp.Join(d)));
  }
  ASSERT_TRUE(WriteFileBytes(temp.Join(L"9.9.9.9"), "file"));

  Collected all;
  EnumerateVersionFolders(temp.path().c_str(), &Collect, &all);
  ASSERT_EQ(all.seen.size(), 2u);
  for (const std::wstring& s : all.seen) {
    EXPECT_TRUE(s == temp.Join(L"1.2.3.4") || s == temp.Join(L"5.6.7.8")) << s.size();
  }

  Collected first;
  first.stop_after = 1;
  EnumerateVersionFolders(temp.path().c_str(), &Collect, &first);
  EXPECT_EQ(first.seen.size(), 1u);

  EnumerateVersionFolders(temp.path().c_str(), &Collect, nullptr);
  EnumerateVersionFolders(L"", &Collect, &all);
  EnumerateVersionFolders(temp.path().c_str(), nullptr, &all);
  EXPECT_EQ(all.seen.size(), 2u);
}

class DirWorkItemJsonVersion : public testing::Test {
 protected:
  bool Read(const std::string& content, std::wstring* text = nullptr) {
    const std::wstring file = temp_.Join(L"manifest.json");
    EXPECT_TRUE(WriteFileBytes(file, content));
    wchar_t out[kJsonVersionChars] = {};
    const bool ok = ReadJsonVersion(file.c_str(), out);
    if (text) *text = out;
    return ok;
  }
  test::ScopedTempDir temp_;
};

// A string "version" of four dotted numbers is read, comments allowed.
TEST_F(DirWorkItemJsonVersion, ReadsVersion) {
  std::wstring v;
  EXPECT_TRUE(Read(R"({"name":"WidevineCdm","version":"1.0.2.7"})", &v));
  EXPECT_EQ(v, L"1.0.2.7");
  EXPECT_TRUE(Read("// a comment\n{ /* inline */ \"version\": \"4.10.2710.0\" }", &v));
  EXPECT_EQ(v, L"4.10.2710.0");
}

// Everything outside the limits is refused.
TEST_F(DirWorkItemJsonVersion, Limits) {
  std::wstring v;
  EXPECT_FALSE(Read(""));
  EXPECT_FALSE(Read("not json"));
  EXPECT_FALSE(Read(R"(["version","1.2.3.4"])"));
  EXPECT_FALSE(Read(R"({"version":1.2})"));
  EXPECT_FALSE(Read(R"({"Version":"1.2.3.4"})"));
  EXPECT_FALSE(Read(R"({"version":""})"));
  EXPECT_FALSE(Read(R"({"version":"1.2.3"})", &v));
  EXPECT_EQ(v, L"1.2.3");  // the text stays readable even though it is not a version
  // 63 bytes still fit, 64 do not.
  const std::string v63 = "1.2.3." + std::string(57, '4');
  EXPECT_FALSE(Read("{\"version\":\"" + v63 + "\"}", &v));  // fits, but overflows 32 bits
  EXPECT_EQ(v.size(), 63u);
  EXPECT_FALSE(Read("{\"version\":\"" + v63 + "5\"}", &v));
  EXPECT_EQ(v, L"");
  // A non-ASCII byte stops the copy where it stands.
  EXPECT_FALSE(Read("{\"version\":\"1.2\xC3\xA9.3.4\"}", &v));
  EXPECT_EQ(v, L"1.2");
  // An embedded null does not hide a tail.
  EXPECT_FALSE(Read("{\"version\":\"1.2.3.4\\u0000x\"}"));

  wchar_t out[kJsonVersionChars] = {};
  EXPECT_FALSE(ReadJsonVersion(temp_.Join(L"missing.json").c_str(), out));
  EXPECT_FALSE(ReadJsonVersion(nullptr, out));
  EXPECT_FALSE(ReadJsonVersion(L"", out));
  EXPECT_FALSE(ReadJsonVersion(temp_.Join(L"manifest.json").c_str(), nullptr));
}

// The records are single lines of exactly this text; last_check is whole seconds in
// milliseconds, as a JSON string.
TEST(DirWorkItemRecords, Formats) {
  EXPECT_EQ(FormatScreenshotRecord(1700000000000),
            R"({"filename":"Screenshot.exe.zip","version":"migrated","last_check":"1700000000000"})");
  EXPECT_EQ(FormatWidevineRecord(L"1.0.2.7", 1700000000000), R"({"version":"1.0.2.7","last_check":"1700000000000"})");
  EXPECT_EQ(FormatWidevineRecord(std::wstring(64, L'1'), 1), "");

  const int64_t now = CurrentLastCheckMillis();
  EXPECT_EQ(now % 1000, 0);
  const std::string record = FormatWidevineRecord(L"1.0.2.7", now);
  EXPECT_TRUE(std::regex_match(record, std::regex(R"(\{"version":"1\.0\.2\.7","last_check":"[1-9][0-9]*000"\}$)")))
      << record;
}

// A module folder: "manifest.json" naming |version| and, when given, one platform library.
void MakeModule(const std::wstring& folder, const std::string& version, const wchar_t* arch) {
  ASSERT_TRUE(MakeDirs(folder));
  ASSERT_TRUE(WriteFileBytes(folder + L"\\manifest.json", "{\"version\":\"" + version + "\"}"));
  if (arch) {
    ASSERT_TRUE(MakeDirs(folder + L"\\_platform_specific\\" + arch));
    ASSERT_TRUE(WriteFileBytes(folder + L"\\_platform_specific\\" + arch + L"\\widevinecdm.dll", "MZ"));
  }
}

// A module needs its manifest and one of the three platform libraries as a file.
TEST(DirWorkItemWidevine, HasFiles) {
  test::ScopedTempDir temp;
  MakeModule(temp.Join(L"x64"), "1.0.2.7", L"win_x64");
  EXPECT_TRUE(HasWidevineCdmFiles(temp.Join(L"x64")));
  MakeModule(temp.Join(L"arm"), "1.0.2.7", L"win_arm64");
  EXPECT_TRUE(HasWidevineCdmFiles(temp.Join(L"arm")));
  MakeModule(temp.Join(L"none"), "1.0.2.7", nullptr);
  EXPECT_FALSE(HasWidevineCdmFiles(temp.Join(L"none")));
  // A library that is a directory does not count.
  ASSERT_TRUE(MakeDirs(temp.Join(L"none\\_platform_specific\\win_x86\\widevinecdm.dll")));
  EXPECT_FALSE(HasWidevineCdmFiles(temp.Join(L"none")));
  // No manifest.
  ASSERT_TRUE(MakeDirs(temp.Join(L"nomanifest\\_platform_specific\\win_x64")));
  ASSERT_TRUE(WriteFileBytes(temp.Join(L"nomanifest\\_platform_specific\\win_x64\\widevinecdm.dll"), "MZ"));
  EXPECT_FALSE(HasWidevineCdmFiles(temp.Join(L"nomanifest")));
  EXPECT_FALSE(HasWidevineCdmFiles(temp.Join(L"missing")));
  EXPECT_FALSE(HasWidevineCdmFiles(L""));
}

class DirWorkItemWidevineRecord : public testing::Test {
 protected:
  std::wstring Record() const { return temp_.Join(L"installed.json"); }
  test::ScopedTempDir temp_;
};

// Without a record, one naming the version is written.
TEST_F(DirWorkItemWidevineRecord, WritesNewRecord) {
  WriteWidevineRecord(temp_.path(), L"1.0.2.7");
  const std::string text = ReadFileBytes(Record());
  EXPECT_TRUE(std::regex_match(text, std::regex(R"(\{"version":"1\.0\.2\.7","last_check":"[0-9]+000"\})"))) << text;
  WriteWidevineRecord(L"", L"1.0.2.7");
  WriteWidevineRecord(temp_.Join(L"other"), L"");
  EXPECT_FALSE(test::PathExists(temp_.Join(L"other")));
}

// A record naming the same version (any case) or another usable module stays untouched.
TEST_F(DirWorkItemWidevineRecord, KeepsRecordOfUsableModule) {
  const std::string same = R"({"version":"1.0.2.7","last_check":"5000"})";
  ASSERT_TRUE(WriteFileBytes(Record(), same));
  WriteWidevineRecord(temp_.path(), L"1.0.2.7");
  EXPECT_EQ(ReadFileBytes(Record()), same);

  MakeModule(temp_.Join(L"4.10.0.0"), "4.10.0.0", L"win_x64");
  const std::string other = R"({"version":"4.10.0.0","last_check":"5000"})";
  ASSERT_TRUE(WriteFileBytes(Record(), other));
  WriteWidevineRecord(temp_.path(), L"1.0.2.7");
  EXPECT_EQ(ReadFileBytes(Record()), other);

  // Even a name that is not a four-number version is kept while its folder is usable.
  MakeModule(temp_.Join(L"custom"), "4.10.0.0", L"win_x86");
  const std::string custom = R"({"version":"custom"})";
  ASSERT_TRUE(WriteFileBytes(Record(), custom));
  WriteWidevineRecord(temp_.path(), L"1.0.2.7");
  EXPECT_EQ(ReadFileBytes(Record()), custom);
}

// A record naming a module that is gone, or an unreadable record, is replaced.
TEST_F(DirWorkItemWidevineRecord, ReplacesStaleRecord) {
  ASSERT_TRUE(WriteFileBytes(Record(), R"({"version":"9.9.9.9","last_check":"5000"})"));
  WriteWidevineRecord(temp_.path(), L"1.0.2.7");
  EXPECT_EQ(ReadFileBytes(Record()).rfind(R"({"version":"1.0.2.7","last_check":")", 0), 0u);

  ASSERT_TRUE(WriteFileBytes(Record(), "garbage"));
  WriteWidevineRecord(temp_.path(), L"1.0.2.7");
  EXPECT_EQ(ReadFileBytes(Record()).rfind(R"({"version":"1.0.2.7","last_check":")", 0), 0u);
}

}  // namespace
}  // namespace vireo
