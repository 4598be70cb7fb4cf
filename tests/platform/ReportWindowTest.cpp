#include "framework/platform/ReportWindow.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>

#include "framework/platform/WinMessages.h"
#include "framework/platform/WindowSystem.h"
#include "tests/support/SdlInput.h"

namespace Plix {
namespace {

// Real windows need the display of the test run (Xvfb).
std::unique_ptr<ReportWindowSystem> OpenOrSkip() {
  if (!std::getenv("DISPLAY") || !*std::getenv("DISPLAY")) return nullptr;
  setenv("SDL_RENDER_DRIVER", "software", 0);
  return OpenReportWindowSystem();
}

using Testing::PushClick;
using Testing::PushKey;
using Testing::PushText;

TEST(ReportWindow, EditsTextAndReportsButtonPresses) {
  auto system = OpenOrSkip();
  if (!system) GTEST_SKIP() << "no display";
  ReportWindowDesc desc("Report window test", 64, 64, 400, 300);
  desc.controls = {
      ReportControl(ReportControl::Kind::Label, 1, 8, 8, 384, 84,
                    L"A label that is long enough to be wrapped onto a second line."),
      ReportControl(ReportControl::Kind::EditBox, 2, 8, 92, 384, 168, L""),
      ReportControl(ReportControl::Kind::Button, 3, 8, 268, 188, 24, L"Continue"),
      ReportControl(ReportControl::Kind::Button, 4, 204, 268, 188, 24, L"Abort"),
  };
  desc.controls[1].focused = true;
  desc.controls[3].enabled = false;
  auto window = system->CreateReportWindow(desc);
  ASSERT_TRUE(window);
  uint32_t id = window->NativeWindowId();
  PushText(id, "ab");
  PushKey(id, SDLK_RETURN);
  PushText(id, "c");
  PushKey(id, SDLK_BACKSPACE);
  PushText(id, "d\xC3\xA9");  // "dé"
  PushKey(id, SDLK_LEFT);
  PushKey(id, SDLK_LEFT);       // back before the "d"
  PushKey(id, SDLK_BACKSPACE);  // removes the line end as one

  PushClick(id, 300, 280);  // the disabled button: nothing
  PushClick(id, 100, 280);
  std::vector<ReportEvent> events;
  window->Run([&](const ReportEvent& e) {
    if (e.kind == ReportEvent::Kind::Timer) return true;
    events.push_back(e);
    return false;
  });
  ASSERT_EQ(events.size(), 1u);
  EXPECT_EQ(events[0].kind, ReportEvent::Kind::Command);
  EXPECT_EQ(events[0].id, 3);
  EXPECT_EQ(window->GetText(2), L"abd\u00e9");
  window->SetText(1, L"changed");
  EXPECT_EQ(window->GetText(1), L"changed");
}

TEST(ReportWindow, TimersAndTheCloseRequest) {
  auto system = OpenOrSkip();
  if (!system) GTEST_SKIP() << "no display";
  ReportWindowDesc desc("Timer test", 64, 64, 240, 64);
  desc.timers = {{7, 5}};
  desc.controls = {ReportControl(ReportControl::Kind::Button, 1, 72, 36, 96, 22, L"Abort")};
  auto window = system->CreateReportWindow(desc);
  ASSERT_TRUE(window);
  uint32_t id = window->NativeWindowId();
  int ticks = 0;
  bool closed = false;
  window->Run([&](const ReportEvent& e) {
    if (e.kind == ReportEvent::Kind::Timer) {
      EXPECT_EQ(e.id, 7);
      if (++ticks == 3) {
        SDL_Event close{};
        close.type = SDL_WINDOWEVENT;
        close.window.windowID = id;
        close.window.event = SDL_WINDOWEVENT_CLOSE;
        SDL_PushEvent(&close);
      }
      return true;
    }
    closed = e.kind == ReportEvent::Kind::Close;
    return false;
  });
  EXPECT_GE(ticks, 3);
  EXPECT_TRUE(closed);
}

// A notice at start-up: the player sees it (a window of its own appears,
// drawn with the system's fonts), and a request to end the program (SIGTERM)
// ends the box too and reaches the program's own event loop.
TEST(NoticeBox, IsShownAndEndsWhenTheProgramIsAskedToEnd) {
  if (!std::getenv("DISPLAY") || !*std::getenv("DISPLAY")) GTEST_SKIP() << "no display";
  if (std::system("command -v xdotool >/dev/null 2>&1") != 0) GTEST_SKIP() << "no xdotool";
  ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0);
  struct sigaction current {};
  sigaction(SIGTERM, nullptr, &current);
  // SDL turns SIGTERM into a quit event; without its handler the signal
  // would end this test.
  ASSERT_NE(current.sa_handler, SIG_DFL);

  std::atomic<bool> seen{false}, returned{false};
  std::thread watcher([&seen, &returned] {
    // Bounds far beyond what the box needs, so a busy machine passes.
    for (int i = 0; i < 1200 && !seen; ++i) {
      if (std::system("xdotool search --name '^Notice box test$' >/dev/null 2>&1") == 0) seen = true;
      else usleep(50 * 1000);
    }
    kill(getpid(), SIGTERM);
    // A box that outlives the request would hang the test: fail it instead.
    for (int i = 0; i < 1200 && !returned; ++i) usleep(50 * 1000);
    if (!returned) {
      std::fputs("The notice box did not end on SIGTERM.\n", stderr);
      std::_Exit(1);
    }
  });
  const std::wstring text =
      L"The players' file /home/someone/.local/share/ZovadUdaVodiz/profdatavx.bin could not be read: "
      L"the file ends before the third player's record. A copy of it was kept as "
      L"/home/someone/.local/share/ZovadUdaVodiz/profdatavx.bin.broken and the other players were kept.";
  const int answer = GetWindowBackend().MessageBox(nullptr, text, L"Notice box test", MB_OK | MB_ICONWARNING);
  returned = true;
  watcher.join();
  EXPECT_TRUE(seen) << "the box never appeared";
  EXPECT_EQ(answer, IDOK);
  SDL_Event quit;
  EXPECT_EQ(SDL_PeepEvents(&quit, 1, SDL_GETEVENT, SDL_QUIT, SDL_QUIT), 1) << "the quit request was swallowed";
}

}  // namespace
}  // namespace Plix
