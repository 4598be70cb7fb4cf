// The main loop: message pumping, fixed-rate update ticks with their
// catch-up rules, the smooth update, drawing and presenting, deferred widget
// deletion, the screen-saver suspension, and the loading and cursor threads.
#include <algorithm>
#include <chrono>
#include <cmath>
#include <thread>

#include "framework/app/PlixAppBase.h"
#include "framework/app/Random.h"
#include "framework/graphics/D3DInterface.h"
#include "framework/graphics/DDImage.h"
#include "framework/graphics/DDInterface.h"
#include "framework/graphics/Graphics.h"
#include "framework/platform/Clock.h"
#include "framework/platform/DebugOutput.h"
#include "framework/platform/Memory.h"
#include "framework/platform/SdlWindow.h"
#include "framework/platform/Threads.h"
#include "framework/platform/WindowSystem.h"
#include "framework/sound/MusicInterface.h"
#include "framework/util/Utilities.h"
#include "framework/widget/Widget.h"
#include "framework/widget/WidgetManager.h"

namespace Plix {

void PlixAppBase::Start() {
  if (mShuttingDown) return;
  StartCursorThread();
  if (mLoaderStartsWithLoop) StartLoadingThread();
  if (mMainWindow) {
    ShowWindow(mMainWindow, SW_SHOW);
    SetFocus(mMainWindow);
  }
  timeBeginPeriod(1);
  const uint32_t t0 = timeGetTime();
  mMainLoopRunning = true;
  mLastInputTime = t0;

  RunMainLoop();

  mStepNesting = 0;
  FlushDeferredDeletes();
  mMainLoopRunning = false;
  WaitForLoadingThread();

  OutputDebugStringA(StrFormat("Seconds       = %g\r\n", (timeGetTime() - t0) / 1000.0));
  OutputDebugStringA(StrFormat("Sleep Count   = %d\r\n", mSleepsDone));
  OutputDebugStringA(StrFormat("Update Count  = %d\r\n", mTicksDone));
  OutputDebugStringA(StrFormat("Draw Count    = %d\r\n", mDrawsDone.load()));
  OutputDebugStringA(StrFormat("Draw Time     = %d\r\n", mDrawTime));
  OutputDebugStringA(StrFormat("Screen Blt    = %d\r\n", mScreenBltTime));
  if (mDrawTime + mScreenBltTime > 0)
    OutputDebugStringA(StrFormat("Avg FPS       = %d\r\n", mDrawsDone.load() * 1000 / (mDrawTime + mScreenBltTime)));

  timeEndPeriod(1);
  AfterMainLoop();
  SaveSettings();
}

void PlixAppBase::RunMainLoop() {
  while (!mShuttingDown) {
    if (mLeaveLoopStep) mLeaveLoopStep = false;
    RunUntilFrameUpdated();
  }
}

bool PlixAppBase::RunUntilFrameUpdated() {
  for (;;) {
    bool updated = false;
    if (!MainLoopStep(&updated)) return false;
    if (updated) return true;
  }
}

bool PlixAppBase::MainLoopStep(bool* updated) {
  if (updated) *updated = false;
  if (mLeaveLoopStep) return false;
  if (mStepPhase == 3) mStepPhase = 0;
  ++mStepNesting;
  if (mStepPhase == 0) {
    MSG msg;
    while (!mShuttingDown && PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      // Anything but the tick timer is news (input above all): the loop
      // answers at its full rate for a while.
      if (msg.message != WM_TIMER) mLastBusyTick = mTicksDone;
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    ResumeFocusAfterSwitch();
    ReplayDemoStep();
    if (!ProcessDeferredMessages()) mStepPhase = 1;
  } else {
    const int32_t before = mTicksDone;
    Process(true);
    if (updated && mTicksDone != before) *updated = true;
  }
  --mStepNesting;
  return true;
}

void PlixAppBase::AccumulateElapsed() {
  const uint32_t now = timeGetTime();
  if (mLastPacingTime == 0) {
    mLastPacingTime = now;
    return;
  }
  const int32_t delta = static_cast<int32_t>(now - mLastPacingTime);
  mTickBacklog = std::min(mTickBacklog + delta, 200.0);
  mLastPacingTime = now;
  if (mCatchUpPauseMs > 0) mCatchUpPauseMs = std::max(mCatchUpPauseMs - delta, 0);
}

void PlixAppBase::ResetFrameTiming() {
  mTickBacklog = 0.0;
  mLastPacingTime = timeGetTime();
}

bool PlixAppBase::Process(bool allowSleep) {
  if (mShutdownAsked) Shutdown();

  const bool locked = !mDemoPlaying && mPaceByRefresh && !mLastDrawEmpty && !mRefreshPacingFailed &&
                      (!mWindowedActual || (mWaitForVSync && !mRefreshWaitBySleep));
  double frameMs;
  double ticksPerFrame;
  if (mPaceByRefresh) {
    frameMs = (1000.0 / mRefreshRateHz) / mSpeedFactor;
    ticksPerFrame = static_cast<float>(1000.0 / (mTickMs * mRefreshRateHz));
  } else {
    frameMs = mTickMs / mSpeedFactor;
    ticksPerFrame = 1.0;
  }

  if (mDemoPlaying && RunDemoFastForward(ticksPerFrame)) return true;

  if (mUpdatesPaused || mSpeedFactor <= 0.0) {
    // Nothing ticks, but the loop goes back to the message pump (so that the
    // pause can be ended), waits up to one tick for input, and still shows
    // a frame when something changed.
    FlushDeferredDeletes();
    mStepPhase = 3;
    if (!allowSleep) return false;
    ++mSleepsDone;
    WaitForInput(static_cast<uint32_t>(mTickMs));
    ResetFrameTiming();
    mDrawWanted = true;
    DrawFrame();
    FlushDeferredDeletes();
    return true;
  }

  const uint32_t start = timeGetTime();
  uint32_t slept = 0;
  if (!locked) AccumulateElapsed();

  bool drawPhase = mStepPhase == 0 || mStepPhase == 3;
  if (mStepPhase == 1) {
    ++mTicksSinceDraw;
    if (mTicksSinceDraw >= static_cast<int32_t>(std::ceil(mSpeedFactor * 10.0)) && mLoadingHookDone) {
      drawPhase = true;
    } else {
      const bool due = locked ? (!mDrawWanted || mTickBacklog >= static_cast<int32_t>(frameMs * 0.75))
                              : mTickBacklog >= frameMs;
      if (!due) {
        drawPhase = true;
      } else {
        if (!mDemoPlaying && mSpeedFactor == 1.0) {
          if (++mRefreshTestTicks >= (mTickMs + 999) / mTickMs) {
            const uint32_t now = timeGetTime();
            if (now - mLastRefreshTest <= 800) {
              if (++mFastRefreshSeconds >= 3) mRefreshPacingFailed = true;
            } else {
              mFastRefreshSeconds = 0;
            }
            mLastRefreshTest = now;
            mRefreshTestTicks = 0;
          }
        }
        if (RunUpdateTicks()) {
          mStepPhase = 2;
        } else if (gScreenSaverIdle) {
          // Suspended for the screen saver: wait instead of spinning, and
          // go on to the draw pass, whose idle check is the only way out
          // (before the load is handed over nothing else leads there).
          if (allowSleep) {
            ++mSleepsDone;
            Sleep(static_cast<uint32_t>(mTickMs));
            slept += static_cast<uint32_t>(mTickMs);
          }
          drawPhase = true;
        }
        mDrawWanted = true;
      }
    }
  } else if (mStepPhase == 2) {
    mStepPhase = 3;
    mSmoothTimeAcc += ticksPerFrame - 1.0;
    FlushDeferredDeletes();
    while (mSmoothTimeAcc >= 1.0) {
      ReplayDemoStep();
      ++mTicksSinceDraw;
      if (!RunUpdateTicks()) break;
      FlushDeferredDeletes();
      mSmoothTimeAcc -= 1.0;
    }
    UpdateSmooth(static_cast<float>(ticksPerFrame));
    FlushDeferredDeletes();
    if (locked)
      mTickBacklog = std::max(0.0, mTickBacklog - frameMs - static_cast<double>(0.2f));
    else
      mTickBacklog -= frameMs;
    if (mCatchUpPauseMs > 0) mTickBacklog = 0.0;
  }

  if (drawPhase) {
    mStepPhase = 3;
    mTicksSinceDraw = 0;
    if (mDrawWanted) {
      DrawFrame();
    } else {
      // Rounded up: with a frame of a fractional length, the fraction left
      // would otherwise be waited for by spinning. On a still screen the
      // wait runs to a later tick: each wake-up costs the system more than
      // the ticks themselves, and the ticks missed are caught up at once.
      const bool still = mTicksDone - mLastBusyTick >= kStillAfterTicks && !mDemoPlaying && !mLoaderPriority &&
                         mCatchUpPauseMs == 0 && !locked;
      const double waitFrames = still ? kStillTicksPerWake : 1;
      const int32_t wait = static_cast<int32_t>(std::ceil(frameMs * waitFrames - mTickBacklog));
      if (wait > 0) {
        if (!allowSleep) return false;
        ++mSleepsDone;
        slept = WaitForInput(static_cast<uint32_t>(wait));
      }
    }
  }

  // While loading, the main thread sleeps about twice as long as it worked.
  if (mLoaderPriority) {
    int32_t extra = 2 * static_cast<int32_t>(timeGetTime() - start - slept) - static_cast<int32_t>(slept);
    extra = std::min(extra, 250);
    if (extra >= 0) {
      if (!allowSleep) return false;
      Sleep(static_cast<uint32_t>(extra));
    }
  }
  FlushDeferredDeletes();
  return true;
}

uint32_t PlixAppBase::WaitForInput(uint32_t ms) {
  // Input ends the wait early: it is handled at once, and a still screen
  // wakes only for its ticks.
  const uint32_t start = timeGetTime();
  MsgWaitForMultipleObjects(0, nullptr, false, ms, QS_ALLINPUT);
  return timeGetTime() - start;
}

bool PlixAppBase::RunUpdateTicks() {
  if (gScreenSaverIdle) return false;
  if (mDemoPlaying) {
    if (!DemoAllowsTick()) return false;
  } else if (mLoaderFinished && !mLoadingHookDone) {
    mLoadingHookDone = true;
    mLoaderPriority = false;
    RecordDemoLoadingDone();
    OnLoadingDone();
  }
  UpdateTick();
  return true;
}

void PlixAppBase::UpdateTick() {
  ++mTicksDone;
  if (!mIsMinimised && mAppWidgets->UpdateTick()) ++mDirtyTicks;
  if (mMusicOutput) mMusicOutput->Update();
  SweepSharedImages();
}

void PlixAppBase::UpdateSmooth(float amount) {
  if (mPaceByRefresh && !mIsMinimised) mAppWidgets->UpdateSmooth(amount);
}

bool PlixAppBase::DrawFrame() {
  RandomHold hold;
  if (gDisplayLost) {
    PresentScreen(false);
    mDrawWanted = false;
    mLastDrawEmpty = true;
    return false;
  }
  const uint32_t passStart = timeGetTime();
  if (mFpsOverlayOn) {
    if (mFpsOverlayKind == 0)
      DrawDebugOverlays();
    else
      DrawMousePositionOverlay(mAppWidgets->mLastMouseX, mAppWidgets->mLastMouseY);
    if (mDemoPlaying) DrawDemoTimeOverlay();
  }
  uint32_t now = timeGetTime();
  if (now - mLastIdleCheck > 1000) {
    mLastIdleCheck = now;
    CheckScreenSaverIdle();
  }
  if (gScreenSaverIdle) {
    mDrawWanted = false;
    mLastDrawEmpty = true;
    return false;
  }

  mDrawInProgress = true;
  const bool drew = mAppWidgets->DrawDirtyWidgets();
  mDrawInProgress = false;

  // Nothing drawn, nothing shown: a still screen costs no presents (a
  // window the system uncovers asks for one with WM_PAINT).
  now = timeGetTime();
  if (!((drew || mRedrawAll) && static_cast<int32_t>(now - mNextDrawTime) >= 0)) {
    mDrawWanted = false;
    mLastDrawEmpty = true;
    return false;
  }
  ++mDrawsDone;
  mLastBusyTick = mTicksDone;
  mLastDrawEmpty = false;
  mDrawTime += static_cast<int32_t>(timeGetTime() - passStart);

  if (mFpsOverlayOn && mAppDisplay && mAppDisplay->GetScreenImage()) {
    Graphics g(mAppDisplay->GetScreenImage());
    if (mFpsImage) {
      g.DrawImage(mFpsImage.get(), mScreenWidth - mFpsImage->GetWidth() - 10,
                  mScreenHeight - mFpsImage->GetHeight() - 10);
    }
    if (mDemoPlaying && mDemoTimeImage && mFpsImage) {
      g.DrawImage(mDemoTimeImage.get(), mScreenWidth - mDemoTimeImage->GetWidth() - 10,
                  mScreenHeight - mFpsImage->GetHeight() - mDemoTimeImage->GetHeight() - 15);
    }
  }

  if (mWaitForVSync && mWindowedActual && mRefreshWaitBySleep && mAppDisplay) {
    const uint32_t period = static_cast<uint32_t>(std::max(mAppDisplay->mMillisecondsPerFrame, 0));
    const uint32_t since = timeGetTime() - mLastDrawTime;
    if (since < period) Sleep(period - since);
  }

  const uint32_t t = timeGetTime();
  mLastDrawTime = t;
  PresentScreen(false);
  AccumulateElapsed();
  mScreenBltTime = static_cast<int32_t>(timeGetTime() - t);

  now = timeGetTime();
  if (mLoaderStarted && !mLoaderFinished) {
    int32_t d = static_cast<int32_t>(now - passStart);
    if (d < 16) d = 15;
    mNextDrawTime += static_cast<uint32_t>(d + 35);
    if (static_cast<int32_t>(mNextDrawTime - now) < 0) mNextDrawTime = now;
  } else {
    mNextDrawTime = now;
  }
  mDrawWanted = false;
  mRedrawAll = false;
  return true;
}

void PlixAppBase::PresentScreen(bool) {
  if (mDrawInProgress || mShuttingDown || gScreenSaverIdle || !mAppDisplay) return;
  if (mAppDisplay->Redraw()) {
    if (gDisplayLost) {
      gDisplayLost = false;
      mLastRepairTime = 0;
    }
    return;
  }
  gHardwareProblem = false;
  gDisplayLost = true;
  WINDOWPLACEMENT placement;
  GetWindowPlacement(mMainWindow, &placement);
  const bool mayRepair = mAppActive || (GetTickCount() - mLastRepairTime > 1000 && mWindowedActual);
  if (!mayRepair || placement.showCmd == static_cast<UINT>(SW_SHOWMINIMIZED) || mIsMinimised) return;

  mLastRepairTime = GetTickCount();
  mAppWidgets->mImage = nullptr;
  if ((mScreenWidth >= GetSystemMetrics(SM_CXFULLSCREEN) || mScreenHeight >= GetSystemMetrics(SM_CYFULLSCREEN)) &&
      mWindowedMode) {
    if (mWindowedForced) {
      ShowFatalErrorW(GetStringProperty("PLEASE_SET_COLOR_DEPTH", L"Please set your desktop color depth to 16 bit."));
      Shutdown();
    } else {
      mFullScreenForced = true;
      ChangeScreenModeTo(false);
    }
    return;
  }
  const int result = InitDisplay();
  if (mWindowedMode && result == DDInterface::RESULT_INVALID_COLORDEPTH) {
    if (mAppActive) {
      ChangeScreenModeTo(false);
      mFullScreenForced = true;
    }
    return;
  }
  if (result == DDInterface::RESULT_3D_FAIL) {
    SetHardwareDrawing(false, true);
    return;
  }
  if (result != DDInterface::RESULT_OK) return;
  ImagesRebuild();
  GiveScreenImageToWidgets();
}

void PlixAppBase::QueueWidgetDelete(Widget* widget) { mPendingWidgetDeletes.emplace_back(mStepNesting, widget); }

void PlixAppBase::FlushDeferredDeletes() {
  RandomHold hold;
  // A deletion may queue more; the list is walked by index.
  for (size_t i = 0; i < mPendingWidgetDeletes.size();) {
    if (mPendingWidgetDeletes[i].first < mStepNesting) {
      ++i;
      continue;
    }
    Widget* widget = mPendingWidgetDeletes[i].second;
    mPendingWidgetDeletes.erase(mPendingWidgetDeletes.begin() + static_cast<std::ptrdiff_t>(i));
    delete widget;
  }
}

void PlixAppBase::CheckScreenSaverIdle() {
  if (mScreenSaverMode || !mWindowedActual) return;
  const uint32_t now = timeGetTime();
  if (mSaverSettingsTime == 0 || now - mSaverSettingsTime > 10000) {
    mSaverSettingsTime = now;
    int seconds = 0;
    BOOL on = FALSE;
    SystemParametersInfoA(SPI_GETSCREENSAVETIMEOUT, 0, &seconds, 0);
    SystemParametersInfoA(SPI_GETSCREENSAVEACTIVE, 0, &on, 0);
    mSaverActive = on != FALSE;
    mSaverIdleLimit = static_cast<uint32_t>(std::max(seconds - 2, 1)) * 1000;
    if (!mSaverActive) gScreenSaverIdle = false;
  }
  DWORD input = 0;
  if (GetLastInputInfo(&input)) mLastInputTime = static_cast<int32_t>(input - now) > 0 ? now : input;
  if (!mSaverActive) return;
  const uint32_t idle = now - mLastInputTime;
  if (!gScreenSaverIdle) {
    if (idle > mSaverIdleLimit) gScreenSaverIdle = true;
  } else {
    BOOL running = FALSE;
    const bool known = SystemParametersInfoA(SPI_GETSCREENSAVERRUNNING, 0, &running, 0);
    if ((!known || !running) && idle < mSaverIdleLimit) {
      gScreenSaverIdle = false;
      mAppWidgets->MarkAllDirty();
    }
  }
}

// ------------------------------------------------------------------ threads

void PlixAppBase::StartLoadingThread() {
  if (mLoaderStarted) return;
  mLoaderPriority = true;
  mLoaderStarted = true;
  StartDetachedThread([this] {
    LoadOnThread();
    OutputDebugStringA(StrFormat("Resource Loading Time: %d\r\n", static_cast<int>(GetTickCount() - mStartTime)));
    mLoaderFinished = true;
    // What loading freed (decoders' buffers, images converted to smaller
    // forms) goes back to the system rather than staying resident; after
    // the flag, so that the few milliseconds it takes do not hold up the
    // main menu. It touches nothing of the application.
    ReturnFreeMemory();
  });
}

void PlixAppBase::WaitForLoadingThread() {
  // Waiting for another thread is real time, whatever clock the loop uses.
  while (mLoaderStarted && !mLoaderFinished) std::this_thread::sleep_for(std::chrono::milliseconds(20));
}

void PlixAppBase::StartCursorThread() {
  if (mCursorThreadAlive) return;
  mCursorThreadAlive = true;
  if (!StartDetachedThread([this] { CursorThreadBody(); })) mCursorThreadAlive = false;
}

void PlixAppBase::WakeCursorThread() {
  {
    std::lock_guard<std::mutex> lock(mCursorWakeLock);
    ++mCursorWakes;
  }
  mCursorWake.notify_one();
}

void PlixAppBase::CursorThreadBody() {
  POINT last{0, 0};
  uint64_t seen = 0;
  while (!mShuttingDown) {
    {
      std::lock_guard<std::mutex> lock(mCursorWakeLock);
      seen = mCursorWakes;
    }
    POINT p{0, 0};
    if (mDemoPlaying) {
      p = POINT{mDemoMouseX.load(), mDemoMouseY.load()};
    } else {
      GetCursorPos(&p);
      ScreenToClient(mMainWindow, &p);
      ClientToFrame(mMainWindow, &p);
    }
    DDInterface* display = mAppDisplay;
    if (display) {
      if (mDrawsDone > 0) last = POINT{display->mCursorX.load(), display->mCursorY.load()};
      if (p.x != last.x || p.y != last.y) {
        const uint32_t sinceDraw = timeGetTime() - mNextDrawTime;
        if (sinceDraw > static_cast<uint32_t>(display->mMillisecondsPerFrame + 5)) {
          display->SetCursorPos(p.x, p.y);
          last = p;
        } else {
          display->mCursorX = p.x;
          display->mCursorY = p.y;
        }
      }
    }
    // The position changes only with a mouse move (or a replayed one), and
    // each of those wakes the thread: no polling while the mouse rests.
    std::unique_lock<std::mutex> lock(mCursorWakeLock);
    mCursorWake.wait(lock, [&] { return mCursorWakes != seen || mShuttingDown; });
  }
  mCursorThreadAlive = false;
}

}  // namespace Plix
