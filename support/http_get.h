// One HTTP(S) GET through WinINet with short time-outs, for the fire-and-forget usage
// report: no retries, no redirects to plain HTTP, no cookies, no authentication prompts.
#pragma once

#include <windows.h>

#include <string>

namespace vireo {

struct HttpGetResult {
  bool sent = false;                // the request went out and a response was read
  DWORD status = 0;                 // HTTP status code; 0 when none was read
  bool has_content_length = false;  // the server sent a Content-Length header
  std::string body;
};

// Connect, send and receive are each limited to this many milliseconds.
inline constexpr DWORD kHttpTimeoutMs = 3000;

// Sends GET |url| with |headers| (CR LF separated) and |user_agent|. Every failure (address
// that does not split, no connection, time-out) ends the request early and shows only as
// sent == false or a short body. At most 1 MiB of body is read.
HttpGetResult HttpGet(const std::wstring& url, const std::wstring& headers, const wchar_t* user_agent);

}  // namespace vireo
