#pragma once
// Stand-ins for the screens not built yet: each names its screen and the
// arguments it was made with, and offers the moves out of it as buttons.
// A move fades the stand-in out, takes it off the widget manager, queues it
// for deletion and calls the switcher, as the real screens do.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "game/app/GameScreen.h"

namespace Plix {

class Font;
class GameScreens;

class PlaceholderScreen : public GameScreen {
public:
  struct Move {
    std::wstring label;
    std::function<void(GameScreens&)> go;
    bool leaves = true;  // false: the screen stays (quitting)
  };

  PlaceholderScreen(GameScreens& app, std::wstring title, std::wstring detail, std::vector<Move> moves);
  ~PlaceholderScreen() override;

  void Pause() override;
  void Resume() override;
  void StartProgressAnimation() override { mDetail += L", progress animation"; }

  void Update() override;
  void Draw(Graphics* g) override;
  void MouseMove(int x, int y) override;
  void MouseUp(int x, int y, int clickCount) override;

  const std::wstring& GetTitle() const { return mTitle; }
  const std::wstring& GetDetail() const { return mDetail; }
  const std::vector<Move>& GetMoves() const { return mMoves; }
  // The button of a move, in screen coordinates.
  Rect GetMoveRect(int index) const;
  // Index of the move under the point, -1 for none.
  int MoveAt(int x, int y) const;
  // Starts the fade-out towards a move; the move runs when it has covered
  // the screen.
  void ChooseMove(int index);
  int GetPauseCount() const { return mPauseCount; }

private:
  GameScreens& mApp;
  std::wstring mTitle;
  std::wstring mDetail;
  std::vector<Move> mMoves;
  std::unique_ptr<Font> mTitleFont;
  std::unique_ptr<Font> mTextFont;
  int mHovered = -1;
  int mPauseCount = 0;
  bool mLeaving = false;
};

class PlaceholderScreens : public ScreenFactory {
public:
  explicit PlaceholderScreens(GameScreens& app) : mApp(app) {}

  GameScreen* CreateMainMenu() override;
  GameScreen* CreateMap(int firstFlag, int secondFlag, int arrival) override;
  GameScreen* CreateStore() override;
  GameScreen* CreateCircus() override;
  GameScreen* CreateTrophyRoom() override;
  GameScreen* CreateHotel(int code) override;
  GameScreen* CreateTheEndMap() override;
  GameScreen* CreateFlavorContest() override;
  GameScreen* CreateBestSellers(int kind, int score, int stars, int time) override;
  GameScreen* CreateBoard(int mode, int day) override;

private:
  GameScreen* Make(const wchar_t* title, std::wstring detail, std::vector<PlaceholderScreen::Move> moves);

  GameScreens& mApp;
};

}  // namespace Plix
