#include "game/app/PlaceholderScreens.h"

#include <utility>

#include "framework/graphics/Graphics.h"
#include "framework/graphics/GraphicsHost.h"
#include "framework/graphics/SysFont.h"
#include "framework/widget/WidgetManager.h"
#include "game/app/GameScreens.h"

namespace Plix {

namespace {

// Room for the map's seven moves.
constexpr int kButtonWidth = 280;
constexpr int kButtonHeight = 38;
constexpr int kButtonGap = 8;
constexpr int kButtonsTop = 248;
constexpr int kFadeStep = 16;

std::wstring Num(int n) { return std::to_wstring(n); }

}  // namespace

PlaceholderScreen::PlaceholderScreen(GameScreens& app, std::wstring title, std::wstring detail,
                                     std::vector<Move> moves)
    : mApp(app),
      mTitle(std::move(title)),
      mDetail(std::move(detail)),
      mMoves(std::move(moves)),
      mTitleFont(std::make_unique<SysFont>(GetGraphicsHost(), "Arial", 30)),
      mTextFont(std::make_unique<SysFont>(GetGraphicsHost(), "Arial", 13)) {
  mApp.StartFadeIn();
}

PlaceholderScreen::~PlaceholderScreen() = default;

void PlaceholderScreen::Pause() {
  ++mPauseCount;
  MarkDirty();
  mApp.GetScreenHost().SetCursor(0);
}

void PlaceholderScreen::Resume() {
  if (mPauseCount > 0) --mPauseCount;
  MarkDirty();
}

Rect PlaceholderScreen::GetMoveRect(int index) const {
  return Rect((800 - kButtonWidth) / 2, kButtonsTop + index * (kButtonHeight + kButtonGap), kButtonWidth,
              kButtonHeight);
}

int PlaceholderScreen::MoveAt(int x, int y) const {
  for (int i = 0; i < static_cast<int>(mMoves.size()); ++i) {
    const Rect r = GetMoveRect(i);
    if (x >= r.mX && y >= r.mY && x < r.mX + r.mWidth && y < r.mY + r.mHeight) return i;
  }
  return -1;
}

void PlaceholderScreen::ChooseMove(int index) {
  if (mLeaving || index < 0 || index >= static_cast<int>(mMoves.size())) return;
  mLeaving = true;
  mApp.StartFadeOut(index + 1, 0, 0, 0, 255, 0, kFadeStep);
}

void PlaceholderScreen::Update() {
  GameScreen::Update();
  if (mPauseCount > 0) return;
  if (mApp.GetFadeState() != 0) MarkDirty();
  const int result = mApp.UpdateFade();
  if (result <= 0) return;
  const Move& move = mMoves[result - 1];
  if (!move.leaves) {
    move.go(mApp);
    return;
  }
  // The switcher may run after this object is queued: it only stays alive
  // until the end of the step.
  mWidgetManager->RemoveWidget(this);
  mApp.GetScreenHost().QueueWidgetDelete(this);
  move.go(mApp);
}

void PlaceholderScreen::MouseMove(int x, int y) {
  if (mPauseCount > 0) return;
  const int hovered = MoveAt(x, y);
  if (hovered == mHovered) return;
  mHovered = hovered;
  mApp.GetScreenHost().SetCursor(hovered >= 0 ? 1 : 0);
  MarkDirty();
}

void PlaceholderScreen::MouseUp(int x, int y, int clickCount) {
  GameScreen::MouseUp(x, y, clickCount);
  if (mPauseCount > 0 || clickCount < 0) return;
  ChooseMove(MoveAt(x, y));
}

void PlaceholderScreen::Draw(Graphics* g) {
  g->SetColor(Color(36, 70, 96));
  g->FillRect(0, 0, mWidth, mHeight);
  g->SetColor(Color(250, 236, 200));
  g->FillRect(100, 60, 600, 170);
  g->SetColor(Color(60, 40, 30));
  g->DrawRect(100, 60, 599, 169);

  g->SetFont(mTitleFont.get());
  g->SetColor(Color(200, 40, 110));
  DrawCenteredLine(g, 120, mTitle);
  g->SetFont(mTextFont.get());
  g->SetColor(Color(60, 40, 30));
  DrawCenteredLine(g, 160, L"This screen is not built yet: a stand-in.");
  DrawCenteredLine(g, 190, mDetail);

  for (int i = 0; i < static_cast<int>(mMoves.size()); ++i) {
    Rect r = GetMoveRect(i);
    g->SetColor(i == mHovered ? Color(255, 150, 190) : Color(255, 214, 120));
    g->FillRect(r);
    g->SetColor(Color(60, 40, 30));
    g->DrawRect(r.mX, r.mY, r.mWidth - 1, r.mHeight - 1);
    const int textWidth = mTextFont->StringWidth(mMoves[i].label);
    g->DrawString(mMoves[i].label, r.mX + (r.mWidth - textWidth) / 2,
                  r.mY + (r.mHeight + mTextFont->GetAscent()) / 2 - 2);
  }
  if (mPauseCount > 0) {
    g->SetColor(Color(0, 0, 0, 96));
    g->FillRect(0, 0, mWidth, mHeight);
  }
  mApp.DrawFade(g);
}

GameScreen* PlaceholderScreens::Make(const wchar_t* title, std::wstring detail,
                                     std::vector<PlaceholderScreen::Move> moves) {
  return new PlaceholderScreen(mApp, title, std::move(detail), std::move(moves));
}

GameScreen* PlaceholderScreens::CreateMainMenu() {
  return Make(L"Main Menu", L"Welcome to Zovad Uda Vodiz!",
              {{L"Story Mode", [](GameScreens& a) { a.MainMenuToMap(); }},
               {L"Happy Hour", [](GameScreens& a) { a.MainMenuToBoard(1); }},
               {L"Best Sellers", [](GameScreens& a) { a.MainMenuToBestSellers(); }},
               {L"Quit", [](GameScreens& a) { a.GetScreenHost().RequestQuit(); }, false}});
}

GameScreen* PlaceholderScreens::CreateMap(int firstFlag, int secondFlag, int arrival) {
  return Make(L"Map",
              L"first flag " + Num(firstFlag) + L", second flag " + Num(secondFlag) + L", arrival " + Num(arrival),
              {{L"Play the day", [](GameScreens& a) { a.MapToBoard(-1); }},
               {L"Store", [](GameScreens& a) { a.MapToStore(); }},
               {L"Circus", [](GameScreens& a) { a.MapToCircus(); }},
               {L"Trophy Room", [](GameScreens& a) { a.MapToTrophyRoom(); }},
               {L"Hotel", [](GameScreens& a) { a.MapToHotel(); }},
               {L"Restart the story", [](GameScreens& a) { a.RestartStory(); }},
               {L"Main Menu", [](GameScreens& a) { a.MapToMainMenu(); }}});
}

GameScreen* PlaceholderScreens::CreateStore() {
  return Make(L"Store", L"", {{L"Map", [](GameScreens& a) { a.StoreToMap(); }}});
}

GameScreen* PlaceholderScreens::CreateCircus() {
  return Make(L"Circus", L"", {{L"Map", [](GameScreens& a) { a.CircusToMap(); }}});
}

GameScreen* PlaceholderScreens::CreateTrophyRoom() {
  return Make(L"Trophy Room", L"", {{L"Map", [](GameScreens& a) { a.TrophyRoomToMap(); }}});
}

GameScreen* PlaceholderScreens::CreateHotel(int code) {
  return Make(L"Hotel", L"code " + Num(code),
              {{L"Play the day", [](GameScreens& a) { a.HotelToBoard(); }},
               {L"The End", [](GameScreens& a) { a.HotelToTheEndMap(); }}});
}

GameScreen* PlaceholderScreens::CreateTheEndMap() {
  return Make(L"The End", L"", {{L"Best Sellers", [](GameScreens& a) { a.TheEndMapToBestSellers(); }}});
}

GameScreen* PlaceholderScreens::CreateFlavorContest() {
  return Make(L"Flavour Contest", L"", {{L"Map", [](GameScreens& a) { a.FlavorContestToMap(); }}});
}

GameScreen* PlaceholderScreens::CreateBestSellers(int kind, int score, int stars, int time) {
  // A Happy Hour entry (kinds 2 to 4) plays again at its difficulty.
  const int mode = kind >= 2 && kind <= 4 ? kind - 1 : 1;
  return Make(L"Best Sellers",
              L"kind " + Num(kind) + L", score " + Num(score) + L", stars " + Num(stars) + L", time " + Num(time),
              {{L"Map", [](GameScreens& a) { a.BestSellersToMap(); }},
               {L"Play Happy Hour", [mode](GameScreens& a) { a.BestSellersToBoard(mode); }},
               {L"Main Menu", [](GameScreens& a) { a.BestSellersToMainMenu(); }}});
}

GameScreen* PlaceholderScreens::CreateBoard(int mode, int day) {
  std::wstring detail = (mode == 0 ? L"Story Mode" : L"Happy Hour, difficulty " + Num(mode)) + L", day " + Num(day);
  if (mode != 0) {
    const int kind = mode + 1;
    return Make(L"Board", detail,
                {{L"Best Sellers", [kind](GameScreens& a) { a.BoardToBestSellers(kind, 0, 0, 0); }},
                 {L"Main Menu", [](GameScreens& a) { a.BoardToMainMenu(); }}});
  }
  return Make(L"Board", detail,
              {{L"Map", [day](GameScreens& a) { a.BoardToMap(0, day, true); }},
               {L"Flavour Contest", [](GameScreens& a) { a.BoardToFlavorContest(); }},
               {L"Hotel", [](GameScreens& a) { a.BoardToHotel(); }},
               {L"Best Sellers", [](GameScreens& a) { a.BoardToBestSellers(1, 0, 0, 0); }},
               {L"Main Menu", [](GameScreens& a) { a.BoardToMainMenu(); }}});
}

}  // namespace Plix
