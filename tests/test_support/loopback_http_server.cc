#include "tests/test_support/loopback_http_server.h"

#include <winsock2.h>
#include <ws2tcpip.h>

namespace vireo::test {
namespace {

constexpr DWORD kAcceptWaitMs = 20000;
constexpr DWORD kSilentHoldMs = 20000;
constexpr size_t kMaxHeadBytes = 64 * 1024;

SOCKET AsSocket(uintptr_t s) { return static_cast<SOCKET>(s); }

// Waits until |s| is readable, the stop event fires or |timeout_ms| passes, polling in
// short slices so that the stop event is noticed promptly.
bool WaitReadable(SOCKET s, HANDLE stop, DWORD timeout_ms) {
  const ULONGLONG deadline = ::GetTickCount64() + timeout_ms;
  while (::GetTickCount64() < deadline) {
    if (::WaitForSingleObject(stop, 0) == WAIT_OBJECT_0) return false;
    fd_set set;
    FD_ZERO(&set);
    FD_SET(s, &set);
    timeval tv = {0, 50 * 1000};
    const int r = ::select(0, &set, nullptr, nullptr, &tv);
    if (r > 0) return true;
    if (r < 0) return false;
  }
  return false;
}

}  // namespace

LoopbackHttpServer::LoopbackHttpServer(Mode mode) : mode_(mode) {
  stop_ = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
  got_request_ = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
}

LoopbackHttpServer::~LoopbackHttpServer() {
  if (stop_) ::SetEvent(stop_);
  if (thread_) {
    ::WaitForSingleObject(thread_, 30000);
    ::CloseHandle(thread_);
  }
  if (AsSocket(listener_) != INVALID_SOCKET) ::closesocket(AsSocket(listener_));
  if (wsa_started_) ::WSACleanup();
  if (stop_) ::CloseHandle(stop_);
  if (got_request_) ::CloseHandle(got_request_);
}

bool LoopbackHttpServer::Start() {
  WSADATA data;
  if (::WSAStartup(MAKEWORD(2, 2), &data) != 0) return false;
  wsa_started_ = true;
  SOCKET s = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  if (s == INVALID_SOCKET) return false;
  listener_ = static_cast<uintptr_t>(s);
  sockaddr_in addr = {};
  addr.sin_family = AF_INET;
  addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  addr.sin_port = 0;
  if (::bind(s, reinterpret_cast<sockaddr*>(&addr), sizeof(addr)) != 0) return false;
  if (::listen(s, 1) != 0) return false;
  int len = sizeof(addr);
  if (::getsockname(s, reinterpret_cast<sockaddr*>(&addr), &len) != 0) return false;
  port_ = ntohs(addr.sin_port);
  thread_ = ::CreateThread(nullptr, 0, &LoopbackHttpServer::ThreadMain, this, 0, nullptr);
  if (!thread_) {
    port_ = 0;
    return false;
  }
  return true;
}

std::string LoopbackHttpServer::WaitForRequest(DWORD timeout_ms) {
  if (::WaitForSingleObject(got_request_, timeout_ms) != WAIT_OBJECT_0) return {};
  return request_;
}

unsigned short LoopbackHttpServer::FindClosedPort() {
  WSADATA data;
  if (::WSAStartup(MAKEWORD(2, 2), &data) != 0) return 0;
  unsigned short port = 0;
  SOCKET s = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  if (s != INVALID_SOCKET) {
    sockaddr_in addr = {};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    int len = sizeof(addr);
    if (::bind(s, reinterpret_cast<sockaddr*>(&addr), sizeof(addr)) == 0 &&
        ::getsockname(s, reinterpret_cast<sockaddr*>(&addr), &len) == 0) {
      port = ntohs(addr.sin_port);
    }
    ::closesocket(s);
  }
  ::WSACleanup();
  return port;
}

DWORD WINAPI LoopbackHttpServer::ThreadMain(void* self) {
  static_cast<LoopbackHttpServer*>(self)->Serve();
  return 0;
}

void LoopbackHttpServer::Serve() {
  const SOCKET listener = AsSocket(listener_);
  if (!WaitReadable(listener, stop_, kAcceptWaitMs)) return;
  SOCKET client = ::accept(listener, nullptr, nullptr);
  if (client == INVALID_SOCKET) return;

  std::string head;
  char buf[4096];
  while (head.find("\r\n\r\n") == std::string::npos && head.size() < kMaxHeadBytes) {
    if (!WaitReadable(client, stop_, kAcceptWaitMs)) break;
    const int n = ::recv(client, buf, sizeof(buf), 0);
    if (n <= 0) break;
    head.append(buf, static_cast<size_t>(n));
  }
  request_ = head;
  ::SetEvent(got_request_);

  if (mode_ == Mode::kAnswer200) {
    static constexpr char kResponse[] = "HTTP/1.1 200 OK\r\nContent-Length: 2\r\nConnection: close\r\n\r\nok";
    ::send(client, kResponse, static_cast<int>(sizeof(kResponse) - 1), 0);
    ::shutdown(client, SD_SEND);
  } else {
    ::WaitForSingleObject(stop_, kSilentHoldMs);
  }
  ::closesocket(client);
}

}  // namespace vireo::test
