#include "game/app/Particle.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "framework/platform/CRand.h"
#include "game/app/GameResources.h"
#include "tests/game/GameTestSupport.h"

namespace Plix {
namespace {

using Testing::GridImage;
using Testing::RecordingGameHost;
using Testing::ScopedResource;

TEST(FadingParticle, FadesOutOneStepPerTick) {
  auto image = GridImage(40, 30);
  FadingParticle p(100, 100, image.get());
  EXPECT_EQ(p.GetX(), 80);  // centred: half of 40 and of 30
  EXPECT_EQ(p.GetY(), 85);
  EXPECT_EQ(p.GetAlpha(), 255);
  EXPECT_TRUE(p.Update());
  EXPECT_EQ(p.GetAlpha(), 254);
  int ticks = 1;
  while (p.Update()) ++ticks;
  EXPECT_EQ(ticks, 255);  // false on the 256th
  EXPECT_EQ(p.GetAlpha(), 0);
}

TEST(FadingParticle, FadeInThenOut) {
  auto image = GridImage(9, 9);
  FadingParticle p(0, 0, image.get());
  EXPECT_EQ(p.GetX(), -4);
  p.SetFadeStep(8);
  p.SetFadeIn(true);
  EXPECT_EQ(p.GetAlpha(), 0);
  std::vector<int> alphas;
  for (int i = 0; i < 18; ++i) {
    EXPECT_TRUE(p.Update());
    alphas.push_back(p.GetAlpha());
  }
  EXPECT_EQ(alphas[0], 16);
  EXPECT_EQ(alphas[14], 240);
  EXPECT_EQ(alphas[15], 255);  // 16 ticks
  EXPECT_EQ(alphas[16], 247);
  EXPECT_EQ(alphas[17], 239);

  FadingParticle q(0, 0, image.get());
  q.SetFadeIn(false);  // still starts from 0
  EXPECT_FALSE(q.Update());
}

TEST(FadingParticle, DelayDoesNotHoldItBack) {
  auto image = GridImage(2, 2);
  FadingParticle p(0, 0, image.get());
  p.SetDelay(5);
  EXPECT_TRUE(p.Update());
  EXPECT_EQ(p.GetAlpha(), 254);

  MovingFadingParticle m(0, 0, image.get());
  m.SetVelocity(3, 0);
  m.SetDelay(3);
  EXPECT_TRUE(m.Update());
  EXPECT_TRUE(m.Update());
  EXPECT_EQ(m.GetX(), -1);  // waits unmoved and unfaded
  EXPECT_EQ(m.GetAlpha(), 255);
  EXPECT_TRUE(m.Update());
  EXPECT_EQ(m.GetX(), 2);
  EXPECT_EQ(m.GetAlpha(), 254);
}

// A template animation of three cels of a 4 x 2 strip of 16 x 16 cels.
struct AnimationFixture : ::testing::Test {
  std::unique_ptr<Image> strip = GridImage(64, 32, 4, 2);
  Animation anim;
  void SetUp() override {
    anim.AddFrame(0, 2);
    anim.AddFrame(5, 2);
    anim.AddFrame(6, 2);
    anim.SetImage(strip.get());
  }
};

using AnimationParticles = AnimationFixture;

TEST_F(AnimationParticles, CentredAndPlayedOnce) {
  AnimationParticle p(100, 50, anim);
  EXPECT_EQ(p.GetX(), 92);
  EXPECT_EQ(p.GetY(), 42);
  int ticks = 0;
  while (p.Update()) ++ticks;
  EXPECT_EQ(ticks, 5);  // 2 + 2 + 2 ticks, false on the sixth
}

TEST_F(AnimationParticles, DelayHoldsTheAnimation) {
  AnimationParticle p(0, 0, anim);
  p.SetDelay(3);
  EXPECT_TRUE(p.Update());
  EXPECT_TRUE(p.Update());
  EXPECT_EQ(p.GetDelay(), 1);  // still waiting: drawn as nothing
  EXPECT_TRUE(p.Update());     // the animation's first tick
  EXPECT_EQ(p.GetDelay(), 0);
  EXPECT_TRUE(p.Update());
  EXPECT_EQ(p.GetAnimation().GetCurrentCel(), 5);
}

TEST_F(AnimationParticles, LeavesTheTemplateFramesAlone) {
  for (int i = 0; i < 3; ++i) {
    auto* p = new MovingAnimationParticle(0, 0, anim);
    p->Update();
    delete p;
  }
  anim.Reset();
  EXPECT_EQ(anim.GetCurrentCel(), 0);
  anim.Update();
  anim.Update();
  EXPECT_EQ(anim.GetCurrentCel(), 5);  // under AddressSanitizer: frames intact
}

TEST_F(AnimationParticles, VelocityGlides) {
  MovingAnimationParticle p(8, 8, anim);  // top-left (0, 0)
  p.SetVelocity(10, -2);
  p.SetEndVelocity(20, 4);
  p.SetBlendStep(0.5f);
  std::vector<float> xs, ys;
  for (int i = 0; i < 4; ++i) {
    p.Update();
    xs.push_back(p.GetX());
    ys.push_back(p.GetY());
  }
  EXPECT_EQ(xs, (std::vector<float>{10, 25, 45, 65}));
  EXPECT_EQ(ys, (std::vector<float>{-2, -1, 3, 7}));
}

TEST(MovingFadingParticle, DefaultGlideTakesAHundredTicks) {
  auto image = GridImage(2, 2);
  MovingFadingParticle p(1, 1, image.get());  // top-left (0, 0)
  p.SetVelocity(0, 0);
  p.SetEndVelocity(1, 0);
  float before = 0;
  for (int i = 0; i < 120; ++i) {
    p.Update();
    float step = p.GetX() - before;
    before = p.GetX();
    if (i == 0) {
      EXPECT_EQ(step, 0);
    }
    if (i >= 101) {
      EXPECT_NEAR(step, 1.0f, 1e-4);
    }
  }
}

struct CoinFixture : ::testing::Test {
  std::unique_ptr<Image> coin = GridImage(64, 16, 4, 1);
  ScopedResource<Image*> bind{IMAGE_COIN, coin.get()};
};

using Coin = CoinFixture;

// The coin's cubic in double precision.
void Bezier(double t, double x0, double y0, double x1, double y1, double& x, double& y) {
  const double x3 = 453, y3 = 29, u = 1 - t;
  x = u * u * u * x0 + 3 * u * u * t * x1 + 3 * u * t * t * x3 + t * t * t * x3;
  y = u * u * u * y0 + 3 * u * u * t * y1 + 3 * u * t * t * y3 + t * t * t * y3;
}

TEST_F(Coin, FromTheOriginStraightToTheTakings) {
  for (unsigned seed : {1u, 7u, 12345u}) {
    SRand(seed);
    CoinParticle c(8, 8);  // top-left (0, 0): no sideways bow whatever the draw
    std::vector<std::pair<float, float>> path;
    int alive = 0;
    while (c.Update()) {
      ++alive;
      path.emplace_back(c.GetX(), c.GetY());
    }
    EXPECT_EQ(alive, 100);
    for (int k : {0, 25, 50, 99}) {
      double x, y;
      Bezier(k * 0.01, 0, 0, 226.5, 14.5, x, y);
      EXPECT_NEAR(path[k].first, x, 1e-2) << k;
      EXPECT_NEAR(path[k].second, y, 1e-2) << k;
    }
    // The update that ends it stands on (453, 29).
    EXPECT_NEAR(c.GetX(), 453, 1e-2);
    EXPECT_NEAR(c.GetY(), 29, 1e-2);
  }
}

TEST_F(Coin, BowsSidewaysByTheDraw) {
  SRand(99);
  int r = Rand();
  SRand(99);
  CoinParticle c(108, 308);  // top-left (100, 300)
  float s = static_cast<float>((r % 200 - 100) * 128) * 0.01f;
  float nx = -100, ny = 300;
  float len = std::sqrt(nx * nx + ny * ny);
  nx /= len;
  ny /= len;
  const double mx = (100 + 453) * 0.5 + s * ny, my = (300 + 29) * 0.5 + s * nx;
  for (int i = 0; i <= 50; ++i) c.Update();
  double x, y;
  Bezier(0.5, 100, 300, mx, my, x, y);
  EXPECT_NEAR(c.GetX(), x, 1e-2);
  EXPECT_NEAR(c.GetY(), y, 1e-2);
}

TEST_F(Coin, FadesGlowsAndSpins) {
  CoinParticle c(8, 8);
  struct Tick {
    int update;
    int alpha;
    int glow;
    int cel;
  };
  // t runs up in single-precision steps of 0.01 (0.4999998 after 50).
  const Tick ticks[] = {{1, 252, 2, 0},  {4, 242, 10, 1}, {16, 201, 40, 0}, {50, 86, 127, 0},
                        {60, 52, 102, 3}, {74, 4, 66, 2},  {75, 1, 63, 2},   {76, 0, 61, 3},
                        {100, 0, 0, 1}};
  int update = 0;
  for (const Tick& t : ticks) {
    while (update < t.update) {
      c.Update();
      ++update;
    }
    EXPECT_EQ(c.GetAlpha(), t.alpha) << t.update;
    EXPECT_EQ(c.GetGlow(), t.glow) << t.update;
    EXPECT_EQ(c.GetCel(), t.cel) << t.update;
  }
}

TEST_F(Coin, DelayHoldsItInPlace) {
  CoinParticle c(8, 8);
  c.SetDelay(2);
  c.SetSpeed(0.5f);
  EXPECT_TRUE(c.Update());
  EXPECT_EQ(c.GetX(), 0);
  EXPECT_EQ(c.GetAlpha(), 255);
  EXPECT_TRUE(c.Update());  // t 0 -> 0.5
  EXPECT_TRUE(c.Update());  // t 0.5 -> 1.0
  EXPECT_FALSE(c.Update());
}

struct FireworkFixture : ::testing::Test {
  RecordingGameHost host;
  std::unique_ptr<Image> burst = GridImage(110, 10, 11, 1);
  std::unique_ptr<Image> thing = GridImage(8, 8);
  ScopedResource<Image*> b1{IMAGE_MAP_FIREWORKS, burst.get()};
  ScopedResource<Image*> b2{IMAGE_MAP_FIREWORK_THING, thing.get()};
  ScopedResource<int> s1{SOUND_FIREWORKS_LIFT_1, 101};
  ScopedResource<int> s2{SOUND_FIREWORKS_LIFT_2, 102};
  ScopedResource<int> s3{SOUND_FIREWORKS_EXPLOSION, 103};
};

using Firework = FireworkFixture;

TEST_F(Firework, RisesWithATrailThenBursts) {
  for (unsigned seed : {3u, 4u, 5u, 6u}) {
    host.mSounds.clear();
    host.mParticles.ClearParticles();
    SRand(seed);
    int toss = Rand() % 2;
    int drift = Rand() % 100;
    int climb = Rand() % 100;
    int soundToss = Rand() % 2;
    int liftToss = soundToss == 0 ? Rand() % 2 : -1;
    SRand(seed);
    FireWorkParticle f(300, 500);
    const float ex = toss == 0 ? 250.0f - drift : 350.0f + drift;
    const float ey = 300.0f - climb;
    if (soundToss == 0)
      EXPECT_EQ(host.mSounds, (std::vector<int>{liftToss == 0 ? 101 : 102})) << seed;
    else
      EXPECT_TRUE(host.mSounds.empty()) << seed;

    f.SetColor(10, 20, 30, 255);
    int ticks = 0;
    while (!f.IsBursting()) {
      EXPECT_TRUE(f.Update());
      ++ticks;
    }
    EXPECT_EQ(ticks, 101);
    EXPECT_EQ(host.mParticles.GetCount(), 100);  // one trail sprite per rising tick
    EXPECT_FLOAT_EQ(f.GetX(), ex);
    EXPECT_FLOAT_EQ(f.GetY(), ey);
    float cx, cy;
    f.GetCurve().Evaluate(0.5f, cx, cy);
    EXPECT_FLOAT_EQ(cx, (300 + (300 + ex) * 0.5f * 2 + ex) / 4);  // control ((x + ex) / 2, ey - 100)
    EXPECT_FLOAT_EQ(cy, (500 + (ey - 100) * 2 + ey) / 4);

    int burst = 0;
    while (f.Update()) ++burst;
    EXPECT_EQ(burst, 109);  // cels 0 to 10, ten ticks each: false on the 110th
    EXPECT_EQ(f.GetBurstCel(), 11);
  }
}

TEST_F(Firework, TrailSpritesLiveThirtyTwoTicks) {
  FireWorkParticle f(100, 400);
  f.SetColor(200, 100, 50, 255);
  f.Update();
  ASSERT_EQ(host.mParticles.GetCount(), 1);
  // Trail sprites fade by 8: alive for 32 ticks.
  int ticks = 1;
  for (; ticks < 40 && host.mParticles.GetCount() > 0; ++ticks) {
    host.mParticles.UpdateParticles();
    if (host.mParticles.GetCount() == 0) break;
  }
  EXPECT_EQ(ticks, 32);
}

// Records its updates and its deletion.
class LoggingParticle : public Particle {
public:
  LoggingParticle(std::string name, int lives, std::vector<std::string>& log)
      : Particle(0, 0), mName(std::move(name)), mLives(lives), mLog(log) {}
  ~LoggingParticle() override { mLog.push_back("delete " + mName); }
  bool Update() override {
    mLog.push_back("update " + mName);
    return --mLives > 0;
  }

private:
  std::string mName;
  int mLives;
  std::vector<std::string>& mLog;
};

TEST(ParticleList, NewestFirstAndDeletedAfterTheWalk) {
  std::vector<std::string> log;
  {
    ParticleList list;
    list.AddParticle(new LoggingParticle("a", 2, log));
    list.AddParticle(new LoggingParticle("b", 1, log));
    list.AddParticle(new LoggingParticle("c", 1, log));
    list.UpdateParticles();
    EXPECT_EQ(log, (std::vector<std::string>{"update c", "update b", "update a", "delete b", "delete c"}));
    EXPECT_EQ(list.GetCount(), 1);
    log.clear();
    list.AddParticle(new LoggingParticle("d", 5, log));
    list.ClearParticles();
    EXPECT_EQ(list.GetCount(), 0);
    EXPECT_EQ(log, (std::vector<std::string>{"delete d", "delete a"}));
    log.clear();
    list.AddParticle(new LoggingParticle("e", 5, log));
  }
  EXPECT_EQ(log, (std::vector<std::string>{"delete e"}));  // the list owns its particles
}

TEST(ParticleList, DefaultHostDeletesWhatItIsGiven) {
  SetGameHost(nullptr);
  std::vector<std::string> log;
  GetGameHost()->AddParticle(new LoggingParticle("x", 1, log));
  EXPECT_EQ(log, (std::vector<std::string>{"delete x"}));
  GetGameHost()->PlaySound(3);
  GetGameHost()->SetCursor(1);
}

}  // namespace
}  // namespace Plix
