#pragma once
// What every full-screen place of the game shares: its resource group,
// loaded when it is made and freed when it is deleted; its song under music
// id 0, started when it is added and unloaded when it is removed; its image
// buttons with hover and press; the pause counter through which focus loss
// and the dialogs freeze it; and the way it leaves: a fade-out with a result
// code, then the result's switcher once the fade has covered the screen.
#include <string>

#include "framework/widget/ButtonListener.h"
#include "game/app/GameScreen.h"
#include "game/app/ObjectList.h"

namespace Plix {

class AlphaButton;
class GameApp;
class Image;

class ScreenFrame : public GameScreen, public ButtonListener {
public:
  enum class GroupLoad { kAlways, kWhenNotReady };

  // Loads and binds the group (none when empty) and remembers the song.
  ScreenFrame(GameApp& app, std::string group, std::string song, GroupLoad load = GroupLoad::kAlways);
  ~ScreenFrame() override;

  void OnAddedToManager(WidgetManager* manager) override;
  void OnRemovedFromManager(WidgetManager* manager) override;
  // Nothing while paused; else the screen's own step, then the fade.
  void Update() override;
  void MouseMove(int x, int y) override;
  void MouseDown(int x, int y, int clickCount) override;
  void MouseUpAt(int x, int y) override;
  void MouseDrag(int x, int y) override;

  void Pause() override;
  void Resume() override;
  int GetPauseCount() const { return mPauseCount; }
  bool IsPaused() const { return mPauseCount > 0; }

  // A button made from its id, its state-0 image, its over image (or none)
  // and its place, appended to the button list.
  AlphaButton* AddButton(int id, Image* normal, Image* over, int x, int y);
  AlphaButton* FindButton(int id) const;
  int GetButtonCount() const { return mButtons.GetCount(); }
  AlphaButton* GetHoveredButton() const { return mHovered; }
  AlphaButton* GetPressedButton() const { return mPressed; }
  const std::string& GetGroup() const { return mGroup; }

  // Fades the screen and its song out towards the result.
  void LeaveWith(int result);
  // Takes the screen off the widget manager and queues it for deletion;
  // the caller then calls the switcher and touches nothing of it after.
  void RemoveAndQueueDelete();

protected:
  // Made in OnAddedToManager, before the fade-in and the song.
  virtual void CreateButtons() {}
  // The screen's own step of an unpaused update, before the fade.
  virtual void UpdateScreen() {}
  // The fade-out's result: the screen leaves (RemoveAndQueueDelete, then a
  // switcher) or, for the end of the game, shuts the program down.
  virtual void OnFadeResult(int result) {}
  // The release of a pressed button over itself.
  virtual void OnButton(int id) {}
  // False refuses a press on that button (no sound, nothing pressed).
  virtual bool AcceptsPress(AlphaButton* button) { return true; }
  // Added to a button's y before the hit test (sliding buttons).
  virtual int ButtonOffsetY(AlphaButton* button) { return 0; }
  // The fade: 0, or the result once the fade-out has covered the screen;
  // true when the screen has left (nothing of it may be touched then).
  bool StepFade();
  // Draws every visible button with its offset.
  void DrawButtons(Graphics* g);
  bool HitButton(AlphaButton* button, int x, int y);
  // The song goes on playing into the next screen.
  void KeepSongWhenRemoved() { mKeepSong = true; }

  GameApp& mApp;
  int mPauseCount = 0;
  ObjectList mButtons;  // AlphaButton*, owned
  AlphaButton* mHovered = nullptr;
  AlphaButton* mPressed = nullptr;

private:
  std::string mGroup;
  std::string mSong;
  bool mLeft = false;
  bool mKeepSong = false;
};

}  // namespace Plix
