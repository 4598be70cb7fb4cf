#pragma once
// Image files for the reader tests, made by the libraries themselves (PNG,
// JPEG-2000) or by small encoders here (GIF with real LZW, TGA).
#include <cstdint>
#include <string>
#include <vector>

namespace Plix::Testing {

// A PNG of raw rows in PNG's own sample layout (big-endian 16-bit samples).
struct PngSpec {
  int width = 0;
  int height = 0;
  int colorType = 0;
  int bitDepth = 8;
  bool interlaced = false;
  std::vector<uint8_t> rows;               // height rows, packed
  std::vector<uint8_t> palette;            // r, g, b triples
  std::vector<uint8_t> transparency;       // tRNS entries for a palette
};
std::string PngBytes(const PngSpec& spec);

// A GIF of palette indices; `transparent` -1 for none. The LZW stream is a
// real encoder's, with the code width growing and the table filling up.
struct GifSpec {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> palette;  // 0xRRGGBB, padded to a power of two
  std::vector<uint8_t> indices;   // row-major, top row first
  int transparent = -1;
  bool interlaced = false;
  bool localTable = false;
  int minCodeSize = 0;  // 0: from the palette size
};
std::string GifBytes(const GifSpec& spec);

// 18-byte header and the pixels as B, G, R, A.
std::string TgaBytes(int width, int height, int depth, int descriptor, const std::vector<uint32_t>& argb);

// A lossless JPEG-2000 codestream (or JP2 file) of 3 or 4 components, in
// square tiles of the given size (0: one tile).
std::string J2kBytes(int width, int height, const std::vector<uint32_t>& argb, bool withAlpha, bool jp2,
                     int tileSize = 0);

// A one-component (grey) JPEG.
std::string GrayJpegBytes(int width, int height, const std::vector<uint8_t>& values);

// A test picture: every pixel different, alpha varying.
std::vector<uint32_t> Pattern(int width, int height, bool opaque = false);

}  // namespace Plix::Testing
