#include "installer/steps/component_records.h"

#include <windows.h>

#include <cstdio>
#include <ctime>

#include "support/scoped_handle.h"

namespace vireo {

int64_t CurrentLastCheckMillis() { return static_cast<int64_t>(std::time(nullptr)) * 1000; }

std::string FormatScreenshotRecord(int64_t last_check_ms) {
  char buf[160];
  const int n = std::snprintf(buf, sizeof(buf), "{\"filename\":\"%s\",\"version\":\"migrated\",\"last_check\":\"%lld\"}",
                              "Screenshot.exe.zip", static_cast<long long>(last_check_ms));
  return n > 0 && static_cast<size_t>(n) < sizeof(buf) ? std::string(buf, static_cast<size_t>(n)) : std::string();
}

std::string FormatWidevineRecord(const std::wstring& version, int64_t last_check_ms) {
  if (version.size() > 63) return {};
  std::string ascii;
  for (wchar_t c : version) {
    if (c >= 0x80) return {};
    ascii.push_back(static_cast<char>(c));
  }
  char buf[160];
  const int n = std::snprintf(buf, sizeof(buf), "{\"version\":\"%s\",\"last_check\":\"%lld\"}", ascii.c_str(),
                              static_cast<long long>(last_check_ms));
  return n > 0 && static_cast<size_t>(n) < sizeof(buf) ? std::string(buf, static_cast<size_t>(n)) : std::string();
}

bool WriteRecordFile(const std::wstring& path, const std::string& bytes, unsigned long disposition) {
  ScopedFile file(::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return false;
  DWORD written = 0;
  return ::WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
         written == bytes.size();
}

}  // namespace vireo
