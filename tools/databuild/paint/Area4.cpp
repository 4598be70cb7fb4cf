// The fair (Area4 group): the floor picture and its decorations.

#include <cmath>

#include "tools/databuild/Painters.h"
#include "tools/databuild/Props.h"

namespace Plix::DataBuild {

namespace {

void PaintBackground(Cel& c) {
  cairo_t* cr = c.cr;
  PlayGround(cr, Hex(0xa4dc84), Hex(0x76c05c), Hex(0xffd6a0), 44, true);
  for (int i = 0; i < 12; ++i) {
    Ellipse(cr, 40 + i * 68, 20, 10, 10);
    Fill(cr, i % 2 ? Hex(0xff5a5a) : Hex(0xffe25a));
  }
}
PAINTER("IMAGE_BACKGROUND_4", PaintBackground);

}  // namespace

}  // namespace Plix::DataBuild
