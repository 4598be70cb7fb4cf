#pragma once
// What the widget toolkit needs of the application object: cursors, the
// clipboard, the dialog services (its dialog listener side, one main-loop
// step for a waiting dialog, closing by id), deferred deletion, the
// extended-characters flag and the tablet caret. The application implements
// it and sets itself as the process-wide host; until then (and in tests) a
// host answers that does nothing, has no dialog listener and stops at once.
//
// Whether the display draws through the 3D device is asked of the graphics
// host (GetGraphicsHost()->IsHardwareDrawing()), which the application also
// implements.
#include <functional>
#include <string>
#include <vector>

namespace Plix {

class DialogListener;
class Widget;

// Cursor numbers the toolkit sets.
constexpr int CURSOR_POINTER = 0;
constexpr int CURSOR_HAND = 1;
constexpr int CURSOR_DRAGGING = 2;
constexpr int CURSOR_TEXT = 3;

class WidgetHost {
public:
  WidgetHost() = default;
  virtual ~WidgetHost();
  WidgetHost(const WidgetHost&) = delete;
  WidgetHost& operator=(const WidgetHost&) = delete;

  // The application's current cursor, 0 to 12; re-applied only on a change.
  virtual void SetCursor(int cursorNum) {}
  // Plain text on the system clipboard.
  virtual void CopyToClipboard(const std::string& text) {}
  virtual std::string GetClipboardText() { return std::string(); }

  // The application's dialog listener side; null when there is no application.
  virtual DialogListener* GetDialogListener() { return nullptr; }
  // One step of the main loop; false once the application is stopping.
  virtual bool MainLoopStep(bool) { return false; }
  // Removes the dialog with that id from the dialog map and the widget
  // manager and deletes it; nothing when there is none.
  virtual void CloseDialogById(int dialogId) {}
  // Deletes the widget after the current process step.
  virtual void QueueWidgetDelete(Widget* widget) {}

  // Characters 128 to 255 may be typed (the application's default).
  virtual bool GetExtendedChars() { return true; }

  // The system caret follows the focused edit field on a tablet PC, where
  // the handwriting panel needs it. The position is in window pixels.
  virtual bool IsTabletPC() { return false; }
  virtual void ShowCaret(int x, int y) {}
  virtual void SetCaretPos(int x, int y) {}
  virtual void HideCaret() {}
  // The application's width and height (the caret stays 10 pixels inside).
  virtual int GetAppWidth() { return 0; }
  virtual int GetAppHeight() { return 0; }
};

// Never null: the do-nothing host until the application sets itself.
WidgetHost* GetWidgetHost();
// Null restores the do-nothing host.
void SetWidgetHost(WidgetHost* host);

// A host for tests: records cursors, clipboard writes, closes and deletes;
// main-loop steps run a callback.
class FakeWidgetHost : public WidgetHost {
public:
  std::vector<int> mCursors;
  std::string mClipboard;
  std::vector<int> mClosedDialogs;
  std::vector<Widget*> mQueuedDeletes;
  DialogListener* mDialogListener = nullptr;
  bool mExtendedChars = true;
  bool mTabletPC = false;
  int mWidth = 800;
  int mHeight = 600;
  // Caret calls as text: "show x y", "move x y", "hide".
  std::vector<std::string> mCaretCalls;
  // Run by MainLoopStep, which answers its result; without one it stops.
  std::function<bool()> mStep;
  int mSteps = 0;

  void SetCursor(int cursorNum) override { mCursors.push_back(cursorNum); }
  void CopyToClipboard(const std::string& text) override { mClipboard = text; }
  std::string GetClipboardText() override { return mClipboard; }
  DialogListener* GetDialogListener() override { return mDialogListener; }
  bool MainLoopStep(bool) override;
  void CloseDialogById(int dialogId) override { mClosedDialogs.push_back(dialogId); }
  void QueueWidgetDelete(Widget* widget) override { mQueuedDeletes.push_back(widget); }
  bool GetExtendedChars() override { return mExtendedChars; }
  bool IsTabletPC() override { return mTabletPC; }
  void ShowCaret(int x, int y) override;
  void SetCaretPos(int x, int y) override;
  void HideCaret() override { mCaretCalls.push_back("hide"); }
  int GetAppWidth() override { return mWidth; }
  int GetAppHeight() override { return mHeight; }

  int LastCursor() const { return mCursors.empty() ? -1 : mCursors.back(); }
};

// Makes a host the process-wide one for a scope.
class ScopedWidgetHost {
public:
  explicit ScopedWidgetHost(WidgetHost* host);
  ~ScopedWidgetHost();
  ScopedWidgetHost(const ScopedWidgetHost&) = delete;
  ScopedWidgetHost& operator=(const ScopedWidgetHost&) = delete;

private:
  WidgetHost* mPrevious;
};

}  // namespace Plix
