// A dialog with a check box, a slider and an edit field, shown by the
// application base in its window on an X server of its own (other window
// tests open windows, and so take the input focus, at the same time;
// without Xvfb, or without a display, SDL's dummy driver serves). Input goes
// in as SDL events and travels the application's whole path: SDL event
// translation into window messages, the message queue, the application's
// window procedure and deferred queue, and its main-loop steps, which hand
// the input to the widget manager. The dialog's result, the controls'
// values and the window's picture are checked. PLIX_UPDATE_GOLDEN=1
// rewrites the picture.
#include <SDL.h>
#include <gtest/gtest.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "framework/app/PlixAppBase.h"
#include "framework/graphics/MemoryImage.h"
#include "framework/platform/CommandLine.h"
#include "framework/platform/FontEngine.h"
#include "framework/platform/SdlWindow.h"
#include "framework/widget/Checkbox.h"
#include "framework/widget/CheckboxListener.h"
#include "framework/widget/Dialog.h"
#include "framework/widget/EditListener.h"
#include "framework/widget/EditWidget.h"
#include "framework/widget/Slider.h"
#include "framework/widget/SliderListener.h"
#include "framework/widget/WidgetManager.h"
#include "tests/support/Golden.h"
#include "tests/support/SdlInput.h"
#include "tests/support/TestSupport.h"

namespace Plix {
namespace {

constexpr const char* kFontFile = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
constexpr int kWidth = 320;
constexpr int kHeight = 240;
constexpr int kDialogId = 7;

// An Xvfb of this test's own, named by DISPLAY while it lives; without one
// the display stays as it was.
class PrivateXServer {
public:
  PrivateXServer() {
    if (!std::getenv("DISPLAY") || !*std::getenv("DISPLAY")) return;
    int fds[2];
    if (pipe(fds) != 0) return;
    mPid = fork();
    if (mPid == 0) {
      // It goes when the test goes, and writes nowhere but the pipe.
      prctl(PR_SET_PDEATHSIG, SIGTERM);
      close(fds[0]);
      const int null = open("/dev/null", O_RDWR);
      dup2(null, 0);
      dup2(null, 1);
      dup2(null, 2);
      const std::string fd = std::to_string(fds[1]);
      execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "1024x768x24", "-nolisten", "tcp",
             static_cast<char*>(nullptr));
      _exit(127);
    }
    close(fds[1]);
    std::string number;
    char c;
    while (mPid > 0 && read(fds[0], &c, 1) == 1 && c != '\n') number += c;
    close(fds[0]);
    if (!number.empty()) mDisplay = std::make_unique<Testing::ScopedEnv>("DISPLAY", ":" + number);
  }
  ~PrivateXServer() {
    mDisplay.reset();
    if (mPid <= 0) return;
    kill(mPid, SIGTERM);
    waitpid(mPid, nullptr, 0);
  }

private:
  pid_t mPid = -1;
  std::unique_ptr<Testing::ScopedEnv> mDisplay;
};

// The application: no sound, no loading, and a bound on its steps so that
// a dialog nobody answers ends the test instead of hanging it.
class SmokeApp : public PlixAppBase {
public:
  SmokeApp() {
    mCompanyWord = "PlixTest";
    mProductTitle = "PlixWidgetSmoke";
    mWindowTitle = L"Plix widget smoke test";
    mRegKeyPath = "PlixTest\\PlixWidgetSmoke";
    mScreenWidth = kWidth;
    mScreenHeight = kHeight;
    mSoundWithoutWindow = true;
    mLoaderStartsWithLoop = false;
  }
  bool MainLoopStep(bool* updated) override { return ++mSteps < 3000 && PlixAppBase::MainLoopStep(updated); }
  void ButtonPressed(int id) override { mLog.push_back("pressed " + std::to_string(id)); }
  void ButtonReleased(int id) override { mLog.push_back("released " + std::to_string(id)); }

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

using Testing::PushButton;
using Testing::PushClick;
using Testing::PushFocus;
using Testing::PushKey;
using Testing::PushMotion;
using Testing::PushText;

TEST(WidgetSmoke, DialogAnsweredThroughTheWindowMatchesTheGoldenPicture) {
  PrivateXServer xserver;
  if (!std::getenv("DISPLAY") || !*std::getenv("DISPLAY")) setenv("SDL_VIDEODRIVER", "dummy", 0);
  setenv("SDL_RENDER_DRIVER", "software", 0);
  ScopedFontPin pin(kFontFile);
  Testing::TempDir dir;
  Testing::ScopedEnv config("XDG_CONFIG_HOME", dir / "config"), data("XDG_DATA_HOME", dir / "data"),
      runtime("XDG_RUNTIME_DIR", dir.Path());
  Testing::ScopedCwd cwd(dir.Path());
  const char* args[] = {"widget_smoke"};
  SetCommandLineArgs(1, args);
  SetExitHandler([](int code) { throw std::runtime_error("exit " + std::to_string(code)); });

  auto app = std::make_unique<SmokeApp>();
  ASSERT_NO_THROW(app->Init());
  SdlWindow* window = SdlWindow::FromHandle(app->mMainWindow);
  ASSERT_NE(window, nullptr);

  ValueRecorder values;
  auto track = Picture(30, 8, [](int x, int y) { return x < 10 || x >= 20 ? 0xFF606060u : 0xFFB0B0B0u; });
  auto thumb = Picture(12, 20, [](int x, int y) { return x == 0 || x == 11 ? 0xFF000040u : 0xFF3060E0u; });
  Dialog* dialog = app->OpenDialog(kDialogId, true, L"Options", L"Tick, slide and type.", L"",
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

  // Let the window settle, then drop what the system sent on its own.
  for (int i = 0; i < 10; ++i) app->MainLoopStep(nullptr);
  const uint32_t id = window->WindowId();
  PushFocus(id);                  // as a window manager gives it
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
  EXPECT_LT(app->mSteps, 3000);
  // The application hears of the dialog's buttons as 2000 above its id.
  EXPECT_EQ(app->mLog, (std::vector<std::string>{"pressed 2007", "released 2007"}));
  EXPECT_TRUE(checkbox.IsChecked());
  EXPECT_EQ(slider.mVal, 0.5);
  EXPECT_EQ(values.mLog, (std::vector<std::string>{"check 1", "slider 0.500000", "slider 0.500000"}));
  EXPECT_EQ(edit.mString, L"Pemi");
  EXPECT_EQ(app->mAppWidgets->mFocusWidget, &edit);

  app->mAppWidgets->MarkAllDirty();
  ASSERT_TRUE(app->DrawFrame());
  ASSERT_NO_FATAL_FAILURE(
      Testing::ExpectPresentedMatchesGolden(*window, kWidth, kHeight, "tests/widget/golden/dialog.png"));

  dialog->RemoveAllWidgets();
  app->CloseDialogById(kDialogId);
  SetExitHandler(nullptr);
}

}  // namespace
}  // namespace Plix
