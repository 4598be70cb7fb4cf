// Decodes a set of PNG files through ImageLib::LoadImageFile from a pak
// archive, and the same files with plain libpng from memory, each side into
// a new block per image. Once per run both sides decode every file to the
// same pixels, or the program fails. Each runs three times and the best
// counts. Ends with "ratio load <ours / libpng>".
#include <benchmark/benchmark.h>
#include <png.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "bench/PngReference.h"
#include "bench/RatioReporter.h"
#include "framework/platform/Files.h"
#include "framework/resources/ImageLib.h"
#include "framework/resources/PakInterface.h"
#include "tools/paktool/PakWriter.h"

namespace {

using Plix::PakFile;

void AppendToVector(png_structp png, png_bytep data, png_size_t n) {
  auto* out = static_cast<std::vector<uint8_t>*>(png_get_io_ptr(png));
  out->insert(out->end(), data, data + n);
}

// A picture with smooth areas and some noise, as the game's art has.
std::vector<uint8_t> MakePng(int size, bool alpha, uint32_t seed) {
  std::vector<uint8_t> out;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  png_set_write_fn(png, &out, AppendToVector, nullptr);
  int channels = alpha ? 4 : 3;
  png_set_IHDR(png, info, size, size, 8, alpha ? PNG_COLOR_TYPE_RGB_ALPHA : PNG_COLOR_TYPE_RGB,
               PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  std::vector<uint8_t> row(size_t(size) * channels);
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      seed = seed * 214013 + 2531011;
      int noise = (seed >> 16) & 7;
      uint8_t* p = &row[size_t(x) * channels];
      p[0] = static_cast<uint8_t>(x * 255 / size + noise);
      p[1] = static_cast<uint8_t>(y * 255 / size);
      p[2] = static_cast<uint8_t>(((x / 16 + y / 16) & 1) ? 200 : 40);
      if (alpha) {
        int dx = x - size / 2, dy = y - size / 2;
        p[3] = dx * dx + dy * dy < size * size / 5 ? 255 : 0;
      }
    }
    png_write_row(png, row.data());
  }
  png_write_end(png, info);
  png_destroy_write_struct(&png, &info);
  return out;
}

struct Fixture {
  std::string mFolder;
  std::vector<std::string> mNames;
  std::vector<std::vector<uint8_t>> mFiles;
  Plix::PakInterface* mPak = nullptr;

  Fixture() {
    mFolder = (std::filesystem::temp_directory_path() / "plix-load-bench").string();
    std::filesystem::create_directories(mFolder);
    std::vector<PakFile> files;
    uint32_t seed = 1;
    for (int size : {64, 128, 256, 512})
      for (bool alpha : {true, false}) {
        std::string name = "images\\pic" + std::to_string(size) + (alpha ? "a" : "") + ".png";
        mNames.push_back(name);
        mFiles.push_back(MakePng(size, alpha, seed++));
        files.push_back({name, mFiles.back(), 0});
      }
    std::vector<uint8_t> bytes;
    std::string error;
    Plix::BuildPakArchive(files, bytes, error);
    std::string pak = mFolder + "/main.pak";
    Plix::Fs::WriteFileAtomic(pak, bytes.data(), bytes.size());
    // The game runs from its folder: names resolve beside the archive.
    std::filesystem::current_path(mFolder);
    Plix::GetPakInterface()->AddPakFile("main.pak");
  }
};

Fixture& Data() {
  static Fixture fixture;
  return fixture;
}

void BM_LoadImageFile(benchmark::State& state) {
  Fixture& f = Data();
  for (auto _ : state)
    for (const std::string& name : f.mNames) {
      auto image = Plix::ImageLib::LoadImageFile(name);
      if (!image) state.SkipWithError("image did not load");
      benchmark::DoNotOptimize(image->mBits);
    }
}

// The same transformations as ImageLib's reader, straight from memory,
// into a new block for each image as the reader makes.
void BM_LibpngFromMemory(benchmark::State& state) {
  Fixture& f = Data();
  std::unique_ptr<uint32_t[]> pixels;
  std::vector<png_bytep> rows;
  for (auto _ : state)
    for (const auto& file : f.mFiles) {
      int w = 0, h = 0;
      if (!Plix::Bench::DecodePngNew(file, pixels, w, h, rows)) state.SkipWithError("a PNG did not decode");
      benchmark::DoNotOptimize(pixels.get());
    }
}

BENCHMARK(BM_LoadImageFile)->Unit(benchmark::kMillisecond)->Repetitions(3);
BENCHMARK(BM_LibpngFromMemory)->Unit(benchmark::kMillisecond)->Repetitions(3);

// Both sides decode every file to the same pixels.
bool Check() {
  Fixture& f = Data();
  std::vector<png_bytep> rows;
  for (size_t i = 0; i < f.mFiles.size(); ++i) {
    std::unique_ptr<uint32_t[]> pixels;
    int w = 0, h = 0;
    auto ours = Plix::ImageLib::LoadImageFile(f.mNames[i]);
    if (!ours || !Plix::Bench::DecodePngNew(f.mFiles[i], pixels, w, h, rows) || ours->mWidth != w ||
        ours->mHeight != h || std::memcmp(ours->mBits, pixels.get(), size_t(w) * h * 4) != 0) {
      std::fprintf(stderr, "FAILED: %s decodes differently\n", f.mNames[i].c_str());
      return false;
    }
  }
  std::printf("check load: %zu images decode alike\n", f.mFiles.size());
  return true;
}


}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (!Check()) return 1;
  Plix::Bench::RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  double ours = reporter.mTimes["BM_LoadImageFile"], ref = reporter.mTimes["BM_LibpngFromMemory"];
  if (ours > 0 && ref > 0) std::printf("ratio load %.3f\n", ours / ref);
  benchmark::Shutdown();
  std::error_code ec;
  std::filesystem::remove_all(Data().mFolder, ec);
  return 0;
}
