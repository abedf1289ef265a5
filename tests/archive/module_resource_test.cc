#include "archive/module_resource.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "tests/test_support/file_io.h"
#include "tests/test_support/scoped_temp_dir.h"
#include "tests/test_support/test_paths.h"

namespace vireo::test {
namespace {

HMODULE Self() { return ::GetModuleHandleW(nullptr); }

// The compressed module inflates to exactly the module's bytes; a resource that is not
// compressed is written as it is.
TEST(ModuleResourceTest, InflatesCompressedAndCopiesPlainResources) {
  ScopedTempDir dir;
  const std::wstring inflated = dir.Join(L"inflated.dll");
  const std::wstring plain = dir.Join(L"plain.dll");
  ASSERT_TRUE(WriteModuleResource(Self(), inflated.c_str(), L"PACKAGE", L"IDR_DLL_7Z"));
  ASSERT_TRUE(WriteModuleResource(Self(), plain.c_str(), L"PACKAGE", L"RAW_MODULE"));
  const std::string module = ReadFileBytes(plain);
  EXPECT_GT(module.size(), 1000000u);
  EXPECT_EQ(module.rfind("MZ", 0), 0u);
  EXPECT_TRUE(ReadFileBytes(inflated) == module);

  const std::wstring text = dir.Join(L"text.bin");
  ASSERT_TRUE(WriteModuleResource(Self(), text.c_str(), L"PACKAGE", L"GZIP_GOOD"));
  EXPECT_TRUE(ReadFileBytes(text) == ReadFileBytes(BuildPath("archive_fixtures/payload.bin")));
}

// Every stream that is not one whole, intact gzip member within the size limit is refused.
TEST(ModuleResourceTest, RefusesBrokenOrOversizedStreams) {
  ScopedTempDir dir;
  const std::wstring out = dir.Join(L"out.bin");
  for (const wchar_t* name : {L"GZIP_TRUNCATED", L"GZIP_TWO_MEMBERS", L"GZIP_BAD_CRC", L"GZIP_BOMB"}) {
    EXPECT_FALSE(WriteModuleResource(Self(), out.c_str(), L"PACKAGE", name)) << testing::PrintToString(name);
  }
  EXPECT_LE(ReadFileBytes(out).size(), kMaxInflatedModuleBytes);
  EXPECT_FALSE(WriteModuleResource(Self(), out.c_str(), L"PACKAGE", L"NO_SUCH_RESOURCE"));
  EXPECT_FALSE(WriteModuleResource(nullptr, out.c_str(), L"PACKAGE", L"IDR_DLL_7Z"));
  EXPECT_FALSE(WriteModuleResource(Self(), dir.Join(L"missing\\out.bin").c_str(), L"PACKAGE", L"IDR_DLL_7Z"));
}

}  // namespace
}  // namespace vireo::test
