#include "game/screens/CircusOffers.h"

#include "framework/platform/CRand.h"
#include "game/app/PlayerProfile.h"

namespace Plix {

CircusOffers gCircusOffers;

void CircusOffers::ChooseOffers(const PlayerProfile& profile) {
  CircusOffers offers;
  const int n = profile.GetStoryDays() + 1;  // the coming day
  if (n == 9)
    offers.mVariantA = 2;
  else if (n > 9)
    offers.mVariantA = Rand() % 4;
  if (n == 12)
    offers.mVariantB = 3;
  else if (n > 12)
    offers.mVariantB = Rand() % 4 + 2;
  if (n == 19)
    offers.mVariantC = 3;
  else if (n > 19)
    offers.mVariantC = Rand() % 5 + 1;
  // The super bananas, offered until the player has them.
  const int superBananas = profile.GetMonkeyTreat(3);
  if (n == 26)
    offers.mVariantD = superBananas == 0 ? 1 : 0;
  else if (n > 26)
    offers.mVariantD = superBananas == 1 ? 0 : Rand() % 2;
  const int juggling = profile.GetJugglingLevel();
  if ((juggling == 2 && n >= 36) || (juggling == 1 && n >= 23) || (juggling == 0 && n >= 9)) offers.mJugglingFlag = 0;
  const int melody = profile.GetMelodyLevel();
  if ((melody == 2 && n >= 44) || (melody == 1 && n >= 30) || (melody == 0 && n >= 16)) offers.mMelodyFlag = 0;
  gCircusOffers = offers;
}

}  // namespace Plix
