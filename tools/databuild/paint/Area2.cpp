// The zoo (Area2 group): the floor picture and its decorations.

#include <cmath>

#include "tools/databuild/Painters.h"
#include "tools/databuild/Props.h"

namespace Plix::DataBuild {

namespace {

void PaintBackground(Cel& c) {
  cairo_t* cr = c.cr;
  PlayGround(cr, Hex(0xb7d86a), Hex(0x86c052), Hex(0xe6c88c), 22, true);
}
PAINTER("IMAGE_BACKGROUND_2", PaintBackground);

}  // namespace

}  // namespace Plix::DataBuild
