#include "framework/platform/Instance.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <mutex>

#include "framework/platform/Files.h"
#include "framework/platform/Utf8.h"
#include "framework/platform/WinMessages.h"

namespace Plix {

namespace {

constexpr const char* kPrefix = "plix-";
constexpr size_t kMaxNameBytes = 200;

struct Mutex {
  pid_t owner = getpid();  // a forked child is another program
  int lockFd = -1;
  int listenFd = -1;
  std::string socketPath;
  std::vector<int> clients;               // accepted, name not read yet
  std::vector<std::string> partial;       // bytes read so far, per client
};

std::mutex gLock;
std::vector<std::unique_ptr<Mutex>> gMutexes;
thread_local DWORD gLastError = 0;

// A file name made of the mutex name: letters, digits, '.', '-' and '_'.
std::string FileStem(const std::wstring& name) {
  std::string stem = kPrefix;
  for (char c : Utf8(name)) {
    const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.' ||
                       c == '-';
    stem.push_back(plain ? c : '_');
  }
  return stem;
}

bool MakeAddress(const std::string& path, sockaddr_un& address) {
  std::memset(&address, 0, sizeof(address));
  address.sun_family = AF_UNIX;
  if (path.size() >= sizeof(address.sun_path)) return false;
  std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
  return true;
}

int Listen(const std::string& path) {
  sockaddr_un address;
  if (!MakeAddress(path, address)) return -1;
  const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
  if (fd < 0) return -1;
  ::unlink(path.c_str());  // left behind by a program that died; we hold its lock now
  if (bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)) != 0 || listen(fd, 8) != 0) {
    ::close(fd);
    return -1;
  }
  return fd;
}

void CloseMutex(Mutex& m) {
  for (int fd : m.clients) ::close(fd);
  m.clients.clear();
  if (m.listenFd >= 0) {
    ::close(m.listenFd);
    ::unlink(m.socketPath.c_str());
  }
  if (m.lockFd >= 0) ::close(m.lockFd);  // closing releases the flock
  m.listenFd = m.lockFd = -1;
}

}  // namespace

std::string InstanceFolder() {
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  if (runtime && *runtime && Fs::IsDirectory(runtime)) return runtime;
  std::string folder = "/tmp/plix-" + std::to_string(static_cast<unsigned long>(getuid()));
  ::mkdir(folder.c_str(), 0700);
  return folder;
}

HANDLE CreateMutexW(const std::wstring& name, bool) {
  auto m = std::make_unique<Mutex>();
  const std::string stem = InstanceFolder() + "/" + FileStem(name).substr(0, kMaxNameBytes);
  gLastError = 0;
  m->lockFd = ::open((stem + ".lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
  if (m->lockFd >= 0 && flock(m->lockFd, LOCK_EX | LOCK_NB) != 0) {
    gLastError = errno == EWOULDBLOCK ? ERROR_ALREADY_EXISTS : 0;
    ::close(m->lockFd);
    m->lockFd = -1;
  }
  if (m->lockFd >= 0) {
    m->socketPath = stem + ".sock";
    m->listenFd = Listen(m->socketPath);
  }
  std::lock_guard<std::mutex> lock(gLock);
  gMutexes.push_back(std::move(m));
  return gMutexes.back().get();
}

DWORD GetLastError() { return gLastError; }

bool CloseHandle(HANDLE handle) {
  std::lock_guard<std::mutex> lock(gLock);
  for (auto it = gMutexes.begin(); it != gMutexes.end(); ++it) {
    if (it->get() == handle) {
      CloseMutex(**it);
      gMutexes.erase(it);
      return true;
    }
  }
  return false;
}

void BroadcastToOtherInstances(const std::wstring& messageName) {
  if (messageName.empty()) return;
  std::vector<std::string> own;
  {
    std::lock_guard<std::mutex> lock(gLock);
    for (auto& m : gMutexes)
      if (m->listenFd >= 0 && m->owner == getpid()) own.push_back(m->socketPath);
  }
  const std::string folder = InstanceFolder();
  const std::string payload = Utf8(messageName) + "\n";
  for (const Fs::DirEntry& e : Fs::FindFiles(folder + "/" + kPrefix + "*.sock")) {
    const std::string path = folder + "/" + e.name;
    bool mine = false;
    for (const std::string& o : own) mine = mine || o == path;
    sockaddr_un address;
    if (mine || !MakeAddress(path, address)) continue;
    const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) continue;
    if (connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)) == 0)
      (void)!send(fd, payload.data(), payload.size(), MSG_NOSIGNAL);
    ::close(fd);
  }
}

std::vector<std::wstring> PollInstanceBroadcasts() {
  std::vector<std::wstring> names;
  std::lock_guard<std::mutex> lock(gLock);
  for (auto& m : gMutexes) {
    if (m->listenFd < 0) continue;
    for (int fd; (fd = accept4(m->listenFd, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC)) >= 0;) {
      m->clients.push_back(fd);
      m->partial.emplace_back();
    }
    for (size_t i = 0; i < m->clients.size();) {
      char buffer[256];
      const ssize_t n = ::recv(m->clients[i], buffer, sizeof(buffer), 0);
      if (n > 0) m->partial[i].append(buffer, static_cast<size_t>(n));
      const size_t end = m->partial[i].find('\n');
      const bool closed = n == 0 || (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK);
      if (end != std::string::npos || closed || m->partial[i].size() > 1024) {
        if (end != std::string::npos) names.push_back(FromUtf8(m->partial[i].substr(0, end).c_str()));
        ::close(m->clients[i]);
        m->clients.erase(m->clients.begin() + static_cast<std::ptrdiff_t>(i));
        m->partial.erase(m->partial.begin() + static_cast<std::ptrdiff_t>(i));
      } else {
        ++i;
      }
    }
  }
  return names;
}

}  // namespace Plix
