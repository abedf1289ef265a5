#include "installer/steps/version_folder.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/test_support/file_io.h"
#include "tests/test_support/scoped_temp_dir.h"

namespace vireo {
namespace {

using test::MakeDirs;
using test::WriteFileBytes;

// Only four plain dotted numbers, each a file version's 16-bit part, name a version folder.
TEST(DirWorkItemVersionFolder, Pattern) {
  EXPECT_TRUE(IsVersionFolderName(L"1.2.3.4"));
  EXPECT_TRUE(IsVersionFolderName(L"122.0.6261.95"));
  EXPECT_TRUE(IsVersionFolderName(L"0.0.0.0"));
  EXPECT_TRUE(IsVersionFolderName(L"65535.65535.65535.65535"));
  EXPECT_FALSE(IsVersionFolderName(L"1.2.3.65536"));
  EXPECT_FALSE(IsVersionFolderName(L"1.0"));
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
  EXPECT_FALSE(IsVersionFolderName(L"99999999999999999999.0.0.0"));
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

}  // namespace
}  // namespace vireo
