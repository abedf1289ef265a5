// The process-wide install options: switches, configuration values, what earlier
// installation was found, and every path the steps work on.
//
// Filled once by Load() on the main thread before any work is posted; afterwards read by
// the worker thread, which may also complete lazy paths. Paths live in 261-character
// buffers; an input that would not fit (switch value, chosen folder, registry value) is
// refused and leaves the affected paths as they were.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <string_view>

#include "support/fixed_path.h"

namespace vireo {

class CInstallOptions {
 public:
  static CInstallOptions& Get();

  // Reads the switches, the configuration resource, an installpath (portable only) and
  // looks for an earlier installation. A program without a package is an uninstaller: it
  // always uninstalls, and the installation it belongs to (the "appdir" switch of its
  // private copy, or the application folder above its own version folder) is the one it
  // removes; a portable one as such. Elsewhere it looks for the installation as any run does.
  void Load();
  // Applies the folder chosen in the window; ignored when empty or too long.
  void SetInstallDir(std::wstring_view folder);
  // Applies a portable folder; ignored when empty or too long.
  void SetPortableDir(std::wstring_view folder);

  // Lazy accessors: each fills its field on first use when it is empty.
  const wchar_t* GetDefaultRoot();
  const wchar_t* GetInstallDir();
  const wchar_t* GetAppDir();
  const wchar_t* GetExtractDir();
  const wchar_t* GetUserDataDir();
  const wchar_t* GetMainExePath();
  // <version folder>\Installer\uninstaller.exe: the folder named by GetCurrentVersion()
  // when it exists (another folder's uninstaller is removed with its folder at exit),
  // otherwise the first sub-folder that holds one. Empty when there is none (searched again
  // next call).
  const wchar_t* GetUninstallerPath();
  std::wstring GetProductName() const;
  // Dotted version text of the newer of new_vireo.exe and vireo.exe; empty when neither has one.
  std::wstring GetCurrentVersion();
  const wchar_t* GetNewExePath();

  // Exactly one of new_install and the three *_installed flags is set after Load().
  bool new_install = false;
  bool uninstall = false;
  bool silent = false;
  bool portable = false;
  bool pending_restart = false;
  bool older_installed = false;
  bool same_installed = false;
  bool newer_installed = false;
  bool delete_user_data = true;

  FixedPath default_root;
  FixedPath extract_dir;
  FixedPath install_dir;
  FixedPath app_dir;
  FixedPath main_exe_path;
  FixedPath new_exe_path;
  FixedPath user_data_dir;
  FixedPath uninstaller_path;

  std::wstring product_cn;
  std::wstring product_en;
  std::wstring channel;
  std::wstring shortcut_comment;
  std::wstring cmd;
  std::wstring protocol;
  std::wstring company;
  std::wstring homepage;

  bool is_update() const { return older_installed || same_installed || newer_installed; }

  // True after an installpath switch or a chosen folder was refused for its length. The
  // install folder accessors then answer empty, so the path check refuses the run instead
  // of installing somewhere the user did not ask for.
  bool path_refused() const { return path_refused_; }

  // Test hook: restores the freshly constructed state.
  void ResetForTesting();

 private:
  void LoadConfig();
  // Takes the installation of an uninstaller; false when it belongs to none.
  bool AdoptUninstallerInstallation();
  void DetectInstallation();
  void CompareWithInstalled(const wchar_t* exe_path);
  // |folder| without one trailing backslash into |dir|; false, with the path refused, when
  // it does not fit.
  bool TakeFolder(std::wstring_view folder, FixedPath* dir);
  // Takes a new set of folders (clearing the refusal) and forgets the paths derived from the
  // old ones; an empty |user_data| returns the user data to its default.
  void UseFolders(const FixedPath& install, const FixedPath& app, const FixedPath& extract,
                  const FixedPath& user_data);

  bool path_refused_ = false;
};

}  // namespace vireo
