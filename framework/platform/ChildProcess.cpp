#include "framework/platform/ChildProcess.h"

#include <signal.h>
#include <spawn.h>
#include <sys/mman.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string>

extern char** environ;

namespace Plix {

namespace {

bool WriteAll(int fd, const uint8_t* data, size_t size) {
  while (size > 0) {
    ssize_t n = write(fd, data, size);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    data += n;
    size -= static_cast<size_t>(n);
  }
  return true;
}

}  // namespace

bool RunHelperProcess(const char* variable, const std::vector<uint8_t>& payload, int* exitStatus) {
  char program[4096];
  ssize_t length = readlink("/proc/self/exe", program, sizeof(program) - 1);
  if (length <= 0) return false;
  program[length] = '\0';

  int fd = memfd_create("plix-helper", MFD_CLOEXEC);
  if (fd < 0) return false;
  if (!WriteAll(fd, payload.data(), payload.size()) || lseek(fd, 0, SEEK_SET) != 0) {
    close(fd);
    return false;
  }

  // The helper gets the bytes as descriptor 3 and nothing else of ours: a
  // lock or socket it inherited would outlive this process.
  constexpr int kPayloadFd = 3;
  std::string assignment = std::string(variable) + "=" + std::to_string(kPayloadFd);
  std::vector<char*> env;
  size_t nameLength = std::strlen(variable);
  for (char** e = environ; *e != nullptr; ++e) {
    if (std::strncmp(*e, variable, nameLength) == 0 && (*e)[nameLength] == '=') continue;
    env.push_back(*e);
  }
  env.push_back(assignment.data());
  env.push_back(nullptr);
  char* argv[] = {program, nullptr};

  // The helper starts clean even when called from a signal handler: no
  // blocked signals, default actions.
  posix_spawnattr_t attr;
  posix_spawnattr_init(&attr);
  sigset_t none;
  sigemptyset(&none);
  sigset_t all;
  sigfillset(&all);
  posix_spawnattr_setsigmask(&attr, &none);
  posix_spawnattr_setsigdefault(&attr, &all);
  posix_spawnattr_setflags(&attr, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
  posix_spawn_file_actions_t files;
  posix_spawn_file_actions_init(&files);
  posix_spawn_file_actions_adddup2(&files, fd, kPayloadFd);
#if defined(__GLIBC__) && (__GLIBC__ > 2 || __GLIBC_MINOR__ >= 34)
  posix_spawn_file_actions_addclosefrom_np(&files, kPayloadFd + 1);
#endif
  pid_t pid = 0;
  int error = posix_spawn(&pid, program, &files, &attr, argv, env.data());
  posix_spawn_file_actions_destroy(&files);
  posix_spawnattr_destroy(&attr);
  close(fd);
  if (error != 0) return false;

  int status = 0;
  while (waitpid(pid, &status, 0) < 0) {
    if (errno != EINTR) return false;
  }
  if (exitStatus != nullptr) *exitStatus = status;
  return true;
}

bool IsHelperProcess(const char* variable) {
  const char* value = std::getenv(variable);
  return value != nullptr && *value != '\0';
}

bool ReadHelperPayload(const char* variable, std::vector<uint8_t>& payload) {
  payload.clear();
  const char* value = std::getenv(variable);
  if (value == nullptr || *value == '\0') return false;
  char* end = nullptr;
  long fd = std::strtol(value, &end, 10);
  unsetenv(variable);
  if (end == nullptr || *end != '\0' || fd < 0) return false;
  int handle = static_cast<int>(fd);
  uint8_t chunk[65536];
  for (;;) {
    ssize_t n = read(handle, chunk, sizeof(chunk));
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      close(handle);
      return false;
    }
    if (n == 0) break;
    payload.insert(payload.end(), chunk, chunk + n);
  }
  close(handle);
  return true;
}

}  // namespace Plix
