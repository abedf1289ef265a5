#include "archive/extract_archive.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "archive/archive_plugin.h"
#include "support/resource_file.h"
#include "support/scoped_handle.h"
#include "tests/archive/archive_test_env.h"
#include "tests/test_support/com_state.h"
#include "tests/test_support/zip_writer.h"

namespace vireo::test {
namespace {

using ExtractArchiveTest = ArchiveTest;

// A 7z tree comes out complete: nested files with their content and stored empty folders.
TEST_F(ExtractArchiveTest, SevenZipTreeIsExtractedWithEmptyFolders) {
  Load();
  EXPECT_EQ(Extract(Fixture("tree.7z")), UNZIP_SUCCESS);
  EXPECT_EQ(ReadFileBytes(Out(L"top.txt")), "top level file\n");
  EXPECT_EQ(ReadFileBytes(Out(L"sub\\other.txt")), "second level file\n");
  EXPECT_EQ(ReadFileBytes(Out(L"sub\\deep\\block3.bin")).size(), 1u + 1024u * 1024u);
  EXPECT_TRUE(IsDirectory(Out(L"empty_dir")));
}

// An extraction on a thread that already runs COM leaves the thread's count as it was, so the
// caller's own CoUninitialize still ends COM there.
TEST_F(ExtractArchiveTest, LeavesTheCallersComApartmentBalanced) {
  Load();
  ASSERT_EQ(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED), S_OK);
  EXPECT_EQ(Extract(Fixture("tree.7z")), UNZIP_SUCCESS);
  ::CoUninitialize();
  EXPECT_FALSE(IsComInitializedOnThisThread());
}

// A zip archive is refused by the 7z handler and extracted by the zip handler.
TEST_F(ExtractArchiveTest, ZipFallsBackToTheZipHandler) {
  Load();
  EXPECT_FALSE(ExtractWithFormat(GetArchiveCreateEntry(), kClsid7zHandler, Fixture("tree.zip").c_str(),
                                 dest_.c_str(), {}, nullptr));
  EXPECT_EQ(Extract(Fixture("tree.zip")), UNZIP_SUCCESS);
  EXPECT_EQ(ReadFileBytes(Out(L"sub\\other.txt")), "second level file\n");
  EXPECT_TRUE(IsDirectory(Out(L"empty_dir")));
}

// Progress starts at 0, never goes back or above 100, ends with finished at 100, and always
// carries the caller's context.
TEST_F(ExtractArchiveTest, ProgressIsMonotoneAndEndsAtHundred) {
  Load();
  ProgressRecorder recorder;
  auto context = std::make_shared<int>(42);
  ASSERT_EQ(ExtractArchive(Fixture("tree.7z").c_str(), dest_.c_str(), context, recorder.callback()), UNZIP_SUCCESS);
  const auto events = recorder.events();
  ASSERT_GE(events.size(), 3u) << "expected the module to report progress in between";
  EXPECT_EQ(events.front().event, UNZIP_EVENT_PROGRESS);
  EXPECT_EQ(events.front().percent, 0.0f);
  EXPECT_EQ(events.back().event, UNZIP_EVENT_FINISHED);
  EXPECT_EQ(events.back().percent, 100.0f);
  float last = 0.0f;
  for (size_t i = 0; i + 1 < events.size(); ++i) {
    EXPECT_EQ(events[i].event, UNZIP_EVENT_PROGRESS);
    EXPECT_GE(events[i].percent, last) << "event " << i;
    EXPECT_LE(events[i].percent, 100.0f);
    last = events[i].percent;
  }
  for (const auto& e : events) EXPECT_EQ(e.context, context.get());
}

// Names from a zip: an empty file name becomes "[Content]_<index>", "/" separates folders, ":" becomes "_".
TEST_F(ExtractArchiveTest, StoredNamesAreMapped) {
  Load();
  const std::wstring zip = temp_.Join(L"names.zip");
  ASSERT_TRUE(WriteFileBytes(zip, MakeStoredZip({{"first.txt", "1"},
                                                 {"", "nameless"},
                                                 {"dir/inner/file.txt", "deep"},
                                                 {"notes 10:30.txt", "colon"},
                                                 {"empty/", ""}})));
  ASSERT_EQ(Extract(zip), UNZIP_SUCCESS);
  EXPECT_EQ(ReadFileBytes(Out(L"[Content]_1")), "nameless");
  EXPECT_EQ(ReadFileBytes(Out(L"dir\\inner\\file.txt")), "deep");
  EXPECT_EQ(ReadFileBytes(Out(L"notes 10_30.txt")), "colon");
  EXPECT_TRUE(IsDirectory(Out(L"empty")));
}

// An existing file of the same name is replaced and truncated.
TEST_F(ExtractArchiveTest, ExistingFileIsOverwritten) {
  Load();
  ASSERT_TRUE(MakeDirs(dest_));
  ASSERT_TRUE(WriteFileBytes(Out(L"top.txt"), std::string(5000, 'x')));
  ASSERT_EQ(Extract(Fixture("tree.7z")), UNZIP_SUCCESS);
  EXPECT_EQ(ReadFileBytes(Out(L"top.txt")), "top level file\n");
}

// A target file held open without sharing fails the session with 13 and keeps its content.
TEST_F(ExtractArchiveTest, LockedTargetFails) {
  Load();
  ASSERT_TRUE(MakeDirs(dest_ + L"\\sub"));
  ASSERT_TRUE(WriteFileBytes(Out(L"sub\\other.txt"), "old"));
  {
    ScopedFile lock(::CreateFileW(Out(L"sub\\other.txt").c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                  OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(lock.valid());
    ProgressRecorder recorder;
    EXPECT_EQ(Extract(Fixture("tree.7z"), &recorder), UNZIP_EXTRACT_FAILED);
    ASSERT_FALSE(recorder.events().empty());
    EXPECT_EQ(recorder.events().back().event, UNZIP_EVENT_FINISHED);
    EXPECT_EQ(recorder.events().back().percent, 0.0f);
  }
  EXPECT_EQ(ReadFileBytes(Out(L"sub\\other.txt")), "old");
}

// A read-only target file fails the session with 13.
TEST_F(ExtractArchiveTest, ReadOnlyTargetFails) {
  Load();
  ASSERT_TRUE(MakeDirs(dest_ + L"\\sub"));
  const std::wstring target = Out(L"sub\\other.txt");
  ASSERT_TRUE(WriteFileBytes(target, "old"));
  ASSERT_TRUE(::SetFileAttributesW(target.c_str(), FILE_ATTRIBUTE_READONLY));
  {
    // Wine maps the attribute to Unix permission bits, which do not stop root.
    ScopedFile probe(::CreateFileW(target.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    if (probe.valid()) {
      ::SetFileAttributesW(target.c_str(), FILE_ATTRIBUTE_NORMAL);
      GTEST_SKIP() << "read-only files are writable here (Wine running as root)";
    }
  }
  EXPECT_EQ(Extract(Fixture("tree.7z")), UNZIP_EXTRACT_FAILED);
  ::SetFileAttributesW(target.c_str(), FILE_ATTRIBUTE_NORMAL);
}

// A file that is no archive is refused by both handlers: 13, with exactly one start and one finish event.
TEST_F(ExtractArchiveTest, NonArchiveFailsWithTwoEvents) {
  Load();
  ProgressRecorder recorder;
  EXPECT_EQ(Extract(Fixture("not_an_archive.txt"), &recorder), UNZIP_EXTRACT_FAILED);
  const auto events = recorder.events();
  ASSERT_EQ(events.size(), 2u);
  EXPECT_EQ(events[0].event, UNZIP_EVENT_PROGRESS);
  EXPECT_EQ(events[0].percent, 0.0f);
  EXPECT_EQ(events[1].event, UNZIP_EVENT_FINISHED);
  EXPECT_EQ(events[1].percent, 0.0f);
  // A missing file fails the same way.
  EXPECT_EQ(Extract(temp_.Join(L"missing.7z")), UNZIP_EXTRACT_FAILED);
}

// Null paths give 8 and never invoke the callback.
TEST_F(ExtractArchiveTest, NullPathsAreInvalidArguments) {
  Load();
  ProgressRecorder recorder;
  EXPECT_EQ(ExtractArchive(Fixture("tree.7z").c_str(), nullptr, nullptr, recorder.callback()), UNZIP_INVALID_ARGS);
  EXPECT_EQ(ExtractArchive(nullptr, dest_.c_str(), nullptr, recorder.callback()), UNZIP_INVALID_ARGS);
  EXPECT_TRUE(recorder.events().empty());
}

// Without a loaded module the session reports 10 without callbacks, even with a working
// "7z.dll" in the current folder and in the temporary folder: nothing is ever looked for by
// that name.
TEST_F(ExtractArchiveTest, NoModuleIsLoadFailure) {
  for (const std::wstring& planted : {temp_.Join(L"7z.dll"), temp_.Join(L"cwd\\7z.dll")}) {
    ASSERT_TRUE(MakeDirs(temp_.Join(L"cwd")));
    ASSERT_TRUE(ExtractResourceToFile(::GetModuleHandleW(nullptr), planted.c_str(), L"PACKAGE", L"IDR_DLL_7Z"));
  }
  wchar_t previous[MAX_PATH];
  ASSERT_NE(::GetCurrentDirectoryW(MAX_PATH, previous), 0u);
  ASSERT_TRUE(::SetCurrentDirectoryW(temp_.Join(L"cwd").c_str()));
  ProgressRecorder recorder;
  EXPECT_EQ(Extract(Fixture("tree.7z"), &recorder), UNZIP_LOAD_FAILED);
  EXPECT_TRUE(recorder.events().empty());
  EXPECT_EQ(::GetModuleHandleW(L"7z.dll"), nullptr);
  ::SetCurrentDirectoryW(previous);
}

// Zip members that climb out, are rooted or name a drive fail the session and write nothing outside.
TEST_F(ExtractArchiveTest, HostileZipNamesAreRefused) {
  Load();
  const std::wstring sentinel_dir = temp_.Join(L"victim");
  ASSERT_TRUE(MakeDirs(sentinel_dir));
  for (const char* name : {"../escaped.txt", "ok/../../escaped.txt", "..\\escaped.txt", "/rooted.txt",
                           "\\rooted.txt", "C:/drive.txt", "C:drive.txt", "ok/.. /escaped.txt"}) {
    const std::wstring zip = temp_.Join(L"hostile.zip");
    ASSERT_TRUE(WriteFileBytes(zip, MakeStoredZip({{"fine.txt", "fine"}, {name, "evil"}})));
    EXPECT_EQ(Extract(zip), UNZIP_EXTRACT_FAILED) << name;
    EXPECT_FALSE(PathExists(temp_.Join(L"escaped.txt"))) << name;
    EXPECT_FALSE(PathExists(L"C:\\rooted.txt")) << name;
    EXPECT_FALSE(PathExists(L"C:\\drive.txt")) << name;
  }
}

// 7z archives holding a parent step or an absolute path (as stored by -spf) are refused too.
TEST_F(ExtractArchiveTest, HostileSevenZipNamesAreRefused) {
  Load();
  dest_ = temp_.Join(L"a\\b");
  ASSERT_TRUE(MakeDirs(dest_));
  EXPECT_EQ(Extract(Fixture("hostile_parent.7z")), UNZIP_EXTRACT_FAILED);
  EXPECT_FALSE(PathExists(temp_.Join(L"a\\outside.txt")));
  EXPECT_EQ(Extract(Fixture("hostile_absolute.7z")), UNZIP_EXTRACT_FAILED);
}

// Flipped bytes in the packed data make the item fail its CRC, and the session fails with 13.
TEST_F(ExtractArchiveTest, DamagedArchiveIsRefused) {
  Load();
  std::string bytes = ReadFileBytes(Fixture("stored.7z"));
  ASSERT_GT(bytes.size(), 32u + 4096u);
  // Packed streams start right after the 32-byte signature header; the method is "copy".
  for (size_t i = 32 + 1000; i < 32 + 1010; ++i) bytes[i] = static_cast<char>(bytes[i] ^ 0x5A);
  const std::wstring damaged = temp_.Join(L"damaged.7z");
  ASSERT_TRUE(WriteFileBytes(damaged, bytes));
  EXPECT_EQ(Extract(damaged), UNZIP_EXTRACT_FAILED);
  // The undamaged original extracts fine.
  EXPECT_EQ(Extract(Fixture("stored.7z")), UNZIP_SUCCESS);
}

}  // namespace
}  // namespace vireo::test
