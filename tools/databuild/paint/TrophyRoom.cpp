// The trophy room of the hotel (TrophyRoom group): a hall of fame with two
// glass cabinets whose risers stand under the ten trophy places, the star
// arch and the name plaque in the middle, a mouse hole and the way out.

#include <cmath>
#include <string>

#include "tools/databuild/Figure.h"
#include "tools/databuild/Food.h"
#include "tools/databuild/Painters.h"
#include "tools/databuild/Props.h"
#include "tools/databuild/Shops.h"

namespace Plix::DataBuild {

namespace {

// Trophy n's top-left corner and cel size: the foot stands on the cel's
// bottom edge, where the room puts its riser.
struct Place {
  double x, y, w, h;
};
const Place kPlaces[10] = {{119, 108, 68, 85}, {570, 137, 70, 85}, {83, 260, 65, 88},  {619, 275, 62, 75},
                           {153, 257, 60, 75}, {496, 146, 60, 80}, {195, 147, 65, 70}, {491, 266, 60, 82},
                           {216, 269, 55, 65}, {551, 262, 62, 78}};
const Vec kStars[5] = {{303, 154}, {332, 129}, {365, 111}, {398, 129}, {426, 154}};
constexpr double kFloorY = 498;

const Rgb kWallpaper = Hex(0x6a3a8a);
const Rgb kGoldTrim = Hex(0xf0c040);
const Rgb kCabinetWood = Hex(0x9a5a2a);

void Cabinet(cairo_t* cr, double x0, double x1, double top, double bottom, double shelfY) {
  // The cabinet's carcass with a glass back lit from within.
  RoundRect(cr, x0 - 8, top - 26, x1 - x0 + 16, bottom - top + 34, 10);
  FillVerticalStroke(cr, top - 26, bottom + 8, Lighter(kCabinetWood, 0.15), Darker(kCabinetWood, 0.15), Palette::kInk, 2.5);
  // A crest on the top.
  cairo_new_path(cr);
  cairo_move_to(cr, x0 + 10, top - 26);
  cairo_curve_to(cr, x0 + 40, top - 50, x1 - 40, top - 50, x1 - 10, top - 26);
  cairo_close_path(cr);
  FillStroke(cr, kCabinetWood, Palette::kInk, 2.5);
  GoldStar(cr, (x0 + x1) / 2, top - 36, 8);
  cairo_rectangle(cr, x0, top, x1 - x0, bottom - top);
  FillVertical(cr, top, bottom, Hex(0xfff4d8), Hex(0xf0d8a8));
  SoftOval(cr, (x0 + x1) / 2, top + 20, (x1 - x0) * 0.45, 40, {1, 1, 1, 0.6});
  cairo_rectangle(cr, x0, top, x1 - x0, bottom - top);
  cairo_set_line_width(cr, 2);
  SetColor(cr, Palette::kInk);
  cairo_stroke(cr);
  // The middle shelf.
  cairo_rectangle(cr, x0, shelfY, x1 - x0, 8);
  FillStroke(cr, Lighter(kCabinetWood, 0.25), Palette::kInk, 1.8);
  // Glass panes with light streaks.
  cairo_set_line_width(cr, 3);
  SetColor(cr, {1, 1, 1, 0.45});
  for (double gx = x0 + 20; gx < x1; gx += (x1 - x0) / 2) {
    cairo_move_to(cr, gx, top + 10);
    cairo_line_to(cr, gx + 30, top + 40);
  }
  cairo_stroke(cr);
}

// A velvet-topped riser whose top is at y, centred on cx.
void Riser(cairo_t* cr, double cx, double y, double w, double floor) {
  cairo_rectangle(cr, cx - w / 2, y + 4, w, floor - y - 4);
  FillVerticalStroke(cr, y, floor, Hex(0xfff8ec), Hex(0xe0d0b8), Palette::kInk, 1.6);
  RoundRect(cr, cx - w / 2 - 3, y - 1, w + 6, 7, 3);
  FillStroke(cr, Hex(0xb02a4a), Palette::kInk, 1.6);
}

void PaintTrophyRoom(Cel& c) {
  cairo_t* cr = c.cr;
  // Wallpaper with gold lilies and a wainscot.
  cairo_rectangle(cr, 0, 0, 800, kFloorY);
  FillVertical(cr, 0, kFloorY, Lighter(kWallpaper, 0.12), kWallpaper);
  for (int row = 0; row < 9; ++row)
    for (int col = 0; col < 14; ++col) {
      double x = col * 60 + (row % 2) * 30, y = 30 + row * 48;
      StarPath(cr, x, y, 6, 2.5, 4);
      Fill(cr, WithAlpha(kGoldTrim, 0.35));
    }
  cairo_rectangle(cr, 0, 400, 800, kFloorY - 400);
  FillVertical(cr, 400, kFloorY, Hex(0x8a4a2a), Hex(0x6a3418));
  for (double x = 20; x < 800; x += 92) {
    RoundRect(cr, x, 414, 72, 66, 6);
    cairo_set_line_width(cr, 2);
    SetColor(cr, WithAlpha(Hex(0x3a1a08), 0.6));
    cairo_stroke(cr);
  }
  cairo_rectangle(cr, 0, 394, 800, 10);
  FillStroke(cr, kGoldTrim, Palette::kInk, 2);
  Moulding(cr, 16, Hex(0xffe49a), Hex(0xd8a838));
  // The floor: red carpet down the middle over polished boards.
  RecedingFloor(cr, kFloorY, Hex(0xc88a50), Hex(0x9a6030), WithAlpha(Hex(0x5a3010), 0.5), 60, 0.55);
  cairo_move_to(cr, 300, kFloorY);
  cairo_line_to(cr, 460, kFloorY);
  cairo_line_to(cr, 520, 600);
  cairo_line_to(cr, 240, 600);
  cairo_close_path(cr);
  FillStroke(cr, Hex(0xc82a3a), Palette::kInk, 2);
  cairo_move_to(cr, 310, kFloorY);
  cairo_line_to(cr, 252, 600);
  cairo_move_to(cr, 450, kFloorY);
  cairo_line_to(cr, 508, 600);
  cairo_set_line_width(cr, 3);
  SetColor(cr, kGoldTrim);
  cairo_stroke(cr);
  cairo_rectangle(cr, 0, kFloorY - 6, 800, 8);
  FillStroke(cr, Hex(0x5a2a10), Palette::kInk, 2);

  // The title over the arch.
  Title(cr, "Hall of Fame", 382, 52, 250, 44, Hex(0xffd23a));

  // The two cabinets.
  Cabinet(cr, 70, 290, 92, 360, 234);
  Cabinet(cr, 478, 700, 118, 366, 240);
  // A riser under every trophy, up to its cel's bottom edge.
  for (const Place& p : kPlaces) {
    double shelf = p.y + p.h < 236 ? 234.0 : (p.x < 400 ? 360.0 : 366.0);
    if (p.x > 400 && p.y + p.h < 240) shelf = 240;
    Riser(cr, p.x + p.w / 2, p.y + p.h - 2, p.w * 0.72, shelf);
  }
  // The cabinets' plinths.
  cairo_rectangle(cr, 62, 360, 236, 38);
  FillStroke(cr, kCabinetWood, Palette::kInk, 2.5);
  cairo_rectangle(cr, 470, 366, 238, 34);
  FillStroke(cr, kCabinetWood, Palette::kInk, 2.5);

  // The star arch: a velvet half-disc with five star places.
  cairo_new_path(cr);
  cairo_arc(cr, 381, 196, 96, M_PI, 2 * M_PI);
  cairo_close_path(cr);
  FillVertical(cr, 100, 196, Hex(0x2a3a8a), Hex(0x1a2460));
  cairo_new_path(cr);
  cairo_arc(cr, 381, 196, 96, M_PI, 2 * M_PI);
  cairo_close_path(cr);
  cairo_set_line_width(cr, 5);
  SetColor(cr, kGoldTrim);
  cairo_stroke_preserve(cr);
  cairo_set_line_width(cr, 2);
  SetColor(cr, Palette::kInk);
  cairo_stroke(cr);
  for (const Vec& s : kStars) {
    StarPath(cr, s.x + 15, s.y + 15 + 0.9, 14, 6.7, 5);
    FillStroke(cr, {1, 1, 1, 0.12}, WithAlpha(kGoldTrim, 0.7), 1.5);
  }
  // A pedestal with the name plaque (black words centred on x 379,
  // baselines 418 to 438).
  cairo_rectangle(cr, 310, 196, 142, 196);
  FillVerticalStroke(cr, 196, 392, Hex(0xf4ece0), Hex(0xd8ccb8), Palette::kInk, 2.5);
  for (double px : {330.0, 361.0, 392.0, 423.0}) {
    cairo_rectangle(cr, px, 214, 10, 160);
    Fill(cr, {0, 0, 0, 0.06});
  }
  // A medallion with the golden ice cream on the pedestal.
  Ellipse(cr, 381, 300, 46, 46);
  FillStroke(cr, kGoldTrim, Palette::kInk, 2.5);
  Ellipse(cr, 381, 300, 38, 38);
  FillRadial(cr, 370, 288, 50, Hex(0xfff4b0), Hex(0xe0a830));
  WaffleCone(cr, 381, 298, 30, 34);
  IceScoop(cr, 381, 302, 40, 32, 0);
  Twinkle(cr, 366, 280, 8, Palette::kWhite);
  cairo_rectangle(cr, 300, 190, 162, 12);
  FillStroke(cr, kGoldTrim, Palette::kInk, 2);
  RoundRect(cr, 280, 396, 200, 54, 10);
  FillStroke(cr, kGoldTrim, Palette::kInk, 2.5);
  RoundRect(cr, 287, 402, 186, 42, 7);
  FillVertical(cr, 402, 444, Hex(0xfffbec), Hex(0xf4e8c8));
  for (double nx : {292.0, 468.0}) {
    Ellipse(cr, nx, 423, 2.5, 2.5);
    Fill(cr, Hex(0xa87820));
  }

  // The mouse hole in the skirting near (144, 456).
  cairo_new_path(cr);
  cairo_move_to(cr, 148, kFloorY - 4);
  cairo_line_to(cr, 148, 478);
  cairo_arc(cr, 169, 478, 21, M_PI, 2 * M_PI);
  cairo_line_to(cr, 190, kFloorY - 4);
  cairo_close_path(cr);
  FillStroke(cr, Hex(0x1a0a04), Palette::kInk, 2);

  // Potted palms by the cabinets and a chandelier glow.
  PalmTree(cr, 30, 470, 130, 0.1);
  cairo_move_to(cr, 10, 470);
  cairo_line_to(cr, 50, 470);
  cairo_line_to(cr, 44, 496);
  cairo_line_to(cr, 16, 496);
  cairo_close_path(cr);
  FillStroke(cr, Hex(0xd86a3a), Palette::kInk, 2);
  SoftOval(cr, 382, 120, 260, 110, {1, 0.95, 0.7, 0.12});
}
PAINTER("IMAGE_TROPHY_ROOM", PaintTrophyRoom);

// Cels 0 bronze, 1 silver, 2 gold, 3 not won: the ten award trophies.
void PaintTrophy(Cel& c) {
  int n = std::stoi(c.decl.id.substr(std::string("IMAGE_TROPHY_ROOM_TROPHY_").size()));
  Trophy(c.cr, n, c.index, c.w / 2, c.h - 2, c.w - 4, c.h - 4);
}
PAINTER("IMAGE_TROPHY_ROOM_TROPHY_*", PaintTrophy);

void PaintStar(Cel& c) { GoldStar(c.cr, c.w / 2, c.h / 2, c.w / 2 - 1); }
PAINTER("IMAGE_TROPHY_ROOM_STAR", PaintStar);

// A grey mouse peeking out of its hole: head, ears, paws and whiskers.
void PaintMouse(Cel& c) {
  cairo_t* cr = c.cr;
  const Rgb fur = Hex(0xa8a0a8), pink = Hex(0xffa8c0);
  double cx = c.w / 2, cy = c.h * 0.56;
  for (int s : {-1, 1}) {
    Ellipse(cr, cx + s * 12, cy - 11, 9, 9);
    FillStroke(cr, fur, Palette::kInk, 1.5);
    Ellipse(cr, cx + s * 12, cy - 11, 5, 5);
    Fill(cr, pink);
  }
  Ellipse(cr, cx, cy, 14, 11);
  FillStroke(cr, fur, Palette::kInk, 1.5);
  Ellipse(cr, cx, cy + 6, 8, 5);
  FillStroke(cr, Lighter(fur, 0.35), Palette::kInk, 1);
  Ellipse(cr, cx, cy + 3, 2.5, 2);
  Fill(cr, pink);
  for (int s : {-1, 1}) {
    Ellipse(cr, cx + s * 5, cy - 2, 2.2, 2.6);
    Fill(cr, Palette::kInk);
    Ellipse(cr, cx + s * 5 + 0.6, cy - 2.8, 0.7, 0.7);
    Fill(cr, Palette::kWhite);
    for (int k = -1; k <= 1; ++k) {
      cairo_move_to(cr, cx + s * 6, cy + 5 + k * 1.5);
      cairo_line_to(cr, cx + s * 17, cy + 4 + k * 4);
    }
    cairo_set_line_width(cr, 0.8);
    SetColor(cr, Palette::kInk);
    cairo_stroke(cr);
    Ellipse(cr, cx + s * 8, c.h - 5, 4.5, 3);
    FillStroke(cr, Lighter(fur, 0.35), Palette::kInk, 1.2);
  }
}
PAINTER("IMAGE_TROPHY_ROOM_MOUSE", PaintMouse);

void PaintExit(Cel& c) {
  bool over = c.decl.id == "IMAGE_TROPHY_ROOM_EXIT_OVER";
  DrawState(c.cr, over ? Look3::Over : Look3::Normal, [&](cairo_t* cr) {
    ArrowSign(cr, 10, 20, c.w - 24, c.h - 24, "Exit", Hex(0x3ab0a0), over, true);
  }, 4);
}
PAINTER("IMAGE_TROPHY_ROOM_EXIT", PaintExit);
PAINTER("IMAGE_TROPHY_ROOM_EXIT_OVER", PaintExit);

// Nine cels: the twinkle grows, peaks and fades.
void PaintSparkle(Cel& c) { TwinkleCel(c.cr, c.w, c.h, c.index / 8.0); }
PAINTER("IMAGE_TROPHY_ROOM_SPARKLE", PaintSparkle);

// Glints played 0, 1, 2, 1, 0: small, larger, largest.
void PaintBright(Cel& c) { GlintCel(c.cr, c.w, c.h, 0.35 + 0.65 * c.index / (c.decl.cols - 1)); }
PAINTER("IMAGE_TROPHY_ROOM_BRIGHT_*", PaintBright);

}  // namespace

}  // namespace Plix::DataBuild
