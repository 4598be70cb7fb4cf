// The logos the splash screen fades in and out on black before the loader:
// the maker's, then the framework's. Light on transparent.

#include <cmath>

#include "tools/databuild/Painters.h"

namespace Plix::DataBuild {

namespace {

void PaintMakerLogo(Cel& c) {
  cairo_t* cr = c.cr;
  const double cx = c.w / 2;
  // A setting sun over three waves.
  const double sy = 92, r = 62;
  SoftOval(cr, cx, sy, r * 1.7, r * 1.7, {1, 0.75, 0.35, 0.35});
  cairo_save(cr);
  cairo_rectangle(cr, 0, 0, c.w, sy + 18);
  cairo_clip(cr);
  Ellipse(cr, cx, sy, r, r);
  FillRadial(cr, cx, sy - r * 0.4, r * 1.3, Hex(0xfff1a0), Hex(0xff7a3a));
  cairo_restore(cr);
  for (int i = 0; i < 3; ++i) {
    const double y = sy + 14 + i * 13, half = r * (1.25 - i * 0.2);
    cairo_move_to(cr, cx - half, y);
    for (int k = 0; k < 6; ++k) {
      const double x0 = cx - half + k * half / 3;
      cairo_curve_to(cr, x0 + half / 12, y - 6, x0 + half / 4, y - 6, x0 + half / 3, y);
    }
    cairo_set_line_width(cr, 5 - i);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    SetColor(cr, Mix(Hex(0x5fd0ff), Hex(0x1e7fc0), i / 2.0));
    cairo_stroke(cr);
  }
  TextStyle name{Face::SansBold, 58, Palette::kWhite, Hex(0xff7a3a), 2};
  Text(cr, name, cx, 222, "V A R N O K");
  TextStyle line{Face::Comic, 20, Hex(0xffd9a0)};
  Text(cr, line, cx, 252, "games from the islands");
}
PAINTER("LOGO_SPLASH0", PaintMakerLogo);

void PaintFrameworkLogo(Cel& c) {
  cairo_t* cr = c.cr;
  // "PLIX" set in square pixels, a scoop colour for each letter.
  static const char* const kRows[5] = {
      "###..#....###.#.#",
      "#..#.#.....#..#.#",
      "###..#.....#...#.",
      "#....#.....#..#.#",
      "#....####.###.#.#",
  };
  const int columns = 17;
  const double cell = 18, gap = 3;
  const double x0 = (c.w - columns * cell) / 2, y0 = 22;
  for (int row = 0; row < 5; ++row) {
    for (int col = 0; col < columns; ++col) {
      if (kRows[row][col] != '#') continue;
      const int letter = col < 5 ? 0 : col < 10 ? 1 : col < 14 ? 2 : 3;
      static const int kFlavours[4] = {1, 5, 3, 4};  // strawberry, pineapple, pear, blueberry
      const Rgb color = FlavourColor(kFlavours[letter]);
      RoundRect(cr, x0 + col * cell, y0 + row * cell, cell - gap, cell - gap, 3);
      FillStroke(cr, color, Lighter(color, 0.5), 1);
    }
  }
  TextStyle line{Face::SansBold, 22, Palette::kWhite};
  Text(cr, line, c.w / 2, y0 + 5 * cell + 50, "made with the Plix framework");
}
PAINTER("LOGO_SPLASH1", PaintFrameworkLogo);

}  // namespace

}  // namespace Plix::DataBuild
