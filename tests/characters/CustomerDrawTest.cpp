// A story customer on the screen through its visit: the puff it arrives in,
// its body fading in while the puff does not, the thought cloud with the
// wish only while it waits (or wants a napkin), the dish of a special order
// while it eats, the cloud on the far side of the figure for either seat
// (moved in from a screen edge), and the face cross-fading when the mood
// changes its band.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "framework/graphics/Graphics.h"
#include "framework/graphics/DDImage.h"
#include "framework/platform/CRand.h"
#include "game/app/GameResources.h"
#include "game/board/Board.h"
#include "game/board/IceCream.h"
#include "game/board/Table.h"
#include "game/characters/Customer.h"
#include "game/characters/CustomerManager.h"
#include "tests/board/BoardTestSupport.h"

namespace Plix {
namespace {

using Testing::Unbound;

constexpr int kSeatX = 200, kSeatY = 200;

class CustomerPicture : public Testing::BoardFixture {
protected:
  // A story board on a floor of one table of `seats` seats.
  Board& Floor(int seats) {
    const std::string path = mDir / "table.len";
    Testing::WriteFile(path, "1 1\n1 300 200 " + std::to_string(seats) + " 0\n0\n");
    mBoard = std::make_unique<Board>(*mGame, 0, 5);
    EXPECT_TRUE(mBoard->LoadEnvironment(path.c_str()));
    return *mBoard;
  }
  CustomerManager& Manager() { return *mBoard->GetCustomerManager(); }

  // The customer as its table draws it, legs and all, with the seat point
  // at (kSeatX, kSeatY) of a white canvas.
  // With `width` set, on a canvas as wide as the screen with the seat
  // point at (seatX, kSeatY).
  std::vector<uint32_t> Paint(Customer& c, int width = 400, int seatX = kSeatX) {
    DDImage canvas(mGame->mAppDisplay);
    canvas.Create(width, 300);
    canvas.CreateSurface();
    Graphics g(&canvas);
    g.SetColor(Color(255, 255, 255, 255));
    g.FillRect(0, 0, width, 300);
    g.Translate(seatX, kSeatY);
    c.DrawLegs(g);
    c.Draw(g);
    return std::vector<uint32_t>(canvas.GetBits(), canvas.GetBits() + width * 300);
  }
  // The pixels the image adds to the customer's picture (none when the
  // customer does not draw it or it lies wholly under something else).
  std::vector<int> PixelsOf(Customer& c, Image*& handle, int width = 400, int seatX = kSeatX) {
    const std::vector<uint32_t> with = Paint(c, width, seatX);
    Unbound without(handle);
    const std::vector<uint32_t> rest = Paint(c, width, seatX);
    std::vector<int> at;
    for (size_t i = 0; i < with.size(); ++i)
      if (with[i] != rest[i]) at.push_back(static_cast<int>(i));
    return at;
  }
  bool Shows(Customer& c, Image*& handle) { return !PixelsOf(c, handle).empty(); }
  Table* TheTable() { return static_cast<Table*>(mBoard->mTables.GetAt(0)); }
  Customer* Seat(int kind, int itemKind) {
    return Manager().SpawnCustomerOfKind(kind, IceCream::CreateOfKind(itemKind));
  }
  // Through choosing, with the cloud faded in.
  static void ToWaiting(Customer* c) {
    for (int i = 0; i < 2000 && c->GetState() == Customer::kChoosing; ++i) c->Update();
    ASSERT_EQ(c->GetState(), Customer::kWaiting);
    for (int i = 0; i < 60; ++i) c->Update();
    ASSERT_EQ(c->GetBandProgress(), 255);
  }
  static void Serve(Customer* c) {
    IceCream item = c->GetOrder();
    c->ReceiveItem(&item);
    ASSERT_EQ(c->GetState(), Customer::kEating);
    for (int i = 0; i < 30; ++i) c->Update();
  }

  std::unique_ptr<Board> mBoard;
};

TEST_F(CustomerPicture, TheBodyFadesInUnderAnUntintedPuff) {
  Floor(1);
  Customer* c = Seat(2, kItemCup);
  ASSERT_NE(c, nullptr);
  ASSERT_EQ(c->GetFadeImage(), IMAGE_CUSTOMER_FADE_IN);
  // Twice within one cel of the puff, at two alphas of the body.
  std::vector<uint32_t> early, later;
  for (int i = 0; i < 17; ++i) c->Update();
  const int earlyAlpha = c->GetAlpha();
  early = Paint(*c);
  for (int i = 0; i < 5; ++i) c->Update();
  ASSERT_LT(earlyAlpha, c->GetAlpha());
  later = Paint(*c);
  // The body alone, once it has faded in and the puff is over (before the
  // customer starts choosing).
  for (int i = 0; i < 100 && (c->GetAlpha() < 255 || c->GetFadeImage()); ++i) c->Update();
  ASSERT_EQ(c->GetAlpha(), 255);
  ASSERT_EQ(c->GetFadeImage(), nullptr);
  const std::vector<uint32_t> body = Paint(*c);

  // White as the test display shows it.
  const uint32_t rgb = 0xFFFFFF, white = body[0] & rgb;
  int puff = 0;
  long darkness[3] = {0, 0, 0};  // of the body's pixels: early, later, faded in
  for (size_t i = 0; i < body.size(); ++i) {
    if ((body[i] & rgb) != white) {
      const std::vector<uint32_t>* pictures[3] = {&early, &later, &body};
      for (int k = 0; k < 3; ++k) {
        const uint32_t p = (*pictures[k])[i];
        darkness[k] += 3 * 255 - static_cast<long>((p & 0xFF) + (p >> 8 & 0xFF) + (p >> 16 & 0xFF));
      }
      continue;
    }
    // Where no body is, the puff looks the same whatever the body's alpha.
    if ((early[i] & rgb) == white) continue;
    ++puff;
    ASSERT_EQ(early[i] & rgb, later[i] & rgb) << "pixel " << i % 400 << ", " << i / 400;
  }
  EXPECT_GT(puff, 100);
  EXPECT_LT(darkness[0], darkness[1]);
  EXPECT_LT(darkness[1], darkness[2]);
}

TEST_F(CustomerPicture, EveryKindSitsCentredOnItsSeatPointWithItsFeetThere) {
  Floor(1);
  for (int kind = 0; kind < 7; ++kind) {
    SCOPED_TRACE(kind);
    Customer* c = Seat(kind, kItemCup);
    ASSERT_NE(c, nullptr);
    for (int i = 0; i < 100 && (c->GetAlpha() < 255 || c->GetFadeImage()); ++i) c->Update();
    ASSERT_EQ(c->GetState(), Customer::kChoosing);  // no cloud yet
    const std::vector<uint32_t> picture = Paint(*c);
    const uint32_t rgb = 0xFFFFFF, white = picture[0] & rgb;
    int left = 400, right = -1, top = 300, bottom = -1;
    for (int i = 0; i < 400 * 300; ++i) {
      if ((picture[i] & rgb) == white) continue;
      left = std::min(left, i % 400 - kSeatX);
      right = std::max(right, i % 400 - kSeatX);
      top = std::min(top, i / 400 - kSeatY);
      bottom = std::max(bottom, i / 400 - kSeatY);
    }
    EXPECT_LT(left, -5);
    EXPECT_GT(right, 5);
    EXPECT_LT(top, -50);
    EXPECT_GT(bottom, -20);
    EXPECT_LT(bottom, 25);
    TheTable()->RemoveCustomer(c);
    Manager().Clear();
  }
}

struct VisitCase {
  const char* name;
  int itemKind;
  int moment;  // 0 choosing, 1 waiting, 2 eating, 3 leaving
  bool cloud;
  Image** dish;  // the dish drawn beside the customer while it eats
  Image** wish;  // the picture in the cloud standing for the wish
};

void PrintTo(const VisitCase& c, std::ostream* os) { *os << c.name; }

class CustomerVisit : public CustomerPicture, public ::testing::WithParamInterface<VisitCase> {};

TEST_P(CustomerVisit, ShowsTheCloudOnlyWhileWaitingAndADishOnlyWhileEating) {
  const VisitCase& v = GetParam();
  SRand(3);
  Floor(1);
  Customer* c = Seat(4, v.itemKind);
  ASSERT_NE(c, nullptr);
  for (int i = 0; i < 100; ++i) c->Update();
  if (v.moment >= 1) ToWaiting(c);
  if (v.moment >= 2) Serve(c);
  if (v.moment >= 3) {
    for (int i = 0; i < 20000 && c->GetState() != Customer::kLeaving; ++i) {
      if (c->WantsNapkin()) TheTable()->GiveNapkin();
      c->Update();
    }
    ASSERT_EQ(c->GetState(), Customer::kLeaving);
  }
  ASSERT_FALSE(c->WantsNapkin());
  EXPECT_EQ(Shows(*c, IMAGE_CUSTOMER_CLOUDS), v.cloud);
  EXPECT_EQ(Shows(*c, IMAGE_CUSTOMER_CLOUDS_BUBBLES), v.cloud);
  Image** dishes[] = {&IMAGE_CUSTOMER_PLATE, &IMAGE_CUSTOMER_SPECIAL_CUP, &IMAGE_CUSTOMER_SPECIAL_PLATE,
                      &IMAGE_CUSTOMER_BANANA_SPLIT, &IMAGE_CUSTOMER_CAKE};
  for (int i = 0; i < 5; ++i) EXPECT_EQ(Shows(*c, *dishes[i]), dishes[i] == v.dish) << "dish " << i;
  Image** wishes[] = {&IMAGE_CUSTOMER_CLOUD_SPECIAL_CUP, &IMAGE_CUSTOMER_CLOUD_SPECIAL_PLATE,
                      &IMAGE_CUSTOMER_CLOUD_BANANA_SPLIT, &IMAGE_CUSTOMER_CLOUD_CAKE, &IMAGE_MONKEY_NAPKIN};
  for (int i = 0; i < 5; ++i) EXPECT_EQ(Shows(*c, *wishes[i]), wishes[i] == v.wish) << "wish " << i;
  // An ice cream wished for is drawn from its own pictures.
  const bool iceCreamWish = v.cloud && v.itemKind <= kItemPlate;
  Image*& container = v.itemKind == kItemCone ? IMAGE_CONE : v.itemKind == kItemCup ? IMAGE_CUP : IMAGE_PLATE;
  EXPECT_EQ(Shows(*c, container), iceCreamWish);
}

const VisitCase kVisits[] = {
    {"ChoosingCone", kItemCone, 0, false, nullptr, nullptr},
    {"WaitingForACone", kItemCone, 1, true, nullptr, nullptr},
    {"WaitingForAPlate", kItemPlate, 1, true, nullptr, nullptr},
    {"WaitingForASpecialCup", kItemSpecialCup, 1, true, nullptr, &IMAGE_CUSTOMER_CLOUD_SPECIAL_CUP},
    {"WaitingForACake", kItemCake, 1, true, nullptr, &IMAGE_CUSTOMER_CLOUD_CAKE},
    {"EatingACone", kItemCone, 2, false, nullptr, nullptr},
    {"EatingACup", kItemCup, 2, false, nullptr, nullptr},
    {"EatingAPlate", kItemPlate, 2, false, &IMAGE_CUSTOMER_PLATE, nullptr},
    {"EatingASpecialCup", kItemSpecialCup, 2, false, &IMAGE_CUSTOMER_SPECIAL_CUP, nullptr},
    {"EatingASpecialPlate", kItemSpecialPlate, 2, false, &IMAGE_CUSTOMER_SPECIAL_PLATE, nullptr},
    {"EatingABananaSplit", kItemBananaSplit, 2, false, &IMAGE_CUSTOMER_BANANA_SPLIT, nullptr},
    {"EatingACake", kItemCake, 2, false, &IMAGE_CUSTOMER_CAKE, nullptr},
    {"LeavingAfterACake", kItemCake, 3, false, nullptr, nullptr},
};

INSTANTIATE_TEST_SUITE_P(Moments, CustomerVisit, ::testing::ValuesIn(kVisits),
                         [](const ::testing::TestParamInfo<VisitCase>& info) { return std::string(info.param.name); });

TEST_F(CustomerPicture, ANapkinWishShowsTheCloudWithTheNapkinWhileEating) {
  Floor(1);
  mBoard->mLevelModeWord = 2;  // a hot day
  Customer* wisher = nullptr;
  for (int round = 0; round < 50 && !wisher; ++round) {
    Customer* c = Seat(0, kItemSpecialCup);
    ToWaiting(c);
    Serve(c);
    for (int i = 0; i < 5000 && c->GetState() == Customer::kEating && !c->WantsNapkin(); ++i) c->Update();
    if (c->WantsNapkin()) {
      wisher = c;
      break;
    }
    TheTable()->RemoveCustomer(c);
    TheTable()->TakeItem();
    Manager().Clear();
  }
  ASSERT_NE(wisher, nullptr);
  for (int i = 0; i < 70; ++i) wisher->Update();
  EXPECT_TRUE(Shows(*wisher, IMAGE_CUSTOMER_CLOUDS));
  EXPECT_TRUE(Shows(*wisher, IMAGE_MONKEY_NAPKIN));
  EXPECT_FALSE(Shows(*wisher, IMAGE_CUSTOMER_CLOUD_SPECIAL_CUP));
  // The dish waits on the table meanwhile.
  EXPECT_FALSE(Shows(*wisher, IMAGE_CUSTOMER_SPECIAL_CUP));
  ASSERT_TRUE(TheTable()->GiveNapkin());
  EXPECT_FALSE(Shows(*wisher, IMAGE_CUSTOMER_CLOUDS));
}

TEST_F(CustomerPicture, TheCloudHangsOnTheFarSideOfEitherSeat) {
  Floor(2);
  Customer* first = Seat(1, kItemCone);
  Customer* second = Seat(5, kItemCone);
  ASSERT_NE(second, nullptr);
  ASSERT_NE(first->GetSeatSide(), second->GetSeatSide());
  for (Customer* c : {first, second}) {
    SCOPED_TRACE(testing::Message() << "seat side " << c->GetSeatSide());
    ToWaiting(c);
    const std::vector<int> cloud = PixelsOf(*c, IMAGE_CUSTOMER_CLOUDS);
    ASSERT_FALSE(cloud.empty());
    long sumX = 0;
    int top = 300;
    for (int i : cloud) {
      sumX += i % 400 - kSeatX;
      top = std::min(top, i / 400 - kSeatY);
    }
    const long meanX = sumX / static_cast<long>(cloud.size());
    if (c->GetSeatSide() == 0)
      EXPECT_LT(meanX, -10);
    else
      EXPECT_GT(meanX, 10);
    EXPECT_LT(top, -100);  // over the head
  }
}

// A seat by the screen's edge (the four-seat table on the left of every
// story floor) would cut the cloud, and with it the wish: the cloud moves in
// and shows whole, while away from the edges it keeps its place.
TEST_F(CustomerPicture, AtTheScreenEdgeTheCloudMovesInAndShowsTheWholeWish) {
  constexpr int kScreen = 800;
  Floor(2);
  Customer* first = Seat(1, kItemCone);
  Customer* second = Seat(5, kItemCone);
  ASSERT_NE(second, nullptr);
  for (Customer* c : {first, second}) {
    SCOPED_TRACE(testing::Message() << "seat side " << c->GetSeatSide());
    ToWaiting(c);
    // The cloud's outline from left to right, on a screen-wide canvas.
    auto span = [&](int seatX) {
      int left = kScreen, right = -1;
      for (int i : PixelsOf(*c, IMAGE_CUSTOMER_CLOUDS, kScreen, seatX)) {
        left = std::min(left, i % kScreen);
        right = std::max(right, i % kScreen);
      }
      return std::pair{left, right};
    };
    const int away = c->GetCloudX(kScreen / 2);
    const auto [awayLeft, awayRight] = span(kScreen / 2);
    ASSERT_GT(awayRight, awayLeft);
    // The seat at the edge the cloud hangs towards.
    const int edgeSeat = c->GetSeatSide() == 0 ? 20 : kScreen - 20;
    EXPECT_NE(c->GetCloudX(edgeSeat), away);
    const auto [left, right] = span(edgeSeat);
    EXPECT_GT(left, 0);
    EXPECT_LT(right, kScreen - 1);
    EXPECT_EQ(right - left, awayRight - awayLeft);
  }
}

TEST_F(CustomerPicture, TheFaceCrossFadesOverSixtyFourUpdatesWhenTheMoodChangesItsBand) {
  Floor(1);
  Customer* c = Seat(3, kItemCup);
  ToWaiting(c);
  const int band = c->GetShownBand();
  const std::vector<uint32_t> before = Paint(*c);
  c->ChangeMood(-50.0f);
  const int target = c->GetTargetBand();
  ASSERT_NE(target, band);
  int updates = 0;
  bool between = false;
  while (updates < 100 && c->GetBandProgress() < 255) {
    c->Update();
    ++updates;
    if (updates == 32) {
      EXPECT_EQ(c->GetShownBand(), band);
      const std::vector<uint32_t> halfway = Paint(*c);
      between = halfway != before;
    }
  }
  EXPECT_EQ(updates, 64);
  EXPECT_TRUE(between);
  EXPECT_EQ(c->GetShownBand(), target);
}

}  // namespace
}  // namespace Plix
