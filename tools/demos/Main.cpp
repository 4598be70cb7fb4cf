// Records every demo kept in demos/ anew (scripts/record-demos.sh runs it):
// "demorecord [folder] [name...]" records the named ones, or all, into the
// folder (demos/ of the source tree by default). Each run is the same every
// time; each is played back at once and must end as it was recorded.
// "demorecord --replay <demo> <start players or -> <outcome file>" is that
// playback, in a process of its own.
#include <spawn.h>
#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "tools/demos/DemoHarness.h"
#include "tools/demos/Recorder.h"

using Plix::Demos::Scenario;

int main(int argc, char** argv) {
  if (argc > 1 && argv[1] == std::string("--replay")) return Plix::Demos::ReplayMain(argc, argv);
  std::error_code ec;
  const std::string self = std::filesystem::read_symlink("/proc/self/exe", ec).string();
  const std::vector<Scenario> scenarios = {
      {"area1-day1", Scenario::kStoryDay, -1, 0, 1000},
      {"area2-day10", Scenario::kStoryDay, 9, 0, 2000},
      {"area3-day18", Scenario::kStoryDay, 17, 0, 3000},
      {"area4-day26", Scenario::kStoryDay, 25, 0, 4000},
      {"area5-day34", Scenario::kStoryDay, 33, 0, 5000},
      {"area6-day42", Scenario::kStoryDay, 41, 0, 6000},
      {"store", Scenario::kStore, 3, 0, 7000},
      {"circus", Scenario::kCircus, 8, 0, 8000},
      {"contest", Scenario::kContest, 5, 0, 12000},
      {"happyhour-easy", Scenario::kHappyHour, 0, 0, 9000},
      {"happyhour-normal", Scenario::kHappyHour, 0, 1, 10000},
      {"happyhour-hard", Scenario::kHappyHour, 0, 2, 11000},
  };
  std::string folder = Plix::Demos::DemoFolder();
  std::vector<std::string> names;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg.find('/') != std::string::npos)
      folder = arg;
    else
      names.push_back(arg);
  }
  // One process for each run, as for each playback: the game keeps some
  // state in globals that a second run in one process would start from.
  if (names.size() == 1 && std::getenv("PLIX_DEMORECORD_CHILD")) {
    for (const Scenario& s : scenarios) {
      if (s.mName != names[0]) continue;
      std::string error;
      if (Plix::Demos::RecordScenario(s, folder, self, error)) return 0;
      std::fprintf(stderr, "FAILED: %s: %s\n", s.mName.c_str(), error.c_str());
      return 1;
    }
    std::fprintf(stderr, "FAILED: no run is called %s\n", names[0].c_str());
    return 1;
  }
  setenv("PLIX_DEMORECORD_CHILD", "1", 1);
  int failed = 0;
  for (const Scenario& s : scenarios) {
    bool wanted = names.empty();
    for (const std::string& n : names) wanted = wanted || n == s.mName;
    if (!wanted) continue;
    std::string a0 = self, a1 = folder, a2 = s.mName;
    char* args[] = {a0.data(), a1.data(), a2.data(), nullptr};
    pid_t child = 0;
    int status = 0;
    if (posix_spawn(&child, self.c_str(), nullptr, nullptr, args, environ) != 0 || waitpid(child, &status, 0) < 0 ||
        !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
      std::fprintf(stderr, "FAILED: %s\n", s.mName.c_str());
      ++failed;
    }
  }
  return failed == 0 ? 0 : 1;
}
