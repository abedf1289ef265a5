// Guards in front of the recursive deletions of uninstall and clean-up: a folder is only
// deleted when it is plainly the browser's own. All paths are at most 260 characters; longer
// ones are refused. The registration is the HKEY_CURRENT_USER App Paths key of vireo.exe
// (default value: the main executable, "Path": the application folder).
#pragma once

namespace vireo {

// True when |folder| is below a root and holds vireo.exe, new_vireo.exe or old_vireo.exe and,
// with |check_registration|, does not contradict the registration: it is the registered
// application folder, the installation root above it, a folder directly inside it, or the
// folder of the registered main executable. No registration at all contradicts nothing.
// Paths with "." or ".." components are refused: they could reach other folders.
bool IsRegisteredInstallDir(const wchar_t* folder, bool check_registration);

// True when |folder| is an installation folder below a root (IsRegisteredInstallDir without
// the registration) that holds the ".portable" marker.
bool IsPortableInstallDir(const wchar_t* folder);

// DeleteTree(|folder|) behind IsRegisteredInstallDir(|folder|, true); false when refused.
bool DeleteInstallDir(const wchar_t* folder);

// DeleteTree(|target|) when |install_dir| is an installation folder (IsInstallDir) and
// |target| lies strictly inside it (comparing normalised paths). Both must be below a root;
// paths with "." or ".." components are refused.
bool DeleteInsideInstallDir(const wchar_t* install_dir, const wchar_t* target);

// True when |folder| is an existing directory below a root whose last component is
// "User Data" inside a folder named |product| ("Vireo" when null or empty), case-insensitive.
bool IsUserDataDir(const wchar_t* folder, const wchar_t* product);

// DeleteTree(|folder|) behind IsUserDataDir; false when refused.
bool DeleteUserDataDir(const wchar_t* folder, const wchar_t* product);

// True when |folder| is below a root and its last component equals |name| ("Vireo" when null
// or empty), case-insensitive. Looks at the text only.
bool IsNamedFolder(const wchar_t* folder, const wchar_t* name);

}  // namespace vireo
