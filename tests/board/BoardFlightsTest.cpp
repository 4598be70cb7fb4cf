// What flies over the floor: the notices that fade in, hold and fade out in
// four slots, the ice creams thrown away or to a customer, the golden ice
// cream and the reputation star on their two legs into the HUD row.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/platform/CRand.h"
#include "game/app/GameResources.h"
#include "game/board/Board.h"
#include "game/board/Tutorial.h"
#include "tests/board/BoardTestSupport.h"

namespace Plix {
namespace {

using Testing::BoardFixture;

// Ticks of each notice state until the notice is off again.
struct NoticeLife {
  int fadeIn = 0, hold = 0, fadeOut = 0;
};

NoticeLife Live(BoardNotice& notice) {
  NoticeLife life;
  for (int i = 0; i < 1000 && notice.mState != 0; ++i) {
    const int state = notice.mState;
    notice.Update();
    (state == 1 ? life.fadeIn : state == 2 ? life.hold : life.fadeOut)++;
    EXPECT_GE(notice.mAlpha, 0);
    EXPECT_LE(notice.mAlpha, 255);
  }
  return life;
}

TEST_F(BoardFixture, NoticesFadeInHoldAndFadeOutTheLostCustomerTwiceAsLong) {
  Board& board = Open(1);
  struct Case {
    Image* image;
    bool rising;
    int hold;
  } cases[] = {{IMAGE_SECOND_ORDER, false, 101}, {IMAGE_AWESOME, true, 101}, {IMAGE_CUSTOMER_LOST, false, 201}};
  for (const Case& c : cases) {
    ASSERT_NE(c.image, nullptr);
    board.ShowNotice(c.image, 400, 200, c.rising);
    BoardNotice& notice = board.mNotices[(board.mNextNotice + 3) % 4];
    EXPECT_EQ(notice.mTopY, 200 - c.image->GetHeight() / 2);
    const int before = mGame->GetParticleCount();
    const NoticeLife life = Live(notice);
    EXPECT_EQ(life.fadeIn, 32);
    EXPECT_EQ(life.hold, c.hold);
    EXPECT_EQ(life.fadeOut, 32);
    // Sparkles at its sides while it fades in, on about half the ticks.
    EXPECT_GT(mGame->GetParticleCount() - before, 4);
    EXPECT_LT(mGame->GetParticleCount() - before, 28);
    if (c.rising)
      EXPECT_LT(notice.mTopY, 200 - c.image->GetHeight() / 2 - 50);
    else
      EXPECT_EQ(notice.mTopY, 200 - c.image->GetHeight() / 2);
  }
}

TEST_F(BoardFixture, TheFifthNoticeInARowTakesTheFirstSlotWhateverItShows) {
  Board& board = Open(1);
  Image* images[5] = {IMAGE_WELL_DONE, IMAGE_SPLENDID, IMAGE_AWESOME, IMAGE_SECOND_ORDER, IMAGE_NEW_HISCORE};
  for (int i = 0; i < 4; ++i) board.ShowNotice(images[i], 100 * i, 300, false);
  for (int i = 0; i < 40; ++i)
    for (BoardNotice& n : board.mNotices) n.Update();
  ASSERT_EQ(board.mNotices[0].mState, 2);
  board.ShowNotice(images[4], 555, 300, true);
  EXPECT_EQ(board.mNotices[0].mImage, images[4]);
  EXPECT_EQ(board.mNotices[0].mCenterX, 555);
  EXPECT_EQ(board.mNotices[0].mState, 1);
  EXPECT_EQ(board.mNotices[0].mAlpha, 0);
  EXPECT_EQ(board.mNotices[1].mImage, images[1]);
  EXPECT_EQ(board.mNextNotice, 1);
}

TEST_F(BoardFixture, OneFlyingIceCreamLandsAnUpdateAndOneWithoutACustomerEndsInTheTrash) {
  Testing::DistinctSoundIds ids{&SOUND_GARBAGE_MEDIUM};
  Board& board = Open(1);
  board.mTrashStationX = 500;
  board.mTrashStationY = 300;
  IceCream cone;
  cone.SetKind(kItemCone);
  ASSERT_TRUE(cone.AddScoop(13));
  IceCream sparkling = cone;
  sparkling.SetDecoration(kItemSparkler);
  board.OnSparklerAdded();
  // Both reach the trash on the first update and report it on the next.
  board.mFlyingIceCreams.PushBack(new FlyingIceCream(sparkling, 100, 400, 1.0f, 500.0f, 300.0f));
  board.mFlyingIceCreams.PushBack(new FlyingIceCream(cone, 100, 400, 1.0f, 500.0f, 300.0f));
  const int particles = mGame->GetParticleCount();
  board.UpdateFlyingIceCreams(5.0f);
  EXPECT_EQ(board.mFlyingIceCreams.GetCount(), 2);
  board.UpdateFlyingIceCreams(5.0f);
  EXPECT_EQ(board.mFlyingIceCreams.GetCount(), 1);
  EXPECT_EQ(board.GetSparklersInPlay(), 0);
  EXPECT_EQ(mGame->GetParticleCount() - particles, 6);
  EXPECT_EQ(mGame->CountSound(SOUND_GARBAGE_MEDIUM), 1);
  board.UpdateFlyingIceCreams(5.0f);
  EXPECT_EQ(board.mFlyingIceCreams.GetCount(), 0);
  EXPECT_EQ(mGame->GetParticleCount() - particles, 12);
  EXPECT_EQ(mGame->CountSound(SOUND_GARBAGE_MEDIUM), 2);
  board.UpdateFlyingIceCreams(5.0f);  // nothing left: nothing happens
  EXPECT_EQ(mGame->GetParticleCount() - particles, 12);
}

TEST_F(BoardFixture, TheSparklerSoundLoopsFromTheFirstSparklerToTheLast) {
  std::vector<std::string> sounds;
  Testing::RecordingSound sparkler(sounds);
  Board& board = Open(0);
  if (board.mSparklerSound) board.mSparklerSound->Release();
  board.mSparklerSound = &sparkler;
  board.OnSparklerAdded();
  board.OnSparklerAdded();
  EXPECT_EQ(sounds, std::vector<std::string>{"loop"});
  board.OnSparklerRemoved();
  EXPECT_EQ(sounds, std::vector<std::string>{"loop"});
  board.OnSparklerRemoved();
  EXPECT_EQ(sounds, (std::vector<std::string>{"loop", "stop"}));
  EXPECT_EQ(board.GetSparklersInPlay(), 0);
  board.mSparklerSound = nullptr;
}

TEST_F(BoardFixture, AThrownTreatIsGoneOnceItHasLanded) {
  Board& board = Open(0);
  board.mThrownTreat = std::make_unique<FlyingFruit>(kItemApple, nullptr, 100.0f, 500.0f, 0.02f);
  EXPECT_TRUE(board.IsTreatFlying());
  board.UpdateThrownTreat(1.0f);
  EXPECT_FALSE(board.IsTreatFlying());
}

TEST_F(BoardFixture, TheGoldenIceCreamRestsMidScreenThenLandsInItsSlot) {
  Board& board = Open(0);
  struct Case {
    int collected;
    float endX, endY;
  } cases[] = {{0, 376, 445}, {3, 441, 444}, {4, 462, 445}};
  for (const Case& c : cases) {
    SRand(5);
    board.mGoldenIceCreams = c.collected;
    board.StartGoldenIceCreamFlight(250.0f, 520.0f);
    ASSERT_TRUE(board.mFlyingGoldenIceCream.mPath);
    float x, y, z;
    board.mFlyingGoldenIceCream.mPath->Evaluate(0.0f, x, y, z);
    EXPECT_EQ(x, 250.0f);
    EXPECT_EQ(y, 520.0f);
    int legs[2] = {0, 0};
    bool turned = false;
    for (int i = 0; i < 1000 && board.mFlyingGoldenIceCream.mPath; ++i) {
      const int phase = board.mFlyingGoldenIceCream.mPhase;
      ++legs[phase];
      board.UpdateGoldenIceCreamFlight();
      if (phase == 0 && board.mFlyingGoldenIceCream.mPhase == 1) {
        turned = true;
        board.mFlyingGoldenIceCream.mPath->Evaluate(1.0f, x, y, z);
        EXPECT_EQ(x, c.endX);
        EXPECT_EQ(y, c.endY);
        EXPECT_FLOAT_EQ(z, 0.1f);
        EXPECT_EQ(board.mNotices[(board.mNextNotice + 3) % 4].mImage, IMAGE_GOLDEN_ICE_CREAM_TEXT);
      }
    }
    EXPECT_TRUE(turned);
    EXPECT_NEAR(legs[0], 125, 1);  // 84 ticks to the middle, the rest resting there
    EXPECT_NEAR(legs[1], 20, 1);
    EXPECT_EQ(board.mGoldenIceCreams, c.collected + 1);
  }
}

// Golden ice creams picked up close together each count: the one still in
// the air when the next starts lands at once; five stay the most.
TEST_F(BoardFixture, EveryGoldenIceCreamPickedUpCountsThoughAnotherStillFlies) {
  Board& board = Open(0);
  struct Case {
    int collected, pickUps, after;
  } cases[] = {{0, 2, 2}, {1, 3, 4}, {4, 2, 5}};
  for (const Case& c : cases) {
    board.mGoldenIceCreams = c.collected;
    for (int i = 0; i < c.pickUps; ++i) {
      board.StartGoldenIceCreamFlight(250.0f, 520.0f);
      for (int t = 0; t < 50; ++t) board.UpdateGoldenIceCreamFlight();
    }
    for (int i = 0; i < 1000 && board.mFlyingGoldenIceCream.mPath; ++i) board.UpdateGoldenIceCreamFlight();
    EXPECT_FALSE(board.mFlyingGoldenIceCream.mPath);
    EXPECT_EQ(board.mGoldenIceCreams, c.after) << c.collected << " + " << c.pickUps;
  }
}

TEST_F(BoardFixture, TheReputationStarFliesToTheNextStarSlotAndQueuesItsLessonOnce) {
  struct Case {
    int stars;
    bool tutorials, flagSeen;
    float endX;
    int queued;
    bool flagAfter;
  } cases[] = {
      {0, true, false, 376, 1, false},
      {5, true, false, 463, 1, false},
      {2, false, false, 419, 0, true},
      {3, true, true, 441, 0, true},
  };
  for (const Case& c : cases) {
    Board& board = Open(0);
    PlayerProfile& p = Player();
    p.SetShowTutorials(c.tutorials);
    p.SetFlag(24, c.flagSeen);
    p.SetReputationStars(c.stars);
    board.LaunchReputationStar();
    float endX = -1, y, z;
    int queuedBefore = board.mQueuedTutorials.GetCount();
    for (int i = 0; i < 1000 && board.mFlyingStar.mPath; ++i) {
      const int phase = board.mFlyingStar.mPhase;
      board.UpdateFlyingStar();
      EXPECT_LE(board.mFlyingStar.mAlpha, 250);
      if (phase == 0 && board.mFlyingStar.mPhase == 1) {
        board.mFlyingStar.mPath->Evaluate(1.0f, endX, y, z);
        EXPECT_EQ(board.mNotices[(board.mNextNotice + 3) % 4].mImage, IMAGE_CLASS_INCREASED);
      }
    }
    EXPECT_EQ(endX, c.endX);
    EXPECT_EQ(p.GetReputationStars(), c.stars < 5 ? c.stars + 1 : 5);
    EXPECT_EQ(board.mQueuedTutorials.GetCount() - queuedBefore, c.queued);
    EXPECT_EQ(p.GetFlag(24), c.flagAfter);
    mGame->mAppWidgets->RemoveWidget(&board);
    delete &board;
    mGame->mBoard = nullptr;
  }
}

}  // namespace
}  // namespace Plix
