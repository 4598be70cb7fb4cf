#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstring>
#include <thread>

#include "framework/platform/AudioMixer.h"
#include "framework/sound/BassMusicInterface.h"
#include "framework/sound/DSoundManager.h"
#include "framework/sound/SoundInstance.h"
#include "tests/sound/SoundTestSupport.h"
#include "tests/support/TestSupport.h"

namespace Plix {
namespace {

using Testing::FmtChunk;
using Testing::ToneBytes;
using Testing::WavFile;

const HWND kWindow = reinterpret_cast<HWND>(1);

class MixerTest : public ::testing::Test {
protected:
  void SetUp() override {
    // 0.5 s of 441 Hz at 44100 Hz: exactly 100 samples per period.
    Testing::WriteFile(mDir / "tone.wav",
                       WavFile({{"fmt ", FmtChunk(1, 44100, 16)}, {"data", ToneBytes(22050, 1, 44100, 441)}}));
    ASSERT_TRUE(mMgr.LoadSound(0, mDir / "tone"));
  }
  void TearDown() override { SetWaveOutVolume(0xFFFF); }

  Testing::OfflineAudio mOffline;
  Testing::TempDir mDir;
  DSoundManager mMgr{kWindow, false};
};

TEST_F(MixerTest, PanAttenuatesTheOtherSide) {
  const struct {
    int pan;
    bool leftLouder, rightLouder;
  } cases[] = {{0, false, false}, {-2000, true, false}, {2000, false, true}, {-10000, true, false}};
  for (const auto& c : cases) {
    SoundInstance* s = mMgr.NewSoundInstance(0);
    s->SetPan(c.pan);
    ASSERT_TRUE(s->Play(false, true));
    const auto out = Testing::Mix(4410);
    s->Stop();
    const double l = Testing::Level(out, 0), r = Testing::Level(out, 1);
    EXPECT_GT(l + r, 1000) << c.pan;
    EXPECT_EQ(l > r * 1.5, c.leftLouder) << c.pan;
    EXPECT_EQ(r > l * 1.5, c.rightLouder) << c.pan;
  }
}

TEST_F(MixerTest, PitchChangesTheRateOfPlay) {
  for (double steps : {0.0, 12.0, -12.0}) {
    SoundInstance* s = mMgr.NewSoundInstance(0);
    s->AdjustPitch(steps);
    ASSERT_TRUE(s->Play(false, true));
    const auto out = Testing::Mix(8820);
    EXPECT_NEAR(Testing::Frequency(out, 0, 0, 8820), 441 * std::pow(2.0, steps / 12), 15) << steps;
    s->Stop();
  }
}

TEST_F(MixerTest, OneShotEndsAndLoopGoesOn) {
  SoundInstance* once = mMgr.NewSoundInstance(0);
  SoundInstance* loop = mMgr.NewSoundInstance(0);
  once->SetPan(-10000);  // once on the left, loop on the right
  loop->SetPan(10000);
  once->Play(false, false);
  loop->Play(true, false);
  const auto out = Testing::Mix(44100);  // twice the sound's length
  EXPECT_FALSE(once->IsPlaying());
  EXPECT_TRUE(loop->IsPlaying());
  EXPECT_GT(Testing::Level(out, 0, 0, 22000), 1000);
  EXPECT_EQ(Testing::Level(out, 0, 22100, 44100), 0);
  EXPECT_GT(Testing::Level(out, 1, 22100, 44100), 1000);
}

TEST_F(MixerTest, MasterGainScalesEverything) {
  SoundInstance* s = mMgr.NewSoundInstance(0);
  s->Play(true, false);
  const double full = Testing::Level(Testing::Mix(4410), 0);
  mMgr.SetMasterVolume(0.5);
  const double half = Testing::Level(Testing::Mix(4410), 0);
  EXPECT_NEAR(half / full, 0.5, 0.02);
  mMgr.SetMasterVolume(0.0);
  EXPECT_EQ(Testing::Level(Testing::Mix(4410), 0), 0);
}

TEST_F(MixerTest, EffectVolumeFollowsDecibels) {
  SoundInstance* s = mMgr.NewSoundInstance(0);
  s->Play(true, false);
  const double full = Testing::Level(Testing::Mix(4410), 0);
  s->SetVolume(0.5);  // -6.05 dB
  const double half = Testing::Level(Testing::Mix(4410), 0);
  EXPECT_NEAR(half / full, std::pow(10.0, -605 / 2000.0), 0.02);
}

// The real device through SDL's disk driver, which writes every mixed
// sample to a file in real time.
class DiskAudio {
public:
  explicit DiskAudio(const std::string& file)
      : mDriver("SDL_AUDIODRIVER", "disk"), mFile("SDL_DISKAUDIOFILE", file), mPath(file) {}
  std::vector<int16_t> Samples() const {
    const std::string bytes = Testing::ReadFile(mPath);
    std::vector<int16_t> out(bytes.size() / 2);
    std::memcpy(out.data(), bytes.data(), out.size() * 2);
    return out;
  }

private:
  Testing::ScopedEnv mDriver, mFile;
  std::string mPath;
};

// The span of frames louder than a floor on either side.
std::pair<size_t, size_t> Audible(const std::vector<int16_t>& s, int floor = 300) {
  size_t first = SIZE_MAX, last = 0;
  for (size_t i = 0; i < s.size() / 2; ++i)
    if (std::abs(s[2 * i]) > floor || std::abs(s[2 * i + 1]) > floor) {
      first = std::min(first, i);
      last = i;
    }
  return {first, last};
}

void Wait(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

std::vector<int16_t> PlayOnDisk(const std::string& dir, const std::string& tone, int pan,
                                double pitch, double master) {
  DiskAudio disk(dir + "/out.raw");
  {
    DSoundManager mgr(kWindow, false);
    EXPECT_TRUE(mgr.Initialized());
    EXPECT_TRUE(mgr.LoadSound(0, tone));
    mgr.SetMasterVolume(master);
    SoundInstance* s = mgr.NewSoundInstance(0);
    s->SetPan(pan);
    s->AdjustPitch(pitch);
    s->Play(false, true);
    Wait(800);
  }
  SetWaveOutVolume(0xFFFF);
  return disk.Samples();
}

TEST(DiskDriver, EffectsPanPitchAndMasterGainReachTheDevice) {
  Testing::TempDir dir;
  Testing::WriteFile(dir / "tone.wav",
                     WavFile({{"fmt ", FmtChunk(1, 44100, 16)}, {"data", ToneBytes(13230, 1, 44100, 441)}}));
  const auto plain = PlayOnDisk(dir.Path(), dir / "tone", 0, 0, 1.0);
  const auto left = PlayOnDisk(dir.Path(), dir / "tone", -3000, 0, 1.0);
  const auto fast = PlayOnDisk(dir.Path(), dir / "tone", 0, 12, 1.0);
  const auto quiet = PlayOnDisk(dir.Path(), dir / "tone", 0, 0, 0.5);

  const auto [p0, p1] = Audible(plain);
  ASSERT_LT(p0, p1);
  EXPECT_NEAR(double(p1 - p0), 13230, 300);  // 0.3 s
  EXPECT_NEAR(Testing::Frequency(plain, 0, p0, p1), 441, 15);
  const double plainLevel = Testing::Level(plain, 0, p0, p1);

  const auto [l0, l1] = Audible(left);
  ASSERT_LT(l0, l1);
  EXPECT_GT(Testing::Level(left, 0, l0, l1), 3 * Testing::Level(left, 1, l0, l1));

  const auto [f0, f1] = Audible(fast);
  ASSERT_LT(f0, f1);
  EXPECT_NEAR(double(f1 - f0), 13230 / 2, 300);
  EXPECT_NEAR(Testing::Frequency(fast, 0, f0, f1), 882, 30);

  const auto [q0, q1] = Audible(quiet, 150);
  ASSERT_LT(q0, q1);
  EXPECT_NEAR(Testing::Level(quiet, 0, q0, q1) / plainLevel, 0.5, 0.05);
}

TEST(DiskDriver, LoopingSongFadesIn) {
  Testing::TempDir dir;
  DiskAudio disk(dir / "out.raw");
  {
    BassMusicInterface music(kWindow);
    ASSERT_TRUE(music.LoadMusic(1, Testing::OggFixture("loop")));  // 0.25 s
    music.SetVolume(1.0);
    music.FadeIn(1, -1, 0.02, false);  // full after 50 updates
    for (int i = 0; i < 100; ++i) {
      music.Update();
      Wait(10);
    }
    EXPECT_TRUE(music.IsPlaying(1));
  }
  const auto samples = disk.Samples();
  const auto [a0, a1] = Audible(samples, 50);
  ASSERT_LT(a0, a1);
  // Plays on well past the song's 0.25 s, getting louder.
  EXPECT_GT(double(a1 - a0), 0.6 * 44100);
  const size_t tenth = 4410;
  const double early = Testing::Level(samples, 0, a0, a0 + tenth);
  const double late = Testing::Level(samples, 0, a1 - 2 * tenth, a1 - tenth);
  EXPECT_GT(late, 2 * early);
  EXPECT_NEAR(Testing::Frequency(samples, 0, a1 - 4 * tenth, a1 - tenth), 330, 15);
}

}  // namespace
}  // namespace Plix
