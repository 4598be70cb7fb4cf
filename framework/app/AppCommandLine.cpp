// The command line: the program path is cut off, the rest is cut into
// name=value pairs (double quotes keep spaces), and each pair is applied in
// turn. An unknown switch ends the program.
#include <cstdint>
#include <cstdlib>
#include <set>

#include "framework/app/CrashHandler.h"
#include "framework/app/PlixAppBase.h"
#include "framework/platform/CommandLine.h"
#include "framework/platform/DebugOutput.h"
#include "framework/platform/Files.h"
#include "framework/util/Utilities.h"

namespace Plix {

void PlixAppBase::ParseCommandLine() {
  const std::string line = GetCommandLineA();
  size_t from = 0;
  if (!line.empty() && line[0] == '"') {
    const size_t close = line.find('"', 1);
    if (close == std::string::npos) {
      mCommandLineDone = true;
      return;
    }
    from = close + 1;
  }
  const size_t space = line.find(' ', from);
  if (space != std::string::npos) SplitCommandLineParam(line.substr(space + 1));
  mCommandLineDone = true;
}

void PlixAppBase::SplitCommandLineParam(const std::string& params) {
  bool inQuotes = false, inValue = false;
  std::string name, value;
  for (size_t i = 0; i < params.size(); ++i) {
    const char c = params[i];
    bool ends = false;
    if (c == '"') {
      inQuotes = !inQuotes;
      ends = !inQuotes;
    } else if (c == ' ' && !inQuotes) {
      ends = true;
    } else if (c == '=') {
      inValue = true;
    } else {
      (inValue ? value : name) += c;
    }
    // An empty name applies nothing and keeps collecting its value.
    if ((ends || i + 1 == params.size()) && !name.empty()) {
      ApplyCommandLineSwitch(name, value);
      name.clear();
      value.clear();
      inValue = false;
    }
  }
}

void PlixAppBase::ApplyCommandLineSwitch(const std::string& name, const std::string& value) {
  if (name == "-play") {
    mDemoPlaying = true;
    mDemoRecording = false;
  } else if (name == "-recnum") {
    int limit = std::atoi(value.c_str());
    if (limit <= 0) limit = 5;
    // In 64 bits: a file numbered at the top of the range has no int after it.
    const int64_t last = FindLastDemoNumber(mDemoNameStem, limit, true);
    mDemoFilePath = MakeDemoPathAbsolute(mDemoNameStem + std::to_string(last + 1) + ".dmo");
    mDemoRecording = true;
    mDemoPlaying = false;
  } else if (name == "-playnum") {
    const int back = std::max(std::atoi(value.c_str()), 1) - 1;
    const int64_t last = FindLastDemoNumber(mDemoNameStem, back, false);
    // Where numbered recordings go: the application-data folder.
    mDemoFilePath = GetAppDataFolder() + mDemoNameStem + std::to_string(last - back) + ".dmo";
    mDemoPlaying = true;
    mDemoRecording = false;
  } else if (name == "-record") {
    mDemoRecording = true;
    mDemoPlaying = false;
  } else if (name == "-demofile") {
    mDemoFilePath = MakeDemoPathAbsolute(value);
  } else if (name == "-crash") {
    CrashHandler::RaiseTestCrash();
  } else if (name == "-debug") {
    SetDebugOutputToStderr(true);
  } else if (name == "-screensaver") {
    mScreenSaverMode = true;
  } else if (name == "-changedir") {
    mStartFolder = value;
  } else {
    ShowFatalErrorW(GetStringProperty("INVALID_COMMANDLINE_PARAM", L"Invalid command line parameter: ") +
                    StringToWString(name));
    Exit(1);
  }
}

int PlixAppBase::FindLastDemoNumber(const std::string& prefix, int limit, bool deleteOldest) {
  // The folder "-recnum" records into, whatever the working directory.
  const std::string folder = GetAppDataFolder();
  std::set<int> numbers;
  for (const Fs::DirEntry& entry : Fs::FindFiles(folder + prefix + "*.dmo")) {
    // The name must begin with the prefix as written; the number follows
    // as scanf's %d reads it, and what comes after it is not looked at.
    if (entry.name.compare(0, prefix.size(), prefix) != 0) continue;
    const char* digits = entry.name.c_str() + prefix.size();
    char* end = nullptr;
    const long number = std::strtol(digits, &end, 10);
    if (end != digits) numbers.insert(static_cast<int>(number));
  }
  if (static_cast<int>(numbers.size()) > limit - 1 && deleteOldest && !numbers.empty())
    Fs::DeleteFile(folder + prefix + std::to_string(*numbers.begin()) + ".dmo");
  return numbers.empty() ? 0 : *numbers.rbegin();
}

}  // namespace Plix
