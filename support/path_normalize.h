// The comparable form of a path used by the guarded deletions: long names, backslashes only,
// no trailing backslash.
#pragma once

#include <string>
#include <string_view>

namespace vireo {

// The long form of the existing |path| (GetLongPathNameW into a buffer of |capacity|
// characters, terminator included, at most 261). Empty when the call fails (the path does
// not exist) or the long form does not fit.
std::wstring LongPathForm(const wchar_t* path, size_t capacity);

// The long form of |path| (LongPathForm with 261; the path unchanged when that fails), every "/"
// turned into "\", one trailing backslash removed (a drive root keeps it). Empty for a null
// or empty path, and for one longer than 260 characters (refused, not cut). Compare results
// case-insensitively.
std::wstring NormalizePath(const wchar_t* path);
std::wstring NormalizePath(std::wstring_view path);

// True when a component of |path| is "." or "..". Such a path can name a place outside the
// folder its text begins with, so prefix checks must refuse it.
bool HasDotComponent(std::wstring_view path);

}  // namespace vireo
