// Uncompressed 32-bit TGA files with alpha, stored top row first.
#include "framework/resources/ImageLib.h"
#include "framework/resources/PakInterface.h"

namespace Plix::ImageLib {

std::unique_ptr<Image> GetTGAImage(const std::string& path) {
  PakHandle* file = PakFOpen(path, "rb");
  if (!file) return nullptr;
  uint8_t header[18];
  std::unique_ptr<Image> image;
  if (PakFRead(header, 1, sizeof header, file) == sizeof header) {
    int idLength = header[0];
    int imageType = header[2];
    int mapLength = header[5] | header[6] << 8;
    int mapEntryBits = header[7];
    int width = header[12] | header[13] << 8;
    int height = header[14] | header[15] << 8;
    uint8_t depth = header[16];
    uint8_t descriptor = header[17];
    // Uncompressed true colour; 8 alpha bits, top-left origin. The pixels
    // follow the ID field and any colour map.
    if (imageType == 2 && depth == 32 && descriptor == 0x28) {
      PakFSeek(file, 18 + idLength + header[1] * mapLength * ((mapEntryBits + 7) / 8), SEEK_SET);
      image = CreateImage(width, height);
      // Short pixel data is a broken file, not a partial image.
      if (image && PakFRead(image->mBits, 4, size_t(width) * height, file) != size_t(width) * height)
        image.reset();
    }
  }
  PakFClose(file);
  return image;
}

}  // namespace Plix::ImageLib
