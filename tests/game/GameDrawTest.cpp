// What the shared game pieces draw: into memory images, with recording
// fonts where text is drawn.
#include <gtest/gtest.h>

#include <memory>

#include "framework/graphics/Graphics.h"
#include "game/app/AlphaButton.h"
#include "game/app/FlyingItems.h"
#include "game/app/GameResources.h"
#include "game/app/InfoBalloon.h"
#include "game/app/Particle.h"
#include "tests/game/GameTestSupport.h"

namespace Plix {
namespace {

using Testing::FilledImage;
using Testing::GridImage;
using Testing::NearColor;
using Testing::RecordingFont;
using Testing::RecordingGameHost;
using Testing::ScopedResource;

constexpr uint32_t kWhite = 0xFFFFFFFF;
constexpr uint32_t kBlack = 0xFF000000;

// An opaque black canvas.
struct Canvas {
  std::unique_ptr<MemoryImage> image = FilledImage(64, 64, kBlack);
  Graphics g{image.get()};
  uint32_t At(int x, int y) { return image->GetBits()[y * 64 + x]; }
  bool Untouched() {
    const uint32_t* bits = image->GetBits();
    for (int i = 0; i < 64 * 64; ++i)
      if (bits[i] != kBlack) return false;
    return true;
  }
  // Drawing leaves the context as it found it.
  void ExpectPlainState() {
    EXPECT_EQ(g.GetDrawMode(), 0);
    EXPECT_FALSE(g.GetImageTinting());
  }
};

TEST(ParticleDraw, FadingParticleTintedByItsColourAndAlpha) {
  auto sprite = FilledImage(4, 4, kWhite);
  FadingParticle p(12, 12, sprite.get());  // top-left (10, 10)
  p.SetColor(200, 100, 50, 7);  // its own alpha is not used
  p.SetFadeStep(55);
  p.Update();  // alpha 200
  Canvas c;
  p.Draw(c.g);
  c.ExpectPlainState();
  EXPECT_TRUE(NearColor(c.At(10, 10), 200 * 200 / 255, 100 * 200 / 255, 50 * 200 / 255)) << std::hex << c.At(10, 10);
  EXPECT_EQ(c.At(9, 10), kBlack);
  EXPECT_EQ(c.At(14, 10), kBlack);

  FadingParticle add(12, 12, sprite.get());
  add.SetColor(100, 100, 100, 255);
  add.SetAdditive(true);
  Canvas grey;
  grey.g.SetColor(Color(50, 50, 50, 255));
  grey.g.FillRect(0, 0, 64, 64);
  add.Draw(grey.g);
  grey.ExpectPlainState();
  EXPECT_TRUE(NearColor(grey.At(11, 11), 150, 150, 150));
}

TEST(ParticleDraw, AnimationParticleColourisedCelAtItsCorner) {
  auto strip = FilledImage(8, 4, kWhite, 2, 1);  // cels of 4 x 4
  Animation anim;
  anim.AddFrame(1, 5);
  anim.SetImage(strip.get());
  AnimationParticle p(20, 20, anim);  // top-left (18, 18)
  p.SetColor(0, 255, 0, 255);
  p.SetDelay(2);
  Canvas c;
  p.Update();
  p.Draw(c.g);
  EXPECT_TRUE(c.Untouched());  // still waiting
  p.Update();
  p.Draw(c.g);
  c.ExpectPlainState();
  EXPECT_TRUE(NearColor(c.At(18, 18), 0, 255, 0));
  EXPECT_TRUE(NearColor(c.At(21, 21), 0, 255, 0));
  EXPECT_EQ(c.At(22, 18), kBlack);
}

TEST(ParticleDraw, CoinFadesAndGlows) {
  auto coin = FilledImage(8, 2, kWhite, 4, 1);  // cels of 2 x 2
  auto glow = FilledImage(32, 32, 0xFF202020);
  ScopedResource<Image*> r1{IMAGE_COIN, coin.get()};
  ScopedResource<Image*> r2{IMAGE_COIN_GLOW, glow.get()};
  CoinParticle p(31, 31);  // top-left (30, 30)
  p.SetDelay(2);
  Canvas c;
  p.Update();
  p.Draw(c.g);
  EXPECT_TRUE(c.Untouched());
  p.Update();  // at (30, 30), alpha 252, glow 2
  p.Draw(c.g);
  c.ExpectPlainState();
  // The coin, then its glow added over it from 15 up and left.
  EXPECT_TRUE(NearColor(c.At(30, 30), 252, 252, 252));
  EXPECT_TRUE(NearColor(c.At(15, 15), 0, 0, 0, 1));  // glow 2 of 255 adds nearly nothing
  EXPECT_EQ(c.At(14, 15), kBlack);
}

TEST(ParticleDraw, FireworkTrailAndBurstInItsColour) {
  RecordingGameHost host;
  auto burst = FilledImage(44, 4, kWhite, 11, 1);  // cels of 4 x 4
  auto thing = FilledImage(2, 2, kWhite);
  ScopedResource<Image*> r1{IMAGE_MAP_FIREWORKS, burst.get()};
  ScopedResource<Image*> r2{IMAGE_MAP_FIREWORK_THING, thing.get()};
  FireWorkParticle f(32, 300);
  f.SetColor(200, 100, 50, 255);
  Canvas c;
  f.Draw(c.g);
  EXPECT_TRUE(c.Untouched());  // rising: only the trail is seen
  f.Update();
  ASSERT_EQ(host.mParticles.GetCount(), 1);
  host.mParticles.DrawParticles(c.g);  // the trail at the launch point, (31, 299) to (32, 300)
  c.ExpectPlainState();
  EXPECT_EQ(c.At(31, 63), kBlack);  // off this canvas
  Canvas top;
  top.g.Translate(0, -260);
  host.mParticles.DrawParticles(top.g);
  EXPECT_TRUE(NearColor(top.At(31, 39), 200, 100, 50));
  EXPECT_TRUE(NearColor(top.At(32, 40), 200, 100, 50));

  while (!f.IsBursting()) f.Update();
  Canvas b;
  b.g.Translate(static_cast<int>(32 - f.GetX()), static_cast<int>(32 - f.GetY()));
  f.Draw(b.g);
  b.ExpectPlainState();
  EXPECT_TRUE(NearColor(b.At(30, 30), 200, 100, 50));  // the cel centred on the end point
  EXPECT_TRUE(NearColor(b.At(33, 33), 200, 100, 50));
  EXPECT_EQ(b.At(34, 34), kBlack);
}

TEST(ParticleDraw, ListDrawsNewestFirst) {
  auto red = FilledImage(2, 2, 0xFFFF0000), blue = FilledImage(2, 2, 0xFF0000FF);
  ParticleList list;
  list.AddParticle(new FadingParticle(1, 1, red.get()));
  list.AddParticle(new FadingParticle(1, 1, blue.get()));
  Canvas c;
  list.DrawParticles(c.g);
  EXPECT_TRUE(NearColor(c.At(0, 0), 255, 0, 0));  // the older one drawn last, on top
}

TEST(FlyingItemsDraw, FruitByKind) {
  auto banana = FilledImage(4, 4, 0xFFFFFF00);
  ScopedResource<Image*> r1{IMAGE_BANANA, banana.get()};
  struct Target : FlightTarget {
    float GetX() const override { return 100; }
    float GetY() const override { return 100; }
  } monkey;
  Canvas c;
  FlyingFruit apple(32, &monkey, 10, 10, 0.1f);
  ScopedResource<Image*> r2{IMAGE_APPLE, nullptr};
  apple.Draw(c.g);  // its image is not bound: nothing
  FlyingFruit unknown(40, &monkey, 10, 10, 0.1f);
  unknown.Draw(c.g);
  EXPECT_TRUE(c.Untouched());
  FlyingFruit fruit(34, &monkey, 10, 10, 0.1f);
  fruit.Draw(c.g);  // before its first update: at the start, unturned
  EXPECT_TRUE(NearColor(c.At(11, 11), 255, 255, 0));
}

TEST(MoneyPopupDraw, GreenNumbersWhileShown) {
  RecordingFont font;
  ScopedResource<Font*> r{FONT_GREEN_NUMBERS, &font};
  Canvas c;
  MoneyPopup m;
  m.Draw(c.g);
  EXPECT_TRUE(font.mCalls.empty());  // nothing until started
  m.Start(25, 200, 300.5f);
  m.SetDelay(1);
  m.Draw(c.g);
  EXPECT_TRUE(font.mCalls.empty());
  m.Update();
  m.Draw(c.g);
  ASSERT_EQ(font.mCalls.size(), 1u);
  EXPECT_EQ(font.mCalls[0].text, L"$25");
  EXPECT_EQ(font.mCalls[0].x, 200);
  EXPECT_EQ(font.mCalls[0].y, 300);
  EXPECT_EQ(font.mCalls[0].color, Color(255, 255, 255, 255));
  for (int i = 0; i < 101; ++i) m.Update();
  m.Draw(c.g);
  EXPECT_EQ(font.mCalls.back().color.mAlpha, 251);
  while (!m.IsDone()) m.Update();
  size_t calls = font.mCalls.size();
  m.Draw(c.g);
  EXPECT_EQ(font.mCalls.size(), calls);
}

TEST(AlphaButtonDraw, CellOfTheStateAndCentredLabel) {
  // Four cels of 10 x 20, one colour each.
  auto strip = std::make_unique<MemoryImage>();
  strip->Create(40, 20);
  strip->mCelColumns = 4;
  const uint32_t colours[4] = {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFFFF};
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 40; ++x) strip->GetBits()[y * 40 + x] = colours[x / 10];
  strip->OnBitsChanged();
  AlphaButton b(9);
  b.SetImage(strip.get(), true);
  EXPECT_EQ(b.GetWidth(), 10);
  EXPECT_EQ(b.GetHeight(), 20);
  EXPECT_EQ(b.GetBaseY(), 20);
  b.SetStateCell(1, 2, 0);
  b.SetPosition(5, 6);
  Canvas c;
  b.Draw(c.g);
  EXPECT_TRUE(NearColor(c.At(5, 6), 255, 0, 0));
  b.SetState(1);
  b.Draw(c.g);
  EXPECT_TRUE(NearColor(c.At(14, 25), 0, 0, 255));
  EXPECT_EQ(c.At(15, 25), kBlack);
  Canvas hidden;
  b.SetVisible(false);
  b.Draw(hidden.g);
  EXPECT_TRUE(hidden.Untouched());

  // A label on a button 40 high with an ascent of 18: base line y + 27.
  RecordingFont font;
  ScopedResource<Font*> r{FONT_DEFAULT, &font};
  auto tall = FilledImage(60, 40, 0x00000000);
  AlphaButton labelled(1);
  labelled.SetImage(tall.get(), true);
  labelled.SetPosition(10, 100);
  labelled.SetLabel(L"OK", -2, -4);
  Canvas l;
  labelled.Draw(l.g);
  ASSERT_EQ(font.mCalls.size(), 1u);
  EXPECT_EQ(font.mCalls[0].text, L"OK");
  EXPECT_EQ(font.mCalls[0].x, 10 + 30 - 2 - 8);  // centred on x + width / 2 + dx
  EXPECT_EQ(font.mCalls[0].y, 100 - 4 + 27);
  EXPECT_EQ(font.mCalls[0].color, Color(0, 0, 0, 255));
  l.ExpectPlainState();
}

TEST(AlphaButton, HitMaskPerCell) {
  // Two cels of 10 x 10; in the first only the 2 x 2 block at (4, 4) is
  // opaque, the second is clear but for its top-left pixel.
  auto strip = FilledImage(20, 10, 0x00000000, 2, 1);
  uint32_t* bits = strip->GetBits();
  for (int y = 4; y < 6; ++y)
    for (int x = 4; x < 6; ++x) bits[y * 20 + x] = kWhite;
  bits[10] = kWhite;
  strip->OnBitsChanged();
  // One cel with only its bottom-right pixel opaque.
  auto corner = FilledImage(10, 10, 0x00000000);
  corner->GetBits()[99] = 0x80000000;
  corner->OnBitsChanged();

  struct Case {
    MemoryImage* image;
    int dilation;
    int column;  // state-0 cell
    std::vector<std::pair<int, int>> hits, misses;  // points relative to the button
  };
  const Case cases[] = {
      {strip.get(), 0, 0, {{4, 4}, {5, 5}}, {{3, 4}, {6, 5}, {0, 0}}},
      {strip.get(), 2, 0, {{2, 2}, {7, 7}, {2, 5}}, {{1, 4}, {8, 4}, {4, 1}}},
      {strip.get(), 20, 0, {{0, 0}, {9, 9}, {9, 0}}, {}},
      {strip.get(), 0, 1, {{0, 0}}, {{1, 0}, {4, 4}}},
      {strip.get(), 3, 1, {{3, 3}, {0, 3}}, {{4, 0}, {9, 9}}},  // never grown across the cell border
      // The last two columns and rows never take from their right or below.
      {corner.get(), 5, 0, {{9, 9}}, {{8, 9}, {9, 8}, {8, 8}, {5, 5}}},
  };
  for (const Case& c : cases) {
    AlphaButton b(1);
    b.SetImage(c.image, true);
    b.SetStateCell(0, c.column, 0);
    b.SetPosition(100, 200);
    b.CreateHitMask(c.dilation);
    ASSERT_TRUE(b.HasHitMask());
    for (auto [x, y] : c.hits) EXPECT_TRUE(b.Contains(100 + x, 200 + y)) << c.dilation << " " << x << "," << y;
    for (auto [x, y] : c.misses) EXPECT_FALSE(b.Contains(100 + x, 200 + y)) << c.dilation << " " << x << "," << y;
    EXPECT_FALSE(b.Contains(99, 200));
    EXPECT_FALSE(b.Contains(110, 200));
    b.SetState(3);
    for (auto [x, y] : c.hits) EXPECT_FALSE(b.Contains(100 + x, 200 + y));  // disabled: never hit
  }
}

TEST(AlphaButton, WithoutMaskTheWholeRectangle) {
  auto plain = GridImage(30, 10, 3, 1);  // no pixels in memory: no mask
  AlphaButton b(1);
  b.SetImage(nullptr, true);  // nothing changes
  EXPECT_EQ(b.GetWidth(), 0);
  b.SetImage(plain.get(), false);
  b.CreateHitMask(4);
  EXPECT_FALSE(b.HasHitMask());
  EXPECT_TRUE(b.Contains(0, 0));
  EXPECT_TRUE(b.Contains(9, 9));
  EXPECT_FALSE(b.Contains(10, 9));
  EXPECT_FALSE(b.Contains(-1, 0));
  b.SetStateCell(7, 1, 1);  // ignored
  b.SetState(3);
  EXPECT_FALSE(b.Contains(1, 1));
}

struct BalloonDraw : ::testing::Test {
  RecordingGameHost host;
  RecordingFont text, numbers;
  std::unique_ptr<MemoryImage> body = FilledImage(200, 100, kWhite), pointers = FilledImage(40, 20, kWhite, 2, 1),
                               button = FilledImage(40, 10, kWhite, 2, 1), round = FilledImage(20, 10, kWhite, 2, 1),
                               spoon = FilledImage(4, 4, kWhite), portrait = FilledImage(90, 40, kWhite, 3, 1);
  ScopedResource<Font*> f1{FONT_DEFAULT, &text};
  ScopedResource<Font*> f2{FONT_RAVIE_14, &numbers};
  ScopedResource<Image*> r1{IMAGE_BALLOON_SMALL, body.get()};
  ScopedResource<Image*> r2{IMAGE_BALLOON_POINTERS, pointers.get()};
  ScopedResource<Image*> r3{IMAGE_BALLOON_BUTTON, button.get()};
  ScopedResource<Image*> r4{IMAGE_BALLOON_BUTTON_NEXT, round.get()};
  ScopedResource<Image*> r5{IMAGE_BALLOON_BUTTON_LEFT, round.get()};
  ScopedResource<Image*> r6{IMAGE_BALLOON_BUTTON_RIGHT, round.get()};
  ScopedResource<Image*> r7{IMAGE_FLAVOR_CONTEST_SPOON, spoon.get()};
  ScopedResource<Image*> r8{IMAGE_BALLOON_UNCLE, portrait.get()};

  void SetUp() override {
    InfoBalloon::CreateSharedButtons();
    InfoBalloon::SetTypingToggle(0);
  }
  void TearDown() override { InfoBalloon::DeleteSharedButtons(); }
};

TEST_F(BalloonDraw, TypedTextPortraitAndNumber) {
  InfoBalloon b(1, InfoBalloon::kSmall);
  b.AddPage(L"Hello there");
  b.SetYesText(L"OK");
  b.SetNumberRange(9, 4);
  b.SetSpeaker(3);
  b.SetFastText();
  b.Place(2, 100, 150);  // body at (100 - 66 - 40, 150 - 20 - 100 + 4) = (-6, 34)
  b.LayoutPage();
  Canvas c;
  b.Draw(c.g);
  EXPECT_TRUE(c.Untouched());  // waiting out its delay
  EXPECT_TRUE(text.mCalls.empty());
  b.Update();
  for (int i = 0; i < 5; ++i) b.Update();
  b.Draw(c.g);
  c.ExpectPlainState();
  EXPECT_TRUE(NearColor(c.At(0, 40), 255, 255, 255));  // the body
  // The page so far, black, inset by the uncle's portrait (30 + 5) and 16.
  ASSERT_FALSE(text.mCalls.empty());
  EXPECT_EQ(text.mCalls[0].text.substr(0, 5), L"Hello");
  EXPECT_EQ(text.AllText().find(L"there"), std::wstring::npos);
  EXPECT_EQ(text.mCalls[0].x, -6 + 35 + 16);
  EXPECT_EQ(text.mCalls[0].color, Color(0, 0, 0, 255));
  // The yes label, then the number between minus and plus.
  EXPECT_EQ(text.mCalls.back().text, L"OK");
  ASSERT_EQ(numbers.mCalls.size(), 1u);
  EXPECT_EQ(numbers.mCalls[0].text, L"4");
  AlphaButton* minus = b.GetSlot(InfoBalloon::kMinus);
  EXPECT_EQ(numbers.mCalls[0].x, b.GetNumberX());
  EXPECT_EQ(numbers.mCalls[0].y, minus->GetY() + (18 + 10 - 3 - 1) / 2 - 3);
}

TEST_F(BalloonDraw, UnboundImagesDrawNothingOfThem) {
  ScopedResource<Image*> none1{IMAGE_BALLOON_WIDE, nullptr};
  ScopedResource<Image*> none2{IMAGE_BALLOON_WIDE_ARROWS, nullptr};
  ScopedResource<Image*> none3{IMAGE_BALLOON_PEMI, nullptr};
  InfoBalloon b(1, InfoBalloon::kWide);
  b.SetSpeaker(1);
  b.AddPage(L"Hi");
  b.Place(2, 100, 100);
  b.LayoutPage();
  b.Update();
  Canvas c;
  b.Draw(c.g);
  EXPECT_TRUE(c.Untouched());
}

}  // namespace
}  // namespace Plix
