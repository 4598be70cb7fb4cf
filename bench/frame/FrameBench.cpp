// One frame of a representative scene: an 800 x 600 background, 150 sprites
// with alpha, 20 lines and 10 filled rectangles, drawn through Graphics into
// the emulated screen and presented in an SDL window (the dummy video driver
// without a display). The reference is the bandwidth floor: copying one
// 800 x 600 32-bit frame with memcpy. Ends with "ratio frame <ours / memcpy>".
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <vector>

#include "framework/graphics/DDImage.h"
#include "framework/graphics/DDInterface.h"
#include "framework/graphics/Graphics.h"
#include "framework/graphics/GraphicsHost.h"
#include "framework/platform/DDraw.h"
#include "framework/platform/SdlWindow.h"

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

struct Scene {
  FakeGraphicsHost host;
  BenchDisplayHost app;
  std::unique_ptr<SdlWindow> window;
  std::unique_ptr<DDInterface> display;
  std::unique_ptr<DDImage> background;
  std::unique_ptr<DDImage> sprite;
  bool ok = false;

  Scene() {
    if (!std::getenv("DISPLAY") || !*std::getenv("DISPLAY")) setenv("SDL_VIDEODRIVER", "dummy", 0);
    EmulatedDisplayConfig config;
    config.desktopWidth = 1024;
    config.desktopHeight = 768;
    EmulatedDisplay::Get().Configure(config);
    SetGraphicsHost(&host);
    SdlWindowDesc desc;
    desc.title = "frame bench";
    desc.width = kWidth;
    desc.height = kHeight;
    desc.visible = true;
    window = SdlWindow::Create(desc);
    if (!window) return;
    window->OnMoved(0, 0);
    display = std::make_unique<DDInterface>(&app);
    host.mDisplay = display.get();
    if (display->Init(window->Handle(), true) != 0) return;

    std::vector<uint32_t> pixels(static_cast<size_t>(kWidth) * kHeight);
    for (int y = 0; y < kHeight; ++y)
      for (int x = 0; x < kWidth; ++x)
        pixels[static_cast<size_t>(y) * kWidth + x] = 0xFF000000u | ((x * 255 / kWidth) << 16) | ((y * 255 / kHeight) << 8) | 0x40;
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
};

Scene& GetScene() {
  static Scene* scene = new Scene();
  return *scene;
}

void BM_Frame(benchmark::State& state) {
  Scene& scene = GetScene();
  if (!scene.ok) {
    state.SkipWithError("no display");
    return;
  }
  int frame = 0;
  for (auto _ : state) scene.Draw(frame++);
}

void BM_MemcpyFrame(benchmark::State& state) {
  std::vector<uint32_t> from(static_cast<size_t>(kWidth) * kHeight, 0x12345678), to(from.size());
  for (auto _ : state) {
    std::memcpy(to.data(), from.data(), from.size() * 4);
    benchmark::DoNotOptimize(to.data());
    benchmark::ClobberMemory();
  }
}

BENCHMARK(BM_Frame)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MemcpyFrame)->Unit(benchmark::kMillisecond);

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
  const double ours = reporter.mTimes["BM_Frame"], ref = reporter.mTimes["BM_MemcpyFrame"];
  if (ours > 0 && ref > 0) {
    std::printf("frame %.3f ms\n", ours);
    std::printf("ratio frame %.3f\n", ours / ref);
  }
  benchmark::Shutdown();
  return 0;
}
