#include "framework/platform/Threads.h"

#include <sys/syscall.h>
#include <unistd.h>

#include <system_error>

namespace Plix {

bool StartDetachedThread(std::function<void()> body) {
  try {
    std::thread(std::move(body)).detach();
    return true;
  } catch (const std::system_error&) {
    return false;
  }
}

unsigned long CurrentThreadId() { return static_cast<unsigned long>(syscall(SYS_gettid)); }

}  // namespace Plix
