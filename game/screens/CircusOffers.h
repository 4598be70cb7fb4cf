#pragma once
// What the circus (the monkey shop) offers on the coming day: four variant
// numbers and whether the juggling and the barrel-organ lessons are held
// back. Chosen from the player's profile after every story day and
// whenever a player becomes current; the circus screen reads the values
// when it is set up and drawn.
namespace Plix {

class PlayerProfile;

struct CircusOffers {
  int mVariantA = 0;
  int mVariantB = 0;
  int mVariantC = 0;
  int mVariantD = 0;
  // 0 while the next juggling or barrel-organ lesson may be bought, else 1.
  int mJugglingFlag = 1;
  int mMelodyFlag = 1;

  // Chooses the offers of the day after the profile's last completed one
  // into gCircusOffers, with the game's random numbers.
  static void ChooseOffers(const PlayerProfile& profile);
};

// The offers in force, program-wide.
extern CircusOffers gCircusOffers;

}  // namespace Plix
