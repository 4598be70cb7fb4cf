// The mouse cursors (First group): drawn in software, their hot spot at
// the centre pixel.

#include <cmath>

#include "tools/databuild/Painters.h"
#include "tools/databuild/Props.h"

namespace Plix::DataBuild {

namespace {

void PaintPointer(Cel& c) {
  cairo_t* cr = c.cr;
  // The tip is the centre pixel; the arrow fills the lower-right quarter.
  double x = c.w / 2, y = c.h / 2;
  cairo_move_to(cr, x, y);
  cairo_line_to(cr, x, y + 14);
  cairo_line_to(cr, x + 4, y + 11);
  cairo_line_to(cr, x + 7, y + 15);
  cairo_line_to(cr, x + 9, y + 14);
  cairo_line_to(cr, x + 6.5, y + 10);
  cairo_line_to(cr, x + 11, y + 10);
  cairo_close_path(cr);
  FillStroke(cr, Palette::kWhite, Palette::kInk, 1.3);
}
PAINTER("IMAGE_MOUSE_POINTER", PaintPointer);

void PaintHand(Cel& c) {
  cairo_t* cr = c.cr;
  // A pointing hand whose fingertip is the centre pixel.
  double x = c.w / 2, y = c.h / 2;
  cairo_move_to(cr, x - 2.5, y + 1);
  cairo_line_to(cr, x - 2.5, y + 8);
  cairo_line_to(cr, x - 6, y + 7);
  cairo_curve_to(cr, x - 9, y + 7, x - 9, y + 10, x - 6, y + 12);
  cairo_line_to(cr, x - 1, y + 15);
  cairo_line_to(cr, x + 8, y + 15);
  cairo_line_to(cr, x + 10, y + 9);
  cairo_line_to(cr, x + 10, y + 6);
  cairo_line_to(cr, x + 2.5, y + 5);
  cairo_line_to(cr, x + 2.5, y + 1);
  cairo_curve_to(cr, x + 2.5, y - 1.5, x - 2.5, y - 1.5, x - 2.5, y + 1);
  cairo_close_path(cr);
  FillStroke(cr, Hex(0xffe2c4), Palette::kInk, 1.3);
  cairo_set_line_width(cr, 1);
  for (int i = 0; i < 2; ++i) {
    cairo_move_to(cr, x + 3 + i * 3, y + 6);
    cairo_line_to(cr, x + 3 + i * 3, y + 9);
  }
  cairo_stroke(cr);
}
PAINTER("IMAGE_MOUSE_HAND", PaintHand);

}  // namespace

}  // namespace Plix::DataBuild
