#include "framework/graphics/TextureData.h"

#include <gtest/gtest.h>

#include <cstring>

#include "framework/graphics/D3DInterface.h"
#include "tests/graphics/D3DTestSupport.h"

namespace Plix {
namespace {

using Testing::Display3D;

// Device limits for a case, restored afterwards.
struct Limits {
  int32_t saved[5];
  uint32_t formats;
  Limits(int32_t minSide, int32_t maxSide, int32_t aspect, uint32_t supported = 15)
      : saved{gMinTextureWidth, gMinTextureHeight, gMaxTextureWidth, gMaxTextureHeight, gMaxTextureAspectRatio},
        formats(gSupportedTextureFormats) {
    gMinTextureWidth = gMinTextureHeight = minSide;
    gMaxTextureWidth = gMaxTextureHeight = maxSide;
    gMaxTextureAspectRatio = aspect;
    gSupportedTextureFormats = supported;
  }
  ~Limits() {
    gMinTextureWidth = saved[0];
    gMinTextureHeight = saved[1];
    gMaxTextureWidth = saved[2];
    gMaxTextureHeight = saved[3];
    gMaxTextureAspectRatio = saved[4];
    gSupportedTextureFormats = formats;
  }
};

TEST(TextureData, TheSizeTableKeepsWasteSmall) {
  const int32_t cases[][2] = {{0, 1},     {3, 4},     {63, 64},   {65, 128}, {100, 128}, {129, 128}, {300, 256},
                              {400, 128}, {480, 512}, {600, 64},  {640, 512}, {700, 128}, {1000, 1024}};
  for (const auto& c : cases) EXPECT_EQ(TextureSizeTableEntry(c[0]), c[1]) << c[0];
  EXPECT_EQ(NextPowerOfTwo(1), 1);
  EXPECT_EQ(NextPowerOfTwo(65), 128);
  EXPECT_TRUE(IsPowerOfTwo(64));
  EXPECT_FALSE(IsPowerOfTwo(0));
  EXPECT_FALSE(IsPowerOfTwo(96));
}

TEST(TextureData, BestDimensionsObeyTheDeviceLimits) {
  struct Case {
    int32_t minSide, maxSide, aspect;
    int32_t w, h;
    bool pow2;
    uint32_t flags;
    int32_t outW, outH;
  } cases[] = {
      {1, 1024, 65536, 300, 100, false, 0, 256, 128},
      {1, 1024, 65536, 300, 100, true, 0, 512, 128},
      {1, 1024, 65536, 300, 100, false, D3DImageFlag_MinimizeNumSubdivisions, 512, 128},
      {1, 1024, 65536, 300, 100, false, D3DImageFlag_Use64By64Subdivisions, 64, 64},
      {1, 256, 65536, 1000, 10, false, 0, 256, 16},
      {1, 1024, 2, 512, 16, false, 0, 512, 256},   // aspect 2: the short side grows
      {1, 1024, 2, 16, 512, false, 0, 256, 512},
      {64, 64, 1, 10, 3, false, 0, 64, 64},        // a device without limits of its own
  };
  for (const Case& c : cases) {
    Limits limits(c.minSide, c.maxSide, c.aspect);
    int32_t w = c.w, h = c.h;
    GetBestTextureDimensions(w, h, c.pow2, c.flags);
    EXPECT_EQ(w, c.outW) << c.w << "x" << c.h;
    EXPECT_EQ(h, c.outH) << c.w << "x" << c.h;
  }
}

TEST(TextureData, PieceGridsFollowTheSizeTable) {
  struct Case {
    int32_t w, h, aspect;
    uint32_t flags;
    int32_t columns, rows, pieceW, pieceH;
    std::vector<std::pair<int32_t, int32_t>> sizes;
  } cases[] = {
      {300, 100, 8, 0, 2, 1, 256, 128, {{256, 128}, {64, 128}}},
      {64, 64, 8, 0, 1, 1, 64, 64, {{64, 64}}},
      {100, 70, 65536, D3DImageFlag_Use64By64Subdivisions, 2, 2, 64, 64, {{64, 64}, {64, 64}, {64, 64}, {64, 64}}},
      {600, 40, 65536, 0, 10, 1, 64, 64, {}},
  };
  for (const Case& c : cases) {
    Limits limits(1, 1024, c.aspect);
    TextureData data;
    data.mFlags = c.flags;
    data.BuildPieceGrid(c.w, c.h);
    EXPECT_EQ(data.mColumns, c.columns) << c.w << "x" << c.h;
    EXPECT_EQ(data.mRows, c.rows);
    EXPECT_EQ(data.mPieceWidth, c.pieceW);
    EXPECT_EQ(data.mPieceHeight, c.pieceH);
    EXPECT_FLOAT_EQ(data.mWidthInPieces, float(c.w) / c.pieceW);
    for (size_t i = 0; i < c.sizes.size(); ++i) {
      EXPECT_EQ(data.mPieces[i].mWidth, c.sizes[i].first) << c.w << "x" << c.h << " piece " << i;
      EXPECT_EQ(data.mPieces[i].mHeight, c.sizes[i].second) << c.w << "x" << c.h << " piece " << i;
    }
  }
}

TEST(TextureData, ConversionsBothWays) {
  struct Case {
    int32_t format;
    uint32_t argb, texel, back;
  } cases[] = {
      {PixelFormat_A8R8G8B8, 0x80123456, 0x80123456, 0x80123456},
      // Alpha keeps its weight on the way back: nibble 8 is 0x88, not opaque.
      {PixelFormat_A4R4G4B4, 0x80F0A050, 0x8FA5, 0x88F0A050},
      {PixelFormat_A4R4G4B4, 0x00FFFFFF, 0x0FFF, 0x00F0F0F0},
      {PixelFormat_R5G6B5, 0xFFFF8040, 0xFC08, 0xFFF88040},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ArgbToTexel(c.argb, c.format), c.texel) << c.format;
    EXPECT_EQ(TexelToArgb(c.texel, c.format), c.back) << c.format;
  }
}

// The pixels of a texture piece.
uint32_t Texel(IDirectDrawSurface7* s, int x, int y) {
  const int bytes = int(s->Format().dwRGBBitCount / 8);
  uint32_t v = 0;
  std::memcpy(&v, s->Pixels() + y * s->Pitch() + x * bytes, bytes);
  return v;
}

TEST(TextureData, EdgePiecesRepeatTheirLastColumnAndRow) {
  EmulatedDirect3DConfig c;
  c.maxTextureAspectRatio = 8;
  Display3D d(true, 32, 64, 48, c);
  ASSERT_EQ(d.Init(), DDInterface::RESULT_OK);
  std::vector<uint32_t> argb(300 * 100);
  for (int y = 0; y < 100; ++y)
    for (int x = 0; x < 300; ++x) argb[y * 300 + x] = 0x80000000u | uint32_t(y << 8) | uint32_t(x & 0xFF);
  auto image = d.Image(300, 100, argb);
  ASSERT_TRUE(d.D3D().PrepareImageTexture(image.get()));
  TextureData* data = image->mD3DData;
  ASSERT_EQ(data->mPieces.size(), 2u);
  EXPECT_EQ(data->mFormatCode, PixelFormat_A8R8G8B8);
  IDirectDrawSurface7* corner = data->mPieces[1].mTexture;
  EXPECT_EQ(Texel(corner, 43, 5), argb[5 * 300 + 299]);
  EXPECT_EQ(Texel(corner, 44, 5), argb[5 * 300 + 299]);  // the last used column, once
  EXPECT_EQ(Texel(corner, 45, 5), 0u);
  EXPECT_EQ(Texel(corner, 10, 100), argb[99 * 300 + 266]);  // row 100 repeats row 99
  EXPECT_EQ(Texel(corner, 10, 101), 0u);
  EXPECT_EQ(Texel(data->mPieces[0].mTexture, 255, 99), argb[99 * 300 + 255]);
  EXPECT_EQ(data->mMemoryUsed, (256 * 128 + 64 * 128) * 4);
}

TEST(TextureData, TheFormatFollowsTheImageAndItsFlags) {
  Display3D d;
  ASSERT_EQ(d.Init(), DDInterface::RESULT_OK);
  struct Case {
    const char* name;
    uint32_t pixel;
    uint32_t flags;
    bool palettise;
    int32_t format;
  } cases[] = {
      {"opaque", 0xFF102030, 0, false, PixelFormat_R5G6B5},
      {"opaque, never R5G6B5", 0xFF102030, D3DImageFlag_UseA8R8G8B8, false, PixelFormat_A8R8G8B8},
      {"partly transparent", 0x80102030, 0, false, PixelFormat_A8R8G8B8},
      {"A4R4G4B4 asked for", 0x80102030, D3DImageFlag_UseA4R4G4B4, false, PixelFormat_A4R4G4B4},
      {"palettised", 0x80102030, 0, true, PixelFormat_Palette8},
  };
  for (const Case& c : cases) {
    auto image = d.Solid(8, 8, c.pixel);
    image->mD3DFlags = c.flags;
    if (c.palettise) {
      ASSERT_TRUE(image->Palettize());
    }
    ASSERT_TRUE(d.D3D().PrepareImageTexture(image.get())) << c.name;
    EXPECT_EQ(image->mD3DData->mFormatCode, c.format) << c.name;
    EXPECT_EQ(D3DInterface::ClassifyPixelFormat(image->mD3DData->mPieces[0].mTexture->Format()), c.format) << c.name;
  }
  // A palette that cannot be made turns palettised textures off for good.
  EmulatedDisplay::Get().FailNext(DDOp::CreatePalette, DDERR_OUTOFMEMORY);
  auto other = d.Solid(8, 8, 0x80405060);
  ASSERT_TRUE(other->Palettize());
  ASSERT_TRUE(d.D3D().PrepareImageTexture(other.get()));
  EXPECT_EQ(other->mD3DData->mFormatCode, PixelFormat_A8R8G8B8);
  EXPECT_FALSE(gSupportedTextureFormats & PixelFormat_Palette8);
  EXPECT_EQ(Texel(other->mD3DData->mPieces[0].mTexture, 3, 3), 0x80405060u);
}

TEST(TextureData, UnchangedImagesAreNotUploadedAgain) {
  Display3D d;
  ASSERT_EQ(d.Init(), DDInterface::RESULT_OK);
  auto image = d.Solid(8, 8, 0x80FF0000);
  ASSERT_TRUE(d.D3D().PrepareImageTexture(image.get()));
  IDirectDrawSurface7* piece = image->mD3DData->mPieces[0].mTexture;
  std::memset(piece->Pixels(), 0x11, 4);  // marks the texture
  ASSERT_TRUE(d.D3D().PrepareImageTexture(image.get()));
  EXPECT_EQ(Texel(piece, 0, 0), 0x11111111u);
  image->GetBits()[0] = 0x8000FF00;
  image->OnBitsChanged();
  ASSERT_TRUE(d.D3D().PrepareImageTexture(image.get()));
  EXPECT_EQ(image->mD3DData->mPieces[0].mTexture, piece);  // same grid, same surfaces
  EXPECT_EQ(Texel(piece, 0, 0), 0x8000FF00u);
}

TEST(TextureData, AFailedPieceDrawsNothingUntilAllPiecesExist) {
  Display3D d;
  ASSERT_EQ(d.Init(), DDInterface::RESULT_OK);
  auto image = d.Solid(8, 8, 0xFF00FF00);
  std::vector<D3DDrawRecord> log;
  EmulatedDirect3D::Get().SetDrawLog(&log);
  EmulatedDisplay::Get().FailCreateSurface(DDSCAPS_TEXTURE, DDERR_OUTOFVIDEOMEMORY);
  d.Screen()->Blit(image.get(), 0, 0, Rect(0, 0, 8, 8), Color::White, 0);
  EXPECT_TRUE(log.empty());
  EXPECT_EQ(image->mD3DData->mFormatCode, PixelFormat_Unknown);
  EXPECT_EQ(d.Pixel(0, 0), 0u);
  d.Screen()->Blit(image.get(), 0, 0, Rect(0, 0, 8, 8), Color::White, 0);
  EXPECT_EQ(log.size(), 1u);
  EXPECT_EQ(d.Pixel(0, 0), 0x00FF00u);
}

TEST(TextureData, RebuildingAPalettisedImageReusesItsPalette) {
  Display3D d;
  ASSERT_EQ(d.Init(), DDInterface::RESULT_OK);
  auto image = d.Solid(16, 16, 0xFF0000FF);
  ASSERT_TRUE(image->Palettize());
  ASSERT_TRUE(d.D3D().PrepareImageTexture(image.get()));
  TextureData* data = image->mD3DData;
  IDirectDrawPalette* palette = data->mPalette;
  ASSERT_NE(palette, nullptr);
  const int32_t memory = data->mMemoryUsed;
  EXPECT_EQ(memory, 16 * 16 + 1024);
  // New colours, same size: uploaded again, several times.
  for (uint32_t colour : {0xFFFF0000u, 0xFF00FF00u, 0xFF808080u}) {
    std::vector<uint32_t> argb(16 * 16, colour);
    image->SetBits(argb.data(), 16, 16);
    ASSERT_TRUE(image->Palettize());
    ASSERT_TRUE(d.D3D().PrepareImageTexture(image.get()));
    EXPECT_EQ(data->mPalette, palette);
    EXPECT_EQ(data->mMemoryUsed, memory);
    d.Screen()->Blit(image.get(), 0, 0, Rect(0, 0, 16, 16), Color::White, 0);
    EXPECT_EQ(d.Pixel(3, 3), colour & 0xFFFFFF);
  }
}

TEST(TextureData, ReadBackKeepsTransparency) {
  Display3D d;
  ASSERT_EQ(d.Init(), DDInterface::RESULT_OK);
  struct Case {
    const char* name;
    uint32_t flags;
    bool palettise;
    std::vector<uint32_t> pixels, back;
  } cases[] = {
      {"A8R8G8B8", 0, false, {0x80FF0000, 0x00000000, 0xFF123456}, {0x80FF0000, 0x00000000, 0xFF123456}},
      {"A4R4G4B4", D3DImageFlag_UseA4R4G4B4, false, {0x80FF0000, 0x00000000, 0xFF123456},
       {0x88F00000, 0x00000000, 0xFF103050}},
      {"R5G6B5", 0, false, {0xFFFF0000, 0xFF00FF00, 0xFF123456}, {0xFFF80000, 0xFF00FC00, 0xFF103450}},
      {"Palette8", 0, true, {0x80FF0000, 0x00000000, 0xFF123456}, {0x80FF0000, 0x00000000, 0xFF123456}},
  };
  for (const Case& c : cases) {
    auto image = d.Image(3, 1, c.pixels);
    image->mD3DFlags = c.flags;
    if (c.palettise) {
      ASSERT_TRUE(image->Palettize());
    }
    ASSERT_TRUE(d.D3D().PrepareImageTexture(image.get()));
    // Only the texture holds the pixels now.
    image->mBits.reset();
    image->mColorTable.reset();
    image->mColorIndices.reset();
    image->mNativeAlphaData.reset();
    const uint32_t* bits = image->GetBits();
    for (int i = 0; i < 3; ++i) EXPECT_EQ(bits[i], c.back[i]) << c.name << " pixel " << i;
  }
  // Stale textures are not read back.
  auto image = d.Solid(2, 2, 0xFF00FF00);
  ASSERT_TRUE(d.D3D().PrepareImageTexture(image.get()));
  image->OnBitsChanged();
  EXPECT_FALSE(d.D3D().ReadTextureIntoBits(image.get()));
}

TEST(TextureData, TexturesGoWithTheirImageOrTheDevice) {
  Display3D d;
  ASSERT_EQ(d.Init(), DDInterface::RESULT_OK);
  auto a = d.Solid(4, 4, 0xFF000000), b = d.Solid(4, 4, 0xFFFFFFFF);
  ASSERT_TRUE(d.D3D().PrepareImageTexture(a.get()));
  ASSERT_TRUE(d.D3D().PrepareImageTexture(b.get()));
  EXPECT_EQ(d.D3D().mImageSet.size(), 2u);
  const int surfaces = EmulatedDisplay::Get().LiveSurfaces();
  a.reset();  // unregistering drops its texture
  EXPECT_EQ(d.D3D().mImageSet.size(), 1u);
  EXPECT_EQ(EmulatedDisplay::Get().LiveSurfaces(), surfaces - 1);
  d.D3D().Cleanup();
  EXPECT_TRUE(d.D3D().mImageSet.empty());
  EXPECT_EQ(b->mD3DData, nullptr);
}

TEST(TextureData, TheVideoStatisticsCountTexturesByFormat) {
  Display3D d;
  ASSERT_EQ(d.Init(), DDInterface::RESULT_OK);
  auto big = d.Solid(1024, 512, 0x80FFFFFF), small = d.Solid(8, 8, 0xFF000000), none = d.Solid(8, 8, 0xFF000000);
  ASSERT_TRUE(d.D3D().PrepareImageTexture(big.get()));
  ASSERT_TRUE(d.D3D().PrepareImageTexture(small.get()));
  EXPECT_EQ(TextureStatsText(d.mImages.mMemoryImageSet),
            "Texture Memory: 2,048 KB\r\n"
            "A8R8G8B8: 1 - 2,048 KB\r\n"
            "A4R4G4B4: 0 - 0 KB\r\n"
            "R5G6B5: 1 - 0 KB\r\n"
            "Palette8: 0 - 0 KB\r\n");
}

}  // namespace
}  // namespace Plix
