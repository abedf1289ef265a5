// Facts about the product that the build decides or the window needs in more than one place.
#pragma once

namespace vireo {

// The product's web site (scheme and host, no trailing slash): the build setting
// VIREO_LEGAL_HOST of the top CMakeLists.txt.
#ifndef VIREO_LEGAL_HOST
#error "VIREO_LEGAL_HOST must come from the build (CMake cache variable of the same name)"
#endif
inline constexpr wchar_t kLegalHost[] = VIREO_LEGAL_HOST;
inline constexpr wchar_t kTermsOfServicePath[] = L"/zh/legal/terms-of-service.html";
inline constexpr wchar_t kPrivacyPolicyPath[] = L"/zh/legal/privacy-policy.html";

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
