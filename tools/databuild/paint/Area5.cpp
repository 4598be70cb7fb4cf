// The beach (Area5 group): warm sand, the sea strip along the top, palm
// trees, fallen fronds, towels, sand toys, crabs, shells and a starfish.

#include <cmath>

#include "tools/databuild/Painters.h"
#include "tools/databuild/Props.h"

namespace Plix::DataBuild {

namespace {

void PaintBackground(Cel& c) {
  cairo_t* cr = c.cr;
  PlayGround(cr, Hex(0xfff0bf), Hex(0xf5d98e), Hex(0xfff7dc), 55, false);
  // Ripples in the sand.
  Rand rnd(12);
  cairo_set_line_width(cr, 1.4);
  SetColor(cr, {0.8, 0.62, 0.35, 0.35});
  for (int i = 0; i < 40; ++i) {
    double x = rnd.Uniform(0, 800), y = rnd.Uniform(120, 560);
    cairo_move_to(cr, x, y);
    cairo_curve_to(cr, x + 10, y - 3, x + 20, y + 3, x + 30, y);
  }
  cairo_stroke(cr);
  // Wet sand where the sea strip ends.
  cairo_rectangle(cr, 0, 0, 800, 150);
  FillVertical(cr, 60, 150, Hex(0xe8c888, 0.8), Hex(0xf5d98e, 0.0));
}
PAINTER("IMAGE_BACKGROUND_5", PaintBackground);

// The sea along the top of the floor: waves rolling onto the sand. The
// game's glints play in (160..561, 83..191).
void PaintWater(Cel& c) {
  cairo_t* cr = c.cr;
  cairo_new_path(cr);
  cairo_move_to(cr, 0, 0);
  cairo_line_to(cr, c.w, 0);
  cairo_line_to(cr, c.w, 190);
  for (int i = 16; i >= 0; --i) {
    double x = i * c.w / 16;
    cairo_curve_to(cr, x + 30, 196 + (i % 2) * 8, x + 20, 204, x, 194 + (i % 3) * 6);
  }
  cairo_close_path(cr);
  cairo_path_t* sea = cairo_copy_path(cr);
  FillVertical(cr, 0, 210, Hex(0x1a8ac8), Hex(0x5ad8f0));
  cairo_save(cr);
  cairo_append_path(cr, sea);
  cairo_clip(cr);
  Rand rnd(3);
  cairo_set_line_width(cr, 2.4);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  for (int i = 0; i < 60; ++i) {
    double x = rnd.Uniform(0, c.w), y = rnd.Uniform(10, 180);
    cairo_move_to(cr, x, y);
    cairo_curve_to(cr, x + 6, y - 4, x + 12, y - 4, x + 18, y);
    SetColor(cr, {1, 1, 1, 0.25 + y / 400});
    cairo_stroke(cr);
  }
  cairo_restore(cr);
  // Foam along the shore.
  cairo_append_path(cr, sea);
  cairo_set_line_width(cr, 8);
  SetColor(cr, {1, 1, 1, 0.85});
  cairo_stroke(cr);
  cairo_path_destroy(sea);
  for (int i = 0; i < 30; ++i) {
    Ellipse(cr, i * 28 + 10, 206 + (i % 3) * 4, 6, 3);
    Fill(cr, {1, 1, 1, 0.7});
  }
}
PAINTER("IMAGE_BG5_WATER", PaintWater);

void PaintPalm1(Cel& c) { PalmTree(c.cr, c.w * 0.35, c.h - 4, c.h * 0.82, c.w * 0.22); }
void PaintPalm2(Cel& c) { PalmTree(c.cr, c.w * 0.62, c.h - 4, c.h * 0.8, -c.w * 0.2); }
PAINTER("IMAGE_BG5_PALMTREE_1", PaintPalm1);
PAINTER("IMAGE_BG5_PALMTREE_2", PaintPalm2);

// A fallen palm frond: a rib with leaflets.
void Frond(cairo_t* cr, double x0, double y0, double x1, double y1, double bend, Rgb c) {
  double mx = (x0 + x1) / 2, my = (y0 + y1) / 2 - bend;
  int n = 14;
  for (int i = 1; i < n; ++i) {
    double t = double(i) / n;
    double px = (1 - t) * (1 - t) * x0 + 2 * t * (1 - t) * mx + t * t * x1;
    double py = (1 - t) * (1 - t) * y0 + 2 * t * (1 - t) * my + t * t * y1;
    double len = 14 * std::sin(t * M_PI) + 4;
    for (double s : {-1.0, 1.0}) {
      cairo_new_path(cr);
      cairo_move_to(cr, px, py);
      cairo_curve_to(cr, px + 3, py + s * len * 0.6, px + 6, py + s * len, px + 9, py + s * len);
      cairo_curve_to(cr, px + 5, py + s * len * 0.5, px + 3, py + s * 2, px + 2, py);
      cairo_close_path(cr);
      FillStroke(cr, c, Darker(c, 0.45), 1);
    }
  }
  cairo_move_to(cr, x0, y0);
  cairo_curve_to(cr, mx, my, mx, my, x1, y1);
  cairo_set_line_width(cr, 2);
  SetColor(cr, Hex(0x8a6a2a));
  cairo_stroke(cr);
}

void PaintLeaf1(Cel& c) { Frond(c.cr, 4, c.h * 0.6, c.w - 6, c.h * 0.45, 10, Hex(0x8ab848)); }
void PaintLeaf2(Cel& c) { Frond(c.cr, 4, c.h * 0.4, c.w - 6, c.h * 0.6, -8, Hex(0xa8b850)); }
PAINTER("IMAGE_BG5_LEAF_1", PaintLeaf1);
PAINTER("IMAGE_BG5_LEAF_2", PaintLeaf2);

void PaintLeaves(Cel& c) {
  Frond(c.cr, 10, c.h * 0.7, c.w * 0.7, c.h * 0.3, 16, Hex(0x5aa840));
  Frond(c.cr, 30, c.h * 0.85, c.w - 10, c.h * 0.7, 10, Hex(0x7ab848));
  Frond(c.cr, c.w * 0.2, c.h * 0.5, c.w * 0.9, c.h * 0.35, -10, Hex(0x6aa838));
  Ellipse(c.cr, 40, c.h * 0.78, 8, 7);
  FillStroke(c.cr, Hex(0x7a4a1a), Palette::kInk, 1.4);
}
PAINTER("IMAGE_BG5_LEAVES", PaintLeaves);

void Crab(cairo_t* cr, double w, double h, Rgb c) {
  double cx = w / 2, cy = h * 0.58;
  for (double s : {-1.0, 1.0})
    for (int i = 0; i < 3; ++i) {
      cairo_move_to(cr, cx + s * w * 0.2, cy + 2 + i * 2);
      cairo_line_to(cr, cx + s * w * 0.4, cy + 4 + i * 3);
      cairo_line_to(cr, cx + s * w * 0.44, cy + 8 + i * 2);
    }
  cairo_set_line_width(cr, 1.8);
  SetColor(cr, Darker(c, 0.3));
  cairo_stroke(cr);
  for (double s : {-1.0, 1.0}) {
    cairo_move_to(cr, cx + s * w * 0.2, cy - 2);
    cairo_line_to(cr, cx + s * w * 0.34, cy - h * 0.3);
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
    Ellipse(cr, cx + s * w * 0.36, cy - h * 0.36, w * 0.1, h * 0.12);
    FillStroke(cr, c, Palette::kInk, 1.4);
  }
  Ellipse(cr, cx, cy, w * 0.26, h * 0.24);
  FillStroke(cr, c, Palette::kInk, 1.6);
  for (double s : {-1.0, 1.0}) {
    cairo_move_to(cr, cx + s * 3, cy - h * 0.18);
    cairo_line_to(cr, cx + s * 4, cy - h * 0.32);
    cairo_set_line_width(cr, 1.2);
    SetColor(cr, Palette::kInk);
    cairo_stroke(cr);
    Ellipse(cr, cx + s * 4, cy - h * 0.34, 2.2, 2.2);
    FillStroke(cr, Palette::kWhite, Palette::kInk, 1);
  }
  cairo_move_to(cr, cx - 3, cy + 2);
  cairo_curve_to(cr, cx - 1, cy + 4, cx + 1, cy + 4, cx + 3, cy + 2);
  cairo_set_line_width(cr, 1.2);
  SetColor(cr, Palette::kInk);
  cairo_stroke(cr);
}
void PaintCrab1(Cel& c) { Crab(c.cr, c.w, c.h, Hex(0xf05a3a)); }
void PaintCrab2(Cel& c) { Crab(c.cr, c.w, c.h, Hex(0xff8a4a)); }
PAINTER("IMAGE_BG5_CRAB_1", PaintCrab1);
PAINTER("IMAGE_BG5_CRAB_2", PaintCrab2);

// Shells: scallops, spirals and cockles in turn.
void PaintShell(Cel& c) {
  cairo_t* cr = c.cr;
  int n = c.decl.id.back() - '1';
  static const uint32_t cols[] = {0xffd0e0, 0xfff0c8, 0xf8c8a8, 0xffe0f0, 0xe8d8c8};
  Rgb col = Hex(cols[n % 5]);
  double cx = c.w / 2, cy = c.h / 2, w = c.w - 3, h = c.h - 3;
  if (n % 2 == 0) {
    // Scallop: a fan with ribs.
    cairo_new_path(cr);
    cairo_move_to(cr, cx, cy + h * 0.45);
    cairo_curve_to(cr, cx - w * 0.6, cy + h * 0.1, cx - w * 0.5, cy - h * 0.5, cx, cy - h * 0.48);
    cairo_curve_to(cr, cx + w * 0.5, cy - h * 0.5, cx + w * 0.6, cy + h * 0.1, cx, cy + h * 0.45);
    cairo_close_path(cr);
    FillStroke(cr, col, Palette::kInk, 1.3);
    for (int i = -2; i <= 2; ++i) {
      cairo_move_to(cr, cx, cy + h * 0.42);
      cairo_line_to(cr, cx + i * w * 0.16, cy - h * 0.4);
    }
    cairo_set_line_width(cr, 0.9);
    SetColor(cr, Darker(col, 0.3));
    cairo_stroke(cr);
  } else {
    // Spiral snail shell.
    Ellipse(cr, cx, cy, w * 0.45, h * 0.42);
    FillStroke(cr, col, Palette::kInk, 1.3);
    cairo_new_path(cr);
    for (double t = 0; t < 4 * M_PI; t += 0.2) {
      double r = w * 0.4 * (1 - t / (4.5 * M_PI));
      double x = cx + std::cos(t) * r, y = cy + std::sin(t) * r * 0.9;
      if (t == 0) cairo_move_to(cr, x, y);
      else cairo_line_to(cr, x, y);
    }
    cairo_set_line_width(cr, 1);
    SetColor(cr, Darker(col, 0.35));
    cairo_stroke(cr);
  }
}
PAINTER("IMAGE_BG5_SHELL_*", PaintShell);

void PaintStarfish(Cel& c) {
  StarPath(c.cr, c.w / 2, c.h / 2 + 2, c.h / 2 - 1, c.h * 0.2, 5, 0.2);
  FillStroke(c.cr, Hex(0xff8a5a), Palette::kInk, 1.6);
  Rand rnd(5);
  for (int i = 0; i < 10; ++i) {
    Ellipse(c.cr, c.w / 2 + rnd.Uniform(-8, 8), c.h / 2 + 2 + rnd.Uniform(-8, 8), 1.2, 1.2);
    Fill(c.cr, Hex(0xffd0b0));
  }
}
PAINTER("IMAGE_BG5_STARS", PaintStarfish);

void Towel(cairo_t* cr, double w, double h, Rgb a, Rgb b) {
  cairo_save(cr);
  cairo_translate(cr, w / 2, h / 2);
  cairo_rotate(cr, -0.08);
  RoundRect(cr, -w / 2 + 6, -h / 2 + 8, w - 12, h - 16, 4);
  Fill(cr, a);
  cairo_save(cr);
  RoundRect(cr, -w / 2 + 6, -h / 2 + 8, w - 12, h - 16, 4);
  cairo_clip(cr);
  for (double x = -w / 2; x < w / 2; x += 18) {
    cairo_rectangle(cr, x, -h, 9, 2 * h);
    Fill(cr, b);
  }
  cairo_restore(cr);
  RoundRect(cr, -w / 2 + 6, -h / 2 + 8, w - 12, h - 16, 4);
  cairo_set_line_width(cr, 1.8);
  SetColor(cr, Palette::kInk);
  cairo_stroke(cr);
  for (double s : {-1.0, 1.0})
    for (int i = 0; i < 5; ++i) {
      cairo_move_to(cr, s * (w / 2 - 6), -h / 2 + 12 + i * (h - 24) / 4);
      cairo_line_to(cr, s * (w / 2 - 1), -h / 2 + 12 + i * (h - 24) / 4);
    }
  cairo_set_line_width(cr, 1.5);
  SetColor(cr, Darker(a, 0.2));
  cairo_stroke(cr);
  cairo_restore(cr);
}
void PaintTowel1(Cel& c) { Towel(c.cr, c.w, c.h, Hex(0xff6a8a), Hex(0xffffff)); }
void PaintTowel2(Cel& c) { Towel(c.cr, c.w, c.h, Hex(0x3ab0ff), Hex(0xfff06a)); }
PAINTER("IMAGE_BG5_TOWEL_1", PaintTowel1);
PAINTER("IMAGE_BG5_TOWEL_2", PaintTowel2);

// A bucket and a spade beside a little sand castle.
void PaintToys(Cel& c) {
  cairo_t* cr = c.cr;
  RoundRect(cr, 44, 18, 26, 26, 3);
  FillStroke(cr, Hex(0xf0c878), Palette::kInk, 1.6);
  for (int i = 0; i < 3; ++i) {
    cairo_rectangle(cr, 46 + i * 8, 13, 5, 6);
    FillStroke(cr, Hex(0xf0c878), Palette::kInk, 1.2);
  }
  cairo_move_to(cr, 8, 20);
  cairo_line_to(cr, 34, 20);
  cairo_line_to(cr, 30, 46);
  cairo_line_to(cr, 12, 46);
  cairo_close_path(cr);
  FillStroke(cr, Hex(0xff5a5a), Palette::kInk, 1.8);
  cairo_new_path(cr);
  cairo_arc(cr, 21, 20, 13, M_PI, 2 * M_PI);
  cairo_set_line_width(cr, 1.6);
  SetColor(cr, Palette::kInk);
  cairo_stroke(cr);
  Ellipse(cr, 21, 20, 13, 3);
  FillStroke(cr, Hex(0xff8a8a), Palette::kInk, 1.4);
  cairo_move_to(cr, 36, 44);
  cairo_line_to(cr, 56, 6);
  cairo_set_line_width(cr, 3);
  SetColor(cr, Hex(0x3ab0ff));
  cairo_stroke(cr);
  cairo_save(cr);
  cairo_translate(cr, 36, 44);
  cairo_rotate(cr, -0.5);
  RoundRect(cr, -5, -4, 10, 10, 3);
  FillStroke(cr, Hex(0x3ab0ff), Palette::kInk, 1.4);
  cairo_restore(cr);
}
PAINTER("IMAGE_BG5_TOYS", PaintToys);

}  // namespace

}  // namespace Plix::DataBuild
