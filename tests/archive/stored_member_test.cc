#include "archive/stored_member.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "archive/extract_archive.h"
#include "tests/archive/archive_test_env.h"

namespace vireo::test {
namespace {

using StoredMemberTest = ArchiveTest;

std::span<const unsigned char> Bytes(const std::string& s) {
  return {reinterpret_cast<const unsigned char*>(s.data()), s.size()};
}

// Only one member stored as is, under exactly the name asked for, is found; anything else, a
// package cut short or damaged included, gives nothing.
TEST_F(StoredMemberTest, FindsOnlyTheOneMemberStoredAsIs) {
  Load();
  const std::string stored = ReadFileBytes(Fixture("stored.7z"));
  const std::string payload = ReadFileBytes(Fixture("payload.bin"));
  const std::span<const unsigned char> found = FindStoredMember(Bytes(stored), L"payload.bin");
  ASSERT_EQ(found.size(), payload.size());
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(found.data()), found.size()), payload);

  EXPECT_TRUE(FindStoredMember(Bytes(stored), L"PAYLOAD.BIN").empty());
  EXPECT_TRUE(FindStoredMember(Bytes(ReadFileBytes(Fixture("single_compressed.7z"))), L"payload.bin").empty());
  EXPECT_TRUE(FindStoredMember(Bytes(ReadFileBytes(Fixture("tree.7z"))), L"top.txt").empty());
  for (size_t cut : {size_t{0}, size_t{31}, size_t{32}, stored.size() / 2, stored.size() - 1}) {
    EXPECT_TRUE(FindStoredMember(Bytes(stored.substr(0, cut)), L"payload.bin").empty()) << "cut at " << cut;
  }
  UnloadArchivePlugin();
  EXPECT_TRUE(FindStoredMember(Bytes(stored), L"payload.bin").empty()) << "found without the module";
}

// Random damage to a package never crashes or reads outside it: the answer is nothing, or a
// view inside the package.
TEST_F(StoredMemberTest, DamagedPackagesNeverReadOutside) {
  Load();
  const std::string stored = ReadFileBytes(Fixture("stored.7z"));
  std::mt19937 random(20261210);
  for (int round = 0; round < 200; ++round) {
    std::string damaged = stored;
    for (int flips = 1 + static_cast<int>(random() % 4); flips > 0; --flips) {
      // Mostly the headers at both ends, where the layout is described.
      const size_t at = random() % 2 ? random() % 64 : damaged.size() - 1 - random() % 128;
      damaged[at] = static_cast<char>(random());
    }
    const std::span<const unsigned char> bytes = Bytes(damaged);
    const std::span<const unsigned char> found = FindStoredMember(bytes, L"payload.bin");
    if (found.empty()) continue;
    EXPECT_GE(found.data(), bytes.data());
    EXPECT_LE(found.data() + found.size(), bytes.data() + bytes.size());
  }
}

// An archive extracted from memory comes out as it does from a file, and a hostile name is
// refused there too.
TEST_F(StoredMemberTest, ArchivesExtractFromMemoryLikeFiles) {
  Load();
  const std::string tree = ReadFileBytes(Fixture("tree.7z"));
  EXPECT_EQ(ExtractArchiveBytes(Bytes(tree), dest_.c_str(), nullptr, {}), UNZIP_SUCCESS);
  EXPECT_EQ(ReadFileBytes(Out(L"sub\\other.txt")), "second level file\n");
  EXPECT_TRUE(IsDirectory(Out(L"empty_dir")));

  const std::string hostile = ReadFileBytes(Fixture("hostile_parent.7z"));
  const std::wstring inner = temp_.Join(L"inner\\out");
  EXPECT_EQ(ExtractArchiveBytes(Bytes(hostile), inner.c_str(), nullptr, {}), UNZIP_EXTRACT_FAILED);
  EXPECT_FALSE(PathExists(temp_.Join(L"inner\\outside.txt")));
  EXPECT_EQ(ExtractArchiveBytes(Bytes(tree.substr(0, tree.size() / 2)), dest_.c_str(), nullptr, {}),
            UNZIP_EXTRACT_FAILED);
  EXPECT_EQ(ExtractArchiveBytes(Bytes(tree), nullptr, nullptr, {}), UNZIP_INVALID_ARGS);
}

}  // namespace
}  // namespace vireo::test
