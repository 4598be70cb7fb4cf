// The board's input: hover tracking over the stations, the tables and the
// belt, and the click dispatch that turns a press into the heroine's
// errands and the monkey's tasks.
#include "framework/graphics/Image.h"
#include "framework/widget/Dialog.h"
#include "framework/widget/WidgetManager.h"
#include "game/app/AlphaButton.h"
#include "game/app/Fade.h"
#include "game/app/GameApp.h"
#include "game/app/GameHost.h"
#include "game/app/GameResources.h"
#include "game/app/InfoBalloon.h"
#include "game/app/PlayerProfile.h"
#include "game/board/Board.h"
#include "game/board/Conveyor.h"
#include "game/board/StationButtons.h"
#include "game/board/Table.h"
#include "game/board/Tutorial.h"
#include "game/board/Uncle.h"
#include "game/characters/Girl.h"
#include "game/characters/Monkey.h"

namespace Plix {

namespace {

// Tutorial step types the input looks at.
constexpr int kStepBalloon = 1;
constexpr int kStepButton = 2;
constexpr int kStepConveyor = 3;
constexpr int kStepTable = 4;

// Profile flags.
constexpr int kFlagMachineLesson = 3;
constexpr int kFlagGoldenIceCream = 18;
constexpr int kFlagFastForward = 32;

constexpr int kGameMenuDialog = 6;

void Play(int sound) { GetGameHost()->PlaySound(sound); }

bool ProfileFlag(GameApp& app, int flag) {
  PlayerProfile* profile = app.GetCurrentProfile();
  return profile && profile->GetFlag(flag);
}

bool BoardTakesInput(const Board& board) {
  if (board.mPauseDepth > 0) return false;
  // Once the day closes nothing on the floor reacts any more.
  int fade = board.mApp.GetFadeState();
  return fade != Fade::kFadingOut && fade != Fade::kFadedOut;
}

void OpenGameMenu(Board& board, bool openedByKey) {
  // A lost Happy Hour game goes on to the best sellers by itself.
  if (board.GetMode() != 0 && board.mGameOverBanner.mState != 0) return;
  Dialog* menu = board.mApp.GetScreenFactory().CreateGameMenuDialog(board.GetMode(), openedByKey);
  if (!menu) return;
  board.Pause();
  int w = IMAGE_DIALOG_MENU ? IMAGE_DIALOG_MENU->GetWidth() : 0;
  int h = IMAGE_DIALOG_MENU ? IMAGE_DIALOG_MENU->GetHeight() : 0;
  menu->Resize((800 - w) / 2, -h, w, h);
  board.mApp.AddDialog(kGameMenuDialog, menu);
  if (board.mApp.mAppWidgets) board.mApp.mAppWidgets->SetFocus(menu);
}

}  // namespace

void Board::MouseMove(int x, int y) {
  if (!BoardTakesInput(*this)) return;
  mMouseX = x;
  mMouseY = y;
  // An ice cream the mouse has left is no longer under it, even before the
  // tick looks again: a press that follows the move at once belongs to what
  // is under the mouse now.
  if (IceCream* hovered = GetHoverConveyorItem(); hovered && mConveyor->ItemAt(x, y) != hovered) {
    mHoverConveyorSerial = 0;
    mConveyor->SetHighlightedItem(nullptr);
  }
  AlphaButton* menu = mMenuButton.get();
  if (mBalloon) {
    mBalloon->MouseMove(x, y, true);
    if (mBalloon->HasButtons()) {
      if (menu && menu->Contains(x, y)) {
        menu->SetState(1);
        mHoverButton = menu;
        GetGameHost()->SetCursor(1);
      } else {
        if (menu) menu->LeaveHover();
        mHoverButton = nullptr;
      }
      return;
    }
  }
  if (mHoverTarget) {
    static_cast<Table*>(mHoverTarget)->SetHighlighted(false);
    mHoverTarget = nullptr;
  }
  // A button disabled while the mouse was on it stays disabled.
  DropHoverButton();
  AlphaButton* candidate = nullptr;
  for (int list : {2, 0, 1}) {
    ObjectListIterator it;
    for (it.Begin(mButtonLists[list]); !it.AtEnd(); it.Next()) {
      auto* button = static_cast<AlphaButton*>(it.Get());
      if (button->GetState() != 3 && button->Contains(x, y)) candidate = button;
    }
  }
  bool uncleIdle = !mUncle || mUncle->IsIdle();
  if (candidate) {
    bool accepted = candidate == menu;
    if (mTutorial) {
      accepted = accepted || (mTutorial->GetStepType() == kStepButton && mTutorial->GetStepTarget() == candidate);
    } else {
      accepted = accepted || uncleIdle;
    }
    if (accepted) {
      candidate->SetState(1);
      mHoverButton = candidate;
    }
  }
  if (!mHoverButton && uncleIdle) {
    ObjectListIterator it;
    for (it.Begin(mTables); !it.AtEnd(); it.Next()) {
      auto* table = static_cast<Table*>(it.Get());
      if (!table->HitTest(x, y)) continue;
      if (mTutorial && !(mTutorial->GetStepType() == kStepTable && mTutorial->GetTargetTable() == table)) continue;
      table->SetHighlighted(true);
      mHoverTarget = table;
      break;
    }
  }
  GetGameHost()->SetCursor(mHoverButton || mHoverTarget ? 1 : 0);
}

void Board::MouseDrag(int x, int y) {
  if (!BoardTakesInput(*this)) return;
  mMouseX = x;
  mMouseY = y;
  if (mBalloon) mBalloon->MouseDrag(x, y);
}

void Board::MouseDownButton(int x, int y, int button, int clickCount) {
  if (!BoardTakesInput(*this)) return;
  // The click keeps its sign: a right click lifts a whole ice-cream box.
  ClickAt(x, y, button == 1 ? -clickCount : clickCount);
}

void Board::MouseUpButton(int x, int y, int, int) {
  if (!BoardTakesInput(*this)) return;
  AlphaButton* menu = mMenuButton.get();
  bool open = false;
  bool used = false;
  if (mBalloon) used = HandleBalloonResult(mBalloon->MouseUp(x, y));
  if (!used && menu && mHoverButton == menu) {
    if (mBalloon) menu->SetState(0);
    open = menu->Contains(x, y);
  }
  if (open) OpenGameMenu(*this, false);
  MouseMove(x, y);
}

void Board::KeyChar(wchar_t ch) {
  if (!BoardTakesInput(*this)) return;
  if (mBalloon && HandleBalloonResult(mBalloon->KeyDown(ch))) return;
  if (ch == 27 || ch == L'p') OpenGameMenu(*this, true);
}

bool Board::HandleBalloonResult(int result) {
  if (result <= 0) return false;
  if (result == 1) return true;
  CloseBalloon();
  if (mTutorial && mTutorial->GetStepType() == kStepBalloon) AdvanceTutorial();
  if (mUncle && !mUncle->IsIdle()) mUncle->OnBalloonClosed();
  return true;
}

bool Board::IsFFButtonActionQueued() { return mGirl && mGirl->HasFFButtonAction(); }

void Board::ClickAt(int, int, int clickCount) {
  AlphaButton* hovered = mHoverButton;
  if (hovered && hovered->GetState() == 3) {
    // Disabled under the mouse (its last stock used): it stays disabled and
    // takes no click.
    mHoverButton = nullptr;
    hovered = nullptr;
  }
  int id = -1;
  if (hovered) {
    hovered->LeaveHover();
    id = hovered->GetId();
    if (hovered == mMenuButton.get()) Play(SOUND_MOUSE_CLICK);
  }
  if (mBalloon) {
    mBalloon->MouseDown();
    if (mBalloon && mBalloon->HasButtons() && mBalloon->IsBlocking() && mBalloon->IsLastPage()) return;
  }

  if (IceCream* item = GetHoverConveyorItem()) {
    if (mTutorial) {
      if (mTutorial->GetStepType() == kStepConveyor) {
        CloseBalloon();
        AdvanceTutorial();
      }
    } else {
      int kind = item->GetKind();
      if (kind >= kItemSpecialCup && kind <= kItemCake) return;
      if (kind == kItemGolden && !ProfileFlag(mApp, kFlagGoldenIceCream)) return;
    }
    if (mGirl && mGirl->EnqueueIceCream(item)) item->IncrementMarker();
    Play(SOUND_ACTION_ADDED_1);
    GetGameHost()->SetCursor(0);
    return;
  }

  if (hovered) {
    if (mTutorial) {
      if (mTutorial->GetStepType() != kStepButton || mTutorial->GetStepTarget() != hovered) return;
      CloseBalloon();
      AdvanceTutorial();
    }
    Play(SOUND_ACTION_ADDED_1);
    GetGameHost()->SetCursor(0);
    Girl* girl = mGirl.get();
    Monkey* monkey = mMonkey.get();
    if (!girl || id > 41) return;
    // A badge for the click; `accepted` false leaves the station unmarked.
    auto badge = [hovered](bool accepted) {
      if (accepted) hovered->IncrementPending();
    };
    switch (id) {
      case 0:
        ++mFastForwardClicks;
        girl->EnqueueFFButton();
        badge(true);
        MarkProfileFlag(kFlagFastForward);
        break;
      case 1:
        if (monkey) monkey->EnqueueToCounterDish();
        badge(true);
        break;
      case 3:
        girl->EnqueueInitToIceCreamMachine();
        badge(true);
        break;
      case 4:
      case 5:
      case 6:
        if (mConveyor) mConveyor->AddItem(id - 3, false);
        badge(true);
        break;
      case 7:
      case 8:
      case 9:
      case 10:
      case 11:
      case 12: {
        // A single right click lifts the box with what is left in it, once
        // the machine lesson has told the player so (or lessons are off).
        bool takeWhole = mMode == 0 && clickCount == -1 &&
                         (ProfileFlag(mApp, kFlagMachineLesson) ||
                          (mApp.GetCurrentProfile() && !mApp.GetCurrentProfile()->GetShowTutorials()));
        badge(girl->EnqueueIceCreamBox(&mIceCreamBoxes[id - 7], hovered, takeWhole));
        break;
      }
      case 13: badge(girl->EnqueueTrashcan()); break;
      case 14: badge(monkey && monkey->EnqueueToTrashStation()); break;
      case 15: badge(girl->EnqueueSpecialCup()); break;
      case 16: badge(girl->EnqueueBananaSplit()); break;
      case 17: badge(girl->EnqueueSpecialPlate()); break;
      case 18: badge(girl->EnqueueCake()); break;
      case 19: girl->EnqueueStrawBerry(); break;
      case 20: girl->EnqueueChocolate(); break;
      case 21: girl->EnqueuePear(); break;
      case 22: girl->EnqueueBlueBerry(); break;
      case 23: girl->EnqueuePineApple(); break;
      case 24: badge(girl->EnqueueCherries()); break;
      case 25: badge(girl->EnqueueSprinkles()); break;
      case 26: badge(girl->EnqueueChocolateSauce()); break;
      case 27: badge(girl->EnqueueUmbrellas()); break;
      case 28: badge(girl->EnqueueCocktailSticks()); break;
      case 29: badge(girl->EnqueueStraws()); break;
      case 30: badge(girl->EnqueueSparklers()); break;
      case 31: badge(girl->EnqueueBananas()); break;
      case 32: badge(girl->EnqueueApples()); break;
      case 33: badge(girl->EnqueuePears()); break;
      case 34: badge(girl->EnqueueSuperBanana()); break;
      case 35: badge(monkey && monkey->EnqueueToNapkins()); break;
      case 36: badge(monkey && monkey->EnqueueToCookies()); break;
      case 37:
      case 38:
      case 39:
        if (monkey && monkey->EnqueueToLemonade()) {
          for (auto& lemonade : mLemonadeButtons) {
            if (lemonade) lemonade->IncrementPending();
          }
        }
        break;
      case 40:
        if (monkey) monkey->EnqueueToJugglingBalls();
        badge(true);
        break;
      case 41:
        if (monkey) monkey->EnqueueToBarrelOrgan();
        badge(true);
        break;
      default: break;
    }
    return;
  }

  if (mHoverTarget && mMode == 0) {
    auto* table = static_cast<Table*>(mHoverTarget);
    if (mTutorial) {
      if (mTutorial->GetStepType() != kStepTable || mTutorial->GetTargetTable() != table) return;
      Play(SOUND_ACTION_ADDED_1);
      if (mMonkey) mMonkey->EnqueueToTable(table);
      table->IncrementPending();
      CloseBalloon();
      AdvanceTutorial();
    } else {
      if (mMonkey) mMonkey->EnqueueToTable(table);
      table->IncrementPending();
      Play(SOUND_ACTION_ADDED_1);
    }
    GetGameHost()->SetCursor(0);
  }
}

}  // namespace Plix
