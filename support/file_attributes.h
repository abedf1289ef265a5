// What is at a path, from its attributes. Empty or unreadable paths count as nothing.
#pragma once

#include <windows.h>

#include <string>

namespace vireo {

inline bool PathExistsAt(const wchar_t* path) {
  return path && *path && ::GetFileAttributesW(path) != INVALID_FILE_ATTRIBUTES;
}
inline bool IsDirectoryAt(const wchar_t* path) {
  const DWORD a = path && *path ? ::GetFileAttributesW(path) : INVALID_FILE_ATTRIBUTES;
  return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}
inline bool IsFileAt(const wchar_t* path) {
  const DWORD a = path && *path ? ::GetFileAttributesW(path) : INVALID_FILE_ATTRIBUTES;
  return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}
inline bool PathExistsAt(const std::wstring& path) { return PathExistsAt(path.c_str()); }
inline bool IsDirectoryAt(const std::wstring& path) { return IsDirectoryAt(path.c_str()); }
inline bool IsFileAt(const std::wstring& path) { return IsFileAt(path.c_str()); }

}  // namespace vireo
