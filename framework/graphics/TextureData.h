#pragma once
// The texture cache of the Direct3D path: an image drawn through Direct3D is
// cut into a grid of pieces, each one managed texture of a size the device
// accepts (powers of two within its limits and aspect ratio; the right and
// bottom pieces smaller). The pieces stay with the image and are uploaded
// again only when its pixels, size or texture flags change.
#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "framework/platform/Direct3D.h"

namespace Plix {

class D3DInterface;
class MemoryImage;

// Texture format codes, one bit each so that they combine into the set the
// device supports.
enum : int32_t {
  PixelFormat_Unknown = 0,
  PixelFormat_A8R8G8B8 = 1,
  PixelFormat_A4R4G4B4 = 2,
  PixelFormat_R5G6B5 = 4,
  PixelFormat_Palette8 = 8
};

// Texture flags of an image (set from the resource manifest).
enum : uint32_t {
  D3DImageFlag_MinimizeNumSubdivisions = 1,  // full pieces: next power of two
  D3DImageFlag_Use64By64Subdivisions = 2,    // every piece 64 x 64
  D3DImageFlag_UseA4R4G4B4 = 4,              // rather than A8R8G8B8
  D3DImageFlag_UseA8R8G8B8 = 8               // never R5G6B5
};

struct TexturePiece {
  IDirectDrawSurface7* mTexture = nullptr;  // counted
  int32_t mWidth = 0;
  int32_t mHeight = 0;
};

struct TextureData {
  std::vector<TexturePiece> mPieces;  // row-major
  IDirectDrawPalette* mPalette = nullptr;  // counted; palettised pieces share it
  int32_t mWidth = 0;
  int32_t mHeight = 0;
  int32_t mColumns = 0;
  int32_t mRows = 0;
  int32_t mPieceWidth = 64;
  int32_t mPieceHeight = 64;
  int32_t mChangeCount = 0;  // the image's change count at the last upload
  int32_t mMemoryUsed = 0;   // bytes of all pieces, and 1024 for a palette
  float mWidthInPieces = 0;
  float mHeightInPieces = 0;
  int32_t mFormatCode = PixelFormat_Unknown;  // 0: no usable textures
  uint32_t mFlags = 0;

  TextureData() = default;
  ~TextureData();
  TextureData(const TextureData&) = delete;
  TextureData& operator=(const TextureData&) = delete;

  void ReleaseTextures();
  void BuildPieceGrid(int32_t width, int32_t height);
  // Uploads the image, building the grid and surfaces first when its size,
  // format or flags changed.
  void CreateTextures(D3DInterface& d3d, MemoryImage* image);
  // CreateTextures unless the textures hold the image's current pixels.
  void CheckCreateTextures(D3DInterface& d3d, MemoryImage* image);
  // Copies the pieces back into the image's (allocated) bits; false when
  // they are stale or a piece cannot be locked.
  bool ReadIntoBits(D3DInterface& d3d, MemoryImage* image);
};

int32_t NextPowerOfTwo(int32_t n);
bool IsPowerOfTwo(int32_t n);
// The piece size for an image side: from the size table (or the next power
// of two), limited by the device and its aspect ratio.
void GetBestTextureDimensions(int32_t& width, int32_t& height, bool powerOfTwo, uint32_t flags);
// The size table's entry for a side of n pixels (0..1023).
int32_t TextureSizeTableEntry(int32_t n);

// Uploads the image's pixels at (x, y) into a locked texture of the given
// size and format; a piece larger than what is left of the image repeats
// its last column and row once.
void CopyImageToTexture(D3DInterface& d3d, IDirectDrawSurface7* texture, MemoryImage* image, int32_t x, int32_t y,
                        int32_t textureWidth, int32_t textureHeight, int32_t formatCode);

// "A8R8G8B8", "A4R4G4B4", "R5G6B5", "Palette8", or "" for another code.
const char* TextureFormatName(int32_t formatCode);

// The texture lines of the video statistics: "Texture Memory: %s KB" with
// the memory of every image's textures, then per format the number of
// images with textures of it and their memory. The caller holds the lock
// that guards the set.
std::string TextureStatsText(const std::set<MemoryImage*>& images);

// The pixel conversions between ARGB and the texture formats.
uint32_t ArgbToTexel(uint32_t argb, int32_t formatCode);
// A palettised texel needs the palette; the others come back as ARGB.
uint32_t TexelToArgb(uint32_t texel, int32_t formatCode);

}  // namespace Plix
