#pragma once
// A day played as a player plays it: the mouse moved onto a station until
// the board highlights it, clicks on balloons and on items riding the
// belt, every one delivered through the widget manager, and waits bounded
// in game time so that a soft lock fails fast.
#include <gtest/gtest.h>

#include <functional>

#include "framework/widget/WidgetManager.h"
#include "game/app/AlphaButton.h"
#include "game/app/InfoBalloon.h"
#include "game/board/Board.h"
#include "game/board/Conveyor.h"
#include "game/board/Table.h"
#include "tests/board/BoardTestSupport.h"

namespace Plix::Testing {

class PlayFixture : public BoardFixture {
protected:
  void SetUp() override {
    BoardFixture::SetUp();
    InfoBalloon::CreateSharedButtons();  // as the loading's end makes them
  }
  void TearDown() override {
    BoardFixture::TearDown();
    InfoBalloon::DeleteSharedButtons();
  }

  WidgetManager& Widgets() { return *mGame->mAppWidgets; }
  // One tick of the game.
  virtual void Tick() { RunFor(10); }
  Board* Current() { return static_cast<Board*>(mGame->mBoard); }

  // Runs the game a tick at a time until `done` holds; false when it did
  // not within `seconds` of game time.
  bool RunUntil(const std::function<bool()>& done, int seconds = 60) {
    for (int tick = 0; tick < seconds * 100; ++tick) {
      if (done()) return true;
      Tick();
    }
    return done();
  }

  // Moves the mouse over the button until the board highlights it.
  bool Hover(AlphaButton* button, int& x, int& y) {
    Board* board = Current();
    if (!button || !board) return false;
    for (int dy = button->GetHeight() / 2; dy < button->GetHeight(); dy += 3)
      for (int dx = button->GetWidth() / 2; dx < button->GetWidth(); dx += 3) {
        x = button->GetX() + dx;
        y = button->GetY() + dy;
        Widgets().MouseMove(x, y);
        if (board->mHoverButton == button) return true;
      }
    return false;
  }

  bool Click(AlphaButton* button, int clicks = 1) {
    int x = 0, y = 0;
    if (!Hover(button, x, y)) return false;
    Widgets().MouseDown(x, y, clicks);
    Widgets().MouseUp(x, y, clicks);
    return true;
  }

  static void ClickAt(WidgetManager& widgets, int x, int y) {
    widgets.MouseMove(x, y);
    widgets.MouseDown(x, y, 1);
    widgets.MouseUp(x, y, 1);
  }

  // Reads the balloon on screen to its end: its next button page by page,
  // then its yes button. False when no balloon with buttons comes.
  bool ReadBalloon(int seconds = 30) {
    for (int tick = 0; tick < seconds * 100; ++tick) {
      Board* board = Current();
      InfoBalloon* balloon = board ? board->GetBalloon() : nullptr;
      AlphaButton* button = nullptr;
      if (balloon) button = balloon->GetSlot(InfoBalloon::kYes) ? balloon->GetSlot(InfoBalloon::kYes)
                                                                 : balloon->GetSlot(InfoBalloon::kNext);
      if (button) {
        const bool last = button == balloon->GetSlot(InfoBalloon::kYes);
        ClickAt(Widgets(), button->GetX() + button->GetWidth() / 2, button->GetY() + button->GetHeight() / 2);
        if (last && (Current() == nullptr || Current()->GetBalloon() != balloon)) return true;
      }
      Tick();
    }
    return false;
  }

  // Clicks the container where it rides now; false when the board does not
  // highlight it there.
  bool ClickOnBelt(ConveyorContainer* container) {
    Board* board = Current();
    IceCream* item = container->GetItem();
    const int x = static_cast<int>(container->GetX());
    const int y = static_cast<int>(container->GetY()) - item->GetHeight() / 2;
    Widgets().MouseMove(x, y);
    Tick();  // the board looks under the mouse on its tick
    if (board->GetHoverConveyorItem() != item) return false;
    Widgets().MouseDown(x, y, 1);
    Widgets().MouseUp(x, y, 1);
    return true;
  }

  // Clicks the middle of a table; false when the board does not highlight
  // it there.
  bool ClickTable(Table* table) {
    Board* board = Current();
    const int x = table->GetX() + table->GetWidth() / 2, y = table->GetY() + table->GetHeight() / 2;
    Widgets().MouseMove(x, y);
    if (board->mHoverTarget != table) return false;
    Widgets().MouseDown(x, y, 1);
    Widgets().MouseUp(x, y, 1);
    return true;
  }

  // The newest container on the belt, none when it is empty.
  static ConveyorContainer* Newest(Board& board) {
    const ObjectList& containers = board.GetConveyor()->GetContainers();
    if (containers.IsEmpty()) return nullptr;
    return static_cast<ConveyorContainer*>(containers.GetAt(containers.GetCount() - 1));
  }
};

}  // namespace Plix::Testing
