#include "framework/resources/ImageLib.h"
#include "framework/resources/J2KCodec.h"

#include <gtest/gtest.h>
#include <png.h>

#include <algorithm>
#include <cstdlib>

#include "tests/resources/ImageTestSupport.h"
#include "tests/resources/PakTestSupport.h"
#include "tests/support/TestSupport.h"

namespace Plix {
namespace {

using ImageLib::Image;
using ImageLib::LoadImageFile;
using Testing::Pattern;
using Testing::TempDir;

std::vector<uint32_t> Pixels(const Image* image) {
  if (!image) return {};
  return {image->mBits, image->mBits + size_t(image->mWidth) * image->mHeight};
}

std::vector<uint32_t> Opaque(std::vector<uint32_t> p) {
  for (uint32_t& v : p) v |= 0xFF000000;
  return p;
}

// A deterministic stream of small numbers.
std::vector<uint8_t> Noise(size_t n, int range, uint32_t seed = 1) {
  std::vector<uint8_t> out;
  for (size_t i = 0; i < n; ++i) {
    seed = seed * 214013 + 2531011;
    out.push_back(static_cast<uint8_t>((seed >> 16) % range));
  }
  return out;
}

// Every file is written twice: loose in "loose/" and inside an archive
// under "packed\". Both must decode to the same pixels.
class ImageFilesTest : public ::testing::Test {
protected:
  void SetUp() override { ImageLib::LoadJpeg2000Codec(); }

  void Put(const std::string& name, const std::string& bytes) {
    Testing::WriteFile(mDir / ("loose/" + name), bytes);
    std::string stored = "packed\\" + name;  // archives store "\" separators
    std::replace(stored.begin(), stored.end(), '/', '\\');
    mPacked.push_back({stored, bytes});
  }

  // Loads from disk and from the archive; fails the test when they differ.
  std::unique_ptr<Image> Load(const std::string& path, bool lookForAlpha = true) {
    if (!mPakAdded) {
      Testing::WriteFile(mDir / "main.pak", Testing::PakBytes(mPacked));
      EXPECT_TRUE(mPak->AddPakFile(mDir / "main.pak")) << mPak->GetErrorText();
      mPakAdded = true;
    }
    auto loose = LoadImageFile(mDir / ("loose/" + path), lookForAlpha);
    auto packed = LoadImageFile("packed\\" + path, lookForAlpha);
    EXPECT_EQ(loose == nullptr, packed == nullptr) << path;
    if (loose && packed) {
      EXPECT_EQ(loose->mWidth, packed->mWidth) << path;
      EXPECT_EQ(loose->mHeight, packed->mHeight) << path;
      EXPECT_EQ(Pixels(loose.get()), Pixels(packed.get())) << path;
    }
    return loose;
  }

  TempDir mDir;
  Testing::ScopedPak mPak;
  Testing::PakContents mPacked;
  bool mPakAdded = false;
};

TEST_F(ImageFilesTest, PngLayouts) {
  const int w = 9, h = 7;
  std::vector<uint32_t> argb = Pattern(w, h);
  auto rows = [&](int bytesPerSample, int channels, auto sample) {
    std::vector<uint8_t> out;
    for (uint32_t p : argb)
      for (int c = 0; c < channels; ++c) {
        uint8_t v = sample(p, c);
        out.push_back(v);
        if (bytesPerSample == 2) out.push_back(v);  // v * 257: scales back to v
      }
    return out;
  };
  auto rgba = [](uint32_t p, int c) { return static_cast<uint8_t>(p >> (c == 3 ? 24 : 16 - 8 * c)); };
  auto gray = [](uint32_t p, int c) { return static_cast<uint8_t>(c == 0 ? p >> 16 : p >> 24); };
  auto grays = [&](bool alpha) {
    std::vector<uint32_t> out;
    for (uint32_t p : argb) {
      uint32_t v = (p >> 16) & 0xFF;
      out.push_back((alpha ? p & 0xFF000000 : 0xFF000000) | v << 16 | v << 8 | v);
    }
    return out;
  };
  std::vector<uint8_t> palette = {255, 0, 0, 0, 255, 0, 0, 0, 255, 9, 8, 7};
  std::vector<uint8_t> indices = Noise(w * h, 4);
  std::vector<uint8_t> packedIndices;  // 4 bits each
  std::vector<uint32_t> fromPalette;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; x += 2) {
      uint8_t a = indices[y * w + x], b = x + 1 < w ? indices[y * w + x + 1] : 0;
      packedIndices.push_back(static_cast<uint8_t>(a << 4 | b));
    }
  const uint8_t trns[] = {0, 128};
  for (uint8_t i : indices)
    fromPalette.push_back((i < 2 ? uint32_t(trns[i]) : 255u) << 24 | palette[i * 3] << 16 | palette[i * 3 + 1] << 8 |
                          palette[i * 3 + 2]);
  struct Case {
    const char* name;
    Testing::PngSpec spec;
    std::vector<uint32_t> expected;
  } cases[] = {
      {"rgba8", {w, h, PNG_COLOR_TYPE_RGB_ALPHA, 8, false, rows(1, 4, rgba)}, argb},
      {"rgb8", {w, h, PNG_COLOR_TYPE_RGB, 8, false, rows(1, 3, rgba)}, Opaque(argb)},
      {"rgba16i", {w, h, PNG_COLOR_TYPE_RGB_ALPHA, 16, true, rows(2, 4, rgba)}, argb},
      {"rgb16", {w, h, PNG_COLOR_TYPE_RGB, 16, false, rows(2, 3, rgba)}, Opaque(argb)},
      {"rgb8i", {w, h, PNG_COLOR_TYPE_RGB, 8, true, rows(1, 3, rgba)}, Opaque(argb)},
      {"gray8", {w, h, PNG_COLOR_TYPE_GRAY, 8, false, rows(1, 1, gray)}, grays(false)},
      {"graya16i", {w, h, PNG_COLOR_TYPE_GRAY_ALPHA, 16, true, rows(2, 2, gray)}, grays(true)},
      {"pal4", {w, h, PNG_COLOR_TYPE_PALETTE, 4, false, packedIndices, palette, {trns[0], trns[1]}}, fromPalette},
      {"pal4i", {w, h, PNG_COLOR_TYPE_PALETTE, 4, true, packedIndices, palette, {trns[0], trns[1]}}, fromPalette},
  };
  for (const auto& c : cases) Put(std::string(c.name) + ".png", Testing::PngBytes(c.spec));
  for (const auto& c : cases) {
    auto image = Load(std::string(c.name) + ".png");
    ASSERT_NE(image, nullptr) << c.name;
    EXPECT_EQ(image->mWidth, w);
    EXPECT_EQ(image->mHeight, h);
    EXPECT_EQ(Pixels(image.get()), c.expected) << c.name;
  }
}

TEST_F(ImageFilesTest, BrokenPngsGiveNothing) {
  std::vector<uint8_t> rows(4 * 4 * 4, 0x55);
  std::string good = Testing::PngBytes({4, 4, PNG_COLOR_TYPE_RGB_ALPHA, 8, false, rows});
  std::string badCrc = good;
  badCrc[29] ^= 1;  // inside the header chunk's checksum
  Put("cut.png", good.substr(0, good.size() - 20));
  Put("crc.png", badCrc);
  Put("empty.png", "");
  Put("notpng.png", "GIF89a");
  for (const char* name : {"cut.png", "crc.png", "empty.png", "notpng.png"}) EXPECT_EQ(Load(name), nullptr) << name;
}

TEST_F(ImageFilesTest, GifPixelsTransparencyAndInterlace) {
  const int w = 23, h = 19;
  Testing::GifSpec spec{w, h, {0x112233, 0x445566, 0x778899, 0xAABBCC, 0xDDEEFF, 0x010203}, Noise(w * h, 6)};
  std::vector<uint32_t> expected;
  for (uint8_t i : spec.indices) expected.push_back(0xFF000000 | spec.palette[i]);
  Put("plain.gif", Testing::GifBytes(spec));
  spec.interlaced = true;
  Put("interlaced.gif", Testing::GifBytes(spec));
  spec.localTable = true;
  spec.transparent = 5;
  Put("local.gif", Testing::GifBytes(spec));

  EXPECT_EQ(Pixels(Load("plain.gif").get()), expected);
  EXPECT_EQ(Pixels(Load("interlaced.gif").get()), expected);
  for (size_t i = 0; i < expected.size(); ++i)
    if (spec.indices[i] == 5) expected[i] = 0;
  EXPECT_EQ(Pixels(Load("local.gif").get()), expected);
}

TEST_F(ImageFilesTest, GifLzwFillsAndClearsItsTable) {
  // Noise over 256 colours fills the 4096-entry table several times; long
  // runs make the strings that refer to the entry being defined.
  const int w = 300, h = 200;
  Testing::GifSpec spec{w, h, {}, Noise(w * h, 256, 7)};
  for (int i = 0; i < 256; ++i) spec.palette.push_back(uint32_t(i) * 0x010101);
  for (int y = 150; y < h; ++y)
    for (int x = 0; x < w; ++x) spec.indices[y * w + x] = static_cast<uint8_t>(y & 1);
  std::vector<uint32_t> expected;
  for (uint8_t i : spec.indices) expected.push_back(0xFF000000 | spec.palette[i]);
  Put("big.gif", Testing::GifBytes(spec));
  EXPECT_EQ(Pixels(Load("big.gif").get()), expected);
}

TEST_F(ImageFilesTest, GifBoundsItsInput) {
  const int w = 8, h = 8;
  // Indices beyond a 4-entry table read as opaque black.
  Testing::GifSpec spec{w, h, {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF}, Noise(w * h, 8), -1, false, false, 3};
  std::vector<uint32_t> expected;
  for (uint8_t i : spec.indices) expected.push_back(0xFF000000 | (i < 4 ? spec.palette[i] : 0));
  Put("wide.gif", Testing::GifBytes(spec));

  std::string whole = Testing::GifBytes({w, h, {0xFF0000, 0x00FF00}, std::vector<uint8_t>(w * h, 1)});
  std::string badCodeSize = whole;
  // Header 6, screen 7, table 6, comment 9, then ',' and the descriptor.
  const size_t descAt = 6 + 7 + 6 + 9 + 1, codeSizeAt = descAt + 9;
  ASSERT_EQ(whole[codeSizeAt], 2);
  badCodeSize[codeSizeAt] = 12;
  Put("codesize.gif", badCodeSize);
  // The data cut inside its first block: what arrived is decoded, the rest
  // stays transparent black.
  std::string cut = whole.substr(0, codeSizeAt + 3);
  Put("cut.gif", cut);
  std::string zero = whole;
  zero[descAt + 4] = 0;  // width
  zero[descAt + 5] = 0;
  Put("zero.gif", zero);
  // A frame larger than its logical screen; then screen and frame 3034 x
  // 10961 with a few bytes of data, which cannot hold 33 million pixels.
  auto sized = [&](std::string bytes, int at, int width, int height) {
    bytes[at] = static_cast<char>(width & 0xFF);
    bytes[at + 1] = static_cast<char>(width >> 8);
    bytes[at + 2] = static_cast<char>(height & 0xFF);
    bytes[at + 3] = static_cast<char>(height >> 8);
    return bytes;
  };
  Put("beyondscreen.gif", sized(whole, descAt + 4, 3034, 10961));
  Put("huge.gif", sized(sized(whole, 6, 3034, 10961), descAt + 4, 3034, 10961));
  Put("notgif.gif", "GIF90a1234567890");
  Put("noimage.gif", whole.substr(0, 6 + 7 + 6) + ";");

  EXPECT_EQ(Pixels(Load("wide.gif").get()), expected);
  EXPECT_EQ(Load("codesize.gif"), nullptr);
  auto partial = Load("cut.gif");
  ASSERT_NE(partial, nullptr);
  EXPECT_EQ(partial->mBits[0], 0xFF00FF00u);
  EXPECT_EQ(partial->mBits[w * h - 1], 0u);
  for (const char* name : {"zero.gif", "notgif.gif", "noimage.gif", "beyondscreen.gif", "huge.gif"})
    EXPECT_EQ(Load(name), nullptr) << name;
}

TEST_F(ImageFilesTest, TgaAcceptsOnlyTopDown32BitWithAlpha) {
  std::vector<uint32_t> argb = Pattern(5, 4);
  Put("good.tga", Testing::TgaBytes(5, 4, 32, 0x28, argb));
  Put("rgb.tga", Testing::TgaBytes(5, 4, 24, 0x20, argb));
  Put("bottomup.tga", Testing::TgaBytes(5, 4, 32, 0x08, argb));
  Put("short.tga", Testing::TgaBytes(5, 4, 32, 0x28, argb).substr(0, 18 + 5 * 4 * 4 - 1));
  Put("header.tga", std::string(10, '\0'));
  std::string withId = Testing::TgaBytes(5, 4, 32, 0x28, argb);
  withId[0] = 3;  // an ID field of three bytes comes before the pixels
  withId.insert(18, "id!");
  Put("id.tga", withId);
  std::string rle = Testing::TgaBytes(5, 4, 32, 0x28, argb);
  rle[2] = 10;  // run-length coded
  Put("rle.tga", rle);
  EXPECT_EQ(Pixels(Load("good.tga").get()), argb);
  EXPECT_EQ(Pixels(Load("id.tga").get()), argb);
  for (const char* name : {"rgb.tga", "bottomup.tga", "short.tga", "header.tga", "rle.tga"})
    EXPECT_EQ(Load(name), nullptr) << name;
}

TEST_F(ImageFilesTest, JpegColourGreyAndTruncated) {
  const int w = 32, h = 24;
  auto smooth = std::make_unique<Image>();
  smooth->mWidth = w;
  smooth->mHeight = h;
  smooth->mBits = new uint32_t[w * h];
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) smooth->mBits[y * w + x] = 0x12000000 | (x * 8) << 16 | (y * 10) << 8 | 128;
  std::string file = mDir / "smooth.jpg";
  ASSERT_TRUE(ImageLib::WriteJPEGImage(file, smooth.get()));
  std::string bytes = Testing::ReadFile(file);
  Put("colour.jpg", bytes);
  size_t scan = bytes.find("\xFF\xDA");
  ASSERT_NE(scan, std::string::npos);
  Put("cut.jpg", bytes.substr(0, (scan + bytes.size()) / 2));  // inside the scan data
  std::vector<uint8_t> greys;
  for (int i = 0; i < w * h; ++i) greys.push_back(static_cast<uint8_t>(i % w * 8));
  Put("grey.jpg", Testing::GrayJpegBytes(w, h, greys));
  Put("empty.jpg", "");
  Put("junk.jpg", "\xFF\xD8\xFF\x01junk");

  auto colour = Load("colour.jpg");
  ASSERT_NE(colour, nullptr);
  for (int i = 0; i < w * h; ++i) {
    uint32_t got = colour->mBits[i], want = smooth->mBits[i];
    ASSERT_EQ(got >> 24, 0xFFu);  // always opaque
    for (int shift : {0, 8, 16})
      ASSERT_NEAR(int(got >> shift & 0xFF), int(want >> shift & 0xFF), 12) << i << " " << shift;
  }
  auto grey = Load("grey.jpg");
  ASSERT_NE(grey, nullptr);
  for (int i = 0; i < w * h; ++i) {
    uint32_t v = grey->mBits[i] & 0xFF;
    ASSERT_EQ(grey->mBits[i], 0xFF000000 | v << 16 | v << 8 | v);
    ASSERT_NEAR(int(v), greys[i], 3);
  }
  auto cut = Load("cut.jpg");  // still an image
  ASSERT_NE(cut, nullptr);
  EXPECT_EQ(cut->mWidth, w);
  EXPECT_EQ(Load("empty.jpg"), nullptr);
  EXPECT_EQ(Load("junk.jpg"), nullptr);
}

TEST_F(ImageFilesTest, Jpeg2000ThroughTheCodec) {
  std::vector<uint32_t> argb = Pattern(12, 10);
  Put("rgb.j2k", Testing::J2kBytes(12, 10, argb, false, false));
  Put("rgba.jp2", Testing::J2kBytes(12, 10, argb, true, true));
  Put("junk.j2k", "\xFF\x4F\xFF\x51 not really");
  // The same stream claiming 3000 x 3000 pixels in one tile (its data, the
  // rest missing): no game image is that large, and the header alone
  // refuses it before anything is decoded.
  std::string huge = Testing::J2kBytes(12, 10, argb, false, false);
  for (size_t at : {8u, 12u, 24u, 28u}) huge.replace(at, 4, std::string("\0\0\x0B\xB8", 4));
  Put("huge.j2k", huge);
  // A stream that lacks tiles: they decode as black, never as leftovers.
  std::vector<uint32_t> tiled = Opaque(Pattern(8, 8));
  std::string stream = Testing::J2kBytes(8, 8, tiled, false, false, 4);
  size_t secondTile = stream.find("\xFF\x90", stream.find("\xFF\x90") + 2);
  ASSERT_NE(secondTile, std::string::npos);
  Put("firsttile.j2k", stream.substr(0, secondTile) + "\xFF\xD9");
  EXPECT_EQ(Pixels(Load("rgb.j2k").get()), Opaque(argb));
  EXPECT_EQ(Pixels(Load("rgba.jp2").get()), Opaque(argb));  // JPEG-2000 images are opaque
  EXPECT_EQ(Load("junk.j2k"), nullptr);
  EXPECT_EQ(Load("huge.j2k"), nullptr);
  {
    // Refused for its size, from the header, not after a failed decode.
    J2K::Module* codec = J2K::LoadLibrary();
    ASSERT_NE(codec, nullptr);
    auto open = reinterpret_cast<J2K::OpenFileFn>(J2K::GetProcAddress(codec, "_J2K_OpenFile@4"));
    auto lastError = reinterpret_cast<J2K::GetLastErrorFn>(J2K::GetProcAddress(codec, "_J2K_getLastError@0"));
    auto errorText = reinterpret_cast<J2K::GetErrorStrFn>(J2K::GetProcAddress(codec, "_J2K_getErrorStr@4"));
    const std::string path = mDir / "loose/huge.j2k";
    EXPECT_EQ(open(path.c_str()), nullptr);
    EXPECT_STREQ(errorText(lastError()), "Image too large");
    J2K::FreeLibrary(codec);
  }
  EXPECT_EQ(Pixels(Load("rgb").get()), Opaque(argb));  // found by the extension search

  auto first = Load("firsttile.j2k");
  ASSERT_NE(first, nullptr);
  for (int i = 0; i < 64; ++i)
    EXPECT_EQ(first->mBits[i], i % 8 < 4 && i / 8 < 4 ? tiled[i] : 0xFF000000u) << i;

  ImageLib::FreeJpeg2000Codec();
  EXPECT_EQ(LoadImageFile(mDir / "loose/rgb.j2k"), nullptr);
  ImageLib::LoadJpeg2000Codec();
  EXPECT_NE(LoadImageFile(mDir / "loose/rgb.j2k"), nullptr);
}

TEST_F(ImageFilesTest, ExtensionSearchOrder) {
  std::vector<uint32_t> a = Pattern(3, 3), b = Opaque(Pattern(4, 4));
  Put("images/cone.png", Testing::PngBytes({3, 3, PNG_COLOR_TYPE_RGB_ALPHA, 8, false, [&] {
                                              std::vector<uint8_t> r;
                                              for (uint32_t p : a)
                                                for (int s : {16, 8, 0, 24}) r.push_back(static_cast<uint8_t>(p >> s));
                                              return r;
                                            }()}));
  Put("images/both.png", Testing::PngBytes({1, 1, PNG_COLOR_TYPE_GRAY, 8, false, {7}}));
  Put("images/both.tga", Testing::TgaBytes(4, 4, 32, 0x28, b));
  Put("images/odd.bmp", "BM");
  EXPECT_EQ(Pixels(Load("images/cone").get()), a);
  EXPECT_EQ(Pixels(Load("images\\cone").get()), a);
  EXPECT_EQ(Pixels(Load("images/both").get()), b);  // ".tga" is tried first
  EXPECT_EQ(Pixels(Load("images/both.PNG").get()), std::vector<uint32_t>{0xFF070707});
  EXPECT_EQ(Load("images/cone.gif"), nullptr);
  EXPECT_EQ(Load("images/odd.bmp"), nullptr);
  EXPECT_EQ(Load("images/odd"), nullptr);
  EXPECT_EQ(Load("images.dir/none"), nullptr);  // a dot before the slash is no extension
}

TEST_F(ImageFilesTest, SeparateAlphaImages) {
  std::vector<uint32_t> colour = Opaque(Pattern(4, 3));
  std::vector<uint32_t> mask = Opaque(Pattern(4, 3));
  for (size_t i = 0; i < mask.size(); ++i) mask[i] = (mask[i] & 0xFFFFFF00) | static_cast<uint32_t>(i * 20);
  Put("a/cone.tga", Testing::TgaBytes(4, 3, 32, 0x28, colour));
  Put("a/_cone.tga", Testing::TgaBytes(4, 3, 32, 0x28, mask));
  Put("b/cone.tga", Testing::TgaBytes(4, 3, 32, 0x28, colour));
  Put("b/cone_.tga", Testing::TgaBytes(4, 3, 32, 0x28, mask));
  Put("c/cone.tga", Testing::TgaBytes(4, 3, 32, 0x28, colour));
  Put("c/_cone.tga", Testing::TgaBytes(2, 2, 32, 0x28, Pattern(2, 2)));  // another size
  Put("d/_cone.tga", Testing::TgaBytes(4, 3, 32, 0x28, mask));
  Put("e/cone.tga", Testing::TgaBytes(4, 3, 32, 0x28, colour));
  Put("e/_cone.tga", Testing::TgaBytes(4, 3, 32, 0x28, mask));

  std::vector<uint32_t> merged, white, tinted;
  for (size_t i = 0; i < colour.size(); ++i) {
    merged.push_back((colour[i] & 0xFFFFFF) | (mask[i] & 0xFF) << 24);
    white.push_back((mask[i] & 0xFF) << 24 | 0xFFFFFF);
    tinted.push_back((mask[i] & 0xFF) << 24 | 0x123456);
  }
  EXPECT_EQ(Pixels(Load("a/cone").get()), merged);
  EXPECT_EQ(Pixels(Load("b/cone").get()), merged);
  EXPECT_EQ(Pixels(Load("a/cone", false).get()), colour);
  EXPECT_EQ(Pixels(Load("c/cone").get()), colour);
  EXPECT_EQ(Pixels(Load("d/cone").get()), white);
  ImageLib::gAlphaComposeColor = 0xAB123456;  // only the colour bytes count
  EXPECT_EQ(Pixels(Load("d/cone").get()), tinted);
  ImageLib::gAlphaComposeColor = 0xFFFFFF;
  EXPECT_EQ(Pixels(Load("e/cone.tga").get()), merged);  // the extension stays on the name
}

TEST(ImageWriters, RoundTrip) {
  TempDir dir;
  auto image = ImageLib::CreateImage(13, 11);
  std::vector<uint32_t> argb = Pattern(13, 11);
  std::copy(argb.begin(), argb.end(), image->mBits);
  ASSERT_TRUE(ImageLib::WritePNGImage(dir / "shot.png", image.get()));
  EXPECT_EQ(Pixels(ImageLib::GetPNGImage(dir / "shot.png").get()), argb);
  ASSERT_TRUE(ImageLib::WriteJPEGImage(dir / "thumb.jpg", image.get()));
  auto jpeg = ImageLib::GetJPEGImage(dir / "thumb.jpg");
  ASSERT_NE(jpeg, nullptr);
  EXPECT_EQ(jpeg->mWidth, 13);
  EXPECT_EQ(jpeg->mHeight, 11);

  Image empty;
  EXPECT_FALSE(ImageLib::WritePNGImage(dir / "empty.png", &empty));
  EXPECT_FALSE(ImageLib::WriteJPEGImage(dir / "empty.jpg", &empty));
  EXPECT_FALSE(ImageLib::WritePNGImage(dir / "no/such/folder/x.png", image.get()));
  EXPECT_FALSE(ImageLib::WriteJPEGImage(dir / "no/such/folder/x.jpg", image.get()));
  EXPECT_EQ(ImageLib::CreateImage(0, 5), nullptr);
  EXPECT_EQ(ImageLib::CreateImage(65535, 65535), nullptr);
}

}  // namespace
}  // namespace Plix
