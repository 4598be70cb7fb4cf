// One frame of a busy story day on the beach: every seat taken (guests
// waiting with their wishes in clouds, others eating), a laden belt, a full
// counter, the golden ice cream and the reputation star in the air, a
// notice and a money pop-up, the bar with its clock and figures. A frame is
// one board tick, the frame's smooth step, the board drawn into the
// emulated screen and presented in an SDL window on SDL's dummy video
// driver, always (a display would measure its OpenGL rasteriser instead).
// The game runs with the built data in <build>/run. The scene is built anew
// every 50 frames outside the timing, so that every run measures the same
// busy frames. The reference is the bandwidth floor: copying one 800 x 600
// 32-bit frame with memcpy. Once per run both are checked: the presented
// picture must be the drawn one, the copy its source. Each runs three times
// and the best counts. Ends with "ratio day_frame <ours / memcpy>".
#include <SDL.h>
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "bench/MemcpyFrame.h"
#include "bench/RatioReporter.h"
#include "framework/graphics/DDImage.h"
#include "framework/graphics/DDInterface.h"
#include "bench/BenchFolder.h"
#include "framework/graphics/Graphics.h"
#include "framework/platform/DDraw.h"
#include "framework/platform/SdlWindow.h"
#include "framework/platform/WindowSystem.h"
#include "game/app/GameApp.h"
#include "game/board/Board.h"
#include "game/board/Conveyor.h"
#include "game/characters/CustomerManager.h"
#include "tests/board/DayScene.h"

namespace Plix {
namespace {

constexpr int kWidth = 800;
constexpr int kHeight = 600;
constexpr int kFramesPerScene = 50;

// A folder of its own (always on the dummy video driver: the bench presents
// into memory), and the built data as the working directory.
struct Environment {
  Bench::BenchFolder mFolder{"day-bench", Bench::BenchFolder::Video::Dummy};
  Environment() { std::filesystem::current_path(PLIX_RUN_DIR); }
};

// The game in a window, without its splash and loader: the bench loads
// what a day needs itself.
class DayGame : public GameApp {
public:
  // In an 800 x 600 window, so that the presented picture is the drawn one
  // pixel for pixel.
  DayGame() { mWindowedMode = true; }
  bool HandleChangeDir(const std::string&) override { return true; }
};

// Its folder goes when the program ends.
Environment& Env() {
  static Environment environment;
  return environment;
}

struct Day {
  std::unique_ptr<DayGame> game;
  std::unique_ptr<Board> board;
  Testing::DayMoment moment{5, 0.4f, false, 21};  // the beach: the most seats
  int framesLeft = 0;
  bool ready = false;

  Day() {
    Env();
    game = std::make_unique<DayGame>();
    game->Init();
    if (!game->mAppDisplay || !game->LoadAndBindGroup("Permanent", false)) return;
    // As the main loop does when it starts: the window is shown. The
    // software cursor would be laid over the presented picture only, and
    // a wait for the vertical blank is no work.
    ShowWindow(game->mMainWindow, SW_SHOW);
    game->EnableCustomCursors(false);
    game->mWaitForVSync = false;
    game->SetCurrentProfile(game->CreateProfile(L"Pemi"));
    ready = Rebuild();
  }

  bool Rebuild() {
    board.reset();
    board = Testing::MakeDayMoment(*game, moment);
    if (!board) return false;
    board->LaunchReputationStar();
    for (int t = 0; t < 40; ++t) board->UpdateFlyingStar();
    game->mAppActive = true;
    framesLeft = kFramesPerScene;
    return true;
  }

  DDInterface* Display() { return static_cast<DDInterface*>(game->mAppDisplay); }

  void Frame() {
    board->Update();
    board->UpdateSmooth(1.0);
    Graphics g(Display()->GetScreenImage());
    board->Draw(&g);
    Display()->Redraw();
    --framesLeft;
  }

  std::string Drivers() const {
    SDL_RendererInfo info{};
    SdlWindow* window = SdlWindow::FromHandle(game->mMainWindow);
    SDL_Window* w = window ? SDL_GetWindowFromID(window->WindowId()) : nullptr;
    SDL_Renderer* r = w ? SDL_GetRenderer(w) : nullptr;
    const char* video = SDL_GetCurrentVideoDriver();
    return std::string("video driver ") + (video ? video : "none") + ", renderer " +
           (r && SDL_GetRendererInfo(r, &info) == 0 ? info.name : "none");
  }

  // Whether the picture in the window is the one drawn into the screen.
  bool PresentedIsDrawn() {
    std::vector<uint32_t> shown;
    int w = 0, h = 0;
    SdlWindow* window = SdlWindow::FromHandle(game->mMainWindow);
    if (!window || !window->ReadPresentedPixels(shown, w, h) || w != kWidth || h != kHeight) return false;
    IDirectDrawSurface* drawn = Display()->mDrawSurface;
    for (int y = 0; y < h; ++y) {
      const auto* row = reinterpret_cast<const uint32_t*>(drawn->Pixels() + static_cast<size_t>(y) * drawn->Pitch());
      for (int x = 0; x < w; ++x)
        if ((row[x] ^ shown[static_cast<size_t>(y) * w + x]) & 0xFFFFFF) return false;
    }
    return true;
  }
};

Day& GetDay() {
  static Day* day = new Day();
  return *day;
}

void BM_DayFrame(benchmark::State& state) {
  Day& day = GetDay();
  if (!day.ready) {
    state.SkipWithError("no day");
    return;
  }
  for (auto _ : state) {
    if (day.framesLeft == 0) {
      state.PauseTiming();
      day.Rebuild();
      state.ResumeTiming();
    }
    day.Frame();
  }
}

BENCHMARK(BM_DayFrame)->Unit(benchmark::kMillisecond)->Repetitions(3);
using Bench::BM_MemcpyFrame;
BENCHMARK(BM_MemcpyFrame)->Unit(benchmark::kMillisecond)->Repetitions(3);

// One frame of each side, compared with what it should have made.
bool Check() {
  Day& day = GetDay();
  if (!day.ready) {
    std::fprintf(stderr, "FAILED: the day could not be set up (is the data built in %s?)\n", PLIX_RUN_DIR);
    return false;
  }
  int counter = 0;
  for (int place = 0; place < ItemHolder::kPlaces; ++place) counter += day.board->GetCounter()->IsOccupied(place);
  std::printf("scene: %d guests, %d items on the belt, %d on the counter\n",
              day.board->GetCustomerManager()->Count(), day.board->GetConveyor()->GetContainers().GetCount(), counter);
  day.Frame();
  std::printf("%s, %s drawing\n", day.Drivers().c_str(), day.game->IsHardwareDrawing() ? "3-D" : "software");
  if (!day.PresentedIsDrawn()) {
    std::fprintf(stderr, "FAILED: the presented frame is not the drawn one\n");
    return false;
  }
  day.Rebuild();
  if (!Bench::MemcpyFrameCopies()) return false;
  std::printf("check day_frame: the presented picture is the drawn one\n");
  return true;
}

}  // namespace
}  // namespace Plix

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (!Plix::Check()) return 1;
  Plix::Bench::RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  const double ours = reporter.TimeOf("BM_DayFrame"), ref = reporter.TimeOf("BM_MemcpyFrame");
  if (ours > 0 && ref > 0) {
    std::printf("day_frame %.3f ms\n", ours);
    std::printf("ratio day_frame %.3f\n", ours / ref);
  }
  benchmark::Shutdown();
  return 0;
}
