// The one usage event every run reports ("install" or "update"): a GET to the statistics
// endpoint whose outcome nothing depends on. Runs as a task on the worker thread.
#pragma once

#include <string>
#include <string_view>

namespace vireo {

// The fixed parts of the report.
inline constexpr char kUsageAppKey[] = "5b3e9d07c1a2f48e6d90b7c35a1e8f24d6c0b913";
inline constexpr wchar_t kUsageHeaders[] = L"Accept: */*\r\nContent-Type:application/json;charset=UTF-8";
inline constexpr wchar_t kUsageUserAgent[] =
    L"Mozilla/5.0 (Windows NT 10.0; Win64; x64) AppleWebKit/537.36 (KHTML, like Gecko) "
    L"Chrome/122.0.0.0 Safari/537.36 Edg/122.0.0.0";
inline constexpr wchar_t kFallbackAppVersion[] = L"1.0.0.1001";

// Sends the event |name| and drops the response. Always returns 1; failures are silent.
int SendUsageEvent(const std::wstring& name);

// [{"key":"[CLY]_view","segmentation":{"name":"<name>","visit":1,"start":1}}], the name
// inserted as it is.
std::wstring BuildUsageEventsText(std::wstring_view name);
// endpoint?events=..&app_key=..&device_id=..&metrics=..
std::wstring BuildUsageRequestUrl(std::wstring_view name);

// This installer's file version, or "1.0.0.1001" when it has none. Cached.
const std::wstring& GetAppVersion();
// {"_os":"Windows","_os_version":"<name>","_app_version":"<version>"}. Cached.
const std::wstring& GetMetricsJson();

// The endpoint the build configured, or the override below.
std::wstring GetUsageEndpoint();
// Tests point the report at a server of their own; an empty text restores the build setting.
void SetUsageEndpointForTesting(std::wstring_view endpoint);

}  // namespace vireo
