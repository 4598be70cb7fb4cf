#include <gtest/gtest.h>

#include <cmath>

#include "framework/platform/Clock.h"
#include "framework/platform/DirectSound.h"
#include "framework/sound/DSoundInstance.h"
#include "framework/sound/DSoundManager.h"
#include "tests/sound/SoundTestSupport.h"
#include "tests/support/TestSupport.h"

namespace Plix {
namespace {

using Testing::FmtChunk;
using Testing::ToneBytes;
using Testing::WavFile;

const HWND kWindow = reinterpret_cast<HWND>(1);

TEST(VolumeToDB, GivesDirectSoundAttenuation) {
  const struct {
    double volume;
    int db;
  } cases[] = {{1.0, 0},       {0.5, -605},     {0.1, -1682}, {0.05, -1956},
               {0.0, -10000},  {0.04, -10000},  {2.0, 650},
               // A volume from a broken setting is silence.
               {-0.5, -10000}, {-1.0 / 9, -10000}, {std::nan(""), -10000}, {INFINITY, -10000}};
  for (const auto& c : cases) EXPECT_EQ(VolumeToDB(c.volume), c.db) << c.volume;
}

class SoundManagerTest : public ::testing::Test {
protected:
  void SetUp() override {
    // A 0.1 s tone at 44100 Hz.
    Testing::WriteFile(mDir / "beep.wav",
                       WavFile({{"fmt ", FmtChunk(1, 44100, 16)}, {"data", ToneBytes(4410, 1, 44100, 441)}}));
  }
  std::string Name(const std::string& base) { return mDir / base; }

  Testing::OfflineAudio mOffline;
  Testing::TempDir mDir;
  FakeClock mClock{5000};
  ScopedClock mScopedClock{mClock};
};

TEST_F(SoundManagerTest, PitchIsAlwaysRelativeToTheSoundsOwnRate) {
  DSoundManager mgr(kWindow, false);
  ASSERT_TRUE(mgr.Initialized());
  ASSERT_TRUE(mgr.LoadSound(3, Name("beep")));
  const struct {
    std::vector<double> steps;
    DWORD frequency;
  } cases[] = {{{12}, 88200}, {{-12}, 22050}, {{-200}, 100}, {{-100}, 136}, {{200}, 100000}, {{12, 12}, 88200}};
  for (const auto& c : cases) {
    auto* instance = static_cast<DSoundInstance*>(mgr.NewSoundInstance(3));
    ASSERT_NE(instance, nullptr);
    for (double s : c.steps) instance->AdjustPitch(s);
    DWORD f = 0;
    instance->GetSoundBuffer()->GetFrequency(&f);
    EXPECT_EQ(f, c.frequency) << c.steps[0];
    instance->Release();
  }
}

TEST_F(SoundManagerTest, SoundIdsAreFoundByNameAndTakenFromTheTop) {
  DSoundManager mgr(kWindow, false);
  EXPECT_EQ(mgr.FindFreeSoundId(), 0);
  EXPECT_EQ(mgr.FindOrLoadSound(Name("beep")), 255);
  EXPECT_EQ(mgr.FindOrLoadSound(Name("beep")), 255);
  Testing::WriteFile(mDir / "boop.wav", Testing::ReadFile(mDir / "beep.wav"));
  EXPECT_EQ(mgr.FindOrLoadSound(Name("boop")), 254);
  EXPECT_EQ(mgr.GetNumSounds(), 2);
  EXPECT_EQ(mgr.FindFreeSoundId(), 0);

  // A failed load keeps its name, so the name finds the (empty) id again.
  EXPECT_FALSE(mgr.LoadSound(7, Name("missing")));
  EXPECT_EQ(mgr.FindOrLoadSound(Name("missing")), 7);
  EXPECT_EQ(mgr.NewSoundInstance(7), nullptr);
  EXPECT_EQ(mgr.FindOrLoadSound(Name("also-missing")), -1);

  mgr.FreeSound(255);
  EXPECT_EQ(mgr.GetNumSounds(), 1);
  EXPECT_EQ(mgr.FindOrLoadSound(Name("beep")), 255);

  EXPECT_FALSE(mgr.LoadSound(256, Name("beep")));
  EXPECT_FALSE(mgr.SetBaseVolume(256, 0.5));
  EXPECT_FALSE(mgr.SetBasePan(256, 100));
  EXPECT_EQ(mgr.NewSoundInstance(256), nullptr);
}

TEST_F(SoundManagerTest, ThirtyTwoChannelsThenAReleasedOneIsReused) {
  DSoundManager mgr(kWindow, false);
  ASSERT_TRUE(mgr.LoadSound(0, Name("beep")));
  std::vector<SoundInstance*> playing;
  for (int i = 0; i < kMaxChannels; ++i) {
    SoundInstance* s = mgr.NewSoundInstance(0);
    ASSERT_NE(s, nullptr) << i;
    EXPECT_TRUE(s->Play(true, false));
    playing.push_back(s);
  }
  EXPECT_EQ(mgr.NewSoundInstance(0), nullptr);
  playing[17]->Release();
  EXPECT_NE(mgr.NewSoundInstance(0), nullptr);
  EXPECT_EQ(mgr.NewSoundInstance(0), nullptr);
}

TEST_F(SoundManagerTest, FinishedAutoReleaseInstancesAreReclaimed) {
  DSoundManager mgr(kWindow, false);
  ASSERT_TRUE(mgr.LoadSound(0, Name("beep")));
  for (int i = 0; i < kMaxChannels; ++i) ASSERT_TRUE(mgr.NewSoundInstance(0)->Play(false, true));
  Testing::Mix(1000);
  EXPECT_EQ(mgr.NewSoundInstance(0), nullptr);  // still playing
  Testing::Mix(5000);                           // past the 0.1 s sound
  mClock.Advance(1500);                         // and a sweep is due
  for (int i = 0; i < kMaxChannels; ++i) EXPECT_NE(mgr.NewSoundInstance(0), nullptr) << i;
}

TEST_F(SoundManagerTest, StoppedAutoReleaseInstancesAreStillReclaimed) {
  DSoundManager mgr(kWindow, false);
  ASSERT_TRUE(mgr.LoadSound(0, Name("beep")));
  std::vector<SoundInstance*> all;
  for (int i = 0; i < kMaxChannels; ++i) {
    all.push_back(mgr.NewSoundInstance(0));
    all.back()->Play(true, true);
  }
  mgr.StopAllSounds();
  for (SoundInstance* s : all) EXPECT_FALSE(s->IsPlaying());
  EXPECT_NE(mgr.NewSoundInstance(0), nullptr);
}

TEST_F(SoundManagerTest, BaseVolumeTakesEffectOnNewInstancesEffectsVolumeOnAll) {
  DSoundManager mgr(kWindow, false);
  ASSERT_TRUE(mgr.LoadSound(0, Name("beep")));
  auto* first = static_cast<DSoundInstance*>(mgr.NewSoundInstance(0));
  auto volumeOf = [](DSoundInstance* s) {
    LONG v = 1;
    s->GetSoundBuffer()->GetVolume(&v);
    return v;
  };
  EXPECT_TRUE(mgr.SetBaseVolume(0, 0.5));
  EXPECT_TRUE(mgr.SetBasePan(0, -300));
  EXPECT_EQ(volumeOf(first), 0);
  auto* second = static_cast<DSoundInstance*>(mgr.NewSoundInstance(0));
  EXPECT_EQ(volumeOf(second), -605);
  LONG pan = 0;
  second->GetSoundBuffer()->GetPan(&pan);
  EXPECT_EQ(pan, -300);
  second->SetPan(100);
  second->GetSoundBuffer()->GetPan(&pan);
  EXPECT_EQ(pan, -200);

  mgr.SetVolume(0.5);
  EXPECT_EQ(volumeOf(first), -605);
  EXPECT_EQ(volumeOf(second), VolumeToDB(0.25));
  EXPECT_DOUBLE_EQ(second->GetVolume(), 1.0);
}

TEST_F(SoundManagerTest, MasterVolumeIsTheMixersGain) {
  DSoundManager mgr(kWindow, false);
  mgr.SetMasterVolume(0.5);
  EXPECT_NEAR(mgr.GetMasterVolume(), 0.5, 1e-4);
  mgr.SetMasterVolume(1.0);
  EXPECT_DOUBLE_EQ(mgr.GetMasterVolume(), 1.0);
  mgr.SetMasterVolume(-2.0);
  EXPECT_DOUBLE_EQ(mgr.GetMasterVolume(), 0.0);
  mgr.SetMasterVolume(1e12);
  EXPECT_DOUBLE_EQ(mgr.GetMasterVolume(), 1.0);
}

TEST_F(SoundManagerTest, WithoutAWindowTheManagerIsSilent) {
  DSoundManager mgr(nullptr, false);
  EXPECT_FALSE(mgr.Initialized());
  EXPECT_TRUE(mgr.LoadSound(0, Name("nothing-at-all")));
  EXPECT_EQ(mgr.GetNumSounds(), 0);
  SoundInstance* s = mgr.NewSoundInstance(0);
  ASSERT_NE(s, nullptr);
  EXPECT_FALSE(s->Play(false, false));
  EXPECT_FALSE(s->IsPlaying());
}

TEST(SilentSoundManager, SdlDummyDriverGivesNoDevice) {
  Testing::ScopedEnv driver("SDL_AUDIODRIVER", "dummy");
  DSoundManager mgr(kWindow, false);
  EXPECT_FALSE(mgr.Initialized());
  EXPECT_TRUE(mgr.LoadSound(0, "nothing-at-all"));
  SoundInstance* s = mgr.NewSoundInstance(5);
  ASSERT_NE(s, nullptr);
  EXPECT_FALSE(s->Play(true, false));
}

TEST_F(SoundManagerTest, AFailedDuplicateEndsTheProcessWithCodeOne) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  DSoundManager mgr(kWindow, false);
  ASSERT_TRUE(mgr.LoadSound(0, Name("beep")));
  EXPECT_EXIT(
      {
        DirectSoundFaultsForTesting().duplicate = DSERR_OUTOFMEMORY;
        mgr.NewSoundInstance(0);
      },
      ::testing::ExitedWithCode(1), "Hey: DSERR_OUTOFMEMORY");
  EXPECT_EXIT(
      {
        DirectSoundFaultsForTesting().duplicate = E_FAIL;
        mgr.NewSoundInstance(0);
      },
      ::testing::ExitedWithCode(1), "");
}

}  // namespace
}  // namespace Plix
