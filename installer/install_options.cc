#include "installer/install_options.h"

#include <shlobj.h>
#include <shlwapi.h>

#include <json/json.h>

#include <memory>
#include <span>
#include <string>

#include "installer/app_paths_value.h"
#include "installer/command_line.h"
#include "installer/install_dir_guard.h"
#include "installer/path_check.h"
#include "installer/product_constants.h"
#include "installer/uninstaller_origin.h"
#include "support/file_attributes.h"
#include "support/file_version.h"
#include "support/module_instance.h"
#include "support/resource_file.h"
#include "support/scoped_handle.h"
#include "support/string_util.h"

namespace vireo {
namespace {

// The lazy fill of a derived path: an empty |field| becomes |base| + |name|, with a trailing
// backslash for a folder; it stays empty when |base| is empty or the result does not fit.
const wchar_t* FillJoined(FixedPath& field, const wchar_t* base, const wchar_t* name, bool folder) {
  if (field.empty()) {
    FixedPath path(base);
    if (!path.empty() && path.Append(name) && (!folder || path.AddBackslash())) field = path;
  }
  return field.c_str();
}

std::wstring ParentFolder(const FixedPath& file) {
  return std::wstring(ParentPart(file.view()));
}

}  // namespace

CInstallOptions& CInstallOptions::Get() {
  static CInstallOptions instance;
  return instance;
}

void CInstallOptions::ResetForTesting() { *this = CInstallOptions(); }

void CInstallOptions::Load() {
  const CCommandLine& cl = CCommandLine::Get();
  uninstall = cl.HasSwitch(L"uninstall");
  silent = cl.IsSilent();
  portable = cl.HasSwitch(L"portable");
  pending_restart = cl.HasSwitch(L"pending_restart");
  LoadConfig();
  if (!CarriesPackage()) {
    uninstall = true;
    if (AdoptUninstallerInstallation()) return;
  }
  if (portable) {
    const std::wstring folder = cl.GetSwitchValue(L"installpath");
    if (!folder.empty()) SetPortableDir(folder);
  }
  DetectInstallation();
}

bool CInstallOptions::AdoptUninstallerInstallation() {
  // The copy an uninstaller continues from is told the folder; the uninstaller itself finds
  // it above its own version folder.
  std::wstring app = CCommandLine::Get().GetSwitchValue(kAppDirSwitch);
  if (app.empty()) app = AppDirOfUninstaller(OwnProgramPath());
  FixedPath dir;
  if (app.empty() || !dir.Assign(app)) return false;
  dir.RemoveBackslash();
  if (!IsInstallDir(dir.c_str())) return false;
  if (IsPortableInstallDir(dir.c_str())) {
    portable = true;
    SetPortableDir(dir.view());
  } else {
    std::wstring_view root = dir.view();
    if (EqualsIgnoreAsciiCase(FileNamePart(root), kApplicationFolderName)) root = ParentPart(root);
    FixedPath extract = dir;
    if (!extract.AddBackslash()) return false;
    UseFolders(FixedPath(root), dir, extract, FixedPath());
  }
  FixedPath exe = dir;
  if (exe.Append(kMainExeName) && PathExistsAt(exe.c_str())) {
    CompareWithInstalled(exe.c_str());
  } else {
    new_install = true;
  }
  return true;
}

void CInstallOptions::LoadConfig() {
  const std::span<const unsigned char> config = FindResourceBytes(GetModuleInstance(), L"PACKAGE", L"IDR_DAT_CONFIG");
  if (!config.data()) return;
  const std::string bytes(config.begin(), config.end());

  Json::CharReaderBuilder builder;
  builder["allowComments"] = true;
  std::unique_ptr<Json::CharReader> reader(builder.newCharReader());
  Json::Value root;
  std::string errors;
  if (!reader->parse(bytes.data(), bytes.data() + bytes.size(), &root, &errors)) return;
  if (!root.isObject()) return;  // null has no members: nothing to read either

  struct Key {
    const char* name;
    std::wstring CInstallOptions::*field;
  };
  static constexpr Key kKeys[] = {
      {"product_cn", &CInstallOptions::product_cn}, {"product_en", &CInstallOptions::product_en},
      {"channel", &CInstallOptions::channel},       {"shortcutComment", &CInstallOptions::shortcut_comment},
      {"cmd", &CInstallOptions::cmd},               {"protocol", &CInstallOptions::protocol},
      {"company", &CInstallOptions::company},       {"homepage", &CInstallOptions::homepage},
  };
  for (const Key& key : kKeys) {
    const Json::Value* member = root.find(key.name, key.name + std::char_traits<char>::length(key.name));
    if (member && member->isString()) {
      const char* begin = nullptr;
      const char* end = nullptr;
      member->getString(&begin, &end);
      this->*key.field = Utf8ToWide(std::string_view(begin, static_cast<size_t>(end - begin)));
    }
  }
}

bool CInstallOptions::TakeFolder(std::wstring_view folder, FixedPath* dir) {
  if (!dir->Assign(folder)) {
    path_refused_ = true;
    return false;
  }
  dir->RemoveBackslash();
  return true;
}

void CInstallOptions::UseFolders(const FixedPath& install, const FixedPath& app, const FixedPath& extract,
                                 const FixedPath& user_data) {
  path_refused_ = false;
  install_dir = install;
  app_dir = app;
  extract_dir = extract;
  user_data_dir = user_data;
  main_exe_path.Clear();
  new_exe_path.Clear();
  uninstaller_path.Clear();
}

void CInstallOptions::SetPortableDir(std::wstring_view folder) {
  FixedPath dir;
  if (folder.empty() || !TakeFolder(folder, &dir)) return;
  FixedPath extract = dir;
  FixedPath user_data = dir;
  if (!extract.AddBackslash() || !user_data.Append(kUserDataFolderName) || !user_data.AddBackslash()) {
    path_refused_ = true;
    return;
  }
  UseFolders(dir, dir, extract, user_data);
}

void CInstallOptions::CompareWithInstalled(const wchar_t* exe_path) {
  const uint64_t self = GetSelfVersionNumber(GetModuleInstance());
  const uint64_t installed = GetFileVersionNumber(exe_path);
  if (self > installed) {
    older_installed = true;
  } else if (self == installed) {
    same_installed = true;
  } else {
    newer_installed = true;
  }
}

void CInstallOptions::DetectInstallation() {
  if (portable && !app_dir.empty()) {
    FixedPath exe = app_dir;
    if (exe.Append(kMainExeName) && PathExistsAt(exe.c_str())) {
      CompareWithInstalled(exe.c_str());
    } else {
      new_install = true;
    }
    return;
  }

  const FixedPath registered_exe = ReadAppPathsValue(nullptr);
  FixedPath registered_dir = ReadAppPathsValue(L"Path");

  bool registered_portable = false;
  if (!registered_exe.empty()) {
    FixedPath marker(ParentFolder(registered_exe));
    registered_portable = marker.Append(L".portable") && PathExistsAt(marker.c_str());
  }
  if (!registered_portable && !registered_dir.empty()) {
    FixedPath marker = registered_dir;
    registered_portable = marker.Append(L".portable") && PathExistsAt(marker.c_str());
  }
  if (registered_portable) {
    new_install = true;
    return;
  }

  if (PathExistsAt(registered_exe.c_str())) {
    CompareWithInstalled(registered_exe.c_str());
  } else {
    new_install = true;
  }

  if (!registered_dir.empty()) {
    registered_dir.RemoveBackslash();
    std::wstring_view d = registered_dir.view();
    std::wstring_view root = d;
    const size_t slash = d.rfind(L'\\');
    if (slash != std::wstring_view::npos && slash > 0 &&
        EqualsIgnoreAsciiCase(d.substr(slash + 1), kApplicationFolderName)) {
      root = d.substr(0, slash);
    }
    const FixedPath r(root);
    if (PathExistsAt(r.c_str())) {
      install_dir = r;
      app_dir = registered_dir;
    }
  }
}

const wchar_t* CInstallOptions::GetDefaultRoot() {
  if (default_root.empty()) {
    wchar_t local[MAX_PATH] = L"";
    if (FAILED(::SHGetFolderPathW(nullptr, CSIDL_LOCAL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, local))) local[0] = 0;
    FixedPath root(local);
    if (!root.Append(kProductName) || !root.AddBackslash()) {
      root.Assign(kProductName);
      root.AddBackslash();
    }
    default_root = root;
  }
  return default_root.c_str();
}

const wchar_t* CInstallOptions::GetInstallDir() {
  if (path_refused_) return L"";
  if (install_dir.empty()) install_dir.Assign(GetDefaultRoot());
  return install_dir.c_str();
}

const wchar_t* CInstallOptions::GetAppDir() {
  if (path_refused_) return L"";
  return FillJoined(app_dir, GetInstallDir(), kApplicationFolderName, true);
}

const wchar_t* CInstallOptions::GetExtractDir() {
  if (path_refused_) return L"";
  if (extract_dir.empty()) extract_dir.Assign(GetAppDir());
  return extract_dir.c_str();
}

const wchar_t* CInstallOptions::GetUserDataDir() {
  return FillJoined(user_data_dir, GetDefaultRoot(), kUserDataFolderName, true);
}

const wchar_t* CInstallOptions::GetMainExePath() {
  return FillJoined(main_exe_path, GetAppDir(), kMainExeName, false);
}

const wchar_t* CInstallOptions::GetNewExePath() {
  return FillJoined(new_exe_path, GetAppDir(), kStagedExeName, false);
}

std::wstring CInstallOptions::GetProductName() const {
  return product_en.empty() ? std::wstring(kProductName) : product_en;
}

std::wstring CInstallOptions::GetCurrentVersion() {
  const wchar_t* staged = GetNewExePath();
  const wchar_t* main = GetMainExePath();
  if (GetFileVersionNumber(main) < GetFileVersionNumber(staged)) return GetFileVersionString(staged);
  std::wstring text = GetFileVersionString(main);
  if (text.empty() && GetFileVersionNumber(staged) != 0) text = GetFileVersionString(staged);
  return text;
}

const wchar_t* CInstallOptions::GetUninstallerPath() {
  if (!uninstaller_path.empty()) return uninstaller_path.c_str();
  const std::wstring app(GetAppDir());
  if (app.empty()) return uninstaller_path.c_str();
  auto candidate = [&app](std::wstring_view folder) {
    FixedPath p(app);
    if (!p.Append(folder) || !p.Append(L"Installer") || !p.Append(L"uninstaller.exe")) return FixedPath();
    return PathExistsAt(p.c_str()) ? p : FixedPath();
  };
  // The folder of the installed version is the one that stays after the clean-up at exit
  // (the others are removed then), so when it exists only its uninstaller counts.
  const std::wstring version = GetCurrentVersion();
  FixedPath version_dir(app);
  if (!version.empty() && version_dir.Append(version) && IsDirectoryAt(version_dir.c_str())) {
    uninstaller_path = candidate(version);
    return uninstaller_path.c_str();
  }
  FixedPath pattern(app);
  if (!pattern.Append(L"*")) return uninstaller_path.c_str();
  WIN32_FIND_DATAW fd;
  ScopedFindHandle find(::FindFirstFileW(pattern.c_str(), &fd));
  if (!find) return uninstaller_path.c_str();
  do {
    if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || fd.cFileName[0] == L'.') continue;
    const FixedPath p = candidate(fd.cFileName);
    if (!p.empty()) {
      uninstaller_path = p;
      break;
    }
  } while (::FindNextFileW(find.get(), &fd));
  return uninstaller_path.c_str();
}

void CInstallOptions::SetInstallDir(std::wstring_view folder) {
  FixedPath dir;
  if (folder.empty() || !TakeFolder(folder, &dir)) return;
  bool fits = true;
  if (::PathIsRootW(dir.c_str())) {
    fits = dir.Append(GetProductName());
  } else if (!product_en.empty() && !EqualsIgnoreAsciiCase(FileNamePart(dir.view()), product_en)) {
    fits = dir.Append(product_en);
  }
  FixedPath app = dir;
  fits = fits && app.Append(kApplicationFolderName);
  const std::wstring_view root(GetDefaultRoot());
  if (fits && !StartsWithIgnoreAsciiCase(app.view(), root)) app = dir;
  FixedPath extract = app;
  fits = fits && extract.AddBackslash();
  if (!fits) {
    path_refused_ = true;
    return;
  }
  UseFolders(dir, app, extract, FixedPath());
}

}  // namespace vireo
