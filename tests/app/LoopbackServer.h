#pragma once
// A small TCP server on 127.0.0.1 for the HTTP tests: it reads each request
// (headers and a Content-Length body), keeps it, and answers with the bytes
// a test supplies, then closes the connection or holds it open until the
// server goes.
#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace Plix::Testing {

class LoopbackServer {
public:
  struct Reply {
    std::string bytes;
    bool holdOpen = false;  // keep the connection open after the bytes
  };
  using Responder = std::function<Reply(const std::string& request)>;

  explicit LoopbackServer(Responder responder);
  // Always answers with the same reply.
  LoopbackServer(const std::string& bytes, bool holdOpen);
  ~LoopbackServer();
  LoopbackServer(const LoopbackServer&) = delete;
  LoopbackServer& operator=(const LoopbackServer&) = delete;

  int Port() const { return mPort; }
  // "127.0.0.1:port".
  std::string Address() const;
  std::vector<std::string> Requests();

  // A port on which nothing listens.
  static int UnusedPort();

private:
  void Serve();

  Responder mResponder;
  int mListen = -1;
  int mPort = 0;
  std::atomic<bool> mStop{false};
  std::mutex mLock;
  std::vector<std::string> mRequests;
  std::thread mThread;
};

}  // namespace Plix::Testing
