#pragma once
// Screen switching without an application: a host over a real widget
// manager that records what the switchers ask of the application, and a
// factory of screens that record how they were made and what happened to
// them, all into one event log.
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "framework/graphics/Image.h"
#include "framework/widget/WidgetManager.h"
#include "game/app/GameScreens.h"
#include "game/app/PlayerProfile.h"

namespace Plix::Testing {

class FakeScreenHost : public ScreenHost {
public:
  ~FakeScreenHost() override { FlushDeletes(); }

  WidgetManager* GetWidgetManager() override { return &mWidgets; }
  ResourceManager* GetResourceManager() override { return nullptr; }
  void QueueWidgetDelete(Widget* widget) override { mQueued.push_back(widget); }
  void StartLoadingThread() override {
    ++mLoadingStarts;
    mLog.push_back("start loading");
  }
  double GetLoadingProgress() override { return mProgress; }
  bool IsWindowed() override { return mWindowed; }
  bool IsHardwareDrawing() override { return mHardware; }
  void SetCursor(int cursor) override { mCursors.push_back(cursor); }
  Image* LoadImage(const std::string& name) override {
    auto it = mImages.find(name);
    if (it == mImages.end()) return nullptr;
    mLog.push_back("load " + name);
    auto* image = new Image();
    image->mWidth = it->second.first;
    image->mHeight = it->second.second;
    return image;
  }
  bool SaveProfiles() override {
    mLog.push_back("save");
    return true;
  }
  PlayerProfile* GetCurrentProfile() override { return &mProfile; }
  void RequestQuit() override { mLog.push_back("quit"); }
  // As a demo's playback answers: the recorded value, when one is set.
  void SyncWithDemo(bool& value) override {
    mSynced.push_back(value);
    if (mPlayedBack >= 0) value = mPlayedBack != 0;
  }

  // The end of a main-loop step: what was queued is deleted.
  void FlushDeletes() {
    for (Widget* w : mQueued) delete w;
    mQueued.clear();
  }
  bool IsQueued(Widget* widget) const {
    for (Widget* w : mQueued)
      if (w == widget) return true;
    return false;
  }

  WidgetManager mWidgets;
  std::vector<Widget*> mQueued;
  std::vector<std::string> mLog;
  std::vector<int> mCursors;
  std::map<std::string, std::pair<int, int>> mImages;  // name -> size
  PlayerProfile mProfile;
  double mProgress = 0;
  bool mWindowed = true;
  bool mHardware = false;
  int mLoadingStarts = 0;
  std::vector<bool> mSynced;  // the values handed to SyncWithDemo
  int mPlayedBack = -1;       // -1: not playing a demo
};

// A screen that logs into the host's log.
class RecordingScreen : public GameScreen {
public:
  RecordingScreen(std::vector<std::string>& log, std::string name) : mLog(log), mName(std::move(name)) {}
  void Pause() override { mLog.push_back("pause " + mName); }
  void Resume() override { mLog.push_back("resume " + mName); }
  void StartProgressAnimation() override { mLog.push_back("progress " + mName); }
  void UpdateBackImageSurface() override { mLog.push_back("back image " + mName); }
  void OnAddedToManager(WidgetManager* manager) override {
    GameScreen::OnAddedToManager(manager);
    mLog.push_back("added " + mName);
  }
  const std::string& GetName() const { return mName; }

private:
  std::vector<std::string>& mLog;
  std::string mName;
};

class RecordingFactory : public ScreenFactory {
public:
  explicit RecordingFactory(std::vector<std::string>& log) : mLog(log) {}

  GameScreen* CreateMainMenu() override { return Make("MainMenu"); }
  GameScreen* CreateMap(int a, int b, int c) override { return Make("Map", {a, b, c}); }
  GameScreen* CreateStore() override { return Make("Store"); }
  GameScreen* CreateCircus() override { return Make("Circus"); }
  GameScreen* CreateTrophyRoom() override { return Make("TrophyRoom"); }
  GameScreen* CreateHotel(int code) override { return Make("Hotel", {code}); }
  GameScreen* CreateTheEndMap() override { return Make("TheEndMap"); }
  GameScreen* CreateFlavorContest() override { return Make("FlavorContest"); }
  GameScreen* CreateBestSellers(int kind, int score, int stars, int time) override {
    return Make("BestSellers", {kind, score, stars, time});
  }
  GameScreen* CreateBoard(int mode, int day) override { return Make("Board", {mode, day}); }

  // "Map(1,0,-4)".
  static std::string Describe(const std::string& name, std::initializer_list<int> args) {
    std::string text = name + "(";
    bool first = true;
    for (int a : args) {
      if (!first) text += ",";
      text += std::to_string(a);
      first = false;
    }
    return text + ")";
  }

private:
  GameScreen* Make(const std::string& name, std::initializer_list<int> args = {}) {
    const std::string text = Describe(name, args);
    mLog.push_back("create " + text);
    return new RecordingScreen(mLog, text);
  }

  std::vector<std::string>& mLog;
};

}  // namespace Plix::Testing
