#include "tools/demos/Navigator.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "framework/platform/SdlWindow.h"
#include "framework/widget/ButtonWidget.h"
#include "game/app/AlphaButton.h"
#include "game/app/GameApp.h"
#include "game/app/InfoBalloon.h"
#include "game/board/Board.h"
#include "game/screens/BestSellers.h"
#include "game/screens/DifficultyDialog.h"
#include "game/screens/FlavorContest.h"
#include "game/screens/Hotel.h"
#include "game/screens/LevelCompleteDialog.h"
#include "game/screens/MainMenu.h"
#include "game/screens/Map.h"
#include "game/screens/PlayerDialogs.h"
#include "game/screens/ShopScreen.h"
#include "game/screens/TrophyRoom.h"

namespace Plix::Demos {

namespace {

// About twenty minutes of play: far more than any run needs.
constexpr int kTickLimit = 120000;
// Updates between two actions off the floor: a player's pace.
constexpr int kPause = 40;

}  // namespace

Navigator::Navigator(const Scenario& scenario) : mScenario(scenario) {}
Navigator::~Navigator() = default;

void Navigator::Finish() {
  mHand.Close();
  mClosed = true;
}

bool Navigator::ClickAlpha(AlphaButton* button) {
  if (!button || !button->IsVisible() || button->GetState() == 3) return false;
  for (int y = button->GetY() + button->GetHeight() / 2; y < button->GetY() + button->GetHeight(); ++y)
    for (int x = button->GetX() + button->GetWidth() / 2; x < button->GetX() + button->GetWidth(); ++x)
      if (button->Contains(x, y)) {
        // From elsewhere: the button sees the mouse come over it.
        mHand.Move(1, 1);
        mHand.Click(x, y);
        return true;
      }
  for (int y = button->GetY(); y < button->GetY() + button->GetHeight(); ++y)
    for (int x = button->GetX(); x < button->GetX() + button->GetWidth(); ++x)
      if (button->Contains(x, y)) {
        mHand.Move(1, 1);
        mHand.Click(x, y);
        return true;
      }
  return false;
}

void Navigator::ClickWidget(ButtonWidget* button) {
  if (!button) return;
  mHand.Move(1, 1);
  mHand.Click(button->mX + button->mWidth / 2, button->mY + button->mHeight / 2);
}

bool Navigator::AnswerBalloon(InfoBalloon* balloon) {
  if (!balloon || balloon->GetShown() <= 0) return false;
  const int first = balloon->IsLastPage() ? InfoBalloon::kYes : InfoBalloon::kNext;
  for (int slot : {first, int{InfoBalloon::kYes}, int{InfoBalloon::kNext}}) {
    AlphaButton* button = balloon->GetSlot(slot);
    if (button && button->IsVisible()) {
      mHand.Move(1, 1);
      mHand.Click(button->GetX() + button->GetWidth() / 2, button->GetY() + button->GetHeight() / 2);
      return true;
    }
  }
  return false;
}

bool Navigator::HandleDialogs(GameApp& game) {
  Dialog* top = nullptr;
  for (const auto& [id, dialog] : game.mOpenDialogs)
    if (dialog) top = dialog;
  if (!top) return false;
  if (auto* report = dynamic_cast<LevelCompleteDialog*>(top)) {
    mReported = true;
    if (report->GetPhase() == LevelCompleteDialog::kDone && !report->IsSliding()) {
      ClickWidget(report->GetButton());
      mWait = kPause;
    }
    return true;
  }
  auto* dialog = dynamic_cast<GameDialog*>(top);
  if (dialog && dialog->IsSliding()) return true;
  if (auto* difficulty = dynamic_cast<DifficultyDialog*>(top)) {
    const int at = difficulty->GetDifficultyIndex();
    const int id = at < mScenario.mDifficulty   ? DifficultyDialog::kNext
                   : at > mScenario.mDifficulty ? DifficultyDialog::kPrevious
                                                : DifficultyDialog::kPlay;
    ClickWidget(difficulty->GetButton(id));
  } else if (dynamic_cast<NameEntryDialog*>(top)) {
    mHand.Type("Pemi");
    mHand.Key(SDLK_RETURN, SDL_SCANCODE_RETURN);
  } else {
    // Whatever else asks: its default answer.
    mHand.Key(SDLK_RETURN, SDL_SCANCODE_RETURN);
  }
  mWait = kPause;
  return true;
}

void Navigator::Step(GameApp& game) {
  ++mTicks;
  if (mClosed) return;
  if (mTicks == 1) {
    SdlWindow* window = SdlWindow::FromHandle(game.mMainWindow);
    if (window) mHand.SetWindow(window->WindowId());
    // As a desktop does when the window comes up (SDL's dummy driver has
    // no window manager): without focus the screens stay paused.
    mHand.Focus();
  }
  if (mTicks > kTickLimit) {
    mFailure = "the run did not end within " + std::to_string(kTickLimit) + " updates";
    Finish();
    return;
  }
  if (Hand::Busy()) return;

  // The floor: its own player, every update.
  auto* board = dynamic_cast<Board*>(game.mBoard);
  if (board != mFloorScreen) {
    mFloorScreen = board;
    mFloor = board ? std::make_unique<FloorPlayer>(mFloorHand) : nullptr;
  }
  if (mWait > 0) --mWait;
  if (board && mFloor && mTicks % 1000 == 0 && std::getenv("DEMO_TRACE"))
    std::fprintf(stderr, "%s", mFloor->Describe(*board).c_str());
  if (game.mOpenDialogs.empty() && board && mFloor) {
    if (game.GetFadeState() == 0) mFloor->Step(*board);
    return;
  }
  if (mWait > 0) return;
  if (HandleDialogs(game)) return;
  if (game.GetFadeState() != 0) return;
  mWait = kPause;

  if (auto* menu = dynamic_cast<MainMenu*>(game.mMainMenu)) {
    if (menu->GetQuitOffset() != 0 || menu->GetBuildingOffset() != 0 || menu->GetPendingAction() != 0) return;
    if (mScenario.mKind == Scenario::kHappyHour && mReported) {
      Finish();
      return;
    }
    ClickAlpha(menu->FindButton(mScenario.mKind == Scenario::kHappyHour ? MainMenu::kHappyHour
                                                                        : MainMenu::kStoryMode));
    return;
  }
  if (auto* map = dynamic_cast<Map*>(game.mMap)) {
    if (AnswerBalloon(map->GetBalloon())) return;
    if (map->GetBalloon()) return;
    switch (mScenario.mKind) {
      case Scenario::kStore:
        if (mVisited) break;
        ClickAlpha(map->FindButton(Map::kStore));
        return;
      case Scenario::kCircus:
        if (mVisited) break;
        ClickAlpha(map->FindButton(Map::kCircus));
        return;
      case Scenario::kContest:
        if (mVisited) break;
        if (mReported) {
          mFailure = "the day ended without the flavour contest";
          Finish();
          return;
        }
        ClickAlpha(map->FindButton(Map::kPlay));
        return;
      default:
        if (mReported) break;
        ClickAlpha(map->FindButton(Map::kPlay));
        return;
    }
    Finish();
    return;
  }
  if (auto* hotel = dynamic_cast<Hotel*>(game.mHotel)) {
    if (AnswerBalloon(hotel->GetBalloon())) {
      mIdleTicks = 0;
      return;
    }
    // A long while without a word to answer: the opening is skipped.
    if ((mIdleTicks += kPause) > 3000) ClickWidget(hotel->GetSkipButton());
    return;
  }
  GameScreen* shopScreen = game.mStore ? game.mStore : game.mCircus;
  if (auto* shop = dynamic_cast<ShopScreen*>(shopScreen)) {
    mVisited = true;
    if (AnswerBalloon(shop->GetBalloon())) return;
    if (shop->GetBalloon()) return;
    if (!mBought) {
      // The first good on offer.
      mBought = true;
      for (int i = 0; i < shop->GetButtonCount(); ++i) {
        AlphaButton* button = shop->GetButton(i);
        if (button && button->GetId() != ShopScreen::kExit && ClickAlpha(button)) return;
      }
    }
    ClickAlpha(shop->FindButton(ShopScreen::kExit));
    return;
  }
  if (auto* contest = dynamic_cast<FlavorContest*>(game.mFlavorContest)) {
    mVisited = true;
    InfoBalloon* balloon = contest->GetBalloon();
    if (!balloon || balloon->GetShown() <= 0) return;
    if (contest->GetState() == FlavorContest::kQuestion && balloon->IsLastPage() &&
        balloon->GetSlot(InfoBalloon::kPlus) && balloon->GetSlot(InfoBalloon::kPlus)->IsVisible()) {
      // Halving the range by the judges' verdict on the last guess.
      if (mGuess > 0) {
        if (contest->GetVerdict() == 1) mLow = mGuess + 1;
        if (contest->GetVerdict() == -1) mHigh = mGuess - 1;
        mGuess = 0;
      }
      const int target = std::clamp((mLow + mHigh) / 2, 1, 10);
      const int at = balloon->GetNumber();
      AlphaButton* button = balloon->GetSlot(at < target   ? InfoBalloon::kPlus
                                             : at > target ? InfoBalloon::kMinus
                                                           : InfoBalloon::kYes);
      if (at == target) mGuess = target;
      mHand.Move(1, 1);
      mHand.Click(button->GetX() + button->GetWidth() / 2, button->GetY() + button->GetHeight() / 2);
      mWait = 10;
      return;
    }
    AnswerBalloon(balloon);
    return;
  }
  if (game.mBestSellersScreen) {
    mReported = true;
    Finish();
    return;
  }
  if (auto* trophies = dynamic_cast<ScreenFrame*>(game.mTrophyRoom)) {
    ClickAlpha(trophies->FindButton(TrophyRoom::kExit));
    return;
  }
}

}  // namespace Plix::Demos
