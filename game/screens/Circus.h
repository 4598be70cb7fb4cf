#pragma once
// The circus yard: the circus man sells treats for the monkeys by the piece
// (apples, pears, bunches of bananas, the rare super banana) and lessons
// for Vurez, juggling and barrel-organ melodies, one step at a time. Rudav
// and Vurez sit in front of the tent; after a lesson is bought Vurez walks
// into the tent, practises there in the light and walks back, and until
// she is back the way out and the lessons wait.
#include "game/board/WalkPath.h"
#include "game/screens/CircusOffers.h"
#include "game/screens/ShopScreen.h"

namespace Plix {

class Circus : public ShopScreen {
public:
  enum Good { kJuggling = 2, kMelody, kApple, kPear, kBananas, kSuperBanana };
  enum ShowState { kNoShow = 0, kWalkingOut, kPerforming, kWalkingBack };
  enum ShowKind { kJugglingShow = 1, kMelodyShow = 2 };

  explicit Circus(GameApp& app);
  ~Circus() override;

  void Draw(Graphics* g) override;
  bool GetOffer(int id, Offer& offer) override;

  int GetShowState() const { return mShowState; }
  int GetShowKind() const { return mShowKind; }
  int GetShowTimer() const { return mShowTimer; }
  int GetLightAlpha() const { return mLightAlpha; }
  const WalkPath& GetWalkPath() const { return mPath; }
  // The picture of each lesson step offered (null when none is).
  static Image* JugglingImage(int level, int day);
  static bool MelodyOffered(int level, int day);
  bool IsPairBowing() const { return mPair != nullptr; }

protected:
  void CreateButtons() override;
  bool GetPanel(int id, int& cel, int& count) override;
  int ApplyPurchase(int id, AlphaButton* clicked) override;
  void PlaceItemBalloon(InfoBalloon* balloon) override;
  void LeaveToMap() override;
  bool RefuseClick(int id) override;
  bool PanelFromBalloonUnderMouse() const override { return false; }
  void UpdateScene() override;

private:
  void UpdateShow();
  void StartShow(int kind);
  void DrawMan(Graphics* g);
  void DrawMonkeyBoy(Graphics* g);
  void DrawMonkeyGirl(Graphics* g);
  void DrawShadow(Graphics* g, int x, int y);

  Animation mBoyShort;
  Animation mBoyLong;
  Animation mGirlShort;
  Animation mGirlLong;
  Animation mGirlBack;
  Animation mGirlOut;
  Animation mBothMonkeys;
  Animation* mBoy = nullptr;
  Animation* mGirl = nullptr;
  Animation* mPair = nullptr;
  WalkPath mPath;
  int mShowState = kNoShow;
  int mShowTimer = 0;
  int mLightAlpha = 0;
  int mShowKind = 0;
};

}  // namespace Plix
