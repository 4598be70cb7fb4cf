// The application object: construction, the fixed start-up order, shut-down
// and destruction, the host interfaces it offers the lower libraries, and
// string properties.
#include "framework/app/PlixAppBase.h"

#include <chrono>
#include <cstdio>
#include <thread>
#include <cstdlib>

#include "framework/app/CrashHandler.h"
#include "framework/app/CrashHost.h"
#include "framework/app/Random.h"
#include "framework/graphics/D3DInterface.h"
#include "framework/graphics/D3DTester.h"
#include "framework/graphics/DDImage.h"
#include "framework/graphics/DDInterface.h"
#include "framework/platform/CRand.h"
#include "framework/platform/Clock.h"
#include "framework/platform/DebugOutput.h"
#include "framework/platform/Files.h"
#include "framework/platform/Instance.h"
#include "framework/platform/SdlWindow.h"
#include "framework/platform/Threads.h"
#include "framework/platform/WindowSystem.h"
#include "framework/resources/ImageLib.h"
#include "framework/resources/PakInterface.h"
#include "framework/resources/ResourceHost.h"
#include "framework/resources/ResourceManager.h"
#include "framework/sound/DSoundManager.h"
#include "framework/sound/MusicInterface.h"
#include "framework/sound/SoundHost.h"
#include "framework/util/Utilities.h"
#include "framework/widget/Dialog.h"
#include "framework/widget/WidgetHost.h"
#include "framework/widget/WidgetManager.h"

namespace Plix {

PlixAppBase* gApp = nullptr;
std::atomic<bool> gScreenSaverIdle{false};
std::atomic<bool> gDisplayLost{false};

namespace {

std::function<void(int)>& ExitHandler() {
  static std::function<void(int)> handler;
  return handler;
}

// 32 x 32 AND and XOR masks, one bit per pixel, rows of 4 bytes.
struct CursorMasks {
  uint8_t andMask[128];
  uint8_t xorMask[128];
};

// Rows of 32 characters: '#' black, '.' white, anything else transparent.
CursorMasks MakeMasks(const char* const rows[32]) {
  CursorMasks m;
  for (int y = 0; y < 32; ++y) {
    for (int x = 0; x < 32; ++x) {
      const char c = rows[y][x];
      const int byte = y * 4 + x / 8;
      const uint8_t bit = static_cast<uint8_t>(0x80 >> (x % 8));
      if (x == 0) m.andMask[byte] = m.xorMask[byte] = 0;
      if (x % 8 == 0) m.andMask[byte] = 0xFF, m.xorMask[byte] = 0;
      if (c == '#' || c == '.') m.andMask[byte] &= static_cast<uint8_t>(~bit);
      if (c == '.') m.xorMask[byte] |= bit;
    }
  }
  return m;
}

// A pointing hand (hot spot at the finger tip, 11, 4) and a closed hand
// that drags (hot spot 15, 10).
const char* const kHandRows[32] = {
    "           ##                   ", "          #..#                  ", "          #..#                  ",
    "          #..#                  ", "          #..#                  ", "          #..###                ",
    "          #..#..###             ", "          #..#..#..##           ", "          #..#..#..#.#          ",
    "       ## #..#..#..#..#         ", "      #..##........#..#         ", "      #...#...........#         ",
    "       #.............#         ", "        #.............#         ", "        #............#          ",
    "         #...........#          ", "         #..........#           ", "          #.........#           ",
    "          #.........#           ", "          ###########           ", "                                ",
    "                                ", "                                ", "                                ",
    "                                ", "                                ", "                                ",
    "                                ", "                                ", "                                ",
    "                                ", "                                ",
};
const char* const kDragRows[32] = {
    "                                ", "                                ", "                                ",
    "                                ", "                                ", "                                ",
    "            ## ## ##            ", "           #..#..#..##          ", "           #..#..#..#.#         ",
    "         ##.........#.#         ", "        #..#..........#         ", "        #.............#         ",
    "         #............#         ", "          #...........#         ", "          #..........#          ",
    "           #.........#          ", "           #.........#          ", "           ###########          ",
    "                                ", "                                ", "                                ",
    "                                ", "                                ", "                                ",
    "                                ", "                                ", "                                ",
    "                                ", "                                ", "                                ",
    "                                ", "                                ",
};

}  // namespace

void SetExitHandler(std::function<void(int)> handler) { ExitHandler() = std::move(handler); }

// ------------------------------------------------------------------- hosts

// The host interfaces of the lower libraries, each answered by the
// application. They are installed process-wide while the application lives.
class PlixAppBase::Hosts {
public:
  // The image side doubles as the graphics host; the few answers that are
  // the application's go back to it.
  class Images : public AppImages {
  public:
    explicit Images(PlixAppBase* app) : mApp(app) {}
    void ShowFatalError(const std::string& text) override { mApp->ShowFatalError(text); }
    SharedImageRef GetCachedImage(const std::string& fileName, const std::string& variant, bool* isNew) override {
      return mApp->GetCachedImage(fileName, variant, isNew);
    }
    DDImage* LoadImage(const std::string& fileName, bool commitBits) override {
      return mApp->LoadImage(fileName, commitBits);
    }
    // The base versions, for the application's forwarding.
    SharedImageRef CachedImage(const std::string& fileName, const std::string& variant, bool* isNew) {
      return AppImages::GetCachedImage(fileName, variant, isNew);
    }
    DDImage* Load(const std::string& fileName, bool commitBits) { return AppImages::LoadImage(fileName, commitBits); }

  protected:
    void ResetFrameTiming() override { mApp->ResetFrameTiming(); }

  private:
    PlixAppBase* mApp;
  };

  class Widgets : public WidgetHost {
  public:
    explicit Widgets(PlixAppBase* app) : mApp(app) {}
    void SetCursor(int cursorNum) override { mApp->SetCursor(cursorNum); }
    void CopyToClipboard(const std::string& text) override { mApp->CopyToClipboard(text); }
    std::string GetClipboardText() override { return mApp->GetClipboardText(); }
    DialogListener* GetDialogListener() override { return mApp; }
    bool MainLoopStep(bool) override { return mApp->MainLoopStep(nullptr); }
    void CloseDialogById(int dialogId) override { mApp->CloseDialogById(dialogId); }
    void QueueWidgetDelete(Widget* widget) override { mApp->QueueWidgetDelete(widget); }
    bool IsTabletPC() override { return mApp->mIsTabletPC; }
    int GetAppWidth() override { return mApp->mScreenWidth; }
    int GetAppHeight() override { return mApp->mScreenHeight; }

  private:
    PlixAppBase* mApp;
  };

  class Resources : public ResourceHost {
  public:
    explicit Resources(PlixAppBase* app) : mApp(app) {}
    SharedImageRef GetCachedImage(const std::string& fileName, const std::string& variant, bool* isNew) override {
      return mApp->GetCachedImage(fileName, variant, isNew);
    }
    MemoryImage* LoadImage(const std::string& fileName, bool commitBits) override {
      return mApp->LoadImage(fileName, commitBits);
    }
    bool IsHardwareDrawing() override { return mApp->IsHardwareDrawing(); }
    SoundManager* GetSoundManager() override { return mApp->mAppSounds; }

  private:
    PlixAppBase* mApp;
  };

  class Sounds : public SoundHost {
  public:
    explicit Sounds(PlixAppBase* app) : mApp(app) {}
    int MessageBox(HWND, const std::string& text, const std::string& caption, unsigned flags) override {
      return mApp->ShowMessageBox(text, caption, flags);
    }
    std::string GetAppDataFolder() override { return Plix::GetAppDataFolder(); }

  private:
    PlixAppBase* mApp;
  };

  class Crash : public CrashHost {
  public:
    explicit Crash(PlixAppBase* app) : mApp(app) {}
    void HideForCrash() override { mApp->HideForCrash(); }
    void WriteProgramInfo(std::string& text) override { mApp->WriteProgramInfo(text); }
    void GetCrashAttachmentPath(std::string& path) override { path = mApp->GetCrashAttachmentPath(); }
    void GetCrashReportFields(std::map<std::string, std::string>& fields) override {
      mApp->GetCrashReportFields(fields);
    }
    void CopyToClipboard(const std::string& text) override { mApp->CopyToClipboard(text); }
    std::string GetProductName() override { return mApp->mProductTitle; }
    std::string GetVersionString() override { return mApp->mProductVersion; }

  private:
    PlixAppBase* mApp;
  };

  explicit Hosts(PlixAppBase* app) : mImages(app), mWidgets(app), mResources(app), mSounds(app), mCrash(app) {
    SetGraphicsHost(&mImages);
    SetWidgetHost(&mWidgets);
    SetSoundHost(&mSounds);
    CrashHandler::SetApplication(&mCrash);
  }
  ~Hosts() {
    if (CrashHandler::GetApplication() == &mCrash) CrashHandler::SetApplication(nullptr);
    if (GetSoundHost() == &mSounds) SetSoundHost(nullptr);
    if (GetWidgetHost() == &mWidgets) SetWidgetHost(nullptr);
    if (GetGraphicsHost() == &mImages) SetGraphicsHost(nullptr);
  }

  Images mImages;
  Widgets mWidgets;
  Resources mResources;
  Sounds mSounds;
  Crash mCrash;
};

// ------------------------------------------------------------ construction

PlixAppBase::PlixAppBase() {
  mStartTime = GetTickCount();
  mLastDrawTime = mNextDrawTime = timeGetTime();
  mFpsStartTime = GetTickCount();
  mHosts = std::make_unique<Hosts>(this);
  gApp = this;

  ImageLib::LoadJpeg2000Codec();
  const std::string exeFolder = Fs::ExecutableFolder();
  mProductVersion = GetProductVersion(exeFolder);
  mStartFolder = exeFolder;

  SetStringProperty("DIALOG_BUTTON_OK", L"OK");
  SetStringProperty("DIALOG_BUTTON_CANCEL", L"CANCEL");
  SetStringProperty("UPDATE_CHECK_TITLE", L"Update Check");
  SetStringProperty("UPDATE_CHECK_BODY", L"Checking if there are any updates available for this product ...");
  SetStringProperty("UP_TO_DATE_TITLE", L"Up to Date");
  SetStringProperty("UP_TO_DATE_BODY", L"There are no updates available for this product at this time.");
  SetStringProperty("NEW_VERSION_TITLE", L"New Version");
  SetStringProperty("NEW_VERSION_BODY",
                    L"There is an update available for this product.  Would you like to visit the web site to "
                    L"download it?");

  mAppWidgets = new WidgetManager(&mHosts->mWidgets);
  mAppResources = new ResourceManager(&mHosts->mResources);

  mIsTabletPC = GetSystemMetrics(SM_TABLETPC) != 0;
  mNotTabletPC = !mIsTabletPC;
}

PlixAppBase::~PlixAppBase() {
  Shutdown();

  if (mMode3DChanged && mAppDisplay) {
    bool stored = false;
    const bool hasValue = ReadRegistryBoolean("Is3D", stored);
    const std::wstring caption =
        StringToWString(mQuestionCaptionLead) + L" " +
        GetStringProperty("HARDWARE_ACCEL_CONFIRMATION", L"Hardware Acceleration Confirmation");
    bool asked = false, done = false;
    if (!hasValue && !IsHardwareRecommended()) {
      if (IsHardwareDrawing()) {
        asked = true;
        const int answer = MessageBoxW(
            nullptr,
            GetStringProperty("HARDWARE_ACCEL_SWITCHED_ON",
                              L"Hardware Acceleration was switched on during this session.\r\n"
                              L"If this resulted in slower performance, it should be switched off.\r\n"
                              L"Would you like to keep Hardware Acceleration switched on?"),
            caption, MB_YESNO | MB_ICONQUESTION);
        mAppDisplay->mIs3D = answer == IDYES;
        done = answer != IDYES;
      }
    }
    if (!done && (hasValue || IsHardwareRecommended() || asked)) {
      WriteRegistryBoolean("Is3D", mAppDisplay->mIs3D);
      done = asked;
    }
    if (!done && gHardwareProblem && !mScreenSaverMode) {
      const int answer = MessageBoxW(
          nullptr,
          GetStringProperty("HARDWARE_ACCEL_NOT_WORKING",
                            L"Hardware Acceleration may not have been working correctly during this session.\r\n"
                            L"If you noticed graphics problems, you may want to turn off Hardware Acceleration.\r\n"
                            L"Would you like to keep Hardware Acceleration switched on?"),
          caption, MB_YESNO | MB_ICONQUESTION);
      if (answer == IDNO) WriteRegistryBoolean("Is3D", false);
    }
  }

  // The loading thread uses the managers and the display: wait for it
  // before anything it uses goes.
  WaitForLoadingThread();

  for (auto& [id, dialog] : mOpenDialogs) {
    mAppWidgets->RemoveWidget(dialog);
    delete dialog;
  }
  mOpenDialogs.clear();
  // What was queued for deletion after the loop ended.
  mStepNesting = 0;
  FlushDeferredDeletes();

  if (mHiddenWindow) {
    SetWindowLongPtr(mHiddenWindow, GWL_USERDATA, 0);
    DestroyWindow(mHiddenWindow);
    mHiddenWindow = nullptr;
  }
  delete mAppWidgets;
  mAppWidgets = nullptr;
  delete mAppResources;
  mAppResources = nullptr;
  mFpsImage.reset();
  mDemoTimeImage.reset();
  {
    AutoCrit lock(mHosts->mImages.Lock());
    mHosts->mImages.mSharedImageMap.clear();
  }
  mHosts->mImages.SetDisplay(nullptr);
  delete mAppDisplay;
  mAppDisplay = nullptr;
  delete mMusicOutput;
  mMusicOutput = nullptr;
  delete mAppSounds;
  mAppSounds = nullptr;
  if (mMainWindow) {
    SetWindowLongPtr(mMainWindow, GWL_USERDATA, 0);
    DestroyWindow(mMainWindow);
    mMainWindow = nullptr;
  }
  if (mHandCursor) DestroyCursor(mHandCursor);
  if (mDragCursor) DestroyCursor(mDragCursor);
  gApp = nullptr;
  EndDemo();
  if (mInstanceMutex) CloseHandle(mInstanceMutex);
  mHosts.reset();
}

void PlixAppBase::Exit(int code) {
  RestoreDisplayMode();
  if (ExitHandler()) ExitHandler()(code);
  std::fflush(nullptr);
  std::_Exit(code);
}

// --------------------------------------------------------------- start-up

std::string PlixAppBase::MakeDemoPathAbsolute(const std::string& path) {
  // The original's drive and "..\" forms, and a Linux absolute path.
  const bool absolute = (!path.empty() && path[0] == '/') ||
                        (path.size() >= 2 && (path[1] == ':' || (path.size() >= 3 && path[2] == '\\')));
  return absolute ? path : GetAppDataFolder() + path;
}

void PlixAppBase::Init() {
  mMainThreadId = CurrentThreadId();
  if (mShuttingDown) return;

  PreInit();
  LoadSettings();

  if (IsVistaOrLater()) {
    SetAppDataFolder(Fs::UserDataFolder(mCompanyWord, mProductTitle));
    mDemoFilePath = MakeDemoPathAbsolute(mDemoFilePath);
  }
  if (!mCommandLineDone) ParseCommandLine();
  if (mScreenSaverMode) mOneInstanceOnly = false;

  if (!HandleChangeDir(mStartFolder) && !mStartFolder.empty()) Fs::ChangeDirectory(mStartFolder);
  // Loose files may stand in for a missing archive: why it was not added
  // is told only when the manifest then cannot be read.
  if (PakInterface* pak = GetPakInterface(); pak && !pak->AddPakFile("main.pak")) mArchiveError = pak->GetErrorText();

  mNotifyMessageId = RegisterWindowMessageW(StringToWString(mProductTitle) + L"Notify");
  mInstanceMutex = CreateMutexW(StringToWString(mProductTitle) + L"Mutex", true);
  if (GetLastError() == ERROR_ALREADY_EXISTS) NotifyOtherInstance();

  mRandomSeed = GetTickCount();
  SeedRandom(mRandomSeed);
  StartDemo();
  // The game's draws come from the seed a demo keeps, so a replay repeats them.
  SRand(mRandomSeed);

  RegisterClassW("MainWindow", &PlixAppBase::WindowProc, CS_DBLCLKS);
  RegisterClassW("InvisWindow", &PlixAppBase::WindowProc, 0);
  mHiddenWindow = CreateWindowExW(0, "InvisWindow", mWindowTitle, 0, 0, 0, 0, 0);
  SetWindowLongPtr(mHiddenWindow, GWL_USERDATA, reinterpret_cast<intptr_t>(this));

  const CursorMasks hand = MakeMasks(kHandRows), drag = MakeMasks(kDragRows);
  mHandCursor = CreateCursor(11, 4, 32, 32, hand.andMask, hand.xorMask);
  mDragCursor = CreateCursor(15, 10, 32, 32, drag.andMask, drag.xorMask);

  AfterCursorsCreated();
  mAppWidgets->Resize(Rect(0, 0, mScreenWidth, mScreenHeight), Rect(0, 0, mScreenWidth, mScreenHeight));

  if (mWindowedMode && !mDesktopModeFullScreen &&
      (mScreenWidth >= GetSystemMetrics(SM_CXFULLSCREEN) || mScreenHeight >= GetSystemMetrics(SM_CYFULLSCREEN))) {
    mWindowedMode = false;
    mFullScreenForced = true;
  }
  // The desktop's own display mode cannot be changed here: when it is not
  // already the one asked for, the change counts as refused and full screen
  // goes through the display instead.
  if (mDesktopModeFullScreen && (GetSystemMetrics(SM_CXSCREEN) != mScreenWidth ||
                                 GetSystemMetrics(SM_CYSCREEN) != mScreenHeight)) {
    mDesktopModeFullScreen = false;
    mWindowedMode = false;
  }

  CreateMainWindow();
  ReadDemoDisplayRecord();

  if (!mAppSounds) mAppSounds = new DSoundManager(mSoundWithoutWindow ? nullptr : mMainWindow, mPreferFmod);
  SetSfxVolume(mSfxVolume);
  mMusicOutput = CreateMusicInterface(mHiddenWindow);
  SetMusicVolume(mMusicVolume);

  if (mScreenSaverMode) SetCursor(11);

  FinishInit();
  mInitDone = true;
}

// --------------------------------------------------------------- shut-down

void PlixAppBase::Shutdown() {
  if (mMainThreadId != 0 && CurrentThreadId() != mMainThreadId) {
    mShutdownAsked = true;
    return;
  }
  if (mShuttingDown) return;
  mLeaveLoopStep = true;
  mShuttingDown = true;

  OnShutdown();
  if (mDemoPlaying) {
    SetMusicVolume(mSavedMusicVolume);
    SetSfxVolume(mSavedSfxVolume);
  }
  WakeCursorThread();
  // Waiting for another thread is real time, whatever clock the loop uses.
  while (mCursorThreadAlive) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  if (mMusicOutput) mMusicOutput->StopAllMusic();
  if (!mWindowedActual && mAppDisplay && mAppDisplay->mDD) mAppDisplay->mDD->RestoreDisplayMode();
  if (mMainWindow) {
    ShowWindow(mMainWindow, SW_HIDE);
    mWindowHidden = true;
  }
  RestoreDisplayMode();
  if (mSettingsLoaded) SaveSettings();
  ImageLib::FreeJpeg2000Codec();
}

void PlixAppBase::HideForCrash() {
  if (mMusicOutput) mMusicOutput->SetVolume(0.0);
  if (mMainWindow) ShowWindow(mMainWindow, SW_HIDE);
  mWindowHidden = true;
  mCrashInProgress = true;
  ApplyCursor();
}

void PlixAppBase::WriteProgramInfo(std::string& out) {
  const uint32_t seconds = (GetTickCount() - mStartTime) / 1000;
  out += "Product: " + mProductTitle + "\r\n";
  out += "Version: " + mProductVersion + "\r\n";
  out += StrFormat("Time Loaded: %02d:%02d:%02d\r\n", static_cast<int>(seconds / 3600),
                   static_cast<int>((seconds / 60) % 60), static_cast<int>(seconds % 60));
  out += std::string("Fullscreen: ") + (mWindowedMode ? "No" : "Yes") + "\r\n";
  out += StrFormat("Primary ThreadId: %lX\r\n", mMainThreadId);
}

DisplaySettings PlixAppBase::GetDisplaySettings() {
  DisplaySettings s;
  s.screenWidth = mScreenWidth;
  s.screenHeight = mScreenHeight;
  s.fullScreenBits = mFullScreenBits;
  s.use3DWhenRecommended = mUse3DWhenRecommended;
  s.run3DTest = mRun3DTest;
  s.waitForVSync = mWaitForVSync;
  s.refreshWaitBySleep = mRefreshWaitBySleep;
  s.registryKeyPath = mRegKeyPath;
  s.demoPlaying = mDemoPlaying;
  return s;
}

// ------------------------------------------------------- string properties

void PlixAppBase::SetStringProperty(const std::string& id, const std::wstring& text) { mStringProps[id] = text; }

std::wstring PlixAppBase::GetStringProperty(const std::string& id, const std::wstring& defaultText) {
  auto it = mStringProps.find(id);
  return it != mStringProps.end() ? it->second : defaultText;
}

void PlixAppBase::LoadResourceManifest() {
  if (mAppResources->ReadManifestFile("properties\\resources.xml")) return;
  ShowFatalError(mArchiveError.empty() ? mAppResources->GetErrorText()
                                       : mArchiveError + "\n" + mAppResources->GetErrorText());
  Exit(1);
}

void PlixAppBase::ReportResourceError(bool exit) {
  ShowFatalError(mAppResources->GetErrorText());
  mExitCode = 1;
  if (exit) Exit(1);
}

// ------------------------------------------------------------------ images

AppImages& PlixAppBase::GetImages() { return mHosts->mImages; }

DDImage* PlixAppBase::LoadImage(const std::string& fileName, bool commitBits) {
  return mHosts->mImages.Load(fileName, commitBits);
}

SharedImageRef PlixAppBase::GetCachedImage(const std::string& fileName, const std::string& variant, bool* isNew) {
  return mHosts->mImages.CachedImage(fileName, variant, isNew);
}

DDImage* PlixAppBase::CopyImageRect(Image* image, const Rect& rect) { return mHosts->mImages.CopyImageRect(image, rect); }
DDImage* PlixAppBase::CopyImage(Image* image) { return mHosts->mImages.CopyImage(image); }
void PlixAppBase::SweepSharedImages() { mHosts->mImages.SweepSharedImages(); }
void PlixAppBase::TakeScreenshot() { mHosts->mImages.TakeScreenshot(); }
void PlixAppBase::DumpImages() { mHosts->mImages.DumpImages(); }

bool PlixAppBase::IsHardwareDrawing() { return mAppDisplay && mAppDisplay->mIs3D; }

bool PlixAppBase::IsHardwareSupported() {
  return mAppDisplay && mAppDisplay->mD3DTester && mAppDisplay->mD3DTester->mFailureReason.empty();
}

bool PlixAppBase::IsHardwareRecommended() {
  return IsHardwareSupported() && mAppDisplay->mD3DTester->mWarning.empty();
}

}  // namespace Plix
