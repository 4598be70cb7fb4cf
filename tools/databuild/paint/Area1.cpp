// The park (Area1 group): a mowed lawn with hedges and flower beds, the
// fountain, rose beds, mushrooms, stones and a big tree in front.

#include <cmath>

#include "tools/databuild/Painters.h"
#include "tools/databuild/Props.h"

namespace Plix::DataBuild {

namespace {

void PaintBackground(Cel& c) {
  cairo_t* cr = c.cr;
  PlayGround(cr, Hex(0x9be06a), Hex(0x62c04a), Hex(0xf0d9a0), 11, true);
  // Mowing stripes.
  for (int i = 0; i < 10; ++i) {
    cairo_rectangle(cr, i * 80, 0, 40, 566);
    Fill(cr, {1, 1, 1, 0.05});
  }
  // A hedge along the far edge with round trees behind it.
  for (int i = 0; i < 9; ++i) {
    double x = 20 + i * 95;
    Ellipse(cr, x, 4, 36, 30);
    FillStroke(cr, Hex(0x3a9a3a), Hex(0x1f5a1c), 1.5);
  }
  RoundRect(cr, -10, 8, 820, 26, 12);
  FillStroke(cr, Hex(0x4cb848), Hex(0x1f6a1c), 2);
  Rand rnd(2);
  for (int i = 0; i < 30; ++i) {
    Ellipse(cr, rnd.Uniform(0, 800), rnd.Uniform(12, 30), 5, 4);
    Fill(cr, WithAlpha(Hex(0x7ad86a), 0.7));
  }
  // Flower beds along the lawn.
  for (double x : {260.0, 420.0}) {
    Ellipse(cr, x, 250, 46, 16);
    FillStroke(cr, Hex(0x8a5a2a), Hex(0x5a3a1a), 1.5);
    for (int i = 0; i < 7; ++i)
      Flower(cr, x - 36 + i * 12, 248 + (i % 2) * 4, 5, i % 3 ? Hex(0xff7eb3) : Hex(0xfff06a));
  }
  for (int i = 0; i < 24; ++i) Flower(cr, rnd.Uniform(10, 790), rnd.Uniform(60, 300), 3.5, Hex(0xfff0f6));
}
PAINTER("IMAGE_BACKGROUND_1", PaintBackground);

// The fountain: the spout near (150, 30); drops fall from there and glints
// play on the basin's water band (y 136..191).
void PaintFountain(Cel& c) {
  cairo_t* cr = c.cr;
  double cx = 150;
  // Big basin.
  Ellipse(cr, cx, 196, 138, 22);
  Fill(cr, {0, 0, 0, 0.2});
  Ellipse(cr, cx, 178, 136, 30);
  FillStroke(cr, Hex(0xd8d0c0), Palette::kInk, 2.5);
  cairo_rectangle(cr, cx - 136, 150, 272, 28);
  Fill(cr, Hex(0xd8d0c0));
  cairo_move_to(cr, cx - 136, 150);
  cairo_line_to(cr, cx - 136, 178);
  cairo_move_to(cr, cx + 136, 150);
  cairo_line_to(cr, cx + 136, 178);
  cairo_set_line_width(cr, 2.5);
  SetColor(cr, Palette::kInk);
  cairo_stroke(cr);
  Ellipse(cr, cx, 150, 136, 24);
  FillStroke(cr, Hex(0xe8e0d0), Palette::kInk, 2.5);
  Ellipse(cr, cx, 152, 122, 18);
  FillVertical(cr, 134, 170, Hex(0x8ad8f8), Hex(0x3aa8e0));
  for (int i = 0; i < 5; ++i) {
    Ellipse(cr, cx - 80 + i * 40, 152 + (i % 2) * 5, 14, 3);
    cairo_set_line_width(cr, 1.5);
    SetColor(cr, {1, 1, 1, 0.6});
    cairo_stroke(cr);
  }
  // Pillar and the upper bowl.
  cairo_rectangle(cr, cx - 10, 64, 20, 86);
  FillStroke(cr, Hex(0xe8e0d0), Palette::kInk, 2);
  Ellipse(cr, cx, 64, 44, 12);
  FillStroke(cr, Hex(0xe8e0d0), Palette::kInk, 2);
  Ellipse(cr, cx, 62, 36, 7);
  Fill(cr, Hex(0x6ac8f0));
  // Water arcs from the spout.
  for (double s : {-1.0, 1.0}) {
    cairo_move_to(cr, cx, 30);
    cairo_curve_to(cr, cx + s * 20, 10, cx + s * 50, 30, cx + s * 44, 60);
    cairo_move_to(cr, cx + s * 40, 66);
    cairo_curve_to(cr, cx + s * 60, 70, cx + s * 84, 100, cx + s * 90, 146);
  }
  cairo_set_line_width(cr, 5);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  SetColor(cr, {0.7, 0.9, 1, 0.8});
  cairo_stroke(cr);
  RoundRect(cr, cx - 4, 26, 8, 40, 3);
  FillStroke(cr, Hex(0xc8c0b0), Palette::kInk, 1.6);
  Ellipse(cr, cx, 28, 6, 4);
  FillStroke(cr, Hex(0xd8d0c0), Palette::kInk, 1.4);
}
PAINTER("IMAGE_BG1_FOUNTAIN", PaintFountain);

// Spray glints of the fountain (and a spare one), faded by the game.
void PaintGlint(Cel& c) { GlintCel(c.cr, c.w, c.h, 1.0); }
PAINTER("IMAGE_BG1_FOUNTAIN_PRT1", PaintGlint);
PAINTER("IMAGE_BG1_FOUNTAIN_PRT2", PaintGlint);

void PaintDrop(Cel& c) {
  cairo_t* cr = c.cr;
  cairo_move_to(cr, c.w / 2, 0.5);
  cairo_curve_to(cr, c.w / 2 + 1, 3, c.w - 0.5, c.h * 0.55, c.w - 0.5, c.h * 0.68);
  cairo_curve_to(cr, c.w - 0.5, c.h - 0.5, 0.5, c.h - 0.5, 0.5, c.h * 0.68);
  cairo_curve_to(cr, 0.5, c.h * 0.55, c.w / 2 - 1, 3, c.w / 2, 0.5);
  cairo_close_path(cr);
  Fill(cr, {0.75, 0.92, 1, 0.95});
  Ellipse(cr, c.w / 2 - 0.8, c.h * 0.62, 0.8, 1.2);
  Fill(cr, Palette::kWhite);
}
PAINTER("IMAGE_BG1_FOUNTAIN_PRT3", PaintDrop);

void Mushroom(cairo_t* cr, double w, double h) {
  double cx = w / 2;
  Ellipse(cr, cx, h - 3, w * 0.3, 3);
  Fill(cr, {0, 0, 0, 0.2});
  RoundRect(cr, cx - w * 0.14, h * 0.45, w * 0.28, h * 0.53, w * 0.1);
  FillStroke(cr, Hex(0xfff4e0), Palette::kInk, 1.6);
  cairo_new_path(cr);
  cairo_move_to(cr, 2, h * 0.52);
  cairo_curve_to(cr, 2, 0, w - 2, 0, w - 2, h * 0.52);
  cairo_curve_to(cr, w * 0.7, h * 0.6, w * 0.3, h * 0.6, 2, h * 0.52);
  cairo_close_path(cr);
  FillStroke(cr, Hex(0xe83a3a), Palette::kInk, 1.8);
  const double spots[][3] = {{0.3, 0.28, 0.09}, {0.62, 0.2, 0.08}, {0.72, 0.4, 0.06}, {0.45, 0.42, 0.06}};
  for (auto& s : spots) {
    Ellipse(cr, w * s[0], h * s[1], w * s[2], w * s[2] * 0.8);
    Fill(cr, Palette::kWhite);
  }
}
void PaintMushroom(Cel& c) { Mushroom(c.cr, c.w, c.h); }
PAINTER("IMAGE_BG1_MUSHROOM_1", PaintMushroom);
PAINTER("IMAGE_BG1_MUSHROOM_2", PaintMushroom);

void Roses(cairo_t* cr, double w, double h, uint32_t seed) {
  Shrub(cr, w / 2, h - 3, w - 6, h - 8, Hex(0x3a9a3a), seed, false);
  Rand rnd(seed);
  int n = int(w / 12);
  for (int i = 0; i < n; ++i) {
    double x = 10 + rnd.Uniform(0, w - 20), y = h * rnd.Uniform(0.2, 0.7);
    double r = 4.5;
    Ellipse(cr, x, y, r, r);
    FillStroke(cr, i % 3 ? Hex(0xe8283a) : Hex(0xff8fb1), Hex(0x7a0a18), 1.1);
    cairo_new_path(cr);
    cairo_arc(cr, x, y, r * 0.5, 0.3, 4.5);
    cairo_set_line_width(cr, 1);
    SetColor(cr, Hex(0x7a0a18));
    cairo_stroke(cr);
  }
}
void PaintRoses1(Cel& c) { Roses(c.cr, c.w, c.h, 31); }
void PaintRoses2(Cel& c) { Roses(c.cr, c.w, c.h, 32); }
PAINTER("IMAGE_BG1_ROSES_1", PaintRoses1);
PAINTER("IMAGE_BG1_ROSES_2", PaintRoses2);

void PaintStones(Cel& c) { Stones(c.cr, c.w / 2, c.h - 2, c.w - 6, c.h - 4, HashId(c.decl.id)); }
PAINTER("IMAGE_BG1_STONES_1", PaintStones);
PAINTER("IMAGE_BG1_STONES_2", PaintStones);

// The tree in front, laid over the floor at the right edge: its trunk in
// the part that shows on screen, its crown reaching over the tables.
void PaintTree(Cel& c) {
  cairo_t* cr = c.cr;
  double tx = 64;
  cairo_new_path(cr);
  cairo_move_to(cr, tx - 16, c.h);
  cairo_curve_to(cr, tx - 10, c.h * 0.6, tx - 18, c.h * 0.4, tx - 6, c.h * 0.3);
  cairo_line_to(cr, tx + 14, c.h * 0.3);
  cairo_curve_to(cr, tx + 14, c.h * 0.5, tx + 12, c.h * 0.7, tx + 22, c.h);
  cairo_close_path(cr);
  FillVertical(cr, 0, c.h, Hex(0xa8703a), Hex(0x7a4a22));
  cairo_new_path(cr);
  cairo_move_to(cr, tx - 16, c.h);
  cairo_curve_to(cr, tx - 10, c.h * 0.6, tx - 18, c.h * 0.4, tx - 6, c.h * 0.3);
  cairo_line_to(cr, tx + 14, c.h * 0.3);
  cairo_curve_to(cr, tx + 14, c.h * 0.5, tx + 12, c.h * 0.7, tx + 22, c.h);
  cairo_set_line_width(cr, 2.5);
  SetColor(cr, Palette::kInk);
  cairo_stroke(cr);
  // A branch reaching left.
  cairo_move_to(cr, tx, c.h * 0.36);
  cairo_curve_to(cr, tx - 30, c.h * 0.3, tx - 50, c.h * 0.25, tx - 60, c.h * 0.2);
  cairo_set_line_width(cr, 9);
  SetColor(cr, Palette::kInk);
  cairo_stroke_preserve(cr);
  cairo_set_line_width(cr, 6);
  SetColor(cr, Hex(0x8a5a2a));
  cairo_stroke(cr);
  // The crown: overlapping leafy balls.
  const double blobs[][3] = {{20, 50, 46}, {70, 30, 52}, {130, 44, 50}, {190, 60, 48}, {230, 96, 36},
                             {40, 100, 42}, {110, 100, 50}, {175, 110, 42}, {80, 70, 44}};
  for (auto& b : blobs) Ellipse(cr, b[0], b[1], b[2] + 2, b[2] * 0.85 + 2);
  Fill(cr, Palette::kInk);
  for (auto& b : blobs) Ellipse(cr, b[0], b[1], b[2], b[2] * 0.85);
  Fill(cr, Hex(0x3aa83a));
  for (auto& b : blobs) SoftOval(cr, b[0] - b[2] * 0.3, b[1] - b[2] * 0.35, b[2] * 0.5, b[2] * 0.35, {0.55, 0.85, 0.4, 0.8});
  Rand rnd(8);
  for (int i = 0; i < 8; ++i) Apple(cr, rnd.Uniform(20, 220), rnd.Uniform(40, 130), 5);
}
PAINTER("IMAGE_BG1_TREE", PaintTree);

}  // namespace

}  // namespace Plix::DataBuild
