#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>

namespace {

// A crash ends the process without flushing the C runtime's buffers; say what happened on
// the unbuffered error stream so a red test run shows the exception and where it was.
LONG WINAPI ReportCrash(EXCEPTION_POINTERS* info) {
  const EXCEPTION_RECORD* record = info->ExceptionRecord;
  std::fprintf(stderr, "unhandled exception 0x%08lx at %p\n", static_cast<unsigned long>(record->ExceptionCode),
               record->ExceptionAddress);
  return EXCEPTION_EXECUTE_HANDLER;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  // Standard output is a file under the test runner, so fully buffered by default: a test
  // process that dies would then leave no trace of which test it was in.
  std::setvbuf(stdout, nullptr, _IONBF, 0);
  ::SetUnhandledExceptionFilter(ReportCrash);
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
