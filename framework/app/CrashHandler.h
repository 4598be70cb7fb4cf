#pragma once
// When any thread faults or throws an exception that nothing catches, the
// crash handler takes over: the application hides itself, a plain-text
// report (exception, module and section address, stack, registers, system
// and program information) goes to the clipboard and to "crash.txt", a
// demo being recorded gets its end mark and is saved, and a helper process
// shows the report windows (with "Send Report" when an upload host is set).
// Then the process ends as the fault would have ended it.
//
// The handler is process-wide and is installed during static
// initialisation, before the application exists: the program's entry file
// holds PLIX_CRASH_HANDLER_INSTALLER. The application registers itself
// with SetApplication (and its demo recorder with SetDemoHost).
#include <cstdint>
#include <string>

#include "framework/platform/CrashSignals.h"

namespace Plix {

class CrashHost;

class CrashHandler {
public:
  // Catches fault signals and uncaught C++ exceptions.
  static void Install();
  static void Uninstall();

  // The application, or null when there is none.
  static void SetApplication(CrashHost* application);
  static CrashHost* GetApplication();
  // Host (and optional ":port") to which reports are posted; empty (the
  // default) offers no upload.
  static void SetUploadHost(const std::string& host);
  static std::string GetUploadHost();

  // The name of an exception code; null when it has none.
  static const char* GetExceptionName(uint32_t code);

  // The whole handling of a crash, on the crashing thread.
  static void UnhandledExceptionFilter(const CrashContext& context);
  // The report of a crash, handed to the application (clipboard, demo end
  // mark and file) and saved as "crash.txt"; the windows are not shown.
  static std::string PrepareReport(const CrashContext& context);
  // The report windows, in a helper process; this returns when they close.
  static void ShowCrashWindow(const std::string& title, const std::string& report);

  // The title and attachment of the last report.
  static std::string GetErrorTitle();
  static std::string GetAttachmentPath();
  static bool HasAttachment();

  // True in the helper process that shows the report windows.
  static bool IsReportProcess();
  // The helper's whole life: reads the report, shows the windows, ends the
  // process.
  [[noreturn]] static void RunReportProcess();

  // Faults on purpose, for trying the report out ("-crash").
  static void RaiseTestCrash();
};

// Installs the handler while the program's globals are built, before those
// of the framework, and lets the report helper take over its process.
class CrashHandlerInstaller {
public:
  CrashHandlerInstaller();
  ~CrashHandlerInstaller();
};

}  // namespace Plix

// One in the program's entry file.
#define PLIX_CRASH_HANDLER_INSTALLER \
  static ::Plix::CrashHandlerInstaller gPlixCrashHandlerInstaller __attribute__((init_priority(101)))
