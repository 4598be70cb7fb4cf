#pragma once
// The display's pixel layout: per channel a mask, its width in bits and the
// position of its lowest bit. The display derives from it; memory images
// convert their pixels into this layout for the surface renderers.
#include <cstdint>

namespace Plix {

class NativeDisplay {
public:
  int32_t mBitCount = 0;
  uint32_t mRedMask = 0;
  uint32_t mGreenMask = 0;
  uint32_t mBlueMask = 0;
  int32_t mRedBits = 0;
  int32_t mGreenBits = 0;
  int32_t mBlueBits = 0;
  int32_t mRedShift = 0;
  int32_t mGreenShift = 0;
  int32_t mBlueShift = 0;

  NativeDisplay() = default;
  virtual ~NativeDisplay() = default;

  // Fills the masks and derives the bit counts and shifts from them.
  void SetPixelFormat(int32_t bitCount, uint32_t redMask, uint32_t greenMask, uint32_t blueMask);
};

}  // namespace Plix
