// Unique files in the user's temporary folder, and removing what runs that ended without
// cleaning up left there.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

namespace vireo {

// Creates a new empty file in the user's temporary folder whose name starts with the first
// three characters of |prefix| and returns its full path. Empty when the temporary folder
// cannot be determined or no file could be created there.
std::wstring MakeTempFilePath(const wchar_t* prefix);

// True for a name MakeTempFilePath makes with |prefix|: its first three characters, one to
// four hexadecimal digits and ".tmp", with the letters A-Z in any case.
bool IsTempFileName(std::wstring_view name, std::wstring_view prefix);

// Deletes every file and folder directly in the user's temporary folder whose name is
// IsTempFileName with one of |prefixes|, folders with all they hold. An entry in use stays
// (entirely or in part). Meant for the leftovers of a run that was ended before it cleaned
// up: call it only while no other run can be using such names.
void RemoveTempLeftovers(std::initializer_list<const wchar_t*> prefixes);

}  // namespace vireo
