#include "support/http_get.h"

#include <memory>

#include "support/wininet_api.h"

namespace vireo {
namespace {

// RELOAD | KEEP_CONNECTION | NO_COOKIES | NO_AUTH | IGNORE_REDIRECT_TO_HTTP | NO_UI
constexpr DWORD kRequestFlags = INTERNET_FLAG_RELOAD | INTERNET_FLAG_KEEP_CONNECTION | INTERNET_FLAG_NO_COOKIES |
                                INTERNET_FLAG_NO_AUTH | INTERNET_FLAG_IGNORE_REDIRECT_TO_HTTP | INTERNET_FLAG_NO_UI;
static_assert(kRequestFlags == 0x804C8200);

constexpr DWORD kReadChunk = 8192;
// The body is dropped by every caller; a server that keeps sending must not hold the run
// (each chunk arriving within the receive time-out would otherwise keep the loop going).
constexpr size_t kMaxBodyBytes = 1 << 20;

void SetTimeouts(const WinInetApi& net, HINTERNET handle) {
  DWORD timeout = kHttpTimeoutMs;
  net.set_option(handle, INTERNET_OPTION_CONNECT_TIMEOUT, &timeout, sizeof(timeout));
  net.set_option(handle, INTERNET_OPTION_SEND_TIMEOUT, &timeout, sizeof(timeout));
  net.set_option(handle, INTERNET_OPTION_RECEIVE_TIMEOUT, &timeout, sizeof(timeout));
}

}  // namespace

HttpGetResult HttpGet(const std::wstring& url, const std::wstring& headers, const wchar_t* user_agent) {
  HttpGetResult result;
  const WinInetApi* net = GetWinInetApi();
  if (!net) return result;  // no WinINet in System32: as if the server were unreachable

  wchar_t scheme[32] = {};
  wchar_t host[256] = {};
  wchar_t user[128] = {};
  wchar_t password[128] = {};
  wchar_t path[2084] = {};
  wchar_t extra[2084] = {};
  URL_COMPONENTSW parts = {};
  parts.dwStructSize = sizeof(parts);
  parts.lpszScheme = scheme;
  parts.dwSchemeLength = ARRAYSIZE(scheme);
  parts.lpszHostName = host;
  parts.dwHostNameLength = ARRAYSIZE(host);
  parts.lpszUserName = user;
  parts.dwUserNameLength = ARRAYSIZE(user);
  parts.lpszPassword = password;
  parts.dwPasswordLength = ARRAYSIZE(password);
  parts.lpszUrlPath = path;
  parts.dwUrlPathLength = ARRAYSIZE(path);
  parts.lpszExtraInfo = extra;
  parts.dwExtraInfoLength = ARRAYSIZE(extra);
  if (url.empty() || !net->crack_url(url.c_str(), static_cast<DWORD>(url.size()), 0, &parts)) return result;
  // The query travels in the extra information; the request needs path and query together.
  std::wstring object = std::wstring(path, parts.dwUrlPathLength) + std::wstring(extra, parts.dwExtraInfoLength);

  ScopedInternetHandle session(net->open(user_agent, INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0));
  if (!session) return result;
  SetTimeouts(*net, session.get());

  ScopedInternetHandle connection(
      net->connect(session.get(), host, parts.nPort, user, password, INTERNET_SERVICE_HTTP, 0, 0));
  if (!connection) return result;

  DWORD flags = kRequestFlags;
  if (parts.nScheme == INTERNET_SCHEME_HTTPS) flags |= INTERNET_FLAG_SECURE;
  ScopedInternetHandle request(
      net->open_request(connection.get(), L"GET", object.c_str(), nullptr, nullptr, nullptr, flags, 0));
  if (!request) return result;
  // Windows hands the session's limits down to its requests; some WinINet implementations
  // only honour them on the request itself, so the request gets them as well.
  SetTimeouts(*net, request.get());

  if (!net->send_request(request.get(), headers.c_str(), static_cast<DWORD>(headers.size()), nullptr, 0)) {
    return result;
  }
  result.sent = true;

  DWORD status = 0;
  DWORD status_size = sizeof(status);
  if (net->query_info(request.get(), HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status, &status_size,
                       nullptr)) {
    result.status = status;
  }
  wchar_t length_text[260] = {};
  DWORD length_size = sizeof(length_text);
  result.has_content_length =
      net->query_info(request.get(), HTTP_QUERY_CONTENT_LENGTH, length_text, &length_size, nullptr) != FALSE;

  auto chunk = std::make_unique<char[]>(kReadChunk);
  for (;;) {
    DWORD read = 0;
    if (!net->read_file(request.get(), chunk.get(), kReadChunk, &read) || read == 0) break;
    result.body.append(chunk.get(), read);
    if (result.body.size() >= kMaxBodyBytes) break;
  }
  // Handles close in reverse order of opening: request, connection, session.
  return result;
}

}  // namespace vireo
