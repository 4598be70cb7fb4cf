#pragma once
// A widget that writes every event it receives to a shared log, as
// "name.event args", so a test can compare whole event orders.
#include <functional>
#include <string>
#include <vector>

#include "framework/widget/Widget.h"
#include "framework/widget/WidgetManager.h"

namespace Plix::Testing {

using EventLog = std::vector<std::string>;

class RecordingWidget : public Widget {
public:
  RecordingWidget(EventLog* log, std::string name, int x, int y, int width, int height)
      : mLog(log), mName(std::move(name)) {
    Resize(x, y, width, height);
  }

  // Runs inside Update (to change the tree during a pass).
  std::function<void()> mOnUpdate;
  int mUpdates = 0;

  void Update() override {
    Widget::Update();
    ++mUpdates;
    Log("update");
    if (mOnUpdate) mOnUpdate();
  }
  void MouseEnter() override { Log("enter"); }
  void MouseLeave() override { Log("leave"); }
  void MouseMove(int x, int y) override { Log("move", x, y); }
  void MouseDrag(int x, int y) override { Log("drag", x, y); }
  void MouseDownButton(int x, int y, int button, int count) override { Log("down", x, y, button, count); }
  void MouseUpButton(int x, int y, int button, int count) override { Log("up", x, y, button, count); }
  void MouseWheel(int delta) override { Log("wheel", delta); }
  void KeyChar(wchar_t ch) override { Log("char", static_cast<int>(ch)); }
  void KeyDown(int key) override {
    Log("keydown", key);
    Widget::KeyDown(key);
  }
  void KeyUp(int key) override { Log("keyup", key); }
  void GotFocus() override {
    Widget::GotFocus();
    Log("gotfocus");
  }
  void LostFocus() override {
    Widget::LostFocus();
    Log("lostfocus");
  }

  void Log(const char* event) { mLog->push_back(mName + "." + event); }
  template <typename... Args>
  void Log(const char* event, Args... args) {
    std::string line = mName + "." + event;
    ((line += " " + std::to_string(args)), ...);
    mLog->push_back(line);
  }

  EventLog* mLog;
  std::string mName;
};

// A manager 800 x 600 in widget space, mapping the window one to one.
inline void SizeManager(WidgetManager& manager) {
  manager.Resize(Rect(0, 0, 800, 600), Rect(0, 0, 800, 600));
}

}  // namespace Plix::Testing
