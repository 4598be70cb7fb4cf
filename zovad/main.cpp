// The program's entry: the game's application object, initialised, run
// until it shuts down, and deleted.
#include "framework/app/CrashHandler.h"
#include "framework/platform/CommandLine.h"
#include "framework/platform/WinTypes.h"
#include "game/app/GameApp.h"
#include "game/screens/GameScreenFactory.h"

// The crash handler is in place before anything of the framework exists.
PLIX_CRASH_HANDLER_INSTALLER;

namespace {

// The original entry's shape. There is no module instance to keep here: the
// window system needs none.
int WinMain(Plix::HINSTANCE, Plix::HINSTANCE, const char*, int) {
  auto* app = new Plix::GameApp();
  // Outlives the application, whose screens it makes.
  Plix::GameScreenFactory screens(*app);
  app->SetScreenFactory(&screens);
  app->Init();
  app->Start();
  const int code = app->mExitCode;
  delete app;
  return code;
}

}  // namespace

int main(int argc, char** argv) {
  Plix::SetCommandLineArgs(argc, argv);
  return WinMain(nullptr, nullptr, "", 1);
}
