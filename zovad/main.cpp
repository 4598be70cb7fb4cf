// The program's entry: one application object, initialised, run until it
// shuts down, and deleted.
#include "framework/app/CrashHandler.h"
#include "framework/app/PlixAppBase.h"
#include "framework/graphics/Color.h"
#include "framework/graphics/Graphics.h"
#include "framework/platform/CommandLine.h"
#include "framework/widget/Widget.h"
#include "framework/widget/WidgetManager.h"

// The crash handler is in place before anything of the framework exists.
PLIX_CRASH_HANDLER_INSTALLER;

namespace {

// Until the game's own application arrives: the game's settings over an
// empty screen.
class ZovadApp : public Plix::PlixAppBase {
public:
  ZovadApp() {
    mCompanyWord = "VARNOK";
    mProductTitle = "Zovad Uda Vodiz";
    mWindowTitle = L"Zovad Uda Vodiz";
    mRegKeyPath = "VARNOK\\Zovad Uda Vodiz";
    mProductVersion = "1.03";
    mScreenWidth = 800;
    mScreenHeight = 600;
    mMusicVolume = 0.5;
    mSfxVolume = 0.8;
    mWindowedMode = false;
    mLoaderStartsWithLoop = false;
    mPaceByRefresh = true;
    mUse3DWhenRecommended = true;
  }

  void FinishInit() override {
    mBackground.Resize(0, 0, mScreenWidth, mScreenHeight);
    mAppWidgets->AddWidget(&mBackground);
    // No loading to wait for: the load is handed over at the first tick.
    StartLoadingThread();
  }

  void OnShutdown() override { mAppWidgets->RemoveWidget(&mBackground); }

private:
  class Background : public Plix::Widget {
  public:
    void Draw(Plix::Graphics* g) override {
      g->SetColor(Plix::Color(32, 96, 128));
      g->FillRect(0, 0, mWidth, mHeight);
    }
  };

  Background mBackground;
};

}  // namespace

int main(int argc, char** argv) {
  Plix::SetCommandLineArgs(argc, argv);
  auto* app = new ZovadApp();
  app->Init();
  app->Start();
  delete app;
  return 0;
}
