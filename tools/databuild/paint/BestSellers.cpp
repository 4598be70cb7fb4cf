// The best-sellers board (BestSellers group).

#include <cmath>

#include "tools/databuild/Painters.h"
#include "tools/databuild/Props.h"

namespace Plix::DataBuild {

namespace {

void PaintBestSellers(Cel& c) {
  cairo_t* cr = c.cr;
  SkyFill(cr, 800, 600, Hex(0x7a4ad0), Hex(0xff8ac0));
  RoundRect(cr, 140, 130, 540, 310, 24);
  FillStroke(cr, Hex(0x3a2060), Palette::kInk, 4);
  RoundRect(cr, 250, 138, 316, 40, 14);
  FillStroke(cr, Palette::kCream, Palette::kInk, 2);
  TextStyle t{Face::Lobster, 54, Palette::kGold, Palette::kInk, 3};
  Text(cr, t, 410, 100, "Best Sellers");
}
PAINTER("IMAGE_BESTSELLERS", PaintBestSellers);

}  // namespace

}  // namespace Plix::DataBuild
