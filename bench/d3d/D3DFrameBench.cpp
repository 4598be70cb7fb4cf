// One 800 x 600 frame: a background, 150 sprites with alpha, 20 lines and 10
// translucent rectangles, drawn through Graphics on the Direct3D path and,
// as the reference, on the software path of the same emulated display.
// Ends with "ratio d3d_frame <Direct3D / software>" and the same for a
// filtered (bilinear) full-screen stretch. Once per run the two paths'
// pictures of each are compared: the rasteriser's arithmetic differs from
// the software blitters' on purpose, within the stated tolerance. Each
// benchmark runs three times and the best counts.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

#include "bench/FrameScene.h"
#include "bench/RatioReporter.h"
#include "framework/graphics/DDInterface.h"
#include "framework/graphics/Graphics.h"
#include "framework/graphics/GraphicsHost.h"
#include "framework/platform/DDraw.h"

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

  // The drawn picture's colour channels.
  std::vector<uint32_t> Picture() {
    std::vector<uint32_t> out;
    IDirectDrawSurface* s = display->mDrawSurface;
    for (int y = 0; y < s->Height(); ++y) {
      const auto* row = reinterpret_cast<const uint32_t*>(s->Pixels() + static_cast<size_t>(y) * s->Pitch());
      for (int x = 0; x < s->Width(); ++x) out.push_back(row[x] & 0xFFFFFF);
    }
    return out;
  }

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

BENCHMARK(BM_FrameDirect3D)->Unit(benchmark::kMillisecond)->Repetitions(3);
BENCHMARK(BM_FrameSoftware)->Unit(benchmark::kMillisecond)->Repetitions(3);
BENCHMARK(BM_StretchDirect3D)->Unit(benchmark::kMillisecond)->Repetitions(3);
BENCHMARK(BM_StretchSoftware)->Unit(benchmark::kMillisecond)->Repetitions(3);

std::vector<uint32_t> PictureOf(bool is3D, bool stretch) {
  Scene scene(is3D);
  if (!scene.images) return {};
  if (stretch) scene.Stretch();
  else scene.Draw(0);
  return scene.Picture();
}

// Both paths draw each case once; their pictures must agree within the
// tolerance: the largest and the mean colour channel difference.
bool Check() {
  struct Case {
    const char* name;
    bool stretch;
    int largest;
    double mean;
  };
  bool same = true;
  // The rasteriser rounds its blends differently (a few steps where sprites
  // overlap) and places its bilinear samples half a texel apart from the
  // software stretch, which shows across the blown-up sprite's soft rim.
  for (const Case c : {Case{"d3d_frame", false, 8, 2.0}, Case{"d3d_stretch", true, 48, 8.0}}) {
    const std::vector<uint32_t> a = PictureOf(true, c.stretch), b = PictureOf(false, c.stretch);
    if (a.empty() || a.size() != b.size()) {
      std::fprintf(stderr, "FAILED: %s: no picture\n", c.name);
      same = false;
      continue;
    }
    int largest = 0;
    double sum = 0;
    for (size_t i = 0; i < a.size(); ++i)
      for (int shift : {16, 8, 0}) {
        const int d = std::abs(static_cast<int>((a[i] >> shift) & 255) - static_cast<int>((b[i] >> shift) & 255));
        largest = std::max(largest, d);
        sum += d;
      }
    const double mean = sum / (3.0 * static_cast<double>(a.size()));
    std::printf("check %s channel difference largest %d, mean %.3f (tolerance %d, %.2f)\n", c.name, largest, mean,
                c.largest, c.mean);
    if (largest > c.largest || mean > c.mean) {
      std::fprintf(stderr, "FAILED: %s: the Direct3D and software pictures differ beyond the tolerance\n", c.name);
      same = false;
    }
  }
  return same;
}

}  // namespace
}  // namespace Plix

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (!Plix::Check()) return 1;
  Plix::Bench::RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  // The console reporter leaves a colour reset behind: the ratio lines
  // start lines of their own.
  std::printf("\n");
  auto ratio = [&](const char* name, const char* ours, const char* ref) {
    const double a = reporter.TimeOf(ours), b = reporter.TimeOf(ref);
    if (a > 0 && b > 0) std::printf("ratio %s %.3f\n", name, a / b);
  };
  ratio("d3d_frame", "BM_FrameDirect3D", "BM_FrameSoftware");
  ratio("d3d_stretch", "BM_StretchDirect3D", "BM_StretchSoftware");
  benchmark::Shutdown();
  return 0;
}
