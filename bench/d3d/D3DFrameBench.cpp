// One 800 x 600 frame: a background, 150 sprites with alpha, 20 lines and 10
// translucent rectangles, drawn through Graphics on the Direct3D path and,
// as the reference, on the software path of the same emulated display.
// Ends with "ratio d3d_frame <Direct3D / software>" and the same for a
// filtered (bilinear) full-screen stretch.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>

#include "bench/FrameScene.h"
#include "bench/RatioReporter.h"
#include "framework/graphics/DDInterface.h"
#include "framework/graphics/Graphics.h"
#include "framework/graphics/GraphicsHost.h"

namespace Plix {
namespace {

using Bench::kFrameHeight;
using Bench::kFrameWidth;

// A display without a window, on the Direct3D path or not.
struct Scene {
  FakeGraphicsHost host;
  Bench::FrameDisplayHost app;
  std::unique_ptr<DDInterface> display;
  std::unique_ptr<Bench::FrameImages> images;

  explicit Scene(bool is3D) {
    SetGraphicsHost(&host);
    display = std::make_unique<DDInterface>(&app);
    display->mIs3D = is3D;
    host.mDisplay = display.get();
    host.mHardwareDrawing = is3D;
    if (display->Init(nullptr, true) != 0) return;
    images = std::make_unique<Bench::FrameImages>(display.get());
  }
  ~Scene() {
    images.reset();
    display.reset();
    SetGraphicsHost(nullptr);
  }

  void Draw(int frame) { Bench::DrawFrame(display.get(), *images, frame); }

  void Stretch() {
    Graphics g(display->GetScreenImage());
    g.DrawImageStretched(images->sprite.get(), 0, 0, kFrameWidth, kFrameHeight);
    display->Redraw();
  }
};

void Run(benchmark::State& state, bool is3D, bool stretch) {
  Scene scene(is3D);
  if (!scene.images) {
    state.SkipWithError("no display");
    return;
  }
  int frame = 0;
  for (auto _ : state) {
    if (stretch) scene.Stretch();
    else scene.Draw(frame++);
  }
}

void BM_FrameDirect3D(benchmark::State& state) { Run(state, true, false); }
void BM_FrameSoftware(benchmark::State& state) { Run(state, false, false); }
void BM_StretchDirect3D(benchmark::State& state) { Run(state, true, true); }
void BM_StretchSoftware(benchmark::State& state) { Run(state, false, true); }

BENCHMARK(BM_FrameDirect3D)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FrameSoftware)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StretchDirect3D)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StretchSoftware)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace Plix

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  Plix::Bench::RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  auto ratio = [&](const char* name, const char* ours, const char* ref) {
    const double a = reporter.mTimes[ours], b = reporter.mTimes[ref];
    if (a > 0 && b > 0) std::printf("ratio %s %.3f\n", name, a / b);
  };
  ratio("d3d_frame", "BM_FrameDirect3D", "BM_FrameSoftware");
  ratio("d3d_stretch", "BM_StretchDirect3D", "BM_StretchSoftware");
  benchmark::Shutdown();
  return 0;
}
