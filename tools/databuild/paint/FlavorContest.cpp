// The uncle's room where the flavour contest and the hotel scenes play
// (FlavorContest group).

#include <cmath>

#include "tools/databuild/Painters.h"
#include "tools/databuild/Props.h"

namespace Plix::DataBuild {

namespace {

void PaintContestRoom(Cel& c) {
  cairo_t* cr = c.cr;
  RoomBackdrop(cr, Hex(0xc8e4f0), Hex(0xd8b078), 260);
  RoundRect(cr, 150, 260, 500, 30, 6);  // judges' table
  FillStroke(cr, Hex(0xffffff), Hex(0x8aa0b0), 2);
  RoundRect(cr, 180, 420, 420, 40, 8);  // workbench
  FillStroke(cr, Palette::kWood, Palette::kWoodDark, 2);
  cairo_rectangle(cr, 580, 130, 110, 10);  // shelf for the fruit balls
  FillStroke(cr, Palette::kWood, Palette::kWoodDark, 2);
}
PAINTER("IMAGE_FLAVOR_CONTEST", PaintContestRoom);

}  // namespace

}  // namespace Plix::DataBuild
