#pragma once
// What the application needs of its screens. Every screen (the board, the
// main menu, the map, the shops, the hotel, the contest, the best sellers,
// the end map) is a GameScreen widget covering the window; the application
// makes them through a ScreenFactory, so that this library does not depend
// on the screens' own; the executable installs the one that makes them.
#include <string>

#include "framework/widget/Widget.h"

namespace Plix {

class Dialog;
class PlayerProfile;

class GameScreen : public Widget {
public:
  // Focus loss and dialogs: the pause raises a depth, the resume lowers it;
  // while paused the screen's update and input do nothing.
  virtual void Pause() {}
  virtual void Resume() {}
  // The map after a day or the flavour contest.
  virtual void StartProgressAnimation() {}
  // The board after a display-mode change.
  virtual void UpdateBackImageSurface() {}
  // The board: the index of the level it plays (-1 for other screens).
  virtual int GetLevelIndex() const { return -1; }
  // The board: leaves the day; the fade-out carries the result (1 goal
  // reached, 2 missed, 3 Happy Hour over, 4 quit).
  virtual void ExitLevel(int result) {}
  // The main menu after the player dialogs: a new player made (or -1), a
  // row to select in its player dialog, a confirmed or cancelled deletion.
  virtual void ContinueWithPlayer(int index) {}
  virtual void SelectPlayerInDialog(int index) {}
  virtual void DeleteSelectedPlayer(bool confirmed) {}
};

// Makes each screen with the arguments of its constructor; the caller sizes
// it and adds it to the widget manager. Board mode 0 is Story Mode, 1 to 3
// Happy Hour easy, normal and hard; day -1 means none chosen. The map's
// arrival code: -1 default start, -2 from the store, -3 from the circus,
// -4 from the main menu, else the day just played. The hotel's code: 65
// from the map, 0 from the board. Best sellers kind: 0 only shows the
// tables, 1 and 5 enter a Story Mode score, 2 to 4 a Happy Hour one.
class ScreenFactory {
public:
  virtual ~ScreenFactory() = default;

  virtual GameScreen* CreateMainMenu() = 0;
  virtual GameScreen* CreateMap(int firstFlag, int secondFlag, int arrival) = 0;
  virtual GameScreen* CreateStore() = 0;
  virtual GameScreen* CreateCircus() = 0;
  virtual GameScreen* CreateTrophyRoom() = 0;
  virtual GameScreen* CreateHotel(int code) = 0;
  virtual GameScreen* CreateTheEndMap() = 0;
  virtual GameScreen* CreateFlavorContest() = 0;
  virtual GameScreen* CreateBestSellers(int kind, int score, int stars, int time) = 0;
  virtual GameScreen* CreateBoard(int mode, int day) = 0;

  // A profile has just become current: the play field's day set-up, then
  // the store's new-item marks.
  virtual void PrepareDayFromProfile(PlayerProfile& profile) {}
  virtual void UpdateNewItemFlags(PlayerProfile& profile) {}

  // The dialogs the play field opens; null while there are none. The game
  // menu (opened by the menu button, or by a key) resumes the board when it
  // closes and leaves the day with result 4 on quitting. The day's results
  // (money, tips, goal, expert goal, the day's top score) resume the board
  // and leave the day with result 1 when the goal was reached, else 2.
  virtual Dialog* CreateGameMenuDialog(int mode, bool openedByKey) { return nullptr; }
  // Puts up the game's warning dialog with the text (a save that failed).
  virtual void ShowWarning(const std::wstring& text) {}
  virtual Dialog* CreateLevelCompleteDialog(GameScreen* board, int money, int tips, int goal, int expertGoal,
                                            int topScore) {
    return nullptr;
  }
};

}  // namespace Plix
