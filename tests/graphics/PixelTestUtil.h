#pragma once
// Small images for the pixel tests.
#include <cstdint>
#include <memory>
#include <vector>

#include "framework/graphics/MemoryImage.h"

namespace Plix::Testing {

inline std::unique_ptr<MemoryImage> MakeImage(int32_t w, int32_t h, uint32_t fill, bool commit = true) {
  auto image = std::make_unique<MemoryImage>();
  std::vector<uint32_t> bits(size_t(w) * size_t(h), fill);
  image->SetBits(bits.data(), w, h, commit);
  return image;
}

inline std::unique_ptr<MemoryImage> MakeImage(int32_t w, int32_t h, const std::vector<uint32_t>& bits,
                                              bool commit = true) {
  auto image = std::make_unique<MemoryImage>();
  image->SetBits(bits.data(), w, h, commit);
  return image;
}

inline uint32_t PixelAt(MemoryImage& image, int32_t x, int32_t y) {
  return image.GetBits()[size_t(y) * size_t(image.mWidth) + size_t(x)];
}

inline std::vector<uint32_t> Pixels(MemoryImage& image) {
  const uint32_t* bits = image.GetBits();
  return std::vector<uint32_t>(bits, bits + size_t(image.mWidth) * size_t(image.mHeight));
}

}  // namespace Plix::Testing
