#include "framework/platform/Sockets.h"

#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace Plix::Net {

std::vector<SocketAddress> ResolveHost(const std::string& host, int port) {
  std::vector<SocketAddress> out;
  if (host.empty()) return out;
  addrinfo hints{};
  hints.ai_family = AF_UNSPEC;
  hints.ai_socktype = SOCK_STREAM;
  hints.ai_protocol = IPPROTO_TCP;
  addrinfo* list = nullptr;
  std::string service = std::to_string(port < 0 || port > 65535 ? 0 : port);
  if (getaddrinfo(host.c_str(), service.c_str(), &hints, &list) != 0) return out;
  for (addrinfo* a = list; a != nullptr; a = a->ai_next) {
    SocketAddress address;
    address.family = a->ai_family;
    const auto* raw = reinterpret_cast<const unsigned char*>(a->ai_addr);
    address.bytes.assign(raw, raw + a->ai_addrlen);
    out.push_back(std::move(address));
  }
  freeaddrinfo(list);
  return out;
}

int OpenTcpSocket(const SocketAddress& address) {
  int s = socket(address.family, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, IPPROTO_TCP);
  return s < 0 ? -1 : s;
}

void CloseSocket(int socket) {
  if (socket >= 0) close(socket);
}

ConnectStart StartConnect(int socket, const SocketAddress& address) {
  const auto* sa = reinterpret_cast<const sockaddr*>(address.bytes.data());
  int r;
  do {
    r = connect(socket, sa, static_cast<socklen_t>(address.bytes.size()));
  } while (r != 0 && errno == EINTR);
  if (r == 0) return ConnectStart::Connected;
  return errno == EINPROGRESS ? ConnectStart::InProgress : ConnectStart::Failed;
}

bool ConnectSucceeded(int socket) {
  int error = 0;
  socklen_t length = sizeof(error);
  if (getsockopt(socket, SOL_SOCKET, SO_ERROR, &error, &length) != 0) return false;
  return error == 0;
}

WaitResult WaitForSocket(int socket, bool readable, bool writable, int timeoutMs) {
  pollfd p{};
  p.fd = socket;
  p.events = static_cast<short>((readable ? POLLIN : 0) | (writable ? POLLOUT : 0));
  int r = poll(&p, 1, timeoutMs);
  if (r < 0) return errno == EINTR ? WaitResult::TimedOut : WaitResult::Failed;
  if (r == 0) return WaitResult::TimedOut;
  if (p.revents & POLLNVAL) return WaitResult::Failed;
  if (readable && (p.revents & (POLLIN | POLLHUP | POLLERR))) return WaitResult::Ready;
  if (p.revents & (POLLERR | POLLHUP)) return WaitResult::Failed;
  return (p.revents & POLLOUT) ? WaitResult::Ready : WaitResult::TimedOut;
}

long SendSome(int socket, const char* data, size_t size) {
  ssize_t r;
  do {
    r = send(socket, data, size, MSG_NOSIGNAL);
  } while (r < 0 && errno == EINTR);
  if (r < 0) return (errno == EAGAIN || errno == EWOULDBLOCK) ? 0 : -1;
  return static_cast<long>(r);
}

long ReceiveSome(int socket, char* data, size_t size) {
  ssize_t r;
  do {
    r = recv(socket, data, size, 0);
  } while (r < 0 && errno == EINTR);
  if (r < 0) return (errno == EAGAIN || errno == EWOULDBLOCK) ? -2 : -1;
  return static_cast<long>(r);
}

}  // namespace Plix::Net
