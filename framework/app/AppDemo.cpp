// Demo recording and playback. While recording, every input the widgets get
// and every value that enters from outside (registry, files, clipboard, the
// 3D test's findings, the end of loading, the display) is written to the
// record stream, stamped with the update count; while playing, the records
// are fed back at the same update counts and the outside is not touched.
#include <algorithm>
#include <cstdlib>

#include "framework/app/DemoFile.h"
#include "framework/app/PlixAppBase.h"
#include "framework/app/Random.h"
#include "framework/platform/Clock.h"
#include "framework/platform/DebugOutput.h"
#include "framework/platform/Files.h"
#include "framework/platform/Registry.h"
#include "framework/platform/Threads.h"
#include "framework/platform/WindowSystem.h"
#include "framework/sound/SoundManager.h"
#include "framework/util/Utilities.h"
#include "framework/widget/WidgetManager.h"

namespace Plix {

namespace {

// Absolute mouse positions are 12-bit signed fields.
constexpr int kPositionMin = -2048;
constexpr int kPositionMax = 2047;

const char* RecordName(int type) {
  switch (type) {
    case DEMO_REGISTRY_READ: return "registry read";
    case DEMO_REGISTRY_WRITE: return "registry write";
    case DEMO_FILE_EXISTS: return "file check";
    case DEMO_FILE_WRITTEN: return "file write";
    case DEMO_SYNC_BYTES: return "synchronised value";
    case DEMO_DISPLAY: return "display set-up";
    default: return "record";
  }
}

}  // namespace

// ------------------------------------------------------------- the file

bool PlixAppBase::ReadDemoFile(std::string& error) {
  std::vector<uint8_t> bytes;
  if (!ReadDemoFileBytes(mDemoFilePath, bytes, error)) return false;
  DemoFile file;
  if (!ParseDemoFile(bytes.data(), bytes.size(), mProductVersion, file, error)) return false;
  mRandomSeed = file.mSeed;
  SeedRandom(mRandomSeed);
  mDemoMarkers = std::move(file.mMarkers);
  mDemoLength = file.mLength;
  mDemoBuffer.Clear();
  mDemoBuffer.SetData(file.mRecords.data(), static_cast<int>(file.mRecords.size()));
  mDemoBuffer.Rewind();
  mDemoRecordTime = 0;
  mDemoNeedHeader = true;
  mDemoEndUnchecked = true;
  return true;
}

void PlixAppBase::WriteDemoFile() {
  if (!mDemoRecording) return;
  DemoFile file;
  file.mSeed = mRandomSeed;
  file.mVersionText = mProductVersion;
  file.mMarkers = mDemoMarkers;
  file.mLength = static_cast<uint32_t>(mTicksDone);
  if (const uint8_t* data = mDemoBuffer.GetDataPtr()) file.mRecords.assign(data, data + mDemoBuffer.GetDataLen());
  const std::vector<uint8_t> bytes = SerializeDemoFile(file);
  // The folder may not exist yet on a first run; a file that cannot be
  // written is given up silently.
  const std::string folder = GetFileDir(mDemoFilePath);
  if (!folder.empty()) MkDir(folder);
  Fs::WriteFileAtomic(mDemoFilePath, bytes.data(), bytes.size());
}

void PlixAppBase::StartDemo() {
  if (mDemoPlaying) {
    std::string error;
    if (!ReadDemoFile(error)) {
      mDemoPlaying = false;
      ShowFatalError(error);
      Exit(1);
    }
    // A played demo gives the sound back as it was when it ends.
    mSavedMusicVolume = mMusicVolume;
    mSavedSfxVolume = mSfxVolume;
  }
  if (mDemoPlaying || mDemoRecording) SetDemoHost(this);
}

void PlixAppBase::EndDemo() {
  // Only a demo that initialisation started is saved.
  if (GetDemoHost() != this) return;
  WriteDemoFile();
  SetDemoHost(nullptr);
}

// ------------------------------------------------------------ the stream

bool PlixAppBase::DemoOnThisThread() const { return mMainThreadId != 0 && CurrentThreadId() == mMainThreadId; }

void PlixAppBase::WriteDemoTimePrefix() {
  int32_t delta = std::max(mTicksDone - mDemoRecordTime, 0);
  while (delta > 15) {
    mDemoBuffer.WriteBits(15, 4);
    mDemoBuffer.WriteBits(0, 1);
    mDemoBuffer.WriteBits(DEMO_FILLER, 5);
    mDemoRecordTime += 15;
    delta -= 15;
  }
  mDemoBuffer.WriteBits(static_cast<uint32_t>(delta), 4);
  mDemoRecordTime = mTicksDone;
}

void PlixAppBase::WriteDemoRecordType(int type) {
  WriteDemoTimePrefix();
  mDemoBuffer.WriteBits(0, 1);
  mDemoBuffer.WriteBits(static_cast<uint32_t>(type), 5);
}

bool PlixAppBase::ReadDemoRecordHeader() {
  if (!mDemoPlaying || mUserClosed) return false;
  if (mDemoNeedHeader) {
    if (!DemoRecordsRemain(mDemoBuffer)) return false;
    // Wraps rather than overflows on a stream of endless fillers.
    mDemoRecordTime = static_cast<int32_t>(static_cast<uint32_t>(mDemoRecordTime) + mDemoBuffer.ReadBits(4));
    mDemoShortForm = mDemoBuffer.ReadBits(1) != 0;
    mDemoRecordType = static_cast<int>(mDemoBuffer.ReadBits(mDemoShortForm ? 1 : 5));
    mDemoNeedHeader = false;
  }
  return mTicksDone == mDemoRecordTime;
}

bool PlixAppBase::TakeDemoRecord(int type) {
  if (!ReadDemoRecordHeader() || mDemoShortForm || mDemoRecordType != type) {
    // Out of step: the record stays for whoever it belongs to.
    ReportDemoMismatch(RecordName(type));
    return false;
  }
  mDemoNeedHeader = true;
  return true;
}

void PlixAppBase::ReportDemoMismatch(const char* expected) {
  std::string found = "the end of the demo";
  if (!mDemoNeedHeader)
    found = StrFormat("a %s record of type %d due at update %d", mDemoShortForm ? "short" : "long", mDemoRecordType,
                      mDemoRecordTime);
  OutputDebugStringA(
      StrFormat("Demo out of step at update %d: a %s was asked for, %s is next\r\n", mTicksDone, expected, found.c_str()));
}

// --------------------------------------------------------------- replay

void PlixAppBase::ReplayDemoStep() {
  if (!mDemoPlaying || !DemoOnThisThread()) return;
  // Past the recorded end with no records left and the program still
  // running: the file lost its end, the close among it.
  if (mDemoEndUnchecked && !mShuttingDown && mDemoNeedHeader && !DemoRecordsRemain(mDemoBuffer) &&
      static_cast<int64_t>(mTicksDone) > static_cast<int64_t>(mDemoLength)) {
    mDemoEndUnchecked = false;
    const std::string text =
        StrFormat("The demo ends early: its records stop at update %d of %u.", mDemoRecordTime, mDemoLength);
    OutputDebugStringA(text + "\n");
    ShowMessageBox(text, mProductTitle, MB_OK | MB_ICONWARNING);
  }
  // Records behind the loading-done record belong to the hand-over: they
  // wait until it has run here too.
  while (!mShuttingDown && !(mDemoLoadingSeen && !mLoadingHookDone)) {
    if (!ReadDemoRecordHeader()) return;
    mDemoNeedHeader = true;
    Buffer& b = mDemoBuffer;
    if (mDemoShortForm) {
      if (mDemoRecordType == DEMO_MOUSE_MOVE) {
        const auto dx = static_cast<int32_t>(b.ReadBits(6, true));
        const auto dy = static_cast<int32_t>(b.ReadBits(6, true));
        mDemoMouseX += dx;
        mDemoMouseY += dy;
        WakeCursorThread();
        mAppWidgets->MouseMove(mDemoMouseX, mDemoMouseY);
      } else {
        const bool pressed = b.ReadBits(1) != 0;
        const auto code = static_cast<int32_t>(b.ReadBits(3, true));
        // No window capture: the real mouse is not the one that moves.
        if (pressed)
          mAppWidgets->MouseDown(mDemoMouseX, mDemoMouseY, code);
        else
          mAppWidgets->MouseUp(mDemoMouseX, mDemoMouseY, code);
      }
      continue;
    }
    switch (mDemoRecordType) {
      case DEMO_MOUSE_POSITION:
        mDemoMouseX = static_cast<int32_t>(b.ReadBits(12, true));
        mDemoMouseY = static_cast<int32_t>(b.ReadBits(12, true));
        WakeCursorThread();
        mAppWidgets->MouseMove(mDemoMouseX, mDemoMouseY);
        break;
      case DEMO_ACTIVE:
        mAppActive = b.ReadBits(1) != 0;
        UpdateFocusState();
        if (mAppActive && !mWindowedMode) mAppWidgets->MarkAllDirty();
        if (mUrlOpenPending && !mAppActive) OnUrlOpened(mUrlBeingOpened);
        break;
      case DEMO_MINIMISED:
        SetMinimised(b.ReadBoolean());  // as the recording did it
        break;
      case DEMO_KEY_DOWN: mAppWidgets->KeyDown(static_cast<int>(b.ReadBits(8))); break;
      case DEMO_KEY_UP: mAppWidgets->KeyUp(static_cast<int>(b.ReadBits(8))); break;
      case DEMO_KEY_CHAR: {
        const bool wide = b.ReadBits(1) != 0;
        mAppWidgets->KeyChar(static_cast<wchar_t>(b.ReadBits(wide ? 16 : 8)));
        break;
      }
      case DEMO_CLOSE: Shutdown(); break;
      case DEMO_MOUSE_ENTER:
        mMouseInside = true;
        ApplyCursor();
        break;
      case DEMO_MOUSE_EXIT:
        mAppWidgets->MouseExit(mDemoMouseX, mDemoMouseY);
        mMouseInside = false;
        ApplyCursor();
        break;
      case DEMO_LOADING_DONE: mDemoLoadingSeen = true; break;
      case DEMO_MOUSE_WHEEL: mAppWidgets->MouseWheel(static_cast<int8_t>(b.ReadBits(8))); break;
      case DEMO_DISPLAY:
        mWindowedMode = b.ReadBoolean();
        mRefreshRateHz = b.ReadByte();
        break;
      case DEMO_FILLER: break;
      default:
        // A value nothing asked for here: stepped over whole, so that the
        // records behind it stay in place.
        ReportDemoMismatch("replayed input");
        SkipDemoRecordPayload(b, false, mDemoRecordType);
        break;
    }
  }
}

bool PlixAppBase::DemoAllowsTick() {
  if (mLoaderFinished && !mLoadingHookDone && mDemoLoadingSeen) {
    mLoadingHookDone = true;
    mLoaderPriority = false;
    OnLoadingDone();
  }
  if (mLoadingHookDone != mDemoLoadingSeen) return false;
  // A record due now has not been replayed yet.
  return !DemoOnThisThread() || !ReadDemoRecordHeader();
}

void PlixAppBase::ReadDemoDisplayRecord() {
  if (!mDemoPlaying || !TakeDemoRecord(DEMO_DISPLAY)) return;
  mWindowedMode = mDemoBuffer.ReadBoolean();
  mRefreshRateHz = mDemoBuffer.ReadByte();
}

// -------------------------------------------------------------- recording

void PlixAppBase::RecordDemoDisplay() {
  if (!IsRecordingDemo() || !DemoOnThisThread()) return;
  WriteDemoRecordType(DEMO_DISPLAY);
  mDemoBuffer.WriteBoolean(mWindowedMode);
  mDemoBuffer.WriteByte(static_cast<uint8_t>(mRefreshRateHz));
}

void PlixAppBase::RecordDemoLoadingDone() {
  // Written before the hand-over runs, so that what the hand-over records
  // follows it and is replayed by the hand-over again.
  if (IsRecordingDemo() && DemoOnThisThread()) WriteDemoRecordType(DEMO_LOADING_DONE);
}

void PlixAppBase::RecordDemoMouseInside(bool inside) {
  if (!IsRecordingDemo() || mShuttingDown || !DemoOnThisThread()) return;
  WriteDemoRecordType(inside ? DEMO_MOUSE_ENTER : DEMO_MOUSE_EXIT);
}

void PlixAppBase::RecordDeferredMessage(const DeferredMessage& m) {
  if (!IsRecordingDemo() || mShuttingDown || !DemoOnThisThread()) return;
  Buffer& b = mDemoBuffer;
  switch (m.message) {
    case WM_ACTIVATEAPP:
      if (m.window != mMainWindow || mWindowHidden) break;
      // The state the game is told about now, which a later activation
      // queued behind this one may already have changed.
      WriteDemoRecordType(DEMO_ACTIVE);
      b.WriteBits(mAppActive ? 1 : 0, 1);
      break;
    case WM_SIZE:
      if (m.window != mMainWindow) break;
      WriteDemoRecordType(DEMO_MINIMISED);
      b.WriteBoolean(m.wParam == SIZE_MINIMIZED);
      break;
    case WM_KEYUP:
    case WM_SYSKEYUP:
      WriteDemoRecordType(DEMO_KEY_UP);
      b.WriteBits(static_cast<uint32_t>(m.wParam) & 0xFF, 8);
      break;
    case WM_CHAR:
      WriteDemoRecordType(DEMO_KEY_CHAR);
      b.WriteBits(1, 1);
      b.WriteBits(static_cast<uint32_t>(m.wParam) & 0xFFFF, 16);
      break;
    case WM_CLOSE:
      if (m.window == mMainWindow || m.window == mHiddenWindow) WriteDemoRecordType(DEMO_CLOSE);
      break;
    case WM_MOUSEWHEEL:
      WriteDemoRecordType(DEMO_MOUSE_WHEEL);
      b.WriteBits(static_cast<uint8_t>(static_cast<int8_t>(GetWheelDeltaWParam(m.wParam) / WHEEL_DELTA)), 8);
      break;
    default:
      if (m.message >= WM_MOUSEMOVE && m.message <= WM_MBUTTONUP && !mWindowHidden) RecordDemoMouse(m);
      break;
  }
}

void PlixAppBase::RecordDemoKeyDown(int key) {
  // Written where the key reaches the widgets: Alt+Enter and the keys the
  // debug keys take never do, and a replay must not hand them over either.
  if (!IsRecordingDemo() || mShuttingDown || !DemoOnThisThread()) return;
  WriteDemoRecordType(DEMO_KEY_DOWN);
  mDemoBuffer.WriteBits(static_cast<uint32_t>(key) & 0xFF, 8);
}

void PlixAppBase::RecordDemoMouse(const DeferredMessage& m) {
  Buffer& b = mDemoBuffer;
  int x = GetXLParam(m.lParam), y = GetYLParam(m.lParam);
  mAppWidgets->ScaleMousePosition(x, y);
  const int dx = x - mDemoMouseX, dy = y - mDemoMouseY;
  // Every mouse message moves the widgets' mouse first. A move to where it
  // already is changes nothing, unless a button is held (the holder gets a
  // drag) or the mouse had left: then it is recorded as well.
  const bool moveActs = mAppWidgets->mDownButtons != 0 || !mAppWidgets->mMouseIn;
  if (dx != 0 || dy != 0 || moveActs) {
    if (std::abs(dx) < 32 && std::abs(dy) < 32) {
      WriteDemoTimePrefix();
      b.WriteBits(1, 1);
      b.WriteBits(DEMO_MOUSE_MOVE, 1);
      b.WriteBits(static_cast<uint32_t>(dx), 6);
      b.WriteBits(static_cast<uint32_t>(dy), 6);
    } else {
      x = std::clamp(x, kPositionMin, kPositionMax);
      y = std::clamp(y, kPositionMin, kPositionMax);
      WriteDemoRecordType(DEMO_MOUSE_POSITION);
      b.WriteBits(static_cast<uint32_t>(x), 12);
      b.WriteBits(static_cast<uint32_t>(y), 12);
    }
    mDemoMouseX = x;
    mDemoMouseY = y;
  }
  if (!mMouseInside) WriteDemoRecordType(DEMO_MOUSE_ENTER);

  bool pressed = false;
  const int code = MouseClickCode(m.message, pressed);
  if (code == 0) return;
  WriteDemoTimePrefix();
  b.WriteBits(1, 1);
  b.WriteBits(DEMO_MOUSE_BUTTON, 1);
  b.WriteBits(pressed ? 1 : 0, 1);
  b.WriteBits(static_cast<uint32_t>(code), 3);
}

// ------------------------------------------------- synchronised values

void PlixAppBase::SyncBufferWithDemo(Buffer& buffer) {
  if (!DemoOnThisThread()) return;
  if (IsRecordingDemo()) {
    WriteDemoRecordType(DEMO_SYNC_BYTES);
    mDemoBuffer.WriteLong(static_cast<uint32_t>(buffer.GetDataLen()));
    mDemoBuffer.WriteBytes(buffer.GetDataPtr(), buffer.GetDataLen());
  } else if (mDemoPlaying && !mUserClosed && TakeDemoRecord(DEMO_SYNC_BYTES)) {
    // No more bytes than the stream still holds.
    const int64_t left = (mDemoBuffer.GetDataBitSize() - mDemoBuffer.GetReadBitPos()) / 8;
    const auto count = static_cast<int>(std::min<int64_t>(mDemoBuffer.ReadLong(), std::max<int64_t>(left, 0)));
    std::vector<uint8_t> bytes(static_cast<size_t>(count));
    mDemoBuffer.ReadBytes(bytes.data(), count);
    buffer.Clear();
    buffer.SetData(bytes.data(), count);
  }
}

void PlixAppBase::SyncStringWithDemo(std::string& value) {
  Buffer buffer;
  buffer.WriteString(value);
  SyncBufferWithDemo(buffer);
  buffer.Rewind();
  value = buffer.ReadString();
}

void PlixAppBase::SyncBoolWithDemo(bool& value) {
  Buffer buffer;
  buffer.WriteBoolean(value);
  SyncBufferWithDemo(buffer);
  buffer.Rewind();
  value = buffer.ReadBoolean();
}

bool PlixAppBase::ReplayDemoFlag(int type, bool closedAnswer, bool& answer) {
  if (!mDemoPlaying || !DemoOnThisThread()) return false;
  answer = closedAnswer;
  if (!mUserClosed && TakeDemoRecord(type)) answer = mDemoBuffer.ReadBits(1) != 0;
  return true;
}

void PlixAppBase::RecordDemoFlag(int type, bool value) {
  if (!IsRecordingDemo() || !DemoOnThisThread()) return;
  WriteDemoRecordType(type);
  mDemoBuffer.WriteBits(value ? 1 : 0, 1);
}

bool PlixAppBase::ReplayRegistryRead(DWORD* type, uint8_t* data, DWORD* length, bool& answer) {
  if (!mDemoPlaying || !DemoOnThisThread()) return false;
  answer = false;
  if (mUserClosed || !TakeDemoRecord(DEMO_REGISTRY_READ) || mDemoBuffer.ReadBits(1) == 0) return true;
  const DWORD recordedType = mDemoBuffer.ReadLong();
  const DWORD recordedLength = mDemoBuffer.ReadLong();
  // Never more than the caller's buffer holds; a longer value is "more
  // data", as the registry itself answers.
  const DWORD room = data != nullptr && length != nullptr ? *length : 0;
  const DWORD copied = std::min(recordedLength, room);
  if (copied > 0) mDemoBuffer.ReadBytes(data, static_cast<int>(copied));
  mDemoBuffer.SetReadBitPos(mDemoBuffer.GetReadBitPos() + static_cast<int64_t>(recordedLength - copied) * 8);
  if (type) *type = recordedType;
  if (length) *length = recordedLength;
  answer = data == nullptr || recordedLength <= room;
  return true;
}

void PlixAppBase::RecordRegistryRead(bool ok, DWORD type, const uint8_t* data, DWORD length) {
  if (!IsRecordingDemo() || !DemoOnThisThread()) return;
  WriteDemoRecordType(DEMO_REGISTRY_READ);
  mDemoBuffer.WriteBits(ok ? 1 : 0, 1);
  if (!ok) return;
  mDemoBuffer.WriteLong(type);
  mDemoBuffer.WriteLong(length);
  if (data != nullptr) {
    mDemoBuffer.WriteBytes(data, static_cast<int>(length));
  } else {
    for (DWORD i = 0; i < length; ++i) mDemoBuffer.WriteByte(0);
  }
}

// ------------------------------------------------ fast-forward and keys

bool PlixAppBase::RunDemoFastForward(double ticksPerFrame) {
  auto skipping = [this] { return mTicksDone < mSkipToTick || mSkipToMarker; };
  if (skipping()) {
    if (!mDemoSkipMuted && !mSkipOneStep) {
      Mute(true);
      mDemoSkipMuted = true;
    }
    if (mDemoSkipFrameTime == 0) mDemoSkipFrameTime = GetTickCount();
    while (skipping() && !mShuttingDown) {
      ResetFrameTiming();
      const int32_t before = mTicksDone;
      ReplayDemoStep();
      if (RunUpdateTicks()) {
        // The frame's further ticks, as a frame at normal speed runs them.
        mSmoothTimeAcc += ticksPerFrame - 1.0;
        FlushDeferredDeletes();
        while (mSmoothTimeAcc >= 1.0) {
          ReplayDemoStep();
          if (!RunUpdateTicks()) break;
          FlushDeferredDeletes();
          mSmoothTimeAcc -= 1.0;
        }
        UpdateSmooth(static_cast<float>(ticksPerFrame));
        FlushDeferredDeletes();
      }
      // Back to the message pump now and then, so that the keys and a close
      // still work while skipping.
      if (mTicksDone == before) {
        mStepPhase = 3;
        return true;
      }
      if (GetTickCount() - mDemoSkipFrameTime >= 1000 || mSkipOneStep) {
        mSkipOneStep = false;
        mDemoSkipFrameTime = GetTickCount();
        DrawFrame();
        mStepPhase = 3;
        return true;
      }
    }
  }
  if (mDemoSkipMuted) {
    mDemoSkipMuted = false;
    if (mAppSounds) mAppSounds->StopAllSounds();
    Unmute(true);
  }
  return false;
}

void PlixAppBase::HandleDemoPlaybackKey(WPARAM character) {
  const auto length = static_cast<int32_t>(mDemoLength);
  switch (character) {
    case '+': mSpeedFactor *= 1.5; break;
    case '-': mSpeedFactor /= 1.5; break;
    case '=': mSpeedFactor = 1.0; break;
    case '0': mSkipToTick = length; break;
    case '4': mSkipToTick = length - 120000 / mTickMs; break;
    case '5': mSkipToTick = length - 90000 / mTickMs; break;
    case '6': mSkipToTick = length - 60000 / mTickMs; break;
    case '7': mSkipToTick = length - 30000 / mTickMs; break;
    case '8': mSkipToTick = length - 10000 / mTickMs; break;
    case '9': mSkipToTick = length - 5000 / mTickMs; break;
    case 'J':
    case 'j': ShowJumpToTimeDialog(); break;
    case 'L':
    case 'l': ShowMarkerListDialog(); break;
    case 'M':
    case 'm': mSkipToMarker = true; break;
    case 'N':
    case 'n':
      mSkipToTick = mTicksDone + 1;
      mSkipOneStep = true;
      break;
    case 'P':
    case 'p':
      mUpdatesPaused = !mUpdatesPaused;
      ResetFrameTiming();
      break;
    case 'S':
    case 's': ToggleDemoSound(); break;
    default: break;
  }
}

void PlixAppBase::ToggleDemoSound() {
  if (mMusicVolume != 0.0) {
    mSavedMusicVolume = mMusicVolume;
    SetMusicVolume(0.0);
  } else {
    SetMusicVolume(mSavedMusicVolume);
  }
  if (mSfxVolume != 0.0) {
    mSavedSfxVolume = mSfxVolume;
    SetSfxVolume(0.0);
  } else {
    SetSfxVolume(mSavedSfxVolume);
  }
}

}  // namespace Plix
