#pragma once
// What the crash handler needs of the application object, which may not
// exist yet when a crash happens. The application base registers itself
// with CrashHandler::SetApplication; the demo side of a crash (its end mark
// and file) goes through the DemoHost.
#include <map>
#include <string>

namespace Plix {

class CrashHost {
public:
  virtual ~CrashHost() = default;

  // Silences the music, hides the main window, marks the crash and
  // re-applies the cursor.
  virtual void HideForCrash() = 0;
  // Text appended to the report (empty: nothing).
  virtual void WriteProgramInfo(std::string& text) = 0;
  // When set, the file sent with an upload instead of the demo recording.
  virtual void GetCrashAttachmentPath(std::string& path) = 0;
  // Extra form fields of an upload, by name.
  virtual void GetCrashReportFields(std::map<std::string, std::string>& fields) = 0;
  virtual void CopyToClipboard(const std::string& text) = 0;
  // The "prod" and "version" fields of an upload.
  virtual std::string GetProductName() = 0;
  virtual std::string GetVersionString() = 0;
};

}  // namespace Plix
