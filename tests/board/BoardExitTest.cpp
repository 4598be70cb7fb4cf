// A day closes once: whatever asks to leave while the fade-out runs (the
// game menu's quit over the day's report, a second report) changes nothing.
#include <gtest/gtest.h>

#include "game/app/Fade.h"
#include "tests/board/BoardTestSupport.h"

namespace Plix {
namespace {

using Testing::BoardFixture;

TEST_F(BoardFixture, ALaterExitDoesNotReplaceTheResultTheFadeCarries) {
  Board& board = Open(1);
  RunFor(1000);
  board.mMoney = 12;
  board.ExitLevel(3);
  RunFor(50);
  ASSERT_EQ(mGame->GetFadeState(), Fade::kFadingOut);
  board.ExitLevel(4);
  ASSERT_TRUE(RunUntilBoardLeaves());
  ASSERT_FALSE(mLog.empty());
  EXPECT_EQ(mLog.front().rfind("create BestSellers(2,12,", 0), 0u) << mLog.front();
}

}  // namespace
}  // namespace Plix
