#include "tests/app/AppTestSupport.h"

#include <sstream>

#include "framework/platform/CommandLine.h"
#include "framework/platform/DebugOutput.h"
#include "framework/util/Utilities.h"
#include "framework/widget/WidgetManager.h"

namespace Plix::Testing {

TestApp::TestApp() {
  mCompanyWord = "TestCo";
  mProductTitle = "PlixTest";
  mWindowTitle = L"PlixTest";
  mRegKeyPath = "TestCo\\PlixTest";
  mScreenWidth = 800;
  mScreenHeight = 600;
  mSoundWithoutWindow = true;
}

AppFixture::AppFixture()
    : mRuntime("XDG_RUNTIME_DIR", mDir.Path()), mData("XDG_DATA_HOME", mDir / "data"), mCwd(mDir.Path()) {
  mBackend.mFocusNewWindows = true;
  const char* args[] = {"/opt/plix/app"};
  SetCommandLineArgs(1, args);
  SetExitHandler([](int code) { throw ExitCalled{code}; });
  SetDebugOutputSink([this](const std::string& text) { mDebug += text; });
}

AppFixture::~AppFixture() {
  if (mProbe && mApp && mApp->mAppWidgets) mApp->mAppWidgets->RemoveWidget(mProbe.get());
  mProbe.reset();
  mApp.reset();
  SetDebugOutputSink(nullptr);
  SetExitHandler(nullptr);
  SetAppDataFolder("");
}

int AppFixture::InitApp() {
  try {
    mApp->Init();
  } catch (const ExitCalled& e) {
    return e.code;
  }
  return -1;
}

void AppFixture::RunFor(uint32_t ms) {
  const uint32_t end = mClock.Milliseconds() + ms;
  while (static_cast<int32_t>(mClock.Milliseconds() - end) < 0) mApp->MainLoopStep(nullptr);
}

void AppFixture::Pump() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
  while (mApp->ProcessDeferredMessages()) {
  }
}

ProbeWidget& AppFixture::AddProbe() {
  mProbe = std::make_unique<ProbeWidget>();
  mProbe->Resize(0, 0, mApp->mScreenWidth, mApp->mScreenHeight);
  mApp->mAppWidgets->AddWidget(mProbe.get());
  mApp->mAppWidgets->SetFocus(mProbe.get());
  return *mProbe;
}

std::vector<std::string> AppFixture::DebugLines() const {
  std::vector<std::string> lines;
  std::istringstream in(mDebug);
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

}  // namespace Plix::Testing
