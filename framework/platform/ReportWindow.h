#pragma once
// Plain windows for reports that must be shown when the program's own
// display can no longer be trusted (after a crash, from a helper process):
// labels, read-only and editable multi-line text fields with a vertical
// scroll bar, push buttons and timers, drawn with the system fonts into an
// SDL window; message boxes with chosen buttons; and the clipboard.
// Positions and sizes are window pixels, as the caller lays them out.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace Plix {

struct ReportFontSpec {
  std::string face = "Tahoma";
  int points = 8;  // at 96 dots per inch
  bool bold = false;
};

struct ReportControl {
  enum class Kind {
    Label,    // read-only text, wrapped, no border
    TextBox,  // read-only text with a border and a vertical scroll bar
    EditBox,  // editable text with a border and a vertical scroll bar
    Button,
  };
  ReportControl() = default;
  ReportControl(Kind kind, int id, int x, int y, int width, int height, std::wstring text, ReportFontSpec font = {})
      : kind(kind), id(id), x(x), y(y), width(width), height(height), text(std::move(text)), font(std::move(font)) {}

  Kind kind = Kind::Label;
  int id = 0;
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  std::wstring text;
  ReportFontSpec font;
  bool enabled = true;
  bool focused = false;  // takes the keyboard focus when the window opens
};

struct ReportWindowDesc {
  struct Timer {
    int id = 0;
    int intervalMs = 0;
  };
  ReportWindowDesc() = default;
  ReportWindowDesc(std::string title, int x, int y, int width, int height)
      : title(std::move(title)), x(x), y(y), width(width), height(height) {}

  std::string title;
  // The client area on the desktop; a negative position centres it.
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  std::vector<ReportControl> controls;
  std::vector<Timer> timers;
};

struct ReportEvent {
  enum class Kind { Close, Command, Timer };
  Kind kind = Kind::Close;
  int id = 0;  // the button or timer
};

class ReportWindow {
public:
  virtual ~ReportWindow() = default;
  // Shows the window and hands its events to the handler until the handler
  // returns false. A press of a disabled button is no event; Escape, like
  // the window's close box, asks to close.
  virtual void Run(const std::function<bool(const ReportEvent&)>& handler) = 0;
  virtual void SetText(int id, const std::wstring& text) = 0;
  virtual std::wstring GetText(int id) const = 0;
  virtual void Hide() = 0;
  // The window system's id of the window (tests post input to it).
  virtual uint32_t NativeWindowId() const { return 0; }
};

class ReportWindowSystem {
public:
  virtual ~ReportWindowSystem() = default;
  virtual std::unique_ptr<ReportWindow> CreateReportWindow(const ReportWindowDesc& desc) = 0;
  // A box with the text and the buttons (the first is the default); the
  // index of the button pressed. Closing the box, or a box that cannot be
  // shown, answers the last button.
  virtual int ShowMessageBox(const std::string& caption, const std::wstring& text,
                             const std::vector<std::string>& buttons) = 0;
  // Latin-1 text. The system keeps it only while this object lives.
  virtual void CopyToClipboard(const std::string& text) = 0;
};

// The SDL windows; null when there is no display (no video, or only SDL's
// dummy or off-screen drivers) or no font to draw with.
std::unique_ptr<ReportWindowSystem> OpenReportWindowSystem();

}  // namespace Plix
