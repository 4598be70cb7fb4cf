// The trophy room of the hotel (TrophyRoom group).

#include <cmath>

#include "tools/databuild/Painters.h"
#include "tools/databuild/Props.h"

namespace Plix::DataBuild {

namespace {

void PaintTrophyRoom(Cel& c) {
  cairo_t* cr = c.cr;
  RoomBackdrop(cr, Hex(0x8a5a8a), Hex(0xb07040), 380);
  const double spots[][2] = {{119, 108}, {570, 137}, {83, 260}, {619, 275}, {153, 257},
                             {496, 146}, {195, 147}, {491, 266}, {216, 269}, {551, 262}};
  for (auto& s : spots) {
    RoundRect(cr, s[0] - 6, s[1] + 82, 80, 12, 4);
    FillStroke(cr, Palette::kWood, Palette::kWoodDark, 2);
  }
  cairo_arc(cr, 380, 190, 95, M_PI, 2 * M_PI);
  cairo_set_line_width(cr, 10);
  SetColor(cr, Hex(0xe0b84a));
  cairo_stroke(cr);
  RoundRect(cr, 279, 398, 200, 50, 8);  // name plaque
  FillStroke(cr, Palette::kCream, Palette::kWoodDark, 2.5);
  Ellipse(cr, 160, 470, 20, 16);  // mouse hole
  Fill(cr, Hex(0x2a1a10));
}
PAINTER("IMAGE_TROPHY_ROOM", PaintTrophyRoom);

// Nine cels: the twinkle grows, peaks and fades.
void PaintSparkle(Cel& c) { TwinkleCel(c.cr, c.w, c.h, c.index / 8.0); }
PAINTER("IMAGE_TROPHY_ROOM_SPARKLE", PaintSparkle);

// Glints played 0, 1, 2, 1, 0: small, larger, largest.
void PaintBright(Cel& c) { GlintCel(c.cr, c.w, c.h, 0.5 + 0.5 * std::sin((c.index + 1) * M_PI / (c.decl.cols + 1))); }
PAINTER("IMAGE_TROPHY_ROOM_BRIGHT_*", PaintBright);

}  // namespace

}  // namespace Plix::DataBuild
