// The command line and the numbered demos it looks for. The input is the
// names of the files in the data folder (one a line) and, after a zero
// byte, the command line. Whatever both hold, parsing ends in a switch
// applied or a clean refusal, a numbered demo's path stays in the data
// folder, and each "-recnum" removes at most the oldest numbered demo,
// never any other file.
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <string>

#include "framework/app/PlixAppBase.h"
#include "framework/platform/CommandLine.h"
#include "framework/platform/DebugOutput.h"
#include "framework/platform/FakeWindowBackend.h"
#include "framework/platform/WindowSystem.h"
#include "framework/util/Utilities.h"

namespace {

struct Ended {
  int code;
};

struct Folder {
  std::string path;
  Folder() {
    char pattern[] = "/tmp/plix_command_line_fuzz_XXXXXX";
    const char* root = mkdtemp(pattern);
    if (!root) std::abort();
    path = std::string(root) + "/";
    Plix::SetPlayerOutputSink([](const std::string&) {});
    Plix::SetDebugOutputSink([](const std::string&) {});
    Plix::SetExitHandler([](int code) { throw Ended{code}; });
  }
  ~Folder() { std::filesystem::remove_all(path); }
  std::set<std::string> Names() const {
    std::set<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(path)) names.insert(e.path().filename().string());
    return names;
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static Folder folder;
  const std::string input(reinterpret_cast<const char*>(data), size);
  const size_t split = input.find('\0');
  const std::string names = input.substr(0, split), line = split == std::string::npos ? "" : input.substr(split + 1);
  // "-crash" crashes on purpose.
  if (line.find("-crash") != std::string::npos) return 0;

  for (const auto& e : std::filesystem::directory_iterator(folder.path)) std::filesystem::remove_all(e.path());
  size_t from = 0;
  for (int count = 0; from < names.size() && count < 64; ++count) {
    size_t end = std::min(names.find('\n', from), names.size());
    std::string name = names.substr(from, std::min<size_t>(end - from, 100));
    from = end + 1;
    name.erase(std::remove(name.begin(), name.end(), '/'), name.end());
    if (name.empty() || name == "." || name == "..") continue;
    if (FILE* f = std::fopen((folder.path + name).c_str(), "wb")) std::fclose(f);
  }
  const std::set<std::string> before = folder.Names();

  Plix::FakeWindowBackend windows;
  Plix::ScopedWindowBackend scopedWindows(windows);
  Plix::SetAppDataFolder(folder.path);
  Plix::SetCommandLineText(line);
  Plix::PlixAppBase app;
  const std::string defaultPath = app.mDemoFilePath;
  bool refused = false;
  try {
    app.ParseCommandLine();
  } catch (const Ended& e) {
    if (e.code != 1) std::abort();  // only a refused switch ends the program
    refused = true;
  }

  const std::set<std::string> after = folder.Names();
  if (!std::includes(before.begin(), before.end(), after.begin(), after.end())) std::abort();
  // One at most for each "-recnum" applied.
  size_t recnums = 0;
  for (size_t at = line.find("-recnum"); at != std::string::npos; at = line.find("-recnum", at + 1)) ++recnums;
  if (before.size() - after.size() > recnums) std::abort();
  for (const std::string& gone : before) {
    if (after.count(gone)) continue;
    // Only a numbered recording goes (names match without regard to case,
    // as the file layer finds them).
    const std::string lower = Plix::StringToLower(gone);
    if (lower.rfind(Plix::StringToLower(app.mDemoNameStem), 0) != 0 || lower.size() < 4 ||
        lower.substr(lower.size() - 4) != ".dmo" || line.find("-recnum") == std::string::npos)
      std::abort();
  }
  // A numbered demo is always one of the data folder's.
  if (!refused && app.mDemoFilePath != defaultPath && line.find("-demofile") == std::string::npos &&
      app.mDemoFilePath.rfind(folder.path, 0) != 0)
    std::abort();
  return 0;
}
