// Station buttons on a real board: the day limits of the levelled
// stations, the hover lists, and the pictures that follow the stocks.
#include <gtest/gtest.h>

#include <algorithm>

#include "framework/graphics/DDImage.h"
#include "framework/graphics/Graphics.h"
#include "framework/graphics/MemoryImage.h"
#include "game/app/GameResources.h"
#include "game/board/StationButtons.h"
#include "tests/board/BoardTestSupport.h"
#include "tests/game/GameTestSupport.h"

namespace Plix {
namespace {

using Testing::BoardFixture;

class BoardStations : public BoardFixture {
protected:
  // A board of the story day (0-based), not in the widget manager.
  std::unique_ptr<Board> MakeBoard(int day, int mode = 0) { return std::make_unique<Board>(*mGame, mode, day); }

  static AlphaButton* Find(Board& board, int id) {
    for (int list = 0; list < 3; ++list) {
      ObjectListIterator it;
      for (it.Begin(board.GetButtonList(list)); !it.AtEnd(); it.Next()) {
        auto* b = static_cast<AlphaButton*>(it.Get());
        if (b->GetId() == id) return b;
      }
    }
    return nullptr;
  }
  static std::vector<int> Ids(Board& board, int list) {
    std::vector<int> ids;
    ObjectListIterator it;
    for (it.Begin(board.GetButtonList(list)); !it.AtEnd(); it.Next())
      ids.push_back(static_cast<AlphaButton*>(it.Get())->GetId());
    return ids;
  }
};

TEST_F(BoardStations, LevelsAreLoweredByTheDay) {
  struct Case {
    int juggling, melody, machine, day;  // day counted from 1
    int jugglingLevel, organLevel, machineLevel;
  } cases[] = {
      {3, 0, 1, 10, 1, 0, 1},   // 3 -> 2 (10 < 36) -> 1 (10 < 23), not 0 (10 >= 9)
      {0, 2, 1, 29, 0, 1, 1},   // melody 2 on day 29: organ 1
      {0, 2, 1, 30, 0, 2, 1},   // on day 30: organ 2
      {0, 0, 3, 3, 0, 0, 1},    // machine 3 on day 3: 2 (3 < 24), then 1 (3 < 4)
      {0, 0, 3, 24, 0, 0, 3},
      {2, 3, 2, 8, 0, 0, 2},    // juggling 2 on day 8: 1, then 0 (8 < 9)
  };
  for (const Case& c : cases) {
    Player().SetJugglingLevel(c.juggling);
    Player().SetMelodyLevel(c.melody);
    Player().SetIceCreamMachineLevel(c.machine);
    auto board = MakeBoard(c.day - 1);
    EXPECT_EQ(board->mJugglingLevel, c.jugglingLevel) << c.day;
    EXPECT_EQ(board->mOrganLevel, c.organLevel) << c.day;
    EXPECT_EQ(board->mMachineLevel, c.machineLevel) << c.day;
    EXPECT_EQ(Find(*board, 40) != nullptr, c.jugglingLevel > 0);
    EXPECT_EQ(Find(*board, 41) != nullptr, c.organLevel > 0);
  }
  Player().SetMelodyLevel(2);
  Player().SetIceCreamMachineLevel(1);
  auto organ = MakeBoard(28);
  ASSERT_NE(Find(*organ, 41), nullptr);
  EXPECT_EQ(Find(*organ, 41)->GetStateImage(0), IMAGE_ORGAN_1);
  EXPECT_EQ(organ->mMachineHandleImage, IMAGE_ICECREAM_MACHINE_1_HANDLE);
  EXPECT_EQ(organ->GetMachineButton()->GetX(), 656);
  EXPECT_EQ(organ->GetMachineButton()->GetY(), 375);
}

TEST_F(BoardStations, HoverListsInTheirOrder) {
  Player().SetMelodyLevel(1);
  auto board = MakeBoard(20);  // organ 1, no juggling yet
  EXPECT_EQ(Ids(*board, 2), (std::vector<int>{41, 14, 42, 35, 36, 37, 38, 39}));
  EXPECT_EQ(Ids(*board, 0), (std::vector<int>{13, 0, 18, 16, 17, 15, 5, 4, 6, 1, 3}));
  EXPECT_EQ(Ids(*board, 1), (std::vector<int>{7, 8, 9, 10, 11, 12, 19, 20, 22, 21, 23, 27, 28, 29, 30, 32, 31, 33,
                                              34, 24, 26, 25}));
  Player().SetMelodyLevel(0);
  Player().SetJugglingLevel(1);
  auto juggling = MakeBoard(20);
  EXPECT_EQ(Ids(*juggling, 2).front(), 40);
  EXPECT_EQ(board->mHoverButton, nullptr);
}

TEST_F(BoardStations, MenuButtonAndPlacedStations) {
  auto board = MakeBoard(0);
  AlphaButton* menu = board->GetMenuButton();
  EXPECT_EQ(menu->GetStateImage(1), IMAGE_GAME_INTERFACE_MENU_OVER);
  EXPECT_EQ(menu->GetX(), -4);
  EXPECT_EQ(menu->GetY(), -7);
  AlphaButton* dish = Find(*board, 1);
  EXPECT_EQ(dish->GetX(), 613 - IMAGE_DISH->GetWidth() / 2);
  EXPECT_EQ(Find(*board, 17)->GetStateColumn(3), 5);
  EXPECT_EQ(Find(*board, 17)->GetStateImage(0), IMAGE_FREEZER_CLOSED);
  EXPECT_EQ(Find(*board, 27)->GetStateColumn(3), 3);
  EXPECT_TRUE(Find(*board, 27)->HasHitMask());
  EXPECT_FALSE(Find(*board, 0)->HasHitMask());  // fast-forward: its rectangle
  EXPECT_FALSE(Find(*board, 37)->HasHitMask());
}

TEST_F(BoardStations, TreatPicturesFollowTheStock) {
  auto board = MakeBoard(30);
  struct Case {
    int left;  // after one is taken
    int column;
    bool shown;
  } bananas[] = {{7, 0, true}, {5, 0, true}, {4, 1, true}, {1, 4, true}, {0, 0, false}};
  for (const Case& c : bananas) {
    board->mBananas = c.left + 1;
    AlphaButton* b = Find(*board, 31);
    b->SetVisible(true);
    b->SetState(0);
    board->TakeBanana();
    EXPECT_EQ(board->GetBananaStock(), c.left);
    EXPECT_EQ(b->IsVisible(), c.shown) << c.left;
    if (c.shown) {
      EXPECT_EQ(b->GetStateColumn(0), c.column) << c.left;
      EXPECT_EQ(b->GetStateRow(0), 0);
      EXPECT_EQ(b->GetStateColumn(1), c.column);
      EXPECT_EQ(b->GetStateRow(1), 1);
    } else {
      EXPECT_EQ(b->GetState(), 3);
    }
  }
  board->mApples = 0;
  board->TakeApple();  // from nothing: stays 0
  EXPECT_EQ(board->GetAppleStock(), 0);
  board->ReturnApple();
  EXPECT_EQ(Find(*board, 32)->GetStateColumn(0), 2);  // full at 3
  board->mSuperBananas = 1;
  board->TakeSuperBanana();
  EXPECT_EQ(Find(*board, 34)->GetStateColumn(0), 2);
  EXPECT_EQ(Find(*board, 34)->GetStateColumn(1), 3);
  board->ReturnSuperBanana();
  EXPECT_EQ(Find(*board, 34)->GetStateColumn(0), 0);
  EXPECT_EQ(Find(*board, 34)->GetStateColumn(1), 1);
}

// The last apple or pear taken hides its station; put back, it shows and
// works again for the rest of the day.
TEST_F(BoardStations, ALastTreatPutBackShowsItsStationAgain) {
  auto board = MakeBoard(30);
  struct Case {
    int id;
    int Board::*stock;
    void (Board::*take)();
    void (Board::*put)();
  } cases[] = {{32, &Board::mApples, &Board::TakeApple, &Board::ReturnApple},
               {33, &Board::mPears, &Board::TakePear, &Board::ReturnPear}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.id);
    AlphaButton* b = Find(*board, c.id);
    b->SetVisible(true);
    b->SetState(0);
    (*board).*c.stock = 1;
    ((*board).*c.take)();
    ASSERT_FALSE(b->IsVisible());
    ((*board).*c.put)();
    EXPECT_EQ((*board).*c.stock, 1);
    EXPECT_TRUE(b->IsVisible());
    EXPECT_FALSE(b->IsDisabled());
    EXPECT_EQ(b->GetStateColumn(0), 2);
  }
}

TEST_F(BoardStations, MugsShowHowManyAreLeft) {
  auto board = MakeBoard(30);
  struct Case {
    int left, column;
  } cases[] = {{5, 0}, {3, 0}, {2, 1}, {1, 2}, {0, 3}};
  for (const Case& c : cases) {
    board->mSparklers = c.left + 1;
    board->TakeSparkler();
    EXPECT_EQ(board->GetSparklerStock(), c.left);
    EXPECT_EQ(Find(*board, 30)->GetStateColumn(0), c.column);
    EXPECT_EQ(Find(*board, 30)->GetStateRow(1), 1);
  }
  board->TakeSparkler();
  EXPECT_EQ(board->GetSparklerStock(), 0);
  board->ReturnUmbrella();
  EXPECT_EQ(Find(*board, 27)->GetStateColumn(0), 2);
}

TEST_F(BoardStations, CookiesComeFromTheLastFilledJar) {
  auto board = MakeBoard(30);
  board->mCookies[0] = 2;
  board->mCookies[1] = 0;
  board->mCookies[2] = 3;
  EXPECT_EQ(board->GetCookieCount(), 5);
  EXPECT_EQ(board->TakeCookie(), 9);
  AlphaButton* jar = Find(*board, 36);
  EXPECT_EQ(jar->GetStateColumn(0), 1);
  EXPECT_EQ(jar->GetStateRow(0), 4);
  EXPECT_EQ(jar->GetStateRow(1), 5);
  EXPECT_TRUE(jar->IsVisible());
  board->mCookies[2] = 0;
  EXPECT_EQ(board->TakeCookie(), 7);
  EXPECT_EQ(jar->GetStateColumn(0), 0);
  EXPECT_EQ(jar->GetStateRow(0), 0);
  EXPECT_EQ(board->TakeCookie(), 7);
  EXPECT_FALSE(jar->IsVisible());
  EXPECT_EQ(board->TakeCookie(), 0);
  EXPECT_FALSE(jar->IsVisible());
  EXPECT_EQ(jar->GetState(), 3);
}

TEST_F(BoardStations, LemonadeShowsOneBottle) {
  auto board = MakeBoard(30);
  EXPECT_EQ(board->TakeLemonade(), 0);
  for (int id : {37, 38, 39}) EXPECT_FALSE(Find(*board, id)->IsVisible());
  board->mLemonades[0] = 1;
  board->mLemonades[1] = 7;
  EXPECT_EQ(board->TakeLemonade(), 5);
  AlphaButton* second = Find(*board, 38);
  EXPECT_TRUE(second->IsVisible());
  EXPECT_EQ(second->GetState(), 0);
  EXPECT_EQ(second->GetStateColumn(0), 4 - 5 % 5);  // 6 left
  EXPECT_EQ(second->GetStateRow(1), 1);
  EXPECT_FALSE(Find(*board, 37)->IsVisible());
  EXPECT_FALSE(Find(*board, 39)->IsVisible());
}

TEST_F(BoardStations, BoxPictureByFlavourAndFill) {
  Player().SetBatchSize(16);
  auto board = MakeBoard(40);  // batch size 16 from day 38 on
  ASSERT_EQ(board->GetIceCreamBatchSize(), 16);
  struct Case {
    int flavor, portions;
    Image* image;
    int column;
  } cases[] = {
      {14, 1, IMAGE_ICECREAM_STRAWBERRY, 4},  // fill 1
      {14, 16, IMAGE_ICECREAM_STRAWBERRY, 0},
      {13, 8, IMAGE_ICECREAM_VANILLA, 2},     // ceil(2.5)
      {18, 0, IMAGE_ICECREAM_BOX, 0},
      {0, 5, nullptr, 0},                     // an empty slot draws nothing
  };
  for (const Case& c : cases) {
    IceCreamBox* box = board->GetIceCreamBox(2);
    box->mFlavor = c.flavor;
    box->mPortions = c.portions;
    board->RefreshIceCreamBox(box);
    AlphaButton* b = Find(*board, 9);
    EXPECT_EQ(b->GetStateImage(0), c.image) << c.flavor << " " << c.portions;
    EXPECT_EQ(b->GetStateImage(1), c.image);
    if (c.image) {
      EXPECT_EQ(b->GetStateColumn(0), c.column) << c.flavor << " " << c.portions;
      EXPECT_EQ(b->GetStateColumn(1), c.column);
      EXPECT_EQ(b->GetStateRow(1), 0);
    }
  }
}

TEST_F(BoardStations, BatchSizeByModeAndDay) {
  Player().SetBatchSize(16);
  struct Case {
    int mode, day, size;  // day 0-based
  } cases[] = {{1, 0, 16}, {2, 0, 14}, {3, 0, 12}, {0, 9, 12}, {0, 10, 14}, {0, 36, 14}, {0, 37, 16}};
  for (const Case& c : cases) EXPECT_EQ(MakeBoard(c.day, c.mode)->GetIceCreamBatchSize(), c.size) << c.day;
}

TEST_F(BoardStations, TrashStationLoadStopsAtTen) {
  auto board = MakeBoard(30);
  for (int i = 1; i <= 12; ++i) EXPECT_EQ(board->FillTrashStation(), i < 10 ? i : 10);
  EXPECT_EQ(board->GetTrashStationButton()->GetLoad(), 10);
}

TEST_F(BoardStations, StockBadgesCountWhatCanBeServed) {
  auto marker = Testing::FilledImage(40, 4, 0, 10, 1);
  for (int x = 0; x < 40; ++x)
    for (int y = 0; y < 4; ++y) marker->GetBits()[y * 40 + x] = 0xFF000000 | ((x / 4 + 1) * 20) << 16;
  marker->OnBitsChanged();
  auto board = MakeBoard(30);  // binds the day's images
  Testing::ScopedResource<Image*> r{IMAGE_ACTION_MARKER, marker.get()};
  board->mCookies[1] = 2;
  auto* jar = static_cast<CookiesButton*>(Find(*board, 36));
  for (int i = 0; i < 4; ++i) jar->IncrementPending();
  auto canvas = Testing::FilledImage(800, 600, 0xFF000000);
  Graphics g(canvas.get());
  jar->DrawBadge(g);
  const int x = jar->GetX() + (jar->GetWidth() - 4) / 2, y = jar->GetY() + (jar->GetHeight() - 4) / 2;
  ASSERT_TRUE(x >= 0 && x < 800 && y >= 0 && y < 600) << x << "," << y;
  ASSERT_NE(canvas->GetBits(), nullptr);
  EXPECT_EQ((((canvas->GetBits()[y * 800 + x] >> 16) & 0xFF) + 10) / 20, 2u);  // cel 1: two cookies
}

// An ice-cream box shows the scoops its clicks leave unclaimed and moves
// its badge below the middle while it can serve them.
TEST_F(BoardStations, BoxShowsScoopsLeftAndItsBadge) {
  auto board = MakeBoard(0);
  // Scoops: 6 cels of 4 x 4 in blue; marker: 10 cels of 4 x 4 numbered in red.
  auto balls = Testing::FilledImage(24, 4, 0xFF0000FF, 6, 1);
  auto marker = Testing::FilledImage(40, 4, 0, 10, 1);
  for (int x = 0; x < 40; ++x)
    for (int y = 0; y < 4; ++y) marker->GetBits()[y * 40 + x] = 0xFF000000 | ((x / 4 + 1) * 20) << 16;
  marker->OnBitsChanged();
  auto face = Testing::FilledImage(40, 30, 0x00000000);
  Testing::ScopedResource<Image*> r1{IMAGE_BALLS_LEFT, balls.get()};
  Testing::ScopedResource<Image*> r2{IMAGE_ACTION_MARKER, marker.get()};
  auto* b = static_cast<ICBoxButton*>(Find(*board, 7));
  b->SetImage(face.get(), true);
  b->SetPosition(100, 100);
  IceCreamBox* box = board->GetIceCreamBox(0);
  box->mFlavor = 13;
  box->mPortions = 3;
  b->IncrementPending();
  auto canvas = Testing::FilledImage(300, 300, 0xFF000000);
  Graphics g(canvas.get());
  b->Draw(g);
  auto at = [&](int x, int y) { return canvas->GetBits()[y * 300 + x]; };
  // Two balls side by side from x + 20 - 4, at y + 2.
  EXPECT_GT(at(116, 103) & 0xFF, 200u);
  EXPECT_GT(at(123, 103) & 0xFF, 200u);
  EXPECT_EQ(at(124, 103) & 0xFF, 0u);
  EXPECT_EQ(at(115, 103) & 0xFF, 0u);
  // Badge cel 0 five pixels below the middle: (100 + 18, 100 + 13 + 5).
  EXPECT_EQ((((at(119, 119) >> 16) & 0xFF) + 10) / 20, 1u);
  EXPECT_EQ(at(119, 115) & 0xFFFFFF, 0u);
}

}  // namespace
}  // namespace Plix

namespace Plix {
namespace {

// The ice-cream machine's stream of cream takes the colour of the flavour
// its ingredient makes: strawberry red, chocolate brown, pear green,
// blueberry blue, pineapple yellow.
TEST_F(BoardStations, MachineFillingTakesItsIngredientsColour) {
  auto board = MakeBoard(30);
  // Only the stream is drawn: no handle and no box over it.
  board->mMachineHandleImage = nullptr;
  board->mMachineBoxImage = nullptr;
  const float colours[5][3] = {{1.0f, 0.2f, 0.2f}, {1.0f, 0.6f, 0.3f}, {0.6f, 1.0f, 0.4f}, {0.3f, 0.6f, 1.0f},
                               {1.0f, 1.0f, 0.35f}};
  for (int ingredient = 26; ingredient <= 30; ++ingredient) {
    board->SetIceCreamMachineIngredient(ingredient);
    board->StartIceCreamMachine();
    board->mMachineTicksLeft = 0;  // the run is over: full colour
    DDImage canvas(mGame->mAppDisplay);
    canvas.Create(800, 600);
    canvas.CreateSurface();
    Graphics g(&canvas);
    board->DrawIceCreamMachine(g);
    // The brightest pixel of the stream (level 3: at 698, 414).
    uint32_t best = 0;
    int bestSum = -1;
    for (int y = 414; y < 444; ++y)
      for (int x = 698; x < 718; ++x) {
        const uint32_t p = canvas.GetBits()[y * 800 + x];
        const int sum = static_cast<int>((p >> 16 & 0xFF) + (p >> 8 & 0xFF) + (p & 0xFF));
        if (sum > bestSum) bestSum = sum, best = p;
      }
    ASSERT_GT(bestSum, 60) << ingredient;
    const float rgb[3] = {static_cast<float>(best >> 16 & 0xFF), static_cast<float>(best >> 8 & 0xFF),
                          static_cast<float>(best & 0xFF)};
    const float top = std::max({rgb[0], rgb[1], rgb[2]});
    int nearest = -1;
    float nearestDistance = 1e9f;
    for (int k = 0; k < 5; ++k) {
      float d = 0;
      for (int c = 0; c < 3; ++c) d += (rgb[c] / top - colours[k][c]) * (rgb[c] / top - colours[k][c]);
      if (d < nearestDistance) nearestDistance = d, nearest = k;
    }
    EXPECT_EQ(nearest, ingredient - 26) << ingredient << ": " << std::hex << best;
  }
}

}  // namespace
}  // namespace Plix
