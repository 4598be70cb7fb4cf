// One frame of a representative scene: an 800 x 600 background, 150 sprites
// with alpha, 20 lines and 10 filled rectangles, drawn through Graphics into
// the emulated screen and presented in an SDL window (the dummy video driver
// without a display). The reference is the bandwidth floor: copying one
// 800 x 600 32-bit frame with memcpy. Ends with "ratio frame <ours / memcpy>".
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

#include "bench/FrameScene.h"
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
    if (!std::getenv("DISPLAY") || !*std::getenv("DISPLAY")) setenv("SDL_VIDEODRIVER", "dummy", 0);
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

void BM_MemcpyFrame(benchmark::State& state) {
  std::vector<uint32_t> from(static_cast<size_t>(kFrameWidth) * kFrameHeight, 0x12345678), to(from.size());
  for (auto _ : state) {
    std::memcpy(to.data(), from.data(), from.size() * 4);
    benchmark::DoNotOptimize(to.data());
    benchmark::ClobberMemory();
  }
}

BENCHMARK(BM_Frame)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MemcpyFrame)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace Plix

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  Plix::Bench::RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  const double ours = reporter.mTimes["BM_Frame"], ref = reporter.mTimes["BM_MemcpyFrame"];
  if (ours > 0 && ref > 0) {
    std::printf("frame %.3f ms\n", ours);
    std::printf("ratio frame %.3f\n", ours / ref);
  }
  benchmark::Shutdown();
  return 0;
}
