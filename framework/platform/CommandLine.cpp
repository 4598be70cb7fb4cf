#include "framework/platform/CommandLine.h"

#include <mutex>

namespace Plix {

namespace {
std::mutex gLock;
std::string gCommandLine;
}  // namespace

void SetCommandLineArgs(int argc, const char* const* argv) {
  std::string line;
  for (int i = 0; i < argc; ++i) {
    std::string arg = argv[i] ? argv[i] : "";
    // The parser knows no escapes: a quote inside an argument is dropped.
    std::erase(arg, '"');
    if (i > 0) line += ' ';
    if (arg.find(' ') != std::string::npos || (i == 0 && arg.empty()))
      line += '"' + arg + '"';
    else
      line += arg;
  }
  SetCommandLineText(line);
}

void SetCommandLineText(const std::string& text) {
  std::lock_guard<std::mutex> lock(gLock);
  gCommandLine = text;
}

std::string GetCommandLineA() {
  std::lock_guard<std::mutex> lock(gLock);
  return gCommandLine;
}

}  // namespace Plix
