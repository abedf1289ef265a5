#include "archive/memory_in_stream.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "support/scoped_com.h"
#include "support/scoped_handle.h"
#include "tests/test_support/file_io.h"
#include "tests/test_support/scoped_temp_dir.h"

namespace vireo {
namespace {

using test::ScopedTempDir;
using test::WriteFileBytes;

// Seeks from each origin, refused moves that leave the position alone, and reads that stop at
// the end without failing.
TEST(MemoryInStreamTest, SeeksAndReadsWithinItsBytes) {
  const std::string text = "0123456789";
  const std::span<const unsigned char> bytes(reinterpret_cast<const unsigned char*>(text.data()), text.size());
  ScopedComPtr<CMemoryInStream> stream(new CMemoryInStream(bytes));

  struct Case {
    INT64 offset;
    UINT32 origin;
    HRESULT result;
    UINT64 position;  // after the call
  };
  const Case cases[] = {
      {3, FILE_BEGIN, S_OK, 3},
      {2, FILE_CURRENT, S_OK, 5},
      {-1, FILE_END, S_OK, 9},
      {-10, FILE_CURRENT, HRESULT_FROM_WIN32(ERROR_NEGATIVE_SEEK), 9},
      {-1, FILE_BEGIN, HRESULT_FROM_WIN32(ERROR_NEGATIVE_SEEK), 9},
      {INT64_MAX, FILE_END, E_INVALIDARG, 9},
      {0, 3, E_INVALIDARG, 9},
      {20, FILE_BEGIN, S_OK, 20},  // past the end, as a file allows
  };
  for (const Case& c : cases) {
    UINT64 position = 12345;
    EXPECT_EQ(stream->Seek(c.offset, c.origin, &position), c.result) << c.offset << " from " << c.origin;
    UINT64 now = 0;
    ASSERT_EQ(stream->Seek(0, FILE_CURRENT, &now), S_OK);
    EXPECT_EQ(now, c.position) << c.offset << " from " << c.origin;
  }

  char buffer[8] = {};
  UINT32 read = 99;
  EXPECT_EQ(stream->Read(buffer, sizeof(buffer), &read), S_OK);  // past the end: nothing
  EXPECT_EQ(read, 0u);
  ASSERT_EQ(stream->Seek(6, FILE_BEGIN, nullptr), S_OK);
  EXPECT_EQ(stream->Read(buffer, sizeof(buffer), &read), S_OK);  // only what is left
  EXPECT_EQ(std::string(buffer, read), "6789");
  UINT64 size = 0;
  EXPECT_EQ(stream->GetSize(&size), S_OK);
  EXPECT_EQ(size, text.size());
}

// Given a file that holds the same bytes, the stream reads them from there, and a file that
// ends early is a failed read rather than bytes made up.
TEST(MemoryInStreamTest, ReadsThroughTheFileThatHoldsTheBytes) {
  const std::string text = "0123456789";
  const std::span<const unsigned char> bytes(reinterpret_cast<const unsigned char*>(text.data()), text.size());
  ScopedTempDir temp;
  const std::wstring path = temp.Join(L"same_bytes.bin");
  ASSERT_TRUE(WriteFileBytes(path, "xxabcdefgh"));  // differs from |text| on purpose
  ScopedFile file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
  ASSERT_TRUE(file);
  const std::unique_ptr<CFileWindowReader> reader = CFileWindowReader::Open(file.get());
  ASSERT_TRUE(reader);
  ScopedComPtr<CMemoryInStream> stream(new CMemoryInStream(bytes, reader.get(), 2));
  char buffer[4] = {};
  UINT32 read = 0;
  ASSERT_EQ(stream->Seek(1, FILE_BEGIN, nullptr), S_OK);
  EXPECT_EQ(stream->Read(buffer, sizeof(buffer), &read), S_OK);
  EXPECT_EQ(std::string(buffer, read), "bcde");
  ASSERT_EQ(stream->Seek(7, FILE_BEGIN, nullptr), S_OK);
  EXPECT_EQ(stream->Read(buffer, sizeof(buffer), &read), E_FAIL) << "the file holds one byte fewer";
}

}  // namespace
}  // namespace vireo
