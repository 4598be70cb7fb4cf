#include "framework/platform/DebugOutput.h"

#include <cstdio>
#include <mutex>

namespace Plix {

namespace {
std::mutex gSinkMutex;
std::function<void(const std::string&)> gSink;
std::function<void(const std::string&)> gPlayerSink;
}  // namespace

void TellPlayer(const std::string& line) {
  std::lock_guard<std::mutex> lock(gSinkMutex);
  if (gPlayerSink) {
    gPlayerSink(line);
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
  } else {
    std::fputs(text, stderr);
    std::fflush(stderr);
  }
}

void SetDebugOutputSink(std::function<void(const std::string&)> sink) {
  std::lock_guard<std::mutex> lock(gSinkMutex);
  gSink = std::move(sink);
}

}  // namespace Plix
