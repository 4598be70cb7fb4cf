// The best-sellers board (BestSellers group): a sunset beach with the
// board in front. The screen writes on it: the table's name in black on the
// light plate between the arrows (x 408, baselines 158 to 184), yellow
// column heads at baseline 212 and ten rows in near-white from baseline
// 244, 20 pixels apart (the font's line height less 5), so the tenth row
// ends above the buttons at the panel's foot.

#include <cmath>

#include "tools/databuild/Food.h"
#include "tools/databuild/Painters.h"
#include "tools/databuild/Props.h"

namespace Plix::DataBuild {

namespace {

constexpr double kPanelX0 = 132, kPanelX1 = 688, kPanelTop = 126, kPanelBottom = 470;
constexpr double kFirstRow = 244, kRowStep = 20;

void PaintBestSellers(Cel& c) {
  cairo_t* cr = c.cr;
  // Sunset sky, sea and sand.
  SkyFill(cr, 800, 600, Hex(0xff7aa8), Hex(0xffd890));
  SunDisc(cr, 400, 330, 90);
  cairo_rectangle(cr, 0, 330, 800, 200);
  FillVertical(cr, 330, 520, Hex(0x6a5ad0), Hex(0x3ab0d8));
  cairo_set_line_width(cr, 3);
  SetColor(cr, {1, 0.9, 0.6, 0.5});
  for (int i = 0; i < 8; ++i) {
    double y = 346 + i * 18, half = 110 - i * 8;
    cairo_move_to(cr, 400 - half, y);
    cairo_line_to(cr, 400 + half, y);
  }
  cairo_stroke(cr);
  cairo_move_to(cr, 0, 520);
  cairo_curve_to(cr, 200, 500, 600, 540, 800, 510);
  cairo_line_to(cr, 800, 600);
  cairo_line_to(cr, 0, 600);
  cairo_close_path(cr);
  FillVertical(cr, 500, 600, Palette::kSand, Darker(Palette::kSand, 0.12));
  CloudPuff(cr, 120, 70, 0.9, 0.8);
  CloudPuff(cr, 690, 110, 0.7, 0.8);
  PalmTree(cr, 50, 560, 330, 0.18);
  PalmTree(cr, 760, 570, 300, -0.2);

  // The big title with ice creams either side.
  Title(cr, "Best Sellers", 410, 66, 380, 66, Hex(0xffd23a));
  for (int side : {-1, 1}) {
    double x = 410 + side * 250;
    WaffleCone(cr, x, 78, 34, 42);
    IceScoop(cr, x, 82, 44, 36, side < 0 ? 1 : 2);
    IceScoop(cr, x, 56, 38, 32, side < 0 ? 5 : 4);
    ScoopTopping(cr, 0, x, 26, 20);
  }

  // The board: a gold frame round a dark velvet panel with row bands.
  RoundRect(cr, kPanelX0 - 6, kPanelTop - 2, kPanelX1 - kPanelX0 + 12, kPanelBottom - kPanelTop + 14, 26);
  Fill(cr, {0, 0, 0, 0.3});
  RoundRect(cr, kPanelX0 - 8, kPanelTop - 8, kPanelX1 - kPanelX0 + 16, kPanelBottom - kPanelTop + 16, 26);
  FillVerticalStroke(cr, kPanelTop, kPanelBottom, Hex(0xffe07a), Hex(0xd89a28), Palette::kInk, 3);
  RoundRect(cr, kPanelX0, kPanelTop, kPanelX1 - kPanelX0, kPanelBottom - kPanelTop, 20);
  FillVertical(cr, kPanelTop, kPanelBottom, Hex(0x4a2a7a), Hex(0x2a1648));
  cairo_save(cr);
  RoundRect(cr, kPanelX0, kPanelTop, kPanelX1 - kPanelX0, kPanelBottom - kPanelTop, 20);
  cairo_clip(cr);
  for (int row = 0; row < 10; row += 2) {
    double base = kFirstRow + row * kRowStep;
    cairo_rectangle(cr, kPanelX0, base - 16, kPanelX1 - kPanelX0, kRowStep);
    Fill(cr, {1, 1, 1, 0.07});
  }
  // The heads' band and its rule.
  cairo_rectangle(cr, kPanelX0, 194, kPanelX1 - kPanelX0, 26);
  Fill(cr, {0, 0, 0, 0.25});
  cairo_move_to(cr, kPanelX0 + 16, 221);
  cairo_line_to(cr, kPanelX1 - 16, 221);
  cairo_set_line_width(cr, 2);
  SetColor(cr, WithAlpha(Palette::kGold, 0.8));
  cairo_stroke(cr);
  Gloss(cr, kPanelX0, kPanelTop, kPanelX1 - kPanelX0, 120, 20, 0.12);
  cairo_restore(cr);
  RoundRect(cr, kPanelX0, kPanelTop, kPanelX1 - kPanelX0, kPanelBottom - kPanelTop, 20);
  cairo_set_line_width(cr, 2);
  SetColor(cr, Palette::kInk);
  cairo_stroke(cr);
  // Gold studs at the corners.
  for (double sx : {kPanelX0 + 14, kPanelX1 - 14})
    for (double sy : {kPanelTop + 14, kPanelBottom - 14}) {
      Ellipse(cr, sx, sy, 4, 4);
      FillStroke(cr, Palette::kGold, Palette::kInk, 1.2);
    }

  // The light title plate; the arrows sit on its ends.
  RoundRect(cr, 296, 138, 234, 54, 27);
  Fill(cr, {0, 0, 0, 0.3});
  RoundRect(cr, 296, 135, 234, 54, 27);
  FillStroke(cr, Hex(0xffd25a), Palette::kInk, 2.5);
  RoundRect(cr, 302, 141, 222, 42, 21);
  FillVertical(cr, 141, 183, Hex(0xfffbe8), Hex(0xffe8b0));
  Gloss(cr, 302, 141, 222, 42, 21, 0.3);
}
PAINTER("IMAGE_BESTSELLERS", PaintBestSellers);

void PaintStar(Cel& c) { GoldStar(c.cr, c.w / 2, c.h / 2 + 0.5, c.h / 2); }
PAINTER("IMAGE_BESTSELLERS_STAR", PaintStar);

}  // namespace

}  // namespace Plix::DataBuild
