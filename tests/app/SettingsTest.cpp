#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "framework/app/Buffer.h"
#include "framework/platform/DebugOutput.h"
#include "framework/platform/Files.h"
#include "framework/platform/Registry.h"
#include "tests/app/AppTestSupport.h"

namespace Plix::Testing {
namespace {

class SettingsTest : public AppFixture {};

int32_t StoredInteger(const std::string& path, const std::string& name) {
  DWORD type = 0, length = 4;
  uint8_t bytes[4] = {};
  if (GetRegistryStore().QueryValue(path, name, &type, bytes, &length) != ERROR_SUCCESS || type != REG_DWORD)
    return -12345;
  return static_cast<int32_t>(bytes[0] | bytes[1] << 8 | bytes[2] << 16 | static_cast<uint32_t>(bytes[3]) << 24);
}

TEST_F(SettingsTest, SettingsSurviveARestartInTheRegistryFile) {
  const std::string file = mDir / "config/registry.txt";
  Fs::MakeDirectory(mDir / "config");
  {
    RegistryStore store(file);
    ScopedRegistryStore scoped(store);
    auto& app = Make();
    app.LoadSettings();
    app.SetMusicVolume(0.555);
    app.SetSfxVolume(0.3);
    app.Mute(false);  // the player's
    app.Mute(true);   // the focus's, not stored
    app.mWindowedMode = false;
    app.mPreferredX = 120;
    app.mPreferredY = 80;
    app.EnableCustomCursors(true);
    app.mWaitForVSync = true;
    app.Shutdown();
    mApp.reset();
  }
  RegistryStore store(file);
  ScopedRegistryStore scoped(store);
  const std::string key = "SOFTWARE\\TestCo\\PlixTest";
  EXPECT_EQ(StoredInteger(key, "MusicVolume"), 56);  // the nearest whole percent
  EXPECT_EQ(StoredInteger(key, "SfxVolume"), 30);
  EXPECT_EQ(StoredInteger(key, "InProgress"), 0);
  auto& app = Make();
  app.LoadSettings();
  EXPECT_DOUBLE_EQ(app.mMusicVolume, 0.56);
  EXPECT_DOUBLE_EQ(app.mSfxVolume, 0.3);
  EXPECT_EQ(app.mMuteDepth, 1);
  EXPECT_FALSE(app.mWindowedMode);
  EXPECT_EQ(app.mPreferredX, 120);
  EXPECT_EQ(app.mPreferredY, 80);
  EXPECT_TRUE(app.mCustomCursorsOn);
  EXPECT_TRUE(app.mWaitForVSync);
  EXPECT_TRUE(app.mLastRunEndedCleanly);
  // A run in progress is marked until it shuts down cleanly.
  EXPECT_EQ(StoredInteger(key, "InProgress"), 1);
}

TEST_F(SettingsTest, ARunThatDidNotShutDownIsNoticedAtTheNextStart) {
  auto& crashed = Make();
  crashed.LoadSettings();
  crashed.mSettingsLoaded = false;  // ends as a crash would: nothing saved
  mApp.reset();
  auto& app = Make();
  app.LoadSettings();
  EXPECT_FALSE(app.mLastRunEndedCleanly);
  // In screen-saver mode the mark is not written.
  auto& saver = Make();
  saver.mScreenSaverMode = true;
  GetRegistryStore().DeleteValue("SOFTWARE\\TestCo\\PlixTest", "InProgress");
  saver.LoadSettings();
  EXPECT_EQ(StoredInteger("SOFTWARE\\TestCo\\PlixTest", "InProgress"), -12345);
}

// Every value is checked against what a save writes: one out of range or of
// another type keeps its default, and the player is told once per key, in
// one line naming the file and the key; the other values are still read.
TEST_F(SettingsTest, AValueOutOfRangeKeepsItsDefaultAndIsToldOnce) {
  const struct {
    const char* key;
    int32_t stored;
  } cases[] = {{"MusicVolume", 250},     {"SfxVolume", -1},         {"Muted", 3},
               {"Muted", -1},            {"ScreenMode", 7},         {"PreferredX", INT32_MAX - 3},
               {"PreferredY", INT32_MIN}, {"CustomCursors", 2},      {"WaitForVSync", -5},
               {"InProgress", 9}};
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.key) + " " + std::to_string(c.stored));
    std::vector<std::string> told;
    SetPlayerOutputSink([&](const std::string& line) { told.push_back(line); });
    auto& app = Make();
    app.mWindowedMode = true;
    app.mMusicVolume = 0.4;
    app.mSfxVolume = 0.6;
    app.mPreferredX = app.mPreferredY = -1;
    const int muteDepth = app.mMuteDepth;
    const bool cursors = app.mCustomCursorsOn, vsync = app.mWaitForVSync;
    ASSERT_TRUE(app.WriteRegistryInteger(c.key, c.stored));
    app.LoadSettings();
    app.LoadSettings();  // told once only
    SetPlayerOutputSink(nullptr);
    EXPECT_TRUE(app.mWindowedMode);
    EXPECT_DOUBLE_EQ(app.mMusicVolume, 0.4);
    EXPECT_DOUBLE_EQ(app.mSfxVolume, 0.6);
    EXPECT_EQ(app.mMuteDepth, muteDepth);
    EXPECT_EQ(app.mPreferredX, -1);
    EXPECT_EQ(app.mPreferredY, -1);
    EXPECT_EQ(app.mCustomCursorsOn, cursors);
    EXPECT_EQ(app.mWaitForVSync, vsync);
    ASSERT_EQ(told.size(), 1u);
    EXPECT_NE(told[0].find(c.key), std::string::npos) << told[0];
    EXPECT_NE(told[0].find(GetRegistryStore().Path()), std::string::npos) << told[0];
    GetRegistryStore().DeleteValue("SOFTWARE\\TestCo\\PlixTest", c.key);
    mApp.reset();
  }
}

TEST_F(SettingsTest, AValueOfAnotherTypeKeepsItsDefaultAndIsTold) {
  std::vector<std::string> told;
  SetPlayerOutputSink([&](const std::string& line) { told.push_back(line); });
  auto& app = Make();
  ASSERT_TRUE(app.WriteRegistryString("MusicVolume", "loud"));
  ASSERT_TRUE(app.WriteRegistryInteger("ScreenMode", 0));
  app.mWindowedMode = false;
  app.mMusicVolume = 0.4;
  app.LoadSettings();
  SetPlayerOutputSink(nullptr);
  EXPECT_TRUE(app.mWindowedMode);  // read on past the bad value
  EXPECT_DOUBLE_EQ(app.mMusicVolume, 0.4);
  ASSERT_EQ(told.size(), 1u);
  EXPECT_NE(told[0].find("MusicVolume is not a number"), std::string::npos) << told[0];
}

// The stored mute flag is the player's own mute: 0 or 1, never a depth; a
// damaged one leaves the game unmuted.
TEST_F(SettingsTest, TheStoredMuteIsThePlayersMuteOnly) {
  const struct {
    int32_t stored, depth;
  } cases[] = {{0, 0}, {1, 1}, {3, 0}, {-1, 0}};
  for (const auto& c : cases) {
    auto& app = Make();
    ASSERT_TRUE(app.WriteRegistryInteger("Muted", c.stored));
    app.LoadSettings();
    EXPECT_EQ(app.mMuteDepth, c.depth) << c.stored;
    app.SaveSettings();
    EXPECT_EQ(StoredInteger("SOFTWARE\\TestCo\\PlixTest", "Muted"), c.depth) << c.stored;
    mApp.reset();
  }
}

// A volume read and saved unchanged is the same whole percent.
TEST_F(SettingsTest, EveryStoredVolumeIsSavedBackUnchanged) {
  for (int32_t stored = 0; stored <= 100; ++stored) {
    auto& app = Make();
    ASSERT_TRUE(app.WriteRegistryInteger("MusicVolume", stored));
    ASSERT_TRUE(app.WriteRegistryInteger("SfxVolume", stored));
    app.LoadSettings();
    app.SaveSettings();
    EXPECT_EQ(StoredInteger("SOFTWARE\\TestCo\\PlixTest", "MusicVolume"), stored);
    EXPECT_EQ(StoredInteger("SOFTWARE\\TestCo\\PlixTest", "SfxVolume"), stored);
    mApp.reset();
  }
}

TEST_F(SettingsTest, ValueNamesWithABackslashGoToASubKey) {
  auto& app = Make();
  ASSERT_TRUE(app.WriteRegistryInteger("Test3D\\RuntimeError", 3));
  EXPECT_EQ(StoredInteger("SOFTWARE\\TestCo\\PlixTest\\Test3D", "RuntimeError"), 3);
  int32_t value = 0;
  ASSERT_TRUE(app.ReadRegistryInteger("Test3D\\RuntimeError", value));
  EXPECT_EQ(value, 3);
  app.DeleteRegistryValue(L"Test3D\\RuntimeError");
  EXPECT_FALSE(app.ReadRegistryInteger("Test3D\\RuntimeError", value));
}

TEST_F(SettingsTest, TypesAndSizesAreChecked) {
  auto& app = Make();
  ASSERT_TRUE(app.WriteRegistryString("Name", "Pemi"));
  ASSERT_TRUE(app.WriteRegistryString("Long", std::string(1024, 'x')));
  ASSERT_TRUE(app.WriteRegistryString("Fits", std::string(1023, 'y')));
  std::string text;
  EXPECT_TRUE(app.ReadRegistryString("Name", text));
  EXPECT_EQ(text, "Pemi");
  EXPECT_FALSE(app.ReadRegistryString("Long", text));
  EXPECT_TRUE(app.ReadRegistryString("Fits", text));
  EXPECT_EQ(text.size(), 1023u);
  int32_t number = 0;
  EXPECT_FALSE(app.ReadRegistryInteger("Name", number));
  EXPECT_FALSE(app.ReadRegistryString("Missing", text));
  ASSERT_TRUE(app.WriteRegistryBoolean("Flag", true));
  bool flag = false;
  EXPECT_TRUE(app.ReadRegistryBoolean("Flag", flag));
  EXPECT_TRUE(flag);
}

TEST_F(SettingsTest, AnEmptyKeyDisablesTheRegistry) {
  auto& app = Make();
  app.mRegKeyPath.clear();
  int32_t value = 0;
  EXPECT_FALSE(app.WriteRegistryInteger("MusicVolume", 10));
  EXPECT_FALSE(app.ReadRegistryInteger("MusicVolume", value));
  app.LoadSettings();
  EXPECT_TRUE(app.mSettingsLoaded);
  EXPECT_TRUE(GetRegistryStore().Serialize().find("InProgress") == std::string::npos);
}

TEST_F(SettingsTest, AFailedRegistryWriteIsReportedAsFailed) {
  // The store's folder is a file: nothing can be saved there.
  WriteFile(mDir / "blocked", "x");
  RegistryStore store(mDir / "blocked/registry.txt");
  ScopedRegistryStore scoped(store);
  auto& app = Make();
  EXPECT_FALSE(app.WriteRegistryInteger("MusicVolume", 10));
  int32_t value = 0;
  EXPECT_FALSE(app.ReadRegistryInteger("MusicVolume", value));
}

TEST_F(SettingsTest, FilesAreWrittenWholeOrNotAtAll) {
  auto& app = Make();
  Buffer buffer;
  buffer.WriteString("profile");
  ASSERT_TRUE(app.WriteBufferToFile(mDir / "saves/deep/profdatavx.bin", buffer));
  Buffer back;
  ASSERT_TRUE(app.ReadBufferFromFile(mDir / "saves/deep/profdatavx.bin", back));
  EXPECT_EQ(back.ReadString(), "profile");
  EXPECT_TRUE(app.FileExists(mDir / "saves/deep/profdatavx.bin"));
  EXPECT_FALSE(app.FileExists(mDir / "saves/none.bin"));
  EXPECT_FALSE(app.ReadBufferFromFile(mDir / "saves/none.bin", back));
  // A folder opens like a file but cannot be read: no answer of empty data.
  EXPECT_FALSE(app.ReadBufferFromFile(mDir / "saves/deep", back));

  // A target that cannot be replaced (a folder of that name) fails and
  // leaves what is there.
  Fs::MakeDirectory(mDir / "saves/taken");
  WriteFile(mDir / "saves/taken/inner", "keep");
  EXPECT_FALSE(app.WriteBytesToFile(mDir / "saves/taken", "abc", 3));
  EXPECT_EQ(ReadFile(mDir / "saves/taken/inner"), "keep");
  // No temporary file is left behind beside a good one either.
  ASSERT_TRUE(app.WriteBytesToFile(mDir / "saves/deep/profdatavx.bin", "new", 3));
  EXPECT_EQ(ReadFile(mDir / "saves/deep/profdatavx.bin"), "new");
  EXPECT_EQ(Fs::FindFiles(mDir / "saves/deep/*").size(), 3u);  // ".", ".." and the file
}

TEST_F(SettingsTest, LoadingProgressFollowsTheGamesCounts) {
  auto& app = Make();
  EXPECT_DOUBLE_EQ(app.GetLoadingProgress(), 0.0);
  app.mLoaderStarted = true;
  EXPECT_DOUBLE_EQ(app.GetLoadingProgress(), 0.0);
  app.mResourcesToLoad = 4;
  app.mResourcesLoaded = 1;
  EXPECT_DOUBLE_EQ(app.GetLoadingProgress(), 0.25);
  app.mResourcesLoaded = 5;
  EXPECT_DOUBLE_EQ(app.GetLoadingProgress(), 1.0);
  app.mResourcesLoaded = 0;
  app.mLoadingHookDone = true;
  EXPECT_DOUBLE_EQ(app.GetLoadingProgress(), 1.0);
  app.mLoaderFinished = true;  // no thread ran: nothing to wait for
}

}  // namespace
}  // namespace Plix::Testing
