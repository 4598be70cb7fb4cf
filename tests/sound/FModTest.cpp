#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <map>

#include "framework/platform/AudioLibraries.h"
#include "framework/platform/Files.h"
#include "framework/sound/DSoundManager.h"
#include "framework/sound/SoundInstance.h"
#include "framework/sound/FModLoader.h"
#include "framework/sound/FModMusicInterface.h"
#include "framework/sound/SoundHost.h"
#include "tests/sound/SoundTestSupport.h"
#include "tests/support/TestSupport.h"

namespace Plix {
namespace {

const HWND kWindow = reinterpret_cast<HWND>(1);

class TestHost : public SoundHost {
public:
  explicit TestHost(std::string folder) : mFolder(std::move(folder)) { SetSoundHost(this); }
  ~TestHost() override { SetSoundHost(nullptr); }
  int MessageBox(HWND, const std::string& text, const std::string& caption, unsigned) override {
    std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
    mMessages.push_back(text);
    return 1;
  }
  std::string GetAppDataFolder() override { return mFolder; }
  std::vector<std::string> mMessages;

private:
  std::string mFolder;
};

// The real library with some exports replaced or removed.
AudioLibrary PatchedFMod(const std::map<std::string, void*>& replace) {
  AudioLibrary lib{"fmod.dll", {}};
  for (const AudioExport& e : FModLibrary().exports) {
    auto it = replace.find(e.first);
    if (it == replace.end())
      lib.exports.push_back(e);
    else if (it->second)
      lib.exports.push_back({e.first, it->second});
  }
  return lib;
}

FModFn::SampleLoad RealSampleLoad() {
  return reinterpret_cast<FModFn::SampleLoad>(GetAudioProcAddress(
      const_cast<AudioLibrary*>(&FModLibrary()), "_FSOUND_Sample_Load@16"));
}

// Decodes "x.mp3" as if it were "x.ogg", standing in for an MP3 decoder.
FSOUND_SAMPLE* LoadMp3AsOgg(int index, const char* name, unsigned mode, int length) {
  std::string n = name;
  if (n.size() > 4 && n.substr(n.size() - 4) == ".mp3") n = n.substr(0, n.size() - 4) + "-mp3.ogg";
  return RealSampleLoad()(index, n.c_str(), mode, length);
}
signed char FailLock(FSOUND_SAMPLE*, int, int, void**, void**, unsigned*, unsigned*) { return 0; }

std::vector<std::pair<int, int>>* gVolumes = nullptr;
signed char RecordVolume(int channel, int volume) {
  gVolumes->push_back({channel, volume});
  return 1;
}

class FModTest : public ::testing::Test {
protected:
  Testing::OfflineAudio mOffline;
  Testing::TempDir mDir;
  TestHost mHost{mDir.Path() + "/"};
};

TEST_F(FModTest, Mp3SoundsNeedADecoderAndReportFailedLocks) {
  Testing::WriteFile(mDir / "s.mp3", "ID3 not really");
  Testing::WriteFile(mDir / "s-mp3.ogg", Testing::ReadFile(Testing::OggFixture("mono22050")));
  {
    DSoundManager mgr(kWindow, true);
    EXPECT_FALSE(mgr.LoadSound(0, mDir / "s"));  // no MP3 decoder here
  }
  {
    AudioLibrary lib = PatchedFMod({{"_FSOUND_Sample_Load@16", reinterpret_cast<void*>(LoadMp3AsOgg)}});
    ScopedAudioLibrary scoped("fmod.dll", &lib);
    DSoundManager mgr(kWindow, true);
    EXPECT_TRUE(mgr.LoadSound(0, mDir / "s"));
    EXPECT_EQ(mgr.GetSoundLength(0), 11024u);
  }
  {
    AudioLibrary lib = PatchedFMod({{"_FSOUND_Sample_Load@16", reinterpret_cast<void*>(LoadMp3AsOgg)},
                                    {"_FSOUND_Sample_Lock@28", reinterpret_cast<void*>(FailLock)}});
    ScopedAudioLibrary scoped("fmod.dll", &lib);
    DSoundManager mgr(kWindow, true);
    EXPECT_FALSE(mgr.LoadSound(0, mDir / "s"));
    EXPECT_EQ(mgr.GetNumSounds(), 0);
  }
  EXPECT_EQ(GetFModInstance(), nullptr);
}

TEST_F(FModTest, SampleSongsAreDecodedOnceIntoTheCache) {
  Testing::WriteFile(mDir / "data/song1.ogg", Testing::ReadFile(Testing::OggFixture("loop")));
  DSoundManager mgr(kWindow, true);  // starts FMOD's output
  {
    FModMusicInterface music;
    ASSERT_TRUE(music.LoadSampleMusic(1, mDir / "data/song1", true));
    EXPECT_TRUE(Fs::IsFile(mDir / "cached/song1.wav"));
  }
  ASSERT_TRUE(Fs::DeleteFile(mDir / "data/song1.ogg"));
  FModMusicInterface music;
  ASSERT_TRUE(music.LoadSampleMusic(1, mDir / "data/song1", true));  // from the cache
  EXPECT_FALSE(music.LoadSampleMusic(2, mDir / "data/song2", true));

  music.PlayMusic(1, 0, false);
  EXPECT_TRUE(music.IsPlaying(1));
  const auto out = Testing::Mix(44100);  // four times the song: it loops
  EXPECT_TRUE(music.IsPlaying(1));
  EXPECT_NEAR(Testing::Frequency(out, 0, 22050, 44100), 330, 15);
  EXPECT_FALSE(music.IsPlaying(2));
  music.StopMusic(1);
  EXPECT_FALSE(music.IsPlaying(1));
}

TEST_F(FModTest, IntroAndLoopMustShareRateAndMode) {
  DSoundManager mgr(kWindow, true);
  FModMusicInterface music;
  const std::string fixtures = PLIX_SOUND_FIXTURES;
  EXPECT_FALSE(music.LoadSampleLoopMusic(1, fixtures + "/mono22050", fixtures + "/loop", true));
  ASSERT_TRUE(music.LoadSampleLoopMusic(2, fixtures + "/tone", fixtures + "/loop", true));
  music.PlayMusic(2, 0, false);
  const auto out = Testing::Mix(44100 * 6 / 5);  // intro 0.3 s, then loops of 0.25 s
  EXPECT_TRUE(music.IsPlaying(2));
  EXPECT_NEAR(Testing::Frequency(out, 0, 441, 12348), 441, 15);
  EXPECT_NEAR(Testing::Frequency(out, 0, 27000, 52000), 330, 15);
}

TEST_F(FModTest, VolumesFadesAndTheSilentOperations) {
  std::vector<std::pair<int, int>> volumes;
  gVolumes = &volumes;
  AudioLibrary lib = PatchedFMod({{"_FSOUND_SetVolume@8", reinterpret_cast<void*>(RecordVolume)}});
  ScopedAudioLibrary scoped("fmod.dll", &lib);
  DSoundManager mgr(kWindow, true);
  FModMusicInterface music;
  ASSERT_TRUE(music.LoadSampleMusic(3, std::string(PLIX_SOUND_FIXTURES) + "/loop", true));
  music.PlayMusic(3, 0, false);
  volumes.clear();
  music.SetVolume(0.5);
  EXPECT_EQ(volumes, (std::vector<std::pair<int, int>>{{3, 50}}));

  music.FadeOut(3, true, 0.5);
  music.Update();
  music.Update();  // lands on 0: keeps fading
  EXPECT_TRUE(music.IsPlaying(3));
  music.Update();
  EXPECT_FALSE(music.IsPlaying(3));

  music.UnloadMusic(3);
  music.SetAmplification(3, 2.0);
  FModMusicInfo info;
  EXPECT_TRUE(music.GetSongInfo(3, info));
  EXPECT_FALSE(music.LoadMusic(4, "tune.it"));  // no module player
  gVolumes = nullptr;
}

TEST_F(FModTest, AMissingFunctionEndsTheProcessWithCodeOne) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  AudioLibrary lib = PatchedFMod({{"_FSOUND_IsPlaying@4", nullptr}});
  ScopedAudioLibrary scoped("fmod.dll", &lib);
  EXPECT_EXIT(FModMusicInterface music, ::testing::ExitedWithCode(1),
              "\"_FSOUND_IsPlaying@4\" function not found in fmod.dll");
  ScopedAudioLibrary none("fmod.dll", nullptr);
  EXPECT_EXIT(FModMusicInterface music, ::testing::ExitedWithCode(1), "Can't find fmod.dll.");
}

}  // namespace
}  // namespace Plix
