#include "framework/platform/ReportWindow.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>

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

}  // namespace
}  // namespace Plix
