// Pieces shared by the screens the player visits from the island map (the
// store, the circus, the hotel's contest and trophy rooms, the best-sellers
// board): the cash plaque and stock plate the screens write numbers on,
// exit signs and doors, crates, floors and a furled sunshade.
#pragma once

#include <cairo.h>

#include <string>

#include "tools/databuild/Art.h"

namespace Plix::DataBuild {

// A dark wooden plaque hung from two ropes for yellow numbers centred on
// (cx, cy), with a gold coin at its left end.
void CashPlaque(cairo_t* cr, double cx, double cy, double w, double h, double ropeTop);
// The stock panel's plate filling a w x h cel: a dark rounded board with a
// light well at the left for an icon of iconW pixels; white digits go right.
void StockPlate(cairo_t* cr, double w, double h, double iconW);
// A wooden arrow sign on a post pointing left (or right), with words on
// it; over lights it up.
void ArrowSign(cairo_t* cr, double x, double y, double w, double h, const std::string& text, Rgb board,
               bool over, bool pointRight = false);
// A door standing open on a bright outside, in a frame filling the box.
void OpenDoor(cairo_t* cr, double x, double y, double w, double h, Rgb wood, Rgb outside, bool over);
// A gilt moulding along the top of a room's wall, h high.
void Moulding(cairo_t* cr, double h, Rgb top, Rgb bottom);
// A floor of boards from floorY to the screen's bottom edge, its seams
// running towards the back; spread is how much the seams converge there.
void RecedingFloor(cairo_t* cr, double floorY, Rgb far, Rgb near, Rgb seams, double spacing, double spread);
// A wooden box seen a little from above: top face from y to y + depth,
// front face down to bottom.
void Crate(cairo_t* cr, double x, double y, double w, double depth, double bottom, Rgb wood);
// A sunshade folded up and standing on its foot: tip at top, foot at bottom.
void FurledSunshade(cairo_t* cr, double cx, double top, double bottom, double w, Rgb a, Rgb b, bool fringe);

}  // namespace Plix::DataBuild
