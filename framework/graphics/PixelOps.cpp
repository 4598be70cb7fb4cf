#include "framework/graphics/PixelOps.h"

namespace Plix::Px {

const OverTable& GetOverTable() {
  static const OverTable* table = [] {
    auto* t = new OverTable();
    for (uint32_t da = 0; da < 256; ++da) {
      t->alpha[da][0] = static_cast<uint8_t>(da);
      t->weight[da][0] = 0;
      for (uint32_t a = 1; a < 256; ++a) {
        uint32_t A = da + ((255 - da) * a) / 255;
        t->alpha[da][a] = static_cast<uint8_t>(A);
        t->weight[da][a] = static_cast<uint8_t>((a * 255) / A);
      }
    }
    return t;
  }();
  return *table;
}

}  // namespace Plix::Px
