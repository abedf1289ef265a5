#include "tests/test_support/https_handler.h"

#include <windows.h>
#include <shlwapi.h>

namespace vireo::test {
namespace {

// Wine's shell reads URL handlers from the machine's classes only.
constexpr wchar_t kHttpsOpenCommand[] = L"Software\\Classes\\https\\shell\\open\\command";

bool WriteCommand(const std::wstring& value) {
  return ::SHSetValueW(HKEY_LOCAL_MACHINE, kHttpsOpenCommand, nullptr, REG_SZ, value.c_str(),
                       static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
}

}  // namespace

ScopedHttpsHandler::ScopedHttpsHandler(const std::wstring& command) {
  wchar_t value[1024] = L"";
  DWORD bytes = sizeof(value) - sizeof(wchar_t);
  if (::SHGetValueW(HKEY_LOCAL_MACHINE, kHttpsOpenCommand, nullptr, nullptr, value, &bytes) == ERROR_SUCCESS) {
    previous_ = value;
  }
  ok_ = WriteCommand(command);
}

ScopedHttpsHandler::~ScopedHttpsHandler() {
  if (ok_) WriteCommand(previous_);
}

}  // namespace vireo::test
