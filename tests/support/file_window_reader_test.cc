#include "support/file_window_reader.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/test_support/file_io.h"
#include "tests/test_support/scoped_temp_dir.h"

namespace vireo::test {
namespace {

unsigned char ByteAt(UINT64 offset) { return static_cast<unsigned char>((offset * 7 + offset / 4099) & 0xFF); }

// Reads within a window, across window edges and up to the end give the file's bytes, also
// when more readers take turns than there are windows (the least recently used one goes);
// a range past the end is refused.
TEST(FileWindowReaderTest, ReadsAnyRangeThroughAFewWindows) {
  const UINT64 size = 3 * kFileWindowSize + 12345;
  std::string content(size, '\0');
  for (UINT64 i = 0; i < size; ++i) content[i] = static_cast<char>(ByteAt(i));
  ScopedTempDir temp;
  const std::wstring path = temp.Join(L"large.bin");
  ASSERT_TRUE(WriteFileBytes(path, content));
  ScopedFile file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
  ASSERT_TRUE(file);
  const std::unique_ptr<CFileWindowReader> reader = CFileWindowReader::Open(file.get());
  ASSERT_TRUE(reader);
  EXPECT_EQ(reader->file_size(), size);

  auto expect_range = [&](UINT64 offset, size_t count) {
    std::vector<unsigned char> read(count);
    ASSERT_TRUE(reader->Read(offset, read.data(), count)) << offset << "+" << count;
    for (size_t i = 0; i < count; ++i) ASSERT_EQ(read[i], ByteAt(offset + i)) << offset << "+" << i;
  };
  expect_range(0, 100);
  expect_range(kFileWindowSize - 10, 20);                        // across one edge
  expect_range(kFileWindowSize / 2, 2 * kFileWindowSize);        // across two
  expect_range(size - 300, 300);                                 // the short last window
  // More sequential readers than windows, taking turns.
  const size_t readers = kFileWindowCount + 2;
  for (UINT64 step = 0; step < 4; ++step) {
    for (size_t r = 0; r < readers; ++r) expect_range(r * (size / readers) + step * 65536, 65536);
  }

  unsigned char byte = 0;
  EXPECT_FALSE(reader->Read(size, &byte, 1));
  EXPECT_FALSE(reader->Read(size - 1, &byte, 2));
  EXPECT_FALSE(reader->Read(~0ull, &byte, 1));
}

}  // namespace
}  // namespace vireo::test
