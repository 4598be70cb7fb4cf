// One 800 x 600 frame: a background, 150 sprites with alpha, 20 lines and 10
// translucent rectangles, drawn through Graphics on the Direct3D path and,
// as the reference, on the software path of the same emulated display.
// Ends with "ratio d3d_frame <Direct3D / software>" and the same for a
// filtered (bilinear) full-screen stretch.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <map>
#include <memory>
#include <vector>

#include "framework/graphics/DDImage.h"
#include "framework/graphics/DDInterface.h"
#include "framework/graphics/Graphics.h"
#include "framework/graphics/GraphicsHost.h"
#include "framework/platform/DDraw.h"

namespace Plix {
namespace {

constexpr int kWidth = 800;
constexpr int kHeight = 600;

class BenchDisplayHost : public DisplayHost {
public:
  DisplaySettings GetDisplaySettings() override {
    DisplaySettings s;
    s.screenWidth = kWidth;
    s.screenHeight = kHeight;
    return s;
  }
};

// A display without a window, on the Direct3D path or not.
struct Scene {
  FakeGraphicsHost host;
  BenchDisplayHost app;
  std::unique_ptr<DDInterface> display;
  std::unique_ptr<DDImage> background;
  std::unique_ptr<DDImage> sprite;
  bool ok = false;

  explicit Scene(bool is3D) {
    SetGraphicsHost(&host);
    display = std::make_unique<DDInterface>(&app);
    display->mIs3D = is3D;
    host.mDisplay = display.get();
    host.mHardwareDrawing = is3D;
    if (display->Init(nullptr, true) != 0) return;
    std::vector<uint32_t> pixels(static_cast<size_t>(kWidth) * kHeight);
    for (int y = 0; y < kHeight; ++y)
      for (int x = 0; x < kWidth; ++x)
        pixels[static_cast<size_t>(y) * kWidth + x] =
            0xFF000000u | ((x * 255 / kWidth) << 16) | ((y * 255 / kHeight) << 8) | 0x40;
    background = std::make_unique<DDImage>(display.get());
    background->SetBits(pixels.data(), kWidth, kHeight);
    std::vector<uint32_t> ball(32 * 32);
    for (int y = 0; y < 32; ++y)
      for (int x = 0; x < 32; ++x) {
        const double d = std::hypot(x - 15.5, y - 15.5);
        const int a = d > 15 ? 0 : d < 10 ? 255 : static_cast<int>(255 * (15 - d) / 5);
        ball[static_cast<size_t>(y) * 32 + x] = (static_cast<uint32_t>(a) << 24) | 0xE0A030u;
      }
    sprite = std::make_unique<DDImage>(display.get());
    sprite->SetBits(ball.data(), 32, 32);
    ok = true;
  }
  ~Scene() {
    background.reset();
    sprite.reset();
    display.reset();
    SetGraphicsHost(nullptr);
  }

  void Draw(int frame) {
    Graphics g(display->GetScreenImage());
    g.DrawImage(background.get(), 0, 0);
    for (int i = 0; i < 150; ++i) {
      const int x = (i * 97 + frame * 3) % (kWidth - 16);
      const int y = (i * 61 + frame * 2) % (kHeight - 16);
      g.DrawImage(sprite.get(), x, y);
    }
    g.SetColor(Color(255, 255, 255, 200));
    for (int i = 0; i < 20; ++i) g.DrawLine(i * 37, 0, kWidth - 1 - i * 29, kHeight - 1);
    g.SetColor(Color(40, 80, 200, 128));
    for (int i = 0; i < 10; ++i) g.FillRect(20 + i * 70, 40 + (i % 3) * 150, 60, 40);
    display->Redraw();
  }

  void Stretch() {
    Graphics g(display->GetScreenImage());
    g.DrawImageStretched(sprite.get(), 0, 0, kWidth, kHeight);
    display->Redraw();
  }
};

void Run(benchmark::State& state, bool is3D, bool stretch) {
  Scene scene(is3D);
  if (!scene.ok) {
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

class RatioReporter : public benchmark::ConsoleReporter {
public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& r : runs)
      if (r.run_type == Run::RT_Iteration && r.iterations > 0) mTimes[r.benchmark_name()] = r.GetAdjustedRealTime();
    ConsoleReporter::ReportRuns(runs);
  }
  std::map<std::string, double> mTimes;
};

}  // namespace
}  // namespace Plix

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  Plix::RatioReporter reporter;
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
