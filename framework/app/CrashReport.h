#pragma once
// The report windows of a crash and the upload of the report. They run in
// a helper process started by the crashing one, so everything they need is
// gathered into a CrashReport first: the texts, where to send them and the
// application's share (product, version, extra fields, the attached file).
#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace Plix {

class HTTPTransfer;
class ReportWindowSystem;

struct CrashReport {
  std::string title;       // "Exception at 0010:00001234"
  std::string text;        // the whole report
  std::string uploadHost;  // empty: the report cannot be sent
  std::string productName;
  std::string versionString;
  std::map<std::string, std::string> fields;
  std::string attachmentPath;
  bool attachFile = false;
  bool hasApplication = false;  // without one, nothing can be sent
  bool copyToClipboard = false;

  std::vector<uint8_t> Serialize() const;
  // False when the bytes are not a whole report.
  bool Deserialize(const std::vector<uint8_t>& bytes);
};

extern const wchar_t* const kCrashHeaderText;
extern const wchar_t* const kCrashDetailsPrompt;
extern const wchar_t* const kCrashConnectionFailedText;
// The path of the upload on the upload host.
extern const char* const kCrashUploadPath;

// The whole POST request of an upload: a multipart form with the extra
// fields, product, version, the user's text, the title and the report, and
// the attached file when there is one.
std::string BuildCrashUploadRequest(const CrashReport& report, const std::string& userText);

// "Fatal Error!" with the report; "Send Report" leads to "Error Details",
// then to "Submitting Report" while the transfer runs, with "Connection
// Failed" offering a retry. Returns when the last window closes. Without a
// window system the report goes to standard error.
void ShowCrashReport(const CrashReport& report, ReportWindowSystem* windows, HTTPTransfer& transfer);

}  // namespace Plix
