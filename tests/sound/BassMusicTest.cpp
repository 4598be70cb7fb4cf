#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "framework/platform/AudioLibraries.h"
#include "framework/platform/AudioMixer.h"
#include "framework/sound/BassLoader.h"
#include "framework/sound/BassMusicInterface.h"
#include "tests/sound/SoundTestSupport.h"
#include "tests/support/TestSupport.h"

namespace Plix {
namespace {

const HWND kWindow = reinterpret_cast<HWND>(1);

// A BASS library that records its calls.
struct FakeBass {
  std::vector<std::string> calls;
  std::map<DWORD, DWORD> active;  // ChannelIsActive answers
  DWORD nextStream = 100;
  DWORD nextMusic = 500;
};
FakeBass* gFake = nullptr;

void Log(const std::string& s) { gFake->calls.push_back(s); }
std::string N(int64_t v) { return std::to_string(v); }

BOOL Init(int device, DWORD freq, DWORD, HWND, const void*) {
  Log("Init(" + N(device) + "," + N(freq) + ")");
  return TRUE;
}
BOOL Free() { Log("Free"); return TRUE; }
BOOL Stop() { Log("Stop"); return TRUE; }
BOOL Start() { Log("Start"); return TRUE; }
BOOL SetGlobalVolumes(int m, int s, int st) {
  Log("SetGlobalVolumes(" + N(m) + "," + N(s) + "," + N(st) + ")");
  return TRUE;
}
DWORD SetConfig(DWORD o, DWORD v) { Log("SetConfig(" + N(o) + "," + N(v) + ")"); return TRUE; }
BOOL ChannelStop(DWORD h) { Log("ChannelStop(" + N(h) + ")"); return TRUE; }
BOOL ChannelPause(DWORD h) { Log("ChannelPause(" + N(h) + ")"); return TRUE; }
BOOL ChannelPlay(DWORD h, BOOL r) { Log("ChannelPlay(" + N(h) + "," + N(r) + ")"); return TRUE; }
BOOL ChannelSetAttributes(DWORD h, int f, int v, int p) {
  Log("SetAttributes(" + N(h) + "," + N(f) + "," + N(v) + "," + N(p) + ")");
  return TRUE;
}
BOOL ChannelSetPosition(DWORD h, QWORD pos) {
  Log("SetPosition(" + N(h) + "," + N(int64_t(pos)) + ")");
  return TRUE;
}
BOOL ChannelSetFlags(DWORD h, DWORD f) { Log("SetFlags(" + N(h) + "," + N(f) + ")"); return TRUE; }
DWORD ChannelIsActive(DWORD h) { return gFake->active[h]; }
HSTREAM StreamCreateFile(BOOL, const void* file, QWORD, QWORD, DWORD) {
  Log(std::string("StreamCreateFile(") + static_cast<const char*>(file) + ")");
  return std::string(static_cast<const char*>(file)).find("bad") == std::string::npos ? gFake->nextStream++ : 0;
}
BOOL StreamFree(DWORD h) { Log("StreamFree(" + N(h) + ")"); return TRUE; }
HMUSIC MusicLoad(BOOL, const void* file, QWORD, DWORD, DWORD flags, DWORD) {
  Log(std::string("MusicLoad(") + static_cast<const char*>(file) + "," + N(flags) + ")");
  return gFake->nextMusic++;
}
BOOL MusicFree(DWORD h) { Log("MusicFree(" + N(h) + ")"); return TRUE; }
DWORD MusicSetAttribute(DWORD h, DWORD a, DWORD v) {
  Log("MusicSetAttribute(" + N(h) + "," + N(a) + "," + N(v) + ")");
  return v;
}
DWORD Unused() { return 0; }

const char* const kAllNames[] = {
    "BASS_Init", "BASS_Free", "BASS_Stop", "BASS_Start", "BASS_SetGlobalVolumes", "BASS_SetVolume",
    "BASS_SetConfig", "BASS_GetConfig", "BASS_GetVolume", "BASS_GetInfo", "BASS_GetVersion",
    "BASS_ChannelStop", "BASS_ChannelPlay", "BASS_ChannelPause", "BASS_ChannelSetAttributes",
    "BASS_ChannelGetAttributes", "BASS_ChannelSetPosition", "BASS_ChannelGetPosition",
    "BASS_ChannelIsActive", "BASS_ChannelSetFlags", "BASS_ChannelSlideAttributes",
    "BASS_ChannelIsSliding", "BASS_ChannelGetLevel", "BASS_ChannelSetSync", "BASS_ChannelRemoveSync",
    "BASS_ChannelGetData", "BASS_FXSetParameters", "BASS_FXGetParameters", "BASS_ChannelSetFX",
    "BASS_ChannelRemoveFX", "BASS_MusicLoad", "BASS_MusicFree", "BASS_MusicGetAttribute",
    "BASS_MusicSetAttribute", "BASS_StreamCreateFile", "BASS_StreamFree", "BASS_MusicGetOrders",
    "BASS_MusicGetOrderPosition", "BASS_SampleLoad", "BASS_SampleFree", "BASS_SampleSetInfo",
    "BASS_SampleGetInfo", "BASS_SampleGetChannel", "BASS_SampleStop", "BASS_ErrorGetCode",
    "BASS_PluginLoad", "BASS_ChannelGetLength", "BASS_ChannelPreBuf"};

template <typename F>
void* P(F f) {
  return reinterpret_cast<void*>(f);
}

// Every name, the recording ones where they matter; `without` are left out.
AudioLibrary MakeFakeBass(const std::vector<std::string>& without = {}) {
  const std::map<std::string, void*> real = {
      {"BASS_Init", P(Init)}, {"BASS_Free", P(Free)}, {"BASS_Stop", P(Stop)}, {"BASS_Start", P(Start)},
      {"BASS_SetGlobalVolumes", P(SetGlobalVolumes)}, {"BASS_SetConfig", P(SetConfig)},
      {"BASS_ChannelStop", P(ChannelStop)}, {"BASS_ChannelPlay", P(ChannelPlay)},
      {"BASS_ChannelPause", P(ChannelPause)}, {"BASS_ChannelSetAttributes", P(ChannelSetAttributes)},
      {"BASS_ChannelSetPosition", P(ChannelSetPosition)}, {"BASS_ChannelIsActive", P(ChannelIsActive)},
      {"BASS_ChannelSetFlags", P(ChannelSetFlags)}, {"BASS_StreamCreateFile", P(StreamCreateFile)},
      {"BASS_StreamFree", P(StreamFree)}, {"BASS_MusicLoad", P(MusicLoad)},
      {"BASS_MusicFree", P(MusicFree)}, {"BASS_MusicSetAttribute", P(MusicSetAttribute)}};
  AudioLibrary lib{"bass.dll", {}};
  for (const char* name : kAllNames) {
    if (std::find(without.begin(), without.end(), name) != without.end()) continue;
    auto it = real.find(name);
    lib.exports.push_back({name, it != real.end() ? it->second : P(Unused)});
  }
  return lib;
}

class BassMusicTest : public ::testing::Test {
protected:
  BassMusicTest() { gFake = &mFake; }
  ~BassMusicTest() override { gFake = nullptr; }
  // The calls since the last look.
  std::vector<std::string> Calls() {
    std::vector<std::string> c;
    c.swap(mFake.calls);
    return c;
  }
  BassMusicInfo Info(BassMusicInterface& m, int id) {
    BassMusicInfo info;
    EXPECT_TRUE(m.GetSongInfo(id, info));
    return info;
  }

  FakeBass mFake;
  AudioLibrary mLib = MakeFakeBass();
  ScopedAudioLibrary mScoped{"bass.dll", &mLib};
};

using CallList = std::vector<std::string>;

TEST_F(BassMusicTest, StartsAndStopsTheLibrary) {
  {
    BassMusicInterface music(kWindow);
    EXPECT_EQ(Calls(), (CallList{"Init(1,44100)", "SetConfig(0,2000)", "Start"}));
  }
  EXPECT_EQ(Calls(), (CallList{"Stop", "Free"}));
  EXPECT_EQ(GetBassInstance(), nullptr);
}

TEST_F(BassMusicTest, LoadsStreamsByExtensionAndModulesOtherwise) {
  Testing::TempDir dir;
  Testing::WriteFile(dir / "tune.it", "IMPM");
  BassMusicInterface music(kWindow);
  Calls();
  EXPECT_TRUE(music.LoadMusic(1, "data/song1.ogg"));
  EXPECT_TRUE(music.LoadMusic(2, "data/SONG2.MP3"));
  EXPECT_TRUE(music.LoadMusic(3, dir / "tune.it"));
  EXPECT_FALSE(music.LoadMusic(4, dir / "missing.it"));
  EXPECT_FALSE(music.LoadMusic(5, "data/bad.ogg"));
  EXPECT_EQ(Calls(), (CallList{"StreamCreateFile(data/song1.ogg)", "StreamCreateFile(data/SONG2.MP3)",
                            "MusicLoad(" + (dir / "tune.it") + ",516)",
                            "StreamCreateFile(data/bad.ogg)"}));
  EXPECT_EQ(Info(music, 1).mHStream, 100u);
  EXPECT_EQ(Info(music, 3).mHMusic, 500u);
  BassMusicInfo none;
  EXPECT_FALSE(music.GetSongInfo(5, none));

  // A second load under a taken id keeps the first song.
  EXPECT_TRUE(music.LoadMusic(1, "data/song3.ogg"));
  EXPECT_EQ(Info(music, 1).mHStream, 100u);
  EXPECT_EQ(Calls(), (CallList{"StreamCreateFile(data/song3.ogg)", "StreamFree(102)"}));
}

TEST_F(BassMusicTest, PlayStopPauseAndResume) {
  BassMusicInterface music(kWindow);
  ASSERT_TRUE(music.LoadMusic(1, "a.ogg"));
  Calls();
  music.PlayMusic(1, 0, false);
  EXPECT_EQ(Calls(), (CallList{"SetAttributes(100,-1,100,-101)", "ChannelStop(100)", "SetFlags(100,4)",
                            "ChannelPlay(100,1)"}));
  music.PlayMusic(1, 4096, true);
  EXPECT_EQ(Calls(), (CallList{"SetAttributes(100,-1,100,-101)", "ChannelStop(100)", "SetFlags(100,0)",
                            "ChannelPlay(100,1)", "SetPosition(100,4096)"}));
  EXPECT_TRUE(Info(music, 1).mStopOnFade);

  music.PauseMusic(1);
  music.ResumeMusic(1);
  music.PauseMusic(9);  // not loaded: nothing
  EXPECT_EQ(Calls(), (CallList{"ChannelPause(100)", "ChannelPlay(100,0)"}));

  ASSERT_TRUE(music.LoadMusic(2, "b.ogg"));
  mFake.active = {{100, BASS_ACTIVE_PLAYING}, {101, BASS_ACTIVE_PAUSED}};
  Calls();
  EXPECT_TRUE(music.IsPlaying(1));
  EXPECT_FALSE(music.IsPlaying(2));
  EXPECT_FALSE(music.IsPlaying(7));
  music.PauseAllMusic();
  music.ResumeAllMusic();
  EXPECT_EQ(Calls(), (CallList{"ChannelPause(100)", "ChannelPlay(101,0)"}));

  music.StopMusic(1);
  EXPECT_EQ(Info(music, 1).mVolume, 0.0);
  music.UnloadAllMusic();
  EXPECT_EQ(Calls(), (CallList{"ChannelStop(100)", "ChannelStop(100)", "ChannelStop(101)", "StreamFree(100)",
                            "StreamFree(101)"}));
  BassMusicInfo none;
  EXPECT_FALSE(music.GetSongInfo(1, none));
}

TEST_F(BassMusicTest, ModuleMusicPlaysFromAnOrder) {
  Testing::TempDir dir;
  Testing::WriteFile(dir / "tune.mod", "M.K.");
  BassMusicInterface music(kWindow);
  ASSERT_TRUE(music.LoadMusic(1, dir / "tune.mod"));
  Calls();
  music.PlayMusic(1, 3, false);
  EXPECT_EQ(Calls(), (CallList{"SetAttributes(500,-1,100,-101)", "ChannelStop(500)", "ChannelStop(500)",
                            "SetPosition(500," + N(int64_t(int32_t(0x80000003u))) + ")",
                            "SetFlags(500," + N(0x8204) + ")", "ChannelPlay(500,0)"}));
  music.FadeIn(1, -1, 0.1, true);
  EXPECT_EQ(Calls(), (CallList{"ChannelStop(500)", "SetAttributes(500,-1,100,-101)", "ChannelPlay(500,1)"}));
  music.SetAmplification(1, 0.5);
  EXPECT_EQ(Calls(), (CallList{"MusicSetAttribute(500,0,50)"}));
  music.UnloadMusic(1);
  EXPECT_EQ(Calls(), (CallList{"ChannelStop(500)", "MusicFree(500)"}));
}

TEST_F(BassMusicTest, FadeInReachesTheLimitAndStops) {
  BassMusicInterface music(kWindow);
  ASSERT_TRUE(music.LoadMusic(1, "a.ogg"));
  Calls();
  music.FadeIn(1, -1, 0.01, false);
  EXPECT_EQ(Calls(), (CallList{"ChannelStop(100)", "SetAttributes(100,-1,0,-101)", "SetFlags(100,4)",
                            "ChannelPlay(100,0)"}));
  int updates = 0;
  while (Info(music, 1).mVolumeAdd != 0.0 && updates < 200) {
    music.Update();
    ++updates;
  }
  EXPECT_GE(updates, 100);
  EXPECT_LE(updates, 101);
  EXPECT_EQ(Info(music, 1).mVolume, 1.0);
  Calls();
  music.Update();
  EXPECT_TRUE(Calls().empty());
}

TEST_F(BassMusicTest, FadeOutStopsBelowZero) {
  BassMusicInterface music(kWindow);
  ASSERT_TRUE(music.LoadMusic(1, "a.ogg"));
  music.PlayMusic(1, 0, false);
  music.FadeOut(1, true, 0.25);
  Calls();
  for (int i = 0; i < 4; ++i) music.Update();  // 0.75, 0.5, 0.25, 0: the step stays at 0
  EXPECT_EQ(Info(music, 1).mVolumeAdd, -0.25);
  EXPECT_EQ(Calls().back(), "SetAttributes(100,-1,0,-101)");
  music.Update();
  EXPECT_EQ(Calls(), (CallList{"ChannelStop(100)", "SetAttributes(100,-1,0,-101)"}));
  EXPECT_EQ(Info(music, 1).mVolume, 0.0);
  EXPECT_EQ(Info(music, 1).mVolumeAdd, 0.0);

  // Already silent: no step, but the stop flag is set.
  music.FadeOut(1, false, 0.1);
  EXPECT_EQ(Info(music, 1).mVolumeAdd, 0.0);
  EXPECT_FALSE(Info(music, 1).mStopOnFade);
  music.FadeOutAll(true, 0.1);
  EXPECT_EQ(Info(music, 1).mVolumeAdd, -0.1);
}

TEST_F(BassMusicTest, VolumesAndLimits) {
  BassMusicInterface music(kWindow);
  ASSERT_TRUE(music.LoadMusic(1, "a.ogg"));
  Calls();
  music.SetSongVolume(1, 0.8);
  music.SetSongVolumeLimit(1, 0.5);
  EXPECT_EQ(Info(music, 1).mVolume, 0.5);
  music.SetSongVolume(1, 0.3);
  music.SetSongVolumeLimit(1, 0.5);
  EXPECT_EQ(Info(music, 1).mVolume, 0.3);
  music.PlayMusic(1, 0, false);
  EXPECT_EQ(Info(music, 1).mVolume, 0.5);
  Calls();
  music.SetVolume(0.75);
  EXPECT_EQ(Calls(), (CallList{"SetConfig(6,75)", "SetConfig(5,75)"}));
  music.SetVolume(-0.5);  // from a broken setting: silence
  EXPECT_EQ(Calls(), (CallList{"SetConfig(6,0)", "SetConfig(5,0)"}));
}

TEST_F(BassMusicTest, OldInterfaceUsesGlobalVolumes) {
  AudioLibrary old = MakeFakeBass({"BASS_SetConfig", "BASS_GetConfig"});
  ScopedAudioLibrary scoped("bass.dll", &old);
  BassMusicInterface music(kWindow);
  EXPECT_EQ(Calls(), (CallList{"Init(-1,44100)", "Start"}));
  music.SetVolume(0.5);
  EXPECT_EQ(Calls(), (CallList{"SetGlobalVolumes(20,20,20)"}));
}

TEST_F(BassMusicTest, AMissingLibraryOrFunctionEndsTheProcessWithCodeOne) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  {
    AudioLibrary lib = MakeFakeBass({"BASS_ChannelPlay"});
    ScopedAudioLibrary scoped("bass.dll", &lib);
    EXPECT_EXIT(BassMusicInterface music(kWindow), ::testing::ExitedWithCode(1),
                "BASS_ChannelPlay function not found in bass.dll");
  }
  {
    AudioLibrary lib = MakeFakeBass({"BASS_SetGlobalVolumes", "BASS_SetVolume"});
    ScopedAudioLibrary scoped("bass.dll", &lib);
    EXPECT_EXIT(BassMusicInterface music(kWindow), ::testing::ExitedWithCode(1),
                "Neither BASS_SetGlobalVolumes or BASS_SetVolume found in bass.dll");
  }
  {
    ScopedAudioLibrary scoped("bass.dll", nullptr);
    EXPECT_EXIT(BassMusicInterface music(kWindow), ::testing::ExitedWithCode(1),
                "Can't find bass.dll.");
  }
}

TEST(SilentMusic, DoesNothing) {
  MusicInterface music;
  EXPECT_FALSE(music.LoadMusic(1, "data/song1.ogg"));
  music.PlayMusic(1, 0, false);
  music.FadeIn(1, -1, 0.01, false);
  music.Update();
  EXPECT_FALSE(music.IsPlaying(1));
}

// The compiled-in library: Ogg streams from disk or the archive; modules
// and MP3 fail.
TEST(RealBass, StreamsOggAndRefusesTheRest) {
  Testing::OfflineAudio offline;
  Testing::TempDir dir;
  Testing::WriteFile(dir / "tune.it", "IMPM not really");
  Testing::WriteFile(dir / "song.mp3", "ID3 not really");
  BassMusicInterface music(kWindow);
  EXPECT_FALSE(music.LoadMusic(2, dir / "tune.it"));
  EXPECT_FALSE(music.LoadMusic(3, dir / "song.mp3"));
  ASSERT_TRUE(music.LoadMusic(1, Testing::OggFixture("loop")));
  music.SetVolume(1.0);
  music.PlayMusic(1, 0, true);
  EXPECT_TRUE(music.IsPlaying(1));
  auto out = Testing::Mix(4410);
  EXPECT_GT(Testing::Level(out, 0), 1000);
  EXPECT_NEAR(Testing::Frequency(out, 0, 0, 4410), 330, 15);
  music.PauseMusic(1);
  EXPECT_FALSE(music.IsPlaying(1));
  EXPECT_EQ(Testing::Level(Testing::Mix(441), 0), 0);
  music.ResumeMusic(1);
  Testing::Mix(44100);  // past the end of the 0.25 s song, played once
  EXPECT_FALSE(music.IsPlaying(1));

  music.PlayMusic(1, 0, false);  // looping
  Testing::Mix(44100);
  EXPECT_TRUE(music.IsPlaying(1));
  music.SetVolume(0.0);
  EXPECT_EQ(Testing::Level(Testing::Mix(441), 0), 0);
}

}  // namespace
}  // namespace Plix
