// The WinINet entries the usage report needs, from "wininet.dll" in System32
// (system_library.h). WinINet is not one of the system's known DLLs, so the program does not
// import it: it is loaded when the report first runs, on the worker thread. That is safe
// while the main thread creates its first window: neither WinINet nor what it loads
// (mpr, ws2_32 and the system's base libraries) registers a window class.
//
//  WI1. GetWinInetApi loads the library once per process, on first call from any thread,
//       and keeps it loaded until the process ends.
//  WI2. It answers null when the library or any of the entries below is missing; the
//       caller's request then fails as an unreachable server does.
#pragma once

#include <windows.h>
#include <wininet.h>

#include "support/scoped_handle.h"

namespace vireo {

struct WinInetApi {
  // Typed from the system's own declarations; nothing here is linked against.
  decltype(&::InternetCrackUrlW) crack_url = nullptr;
  decltype(&::InternetOpenW) open = nullptr;
  decltype(&::InternetSetOptionW) set_option = nullptr;
  decltype(&::InternetConnectW) connect = nullptr;
  decltype(&::HttpOpenRequestW) open_request = nullptr;
  decltype(&::HttpSendRequestW) send_request = nullptr;
  decltype(&::HttpQueryInfoW) query_info = nullptr;
  decltype(&::InternetReadFile) read_file = nullptr;
  decltype(&::InternetCloseHandle) close_handle = nullptr;
};

// WI1, WI2.
const WinInetApi* GetWinInetApi();

// A session, connection or request handle, closed with InternetCloseHandle. Handles exist
// only once GetWinInetApi has answered with a table.
struct InternetHandleTraits {
  using Handle = HINTERNET;
  static Handle Invalid() { return nullptr; }
  static bool IsValid(Handle h) { return h != nullptr; }
  static void Close(Handle h) { GetWinInetApi()->close_handle(h); }
};
using ScopedInternetHandle = ScopedGeneric<InternetHandleTraits>;

}  // namespace vireo
