#pragma once
// The island's store: a sales person behind the counter sells lemonade,
// cookies, decorations for the ice creams, things for the tables, larger
// ice cream boxes and faster machines. What stands on the shelf is decided
// by the new-item marks, computed from the day and the player's belongings
// whenever a player becomes current and after every day; a purchase takes
// the good off the shelf until they are computed again.
#include "game/screens/ShopScreen.h"

namespace Plix {

class Store : public ShopScreen {
public:
  // The marks, one per kind of offer.
  enum Mark {
    kFlower1, kFlower2, kFlower3, kCloth1, kCloth2, kCookies1, kCookies2, kCookies3, kLemonade1, kLemonade2,
    kLemonade3, kSunshade1, kSunshade2, kBoxes, kStraws, kCocktailSticks, kUmbrellas, kSparklers, kMachine2,
    kMachine3, kMarkCount
  };
  // Button ids of the goods.
  enum Good {
    kBlueberryLemonade = 2, kKiwiLemonade, kTropicalLemonade, kCookies, kChocolateCookies, kPretzels, kBoxesGood,
    kTableCloth, kUmbrellasGood, kCocktailSticksGood, kStrawsGood, kSparklersGood, kFlower, kSunshade, kCoolerSunshade,
    kFasterMachine, kFastestMachine
  };

  explicit Store(GameApp& app);

  void Draw(Graphics* g) override;

  // Recomputes every mark for the day after the profile's completed days.
  static void UpdateNewItemFlags(const PlayerProfile& profile);
  static int GetNewItemFlag(int mark);
  // The mark that offers a good on that day; -1 when none does.
  static int MarkOf(int id, int day);

  bool GetOffer(int id, Offer& offer) override;

protected:
  void CreateButtons() override;
  bool GetPanel(int id, int& cel, int& count) override;
  int ApplyPurchase(int id, AlphaButton* clicked) override;
  void PlaceItemBalloon(InfoBalloon* balloon) override;
  void LeaveToMap() override;
  void UpdateScene() override;
};

}  // namespace Plix
