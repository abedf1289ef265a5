// The addresses of the two legal pages the install window links to. The host is a build
// setting (the CMake cache variable VIREO_LEGAL_HOST), so only the code that opens or checks
// the pages includes this header and gets the definition from its target.
#pragma once

namespace vireo {

// The product's web site (scheme and host, no trailing slash).
#ifndef VIREO_LEGAL_HOST
#error "VIREO_LEGAL_HOST must come from the build (CMake cache variable of the same name)"
#endif
inline constexpr wchar_t kLegalHost[] = VIREO_LEGAL_HOST;
inline constexpr wchar_t kTermsOfServicePath[] = L"/zh/legal/terms-of-service.html";
inline constexpr wchar_t kPrivacyPolicyPath[] = L"/zh/legal/privacy-policy.html";

}  // namespace vireo
