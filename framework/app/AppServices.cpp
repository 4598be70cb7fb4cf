// Services of the application that the rest of the program calls by name:
// message boxes and the screen-saver error log, the debug overlays, sound
// and volume with the nested mute, cursors, clipboard, URLs, the version,
// the hand-over to a running instance, and the dialog map.
#include <cctype>
#include <cstdio>
#include <ctime>

#include "framework/app/PerfTimer.h"
#include "framework/app/PlixAppBase.h"
#include "framework/graphics/DDImage.h"
#include "framework/graphics/DDInterface.h"
#include "framework/graphics/Graphics.h"
#include "framework/graphics/SysFont.h"
#include "framework/platform/Clock.h"
#include "framework/platform/Files.h"
#include "framework/platform/SdlWindow.h"
#include "framework/platform/WindowSystem.h"
#include "framework/sound/BassMusicInterface.h"
#include "framework/sound/FModMusicInterface.h"
#include "framework/sound/MusicInterface.h"
#include "framework/sound/SoundInstance.h"
#include "framework/sound/SoundManager.h"
#include "framework/util/Utilities.h"
#include "framework/widget/Dialog.h"
#include "framework/widget/WidgetManager.h"

namespace Plix {

// ------------------------------------------------------------ message boxes

void PlixAppBase::EnterMessageBox() {
  if (!mWindowedActual && mAppDisplay && mAppDisplay->mDD) {
    mAppDisplay->mDD->FlipToGDISurface();
    mMessageBoxOpen = true;
  }
}

void PlixAppBase::LeaveMessageBox() {
  if (!mWindowedActual) mMessageBoxOpen = false;
  ResetFrameTiming();
  ClearKeyState();
  if (mAppWidgets && mAppWidgets->mDownButtons != 0) {
    mAppWidgets->ReleaseMouseCapture();
    ReleaseCapture();
  }
}

int PlixAppBase::ShowMessageBoxW(const std::wstring& text, const std::wstring& caption, UINT flags) {
  if (mScreenSaverMode) {
    LogScreenSaverError(WStringToString(text));
    return IDOK;
  }
  EnterMessageBox();
  const int result = MessageBoxW(mMainWindow, text, caption, flags);
  LeaveMessageBox();
  return result;
}

int PlixAppBase::ShowMessageBox(const std::string& text, const std::string& caption, UINT flags) {
  if (mScreenSaverMode) {
    LogScreenSaverError(text);
    return IDOK;
  }
  EnterMessageBox();
  const int result = MessageBoxA(mMainWindow, text, caption, flags);
  LeaveMessageBox();
  return result;
}

void PlixAppBase::ShowFatalErrorW(const std::wstring& text) {
  if (mScreenSaverMode) {
    LogScreenSaverError(WStringToString(text));
    return;
  }
  EnterMessageBox();
  if (!mShuttingDown)
    MessageBoxW(mMainWindow, text, GetStringProperty("FATAL_ERROR", L"FATAL ERROR"), MB_ICONERROR);
  LeaveMessageBox();
}

void PlixAppBase::ShowFatalError(const std::string& text) {
  if (mScreenSaverMode) {
    LogScreenSaverError(text);
    return;
  }
  EnterMessageBox();
  if (!mShuttingDown)
    MessageBoxA(mMainWindow, text, WStringToString(GetStringProperty("FATAL_ERROR", L"FATAL ERROR")), MB_ICONERROR);
  LeaveMessageBox();
}

void PlixAppBase::LogScreenSaverError(const std::string& text) {
  static bool firstWrite = true;
  const char* mode = firstWrite ? "w" : "a+";
  firstWrite = false;
  FILE* file = Fs::OpenFile("ScrError.txt", mode);
  if (!file) return;
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char clock[16];
  std::strftime(clock, sizeof(clock), "%H:%M:%S", &local);
  std::fprintf(file, "%s %s %u\n", text.c_str(), clock, static_cast<unsigned>(GetTickCount()));
  std::fclose(file);
}

// ----------------------------------------------------------- debug overlays

namespace {

// The overlays' font, made on first use and kept for the run.
SysFont& OverlayFont() {
  static SysFont* font = new SysFont("Tahoma", 8);
  return *font;
}

PerfTimer& OverlayTimer() {
  static PerfTimer timer;
  return timer;
}

}  // namespace

void PlixAppBase::DrawOverlayText(DDImage* image, const std::wstring& text) {
  Graphics g(image);
  g.SetColor(Color(0, 0, 0));
  g.FillRect(0, 0, image->GetWidth(), image->GetHeight());
  g.SetFont(&OverlayFont());
  g.SetColor(Color(255, 255, 255));
  g.DrawString(text, 2, OverlayFont().GetAscent());
}

void PlixAppBase::DrawDebugOverlays() {
  ++mFpsFrames;
  if (!mAppDisplay) return;
  if (!mFpsImage) {
    mFpsImage = std::make_unique<DDImage>(mAppDisplay);
    mFpsImage->Create(50, OverlayFont().GetHeight() + 4);
  }
  PerfTimer& timer = OverlayTimer();
  if (!timer.IsRunning() || timer.GetDuration() >= 1000.0 || mFpsRestart) {
    if (mFpsRestart || !timer.IsRunning()) {
      mFpsRestart = false;
      mFpsValue = 0;
    } else {
      mFpsValue = static_cast<int32_t>(mFpsFrames * 1000 / timer.GetDuration());
    }
    timer.Start();
    mFpsFrames = 0;
    DrawOverlayText(mFpsImage.get(), WStrFormat(L"FPS: %d", mFpsValue));
  }
}

void PlixAppBase::DrawMousePositionOverlay(int x, int y) {
  if (!mAppDisplay) return;
  if (!mFpsImage) {
    mFpsImage = std::make_unique<DDImage>(mAppDisplay);
    mFpsImage->Create(50, OverlayFont().GetHeight() + 4);
  }
  DrawOverlayText(mFpsImage.get(), WStrFormat(L"%d,%d", x, y));
}

void PlixAppBase::DrawDemoTimeOverlay() {
  if (!mAppDisplay) return;
  if (mDemoTimeImage && GetTickCount() - mDemoTimeRefresh < static_cast<uint32_t>(1000.0 / mSpeedFactor)) return;
  mDemoTimeRefresh = GetTickCount();
  if (!mDemoTimeImage) {
    mDemoTimeImage = std::make_unique<DDImage>(mAppDisplay);
    mDemoTimeImage->Create(50, OverlayFont().GetHeight() + 4);
  }
  const int seconds = std::max(0, mTickMs * (static_cast<int32_t>(mDemoLength) - mTicksDone) / 1000);
  DrawOverlayText(mDemoTimeImage.get(),
                  WStrFormat(L"%02d:%02d:%02d", seconds / 3600, (seconds / 60) % 60, seconds % 60));
}

// ------------------------------------------------------------ sound, music

MusicInterface* PlixAppBase::CreateMusicInterface(HWND) {
  if (mSoundWithoutWindow) return new MusicInterface();
  if (mPreferFmod) return new FModMusicInterface();
  return new BassMusicInterface(mHiddenWindow);
}

void PlixAppBase::PlaySound(int soundId) {
  if (!mAppSounds) return;
  if (SoundInstance* instance = mAppSounds->NewSoundInstance(static_cast<unsigned>(soundId)))
    instance->Play(false, true);
}

void PlixAppBase::PlaySoundPanned(int soundId, int pan) {
  if (!mAppSounds) return;
  if (SoundInstance* instance = mAppSounds->NewSoundInstance(static_cast<unsigned>(soundId))) {
    instance->SetPan(pan);
    instance->Play(false, true);
  }
}

double PlixAppBase::GetMasterVolume() { return mAppSounds ? mAppSounds->GetMasterVolume() : mMasterVolume; }
double PlixAppBase::GetMusicVolume() { return mMusicVolume; }
double PlixAppBase::GetSfxVolume() { return mSfxVolume; }
bool PlixAppBase::IsMuted() { return mMuteDepth > 0; }

void PlixAppBase::SetMasterVolume(double volume) {
  // The master volume has a field of its own: the effect volume the player
  // chose (and the settings store) stays as it was.
  mMasterVolume = volume;
  if (mAppSounds) mAppSounds->SetMasterVolume(volume);
}

void PlixAppBase::SetMusicVolume(double volume) {
  mMusicVolume = volume;
  if (mMusicOutput) mMusicOutput->SetVolume(mMuteDepth > 0 ? 0.0 : volume);
}

void PlixAppBase::SetSfxVolume(double volume) {
  mSfxVolume = volume;
  if (mAppSounds) mAppSounds->SetVolume(mMuteDepth > 0 ? 0.0 : volume);
}

void PlixAppBase::Mute(bool automatic) {
  ++mMuteDepth;
  if (automatic) ++mFocusMuteCount;
  SetMusicVolume(mMusicVolume);
  SetSfxVolume(mSfxVolume);
}

void PlixAppBase::Unmute(bool automatic) {
  if (mMuteDepth > 0) {
    --mMuteDepth;
    if (automatic) --mFocusMuteCount;
  }
  SetMusicVolume(mMusicVolume);
  SetSfxVolume(mSfxVolume);
}

// ------------------------------------------------------------------ cursors

void PlixAppBase::ApplyCursor() {
  if (!mAppDisplay) return;
  if (!mCrashInProgress && mMouseInside) {
    Image* image = mCursorNumber >= 0 && mCursorNumber <= 12 ? mCustomCursorImages[mCursorNumber] : nullptr;
    if (image && (mDemoPlaying || mCustomCursorsOn || mCursorNumber == 12)) {
      if (mAppDisplay->SetCursorImage(image)) mRedrawAll = true;
      if (!mDemoPlaying) {
        Plix::SetCursor(nullptr);
      } else {
        // The real mouse over the window shows that it is not the one
        // that moves the recorded cursor.
        POINT p{0, 0}, topLeft{0, 0}, bottomRight{mScreenWidth, mScreenHeight};
        GetCursorPos(&p);
        ClientToScreen(mMainWindow, &topLeft);
        ClientToScreen(mMainWindow, &bottomRight);
        const bool over = p.x >= topLeft.x && p.y >= topLeft.y && p.x < bottomRight.x && p.y < bottomRight.y;
        Plix::SetCursor(LoadCursorA(over && !mDemoToolOpen ? IDC_NO : IDC_ARROW));
      }
      return;
    }
    switch (mCursorNumber) {
      case 1: Plix::SetCursor(mHandCursor); break;
      case 2: Plix::SetCursor(mDragCursor); break;
      case 3: Plix::SetCursor(LoadCursorA(IDC_IBEAM)); break;
      case 4: Plix::SetCursor(LoadCursorA(IDC_NO)); break;
      case 5: Plix::SetCursor(LoadCursorA(IDC_SIZEALL)); break;
      case 6: Plix::SetCursor(LoadCursorA(IDC_SIZENESW)); break;
      case 7: Plix::SetCursor(LoadCursorA(IDC_SIZENS)); break;
      case 8: Plix::SetCursor(LoadCursorA(IDC_SIZENWSE)); break;
      case 9: Plix::SetCursor(LoadCursorA(IDC_SIZEWE)); break;
      case 10: Plix::SetCursor(LoadCursorA(IDC_WAIT)); break;
      case 11:
      case 12: Plix::SetCursor(nullptr); break;
      default: Plix::SetCursor(LoadCursorA(IDC_ARROW)); break;
    }
  } else {
    Plix::SetCursor(LoadCursorA(IDC_ARROW));
  }
  if (mAppDisplay->SetCursorImage(nullptr)) mRedrawAll = true;
}

void PlixAppBase::SetCursor(int cursorNumber) {
  if (cursorNumber == mCursorNumber) return;
  mCursorNumber = cursorNumber;
  ApplyCursor();
}

void PlixAppBase::SetCustomCursor(int cursorNumber, Image* image) {
  if (cursorNumber < 0 || cursorNumber > 12) return;
  mCustomCursorImages[cursorNumber] = image;
  ApplyCursor();
}

void PlixAppBase::EnableCustomCursors(bool enabled) {
  mCustomCursorsOn = enabled;
  ApplyCursor();
}

// ------------------------------------------------- clipboard, URL, version

void PlixAppBase::CopyToClipboard(const std::string& text) {
  if (mDemoPlaying) return;
  SetClipboardTextA(text);
}

std::string PlixAppBase::GetClipboardText() {
  // No clipboard (or no text on it) gives an empty text.
  std::string text;
  if (!mDemoPlaying && !GetClipboardTextA(&text)) text.clear();
  SyncStringWithDemo(text);
  return text;
}

bool PlixAppBase::OpenURL(const std::string& url, bool shutDownWhenOpened) {
  if (mUrlOpenPending && url == mUrlBeingOpened) return true;
  mQuitAfterUrl = shutDownWhenOpened;
  mUrlOpenPending = true;
  mUrlBeingOpened = url;
  mUrlOpenStart = GetTickCount();
  if (ShellExecuteA(nullptr, "open", url) > 32) return true;
  OnUrlOpenFailed(url);
  return false;
}

void PlixAppBase::OnUrlOpenFailed(const std::string&) { mUrlOpenPending = false; }

void PlixAppBase::OnUrlOpened(const std::string&) {
  mUrlOpenPending = false;
  if (mQuitAfterUrl) Shutdown();
}

// Linux programs carry no version block: the application sets its version.
std::string PlixAppBase::GetProductVersion(const std::string&) { return std::string(); }

void PlixAppBase::NotifyOtherInstance() {
  if (!mOneInstanceOnly) return;
  if (mNotifyMessageId != 0) PostMessageA(HWND_BROADCAST, mNotifyMessageId, 0, 0);
  std::printf("%s is already running; it was brought to the front.\n", mProductTitle.c_str());
  Exit(0);
}

// ------------------------------------------------------------------ dialogs

Dialog* PlixAppBase::CreateDialog(int id, bool isModal, const std::wstring& header, const std::wstring& lines,
                                  const std::wstring& footer, int buttonMode) {
  return new Dialog(nullptr, id, isModal, header, lines, footer, buttonMode);
}

Dialog* PlixAppBase::OpenDialog(int id, bool isModal, const std::wstring& header, const std::wstring& lines,
                                const std::wstring& footer, int buttonMode) {
  CloseDialogById(id);
  Dialog* dialog = CreateDialog(id, isModal, header, lines, footer, buttonMode);
  AddDialog(id, dialog);
  return dialog;
}

Dialog* PlixAppBase::GetDialog(int id) {
  auto it = mOpenDialogs.find(id);
  return it == mOpenDialogs.end() ? nullptr : it->second;
}

void PlixAppBase::AddDialogByOwnId(Dialog* dialog) { AddDialog(dialog->mId, dialog); }

void PlixAppBase::AddDialog(int id, Dialog* dialog) {
  CloseDialogById(id);
  if (dialog->mWidth == 0) {
    const int width = mScreenWidth / 2;
    const int height = dialog->GetPreferredHeight(width);
    dialog->Resize((mScreenWidth - width) / 2, mScreenHeight / 5, width, height);
  }
  mOpenDialogs[id] = dialog;
  mAppWidgets->AddWidget(dialog);
  if (dialog->IsModal()) {
    mAppWidgets->PushModalBase(dialog);
    BeginModal();
  }
}

bool PlixAppBase::CloseDialogObject(Dialog* dialog) { return CloseDialogById(dialog->mId); }

bool PlixAppBase::CloseDialogById(int id) { return CloseDialog(id, true, true); }

bool PlixAppBase::CloseDialog(int id, bool removeWidget, bool deleteDialog) {
  auto it = mOpenDialogs.find(id);
  if (it == mOpenDialogs.end()) return false;
  Dialog* dialog = it->second;
  if (dialog->mResult == -1) dialog->mResult = 0;
  mOpenDialogs.erase(it);
  if (removeWidget || deleteDialog) mAppWidgets->RemoveWidget(dialog);
  if (dialog->IsModal()) {
    EndModal();
    mAppWidgets->PopModalBase(dialog);
  }
  if (deleteDialog) QueueWidgetDelete(dialog);
  return true;
}

int PlixAppBase::CountDialogs() { return static_cast<int>(mOpenDialogs.size()); }

void PlixAppBase::DialogButtonPressed(int dialogId, int buttonId) {
  if (buttonId == Dialog::ID_YES)
    ButtonPressed(dialogId + 2000);
  else if (buttonId == Dialog::ID_NO)
    ButtonPressed(dialogId + 3000);
}

void PlixAppBase::DialogButtonReleased(int dialogId, int buttonId) {
  if (buttonId == Dialog::ID_YES)
    ButtonReleased(dialogId + 2000);
  else if (buttonId == Dialog::ID_NO)
    ButtonReleased(dialogId + 3000);
}

}  // namespace Plix
