// Pemi drawn with everything she can carry, standing, walking each way and
// at work: she and what she holds land around her feet, and an empty box
// shows no filling.
#include <gtest/gtest.h>

#include <cstdint>

#include "framework/graphics/Graphics.h"
#include "framework/graphics/MemoryImage.h"
#include "game/board/Uncle.h"
#include "tests/characters/GirlTestSupport.h"

namespace Plix {
namespace {

using Testing::GirlFixture;

// Painted pixels of the picture, and whether any lies outside the box
// (left, top, right, bottom).
struct Painted {
  int count = 0;
  bool outside = false;
  uint64_t hash = 0;  // of every pixel, to tell two pictures apart
};

Painted Paint(Girl& girl, int left, int top, int right, int bottom) {
  MemoryImage canvas;
  canvas.Create(800, 600);
  Graphics g(&canvas);
  girl.Draw(g);
  girl.DrawOverheadAnimation(g);
  Painted p;
  const uint32_t* bits = canvas.GetBits();
  for (int y = 0; y < 600; ++y) {
    for (int x = 0; x < 800; ++x) {
      p.hash = p.hash * 1099511628211ull + bits[y * 800 + x];
      if ((bits[y * 800 + x] & 0xFF000000u) == 0) continue;
      ++p.count;
      if (x < left || x > right || y < top || y > bottom) p.outside = true;
    }
  }
  return p;
}

TEST_F(GirlFixture, SheAndWhatSheCarriesAreDrawnAroundHerFeet) {
  mGirl->SetPosition(400.0f, 450.0f);
  Animation* bodies[] = {nullptr, &mGirl->mWalkEmptyLeft, &mGirl->mWalkEmptyRight, &mGirl->mWalkEmptyUp,
                         &mGirl->mWalkEmptyDown, &mGirl->mHandFruitAnimation, &mGirl->mPickUpDishAnimation};
  for (int code = 0; code <= 35; ++code) {
    mGirl->SetCarryCode(code);
    mGirl->SetCarriedBoxContents(13 + code % 6, code % 2 * 5);
    for (int i = 0; i < 7; ++i) {
      SCOPED_TRACE(testing::Message() << "carry " << code << " body " << i);
      mGirl->StopAnimations();
      if (i >= 1 && i <= 4) {
        mGirl->StartWalkAnimation(i == 1 ? Girl::kLeft : i == 2 ? Girl::kRight : i == 3 ? Girl::kUp : Girl::kDown);
      } else if (bodies[i]) {
        mGirl->PlayBodyAnimation(bodies[i]);
      }
      Painted p = Paint(*mGirl, 250, 250, 550, 470);
      EXPECT_GT(p.count, 0);
      EXPECT_FALSE(p.outside);
    }
  }
}

TEST_F(GirlFixture, AnEmptyBoxShowsNoFilling) {
  mGirl->SetPosition(400.0f, 450.0f);
  mGirl->SetCarryCode(35);
  mGirl->SetCarriedBoxContents(14, 0);
  const uint64_t empty = Paint(*mGirl, 0, 0, 800, 600).hash;
  mGirl->SetCarriedBoxContents(14, 3);
  EXPECT_NE(Paint(*mGirl, 0, 0, 800, 600).hash, empty);
  mGirl->SetCarriedBoxContents(0, 3);  // no flavour: no filling either
  EXPECT_EQ(Paint(*mGirl, 0, 0, 800, 600).hash, empty);
}

// While the uncle hands over an award she turns her back to the floor: one
// picture for the small things she may hold, one for the large, one for
// empty hands, and neither what she holds nor her work shows.
TEST_F(GirlFixture, WhileTheUncleVisitsSheIsSeenFromBehind) {
  mGirl->SetPosition(400.0f, 450.0f);
  mBoard->mUncle->StartAward(0, 1);
  ASSERT_FALSE(mBoard->mUncle->IsIdle());
  auto picture = [this](int code) {
    mGirl->SetCarryCode(code);
    return Paint(*mGirl, 0, 0, 800, 600).hash;
  };
  const uint64_t small = picture(13);
  for (int code : {4, 19, 22, 26, 31, 34}) EXPECT_EQ(picture(code), small) << code;
  const uint64_t large = picture(35);
  for (int code : {5, 6, 7}) EXPECT_EQ(picture(code), large) << code;
  const uint64_t empty = picture(0);
  EXPECT_EQ(picture(9), empty);
  EXPECT_NE(small, empty);
  EXPECT_NE(large, empty);
  mGirl->SetCarryCode(13);
  mGirl->PlayScoopAnimation();
  EXPECT_EQ(Paint(*mGirl, 0, 0, 800, 600).hash, small);
}

}  // namespace
}  // namespace Plix
