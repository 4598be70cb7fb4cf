#include "framework/graphics/ImageFont.h"

#include <gtest/gtest.h>

#include "framework/graphics/FontData.h"
#include "framework/graphics/Graphics.h"
#include "tests/graphics/FontTestHost.h"
#include "tests/support/TestSupport.h"

namespace Plix {
namespace {

constexpr uint32_t kWhite = 0xFFFFFFFFu;

// Channels within the rounding of the blenders.
::testing::AssertionResult Near(uint32_t got, uint32_t want) {
  for (int shift : {0, 8, 16}) {
    const int g = (got >> shift) & 0xFF, w = (want >> shift) & 0xFF;
    if (std::abs(g - w) > 3)
      return ::testing::AssertionFailure() << std::hex << got << " is not near " << want;
  }
  return ::testing::AssertionSuccess();
}

class ImageFontTest : public ::testing::Test {
protected:
  Testing::TempDir mDir;
  Testing::FontTestHost mHost;

  void SetUp() override {
    // 40 x 10 of opaque white: every glyph is a white block, tinted when drawn.
    mHost.AddImage(mDir / "glyphs.png", 40, 10, std::vector<uint32_t>(400, kWhite));
  }
  std::unique_ptr<ImageFont> Make(const std::string& script) {
    Testing::WriteFile(mDir / "font.txt", script);
    auto font = std::make_unique<ImageFont>(&mHost, mDir / "font.txt");
    EXPECT_TRUE(font->mFontData->mInitialized) << font->mFontData->mError;
    return font;
  }
  static std::vector<std::string> ActiveNames(ImageFont& font) {
    font.Prepare();
    std::vector<std::string> names;
    for (const auto& active : font.mActiveLayerList)
      for (const auto& [name, layer] : font.mFontData->mFontLayerMap)
        if (layer == active.mBaseFontLayer) names.push_back(name);
    return names;
  }
};

const char* const kGlyphs =
    "CreateLayer Main;\n"
    "LayerSetImage Main 'glyphs.png';\n"
    "LayerSetImageMap Main ('a' 'b') ((0 0 8 10) (8 0 8 10));\n"
    "LayerSetCharWidths Main ('a' 'b') (8 10);\n"
    "LayerSetAscent Main 16;\n"
    "LayerSetHeight Main 20;\n";

TEST_F(ImageFontTest, LayersChosenByPointSizeAndTags) {
  auto font = Make(
      "CreateLayer Any;\n"
      "CreateLayer Big; LayerPointRange Big 10 -1;\n"
      "CreateLayer Small; LayerPointRange Small 5 9;\n"
      "CreateLayer Bold; LayerRequireTags Bold ('bold');\n"
      "CreateLayer Plain; LayerExcludeTags Plain ('Bold' 'thin');\n");
  struct Case {
    int pointSize;
    std::vector<std::string> tags;
    std::vector<std::string> active;
  } cases[] = {
      {12, {}, {"ANY", "BIG", "PLAIN"}},
      {10, {}, {"ANY", "BIG", "PLAIN"}},
      {9, {}, {"ANY", "SMALL", "PLAIN"}},
      {5, {}, {"ANY", "SMALL", "PLAIN"}},
      {4, {}, {"ANY", "PLAIN"}},
      {12, {"bold"}, {"ANY", "BIG", "BOLD"}},
      {7, {"Thin"}, {"ANY", "SMALL"}},
      {7, {"bold", "other"}, {"ANY", "SMALL", "BOLD"}},
  };
  for (const auto& c : cases) {
    ImageFont copy(*font);
    copy.SetPointSize(c.pointSize);
    for (const auto& t : c.tags) EXPECT_TRUE(copy.AddTag(t));
    EXPECT_EQ(ActiveNames(copy), c.active) << c.pointSize;
  }
}

TEST_F(ImageFontTest, Tags) {
  auto font = Make("CreateLayer Main;");
  font->Prepare();
  EXPECT_TRUE(font->AddTag("Shadow"));
  EXPECT_TRUE(font->HasTag("SHADOW"));
  EXPECT_FALSE(font->HasTag("Shadow"));  // stored upper case, compared as given
  font->Prepare();
  EXPECT_FALSE(font->AddTag("SHADOW"));
  EXPECT_TRUE(font->mActiveListValid);  // a refused tag leaves the layers prepared
  EXPECT_TRUE(font->RemoveTag("shadow"));
  EXPECT_FALSE(font->mActiveListValid);
  EXPECT_FALSE(font->RemoveTag("shadow"));
}

TEST_F(ImageFontTest, ScalingByPointSizeAndScale) {
  auto font = Make(std::string("SetDefaultPointSize 12;\n") + kGlyphs + "LayerSetPointSize Main 16;\n");
  EXPECT_EQ(font->GetPointSize(), 12);
  EXPECT_EQ(font->GetDefaultPointSize(), 12);
  // Factor 12 / 16 = 0.75.
  EXPECT_EQ(font->ByteCharWidth('a'), 6);
  EXPECT_EQ(font->ByteCharWidth('b'), 7);
  EXPECT_EQ(font->GetAscent(), 12);
  EXPECT_EQ(font->GetHeight(), 15);
  const ActiveFontLayer& scaled = font->mActiveLayerList.front();
  ASSERT_TRUE(scaled.mOwnsImage);
  ASSERT_NE(scaled.mScaledImage, nullptr);
  EXPECT_EQ(scaled.mScaledImage->GetWidth(), 12);  // 'a' and 'b' side by side, 6 each
  EXPECT_EQ(scaled.mScaledImage->GetHeight(), 7);
  EXPECT_EQ(scaled.mScaledCharImageRects['b'], Rect(6, 0, 6, 7));
  // The stretched glyphs are the white blocks of the layer image.
  auto* bits = static_cast<MemoryImage*>(scaled.mScaledImage)->GetBits();
  for (uint32_t px : {bits[0], bits[12 * 7 - 1]}) {
    EXPECT_TRUE(Near(px, kWhite));
    EXPECT_GE(px >> 24, 0xF0u);
  }

  font->SetScale(2.0);
  EXPECT_FALSE(font->mActiveListValid);
  EXPECT_EQ(font->ByteCharWidth('a'), 12);
  EXPECT_EQ(font->GetAscent(), 24);

  // At the layer's own size and scale 1 the layer image itself is used.
  font->SetScale(1.0);
  font->SetPointSize(16);
  EXPECT_EQ(font->ByteCharWidth('a'), 8);
  EXPECT_FALSE(font->mActiveListValid == false);
  EXPECT_FALSE(font->mActiveLayerList.front().mOwnsImage);
  EXPECT_EQ(font->mActiveLayerList.front().mScaledImage, font->mFontData->mFontLayerList.front().mImage.GetImage());

  // White glyphs force the colour of scaled glyphs, keeping their alpha.
  auto tinted = Make(std::string(kGlyphs) + "LayerSetPointSize Main 16; SetDefaultPointSize 8;");
  tinted->mForceScaledImagesWhite = true;
  tinted->SetPointSize(32);
  tinted->Prepare();
  EXPECT_EQ(static_cast<MemoryImage*>(tinted->mActiveLayerList.front().mScaledImage)->GetBits()[0] & 0x00FFFFFFu,
            0x00FFFFFFu);
}

TEST_F(ImageFontTest, KerningAndSpacing) {
  auto font = Make(std::string(kGlyphs) +
                   "LayerSetKerningPairs Main ('ab') (-3);\n"
                   "LayerSetSpacing Main 1;\n"
                   "CreateLayer Wide; LayerSetCharWidths Wide ('a') (5);\n");
  EXPECT_EQ(font->StringWidth(L"a"), 8);  // no spacing before the first
  EXPECT_EQ(font->StringWidth(L"ab"), 8 + 10 - 3 + 1);
  EXPECT_EQ(font->StringWidth(L"ba"), 10 + 8 + 1);
  EXPECT_EQ(font->ByteCharWidthKern('b', 'a'), 10 - 3 + 1);
  EXPECT_EQ(font->StringWidth(L""), 0);
  // Wide characters count by their low eight bits.
  EXPECT_EQ(font->StringWidth(std::wstring(1, static_cast<wchar_t>(0x161))), 8);
  // Word wrapping measures without kerning.
  EXPECT_EQ(font->CharWidthKern(L'b', L'a'), 10);
}

TEST_F(ImageFontTest, DrawOrderColoursAndPositions) {
  auto font = Make(std::string(kGlyphs) +
                   "LayerSetColorMult Main (1 0 0 1);\n"
                   "LayerSetCharOrders Main ('a' 'b') (200 -200);\n"
                   "CreateLayerFrom Green Main;\n"
                   "LayerSetColorMult Green (0 1 0 1);\n"
                   "LayerSetCharOrders Green ('a' 'b') (0 0);\n"
                   "LayerSetOffset Green (1 0);\n");
  MemoryImage canvas(&mHost);
  canvas.Create(60, 30);
  Graphics g(&canvas);
  g.SetColor(Color(255, 255, 255, 255));
  std::list<Rect> rects;
  int width = -1;
  font->DrawStringEx(&g, 2, 20, L"ab", Color(255, 255, 255, 255), g.GetClipRect(), &rects, &width);
  EXPECT_EQ(width, 18);
  // Per character and layer: red 'a', green 'a' one pixel right, then 'b'.
  EXPECT_EQ(rects, (std::list<Rect>{Rect(2, 4, 8, 10), Rect(3, 4, 8, 10), Rect(10, 4, 8, 10), Rect(11, 4, 8, 10)}));
  uint32_t* px = canvas.GetBits();
  auto at = [&](int x, int y) { return px[y * 60 + x] & 0x00FFFFFFu; };
  EXPECT_TRUE(Near(at(5, 10), 0xFF0000u));  // red 'a' in bucket 255 over green in 128
  EXPECT_TRUE(Near(at(13, 10), 0x00FF00u));  // red 'b' in bucket 0 under green
  EXPECT_TRUE(Near(at(2, 10), 0xFF0000u));
  EXPECT_EQ(g.GetColor(), Color(255, 255, 255, 255));
  EXPECT_FALSE(g.GetImageTinting());
}

TEST_F(ImageFontTest, LayerColours) {
  struct Case {
    const char* mult;
    const char* add;
    Color given;
    uint32_t pixel;
  } cases[] = {
      {"(1 1 1 1)", "(0 0 0 0)", Color(200, 50, 10, 255), 0xC8320Au},
      {"(1 1 1 1)", "(0.3922 0 0 0)", Color(200, 50, 10, 255), 0xFF320Au},
      {"(0.5 0 1 1)", "(0 0 0 0)", Color(200, 50, 10, 255), 0x63000Au},
  };
  for (const auto& c : cases) {
    auto font = Make(std::string(kGlyphs) + "LayerSetColorMult Main " + c.mult + "; LayerSetColorAdd Main " + c.add +
                     ";");
    MemoryImage canvas(&mHost);
    canvas.Create(20, 20);
    Graphics g(&canvas);
    font->DrawString(&g, 0, 16, L"a", c.given, g.GetClipRect());
    EXPECT_TRUE(Near(canvas.GetBits()[20 * 5 + 3], c.pixel)) << c.mult << c.add;
  }
}

TEST_F(ImageFontTest, RenderStoreLimit) {
  auto font = Make("CreateLayer Main; LayerSetCharWidths Main ('a') (1);");
  MemoryImage canvas(&mHost);
  canvas.Create(4, 4);
  Graphics g(&canvas);
  int width = 0;
  font->DrawStringEx(&g, 0, 0, std::wstring(5000, L'a'), Color::White, g.GetClipRect(), nullptr, &width);
  EXPECT_EQ(width, ImageFont::kMaxRenderCommands);
  EXPECT_EQ(font->StringWidth(std::wstring(5000, L'a')), 5000);
}

TEST_F(ImageFontTest, BrokenDescriptionDrawsNothing) {
  Testing::WriteFile(mDir / "font.txt", "CreateLayer Main;\nLayerSetAscent Main (1;\n");
  ImageFont font(&mHost, mDir / "font.txt");
  EXPECT_FALSE(font.mFontData->mInitialized);
  ASSERT_EQ(mHost.mErrors.size(), 1u);
  EXPECT_EQ(mHost.mErrors[0], "Font Descriptor Error in " + mDir / "font.txt" +
                                  "\r\nUnterminated List on Line 2:\r\n\r\nLayerSetAscent Main (1");
  MemoryImage canvas(&mHost);
  canvas.Create(8, 8);
  Graphics g(&canvas);
  int width = -1;
  font.DrawStringEx(&g, 0, 4, L"abc", Color::White, g.GetClipRect(), nullptr, &width);
  EXPECT_EQ(width, 0);
  EXPECT_EQ(font.StringWidth(L"abc"), 0);
  EXPECT_EQ(font.GetHeight(), 0);

  ImageFont missing(&mHost, mDir / "none.txt");
  EXPECT_FALSE(missing.mFontData->mInitialized);
}

TEST_F(ImageFontTest, CopiesShareTheDescription) {
  auto font = Make(std::string("SetDefaultPointSize 8;") + kGlyphs + "LayerSetPointSize Main 16; Define Title 'Hi';");
  font->AddTag("x");
  font->Prepare();
  std::unique_ptr<Font> copy(font->Duplicate());
  auto* image = static_cast<ImageFont*>(copy.get());
  EXPECT_EQ(image->mFontData, font->mFontData);
  EXPECT_EQ(font->mFontData->mRefCount, 2);
  EXPECT_EQ(image->mTagVector, font->mTagVector);
  ASSERT_EQ(image->mActiveLayerList.size(), 1u);
  // A scaled glyph image belongs to its font: the copy has its own.
  EXPECT_NE(image->mActiveLayerList.front().mScaledImage, font->mActiveLayerList.front().mScaledImage);
  EXPECT_EQ(image->GetHeight(), font->GetHeight());
  EXPECT_EQ(image->StringWidth(L"ab"), font->StringWidth(L"ab"));
  EXPECT_EQ(image->LookUpDefine("title"), "Hi");
  EXPECT_EQ(image->LookUpDefine("nothing"), "");
  font.reset();
  EXPECT_EQ(image->mFontData->mRefCount, 1);
  EXPECT_EQ(image->StringWidth(L"ab"), 9);
}

TEST_F(ImageFontTest, ImageAndWidthsFont) {
  MemoryImage strip(&mHost);
  strip.SetBits(std::vector<uint32_t>(30 * 12, kWhite).data(), 30, 12);
  Testing::WriteFile(mDir / "widths.txt", "4 10\nA 7\n");
  ImageFont font(&strip, mDir / "widths.txt");
  EXPECT_EQ(font.GetAscent(), 10);
  EXPECT_EQ(font.GetHeight(), 12);
  EXPECT_EQ(font.StringWidth(L" "), 4);
  EXPECT_EQ(font.StringWidth(L"a"), 7);  // drawn as 'A'

  // Widths whose sum leaves the integer range: glyphs past the end of the
  // image draw nothing, and nothing wraps around.
  Testing::WriteFile(mDir / "broken.txt", "4 10\nA 99999999999\nB 2147483647\nC -5\nD 3\n");
  ImageFont broken(&strip, mDir / "broken.txt");
  EXPECT_EQ(broken.StringWidth(L"B"), 2147483647);
  MemoryImage canvas(&mHost);
  canvas.Create(8, 8);
  Graphics g(&canvas);
  broken.DrawString(&g, 0, 8, L"ABCD", Color::White, g.GetClipRect());
  EXPECT_EQ(canvas.GetBits()[8 * 4], 0u);
}

}  // namespace
}  // namespace Plix

#include "tests/graphics/BitmapFontFixture.h"

namespace Plix {
namespace {

TEST_F(ImageFontTest, RasterisedFixtureFontDraws) {
  auto fixture = Testing::MakeBitmapFontFixture(mDir.Path(), "Hi", 16);
  ASSERT_GT(fixture.mWidth, 0);
  mHost.AddImage(fixture.mImagePath, fixture.mWidth, fixture.mHeight, fixture.mPixels);
  ImageFont font(&mHost, fixture.mScriptPath);
  ASSERT_TRUE(font.mFontData->mInitialized) << font.mFontData->mError;
  EXPECT_EQ(font.StringWidth(L"Hi"), fixture.mWidth);
  EXPECT_EQ(font.GetAscent(), 15);

  MemoryImage canvas(&mHost);
  canvas.Create(40, 24);
  Graphics g(&canvas);
  g.SetFont(&font);
  g.SetColor(Color(255, 255, 0, 255));
  g.DrawString(L"Hi", 2, 18);
  // The stems of the letters are solid yellow.
  int yellow = 0;
  for (int y = 0; y < 24; ++y)
    for (int x = 0; x < 40; ++x)
      if (Near(canvas.GetBits()[y * 40 + x], 0xFFFF00u) && (canvas.GetBits()[y * 40 + x] >> 24) == 0xFF) ++yellow;
  EXPECT_GT(yellow, 20);
}

}  // namespace
}  // namespace Plix
