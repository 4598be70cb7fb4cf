// The record stream: what recording writes for input and outside values,
// bit for bit, and what playback makes of records.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "framework/app/DemoFile.h"
#include "framework/platform/DebugOutput.h"
#include "framework/platform/Files.h"
#include "framework/platform/Registry.h"
#include "framework/platform/WindowSystem.h"
#include "framework/widget/WidgetManager.h"
#include "tests/app/AppTestSupport.h"

namespace Plix::Testing {
namespace {

using Fields = std::vector<std::pair<uint32_t, int>>;  // value, bits

std::string BitsOf(const Buffer& buffer, int64_t from = 0) {
  Buffer copy = buffer;
  copy.SetReadBitPos(from);
  std::string bits;
  for (int64_t i = from; i < buffer.GetDataBitSize(); ++i) bits += copy.ReadBits(1) ? '1' : '0';
  return bits;
}

std::string BitsOf(const Fields& fields) {
  Buffer b;
  for (const auto& [value, count] : fields) b.WriteBits(value, count);
  std::string bits = BitsOf(b);
  return bits.substr(0, static_cast<size_t>(b.GetWriteBitPos()));
}

class DemoRecordsTest : public AppFixture {
protected:
  // What the application does as it goes is no part of these streams.
  void TearDown() override {
    if (mApp) mApp->StopDemo();
  }
  // An initialised application with a probe over the screen; `recording`
  // or playing, with an empty stream at update 0.
  void Start(bool recording) {
    auto& app = Make();
    app.mDemoRecording = recording;
    app.mDemoFilePath = mDir / "records.dmo";
    ASSERT_EQ(InitApp(), -1);
    app.mMainLoopRunning = true;
    ShowWindow(app.mMainWindow, SW_SHOW);
    AddProbe();
    app.mDemoBuffer.Clear();
    app.mTicksDone = 0;
    app.mDemoRecordTime = 0;
    app.mDemoPlaying = !recording;
    app.mDemoNeedHeader = true;
  }
  void Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    SendMessageA(mApp->mMainWindow, message, wParam, lParam);
    while (mApp->ProcessDeferredMessages()) {
    }
  }
  std::string Recorded() const {
    const Buffer& b = mApp->mDemoBuffer;
    return BitsOf(b).substr(0, static_cast<size_t>(b.GetWriteBitPos()));
  }
  // Playback of records given as fields.
  void Play(const Fields& fields) {
    Buffer b;
    for (const auto& [value, count] : fields) b.WriteBits(value, count);
    mApp->mDemoBuffer.Clear();
    mApp->mDemoBuffer.SetData(b.GetDataPtr(), b.GetDataLen());
    mApp->mDemoRecordTime = mApp->mTicksDone;
    mApp->mDemoNeedHeader = true;
  }
};

TEST_F(DemoRecordsTest, ADemoCutShortSaysSoOnceAtItsRecordedEnd) {
  Start(false);
  // A key at update 1, then nothing: the rest of the file, its close
  // among it, is lost, though the header still says 4 updates.
  Buffer records;
  records.WriteBits(1, 4);
  records.WriteBits(0, 1);
  records.WriteBits(DEMO_KEY_DOWN, 5);
  records.WriteBits('A', 8);
  DemoFile file;
  file.mVersionText = mApp->mProductVersion;
  file.mLength = 4;
  file.mRecords.assign(records.GetDataPtr(), records.GetDataPtr() + records.GetDataLen());
  const std::vector<uint8_t> bytes = SerializeDemoFile(file);
  WriteFile(mDir / "records.dmo", std::string(bytes.begin(), bytes.end()));
  std::string error;
  ASSERT_TRUE(mApp->ReadDemoFile(error)) << error;
  for (int32_t tick = 0; tick <= 4; ++tick) {
    mApp->mTicksDone = tick;
    mApp->ReplayDemoStep();
  }
  EXPECT_TRUE(mBackend.mBoxes.empty());
  for (int32_t tick = 5; tick <= 6; ++tick) {
    mApp->mTicksDone = tick;
    mApp->ReplayDemoStep();
  }
  ASSERT_EQ(mBackend.mBoxes.size(), 1u);
  EXPECT_EQ(mBackend.mBoxes[0].text, L"The demo ends early: its records stop at update 1 of 4.");
}

TEST_F(DemoRecordsTest, IdleGapsAreFilledAndKeysCostEighteenBits) {
  Start(true);
  Send(WM_KEYDOWN, 'A');
  mApp->mTicksDone = 40;
  Send(WM_KEYUP, 'A');
  EXPECT_EQ(Recorded(), BitsOf({{0, 4}, {0, 1}, {3, 5}, {'A', 8},   // key down, 18 bits
                                {15, 4}, {0, 1}, {31, 5},           // filler
                                {15, 4}, {0, 1}, {31, 5},           // filler
                                {10, 4}, {0, 1}, {4, 5}, {'A', 8}}));
}

TEST_F(DemoRecordsTest, AKeyTheDebugKeysTakeIsNotRecorded) {
  Start(true);
  mApp->mDebugKeysEnabled = true;
  Send(WM_KEYDOWN, VK_F10);
  Send(WM_KEYDOWN, 'A');
  EXPECT_EQ(mProbe->mEvents, (std::vector<std::string>{"down 65"}));
  EXPECT_EQ(Recorded(), BitsOf({{0, 4}, {0, 1}, {3, 5}, {'A', 8}}));
}

TEST_F(DemoRecordsTest, MouseMessagesTakeTheSmallestRecord) {
  Start(true);
  Send(WM_MOUSEMOVE, 0, MakePointLParam(100, 100));
  mApp->mDemoBuffer.Clear();
  const struct {
    const char* name;
    UINT message;
    int x, y;
    Fields fields;
  } cases[] = {
      {"small move", WM_MOUSEMOVE, 131, 69, {{0, 4}, {1, 1}, {0, 1}, {31, 6}, {static_cast<uint32_t>(-31), 6}}},
      {"far move", WM_MOUSEMOVE, 163, 69, {{0, 4}, {0, 1}, {0, 5}, {163, 12}, {69, 12}}},
      // A click where the mouse is: the button record alone.
      {"press in place", WM_LBUTTONDOWN, 163, 69, {{0, 4}, {1, 1}, {1, 1}, {1, 1}, {1, 3}}},
      // With the button held the move is a drag for the widgets: kept.
      {"release in place", WM_LBUTTONUP, 163, 69,
       {{0, 4}, {1, 1}, {0, 1}, {0, 6}, {0, 6}, {0, 4}, {1, 1}, {1, 1}, {0, 1}, {1, 3}}},
      {"right double click", WM_RBUTTONDBLCLK, 160, 70,
       {{0, 4}, {1, 1}, {0, 1}, {static_cast<uint32_t>(-3), 6}, {1, 6}, {0, 4}, {1, 1}, {1, 1}, {1, 1},
        {static_cast<uint32_t>(-2), 3}}},
      {"right release", WM_RBUTTONUP, 160, 70, {{0, 4}, {1, 1}, {0, 1}, {0, 6}, {0, 6},
                                               {0, 4}, {1, 1}, {1, 1}, {0, 1}, {static_cast<uint32_t>(-1), 3}}},
      // Dragged left of and above the window: a negative position.
      {"outside", WM_MOUSEMOVE, -300, -40,
       {{0, 4}, {0, 1}, {0, 5}, {static_cast<uint32_t>(-300), 12}, {static_cast<uint32_t>(-40), 12}}},
  };
  for (const auto& c : cases) {
    mApp->mDemoBuffer.Clear();
    Send(c.message, 0, MakePointLParam(c.x, c.y));
    EXPECT_EQ(Recorded(), BitsOf(c.fields)) << c.name;
  }
  EXPECT_EQ(mApp->mDemoMouseX, -300);
  EXPECT_EQ(mApp->mDemoMouseY, -40);
}

TEST_F(DemoRecordsTest, StateChangesAndOutsideValuesAreRecorded) {
  Start(true);
  GetRegistryStore().SetValue("SOFTWARE\\TestCo\\PlixTest", "Name", REG_SZ,
                              reinterpret_cast<const BYTE*>("Pemi"), 4);
  const struct {
    const char* name;
    std::function<void()> act;
    Fields fields;
  } cases[] = {
      {"focus lost", [&] { Send(WM_ACTIVATEAPP, 0); }, {{0, 4}, {0, 1}, {1, 5}, {0, 1}}},
      {"minimised", [&] { Send(WM_SIZE, SIZE_MINIMIZED); }, {{0, 4}, {0, 1}, {2, 5}, {1, 8}}},
      {"character", [&] { Send(WM_CHAR, 0x20AC); }, {{0, 4}, {0, 1}, {5, 5}, {1, 1}, {0x20AC, 16}}},
      {"wheel", [&] { Send(WM_MOUSEWHEEL, static_cast<WPARAM>(static_cast<uint16_t>(-240)) << 16); },
       {{0, 4}, {0, 1}, {21, 5}, {static_cast<uint8_t>(-2), 8}}},
      {"registry read",
       [&] {
         std::string name;
         mApp->ReadRegistryString("Name", name);
       },
       {{0, 4}, {0, 1}, {11, 5}, {1, 1}, {REG_SZ, 32}, {4, 32}, {'P', 8}, {'e', 8}, {'m', 8}, {'i', 8}}},
      {"registry read failed",
       [&] {
         int32_t v = 0;
         mApp->ReadRegistryInteger("Missing", v);
       },
       {{0, 4}, {0, 1}, {11, 5}, {0, 1}}},
      {"registry write", [&] { mApp->WriteRegistryInteger("Count", 3); }, {{0, 4}, {0, 1}, {12, 5}, {1, 1}}},
      {"file check", [&] { mApp->FileExists(mDir / "nothing"); }, {{0, 4}, {0, 1}, {14, 5}, {0, 1}}},
      {"file write", [&] { mApp->WriteBytesToFile(mDir / "f.bin", "ab", 2); }, {{0, 4}, {0, 1}, {16, 5}, {1, 1}}},
      {"clipboard",
       [&] {
         SetClipboardTextA("hi");
         mApp->GetClipboardText();
       },
       {{0, 4}, {0, 1}, {18, 5}, {4, 32}, {2, 16}, {'h', 8}, {'i', 8}}},
      {"close", [&] { Send(WM_CLOSE); }, {{0, 4}, {0, 1}, {6, 5}}},
  };
  for (const auto& c : cases) {
    mApp->mDemoBuffer.Clear();
    c.act();
    // A close goes on to save the settings: its record comes first.
    const std::string expected = BitsOf(c.fields);
    EXPECT_EQ(Recorded().substr(0, expected.size()), expected) << c.name;
    if (c.fields.size() != 3) {
      EXPECT_EQ(Recorded().size(), expected.size()) << c.name;
    }
  }
}

TEST_F(DemoRecordsTest, AnEmptyRegistryKeyRecordsNothing) {
  Start(true);
  mApp->mRegKeyPath.clear();
  int32_t value = 0;
  EXPECT_FALSE(mApp->ReadRegistryInteger("MusicVolume", value));
  EXPECT_FALSE(mApp->WriteRegistryInteger("MusicVolume", 1));
  EXPECT_EQ(mApp->mDemoBuffer.GetDataLen(), 0);
}

TEST_F(DemoRecordsTest, ADirect3DFailureIsKeptOutsideTheDemo) {
  for (bool recording : {true, false}) {
    Start(recording);
    Play({{0, 4}, {0, 1}, {3, 5}, {'K', 8}});
    if (recording) mApp->mDemoBuffer.Clear();
    DisplayHost& display = *mApp;
    EXPECT_TRUE(display.WriteRegistryStringUnrecorded("Test3D\\RuntimeError", "DrawPrimitive: DDERR_GENERIC"));
    DWORD type = 0, length = 64;
    BYTE data[64] = {};
    EXPECT_EQ(GetRegistryStore().QueryValue("SOFTWARE\\TestCo\\PlixTest\\Test3D", "RuntimeError", &type, data, &length),
              ERROR_SUCCESS);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(data), length), "DrawPrimitive: DDERR_GENERIC");
    if (recording) {
      EXPECT_EQ(mApp->mDemoBuffer.GetDataLen(), 0);
    } else {
      mApp->ReplayDemoStep();
      EXPECT_EQ(mProbe->mEvents, (std::vector<std::string>{"down 75"}));
    }
    GetRegistryStore().DeleteValue("SOFTWARE\\TestCo\\PlixTest\\Test3D", "RuntimeError");
  }
}

TEST_F(DemoRecordsTest, PlaybackFeedsInputAtItsUpdate) {
  Start(false);
  Play({{2, 4}, {0, 1}, {0, 5}, {static_cast<uint32_t>(-20), 12}, {500, 12},  // at update 2
        {0, 4}, {1, 1}, {0, 1}, {5, 6}, {static_cast<uint32_t>(-3), 6},
        {0, 4}, {0, 1}, {5, 5}, {1, 1}, {0x20AC, 16},
        {0, 4}, {0, 1}, {5, 5}, {0, 1}, {'q', 8},
        {0, 4}, {0, 1}, {21, 5}, {static_cast<uint8_t>(-1), 8},
        {1, 4}, {0, 1}, {3, 5}, {'K', 8}});  // at update 3
  mApp->ReplayDemoStep();
  EXPECT_TRUE(mProbe->mEvents.empty());
  mApp->mTicksDone = 2;
  mApp->ReplayDemoStep();
  EXPECT_EQ(mApp->mAppWidgets->mLastMouseX, -15);
  EXPECT_EQ(mApp->mAppWidgets->mLastMouseY, 497);
  EXPECT_EQ(mProbe->mEvents, (std::vector<std::string>{"char 8364", "char 113", "wheel -1"}));
  mApp->mTicksDone = 3;
  mApp->ReplayDemoStep();
  EXPECT_EQ(mProbe->mEvents.back(), "down 75");
}

TEST_F(DemoRecordsTest, PlaybackAnswersFromTheDemoWithoutTouchingAnything) {
  Start(false);
  Play({{0, 4}, {0, 1}, {12, 5}, {0, 1},     // a write that failed
        {0, 4}, {0, 1}, {14, 5}, {1, 1},     // a file that was there
        {0, 4}, {0, 1}, {16, 5}, {1, 1},     // a file written
        {0, 4}, {0, 1}, {11, 5}, {1, 1}, {REG_DWORD, 32}, {4, 32}, {7, 32},
        {0, 4}, {0, 1}, {18, 5}, {5, 32}, {3, 16}, {'a', 8}, {'b', 8}, {'c', 8}});
  const std::string before = GetRegistryStore().Serialize();
  EXPECT_FALSE(mApp->WriteRegistryInteger("Count", 1));
  EXPECT_TRUE(mApp->FileExists(mDir / "nowhere"));
  EXPECT_TRUE(mApp->WriteBytesToFile(mDir / "f.bin", "x", 1));
  int32_t value = 0;
  EXPECT_TRUE(mApp->ReadRegistryInteger("Count", value));
  EXPECT_EQ(value, 7);
  SetClipboardTextA("real");
  EXPECT_EQ(mApp->GetClipboardText(), "abc");
  mApp->CopyToClipboard("copied");
  EXPECT_EQ(GetRegistryStore().Serialize(), before);
  EXPECT_FALSE(Fs::Exists(mDir / "f.bin"));
  EXPECT_EQ(mBackend.mClipboard, L"real");

  // Once the user closed the window nothing more is read.
  mApp->mUserClosed = true;
  EXPECT_TRUE(mApp->WriteRegistryInteger("Count", 1));
  EXPECT_TRUE(mApp->FileExists(mDir / "nowhere"));
  EXPECT_FALSE(mApp->ReadRegistryInteger("Count", value));
}

TEST_F(DemoRecordsTest, ARecordedValueLongerThanTheBufferIsMoreData) {
  Start(false);
  Play({{0, 4}, {0, 1}, {11, 5}, {1, 1}, {REG_BINARY, 32}, {8, 32}, {0x04030201, 32}, {0x08070605, 32},
        {0, 4}, {0, 1}, {3, 5}, {'K', 8}});
  uint8_t bytes[8] = {0, 0, 0, 0, 0xEE, 0xEE, 0xEE, 0xEE};
  DWORD type = 0, length = 4;
  EXPECT_FALSE(mApp->ReadRegistryValue("Blob", &type, bytes, &length));
  EXPECT_EQ(length, 8u);
  EXPECT_EQ(type, REG_BINARY);
  EXPECT_EQ(std::vector<uint8_t>(bytes, bytes + 8), (std::vector<uint8_t>{1, 2, 3, 4, 0xEE, 0xEE, 0xEE, 0xEE}));
  // The stream is still in step.
  mApp->ReplayDemoStep();
  EXPECT_EQ(mProbe->mEvents, (std::vector<std::string>{"down 75"}));
}

TEST_F(DemoRecordsTest, ARecordOfAnotherKindIsReportedAndLeftInPlace) {
  Start(false);
  std::string debug;
  SetDebugOutputSink([&](const std::string& text) { debug += text; });
  Play({{0, 4}, {0, 1}, {3, 5}, {'K', 8},
        // A value nobody asks for on replay: stepped over by its payload.
        {0, 4}, {0, 1}, {18, 5}, {3, 32}, {'x', 8}, {'y', 8}, {'z', 8},
        {0, 4}, {0, 1}, {4, 5}, {'K', 8}});
  EXPECT_TRUE(mApp->FileExists(mDir / "nowhere"));
  EXPECT_NE(debug.find("Demo out of step at update 0: a file check was asked for, a long record of type 3"),
            std::string::npos)
      << debug;
  mApp->ReplayDemoStep();
  EXPECT_EQ(mProbe->mEvents, (std::vector<std::string>{"down 75", "up 75"}));
  SetDebugOutputSink(nullptr);
}

TEST_F(DemoRecordsTest, AFocusFlickerReplaysAsItWasLived) {
  // Lost and back before the queue was handled: the game never lost it.
  Start(true);
  App().mHooks.clear();
  SendMessageA(mApp->mMainWindow, WM_ACTIVATEAPP, 0, 0);
  SendMessageA(mApp->mMainWindow, WM_ACTIVATEAPP, 1, 0);
  while (mApp->ProcessDeferredMessages()) {
  }
  EXPECT_TRUE(App().mHooks.empty());
  mApp->mDemoPlaying = true;
  mApp->mDemoRecordTime = 0;
  mApp->ReplayDemoStep();
  EXPECT_TRUE(App().mHooks.empty());
  EXPECT_TRUE(mApp->mAppActive);
}

TEST_F(DemoRecordsTest, ReplayedFocusAndWindowStateActAsTheRecordingDid) {
  Start(false);
  App().mHooks.clear();
  Play({{0, 4}, {0, 1}, {1, 5}, {0, 1},      // focus lost
        {0, 4}, {0, 1}, {2, 5}, {1, 8},      // minimised
        {0, 4}, {0, 1}, {2, 5}, {0, 8},      // restored
        {0, 4}, {0, 1}, {1, 5}, {1, 1},      // focus back
        {0, 4}, {0, 1}, {8, 5},              // mouse left
        {0, 4}, {0, 1}, {23, 5}, {0, 8}, {60, 8}});
  mApp->ReplayDemoStep();
  EXPECT_EQ(App().mHooks, (std::vector<std::string>{"LostFocus", "GotFocus"}));
  EXPECT_FALSE(mApp->mIsMinimised);
  EXPECT_FALSE(mApp->IsMuted());
  EXPECT_FALSE(mApp->mMouseInside);
  EXPECT_FALSE(mApp->mWindowedMode);
  EXPECT_EQ(mApp->mRefreshRateHz, 60);
}

}  // namespace
}  // namespace Plix::Testing
