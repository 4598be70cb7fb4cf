// A dialog with a check box, a slider and an edit field in a real window
// (Xvfb, or SDL's dummy driver without a display). Input goes in as SDL
// events and travels the window system's path: SDL event translation into
// window messages, the message queue, and a small window procedure that
// hands mouse and keyboard messages to the widget manager as the
// application does. The dialog's result, the controls' values and the
// window's picture are checked. PLIX_UPDATE_GOLDEN=1 rewrites the picture.
#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <vector>

#include "framework/graphics/DDInterface.h"
#include "framework/graphics/MemoryImage.h"
#include "framework/platform/FontEngine.h"
#include "framework/platform/SdlWindow.h"
#include "framework/platform/WindowSystem.h"
#include "framework/resources/ImageLib.h"
#include "framework/widget/Checkbox.h"
#include "framework/widget/CheckboxListener.h"
#include "framework/widget/Dialog.h"
#include "framework/widget/DialogListener.h"
#include "framework/widget/EditListener.h"
#include "framework/widget/EditWidget.h"
#include "framework/widget/Slider.h"
#include "framework/widget/SliderListener.h"
#include "framework/widget/WidgetHost.h"
#include "framework/widget/WidgetManager.h"
#include "tests/graphics/DisplayTestSupport.h"
#include "tests/support/Golden.h"
#include "tests/support/TestSupport.h"

namespace Plix {
namespace {

constexpr const char* kFontFile = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
constexpr int kWidth = 320;
constexpr int kHeight = 240;

WidgetManager* gManager = nullptr;

// What the application's window procedure does with input: positions
// through ScaleMousePosition, the signed click codes, keys and characters.
LRESULT SmokeWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  WidgetManager* m = gManager;
  if (m != nullptr && message >= WM_MOUSEMOVE && message <= WM_MBUTTONUP) {
    int x = static_cast<int16_t>(lParam & 0xFFFF);
    int y = static_cast<int16_t>((lParam >> 16) & 0xFFFF);
    m->ScaleMousePosition(x, y);
    m->MouseMove(x, y);
    switch (message) {
      case WM_LBUTTONDOWN: m->MouseDown(x, y, 1); break;
      case WM_LBUTTONDBLCLK: m->MouseDown(x, y, 2); break;
      case WM_RBUTTONDOWN: m->MouseDown(x, y, -1); break;
      case WM_RBUTTONDBLCLK: m->MouseDown(x, y, -2); break;
      case WM_MBUTTONDOWN: m->MouseDown(x, y, 3); break;
      case WM_LBUTTONUP: m->MouseUp(x, y, 1); break;
      case WM_RBUTTONUP: m->MouseUp(x, y, -1); break;
      case WM_MBUTTONUP: m->MouseUp(x, y, 3); break;
      default: break;
    }
    return 0;
  }
  if (m != nullptr) {
    switch (message) {
      case WM_KEYDOWN: m->KeyDown(static_cast<int>(wParam)); return 0;
      case WM_KEYUP: m->KeyUp(static_cast<int>(wParam)); return 0;
      case WM_CHAR: m->KeyChar(static_cast<wchar_t>(wParam)); return 0;
      default: break;
    }
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

// The application side: one main-loop step pumps the messages, runs one
// update tick and draws what is dirty.
class SmokeHost : public WidgetHost, public DialogListener {
public:
  SmokeHost(WidgetManager* manager, DDInterface* display) : mManager(manager), mDisplay(display) {}

  DialogListener* GetDialogListener() override { return this; }
  bool MainLoopStep(bool) override {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    mManager->UpdateTick();
    if (mManager->DrawDirtyWidgets()) mDisplay->Redraw();
    return ++mSteps < 500;
  }
  void DialogButtonPressed(int dialogId, int buttonId) override {
    mLog.push_back("pressed " + std::to_string(dialogId) + " " + std::to_string(buttonId));
  }
  void DialogButtonReleased(int dialogId, int buttonId) override {
    mLog.push_back("released " + std::to_string(dialogId) + " " + std::to_string(buttonId));
  }

  WidgetManager* mManager;
  DDInterface* mDisplay;
  int mSteps = 0;
  std::vector<std::string> mLog;
};

struct ValueRecorder : CheckboxListener, SliderListener, EditListener {
  std::vector<std::string> mLog;
  void OnCheckboxChanged(int id, bool checked) override { mLog.push_back("check " + std::to_string(checked)); }
  void OnSliderValue(int id, double value) override { mLog.push_back("slider " + std::to_string(value)); }
};

class ScopedFontPin {
public:
  explicit ScopedFontPin(const char* path) { PinFontFile(path); }
  ~ScopedFontPin() { PinFontFile(""); }
};

std::unique_ptr<MemoryImage> Picture(int w, int h, uint32_t (*pixel)(int, int)) {
  auto image = std::make_unique<MemoryImage>();
  image->Create(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) image->GetBits()[y * w + x] = pixel(x, y);
  image->OnBitsChanged();
  return image;
}

void Push(SDL_Event event) { ASSERT_EQ(SDL_PushEvent(&event), 1) << SDL_GetError(); }

void PushMotion(uint32_t window, int x, int y, uint32_t state) {
  SDL_Event e{};
  e.type = SDL_MOUSEMOTION;
  e.motion.windowID = window;
  e.motion.x = x;
  e.motion.y = y;
  e.motion.state = state;
  Push(e);
}

void PushButton(uint32_t window, bool down, int x, int y) {
  SDL_Event e{};
  e.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
  e.button.windowID = window;
  e.button.button = SDL_BUTTON_LEFT;
  e.button.state = down ? SDL_PRESSED : SDL_RELEASED;
  e.button.clicks = 1;
  e.button.x = x;
  e.button.y = y;
  Push(e);
}

void PushClick(uint32_t window, int x, int y) {
  PushMotion(window, x, y, 0);
  PushButton(window, true, x, y);
  PushButton(window, false, x, y);
}

void PushText(uint32_t window, const char* text) {
  SDL_Event e{};
  e.type = SDL_TEXTINPUT;
  e.text.windowID = window;
  SDL_strlcpy(e.text.text, text, sizeof(e.text.text));
  Push(e);
}

void PushKey(uint32_t window, SDL_Keycode key, SDL_Scancode scancode) {
  for (bool down : {true, false}) {
    SDL_Event e{};
    e.type = down ? SDL_KEYDOWN : SDL_KEYUP;
    e.key.windowID = window;
    e.key.state = down ? SDL_PRESSED : SDL_RELEASED;
    e.key.keysym.sym = key;
    e.key.keysym.scancode = scancode;
    Push(e);
  }
}

TEST(WidgetSmoke, DialogAnsweredThroughTheWindowMatchesTheGoldenPicture) {
  if (!std::getenv("DISPLAY") || !*std::getenv("DISPLAY")) setenv("SDL_VIDEODRIVER", "dummy", 0);
  setenv("SDL_RENDER_DRIVER", "software", 0);
  ScopedFontPin pin(kFontFile);

  EmulatedDisplayConfig config;
  config.desktopWidth = 640;
  config.desktopHeight = 480;
  Testing::TestDisplay display(32, kWidth, kHeight, config);
  ASSERT_NE(RegisterClassW("WidgetSmokeWindow", SmokeWindowProc, 0), 0);
  HWND hwnd = CreateWindowExW(0, "WidgetSmokeWindow", L"Plix widget smoke test", WS_CAPTION | WS_VISIBLE, 10, 10,
                              kWidth, kHeight);
  ASSERT_NE(hwnd, nullptr);
  SdlWindow* window = SdlWindow::FromHandle(hwnd);
  ASSERT_NE(window, nullptr);
  ASSERT_EQ(display.Init(hwnd), 0) << display->mErrorString;

  WidgetManager manager;
  manager.Resize(Rect(0, 0, kWidth, kHeight), Rect(0, 0, kWidth, kHeight));
  manager.mImage = display->GetScreenImage();
  SmokeHost host(&manager, display.get());
  ScopedWidgetHost scopedHost(&host);
  gManager = &manager;

  ValueRecorder values;
  auto track = Picture(30, 8, [](int x, int y) { return x < 10 || x >= 20 ? 0xFF606060u : 0xFFB0B0B0u; });
  auto thumb = Picture(12, 20, [](int x, int y) { return x == 0 || x == 11 ? 0xFF000040u : 0xFF3060E0u; });
  auto* dialog = new Dialog(nullptr, 7, true, L"Options", L"Tick, slide and type.", L"",
                            Dialog::BUTTONS_OK_CANCEL);
  dialog->Resize(20, 10, 280, 220);
  Checkbox checkbox(1, &values);
  checkbox.Resize(30, 80, 16, 16);
  Slider slider(2, &values);
  slider.mTrackImage = track.get();
  slider.mThumbImage = thumb.get();
  slider.Resize(30, 110, 200, 20);
  EditWidget edit(3, &values);
  edit.Resize(30, 140, 200, 24);
  dialog->AddWidget(&checkbox);
  dialog->AddWidget(&slider);
  dialog->AddWidget(&edit);
  manager.AddWidget(dialog);
  manager.PushModalBase(dialog);

  // Let the window settle, then drop what the system sent on its own.
  for (int i = 0; i < 3; ++i) host.MainLoopStep(false);
  const uint32_t id = window->WindowId();
  PushClick(id, 58, 98);          // the check box at (50, 90) on the screen
  PushMotion(id, 55, 130, 0);     // the slider's thumb at value 0: grabbed 5 in
  PushButton(id, true, 55, 130);
  PushMotion(id, 149, 130, SDL_BUTTON_LMASK);  // (99 - 5) / (200 - 12) = 0.5
  PushButton(id, false, 149, 130);
  PushClick(id, 100, 162);        // into the edit field
  PushText(id, "Pemix");
  PushKey(id, SDLK_BACKSPACE, SDL_SCANCODE_BACKSPACE);
  PushClick(id, 100, 194);        // OK

  const int result = dialog->WaitForResult(false);
  EXPECT_EQ(result, 1000);
  EXPECT_LT(host.mSteps, 500);
  EXPECT_EQ(host.mLog, (std::vector<std::string>{"pressed 7 1000", "released 7 1000"}));
  EXPECT_TRUE(checkbox.IsChecked());
  EXPECT_EQ(slider.mVal, 0.5);
  EXPECT_EQ(values.mLog, (std::vector<std::string>{"check 1", "slider 0.500000", "slider 0.500000"}));
  EXPECT_EQ(edit.mString, L"Pemi");
  EXPECT_EQ(manager.mFocusWidget, &edit);

  manager.MarkAllDirty();
  ASSERT_TRUE(manager.DrawDirtyWidgets());
  ASSERT_TRUE(display->Redraw());
  std::vector<uint32_t> shot;
  int w = 0, h = 0;
  ASSERT_TRUE(window->ReadPresentedPixels(shot, w, h));
  ASSERT_EQ(w, kWidth);
  ASSERT_EQ(h, kHeight);
  for (uint32_t& p : shot) p |= 0xFF000000u;

  Testing::ExpectMatchesGolden("tests/widget/golden/dialog.png", shot, w, h);

  manager.PopModalBase(dialog);
  manager.RemoveWidget(dialog);
  dialog->RemoveAllWidgets();
  delete dialog;
  gManager = nullptr;
  display->Cleanup();
  DestroyWindow(hwnd);
}

}  // namespace
}  // namespace Plix
