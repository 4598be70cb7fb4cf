// The main window and the display: windowed or full screen, the fallbacks
// from one to the other, the 3D choice, screen-mode changes, and the passes
// over the memory images around every display (re)initialisation.
#include <cstdio>

#include "framework/app/PlixAppBase.h"
#include "framework/graphics/D3DInterface.h"
#include "framework/graphics/D3DTester.h"
#include "framework/graphics/DDImage.h"
#include "framework/graphics/DDInterface.h"
#include "framework/graphics/MemoryImage.h"
#include "framework/platform/SdlWindow.h"
#include "framework/platform/WindowSystem.h"
#include "framework/sound/SoundManager.h"
#include "framework/util/Utilities.h"
#include "framework/widget/WidgetManager.h"

namespace Plix {

void PlixAppBase::CreateMainWindow() {
  if (mMainWindow) {
    SetWindowLongPtr(mMainWindow, GWL_USERDATA, 0);
    DestroyWindow(mMainWindow);
    mMainWindow = nullptr;
    mAppWidgets->mImage = nullptr;
  }

  if (!mDemoPlaying && (!mWindowedMode || mDesktopModeFullScreen)) {
    mMainWindow = CreateWindowExW(WS_EX_TOPMOST, "MainWindow", mWindowTitle, WS_POPUP | WS_VISIBLE, 0, 0,
                                  mScreenWidth, mScreenHeight);
    mWindowedActual = false;
  } else {
    // A played demo always runs in a window.
    DWORD style = WS_POPUP | WS_CLIPCHILDREN | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    if (mMaximiseAllowed) style |= WS_MAXIMIZEBOX;
    RECT outer{0, 0, mScreenWidth, mScreenHeight};
    AdjustWindowRect(&outer, style, false);
    const int w = outer.right - outer.left, h = outer.bottom - outer.top;
    RECT work;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    // Centred slightly above the middle, or where the player left it.
    int64_t x = work.left + ((work.right - work.left) - w) / 2;
    int64_t y = work.top + static_cast<int>(0.382 * ((work.bottom - work.top) - h));
    if (mPreferredX != -1) {
      // In 64 bits: a position from the settings file can be anything.
      x = std::max<int64_t>(mPreferredX, work.left + 4);
      y = std::max<int64_t>(mPreferredY, work.top + 4);
      if (x + w >= int64_t{work.right} - 4) x = work.right - 4 - w;
      if (y + h >= int64_t{work.bottom} - 4) y = work.bottom - 4 - h;
    }
    // Wholly on the screen: at its top left corner where the window is as
    // large as the screen. Made there at once: a window moved before it is
    // first shown may still appear where it was made.
    x = std::max<int64_t>(work.left, std::min<int64_t>(x, int64_t{work.right} - w));
    y = std::max<int64_t>(work.top, std::min<int64_t>(y, int64_t{work.bottom} - h));
    mMainWindow = CreateWindowExW(0, "MainWindow", mWindowTitle, style, static_cast<int>(x), static_cast<int>(y), w, h);
    mWindowedActual = true;
  }
  if (!mMainWindow && !VideoStartError().empty()) {
    // No display at all: said plainly, where a message box cannot appear.
    std::fprintf(stderr, "%s\n", VideoStartError().c_str());
    Exit(1);
  }
  if (!mMainWindow) {
    // Without a window there is nothing to show the game in.
    ShowFatalErrorW(GetStringProperty("FAILED_INIT_DIRECTDRAW", L"Failed to initialize DirectDraw: ") +
                    L"the window could not be created");
    Exit(1);
  }
  SetWindowLongPtr(mMainWindow, GWL_USERDATA, reinterpret_cast<intptr_t>(this));

  if (!mAppDisplay) {
    mAppDisplay = new DDInterface(this);
    GetImages().SetDisplay(mAppDisplay);
    bool is3D = false;
    if (ReadRegistryBoolean("Is3D", is3D)) {
      if (mUse3DWhenRecommended) {
        mUse3DWhenRecommended = false;
        mRun3DTest = true;
      }
      if (is3D) mRun3DTest = true;
      mAppDisplay->mIs3D = is3D;
    }
  }

  const int result = InitDisplay();
  if (mAppDisplay->mD3DTester && mAppDisplay->mD3DTester->mResultFresh) DeleteRegistryValue(L"Is3D");

  if (mWindowedActual && result == DDInterface::RESULT_INVALID_COLORDEPTH) {
    if (mWindowedForced) {
      ShowFatalErrorW(GetStringProperty("PLEASE_SET_COLOR_DEPTH", L"Please set your desktop color depth to 16 bit."));
      Exit(1);
    }
    mFullScreenForced = true;
    ChangeScreenModeTo(false);
    return;
  }
  if (!mWindowedActual &&
      (result == DDInterface::RESULT_EXCLUSIVE_FAIL || result == DDInterface::RESULT_DISPCHANGE_FAIL)) {
    mWindowedForced = true;
    // Neither mode can be had: a window would turn into full screen again.
    if (mFullScreenForced) {
      ShowFatalErrorW(GetStringProperty("PLEASE_SET_COLOR_DEPTH", L"Please set your desktop color depth to 16 bit."));
      Exit(1);
    }
    // The windowed re-creation finishes on its own display; the steps
    // after a success must not run on the failed one.
    ChangeScreenModeTo(true);
    return;
  }
  if (result == DDInterface::RESULT_3D_FAIL || (result != DDInterface::RESULT_OK && IsHardwareDrawing())) {
    SetHardwareDrawing(false, true);
    return;
  }
  if (result != DDInterface::RESULT_OK) {
    ShowScreenModeFailure(result);
    Exit(1);
  }
  ApplySuccessfulDisplay();
}

void PlixAppBase::ApplySuccessfulDisplay() {
  const bool wasActive = mAppActive;
  mAppActive = GetActiveWindow() == mMainWindow;
  mMinimisedNow = false;
  if (mIsMinimised) {
    if (mMuteWhenInactive) Unmute(true);
    mIsMinimised = false;
    UpdateFocusState();
  }
  if (mAppActive != wasActive) UpdateFocusState();
  ImagesRebuild();
  GiveScreenImageToWidgets();
  SetTimer(mMainWindow, 100, static_cast<UINT>(mTickMs));
}

void PlixAppBase::ShowScreenModeFailure(int result) {
  ShowFatalErrorW(GetStringProperty("FAILED_INIT_DIRECTDRAW", L"Failed to initialize DirectDraw: ") +
                  StringToWString(DDInterface::ResultToString(result) + " " + mAppDisplay->mErrorString));
}

void PlixAppBase::GiveScreenImageToWidgets() {
  mAppWidgets->mImage = mAppDisplay ? mAppDisplay->GetScreenImage() : nullptr;
  mAppWidgets->MarkAllDirty();
}

int PlixAppBase::InitDisplay() {
  PreDisplayInit();
  ImagesToMemory();
  const int result = mAppDisplay->Init(mMainWindow, mWindowedActual);
  mRefreshRateHz = mAppDisplay->mRefreshRate;
  RecordDemoDisplay();
  if (result == DDInterface::RESULT_OK) {
    mScreenRect = Rect((mScreenWidth - mAppDisplay->mWidth) / 2, (mScreenHeight - mAppDisplay->mHeight) / 2,
                       mAppDisplay->mWidth, mAppDisplay->mHeight);
    mAppWidgets->Resize(mScreenRect, mAppDisplay->mPresentationRect);
    PostDisplayInit();
  }
  return result;
}

void PlixAppBase::SetHardwareDrawing(bool on, bool reinit) {
  if (!mAppDisplay || mAppDisplay->mIs3D == on) return;
  mMode3DChanged = true;
  mAppDisplay->mIs3D = on;
  if (!reinit) return;
  const int result = InitDisplay();
  if (result != DDInterface::RESULT_OK) {
    if (on) {
      SetHardwareDrawing(false, reinit);
      return;
    }
    ShowScreenModeFailure(result);
    Exit(1);
  }
  ImagesRebuild();
  GiveScreenImageToWidgets();
}

void PlixAppBase::ChangeScreenMode(bool windowed, bool is3D, bool force) {
  if (mFullScreenForced) windowed = false;
  if (windowed == mWindowedMode && !force) {
    SetHardwareDrawing(is3D, true);
    return;
  }
  SetHardwareDrawing(is3D, false);
  mWindowedMode = windowed;
  CreateMainWindow();
  if (mUrlOpenPending) {
    ShowWindow(mMainWindow, SW_SHOWNOACTIVATE);
  } else {
    ShowWindow(mMainWindow, SW_SHOWNORMAL);
    SetForegroundWindow(mMainWindow);
    // The old window's focus loss may come after this; the new window's
    // gain may never come as a change. Asked each loop until it holds.
    mFocusCheckAfterSwitch = true;
  }
  if (mAppSounds) mAppSounds->SetCooperativeWindow(mMainWindow, mWindowedMode);
}

void PlixAppBase::ChangeScreenModeTo(bool windowed) { ChangeScreenMode(windowed, IsHardwareDrawing(), false); }

void PlixAppBase::ReapplyScreenMode() { ChangeScreenMode(mWindowedMode, IsHardwareDrawing(), true); }

void PlixAppBase::SetDrawToVideoMemory(bool on) {
  if (on == mDrawInVideoMemory) return;
  mDrawInVideoMemory = on;
  if (!mAppDisplay) return;
  mAppDisplay->SetDrawToVideoMemory(on);
  GiveScreenImageToWidgets();
}

void PlixAppBase::ImagesToMemory() {
  AppImages& images = GetImages();
  AutoCrit lock(images.Lock());
  for (MemoryImage* image : images.mMemoryImageSet) image->DeleteNativeData();
}

void PlixAppBase::ImagesRebuild() {
  AppImages& images = GetImages();
  AutoCrit lock(images.Lock());
  for (MemoryImage* image : images.mMemoryImageSet) image->CommitLoadFlags();
}

void PlixAppBase::ImagesRefreshLocked() {
  AppImages& images = GetImages();
  AutoCrit lock(images.Lock());
  for (MemoryImage* image : images.mMemoryImageSet) image->DeleteExtraBuffers();
}

void PlixAppBase::RestoreDisplayMode() {
  // The desktop's mode is never changed (see Init): nothing to put back.
  mDesktopModeFullScreen = false;
}

}  // namespace Plix
