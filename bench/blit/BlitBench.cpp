// The memory image's renderers against pixman on identical seeded inputs:
// sprites with per-pixel alpha, a full translucent image, additive and
// tinted sprites, a 2x stretch (filtered and fast) and a 17 degree bilinear
// rotation, all onto an opaque 800 x 600 frame. Ends with one line per case:
// "ratio <case> <our time / pixman's time>". Once per run each case is
// drawn by both sides onto the same frame and the results compared; the
// program fails when they differ by more than the case's tolerance (the
// arithmetic differs on purpose: pixman works on premultiplied pixels).
#include <benchmark/benchmark.h>
#include <pixman.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <functional>
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

const uint32_t kTintRGB[3] = {200, 160, 100};

// Each colour channel times the tint's, over 255.
std::vector<uint32_t> Tinted(const std::vector<uint32_t>& bits) {
  std::vector<uint32_t> out(bits.size());
  for (size_t i = 0; i < bits.size(); ++i) {
    uint32_t p = bits[i];
    auto t = [&](int s, uint32_t k) { return (((p >> s) & 0xFF) * k + 127) / 255 << s; };
    out[i] = (p & 0xFF000000) | t(16, kTintRGB[0]) | t(8, kTintRGB[1]) | t(0, kTintRGB[2]);
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
  std::vector<std::vector<uint32_t>> tintedBits;
  pixman_image_t* frame;
  std::vector<pixman_image_t*> sprites, tintedSprites;
  pixman_image_t *translucent, *picture, *bigPicture;

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
    // The tinted case blits copies tinted beforehand: a tint is part of the
    // picture, not work pixman would do per blit.
    for (const auto& bits : s.sprites) tintedBits.push_back(Premultiplied(Tinted(bits)));
    for (auto& bits : tintedBits) tintedSprites.push_back(Wrap(bits, kSprite, kSprite, PIXMAN_a8r8g8b8));
  }
  ~Theirs() {
    for (auto* image : sprites) pixman_image_unref(image);
    for (auto* image : tintedSprites) pixman_image_unref(image);
    for (auto* image : {frame, translucent, picture, bigPicture}) pixman_image_unref(image);
  }
  void Sprites(pixman_op_t op, bool tinted) {
    const auto& positions = TheScene().positions;
    const auto& from = tinted ? tintedSprites : sprites;
    for (int i = 0; i < kSprites; ++i)
      pixman_image_composite32(op, from[i % from.size()], nullptr, frame, 0, 0, 0, 0, positions[i].first,
                               positions[i].second, kSprite, kSprite);
  }
};

const Color kTint{static_cast<int>(kTintRGB[0]), static_cast<int>(kTintRGB[1]), static_cast<int>(kTintRGB[2]), 255};

constexpr double kAngle = 17 * kPi / 180;
constexpr float kCenterX = 256, kCenterY = 192, kAtX = 400 - 256, kAtY = 300 - 192;

void ScaleHalf(pixman_image_t* image, pixman_filter_t filter) {
  pixman_transform_t t;
  pixman_transform_init_scale(&t, pixman_double_to_fixed(0.5), pixman_double_to_fixed(0.5));
  pixman_image_set_transform(image, &t);
  pixman_image_set_filter(image, filter, nullptr, 0);
  pixman_image_set_repeat(image, PIXMAN_REPEAT_PAD);
}

// Destination point to source point: the inverse of our turn about the centre.
void TurnAboutCentre(pixman_image_t* image) {
  pixman_f_transform_t f;
  pixman_f_transform_init_translate(&f, -(kAtX + kCenterX), -(kAtY + kCenterY));
  pixman_f_transform_rotate(&f, nullptr, std::cos(kAngle), std::sin(kAngle));
  pixman_f_transform_translate(&f, nullptr, kCenterX, kCenterY);
  pixman_transform_t t;
  pixman_transform_from_pixman_f_transform(&t, &f);
  pixman_image_set_transform(image, &t);
  pixman_image_set_filter(image, PIXMAN_FILTER_BILINEAR, nullptr, 0);
}

void PixmanOver(pixman_image_t* from, pixman_image_t* to, int x, int y, int w, int h) {
  pixman_image_composite32(PIXMAN_OP_OVER, from, nullptr, to, x, y, 0, 0, x, y, w, h);
}

struct Difference {
  int largest = 0;
  double mean = 0;
};

// One case: our drawing and pixman's of the same pixels, and how far apart
// (per colour channel) the two results may be. Rounding differs by a step
// per blend and adds up where 500 sprites overlap; the filters place their
// samples differently, which shows at sharp edges.
struct Case {
  const char* name;
  std::function<void(Ours&)> ours;
  std::function<void(Theirs&)> setUp;  // pixman's per-image settings, once
  std::function<void(Theirs&)> theirs;
  Difference tolerance;
};

const std::vector<Case>& Cases() {
  static const std::vector<Case> cases = [] {
    auto none = [](Theirs&) {};
    const Rect frameRect(0, 0, kFrameW, kFrameH);
    FRect box;
    MemoryImage::RotatedDestBox(kAtX, kAtY, Rect(0, 0, 512, 384), frameRect, kCenterX, kCenterY, kAngle, box);
    const int bx = int(box.mX), by = int(box.mY), bw = int(box.mWidth), bh = int(box.mHeight);
    return std::vector<Case>{
        {"sprites", [](Ours& o) { o.Sprites(Color::White, 0); }, none,
         [](Theirs& t) { t.Sprites(PIXMAN_OP_OVER, false); }, {6, 0.25}},
        {"translucent",
         [=](Ours& o) { o.frame->Blit(o.translucent.get(), 0, 0, frameRect, Color::White, 0); }, none,
         [](Theirs& t) { PixmanOver(t.translucent, t.frame, 0, 0, kFrameW, kFrameH); }, {3, 1.25}},
        {"additive", [](Ours& o) { o.Sprites(Color::White, 1); }, none,
         [](Theirs& t) { t.Sprites(PIXMAN_OP_ADD, false); }, {8, 0.25}},
        {"tinted", [](Ours& o) { o.Sprites(kTint, 0); }, none, [](Theirs& t) { t.Sprites(PIXMAN_OP_OVER, true); }, {7, 1.25}},
        {"stretch_filtered",
         [=](Ours& o) {
           o.frame->StretchBlit(o.picture.get(), frameRect, Rect(0, 0, 400, 300), frameRect, Color::White, 0, false);
         },
         [](Theirs& t) { ScaleHalf(t.picture, PIXMAN_FILTER_BILINEAR); },
         [](Theirs& t) { PixmanOver(t.picture, t.frame, 0, 0, kFrameW, kFrameH); }, {32, 2.5}},
        {"stretch_fast",
         [=](Ours& o) {
           o.frame->StretchBlit(o.picture.get(), frameRect, Rect(0, 0, 400, 300), frameRect, Color::White, 0, true);
         },
         [](Theirs& t) { ScaleHalf(t.picture, PIXMAN_FILTER_NEAREST); },
         [](Theirs& t) { PixmanOver(t.picture, t.frame, 0, 0, kFrameW, kFrameH); }, {3, 1.25}},
        {"rotate",
         [=](Ours& o) {
           o.frame->BlitRotated(o.bigPicture.get(), kAtX, kAtY, Rect(0, 0, 512, 384), frameRect, Color::White, 0,
                                kAngle, kCenterX, kCenterY);
         },
         [](Theirs& t) { TurnAboutCentre(t.bigPicture); },
         [=](Theirs& t) { PixmanOver(t.bigPicture, t.frame, bx, by, bw, bh); }, {32, 1.5}},
    };
  }();
  return cases;
}

// Draws the case once on each side from the same frame and measures the
// largest and the mean colour channel difference of the results.
Difference Compare(const Case& c) {
  Ours ours;
  Theirs theirs;
  c.setUp(theirs);
  c.ours(ours);
  c.theirs(theirs);
  const uint32_t* a = ours.frame->GetBits();
  Difference out;
  double sum = 0;
  for (size_t i = 0; i < theirs.frameBits.size(); ++i)
    for (int shift : {16, 8, 0}) {
      const int d = std::abs(int((a[i] >> shift) & 0xFF) - int((theirs.frameBits[i] >> shift) & 0xFF));
      out.largest = std::max(out.largest, d);
      sum += d;
    }
  out.mean = sum / (3.0 * double(theirs.frameBits.size()));
  return out;
}

void RunOurs(benchmark::State& state, const Case* c) {
  Ours ours;
  for (auto _ : state) c->ours(ours);
}
void RunPixman(benchmark::State& state, const Case* c) {
  Theirs theirs;
  c->setUp(theirs);
  for (auto _ : state) c->theirs(theirs);
}

// Each case runs three times; the summary takes its best.
void Register() {
  for (const Case& c : Cases()) {
    for (bool ours : {true, false})
      benchmark::RegisterBenchmark((std::string(ours ? "ours/" : "pixman/") + c.name).c_str(), ours ? RunOurs : RunPixman,
                                   &c)
          ->Unit(benchmark::kMillisecond)
          ->MinTime(0.2)
          ->Repetitions(3);
  }
}

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
  bool same = true;
  for (const Case& c : Cases()) {
    const Difference d = Compare(c);
    std::printf("check %-18s channel difference largest %d, mean %.3f (tolerance %d, %.2f)\n", c.name, d.largest,
                d.mean, c.tolerance.largest, c.tolerance.mean);
    if (d.largest > c.tolerance.largest || d.mean > c.tolerance.mean) {
      std::fprintf(stderr, "FAILED: %s: ours and pixman differ beyond the tolerance\n", c.name);
      same = false;
    }
  }
  if (!same) return 1;
  Register();
  Collector collector;
  benchmark::RunSpecifiedBenchmarks(&collector);
  std::printf("\n");
  std::vector<std::pair<std::string, double>> ratios;
  for (const Case& c : Cases()) {
    const char* name = c.name;
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
