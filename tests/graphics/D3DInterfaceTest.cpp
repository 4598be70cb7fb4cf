#include "framework/graphics/D3DInterface.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

#include "framework/graphics/Graphics.h"
#include "framework/graphics/TextureData.h"
#include "tests/graphics/D3DTestSupport.h"

namespace Plix {
namespace {

using Testing::Display3D;

TEST(D3DInterface, InitReadsTheDeviceLimits) {
  struct Case {
    const char* name;
    std::function<void(EmulatedDirect3DConfig&)> config;
    int32_t minW, maxW, maxH, aspect;
    uint32_t formats;
  } cases[] = {
      {"the software device", [](auto&) {}, 1, 1024, 1024, 65536, 15},
      {"no maximum", [](auto& c) { c.maxTextureWidth = 0; }, 64, 64, 64, 1, 15},
      {"minimum 0", [](auto& c) { c.minTextureWidth = c.minTextureHeight = 0; }, 1, 1024, 1024, 65536, 15},
      {"limits kept", [](auto& c) { c.maxTextureWidth = 256; c.maxTextureHeight = 512; c.maxTextureAspectRatio = 8; },
       1, 256, 512, 8, 15},
      {"no alpha palette", [](auto& c) { c.alphaPalette = false; }, 1, 1024, 1024, 65536, 7},
      {"sixteen bits only", [](auto& c) { c.textureFormats = {PixelFormatA4R4G4B4(), PixelFormatR5G6B5()}; }, 1, 1024,
       1024, 65536, 6},
  };
  for (const Case& c : cases) {
    EmulatedDirect3DConfig config;
    c.config(config);
    Display3D d(true, 32, 64, 48, config);
    ASSERT_EQ(d.Init(), DDInterface::RESULT_OK) << c.name << ": " << d->mErrorString;
    EXPECT_EQ(gMinTextureWidth, c.minW) << c.name;
    EXPECT_EQ(gMaxTextureWidth, c.maxW) << c.name;
    EXPECT_EQ(gMaxTextureHeight, c.maxH) << c.name;
    EXPECT_EQ(gMaxTextureAspectRatio, c.aspect) << c.name;
    EXPECT_EQ(gSupportedTextureFormats, c.formats) << c.name;
    EXPECT_TRUE(d.Screen()->Is3D());
  }
}

TEST(D3DInterface, AFailedStepIsNamedAndWrittenToTheRegistry) {
  {
    Display3D d;
    EmulatedDirect3D::Get().FailNext(D3DOp::CreateDevice, DDERR_OUTOFVIDEOMEMORY);
    EXPECT_EQ(d.Init(), DDInterface::RESULT_3D_FAIL);
    EXPECT_EQ(d->mErrorString, "3D init error: CreateDevice IID_IDirect3DHALDevice: DDERR_OUTOFVIDEOMEMORY");
    ASSERT_EQ(d.mApp.mRegistryWrites.size(), 1u);
    EXPECT_EQ(d.mApp.mRegistryWrites[0].first, "Test3D\\RuntimeError");
    EXPECT_EQ(d.mApp.mRegistryWrites[0].second.rfind("CreateDevice IID_IDirect3DHALDevice: ", 0), 0u);
  }
  // Without DirectDrawCreateEx there is no Direct3D to ask for.
  EmulatedDisplayConfig old;
  old.hasDirectDrawCreateEx = false;
  Display3D e(true, 32, 64, 48, {}, old);
  EXPECT_EQ(e.Init(), DDInterface::RESULT_3D_FAIL);
  EXPECT_EQ(e->mErrorString, "3D init error: QueryInterface IID_IDirect3D7: DDERR_NOTINITIALIZED");
}

TEST(D3DInterface, OneSceneIsBegunPerFrameWithTheFixedStates) {
  Display3D d;
  ASSERT_EQ(d.Init(), DDInterface::RESULT_OK);
  D3DInterface& d3d = d.D3D();
  d.Screen()->FillRect(Rect(0, 0, 4, 4), Color(255, 0, 0), 0);
  EXPECT_TRUE(d3d.mSceneBegun);
  DWORD dither = 0;
  d3d.mDevice->SetRenderState(D3DRENDERSTATE_DITHERENABLE, TRUE);
  d.Screen()->FillRect(Rect(4, 0, 4, 4), Color(0, 255, 0), 0);
  d3d.mDevice->GetRenderState(D3DRENDERSTATE_DITHERENABLE, &dither);
  EXPECT_EQ(dither, DWORD(TRUE));  // the states are not set again within the scene
  ASSERT_TRUE(d->Redraw());
  EXPECT_FALSE(d3d.mSceneBegun);
  d.Screen()->FillRect(Rect(0, 4, 4, 4), Color(0, 0, 255), 0);
  d3d.mDevice->GetRenderState(D3DRENDERSTATE_DITHERENABLE, &dither);
  EXPECT_EQ(dither, DWORD(FALSE));
  EXPECT_EQ(d.Pixel(1, 1), 0xFF0000u);
  EXPECT_EQ(d.Pixel(5, 1), 0x00FF00u);
  EXPECT_EQ(d.Pixel(1, 5), 0x0000FFu);
}

TEST(D3DInterface, NoSceneStartsWhileMinimisedOrWithoutARenderTarget) {
  Display3D d;
  ASSERT_EQ(d.Init(), DDInterface::RESULT_OK);
  d.mApp.mMinimised = true;
  d.Screen()->FillRect(Rect(0, 0, 4, 4), Color(255, 0, 0), 0);
  EXPECT_EQ(d.Pixel(0, 0), 0u);
  d.mApp.mMinimised = false;

  EmulatedDirect3D::Get().FailNext(D3DOp::SetRenderTarget, DDERR_SURFACELOST);
  d.Screen()->FillRect(Rect(0, 0, 4, 4), Color(255, 0, 0), 0);
  EXPECT_EQ(d.Pixel(0, 0), 0u);
  EXPECT_TRUE(gHardwareProblem);
  d.Screen()->FillRect(Rect(0, 0, 4, 4), Color(255, 0, 0), 0);
  EXPECT_EQ(d.Pixel(0, 0), 0xFF0000u);
  EXPECT_FALSE(gHardwareProblem);
}

TEST(D3DInterface, AFailedCallSwitchesTheNextFrameToSoftwareDrawing) {
  Display3D d;
  ASSERT_EQ(d.Init(), DDInterface::RESULT_OK);
  EmulatedDirect3D::Get().FailNext(D3DOp::DrawPrimitive, DDERR_GENERIC);
  d.Screen()->FillRect(Rect(0, 0, 4, 4), Color(255, 0, 0), 0);
  EXPECT_EQ(d.D3D().mErrorText, "DrawPrimitive (Rect): DSERR_GENERIC");
  EXPECT_FALSE(d->Redraw());
  EXPECT_FALSE(d->mIs3D);
  EXPECT_FALSE(d.Screen()->Is3D());
}

// The primitives a drawing operation sends, with the display in 3D.
struct Logged {
  Display3D d;
  std::vector<D3DDrawRecord> log;
  explicit Logged(const EmulatedDirect3DConfig& device = {}) : d(true, 32, 64, 48, device) {
    EXPECT_EQ(d.Init(), DDInterface::RESULT_OK);
    EmulatedDirect3D::Get().SetDrawLog(&log);
  }
};

TEST(D3DInterface, BlitsPlaceTheirQuadsHalfAPixelUpAndLeft) {
  Logged l;
  auto image = l.d.Solid(16, 12, 0xFF808080);
  l.d.Screen()->Blit(image.get(), 10, 20, Rect(0, 0, 16, 12), Color::White, 0);
  ASSERT_EQ(l.log.size(), 1u);
  EXPECT_EQ(l.log[0].type, D3DPT_TRIANGLESTRIP);
  const auto& v = l.log[0].vertices;
  ASSERT_EQ(v.size(), 4u);
  EXPECT_FLOAT_EQ(v[0].sx, 9.5f);
  EXPECT_FLOAT_EQ(v[0].sy, 19.5f);
  EXPECT_FLOAT_EQ(v[3].sx, 25.5f);
  EXPECT_FLOAT_EQ(v[3].sy, 31.5f);
  EXPECT_FLOAT_EQ(v[3].tu, 1.0f);
  EXPECT_FLOAT_EQ(v[3].tv, 0.75f);  // 12 rows of a 16-row texture
  EXPECT_EQ(v[0].color, 0xFFFFFFFFu);
}

TEST(D3DInterface, PiecesOfAWideImageMeetWithoutAGap) {
  EmulatedDirect3DConfig c;
  c.maxTextureAspectRatio = 8;
  Logged l(c);
  auto image = l.d.Solid(300, 100, 0xFF102030);
  l.d.Screen()->Blit(image.get(), 0, 0, Rect(0, 0, 300, 100), Color::White, 0);
  ASSERT_EQ(l.log.size(), 2u);
  EXPECT_FLOAT_EQ(l.log[0].vertices[0].sx, -0.5f);
  EXPECT_FLOAT_EQ(l.log[0].vertices[3].sx, 255.5f);
  EXPECT_FLOAT_EQ(l.log[1].vertices[0].sx, 255.5f);
  EXPECT_FLOAT_EQ(l.log[1].vertices[3].sx, 299.5f);
  EXPECT_FLOAT_EQ(l.log[1].vertices[3].tu, 44.0f / 64.0f);
  EXPECT_FLOAT_EQ(l.log[1].vertices[3].tv, 100.0f / 128.0f);
  EXPECT_NE(l.log[0].texture, l.log[1].texture);
}

TEST(D3DInterface, AMirroredBlitPutsTheFirstColumnAtTheRightEdge) {
  Logged l;
  auto image = l.d.Solid(32, 4, 0xFF808080);
  l.d.Screen()->BlitMirror(image.get(), 100, 10, Rect(0, 0, 32, 4), Color::White, 0);
  ASSERT_EQ(l.log.size(), 1u);
  for (const D3DVertex& v : l.log[0].vertices) {
    if (v.tu == 0) EXPECT_FLOAT_EQ(v.sx, 131.5f);  // 132, half a pixel left
    else EXPECT_FLOAT_EQ(v.sx, 99.5f);
  }
}

TEST(D3DInterface, QuadsReachingOutOfTheClipRectAreClippedToIt) {
  Logged l;
  auto image = l.d.Solid(8, 8, 0xFF808080);
  l.d.Screen()->BlitF(image.get(), 4, 4, Rect(0, 0, 8, 8), Rect(0, 0, 64, 48), Color::White, 0);
  ASSERT_EQ(l.log.size(), 1u);
  EXPECT_EQ(l.log[0].type, D3DPT_TRIANGLESTRIP);  // wholly inside: a strip
  l.log.clear();
  l.d.Screen()->BlitF(image.get(), 4, 4, Rect(0, 0, 8, 8), Rect(6, 0, 64, 48), Color::White, 0);
  ASSERT_EQ(l.log.size(), 1u);
  EXPECT_EQ(l.log[0].type, D3DPT_TRIANGLEFAN);
  for (const D3DVertex& v : l.log[0].vertices) EXPECT_GE(v.sx, 6.0f);
  // The clipped edge samples the texture where it was cut.
  float minU = 1;
  for (const D3DVertex& v : l.log[0].vertices) minU = std::min(minU, v.tu);
  EXPECT_FLOAT_EQ(minU, 2.5f / 8.0f);
}

TEST(D3DInterface, UntexturedOperationsSendTheirPrimitives) {
  Logged l;
  DDImage* s = l.d.Screen();
  s->DrawLine(2, 3, 10, 3, Color(1, 2, 3), 0);
  s->FillRect(Rect(5, 6, 7, 8), Color(1, 2, 3), 0);
  const Point two[] = {{0, 0}, {10, 10}};
  s->FillPolygonAccel(two, 2, nullptr, Color(1, 2, 3), 0, 0, 0);
  const Point tri[] = {{0, 0}, {10, 0}, {0, 10}};
  s->FillPolygonAccel(tri, 3, nullptr, Color(1, 2, 3), 0, 1, 2);
  ASSERT_EQ(l.log.size(), 3u);  // the two-point polygon draws nothing
  EXPECT_EQ(l.log[0].type, D3DPT_LINESTRIP);
  ASSERT_EQ(l.log[0].vertices.size(), 3u);
  EXPECT_FLOAT_EQ(l.log[0].vertices[2].sx, 10.5f);
  EXPECT_FLOAT_EQ(l.log[0].vertices[2].sy, 3.5f);
  EXPECT_EQ(l.log[0].texture, nullptr);
  EXPECT_EQ(l.log[1].type, D3DPT_TRIANGLESTRIP);
  EXPECT_FLOAT_EQ(l.log[1].vertices[1].sy, 13.5f);
  EXPECT_FLOAT_EQ(l.log[1].vertices[2].sx, 11.5f);
  EXPECT_EQ(l.log[2].type, D3DPT_TRIANGLEFAN);
  EXPECT_FLOAT_EQ(l.log[2].vertices[1].sx, 11.0f);
  EXPECT_FLOAT_EQ(l.log[2].vertices[1].sy, 2.0f);
  EXPECT_EQ(l.log[2].vertices[0].color, Color(1, 2, 3).ToInt());
  // A line covers its end pixel too.
  EXPECT_EQ(l.d.Pixel(2, 3), 0x010203u);
  EXPECT_EQ(l.d.Pixel(10, 3), 0x010203u);
  EXPECT_EQ(l.d.Pixel(11, 3), 0u);
}

TEST(D3DInterface, TheTransformStackMovesWhatIsDrawn) {
  Logged l;
  Matrix3 m;
  m.Translate(5, 7);
  l.d.D3D().mTransformStack.push_back(m);
  auto image = l.d.Solid(4, 4, 0xFF808080);
  l.d.Screen()->Blit(image.get(), 10, 10, Rect(0, 0, 4, 4), Color::White, 0);
  l.d.Screen()->FillRect(Rect(0, 0, 2, 2), Color(1, 2, 3), 0);
  ASSERT_EQ(l.log.size(), 2u);
  EXPECT_FLOAT_EQ(l.log[0].vertices[0].sx, 14.5f);
  EXPECT_FLOAT_EQ(l.log[0].vertices[0].sy, 16.5f);
  // A rectangle's corners move by the matrix and half a pixel once more.
  EXPECT_FLOAT_EQ(l.log[1].vertices[0].sx, 4.0f);
  EXPECT_FLOAT_EQ(l.log[1].vertices[0].sy, 6.0f);
  l.d.D3D().mTransformStack.clear();
}

TEST(D3DInterface, BlendModesAreNormalAndAdditive) {
  Display3D d;
  ASSERT_EQ(d.Init(), DDInterface::RESULT_OK);
  d.Screen()->FillRect(Rect(0, 0, 8, 8), Color(0, 0, 200), 0);
  d.Screen()->FillRect(Rect(0, 0, 4, 8), Color(200, 0, 0, 128), 0);
  d.Screen()->FillRect(Rect(4, 0, 4, 8), Color(200, 0, 0, 128), 1);
  EXPECT_EQ(d.Pixel(1, 1), (100u << 16) | 100u);  // blended by the alpha
  EXPECT_EQ(d.Pixel(5, 1), (100u << 16) | 200u);  // added, times the alpha
}

TEST(D3DInterface, TexturedTrianglesAcrossPiecesMeetAtTheBorder) {
  // A 300 x 8 image of one colour per column, drawn as two triangles over
  // its whole size: every column shows its own colour, also at the piece
  // border at 256.
  Display3D d(true, 32, 320, 16);
  ASSERT_EQ(d.Init(), DDInterface::RESULT_OK);
  std::vector<uint32_t> argb(300 * 8);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 300; ++x) argb[y * 300 + x] = 0xFF000000u | uint32_t(x * 7919 % 0xFFFFFF);
  auto image = d.Image(300, 8, argb);
  image->mD3DFlags = D3DImageFlag_UseA8R8G8B8;  // exact colours
  const float l = -0.5f, t = -0.5f, r = 299.5f, b = 7.5f;
  const TriVertex v[6] = {{l, t, 0, 0, 0}, {r, t, 1, 0, 0}, {l, b, 0, 1, 0},
                          {r, t, 1, 0, 0}, {r, b, 1, 1, 0}, {l, b, 0, 1, 0}};
  std::vector<D3DDrawRecord> log;
  EmulatedDirect3D::Get().SetDrawLog(&log);
  d.Screen()->BlitTrianglesTex(image.get(), v, 2, Rect(0, 0, 320, 16), Color::White, 0, 0, 0, false);
  EXPECT_EQ(log.size(), 4u);  // each triangle in two parts
  for (const D3DDrawRecord& rec : log) EXPECT_EQ(rec.type, D3DPT_TRIANGLEFAN);
  int wrong = 0;
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 300; ++x) wrong += d.Pixel(x, y) != (argb[y * 300 + x] & 0xFFFFFF);
  EXPECT_EQ(wrong, 0);
  EXPECT_EQ(d.Pixel(300, 0), 0u);
}

}  // namespace
}  // namespace Plix
