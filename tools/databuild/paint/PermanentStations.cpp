// The shop furniture of the Permanent group: the curved counter with its
// belt, the holder machine, the freezer lids, the ice-cream machines, the
// workbenches, tables, chairs, benches and sunshades, the stands the monkey
// serves from, the trash station, the customers' thought clouds and the
// puffs they come and go in. Pieces that the game lays side by side are
// drawn from one shared geometry in screen pixels, so that they join.

#include <algorithm>
#include <cmath>

#include "tools/databuild/Figure.h"
#include "tools/databuild/Food.h"
#include "tools/databuild/Painters.h"

namespace Plix::DataBuild {

namespace {

const Rgb kWoodTop = Hex(0xe8b47a);
const Rgb kWoodEdge = Hex(0xb57840);
const Rgb kBamboo = Hex(0xd8c068);
const Rgb kBambooDark = Hex(0x9a8030);
const Rgb kTrim = Hex(0xff7eb3);

// ---------------------------------------------------------------- counter

// The belt's top line (where items stand) as the conveyor lays it.
double BeltY(double x) {
  static const double pts[][2] = {{41, 458}, {76, 447}, {116, 436}, {154, 427}, {198, 418}, {244, 411},
                                  {292, 407}, {352, 404}, {417, 403}, {457, 405}, {466, 407}};
  const int n = sizeof(pts) / sizeof(pts[0]);
  if (x <= pts[0][0]) return pts[0][1] + (x - pts[0][0]) * (pts[1][1] - pts[0][1]) / (pts[1][0] - pts[0][0]);
  for (int i = 1; i < n; ++i)
    if (x <= pts[i][0]) {
      double t = (x - pts[i - 1][0]) / (pts[i][0] - pts[i - 1][0]);
      return pts[i - 1][1] + t * (pts[i][1] - pts[i - 1][1]);
    }
  return pts[n - 1][1] + (x - pts[n - 1][0]) * 0.25;
}

// The counter's outline in screen pixels: back edge of the top, front edge
// of the top, and the bottom of the front face.
double CounterBack(double x) { return x < 500 ? BeltY(x) - 24 : 396 + (x - 546) * 0.12; }
double CounterFront(double x) { return x < 500 ? BeltY(x) + 9 : 436 + (x - 546) * 0.05; }
double CounterBottom(double x) { return 499 + 0.00006 * (x - 420) * (x - 420); }

void CounterPath(cairo_t* cr, double x0, double x1, double (*top)(double), double (*bottom)(double)) {
  cairo_new_path(cr);
  cairo_move_to(cr, x0, top(x0));
  for (double x = x0; x <= x1; x += 4) cairo_line_to(cr, x, top(x));
  cairo_line_to(cr, x1, top(x1));
  cairo_line_to(cr, x1, bottom(x1));
  for (double x = x1; x >= x0; x -= 4) cairo_line_to(cr, x, bottom(x));
  cairo_line_to(cr, x0, bottom(x0));
  cairo_close_path(cr);
}

// Paints the counter between screen x0 and x1 into a cel whose top-left
// is at screen (ox, oy).
void PaintCounter(cairo_t* cr, double ox, double oy, double x0, double x1, bool belt) {
  cairo_save(cr);
  cairo_translate(cr, -ox, -oy);
  // Front face: bamboo poles under a pink trim.
  CounterPath(cr, x0, x1, CounterFront, CounterBottom);
  FillVertical(cr, 390, 520, Hex(0xe4cc78), Hex(0xb89848));
  cairo_save(cr);
  CounterPath(cr, x0, x1, CounterFront, CounterBottom);
  cairo_clip(cr);
  for (double x = std::floor(x0 / 15) * 15; x < x1 + 15; x += 15) {
    cairo_rectangle(cr, x + 1, 380, 12, 150);
    FillVertical(cr, 380, 530, Lighter(kBamboo, 0.2), kBamboo);
    cairo_rectangle(cr, x + 3, 380, 3, 150);
    Fill(cr, {1, 1, 1, 0.3});
    cairo_move_to(cr, x + 1, 380);
    cairo_line_to(cr, x + 1, 530);
    cairo_set_line_width(cr, 1.2);
    SetColor(cr, kBambooDark);
    cairo_stroke(cr);
    for (double y = 420 + std::fmod(x * 7, 23); y < 520; y += 34) {
      cairo_move_to(cr, x + 1, y);
      cairo_line_to(cr, x + 13, y + 1);
      cairo_set_line_width(cr, 1.6);
      SetColor(cr, kBambooDark);
      cairo_stroke(cr);
    }
  }
  // Shade under the top and a scalloped pink trim.
  cairo_new_path(cr);
  cairo_move_to(cr, x0, CounterFront(x0));
  for (double x = x0; x <= x1; x += 4) cairo_line_to(cr, x, CounterFront(x));
  for (double x = x1; x >= x0; x -= 4) cairo_line_to(cr, x, CounterFront(x) + 12);
  cairo_close_path(cr);
  Fill(cr, {0, 0, 0, 0.18});
  for (double x = std::floor(x0 / 18) * 18; x < x1 + 18; x += 18) {
    double y = CounterFront(x + 9);
    cairo_new_path(cr);
    cairo_move_to(cr, x, y - 1);
    cairo_line_to(cr, x + 18, y - 1);
    cairo_line_to(cr, x + 18, y + 4);
    cairo_curve_to(cr, x + 18, y + 12, x, y + 12, x, y + 4);
    cairo_close_path(cr);
    FillStroke(cr, (int(x / 18) % 2) ? kTrim : Hex(0xffffff), Darker(kTrim, 0.45), 1);
  }
  cairo_restore(cr);
  CounterPath(cr, x0, x1, CounterFront, CounterBottom);
  cairo_set_line_width(cr, 2);
  SetColor(cr, Palette::kInk);
  cairo_stroke(cr);
  // The top.
  CounterPath(cr, x0, x1, CounterBack, CounterFront);
  FillVertical(cr, 380, 470, Lighter(kWoodTop, 0.15), kWoodTop);
  cairo_save(cr);
  CounterPath(cr, x0, x1, CounterBack, CounterFront);
  cairo_clip(cr);
  cairo_set_line_width(cr, 1);
  SetColor(cr, WithAlpha(kWoodEdge, 0.5));
  for (double x = std::floor(x0 / 60) * 60; x < x1; x += 60) {
    cairo_move_to(cr, x + 20, 370);
    cairo_line_to(cr, x + 20, 480);
  }
  cairo_stroke(cr);
  cairo_restore(cr);
  CounterPath(cr, x0, x1, CounterBack, CounterFront);
  cairo_set_line_width(cr, 2);
  SetColor(cr, Palette::kInk);
  cairo_stroke(cr);
  if (belt) {
    // The belt runs along the front of the top; items stand on its line.
    double b0 = std::max(x0, 30.0), b1 = std::min(x1, 476.0);
    auto beltTop = [](double x) { return BeltY(x) - 12; };
    auto beltBottom = [](double x) { return BeltY(x) + 5; };
    cairo_new_path(cr);
    cairo_move_to(cr, b0, beltTop(b0));
    for (double x = b0; x <= b1; x += 3) cairo_line_to(cr, x, beltTop(x));
    cairo_line_to(cr, b1, beltBottom(b1));
    for (double x = b1; x >= b0; x -= 3) cairo_line_to(cr, x, beltBottom(x));
    cairo_close_path(cr);
    cairo_path_t* path = cairo_copy_path(cr);
    Fill(cr, Hex(0x4a4a58));
    cairo_save(cr);
    cairo_append_path(cr, path);
    cairo_clip(cr);
    // Ribs across the belt.
    for (double x = b0 - 10; x < b1 + 10; x += 9) {
      cairo_move_to(cr, x, beltTop(x) - 2);
      cairo_line_to(cr, x + 3, beltBottom(x) + 2);
    }
    cairo_set_line_width(cr, 2.2);
    SetColor(cr, Hex(0x5e5e70));
    cairo_stroke(cr);
    cairo_new_path(cr);
    cairo_move_to(cr, b0, beltTop(b0) + 2);
    for (double x = b0; x <= b1; x += 3) cairo_line_to(cr, x, beltTop(x) + 2);
    cairo_set_line_width(cr, 2);
    SetColor(cr, {1, 1, 1, 0.18});
    cairo_stroke(cr);
    cairo_restore(cr);
    cairo_append_path(cr, path);
    cairo_set_line_width(cr, 1.6);
    SetColor(cr, Palette::kInk);
    cairo_stroke(cr);
    cairo_path_destroy(path);
    // Chrome rail along the front.
    cairo_new_path(cr);
    cairo_move_to(cr, b0, beltBottom(b0) + 1.5);
    for (double x = b0; x <= b1; x += 3) cairo_line_to(cr, x, beltBottom(x) + 1.5);
    cairo_set_line_width(cr, 4);
    SetColor(cr, Palette::kInk);
    cairo_stroke_preserve(cr);
    cairo_set_line_width(cr, 2.2);
    SetColor(cr, Hex(0xd8e4f0));
    cairo_stroke(cr);
    if (x1 >= 466) {
      // The end roller.
      double y = BeltY(470);
      RoundRect(cr, 466, y - 13, 10, 19, 4);
      FillStroke(cr, Hex(0xb8c4d0), Palette::kInk, 1.6);
    }
  }
  cairo_restore(cr);
}

void PaintCounterLeft1(Cel& c) {
  PaintCounter(c.cr, 0, 400, 0, 192, true);
  // The freezer chest set into the counter's front under the lids.
  cairo_t* cr = c.cr;
  RoundRect(cr, 100, 44, 90, 70, 8);
  FillStroke(cr, Hex(0xdff2ff), Palette::kInk, 2);
  RoundRect(cr, 104, 48, 82, 62, 6);
  FillVertical(cr, 48, 110, Hex(0x9ccbea), Hex(0x6a9cc8));
  for (int i = 0; i < 4; ++i) {
    Ellipse(cr, 112 + i * 20, 104, 4, 2);
    Fill(cr, {1, 1, 1, 0.6});
  }
}
PAINTER("IMAGE_COUNTER_LEFT_1", PaintCounterLeft1);

void PaintCounterLeft2(Cel& c) {
  PaintCounter(c.cr, 190, 384, 188, 483, true);
  // The display plaque for the reputation stars and golden ice creams.
  cairo_t* cr = c.cr;
  RoundRect(cr, 172, 44, 112, 52, 10);
  FillStroke(cr, Hex(0x7a4a22), Palette::kInk, 2);
  RoundRect(cr, 176, 48, 104, 44, 8);
  FillVertical(cr, 48, 92, Hex(0x5a3418), Hex(0x3a200c));
  for (int i = 0; i < 5; ++i) {
    Ellipse(cr, 186 + i * 21.5, 59, 6, 8);
    Fill(cr, {1, 1, 1, 0.1});
    StarPath(cr, 186 + i * 21.5, 85, 7, 3.2, 5);
    Fill(cr, {1, 1, 1, 0.12});
  }
  for (double x : {174.0, 282.0}) {
    Ellipse(cr, x, 70, 2, 2);
    Fill(cr, Palette::kGold);
  }
}
PAINTER("IMAGE_COUNTER_LEFT_2", PaintCounterLeft2);

void PaintCounterRight1(Cel& c) { PaintCounter(c.cr, 546, 396, 544, 687, false); }
PAINTER("IMAGE_COUNTER_RIGHT_1", PaintCounterRight1);

void PaintCounterRight2(Cel& c) { PaintCounter(c.cr, 685, 419, 683, 802, false); }
PAINTER("IMAGE_COUNTER_RIGHT_2", PaintCounterRight2);

// ---------------------------------------------------------------- holders

// The dispenser cabinet at the belt's start: it covers the belt's left end
// and carries the three dispensers on its top; the freezer to its right
// stays uncovered.
void PaintHolderMachine(Cel& c) {
  cairo_t* cr = c.cr;
  // Local pixels: the cel's top-left is at screen (6, 334). A candy-striped
  // cabinet under the dispensers that swallows the belt's start; its lower
  // right stays open for the freezer lids.
  cairo_new_path(cr);
  cairo_move_to(cr, 4, 70);
  cairo_line_to(cr, 170, 70);
  cairo_line_to(cr, 170, 84);
  cairo_line_to(cr, 98, 86);
  cairo_line_to(cr, 96, 143);
  cairo_line_to(cr, 4, 143);
  cairo_close_path(cr);
  cairo_path_t* body = cairo_copy_path(cr);
  FillVertical(cr, 70, 143, Hex(0xfff4f8), Hex(0xf0d0e0));
  cairo_save(cr);
  cairo_append_path(cr, body);
  cairo_clip(cr);
  for (int i = 0; i < 8; ++i) {
    cairo_rectangle(cr, 4 + i * 24, 70, 12, 80);
    Fill(cr, WithAlpha(Hex(0xff7eb3), 0.55));
  }
  cairo_rectangle(cr, 0, 70, 180, 6);
  Fill(cr, {1, 1, 1, 0.5});
  cairo_restore(cr);
  cairo_append_path(cr, body);
  cairo_set_line_width(cr, 2);
  SetColor(cr, Palette::kInk);
  cairo_stroke(cr);
  cairo_path_destroy(body);
  // The rim the dispensers stand on.
  RoundRect(cr, 0, 64, 174, 10, 5);
  FillStroke(cr, Hex(0xff9ec4), Palette::kInk, 2);
  // Where the belt comes out, and a round badge with a cone on it.
  RoundRect(cr, 82, 106, 16, 22, 4);
  FillStroke(cr, Hex(0x2a2a38), Palette::kInk, 1.6);
  Ellipse(cr, 44, 106, 22, 22);
  FillStroke(cr, Palette::kCream, Palette::kInk, 2);
  WaffleCone(cr, 44, 104, 14, 18);
  IceScoop(cr, 44, 106, 18, 14, 1);
}
PAINTER("IMAGE_HOLDER_MACHINE", PaintHolderMachine);

void PaintHolderButtons(Cel& c) {
  cairo_t* cr = c.cr;
  // The back panel behind the three dispensers.
  RoundRect(cr, 2, 6, c.w - 4, c.h - 8, 12);
  FillStroke(cr, Hex(0xffe6b0), Palette::kInk, 2);
  RoundRect(cr, 8, 12, c.w - 16, 14, 6);
  Fill(cr, Hex(0xff9ec4));
  for (int i = 0; i < 6; ++i) {
    Ellipse(cr, 16 + i * 19, 19, 3, 3);
    Fill(cr, Palette::kWhite);
  }
}
PAINTER("IMAGE_HOLDER_MACHINE_BUTTONS", PaintHolderButtons);

// A dispenser tube with a stack of cones, cups or plates.
void PaintHolder(Cel& c) {
  const std::string& id = c.decl.id;
  int kind = id == "IMAGE_HOLDER_MACHINE_CONE" ? 0 : id == "IMAGE_HOLDER_MACHINE_CUP" ? 1 : 2;
  Look3 state = c.index == 1 ? Look3::Over : c.index == 2 ? Look3::Disabled : Look3::Normal;
  DrawState(c.cr, state, [&](cairo_t* cr) {
    double w = c.w, h = c.h;
    // Glass tube.
    RoundRect(cr, 8, 4, w - 16, h - 16, 8);
    FillStroke(cr, {0.85, 0.95, 1, 0.55}, Palette::kInk, 1.8);
    cairo_save(cr);
    RoundRect(cr, 8, 4, w - 16, h - 16, 8);
    cairo_clip(cr);
    for (int i = 0; i < 4; ++i) {
      double y = 10 + i * 9;
      if (kind == 0) WaffleCone(cr, w / 2, y, 18, 22);
      else if (kind == 1) PaperCup(cr, w / 2, y + 14, 20, 14, Hex(0xff7eb3));
      else DessertPlate(cr, w / 2, y + 6, 24, 7, Hex(0x56b8e8));
    }
    cairo_rectangle(cr, 11, 4, 5, h);
    Fill(cr, {1, 1, 1, 0.5});
    cairo_restore(cr);
    // Base with a push button.
    RoundRect(cr, 4, h - 16, w - 8, 14, 5);
    FillStroke(cr, Hex(0xff9ec4), Palette::kInk, 1.8);
    Ellipse(cr, w / 2, h - 9, 5, 3.5);
    FillStroke(cr, Palette::kGold, Palette::kInk, 1.2);
    RoundRect(cr, 6, 2, w - 12, 6, 3);
    FillStroke(cr, Hex(0xff9ec4), Palette::kInk, 1.6);
  });
}
PAINTER("IMAGE_HOLDER_MACHINE_CONE", PaintHolder);
PAINTER("IMAGE_HOLDER_MACHINE_CUP", PaintHolder);
PAINTER("IMAGE_HOLDER_MACHINE_PLATE", PaintHolder);

// ---------------------------------------------------------------- freezer

// Lids 1..4 hold the sundae glass, the banana split, the special plate and
// the cake; in the grid, lids 1 and 2 are rows 0 and 1 of columns 0, 1, 4,
// lids 3 and 4 the same rows of columns 2, 3, 5.
void FreezerDish(cairo_t* cr, int lid, double cx, double bottom, double w, double h) {
  switch (lid) {
    case 0: SundaeGlass(cr, cx, bottom, w * 0.42, h, true); break;
    case 1: BananaSplitDish(cr, cx, bottom, w, h * 0.7, true); break;
    case 2: SpecialPlateDish(cr, cx, bottom, w, h * 0.8, true); break;
    default: CakeDish(cr, cx, bottom, w * 0.9, h, true); break;
  }
}

void PaintFreezer(Cel& c) {
  bool open = c.decl.id == "IMAGE_FREEZER_OPEN";
  int lid = c.row + ((c.col == 2 || c.col == 3 || c.col == 5) ? 2 : 0);
  Look3 state = (c.col == 1 || c.col == 3) ? Look3::Over : (c.col >= 4) ? Look3::Disabled : Look3::Normal;
  DrawState(c.cr, state, [&](cairo_t* cr) {
    double w = c.w, h = c.h;
    if (open) {
      // The lid swung up, the dish on the frost inside.
      RoundRect(cr, 3, 10, w - 6, h - 12, 5);
      FillStroke(cr, Hex(0x5a8ab8), Palette::kInk, 1.6);
      RoundRect(cr, 6, 14, w - 12, h - 18, 4);
      FillVertical(cr, 14, h - 4, Hex(0xdff4ff), Hex(0xa8d4f0));
      FreezerDish(cr, lid, w / 2, h - 6, w * 0.62, h * 0.5);
      RoundRect(cr, 2, 1, w - 4, 9, 3);
      FillStroke(cr, Hex(0xf0fbff), Palette::kInk, 1.4);
    } else {
      GradientBox(cr, 2, 4, w - 4, h - 6, 6, Hex(0xffffff), Hex(0xbfe2f8), Palette::kInk, 1.6);
      // The dish inside, shown on a round badge.
      Ellipse(cr, w / 2, h / 2 + 1, 10, 9);
      FillStroke(cr, Hex(0xfff6e0), Hex(0x6a98bc), 1.2);
      cairo_save(cr);
      cairo_translate(cr, w / 2, h / 2 + 1);
      cairo_scale(cr, 0.5, 0.5);
      FreezerDish(cr, lid, 0, 14, 30, 24);
      cairo_restore(cr);
      RoundRect(cr, w / 2 - 8, h - 7, 16, 4, 2);
      FillStroke(cr, Hex(0x8ab0d0), Palette::kInk, 1);
      for (double x : {6.0, w - 6.0}) {
        Ellipse(cr, x, 8, 1.5, 1.5);
        Fill(cr, {1, 1, 1, 0.9});
      }
    }
  }, 3);
}
PAINTER("IMAGE_FREEZER_CLOSED", PaintFreezer);
PAINTER("IMAGE_FREEZER_OPEN", PaintFreezer);

// ---------------------------------------------------------------- machine

struct MachineLayout {
  double boxX, boxY;      // where the box strip is drawn, local
  double nozzleX, nozzleY;
  double lampX, lampY;    // lamp centre, local
  Rgb body, trim;
  int level;
};

MachineLayout Layout(int level) {
  switch (level) {
    case 1: return {26, 56, 54, 54, 102, 3, Hex(0xffc0d8), Hex(0xff7eb3), 1};
    case 2: return {23, 57, 49, 53, 88, 6, Hex(0xa8e8ff), Hex(0x3aa8e0), 2};
    default: return {30, 86, 53, 84, 29, 28, Hex(0xfff0a0), Hex(0xf0a020), 3};
  }
}

void PaintMachine(Cel& c) {
  int level = c.decl.id[23] - '0';  // IMAGE_ICECREAM_MACHINE_n
  MachineLayout m = Layout(level);
  DrawState(c.cr, c.col == 1 ? Look3::Over : Look3::Normal, [&](cairo_t* cr) {
    double w = c.w, h = c.h;
    double top = level == 3 ? 8 : 10;
    // Hopper dome.
    double domeY = top + (level == 3 ? 30 : 18);
    if (level == 3) {
      for (double dx : {-26.0, 26.0}) {
        Ellipse(cr, w / 2 + 8 + dx, domeY, 26, 24);
        FillStroke(cr, Hex(0xe8f6ff), Palette::kInk, 2);
        Ellipse(cr, w / 2 + 2 + dx, domeY - 8, 8, 6);
        Fill(cr, {1, 1, 1, 0.8});
      }
    } else {
      Ellipse(cr, w / 2 + 10, domeY, 34, 20);
      FillStroke(cr, Hex(0xe8f6ff), Palette::kInk, 2);
      Ellipse(cr, w / 2, domeY - 7, 10, 6);
      Fill(cr, {1, 1, 1, 0.8});
    }
    // Body: a rounded cabinet with the box compartment cut in front.
    double bodyTop = domeY + 6, bodyBottom = h - 4;
    GradientBox(cr, 14, bodyTop, w - 20, bodyBottom - bodyTop, 16, Lighter(m.body, 0.3), m.body, Palette::kInk, 2);
    Gloss(cr, 14, bodyTop, w - 20, bodyBottom - bodyTop, 16, 0.3);
    // Stripes of the trim colour.
    cairo_save(cr);
    RoundRect(cr, 14, bodyTop, w - 20, bodyBottom - bodyTop, 16);
    cairo_clip(cr);
    for (int i = 0; i < 3; ++i) {
      cairo_rectangle(cr, 0, bodyBottom - 12 - i * 9, w, 4);
      Fill(cr, WithAlpha(m.trim, 0.6));
    }
    cairo_restore(cr);
    // The compartment where the box stands.
    GradientBox(cr, m.boxX - 4, m.boxY - 6, 58, 50, 8, Hex(0x4a3a5a), Hex(0x6a5a7a), Palette::kInk, 2);
    // Nozzle.
    cairo_move_to(cr, m.nozzleX - 8, m.boxY - 8);
    cairo_line_to(cr, m.nozzleX + 8, m.boxY - 8);
    cairo_line_to(cr, m.nozzleX + 4, m.boxY + 2);
    cairo_line_to(cr, m.nozzleX - 4, m.boxY + 2);
    cairo_close_path(cr);
    FillStroke(cr, Hex(0xd8e0e8), Palette::kInk, 1.6);
    // Name plate and a star.
    double py = bodyTop + 8;
    RoundRect(cr, w - 52, py, 40, 16, 6);
    FillStroke(cr, Palette::kCream, Palette::kInk, 1.4);
    GoldStar(cr, w - 32, py + 8, 6);
    if (level >= 2) {
      for (int i = 0; i < level; ++i) GoldStar(cr, w - 44 + i * 12, bodyBottom - 10, 4.5);
    }
    // The lamp housing (its glow is a separate picture).
    Ellipse(cr, m.lampX, m.lampY + 2, 7, 6);
    FillStroke(cr, Hex(0x8a8a98), Palette::kInk, 1.4);
    Ellipse(cr, m.lampX, m.lampY, 5, 5);
    FillStroke(cr, Hex(0xffe0e0), Palette::kInk, 1.2);
  }, 4);
}
PAINTER("IMAGE_ICECREAM_MACHINE_1", PaintMachine);
PAINTER("IMAGE_ICECREAM_MACHINE_2", PaintMachine);
PAINTER("IMAGE_ICECREAM_MACHINE_3", PaintMachine);

// The box under the nozzle: cel 0 the empty box, cels 1-6 its contents
// alone (vanilla, strawberry, chocolate, pear, blueberry, pineapple).
void PaintMachineBox(Cel& c) {
  if (c.index == 0) {
    CarriedTub(c.cr, c.w / 2, c.h - 2, c.w - 6, c.h - 8, false);
  } else {
    CarriedTubContents(c.cr, c.w / 2, c.h - 2, c.w - 6, c.h - 8, false, c.index - 1);
  }
}
PAINTER("IMAGE_ICECREAM_MACHINE_1_BOX", PaintMachineBox);
PAINTER("IMAGE_ICECREAM_MACHINE_2_BOX", PaintMachineBox);
PAINTER("IMAGE_ICECREAM_MACHINE_3_BOX", PaintMachineBox);

void PaintMachineHandle(Cel& c) {
  cairo_t* cr = c.cr;
  RoundRect(cr, c.w / 2 - 3, 10, 6, c.h - 12, 3);
  FillStroke(cr, Hex(0xc8d4e0), Palette::kInk, 1.6);
  Ellipse(cr, c.w / 2, 9, 8, 8);
  FillRadial(cr, c.w / 2 - 3, 6, 10, Hex(0xff8a8a), Hex(0xd81830));
  Ellipse(cr, c.w / 2, 9, 8, 8);
  cairo_set_line_width(cr, 1.6);
  SetColor(cr, Palette::kInk);
  cairo_stroke(cr);
  Ellipse(cr, c.w / 2 - 3, 6, 2.5, 2);
  Fill(cr, {1, 1, 1, 0.8});
}
PAINTER("IMAGE_ICECREAM_MACHINE_1_HANDLE", PaintMachineHandle);
PAINTER("IMAGE_ICECREAM_MACHINE_2_HANDLE", PaintMachineHandle);
PAINTER("IMAGE_ICECREAM_MACHINE_3_HANDLE", PaintMachineHandle);

// Drawn additively: a bright glow on transparent.
void PaintMachineLamp(Cel& c) {
  SoftOval(c.cr, c.w / 2, c.h / 2, c.w / 2, c.h / 2, {1, 0.35, 0.3, 0.8});
  SoftOval(c.cr, c.w / 2, c.h / 2, c.w / 4, c.h / 4, {1, 0.9, 0.8, 1});
}
PAINTER("IMAGE_ICECREAM_MACHINE_1_LAMP", PaintMachineLamp);
PAINTER("IMAGE_ICECREAM_MACHINE_2_LAMP", PaintMachineLamp);
PAINTER("IMAGE_ICECREAM_MACHINE_3_LAMP", PaintMachineLamp);

// A stream of soft ice cream in light grey, tinted by the game.
void PaintFilling(Cel& c) {
  cairo_t* cr = c.cr;
  double wob = (c.index - 1) * 1.5;
  cairo_new_path(cr);
  cairo_move_to(cr, c.w / 2 - 4, 0);
  cairo_curve_to(cr, c.w / 2 - 4 + wob, c.h * 0.4, c.w / 2 - 3 - wob, c.h * 0.7, c.w / 2 - 6, c.h - 4);
  cairo_curve_to(cr, c.w / 2 - 3, c.h, c.w / 2 + 3, c.h, c.w / 2 + 6, c.h - 4);
  cairo_curve_to(cr, c.w / 2 + 3 - wob, c.h * 0.7, c.w / 2 + 4 + wob, c.h * 0.4, c.w / 2 + 4, 0);
  cairo_close_path(cr);
  FillStroke(cr, Hex(0xf4f4f4), Hex(0xa0a0a0), 1.2);
  cairo_move_to(cr, c.w / 2 - 1, 2);
  cairo_line_to(cr, c.w / 2 - 1 + wob * 0.5, c.h - 6);
  cairo_set_line_width(cr, 1.5);
  SetColor(cr, Palette::kWhite);
  cairo_stroke(cr);
}
PAINTER("IMAGE_ICECREAM_MACHINE_FILLING", PaintFilling);

// ---------------------------------------------------------------- benches

void BenchTop(cairo_t* cr, double x, double y, double w, double h) {
  RoundRect(cr, x, y, w, h, 8);
  FillVertical(cr, y, y + h, Lighter(kWoodTop, 0.1), Darker(kWoodTop, 0.05));
  cairo_save(cr);
  RoundRect(cr, x, y, w, h, 8);
  cairo_clip(cr);
  cairo_set_line_width(cr, 1);
  SetColor(cr, WithAlpha(kWoodEdge, 0.45));
  for (double yy = y + 14; yy < y + h; yy += 14) {
    cairo_move_to(cr, x, yy);
    cairo_line_to(cr, x + w, yy);
  }
  cairo_stroke(cr);
  Rand rnd(HashId("bench") + uint32_t(x));
  for (int i = 0; i < int(w / 30); ++i) {
    double gx = x + rnd.Uniform(0, w), gy = y + rnd.Uniform(4, h - 4);
    cairo_move_to(cr, gx, gy);
    cairo_curve_to(cr, gx + 6, gy - 2, gx + 12, gy + 2, gx + 18, gy);
  }
  cairo_set_line_width(cr, 0.8);
  SetColor(cr, WithAlpha(kWoodEdge, 0.35));
  cairo_stroke(cr);
  cairo_rectangle(cr, x, y, w, 6);
  Fill(cr, {1, 1, 1, 0.2});
  cairo_restore(cr);
  RoundRect(cr, x, y, w, h, 8);
  cairo_set_line_width(cr, 2);
  SetColor(cr, Palette::kInk);
  cairo_stroke(cr);
}

void PaintWorkbench(Cel& c) {
  cairo_t* cr = c.cr;
  int n = c.decl.id.back() - '0';
  if (n == 4) {
    // The back board behind the tubs: a raised rail with a pink trim.
    RoundRect(c.cr, 1, 6, c.w - 2, c.h - 7, 6);
    FillVertical(cr, 6, c.h, Hex(0xc98a4b), Hex(0x8a5a2a));
    RoundRect(c.cr, 1, 6, c.w - 2, c.h - 7, 6);
    cairo_set_line_width(cr, 2);
    SetColor(cr, Palette::kInk);
    cairo_stroke(cr);
    RoundRect(cr, 4, 2, c.w - 8, 10, 5);
    FillStroke(cr, kTrim, Palette::kInk, 1.6);
    for (double x = 14; x < c.w - 8; x += 24) {
      Ellipse(cr, x, 7, 2.5, 2.5);
      Fill(cr, Palette::kWhite);
    }
    return;
  }
  // A bench top seen from above, reaching down past the screen's edge.
  BenchTop(cr, 1, 2, c.w - 2, c.h + 10);
  if (n == 1) {
    // A mat for the treat baskets.
    RoundRect(cr, 10, 12, c.w - 20, c.h - 10, 8);
    Fill(cr, WithAlpha(Hex(0x6ac060), 0.35));
  } else if (n == 3) {
    // Wells for the six tubs and a mat for the toppings.
    for (int r = 0; r < 2; ++r)
      for (int k = 0; k < 3; ++k) {
        RoundRect(cr, 21 + k * 59.5, -2 + r * 37, 60, 38, 9);
        Fill(cr, {0.25, 0.12, 0.05, 0.3});
      }
    RoundRect(cr, 270, 10, 160, c.h, 10);
    Fill(cr, WithAlpha(Hex(0x7fd3f7), 0.3));
  } else {
    RoundRect(cr, 8, 10, c.w - 16, c.h, 10);
    Fill(cr, WithAlpha(Hex(0xffd84a), 0.3));
  }
}
PAINTER("IMAGE_WORKBENCH_*", PaintWorkbench);

// ---------------------------------------------------------------- tables

const Rgb kTableWood = Hex(0xf2d3a0);

// A round table top (3/4 view) with its pedestal, and the cloth levels.
void RoundTable(cairo_t* cr, double cx, double topY, double rx, double ry, double footY, int cloth) {
  // Pedestal and foot.
  Ellipse(cr, cx, footY - 3, rx * 0.42, 5);
  FillStroke(cr, Hex(0xb07840), Palette::kInk, 1.6);
  cairo_rectangle(cr, cx - 5, topY, 10, footY - topY - 3);
  FillStroke(cr, Hex(0xc08850), Palette::kInk, 1.6);
  if (cloth == 0) {
    Ellipse(cr, cx, topY + 5, rx, ry);
    FillStroke(cr, Darker(kTableWood, 0.25), Palette::kInk, 2);
    Ellipse(cr, cx, topY, rx, ry);
    FillRadial(cr, cx - rx * 0.3, topY - ry * 0.4, rx * 1.2, Lighter(kTableWood, 0.35), kTableWood);
    Ellipse(cr, cx, topY, rx, ry);
    cairo_set_line_width(cr, 2);
    SetColor(cr, Palette::kInk);
    cairo_stroke(cr);
    Ellipse(cr, cx, topY, rx * 0.7, ry * 0.62);
    cairo_set_line_width(cr, 1);
    SetColor(cr, WithAlpha(kWoodEdge, 0.4));
    cairo_stroke(cr);
    return;
  }
  // A cloth hanging down in folds with a scalloped hem.
  Rgb cl = cloth == 1 ? Hex(0xffffff) : Hex(0xe83a5a);
  Rgb edge = cloth == 1 ? Hex(0xff8fb1) : Hex(0xffd23a);
  double drop = cloth == 1 ? ry * 0.9 : ry * 1.3;
  cairo_new_path(cr);
  cairo_move_to(cr, cx - rx - 2, topY);
  cairo_line_to(cr, cx - rx - 4, topY + drop);
  int n = 7;
  for (int i = 0; i < n; ++i) {
    double x0 = cx - rx - 4 + (2 * rx + 8) * i / n, x1 = cx - rx - 4 + (2 * rx + 8) * (i + 1) / n;
    double sag = std::sin((i + 0.5) / n * M_PI) * ry * 0.35;
    cairo_curve_to(cr, x0, topY + drop + sag + 5, x1, topY + drop + sag + 5, x1, topY + drop + sag * 0.8);
  }
  cairo_line_to(cr, cx + rx + 2, topY);
  cairo_close_path(cr);
  FillStroke(cr, Darker(cl, 0.08), Palette::kInk, 2);
  for (int i = 1; i < n; ++i) {
    double x = cx - rx - 4 + (2 * rx + 8) * i / n;
    cairo_move_to(cr, x, topY + ry * 0.6);
    cairo_line_to(cr, x, topY + drop + std::sin(double(i) / n * M_PI) * ry * 0.3);
  }
  cairo_set_line_width(cr, 1);
  SetColor(cr, Darker(cl, 0.25));
  cairo_stroke(cr);
  Ellipse(cr, cx, topY, rx + 2, ry + 1);
  FillRadial(cr, cx - rx * 0.3, topY - ry * 0.4, rx * 1.2, Lighter(cl, 0.3), cl);
  Ellipse(cr, cx, topY, rx + 2, ry + 1);
  cairo_set_line_width(cr, 2);
  SetColor(cr, Palette::kInk);
  cairo_stroke(cr);
  Ellipse(cr, cx, topY, rx * 0.82, ry * 0.78);
  cairo_set_line_width(cr, 2);
  SetColor(cr, WithAlpha(edge, 0.8));
  cairo_stroke(cr);
  if (cloth == 2) {
    for (int i = 0; i < 8; ++i) {
      double a = i * M_PI / 4;
      Ellipse(cr, cx + std::cos(a) * rx * 0.82, topY + std::sin(a) * ry * 0.78, 2, 1.6);
      Fill(cr, edge);
    }
  }
}

void LongTable(cairo_t* cr, double x, double y, double w, double h, double footY, int cloth) {
  // Two legs.
  for (double lx : {x + 14, x + w - 20}) {
    cairo_rectangle(cr, lx, y + h - 10, 7, footY - (y + h - 10));
    FillStroke(cr, Hex(0xc08850), Palette::kInk, 1.6);
  }
  if (cloth == 0) {
    RoundRect(cr, x, y + 6, w, h, 12);
    FillStroke(cr, Darker(kTableWood, 0.25), Palette::kInk, 2);
    RoundRect(cr, x, y, w, h, 12);
    FillRadial(cr, x + w * 0.35, y + h * 0.3, h * 0.9, Lighter(kTableWood, 0.35), kTableWood);
    RoundRect(cr, x, y, w, h, 12);
    cairo_set_line_width(cr, 2);
    SetColor(cr, Palette::kInk);
    cairo_stroke(cr);
    cairo_set_line_width(cr, 1);
    SetColor(cr, WithAlpha(kWoodEdge, 0.4));
    for (double xx = x + w / 3; xx < x + w - 4; xx += w / 3) {
      cairo_move_to(cr, xx, y + 3);
      cairo_line_to(cr, xx, y + h - 3);
    }
    cairo_stroke(cr);
    return;
  }
  Rgb cl = cloth == 1 ? Hex(0xffffff) : Hex(0xe83a5a);
  Rgb edge = cloth == 1 ? Hex(0xff8fb1) : Hex(0xffd23a);
  double drop = cloth == 1 ? 10 : 16;
  cairo_new_path(cr);
  cairo_move_to(cr, x - 2, y + h * 0.5);
  cairo_line_to(cr, x - 3, y + h + drop);
  for (int i = 0; i < 5; ++i) {
    double x0 = x - 3 + (w + 6) * i / 5, x1 = x - 3 + (w + 6) * (i + 1) / 5;
    cairo_curve_to(cr, x0, y + h + drop + 5, x1, y + h + drop + 5, x1, y + h + drop);
  }
  cairo_line_to(cr, x + w + 2, y + h * 0.5);
  cairo_close_path(cr);
  FillStroke(cr, Darker(cl, 0.08), Palette::kInk, 2);
  RoundRect(cr, x - 2, y - 1, w + 4, h + 2, 12);
  FillRadial(cr, x + w * 0.35, y + h * 0.3, h * 0.9, Lighter(cl, 0.3), cl);
  RoundRect(cr, x - 2, y - 1, w + 4, h + 2, 12);
  cairo_set_line_width(cr, 2);
  SetColor(cr, Palette::kInk);
  cairo_stroke(cr);
  RoundRect(cr, x + 6, y + 6, w - 12, h - 12, 8);
  cairo_set_line_width(cr, 2);
  SetColor(cr, WithAlpha(edge, 0.8));
  cairo_stroke(cr);
}

void DrawTable(cairo_t* cr, int kind, int cloth) {
  switch (kind) {
    case 1: RoundTable(cr, 48, 24, 36, 16, 68, cloth); break;
    case 2: RoundTable(cr, 46, 26, 42, 19, 74, cloth); break;
    default: LongTable(cr, 8, 8, 86, 100, 128, cloth); break;
  }
}

int TableKind(const std::string& id) { return id[12] - '0'; }  // IMAGE_TABLE_n

void PaintTable(Cel& c) { DrawTable(c.cr, TableKind(c.decl.id), c.index); }
PAINTER("IMAGE_TABLE_1", PaintTable);
PAINTER("IMAGE_TABLE_2", PaintTable);
PAINTER("IMAGE_TABLE_4", PaintTable);

// The halo under a hovered table: its cel grown by three pixels each way.
void PaintTableOver(Cel& c) {
  cairo_t* cr = c.cr;
  int kind = TableKind(c.decl.id);
  cairo_push_group(cr);
  cairo_translate(cr, 3, 3);
  DrawTable(cr, kind, 2);
  cairo_pattern_t* shape = cairo_pop_group(cr);
  for (int ring = 3; ring >= 1; --ring)
    for (int i = 0; i < 16; ++i) {
      double a = i * M_PI / 8;
      cairo_save(cr);
      cairo_translate(cr, std::cos(a) * ring, std::sin(a) * ring);
      SetColor(cr, {1, 0.95, 0.45, 0.3 + 0.2 * (3 - ring)});
      cairo_mask(cr, shape);
      cairo_restore(cr);
    }
  // Keep a ring: the table itself covers the middle, and its gaps must not
  // show a yellow block.
  cairo_save(cr);
  cairo_set_operator(cr, CAIRO_OPERATOR_DEST_OUT);
  SetColor(cr, {0, 0, 0, 0.85});
  cairo_mask(cr, shape);
  cairo_restore(cr);
  cairo_pattern_destroy(shape);
}
PAINTER("IMAGE_TABLE_1_OVER", PaintTableOver);
PAINTER("IMAGE_TABLE_2_OVER", PaintTableOver);
PAINTER("IMAGE_TABLE_4_OVER", PaintTableOver);

// Chairs: the backrest on the side away from the table.
void Chair(cairo_t* cr, double w, double h, bool right) {
  cairo_save(cr);
  if (right) {
    cairo_translate(cr, w, 0);
    cairo_scale(cr, -1, 1);
  }
  Rgb wood = Hex(0xe07a40), light = Hex(0xf5a060);
  // Back legs, seat, front legs, backrest.
  for (double x : {10.0, 40.0}) {
    cairo_rectangle(cr, x, 30, 5, h - 32);
    FillStroke(cr, Darker(wood, 0.15), Palette::kInk, 1.4);
  }
  RoundRect(cr, 8, 24, 40, 12, 4);
  FillStroke(cr, light, Palette::kInk, 1.8);
  RoundRect(cr, 8, 32, 40, 6, 3);
  FillStroke(cr, wood, Palette::kInk, 1.6);
  for (double x : {12.0, 44.0}) {
    cairo_rectangle(cr, x - 2, 38, 5, h - 40);
    FillStroke(cr, wood, Palette::kInk, 1.4);
  }
  RoundRect(cr, 4, 2, 10, 34, 4);
  FillStroke(cr, light, Palette::kInk, 1.8);
  for (int i = 0; i < 3; ++i) {
    Ellipse(cr, 9, 10 + i * 8, 1.8, 1.8);
    Fill(cr, {1, 1, 1, 0.6});
  }
  cairo_restore(cr);
}

void PaintChair(Cel& c) { Chair(c.cr, c.w, c.h, c.decl.id == "IMAGE_CHAIR_RIGHT"); }
PAINTER("IMAGE_CHAIR_LEFT", PaintChair);
PAINTER("IMAGE_CHAIR_RIGHT", PaintChair);

void PaintBench(Cel& c) {
  cairo_t* cr = c.cr;
  bool right = c.decl.id == "IMAGE_BENCH_RIGHT";
  cairo_save(cr);
  if (right) {
    cairo_translate(cr, c.w, 0);
    cairo_scale(cr, -1, 1);
  }
  Rgb wood = Hex(0xe07a40), light = Hex(0xf5a060);
  for (double y : {16.0, 100.0}) {
    cairo_rectangle(cr, 14, y, 5, 26);
    FillStroke(cr, Darker(wood, 0.15), Palette::kInk, 1.4);
    cairo_rectangle(cr, 34, y + 4, 5, 26);
    FillStroke(cr, wood, Palette::kInk, 1.4);
  }
  GradientBox(cr, 10, 8, 30, 112, 6, light, wood, Palette::kInk, 1.8);
  for (double x : {20.0, 30.0}) {
    cairo_move_to(cr, x, 10);
    cairo_line_to(cr, x, 118);
  }
  cairo_set_line_width(cr, 1);
  SetColor(cr, Darker(wood, 0.3));
  cairo_stroke(cr);
  RoundRect(cr, 2, 2, 9, 120, 4);
  FillStroke(cr, light, Palette::kInk, 1.8);
  cairo_restore(cr);
}
PAINTER("IMAGE_BENCH_LEFT", PaintBench);
PAINTER("IMAGE_BENCH_RIGHT", PaintBench);

// Parasols: col 0 the deluxe one (level 2), col 1 the basic one (level 1).
void PaintSunshades(Cel& c) {
  cairo_t* cr = c.cr;
  bool deluxe = c.col == 0;
  double cx = c.w / 2, top = 6, rx = c.w / 2 - 4, depth = deluxe ? 44 : 38;
  // The pole runs down into the table.
  cairo_rectangle(cr, cx - 2.5, top + 10, 5, c.h - top - 10);
  FillStroke(cr, Hex(0xe8e0d0), Palette::kInk, 1.4);
  Rgb a = deluxe ? Hex(0x2ab0b0) : Hex(0xff6a6a), b = deluxe ? Hex(0xfff0c0) : Hex(0xffffff);
  int n = deluxe ? 10 : 8;
  // Canopy: panels alternating in two colours, a scalloped rim.
  for (int i = 0; i < n; ++i) {
    double x0 = cx - rx + 2 * rx * i / n, x1 = cx - rx + 2 * rx * (i + 1) / n;
    double m = (x0 + x1) / 2;
    cairo_new_path(cr);
    cairo_move_to(cr, cx, top);
    cairo_curve_to(cr, cx + (x0 - cx) * 0.5, top + 2, x0, top + depth * 0.5, x0, top + depth);
    cairo_curve_to(cr, m - 2, top + depth + 7, m + 2, top + depth + 7, x1, top + depth);
    cairo_curve_to(cr, x1, top + depth * 0.5, cx + (x1 - cx) * 0.5, top + 2, cx, top);
    cairo_close_path(cr);
    FillStroke(cr, i % 2 ? a : b, Palette::kInk, 1.6);
  }
  // Fringe of the deluxe one.
  if (deluxe) {
    for (int i = 0; i < 2 * n; ++i) {
      double x = cx - rx + 2 * rx * (i + 0.5) / (2 * n);
      cairo_move_to(cr, x, top + depth + 2);
      cairo_line_to(cr, x, top + depth + 8);
    }
    cairo_set_line_width(cr, 2);
    SetColor(cr, Palette::kGold);
    cairo_stroke(cr);
  }
  Ellipse(cr, cx, top, 4, 4);
  FillStroke(cr, Palette::kGold, Palette::kInk, 1.4);
  // A soft highlight over the crown.
  SoftOval(cr, cx - rx * 0.35, top + depth * 0.35, rx * 0.3, depth * 0.2, {1, 1, 1, 0.35});
}
PAINTER("IMAGE_SUNSHADES", PaintSunshades);

void PaintSpecialTable(Cel& c) {
  cairo_t* cr = c.cr;
  // A little round side table for the napkins.
  RoundTable(cr, c.w / 2, 22, c.w / 2 - 8, 14, c.h - 3, 1);
}
PAINTER("IMAGE_SPECIAL_TABLE", PaintSpecialTable);

// ---------------------------------------------------------------- stands

// Lemonade bottles: col 0 five left .. col 4 one left; row 1 hovered.
void PaintBottle(Cel& c) {
  int kind = c.decl.id.back() - '0';
  double fill = (5 - c.col) / 5.0;
  DrawState(c.cr, c.row == 1 ? Look3::Over : Look3::Normal,
            [&](cairo_t* cr) { LemonadeBottle(cr, c.w / 2, c.h - 3, c.w - 14, c.h - 8, kind, fill); }, 3);
}
PAINTER("IMAGE_BOTTLE_*", PaintBottle);

// A glass cookie jar: rows 2k and 2k+1 for kind k, col = cookies left - 1.
void CookieJar(cairo_t* cr, double w, double h, int kind, int count) {
  double cx = w / 2, bottom = h - 3, jw = w - 10, jh = h - 8;
  double top = bottom - jh;
  auto body = [&] { RoundRect(cr, cx - jw / 2, top + jh * 0.18, jw, jh * 0.82, jw * 0.25); };
  body();
  Fill(cr, {0.85, 0.95, 1, 0.45});
  // Cookies stacked inside.
  static const double spots[][2] = {{-0.18, 0.86}, {0.18, 0.84}, {0, 0.68}, {-0.2, 0.52}, {0.19, 0.5}};
  for (int i = 0; i < count; ++i)
    Cookie(cr, cx + spots[i][0] * jw, top + spots[i][1] * jh, jw * 0.2, kind);
  body();
  cairo_set_line_width(cr, 1.6);
  SetColor(cr, Hex(0x4a7898));
  cairo_stroke(cr);
  cairo_rectangle(cr, cx - jw * 0.36, top + jh * 0.3, jw * 0.08, jh * 0.55);
  Fill(cr, {1, 1, 1, 0.5});
  // Lid with a knob, coloured by kind.
  static const uint32_t lids[] = {0xff8fb1, 0x8a5230, 0xf0b040};
  RoundRect(cr, cx - jw * 0.46, top + jh * 0.1, jw * 0.92, jh * 0.14, 3);
  FillStroke(cr, Hex(lids[kind]), Palette::kInk, 1.4);
  Ellipse(cr, cx, top + jh * 0.08, jw * 0.1, jh * 0.06);
  FillStroke(cr, Hex(lids[kind]), Palette::kInk, 1.4);
}

void PaintCookies(Cel& c) {
  int kind = c.row / 2;
  DrawState(c.cr, c.row % 2 ? Look3::Over : Look3::Normal,
            [&](cairo_t* cr) { CookieJar(cr, c.w, c.h, kind, c.col + 1); }, 3);
}
PAINTER("IMAGE_COOKIES", PaintCookies);

void PaintCookiesEmpty(Cel& c) { CookieJar(c.cr, c.w, c.h, 0, 0); }
PAINTER("IMAGE_COOKIES_EMPTY", PaintCookiesEmpty);

void PaintNapkins(Cel& c) {
  DrawState(c.cr, c.col == 1 ? Look3::Over : Look3::Normal,
            [&](cairo_t* cr) { NapkinStack(cr, c.w / 2, c.h - 3, c.w - 10, c.h - 6, 5); }, 3);
}
PAINTER("IMAGE_NAPKINS", PaintNapkins);

void PaintCups(Cel& c) {
  for (int i = 0; i < 5; ++i) PaperCup(c.cr, c.w / 2, c.h - 3 - i * 6, c.w - 12, 20, Hex(0xff7eb3));
}
PAINTER("IMAGE_CUPS", PaintCups);

// ---------------------------------------------------------------- trash

// Vurez's trash station: a rolling bin; the dirty trays stack inside it
// at (29, 45 - 4i) and the front panel (drawn at 36, 16) hides their fronts.
void PaintTrashStation(Cel& c) {
  DrawState(c.cr, c.col == 1 ? Look3::Over : Look3::Normal, [&](cairo_t* cr) {
    // Wheels.
    for (double x : {22.0, 88.0}) {
      Ellipse(cr, x, 72, 6, 6);
      FillStroke(cr, Hex(0x4a4a58), Palette::kInk, 1.6);
      Ellipse(cr, x, 72, 2, 2);
      Fill(cr, Hex(0xc8c8d0));
    }
    // The bin's back and sides.
    GradientBox(cr, 14, 19, 82, 52, 8, Hex(0x6ac060), Hex(0x3a8a40), Palette::kInk, 2);
    RoundRect(cr, 20, 24, 70, 38, 6);
    Fill(cr, Hex(0x2a5a2a));
    // The push handle at the top right.
    RoundRect(cr, 64, 8, 36, 8, 4);
    FillStroke(cr, Hex(0xd8e0e8), Palette::kInk, 1.6);
    cairo_rectangle(cr, 90, 12, 5, 14);
    FillStroke(cr, Hex(0xd8e0e8), Palette::kInk, 1.4);
  });
}
PAINTER("IMAGE_TRASH_STATION", PaintTrashStation);

void PaintTrashFront(Cel& c) {
  cairo_t* cr = c.cr;
  GradientBox(cr, 2, 14, c.w - 4, c.h - 16, 6, Hex(0x8ad080), Hex(0x4aa050), Palette::kInk, 2);
  // A recycling swirl.
  for (int i = 0; i < 3; ++i) {
    double a = i * 2 * M_PI / 3;
    cairo_new_path(cr);
    cairo_arc(cr, c.w / 2, 32, 9, a, a + 1.6);
    cairo_set_line_width(cr, 3);
    SetColor(cr, Palette::kWhite);
    cairo_stroke(cr);
    double ex = c.w / 2 + std::cos(a + 1.6) * 9, ey = 32 + std::sin(a + 1.6) * 9;
    StarPath(cr, ex, ey, 3.5, 1.2, 3, a + 1.6);
    Fill(cr, Palette::kWhite);
  }
}
PAINTER("IMAGE_TRASH_STATION_FRONT", PaintTrashFront);

void PaintTrashTray(Cel& c) {
  cairo_t* cr = c.cr;
  RoundRect(cr, 1, 2, c.w - 2, c.h - 3, 3);
  FillStroke(cr, Hex(0xd8e0e8), Palette::kInk, 1.2);
  Ellipse(cr, 14, 4.5, 5, 1.6);
  Fill(cr, WithAlpha(FlavourColor(1), 0.9));
  Ellipse(cr, 32, 5, 4, 1.4);
  Fill(cr, WithAlpha(FlavourColor(2), 0.9));
}
PAINTER("IMAGE_TRASH_STATION_TRAY", PaintTrashTray);

// Smudges on the belt, light so that the white tint keeps them light.
void PaintDirt(Cel& c) {
  Rand rnd(3 + c.index);
  for (int i = 0; i < 4; ++i) {
    Ellipse(c.cr, c.w / 2 + rnd.Uniform(-4, 4), c.h / 2 + rnd.Uniform(-2, 2), rnd.Uniform(2, 4), rnd.Uniform(1, 2));
    Fill(c.cr, {0.95, 0.9, 0.85, 0.55});
  }
}
PAINTER("IMAGE_CONVEYER_DIRT", PaintDirt);

// ---------------------------------------------------------------- clouds

// Mood bands from happiest (0) to angriest (4).
Rgb MoodColor(int band) {
  static const uint32_t colours[] = {0x5ad05a, 0xa8e050, 0xffd23a, 0xff9a3a, 0xf04040};
  return Hex(colours[std::clamp(band, 0, 4)]);
}

void MoodFace(cairo_t* cr, double cx, double cy, double r, int band) {
  Ellipse(cr, cx, cy, r, r);
  FillStroke(cr, MoodColor(band), Palette::kInk, 1.2);
  for (double s : {-1.0, 1.0}) {
    Ellipse(cr, cx + s * r * 0.35, cy - r * 0.2, r * 0.12, r * 0.18);
    Fill(cr, Palette::kInk);
  }
  double curve = 0.45 - band * 0.25;  // smile to frown
  cairo_move_to(cr, cx - r * 0.45, cy + r * 0.3);
  cairo_curve_to(cr, cx - r * 0.2, cy + r * (0.3 + curve), cx + r * 0.2, cy + r * (0.3 + curve), cx + r * 0.45,
                 cy + r * 0.3);
  cairo_set_line_width(cr, 1.3);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  SetColor(cr, Palette::kInk);
  cairo_stroke(cr);
  if (band == 4) {
    for (double s : {-1.0, 1.0}) {
      cairo_move_to(cr, cx + s * r * 0.6, cy - r * 0.55);
      cairo_line_to(cr, cx + s * r * 0.15, cy - r * 0.35);
    }
    cairo_stroke(cr);
  }
}

void CloudShape(cairo_t* cr, double cx, double cy, double r) {
  const int n = 9;
  cairo_new_path(cr);
  for (int i = 0; i < n; ++i) {
    double a = i * 2 * M_PI / n;
    double pr = r * (0.34 + 0.05 * (i % 2));
    Ellipse(cr, cx + std::cos(a) * r * 0.72, cy + std::sin(a) * r * 0.66, pr, pr);
  }
  Ellipse(cr, cx, cy, r * 0.78, r * 0.72);
}

void PaintClouds(Cel& c) {
  cairo_t* cr = c.cr;
  double cx = c.w / 2, cy = c.h / 2, r = c.w / 2 - 6;
  Rgb band = MoodColor(c.index);
  CloudShape(cr, cx, cy, r);
  cairo_set_line_width(cr, 6);
  SetColor(cr, Palette::kInk);
  cairo_stroke_preserve(cr);
  cairo_set_line_width(cr, 3.5);
  SetColor(cr, band);
  cairo_stroke_preserve(cr);
  SetColor(cr, Palette::kWhite);
  cairo_fill(cr);
  SoftOval(cr, cx - r * 0.3, cy - r * 0.35, r * 0.3, r * 0.15, {0.9, 0.95, 1, 0.9});
  // The little mood face on the rim, away from the wish in the middle.
  MoodFace(cr, cx + r * 0.68, cy + r * 0.62, 7.5, c.index);
}
PAINTER("IMAGE_CUSTOMER_CLOUDS", PaintClouds);

void PaintCloudBubbles(Cel& c) {
  cairo_t* cr = c.cr;
  Rgb band = MoodColor(c.index);
  // A bigger bubble near the cloud (top), a small one towards the head.
  Ellipse(cr, c.w * 0.6, 8, 6, 5.5);
  FillStroke(cr, Palette::kWhite, band, 2);
  Ellipse(cr, c.w * 0.35, 22, 3.5, 3.5);
  FillStroke(cr, Palette::kWhite, band, 1.6);
}
PAINTER("IMAGE_CUSTOMER_CLOUDS_BUBBLES", PaintCloudBubbles);

// ---------------------------------------------------------------- puffs

enum class PuffKind { In, Happy, Angry };

void Puff(Cel& c, PuffKind kind) {
  cairo_t* cr = c.cr;
  double t = c.index / 10.0;  // 0 .. 1 over the 11 cels
  double cx = c.w / 2, cy = c.h * 0.55;
  Rand rnd(kind == PuffKind::In ? 5 : kind == PuffKind::Happy ? 6 : 7);
  // Puffs swell and fade.
  double grow = kind == PuffKind::In ? std::sin(t * M_PI) : std::min(1.0, t * 1.8);
  double alpha = kind == PuffKind::In ? std::sin(t * M_PI) : (t < 0.4 ? 1 : 1 - (t - 0.4) / 0.6);
  Rgb base = kind == PuffKind::Angry ? Hex(0x8a8a98) : Hex(0xffffff);
  for (int i = 0; i < 9; ++i) {
    double a = rnd.Uniform(0, 2 * M_PI), d = rnd.Uniform(0.1, 0.5) * c.w * (0.4 + 0.6 * grow);
    double r = rnd.Uniform(0.12, 0.22) * c.w * (0.5 + 0.6 * grow);
    double px = cx + std::cos(a) * d, py = cy + std::sin(a) * d * 1.2 - t * (kind == PuffKind::Angry ? 10 : 18);
    Ellipse(cr, px, py, r, r);
    FillStroke(cr, WithAlpha(base, 0.85 * alpha), WithAlpha(Darker(base, 0.35), 0.6 * alpha), 1.5);
  }
  // What the puff carries: stars, hearts or little storm marks.
  for (int i = 0; i < 6; ++i) {
    double a = i * M_PI / 3 + t * 1.5, d = c.w * (0.15 + 0.35 * t);
    double px = cx + std::cos(a) * d, py = cy + std::sin(a) * d - t * 20;
    double s = 6 * (1 - t * 0.6);
    Rgb col = WithAlpha(kind == PuffKind::In ? Hex(0xfff27a) : kind == PuffKind::Happy ? Hex(0xff6f9c) : Hex(0x40404a),
                        alpha);
    if (kind == PuffKind::In) {
      Twinkle(cr, px, py, s * 1.3, col);
    } else if (kind == PuffKind::Happy) {
      // A heart.
      cairo_new_path(cr);
      cairo_move_to(cr, px, py + s * 0.8);
      cairo_curve_to(cr, px - s * 1.4, py - s * 0.2, px - s * 0.6, py - s * 1.2, px, py - s * 0.4);
      cairo_curve_to(cr, px + s * 0.6, py - s * 1.2, px + s * 1.4, py - s * 0.2, px, py + s * 0.8);
      cairo_close_path(cr);
      FillStroke(cr, col, WithAlpha(Palette::kInk, alpha), 1.2);
    } else {
      cairo_move_to(cr, px - s * 0.6, py - s * 0.6);
      cairo_line_to(cr, px + s * 0.1, py - s * 0.1);
      cairo_line_to(cr, px - s * 0.2, py + s * 0.1);
      cairo_line_to(cr, px + s * 0.6, py + s * 0.7);
      cairo_set_line_width(cr, 2);
      SetColor(cr, col);
      cairo_stroke(cr);
    }
  }
}

void PaintFadeIn(Cel& c) { Puff(c, PuffKind::In); }
void PaintFadeHappy(Cel& c) { Puff(c, PuffKind::Happy); }
void PaintFadeAngry(Cel& c) { Puff(c, PuffKind::Angry); }
PAINTER("IMAGE_CUSTOMER_FADE_IN", PaintFadeIn);
PAINTER("IMAGE_CUSTOMER_FADE_OUT_HAPPY", PaintFadeHappy);
PAINTER("IMAGE_CUSTOMER_FADE_OUT_ANGRY", PaintFadeAngry);

// ---------------------------------------------------------------- uncle

// The uncle's portrait beside the report's bar: neutral and pleased.
void PaintDialogUncle(Cel& c) {
  Look look = Cast::Uncle();
  Pose p;
  p.view = View::Front;
  p.face.eyes = c.index == 1 ? Eyes::Happy : Eyes::Open;
  p.face.mouth = c.index == 1 ? Mouth::Grin : Mouth::Smile;
  p.face.brows = c.index == 1 ? 0.6 : 0;
  double s = 0.95;
  p.foot = {c.w / 2 / s, (c.h + 82) / s};
  if (c.index == 1) {
    Vec sh = ShoulderPoint(look, p, 1);
    p.hands[1] = sh + Vec{14, -22};
    p.handSet[1] = true;
    p.fist[1] = true;
  }
  cairo_save(c.cr);
  cairo_scale(c.cr, s, s);
  DrawPerson(c.cr, look, p);
  cairo_restore(c.cr);
}
PAINTER("IMAGE_DIALOG_UNCLE", PaintDialogUncle);

}  // namespace

}  // namespace Plix::DataBuild
