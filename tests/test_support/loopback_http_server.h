// A one-connection HTTP server on 127.0.0.1 for tests that check what a client sends.
//
// It listens on a free loopback port, accepts one connection, reads the request head
// (up to the blank line) and records it, then either answers "200 OK" or, in the silent
// mode, never answers and holds the connection until the server is stopped. Every wait is
// bounded, so a client that never connects cannot hang a test.
#pragma once

#include <windows.h>

#include <string>

namespace vireo::test {

class LoopbackHttpServer {
 public:
  enum class Mode { kAnswer200, kNeverAnswer };

  explicit LoopbackHttpServer(Mode mode);
  ~LoopbackHttpServer();  // stops the thread and closes every socket
  LoopbackHttpServer(const LoopbackHttpServer&) = delete;
  LoopbackHttpServer& operator=(const LoopbackHttpServer&) = delete;

  // False when the socket could not be set up; port() is 0 then.
  bool Start();
  unsigned short port() const { return port_; }

  // Waits up to |timeout_ms| for a request head; returns it ("" on time-out).
  std::string WaitForRequest(DWORD timeout_ms);

  // A loopback port with nothing listening on it (bound, read and released at once).
  static unsigned short FindClosedPort();

 private:
  static DWORD WINAPI ThreadMain(void* self);
  void Serve();

  Mode mode_;
  unsigned short port_ = 0;
  uintptr_t listener_ = ~uintptr_t{0};
  HANDLE thread_ = nullptr;
  HANDLE stop_ = nullptr;
  HANDLE got_request_ = nullptr;
  std::string request_;
  bool wsa_started_ = false;
};

}  // namespace vireo::test
