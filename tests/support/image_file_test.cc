#include "support/image_file.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <span>
#include <vector>

#include "support/file_window_reader.h"

namespace vireo {
namespace {

// Initialised data: it lies in the test program's file as well as in its mapped image.
extern const unsigned char kInImage[];
const unsigned char kInImage[] = "bytes that the test program's file holds at some offset";

// Bytes of the mapped image are found in the program's file and read from there; bytes
// elsewhere are not.
TEST(ImageFileTest, FindsImageBytesInTheProgramsFile) {
  const std::span<const unsigned char> bytes(kInImage, sizeof(kInImage));
  UINT64 offset = 0;
  const ScopedFile file = OpenImageFileAt(bytes, &offset);
  ASSERT_TRUE(file);
  const std::unique_ptr<CFileWindowReader> reader = CFileWindowReader::Open(file.get());
  ASSERT_TRUE(reader);
  std::vector<unsigned char> read(bytes.size());
  ASSERT_TRUE(reader->Read(offset, read.data(), read.size()));
  EXPECT_EQ(std::memcmp(read.data(), bytes.data(), bytes.size()), 0);

  const std::vector<unsigned char> on_heap(bytes.begin(), bytes.end());
  EXPECT_FALSE(OpenImageFileAt(on_heap, &offset));
}

}  // namespace
}  // namespace vireo
