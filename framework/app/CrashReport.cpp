#include "framework/app/CrashReport.h"

#include <cstdio>
#include <thread>

#include "framework/app/Buffer.h"
#include "framework/app/HTTPTransfer.h"
#include "framework/platform/Files.h"
#include "framework/platform/ReportWindow.h"
#include "framework/util/Utilities.h"

namespace Plix {

const wchar_t* const kCrashHeaderText = L"An unexpected error has occured!";
const wchar_t* const kCrashDetailsPrompt =
    L"Please help out by providing as much information as you can about this crash.";
const wchar_t* const kCrashConnectionFailedText = L"Failed to connect to server.";
const char* const kCrashUploadPath = "/zudido_error.php";

namespace {

constexpr uint32_t kMagic = 0x52435850;  // "PXCR"
constexpr size_t kMaxUserText = 8192;
const char* const kBoundary = "---------------------------7d3e1f30eec";

// Control and timer ids of the windows.
enum { kHeader = 1, kReportText, kSendReport, kCloseNow };
enum { kPrompt = 1, kUserText, kContinue, kAbortDetails };
enum { kPleaseWait = 1, kAbortProgress };
enum { kPollTimer = 0, kDotsTimer = 1 };

// Long texts do not fit a Buffer string (16-bit length).
void WriteText(Buffer& b, const std::string& s) {
  b.WriteLong(static_cast<uint32_t>(s.size()));
  b.WriteBytes(s.data(), static_cast<int>(s.size()));
}

bool ReadText(Buffer& b, std::string& s) {
  uint32_t size = b.ReadLong();
  if (b.AtEnd() && size > 0) return false;
  if (static_cast<int64_t>(size) * 8 > b.GetDataBitSize() - b.GetReadBitPos()) return false;
  s.resize(size);
  b.ReadBytes(s.data(), static_cast<int>(size));
  return true;
}

using Kind = ReportControl::Kind;

const ReportFontSpec kSmallFont{"Tahoma", 8, false};
const ReportFontSpec kBoldFont{"Tahoma", 10, true};
const ReportFontSpec kHeaderFont{"Arial", 9, true};
const ReportFontSpec kReportFont{"Courier New", 8, false};

void PrintToStandardError(const CrashReport& report) {
  std::string text = report.text;
  for (size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at)) text.erase(at, 1);
  std::fprintf(stderr, "Fatal Error!\n%s\n\n%s\n", WStringToString(kCrashHeaderText).c_str(), text.c_str());
  std::fflush(stderr);
}

bool IsCommand(const ReportEvent& e, int id) { return e.kind == ReportEvent::Kind::Command && e.id == id; }

void ShowProgressWindow(const CrashReport& report, const std::string& userText, ReportWindowSystem& windows,
                        HTTPTransfer& transfer) {
  ReportWindowDesc desc("Submitting Report", 64, 64, 240, 64);
  desc.timers = {{kPollTimer, 20}, {kDotsTimer, 1000}};
  desc.controls = {
      ReportControl(Kind::Label, kPleaseWait, 24, 10, 224, 24, L"Please Wait", kBoldFont),
      ReportControl(Kind::Button, kAbortProgress, 72, 36, 96, 22, L"Abort", kSmallFont),
  };
  std::unique_ptr<ReportWindow> window = windows.CreateReportWindow(desc);
  if (!window) return;

  // The request is put together on a thread of its own; the transfer then
  // runs on its worker and this window polls it.
  std::thread submitter;
  auto finishSubmitter = [&submitter] {
    if (submitter.joinable()) submitter.join();
  };
  auto submit = [&] {
    finishSubmitter();
    submitter = std::thread([&report, &userText, &transfer] {
      transfer.SendRequest(report.uploadHost, BuildCrashUploadRequest(report, userText));
    });
  };
  submit();
  int dots = 0;
  window->Run([&](const ReportEvent& e) {
    if (e.kind == ReportEvent::Kind::Close || IsCommand(e, kAbortProgress)) {
      finishSubmitter();  // else a late start would clear the abort
      transfer.Abort();
      return true;
    }
    if (e.kind != ReportEvent::Kind::Timer) return true;
    if (e.id == kDotsTimer) {
      ++dots;
      window->SetText(kPleaseWait, L"Please Wait" + std::wstring(static_cast<size_t>(dots % 10), L'.'));
      return true;
    }
    int result = transfer.GetResultCode();
    if (result == HTTPTransfer::RESULT_NOT_STARTED || result == HTTPTransfer::RESULT_NOT_COMPLETED) return true;
    if (result == HTTPTransfer::RESULT_DONE || result == HTTPTransfer::RESULT_ABORTED) return false;
    finishSubmitter();
    transfer.Reset();
    if (windows.ShowMessageBox("Connection Failed", kCrashConnectionFailedText, {"Retry", "Cancel"}) == 0) {
      submit();
      return true;
    }
    return false;
  });
  finishSubmitter();
}

}  // namespace

std::vector<uint8_t> CrashReport::Serialize() const {
  Buffer b;
  b.WriteLong(kMagic);
  for (const std::string* s : {&title, &text, &uploadHost, &productName, &versionString, &attachmentPath}) {
    WriteText(b, *s);
  }
  b.WriteLong(static_cast<uint32_t>(fields.size()));
  for (const auto& [name, value] : fields) {
    WriteText(b, name);
    WriteText(b, value);
  }
  b.WriteBoolean(attachFile);
  b.WriteBoolean(hasApplication);
  b.WriteBoolean(copyToClipboard);
  return std::vector<uint8_t>(b.GetDataPtr(), b.GetDataPtr() + b.GetDataLen());
}

bool CrashReport::Deserialize(const std::vector<uint8_t>& bytes) {
  Buffer b;
  b.SetData(bytes.data(), static_cast<int>(bytes.size()));
  if (b.ReadLong() != kMagic) return false;
  for (std::string* s : {&title, &text, &uploadHost, &productName, &versionString, &attachmentPath}) {
    if (!ReadText(b, *s)) return false;
  }
  uint32_t count = b.ReadLong();
  fields.clear();
  for (uint32_t i = 0; i < count; ++i) {
    std::string name, value;
    if (!ReadText(b, name) || !ReadText(b, value)) return false;
    fields[name] = value;
  }
  if (b.GetDataBitSize() - b.GetReadBitPos() < 3 * 8) return false;
  attachFile = b.ReadBoolean();
  hasApplication = b.ReadBoolean();
  copyToClipboard = b.ReadBoolean();
  return true;
}

std::string BuildCrashUploadRequest(const CrashReport& report, const std::string& userText) {
  const std::string boundary = kBoundary;
  std::string body;
  auto field = [&](const std::string& name, const std::string& value) {
    body += "--" + boundary + "\r\nContent-Disposition: form-data; name=\"" + name + "\"\r\n" + "\r\n" + value + "\r\n";
  };
  for (const auto& [name, value] : report.fields) field(name, value);
  field("prod", report.productName);
  field("version", report.versionString);
  field("usertext", userText);
  field("errortitle", report.title);
  field("errortext", report.text);
  if (report.attachFile) {
    std::vector<uint8_t> bytes;
    Fs::ReadWholeFile(report.attachmentPath, bytes);  // a file that cannot be read goes empty
    body += "--" + boundary +
            "\r\nContent-Disposition: form-data; name=\"demofile\"; filename=\"vantro.dmo\"\r\n"
            "Content-Type: application/octet-stream\r\n"
            "\r\n";
    body.append(bytes.begin(), bytes.end());
    body += "\r\n";
  }
  body += "--" + boundary + "--\r\n";
  return std::string("POST ") + kCrashUploadPath + " HTTP/1.1\r\n" +
         "Content-Type: multipart/form-data; boundary=" + boundary + "\r\n" +
         "User-Agent: Mozilla/4.0 (compatible; vantro)\r\n" + "Host: " + report.uploadHost + "\r\n" +
         StrFormat("Content-Length: %d", static_cast<int>(body.size())) + "\r\n" + "Connection: close\r\n" + "\r\n" +
         body;
}

void ShowCrashReport(const CrashReport& report, ReportWindowSystem* windows, HTTPTransfer& transfer) {
  std::unique_ptr<ReportWindow> crash;
  if (windows != nullptr) {
    if (report.copyToClipboard) windows->CopyToClipboard(report.text);
    bool upload = !report.uploadHost.empty();
    int buttons = upload ? 2 : 1;
    int width = (49 - buttons) * 8 / buttons;
    ReportWindowDesc desc("Fatal Error!", 64, 64, 400, 300);
    desc.controls = {
        ReportControl(Kind::Label, kHeader, 8, 8, 384, 84, kCrashHeaderText, kHeaderFont),
        ReportControl(Kind::TextBox, kReportText, 8, 92, 384, 168, StringToWString(report.text), kReportFont),
    };
    if (upload) {
      desc.controls.push_back(ReportControl(Kind::Button, kSendReport, 8, 268, width, 24, L"Send Report", kSmallFont));
      desc.controls.back().enabled = report.hasApplication;
    }
    desc.controls.push_back(
        ReportControl(Kind::Button, kCloseNow, upload ? 16 + width : 8, 268, width, 24, L"Close Now", kSmallFont));
    crash = windows->CreateReportWindow(desc);
  }
  if (!crash) {
    PrintToStandardError(report);
    return;
  }
  bool send = false;
  crash->Run([&](const ReportEvent& e) {
    if (IsCommand(e, kSendReport) && report.hasApplication) {
      send = true;
      return false;
    }
    return !(e.kind == ReportEvent::Kind::Close || IsCommand(e, kCloseNow));
  });
  if (!send) return;
  crash->Hide();

  ReportWindowDesc desc("Error Details", 80, 80, 400, 300);
  desc.controls = {
      ReportControl(Kind::Label, kPrompt, 8, 8, 384, 84, kCrashDetailsPrompt, kHeaderFont),
      ReportControl(Kind::EditBox, kUserText, 8, 92, 384, 168, L"", kSmallFont),
      ReportControl(Kind::Button, kContinue, 8, 268, 188, 24, L"Continue", kSmallFont),
      ReportControl(Kind::Button, kAbortDetails, 204, 268, 188, 24, L"Abort", kSmallFont),
  };
  desc.controls[1].focused = true;
  desc.controls[2].enabled = report.hasApplication;
  std::unique_ptr<ReportWindow> details = windows->CreateReportWindow(desc);
  if (!details) return;
  bool proceed = false;
  std::string userText;
  details->Run([&](const ReportEvent& e) {
    if (IsCommand(e, kContinue) && report.hasApplication) {
      userText = WStringToString(details->GetText(kUserText).substr(0, kMaxUserText));
      proceed = true;
      return false;
    }
    return !(e.kind == ReportEvent::Kind::Close || IsCommand(e, kAbortDetails));
  });
  if (!proceed) return;
  details->Hide();
  ShowProgressWindow(report, userText, *windows, transfer);
}

}  // namespace Plix
