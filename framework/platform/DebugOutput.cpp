#include "framework/platform/DebugOutput.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>

namespace Plix {

namespace {
std::mutex gSinkMutex;
std::function<void(const std::string&)> gSink;
std::function<void(const std::string&)> gPlayerSink;
// Debug text reaches standard error only when asked for: the -debug switch
// or PLIX_DEBUG set to anything but 0.
bool gDebugToStderr = [] {
  const char* value = std::getenv("PLIX_DEBUG");
  return value && *value && std::strcmp(value, "0") != 0;
}();
}  // namespace

void SetDebugOutputToStderr(bool on) {
  std::lock_guard<std::mutex> lock(gSinkMutex);
  gDebugToStderr = on;
}

void TellPlayer(const std::string& line) {
  std::lock_guard<std::mutex> lock(gSinkMutex);
  if (gPlayerSink) {
    gPlayerSink(line);
  } else if (gSink) {
    gSink(line + "\n");  // a test capturing the debug text sees it there
  } else {
    std::fprintf(stderr, "%s\n", line.c_str());
    std::fflush(stderr);
  }
}

void SetPlayerOutputSink(std::function<void(const std::string&)> sink) {
  std::lock_guard<std::mutex> lock(gSinkMutex);
  gPlayerSink = std::move(sink);
}

void OutputDebugStringA(const char* text) {
  if (!text) return;
  std::lock_guard<std::mutex> lock(gSinkMutex);
  if (gSink) {
    gSink(text);
  } else if (gDebugToStderr) {
    std::fputs(text, stderr);
    std::fflush(stderr);
  }
}

void SetDebugOutputSink(std::function<void(const std::string&)> sink) {
  std::lock_guard<std::mutex> lock(gSinkMutex);
  gSink = std::move(sink);
}

}  // namespace Plix
