// What one frame of the floor shows by the day's state: Happy Hour without
// the counter's tray and the super banana, the running machine's filling
// in its ingredient's colour, and no particles while the day is paused.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "framework/graphics/DDImage.h"
#include "framework/graphics/Graphics.h"
#include "game/app/GameResources.h"
#include "game/app/Particle.h"
#include "game/app/PlayerProfile.h"
#include "game/board/Board.h"
#include "game/board/IceCream.h"
#include "tests/board/BoardTestSupport.h"

namespace Plix {
namespace {

using Testing::Unbound;

class Frames : public Testing::BoardFixture {
protected:
  Board& Make(int mode, int day = 4) {
    mBoard = std::make_unique<Board>(*mGame, mode, day);
    mBoard->mTickCount = 100;
    mBoard->mIntroCountdown = 0;
    return *mBoard;
  }
  std::vector<uint32_t> Frame() {
    DDImage canvas(mGame->mAppDisplay);
    canvas.Create(800, 600);
    canvas.CreateSurface();
    Graphics g(&canvas);
    mBoard->Draw(&g);
    return std::vector<uint32_t>(canvas.GetBits(), canvas.GetBits() + 800 * 600);
  }
  std::unique_ptr<Board> mBoard;
};

TEST_F(Frames, HappyHourShowsNeitherTheCountersTrayNorTheSuperBanana) {
  Player().SetMonkeyTreat(3, 2);
  for (int mode : {0, 2}) {
    SCOPED_TRACE(mode);
    Board& board = Make(mode, 30);
    const std::vector<uint32_t> plain = Frame();
    IceCream cone = IceCream::CreateOfKind(kItemCone);
    ASSERT_TRUE(cone.AddScoop(kItemVanilla));
    ASSERT_TRUE(board.GetCounter()->Add(cone));
    const std::vector<uint32_t> served = Frame();
    // The super banana, bought, is for sale late in the story only.
    Player().SetMonkeyTreat(3, 0);
    const bool bananaDrawn = Frame() != served;
    Player().SetMonkeyTreat(3, 2);
    EXPECT_EQ(bananaDrawn, mode == 0);
    EXPECT_EQ(served != plain, mode == 0);
  }
}

TEST_F(Frames, TheRunningMachineFillsInTheColourOfItsIngredient) {
  Board& board = Make(0, 30);
  board.mMachineState = 2;
  board.mMachineAnimation[3] = 250;  // the run's length
  board.mMachineTicksLeft = 0;       // at its end: fully shown
  // Which colour channel is strongest and which weakest in the filling.
  struct Case {
    int ingredient;
    int strongest, weakest;  // 0 red, 1 green, 2 blue; -1: grey
  } cases[] = {{0, -1, -1},  // plain
               {26, 0, 1},   // strawberry red
               {27, 0, 2},   // chocolate brown
               {28, 1, 2},   // pear green
               {29, 2, 0},   // blueberry blue
               {30, 0, 2}};  // pineapple yellow
  std::vector<std::vector<uint32_t>> boxes;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.ingredient);
    board.mMachineIngredient = c.ingredient;
    const std::vector<uint32_t> with = Frame();
    std::vector<uint32_t> without;
    {
      Unbound noFilling(IMAGE_ICECREAM_MACHINE_FILLING);
      without = Frame();
    }
    long sum[3] = {0, 0, 0};
    int n = 0;
    for (size_t i = 0; i < with.size(); ++i) {
      if (with[i] == without[i]) continue;
      ++n;
      for (int k = 0; k < 3; ++k) sum[k] += (with[i] >> (16 - 8 * k)) & 0xFF;
    }
    ASSERT_GT(n, 50);
    if (c.strongest < 0) {
      EXPECT_NEAR(sum[0], sum[1], n * 12);
      EXPECT_NEAR(sum[1], sum[2], n * 12);
    } else {
      for (int k = 0; k < 3; ++k) {
        if (k != c.strongest) {
          EXPECT_GT(sum[c.strongest], sum[k]) << k;
        }
        if (k != c.weakest) {
          EXPECT_LT(sum[c.weakest], sum[k]) << k;
        }
      }
    }
    boxes.push_back(without);
  }
  // Each ingredient shows its own cel of the box.
  for (size_t a = 0; a < boxes.size(); ++a)
    for (size_t b = a + 1; b < boxes.size(); ++b) EXPECT_NE(boxes[a], boxes[b]) << a << " " << b;
}

TEST_F(Frames, ParticlesAreNotDrawnWhileTheDayIsPaused) {
  Board& board = Make(0);
  mGame->mAppActive = true;
  std::vector<uint32_t> frames[2][2];  // [particle][paused]
  for (int particle = 0; particle < 2; ++particle) {
    if (particle) mGame->AddParticle(new FadingParticle(400.0f, 300.0f, IMAGE_TRASH_SMOKE));
    for (int paused = 0; paused < 2; ++paused) {
      board.mPauseDepth = paused;
      frames[particle][paused] = Frame();
    }
  }
  board.mPauseDepth = 0;
  EXPECT_EQ(frames[0][0], frames[0][1]);
  EXPECT_NE(frames[1][0], frames[0][0]);
  EXPECT_EQ(frames[1][1], frames[0][1]);
}

}  // namespace
}  // namespace Plix
