// The product's fixed names: the words, file names, registry keys, thread ids and window
// message that the installer, the browser and earlier installations agree on. Each is
// defined here once; code and tests use these names instead of retyping the text.
#pragma once

#include <windows.h>

namespace vireo {

// The product word: the per-user folder under local application data, the application id
// of the links, the Start-menu link's description, the uninstall entry's display name and
// the browser's auto-start value name.
inline constexpr wchar_t kProductName[] = L"Vireo";

// The browser's main executable, the copy staged beside it while it runs, and the previous
// one moved aside when it could not be replaced. Any of the three marks an installation.
inline constexpr wchar_t kMainExeName[] = L"vireo.exe";
inline constexpr wchar_t kStagedExeName[] = L"new_vireo.exe";
inline constexpr wchar_t kOldExeName[] = L"old_vireo.exe";

// Folders below the installation root: the one holding the main executable (per-user
// installations only) and the browser's profile folder.
inline constexpr wchar_t kApplicationFolderName[] = L"Application";
inline constexpr wchar_t kUserDataFolderName[] = L"User Data";

// The empty file that marks a portable installation folder.
inline constexpr wchar_t kPortableMarkerName[] = L".portable";

// Where a version folder keeps the uninstaller: "<version>\Installer\uninstaller.exe".
inline constexpr wchar_t kInstallerFolderName[] = L"Installer";
inline constexpr wchar_t kUninstallerFileName[] = L"uninstaller.exe";
// Switches by which an uninstaller hands its run to its private copy: the installation's
// application folder and the process id of the uninstaller to wait for.
inline constexpr wchar_t kAppDirSwitch[] = L"appdir";
inline constexpr wchar_t kHandoverSwitch[] = L"handover";
// Prefix of the fresh temporary folder that holds that copy.
inline constexpr wchar_t kUninstallerTempPrefix[] = L"vun";

// The payload's top folder: "chrome.7z" unpacks into it inside the application folder, and
// its contents are then moved one level up. Found there only while a run is (or was, when
// it was ended before it finished) unpacking.
inline constexpr wchar_t kPayloadTopFolderName[] = L"Chrome-bin";
// Inside the application folder: where a run keeps the files it replaces until it has
// succeeded (so that a failed run can put them back); removed at exit.
inline constexpr wchar_t kReplacedFilesFolderName[] = L"chrome.bak";
// The package resource's one member, the program archive, stored as is so that it is
// extracted from where it lies in the installer's image.
inline constexpr wchar_t kProgramArchiveName[] = L"chrome.7z";

// One installer at a time in a user's logon session: the mutex is this stem, in the
// session's namespace, followed by the user's SID; a second run waits for the holder at most
// this long.
inline constexpr wchar_t kSingleInstanceMutexStem[] = L"Local\\VireoSetup.Running.";
inline constexpr unsigned kSingleInstanceWaitMs = 10 * 60 * 1000;

// The name of both shell links (Start-menu programs folder and desktop).
inline constexpr wchar_t kLinkFileName[] = L"Vireo.lnk";

// The class of the browser's top-level windows, which are asked to close before an install.
inline constexpr wchar_t kBrowserWindowClass[] = L"Chrome_WidgetWin_1";

// Registry keys, relative to HKEY_CURRENT_USER: the product key (statistics opt-in and
// channel), the application-path entry through which the shell and later installer runs
// find the browser, the uninstall entry, and the key holding the browser's auto-start value.
inline constexpr wchar_t kProductRegKey[] = L"SOFTWARE\\Vireo";
inline constexpr wchar_t kAppPathsRegKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\vireo.exe";
inline constexpr wchar_t kUninstallRegKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Vireo";
inline constexpr wchar_t kRunRegKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
// Where an uninstaller's private copy, when the system would not delete it otherwise, leaves
// the command that removes its folder at the user's next logon, under this value name.
inline constexpr wchar_t kRunOnceRegKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce";
inline constexpr wchar_t kRunOnceCleanupValue[] = L"VireoUninstallerCleanup";

// Thread ids in the thread registry: the main (window) thread and the worker thread that
// runs the usage report and the install driver.
inline constexpr int kMainThreadId = 1;
inline constexpr int kMiscThreadId = 2;

// Window message carrying install progress to the window: wParam = stage, lParam = percent
// truncated to an integer.
inline constexpr UINT kWmInstallProgress = WM_USER + 0x101;

// The window class of every installer window, by which a second run finds the first one's.
inline constexpr wchar_t kFrameClassName[] = L"UIFrame";

// The installer's icon resource, shown in the window's taskbar button.
inline constexpr unsigned kInstallWindowIconId = 107;
// The zipped window skin in the executable's resources.
inline constexpr wchar_t kSkinResourceName[] = L"IDR_ZIP_UI";
inline constexpr wchar_t kSkinResourceType[] = L"PACKAGE";
// The toolkit's language folder inside the skin.
inline constexpr wchar_t kSkinLanguagePath[] = L"lang\\zh_CN";

// The browser's "lchannel" switch: "install" starts it from the completion page; "startup"
// closes the window without starting anything.
inline constexpr wchar_t kLaunchChannelSwitch[] = L"lchannel";
inline constexpr wchar_t kLaunchChannelInstall[] = L"install";
inline constexpr wchar_t kLaunchChannelStartup[] = L"startup";

}  // namespace vireo
