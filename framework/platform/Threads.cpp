#include "framework/platform/Threads.h"

#include <sys/syscall.h>
#include <unistd.h>

#include <system_error>

#include "framework/platform/CrashSignals.h"

namespace Plix {

bool StartDetachedThread(std::function<void()> body) {
  try {
    // Its own signal stack, so that the crash handler reports a stack
    // overflow on this thread too.
    std::thread([body = std::move(body)] {
      ScopedAltSignalStack signalStack;
      body();
    }).detach();
    return true;
  } catch (const std::system_error&) {
    return false;
  }
}

unsigned long CurrentThreadId() { return static_cast<unsigned long>(syscall(SYS_gettid)); }

}  // namespace Plix
