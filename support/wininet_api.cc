#include "support/wininet_api.h"

#include "support/system_library.h"

namespace vireo {

const WinInetApi* GetWinInetApi() {
  // Never freed: handles from it may be closed as late as the process's last task.
  static const SystemLibrary* const library = new SystemLibrary(L"wininet.dll");
  static const WinInetApi api = [] {
    WinInetApi a;
    const bool complete = library->Resolve("InternetCrackUrlW", &a.crack_url) &&
                          library->Resolve("InternetOpenW", &a.open) &&
                          library->Resolve("InternetSetOptionW", &a.set_option) &&
                          library->Resolve("InternetConnectW", &a.connect) &&
                          library->Resolve("HttpOpenRequestW", &a.open_request) &&
                          library->Resolve("HttpSendRequestW", &a.send_request) &&
                          library->Resolve("HttpQueryInfoW", &a.query_info) &&
                          library->Resolve("InternetReadFile", &a.read_file) &&
                          library->Resolve("InternetCloseHandle", &a.close_handle);
    return complete ? a : WinInetApi{};
  }();
  return api.close_handle ? &api : nullptr;
}

}  // namespace vireo
