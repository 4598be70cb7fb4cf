#pragma once
// Image files to plain 32-bit pixel arrays and back. Reading goes through
// the pak file layer, so an image is found in the archive or on disk alike;
// writing goes to ordinary files.
#include <cstdint>
#include <memory>
#include <string>

namespace Plix::ImageLib {

// Pixels are 0xAARRGGBB, row-major, top row first.
class Image {
public:
  Image() = default;
  virtual ~Image();
  Image(const Image&) = delete;
  Image& operator=(const Image&) = delete;

  int GetWidth() const { return mWidth; }
  int GetHeight() const { return mHeight; }
  uint32_t* GetBits() { return mBits; }
  const uint32_t* GetBits() const { return mBits; }

  int mWidth = 0;
  int mHeight = 0;
  uint32_t* mBits = nullptr;  // owned, new[], one word longer than the pixels

  // Hands the pixels over as a block of width * height + 1 words (the last
  // one spare), as a memory image keeps them; the image is left empty.
  std::unique_ptr<uint32_t[]> TakeBits() {
    std::unique_ptr<uint32_t[]> block(mBits);
    mBits = nullptr;
    return block;
  }
};

// A new image of that size with unset pixels (decoders write every one, so
// nothing is cleared first); null for an empty size or one too large to be
// a sound image.
std::unique_ptr<Image> CreateImage(int width, int height);

// The colour of an image made from an alpha image alone (24-bit RGB).
extern uint32_t gAlphaComposeColor;

// Finds the file among ".tga", ".jpg", ".png", ".gif", ".j2k" and ".jp2"
// (only the given extension when there is one) and, with lookForAlpha,
// takes the alpha from a separate image "dir\_name" or "dir\name_" (its
// blue channel).
std::unique_ptr<Image> LoadImageFile(const std::string& path, bool lookForAlpha = true);

// The readers, each given the full path with its extension.
std::unique_ptr<Image> GetPNGImage(const std::string& path);
std::unique_ptr<Image> GetJPEGImage(const std::string& path);
std::unique_ptr<Image> GetGIFImage(const std::string& path);
std::unique_ptr<Image> GetTGAImage(const std::string& path);
std::unique_ptr<Image> GetJPEG2000Image(const std::string& path);

bool WritePNGImage(const std::string& path, const Image* image);
bool WriteJPEGImage(const std::string& path, const Image* image);

// The JPEG-2000 codec: without it ".j2k" and ".jp2" files do not load.
void LoadJpeg2000Codec();
void FreeJpeg2000Codec();

}  // namespace Plix::ImageLib
