#include "framework/app/CrashHandler.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <thread>

#include "framework/app/Buffer.h"
#include "framework/app/CrashHost.h"
#include "framework/app/CrashReport.h"
#include "framework/app/DemoHost.h"
#include "framework/app/HTTPTransfer.h"
#include "framework/platform/ReportWindow.h"
#include "framework/util/Utilities.h"
#include "tests/app/FakeDemoHost.h"
#include "tests/app/LoopbackServer.h"
#include "tests/support/TestSupport.h"

extern char** environ;

namespace Plix {
namespace {

using Testing::LoopbackServer;
using FakeDemo = Testing::FakeDemoHost;
using Testing::ReadFile;
using Testing::TempDir;

std::string FirstLine(const std::string& text) { return text.substr(0, text.find("\r\n")); }

bool StartsWith(const std::string& s, const std::string& prefix) { return s.rfind(prefix, 0) == 0; }

// ---------------------------------------------------------------------------
// The real thing: a program that crashes, its report and its helper.

struct ProgramRun {
  int status = 0;
  std::string crashFile;
  std::string errors;
};

// Runs a program in a fresh folder (which also holds its settings and
// data), without a display, so that the report helper writes to standard
// error instead of opening windows.
ProgramRun RunProgram(const std::vector<std::string>& args) {
  TempDir dir;
  std::string errorsPath = dir / "stderr.txt";
  std::vector<std::string> env;
  for (char** e = environ; *e != nullptr; ++e) {
    if (StartsWith(*e, "DISPLAY=") || StartsWith(*e, "WAYLAND_DISPLAY=") || StartsWith(*e, "SDL_VIDEODRIVER=") ||
        StartsWith(*e, "XDG_CONFIG_HOME=") || StartsWith(*e, "XDG_DATA_HOME=")) {
      continue;
    }
    env.push_back(*e);
  }
  env.push_back("SDL_VIDEODRIVER=dummy");
  env.push_back("SDL_AUDIODRIVER=dummy");
  env.push_back("XDG_CONFIG_HOME=" + dir.Path());
  env.push_back("XDG_DATA_HOME=" + dir.Path());
  std::vector<char*> envp;
  for (std::string& e : env) envp.push_back(e.data());
  envp.push_back(nullptr);
  std::vector<std::string> argStrings = args;
  std::vector<char*> argv;
  for (std::string& a : argStrings) argv.push_back(a.data());
  argv.push_back(nullptr);

  pid_t pid = fork();
  if (pid == 0) {
    if (chdir(dir.Path().c_str()) != 0) _exit(100);
    FILE* errors = std::fopen(errorsPath.c_str(), "w");
    if (errors == nullptr) _exit(101);
    dup2(fileno(errors), 2);
    execve(argv[0], argv.data(), envp.data());
    _exit(102);
  }
  ProgramRun run;
  waitpid(pid, &run.status, 0);
  run.crashFile = ReadFile(dir / "crash.txt");
  run.errors = ReadFile(errorsPath);
  return run;
}

ProgramRun RunCrashProgram(const std::string& mode, bool withApplication) {
  return RunProgram({PLIX_CRASH_PROGRAM, mode, withApplication ? "app" : "none"});
}

struct CrashCase {
  const char* mode;
  const char* firstLine;
  const char* function;  // the crashing function, named in the stack listing
  int signal;            // the process ends as the fault would have ended it
};

class CrashProgramTest : public testing::TestWithParam<CrashCase> {};

TEST_P(CrashProgramTest, WritesTheReportAndEnds) {
  const CrashCase& c = GetParam();
  ProgramRun run = RunCrashProgram(c.mode, false);
  ASSERT_TRUE(WIFSIGNALED(run.status)) << run.errors;
  EXPECT_EQ(WTERMSIG(run.status), c.signal);
  EXPECT_TRUE(StartsWith(run.crashFile, c.firstLine)) << run.crashFile;
  EXPECT_NE(run.crashFile.find(c.function), std::string::npos) << run.crashFile;
  EXPECT_NE(run.crashFile.find("\r\nModule: app_crashprog\r\nLogical Address: "), std::string::npos);
  EXPECT_EQ(run.crashFile.substr(run.crashFile.size() - 1), "\n");
  // Without an application: no program information and no upload offered.
  EXPECT_EQ(run.crashFile.find("SDL Ver:"), std::string::npos);
  // The helper had no display: the report went to standard error.
  EXPECT_NE(run.errors.find("Fatal Error!\nAn unexpected error has occured!\n\n" + FirstLine(run.crashFile)),
            std::string::npos)
      << run.errors;
}

INSTANTIATE_TEST_SUITE_P(
    CrashHandler, CrashProgramTest,
    testing::Values(CrashCase{"segv", "Exception: Access Violation (code 0xc0000005) at address ",
                              "CrashInNamedFunction()", SIGSEGV},
                    CrashCase{"thread", "Exception: Access Violation (code 0xc0000005) at address ",
                              "CrashInNamedFunction()", SIGSEGV},
                    CrashCase{"switch", "Exception: Access Violation (code 0xc0000005) at address ",
                              "Plix::RaiseAccessViolation()", SIGSEGV},
                    CrashCase{"divide", "Exception: Integer Divide by Zero (code 0xc0000094) at address ",
                              "DivideInNamedFunction(int)", SIGFPE},
                    CrashCase{"overflow", "Exception: Stack Overflow (code 0xc00000fd) at address ",
                              "RecurseInNamedFunction(int)", SIGSEGV},
                    CrashCase{"threadoverflow", "Exception: Stack Overflow (code 0xc00000fd) at address ",
                              "RecurseInNamedFunction(int)", SIGSEGV},
                    // What the original platform raises for a C++ exception: not in the
                    // table of names.
                    CrashCase{"throw", "Unknown exception: (code 0xe06d7363) at address ", "ThrowInNamedFunction()",
                              SIGABRT}),
    [](const testing::TestParamInfo<CrashCase>& info) { return info.param.mode; });

TEST(CrashHandler, ACrashInTheLoadingThreadIsReported) {
  ProgramRun run = RunCrashProgram("loader", false);
  ASSERT_TRUE(WIFSIGNALED(run.status)) << run.errors;
  EXPECT_EQ(WTERMSIG(run.status), SIGSEGV);
  EXPECT_TRUE(StartsWith(run.crashFile, "Exception: Access Violation (code 0xc0000005) at address ")) << run.crashFile;
  size_t crashing = run.crashFile.find("CrashInNamedFunction()");
  EXPECT_NE(crashing, std::string::npos) << run.crashFile;
  EXPECT_LT(crashing, run.crashFile.find("LoaderApp::LoadOnThread()"));
  // The application base registered itself: its information is there.
  EXPECT_NE(run.crashFile.find("\r\nProduct: Crash Test\r\n"), std::string::npos) << run.crashFile;
}

#ifdef PLIX_ZOVAD_PROGRAM
TEST(CrashHandler, TheGamesCrashSwitch) {
  ProgramRun run = RunProgram({PLIX_ZOVAD_PROGRAM, "-crash"});
  ASSERT_TRUE(WIFSIGNALED(run.status)) << run.errors;
  EXPECT_EQ(WTERMSIG(run.status), SIGSEGV);
  EXPECT_TRUE(StartsWith(run.crashFile, "Exception: Access Violation (code 0xc0000005) at address ")) << run.crashFile;
  size_t crashing = run.crashFile.find("Plix::RaiseAccessViolation()+");
  EXPECT_NE(crashing, std::string::npos) << run.crashFile;
  EXPECT_LT(crashing, run.crashFile.find("Plix::PlixAppBase::ApplyCommandLineSwitch("));
  EXPECT_NE(run.crashFile.find("\r\nProduct: Zovad Uda Vodiz\r\n"), std::string::npos) << run.crashFile;
  EXPECT_NE(run.errors.find("Fatal Error!\n"), std::string::npos) << run.errors;
}
#endif

TEST(CrashHandler, TheApplicationHidesAndAddsItsInformation) {
  ProgramRun run = RunCrashProgram("segv", true);
  EXPECT_TRUE(StartsWith(run.errors, "hidden for crash\n")) << run.errors;
  EXPECT_NE(run.crashFile.find("\r\nSDL Ver: "), std::string::npos);
  EXPECT_NE(run.crashFile.find("\r\n\r\nProgram: crash test\r\n\n"), std::string::npos) << run.crashFile;
}

// ---------------------------------------------------------------------------
// The report, built in this process from a stack captured here.

class FakeApp : public CrashHost {
public:
  int mHidden = 0;
  std::string mProgramInfo;
  std::string mAttachment;
  std::string mClipboard;
  std::map<std::string, std::string> mFields;

  void HideForCrash() override { ++mHidden; }
  void WriteProgramInfo(std::string& text) override { text = mProgramInfo; }
  void GetCrashAttachmentPath(std::string& path) override { path = mAttachment; }
  void GetCrashReportFields(std::map<std::string, std::string>& fields) override { fields = mFields; }
  void CopyToClipboard(const std::string& text) override { mClipboard = text; }
  std::string GetProductName() override { return "Zovad Uda Vodiz"; }
  std::string GetVersionString() override { return "1.03"; }
};

class ScopedApplication {
public:
  ScopedApplication(CrashHost* app, DemoHost* demo) {
    CrashHandler::SetApplication(app);
    SetDemoHost(demo);
  }
  ~ScopedApplication() {
    CrashHandler::SetApplication(nullptr);
    SetDemoHost(nullptr);
  }
};

__attribute__((noinline)) CrashContext CaptureInNamedFunction(uint32_t code) {
  CrashContext c;
  c.code = code;
  c.frames = CaptureStack(c.walkError);
  c.address = c.frames.empty() ? 0 : c.frames.front().pc;
  c.registers = "RIP:0000000000000001\r\n";
  return c;
}

TEST(CrashHandler, ExceptionNames) {
  struct Case {
    uint32_t code;
    const char* name;
  };
  const Case cases[] = {{0xC0000005, "Access Violation"}, {0x00000000, "Wait 0"}, {0xC00000FD, "Stack Overflow"},
                        {0xC000013A, "Ctrl+C Exit"},      {0xE06D7363, nullptr},  {0x12345678, nullptr}};
  for (const Case& c : cases) {
    const char* name = CrashHandler::GetExceptionName(c.code);
    if (c.name == nullptr) {
      EXPECT_EQ(name, nullptr) << std::hex << c.code;
    } else {
      EXPECT_STREQ(name, c.name);
    }
  }
}

TEST(CrashHandler, ReportWithoutApplication) {
  TempDir dir;
  Testing::ScopedCwd cwd(dir.Path());
  CrashContext c = CaptureInNamedFunction(0x12345678);
  std::string report = CrashHandler::PrepareReport(c);
  EXPECT_TRUE(StartsWith(report, "Unknown exception: (code 0x12345678) at address ")) << report;
  EXPECT_NE(report.find("\r\nModule: app_tests\r\nLogical Address: "), std::string::npos);
  // The capturing function is the first frame of the listing.
  size_t listing = report.find("\r\n\r\n") + 4;
  EXPECT_NE(report.find("CaptureInNamedFunction(unsigned int)+", listing), std::string::npos) << report;
  EXPECT_LT(report.find("CaptureInNamedFunction"), report.find("ReportWithoutApplication"));
  EXPECT_NE(report.find("\r\n\r\nRIP:0000000000000001\r\n\r\nSystem Ver: "), std::string::npos) << report;
  EXPECT_EQ(report.find("SDL Ver"), std::string::npos);
  EXPECT_TRUE(StartsWith(CrashHandler::GetErrorTitle(), "Exception at ")) << CrashHandler::GetErrorTitle();
  EXPECT_EQ(ReadFile(dir / "crash.txt"), report + "\n");
  EXPECT_FALSE(CrashHandler::HasAttachment());
}

TEST(CrashHandler, WithoutUnwoundFramesTheFramePointerChainIsListed) {
  TempDir dir;
  Testing::ScopedCwd cwd(dir.Path());
  // A fake chain of two frames on this stack: {next frame, return address}.
  uintptr_t frames[4];
  frames[2] = 0;
  frames[3] = 0;
  frames[0] = reinterpret_cast<uintptr_t>(&frames[2]);
  frames[1] = reinterpret_cast<uintptr_t>(&CaptureInNamedFunction) + 4;
  CrashContext c;
  c.code = 0xC0000005;
  c.pc = reinterpret_cast<uintptr_t>(&CaptureInNamedFunction) + 1;
  c.address = c.pc;
  c.fp = reinterpret_cast<uintptr_t>(&frames[0]);
  ASSERT_TRUE(GetThreadStackBounds(c.stackLow, c.stackHigh));
  std::string report = CrashHandler::PrepareReport(c);
  std::string pc =
      StrFormat("%08llX  %08llX  ", static_cast<unsigned long long>(c.pc), static_cast<unsigned long long>(c.fp));
  EXPECT_NE(report.find("\r\n\r\n" + pc), std::string::npos) << report;
  std::string next = StrFormat("%08llX  %08llX  ", static_cast<unsigned long long>(frames[1]),
                               static_cast<unsigned long long>(frames[0]));
  EXPECT_NE(report.find(next), std::string::npos) << report;
}

TEST(CrashHandler, ReportGoesToTheApplicationAndEndsTheDemo) {
  TempDir dir;
  Testing::ScopedCwd cwd(dir.Path());
  FakeApp app;
  app.mProgramInfo = "Level: 3\r\n";
  FakeDemo demo;
  demo.mRecording = true;
  demo.mPrefixDelta = 7;
  ScopedApplication scope(&app, &demo);

  std::string report = CrashHandler::PrepareReport(CaptureInNamedFunction(0xC0000005));
  EXPECT_TRUE(StartsWith(report, "Exception: Access Violation (code 0xc0000005) at address "));
  EXPECT_NE(report.find("\r\nSDL Ver: "), std::string::npos);
  EXPECT_EQ(report.substr(report.size() - 14), "\r\n\r\nLevel: 3\r\n");
  EXPECT_EQ(app.mClipboard, report);
  EXPECT_EQ(ReadFile(dir / "crash.txt"), report + "\n");
  // The end mark: time prefix, long form, type 31; then the file is saved.
  Buffer expected;
  expected.WriteBits(7, 4);
  expected.WriteBits(0, 1);
  expected.WriteBits(31, 5);
  ASSERT_EQ(demo.mBuffer.GetDataLen(), expected.GetDataLen());
  EXPECT_EQ(0, memcmp(demo.mBuffer.GetDataPtr(), expected.GetDataPtr(), expected.GetDataLen()));
  EXPECT_EQ(demo.mFilesWritten, 1);
  EXPECT_TRUE(CrashHandler::HasAttachment());
  EXPECT_EQ(CrashHandler::GetAttachmentPath(), "/tmp/plixapp1.dmo");
  EXPECT_FALSE(demo.mRecording);  // nothing more is recorded
  EXPECT_EQ(app.mHidden, 0);      // hiding is the filter's first step, not the report's
}

TEST(CrashHandler, TheApplicationsAttachmentReplacesTheDemo) {
  TempDir dir;
  Testing::ScopedCwd cwd(dir.Path());
  FakeApp app;
  app.mAttachment = "save.dat";
  FakeDemo demo;
  demo.mPlaying = true;
  ScopedApplication scope(&app, &demo);
  CrashHandler::PrepareReport(CaptureInNamedFunction(0xC0000005));
  EXPECT_EQ(demo.mBuffer.GetDataLen(), 0);  // playing, not recording: no end mark
  EXPECT_EQ(demo.mFilesWritten, 0);
  EXPECT_TRUE(CrashHandler::HasAttachment());
  EXPECT_EQ(CrashHandler::GetAttachmentPath(), "save.dat");
  EXPECT_FALSE(demo.mPlaying);
}

// ---------------------------------------------------------------------------
// The report windows, with a scripted window system.

class FakeWindows;

class FakeWindow : public ReportWindow {
public:
  using Handler = std::function<bool(const ReportEvent&)>;
  FakeWindow(FakeWindows& owner, const ReportWindowDesc& desc) : mOwner(owner), mDesc(desc) {
    for (const ReportControl& c : desc.controls) mTexts[c.id] = c.text;
  }
  void Run(const Handler& handler) override;
  void SetText(int id, const std::wstring& text) override {
    mTexts[id] = text;
    mTextHistory.push_back(text);
  }
  std::wstring GetText(int id) const override { return mTexts.at(id); }
  void Hide() override { mHidden = true; }

  const ReportControl* Find(const std::wstring& text) const {
    for (const ReportControl& c : mDesc.controls) {
      if (c.text == text) return &c;
    }
    return nullptr;
  }
  // Presses a button by its label, as the real window would: disabled
  // buttons give no event.
  bool Press(const Handler& handler, const std::wstring& label) const {
    const ReportControl* c = Find(label);
    if (c == nullptr || !c->enabled) return true;
    return handler(ReportEvent{ReportEvent::Kind::Command, c->id});
  }
  // Fires the poll timer until the window closes (10 s at most).
  static void PollUntilClosed(const Handler& handler) {
    auto until = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (handler(ReportEvent{ReportEvent::Kind::Timer, 0})) {
      ASSERT_LT(std::chrono::steady_clock::now(), until) << "the window never closed";
      std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
  }

  FakeWindows& mOwner;
  ReportWindowDesc mDesc;
  std::map<int, std::wstring> mTexts;
  std::vector<std::wstring> mTextHistory;
  bool mHidden = false;
};

// What the flow holds: the windows themselves stay with the system, so that
// tests can look at them after the flow has closed them.
class WindowHandle : public ReportWindow {
public:
  explicit WindowHandle(FakeWindow& window) : mWindow(window) {}
  void Run(const FakeWindow::Handler& handler) override { mWindow.Run(handler); }
  void SetText(int id, const std::wstring& text) override { mWindow.SetText(id, text); }
  std::wstring GetText(int id) const override { return mWindow.GetText(id); }
  void Hide() override { mWindow.Hide(); }

private:
  FakeWindow& mWindow;
};

class FakeWindows : public ReportWindowSystem {
public:
  using Script = std::function<void(FakeWindow&, const FakeWindow::Handler&)>;
  std::map<std::string, Script> mScripts;  // by window title
  std::vector<std::unique_ptr<FakeWindow>> mWindows;
  std::vector<std::string> mBoxes;
  std::vector<int> mBoxAnswers;  // in order; Cancel when they run out
  std::string mClipboard;

  std::unique_ptr<ReportWindow> CreateReportWindow(const ReportWindowDesc& desc) override {
    mWindows.push_back(std::make_unique<FakeWindow>(*this, desc));
    return std::make_unique<WindowHandle>(*mWindows.back());
  }
  int ShowMessageBox(const std::string& caption, const std::wstring& text,
                     const std::vector<std::string>& buttons) override {
    mBoxes.push_back(caption + "|" + WStringToString(text) + "|" + buttons.at(0) + "," + buttons.at(1));
    size_t n = mBoxes.size() - 1;
    return n < mBoxAnswers.size() ? mBoxAnswers[n] : 1;
  }
  void CopyToClipboard(const std::string& text) override { mClipboard = text; }
  std::vector<std::string> Titles() const {
    std::vector<std::string> titles;
    for (const auto& w : mWindows) titles.push_back(w->mDesc.title);
    return titles;
  }
};

void FakeWindow::Run(const Handler& handler) {
  auto script = mOwner.mScripts.find(mDesc.title);
  if (script == mOwner.mScripts.end()) {
    handler(ReportEvent{ReportEvent::Kind::Close, 0});
    return;
  }
  script->second(*this, handler);
}

CrashReport SampleReport(const std::string& host) {
  CrashReport r;
  r.title = "Exception at 000F:000003B2";
  r.text = "Exception: Access Violation (code 0xc0000005) at address 1234 in thread 1\r\n";
  r.uploadHost = host;
  r.productName = "Zovad Uda Vodiz";
  r.versionString = "1.03";
  r.hasApplication = true;
  return r;
}

TEST(CrashReportWindows, WithoutAnUploadHostOnlyCloseNowIsOffered) {
  FakeWindows windows;
  windows.mScripts["Fatal Error!"] = [](FakeWindow& w, const FakeWindow::Handler& h) {
    EXPECT_EQ(w.Find(L"Send Report"), nullptr);
    const ReportControl* close = w.Find(L"Close Now");
    ASSERT_NE(close, nullptr);
    EXPECT_EQ(close->x, 8);
    EXPECT_EQ(close->y, 268);
    EXPECT_EQ(close->width, 384);
    EXPECT_EQ(close->height, 24);
    EXPECT_FALSE(w.Press(h, L"Close Now"));
  };
  CrashReport report = SampleReport("");
  report.copyToClipboard = true;
  HTTPTransfer transfer;
  ShowCrashReport(report, &windows, transfer);
  EXPECT_EQ(windows.Titles(), std::vector<std::string>{"Fatal Error!"});
  const FakeWindow& w = *windows.mWindows[0];
  EXPECT_EQ(w.mDesc.width, 400);
  EXPECT_EQ(w.mDesc.height, 300);
  EXPECT_EQ(w.mTexts.at(1), L"An unexpected error has occured!");
  EXPECT_EQ(WStringToString(w.mTexts.at(2)), report.text);
  EXPECT_EQ(windows.mClipboard, report.text);
}

TEST(CrashReportWindows, SendReportIsDisabledWithoutAnApplication) {
  FakeWindows windows;
  windows.mScripts["Fatal Error!"] = [](FakeWindow& w, const FakeWindow::Handler& h) {
    const ReportControl* send = w.Find(L"Send Report");
    const ReportControl* close = w.Find(L"Close Now");
    ASSERT_NE(send, nullptr);
    ASSERT_NE(close, nullptr);
    EXPECT_EQ(std::make_tuple(send->x, send->width, send->enabled), std::make_tuple(8, 188, false));
    EXPECT_EQ(std::make_tuple(close->x, close->width), std::make_tuple(204, 188));
    // A press of the disabled button changes nothing.
    EXPECT_TRUE(h(ReportEvent{ReportEvent::Kind::Command, send->id}));
    EXPECT_FALSE(h(ReportEvent{ReportEvent::Kind::Close, 0}));
  };
  CrashReport report = SampleReport("127.0.0.1:9");
  report.hasApplication = false;
  HTTPTransfer transfer;
  ShowCrashReport(report, &windows, transfer);
  EXPECT_EQ(windows.Titles(), std::vector<std::string>{"Fatal Error!"});
  EXPECT_TRUE(windows.mClipboard.empty());
}

// Presses "Send Report", types the user's text and presses "Continue".
void ScriptUpToTheUpload(FakeWindows& windows, const std::wstring& userText) {
  windows.mScripts["Fatal Error!"] = [](FakeWindow& w, const FakeWindow::Handler& h) {
    EXPECT_FALSE(w.Press(h, L"Send Report"));
  };
  windows.mScripts["Error Details"] = [userText](FakeWindow& w, const FakeWindow::Handler& h) {
    EXPECT_EQ(w.mTexts.at(1), L"Please help out by providing as much information as you can about this crash.");
    const ReportControl* field = w.Find(L"");
    ASSERT_NE(field, nullptr);
    EXPECT_EQ(field->kind, ReportControl::Kind::EditBox);
    EXPECT_TRUE(field->focused);
    w.mTexts[field->id] = userText;
    EXPECT_FALSE(w.Press(h, L"Continue"));
  };
  windows.mScripts["Submitting Report"] = [](FakeWindow&, const FakeWindow::Handler& h) {
    FakeWindow::PollUntilClosed(h);
  };
}

TEST(CrashReportWindows, SendReportPostsTheFormToTheUploadHost) {
  TempDir dir;
  Testing::WriteFile(dir / "run.dmo", std::string("DEMO\0\x01\xFF", 7));
  LoopbackServer server("HTTP/1.1 200 OK\r\nContent-Length: 2\r\n\r\nOK", true);
  CrashReport report = SampleReport(server.Address());
  report.fields = {{"zeta", "last"}, {"alpha", "first"}};
  report.attachFile = true;
  report.attachmentPath = dir / "run.dmo";
  FakeWindows windows;
  ScriptUpToTheUpload(windows, L"It crashed when I clicked the monkey.");
  HTTPTransfer transfer;
  ShowCrashReport(report, &windows, transfer);

  EXPECT_EQ(windows.Titles(), (std::vector<std::string>{"Fatal Error!", "Error Details", "Submitting Report"}));
  EXPECT_TRUE(windows.mWindows[0]->mHidden);
  EXPECT_TRUE(windows.mBoxes.empty());
  ASSERT_EQ(server.Requests().size(), 1u);
  const std::string b = "---------------------------7d3e1f30eec";
  auto field = [&b](const std::string& name, const std::string& value) {
    return "--" + b + "\r\nContent-Disposition: form-data; name=\"" + name + "\"\r\n\r\n" + value + "\r\n";
  };
  std::string body = field("alpha", "first") + field("zeta", "last") + field("prod", "Zovad Uda Vodiz") +
                     field("version", "1.03") + field("usertext", "It crashed when I clicked the monkey.") +
                     field("errortitle", report.title) + field("errortext", report.text) + "--" + b +
                     "\r\nContent-Disposition: form-data; name=\"demofile\"; filename=\"vantro.dmo\"\r\n"
                     "Content-Type: application/octet-stream\r\n\r\n" +
                     std::string("DEMO\0\x01\xFF", 7) + "\r\n--" + b + "--\r\n";
  std::string expected = "POST /zudido_error.php HTTP/1.1\r\nContent-Type: multipart/form-data; boundary=" + b +
                         "\r\nUser-Agent: Mozilla/4.0 (compatible; vantro)\r\nHost: " + server.Address() +
                         "\r\nContent-Length: " + std::to_string(body.size()) + "\r\nConnection: close\r\n\r\n" + body;
  EXPECT_EQ(server.Requests()[0], expected);
}

TEST(CrashReportWindows, ConnectionFailedOffersRetry) {
  CrashReport report = SampleReport("127.0.0.1:" + std::to_string(LoopbackServer::UnusedPort()));
  FakeWindows windows;
  ScriptUpToTheUpload(windows, L"");
  windows.mBoxAnswers = {0, 1};  // Retry, then Cancel
  HTTPTransfer transfer;
  ShowCrashReport(report, &windows, transfer);
  std::string box = "Connection Failed|Failed to connect to server.|Retry,Cancel";
  EXPECT_EQ(windows.mBoxes, (std::vector<std::string>{box, box}));
}

TEST(CrashReportWindows, AbortEndsTheUploadQuietly) {
  LoopbackServer server("", true);  // never answers
  CrashReport report = SampleReport(server.Address());
  FakeWindows windows;
  ScriptUpToTheUpload(windows, L"x");
  windows.mScripts["Submitting Report"] = [&server](FakeWindow& w, const FakeWindow::Handler& h) {
    while (server.Requests().empty()) EXPECT_TRUE(h(ReportEvent{ReportEvent::Kind::Timer, 0}));
    EXPECT_TRUE(w.Press(h, L"Abort"));
    FakeWindow::PollUntilClosed(h);
  };
  HTTPTransfer transfer;
  ShowCrashReport(report, &windows, transfer);
  EXPECT_TRUE(windows.mBoxes.empty());
  EXPECT_EQ(transfer.GetResultCode(), HTTPTransfer::RESULT_ABORTED);
}

TEST(CrashReportWindows, AbortInTheDetailsSendsNothing) {
  CrashReport report = SampleReport("127.0.0.1:9");
  FakeWindows windows;
  ScriptUpToTheUpload(windows, L"x");
  windows.mScripts["Error Details"] = [](FakeWindow& w, const FakeWindow::Handler& h) {
    EXPECT_FALSE(w.Press(h, L"Abort"));
  };
  HTTPTransfer transfer;
  ShowCrashReport(report, &windows, transfer);
  EXPECT_EQ(windows.Titles(), (std::vector<std::string>{"Fatal Error!", "Error Details"}));
  EXPECT_EQ(transfer.GetResultCode(), HTTPTransfer::RESULT_NOT_STARTED);
}

TEST(CrashReportWindows, ThePleaseWaitDotsCycleEveryTenSeconds) {
  LoopbackServer server("", true);
  CrashReport report = SampleReport(server.Address());
  FakeWindows windows;
  ScriptUpToTheUpload(windows, L"x");
  windows.mScripts["Submitting Report"] = [](FakeWindow& w, const FakeWindow::Handler& h) {
    EXPECT_EQ(w.mDesc.width, 240);
    EXPECT_EQ(w.mDesc.height, 64);
    for (int i = 0; i < 11; ++i) EXPECT_TRUE(h(ReportEvent{ReportEvent::Kind::Timer, 1}));
    EXPECT_TRUE(w.Press(h, L"Abort"));
    FakeWindow::PollUntilClosed(h);
  };
  HTTPTransfer transfer;
  ShowCrashReport(report, &windows, transfer);
  std::vector<std::wstring> expected;
  for (int i = 1; i <= 11; ++i) expected.push_back(L"Please Wait" + std::wstring(static_cast<size_t>(i % 10), L'.'));
  EXPECT_EQ(windows.mWindows.at(2)->mTextHistory, expected);
}

TEST(CrashReport, SerializesForTheHelper) {
  CrashReport r = SampleReport("host:81");
  r.text = std::string(70000, 'r');  // longer than a 16-bit length
  r.fields = {{"a", "1"}, {"b", ""}};
  r.attachFile = true;
  r.attachmentPath = "demo.dmo";
  r.copyToClipboard = true;
  std::vector<uint8_t> bytes = r.Serialize();
  CrashReport back;
  ASSERT_TRUE(back.Deserialize(bytes));
  EXPECT_EQ(back.Serialize(), bytes);
  EXPECT_EQ(back.text, r.text);
  EXPECT_EQ(back.fields, r.fields);
  // Every shorter piece is refused.
  for (size_t n : {size_t{0}, size_t{3}, size_t{40}, bytes.size() / 2, bytes.size() - 1}) {
    std::vector<uint8_t> part(bytes.begin(), bytes.begin() + static_cast<long>(n));
    EXPECT_FALSE(CrashReport().Deserialize(part)) << n;
  }
}

}  // namespace
}  // namespace Plix
