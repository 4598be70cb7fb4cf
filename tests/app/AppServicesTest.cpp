#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <string>
#include <thread>
#include <vector>

#include "framework/graphics/DDImage.h"
#include "framework/graphics/DDInterface.h"
#include "framework/platform/Files.h"
#include "framework/platform/Instance.h"
#include "framework/platform/WindowSystem.h"
#include "framework/resources/PakInterface.h"
#include "framework/sound/MusicInterface.h"
#include "framework/sound/SoundManager.h"
#include "framework/widget/Dialog.h"
#include "framework/widget/WidgetManager.h"
#include "tests/app/AppTestSupport.h"

namespace Plix::Testing {
namespace {

// Remembers the volumes it was given.
class VolumeMusic : public MusicInterface {
public:
  std::vector<double> mVolumes;
  void SetVolume(double volume) override { mVolumes.push_back(volume); }
};

class VolumeApp : public TestApp {
public:
  VolumeMusic* mMusic = nullptr;
  MusicInterface* CreateMusicInterface(HWND) override { return mMusic = new VolumeMusic(); }
};

class AppServicesTest : public AppFixture {};

TEST_F(AppServicesTest, MutesNestAndNeverChangeTheStoredVolumes) {
  auto& app = Make<VolumeApp>();
  ASSERT_EQ(InitApp(), -1);
  app.mMusic->mVolumes.clear();
  app.Mute(false);
  app.Mute(true);
  EXPECT_TRUE(app.IsMuted());
  app.Unmute(true);
  EXPECT_TRUE(app.IsMuted());  // one mute still in force
  app.SetMusicVolume(0.3);
  EXPECT_DOUBLE_EQ(app.GetMusicVolume(), 0.3);
  EXPECT_EQ(app.mMusic->mVolumes.back(), 0.0);
  app.Unmute(false);
  EXPECT_FALSE(app.IsMuted());
  EXPECT_EQ(app.mMusic->mVolumes.back(), 0.3);
  // More unmutes than mutes: the count stays at 0 but the volumes are
  // applied again.
  const size_t calls = app.mMusic->mVolumes.size();
  app.Unmute(true);
  EXPECT_EQ(app.mMuteDepth, 0);
  EXPECT_EQ(app.mFocusMuteCount, 0);
  EXPECT_EQ(app.mMusic->mVolumes.size(), calls + 1);
  // Only the player's own mute is stored.
  app.Mute(true);
  app.SaveSettings();
  int32_t muted = -1;
  app.ReadRegistryInteger("Muted", muted);
  EXPECT_EQ(muted, 0);
  app.Mute(false);
  app.SaveSettings();
  app.ReadRegistryInteger("Muted", muted);
  EXPECT_EQ(muted, 1);
}

TEST_F(AppServicesTest, TheMasterVolumeKeepsItsOwnField) {
  auto& app = Make();
  ASSERT_EQ(InitApp(), -1);
  app.SetSfxVolume(0.6);
  app.SetMasterVolume(0.2);
  EXPECT_DOUBLE_EQ(app.GetSfxVolume(), 0.6);
  EXPECT_DOUBLE_EQ(app.GetMasterVolume(), 0.2);
  app.SaveSettings();
  int32_t sfx = 0;
  app.ReadRegistryInteger("SfxVolume", sfx);
  EXPECT_EQ(sfx, 60);
  app.PlaySound(7);  // no such sound: nothing plays, nothing is reported
  app.PlaySoundPanned(300, 10);
}

TEST_F(AppServicesTest, StringPropertiesAndTheirDefaults) {
  auto& app = Make();
  EXPECT_EQ(app.GetStringProperty("DIALOG_BUTTON_OK", L"anything"), L"OK");
  EXPECT_EQ(app.GetStringProperty("dialog_button_ok", L"fallback"), L"fallback");
  EXPECT_EQ(app.GetStringProperty("NEW_VERSION_BODY", L""),
            L"There is an update available for this product.  Would you like to visit the web site to download it?");
  EXPECT_EQ(app.mStringProps.size(), 8u);
  app.SetStringProperty("DIALOG_BUTTON_OK", L"");
  EXPECT_EQ(app.GetStringProperty("DIALOG_BUTTON_OK", L"x"), L"");
  EXPECT_EQ(app.mStringProps.size(), 8u);
  EXPECT_EQ(app.mStringProps.count("RegistryKey"), 0u);
}

TEST_F(AppServicesTest, AMissingManifestEndsTheProgramAfterOneBox) {
  auto& app = Make();
  int code = -1;
  try {
    app.LoadResourceManifest();
  } catch (const ExitCalled& e) {
    code = e.code;
  }
  EXPECT_EQ(code, 1);  // a launcher can tell
  ASSERT_EQ(mBackend.mBoxes.size(), 1u);
  EXPECT_EQ(mBackend.mBoxes[0].text.rfind(L"Resource file not found: ", 0), 0u);
  // Reported from the loading thread: the box, no exit, but the code the
  // program ends with.
  app.mExitCode = 0;
  app.ReportResourceError(false);
  EXPECT_EQ(mBackend.mBoxes.size(), 2u);
  EXPECT_EQ(app.mExitCode, 1);
  // A group that cannot be loaded or bound at start-up (a bad image).
  code = -1;
  try {
    app.ReportResourceError(true);
  } catch (const ExitCalled& e) {
    code = e.code;
  }
  EXPECT_EQ(code, 1);
}

TEST_F(AppServicesTest, ABrokenArchiveIsNamedWithItsReason) {
  WriteFile(mDir / "main.pak", "not an archive at all");
  PakInterface pak;
  PakInterface* old = ReplacePakInterface(&pak);
  auto& app = Make();
  const int init = InitApp();
  int code = -1;
  try {
    app.LoadResourceManifest();
  } catch (const ExitCalled& e) {
    code = e.code;
  }
  ReplacePakInterface(old);
  EXPECT_EQ(init, -1);
  EXPECT_EQ(code, 1);
  ASSERT_EQ(mBackend.mBoxes.size(), 1u);
  const std::wstring& text = mBackend.mBoxes[0].text;
  EXPECT_EQ(text.rfind(L"Pak archive main.pak refused: ", 0), 0u);
  EXPECT_NE(text.find(L"\nResource file not found: "), std::wstring::npos);
}

TEST_F(AppServicesTest, DialogsArePlacedKeyedByIdAndRouteTheirButtons) {
  auto& app = Make();
  ASSERT_EQ(InitApp(), -1);
  Dialog* first = app.OpenDialog(5, true, L"Head", L"Lines", L"Foot", Dialog::BUTTONS_YES_NO);
  EXPECT_EQ(first->mX, 200);
  EXPECT_EQ(first->mY, 120);
  EXPECT_EQ(first->mWidth, 400);
  EXPECT_EQ(app.mAppWidgets->mBaseModalWidget, first);
  EXPECT_EQ(app.GetDialog(5), first);

  // A second dialog under the id replaces the first, which is queued for
  // deletion (not deleted at once).
  Dialog* second = app.OpenDialog(5, false, L"Head", L"Lines", L"Foot", Dialog::BUTTONS_FOOTER);
  EXPECT_EQ(app.CountDialogs(), 1);
  EXPECT_EQ(app.GetDialog(5), second);
  EXPECT_EQ(app.mPendingWidgetDeletes.size(), 1u);
  EXPECT_EQ(app.mAppWidgets->mBaseModalWidget, nullptr);

  // A dialog that has a size keeps it.
  Dialog* sized = app.CreateDialog(7, false, L"H", L"L", L"F", Dialog::BUTTONS_OK_CANCEL);
  sized->Resize(10, 20, 300, 100);
  app.AddDialogByOwnId(sized);
  EXPECT_EQ(sized->mX, 10);
  EXPECT_EQ(sized->mWidth, 300);

  auto& hooks = App().mHooks;
  hooks.clear();
  app.DialogButtonReleased(7, Dialog::ID_NO);
  app.DialogButtonPressed(7, Dialog::ID_YES);
  app.DialogButtonReleased(7, 1234);
  EXPECT_EQ(hooks, (std::vector<std::string>{"ButtonReleased 3007", "ButtonPressed 2007"}));

  // Taken out of the map only: it stays on the screen.
  EXPECT_TRUE(app.CloseDialog(7, false, false));
  EXPECT_EQ(sized->mWidgetManager, app.mAppWidgets);
  EXPECT_FALSE(app.CloseDialogById(7));
  app.mAppWidgets->RemoveWidget(sized);
  delete sized;
  EXPECT_TRUE(app.CloseDialogObject(second));
  EXPECT_EQ(app.CountDialogs(), 0);
}

TEST_F(AppServicesTest, CursorsByNumber) {
  auto& app = Make();
  ASSERT_EQ(InitApp(), -1);
  app.mMouseInside = true;
  auto current = [&] { return mBackend.CursorOf(mBackend.CurrentCursor()); };
  app.SetCursor(3);
  ASSERT_NE(current(), nullptr);
  EXPECT_EQ(current()->idc, IDC_IBEAM);
  const size_t sets = mBackend.mCursorSets.size();
  app.SetCursor(3);
  EXPECT_EQ(mBackend.mCursorSets.size(), sets);  // unchanged: not applied again
  app.SetCursor(1);
  EXPECT_EQ(mBackend.CurrentCursor(), app.mHandCursor);
  EXPECT_EQ(current()->hotX, 11);
  EXPECT_EQ(current()->hotY, 4);

  // A custom image is drawn only with custom cursors on, or for number 12.
  DDImage image(app.mAppDisplay);
  image.Create(8, 8);
  app.SetCustomCursor(1, &image);
  EXPECT_EQ(app.mAppDisplay->mCursorImage, nullptr);
  EXPECT_EQ(mBackend.CurrentCursor(), app.mHandCursor);
  app.SetCustomCursor(12, &image);
  app.SetCursor(12);
  EXPECT_EQ(app.mAppDisplay->mCursorImage, &image);
  EXPECT_EQ(mBackend.CurrentCursor(), nullptr);
  app.SetCursor(1);
  app.EnableCustomCursors(true);
  EXPECT_EQ(app.mAppDisplay->mCursorImage, &image);
  // Outside the window: the arrow, and no software cursor.
  app.mMouseInside = false;
  app.ApplyCursor();
  EXPECT_EQ(current()->idc, IDC_ARROW);
  EXPECT_EQ(app.mAppDisplay->mCursorImage, nullptr);
  app.SetCustomCursor(1, nullptr);
  app.SetCustomCursor(12, nullptr);
}

TEST_F(AppServicesTest, ClipboardTextWithAndWithoutAClipboard) {
  auto& app = Make();
  app.CopyToClipboard("Pemi");
  EXPECT_EQ(mBackend.mClipboard, L"Pemi");
  EXPECT_EQ(app.GetClipboardText(), "Pemi");
  mBackend.mHasClipboard = false;
  EXPECT_EQ(app.GetClipboardText(), "");
  mBackend.mHasClipboard = true;
  mBackend.mClipboardHasText = false;
  EXPECT_EQ(app.GetClipboardText(), "");
}

TEST_F(AppServicesTest, OpeningAUrlOnceWhilePending) {
  auto& app = Make();
  ASSERT_EQ(InitApp(), -1);
  EXPECT_TRUE(app.OpenURL("https://example.org/zovad", true));
  EXPECT_TRUE(app.OpenURL("https://example.org/zovad", true));
  EXPECT_EQ(mBackend.mUrls.size(), 1u);
  EXPECT_TRUE(app.mUrlOpenPending);
  // Losing the activation while it is pending counts as opened; with the
  // quit flag, that shuts the program down.
  app.mMainLoopRunning = true;
  ShowWindow(app.mMainWindow, SW_SHOW);
  SendMessageA(app.mMainWindow, WM_ACTIVATEAPP, 0, 0);
  while (app.ProcessDeferredMessages()) {
  }
  EXPECT_FALSE(app.mUrlOpenPending);
  EXPECT_TRUE(app.mShuttingDown);

  auto& other = Make();
  mBackend.mUrlResult = false;
  EXPECT_FALSE(other.OpenURL("https://example.org/x"));
  EXPECT_FALSE(other.mUrlOpenPending);
}

TEST_F(AppServicesTest, ScreenSaverModeLogsInsteadOfShowingBoxes) {
  auto& app = Make();
  app.mScreenSaverMode = true;
  EXPECT_EQ(app.ShowMessageBox("first", "Title", MB_OK), IDOK);
  app.ShowFatalErrorW(L"second");
  EXPECT_TRUE(mBackend.mBoxes.empty());
  const std::string log = ReadFile(mDir / "ScrError.txt");
  EXPECT_EQ(log.rfind("first ", 0), 0u);
  EXPECT_NE(log.find("\nsecond "), std::string::npos);
}

TEST_F(AppServicesTest, ABoxDoesNotLeaveKeysDownOrCatchUpItsTime) {
  auto& app = Make();
  ASSERT_EQ(InitApp(), -1);
  ProbeWidget& probe = AddProbe();
  app.mAppWidgets->MouseDown(10, 10, 1);
  app.mAppWidgets->mKeyDown['A'] = 1;
  mBackend.mOnBox = [&](const FakeWindowBackend::Box&) { mClock.Advance(60000); };
  app.ShowMessageBox("A minute", "Title", MB_OK);
  EXPECT_EQ(app.mAppWidgets->mKeyDown['A'], 0);
  EXPECT_EQ(app.mAppWidgets->mDownButtons, 0);
  EXPECT_EQ(probe.mEvents.back(), "release 10,10 1");
  const int ticks = app.mTicksDone;
  RunFor(100);
  EXPECT_LE(app.mTicksDone - ticks, 11);
  // No box once shutting down.
  app.Shutdown();
  mBackend.mBoxes.clear();
  app.ShowFatalError("late");
  EXPECT_TRUE(mBackend.mBoxes.empty());
}

TEST_F(AppServicesTest, ProgramInformationForTheCrashReport) {
  auto& app = Make();
  app.mProductVersion = "1.03";
  mClock.Advance(3723000);
  std::string info;
  app.WriteProgramInfo(info);
  EXPECT_NE(info.find("Product: PlixTest\r\n"), std::string::npos);
  EXPECT_NE(info.find("Version: 1.03\r\n"), std::string::npos);
  EXPECT_NE(info.find("Time Loaded: 01:02:03\r\n"), std::string::npos);
  EXPECT_NE(info.find("Fullscreen: No\r\n"), std::string::npos);
  EXPECT_NE(info.find("Primary ThreadId: "), std::string::npos);
  app.HideForCrash();
  EXPECT_TRUE(app.mCrashInProgress);
}

TEST_F(AppServicesTest, ShutdownFromAnotherThreadOnlyAsks) {
  auto& app = Make();
  ASSERT_EQ(InitApp(), -1);
  std::thread([&] { app.Shutdown(); }).join();
  EXPECT_TRUE(app.mShutdownAsked);
  EXPECT_FALSE(app.mShuttingDown);
  app.Process(true);
  EXPECT_TRUE(app.mShuttingDown);
  app.Shutdown();
  int onShutdown = 0, saves = 0;
  for (const std::string& h : App().mHooks) {
    onShutdown += h == "OnShutdown";
    saves += h == "SaveSettings";
  }
  EXPECT_EQ(onShutdown, 1);
  EXPECT_EQ(saves, 1);
}

TEST_F(AppServicesTest, ASecondInstanceTellsTheFirstAndEndsWithZero) {
  auto& first = Make();
  ASSERT_EQ(InitApp(), -1);
  ShowWindow(first.mMainWindow, SW_MINIMIZE);
  mBackend.mRaised.clear();
  // The second program, as a child process: its exit code, 99 when its
  // start-up went on to the end.
  auto startSecond = [&first](bool screenSaver) {
    const pid_t child = fork();
    if (child == 0) {
      // The emulated display has one primary surface per process: the
      // child's copy of the first program gives it up.
      delete first.mAppDisplay;
      first.mAppDisplay = nullptr;
      TestApp second;
      second.mScreenSaverMode = screenSaver;
      int code = 99;
      try {
        second.Init();
      } catch (const ExitCalled& e) {
        code = e.code;
      }
      _exit(code);
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  };
  EXPECT_EQ(startSecond(false), 0);
  // The sockets are asked a tenth of a second apart on the program's clock.
  for (int i = 0; i < 50 && mBackend.mRaised.empty(); ++i) {
    mClock.Advance(20);
    Pump();
  }
  EXPECT_EQ(mBackend.mRaised, (std::vector<HWND>{first.mMainWindow}));
  EXPECT_FALSE(IsIconic(first.mMainWindow));
  // Screen-saver copies may run side by side.
  EXPECT_EQ(startSecond(true), 99);
}

}  // namespace
}  // namespace Plix::Testing
