#include "game/app/Animation.h"

#include <gtest/gtest.h>

#include <vector>

namespace Plix {
namespace {

// Frames of cels 4 and 7, durations 2 and 3.
void Build(Animation& a, bool looping) {
  a.SetRow(1);
  a.AddFrame(4, 2, 1.5f, -2.0f);
  a.SetRow(2);
  a.AddFrame(7, 3);
  if (looping) a.SetLooping();
  a.Reset();
}

struct Tick {
  bool result;
  int cel;
  int counter;
};

TEST(Animation, StepsOnceThenFinishes) {
  Animation a;
  Build(a, false);
  EXPECT_EQ(a.GetCurrentCel(), 4);
  EXPECT_EQ(a.GetCurrentRow(), 1);
  EXPECT_FLOAT_EQ(a.GetCurrentOffsetX(), 1.5f);
  EXPECT_FLOAT_EQ(a.GetCurrentOffsetY(), -2.0f);
  EXPECT_EQ(a.TakeNewCel(), 4);  // Reset offers the first cel
  EXPECT_EQ(a.TakeNewCel(), -1);
  const Tick ticks[] = {{true, 4, 0}, {true, 7, 1}, {true, 7, 1}, {true, 7, 1}};
  for (const Tick& t : ticks) {
    EXPECT_EQ(a.Update(), t.result);
    EXPECT_EQ(a.GetCurrentCel(), t.cel);
    EXPECT_EQ(a.GetFrameCounter(), t.counter);
  }
  EXPECT_EQ(a.GetCurrentRow(), 2);
  EXPECT_EQ(a.TakeNewCel(), 7);
  EXPECT_FALSE(a.IsFinished());
  EXPECT_FALSE(a.Update());  // tick 5
  EXPECT_TRUE(a.IsFinished());
  EXPECT_FALSE(a.Update());
  a.Reset();  // plays again
  EXPECT_FALSE(a.IsFinished());
  EXPECT_TRUE(a.Update());
}

TEST(Animation, LoopsBackWithoutNewCel) {
  Animation a;
  Build(a, true);
  a.TakeNewCel();
  for (int i = 0; i < 4; ++i) EXPECT_TRUE(a.Update());
  EXPECT_TRUE(a.Update());  // tick 5 wraps
  EXPECT_EQ(a.GetCurrentCel(), 4);
  EXPECT_EQ(a.GetFrameCounter(), 0);
  EXPECT_FALSE(a.IsFinished());
  EXPECT_EQ(a.TakeNewCel(), 7);  // left from tick 2: the wrap sets none
  // The second pass runs like the first.
  EXPECT_TRUE(a.Update());
  EXPECT_TRUE(a.Update());
  EXPECT_EQ(a.GetCurrentCel(), 7);
}

TEST(Animation, SpeedCarriesOverAndNeverSkips) {
  struct Case {
    float speed;
    std::vector<int> cels;  // current cel after each tick
  };
  const Case cases[] = {
      {0.5f, {0, 1, 1, 2, 2, 0}},     // a frame change every second tick
      {0.0f, {0, 0, 0, 0, 0, 0}},     // holds
      {3.0f, {1, 2, 0, 1, 2, 0}},     // one change per tick, the rest carried over
  };
  for (const Case& c : cases) {
    Animation a;
    for (int cel = 0; cel < 3; ++cel) a.AddFrame(cel, 1);
    a.SetLooping();
    a.SetSpeed(c.speed);
    a.Reset();
    std::vector<int> cels;
    for (size_t i = 0; i < c.cels.size(); ++i) {
      a.Update();
      cels.push_back(a.GetCurrentCel());
    }
    EXPECT_EQ(cels, c.cels) << c.speed;
  }
}

TEST(Animation, FrameEventOncePerPass) {
  Animation a;
  Build(a, true);
  EXPECT_FALSE(a.IsAtFrameOnce(1));
  a.Update();
  a.Update();  // first frame change
  EXPECT_TRUE(a.IsAtFrameOnce(1));
  EXPECT_FALSE(a.IsAtFrameOnce(1));
  a.Update();
  EXPECT_FALSE(a.IsAtFrameOnce(1));
  a.Reset();  // does not clear the mark
  a.Update();
  a.Update();
  EXPECT_FALSE(a.IsAtFrameOnce(1));
  for (int i = 0; i < 3; ++i) a.Update();  // wrap clears it
  EXPECT_TRUE(a.IsAtFrameOnce(0));
  a.Update();
  a.Update();
  EXPECT_FALSE(a.IsAtFrameOnce(1));  // already used on this pass
}

TEST(Animation, SharedCopiesLeaveFramesToTheOwner) {
  Animation owner;
  Build(owner, true);
  {
    Animation copy = owner;
    copy.ShareFrames();
    copy.Reset();
    copy.Update();
    copy.Update();
    EXPECT_EQ(copy.GetCurrentCel(), 7);
    Animation plain(owner);  // a copy shares even without ShareFrames
    plain.Reset();
    Animation assigned;
    Build(assigned, false);  // its own frames go when it takes the shared ones
    assigned = owner;
    assigned.Reset();
    EXPECT_EQ(assigned.GetCurrentCel(), 4);
  }
  // The copies are gone; the owner's frames are intact (AddressSanitizer).
  owner.Reset();
  EXPECT_EQ(owner.GetCurrentCel(), 4);
  owner.Update();
  owner.Update();
  EXPECT_EQ(owner.GetCurrentCel(), 7);

  // Moving hands the frames over.
  Animation moved = std::move(owner);
  moved.Reset();
  EXPECT_EQ(moved.GetCurrentCel(), 4);
}

TEST(Animation, EmptyAnimationIsFinished) {
  Animation a;
  a.Reset();
  EXPECT_EQ(a.TakeNewCel(), -1);
  EXPECT_FALSE(a.Update());
  EXPECT_TRUE(a.IsFinished());
  EXPECT_EQ(a.GetCurrentCel(), 0);
}

TEST(Animation, Position) {
  Animation a;
  a.SetPosition(12, -4);
  EXPECT_EQ(a.GetX(), 12);
  EXPECT_EQ(a.GetY(), -4);
  EXPECT_EQ(a.GetImage(), nullptr);
}

}  // namespace
}  // namespace Plix

#include "framework/graphics/Graphics.h"
#include "framework/graphics/MemoryImage.h"

namespace Plix {
namespace {

// A 3 x 2 strip of 2 x 2 cels, each cel filled with its own colour.
uint32_t CelColor(int column, int row) { return 0xFF000000u | (column * 0x40 + 0x10) << 16 | (row * 0x80 + 0x10); }

// Blending an opaque pixel may lose a little in the low bits.
bool Near(uint32_t a, uint32_t b) {
  for (int shift = 0; shift < 32; shift += 8) {
    int d = static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF);
    if (d < -2 || d > 2) return false;
  }
  return true;
}

TEST(Animation, DrawsTheCurrentCelAtItsPosition) {
  MemoryImage strip;
  strip.Create(6, 4);
  strip.mCelColumns = 3;
  strip.mCelRows = 2;
  uint32_t* bits = strip.GetBits();
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 6; ++x) bits[y * 6 + x] = CelColor(x / 2, y / 2);
  strip.OnBitsChanged();

  MemoryImage dest;
  dest.Create(8, 8);
  Graphics g(&dest);
  Animation a;
  a.SetRow(1);
  a.AddFrame(2, 1);
  a.AddFrame(5, 1);  // outside the grid: draws nothing
  a.SetImage(&strip);
  a.SetPosition(3, 4);
  a.Reset();
  a.Draw(g);
  const uint32_t* out = dest.GetBits();
  EXPECT_TRUE(Near(out[4 * 8 + 3], CelColor(2, 1))) << std::hex << out[4 * 8 + 3];
  EXPECT_TRUE(Near(out[5 * 8 + 4], CelColor(2, 1)));
  EXPECT_EQ(out[3 * 8 + 3], 0u);
  EXPECT_EQ(out[4 * 8 + 5], 0u);

  MemoryImage clean;
  clean.Create(8, 8);
  Graphics g2(&clean);
  a.Update();
  a.Draw(g2);
  for (int i = 0; i < 64; ++i) EXPECT_EQ(clean.GetBits()[i], 0u);
  a.SetImage(nullptr);
  a.Draw(g2);  // no image bound yet: nothing
}

}  // namespace
}  // namespace Plix
