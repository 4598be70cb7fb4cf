#pragma once
// The hotel's two story scenes in the uncle's room: the opening, where the
// uncle offers Pemi the island's business if she proves herself (then the
// first day), and the ending, where he hands it over (then the end map).
// Each is a fixed run of speech balloons and animations; "Skip Story"
// jumps to its end.
#include "game/screens/ContestScene.h"
#include "game/screens/ScreenFrame.h"

namespace Plix {

class ButtonWidget;
class InfoBalloon;

class Hotel : public ScreenFrame {
public:
  // The story mode of the opening, and the profile flag it sets.
  static constexpr int kOpening = 65;
  static constexpr int kSkip = 1;
  static constexpr int kToBoard = 100;
  static constexpr int kToTheEnd = 200;
  enum Speaker { kUncleSpeaks = 0, kHeroineSpeaks = 2 };

  Hotel(GameApp& app, int storyMode);
  ~Hotel() override;

  void OnAddedToManager(WidgetManager* manager) override;
  void OnRemovedFromManager(WidgetManager* manager) override;
  void Draw(Graphics* g) override;
  void DrawOverlay(Graphics* g) override;
  void MouseMove(int x, int y) override;
  void MouseDown(int x, int y, int clickCount) override;
  void MouseDrag(int x, int y) override;
  void MouseUpAt(int x, int y) override;
  void KeyChar(wchar_t ch) override;
  void ButtonPressed(int id) override;
  void ButtonReleased(int id) override;

  bool IsOpening() const { return mStoryMode == kOpening; }
  int GetStep() const { return mStep; }
  InfoBalloon* GetBalloon() const { return mBalloon; }
  ButtonWidget* GetSkipButton() const { return mSkip; }
  const ContestScene& GetScene() const { return mScene; }

protected:
  void UpdateScreen() override;
  void OnFadeResult(int result) override;

private:
  void Say(Speaker speaker, int mode, int x, int y, std::initializer_list<const wchar_t*> pages, const wchar_t* button,
           bool delayed);
  void HeroineSays(const wchar_t* page, const wchar_t* button, bool delayed);
  void OnBalloonAnswer(int answer);
  void RunOpeningStory();
  void RunEndingStory();
  void LeaveOpening();
  void LeaveEnding();

  int mStoryMode;
  ContestScene mScene;
  ButtonWidget* mSkip = nullptr;
  InfoBalloon* mBalloon = nullptr;
  Speaker mSpeaker = kUncleSpeaks;
  int mStep = 0;
  int mCounter = 0;
};

}  // namespace Plix
