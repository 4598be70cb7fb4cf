// The circus yard (Circus group).

#include <cmath>

#include "tools/databuild/Painters.h"
#include "tools/databuild/Props.h"

namespace Plix::DataBuild {

namespace {

void PaintCircus(Cel& c) {
  cairo_t* cr = c.cr;
  SkyFill(cr, 800, 600, Hex(0x5ac0f0), Hex(0xd0f4ff));
  cairo_rectangle(cr, 0, 420, 800, 180);
  FillVertical(cr, 420, 600, Hex(0x8ed06a), Hex(0x5aa84a));
  // The tent at the left with stripes.
  cairo_move_to(cr, -20, 600);
  cairo_line_to(cr, -20, 250);
  cairo_line_to(cr, 160, 130);
  cairo_line_to(cr, 260, 330);
  cairo_line_to(cr, 260, 600);
  cairo_close_path(cr);
  FillStroke(cr, Hex(0xff5a5a), Palette::kInk, 3);
  for (int i = 0; i < 5; ++i) {
    cairo_move_to(cr, 160, 130);
    cairo_line_to(cr, -20 + i * 60, 600);
    cairo_line_to(cr, 10 + i * 60, 600);
    cairo_close_path(cr);
  }
  Fill(cr, {1, 1, 1, 0.7});
  cairo_rectangle(cr, 0, 354, 100, 246);
  Fill(cr, Hex(0x3a1a3a));
  // The bench, the booth and the fruit stand.
  RoundRect(cr, 165, 470, 140, 14, 5);
  FillStroke(cr, Palette::kWood, Palette::kWoodDark, 2);
  RoundRect(cr, 380, 300, 170, 230, 12);
  FillStroke(cr, Hex(0xffd25a), Palette::kInk, 3);
  RoundRect(cr, 516, 500, 254, 30, 8);
  FillStroke(cr, Palette::kWood, Palette::kWoodDark, 2);
  RoundRect(cr, 100, 50, 150, 40, 10);
  FillStroke(cr, Hex(0x5a3a22), Palette::kInk, 2.5);
}
PAINTER("IMAGE_CIRCUS", PaintCircus);

void PaintShadow(Cel& c) { ShadowCel(c.cr, c.w, c.h); }
PAINTER("IMAGE_CIRCUS_MONKEY_SHADOW", PaintShadow);

}  // namespace

}  // namespace Plix::DataBuild
