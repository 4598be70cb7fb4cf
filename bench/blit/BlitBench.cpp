// The memory image's renderers against pixman on identical seeded inputs:
// sprites with per-pixel alpha, a full translucent image, additive and
// tinted sprites, a 2x stretch (filtered and fast) and a 17 degree bilinear
// rotation, all onto an opaque 800 x 600 frame. Ends with one line per case:
// "ratio <case> <our time / pixman's time>".
#include <benchmark/benchmark.h>
#include <pixman.h>

#include <cmath>
#include <cstdio>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "framework/graphics/MemoryImage.h"

namespace {

using namespace Plix;

constexpr int kFrameW = 800, kFrameH = 600, kSprite = 64, kSprites = 500;
constexpr double kPi = 3.14159265358979323846;

// A disc: opaque inside, a translucent rim, clear corners (about 55%, 5%
// and 40% of the pixels).
std::vector<uint32_t> SpritePixels(std::mt19937& gen) {
  std::vector<uint32_t> bits(kSprite * kSprite);
  double r = kSprite * 0.4186, rim = 1.6;
  uint32_t tint = gen() & 0xFFFFFF;
  for (int y = 0; y < kSprite; ++y)
    for (int x = 0; x < kSprite; ++x) {
      double d = std::hypot(x + 0.5 - kSprite / 2.0, y + 0.5 - kSprite / 2.0);
      uint32_t a = d < r - rim ? 255 : d < r + rim ? uint32_t(255 * (r + rim - d) / (2 * rim)) : 0;
      uint32_t rgb = (tint + uint32_t(x * 3) * 0x010101 + (gen() & 0x0F0F0F)) & 0xFFFFFF;
      bits[y * kSprite + x] = a << 24 | rgb;
    }
  return bits;
}

std::vector<uint32_t> Frame(std::mt19937& gen) {
  std::vector<uint32_t> bits(kFrameW * kFrameH);
  for (uint32_t& p : bits) p = 0xFF000000 | (gen() & 0xFFFFFF);
  return bits;
}

std::vector<uint32_t> Translucent(std::mt19937& gen, int w, int h) {
  std::vector<uint32_t> bits(size_t(w) * h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) bits[y * w + x] = uint32_t(1 + (x + y) % 254) << 24 | (gen() & 0xFFFFFF);
  return bits;
}

// A picture with an opaque middle and a translucent frame around it.
std::vector<uint32_t> Picture(std::mt19937& gen, int w, int h) {
  std::vector<uint32_t> bits(size_t(w) * h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      int edge = std::min(std::min(x, w - 1 - x), std::min(y, h - 1 - y));
      uint32_t a = edge >= 8 ? 255 : uint32_t(32 * edge);
      bits[y * w + x] = a << 24 | uint32_t(x * 255 / w) << 16 | uint32_t(y * 255 / h) << 8 | (gen() & 0x3F);
    }
  return bits;
}

std::vector<uint32_t> Premultiplied(const std::vector<uint32_t>& bits) {
  std::vector<uint32_t> out(bits.size());
  for (size_t i = 0; i < bits.size(); ++i) {
    uint32_t p = bits[i], a = p >> 24;
    auto m = [&](int s) { return (((p >> s) & 0xFF) * a + 127) / 255 << s; };
    out[i] = a << 24 | m(16) | m(8) | m(0);
  }
  return out;
}

// One set of inputs, shared by both sides.
struct Scene {
  std::vector<std::vector<uint32_t>> sprites;
  std::vector<std::pair<int, int>> positions;
  std::vector<uint32_t> frame, translucent, picture, bigPicture;

  Scene() {
    std::mt19937 gen(1234567);
    for (int i = 0; i < 8; ++i) sprites.push_back(SpritePixels(gen));
    for (int i = 0; i < kSprites; ++i)
      positions.push_back({int(gen() % (kFrameW - kSprite)), int(gen() % (kFrameH - kSprite))});
    frame = Frame(gen);
    translucent = Translucent(gen, kFrameW, kFrameH);
    picture = Picture(gen, 400, 300);
    bigPicture = Picture(gen, 512, 384);
  }
};

const Scene& TheScene() {
  static const Scene scene;
  return scene;
}

// Our side.
struct Ours {
  std::unique_ptr<MemoryImage> frame = std::make_unique<MemoryImage>();
  std::vector<std::unique_ptr<MemoryImage>> sprites;
  std::unique_ptr<MemoryImage> translucent = std::make_unique<MemoryImage>();
  std::unique_ptr<MemoryImage> picture = std::make_unique<MemoryImage>();
  std::unique_ptr<MemoryImage> bigPicture = std::make_unique<MemoryImage>();

  Ours() {
    const Scene& s = TheScene();
    frame->SetBits(s.frame.data(), kFrameW, kFrameH);
    for (const auto& bits : s.sprites) {
      sprites.push_back(std::make_unique<MemoryImage>());
      sprites.back()->SetBits(bits.data(), kSprite, kSprite);
    }
    translucent->SetBits(s.translucent.data(), kFrameW, kFrameH);
    picture->SetBits(s.picture.data(), 400, 300);
    bigPicture->SetBits(s.bigPicture.data(), 512, 384);
  }
  void Sprites(const Color& color, int mode) {
    const auto& positions = TheScene().positions;
    for (int i = 0; i < kSprites; ++i)
      frame->Blit(sprites[i % sprites.size()].get(), positions[i].first, positions[i].second,
                  Rect(0, 0, kSprite, kSprite), color, mode);
  }
};

// Pixman's side: premultiplied copies of the same pixels.
struct Theirs {
  std::vector<uint32_t> frameBits;
  std::vector<std::vector<uint32_t>> spriteBits;
  std::vector<uint32_t> translucentBits, pictureBits, bigPictureBits;
  pixman_image_t* frame;
  std::vector<pixman_image_t*> sprites;
  pixman_image_t *translucent, *picture, *bigPicture, *tint;

  static pixman_image_t* Wrap(std::vector<uint32_t>& bits, int w, int h, pixman_format_code_t format) {
    return pixman_image_create_bits(format, w, h, bits.data(), w * 4);
  }
  Theirs() {
    const Scene& s = TheScene();
    frameBits = s.frame;
    frame = Wrap(frameBits, kFrameW, kFrameH, PIXMAN_x8r8g8b8);
    for (const auto& bits : s.sprites) spriteBits.push_back(Premultiplied(bits));
    for (auto& bits : spriteBits) sprites.push_back(Wrap(bits, kSprite, kSprite, PIXMAN_a8r8g8b8));
    translucentBits = Premultiplied(s.translucent);
    translucent = Wrap(translucentBits, kFrameW, kFrameH, PIXMAN_a8r8g8b8);
    pictureBits = Premultiplied(s.picture);
    picture = Wrap(pictureBits, 400, 300, PIXMAN_a8r8g8b8);
    bigPictureBits = Premultiplied(s.bigPicture);
    bigPicture = Wrap(bigPictureBits, 512, 384, PIXMAN_a8r8g8b8);
    pixman_color_t c = {200 * 257, 160 * 257, 100 * 257, 0xFFFF};
    tint = pixman_image_create_solid_fill(&c);
    pixman_image_set_component_alpha(tint, 1);
  }
  ~Theirs() {
    for (auto* image : sprites) pixman_image_unref(image);
    for (auto* image : {frame, translucent, picture, bigPicture, tint}) pixman_image_unref(image);
  }
  void Sprites(pixman_op_t op, pixman_image_t* mask) {
    const auto& positions = TheScene().positions;
    for (int i = 0; i < kSprites; ++i)
      pixman_image_composite32(op, sprites[i % sprites.size()], mask, frame, 0, 0, 0, 0, positions[i].first,
                               positions[i].second, kSprite, kSprite);
  }
};

const Color kTint(200, 160, 100, 255);

void OursSprites(benchmark::State& state, Color color, int mode) {
  Ours ours;
  for (auto _ : state) ours.Sprites(color, mode);
}
void PixmanSprites(benchmark::State& state, pixman_op_t op, bool tinted) {
  Theirs theirs;
  for (auto _ : state) theirs.Sprites(op, tinted ? theirs.tint : nullptr);
}
void OursTranslucent(benchmark::State& state) {
  Ours ours;
  for (auto _ : state)
    ours.frame->Blit(ours.translucent.get(), 0, 0, Rect(0, 0, kFrameW, kFrameH), Color::White, 0);
}
void PixmanTranslucent(benchmark::State& state) {
  Theirs theirs;
  for (auto _ : state)
    pixman_image_composite32(PIXMAN_OP_OVER, theirs.translucent, nullptr, theirs.frame, 0, 0, 0, 0, 0, 0, kFrameW,
                             kFrameH);
}

void OursStretch(benchmark::State& state, bool fast) {
  Ours ours;
  for (auto _ : state)
    ours.frame->StretchBlit(ours.picture.get(), Rect(0, 0, kFrameW, kFrameH), Rect(0, 0, 400, 300),
                            Rect(0, 0, kFrameW, kFrameH), Color::White, 0, fast);
}
void PixmanStretch(benchmark::State& state, pixman_filter_t filter) {
  Theirs theirs;
  pixman_transform_t t;
  pixman_transform_init_scale(&t, pixman_double_to_fixed(0.5), pixman_double_to_fixed(0.5));
  pixman_image_set_transform(theirs.picture, &t);
  pixman_image_set_filter(theirs.picture, filter, nullptr, 0);
  pixman_image_set_repeat(theirs.picture, PIXMAN_REPEAT_PAD);
  for (auto _ : state)
    pixman_image_composite32(PIXMAN_OP_OVER, theirs.picture, nullptr, theirs.frame, 0, 0, 0, 0, 0, 0, kFrameW,
                             kFrameH);
}
void OursStretchFiltered(benchmark::State& state) { OursStretch(state, false); }
void PixmanStretchFiltered(benchmark::State& state) { PixmanStretch(state, PIXMAN_FILTER_BILINEAR); }
void OursStretchFast(benchmark::State& state) { OursStretch(state, true); }
void PixmanStretchFast(benchmark::State& state) { PixmanStretch(state, PIXMAN_FILTER_NEAREST); }

constexpr double kAngle = 17 * kPi / 180;
constexpr float kCenterX = 256, kCenterY = 192, kAtX = 400 - 256, kAtY = 300 - 192;

void OursRotate(benchmark::State& state) {
  Ours ours;
  for (auto _ : state)
    ours.frame->BlitRotated(ours.bigPicture.get(), kAtX, kAtY, Rect(0, 0, 512, 384), Rect(0, 0, kFrameW, kFrameH),
                            Color::White, 0, kAngle, kCenterX, kCenterY);
}
void PixmanRotate(benchmark::State& state) {
  Theirs theirs;
  // Destination point to source point: the inverse of our turn about the centre.
  pixman_f_transform_t f;
  pixman_f_transform_init_translate(&f, -(kAtX + kCenterX), -(kAtY + kCenterY));
  pixman_f_transform_rotate(&f, nullptr, std::cos(kAngle), std::sin(kAngle));
  pixman_f_transform_translate(&f, nullptr, kCenterX, kCenterY);
  pixman_transform_t t;
  pixman_transform_from_pixman_f_transform(&t, &f);
  pixman_image_set_transform(theirs.bigPicture, &t);
  pixman_image_set_filter(theirs.bigPicture, PIXMAN_FILTER_BILINEAR, nullptr, 0);
  FRect box;
  MemoryImage::RotatedDestBox(kAtX, kAtY, Rect(0, 0, 512, 384), Rect(0, 0, kFrameW, kFrameH), kCenterX, kCenterY,
                              kAngle, box);
  int x = int(box.mX), y = int(box.mY), w = int(box.mWidth), h = int(box.mHeight);
  for (auto _ : state)
    pixman_image_composite32(PIXMAN_OP_OVER, theirs.bigPicture, nullptr, theirs.frame, x, y, 0, 0, x, y, w, h);
}

// Each case runs three times; the summary takes its best.
void Configure(benchmark::internal::Benchmark* b) {
  b->Unit(benchmark::kMillisecond)->MinTime(0.2)->Repetitions(3);
}

const char* kCases[] = {"sprites", "translucent", "additive", "tinted", "stretch_filtered", "stretch_fast", "rotate"};

BENCHMARK_CAPTURE(OursSprites, sprites, Color::White, 0)->Name("ours/sprites")->Apply(Configure);
BENCHMARK_CAPTURE(PixmanSprites, sprites, PIXMAN_OP_OVER, false)->Name("pixman/sprites")->Apply(Configure);
BENCHMARK(OursTranslucent)->Name("ours/translucent")->Apply(Configure);
BENCHMARK(PixmanTranslucent)->Name("pixman/translucent")->Apply(Configure);
BENCHMARK_CAPTURE(OursSprites, additive, Color::White, 1)->Name("ours/additive")->Apply(Configure);
BENCHMARK_CAPTURE(PixmanSprites, additive, PIXMAN_OP_ADD, false)->Name("pixman/additive")->Apply(Configure);
BENCHMARK_CAPTURE(OursSprites, tinted, kTint, 0)->Name("ours/tinted")->Apply(Configure);
BENCHMARK_CAPTURE(PixmanSprites, tinted, PIXMAN_OP_OVER, true)->Name("pixman/tinted")->Apply(Configure);
BENCHMARK(OursStretchFiltered)->Name("ours/stretch_filtered")->Apply(Configure);
BENCHMARK(PixmanStretchFiltered)->Name("pixman/stretch_filtered")->Apply(Configure);
BENCHMARK(OursStretchFast)->Name("ours/stretch_fast")->Apply(Configure);
BENCHMARK(PixmanStretchFast)->Name("pixman/stretch_fast")->Apply(Configure);
BENCHMARK(OursRotate)->Name("ours/rotate")->Apply(Configure);
BENCHMARK(PixmanRotate)->Name("pixman/rotate")->Apply(Configure);

// Keeps each case's best time per iteration over its repetitions: the
// least disturbed by other work on the machine.
class Collector : public benchmark::ConsoleReporter {
public:
  std::map<std::string, double> seconds;
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      if (run.run_type != Run::RT_Iteration || run.iterations == 0) continue;
      double t = run.real_accumulated_time / double(run.iterations);
      auto [it, added] = seconds.emplace(run.run_name.function_name, t);
      if (!added && t < it->second) it->second = t;
    }
    ConsoleReporter::ReportRuns(runs);
  }
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  Collector collector;
  benchmark::RunSpecifiedBenchmarks(&collector);
  std::printf("\n");
  std::vector<std::pair<std::string, double>> ratios;
  for (const char* name : kCases) {
    auto ours = collector.seconds.find(std::string("ours/") + name);
    auto theirs = collector.seconds.find(std::string("pixman/") + name);
    if (ours == collector.seconds.end() || theirs == collector.seconds.end()) continue;
    std::printf("%-18s ours %8.3f ms   pixman %8.3f ms\n", name, ours->second * 1e3, theirs->second * 1e3);
    ratios.push_back({name, ours->second / theirs->second});
  }
  for (const auto& [name, ratio] : ratios) std::printf("ratio %s %.3f\n", name.c_str(), ratio);
  benchmark::Shutdown();
  return 0;
}
