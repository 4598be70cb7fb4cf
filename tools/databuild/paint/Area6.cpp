// The hotel terrace (Area6 group): the floor picture and its decorations.

#include <cmath>

#include "tools/databuild/Painters.h"
#include "tools/databuild/Props.h"

namespace Plix::DataBuild {

namespace {

void PaintBackground(Cel& c) {
  cairo_t* cr = c.cr;
  PlayGround(cr, Hex(0xe9e4da), Hex(0xd2c8b6), Hex(0xfaf6ee), 66, false);
  cairo_set_line_width(cr, 1.2);
  SetColor(cr, {0.6, 0.55, 0.45, 0.5});
  for (int x = 0; x <= 800; x += 50) {
    cairo_move_to(cr, x, 0);
    cairo_line_to(cr, x, 566);
  }
  for (int y = 0; y <= 566; y += 50) {
    cairo_move_to(cr, 0, y);
    cairo_line_to(cr, 800, y);
  }
  cairo_stroke(cr);
}
PAINTER("IMAGE_BACKGROUND_6", PaintBackground);

}  // namespace

}  // namespace Plix::DataBuild
