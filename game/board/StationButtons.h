#pragma once
// The station buttons that show more than a picture: the ice-cream boxes
// with the scoops left, the cookie jar and the lemonade bottles whose
// badges count only what the stock can serve, and the trash station with
// its stack of trays.
#include "game/app/AlphaButton.h"

namespace Plix {

class Board;
class Girl;
struct IceCreamBox;

// A station shown and usable, or hidden and out of use; no button, nothing.
void ShowStation(AlphaButton* button, bool shown);
void DisableStation(AlphaButton* button, bool disabled);

class ICBoxButton : public AlphaButton {
public:
  explicit ICBoxButton(int id) : AlphaButton(id) {}

  // The base drawing, then up to three scoops of what is left unclaimed.
  void Draw(Graphics& g) override;
  // The badge rises or falls by whether the box can serve the clicks.
  void DrawBadge(Graphics& g) override;

  void SetBox(IceCreamBox* box) { mBox = box; }
  void SetGirl(Girl* girl) { mGirl = girl; }
  void SetScoopCell(int cell) { mScoopCell = cell; }
  IceCreamBox* GetBox() const { return mBox; }
  int GetScoopCell() const { return mScoopCell; }

private:
  bool HeroineFetchesBox() const;

  IceCreamBox* mBox = nullptr;
  Girl* mGirl = nullptr;
  int mScoopCell = 0;
};

// The badge shows no more clicks than the board's cookies can serve.
class CookiesButton : public AlphaButton {
public:
  CookiesButton() : AlphaButton(36) {}
  void DrawBadge(Graphics& g) override;
  void SetBox(Board* board) { mBoard = board; }

private:
  Board* mBoard = nullptr;
};

// The badge shows no more clicks than the board's lemonade can serve.
class LemonadeButton : public AlphaButton {
public:
  explicit LemonadeButton(int id) : AlphaButton(id) {}
  void DrawBadge(Graphics& g) override;
  void SetBox(Board* board) { mBoard = board; }

private:
  Board* mBoard = nullptr;
};

class TrashStationButton : public AlphaButton {
public:
  static constexpr int kMaxLoad = 10;

  TrashStationButton() : AlphaButton(14) {}
  // The base picture without its badge, the trays, the front, then the
  // badge on top.
  void Draw(Graphics& g) override;
  // One more tray, at most ten; the load.
  int AddLoad() {
    if (mLoad < kMaxLoad) ++mLoad;
    return mLoad;
  }
  int GetLoad() const { return mLoad; }

private:
  int mLoad = 0;
};

}  // namespace Plix
