// The program's own memory half a second after the main menu is up: the heap and the
// anonymous mappings (thread stacks included), not the shared libraries or
// files mapped in, from /proc/self/smaps. The largest parts are named: the
// biggest anonymous mappings, and the images the display holds with what
// each keeps (its pixels, palette indices, display-layout copy, run lengths,
// surface). Skips the logos as a click would. Prints "memory <part> <KiB>"
// lines, resident sizes.
#include <malloc.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "bench/BenchFolder.h"
#include "bench/MenuBenchGame.h"
#include "framework/graphics/DDImage.h"
#include "framework/graphics/DDInterface.h"
#include "framework/platform/DDraw.h"
#include "game/screens/GameScreenFactory.h"

namespace {

struct Mapping {
  std::string name;
  size_t sizeKiB = 0, rssKiB = 0;
};

// Anonymous mappings (no file behind them), with their resident sizes.
std::vector<Mapping> AnonymousMappings() {
  std::ifstream in("/proc/self/smaps");
  std::vector<Mapping> out;
  std::string line;
  bool anonymous = false;
  while (std::getline(in, line)) {
    std::istringstream fields(line);
    std::string first;
    fields >> first;
    if (first.find('-') != std::string::npos && first.back() != ':') {
      std::string perms, offset, device, inode, path;
      fields >> perms >> offset >> device >> inode;
      std::getline(fields, path);
      path.erase(0, path.find_first_not_of(' '));
      anonymous = inode == "0" && (path.empty() || path[0] == '[') && path != "[vvar]" && path != "[vdso]" &&
                  path != "[vsyscall]";
      if (anonymous) out.push_back({path.empty() ? first : path, 0, 0});
    } else if (anonymous && first == "Size:") {
      fields >> out.back().sizeKiB;
    } else if (anonymous && first == "Rss:") {
      fields >> out.back().rssKiB;
    }
  }
  return out;
}

struct ImageUse {
  std::string name;
  int width = 0, height = 0;
  size_t bits = 0, indices = 0, native = 0, runs = 0, surface = 0;
  size_t Total() const { return bits + indices + native + runs + surface; }
};

std::vector<ImageUse> Images(Plix::DDInterface* display) {
  std::vector<ImageUse> out;
  for (Plix::DDImage* image : display->mDDImageSet) {
    const size_t n = size_t(image->mWidth) * size_t(image->mHeight);
    ImageUse u;
    u.name = image->mName.empty() ? "(unnamed)" : image->mName;
    u.width = image->mWidth;
    u.height = image->mHeight;
    u.bits = image->mBits ? n * 4 : 0;
    u.indices = image->mColorIndices ? n + 256 * 4 : 0;
    u.native = image->mNativeAlphaData ? n * 4 : 0;
    u.runs = (image->mRLAlphaData ? n : 0) + (image->mRLAdditiveData ? n : 0);
    if (image->mSurface) u.surface = size_t(image->mSurface->Pitch()) * size_t(image->mSurface->Height());
    out.push_back(u);
  }
  std::sort(out.begin(), out.end(), [](const ImageUse& a, const ImageUse& b) { return a.Total() > b.Total(); });
  return out;
}

class MenuGame : public Plix::Bench::MenuBenchGame {
public:
  // Half a second after loading, when the loader has handed back what it
  // freed.
  void OnLoadingDone() override {
    GameApp::OnLoadingDone();
    mReportAt = mTicksDone + 50;
  }
  void UpdateTick() override {
    GameApp::UpdateTick();
    if (mReportAt > 0 && mTicksDone >= mReportAt) {
      mReportAt = 0;
      Report();
      mShutdownAsked = true;
    }
  }
  int mReportAt = 0;

  void Report() {
    const std::vector<Mapping> maps = AnonymousMappings();
    size_t rss = 0, heap = 0, large = 0, small = 0;
    for (const Mapping& m : maps) {
      rss += m.rssKiB;
      if (m.name == "[heap]") heap += m.rssKiB;
      else if (m.rssKiB >= 1024) large += m.rssKiB;
      else small += m.rssKiB;
    }
    const struct mallinfo2 info = mallinfo2();
    std::printf("memory own_total %zu\n", rss);
    std::printf("memory heap_mapping %zu\n", heap);
    std::printf("memory anonymous_mappings_of_1MiB_or_more %zu\n", large);
    std::printf("memory other_anonymous_mappings %zu\n", small);
    std::printf("memory malloc_in_use %zu\n", (info.uordblks + info.hblkhd) / 1024);
    std::printf("memory malloc_free_kept %zu\n", info.fordblks / 1024);

    std::vector<Mapping> sorted = maps;
    std::sort(sorted.begin(), sorted.end(), [](const Mapping& a, const Mapping& b) { return a.rssKiB > b.rssKiB; });
    std::printf("\nlargest anonymous mappings (resident / size, KiB):\n");
    for (size_t i = 0; i < sorted.size() && i < 8; ++i)
      std::printf("  %-34s %8zu / %8zu\n", sorted[i].name.c_str(), sorted[i].rssKiB, sorted[i].sizeKiB);

    const std::vector<ImageUse> images = Images(mAppDisplay);
    ImageUse sum;
    for (const ImageUse& u : images) {
      sum.bits += u.bits;
      sum.indices += u.indices;
      sum.native += u.native;
      sum.runs += u.runs;
      sum.surface += u.surface;
    }
    std::printf("\n%zu images on the display (KiB):\n", images.size());
    std::printf("memory images_pixels %zu\n", sum.bits / 1024);
    std::printf("memory images_palette_indices %zu\n", sum.indices / 1024);
    std::printf("memory images_display_copies %zu\n", sum.native / 1024);
    std::printf("memory images_run_lengths %zu\n", sum.runs / 1024);
    std::printf("memory images_surfaces %zu\n", sum.surface / 1024);
    std::printf("memory images_total %zu\n", sum.Total() / 1024);
    std::printf("\nlargest images (KiB: total = pixels + indices + display copy + runs + surface):\n");
    for (size_t i = 0; i < images.size() && i < 12; ++i) {
      const ImageUse& u = images[i];
      std::printf("  %-40s %4dx%-4d %6zu = %zu + %zu + %zu + %zu + %zu\n", u.name.c_str(), u.width, u.height,
                  u.Total() / 1024, u.bits / 1024, u.indices / 1024, u.native / 1024, u.runs / 1024, u.surface / 1024);
    }
  }
};

}  // namespace

int main() {
  const Plix::Bench::BenchFolder folder("memory-report");
  std::filesystem::current_path(PLIX_RUN_DIR);
  auto* game = new MenuGame();
  Plix::GameScreenFactory screens(*game);
  game->SetScreenFactory(&screens);
  game->Init();
  game->Start();
  delete game;
  return 0;
}
