#include "ui/markup/zip_archive.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "tests/test_support/zip_writer.h"
#include "tests/ui/markup/markup_fixtures.h"

namespace ui {
namespace {

using vireo::test::MakeZip;
using vireo::test::ZipMember;

const uint8_t* Bytes(const std::string& s) { return reinterpret_cast<const uint8_t*>(s.data()); }

void Put32(std::string* zip, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) (*zip)[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
}
void Put16(std::string* zip, size_t at, uint32_t v) {
  for (int i = 0; i < 2; ++i) (*zip)[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
}
// Offsets of the end record and of the first central header of an archive without comment.
size_t EndRecord(const std::string& zip) { return zip.size() - 22; }
size_t FirstCentral(const std::string& zip) {
  const auto* p = Bytes(zip) + EndRecord(zip) + 16;
  return p[0] | (p[1] << 8) | (p[2] << 16) | (p[3] << 24);
}

std::string Extracted(const ZipArchive& archive, const char* name) {
  const ZipEntry* entry = archive.Find(name);
  if (entry == nullptr) return "(missing)";
  const ByteBlock block = archive.Extract(*entry);
  if (!block) return "(refused)";
  return std::string(reinterpret_cast<const char*>(block.data()), block.size());
}

const std::string kText = "skin text, long enough to compress: " + std::string(300, 'a') + "end";

TEST(ZipArchiveTest, StoredDeflatedAndEncryptedMembersComeOutWhole) {
  const std::string zip = MakeZip({
      {"stored.txt", kText},
      {"deflated.txt", kText, test::DeflateRaw(kText)},
      {"secret_stored.txt", kText, "", "pass word"},
      {"secret_deflated.txt", kText, test::DeflateRaw(kText), "pass word"},
      {"empty.txt", ""},
  });
  ZipArchive archive;
  ASSERT_TRUE(archive.Open(Bytes(zip), zip.size(), "pass word"));
  EXPECT_EQ(archive.entries().size(), 5u);
  for (const char* name : {"stored.txt", "deflated.txt", "secret_stored.txt", "secret_deflated.txt"}) {
    EXPECT_EQ(Extracted(archive, name), kText) << name;
  }
  EXPECT_EQ(Extracted(archive, "empty.txt"), "");
}

TEST(ZipArchiveTest, NamesAreFoldedAndClimbingPartsStripped) {
  const std::string zip = MakeZip({{"Button/Btn_Install.PNG", "a"},
                                   {"../../up.txt", "b"},
                                   {"/rooted.txt", "c"},
                                   {"x..y/z.txt", "d"},
                                   {"folder/", ""},
                                   {"..", "e"}});
  ZipArchive archive;
  ASSERT_TRUE(archive.Open(Bytes(zip), zip.size(), ""));
  EXPECT_EQ(Extracted(archive, "button/btn_install.png"), "a");
  EXPECT_EQ(Extracted(archive, "BUTTON/BTN_INSTALL.PNG"), "a");
  EXPECT_EQ(Extracted(archive, "up.txt"), "b");
  EXPECT_EQ(Extracted(archive, "rooted.txt"), "c");
  EXPECT_EQ(Extracted(archive, "z.txt"), "d");
  // The folder and the name that is nothing but a climb are not listed.
  EXPECT_EQ(archive.entries().size(), 4u);
}

TEST(ZipArchiveTest, DamagedOrForeignEntriesAreRefused) {
  struct Case {
    const char* what;
    ZipMember member;
    void (*damage)(std::string* zip);
    const char* password;
  };
  const std::string deflated = test::DeflateRaw(kText);
  const Case cases[] = {
      {"CRC mismatch", {"m", kText}, [](std::string* z) { (*z)[40] ^= 1; }, ""},
      {"wrong password", {"m", kText, deflated, "right"}, nullptr, "wrong"},
      {"no password", {"m", kText, "", "right"}, nullptr, ""},
      {"stream cut short",
       {"m", kText, deflated},
       [](std::string* z) { Put32(z, FirstCentral(*z) + 20, static_cast<uint32_t>(test::DeflateRaw(kText).size() - 4)); },
       ""},
      {"more than declared",
       {"m", kText, deflated},
       [](std::string* z) { Put32(z, FirstCentral(*z) + 24, static_cast<uint32_t>(kText.size() - 1)); },
       ""},
      {"less than declared",
       {"m", kText, deflated},
       [](std::string* z) { Put32(z, FirstCentral(*z) + 24, static_cast<uint32_t>(kText.size() + 1)); },
       ""},
      {"gigabytes declared", {"m", kText, deflated}, [](std::string* z) { Put32(z, FirstCentral(*z) + 24, 0xC0000000u); }, ""},
      {"stored sizes differ", {"m", kText}, [](std::string* z) { Put32(z, FirstCentral(*z) + 24, 10); }, ""},
      {"unknown method", {"m", kText}, [](std::string* z) { Put16(z, FirstCentral(*z) + 10, 12); }, ""},
      {"strong encryption", {"m", kText}, [](std::string* z) { Put16(z, FirstCentral(*z) + 8, 0x41); }, ""},
      {"local header outside", {"m", kText}, [](std::string* z) { Put32(z, FirstCentral(*z) + 42, 0xFFFFFFF0u); }, ""},
      {"local header mis-signed", {"m", kText}, [](std::string* z) { (*z)[0] = 'X'; }, ""},
      {"data beyond the buffer", {"m", kText}, [](std::string* z) { Put16(z, 28, 0xFFFF); }, ""},
  };
  for (const Case& c : cases) {
    std::string zip = MakeZip({c.member});
    if (c.damage) c.damage(&zip);
    ZipArchive archive;
    ASSERT_TRUE(archive.Open(Bytes(zip), zip.size(), c.password)) << c.what;
    EXPECT_EQ(Extracted(archive, "m"), "(refused)") << c.what;
  }
}

TEST(ZipArchiveTest, BrokenDirectoriesAreRefused) {
  const std::string good = MakeZip({{"a.txt", "a"}, {"b.txt", "b"}});
  struct Case {
    const char* what;
    void (*damage)(std::string* zip);
  };
  const Case cases[] = {
      {"empty", [](std::string* z) { z->clear(); }},
      {"no end record", [](std::string* z) { z->resize(z->size() - 22); }},
      {"end record cut", [](std::string* z) { z->resize(z->size() - 1); }},
      {"comment beyond the buffer", [](std::string* z) { Put16(z, EndRecord(*z) + 20, 5); }},
      {"directory beyond the end record", [](std::string* z) { Put32(z, EndRecord(*z) + 16, 0x7FFFFFF0u); }},
      {"directory size beyond the end record", [](std::string* z) { Put32(z, EndRecord(*z) + 12, 0xFFFFFF00u); }},
      {"more entries than fit", [](std::string* z) { Put16(z, EndRecord(*z) + 8, 900), Put16(z, EndRecord(*z) + 10, 900); }},
      {"entries on another disk", [](std::string* z) { Put16(z, EndRecord(*z) + 4, 1); }},
      {"ZIP64 marker", [](std::string* z) { Put32(z, EndRecord(*z) + 16, 0xFFFFFFFFu); }},
      {"central header mis-signed", [](std::string* z) { (*z)[FirstCentral(*z)] = 'X'; }},
      {"name runs past the directory", [](std::string* z) { Put16(z, FirstCentral(*z) + 28, 2000); }},
  };
  for (const Case& c : cases) {
    std::string zip = good;
    c.damage(&zip);
    ZipArchive archive;
    EXPECT_FALSE(archive.Open(Bytes(zip), zip.size(), "")) << c.what;
    EXPECT_FALSE(archive.is_open()) << c.what;
  }
  // A comment after the end record is fine.
  std::string commented = good;
  Put16(&commented, EndRecord(commented) + 20, 7);
  commented += "comment";
  ZipArchive archive;
  EXPECT_TRUE(archive.Open(Bytes(commented), commented.size(), ""));
  EXPECT_EQ(Extracted(archive, "b.txt"), "b");
}

}  // namespace
}  // namespace ui
