// The park (Area1 group): the floor picture and its decorations.

#include <cmath>

#include "tools/databuild/Painters.h"
#include "tools/databuild/Props.h"

namespace Plix::DataBuild {

namespace {

void PaintBackground(Cel& c) {
  cairo_t* cr = c.cr;
  PlayGround(cr, Hex(0x9be06a), Hex(0x62c04a), Hex(0xf0d9a0), 11, true);
  for (int i = 0; i < 6; ++i) Flower(cr, 100 + i * 130, 60 + (i % 2) * 240, 6, Hex(0xff8fc0));
}
PAINTER("IMAGE_BACKGROUND_1", PaintBackground);

// Spray glints of the fountain (and a spare one), faded by the game.
void PaintGlint(Cel& c) { GlintCel(c.cr, c.w, c.h, 1.0); }
PAINTER("IMAGE_BG1_FOUNTAIN_PRT1", PaintGlint);
PAINTER("IMAGE_BG1_FOUNTAIN_PRT2", PaintGlint);

}  // namespace

}  // namespace Plix::DataBuild
