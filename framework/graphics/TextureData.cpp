#include "framework/graphics/TextureData.h"

#include <algorithm>
#include <cstddef>
#include <cstring>

#include "framework/graphics/D3DInterface.h"
#include "framework/graphics/MemoryImage.h"
#include "framework/util/Utilities.h"

namespace Plix {

namespace {

int32_t BytesPerTexel(int32_t formatCode) {
  switch (formatCode) {
    case PixelFormat_Palette8: return 1;
    case PixelFormat_A4R4G4B4:
    case PixelFormat_R5G6B5: return 2;
    default: return 4;
  }
}

void StoreTexel(uint8_t* p, int32_t bytes, uint32_t v) {
  if (bytes == 1) *p = static_cast<uint8_t>(v);
  else if (bytes == 2) {
    const uint16_t w = static_cast<uint16_t>(v);
    std::memcpy(p, &w, 2);
  } else {
    std::memcpy(p, &v, 4);
  }
}

uint32_t LoadTexel(const uint8_t* p, int32_t bytes) {
  if (bytes == 1) return *p;
  if (bytes == 2) {
    uint16_t w;
    std::memcpy(&w, p, 2);
    return w;
  }
  uint32_t v;
  std::memcpy(&v, p, 4);
  return v;
}

// The 256 entries of an image's colour table as an alpha palette.
void ColorTableToPalette(const uint32_t* table, PALETTEENTRY* entries) {
  for (int i = 0; i < 256; ++i) {
    const uint32_t c = table[i];
    entries[i] = PALETTEENTRY{static_cast<BYTE>(c >> 16), static_cast<BYTE>(c >> 8), static_cast<BYTE>(c),
                              static_cast<BYTE>(c >> 24)};
  }
}

struct SizeTable {
  int32_t entry[1024];
  SizeTable() {
    int32_t p = 1;
    for (int32_t n = 0; n < 1024; ++n) {
      if (n > p) p *= 2;
      if (p - n <= 64) {
        entry[n] = p;
        continue;
      }
      // Too much would be wasted: split the side into pieces of a smaller
      // power of two whose remainder is small or itself a power of two.
      int32_t q = p, r;
      do {
        q /= 2;
        r = n % q;
      } while (r >= 64 && !IsPowerOfTwo(r));
      entry[n] = q;
    }
  }
};

}  // namespace

int32_t NextPowerOfTwo(int32_t n) {
  int32_t p = 1;
  while (p < n && p < (1 << 30)) p *= 2;
  return p;
}

bool IsPowerOfTwo(int32_t n) { return n > 0 && (n & (n - 1)) == 0; }

int32_t TextureSizeTableEntry(int32_t n) {
  static const SizeTable table;
  return table.entry[std::clamp(n, 0, 1023)];
}

void GetBestTextureDimensions(int32_t& width, int32_t& height, bool powerOfTwo, uint32_t flags) {
  if (flags & D3DImageFlag_Use64By64Subdivisions) {
    width = height = 64;
    return;
  }
  const bool table = !powerOfTwo && !(flags & D3DImageFlag_MinimizeNumSubdivisions);
  auto fit = [&](int32_t side, int32_t max) {
    if (side >= max) return max;
    return table ? TextureSizeTableEntry(side) : NextPowerOfTwo(side);
  };
  width = std::max(fit(width, gMaxTextureWidth), gMinTextureWidth);
  height = std::max(fit(height, gMaxTextureHeight), gMinTextureHeight);
  const int64_t aspect = gMaxTextureAspectRatio;
  if (height < width) {
    while (aspect * height < width) height *= 2;
  } else if (width < height) {
    while (aspect * width < height) width *= 2;
  }
}

const char* TextureFormatName(int32_t formatCode) {
  switch (formatCode) {
    case PixelFormat_A8R8G8B8: return "A8R8G8B8";
    case PixelFormat_A4R4G4B4: return "A4R4G4B4";
    case PixelFormat_R5G6B5: return "R5G6B5";
    case PixelFormat_Palette8: return "Palette8";
    default: return "";
  }
}

std::string TextureStatsText(const std::set<MemoryImage*>& images) {
  const int32_t codes[4] = {PixelFormat_A8R8G8B8, PixelFormat_A4R4G4B4, PixelFormat_R5G6B5, PixelFormat_Palette8};
  int64_t total = 0, bytes[4] = {};
  int32_t count[4] = {};
  for (MemoryImage* image : images) {
    const TextureData* data = image->mD3DData;
    if (!data) continue;
    total += data->mMemoryUsed;
    for (int i = 0; i < 4; ++i) {
      if (data->mFormatCode != codes[i]) continue;
      ++count[i];
      bytes[i] += data->mMemoryUsed;
    }
  }
  auto kb = [](int64_t n) { return WStringToString(CommaSeparate(static_cast<int>(n >> 10))); };
  std::string text = StrFormat("Texture Memory: %s KB\r\n", kb(total).c_str());
  for (int i = 0; i < 4; ++i)
    text += StrFormat("%s: %d - %s KB\r\n", TextureFormatName(codes[i]), count[i], kb(bytes[i]).c_str());
  return text;
}

uint32_t ArgbToTexel(uint32_t p, int32_t formatCode) {
  switch (formatCode) {
    case PixelFormat_A4R4G4B4:
      return ((p >> 16) & 0xF000) | ((p >> 12) & 0x0F00) | ((p >> 8) & 0x00F0) | ((p >> 4) & 0x000F);
    case PixelFormat_R5G6B5: return ((p >> 8) & 0xF800) | ((p >> 5) & 0x07E0) | ((p >> 3) & 0x001F);
    default: return p;
  }
}

uint32_t TexelToArgb(uint32_t t, int32_t formatCode) {
  switch (formatCode) {
    case PixelFormat_A4R4G4B4:
      // The alpha nibble keeps its weight (15 is opaque); the colour
      // nibbles become the high halves of their bytes.
      return (((t >> 12) & 0xF) * 17 << 24) | (((t >> 8) & 0xF) << 20) | (((t >> 4) & 0xF) << 12) | ((t & 0xF) << 4);
    case PixelFormat_R5G6B5:
      return 0xFF000000u | ((t >> 11) << 19) | (((t >> 5) & 0x3F) << 10) | ((t & 0x1F) << 3);
    default: return t;
  }
}

void CopyImageToTexture(D3DInterface& d3d, IDirectDrawSurface7* texture, MemoryImage* image, int32_t x, int32_t y,
                        int32_t textureWidth, int32_t textureHeight, int32_t formatCode) {
  DDSURFACEDESC2 desc;
  desc.dwSize = kDDSurfaceDesc2Size;
  if (d3d.CheckD3DError("Lock Texture", texture->Lock(nullptr, &desc, DDLOCK_WAIT | DDLOCK_WRITEONLY, nullptr)))
    return;
  const int32_t cw = image->mWidth - x <= textureWidth ? image->mWidth - x : textureWidth;
  const int32_t ch = image->mHeight - y <= textureHeight ? image->mHeight - y : textureHeight;
  const bool padRight = cw < textureWidth, padBottom = ch < textureHeight;
  const int32_t bytes = BytesPerTexel(formatCode);
  auto* bits = static_cast<uint8_t*>(desc.lpSurface);
  const uint32_t* table = image->mColorIndices ? image->mColorTable.get() : nullptr;
  const bool source = table != nullptr || image->mBits != nullptr;
  if (cw > 0 && ch > 0 && source) {
    for (int32_t row = 0; row < ch; ++row) {
      uint8_t* out = bits + static_cast<std::ptrdiff_t>(row) * desc.lPitch;
      const size_t from = static_cast<size_t>(y + row) * image->mWidth + x;
      for (int32_t col = 0; col < cw; ++col) {
        uint32_t v;
        if (!table) v = ArgbToTexel(image->mBits[from + col], formatCode);
        else if (formatCode == PixelFormat_Palette8) v = image->mColorIndices[from + col];
        else v = ArgbToTexel(table[image->mColorIndices[from + col]], formatCode);
        StoreTexel(out + col * bytes, bytes, v);
      }
      if (padRight) std::memcpy(out + cw * bytes, out + (cw - 1) * bytes, bytes);
    }
    if (padBottom)
      std::memcpy(bits + static_cast<std::ptrdiff_t>(ch) * desc.lPitch, bits + static_cast<std::ptrdiff_t>(ch - 1) * desc.lPitch,
                  desc.lPitch);
  }
  d3d.CheckD3DError("Texture Unlock", texture->Unlock(nullptr));
}

// ---------------------------------------------------------------- TextureData

TextureData::~TextureData() { ReleaseTextures(); }

void TextureData::ReleaseTextures() {
  for (TexturePiece& piece : mPieces)
    if (piece.mTexture) piece.mTexture->Release();
  mPieces.clear();
  mMemoryUsed = 0;
  if (mPalette) mPalette->Release();
  mPalette = nullptr;
}

void TextureData::BuildPieceGrid(int32_t width, int32_t height) {
  mPieceWidth = width;
  mPieceHeight = height;
  GetBestTextureDimensions(mPieceWidth, mPieceHeight, false, mFlags);

  int32_t rightWidth = width % mPieceWidth, rightHeight = mPieceHeight;
  if (rightWidth > 0) GetBestTextureDimensions(rightWidth, rightHeight, true, mFlags);
  else rightWidth = mPieceWidth;

  int32_t bottomWidth = mPieceWidth, bottomHeight = height % mPieceHeight;
  if (bottomHeight > 0) GetBestTextureDimensions(bottomWidth, bottomHeight, true, mFlags);
  else bottomHeight = mPieceHeight;

  int32_t cornerWidth = rightWidth, cornerHeight = bottomHeight;
  GetBestTextureDimensions(cornerWidth, cornerHeight, true, mFlags);

  mColumns = (width + mPieceWidth - 1) / mPieceWidth;
  mRows = (height + mPieceHeight - 1) / mPieceHeight;
  mPieces.assign(static_cast<size_t>(mColumns) * mRows, TexturePiece{nullptr, mPieceWidth, mPieceHeight});
  if (!mPieces.empty()) {
    for (int32_t row = 0; row < mRows; ++row) {
      TexturePiece& p = mPieces[static_cast<size_t>(row) * mColumns + mColumns - 1];
      p.mWidth = rightWidth;
      p.mHeight = rightHeight;
    }
    for (int32_t col = 0; col < mColumns; ++col) {
      TexturePiece& p = mPieces[static_cast<size_t>(mRows - 1) * mColumns + col];
      p.mWidth = bottomWidth;
      p.mHeight = bottomHeight;
    }
    mPieces.back().mWidth = cornerWidth;
    mPieces.back().mHeight = cornerHeight;
  }
  mWidthInPieces = static_cast<float>(width) / mPieceWidth;
  mHeightInPieces = static_cast<float>(height) / mPieceHeight;
}

void TextureData::CreateTextures(D3DInterface& d3d, MemoryImage* image) {
  image->DeleteSWBuffers();  // secures the bits
  image->UpdateAlphaFlags();
  const int32_t width = image->mWidth, height = image->mHeight;
  const uint32_t flags = image->mD3DFlags;

  int32_t format = PixelFormat_A8R8G8B8;
  if (!image->mHasAlpha && !image->mHasTrans && (gSupportedTextureFormats & PixelFormat_R5G6B5) &&
      !(flags & D3DImageFlag_UseA8R8G8B8))
    format = PixelFormat_R5G6B5;

  IDirectDrawPalette* newPalette = nullptr;
  if (image->mColorTable && image->mColorIndices && (gSupportedTextureFormats & PixelFormat_Palette8)) {
    PALETTEENTRY entries[256];
    ColorTableToPalette(image->mColorTable.get(), entries);
    const bool gridStays = mPalette && mFormatCode == PixelFormat_Palette8 && mWidth == width &&
                           mHeight == height && mFlags == flags;
    if (gridStays && mPalette->SetEntries(0, 0, 256, entries) == DD_OK) {
      // The pieces keep their palette; only its colours change.
      format = PixelFormat_Palette8;
    } else if (FAILED(d3d.mDirectDraw->CreatePalette(DDPCAPS_8BIT | DDPCAPS_ALLOW256 | DDPCAPS_ALPHA, entries,
                                                     &newPalette, nullptr))) {
      newPalette = nullptr;
      gSupportedTextureFormats &= ~uint32_t(PixelFormat_Palette8);
    } else {
      format = PixelFormat_Palette8;
    }
  }
  if (format == PixelFormat_A8R8G8B8) {
    if ((flags & D3DImageFlag_UseA4R4G4B4) && (gSupportedTextureFormats & PixelFormat_A4R4G4B4))
      format = PixelFormat_A4R4G4B4;
    else if (!(gSupportedTextureFormats & PixelFormat_A8R8G8B8))
      format = PixelFormat_A4R4G4B4;
  }

  const bool create = mWidth != width || mHeight != height || mFormatCode != format || mFlags != flags;
  if (create) {
    ReleaseTextures();
    mFormatCode = format;
    mFlags = flags;
    BuildPieceGrid(width, height);
  }
  if (newPalette) {
    // A grid that stays gets the new palette on its pieces; the old one goes.
    if (mPalette) mPalette->Release();
    mPalette = newPalette;
    if (!create)
      for (TexturePiece& piece : mPieces)
        if (piece.mTexture) piece.mTexture->SetPalette(mPalette);
  }

  // Counted afresh on every upload, so that re-uploads do not add up.
  mMemoryUsed = mPalette ? 1024 : 0;
  const int32_t bytes = BytesPerTexel(format);
  for (int32_t row = 0; row < mRows; ++row) {
    for (int32_t col = 0; col < mColumns; ++col) {
      TexturePiece& piece = mPieces[static_cast<size_t>(row) * mColumns + col];
      if (create) {
        piece.mTexture = d3d.CreateTextureSurface(piece.mWidth, piece.mHeight, format);
        if (!piece.mTexture) {
          mFormatCode = PixelFormat_Unknown;
          return;
        }
        if (mPalette) piece.mTexture->SetPalette(mPalette);
      }
      mMemoryUsed += piece.mWidth * bytes * piece.mHeight;
      CopyImageToTexture(d3d, piece.mTexture, image, col * mPieceWidth, row * mPieceHeight, piece.mWidth,
                         piece.mHeight, format);
    }
  }
  mWidth = width;
  mHeight = height;
  mChangeCount = image->mBitsChangedCount;
  mFormatCode = format;
}

void TextureData::CheckCreateTextures(D3DInterface& d3d, MemoryImage* image) {
  if (mFormatCode == PixelFormat_Unknown || image->mWidth != mWidth || image->mHeight != mHeight ||
      image->mBitsChangedCount != mChangeCount || image->mD3DFlags != mFlags)
    CreateTextures(d3d, image);
}

bool TextureData::ReadIntoBits(D3DInterface& d3d, MemoryImage* image) {
  if (image->mBitsChangedCount != mChangeCount || !image->mBits) return false;
  PALETTEENTRY palette[256];
  uint32_t argbPalette[256] = {};
  if (mFormatCode == PixelFormat_Palette8 && mPalette && mPalette->GetEntries(0, 0, 256, palette) == DD_OK)
    for (int i = 0; i < 256; ++i)
      argbPalette[i] = (uint32_t(palette[i].peFlags) << 24) | (uint32_t(palette[i].peRed) << 16) |
                       (uint32_t(palette[i].peGreen) << 8) | palette[i].peBlue;
  const int32_t bytes = BytesPerTexel(mFormatCode);
  for (int32_t row = 0; row < mRows; ++row) {
    for (int32_t col = 0; col < mColumns; ++col) {
      const TexturePiece& piece = mPieces[static_cast<size_t>(row) * mColumns + col];
      if (!piece.mTexture) return false;
      DDSURFACEDESC2 desc;
      desc.dwSize = kDDSurfaceDesc2Size;
      if (d3d.CheckD3DError("Lock Texture", piece.mTexture->Lock(nullptr, &desc, DDLOCK_WAIT | DDLOCK_READONLY, nullptr)))
        return false;
      const int32_t x = col * mPieceWidth, y = row * mPieceHeight;
      const int32_t w = std::min(piece.mWidth, image->mWidth - x), h = std::min(piece.mHeight, image->mHeight - y);
      for (int32_t r = 0; r < h; ++r) {
        const auto* in = static_cast<const uint8_t*>(desc.lpSurface) + static_cast<std::ptrdiff_t>(r) * desc.lPitch;
        uint32_t* out = image->mBits.get() + static_cast<size_t>(y + r) * image->mWidth + x;
        for (int32_t c = 0; c < w; ++c) {
          const uint32_t t = LoadTexel(in + c * bytes, bytes);
          out[c] = mFormatCode == PixelFormat_Palette8 ? argbPalette[t] : TexelToArgb(t, mFormatCode);
        }
      }
      d3d.CheckD3DError("Texture Unlock", piece.mTexture->Unlock(nullptr));
    }
  }
  return true;
}

}  // namespace Plix
