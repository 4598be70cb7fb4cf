// The loader screen and its bar (Loading group).

#include <cmath>

#include "tools/databuild/Painters.h"
#include "tools/databuild/Props.h"

namespace Plix::DataBuild {

namespace {

void PaintLoading(Cel& c) {
  cairo_t* cr = c.cr;
  SkyFill(cr, 800, 600, Hex(0x58c4f0), Hex(0xbfeaff));
  SunDisc(cr, 660, 110, 46);
  CloudPuff(cr, 170, 120, 120);
  CloudPuff(cr, 480, 70, 90, 0.9);
  cairo_rectangle(cr, 0, 380, 800, 220);
  FillVertical(cr, 380, 600, Hex(0x2fb6d8), Hex(0x1680b0));
  Ellipse(cr, 400, 470, 330, 70);
  Fill(cr, Palette::kSand);
  PalmTree(cr, 180, 470, 200, 40);
  PalmTree(cr, 630, 470, 170, -35);
  TextStyle title{Face::Lobster, 86, Hex(0xff6fa8), Palette::kWhite, 4};
  Text(cr, title, 400, 230, "Zovad Uda Vodiz");
  TextStyle sub{Face::ComicBold, 28, Palette::kInk, Palette::kWhite, 3};
  Text(cr, sub, 400, 285, "Pemi's ice-cream island");
  // The empty slot the loading bar fills (at 255, 463, 290 x 24).
  RoundRect(cr, 249, 457, 302, 36, 16);
  FillStroke(cr, Hex(0x7a4a22), Palette::kInk, 3);
  RoundRect(cr, 255, 463, 290, 24, 12);
  Fill(cr, Hex(0x3a2010));
  TextStyle loading{Face::ComicBold, 22, Palette::kWhite, Palette::kInk, 2.5};
  Text(cr, loading, 400, 530, "Loading...");
}
PAINTER("IMAGE_LOADING", PaintLoading);

void PaintLoadingBar(Cel& c) {
  cairo_t* cr = c.cr;
  RoundRect(cr, 0.5, 0.5, c.w - 1, c.h - 1, c.h / 2);
  FillVertical(cr, 0, c.h, Hex(0xffb6d6), Hex(0xff5a9c));
  // Scoop-coloured stripes.
  cairo_save(cr);
  RoundRect(cr, 0.5, 0.5, c.w - 1, c.h - 1, c.h / 2);
  cairo_clip(cr);
  for (int i = 0; i < 30; ++i) {
    cairo_move_to(cr, i * 20, c.h);
    cairo_line_to(cr, i * 20 + 10, 0);
    cairo_line_to(cr, i * 20 + 20, 0);
    cairo_line_to(cr, i * 20 + 10, c.h);
    cairo_close_path(cr);
  }
  Fill(cr, {1, 1, 1, 0.25});
  cairo_restore(cr);
  Gloss(cr, 0, 0, c.w, c.h, c.h / 2, 0.5);
}
PAINTER("IMAGE_LOADING_BAR", PaintLoadingBar);

}  // namespace

}  // namespace Plix::DataBuild
