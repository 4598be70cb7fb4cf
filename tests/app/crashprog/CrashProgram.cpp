// Crashes on purpose in the way its argument names, with the crash handler
// installed as in the game, so that the tests can read what it reports.
#include <chrono>
#include <cstdio>
#include <cstring>
#include <map>
#include <stdexcept>
#include <string>
#include <thread>

#include "framework/app/CrashHandler.h"
#include "framework/app/CrashHost.h"
#include "framework/app/PlixAppBase.h"
#include "framework/platform/Files.h"
#include "framework/platform/Threads.h"

PLIX_CRASH_HANDLER_INSTALLER;

namespace {

volatile uintptr_t gBadAddress = 16;
volatile int gZero = 0;

__attribute__((noinline)) void CrashInNamedFunction() { *reinterpret_cast<volatile int*>(gBadAddress) = 1; }

__attribute__((noinline, no_sanitize_undefined)) int DivideInNamedFunction(int value) { return value / gZero; }

__attribute__((noinline)) void ThrowInNamedFunction() { throw std::runtime_error("nobody catches this"); }

__attribute__((noinline)) int RecurseInNamedFunction(int depth) {
  if (depth < gZero) return 0;  // never: the stack runs out first
  volatile char pad[512];
  pad[depth % 512] = static_cast<char>(depth);
  return RecurseInNamedFunction(depth + 1) + pad[0];
}

// An application that shows it was told.
class TestApp : public Plix::CrashHost {
public:
  void HideForCrash() override { std::fputs("hidden for crash\n", stderr); }
  void WriteProgramInfo(std::string& text) override { text = "Program: crash test\r\n"; }
  void GetCrashAttachmentPath(std::string&) override {}
  void GetCrashReportFields(std::map<std::string, std::string>&) override {}
  void CopyToClipboard(const std::string&) override {}
  std::string GetProductName() override { return "Crash Test"; }
  std::string GetVersionString() override { return "1.0"; }
};

// The application base with a loading thread that faults.
class LoaderApp : public Plix::PlixAppBase {
public:
  LoaderApp() {
    mProductTitle = "Crash Test";
    mWindowTitle = L"Crash Test";
    mRegKeyPath = "VARNOK\\Crash Test";
    mScreenWidth = 320;
    mScreenHeight = 240;
    mWindowedMode = true;
    mStartFolder = Plix::Fs::CurrentDirectory();  // crash.txt goes here
  }
  void FinishInit() override { StartLoadingThread(); }
  void LoadOnThread() override { CrashInNamedFunction(); }
};

}  // namespace

int main(int argc, char** argv) {
  std::string mode = argc > 1 ? argv[1] : "";
  TestApp app;
  if (argc > 2 && std::strcmp(argv[2], "app") == 0) Plix::CrashHandler::SetApplication(&app);
  if (argc > 3) Plix::CrashHandler::SetUploadHost(argv[3]);
  if (mode == "segv") CrashInNamedFunction();
  if (mode == "divide") std::printf("%d\n", DivideInNamedFunction(7));
  if (mode == "throw") ThrowInNamedFunction();
  if (mode == "overflow") std::printf("%d\n", RecurseInNamedFunction(0));
  if (mode == "switch") Plix::CrashHandler::RaiseTestCrash();
  if (mode == "loader") {
    LoaderApp* loader = new LoaderApp();
    loader->Init();
    loader->Start();
    delete loader;
  }
  if (mode == "thread" || mode == "threadoverflow") {
    Plix::StartDetachedThread([mode] {
      if (mode == "thread") CrashInNamedFunction();
      std::printf("%d\n", RecurseInNamedFunction(0));
    });
    std::this_thread::sleep_for(std::chrono::seconds(30));
  }
  std::fprintf(stderr, "no crash for mode '%s'\n", mode.c_str());
  return 2;
}
