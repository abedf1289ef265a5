// Every text the installer shows the user, in one place: the messages a failed check or step
// leaves for the window's error box and the log, and the window's own texts. Code and tests both use these names, so a
// test never retypes a message.
//
// Texts with a number in them are printf formats whose one conversion takes an unsigned
// value; FormatMessageText fills them in.
#pragma once

#include <cwchar>
#include <iterator>
#include <string>

namespace vireo {

// --- Install driver
inline constexpr wchar_t kInstallFailedMessage[] = L"安装失败，请查看安装日志。";
inline constexpr wchar_t kPortableMarkerMessage[] = L"无法写入 .portable 标记文件。";

// --- Install path check, one message per refused rule
inline constexpr wchar_t kPathInvalidMessage[] = L"安装路径无效。";
inline constexpr wchar_t kPathRelativeMessage[] = L"安装路径必须是绝对路径。";
inline constexpr wchar_t kPathRootMessage[] = L"不能安装到磁盘根目录，请选择具体文件夹。";
inline constexpr wchar_t kPathNotFolderMessage[] = L"安装路径不是文件夹。";
inline constexpr wchar_t kPathForeignFolderMessage[] =
    L"目标文件夹非空，且不是 Vireo 安装目录。\n请选择空文件夹，或已有的 Vireo 安装路径。";

// --- Package extraction step
inline constexpr wchar_t kUnzipResourceMessage[] = L"无法从安装包提取资源文件。";
inline constexpr wchar_t kUnzipCreateTargetMessage[] = L"无法创建安装目录。";
inline constexpr wchar_t kUnzipInitMessage[] = L"无法初始化解压组件或创建临时目录。";
// Followed by the extraction session's result code.
inline constexpr wchar_t kUnzipPackageFormat[] = L"解压安装包失败（错误码 %u）。";
inline constexpr wchar_t kUnzipProgramFormat[] = L"解压程序包失败（错误码 %u）。";
inline constexpr wchar_t kUnzipFilesInUseMessage[] = L"文件被占用，请关闭 Vireo 后重试。";

// --- Directory step
inline constexpr wchar_t kDeployMainExeMessage[] = L"无法部署主程序（文件缺失或被占用）。";
inline constexpr wchar_t kDeleteAppDirMessage[] = L"无法删除安装目录。请确认目录内有 Vireo 主程序，且文件未被占用。";
inline constexpr wchar_t kDeleteUserDataMessage[] = L"无法删除用户数据目录。";

// --- Shortcut step. A failed link save is reported as its label followed by the reason.
inline constexpr wchar_t kStartMenuShortcutLabel[] = L"创建开始菜单快捷方式";
inline constexpr wchar_t kDesktopShortcutLabel[] = L"创建桌面快捷方式";
inline constexpr wchar_t kStartMenuPathMessage[] = L"无法获取开始菜单路径。";
inline constexpr wchar_t kStartMenuFolderMessage[] = L"无法创建开始菜单目录。";
inline constexpr wchar_t kShortcutThreadSuffix[] = L"：无法启动创建线程。";
inline constexpr wchar_t kShortcutTimeoutSuffix[] = L"超时（30 秒）。请关闭杀毒/同步软件后重试。";
// Followed by the failing call's HRESULT.
inline constexpr wchar_t kShortcutFailedFormat[] = L"失败（HRESULT=0x%08X）。";

// --- Registry step
inline constexpr wchar_t kUninstallerMissingMessage[] = L"无法定位卸载程序。";
inline constexpr wchar_t kRegistryWriteMessage[] = L"无法写入注册表。";
// Log line of a registry write that failed: the key, the value name ("" for the default
// value) and the system's error code.
inline constexpr wchar_t kRegistryWriteFailedLog[] = L"[reg] write failed: %s [%s] gle=%u";

// --- One installer at a time (log lines; "%u" takes seconds)
inline constexpr wchar_t kInstanceWaitingLog[] = L"[install] another Vireo installer is running; waiting up to %u s";
inline constexpr wchar_t kInstanceTimeoutLog[] =
    L"[install] another Vireo installer was still running after %u s; this run ends without changing anything";
inline constexpr wchar_t kInstanceHandedOverLog[] =
    L"[install] another Vireo installer is running; its window was brought to the front";
inline constexpr wchar_t kInstanceUnguardedLog[] =
    L"[install] the one-installer-at-a-time lock could not be created gle=%u; going ahead without it";

// --- Clean-up at exit ("%s" takes the executable's version text)
inline constexpr wchar_t kVersionFoldersKeptLog[] =
    L"[install] no version folder removed: vireo.exe has version \"%s\", which names no version folder";

// --- Install window
// The window's title, also the caption of every message box it shows.
inline constexpr wchar_t kInstallWindowTitle[] = L"Vireo 安装程序";
// The shell folder picker's title.
inline constexpr wchar_t kFolderPickerTitle[] = L"请选择安装路径";
// The progress text is this prefix (one space after the ellipsis), the percent and "%".
inline constexpr wchar_t kInstallingTextPrefix[] = L"安装中… ";
// The progress text after a failure whose message is empty.
inline constexpr wchar_t kInstallFailedText[] = L"安装失败";
// The error box text after a failure whose message is empty.
inline constexpr wchar_t kInstallFailedRetryMessage[] = L"安装失败，请稍后重试。";
// Appended to a box's message, followed by the log's path.
inline constexpr wchar_t kLogPathLead[] = L"\n\n详细日志：";
// Appended to the failure box instead when no log file could be written.
inline constexpr wchar_t kNoLogSentence[] =
    L"\n\n未能写入日志文件（安装包目录与 %TEMP% 均无写权限）。";

// Log lines of the window ("%s" takes the message).
inline constexpr wchar_t kUiPathCheckFailedLog[] = L"[ui] path check failed: %s";
inline constexpr wchar_t kUiInstallFailedLog[] = L"[ui] install failed: %s";

// --- Uninstall window
inline constexpr wchar_t kUninstallWindowTitle[] = L"Vireo 卸载程序";
// The progress text is this prefix (one space after the ellipsis), the percent and "%".
inline constexpr wchar_t kUninstallingTextPrefix[] = L"卸载中… ";
// The progress text and the error box text after a failure whose message is empty.
inline constexpr wchar_t kUninstallFailedText[] = L"卸载失败";
inline constexpr wchar_t kUninstallFailedRetryMessage[] = L"卸载失败，请稍后重试。";
inline constexpr wchar_t kUiUninstallFailedLog[] = L"[ui] uninstall failed: %s";

// |format| (one of the formats above) with |value| filled in.
inline std::wstring FormatMessageText(const wchar_t* format, unsigned value) {
  wchar_t text[256];
  const int n = std::swprintf(text, std::size(text), format, value);
  return n > 0 ? std::wstring(text, static_cast<size_t>(n)) : std::wstring();
}

}  // namespace vireo
