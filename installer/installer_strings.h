// Every text the install window shows or logs. Tests compare against these constants, so a
// wording change is made here once.
#pragma once

namespace vireo {

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

}  // namespace vireo
