// The uncle's room in the hotel where the flavour contest and both hotel
// story scenes play (FlavorContest group): the room with the judges' table
// and Pemi's workbench, the three judges seated behind the table (their
// cels end at the table's back edge), Pemi from the front and from behind,
// and the contest's props.

#include <cmath>
#include <functional>
#include <vector>

#include "tools/databuild/Figure.h"
#include "tools/databuild/Food.h"
#include "tools/databuild/Painters.h"
#include "tools/databuild/Props.h"
#include "tools/databuild/Shops.h"

namespace Plix::DataBuild {

namespace {

// The judges' table: its back edge hides the judges below it.
constexpr double kTableBack = 298, kTableFront = 330, kTableX0 = 176, kTableX1 = 624;
// Pemi's workbench in front.
constexpr double kBenchTop = 462, kBenchFront = 494, kBenchX0 = 196, kBenchX1 = 566;

const Rgb kWall = Hex(0xfff0d8);
const Rgb kWallStripe = Hex(0xffd8c0);
const Rgb kWood = Hex(0xb8743a);

// ---------------------------------------------------------------- the room

void PaintContestRoom(Cel& c) {
  cairo_t* cr = c.cr;
  const double floorY = 330;
  // Striped wallpaper and a wainscot.
  cairo_rectangle(cr, 0, 0, 800, floorY);
  Fill(cr, kWall);
  for (double x = 0; x < 800; x += 40) {
    cairo_rectangle(cr, x, 0, 20, floorY);
    Fill(cr, kWallStripe);
  }
  cairo_rectangle(cr, 0, 232, 800, floorY - 232);
  FillVertical(cr, 232, floorY, Hex(0x3aa8a0), Hex(0x2a8880));
  cairo_rectangle(cr, 0, 226, 800, 10);
  FillStroke(cr, Hex(0xffe08a), Palette::kInk, 2);
  Moulding(cr, 18, Hex(0xffe8a0), Hex(0xe8b850));
  // The big arched window behind the judges, with curtains.
  const double wx = 300, ww = 200, wy = 40, wh = 200;
  auto arch = [&](double in) {
    cairo_new_path(cr);
    cairo_move_to(cr, wx + in, wy + wh);
    cairo_line_to(cr, wx + in, wy + ww / 2);
    cairo_arc(cr, wx + ww / 2, wy + ww / 2, ww / 2 - in, M_PI, 2 * M_PI);
    cairo_line_to(cr, wx + ww - in, wy + wh);
    cairo_close_path(cr);
  };
  arch(-10);
  FillStroke(cr, Hex(0xfff8ee), Palette::kInk, 2.5);
  arch(0);
  FillVertical(cr, wy, wy + wh, Hex(0x5ac0f8), Hex(0xc8f0ff));
  cairo_save(cr);
  arch(0);
  cairo_clip(cr);
  cairo_rectangle(cr, wx, wy + wh * 0.62, ww, wh);
  FillVertical(cr, wy + wh * 0.62, wy + wh, Hex(0x2aa0d8), Hex(0x6ad8e8));
  CloudPuff(cr, wx + 60, wy + 60, 0.6);
  SunDisc(cr, wx + 150, wy + 70, 18);
  PalmTree(cr, wx + 170, wy + wh, wh * 0.7, -0.2);
  cairo_restore(cr);
  cairo_set_line_width(cr, 5);
  SetColor(cr, Hex(0xfff8ee));
  cairo_move_to(cr, wx + ww / 2, wy);
  cairo_line_to(cr, wx + ww / 2, wy + wh);
  cairo_move_to(cr, wx, wy + wh * 0.55);
  cairo_line_to(cr, wx + ww, wy + wh * 0.55);
  cairo_stroke(cr);
  arch(0);
  cairo_set_line_width(cr, 2.5);
  SetColor(cr, Palette::kInk);
  cairo_stroke(cr);
  for (int side : {-1, 1}) {
    double cx = side < 0 ? wx - 14 : wx + ww + 14;
    cairo_new_path(cr);
    cairo_move_to(cr, cx - 30, 22);
    cairo_line_to(cr, cx + 30, 22);
    cairo_curve_to(cr, cx + 8 * side, 120, cx + 20 * side, 180, cx + 26 * side, 250);
    cairo_line_to(cr, cx - 26 * side, 250);
    cairo_curve_to(cr, cx - 20 * side, 180, cx - 8 * side, 120, cx - 30, 22);
    cairo_close_path(cr);
    FillVerticalStroke(cr, 22, 250, Hex(0xe84a6a), Hex(0xb02a4a), Palette::kInk, 2);
    RoundRect(cr, cx - 14, 150, 28, 10, 4);
    FillStroke(cr, Palette::kGold, Palette::kInk, 1.5);
  }
  cairo_rectangle(cr, wx - 60, 16, ww + 120, 10);
  FillStroke(cr, Palette::kGold, Palette::kInk, 2);
  // Left: the uncle's portrait.
  RoundRect(cr, 86, 58, 104, 124, 6);
  FillStroke(cr, Palette::kGold, Palette::kInk, 2.5);
  cairo_rectangle(cr, 98, 70, 80, 100);
  FillVertical(cr, 70, 170, Hex(0x8ad0e8), Hex(0x4a9ac0));
  cairo_save(cr);
  cairo_rectangle(cr, 98, 70, 80, 100);
  cairo_clip(cr);
  {
    Look u = Cast::Uncle();
    u.height = 150;
    Pose p;
    p.foot = {138, 250};
    p.face.mouth = Mouth::Grin;
    DrawPerson(cr, u, p);
  }
  cairo_restore(cr);
  cairo_rectangle(cr, 98, 70, 80, 100);
  cairo_set_line_width(cr, 2);
  SetColor(cr, Palette::kInk);
  cairo_stroke(cr);
  // Right: the shelf for the fruit balls, and a trophy beside them.
  cairo_rectangle(cr, 584, 134, 120, 10);
  FillStroke(cr, Lighter(kWood, 0.2), Palette::kInk, 2);
  for (double bx : {596.0, 686.0}) {
    cairo_move_to(cr, bx, 144);
    cairo_line_to(cr, bx + 8, 144);
    cairo_line_to(cr, bx + 4, 166);
    cairo_close_path(cr);
    FillStroke(cr, kWood, Palette::kInk, 1.5);
  }
  Ellipse(cr, 630, 134, 46, 5);
  Fill(cr, {0, 0, 0, 0.15});
  Trophy(cr, 8, 2, 684, 134, 26, 40);
  // Floor: a chequered parquet.
  cairo_rectangle(cr, 0, floorY, 800, 600 - floorY);
  FillVertical(cr, floorY, 600, Hex(0xe8c08a), Hex(0xc89058));
  cairo_save(cr);
  cairo_rectangle(cr, 0, floorY, 800, 600 - floorY);
  cairo_clip(cr);
  for (int row = 0; row < 8; ++row) {
    double y0 = floorY + (600 - floorY) * std::pow(row / 8.0, 1.3);
    double y1 = floorY + (600 - floorY) * std::pow((row + 1) / 8.0, 1.3);
    for (int col = -12; col < 12; ++col) {
      if ((row + col) % 2) continue;
      double k0 = 0.5 + 0.5 * row / 8.0, k1 = 0.5 + 0.5 * (row + 1) / 8.0;
      cairo_move_to(cr, 400 + col * 70 * k0, y0);
      cairo_line_to(cr, 400 + (col + 1) * 70 * k0, y0);
      cairo_line_to(cr, 400 + (col + 1) * 70 * k1, y1);
      cairo_line_to(cr, 400 + col * 70 * k1, y1);
      cairo_close_path(cr);
      Fill(cr, {0.55, 0.3, 0.12, 0.18});
    }
  }
  cairo_restore(cr);
  cairo_rectangle(cr, 0, floorY - 4, 800, 8);
  FillStroke(cr, Darker(kWood, 0.1), Palette::kInk, 2);
  // A rug under the workbench.
  Ellipse(cr, 390, 530, 300, 56);
  FillStroke(cr, Hex(0x7a4ad0), Palette::kInk, 2);
  Ellipse(cr, 390, 530, 276, 46);
  cairo_set_line_width(cr, 3);
  SetColor(cr, Palette::kGold);
  cairo_stroke(cr);

  // The judges' table: a long table with a white cloth and a gold fringe.
  cairo_rectangle(cr, kTableX0, kTableBack, kTableX1 - kTableX0, kTableFront - kTableBack);
  FillVerticalStroke(cr, kTableBack, kTableFront, Hex(0xffffff), Hex(0xeef2f6), Palette::kInk, 2.5);
  cairo_new_path(cr);
  cairo_move_to(cr, kTableX0 - 6, kTableFront);
  cairo_line_to(cr, kTableX1 + 6, kTableFront);
  cairo_line_to(cr, kTableX1 + 10, 392);
  for (double x = kTableX1 + 10; x > kTableX0 - 10; x -= 28)
    cairo_curve_to(cr, x - 6, 400, x - 22, 400, x - 28, 392);
  cairo_close_path(cr);
  FillVerticalStroke(cr, kTableFront, 400, Hex(0xffffff), Hex(0xdde6ee), Palette::kInk, 2.5);
  cairo_set_line_width(cr, 1.2);
  SetColor(cr, WithAlpha(Hex(0x8aa0b8), 0.8));
  for (double x = kTableX0 + 30; x < kTableX1; x += 44) {
    cairo_move_to(cr, x, kTableFront + 4);
    cairo_curve_to(cr, x - 3, 350, x + 3, 370, x, 392);
  }
  cairo_stroke(cr);
  cairo_rectangle(cr, kTableX0 - 4, kTableFront - 2, kTableX1 - kTableX0 + 8, 8);
  FillStroke(cr, Palette::kGold, Palette::kInk, 1.5);
  // Name cards of the judges.
  for (double x : {270.0, 386.0, 512.0}) {
    cairo_move_to(cr, x - 20, kTableFront - 2);
    cairo_line_to(cr, x - 16, kTableBack + 8);
    cairo_line_to(cr, x + 16, kTableBack + 8);
    cairo_line_to(cr, x + 20, kTableFront - 2);
    cairo_close_path(cr);
    FillStroke(cr, Hex(0xfff6d8), Palette::kInk, 1.4);
    GoldStar(cr, x, kTableBack + 20, 5);
  }

  // Pemi's workbench in front of the table.
  for (double lx : {kBenchX0 + 10, kBenchX1 - 22}) {
    cairo_rectangle(cr, lx, kBenchFront, 12, 80);
    FillStroke(cr, Darker(kWood, 0.2), Palette::kInk, 2);
  }
  cairo_rectangle(cr, kBenchX0, kBenchTop, kBenchX1 - kBenchX0, kBenchFront - kBenchTop);
  FillVerticalStroke(cr, kBenchTop, kBenchFront, Hex(0xf4f0ea), Hex(0xd8d2c8), Palette::kInk, 2.5);
  cairo_rectangle(cr, kBenchX0 - 4, kBenchFront, kBenchX1 - kBenchX0 + 8, 24);
  FillVertical(cr, kBenchFront, kBenchFront + 24, Lighter(kWood, 0.2), kWood);
  cairo_rectangle(cr, kBenchX0 - 4, kBenchFront, kBenchX1 - kBenchX0 + 8, 24);
  cairo_stroke(cr);
  for (double dx = kBenchX0 + 40; dx < kBenchX1; dx += 90) {
    RoundRect(cr, dx - 14, kBenchFront + 8, 28, 8, 3);
    FillStroke(cr, Palette::kGold, Palette::kInk, 1.2);
  }
}
PAINTER("IMAGE_FLAVOR_CONTEST", PaintContestRoom);

// ---------------------------------------------------------------- props

// A fruit of the contested flavour, in light grey: the game tints it.
void PaintBall(Cel& c) {
  cairo_t* cr = c.cr;
  double r = c.w / 2 - 3, cx = c.w / 2, cy = c.h / 2 + 1;
  Ellipse(cr, cx, cy + 2, r, r);
  Fill(cr, {0, 0, 0, 0.25});
  Ellipse(cr, cx, cy, r, r);
  FillRadial(cr, cx - r * 0.35, cy - r * 0.4, r * 1.5, Hex(0xffffff), Hex(0xa8a8a8));
  Ellipse(cr, cx, cy, r, r);
  cairo_set_line_width(cr, 1.8);
  SetColor(cr, Hex(0x484848));
  cairo_stroke(cr);
  Rand rnd(HashId(c.decl.id));
  for (int i = 0; i < 9; ++i) {
    double a = rnd.Uniform(0, 2 * M_PI), d = rnd.Uniform(0.2, 0.8) * r;
    Ellipse(cr, cx + std::cos(a) * d, cy + std::sin(a) * d, 1.2, 1.2);
    Fill(cr, {0, 0, 0, 0.18});
  }
  SoftOval(cr, cx - r * 0.35, cy - r * 0.4, r * 0.3, r * 0.2, {1, 1, 1, 0.9});
  cairo_move_to(cr, cx, cy - r + 1);
  cairo_curve_to(cr, cx + 1, cy - r - 4, cx + 3, cy - r - 5, cx + 4, cy - r - 6);
  cairo_set_line_width(cr, 2);
  SetColor(cr, Hex(0x505050));
  cairo_stroke(cr);
}
PAINTER("IMAGE_FLAVOR_CONTEST_BALL_*", PaintBall);

// Cel 0 the plate; cels 1..4 the heap with 4..1 portions, white, drawn
// over it and tinted with the mixed colour.
void PaintPlate(Cel& c) {
  cairo_t* cr = c.cr;
  double cx = c.w / 2, cy = c.h - 12;
  if (c.index == 0) {
    DessertPlate(cr, cx, cy, c.w - 4, 18, Hex(0x5ab0e0));
    return;
  }
  int portions = 5 - c.index;
  double w = 14 + portions * 7, h = 6 + portions * 5;
  cairo_save(cr);
  ScoopShape(cr, cx, cy + 3, w, h);
  FillRadial(cr, cx - w * 0.2, cy + 3 - h * 0.7, w, Hex(0xffffff), Hex(0xc8c8c8));
  ScoopShape(cr, cx, cy + 3, w, h);
  cairo_set_line_width(cr, 1.5);
  SetColor(cr, Hex(0x484848));
  cairo_stroke(cr);
  SoftOval(cr, cx - w * 0.18, cy + 3 - h * 0.65, w * 0.15, h * 0.12, {1, 1, 1, 0.9});
  cairo_restore(cr);
}
PAINTER("IMAGE_FLAVOR_CONTEST_PLATE", PaintPlate);

// The blender as layers sharing one frame: 0 the whole empty blender; 5
// the base and the jar's back; 1 and 3 the contents (white, two swirls);
// 2 and 4 the jar's front glass with its highlights.
void JarPath(cairo_t* cr, double w) {
  cairo_new_path(cr);
  cairo_move_to(cr, w / 2 - 30, 16);
  cairo_line_to(cr, w / 2 + 30, 16);
  cairo_line_to(cr, w / 2 + 22, 88);
  cairo_line_to(cr, w / 2 - 22, 88);
  cairo_close_path(cr);
}

void BlenderBack(cairo_t* cr, double w) {
  double cx = w / 2;
  // Base with its buttons.
  cairo_new_path(cr);
  cairo_move_to(cr, cx - 26, 88);
  cairo_line_to(cr, cx + 26, 88);
  cairo_line_to(cr, cx + 32, 126);
  cairo_line_to(cr, cx - 32, 126);
  cairo_close_path(cr);
  FillVerticalStroke(cr, 88, 126, Hex(0xff7a9a), Hex(0xd84a6a), Palette::kInk, 2);
  for (int i = 0; i < 3; ++i) {
    Ellipse(cr, cx - 12 + i * 12, 110, 4, 4);
    FillStroke(cr, i == 1 ? Hex(0x5ae07a) : Hex(0xfff4d8), Palette::kInk, 1.2);
  }
  // The jar's back wall, faintly blue.
  JarPath(cr, w);
  Fill(cr, {0.85, 0.95, 1, 0.45});
  Ellipse(cr, cx, 16, 30, 5);
  Fill(cr, {0.7, 0.85, 0.95, 0.5});
  // Blades.
  cairo_move_to(cr, cx - 12, 84);
  cairo_line_to(cr, cx + 12, 80);
  cairo_set_line_width(cr, 2.5);
  SetColor(cr, Hex(0x8a8a96));
  cairo_stroke(cr);
}

void BlenderContents(cairo_t* cr, double w, int frame) {
  double cx = w / 2;
  cairo_save(cr);
  JarPath(cr, w);
  cairo_clip(cr);
  cairo_new_path(cr);
  cairo_move_to(cr, cx - 40, 40);
  cairo_curve_to(cr, cx - 14, frame ? 30 : 46, cx + 14, frame ? 50 : 34, cx + 40, 40);
  cairo_line_to(cr, cx + 40, 90);
  cairo_line_to(cr, cx - 40, 90);
  cairo_close_path(cr);
  FillVertical(cr, 34, 90, Hex(0xffffff), Hex(0xd0d0d0));
  // The swirl.
  cairo_set_line_width(cr, 2.5);
  SetColor(cr, {0.55, 0.55, 0.55, 0.6});
  double s = frame ? -1 : 1;
  cairo_move_to(cr, cx - 18, 54);
  cairo_curve_to(cr, cx + 10 * s, 48, cx + 18, 62, cx - 4 * s, 66);
  cairo_curve_to(cr, cx - 16 * s, 70, cx - 8, 80, cx + 12 * s, 78);
  cairo_stroke(cr);
  cairo_restore(cr);
}

void BlenderFront(cairo_t* cr, double w, int frame) {
  double cx = w / 2;
  JarPath(cr, w);
  Fill(cr, {0.9, 0.97, 1, 0.18});
  JarPath(cr, w);
  cairo_set_line_width(cr, 2.2);
  SetColor(cr, Palette::kInk);
  cairo_stroke(cr);
  // Highlights moving a little between the frames.
  double dx = frame ? 4 : 0;
  cairo_move_to(cr, cx - 20 + dx, 24);
  cairo_line_to(cr, cx - 15 + dx, 80);
  cairo_set_line_width(cr, 4);
  SetColor(cr, {1, 1, 1, 0.75});
  cairo_stroke(cr);
  cairo_move_to(cr, cx - 10 + dx, 24);
  cairo_line_to(cr, cx - 8 + dx, 46);
  cairo_set_line_width(cr, 2);
  cairo_stroke(cr);
  // Handle, lid and measuring marks.
  cairo_move_to(cr, cx + 26, 26);
  cairo_curve_to(cr, cx + 44, 28, cx + 44, 70, cx + 24, 72);
  cairo_set_line_width(cr, 7);
  SetColor(cr, Palette::kInk);
  cairo_stroke_preserve(cr);
  cairo_set_line_width(cr, 4);
  SetColor(cr, Hex(0xff7a9a));
  cairo_stroke(cr);
  RoundRect(cr, cx - 33, 8, 66, 10, 4);
  FillStroke(cr, Hex(0xff7a9a), Palette::kInk, 2);
  RoundRect(cr, cx - 8, 2, 16, 8, 3);
  FillStroke(cr, Hex(0xd84a6a), Palette::kInk, 1.5);
  cairo_set_line_width(cr, 1.2);
  SetColor(cr, {0.2, 0.3, 0.4, 0.6});
  for (int i = 0; i < 4; ++i) {
    cairo_move_to(cr, cx + 10, 34 + i * 14);
    cairo_line_to(cr, cx + 18, 34 + i * 14);
  }
  cairo_stroke(cr);
}

void PaintBlender(Cel& c) {
  switch (c.index) {
    case 0:
      BlenderBack(c.cr, c.w);
      BlenderFront(c.cr, c.w, 0);
      break;
    case 1: BlenderContents(c.cr, c.w, 0); break;
    case 3: BlenderContents(c.cr, c.w, 1); break;
    case 2: BlenderFront(c.cr, c.w, 0); break;
    case 4: BlenderFront(c.cr, c.w, 1); break;
    default: BlenderBack(c.cr, c.w); break;
  }
}
PAINTER("IMAGE_FLAVOR_CONTEST_BLENDER", PaintBlender);

// The ice-cream tub: cel k holds (9 - k) / 9 of its vanilla, cel 9 empty.
void PaintTub(Cel& c) {
  cairo_t* cr = c.cr;
  double fill = (9 - c.index) / 9.0;
  double cx = c.w / 2, bottom = c.h - 3, w = c.w - 8, top = c.h * 0.45;
  if (fill > 0) {
    double h = 6 + fill * (top - 4);
    double hw = w * (0.55 + 0.4 * std::min(1.0, fill * 1.6));
    IceScoop(cr, cx, top + 8, hw, h + 8, 0);
  }
  cairo_new_path(cr);
  cairo_move_to(cr, cx - w / 2, top);
  cairo_line_to(cr, cx - w * 0.4, bottom);
  cairo_line_to(cr, cx + w * 0.4, bottom);
  cairo_line_to(cr, cx + w / 2, top);
  cairo_close_path(cr);
  FillVerticalStroke(cr, top, bottom, Hex(0xe8f6ff), Hex(0x9ac8e8), Palette::kInk, 2);
  Ellipse(cr, cx, top, w / 2, 4);
  FillStroke(cr, Hex(0xf4fbff), Palette::kInk, 1.8);
  if (fill > 0) {
    cairo_save(cr);
    Ellipse(cr, cx, top, w / 2 - 2, 3);
    Fill(cr, FlavourColor(0));
    cairo_restore(cr);
  }
  // A label with stars: one per try left.
  RoundRect(cr, cx - w * 0.3, top + 8, w * 0.6, (bottom - top) * 0.5, 3);
  FillStroke(cr, Hex(0xfff4d8), Palette::kInk, 1.2);
  Scoop(cr, cx, top + 8 + (bottom - top) * 0.25, 5, FlavourColor(0));
}
PAINTER("IMAGE_FLAVOR_CONTEST_ICECREAM", PaintTub);

// The flavour card: 0 pear, 1 strawberry, 2 blueberry, 3 pineapple, 4
// chocolate (flavours 3, 1, 4, 5, 2 of the game's order), the cels the
// contest's flavour table names.
void PaintCard(Cel& c) {
  static const int flavour[] = {3, 1, 4, 5, 2};
  int f = flavour[c.index];
  cairo_t* cr = c.cr;
  RoundRect(cr, 4, 6, c.w - 8, c.h - 8, 8);
  Fill(cr, {0, 0, 0, 0.25});
  RoundRect(cr, 4, 3, c.w - 8, c.h - 8, 8);
  FillStroke(cr, Hex(0xfffbef), Palette::kInk, 2);
  RoundRect(cr, 8, 7, c.w - 16, c.h - 16, 5);
  cairo_set_line_width(cr, 3);
  SetColor(cr, FlavourColor(f));
  cairo_stroke(cr);
  FlavourFruit(cr, f, c.w / 2, c.h / 2 - 1, c.w * 0.27);
}
PAINTER("IMAGE_FLAVOR_CONTEST_FLAVORS", PaintCard);

// An ice-cream scoop (the utensil) holding a ball: "scoops".
void PaintSpoon(Cel& c) {
  cairo_t* cr = c.cr;
  cairo_save(cr);
  cairo_translate(cr, 14, c.h - 10);
  cairo_rotate(cr, -0.45);
  RoundRect(cr, 0, -3.5, 24, 7, 3.5);
  FillStroke(cr, Hex(0xff6f9c), Palette::kInk, 1.4);
  cairo_restore(cr);
  Ellipse(cr, 13, c.h - 11, 9, 8);
  FillStroke(cr, Hex(0xd8e0e8), Palette::kInk, 1.4);
  IceScoop(cr, 12, c.h - 12, 18, 14, 0);
}
PAINTER("IMAGE_FLAVOR_CONTEST_SPOON", PaintSpoon);

void PaintExit(Cel& c) {
  bool over = c.decl.id == "IMAGE_FLAVOR_CONTEST_EXIT_OVER";
  DrawState(c.cr, over ? Look3::Over : Look3::Normal, [&](cairo_t* cr) {
    OpenDoor(cr, 6, 8, c.w - 14, c.h - 12, Hex(0xa8602a), Hex(0xffe8a0), over);
    RoundRect(cr, 14, 2, c.w - 30, 22, 6);
    FillStroke(cr, Hex(0x3aa860), Palette::kInk, 2);
    TextStyle t{Face::ComicBold, 16, Palette::kWhite, Palette::kInk, 2};
    FitText(cr, t, 14 + (c.w - 30) / 2, 13, c.w - 40, 16, "Exit");
  }, 4);
}
PAINTER("IMAGE_FLAVOR_CONTEST_EXIT", PaintExit);
PAINTER("IMAGE_FLAVOR_CONTEST_EXIT_OVER", PaintExit);

// ---------------------------------------------------------------- the judges

enum class Act { Idle, Bite, Chew, Think, Wonder, Cheer, LookAside, Blink, Glasses, Recoil, Push, Talk, Talk2, Gesture,
                 Weak, Strong };

struct Judge {
  Look look;
  Vec foot;
  double cut;  // the table's back edge in cel pixels
  bool facesRight;  // which way the others sit
};

// A small tasting spoon in the hand, a bit of ice cream on it.
void TastingSpoon(cairo_t* cr, Vec hand, double dir) {
  cairo_save(cr);
  cairo_translate(cr, hand.x, hand.y);
  cairo_rotate(cr, dir * 0.6);
  RoundRect(cr, -1.5, -16, 3, 16, 1.5);
  FillStroke(cr, Hex(0xd8e0e8), Palette::kInk, 1);
  Ellipse(cr, 0, -17, 4, 5);
  FillStroke(cr, Hex(0xd8e0e8), Palette::kInk, 1);
  Ellipse(cr, 0, -19, 3.5, 3);
  Fill(cr, Hex(0xfff4e0));
  cairo_restore(cr);
}

void DrawJudge(Cel& c, const Judge& j, Act act) {
  cairo_t* cr = c.cr;
  Pose p;
  p.view = View::Front;
  p.foot = j.foot;
  Vec sh0 = ShoulderPoint(j.look, p, 0), sh1 = ShoulderPoint(j.look, p, 1);
  Vec head = HeadCentre(j.look, p);
  double hr = HeadRadius(j.look);
  Vec mouth = head + Vec{0, hr * 0.55};
  Vec rest0{sh0.x + 2, j.cut + 4}, rest1{sh1.x - 2, j.cut + 4};
  auto hands = [&](Vec a, Vec b) {
    p.hands[0] = a;
    p.hands[1] = b;
    p.handSet[0] = p.handSet[1] = true;
  };
  hands(rest0, rest1);
  double side = j.facesRight ? 1 : -1;
  bool spoon = false;
  switch (act) {
    case Act::Idle:
      break;
    case Act::Bite:
      hands(rest0, mouth + Vec{6, 12});
      p.face.mouth = Mouth::Open;
      p.face.eyes = Eyes::Half;
      spoon = true;
      break;
    case Act::Chew:
      hands(rest0, sh1 + Vec{-6, 40});
      p.face.mouth = Mouth::Chew;
      p.face.eyes = Eyes::Half;
      p.headTilt = 0.06;
      spoon = true;
      break;
    case Act::Think:  // a finger on the chin, eyes up
      hands(rest0, mouth + Vec{6, 10});
      p.face.mouth = Mouth::Flat;
      p.face.lookY = -1;
      p.face.brows = 0.5;
      p.headTilt = -0.08;
      break;
    case Act::Wonder:
      hands(rest0, mouth + Vec{8, 12});
      p.face.mouth = Mouth::Oh;
      p.face.lookX = side;
      p.face.brows = 0.9;
      break;
    case Act::Cheer:
      hands(sh0 + Vec{-34, -58}, sh1 + Vec{34, -58});
      p.face.eyes = Eyes::Happy;
      p.face.mouth = Mouth::Wide;
      p.headTilt = -0.05;
      break;
    case Act::LookAside:
      p.face.lookX = -side;
      p.headTilt = -side * 0.08;
      break;
    case Act::Blink:
      p.face.eyes = Eyes::Shut;
      p.face.lookX = side;
      break;
    case Act::Glasses:  // pushing the glasses up
      hands(rest0, head + Vec{2, 2});
      p.face.mouth = Mouth::Flat;
      break;
    case Act::Recoil:
      p.lean = -0.06;
      p.face.eyes = Eyes::Wide;
      p.face.mouth = Mouth::Frown;
      p.face.brows = -0.6;
      hands(sh0 + Vec{-6, 30}, sh1 + Vec{6, 30});
      break;
    case Act::Push:  // sending the plate back
      p.lean = -0.04;
      p.face.eyes = Eyes::Angry;
      p.face.mouth = Mouth::Frown;
      hands(rest0, Vec{(sh0.x + sh1.x) / 2 + 8, j.cut + 2});
      break;
    case Act::Talk:
    case Act::Talk2:
      p.face.lookX = side;
      p.headTilt = side * 0.1;
      p.face.mouth = act == Act::Talk ? Mouth::Open : Mouth::Smile;
      hands(rest0, sh1 + Vec{act == Act::Talk ? 10.0 : 18.0, 26});
      break;
    case Act::Gesture:  // arms flung wide
      hands(sh0 + Vec{-40, -8}, sh1 + Vec{40, -8});
      p.face.eyes = Eyes::Happy;
      p.face.mouth = Mouth::Grin;
      p.face.brows = 0.8;
      break;
    case Act::Weak:  // disappointed: a shrug
      hands(sh0 + Vec{-26, 14}, sh1 + Vec{26, 14});
      p.face.eyes = Eyes::Half;
      p.face.mouth = Mouth::Flat;
      p.face.brows = -0.8;
      p.headTilt = 0.12;
      break;
    case Act::Strong:  // far too strong: eyes wide, tongue out
      hands(sh0 + Vec{4, -4}, sh1 + Vec{-4, -4});
      p.face.eyes = Eyes::Wide;
      p.face.mouth = Mouth::Tongue;
      p.face.brows = 1;
      p.bob = 3;
      break;
  }
  cairo_save(cr);
  cairo_rectangle(cr, 0, 0, c.w, j.cut);
  cairo_clip(cr);
  DrawPerson(cr, j.look, p);
  if (spoon) TastingSpoon(cr, p.hands[1], 1);
  cairo_restore(cr);
}

// Each judge's cels by what they show; the figure stands with its feet
// below the cel, its cel's top at celY on screen.
struct JudgeKind {
  const char* id;
  Look (*look)();
  double height;
  Vec foot;
  double celY;
  bool facesRight;
  std::vector<Act> acts;
};

const JudgeKind kJudges[] = {
    {"IMAGE_FLAVOR_CONTEST_HAPPYLADY", Cast::HappyLady, 196, {74, 222}, 125, false,
     {Act::Idle, Act::Bite, Act::Chew, Act::Think, Act::Cheer, Act::LookAside, Act::Blink, Act::Recoil, Act::Push,
      Act::Talk, Act::Talk2}},
    {"IMAGE_FLAVOR_CONTEST_SERIOUSLADY", Cast::SeriousLady, 196, {55, 222}, 121, true,
     {Act::Idle, Act::Bite, Act::Chew, Act::Think, Act::Wonder, Act::Cheer, Act::Glasses, Act::LookAside,
      Act::Recoil, Act::Push, Act::Talk, Act::Talk2}},
    {"IMAGE_FLAVOR_CONTEST_UNCLE", Cast::Uncle, 222, {88, 262}, 112, false,
     {Act::Idle, Act::Bite, Act::Chew, Act::Think, Act::Gesture, Act::Recoil, Act::Push, Act::Weak, Act::Strong,
      Act::Talk, Act::Talk2}},
};

void PaintJudge(Cel& c) {
  for (const JudgeKind& k : kJudges) {
    if (c.decl.id != k.id) continue;
    Judge j{k.look(), k.foot, kTableBack - k.celY, k.facesRight};
    j.look.height = k.height;
    DrawJudge(c, j, k.acts[c.index]);
  }
}
PAINTER("IMAGE_FLAVOR_CONTEST_HAPPYLADY", PaintJudge);
PAINTER("IMAGE_FLAVOR_CONTEST_SERIOUSLADY", PaintJudge);
PAINTER("IMAGE_FLAVOR_CONTEST_UNCLE", PaintJudge);

// ---------------------------------------------------------------- Pemi

const Look& BigPemi() {
  static const Look look = [] {
    Look l = Cast::Pemi();
    l.height = 304;
    return l;
  }();
  return look;
}

void PaintPemiFront(Cel& c) {
  const Look& look = BigPemi();
  Pose p;
  p.view = View::Front;
  p.foot = {64, c.h - 8};
  Vec sh0 = ShoulderPoint(look, p, 0), sh1 = ShoulderPoint(look, p, 1);
  Vec head = HeadCentre(look, p);
  double hr = HeadRadius(look);
  auto hands = [&](Vec a, Vec b) {
    p.hands[0] = a;
    p.hands[1] = b;
    p.handSet[0] = p.handSet[1] = true;
  };
  switch (c.index) {
    case 1:  // idle: a blink and a sway
      p.face.eyes = Eyes::Shut;
      p.sway = 1;
      break;
    case 5:  // idle: hands behind her back, looking up
      hands(sh0 + Vec{10, 70}, sh1 + Vec{-10, 70});
      p.handBehind[0] = p.handBehind[1] = true;
      p.face.lookY = -0.8;
      p.face.lookX = 0.4;
      p.headTilt = 0.06;
      break;
    case 6:
    case 7:  // talking
      p.face.mouth = c.index == 6 ? Mouth::Open : Mouth::Smile;
      hands(sh0 + Vec{-6, 84}, sh1 + Vec{c.index == 6 ? 30.0 : 22.0, 40});
      p.face.brows = 0.4;
      break;
    case 8:  // joy: fists clenched
      hands(sh0 + Vec{6, 56}, sh1 + Vec{-6, 56});
      p.fist[0] = p.fist[1] = true;
      p.face.eyes = Eyes::Happy;
      p.face.mouth = Mouth::Grin;
      break;
    case 9:
    case 10:  // arms up, a jump on 10
      hands(sh0 + Vec{-24, -80}, sh1 + Vec{24, -80});
      p.face.eyes = Eyes::Happy;
      p.face.mouth = Mouth::Wide;
      p.bob = c.index == 10 ? 10 : 2;
      p.feet[0] = {0, c.index == 10 ? 8.0 : 0.0};
      p.feet[1] = {0, c.index == 10 ? 8.0 : 0.0};
      p.hairSwing = 0.6;
      break;
    case 11:
      hands(sh0 + Vec{-20, 20}, sh1 + Vec{20, 20});
      p.face.eyes = Eyes::Happy;
      p.face.mouth = Mouth::Grin;
      break;
    case 12:
    case 14:  // sad
      p.face.eyes = Eyes::Sad;
      p.face.mouth = Mouth::Frown;
      p.face.brows = -0.8;
      p.headTilt = 0.1;
      p.face.lookY = 0.6;
      break;
    case 13:  // dismayed, hands to her cheeks (also "surprised")
      hands(head + Vec{-hr * 0.95, hr * 0.5}, head + Vec{hr * 0.95, hr * 0.5});
      p.face.eyes = Eyes::Wide;
      p.face.mouth = Mouth::Oh;
      p.face.brows = 0.9;
      break;
    default:  // standing
      break;
  }
  DrawPerson(c.cr, look, p);
}
PAINTER("IMAGE_FLAVOR_CONTEST_PEMI", PaintPemiFront);

// From behind at the workbench (her cel stands 74 pixels right of the front
// view's, the blender and the tub before her at the bench top).
void PaintPemiBack(Cel& c) {
  const Look& look = BigPemi();
  Pose p;
  p.view = View::Back;
  p.foot = {64, c.h - 6};
  Vec sh0 = ShoulderPoint(look, p, 0), sh1 = ShoulderPoint(look, p, 1);
  const double bench = kBenchTop - 260;
  auto hands = [&](Vec a, Vec b) {
    p.hands[0] = a;
    p.hands[1] = b;
    p.handSet[0] = p.handSet[1] = true;
  };
  switch (c.index) {
    case 1:  // scooping and stirring
      hands(Vec{sh0.x + 2, bench - 10}, Vec{sh1.x + 14, bench - 4});
      p.lean = 0.04;
      break;
    case 2:  // pouring, reaching up
      hands(Vec{sh0.x - 8, bench - 30}, sh1 + Vec{22, -60});
      break;
    case 3:  // winding up to throw
      hands(Vec{sh0.x + 4, bench - 20}, sh1 + Vec{30, -40});
      p.lean = -0.08;
      p.sway = 4;
      break;
    case 4:  // the throw over the table
      hands(Vec{sh0.x - 4, bench - 10}, sh1 + Vec{-10, -90});
      p.lean = 0.08;
      p.sway = -3;
      p.hairSwing = -0.6;
      break;
    default:
      hands(Vec{sh0.x + 6, bench}, Vec{sh1.x - 6, bench});
      break;
  }
  // Hands at the bench are in front of her, out of sight.
  for (int a = 0; a < 2; ++a) p.handBehind[a] = p.hands[a].y > sh0.y;
  DrawPerson(c.cr, look, p);
}
PAINTER("IMAGE_FLAVOR_CONTEST_PEMI_BACK", PaintPemiBack);

}  // namespace

}  // namespace Plix::DataBuild
