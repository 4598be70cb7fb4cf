#pragma once
// Two pieces of the 3D capability test: the Direct3D 8 adapter probe and the
// converters that read a locked 16- or 32-bit surface back into 32-bit ARGB.
#include <cstdint>
#include <string>

namespace Plix {

// Names the display adapter through Direct3D 8. There is no Direct3D 8
// here, so it always answers "not present" (false) and leaves the outputs
// untouched; the test then asks the DirectDraw device identifier.
bool ProbeD3D8Adapter(std::string& driver, std::string& description, uint8_t (&guid)[16]);

// A locked surface as the converters read it.
struct ReadBackSurface {
  const void* bits = nullptr;
  int32_t pitch = 0;  // bytes per row
  uint32_t redMask = 0;
  uint32_t greenMask = 0;
  uint32_t blueMask = 0;
};

// Fills width x height pixels from the surface: each channel's mask is
// shifted so that its highest bit lands on the top bit of its byte; the
// alpha is 255.
void ReadBack32(uint32_t* out, int32_t width, int32_t height, const ReadBackSurface& surface);
void ReadBack16(uint32_t* out, int32_t width, int32_t height, const ReadBackSurface& surface);

}  // namespace Plix
