// Small file helpers for setting up and checking test trees.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vireo::test {

bool WriteFileBytes(const std::wstring& path, std::string_view bytes);
// Empty when the file cannot be read.
std::string ReadFileBytes(const std::wstring& path);
bool PathExists(const std::wstring& path);
bool IsDirectory(const std::wstring& path);
// Creates the folder and its parents.
bool MakeDirs(const std::wstring& path);
// Names of the entries directly in |folder| (files and folders), in listing order; empty
// when it cannot be listed.
std::vector<std::wstring> ListFolder(const std::wstring& folder);

}  // namespace vireo::test
