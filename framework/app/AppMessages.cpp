// The window procedure and the deferred message queue: the procedure acts on
// painting, cursor and system messages at once and queues input and state
// changes; each main-loop step hands one queued record to the widgets.
// Also focus tracking, held keys, the debug keys and the video statistics.
#include <cctype>

#include "framework/app/PerfTimer.h"
#include "framework/app/PlixAppBase.h"
#include "framework/graphics/DDInterface.h"
#include "framework/graphics/MemoryImage.h"
#include "framework/graphics/TextureData.h"
#include "framework/platform/Clock.h"
#include "framework/platform/DebugOutput.h"
#include "framework/platform/SdlWindow.h"
#include "framework/platform/WindowSystem.h"
#include "framework/sound/SoundManager.h"
#include "framework/util/Utilities.h"
#include "framework/widget/WidgetManager.h"

namespace Plix {

std::atomic<uint32_t> gMonitorPowerTime{0};

LRESULT PlixAppBase::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (gApp && gApp->mScreenSaverMode) {
    LRESULT result = 0;
    if (gApp->ScreenSaverFilter(hwnd, message, wParam, lParam, result)) return result;
  }
  auto* app = reinterpret_cast<PlixAppBase*>(GetWindowLongPtr(hwnd, GWL_USERDATA));
  if (!app) return DefWindowProcW(hwnd, message, wParam, lParam);
  return app->HandleWindowMessage(hwnd, message, wParam, lParam);
}

LRESULT PlixAppBase::HandleWindowMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  auto defaultRoad = [&]() -> LRESULT {
    if (mNotifyMessageId != 0 && message == mNotifyMessageId && hwnd == mMainWindow) {
      RestoreAndActivateWindow(wParam, lParam);
      return 0;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
  };

  // The software cursor follows the mouse from its moves.
  if (message == WM_MOUSEMOVE) WakeCursorThread();

  switch (message) {
    case WM_DESTROY:
      OutputDebugStringA(StrFormat("DESTROYED HWND: %d\r\n", static_cast<int>(reinterpret_cast<intptr_t>(hwnd))));
      return defaultRoad();
    case WM_ENABLE:
      mWindowDisabled = wParam == 0;
      return defaultRoad();
    case WM_PAINT:
      if (mInitDone && !mWindowHidden) {
        if (mMainLoopRunning) PresentScreen(false);
        return 0;
      }
      return defaultRoad();
    case WM_QUERYOPEN:
      return QueryOpen() ? defaultRoad() : 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_ENDSESSION:
      Shutdown();
      return defaultRoad();
    case WM_SETCURSOR:
      if (!mWindowHidden) ApplyCursor();
      return 1;
    case WM_NCLBUTTONDOWN: {
      const LRESULT result = DefWindowProcA(hwnd, message, wParam, lParam);
      ResetFrameTiming();
      return result;
    }
    case WM_SYSCHAR:
      return IsReservedAltKey(wParam) ? 0 : defaultRoad();
    case WM_SYSCOMMAND:
      if ((wParam & 0xFFF0) == SC_MONITORPOWER) {
        gMonitorPowerTime = GetTickCount();
        return mLoaderFinished ? defaultRoad() : 0;
      }
      if ((wParam & 0xFFF0) == SC_SCREENSAVE) return mLoaderFinished && mWindowedActual ? defaultRoad() : 0;
      return defaultRoad();
    case WM_ACTIVATEAPP:
      if (!mDemoPlaying && hwnd == mMainWindow) mAppActive = wParam != 0;
      break;
    case WM_MOVE:
    case WM_SIZE:
    case WM_CLOSE:
    case WM_SYSCOLORCHANGE:
    case WM_DISPLAYCHANGE:
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_CHAR:
    case WM_SYSKEYDOWN:
    case WM_SYSKEYUP:
    case WM_TIMER:
    case WM_MOUSEWHEEL:
      break;
    default:
      if (message >= WM_MOUSEMOVE && message <= WM_MBUTTONUP) break;
      return defaultRoad();
  }

  // The queue road.
  if (mMessageBoxOpen) return defaultRoad();
  if (message == WM_KEYDOWN || message == WM_SYSKEYDOWN || message == WM_KEYUP || message == WM_SYSKEYUP) {
    const bool press = message == WM_KEYDOWN || message == WM_SYSKEYDOWN;
    if (wParam == static_cast<WPARAM>(VK_CONTROL)) mCtrlHeld = press;
    if (wParam == static_cast<WPARAM>(VK_MENU)) mAltHeld = press;
    if (press && PreviewKeyDown(static_cast<int>(wParam), mCtrlHeld, mAltHeld)) return 0;
  }
  if (mDemoPlaying && !mDemoToolOpen) {
    if (message == WM_CHAR) HandleDemoPlaybackKey(wParam);
    if (message == WM_KEYDOWN) HandleDebugKey(static_cast<int>(wParam));
  }

  bool admit = true;
  if (!mDeferredMessages.empty() && mDeferredMessages.back().message == WM_CLOSE) {
    admit = false;
  } else if (message == WM_TIMER && !mDeferredMessages.empty() && mDeferredMessages.back().message == WM_TIMER) {
    admit = false;
  } else if (message == WM_SYSCOLORCHANGE || message == WM_DISPLAYCHANGE) {
    for (const DeferredMessage& m : mDeferredMessages)
      if (m.message == WM_SYSCOLORCHANGE || m.message == WM_DISPLAYCHANGE) admit = false;
  }
  if (admit) mDeferredMessages.push_back(DeferredMessage{hwnd, message, wParam, lParam, 0, {}});

  switch (message) {
    case WM_SIZE:
      mMinimisedNow = wParam == SIZE_MINIMIZED;
      return defaultRoad();
    case WM_SYSKEYDOWN:
      // Alt+F4 still closes the window.
      return wParam == static_cast<WPARAM>(VK_F4) ? defaultRoad() : 0;
    case WM_CLOSE:
      OnCloseMessage();
      return 0;
    default:
      return defaultRoad();
  }
}

bool PlixAppBase::ProcessDeferredMessages() {
  if (mDeferredMessages.empty()) return false;
  const DeferredMessage m = mDeferredMessages.front();
  mDeferredMessages.pop_front();
  RecordDeferredMessage(m);

  if (!mDemoPlaying) {
    switch (m.message) {
      case WM_ACTIVATEAPP:
        if (m.window == mMainWindow && !mWindowHidden && !mShuttingDown) {
          UpdateFocusState();
          if (mAppActive && !mWindowedMode) mAppWidgets->MarkAllDirty();
          if (mUrlOpenPending && !mAppActive) OnUrlOpened(mUrlBeingOpened);
        }
        break;
      case WM_MOVE:
        if (m.window == mMainWindow && mWindowedMode) {
          WINDOWPLACEMENT placement;
          if (GetWindowPlacement(mMainWindow, &placement) &&
              (placement.showCmd == static_cast<UINT>(SW_SHOWNORMAL) || placement.showCmd == static_cast<UINT>(SW_SHOW))) {
            mPreferredX = placement.rcNormalPosition.left;
            mPreferredY = placement.rcNormalPosition.top;
          }
        }
        break;
      case WM_SIZE: {
        if (m.window == mMainWindow) SetMinimised(m.wParam == SIZE_MINIMIZED);
        else UpdateFocusState();
        // Maximising the window switches to full screen.
        if (m.wParam == SIZE_MAXIMIZED) ChangeScreenModeTo(false);
        break;
      }
      case WM_SYSCOLORCHANGE:
      case WM_DISPLAYCHANGE:
        mAppWidgets->NotifySysColorChangedTree();
        mAppWidgets->MarkAllDirty();
        break;
      case WM_KEYDOWN:
      case WM_SYSKEYDOWN: {
        mLastInputTime = mLastTimerTime;
        const int key = static_cast<int>(m.wParam);
        if (key == VK_RETURN && m.message == WM_SYSKEYDOWN && !mFullScreenForced && !mWindowedForced) {
          ChangeScreenModeTo(!mWindowedMode);
          ClearKeyState();
          break;
        }
        if (key == 'D' && mAppWidgets->IsKeyDown(VK_CONTROL) && mAppWidgets->IsKeyDown(VK_MENU))
          mDebugKeysEnabled = !mDebugKeysEnabled;
        if (!(mDebugKeysEnabled && HandleDebugKey(key))) {
          RecordDemoKeyDown(key);
          mAppWidgets->KeyDown(key);
        }
        break;
      }
      case WM_KEYUP:
      case WM_SYSKEYUP:
        mLastInputTime = mLastTimerTime;
        mAppWidgets->KeyUp(static_cast<int>(m.wParam));
        break;
      case WM_CHAR:
        mLastInputTime = mLastTimerTime;
        mAppWidgets->KeyChar(static_cast<wchar_t>(m.wParam));
        break;
      case WM_TIMER:
        HandleDeferredTimer(m);
        break;
      case WM_MOUSEWHEEL:
        mAppWidgets->MouseWheel(static_cast<int8_t>(GetWheelDeltaWParam(m.wParam) / WHEEL_DELTA));
        break;
      default:
        if (m.message >= WM_MOUSEMOVE && m.message <= WM_MBUTTONUP) HandleDeferredMouse(m);
        break;
    }
  }

  if (m.message == WM_CLOSE && (m.window == mMainWindow || m.window == mHiddenWindow)) {
    mUserClosed = true;
    Shutdown();
  }
  return !mDeferredMessages.empty();
}

void PlixAppBase::HandleDeferredMouse(const DeferredMessage& m) {
  if (mWindowHidden) return;
  int x = GetXLParam(m.lParam), y = GetYLParam(m.lParam);
  mAppWidgets->ScaleMousePosition(x, y);
  mLastInputTime = mLastTimerTime;
  mAppWidgets->MouseMove(x, y);
  if (!mMouseInside) {
    mMouseInside = true;
    ApplyCursor();
  }
  // Capture goes when no button but the one released is held.
  auto release = [&](int bit) {
    if ((mAppWidgets->mDownButtons & ~bit) == 0) ReleaseCapture();
  };
  switch (m.message) {
    case WM_LBUTTONDOWN: SetCapture(m.window); mAppWidgets->MouseDown(x, y, 1); break;
    case WM_LBUTTONDBLCLK: SetCapture(m.window); mAppWidgets->MouseDown(x, y, 2); break;
    case WM_RBUTTONDOWN: SetCapture(m.window); mAppWidgets->MouseDown(x, y, -1); break;
    case WM_RBUTTONDBLCLK: SetCapture(m.window); mAppWidgets->MouseDown(x, y, -2); break;
    case WM_MBUTTONDOWN: SetCapture(m.window); mAppWidgets->MouseDown(x, y, 3); break;
    case WM_LBUTTONUP: release(1); mAppWidgets->MouseUp(x, y, 1); break;
    case WM_RBUTTONUP: release(2); mAppWidgets->MouseUp(x, y, -1); break;
    case WM_MBUTTONUP: release(4); mAppWidgets->MouseUp(x, y, 3); break;
    default: break;
  }
}

void PlixAppBase::HandleDeferredTimer(const DeferredMessage&) {
  if (mWindowHidden || !mMainLoopRunning) return;
  const uint32_t now = GetTickCount();
  if (now - mLastTimerTime > 500) mTimerResumeTime = now;
  mLastTimerTime = now;

  if (mUrlOpenPending && now - mTimerResumeTime > 5000) {
    const uint32_t elapsed = now - mUrlOpenStart;
    if (elapsed > 8000 && !mAppActive)
      OnUrlOpened(mUrlBeingOpened);
    else if (elapsed > 12000 && mAppActive)
      OnUrlOpenFailed(mUrlBeingOpened);
  }

  // Inside when the pointer is over this window and over the displayed
  // frame (a full-screen window shows the frame scaled: compare in frame
  // positions).
  POINT screen{0, 0};
  GetCursorPos(&screen);
  POINT frame = screen;
  ScreenToClient(mMainWindow, &frame);
  ClientToFrame(mMainWindow, &frame);
  const int width = mAppDisplay ? mAppDisplay->mWidth : mScreenWidth;
  const int height = mAppDisplay ? mAppDisplay->mHeight : mScreenHeight;
  const bool inside = WindowFromPoint(screen) == mMainWindow && frame.x >= 0 && frame.y >= 0 && frame.x < width &&
                      frame.y < height;
  if (inside == mMouseInside) return;
  RecordDemoMouseInside(inside);
  if (!inside) {
    int x = frame.x, y = frame.y;
    mAppWidgets->ScaleMousePosition(x, y);
    mAppWidgets->MouseExit(x, y);
  }
  mMouseInside = inside;
  ApplyCursor();
}

void PlixAppBase::SetMinimised(bool minimised) {
  if (!mShuttingDown && minimised != mIsMinimised) {
    mIsMinimised = minimised;
    if (minimised) {
      if (mMuteWhenInactive) Mute(true);
    } else {
      if (mMuteWhenInactive) Unmute(true);
      mAppWidgets->MarkAllDirty();
    }
  }
  UpdateFocusState();
}

void PlixAppBase::ResumeFocusAfterSwitch() {
  if (!mFocusCheckAfterSwitch) return;
  if (mAppActive || mDemoPlaying || mShuttingDown || !mMainWindow) {
    mFocusCheckAfterSwitch = false;
    return;
  }
  if (GetActiveWindow() != mMainWindow) return;
  mFocusCheckAfterSwitch = false;
  // Through the queue, as the system's activation: recorded in demos.
  PostMessageA(mMainWindow, WM_ACTIVATEAPP, 1, 0);
}

void PlixAppBase::UpdateFocusState() {
  const bool focus = mAppActive && !mIsMinimised;
  if (focus == mHasFocus) return;
  mHasFocus = focus;
  if (focus) {
    if (mMuteWhenInactive) Unmute(true);
    mAppWidgets->GotFocus();
    GotFocus();
  } else {
    if (mMuteWhenInactive) Mute(true);
    mAppWidgets->LostFocus();
    LostFocus();
    ReleaseCapture();
    mAppWidgets->ReleaseMouseCapture();
  }
}

void PlixAppBase::ClearKeyState() {
  if (mAppWidgets) {
    for (uint8_t& k : mAppWidgets->mKeyDown) k = 0;
  }
  mCtrlHeld = false;
  mAltHeld = false;
}

void PlixAppBase::RestoreAndActivateWindow(WPARAM wParam, LPARAM) {
  if (wParam != 0) return;
  WINDOWPLACEMENT placement;
  if (GetWindowPlacement(mMainWindow, &placement) && placement.showCmd == static_cast<UINT>(SW_SHOWMINIMIZED))
    ShowWindow(mMainWindow, SW_RESTORE);
  SetForegroundWindow(mMainWindow);
}

bool PlixAppBase::IsReservedAltKey(WPARAM character) {
  const WPARAM lower = character < 256 ? static_cast<WPARAM>(std::tolower(static_cast<int>(character))) : character;
  return lower == 13 || lower == 'r';
}

bool PlixAppBase::HandleDebugKey(int key) {
  const bool shift = mAppWidgets->IsKeyDown(VK_SHIFT);
  switch (key) {
    case VK_F2:
      if (!SectionProfiler::IsRunning()) {
        ResetFrameTiming();
        SectionProfiler::Start();
      } else {
        SectionProfiler::Stop();
        ShowMessageBox(SectionProfiler::GetResults(), "Perf Results", 0);
        ResetFrameTiming();
      }
      return false;
    case VK_F3:
      if (!shift) {
        mFpsOverlayOn = !mFpsOverlayOn;
      } else {
        mFpsOverlayKind = mFpsOverlayKind == 0 ? 1 : 0;
        mFpsOverlayOn = true;
      }
      mAppWidgets->MarkAllDirty();
      if (mFpsOverlayOn) mFpsRestart = true;
      return false;
    case VK_F8:
      if (!shift) {
        ShowVideoStats();
      } else {
        SetHardwareDrawing(!IsHardwareDrawing(), true);
        ShowMessageBox(StrFormat("3D-Mode: %s", IsHardwareDrawing() ? "ON" : "OFF"), "Mode Switch", 0);
      }
      return true;
    case VK_F10:
      return true;
    case VK_F11:
      if (!shift)
        TakeScreenshot();
      else
        DumpImages();
      return true;
    default:
      return false;
  }
}

void PlixAppBase::ShowVideoStats() {
  const char* system = IsHardwareRecommended() ? "Recommended" : IsHardwareSupported() ? "Supported" : "Unsupported";
  std::string text = StrFormat("3D-Mode is %s (3D is %s on this system)\r\n\r\n", IsHardwareDrawing() ? "On" : "Off",
                               system);
  size_t imageCount = 0;
  std::string textures;
  {
    AppImages& images = GetImages();
    AutoCrit lock(images.Lock());
    imageCount = images.mMemoryImageSet.size();
    textures = TextureStatsText(images.mMemoryImageSet);
  }
  text += StrFormat("Num Images: %d\r\n", static_cast<int>(imageCount));
  text += StrFormat("Num Sounds: %d\r\n", mAppSounds ? mAppSounds->GetNumSounds() : 0);
  DWORD total = 0, free = 0;
  if (mAppDisplay && mAppDisplay->mDD) {
    DDSCAPS2 caps;
    caps.dwCaps = DDSCAPS_VIDEOMEMORY;
    mAppDisplay->mDD->GetAvailableVidMem(&caps, &total, &free);
  }
  text += "Video Memory: " + WStringToString(CommaSeparate(static_cast<int>((total - free) >> 10))) + "/" +
          WStringToString(CommaSeparate(static_cast<int>(total >> 10))) + " KB\r\n";
  text += textures;
  ShowMessageBox(text, "Video Stats", 0);
}

}  // namespace Plix
