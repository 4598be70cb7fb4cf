#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "framework/app/Buffer.h"
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
  EXPECT_EQ(StoredInteger(key, "MusicVolume"), 55);
  EXPECT_EQ(StoredInteger(key, "SfxVolume"), 30);
  EXPECT_EQ(StoredInteger(key, "InProgress"), 0);
  auto& app = Make();
  app.LoadSettings();
  EXPECT_DOUBLE_EQ(app.mMusicVolume, 0.55);
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

TEST_F(SettingsTest, ScreenModeOtherThanZeroIsFullScreenAndAnUnreadableValueChangesNothing) {
  auto& app = Make();
  app.mWindowedMode = true;
  ASSERT_TRUE(app.WriteRegistryInteger("ScreenMode", 7));
  ASSERT_TRUE(app.WriteRegistryString("MusicVolume", "loud"));
  app.mMusicVolume = 0.4;
  app.LoadSettings();
  EXPECT_FALSE(app.mWindowedMode);
  EXPECT_DOUBLE_EQ(app.mMusicVolume, 0.4);
}

TEST_F(SettingsTest, StoredVolumesAreHeldBetweenSilenceAndFull) {
  const struct {
    int32_t stored;
    double volume;
  } cases[] = {{70, 0.7}, {0, 0.0}, {100, 1.0}, {-50, 0.0}, {250, 1.0}, {INT32_MIN, 0.0}, {INT32_MAX, 1.0}};
  for (const auto& c : cases) {
    auto& app = Make();
    ASSERT_TRUE(app.WriteRegistryInteger("MusicVolume", c.stored));
    ASSERT_TRUE(app.WriteRegistryInteger("SfxVolume", c.stored));
    app.LoadSettings();
    EXPECT_DOUBLE_EQ(app.mMusicVolume, c.volume) << c.stored;
    EXPECT_DOUBLE_EQ(app.mSfxVolume, c.volume) << c.stored;
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
