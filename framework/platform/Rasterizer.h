#pragma once
// The software rasteriser behind the emulated Direct3D device: triangles and
// lines of pre-transformed vertices into a pixel buffer of any 16-, 24- or
// 32-bit RGB layout, with one texture stage and alpha blending.
//
// Conventions, those of the original device: pixel centres lie on integer
// coordinates; a triangle covers the pixels whose centres lie inside it,
// with the top-left rule for centres on an edge (top and left edges
// belong to the triangle, bottom and right ones do not), so that triangles
// sharing an edge cover every pixel once. A line covers one pixel per step
// of its major axis from its start up to, not including, its end. Colours
// and texture coordinates are interpolated linearly across a primitive
// (every vertex carries rhw 1).
#include <cstdint>

namespace Plix::Raster {

struct Vertex {
  float x = 0;
  float y = 0;
  float z = 0;
  float rhw = 1;
  uint32_t diffuse = 0;  // 0xAARRGGBB
  uint32_t specular = 0;
  float u = 0;
  float v = 0;
};

// A pixel buffer in a masked RGB layout (an alpha mask is optional).
struct Target {
  uint8_t* bits = nullptr;
  int32_t pitch = 0;  // bytes per row
  int32_t width = 0;
  int32_t height = 0;
  int32_t bytesPerPixel = 4;  // 2, 3 or 4
  uint32_t redMask = 0;
  uint32_t greenMask = 0;
  uint32_t blueMask = 0;
  uint32_t alphaMask = 0;
};

enum class TexelFormat { A8R8G8B8, X8R8G8B8, A4R4G4B4, R5G6B5, X1R5G5B5, P8 };

struct Texture {
  const uint8_t* bits = nullptr;
  int32_t pitch = 0;
  int32_t width = 0;
  int32_t height = 0;
  TexelFormat format = TexelFormat::A8R8G8B8;
  uint32_t palette[256] = {};  // P8: 0xAARRGGBB per index
};

enum class Blend { Zero, One, SrcAlpha, InvSrcAlpha };
// One operation of the texture stage: the first argument, the second, or
// their product.
enum class StageOp { Arg1, Arg2, Modulate };
enum class StageArg { Diffuse, Texture };

struct State {
  bool blend = false;
  Blend srcBlend = Blend::One;
  Blend destBlend = Blend::Zero;
  StageOp colorOp = StageOp::Modulate;
  StageArg colorArg1 = StageArg::Texture;
  StageArg colorArg2 = StageArg::Diffuse;
  StageOp alphaOp = StageOp::Arg1;
  StageArg alphaArg1 = StageArg::Texture;
  StageArg alphaArg2 = StageArg::Diffuse;
  bool bilinear = false;
  // Texture addressing per axis: clamped to the edge texels, or wrapped.
  bool wrapU = false;
  bool wrapV = false;
  bool gouraud = true;
  bool ignoreDiffuseAlpha = false;
  // Pixels outside [left, right) x [top, bottom) are not touched; the
  // caller keeps it inside the target.
  int32_t clipLeft = 0;
  int32_t clipTop = 0;
  int32_t clipRight = 0;
  int32_t clipBottom = 0;
};

// Without a texture (null) the texture argument is opaque white.
void DrawTriangle(const Target& target, const Texture* texture, const State& state, const Vertex& a, const Vertex& b,
                  const Vertex& c);
// The triangle strip tl, bl, tr, br over an upright rectangle, that is the
// triangles (tl, bl, tr) and (tr, bl, br), pixel for pixel as DrawTriangle
// draws them, with a row's two halves copied at once where they copy
// texels alike. False (nothing drawn) unless every vertex has one colour,
// the texture is copied texel for texel and the halves cannot overlap.
bool DrawUprightQuad(const Target& target, const Texture* texture, const State& state, const Vertex& tl,
                     const Vertex& bl, const Vertex& tr, const Vertex& br);
void DrawLine(const Target& target, const Texture* texture, const State& state, const Vertex& a, const Vertex& b);
// Fills [left, right) x [top, bottom), clipped to the target, with an ARGB
// colour.
void Fill(const Target& target, int32_t left, int32_t top, int32_t right, int32_t bottom, uint32_t argb);

}  // namespace Plix::Raster
