// The "installed.json" records the directory step leaves beside a deployed component, in
// the exact one-line form the browser's component updater reads (no line end, no
// terminator).
#pragma once

#include <cstdint>
#include <string>

namespace vireo {

inline constexpr wchar_t kInstalledRecordName[] = L"installed.json";

// Now, in whole seconds since 1970-01-01 UTC, times 1000 (always ends in "000").
int64_t CurrentLastCheckMillis();

// {"filename":"Screenshot.exe.zip","version":"migrated","last_check":"<ms>"}
std::string FormatScreenshotRecord(int64_t last_check_ms);
// {"version":"<version>","last_check":"<ms>"}; the version is ASCII of at most 63
// characters (longer text is refused: the result is empty).
std::string FormatWidevineRecord(const std::wstring& version, int64_t last_check_ms);

// Writes |bytes| to |path| with the given creation disposition (CREATE_NEW: fail if it
// exists; CREATE_ALWAYS: replace). False when the file cannot be created or written whole.
bool WriteRecordFile(const std::wstring& path, const std::string& bytes, unsigned long disposition);

}  // namespace vireo
