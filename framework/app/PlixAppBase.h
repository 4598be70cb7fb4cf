#pragma once
// The one application object of the framework. The game derives its
// application class from it, makes one, calls Init and then Start, and
// deletes it when Start returns. It owns the window and the display, the
// widget manager, the resource manager, the sound manager and the music,
// and runs the main loop: messages are pumped, input is queued by the window
// procedure and handed to the widgets one record per loop step, 10 ms update
// ticks run as the elapsed time calls for, and frames are drawn and shown.
//
// What lower libraries need of it goes through their host interfaces
// (GraphicsHost, WidgetHost, ResourceHost, SoundHost, DisplayHost); it
// implements them and installs itself as each process-wide host.
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <list>
#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "framework/app/AppImages.h"
#include "framework/app/Buffer.h"
#include "framework/app/DemoFile.h"
#include "framework/app/DemoHost.h"
#include "framework/graphics/DisplayHost.h"
#include "framework/graphics/Rect.h"
#include "framework/graphics/SharedImageRef.h"
#include "framework/platform/WinMessages.h"
#include "framework/widget/ButtonListener.h"
#include "framework/widget/DialogListener.h"

namespace Plix {

class DDImage;
class DDInterface;
class DemoTool;
class Dialog;
class Image;
class MemoryImage;
class MusicInterface;
class PlixAppBase;
class ResourceManager;
class SoundManager;
class Widget;
class WidgetManager;

extern PlixAppBase* gApp;

// Set while the system screen saver is due: nothing ticks or draws.
extern std::atomic<bool> gScreenSaverIdle;
// The last present failed; later passes only try to repair the display.
extern std::atomic<bool> gDisplayLost;
// GetTickCount when the system last asked to power the monitor down.
extern std::atomic<uint32_t> gMonitorPowerTime;

// Where Exit ends the process. Tests install a handler that throws; the
// handler must not return.
void SetExitHandler(std::function<void(int)> handler);

// One queued window message, laid out as the original's MSG record.
struct DeferredMessage {
  HWND window = nullptr;
  UINT message = 0;
  WPARAM wParam = 0;
  LPARAM lParam = 0;
  DWORD time = 0;
  POINT point;
};

class PlixAppBase : public ButtonListener, public DialogListener, public DisplayHost, public DemoHost {
public:
  // ---------------------------------------------------------------- identity
  uint32_t mRandomSeed = 0;
  std::string mCompanyWord;
  std::string mProductTitle = "Product";
  std::wstring mWindowTitle = L"PlixApp";
  std::string mQuestionCaptionLead;
  std::string mRegKeyPath;
  std::string mStartFolder;
  std::string mArchiveError;  // why main.pak was not added at start-up
  // What the program ends with when its main loop returns: an error that
  // stops the run without Exit sets it to 1, so that launchers can tell.
  int mExitCode = 0;
  std::string mProductVersion;
  int32_t mPreferredX = -1;
  int32_t mPreferredY = -1;
  int32_t mScreenWidth = 640;
  int32_t mScreenHeight = 480;
  int32_t mFullScreenBits = 16;
  double mMusicVolume = 0.85;
  double mSfxVolume = 0.85;
  double mSavedMusicVolume = 0.0;
  double mSavedSfxVolume = 0.0;
  // The master volume, kept apart from the effect volume it once overwrote.
  double mMasterVolume = 1.0;
  bool mSoundWithoutWindow = false;
  bool mPreferFmod = false;
  bool mCommandLineDone = false;
  bool mOneInstanceOnly = true;
  HANDLE mInstanceMutex = nullptr;
  UINT mNotifyMessageId = 0;

  // ------------------------------------------------------ windows and display
  unsigned long mMainThreadId = 0;
  bool mCrashInProgress = false;
  bool mWindowHidden = false;
  std::atomic<bool> mShuttingDown{false};
  bool mLeaveLoopStep = false;
  bool mWindowedMode = true;
  bool mWindowedActual = true;
  bool mDesktopModeFullScreen = false;
  bool mFullScreenForced = false;
  bool mWindowedForced = false;
  bool mMaximiseAllowed = false;
  bool mDrawInVideoMemory = false;
  bool mInitDone = false;
  uint32_t mStartTime = 0;
  HWND mMainWindow = nullptr;
  HWND mHiddenWindow = nullptr;
  bool mScreenSaverMode = false;
  bool mIsTabletPC = false;
  bool mNotTabletPC = true;
  DDInterface* mAppDisplay = nullptr;
  MusicInterface* mMusicOutput = nullptr;
  SoundManager* mAppSounds = nullptr;
  bool mSettingsLoaded = false;
  std::set<std::string> mSettingsReported;  // keys already told to the player
  // "InProgress" was 0 at start-up: the last run went through Shutdown.
  bool mLastRunEndedCleanly = true;
  WidgetManager* mAppWidgets = nullptr;
  ResourceManager* mAppResources = nullptr;
  std::map<int, Dialog*> mOpenDialogs;
  std::map<std::string, std::wstring> mStringProps;
  HCURSOR mHandCursor = nullptr;
  HCURSOR mDragCursor = nullptr;
  Rect mScreenRect;
  bool mMode3DChanged = false;
  bool mUse3DWhenRecommended = false;
  bool mRun3DTest = false;
  bool mMessageBoxOpen = false;

  // --------------------------------------------------------- timing and loop
  int32_t mTickMs = 10;
  double mSpeedFactor = 1.0;
  int32_t mTicksDone = 0;
  std::atomic<int32_t> mDrawsDone{0};  // read by the cursor thread
  int32_t mSleepsDone = 0;
  int32_t mTicksSinceDraw = 0;
  int32_t mDirtyTicks = 0;
  // The tick at which something last changed (a frame drawn, input). A second later the screen is still: the loop then wakes once
  // every kStillTicksPerWake ticks and runs them together, as nothing is
  // drawn between them anyway.
  int32_t mLastBusyTick = 0;
  static constexpr int32_t kStillAfterTicks = 100;
  static constexpr int32_t kStillTicksPerWake = 4;
  int32_t mStepPhase = 0;
  int32_t mStepNesting = 0;
  bool mDrawWanted = true;
  bool mDrawInProgress = false;
  bool mLastDrawEmpty = false;
  bool mUpdatesPaused = false;
  bool mSkipToMarker = false;
  bool mSkipOneStep = false;
  bool mRedrawAll = false;
  int32_t mSkipToTick = 0;
  double mTickBacklog = 0.0;
  uint32_t mLastPacingTime = 0;
  double mSmoothTimeAcc = 0.0;
  uint32_t mLastDrawTime = 0;
  std::atomic<uint32_t> mNextDrawTime{0};  // read by the cursor thread
  int32_t mCatchUpPauseMs = 0;
  int32_t mRefreshRateHz = 100;
  bool mPaceByRefresh = false;
  bool mRefreshPacingFailed = false;
  int32_t mFastRefreshSeconds = 0;
  uint32_t mLastRefreshTest = 0;
  int32_t mRefreshTestTicks = 0;
  bool mWaitForVSync = false;
  bool mRefreshWaitBySleep = true;
  bool mMainLoopRunning = false;
  int32_t mDrawTime = 0;
  int32_t mScreenBltTime = 0;
  bool mFpsOverlayOn = false;
  int32_t mFpsOverlayKind = 0;
  int32_t mFpsFrames = 0;
  int32_t mFpsValue = 0;
  bool mFpsRestart = true;
  uint32_t mFpsStartTime = 0;
  // The overlay images: frame rate or mouse position, and the demo time.
  std::unique_ptr<DDImage> mFpsImage;
  std::unique_ptr<DDImage> mDemoTimeImage;
  uint32_t mLastInputTime = 0;
  // When the screen-saver settings were last read and what they said, when
  // the idle state was last checked, and when the display was last repaired.
  uint32_t mSaverSettingsTime = 0;
  bool mSaverActive = false;
  uint32_t mSaverIdleLimit = 0;
  uint32_t mLastIdleCheck = 0;
  uint32_t mLastRepairTime = 0;
  uint32_t mDemoTimeRefresh = 0;

  // ------------------------------------------------------------------ threads
  bool mLoaderStartsWithLoop = true;
  std::atomic<bool> mLoaderStarted{false};
  std::atomic<bool> mLoaderFinished{false};
  std::atomic<bool> mLoadingHookDone{false};
  std::atomic<bool> mLoaderPriority{false};
  std::atomic<bool> mShutdownAsked{false};
  std::atomic<bool> mCursorThreadAlive{false};
  // The cursor thread sleeps until woken: a mouse move, a replayed mouse
  // position or the end of the program (counted, so no wake is lost).
  std::mutex mCursorWakeLock;
  std::condition_variable mCursorWake;
  uint64_t mCursorWakes = 0;
  // The game's loading counts, divided by GetLoadingProgress.
  std::atomic<int32_t> mResourcesToLoad{0};
  std::atomic<int32_t> mResourcesLoaded{0};

  // --------------------------------------------------------------------- demo
  bool mDemoRecording = false;
  bool mDemoPlaying = false;
  bool mUserClosed = false;
  Buffer mDemoBuffer;
  std::string mDemoNameStem = "plixapp";
  std::string mDemoFilePath = "plixapp.dmo";
  // Playback: the update count at which the recording ends, and its markers.
  uint32_t mDemoLength = 0;
  std::vector<DemoMarker> mDemoMarkers;
  // The last recorded or replayed mouse position (the cursor thread reads it).
  std::atomic<int32_t> mDemoMouseX{0};
  std::atomic<int32_t> mDemoMouseY{0};
  // Recording: the update of the last record; playback: the update at which
  // the pending record is due.
  int32_t mDemoRecordTime = 0;
  // Playback: the pending record was acted on; the next header is unread.
  bool mDemoNeedHeader = true;
  bool mDemoEndUnchecked = false;  // a played file's end is still to be checked
  bool mDemoShortForm = false;
  int mDemoRecordType = 0;
  // Playback: the recording's loading-done record was reached.
  bool mDemoLoadingSeen = false;
  // A fast-forward muted the sound; when it last showed a frame.
  bool mDemoSkipMuted = false;
  uint32_t mDemoSkipFrameTime = 0;
  // A demo tool dialog is open: its input is its own.
  bool mDemoToolOpen = false;
  // Screen-saver mode: the cursor position moves are counted from, the
  // moves since, and whether closing has begun.
  bool mSaverFilterStarted = false;
  POINT mSaverReference;
  int32_t mSaverMoves = 0;
  bool mSaverClosing = false;

  // -------------------------------------------------------- input and focus
  std::list<DeferredMessage> mDeferredMessages;
  std::vector<std::pair<int32_t, Widget*>> mPendingWidgetDeletes;
  bool mAppActive = true;
  bool mMinimisedNow = false;  // the window procedure's immediate view
  bool mIsMinimised = false;   // the game logic's (deferred) view
  bool mWindowDisabled = false;
  bool mHasFocus = true;
  // After a mode switch: the new window's focus is asked for until it has it.
  bool mFocusCheckAfterSwitch = false;
  bool mMouseInside = false;
  bool mCtrlHeld = false;
  bool mAltHeld = false;
  bool mDebugKeysEnabled = false;
  uint32_t mLastTimerTime = 0;
  uint32_t mTimerResumeTime = 0;

  // ------------------------------------------------------ sound and cursors
  int32_t mMuteDepth = 0;
  int32_t mFocusMuteCount = 0;
  bool mMuteWhenInactive = true;
  int32_t mCursorNumber = 0;
  Image* mCustomCursorImages[13] = {};
  bool mCustomCursorsOn = false;
  bool mUrlOpenPending = false;
  bool mQuitAfterUrl = false;
  std::string mUrlBeingOpened;
  uint32_t mUrlOpenStart = 0;

  PlixAppBase();
  ~PlixAppBase() override;
  PlixAppBase(const PlixAppBase&) = delete;
  PlixAppBase& operator=(const PlixAppBase&) = delete;

  // ButtonListener (empty), then the application's own operations in the
  // order of their slots.
  virtual bool Process(bool allowSleep);
  virtual void UpdateTick();
  virtual bool RunUpdateTicks();
  virtual void UpdateSmooth(float amount);
  virtual void CreateMainWindow();
  virtual void ApplyCursor();
  virtual void ImagesRebuild();
  virtual void ImagesToMemory();
  virtual void ImagesRefreshLocked();
  virtual void OnLoadingDone() {}
  virtual MusicInterface* CreateMusicInterface(HWND window);
  virtual void FinishInit() {}
  virtual void OnShutdown() {}
  virtual void AfterMainLoop() {}
  virtual void LoadOnThread() {}
  virtual void SaveSettings();
  virtual void LoadSettings();
  virtual Dialog* CreateDialog(int id, bool isModal, const std::wstring& header, const std::wstring& lines,
                               const std::wstring& footer, int buttonMode);
  virtual void AfterCursorsCreated() {}
  virtual void EnterMessageBox();
  virtual void LeaveMessageBox();
  virtual int ShowMessageBoxW(const std::wstring& text, const std::wstring& caption, UINT flags);
  virtual int ShowMessageBox(const std::string& text, const std::string& caption, UINT flags);
  virtual void ShowFatalErrorW(const std::wstring& text);
  virtual void ShowFatalError(const std::string& text);
  virtual void LogScreenSaverError(const std::string& text);
  virtual void QueueWidgetDelete(Widget* widget);
  virtual void OnUrlOpenFailed(const std::string& url);
  virtual void OnUrlOpened(const std::string& url);
  virtual bool OpenURL(const std::string& url, bool shutDownWhenOpened = false);
  virtual std::string GetProductVersion(const std::string& path);
  virtual void HideForCrash();
  virtual void WriteProgramInfo(std::string& out);
  virtual void GetCrashReportFields(std::map<std::string, std::string>& fields) {}
  virtual void Shutdown();
  virtual void ParseCommandLine();
  virtual void SplitCommandLineParam(const std::string& params);
  virtual void ApplyCommandLineSwitch(const std::string& name, const std::string& value);
  virtual void RestoreAndActivateWindow(WPARAM wParam, LPARAM lParam);
  virtual void NotifyOtherInstance();
  virtual void Start();
  virtual void Init();
  virtual void PreDisplayInit() {}
  virtual void PostDisplayInit() {}
  virtual bool HandleChangeDir(const std::string& folder) { return false; }
  virtual void PlaySoundPanned(int soundId, int pan);
  virtual void PlaySound(int soundId);
  virtual double GetMasterVolume();
  virtual double GetMusicVolume();
  virtual double GetSfxVolume();
  virtual bool IsMuted();
  virtual void SetMasterVolume(double volume);
  virtual void SetMusicVolume(double volume);
  virtual void SetSfxVolume(double volume);
  virtual void Mute(bool automatic = false);
  virtual void Unmute(bool automatic = false);
  virtual double GetLoadingProgress();
  virtual DDImage* LoadImage(const std::string& fileName, bool commitBits = true);
  virtual SharedImageRef GetCachedImage(const std::string& fileName, const std::string& variant = "",
                                        bool* isNew = nullptr);
  virtual void ChangeScreenMode(bool windowed, bool is3D, bool force = false);
  virtual void ChangeScreenModeTo(bool windowed);
  virtual void ReapplyScreenMode();
  virtual void SetDrawToVideoMemory(bool on);
  virtual Dialog* OpenDialog(int id, bool isModal, const std::wstring& header, const std::wstring& lines,
                             const std::wstring& footer, int buttonMode);
  virtual Dialog* GetDialog(int id);
  virtual void AddDialogByOwnId(Dialog* dialog);
  virtual void AddDialog(int id, Dialog* dialog);
  virtual bool CloseDialogObject(Dialog* dialog);
  virtual bool CloseDialogById(int id);
  virtual bool CloseDialog(int id, bool removeWidget, bool deleteDialog);
  virtual int CountDialogs();
  virtual void SpareHook2() {}
  virtual void SpareHook3() {}
  virtual void GotFocus() {}
  virtual void LostFocus() {}
  virtual bool IsReservedAltKey(WPARAM character);
  virtual bool HandleDebugKey(int key);
  virtual bool PreviewKeyDown(int key, bool ctrl, bool alt) { return false; }
  virtual void OnCloseMessage() {}
  void Test3DDone() override {}
  virtual std::string GetCrashAttachmentPath() { return std::string(); }
  virtual void SpareHook5() {}
  virtual bool DrawFrame();
  virtual void PresentScreen(bool force);
  virtual void PreInit() {}
  virtual void RunMainLoop();
  virtual bool MainLoopStep(bool* updated);
  virtual bool RunUntilFrameUpdated();
  virtual bool QueryOpen() { return !mWindowDisabled; }
  virtual void BeginModal() {}
  virtual void EndModal() {}

  // DialogListener: buttons 1000 and 1001 become button ids 2000 and 3000
  // above the dialog's id.
  void DialogButtonPressed(int dialogId, int buttonId) override;
  void DialogButtonReleased(int dialogId, int buttonId) override;

  // DisplayHost.
  DisplaySettings GetDisplaySettings() override;
  bool IsMessageBoxOpen() override { return mMessageBoxOpen; }
  void SetScreenRect(const Rect& rect) override { mScreenRect = rect; }
  void SetRefreshPacingFailed() override { mRefreshPacingFailed = true; }
  bool IsMinimised() override { return mMinimisedNow; }

  // Ends the process with the code after undoing a desktop mode change.
  [[noreturn]] void Exit(int code);

  // Main loop helpers.
  void FlushDeferredDeletes();
  void AccumulateElapsed();
  void ResetFrameTiming();
  void CheckScreenSaverIdle();
  void WaitForLoadingThread();
  void StartLoadingThread();
  void StartCursorThread();
  void WakeCursorThread();
  // Waits up to ms for input (less when input arrives); the time waited.
  uint32_t WaitForInput(uint32_t ms);

  // Window and screen modes.
  int InitDisplay();
  void SetHardwareDrawing(bool on, bool reinit);
  void RestoreDisplayMode();

  // Window procedure and the deferred queue.
  static LRESULT WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT HandleWindowMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  bool ProcessDeferredMessages();
  void UpdateFocusState();
  void ResumeFocusAfterSwitch();
  // The window was minimised or restored (or a demo says so): mute or
  // unmute when inactive windows are muted, repaint on restore, then
  // re-evaluate the focus.
  void SetMinimised(bool minimised);
  void ClearKeyState();
  void ShowVideoStats();

  // Demo recording and playback.
  bool ReadDemoFile(std::string& error);
  void WriteDemoFile() override;
  void WriteDemoTimePrefix() override;
  bool ReadDemoRecordHeader() override;
  void ReplayDemoStep();
  void SyncBufferWithDemo(Buffer& buffer);
  void SyncStringWithDemo(std::string& value) override;
  void SyncBoolWithDemo(bool& value) override;
  // The playback control keys (characters typed while a demo plays).
  void HandleDemoPlaybackKey(WPARAM character);
  void ToggleDemoSound();
  int ShowMarkerListDialog();
  int ShowJumpToTimeDialog();
  // Screen-saver mode sees every window message first; true claims it.
  bool ScreenSaverFilter(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

  // DemoHost.
  bool IsRecordingDemo() override { return mDemoRecording && !mDemoPlaying; }
  bool IsPlayingDemo() override { return mDemoPlaying; }
  Buffer& GetDemoBuffer() override { return mDemoBuffer; }
  bool IsDemoRecordShortForm() override { return mDemoShortForm; }
  int GetDemoRecordType() override { return mDemoRecordType; }
  void ConsumeDemoRecord() override { mDemoNeedHeader = true; }
  std::string GetDemoFilePath() override { return mDemoFilePath; }
  void StopDemo() override { mDemoRecording = mDemoPlaying = false; }

  // Registry and recorded file access.
  bool WriteRegistryValue(const std::string& valueName, DWORD type, const uint8_t* data, DWORD length);
  bool WriteRegistryString(const std::string& valueName, const std::string& value);
  // Straight to the registry, never through a demo (a finding of this
  // machine, such as the Direct3D path's run-time error).
  bool WriteRegistryStringUnrecorded(const std::string& valueName, const std::string& value) override;
  bool WriteRegistryInteger(const std::string& valueName, int32_t value);
  bool WriteRegistryBoolean(const std::string& valueName, bool value);
  bool ReadRegistryValue(const std::string& valueName, DWORD* type, uint8_t* data, DWORD* length);
  bool ReadRegistryString(const std::string& valueName, std::string& value);
  bool ReadRegistryInteger(const std::string& valueName, int32_t& value);
  // A stored integer within lowest..highest: false when there is none; one
  // of another type or out of range is told to the player (once a key,
  // naming the settings file) and answers false too.
  bool ReadSettingInRange(const std::string& valueName, int32_t lowest, int32_t highest, int32_t& value);
  // Farther than any screen reaches: a stored window position beyond it is
  // damage, not a place.
  static constexpr int32_t kMaxWindowPosition = 32767;
  bool ReadRegistryBoolean(const std::string& valueName, bool& value);
  void DeleteRegistryValue(const std::wstring& valueName);
  bool WriteBytesToFile(const std::string& fileName, const void* data, size_t length, std::string* error = nullptr);
  bool WriteBufferToFile(const std::string& fileName, const Buffer& buffer, std::string* error = nullptr);
  bool ReadBufferFromFile(const std::string& fileName, Buffer& buffer);
  bool FileExists(const std::string& fileName);

  // String properties and the resource manifest.
  void SetStringProperty(const std::string& id, const std::wstring& text);
  std::wstring GetStringProperty(const std::string& id, const std::wstring& defaultText);
  void LoadResourceManifest();
  void ReportResourceError(bool exit);

  // Cursors, clipboard, version and hardware queries.
  void SetCursor(int cursorNumber);
  void SetCustomCursor(int cursorNumber, Image* image);
  void EnableCustomCursors(bool enabled);
  void CopyToClipboard(const std::string& text);
  std::string GetClipboardText();
  bool IsHardwareDrawing();
  bool IsHardwareSupported();
  bool IsHardwareRecommended();

  // Images (forwarded to the application's image side).
  DDImage* CopyImageRect(Image* image, const Rect& rect);
  DDImage* CopyImage(Image* image);
  void SweepSharedImages();
  void TakeScreenshot();
  void DumpImages();
  AppImages& GetImages();

  // Debug overlays.
  void DrawDebugOverlays();
  void DrawMousePositionOverlay(int x, int y);
  void DrawDemoTimeOverlay();

  int GetAppWidth() const { return mScreenWidth; }
  int GetAppHeight() const { return mScreenHeight; }

protected:
  // Numbered demo files in the application-data folder: the highest number
  // under the prefix; with deleteOldest, the lowest is deleted once limit - 1
  // or more exist.
  static int FindLastDemoNumber(const std::string& prefix, int limit, bool deleteOldest);
  // The application-data folder in front of a path that is not absolute.
  static std::string MakeDemoPathAbsolute(const std::string& path);

private:
  class Hosts;
  void ShowScreenModeFailure(int result);
  void ApplySuccessfulDisplay();
  void GiveScreenImageToWidgets();
  bool RegistryKeyPath(const std::string& valueName, std::string& path, std::string& name);
  bool StoreRegistryValue(const std::string& valueName, DWORD type, const uint8_t* data, DWORD length);
  bool QueryRegistryValue(const std::string& valueName, DWORD* type, uint8_t* data, DWORD* length);

  // Where the demo hooks into the loop, the window procedure, the display
  // and the recorded operations (AppDemo.cpp).
  void StartDemo();
  void EndDemo();
  void ReadDemoDisplayRecord();
  void RecordDemoDisplay();
  void RecordDeferredMessage(const DeferredMessage& m);
  void RecordDemoKeyDown(int key);
  void RecordDemoMouse(const DeferredMessage& m);
  void RecordDemoMouseInside(bool inside);
  void RecordDemoLoadingDone();
  bool DemoAllowsTick();
  bool RunDemoFastForward(double ticksPerFrame);
  bool DemoOnThisThread() const;
  void WriteDemoRecordType(int type);
  bool TakeDemoRecord(int type);
  void ReportDemoMismatch(const char* expected);
  // Playback answers a one-bit outcome from the demo (true: `answer` holds
  // it); recording stores it.
  bool ReplayDemoFlag(int type, bool closedAnswer, bool& answer);
  void RecordDemoFlag(int type, bool value);
  bool ReplayRegistryRead(DWORD* type, uint8_t* data, DWORD* length, bool& answer);
  void RecordRegistryRead(bool ok, DWORD type, const uint8_t* data, DWORD length);
  int RunDemoTool(DemoTool& tool);
  static int MouseClickCode(UINT message, bool& pressed);
  bool ScreenSaverCloseCheck(HWND hwnd, UINT message);
  void HandleDeferredMouse(const DeferredMessage& m);
  void HandleDeferredTimer(const DeferredMessage& m);
  void DrawOverlayText(DDImage* image, const std::wstring& text);
  void CursorThreadBody();

  std::unique_ptr<Hosts> mHosts;
};

}  // namespace Plix
