// The circus played with the mouse: the lessons for Vurez and her show in
// the tent, during which the way out and the lessons wait; the treats sold
// by the piece, one button per piece; the refusal for too little cash; and
// the profile read back from its file.
#include <gtest/gtest.h>

#include "game/app/AlphaButton.h"
#include "game/app/GameResources.h"
#include "tests/screens/ShopTestSupport.h"

namespace Plix {
namespace {

using Testing::ScreenGame;
using Testing::ShopTest;

class CircusTest : public ShopTest {
protected:
  Circus* TheCircus() { return dynamic_cast<Circus*>(Game().mCircus); }
  // The exit (or a lesson) clicked during the show brings the wait balloon
  // and nothing else; its OK closes it.
  void ClickRefused(int id) {
    Circus* circus = TheCircus();
    const int state = circus->GetShowState();
    Press(circus, id);
    ASSERT_NE(circus->GetBalloon(), nullptr) << "button " << id;
    EXPECT_EQ(circus->GetBalloon()->GetId(), -1);
    EXPECT_EQ(circus->GetBalloonItem(), 0);
    EXPECT_EQ(Game().GetFadeState(), 0);
    EXPECT_EQ(circus->GetShowState(), state);
    Tick();
    Answer(InfoBalloon::kYes);
    EXPECT_EQ(circus->GetBalloon(), nullptr);
  }
};

TEST_F(CircusTest, ALessonSendsVurezIntoTheTentAndTheWayOutWaitsForHer) {
  mOffers = [](CircusOffers& o) {
    o = CircusOffers{};
    o.mJugglingFlag = 0;
    o.mMelodyFlag = 0;
  };
  ASSERT_NE(Enter(kCircus, 15, 80), nullptr);
  Circus* circus = TheCircus();
  ASSERT_NE(circus, nullptr);
  ScreenGame& g = Game();
  // Which lesson step is on offer by level and day.
  const struct {
    int level, day;
    Image* balls;
    bool melody;
  } steps[] = {{0, 8, nullptr, false},           {0, 9, IMAGE_CIRCUS_TWO_BALLS, false},
               {0, 16, IMAGE_CIRCUS_TWO_BALLS, true}, {1, 22, nullptr, false},
               {1, 23, IMAGE_CIRCUS_THREE_BALLS, false}, {1, 30, IMAGE_CIRCUS_THREE_BALLS, true},
               {2, 35, nullptr, false},          {2, 36, IMAGE_CIRCUS_FOUR_BALLS, false},
               {2, 44, IMAGE_CIRCUS_FOUR_BALLS, true}, {3, 50, nullptr, false}};
  for (const auto& s : steps) {
    EXPECT_EQ(Circus::JugglingImage(s.level, s.day), s.balls) << s.level << " " << s.day;
    EXPECT_EQ(Circus::MelodyOffered(s.level, s.day), s.melody) << s.level << " " << s.day;
  }
  EXPECT_EQ(ShelfIds(), (std::vector<int>{ShopScreen::kExit, Circus::kJuggling, Circus::kMelody}));
  EXPECT_EQ(circus->FindButton(Circus::kJuggling)->GetStateImage(0), IMAGE_CIRCUS_TWO_BALLS);
  // Lessons show no stock panel.
  PointAt(circus->FindButton(Circus::kJuggling));
  EXPECT_EQ(circus->GetStockCell(), -1);

  const struct {
    int id;
    int price;
    int performing;      // updates in the tent
    std::vector<int> at;  // updates in the tent on which a sound plays
  } lessons[] = {{Circus::kJuggling, 40, 500, {16}}, {Circus::kMelody, 40, 650, {16, 350}}};
  for (const auto& lesson : lessons) {
    SCOPED_TRACE(lesson.id);
    AlphaButton* button = circus->FindButton(lesson.id);
    ShopScreen::Offer offer;
    ASSERT_TRUE(circus->GetOffer(lesson.id, offer));
    EXPECT_EQ(offer.price, lesson.price);
    Ask(button);
    Answer(InfoBalloon::kYes);
    // Paid, learnt, and off she goes at once.
    EXPECT_EQ(circus->GetShowState(), Circus::kWalkingOut);
    EXPECT_EQ(button->GetState(), 3);
    EXPECT_TRUE(button->IsVisible());
    ClickRefused(ShopScreen::kExit);
    if (lesson.id == Circus::kJuggling) ClickRefused(Circus::kMelody);
    ASSERT_TRUE(TickUntil([&] { return circus->GetShowState() == Circus::kPerforming; }, 1000));
    g.mSounds.clear();
    std::vector<int> at;
    int ticks = 0;
    while (circus->GetShowState() == Circus::kPerforming && ticks < 2000) {
      const size_t before = g.mSounds.size();
      Tick();
      ++ticks;
      if (g.mSounds.size() != before) at.push_back(ticks);
    }
    EXPECT_EQ(ticks, lesson.performing);
    EXPECT_EQ(at, lesson.at);
    EXPECT_EQ(circus->GetShowState(), Circus::kWalkingBack);
    ClickRefused(ShopScreen::kExit);
    ASSERT_TRUE(TickUntil([&] { return circus->GetShowState() == Circus::kNoShow; }, 1000));
    EXPECT_TRUE(circus->IsPairBowing());
  }
  EXPECT_EQ(Player().GetJugglingLevel(), 1);
  EXPECT_EQ(Player().GetMelodyLevel(), 1);
  EXPECT_EQ(Player().GetCash(), 0);
  EXPECT_EQ(gCircusOffers.mJugglingFlag, 1);
  EXPECT_EQ(gCircusOffers.mMelodyFlag, 1);
  // The next step costs more.
  ShopScreen::Offer next;
  ASSERT_TRUE(circus->GetOffer(Circus::kJuggling, next));
  EXPECT_EQ(next.price, 70);
  // Back: the way out works again.
  Leave();
  EXPECT_EQ(g.mCircus, nullptr);
  g.Shutdown();
  auto stored = ReadBackProfiles();
  ASSERT_NE(stored->GetCurrentProfile(), nullptr);
  EXPECT_EQ(stored->GetCurrentProfile()->GetJugglingLevel(), 1);
  EXPECT_EQ(stored->GetCurrentProfile()->GetMelodyLevel(), 1);
}

TEST_F(CircusTest, TreatsSellByThePieceAndTooLittleCashIsRefused) {
  mOffers = [](CircusOffers& o) {
    o = CircusOffers{};
    o.mVariantB = 5;  // apples
    o.mVariantD = 1;  // the super banana
  };
  ASSERT_NE(Enter(kCircus, 26, 28), nullptr);
  Circus* circus = TheCircus();
  ASSERT_NE(circus, nullptr);
  EXPECT_EQ(Goods(Circus::kApple).size(), 5u);
  EXPECT_EQ(Goods(Circus::kSuperBanana).size(), 1u);
  EXPECT_TRUE(Goods(Circus::kPear).empty());
  EXPECT_TRUE(Goods(Circus::kJuggling).empty());
  for (int bought = 1; bought <= 2; ++bought) {
    PointAt(Goods(Circus::kApple).back());
    EXPECT_EQ(circus->GetStockCell(), 2);
    EXPECT_EQ(circus->GetStockCount(), bought - 1);
    Ask(Goods(Circus::kApple).back());
    Answer(InfoBalloon::kYes);
    EXPECT_EQ(Player().GetMonkeyTreat(1), bought);
    EXPECT_EQ(circus->GetStockCount(), bought);
    EXPECT_EQ(Goods(Circus::kApple).size(), 5u - bought);
  }
  EXPECT_EQ(gCircusOffers.mVariantB, 3);
  EXPECT_EQ(Player().GetCash(), 24);
  // 24 is one short of the super banana.
  Ask(Goods(Circus::kSuperBanana).at(0));
  Answer(InfoBalloon::kYes);
  ASSERT_NE(circus->GetBalloon(), nullptr);
  EXPECT_EQ(circus->GetBalloon()->GetPageCount(), 1);
  EXPECT_EQ(Player().GetMonkeyTreat(3), 0);
  EXPECT_EQ(Player().GetCash(), 24);
  Tick();
  Answer(InfoBalloon::kYes);
  // The same day again: what is left is still there.
  Leave();
  circus = dynamic_cast<Circus*>(FromMap(kCircus));
  ASSERT_NE(circus, nullptr);
  EXPECT_EQ(Goods(Circus::kApple).size(), 3u);
  EXPECT_EQ(Goods(Circus::kSuperBanana).size(), 1u);
  Player().AddCash(1);
  Ask(Goods(Circus::kSuperBanana).at(0));
  Answer(InfoBalloon::kYes);
  EXPECT_EQ(Player().GetMonkeyTreat(3), 1);
  EXPECT_EQ(Player().GetCash(), 0);
  EXPECT_TRUE(Goods(Circus::kSuperBanana).empty());
  EXPECT_EQ(circus->GetStockCell(), 3);
  EXPECT_EQ(circus->GetStockCount(), 1);
}

}  // namespace
}  // namespace Plix
