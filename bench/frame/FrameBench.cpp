// One frame of a representative scene: an 800 x 600 background, 150 sprites
// with alpha, 20 lines and 10 filled rectangles, drawn through Graphics into
// the emulated screen and presented in an SDL window on SDL's dummy video
// driver, always (a display would measure its OpenGL rasteriser instead).
// The reference is the bandwidth floor: copying one 800 x 600 32-bit frame
// with memcpy. Once per run both are checked: the presented picture must be
// the drawn one, the copy its source. Each runs three times and the best
// counts. Ends with "ratio frame <ours / memcpy>".
#include <SDL.h>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "bench/FrameScene.h"
#include "bench/MemcpyFrame.h"
#include "bench/RatioReporter.h"
#include "framework/graphics/DDInterface.h"
#include "framework/graphics/GraphicsHost.h"
#include "framework/platform/DDraw.h"
#include "framework/platform/SdlWindow.h"

namespace Plix {
namespace {

using Bench::kFrameHeight;
using Bench::kFrameWidth;

struct Scene {
  FakeGraphicsHost host;
  Bench::FrameDisplayHost app;
  std::unique_ptr<SdlWindow> window;
  std::unique_ptr<DDInterface> display;
  std::unique_ptr<Bench::FrameImages> images;

  Scene() {
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    EmulatedDisplayConfig config;
    config.desktopWidth = 1024;
    config.desktopHeight = 768;
    EmulatedDisplay::Get().Configure(config);
    SetGraphicsHost(&host);
    SdlWindowDesc desc;
    desc.title = "frame bench";
    desc.width = kFrameWidth;
    desc.height = kFrameHeight;
    desc.visible = true;
    window = SdlWindow::Create(desc);
    if (!window) return;
    window->OnMoved(0, 0);
    display = std::make_unique<DDInterface>(&app);
    host.mDisplay = display.get();
    if (display->Init(window->Handle(), true) != 0) return;
    images = std::make_unique<Bench::FrameImages>(display.get());
  }

  void Draw(int frame) { Bench::DrawFrame(display.get(), *images, frame); }

  // Which video driver and presenter show the frame.
  std::string Drivers() const {
    const char* video = SDL_GetCurrentVideoDriver();
    return std::string("video driver ") + (video ? video : "none") + ", " + window->PresenterName();
  }

  // Whether the picture in the window is the one drawn into the screen.
  bool PresentedIsDrawn() {
    std::vector<uint32_t> shown;
    int w = 0, h = 0;
    if (!window->ReadPresentedPixels(shown, w, h) || w != kFrameWidth || h != kFrameHeight) return false;
    IDirectDrawSurface* drawn = display->mDrawSurface;
    for (int y = 0; y < h; ++y) {
      const auto* row = reinterpret_cast<const uint32_t*>(drawn->Pixels() + static_cast<size_t>(y) * drawn->Pitch());
      for (int x = 0; x < w; ++x)
        if ((row[x] ^ shown[static_cast<size_t>(y) * w + x]) & 0xFFFFFF) return false;
    }
    return true;
  }
};

Scene& GetScene() {
  static Scene* scene = new Scene();
  return *scene;
}

void BM_Frame(benchmark::State& state) {
  Scene& scene = GetScene();
  if (!scene.images) {
    state.SkipWithError("no display");
    return;
  }
  int frame = 0;
  for (auto _ : state) scene.Draw(frame++);
}

BENCHMARK(BM_Frame)->Unit(benchmark::kMillisecond)->Repetitions(3);
using Bench::BM_MemcpyFrame;
BENCHMARK(BM_MemcpyFrame)->Unit(benchmark::kMillisecond)->Repetitions(3);

// One frame of each side, compared with what it should have made.
bool Check() {
  Scene& scene = GetScene();
  if (!scene.images) {
    std::fprintf(stderr, "FAILED: no display\n");
    return false;
  }
  scene.Draw(0);
  std::printf("%s\n", scene.Drivers().c_str());
  if (!scene.PresentedIsDrawn()) {
    std::fprintf(stderr, "FAILED: the presented frame is not the drawn one\n");
    return false;
  }
  if (!Bench::MemcpyFrameCopies()) return false;
  std::printf("check frame: the presented picture is the drawn one\n");
  return true;
}

}  // namespace
}  // namespace Plix

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (!Plix::Check()) return 1;
  Plix::Bench::RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  const double ours = reporter.TimeOf("BM_Frame"), ref = reporter.TimeOf("BM_MemcpyFrame");
  if (ours > 0 && ref > 0) {
    std::printf("frame %.3f ms\n", ours);
    std::printf("ratio frame %.3f\n", ours / ref);
  }
  benchmark::Shutdown();
  return 0;
}
