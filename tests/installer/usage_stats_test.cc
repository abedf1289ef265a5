#include "installer/usage_stats.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "installer/device_id.h"
#include "support/http_get.h"
#include "support/os_version.h"
#include "support/string_util.h"
#include "support/url_encode.h"
#include "support/user_sid.h"
#include "tests/test_support/loopback_http_server.h"

namespace vireo {
namespace {

using test::LoopbackHttpServer;

std::wstring LoopbackEndpoint(unsigned short port) {
  return L"http://127.0.0.1:" + std::to_wstring(port) + L"/i";
}

// The request line the server must see for |event|, built from independently known parts:
// the literal events encoding, the key, the account's SID and the metrics of this machine.
std::string ExpectedRequestLine(const std::string& encoded_events) {
  std::wstring sid;
  EXPECT_TRUE(GetCurrentUserSidString(&sid));
  const std::string metrics = "%7B%22_os%22%3A%22Windows%22%2C%22_os_version%22%3A%22" +
                              WideToUtf8(GetOsVersionName()) + "%22%2C%22_app_version%22%3A%22" +
                              "1.0.0.1001" + "%22%7D";
  return "GET /i?events=" + encoded_events + "&app_key=5b3e9d07c1a2f48e6d90b7c35a1e8f24d6c0b913&device_id=" +
         WideToUtf8(sid) + "&metrics=" + metrics + " HTTP/1.1\r\n";
}

constexpr char kInstallEvents[] =
    "%5B%7B%22key%22%3A%22%5BCLY%5D_view%22%2C%22segmentation%22%3A%7B%22name%22%3A%22install%22%2C"
    "%22visit%22%3A1%2C%22start%22%3A1%7D%7D%5D";
constexpr char kUpdateEvents[] =
    "%5B%7B%22key%22%3A%22%5BCLY%5D_view%22%2C%22segmentation%22%3A%7B%22name%22%3A%22update%22%2C"
    "%22visit%22%3A1%2C%22start%22%3A1%7D%7D%5D";

bool HasHeaderLine(const std::string& head, const std::string& line) {
  return head.find("\r\n" + line + "\r\n") != std::string::npos;
}

void ExpectReportReceived(const std::wstring& event, const char* encoded_events) {
  LoopbackHttpServer server(LoopbackHttpServer::Mode::kAnswer200);
  ASSERT_TRUE(server.Start());
  SetUsageEndpointForTesting(LoopbackEndpoint(server.port()));

  EXPECT_EQ(SendUsageEvent(event), 1);
  const std::string head = server.WaitForRequest(10000);
  ASSERT_FALSE(head.empty()) << "no request arrived";

  const std::string expected_line = ExpectedRequestLine(encoded_events);
  EXPECT_EQ(head.substr(0, head.find("\r\n") + 2), expected_line) << head;
  EXPECT_TRUE(HasHeaderLine(head, "Accept: */*")) << head;
  // WinINet parses the header string into name and value and writes it back out with its
  // own "name: value" separator.
  EXPECT_TRUE(HasHeaderLine(head, "Content-Type: application/json;charset=UTF-8")) << head;
  EXPECT_TRUE(HasHeaderLine(head, "User-Agent: " + WideToUtf8(kUsageUserAgent))) << head;
  EXPECT_TRUE(HasHeaderLine(head, "Host: 127.0.0.1:" + std::to_string(server.port()))) << head;
  EXPECT_EQ(head.find("Cookie:"), std::string::npos) << head;
}

// The events parameter of an "install" report, exactly as the statistics server expects it.
TEST(UsageStatsReport, InstallEventsParameter) {
  EXPECT_EQ(WideToUtf8(UrlEncode(BuildUsageEventsText(L"install"))), kInstallEvents);
}

// The header string handed to WinINet is the fixed 56-character text.
TEST(UsageStatsReport, HeaderString) {
  EXPECT_EQ(std::wstring(kUsageHeaders), L"Accept: */*\r\nContent-Type:application/json;charset=UTF-8");
  EXPECT_EQ(std::wstring(kUsageHeaders).size(), 56u);
}

// The built-in endpoint is an HTTPS address with the path "/i" (the host is a build
// setting); the test override replaces it and "" restores it.
TEST(UsageStatsReport, EndpointSetting) {
  const std::wstring built_in = GetUsageEndpoint();
  EXPECT_EQ(built_in.rfind(L"https://", 0), 0u);
  ASSERT_GT(built_in.size(), 10u);
  EXPECT_EQ(built_in.substr(built_in.size() - 2), L"/i");
  SetUsageEndpointForTesting(L"http://127.0.0.1:1/i");
  EXPECT_EQ(GetUsageEndpoint(), L"http://127.0.0.1:1/i");
  SetUsageEndpointForTesting(L"");
  EXPECT_EQ(GetUsageEndpoint(), built_in);
}

// Metrics carry the OS name and, for an executable without a version resource, the fallback.
TEST(UsageStatsReport, MetricsJson) {
  EXPECT_EQ(GetAppVersion(), L"1.0.0.1001");
  EXPECT_EQ(GetMetricsJson(),
            L"{\"_os\":\"Windows\",\"_os_version\":\"" + GetOsVersionName() + L"\",\"_app_version\":\"1.0.0.1001\"}");
}

// An "install" report reaches the server with the exact request line, headers and agent.
TEST(UsageStatsReport, InstallRequestOnTheWire) { ExpectReportReceived(L"install", kInstallEvents); }

// An "update" report differs only in the event name.
TEST(UsageStatsReport, UpdateRequestOnTheWire) { ExpectReportReceived(L"update", kUpdateEvents); }

// A server that accepts but never answers holds the report no longer than the time-outs.
TEST(UsageStatsReport, SilentServerDelaysAtMostTheLimits) {
  LoopbackHttpServer server(LoopbackHttpServer::Mode::kNeverAnswer);
  ASSERT_TRUE(server.Start());
  SetUsageEndpointForTesting(LoopbackEndpoint(server.port()));

  const ULONGLONG start = ::GetTickCount64();
  EXPECT_EQ(SendUsageEvent(L"install"), 1);
  const ULONGLONG elapsed = ::GetTickCount64() - start;
  EXPECT_FALSE(server.WaitForRequest(0).empty());
  // Connect, send and receive each have kHttpTimeoutMs; a little slack for process noise.
  EXPECT_LE(elapsed, 3 * kHttpTimeoutMs + 1500) << elapsed;
  EXPECT_GE(elapsed, kHttpTimeoutMs - 500) << elapsed;
}

// With nothing listening, the report fails at once and silently.
TEST(UsageStatsReport, NoServerChangesNothing) {
  const unsigned short port = LoopbackHttpServer::FindClosedPort();
  ASSERT_NE(port, 0);
  SetUsageEndpointForTesting(LoopbackEndpoint(port));
  const ULONGLONG start = ::GetTickCount64();
  EXPECT_EQ(SendUsageEvent(L"install"), 1);
  EXPECT_LE(::GetTickCount64() - start, ULONGLONG{kHttpTimeoutMs + 1500});

  const HttpGetResult r = HttpGet(BuildUsageRequestUrl(L"install"), kUsageHeaders, kUsageUserAgent);
  EXPECT_FALSE(r.sent);
  EXPECT_EQ(r.status, 0u);
}

// A 200 answer is read back whole (status, length header, body) even though the report drops it.
TEST(UsageStatsReport, HttpGetReadsTheAnswer) {
  LoopbackHttpServer server(LoopbackHttpServer::Mode::kAnswer200);
  ASSERT_TRUE(server.Start());
  const HttpGetResult r = HttpGet(LoopbackEndpoint(server.port()) + L"?a=1", kUsageHeaders, kUsageUserAgent);
  EXPECT_TRUE(r.sent);
  EXPECT_EQ(r.status, 200u);
  EXPECT_TRUE(r.has_content_length);
  EXPECT_EQ(r.body, "ok");
  EXPECT_EQ(server.WaitForRequest(5000).rfind("GET /i?a=1 HTTP/1.1\r\n", 0), 0u);
}

// An address that does not split is refused before anything is opened.
TEST(UsageStatsReport, MalformedAddress) {
  EXPECT_FALSE(HttpGet(L"not a url", kUsageHeaders, kUsageUserAgent).sent);
  EXPECT_FALSE(HttpGet(L"", kUsageHeaders, kUsageUserAgent).sent);
}

}  // namespace
}  // namespace vireo
