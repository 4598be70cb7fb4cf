// The options dialog through the main menu: the volumes act at once and stay
// through Cancel, the screen mode changes only with OK, full screen cannot
// be left while the window mode is unavailable (with its warning), and a box
// clicked while the dialog slides out opens no warning.
#include "game/screens/OptionsDialog.h"

#include <gtest/gtest.h>

#include "framework/graphics/Image.h"
#include "framework/widget/Checkbox.h"
#include "framework/widget/Slider.h"
#include "game/app/GameResources.h"
#include "game/screens/HelpDialog.h"
#include "tests/screens/MenuTestSupport.h"

namespace Plix {
namespace {

using Testing::MainMenuTest;
using Testing::ScreenGame;

class OptionsDialogTest : public MainMenuTest {
protected:
  OptionsDialog* Open() {
    ClickSign(MainMenu::kOptions);
    auto* options = OpenDialog<OptionsDialog>(OptionsDialog::kDialogId);
    EXPECT_NE(options, nullptr);
    if (options) {
      EXPECT_TRUE(AtRest(options));
    }
    return options;
  }
  bool Closed() {
    return TickUntil([&] { return Game().GetDialog(OptionsDialog::kDialogId) == nullptr; }, 200);
  }
  void ClickBox(OptionsDialog* options, int id) {
    Checkbox* box = options->GetBox(id);
    Click(box->mX + 5, box->mY + box->mHeight / 2);
  }
};

TEST_F(OptionsDialogTest, VolumesActAtOnceAndStayThroughCancel) {
  Boot();
  ScreenGame& g = Game();
  OptionsDialog* options = Open();
  EXPECT_EQ(options->GetSlider(OptionsDialog::kMusic)->mVal, g.GetMusicVolume());
  Slider* music = options->GetSlider(OptionsDialog::kMusic);
  Slider* sound = options->GetSlider(OptionsDialog::kSound);
  Click(music->mX + music->mWidth / 10, music->mY + music->mHeight / 2);
  Click(sound->mX + sound->mWidth - 2, sound->mY + sound->mHeight / 2);
  const double musicVolume = g.GetMusicVolume(), soundVolume = g.GetSfxVolume();
  EXPECT_NEAR(musicVolume, 0.1, 0.05);
  EXPECT_GT(soundVolume, 0.9);
  ClickButton(options->GetButton(OptionsDialog::kCancel));
  ASSERT_TRUE(Closed());
  EXPECT_EQ(g.GetMusicVolume(), musicVolume);
  EXPECT_EQ(g.GetSfxVolume(), soundVolume);
  EXPECT_EQ(Menu()->GetPauseCount(), 0);
}

TEST_F(OptionsDialogTest, SwitchesApplyWithOkOnlyAndTheTutorialsOptionIsSaved) {
  Boot();
  ScreenGame& g = Game();
  g.SetCurrentProfile(g.CreateProfile(L"Pemi"));
  const bool windowed = g.mWindowedMode;
  const bool tutorials = g.GetCurrentProfile()->GetShowTutorials();

  OptionsDialog* options = Open();
  ClickBox(options, OptionsDialog::kFullScreen);
  ClickBox(options, OptionsDialog::kShowTutorials);
  EXPECT_EQ(options->GetBox(OptionsDialog::kFullScreen)->mChecked, windowed);
  EXPECT_EQ(options->GetBox(OptionsDialog::kShowTutorials)->mChecked, !tutorials);
  Key(27);  // Cancel
  ASSERT_TRUE(Closed());
  EXPECT_EQ(g.mWindowedMode, windowed);
  EXPECT_EQ(g.GetCurrentProfile()->GetShowTutorials(), tutorials);

  options = Open();
  ClickBox(options, OptionsDialog::kFullScreen);
  ClickBox(options, OptionsDialog::kShowTutorials);
  EXPECT_EQ(options->GetBox(OptionsDialog::kFullScreen)->mChecked, windowed);
  Key(27);
  Key(13);  // the last key counts: OK
  ASSERT_TRUE(Closed());
  EXPECT_EQ(g.mWindowedMode, !windowed);
  EXPECT_EQ(g.GetCurrentProfile()->GetShowTutorials(), !tutorials);
  g.Shutdown();
  EXPECT_EQ(ReadBackProfiles()->GetCurrentProfile()->GetShowTutorials(), !tutorials);
}

// Alt+Enter while the dialog is open: OK keeps that mode, for the player
// did not touch the box.
TEST_F(OptionsDialogTest, OkKeepsTheModeAnAltEnterChoseWhileTheDialogWasOpen) {
  Boot();
  ScreenGame& g = Game();
  const bool windowed = g.mWindowedMode;
  Open();
  SendMessageA(g.mMainWindow, WM_SYSKEYDOWN, VK_RETURN, 0);
  while (g.ProcessDeferredMessages()) {
  }
  ASSERT_EQ(g.mWindowedMode, !windowed);
  Key(13);
  ASSERT_TRUE(Closed());
  EXPECT_EQ(g.mWindowedMode, !windowed);
}

TEST_F(OptionsDialogTest, FullScreenStaysWhenTheWindowModeIsUnavailableAndSaysWhy) {
  Boot();
  ScreenGame& g = Game();
  g.mWindowedMode = false;
  g.mFullScreenForced = true;
  OptionsDialog* options = Open();
  ASSERT_TRUE(options->GetBox(OptionsDialog::kFullScreen)->mChecked);
  g.mSounds.clear();
  ClickBox(options, OptionsDialog::kFullScreen);
  EXPECT_TRUE(options->GetBox(OptionsDialog::kFullScreen)->mChecked);
  EXPECT_EQ(g.mSounds, (std::vector<int>{SOUND_CHECKBOX_OFF, SOUND_CHECKBOX_ON}));
  auto* warning = OpenDialog<NotPossibleWindowDialog>(MessageDialog::kDialogId);
  ASSERT_NE(warning, nullptr);
  EXPECT_FALSE(options->DrawsOverlay());
  ASSERT_TRUE(AtRest(warning));
  ClickButton(warning->GetOkButton());
  ASSERT_TRUE(TickUntil([&] { return g.GetDialog(MessageDialog::kDialogId) == nullptr; }, 200));
  EXPECT_TRUE(options->DrawsOverlay());
  ClickButton(options->GetButton(OptionsDialog::kOk));
  ASSERT_TRUE(Closed());
  EXPECT_FALSE(g.mWindowedMode);
}

// Sliding out, the dialog is about to close: a warning opened then would
// report to a dialog already gone.
TEST_F(OptionsDialogTest, ABoxClickedWhileTheDialogSlidesOutOpensNoWarning) {
  Boot();
  ScreenGame& g = Game();
  g.mWindowedMode = false;
  g.mFullScreenForced = true;
  OptionsDialog* options = Open();
  Key(27);
  Tick();
  ClickBox(options, OptionsDialog::kFullScreen);
  EXPECT_EQ(g.GetDialog(MessageDialog::kDialogId), nullptr);
  EXPECT_TRUE(options->GetBox(OptionsDialog::kFullScreen)->mChecked);
  ASSERT_TRUE(Closed());
  Tick(3);
  EXPECT_EQ(Menu()->GetPauseCount(), 0);
}

TEST_F(OptionsDialogTest, ThreeDOnADisplayNotRecommendedForItWarnsAndStillAppliesWithOk) {
  Boot();
  ScreenGame& g = Game();
  ASSERT_TRUE(g.IsHardwareSupported());
  ASSERT_FALSE(g.IsHardwareRecommended());  // the software device
  OptionsDialog* options = Open();
  ASSERT_FALSE(options->GetBox(OptionsDialog::k3D)->mChecked);
  ClickBox(options, OptionsDialog::k3D);
  auto* warning = OpenDialog<NotRecommended3DDialog>(MessageDialog::kDialogId);
  ASSERT_NE(warning, nullptr);
  EXPECT_TRUE(options->GetBox(OptionsDialog::k3D)->mChecked);
  EXPECT_NE(Widgets().mFocusWidget, warning);  // the options keep the keys
  ASSERT_TRUE(AtRest(warning));
  ClickButton(warning->GetOkButton());
  ASSERT_TRUE(TickUntil([&] { return g.GetDialog(MessageDialog::kDialogId) == nullptr; }, 200));
  ClickButton(options->GetButton(OptionsDialog::kOk));
  ASSERT_TRUE(Closed());
  EXPECT_TRUE(g.IsHardwareDrawing());
}

// Opened over the pause menu: a fixed veil from the start, and the pause
// menu gets its own veil back when they close.
TEST_F(OptionsDialogTest, OverThePauseMenuTheVeilIsFixedAndTheOwnerIsToldOnClose) {
  struct PauseMenu : OverlayOwner {
    void RestoreOverlay() override { ++mRestored; }
    int mRestored = 0;
  } pauseMenu;
  Boot();
  ScreenGame& g = Game();
  Image* pictures[] = {IMAGE_DIALOG_STANDARD, IMAGE_DIALOG_BIG};
  const int ids[] = {OptionsDialog::kDialogId, HelpDialog::kDialogId};
  for (int i = 0; i < 2; ++i) {
    GameDialog* d = i == 0 ? static_cast<GameDialog*>(new OptionsDialog(g, false, &pauseMenu))
                           : new HelpDialog(g, false, &pauseMenu);
    d->Resize((800 - pictures[i]->GetWidth()) / 2, 600, pictures[i]->GetWidth(), pictures[i]->GetHeight());
    g.AddDialog(ids[i], d);
    Widgets().SetFocus(d);
    EXPECT_EQ(d->GetVeilAlpha(), GameDialog::kVeilMax);
    ASSERT_TRUE(AtRest(d));
    EXPECT_EQ(d->GetVeilAlpha(), GameDialog::kVeilMax);
    Key(27);
    ASSERT_TRUE(TickUntil([&] { return g.GetDialog(ids[i]) == nullptr; }, 200));
    EXPECT_EQ(pauseMenu.mRestored, i + 1);
    EXPECT_EQ(Menu()->GetPauseCount(), 0);  // the menu was never paused for them
  }
}

}  // namespace
}  // namespace Plix
