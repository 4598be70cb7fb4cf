#include "framework/graphics/D3DTestProbes.h"

#include <cstring>

#include "framework/graphics/PixelOps.h"

namespace Plix {

bool ProbeD3D8Adapter(std::string&, std::string&, uint8_t (&)[16]) { return false; }

namespace {

// Highest set bit of a mask, 31 down to 1; 0 when no higher bit is set.
int32_t HighestBit(uint32_t mask) {
  for (int32_t h = 31; h >= 1; --h)
    if (mask & (1u << h)) return h;
  return 0;
}

template <typename Pixel>
void ReadBack(uint32_t* out, int32_t width, int32_t height, const ReadBackSurface& s) {
  // Positive distances move left, negative right.
  int32_t r = 23 - HighestBit(s.redMask), g = 15 - HighestBit(s.greenMask), b = 7 - HighestBit(s.blueMask);
  const auto* row = static_cast<const uint8_t*>(s.bits);
  for (int32_t y = 0; y < height; ++y, row += s.pitch) {
    for (int32_t x = 0; x < width; ++x) {
      Pixel p;
      std::memcpy(&p, row + size_t(x) * sizeof(Pixel), sizeof(Pixel));
      uint32_t v = p;
      *out++ = 0xFF000000 | Px::Shl(v & s.redMask, r) | Px::Shl(v & s.greenMask, g) | Px::Shl(v & s.blueMask, b);
    }
  }
}

}  // namespace

void ReadBack32(uint32_t* out, int32_t width, int32_t height, const ReadBackSurface& surface) {
  ReadBack<uint32_t>(out, width, height, surface);
}

void ReadBack16(uint32_t* out, int32_t width, int32_t height, const ReadBackSurface& surface) {
  ReadBack<uint16_t>(out, width, height, surface);
}

}  // namespace Plix
