#pragma once
// Read access to a source image's pixels for the software renderers
// (internal): its 32-bit bits, or its colour table through the index bytes
// when it is palettised, so that drawing keeps the palette form.
#include <cstdint>
#include <cstring>

#include "framework/graphics/MemoryImage.h"

namespace Plix::Px {

struct DirectRow {
  const uint32_t* p;
  uint32_t operator[](int32_t i) const { return p[i]; }
  void Copy(uint32_t* d, int32_t i, int32_t n) const { std::memmove(d + i, p + i, size_t(n) * 4); }
};

struct DirectSource {
  const uint32_t* bits;
  int32_t pitch;
  DirectRow Row(int32_t y, int32_t x) const { return DirectRow{bits + size_t(y) * size_t(pitch) + size_t(x)}; }
  uint32_t At(int32_t x, int32_t y) const { return bits[size_t(y) * size_t(pitch) + size_t(x)]; }
};

struct PaletteRow {
  const uint8_t* p;
  const uint32_t* table;
  uint32_t operator[](int32_t i) const { return table[p[i]]; }
  void Copy(uint32_t* d, int32_t i, int32_t n) const {
    for (int32_t k = i; k < i + n; ++k) d[k] = table[p[k]];
  }
};

struct PaletteSource {
  const uint8_t* indices;
  const uint32_t* table;
  int32_t pitch;
  PaletteRow Row(int32_t y, int32_t x) const {
    return PaletteRow{indices + size_t(y) * size_t(pitch) + size_t(x), table};
  }
  uint32_t At(int32_t x, int32_t y) const { return table[indices[size_t(y) * size_t(pitch) + size_t(x)]]; }
};

// Calls f with the source's view. Get the destination's bits first: for a
// blit of an image onto itself that gives up its palette form.
template <typename F>
void WithSource(MemoryImage& src, F&& f) {
  if (src.mColorTable && src.mColorIndices)
    f(PaletteSource{src.mColorIndices.get(), src.mColorTable.get(), src.mWidth});
  else
    f(DirectSource{src.GetBits(), src.mWidth});
}

}  // namespace Plix::Px
