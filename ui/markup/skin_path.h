// Paths inside a skin: how a path written in a skin file becomes an archive member name or a
// file on disk.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace ui {

// The archive form of |path|: every "\" becomes "/", runs of "/" become one, and then,
// component by component, an empty component (a leading "/") and "." are dropped and ".."
// drops itself and the component before it. So "frame\../button/btn_install.png" becomes
// "button/btn_install.png". A ".." with nothing before it would climb above the archive's
// root: that path has no archive form (nullopt), it is never resolved against the root.
std::optional<std::wstring> NormalizeArchivePath(std::wstring_view path);

// The name an archive entry is listed under: "\" becomes "/", and leading "/" and leading
// components that contain ".." are stripped ("../../x/y" -> "x/y", "/x" -> "x").
std::string StripArchiveEntryName(std::string_view name);

// The disk form: every "/" becomes "\", then every "\\" becomes "\".
std::wstring ToDiskPath(std::wstring_view path);

// False for "\..." and "/..." (rooted or UNC) and "X:..." (drive) paths.
bool IsRelativePath(std::wstring_view path);

// |folder| with a trailing backslash appended unless it is empty or already ends in "/" or
// "\" (how resource paths are stored).
std::wstring WithTrailingSlash(std::wstring_view folder);

// A relative |file| prefixed with the global and the window's resource path; any other file
// as it is.
std::wstring ResolveSkinPath(std::wstring_view global_path, std::wstring_view window_path, std::wstring_view file);

// The high-resolution variant of an image file: the last "." replaced by "@2x.";
// empty when the name has no ".".
std::wstring HighDpiVariant(std::wstring_view path);

}  // namespace ui
