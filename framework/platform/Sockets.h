#pragma once
// The little of TCP that the HTTP transfer needs, over POSIX sockets:
// name resolution with getaddrinfo, non-blocking connect, waits in short
// slices so that a stop request is seen, and sends that never raise
// SIGPIPE.
#include <cstddef>
#include <string>
#include <vector>

namespace Plix::Net {

// One resolved address, kept opaque.
struct SocketAddress {
  int family = 0;
  std::vector<unsigned char> bytes;  // a sockaddr of `family`
};

// Every TCP address of a host name or numeric address; empty when the name
// does not resolve.
std::vector<SocketAddress> ResolveHost(const std::string& host, int port);

// A non-blocking TCP socket for the address's family; -1 on failure.
int OpenTcpSocket(const SocketAddress& address);
void CloseSocket(int socket);

enum class ConnectStart { Connected, InProgress, Failed };
ConnectStart StartConnect(int socket, const SocketAddress& address);
// After a started connect became writable: true when it succeeded.
bool ConnectSucceeded(int socket);

enum class WaitResult { Ready, TimedOut, Failed };
// Waits up to timeoutMs for the requested conditions. Failed when the wait
// itself fails or the socket reports an error or hang-up while waiting only
// for writing (a hang-up with data to read is Ready: the read sees it).
WaitResult WaitForSocket(int socket, bool readable, bool writable, int timeoutMs);

// Bytes sent, 0 when the socket would block, -1 on error.
long SendSome(int socket, const char* data, size_t size);
// Bytes received, 0 at the peer's orderly close, -1 on error; -2 when
// nothing is there yet (the socket would block).
long ReceiveSome(int socket, char* data, size_t size);

}  // namespace Plix::Net
