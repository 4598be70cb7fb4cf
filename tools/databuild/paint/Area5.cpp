// The beach (Area5 group): the floor picture and its decorations.

#include <cmath>

#include "tools/databuild/Painters.h"
#include "tools/databuild/Props.h"

namespace Plix::DataBuild {

namespace {

void PaintBackground(Cel& c) {
  cairo_t* cr = c.cr;
  PlayGround(cr, Hex(0xfff0bf), Hex(0xf5d98e), Hex(0xfff7dc), 55, false);
}
PAINTER("IMAGE_BACKGROUND_5", PaintBackground);

}  // namespace

}  // namespace Plix::DataBuild
