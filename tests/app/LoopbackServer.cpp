#include "tests/app/LoopbackServer.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>

namespace Plix::Testing {

namespace {

int ListenOnLoopback(int& port) {
  int s = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  int one = 1;
  setsockopt(s, SOL_SOCKET, SO_REUSEADDR, &one, sizeof(one));
  sockaddr_in addr{};
  addr.sin_family = AF_INET;
  addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  addr.sin_port = 0;
  bind(s, reinterpret_cast<sockaddr*>(&addr), sizeof(addr));
  socklen_t len = sizeof(addr);
  getsockname(s, reinterpret_cast<sockaddr*>(&addr), &len);
  port = ntohs(addr.sin_port);
  return s;
}

// Waits up to 100 ms for the socket to become readable.
bool Readable(int s) {
  pollfd p{s, POLLIN, 0};
  return poll(&p, 1, 100) > 0;
}

}  // namespace

LoopbackServer::LoopbackServer(Responder responder) : mResponder(std::move(responder)) {
  mListen = ListenOnLoopback(mPort);
  listen(mListen, 8);
  mThread = std::thread([this] { Serve(); });
}

LoopbackServer::LoopbackServer(const std::string& bytes, bool holdOpen)
    : LoopbackServer([bytes, holdOpen](const std::string&) {
        return Reply{bytes, holdOpen};
      }) {}

LoopbackServer::~LoopbackServer() {
  mStop = true;
  mThread.join();
  close(mListen);
}

std::string LoopbackServer::Address() const { return "127.0.0.1:" + std::to_string(mPort); }

std::vector<std::string> LoopbackServer::Requests() {
  std::lock_guard<std::mutex> lock(mLock);
  return mRequests;
}

int LoopbackServer::UnusedPort() {
  int port = 0;
  int s = ListenOnLoopback(port);
  close(s);  // bound but never listening: connections are refused
  return port;
}

void LoopbackServer::Serve() {
  std::vector<int> held;
  while (!mStop) {
    if (!Readable(mListen)) continue;
    int c = accept4(mListen, nullptr, nullptr, SOCK_CLOEXEC);
    if (c < 0) continue;
    std::string request;
    size_t wanted = std::string::npos;
    char buf[4096];
    while (!mStop && request.size() != wanted) {
      if (!Readable(c)) continue;
      ssize_t n = recv(c, buf, sizeof(buf), 0);
      if (n <= 0) break;
      request.append(buf, static_cast<size_t>(n));
      size_t end = request.find("\r\n\r\n");
      if (end != std::string::npos && wanted == std::string::npos) {
        size_t length = 0;
        size_t at = request.find("Content-Length: ");
        if (at != std::string::npos && at < end) length = std::strtoul(request.c_str() + at + 16, nullptr, 10);
        wanted = end + 4 + length;
      }
    }
    {
      std::lock_guard<std::mutex> lock(mLock);
      mRequests.push_back(request);
    }
    Reply reply = mResponder(request);
    size_t sent = 0;
    while (sent < reply.bytes.size()) {
      ssize_t n = send(c, reply.bytes.data() + sent, reply.bytes.size() - sent, MSG_NOSIGNAL);
      if (n <= 0) break;
      sent += static_cast<size_t>(n);
    }
    if (reply.holdOpen) {
      held.push_back(c);
    } else {
      close(c);
    }
  }
  for (int c : held) close(c);
}

}  // namespace Plix::Testing
