// The island store (Store group).

#include <cmath>

#include "tools/databuild/Painters.h"
#include "tools/databuild/Props.h"

namespace Plix::DataBuild {

namespace {

void PaintStore(Cel& c) {
  cairo_t* cr = c.cr;
  RoomBackdrop(cr, Hex(0xffd9a8), Hex(0xc08850), 300);
  for (int i = 0; i < 3; ++i) {
    cairo_rectangle(cr, 20 + i * 250, 110 + (i == 1) * 40, 230, 10);
    FillStroke(cr, Palette::kWood, Palette::kWoodDark, 2);
  }
  RoundRect(cr, 380, 330, 200, 150, 10);  // the counter
  FillStroke(cr, Hex(0x9a5a2a), Palette::kInk, 3);
  RoundRect(cr, 100, 44, 150, 40, 10);     // cash plate around (176,72)
  FillStroke(cr, Hex(0x5a3a22), Palette::kInk, 2.5);
  TextStyle sign{Face::Lobster, 44, Hex(0xff6fa8), Palette::kWhite, 3};
  Text(cr, sign, 470, 60, "Island Store");
}
PAINTER("IMAGE_STORE", PaintStore);

}  // namespace

}  // namespace Plix::DataBuild
