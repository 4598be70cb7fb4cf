// The screen frame on the application: pausing, hover and press of its image
// buttons through the widget manager, and leaving through the fade.
#include "game/screens/ScreenFrame.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game/app/AlphaButton.h"
#include "game/app/GameResources.h"
#include "tests/game/GameTestSupport.h"
#include "tests/screens/ScreenAppSupport.h"

namespace Plix {
namespace {

using Testing::ScreenGame;

class TestScreen : public ScreenFrame {
public:
  TestScreen(GameApp& app, Image* image, std::vector<std::string>& log)
      : ScreenFrame(app, "", ""), mImage(image), mLog(log) {}

  void CreateButtons() override {
    AddButton(1, mImage, mImage, 100, 100);  // 0..50 x 0..40 from its corner
    AddButton(2, mImage, mImage, 130, 120);  // overlaps the first
    AddButton(3, mImage, nullptr, 400, 100);
  }
  void OnButton(int id) override { mLog.push_back("button " + std::to_string(id)); }
  bool AcceptsPress(AlphaButton* button) override { return button->GetId() != 3 || mThreeAllowed; }
  void OnFadeResult(int result) override {
    mLog.push_back("result " + std::to_string(result));
    if (result != 1) RemoveAndQueueDelete();  // 1 ends the game: the screen stays
  }
  void UpdateScreen() override { ++mSteps; }
  void Draw(Graphics* g) override { mApp.DrawFade(g); }

  Image* mImage;
  std::vector<std::string>& mLog;
  bool mThreeAllowed = false;
  int mSteps = 0;
};

class ScreenFrameTest : public Testing::ScreenAppTest {
protected:
  TestScreen& AddScreen() {
    ScreenGame& g = StartBare();
    mScreen = new TestScreen(g, mImage.get(), mLog);
    mScreen->Resize(0, 0, 800, 600);
    Widgets().AddWidget(mScreen);
    Widgets().SetFocus(mScreen);
    return *mScreen;
  }
  void TearDown() override {
    if (mScreen && Widgets().HasWidget(mScreen)) {
      Widgets().RemoveWidget(mScreen);
      delete mScreen;
    }
  }
  int State(int id) { return mScreen->FindButton(id)->GetState(); }

  std::unique_ptr<Image> mImage = Testing::GridImage(50, 40);
  TestScreen* mScreen = nullptr;
  std::vector<std::string> mLog;
};

TEST_F(ScreenFrameTest, PausesNestAndAResumeOnARunningScreenDoesNothing) {
  TestScreen& s = AddScreen();
  s.mDirty = false;
  s.Resume();
  EXPECT_EQ(s.GetPauseCount(), 0);
  EXPECT_FALSE(s.mDirty);

  s.Pause();  // a dialog
  s.Pause();  // then the focus
  Tick(3);
  EXPECT_EQ(s.mSteps, 0);
  s.Resume();
  Move(110, 110);  // hover is off while paused
  EXPECT_EQ(s.GetHoveredButton(), nullptr);
  s.Resume();
  Tick();
  EXPECT_EQ(s.mSteps, 1);
  Move(111, 111);
  EXPECT_EQ(s.GetHoveredButton(), s.FindButton(1));
}

TEST_F(ScreenFrameTest, TheLaterOfTwoOverlappingButtonsTakesTheHoverAndTheClick) {
  TestScreen& s = AddScreen();
  ScreenGame& g = Game();
  Move(140, 130);  // inside both
  EXPECT_EQ(State(1), 0);
  EXPECT_EQ(State(2), 1);
  EXPECT_EQ(g.mCursorNumber, 1);
  g.mSounds.clear();
  Click(140, 130);
  EXPECT_EQ(s.mLog, std::vector<std::string>{"button 2"});
  EXPECT_EQ(g.mSounds, std::vector<int>{SOUND_MOUSE_CLICK});
  EXPECT_EQ(State(2), 1);  // the mouse is still over it
  Move(10, 10);
  EXPECT_EQ(State(2), 0);
  EXPECT_EQ(g.mCursorNumber, 0);
}

TEST_F(ScreenFrameTest, APressDraggedOffAndReleasedElsewhereDoesNothing) {
  TestScreen& s = AddScreen();
  Move(110, 110);
  Widgets().MouseDown(110, 110, 1);
  Widgets().MouseMove(300, 300);  // a drag
  EXPECT_EQ(State(1), 0);
  EXPECT_EQ(s.GetHoveredButton(), nullptr);
  Widgets().MouseMove(112, 112);  // back on it
  EXPECT_EQ(State(1), 1);
  Widgets().MouseMove(300, 300);
  Widgets().MouseUp(300, 300, 1);
  EXPECT_TRUE(s.mLog.empty());
  for (int id : {1, 2, 3}) EXPECT_EQ(State(id), 0);
}

TEST_F(ScreenFrameTest, ARefusedPressMakesNoSoundAndNoClick) {
  TestScreen& s = AddScreen();
  Game().mSounds.clear();
  Click(410, 110);
  EXPECT_TRUE(Game().mSounds.empty());
  EXPECT_TRUE(s.mLog.empty());
  s.mThreeAllowed = true;
  Click(410, 110);
  EXPECT_EQ(s.mLog, std::vector<std::string>{"button 3"});
}

TEST_F(ScreenFrameTest, LeavingFadesOutIgnoringInputThenHandsTheResultOverOnce) {
  TestScreen& s = AddScreen();
  s.LeaveWith(5);
  EXPECT_EQ(Game().GetFadeState(), 2);
  Click(110, 110);
  EXPECT_TRUE(mLog.empty());
  ASSERT_TRUE(TickUntil([&] { return !mLog.empty(); }, 100));
  EXPECT_EQ(mLog, std::vector<std::string>{"result 5"});
  EXPECT_FALSE(Widgets().HasWidget(mScreen));
  mScreen = nullptr;  // deleted at the end of that step
  Tick(3);
  EXPECT_EQ(mLog, std::vector<std::string>{"result 5"});
}

TEST_F(ScreenFrameTest, AClickAfterTheFadeOutHasCoveredTheScreenIsIgnored) {
  AddScreen();
  mScreen->LeaveWith(1);
  ASSERT_TRUE(TickUntil([&] { return !mLog.empty(); }, 100));
  EXPECT_EQ(Game().GetFadeState(), 3);
  Click(110, 110);
  EXPECT_EQ(mLog, std::vector<std::string>{"result 1"});
}

}  // namespace
}  // namespace Plix
