// The station button's own parts: hit rectangles in every cell, the badge,
// the translucent active look, the fade-in with its glow pulses and the
// highlight that leaves with the mouse.
#include "game/app/AlphaButton.h"

#include <gtest/gtest.h>

#include <memory>

#include "framework/graphics/Graphics.h"
#include "game/app/GameResources.h"
#include "tests/game/GameTestSupport.h"

namespace Plix {
namespace {

using Testing::FilledImage;
using Testing::NearColor;
using Testing::ScopedResource;

constexpr uint32_t kBlack = 0xFF000000;

struct Canvas {
  std::unique_ptr<MemoryImage> image = FilledImage(64, 64, kBlack);
  Graphics g{image.get()};
  uint32_t At(int x, int y) { return image->GetBits()[y * 64 + x]; }
};

// A strip of `cels` cels of w x h, cel i filled with colour (i + 1) x 20 in
// red, so that a pixel tells which cel was drawn.
std::unique_ptr<MemoryImage> NumberedStrip(int cels, int w, int h) {
  auto strip = FilledImage(cels * w, h, 0, cels, 1);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < cels * w; ++x) strip->GetBits()[y * cels * w + x] = 0xFF000000 | ((x / w + 1) * 20) << 16;
  strip->OnBitsChanged();
  return strip;
}

int CelAt(Canvas& c, int x, int y) {
  const uint32_t p = c.At(x, y);
  if (p == kBlack) return -1;
  return (static_cast<int>((p >> 16) & 0xFF) + 10) / 20 - 1;  // blending may round a step down
}

TEST(AlphaButtonHitRects, MadeHittableInEveryCell) {
  auto clear = FilledImage(20, 10, 0x00000000, 2, 1);
  for (int column : {0, 1}) {
    AlphaButton b(1);
    b.SetImage(clear.get(), true);
    b.SetStateCell(0, column, 0);
    b.CreateHitMask(0);
    EXPECT_FALSE(b.Contains(3, 3));
    b.AddHitRect(2, 3, 4, 2);
    EXPECT_TRUE(b.Contains(2, 3)) << column;
    EXPECT_TRUE(b.Contains(5, 4)) << column;
    EXPECT_FALSE(b.Contains(6, 4)) << column;
    EXPECT_FALSE(b.Contains(2, 5)) << column;
  }
  // Without a mask the whole rectangle is hit anyway.
  AlphaButton plain(2);
  plain.SetImage(clear.get(), true);
  plain.AddHitRect(0, 0, 1, 1);
  EXPECT_FALSE(plain.HasHitMask());
  EXPECT_TRUE(plain.Contains(9, 9));
}

TEST(AlphaButtonBadge, CountedCelCentredWithItsOffset) {
  auto marker = NumberedStrip(10, 4, 4);
  ScopedResource<Image*> r{IMAGE_ACTION_MARKER, marker.get()};
  auto face = FilledImage(20, 20, 0x00000000);
  struct Case {
    int pending, offsetY, cel;  // -1: no badge
  } cases[] = {{0, 0, -1}, {1, 0, 0}, {3, 0, 2}, {9, 0, 8}, {12, 0, 8}, {2, -20, 1}};
  for (const Case& c : cases) {
    AlphaButton b(5);
    b.SetImage(face.get(), true);
    b.SetPosition(20, 30);
    b.SetBadgeOffset(c.offsetY);
    for (int i = 0; i < c.pending; ++i) b.IncrementPending();
    Canvas canvas;
    b.Draw(canvas.g);
    // Centred: x + (20 - 4) / 2, y + (20 - 4) / 2 + offset.
    EXPECT_EQ(CelAt(canvas, 28, 38 + c.offsetY), c.cel) << c.pending;
  }
  AlphaButton hidden(6);
  hidden.SetImage(face.get(), true);
  hidden.IncrementPending();
  hidden.HideBadge();
  Canvas canvas;
  hidden.Draw(canvas.g);
  EXPECT_EQ(CelAt(canvas, 8, 8), -1);
}

TEST(AlphaButtonBadge, PendingNeverBelowZero) {
  AlphaButton b(1);
  EXPECT_EQ(b.DecrementPending(), 0);
  b.IncrementPending();
  b.IncrementPending();
  EXPECT_EQ(b.DecrementPending(), 1);
  b.ClearPending();
  EXPECT_EQ(b.GetPending(), 0);
}

TEST(AlphaButtonDraw, ActiveIsTranslucentUnlessHighlighted) {
  auto white = FilledImage(10, 10, 0xFFFFFFFF);
  AlphaButton b(1);
  b.SetImage(white.get(), true);
  b.SetActive(true);
  Canvas normal;
  b.Draw(normal.g);
  EXPECT_TRUE(NearColor(normal.At(5, 5), 102, 102, 102));
  b.SetState(1);
  Canvas over;
  b.Draw(over.g);
  EXPECT_TRUE(NearColor(over.At(5, 5), 255, 255, 255));
  EXPECT_FALSE(over.g.GetColorizeImages());
}

TEST(AlphaButtonDraw, HoverOffsetMovesOnlyTheHighlight) {
  auto white = FilledImage(10, 10, 0xFFFFFFFF);
  AlphaButton b(42);
  b.SetImage(white.get(), true);
  b.SetHoverOffset();
  Canvas normal;
  b.Draw(normal.g);
  EXPECT_NE(normal.At(0, 0), kBlack);
  b.SetState(1);
  Canvas over;
  b.Draw(over.g);
  EXPECT_EQ(over.At(0, 1), kBlack);
  EXPECT_NE(over.At(0, 2), kBlack);
  EXPECT_NE(over.At(0, 11), kBlack);
}

TEST(AlphaButtonAppear, FadeInThenTwoGlowPulses) {
  AlphaButton b(1);
  b.StartAppear();
  EXPECT_TRUE(b.IsOverlayOn());
  EXPECT_EQ(b.GetGlowLevel(), 0);
  int updates = 0;
  while (b.IsOverlayOn() && updates < 1000) {
    b.UpdateAppear();
    ++updates;
  }
  EXPECT_EQ(updates, 64);
  EXPECT_EQ(b.GetGlowCount(), 2);
  EXPECT_EQ(b.GetGlowLevel(), 255);
  for (int pulse = 2; pulse > 0; --pulse) {
    for (int i = 0; i < 64; ++i) {
      EXPECT_EQ(b.GetGlowCount(), pulse);
      b.UpdateAppear();
    }
  }
  EXPECT_EQ(b.GetGlowCount(), 0);
  EXPECT_EQ(b.GetGlowLevel(), 255);
  b.UpdateAppear();  // idle again
  EXPECT_FALSE(b.IsOverlayOn());
  EXPECT_EQ(b.GetGlowLevel(), 255);
}

TEST(AlphaButtonState, LeavingTakesOnlyTheHighlightAway) {
  struct Case {
    int before, after;
  } cases[] = {{0, 0}, {1, 0}, {2, 2}, {3, 3}};
  for (const Case& c : cases) {
    AlphaButton b(1);
    b.SetState(c.before);
    b.LeaveHover();
    EXPECT_EQ(b.GetState(), c.after) << c.before;
  }
  AlphaButton b(1);
  b.SetDisabled(true);
  EXPECT_EQ(b.GetState(), 3);
  b.SetDisabled(false);
  EXPECT_EQ(b.GetState(), 0);
}

TEST(AlphaButtonState, FreezerLidClosedInTheLaterStatesOnly) {
  auto lid = FilledImage(10, 10, 0xFFFFFFFF);
  auto open = FilledImage(10, 10, 0xFFFFFFFF);
  ScopedResource<Image*> r{IMAGE_FREEZER_CLOSED, lid.get()};
  AlphaButton b(15);
  b.SetImage(open.get(), true);
  for (int state : {0, 1, 2, 3, 4}) b.SetFreezerClosedImage(state);
  EXPECT_EQ(b.GetStateImage(0), open.get());
  for (int state : {1, 2, 3}) EXPECT_EQ(b.GetStateImage(state), lid.get());
}

}  // namespace
}  // namespace Plix
