// The dialog frame: the slide in and out at 16 pixels an update, the veil,
// the click sound of a press, and the one-button message dialog's keys and
// close.
#include "game/screens/GameDialog.h"

#include <gtest/gtest.h>

#include <memory>

#include "framework/widget/ButtonWidget.h"
#include "game/app/GameResources.h"
#include "game/screens/WarningDialogs.h"
#include "tests/game/GameTestSupport.h"
#include "tests/screens/ScreenAppSupport.h"

namespace Plix {
namespace {

using Testing::ScreenGame;

using Testing::FilledImage;
using Testing::ScopedResource;

struct Owner : WarningOwner {
  void OnWarningClosed() override { ++mClosed; }
  int mClosed = 0;
};

class GameDialogTest : public Testing::ScreenAppTest {
protected:
  // A message dialog of a 300 x 300 picture, opened from below the screen.
  MessageDialog* Open(int startY = 600) {
    StartBare();
    auto* dialog = new NotPossibleWindowDialog(Game(), &mOwner);
    dialog->Resize(250, startY, 300, 300);
    Game().AddDialog(MessageDialog::kDialogId, dialog);
    Widgets().SetFocus(dialog);
    return dialog;
  }
  bool IsOpen() { return Game().GetDialog(MessageDialog::kDialogId) != nullptr; }

  std::unique_ptr<MemoryImage> mPicture = FilledImage(300, 300, 0xFFEEDDCC);
  std::unique_ptr<MemoryImage> mButton = FilledImage(120, 40, 0xFF8080FF, 2, 1);
  ScopedResource<Image*> mMessage{IMAGE_DIALOG_MESSAGE, mPicture.get()};
  ScopedResource<Image*> mButton1{IMAGE_DIALOG_BUTTON_1, mButton.get()};
  Owner mOwner;
};

TEST_F(GameDialogTest, SlidesInDisabledAndLandsExactlyOnTheMiddle) {
  MessageDialog* d = Open(-300);
  EXPECT_EQ(d->GetTargetY(), 150);
  EXPECT_EQ(d->GetRestY(), -300);
  EXPECT_TRUE(d->mDisabled);
  // 450 pixels: 28 full steps and one of 2.
  Tick(28);
  EXPECT_EQ(d->mY, 148);
  EXPECT_TRUE(d->IsSliding());
  Tick();
  EXPECT_EQ(d->mY, 150);
  EXPECT_FALSE(d->IsSliding());
  EXPECT_FALSE(d->mDisabled);
  EXPECT_EQ(d->GetRestY(), -300);  // only the first resize counts
  // The button follows: centred, on the bottom inset.
  ButtonWidget* ok = d->GetOkButton();
  EXPECT_EQ(ok->mX, 250 + (300 - 60) / 2);
  EXPECT_EQ(ok->mY, 150 + 300 - 64 - 40);
  EXPECT_EQ(d->GetVeilAlpha(), GameDialog::kVeilMax);  // a warning's veil is fixed
}

TEST_F(GameDialogTest, OkClosesAfterTheSlideOutAndTellsTheOwner) {
  MessageDialog* d = Open();
  Tick(30);
  ButtonWidget* ok = d->GetOkButton();
  Game().mSounds.clear();
  Click(ok->mX + 5, ok->mY + 5);
  EXPECT_EQ(Game().mSounds, std::vector<int>{SOUND_MOUSE_CLICK});
  EXPECT_TRUE(d->IsClosing());
  EXPECT_TRUE(d->mDisabled);
  ASSERT_TRUE(TickUntil([&] { return !IsOpen(); }, 100));
  EXPECT_EQ(mOwner.mClosed, 1);
  Tick(3);
  EXPECT_EQ(mOwner.mClosed, 1);
}

TEST_F(GameDialogTest, EscWhileSlidingInSendsItBackToWhereItCameFrom) {
  MessageDialog* d = Open();
  Tick(5);
  EXPECT_EQ(d->mY, 600 - 5 * 16);
  Key(27);
  Tick(4);
  EXPECT_EQ(d->mY, 600 - 1 * 16);
  EXPECT_EQ(mOwner.mClosed, 0);
  Key(13);  // again while leaving: the same target
  Tick();
  EXPECT_FALSE(IsOpen());
  EXPECT_EQ(mOwner.mClosed, 1);
}

TEST_F(GameDialogTest, APressClicksEvenWhenItIsDraggedOffAndNotReleasedOnTheButton) {
  MessageDialog* d = Open();
  Tick(30);
  ButtonWidget* ok = d->GetOkButton();
  Game().mSounds.clear();
  Move(ok->mX + 5, ok->mY + 5);
  Widgets().MouseDown(ok->mX + 5, ok->mY + 5, 1);
  Widgets().MouseMove(5, 5);
  Widgets().MouseUp(5, 5, 1);
  EXPECT_EQ(Game().mSounds, std::vector<int>{SOUND_MOUSE_CLICK});
  EXPECT_FALSE(d->IsClosing());
  Key(L'x');  // other keys do nothing
  EXPECT_FALSE(d->IsClosing());
}

}  // namespace
}  // namespace Plix
