// The game from its start to the main menu (initialisation, the groups
// "First" and "Loading", the loader while the loading thread loads
// "Permanent" and "MainMenu", the main menu put up), with the built data in
// <build>/run, beside plain libpng decoding the PNG images of those four
// groups from memory, each into a new block of its own that is kept, as the
// game keeps its images. The logos are skipped, as a click would skip them:
// their fixed timing is not work. Once per run the game's image reader and
// the reference decode every one of those files to the same pixels, or the
// program fails. Each side runs three times and the best counts. Ends with
// "ratio startup <ours / libpng>": wall time against wall time, so the
// game's decoding on several threads counts, as it does for the player.
#include <benchmark/benchmark.h>
#include <malloc.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "bench/BenchFolder.h"
#include "bench/MenuBenchGame.h"
#include "bench/PngReference.h"
#include "bench/RatioReporter.h"
#include "framework/resources/ImageLib.h"
#include "framework/resources/PakInterface.h"
#include "game/screens/GameScreenFactory.h"

namespace {

using Clock = std::chrono::steady_clock;

// A folder of its own, and the built data as the working directory.
struct Environment {
  Plix::Bench::BenchFolder mFolder{"startup-bench"};
  Environment() { std::filesystem::current_path(PLIX_RUN_DIR); }
};

Environment& Env() {
  static Environment environment;
  return environment;
}

// It quits as soon as the main menu is up and notes when that was.
class TimedGame : public Plix::Bench::MenuBenchGame {
public:
  void OnLoadingDone() override {
    GameApp::OnLoadingDone();
    mMenuTime = Clock::now();
    mShutdownAsked = true;
  }
  Clock::time_point mMenuTime{};
};

void BM_StartToMainMenu(benchmark::State& state) {
  Env();
  for (auto _ : state) {
    const auto start = Clock::now();
    auto* game = new TimedGame();
    // The executable's screens: without them there is no main menu.
    Plix::GameScreenFactory screens(*game);
    game->SetScreenFactory(&screens);
    game->Init();
    game->Start();
    const bool reached = game->mMainMenu != nullptr;
    const auto menu = game->mMenuTime;
    delete game;
    if (!reached) {
      state.SkipWithError("the main menu never came");
      break;
    }
    state.SetIterationTime(std::chrono::duration<double>(menu - start).count());
  }
}

std::vector<uint8_t> ReadPakFile(const std::string& name) {
  std::vector<uint8_t> bytes;
  Plix::PakHandle* file = Plix::PakFOpen(name, "rb");
  if (!file) return bytes;
  uint8_t chunk[65536];
  size_t n;
  while ((n = Plix::PakFRead(chunk, 1, sizeof(chunk), file)) > 0) bytes.insert(bytes.end(), chunk, chunk + n);
  Plix::PakFClose(file);
  return bytes;
}

struct ImageFile {
  std::string name;
  std::vector<uint8_t> bytes;
};

// The PNG files of the image resources of the groups loaded up to the main
// menu, as the manifest names them.
std::vector<ImageFile> GroupImages() {
  Env();
  Plix::GetPakInterface()->AddPakFile("main.pak");
  std::vector<uint8_t> xml = ReadPakFile("properties/resources.xml");
  const std::string manifest(xml.begin(), xml.end());
  std::vector<ImageFile> files;
  for (const char* group : {"First", "Loading", "Permanent", "MainMenu"}) {
    size_t at = manifest.find(std::string("<Resources id=\"") + group + "\"");
    const size_t end = manifest.find("</Resources>", at);
    while ((at = manifest.find("<Image ", at)) < end) {
      const size_t path = manifest.find("path=\"", at) + 6;
      const std::string name = manifest.substr(path, manifest.find('"', path) - path);
      // A file two resources share is read once, by the game as here.
      bool known = false;
      for (const ImageFile& f : files) known = known || f.name == name;
      if (!known) files.push_back({name, ReadPakFile(name)});
      at = path;
    }
  }
  return files;
}

const std::vector<ImageFile>& Files() {
  static const std::vector<ImageFile> files = GroupImages();
  return files;
}

// Decoded to 32-bit BGRA rows, as the game keeps its images.
void BM_LibpngGroupImages(benchmark::State& state) {
  const std::vector<ImageFile>& files = Files();
  if (files.empty()) state.SkipWithError("no images found");
  std::vector<std::unique_ptr<uint32_t[]>> kept(files.size());
  std::vector<png_bytep> rows;
  for (auto _ : state) {
    const auto start = Clock::now();
    for (size_t i = 0; i < files.size(); ++i) {
      int w = 0, h = 0;
      if (!Plix::Bench::DecodePngNew(files[i].bytes, kept[i], w, h, rows)) {
        state.SkipWithError("a PNG did not decode");
        return;
      }
      benchmark::DoNotOptimize(kept[i].get());
    }
    state.SetIterationTime(std::chrono::duration<double>(Clock::now() - start).count());
    for (auto& block : kept) block.reset();
  }
  state.counters["images"] = static_cast<double>(files.size());
}

// The game's reader and the reference decode each file to the same pixels.
bool Check() {
  const std::vector<ImageFile>& files = Files();
  if (files.empty()) {
    std::fprintf(stderr, "FAILED: no images found\n");
    return false;
  }
  std::vector<png_bytep> rows;
  for (const ImageFile& f : files) {
    std::unique_ptr<uint32_t[]> pixels;
    int w = 0, h = 0;
    std::unique_ptr<Plix::ImageLib::Image> ours = Plix::ImageLib::GetPNGImage(f.name);
    if (!ours || !Plix::Bench::DecodePngNew(f.bytes, pixels, w, h, rows) || ours->mWidth != w || ours->mHeight != h ||
        std::memcmp(ours->mBits, pixels.get(), size_t(w) * h * 4) != 0) {
      std::fprintf(stderr, "FAILED: %s decodes differently\n", f.name.c_str());
      return false;
    }
  }
  std::printf("check startup: %zu images decode alike\n", files.size());
  return true;
}

BENCHMARK(BM_StartToMainMenu)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3)->Repetitions(3);
BENCHMARK(BM_LibpngGroupImages)->UseManualTime()->Unit(benchmark::kMillisecond)->Repetitions(3);


}  // namespace

int main(int argc, char** argv) {
  // Both sides allocate their images afresh each round. Freed blocks stay
  // with the program, so that neither side pays the system for memory the
  // other got back warm from a round before (the game, freeing among other
  // blocks, kept its heap; the reference, freeing all at once, gave it back
  // and faulted it in again every round).
  mallopt(M_MMAP_THRESHOLD, 256 << 20);
  mallopt(M_TRIM_THRESHOLD, 1 << 30);
  benchmark::Initialize(&argc, argv);
  if (!Check()) return 1;
  Plix::Bench::RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  // The console reporter leaves a colour reset behind: the ratio lines
  // start lines of their own.
  std::printf("\n");
  const double ours = reporter.TimeOf("BM_StartToMainMenu"), ref = reporter.TimeOf("BM_LibpngGroupImages");
  if (ours > 0 && ref > 0) std::printf("ratio startup %.3f\n", ours / ref);
  benchmark::Shutdown();
  return 0;
}
