// The uncle's hotel terrace (Area6 group): tiles, the hotel's front, a pool
// with ripples, bushes, garden lamps and potted plants.

#include <cmath>

#include "tools/databuild/Painters.h"
#include "tools/databuild/Props.h"

namespace Plix::DataBuild {

namespace {

void PaintBackground(Cel& c) {
  cairo_t* cr = c.cr;
  PlayGround(cr, Hex(0xe9e4da), Hex(0xd2c8b6), Hex(0xfaf6ee), 66, false);
  // Terracotta tiles in a diamond pattern.
  cairo_save(cr);
  cairo_rectangle(cr, 0, 40, 800, 526);
  cairo_clip(cr);
  for (int y = 40; y < 566; y += 40)
    for (int x = ((y / 40) % 2) * 40 - 40; x < 800; x += 80) {
      cairo_move_to(cr, x + 40, y);
      cairo_line_to(cr, x + 80, y + 20);
      cairo_line_to(cr, x + 40, y + 40);
      cairo_line_to(cr, x, y + 20);
      cairo_close_path(cr);
      SetColor(cr, ((x / 80 + y / 40) % 3) ? Hex(0xe8b890, 0.35) : Hex(0xd89a70, 0.35));
      cairo_fill_preserve(cr);
      cairo_set_line_width(cr, 1);
      SetColor(cr, {0.6, 0.5, 0.4, 0.4});
      cairo_stroke(cr);
    }
  cairo_restore(cr);
  // A hedge wall at the back.
  RoundRect(cr, -10, 0, 820, 40, 10);
  FillStroke(cr, Hex(0x3a9a3a), Hex(0x1f5a1c), 2);
  Rand rnd(7);
  for (int i = 0; i < 40; ++i) {
    Ellipse(cr, rnd.Uniform(0, 800), rnd.Uniform(4, 34), 6, 5);
    Fill(cr, WithAlpha(Hex(0x6ac858), 0.7));
  }
}
PAINTER("IMAGE_BACKGROUND_6", PaintBackground);

void PaintBush(Cel& c) {
  bool flowers = c.decl.id.back() == '2' || c.decl.id.back() == '4';
  Shrub(c.cr, c.w / 2, c.h - 3, c.w - 6, c.h - 8, Hex(0x3aa83a), HashId(c.decl.id), flowers);
}
PAINTER("IMAGE_BG6_BUSH_*", PaintBush);

// The hotel's front: a white villa with arched windows, balconies, a red
// tiled roof and a grand door with an awning.
void PaintHotel(Cel& c) {
  cairo_t* cr = c.cr;
  double x0 = 20, x1 = c.w - 20, top = 60, bottom = c.h - 6;
  GradientBox(cr, x0, top, x1 - x0, bottom - top, 6, Hex(0xfffaf0), Hex(0xf0e6d4), Palette::kInk, 2.5);
  // Roof.
  cairo_move_to(cr, x0 - 14, top + 4);
  cairo_line_to(cr, x0 + 40, 12);
  cairo_line_to(cr, x1 - 40, 12);
  cairo_line_to(cr, x1 + 14, top + 4);
  cairo_close_path(cr);
  FillVertical(cr, 12, top, Hex(0xf07a4a), Hex(0xc8502a));
  cairo_save(cr);
  cairo_move_to(cr, x0 - 14, top + 4);
  cairo_line_to(cr, x0 + 40, 12);
  cairo_line_to(cr, x1 - 40, 12);
  cairo_line_to(cr, x1 + 14, top + 4);
  cairo_close_path(cr);
  cairo_clip(cr);
  cairo_set_line_width(cr, 1.2);
  SetColor(cr, Hex(0x9a3a1a));
  for (double y = 20; y < top + 4; y += 9) {
    cairo_move_to(cr, 0, y);
    cairo_line_to(cr, c.w, y);
  }
  cairo_stroke(cr);
  cairo_restore(cr);
  cairo_move_to(cr, x0 - 14, top + 4);
  cairo_line_to(cr, x0 + 40, 12);
  cairo_line_to(cr, x1 - 40, 12);
  cairo_line_to(cr, x1 + 14, top + 4);
  cairo_set_line_width(cr, 2.5);
  SetColor(cr, Palette::kInk);
  cairo_stroke(cr);
  SignBoard(cr, c.w / 2 - 70, 18, 140, 30, "Hotel Vodiz", Hex(0xffd25a), Hex(0x7a3a10), false);
  // Windows with balconies in two rows.
  for (int r = 0; r < 2; ++r)
    for (int k = 0; k < 6; ++k) {
      if (r == 1 && (k == 2 || k == 3)) continue;
      double wx = x0 + 26 + k * 60, wy = top + 18 + r * 78;
      cairo_new_path(cr);
      cairo_move_to(cr, wx, wy + 40);
      cairo_line_to(cr, wx, wy + 12);
      cairo_arc(cr, wx + 14, wy + 12, 14, M_PI, 2 * M_PI);
      cairo_line_to(cr, wx + 28, wy + 40);
      cairo_close_path(cr);
      FillStroke(cr, Hex(0x8ad0f0), Palette::kInk, 1.8);
      cairo_move_to(cr, wx + 14, wy);
      cairo_line_to(cr, wx + 14, wy + 40);
      cairo_set_line_width(cr, 1.2);
      cairo_stroke(cr);
      RoundRect(cr, wx - 6, wy + 36, 40, 8, 2);
      FillStroke(cr, Hex(0xe8e0d0), Palette::kInk, 1.4);
      for (int b = 0; b < 5; ++b) {
        cairo_move_to(cr, wx - 2 + b * 8, wy + 44);
        cairo_line_to(cr, wx - 2 + b * 8, wy + 52);
      }
      cairo_set_line_width(cr, 1.4);
      cairo_stroke(cr);
      Flower(cr, wx + 4, wy + 34, 4, Hex(0xff6a8a));
    }
  // The door and its awning.
  double dx = c.w / 2;
  RoundRect(cr, dx - 30, bottom - 74, 60, 72, 26);
  FillStroke(cr, Hex(0x8a5a2a), Palette::kInk, 2);
  cairo_move_to(cr, dx, bottom - 74);
  cairo_line_to(cr, dx, bottom - 2);
  cairo_stroke(cr);
  for (double s : {-1.0, 1.0}) {
    Ellipse(cr, dx + s * 6, bottom - 36, 2, 2);
    Fill(cr, Palette::kGold);
  }
  for (int i = 0; i < 5; ++i) {
    cairo_move_to(cr, dx - 44 + i * 17.6, bottom - 88);
    cairo_line_to(cr, dx - 44 + (i + 1) * 17.6, bottom - 88);
    cairo_line_to(cr, dx - 44 + (i + 1) * 17.6, bottom - 80);
    cairo_curve_to(cr, dx - 44 + (i + 1) * 17.6, bottom - 74, dx - 44 + i * 17.6, bottom - 74, dx - 44 + i * 17.6,
                   bottom - 80);
    cairo_close_path(cr);
    FillStroke(cr, i % 2 ? Hex(0xffffff) : Hex(0x2ab0b0), Palette::kInk, 1.4);
  }
}
PAINTER("IMAGE_BG6_HOTEL", PaintHotel);

// Garden lamps: a post with a lantern, unlit or lit.
void Lamp(cairo_t* cr, double w, double h, bool lit) {
  double cx = w / 2;
  if (lit) SoftOval(cr, cx, 18, 15, 15, {1, 0.95, 0.6, 0.7});
  RoundRect(cr, cx - 3, 30, 6, h - 36, 2);
  FillStroke(cr, Hex(0x3a3a48), Palette::kInk, 1.4);
  RoundRect(cr, cx - 9, h - 8, 18, 6, 2);
  FillStroke(cr, Hex(0x3a3a48), Palette::kInk, 1.4);
  RoundRect(cr, cx - 8, 10, 16, 20, 3);
  FillStroke(cr, lit ? Hex(0xfff4a0) : Hex(0xd8e0e8), Palette::kInk, 1.6);
  cairo_move_to(cr, cx - 11, 11);
  cairo_line_to(cr, cx, 2);
  cairo_line_to(cr, cx + 11, 11);
  cairo_close_path(cr);
  FillStroke(cr, Hex(0x3a3a48), Palette::kInk, 1.4);
  if (lit) SoftOval(cr, cx, 20, 5, 7, {1, 1, 0.9, 1});
}
void PaintLampOff(Cel& c) { Lamp(c.cr, c.w, c.h, false); }
void PaintLampOn(Cel& c) { Lamp(c.cr, c.w, c.h, true); }
PAINTER("IMAGE_BG6_LIGHT_OFF", PaintLampOff);
PAINTER("IMAGE_BG6_LIGHT_ON", PaintLampOn);

void PottedPlants(cairo_t* cr, double w, double h, uint32_t seed) {
  Rand rnd(seed);
  int pots = w > 75 ? 2 : 1;
  for (int i = 0; i < pots; ++i) {
    double cx = pots == 1 ? w / 2 : w * (0.3 + 0.4 * i), ph = h * 0.34;
    double pw = w / pots * 0.62;
    // Leaves.
    for (int k = 0; k < 7; ++k) {
      double a = -M_PI / 2 + (k - 3) * 0.38;
      double len = h * rnd.Uniform(0.4, 0.6);
      cairo_save(cr);
      cairo_translate(cr, cx, h - ph);
      cairo_rotate(cr, a + M_PI / 2);
      Ellipse(cr, 0, -len / 2, len * 0.16, len / 2);
      FillStroke(cr, k % 2 ? Hex(0x4cb848) : Hex(0x3a9a3a), Hex(0x1f5a1c), 1.2);
      cairo_restore(cr);
    }
    if (i == 1 || pots == 1) Flower(cr, cx + 6, h - ph - h * 0.4, 6, Hex(0xff6a8a));
    cairo_move_to(cr, cx - pw / 2, h - ph);
    cairo_line_to(cr, cx + pw / 2, h - ph);
    cairo_line_to(cr, cx + pw * 0.38, h - 2);
    cairo_line_to(cr, cx - pw * 0.38, h - 2);
    cairo_close_path(cr);
    FillStroke(cr, Hex(0xd86a3a), Palette::kInk, 1.8);
    RoundRect(cr, cx - pw / 2 - 2, h - ph - 4, pw + 4, 7, 2);
    FillStroke(cr, Hex(0xe88a5a), Palette::kInk, 1.6);
  }
}
void PaintPlants(Cel& c) { PottedPlants(c.cr, c.w, c.h, HashId(c.decl.id)); }
PAINTER("IMAGE_BG6_PLANTS_1", PaintPlants);
PAINTER("IMAGE_BG6_PLANTS_2", PaintPlants);

// The pool; its ripples play at (0, 70) and (154, 73).
void PaintPool(Cel& c) {
  cairo_t* cr = c.cr;
  RoundRect(cr, 2, 4, c.w - 4, c.h - 6, 26);
  FillStroke(cr, Hex(0xfaf6ee), Palette::kInk, 2.5);
  RoundRect(cr, 14, 14, c.w - 28, c.h - 26, 18);
  FillVertical(cr, 14, c.h - 12, Hex(0x4ac0e8), Hex(0x2a8ac8));
  cairo_save(cr);
  RoundRect(cr, 14, 14, c.w - 28, c.h - 26, 18);
  cairo_clip(cr);
  Rand rnd(2);
  for (int i = 0; i < 24; ++i) {
    double x = rnd.Uniform(20, c.w - 20), y = rnd.Uniform(20, c.h - 20);
    cairo_move_to(cr, x, y);
    cairo_curve_to(cr, x + 8, y - 3, x + 16, y + 3, x + 24, y);
    cairo_set_line_width(cr, 1.6);
    SetColor(cr, {1, 1, 1, 0.4});
    cairo_stroke(cr);
  }
  cairo_rectangle(cr, 14, 14, c.w, 12);
  Fill(cr, {0, 0, 0, 0.15});
  cairo_restore(cr);
  RoundRect(cr, 14, 14, c.w - 28, c.h - 26, 18);
  cairo_set_line_width(cr, 2);
  SetColor(cr, Palette::kInk);
  cairo_stroke(cr);
  // A ladder and a ring float.
  for (double x : {c.w - 60.0, c.w - 46.0}) {
    cairo_move_to(cr, x, 8);
    cairo_line_to(cr, x, 40);
  }
  cairo_set_line_width(cr, 3);
  SetColor(cr, Hex(0xd8e0e8));
  cairo_stroke(cr);
  Ellipse(cr, 80, c.h * 0.5, 16, 10);
  cairo_set_line_width(cr, 7);
  SetColor(cr, Palette::kInk);
  cairo_stroke_preserve(cr);
  cairo_set_line_width(cr, 5);
  SetColor(cr, Hex(0xff5a5a));
  cairo_stroke(cr);
}
PAINTER("IMAGE_BG6_POOL", PaintPool);

// Light ripples on the water, white so the fade shows them.
void PaintRipple(Cel& c) {
  cairo_t* cr = c.cr;
  Rand rnd(HashId(c.decl.id));
  for (int i = 0; i < 6; ++i) {
    double x = rnd.Uniform(10, c.w - 40), y = rnd.Uniform(6, c.h - 6);
    cairo_move_to(cr, x, y);
    cairo_curve_to(cr, x + 10, y - 4, x + 20, y + 4, x + 30, y);
    cairo_set_line_width(cr, 2);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    SetColor(cr, {1, 1, 1, 0.85});
    cairo_stroke(cr);
  }
}
PAINTER("IMAGE_BG6_POOL_RIPPLE_1", PaintRipple);
PAINTER("IMAGE_BG6_POOL_RIPPLE_2", PaintRipple);

}  // namespace

}  // namespace Plix::DataBuild
