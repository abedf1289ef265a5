// The check a folder must pass before the installer writes into it, and how an installation
// folder is recognised. The answer of the check is the text the user sees, so the messages
// are part of the interface.
#pragma once

#include <string>

#include "support/path_predicates.h"  // HasPathBelowRoot

namespace vireo {

inline constexpr wchar_t kPathInvalidMessage[] = L"安装路径无效。";
inline constexpr wchar_t kPathRelativeMessage[] = L"安装路径必须是绝对路径。";
inline constexpr wchar_t kPathRootMessage[] = L"不能安装到磁盘根目录，请选择具体文件夹。";
inline constexpr wchar_t kPathNotFolderMessage[] = L"安装路径不是文件夹。";
inline constexpr wchar_t kPathForeignFolderMessage[] =
    L"目标文件夹非空，且不是 Vireo 安装目录。\n请选择空文件夹，或已有的 Vireo 安装路径。";

// Empty when |path| (the application folder, possibly with one trailing backslash) is
// acceptable: it does not exist yet, is an empty directory, or already holds an
// installation. Otherwise exactly one of the messages above, for the first rule that fails:
// null/empty, relative, a root (or nothing below one), not a directory, a non-empty foreign
// directory. A path too long for a 260-character path buffer gets kPathInvalidMessage.
// Only reads attributes and lists one directory level; safe on any thread.
std::wstring CheckInstallPath(const wchar_t* path);

// True when |path| is an existing directory holding an entry (file or folder) named
// "vireo.exe", "new_vireo.exe" or "old_vireo.exe". False for null, empty, missing or
// over-long paths.
bool IsInstallDir(const wchar_t* path);

}  // namespace vireo
