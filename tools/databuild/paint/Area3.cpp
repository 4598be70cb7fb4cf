// The ruins (Area3 group): the floor picture and its decorations.

#include <cmath>

#include "tools/databuild/Painters.h"
#include "tools/databuild/Props.h"

namespace Plix::DataBuild {

namespace {

void PaintBackground(Cel& c) {
  cairo_t* cr = c.cr;
  PlayGround(cr, Hex(0xf1deb0), Hex(0xd9bd84), Hex(0xfff1cc), 33, false);
  cairo_set_line_width(cr, 1);
  SetColor(cr, {0.55, 0.42, 0.25, 0.35});
  for (int y = 20; y < 566; y += 40)
    for (int x = (y / 40) % 2 * 30; x < 800; x += 60) {
      cairo_rectangle(cr, x, y, 60, 40);
      cairo_stroke(cr);
    }
}
PAINTER("IMAGE_BACKGROUND_3", PaintBackground);

}  // namespace

}  // namespace Plix::DataBuild
