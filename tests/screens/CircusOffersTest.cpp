// The circus offers of the coming day, chosen from the profile: fixed
// variants on the day each treat arrives, random ones after, and the
// training lessons held back until the day their station allows them.
#include "game/screens/CircusOffers.h"

#include <gtest/gtest.h>

#include <string>

#include "framework/platform/CRand.h"
#include "game/app/PlayerProfile.h"

namespace Plix {
namespace {

struct OfferCase {
  const char* name;
  int daysDone;
  int juggling, melody, superBananas;
  int a, b, c, d;
  int jugglingFlag, melodyFlag;
};

class CircusOfferDay : public ::testing::TestWithParam<OfferCase> {};

TEST_P(CircusOfferDay, FollowsTheComingDay) {
  const OfferCase& c = GetParam();
  PlayerProfile p;
  p.SetStoryDays(c.daysDone);
  p.SetJugglingLevel(c.juggling);
  p.SetMelodyLevel(c.melody);
  p.SetMonkeyTreat(3, c.superBananas);
  // Every call starts afresh: nothing of an earlier choice stays.
  gCircusOffers = {7, 7, 7, 7, 7, 7};
  CircusOffers::ChooseOffers(p);
  // -1: a drawn variant, see below.
  auto variant = [](int got, int want) {
    if (want >= 0) {
      EXPECT_EQ(got, want);
    }
  };
  variant(gCircusOffers.mVariantA, c.a);
  variant(gCircusOffers.mVariantB, c.b);
  variant(gCircusOffers.mVariantC, c.c);
  variant(gCircusOffers.mVariantD, c.d);
  EXPECT_EQ(gCircusOffers.mJugglingFlag, c.jugglingFlag);
  EXPECT_EQ(gCircusOffers.mMelodyFlag, c.melodyFlag);
}

INSTANTIATE_TEST_SUITE_P(
    Table, CircusOfferDay,
    ::testing::Values(OfferCase{"NewPlayer", 0, 0, 0, 0, 0, 0, 0, 0, 1, 1},
                      OfferCase{"DayBeforeBananas", 7, 0, 0, 0, 0, 0, 0, 0, 1, 1},
                      OfferCase{"BananasAndFirstJuggling", 8, 0, 0, 0, 2, 0, 0, 0, 0, 1},
                      OfferCase{"JugglingBoughtWaitsForDay23", 8, 1, 0, 0, 2, 0, 0, 0, 1, 1},
                      OfferCase{"FirstMelodyOnDay16", 15, 0, 0, 0, -1, -1, 0, 0, 0, 0},
                      OfferCase{"SecondJugglingOnDay23", 22, 1, 1, 0, -1, -1, -1, 0, 0, 1},
                      OfferCase{"SuperBananasOnDay26", 25, 2, 1, 0, -1, -1, -1, 1, 1, 1},
                      OfferCase{"SuperBananasOwnedOnDay26", 25, 2, 1, 3, -1, -1, -1, 0, 1, 1},
                      OfferCase{"SuperBananasOnceBoughtAreNotOffered", 40, 2, 2, 1, -1, -1, -1, 0, 0, 1},
                      OfferCase{"LastLessonsOnDay44", 43, 2, 2, 1, -1, -1, -1, 0, 0, 0},
                      OfferCase{"EveryLessonLearned", 49, 3, 3, 1, -1, -1, -1, 0, 1, 1}),
    [](const auto& info) { return std::string(info.param.name); });

// The drawn variants: each within its range, over many seeds.
TEST(CircusOffers, DrawnVariantsStayInTheirRanges) {
  PlayerProfile p;
  p.SetStoryDays(30);
  bool seenA[4] = {}, seenD[2] = {};
  for (uint32_t seed = 1; seed <= 200; ++seed) {
    SRand(seed);
    CircusOffers::ChooseOffers(p);
    ASSERT_GE(gCircusOffers.mVariantA, 0);
    ASSERT_LE(gCircusOffers.mVariantA, 3);
    ASSERT_GE(gCircusOffers.mVariantB, 2);
    ASSERT_LE(gCircusOffers.mVariantB, 5);
    ASSERT_GE(gCircusOffers.mVariantC, 1);
    ASSERT_LE(gCircusOffers.mVariantC, 5);
    ASSERT_GE(gCircusOffers.mVariantD, 0);
    ASSERT_LE(gCircusOffers.mVariantD, 1);
    seenA[gCircusOffers.mVariantA] = true;
    seenD[gCircusOffers.mVariantD] = true;
  }
  for (bool seen : seenA) EXPECT_TRUE(seen);
  for (bool seen : seenD) EXPECT_TRUE(seen);
  // The same seed draws the same offers.
  SRand(5);
  CircusOffers::ChooseOffers(p);
  const CircusOffers first = gCircusOffers;
  SRand(5);
  CircusOffers::ChooseOffers(p);
  EXPECT_EQ(gCircusOffers.mVariantA, first.mVariantA);
  EXPECT_EQ(gCircusOffers.mVariantB, first.mVariantB);
  EXPECT_EQ(gCircusOffers.mVariantC, first.mVariantC);
  EXPECT_EQ(gCircusOffers.mVariantD, first.mVariantD);
}

}  // namespace
}  // namespace Plix
