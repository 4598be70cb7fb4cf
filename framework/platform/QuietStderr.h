#pragma once
// Shuts standard error for a scope: the system libraries under SDL (ALSA,
// Wayland) print their own errors while a device is only being tried; the
// caller reports the outcome in one line of its own.
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>

namespace Plix {

class QuietStderr {
public:
  QuietStderr() {
    std::fflush(stderr);
    mSaved = dup(STDERR_FILENO);
    const int null = open("/dev/null", O_WRONLY | O_CLOEXEC);
    if (mSaved >= 0 && null >= 0) dup2(null, STDERR_FILENO);
    if (null >= 0) close(null);
  }
  ~QuietStderr() {
    std::fflush(stderr);
    if (mSaved >= 0) {
      dup2(mSaved, STDERR_FILENO);
      close(mSaved);
    }
  }
  QuietStderr(const QuietStderr&) = delete;
  QuietStderr& operator=(const QuietStderr&) = delete;

private:
  int mSaved = -1;
};

}  // namespace Plix
