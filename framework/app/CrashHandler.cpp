#include "framework/app/CrashHandler.h"

#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <mutex>

#include "framework/app/Buffer.h"
#include "framework/app/CrashHost.h"
#include "framework/app/CrashReport.h"
#include "framework/app/DemoHost.h"
#include "framework/app/HTTPTransfer.h"
#include "framework/platform/ChildProcess.h"
#include "framework/platform/Files.h"
#include "framework/platform/ReportWindow.h"
#include "framework/platform/SystemInfo.h"
#include "framework/util/Utilities.h"

namespace Plix {

namespace {

// The variable that makes a start of the program the report helper.
const char* const kReportProcessVariable = "PLIX_CRASH_REPORT_FD";
// Demo record type of the end mark.
constexpr uint32_t kDemoEndMark = 31;

struct ExceptionName {
  uint32_t code;
  const char* name;
};

// Looked up in this order; the first match wins.
const ExceptionName kExceptionNames[] = {
    {0x40000005, "Segment Notification"},
    {0x80000003, "Breakpoint"},
    {0x80000004, "Single step"},
    {0x00000000, "Wait 0"},
    {0x00000080, "Abandoned Wait 0"},
    {0x000000C0, "User APC"},
    {0x00000102, "Timeout"},
    {0x00000103, "Pending"},
    {0x80000001, "Guard Page Violation"},
    {0x80000002, "Data Type Misalignment"},
    {0xC0000005, "Access Violation"},
    {0xC0000006, "In Page Error"},
    {0xC0000017, "No Memory"},
    {0xC000001D, "Illegal Instruction"},
    {0xC0000025, "Noncontinuable Exception"},
    {0xC0000026, "Invalid Disposition"},
    {0xC000008C, "Array Bounds Exceeded"},
    {0xC000008D, "Float Denormal Operand"},
    {0xC000008E, "Divide by Zero"},
    {0xC000008F, "Float Inexact Result"},
    {0xC0000090, "Float Invalid Operation"},
    {0xC0000091, "Float Overflow"},
    {0xC0000092, "Float Stack Check"},
    {0xC0000093, "Float Underflow"},
    {0xC0000094, "Integer Divide by Zero"},
    {0xC0000095, "Integer Overflow"},
    {0xC0000096, "Privileged Instruction"},
    {0xC00000FD, "Stack Overflow"},
    {0xC000013A, "Ctrl+C Exit"},
};

// The handler's state. Made on first use and never destroyed, so that a
// crash during static initialisation or at exit still finds it.
struct State {
  std::atomic<CrashHost*> application{nullptr};
  std::mutex lock;  // guards the upload host
  std::string uploadHost;
  std::string errorTitle;
  std::string errorText;
  std::string attachmentPath;
  bool attachFile = false;
  bool copiedToClipboard = false;
};

State& GetState() {
  static State* state = new State;
  return *state;
}

std::string PathFileName(const std::string& path) {
  size_t slash = path.find_last_of("/\\");
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

unsigned long long Hex(uintptr_t value) { return static_cast<unsigned long long>(value); }

// The unwinder's frames with their function names. The symbols come from
// the modules' own tables (dladdr and the ELF symbol tables); x86-64 passes
// arguments in registers, so there are no parameter words to show.
std::string WalkStackWithSymbols(const CrashContext& c) {
  std::string out;
  for (const StackFrame& f : c.frames) {
    if (f.frame == 0 || f.pc == 0) return out;
    std::string name;
    uintptr_t start = 0;
    if (LookupSymbol(f.LookupAddress(), name, start)) {
      out += StrFormat("%08llX %08llX %s+%llX\r\n", Hex(f.frame), Hex(f.pc), name.c_str(), Hex(f.pc - start));
    } else {
      std::string module;
      int section = 0;
      uintptr_t offset = 0;
      GetLogicalAddress(f.LookupAddress(), module, section, offset);
      out +=
          StrFormat("%08llX %08llX %04X:%08llX %s\r\n", Hex(f.frame), Hex(f.pc), section, Hex(offset), module.c_str());
    }
    out += "\r\n";
  }
  if (c.walkError != 0) out += StrFormat("StackWalk failed (error %d)\r\n", c.walkError);
  return out;
}

// The chain of saved frame pointers, for when the unwinder could not walk.
std::string WalkStackByFrames(const CrashContext& c) {
  std::string out;
  for (const StackFrame& f : WalkFramePointers(c.pc, c.fp, c.stackLow, c.stackHigh)) {
    std::string module;
    int section = 0;
    uintptr_t offset = 0;
    GetLogicalAddress(f.pc, module, section, offset);
    out +=
        StrFormat("%08llX  %08llX  %04X:%08llX %s\r\n", Hex(f.pc), Hex(f.frame), section, Hex(offset), module.c_str());
  }
  return out;
}

std::string GetSystemInfo(bool withApplication) {
  std::string out = "System Ver: " + OperatingSystemVersion() + "\r\n";
  // SDL stands where the original platform's display and sound libraries
  // were.
  if (withApplication) out += "SDL Ver: " + SdlVersion() + "\r\n";
  return out;
}

void WriteCrashFile(const std::string& report) {
  std::string text = report + "\n";
  Fs::WriteFileAtomic("crash.txt", text.data(), text.size());
}

void OnCrash(const CrashContext& context) { CrashHandler::UnhandledExceptionFilter(context); }

}  // namespace

void CrashHandler::Install() {
  GetState();
  InstallCrashCatcher(OnCrash);
}

void CrashHandler::Uninstall() { UninstallCrashCatcher(); }

void CrashHandler::SetApplication(CrashHost* application) { GetState().application = application; }

CrashHost* CrashHandler::GetApplication() { return GetState().application; }

void CrashHandler::SetUploadHost(const std::string& host) {
  State& s = GetState();
  std::lock_guard<std::mutex> guard(s.lock);
  s.uploadHost = host;
}

std::string CrashHandler::GetUploadHost() {
  State& s = GetState();
  std::lock_guard<std::mutex> guard(s.lock);
  return s.uploadHost;
}

const char* CrashHandler::GetExceptionName(uint32_t code) {
  for (const ExceptionName& e : kExceptionNames) {
    if (e.code == code) return e.name;
  }
  return nullptr;
}

void CrashHandler::UnhandledExceptionFilter(const CrashContext& context) {
  if (CrashHost* app = GetApplication()) app->HideForCrash();
  std::string report = PrepareReport(context);
  ShowCrashWindow(GetState().errorTitle, report);
}

std::string CrashHandler::PrepareReport(const CrashContext& c) {
  State& s = GetState();
  CrashHost* app = s.application;
  std::string report;
  if (const char* name = GetExceptionName(c.code)) {
    report += StrFormat("Exception: %s (code 0x%x) at address %08llX in thread %X\r\n", name, c.code, Hex(c.address),
                        static_cast<unsigned>(c.threadId));
  } else {
    report += StrFormat("Unknown exception: (code 0x%x) at address %08llX in thread %X\r\n", c.code, Hex(c.address),
                        static_cast<unsigned>(c.threadId));
  }

  std::string module;
  int section = 0;
  uintptr_t offset = 0;
  GetLogicalAddress(c.address, module, section, offset);
  report += "Module: " + PathFileName(module) + "\r\n";
  report += StrFormat("Logical Address: %04X:%08llX\r\n", section, Hex(offset));
  report += "\r\n";
  s.errorTitle = StrFormat("Exception at %04X:%08llX", section, Hex(offset));

  report += c.frames.empty() ? WalkStackByFrames(c) : WalkStackWithSymbols(c);
  report += "\r\n";
  report += c.registers;
  report += "\r\n";
  report += GetSystemInfo(app != nullptr);

  DemoHost* demo = app != nullptr ? GetDemoHost() : nullptr;
  s.copiedToClipboard = false;
  if (app != nullptr) {
    std::string info;
    app->WriteProgramInfo(info);
    if (!info.empty()) report += "\r\n" + info;
    app->CopyToClipboard(report);
    s.copiedToClipboard = demo == nullptr || !demo->IsPlayingDemo();
  }
  // Symbols are read from the modules themselves: there are no linker map
  // files to add source lines from.
  WriteCrashFile(report);

  s.attachFile = false;
  s.attachmentPath.clear();
  if (app != nullptr) {
    bool recording = demo != nullptr && demo->IsRecordingDemo();
    if (recording) {
      demo->WriteDemoTimePrefix();
      Buffer& buffer = demo->GetDemoBuffer();
      buffer.WriteBits(0, 1);
      buffer.WriteBits(kDemoEndMark, 5);
      demo->WriteDemoFile();
      s.attachmentPath = demo->GetDemoFilePath();
    }
    s.attachFile = recording;
    std::string path;
    app->GetCrashAttachmentPath(path);
    if (!path.empty()) {
      s.attachmentPath = path;
      s.attachFile = true;
    }
    if (demo != nullptr) demo->StopDemo();
  }
  s.errorText = report;
  return report;
}

void CrashHandler::ShowCrashWindow(const std::string& title, const std::string& report) {
  State& s = GetState();
  CrashReport r;
  r.title = title;
  r.text = report;
  r.uploadHost = GetUploadHost();
  r.attachmentPath = s.attachmentPath;
  r.attachFile = s.attachFile;
  r.copyToClipboard = s.copiedToClipboard;
  if (CrashHost* app = s.application) {
    r.hasApplication = true;
    r.productName = app->GetProductName();
    r.versionString = app->GetVersionString();
    app->GetCrashReportFields(r.fields);
  }
  // The windows run in a fresh process: this one may be too damaged to
  // draw, and its display is hidden.
  if (!RunHelperProcess(kReportProcessVariable, r.Serialize())) ShowCrashReport(r, nullptr, GetHTTPTransfer());
}

std::string CrashHandler::GetErrorTitle() { return GetState().errorTitle; }
std::string CrashHandler::GetAttachmentPath() { return GetState().attachmentPath; }
bool CrashHandler::HasAttachment() { return GetState().attachFile; }

bool CrashHandler::IsReportProcess() { return IsHelperProcess(kReportProcessVariable); }

void CrashHandler::RunReportProcess() {
  std::vector<uint8_t> bytes;
  CrashReport report;
  if (!ReadHelperPayload(kReportProcessVariable, bytes) || !report.Deserialize(bytes)) {
    std::fputs("The crash report could not be read.\n", stderr);
    _exit(1);
  }
  {
    std::unique_ptr<ReportWindowSystem> windows = OpenReportWindowSystem();
    ShowCrashReport(report, windows.get(), GetHTTPTransfer());
  }
  // Nothing of the program has started here: nothing to tear down.
  _exit(0);
}

void CrashHandler::RaiseTestCrash() { RaiseAccessViolation(); }

CrashHandlerInstaller::CrashHandlerInstaller() {
  if (CrashHandler::IsReportProcess()) CrashHandler::RunReportProcess();
  CrashHandler::Install();
}

CrashHandlerInstaller::~CrashHandlerInstaller() { CrashHandler::Uninstall(); }

}  // namespace Plix
