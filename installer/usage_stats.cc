#include "installer/usage_stats.h"

#include <cwchar>

#include "installer/device_id.h"
#include "support/file_version.h"
#include "support/http_get.h"
#include "support/module_instance.h"
#include "support/os_version.h"
#include "support/url_encode.h"

#ifndef VIREO_STATS_ENDPOINT
#define VIREO_STATS_ENDPOINT "https://stats.vireo-browser.com/i"
#endif

namespace vireo {
namespace {

constexpr char kBuildEndpoint[] = VIREO_STATS_ENDPOINT;

// The endpoint and the key are 8-bit constants; they are widened character by character.
std::wstring Widen(const char* text) {
  std::wstring out;
  for (const char* p = text; *p; ++p) out.push_back(static_cast<wchar_t>(static_cast<unsigned char>(*p)));
  return out;
}

std::wstring& EndpointOverride() {
  static std::wstring endpoint;
  return endpoint;
}

}  // namespace

std::wstring GetUsageEndpoint() {
  const std::wstring& over = EndpointOverride();
  return over.empty() ? Widen(kBuildEndpoint) : over;
}

void SetUsageEndpointForTesting(std::wstring_view endpoint) { EndpointOverride().assign(endpoint); }

std::wstring BuildUsageEventsText(std::wstring_view name) {
  std::wstring text = L"[{\"key\":\"[CLY]_view\",\"segmentation\":{\"name\":\"";
  text.append(name);
  text.append(L"\",\"visit\":1,\"start\":1}}]");
  return text;
}

const std::wstring& GetAppVersion() {
  static const std::wstring version = [] {
    const std::wstring self = GetSelfExePath();
    std::wstring v = self.empty() ? std::wstring() : GetFileVersionString(self.c_str());
    return v.empty() ? std::wstring(kFallbackAppVersion) : v;
  }();
  return version;
}

const std::wstring& GetMetricsJson() {
  static const std::wstring metrics = [] {
    wchar_t buffer[260] = {};
    const int n = std::swprintf(buffer, 260, L"{\"_os\":\"Windows\",\"_os_version\":\"%ls\",\"_app_version\":\"%ls\"}",
                                GetOsVersionName().c_str(), GetAppVersion().c_str());
    return n > 0 ? std::wstring(buffer, static_cast<size_t>(n)) : std::wstring();
  }();
  return metrics;
}

std::wstring BuildUsageRequestUrl(std::wstring_view name) {
  std::wstring url = GetUsageEndpoint();
  url += L"?events=";
  url += UrlEncode(BuildUsageEventsText(name));
  url += L"&app_key=";
  url += Widen(kUsageAppKey);
  url += L"&device_id=";
  url += UrlEncode(GetDeviceId());
  url += L"&";
  url += L"metrics=";
  url += UrlEncode(GetMetricsJson());
  return url;
}

int SendUsageEvent(const std::wstring& name) {
  HttpGet(BuildUsageRequestUrl(name), kUsageHeaders, kUsageUserAgent);
  return 1;
}

}  // namespace vireo
