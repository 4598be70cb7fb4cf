// The ancient ruins (Area3 group): a sunny stone plaza with patches of dry
// grass, a temple ruin, columns standing and fallen, statues and a vase.

#include <cmath>

#include "tools/databuild/Painters.h"
#include "tools/databuild/Props.h"

namespace Plix::DataBuild {

namespace {

const Rgb kStone = Hex(0xe6d8b8);
const Rgb kStoneDark = Hex(0xb8a680);

void PaintBackground(Cel& c) {
  cairo_t* cr = c.cr;
  PlayGround(cr, Hex(0xf1deb0), Hex(0xd9bd84), Hex(0xfff1cc), 33, false);
  // Flag stones with cracks and tufts between them.
  Rand rnd(6);
  cairo_set_line_width(cr, 1.2);
  for (int y = 10; y < 566; y += 44)
    for (int x = (y / 44) % 2 * 36 - 36; x < 800; x += 72) {
      double jx = rnd.Uniform(-3, 3), jy = rnd.Uniform(-2, 2);
      RoundRect(cr, x + 3 + jx, y + 3 + jy, 66, 38, 6);
      SetColor(cr, WithAlpha(Lighter(kStone, rnd.Uniform(0, 0.3)), 0.35));
      cairo_fill_preserve(cr);
      SetColor(cr, {0.55, 0.42, 0.25, 0.35});
      cairo_stroke(cr);
    }
  for (int i = 0; i < 20; ++i) {
    double x = rnd.Uniform(0, 800), y = rnd.Uniform(30, 540);
    cairo_move_to(cr, x, y);
    cairo_line_to(cr, x + rnd.Uniform(-8, 8), y + 6);
    cairo_line_to(cr, x + rnd.Uniform(-8, 8), y + 12);
    cairo_set_line_width(cr, 1);
    SetColor(cr, {0.4, 0.3, 0.2, 0.4});
    cairo_stroke(cr);
    GrassTuft(cr, rnd.Uniform(0, 800), rnd.Uniform(40, 540), 12, 7, Hex(0x9ab848), 100 + i);
  }
  // A broken wall along the far edge.
  for (int i = 0; i < 12; ++i) {
    double x = i * 70, h = 20 + std::fabs(std::sin(i * 1.7)) * 24;
    RoundRect(cr, x, 0, 68, h, 4);
    FillStroke(cr, kStoneDark, Hex(0x7a6a4a), 1.5);
    cairo_move_to(cr, x, h * 0.5);
    cairo_line_to(cr, x + 68, h * 0.5);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
  }
}
PAINTER("IMAGE_BACKGROUND_3", PaintBackground);

// A fluted column; broken tops show their jagged edge.
void Column(cairo_t* cr, double cx, double top, double bottom, double w, bool broken) {
  double capH = 12;
  RoundRect(cr, cx - w * 0.62, bottom - 12, w * 1.24, 12, 3);
  FillStroke(cr, kStone, Palette::kInk, 2);
  cairo_new_path(cr);
  cairo_move_to(cr, cx - w / 2, bottom - 12);
  if (broken) {
    cairo_line_to(cr, cx - w / 2, top + 10);
    cairo_line_to(cr, cx - w * 0.2, top);
    cairo_line_to(cr, cx, top + 12);
    cairo_line_to(cr, cx + w * 0.3, top + 4);
    cairo_line_to(cr, cx + w / 2, top + 14);
  } else {
    cairo_line_to(cr, cx - w / 2, top + capH);
    cairo_line_to(cr, cx + w / 2, top + capH);
  }
  cairo_line_to(cr, cx + w / 2, bottom - 12);
  cairo_close_path(cr);
  FillVerticalStroke(cr, top, bottom, Lighter(kStone, 0.2), kStone, Palette::kInk, 2);
  for (int i = 1; i < 4; ++i) {
    double x = cx - w / 2 + i * w / 4;
    cairo_move_to(cr, x, top + (broken ? 16 : capH + 2));
    cairo_line_to(cr, x, bottom - 14);
  }
  cairo_set_line_width(cr, 1.2);
  SetColor(cr, kStoneDark);
  cairo_stroke(cr);
  if (!broken) {
    RoundRect(cr, cx - w * 0.7, top, w * 1.4, capH, 3);
    FillStroke(cr, kStone, Palette::kInk, 2);
  }
  // Ivy.
  cairo_move_to(cr, cx - w / 2, bottom - 20);
  cairo_curve_to(cr, cx, bottom - 40, cx - w / 2, bottom - 60, cx + w * 0.1, bottom - 80);
  cairo_set_line_width(cr, 1.5);
  SetColor(cr, Hex(0x3a8a2a));
  cairo_stroke(cr);
  for (int i = 0; i < 4; ++i) {
    Ellipse(cr, cx - w * 0.2 + (i % 2) * w * 0.3, bottom - 28 - i * 14, 3.5, 2.5);
    Fill(cr, Hex(0x4cb848));
  }
}

void PaintColumn(Cel& c) { Column(c.cr, c.w / 2, 4, c.h - 2, c.w * 0.55, false); }
PAINTER("IMAGE_BG3_COLUMN", PaintColumn);

void PaintColumnBroken(Cel& c) {
  // A fallen drum lying on its side with a piece beside it.
  cairo_t* cr = c.cr;
  Ellipse(cr, c.w / 2, c.h - 6, c.w / 2 - 6, 5);
  Fill(cr, {0, 0, 0, 0.15});
  GradientBox(cr, 8, 10, 82, 30, 6, Lighter(kStone, 0.2), kStoneDark, Palette::kInk, 2);
  for (double y : {18.0, 25.0, 32.0}) {
    cairo_move_to(cr, 16, y);
    cairo_line_to(cr, 84, y);
  }
  cairo_set_line_width(cr, 1.1);
  SetColor(cr, kStoneDark);
  cairo_stroke(cr);
  Ellipse(cr, 90, 25, 9, 15);
  FillStroke(cr, kStone, Palette::kInk, 2);
  Ellipse(cr, 90, 25, 5, 10);
  cairo_set_line_width(cr, 1);
  SetColor(cr, kStoneDark);
  cairo_stroke(cr);
  Stones(cr, 112, c.h - 4, 30, 22, 5, kStone);
}
PAINTER("IMAGE_BG3_COLUMN_BROKEN", PaintColumnBroken);

void PaintDebris(Cel& c) { Stones(c.cr, c.w / 2, c.h - 2, c.w - 6, c.h - 4, 71, kStone); }
PAINTER("IMAGE_BG3_DEBRIS", PaintDebris);

void PaintField(Cel& c) {
  cairo_t* cr = c.cr;
  Rand rnd(HashId(c.decl.id));
  Ellipse(cr, c.w / 2, c.h * 0.62, c.w / 2 - 4, c.h * 0.34);
  Fill(cr, WithAlpha(Hex(0xc8b060), 0.45));
  int n = int(c.w / 14);
  for (int i = 0; i < n; ++i)
    GrassTuft(cr, 10 + rnd.Uniform(0, c.w - 20), c.h * rnd.Uniform(0.55, 0.95), 16, c.h * 0.45, Hex(0xc8b050),
              HashId(c.decl.id) + i);
}
PAINTER("IMAGE_BG3_FIELD_1", PaintField);
PAINTER("IMAGE_BG3_FIELD_2", PaintField);
PAINTER("IMAGE_BG3_FIELD_3", PaintField);

// A stone idol on a plinth: a round head, folded arms.
void Statue(cairo_t* cr, double w, double h) {
  double cx = w / 2;
  double plinth = h * 0.2;
  RoundRect(cr, cx - w * 0.45, h - plinth, w * 0.9, plinth - 2, 4);
  FillStroke(cr, kStoneDark, Palette::kInk, 2);
  double bodyTop = h * 0.38;
  GradientBox(cr, cx - w * 0.3, bodyTop, w * 0.6, h - plinth - bodyTop, w * 0.15, Lighter(kStone, 0.15), kStone, Palette::kInk, 2);
  RoundRect(cr, cx - w * 0.26, bodyTop + h * 0.14, w * 0.52, h * 0.08, 4);
  FillStroke(cr, Lighter(kStone, 0.1), kStoneDark, 1.4);
  double hr = w * 0.26;
  Ellipse(cr, cx, bodyTop - hr * 0.8, hr, hr * 1.1);
  FillStroke(cr, Lighter(kStone, 0.15), Palette::kInk, 2);
  for (double s : {-1.0, 1.0}) {
    Ellipse(cr, cx + s * hr * 0.38, bodyTop - hr * 0.9, hr * 0.16, hr * 0.1);
    Fill(cr, Hex(0x6a5a40));
  }
  cairo_move_to(cr, cx - hr * 0.3, bodyTop - hr * 0.35);
  cairo_line_to(cr, cx + hr * 0.3, bodyTop - hr * 0.35);
  cairo_set_line_width(cr, 1.5);
  SetColor(cr, Hex(0x6a5a40));
  cairo_stroke(cr);
  // Moss and a crack.
  Ellipse(cr, cx - w * 0.2, h - plinth - 6, 8, 4);
  Fill(cr, WithAlpha(Hex(0x6ab04a), 0.8));
  cairo_move_to(cr, cx + w * 0.1, bodyTop + 6);
  cairo_line_to(cr, cx + w * 0.16, bodyTop + 20);
  cairo_line_to(cr, cx + w * 0.1, bodyTop + 30);
  cairo_set_line_width(cr, 1.2);
  SetColor(cr, Hex(0x6a5a40));
  cairo_stroke(cr);
}
void PaintStatue(Cel& c) { Statue(c.cr, c.w, c.h); }
PAINTER("IMAGE_BG3_STATY", PaintStatue);
PAINTER("IMAGE_BG3_STATY_LARGE", PaintStatue);

// A temple ruin: steps, a broken pediment on columns, one missing.
void PaintTemple(Cel& c) {
  cairo_t* cr = c.cr;
  for (int i = 0; i < 3; ++i) {
    RoundRect(cr, 10 + i * 12, c.h - 16 - i * 12, c.w - 20 - i * 24, 14, 3);
    FillStroke(cr, i % 2 ? kStone : Lighter(kStone, 0.1), Palette::kInk, 2);
  }
  double top = 56, bottom = c.h - 40;
  for (int i = 0; i < 5; ++i) {
    if (i == 3) continue;
    Column(cr, 56 + i * 52, top, bottom, 26, i == 4);
  }
  // The pediment, broken on the right.
  cairo_new_path(cr);
  cairo_move_to(cr, 30, top + 2);
  cairo_line_to(cr, c.w * 0.45, 14);
  cairo_line_to(cr, 210, 26);
  cairo_line_to(cr, 200, 40);
  cairo_line_to(cr, 220, top + 2);
  cairo_close_path(cr);
  FillVerticalStroke(cr, 14, top, Lighter(kStone, 0.2), kStone, Palette::kInk, 2);
  RoundRect(cr, 26, top, 200, 10, 2);
  FillStroke(cr, kStone, Palette::kInk, 2);
  Stones(cr, 270, c.h - 40, 60, 26, 9, kStone);
  // Vines hanging from the pediment.
  cairo_move_to(cr, 80, top + 8);
  cairo_curve_to(cr, 76, top + 30, 86, top + 50, 80, top + 70);
  cairo_set_line_width(cr, 1.6);
  SetColor(cr, Hex(0x3a8a2a));
  cairo_stroke(cr);
}
PAINTER("IMAGE_BG3_TEMPLE", PaintTemple);

void PaintVase(Cel& c) {
  cairo_t* cr = c.cr;
  double cx = c.w / 2;
  Ellipse(cr, cx, c.h - 3, c.w * 0.35, 3);
  Fill(cr, {0, 0, 0, 0.2});
  cairo_new_path(cr);
  cairo_move_to(cr, cx - 7, 6);
  cairo_curve_to(cr, cx - 8, 16, cx - 18, 22, cx - 16, 36);
  cairo_curve_to(cr, cx - 14, 50, cx - 8, c.h - 4, cx, c.h - 4);
  cairo_curve_to(cr, cx + 8, c.h - 4, cx + 14, 50, cx + 16, 36);
  cairo_curve_to(cr, cx + 18, 22, cx + 8, 16, cx + 7, 6);
  cairo_close_path(cr);
  FillVerticalStroke(cr, 6, c.h, Hex(0xe88a4a), Hex(0xb05a2a), Palette::kInk, 2);
  RoundRect(cr, cx - 10, 3, 20, 6, 2);
  FillStroke(cr, Hex(0xe88a4a), Palette::kInk, 1.6);
  cairo_rectangle(cr, cx - 15, 32, 30, 6);
  Fill(cr, Hex(0x3a2a1a));
  for (int i = 0; i < 4; ++i) {
    cairo_move_to(cr, cx - 12 + i * 8, 33);
    cairo_line_to(cr, cx - 8 + i * 8, 37);
  }
  cairo_set_line_width(cr, 1.2);
  SetColor(cr, Hex(0xe88a4a));
  cairo_stroke(cr);
}
PAINTER("IMAGE_BG3_VASE", PaintVase);

}  // namespace

}  // namespace Plix::DataBuild
