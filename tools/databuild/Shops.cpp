#include "tools/databuild/Shops.h"

#include <algorithm>
#include <cmath>

namespace Plix::DataBuild {

void CashPlaque(cairo_t* cr, double cx, double cy, double w, double h, double ropeTop) {
  double x = cx - w / 2, y = cy - h / 2;
  // Ropes to the ceiling.
  cairo_set_line_width(cr, 2.5);
  SetColor(cr, Hex(0x8a6a3a));
  for (double rx : {x + w * 0.2, x + w * 0.8}) {
    cairo_move_to(cr, rx, ropeTop);
    cairo_line_to(cr, rx, y + 4);
  }
  cairo_stroke(cr);
  RoundRect(cr, x, y + 3, w, h, h * 0.3);
  Fill(cr, {0, 0, 0, 0.25});
  RoundRect(cr, x, y, w, h, h * 0.3);
  FillStroke(cr, Hex(0xc8942a), Palette::kInk, 2.5);
  RoundRect(cr, x + 4, y + 4, w - 8, h - 8, h * 0.22);
  FillVertical(cr, y, y + h, Hex(0x5a3a22), Hex(0x3a2214));
  for (double nx : {x + w * 0.2, x + w * 0.8}) {
    Ellipse(cr, nx, y + 4, 2.5, 2.5);
    FillStroke(cr, Hex(0xffe08a), Palette::kInk, 1);
  }
  // The coin overlaps the left end.
  double r = h * 0.48;
  Ellipse(cr, x - r * 0.15, cy + 1.5, r, r);
  Fill(cr, {0, 0, 0, 0.25});
  Coin(cr, x - r * 0.15, cy, r, 0);
}

void StockPlate(cairo_t* cr, double w, double h, double iconW) {
  RoundRect(cr, 2, 3, w - 4, h - 4, 10);
  Fill(cr, {0, 0, 0, 0.25});
  RoundRect(cr, 2, 2, w - 4, h - 5, 10);
  FillVerticalStroke(cr, 2, h - 3, Hex(0x6a4a7a), Hex(0x3a2448), Hex(0xffd25a), 2);
  RoundRect(cr, 6, 6, iconW, h - 13, 7);
  FillVertical(cr, 6, h - 7, Hex(0xfff6dc), Hex(0xf0d8a8));
  Gloss(cr, 2, 2, w - 4, h - 5, 10, 0.18);
}

void ArrowSign(cairo_t* cr, double x, double y, double w, double h, const std::string& text, Rgb board,
               bool over, bool pointRight) {
  if (over) board = Lighter(board, 0.25);
  // Drawn pointing left; a right-pointing sign is the mirror image, its
  // words written afterwards the right way round.
  cairo_save(cr);
  if (pointRight) {
    cairo_translate(cr, 2 * x + w, 0);
    cairo_scale(cr, -1, 1);
  }
  double postX = x + w * 0.62;
  // The post, stuck in a little mound of sand.
  Ellipse(cr, postX, y + h - 7, w * 0.2, 6);
  FillStroke(cr, Hex(0xe8cf8a), Palette::kInk, 1.5);
  cairo_rectangle(cr, postX - 6, y + h * 0.2, 12, h * 0.8 - 8);
  FillVerticalStroke(cr, y, y + h, Hex(0xa06a36), Hex(0x6a4420), Palette::kInk, 2);
  // The arrow board.
  double by = y + h * 0.14, bh = h * 0.42, tip = bh * 0.55;
  auto arrow = [&](double dy) {
    cairo_new_path(cr);
    cairo_move_to(cr, x + 3, by + bh / 2 + dy);
    cairo_line_to(cr, x + 3 + tip, by + dy);
    cairo_line_to(cr, x + w - 6, by + dy + 3);
    cairo_line_to(cr, x + w - 3, by + bh + dy - 2);
    cairo_line_to(cr, x + 3 + tip, by + bh + dy);
    cairo_close_path(cr);
  };
  arrow(3);
  Fill(cr, {0, 0, 0, 0.3});
  arrow(0);
  FillVertical(cr, by, by + bh, Lighter(board, 0.3), Darker(board, 0.1));
  cairo_save(cr);
  arrow(0);
  cairo_clip(cr);
  cairo_set_line_width(cr, 1.2);
  SetColor(cr, WithAlpha(Darker(board, 0.45), 0.5));
  for (double yy = by + bh / 3; yy < by + bh; yy += bh / 3) {
    cairo_move_to(cr, x, yy);
    cairo_line_to(cr, x + w, yy + 2);
  }
  cairo_stroke(cr);
  cairo_restore(cr);
  arrow(0);
  cairo_set_line_width(cr, 2.5);
  SetColor(cr, Palette::kInk);
  cairo_stroke(cr);
  for (double nx : {x + w - 16, x + tip + 8}) {
    Ellipse(cr, nx, by + bh / 2, 2.2, 2.2);
    Fill(cr, Hex(0x4a3a2a));
  }
  cairo_restore(cr);
  TextStyle s{Face::ComicBold, bh * 0.62, Palette::kWhite, Palette::kInk, 3};
  double tx = x + tip + (w - tip) / 2 - 4;
  if (pointRight) tx = 2 * x + w - tx;
  FitText(cr, s, tx, by + bh / 2, w - tip - 30, bh * 0.7, text);
}

void OpenDoor(cairo_t* cr, double x, double y, double w, double h, Rgb wood, Rgb outside, bool over) {
  if (over) wood = Lighter(wood, 0.2);
  double r = w * 0.45;
  auto opening = [&](double in) {
    cairo_new_path(cr);
    cairo_move_to(cr, x + in, y + h);
    cairo_line_to(cr, x + in, y + r);
    cairo_arc(cr, x + w / 2, y + r, w / 2 - in, M_PI, 2 * M_PI);
    cairo_line_to(cr, x + w - in, y + h);
    cairo_close_path(cr);
  };
  opening(0);
  FillStroke(cr, wood, Palette::kInk, 2.5);
  opening(w * 0.12);
  FillVertical(cr, y, y + h, Lighter(outside, over ? 0.6 : 0.35), outside);
  // Light spilling out.
  cairo_save(cr);
  opening(w * 0.12);
  cairo_clip(cr);
  SoftOval(cr, x + w / 2, y + h, w * 0.5, h * 0.3, {1, 1, 0.85, over ? 0.9 : 0.6});
  cairo_restore(cr);
  opening(w * 0.12);
  cairo_set_line_width(cr, 2);
  SetColor(cr, Palette::kInk);
  cairo_stroke(cr);
  // The door leaf, swung inwards to the right.
  double lx = x + w * 0.72;
  cairo_new_path(cr);
  cairo_move_to(cr, x + w - w * 0.12, y + r * 0.6);
  cairo_line_to(cr, lx, y + r * 0.9);
  cairo_line_to(cr, lx, y + h - 2);
  cairo_line_to(cr, x + w - w * 0.12, y + h);
  cairo_close_path(cr);
  FillStroke(cr, Darker(wood, 0.15), Palette::kInk, 2);
  Ellipse(cr, lx + 5, y + h * 0.6, 2.5, 2.5);
  FillStroke(cr, Palette::kGold, Palette::kInk, 1);
}

void Moulding(cairo_t* cr, double h, Rgb top, Rgb bottom) {
  cairo_rectangle(cr, 0, 0, 800, h);
  FillVertical(cr, 0, h, top, bottom);
  cairo_move_to(cr, 0, h);
  cairo_line_to(cr, 800, h);
  cairo_set_line_width(cr, 2);
  SetColor(cr, Palette::kInk);
  cairo_stroke(cr);
}

void RecedingFloor(cairo_t* cr, double floorY, Rgb far, Rgb near, Rgb seams, double spacing, double spread) {
  cairo_rectangle(cr, 0, floorY, 800, 600 - floorY);
  FillVertical(cr, floorY, 600, far, near);
  cairo_set_line_width(cr, 1.4);
  SetColor(cr, seams);
  for (double x = -600; x < 1400; x += spacing) {
    cairo_move_to(cr, 400 + (x - 400) * spread, floorY);
    cairo_line_to(cr, x, 600);
  }
  cairo_stroke(cr);
}

void Crate(cairo_t* cr, double x, double y, double w, double depth, double bottom, Rgb wood) {
  // Top face.
  cairo_rectangle(cr, x, y, w, depth);
  FillVerticalStroke(cr, y, y + depth, Lighter(wood, 0.25), Lighter(wood, 0.1), Palette::kInk, 2);
  // Front face with slats.
  double fy = y + depth, fh = bottom - fy;
  cairo_rectangle(cr, x, fy, w, fh);
  FillVertical(cr, fy, bottom, wood, Darker(wood, 0.2));
  int slats = std::max(2, static_cast<int>(fh / 14));
  cairo_set_line_width(cr, 1.2);
  SetColor(cr, WithAlpha(Darker(wood, 0.5), 0.7));
  for (int i = 1; i < slats; ++i) {
    cairo_move_to(cr, x, fy + fh * i / slats);
    cairo_line_to(cr, x + w, fy + fh * i / slats);
  }
  cairo_stroke(cr);
  for (double px : {x + 3.0, x + w - 9}) {
    cairo_rectangle(cr, px, fy, 6, fh);
    FillStroke(cr, Darker(wood, 0.12), WithAlpha(Palette::kInk, 0.6), 1);
  }
  cairo_rectangle(cr, x, fy, w, fh);
  cairo_set_line_width(cr, 2);
  SetColor(cr, Palette::kInk);
  cairo_stroke(cr);
}

void FurledSunshade(cairo_t* cr, double cx, double top, double bottom, double w, Rgb a, Rgb b, bool fringe) {
  double foot = bottom - 8;
  // Cross foot and pole.
  Ellipse(cr, cx, foot + 2, w * 0.42, 5);
  Fill(cr, {0, 0, 0, 0.25});
  cairo_rectangle(cr, cx - w * 0.4, foot - 4, w * 0.8, 7);
  FillStroke(cr, Hex(0x8a8a96), Palette::kInk, 1.5);
  cairo_rectangle(cr, cx - 2.5, top + 10, 5, foot - top - 10);
  FillStroke(cr, Hex(0xe8e0d0), Palette::kInk, 1.4);
  // The furled canopy: a long spindle of cloth in folds, tied with a band.
  double ct = top + 10, cb = top + (bottom - top) * 0.62, mid = ct + (cb - ct) * 0.72;
  double hw = w * 0.3;
  auto spindle = [&] {
    cairo_new_path(cr);
    cairo_move_to(cr, cx, ct);
    cairo_curve_to(cr, cx + hw * 0.6, ct + (mid - ct) * 0.3, cx + hw, mid - 10, cx + hw, mid);
    cairo_curve_to(cr, cx + hw, mid + 8, cx + hw * 0.8, cb - 4, cx + hw * 0.25, cb);
    cairo_line_to(cr, cx - hw * 0.25, cb);
    cairo_curve_to(cr, cx - hw * 0.8, cb - 4, cx - hw, mid + 8, cx - hw, mid);
    cairo_curve_to(cr, cx - hw, mid - 10, cx - hw * 0.6, ct + (mid - ct) * 0.3, cx, ct);
    cairo_close_path(cr);
  };
  spindle();
  Fill(cr, a);
  cairo_save(cr);
  spindle();
  cairo_clip(cr);
  // Diagonal stripes of the second colour wound round it.
  for (int i = -6; i < 14; ++i) {
    double y0 = ct + i * 14;
    cairo_new_path(cr);
    cairo_move_to(cr, cx - hw - 2, y0);
    cairo_line_to(cr, cx + hw + 2, y0 - 12);
    cairo_line_to(cr, cx + hw + 2, y0 - 5);
    cairo_line_to(cr, cx - hw - 2, y0 + 7);
    cairo_close_path(cr);
    Fill(cr, b);
  }
  cairo_rectangle(cr, cx - hw, ct, hw * 0.6, cb - ct);
  Fill(cr, {0, 0, 0, 0.12});
  cairo_rectangle(cr, cx + hw * 0.2, ct, hw * 0.3, cb - ct);
  Fill(cr, {1, 1, 1, 0.25});
  cairo_restore(cr);
  spindle();
  cairo_set_line_width(cr, 1.8);
  SetColor(cr, Palette::kInk);
  cairo_stroke(cr);
  // The band and the tip.
  RoundRect(cr, cx - hw - 1, mid - 4, 2 * hw + 2, 7, 3);
  FillStroke(cr, fringe ? Palette::kGold : Hex(0xffffff), Palette::kInk, 1.4);
  if (fringe) {
    cairo_set_line_width(cr, 1.6);
    SetColor(cr, Palette::kGold);
    for (int i = 0; i < 5; ++i) {
      double fx = cx - hw * 0.5 + hw * 0.25 * i;
      cairo_move_to(cr, fx, cb);
      cairo_line_to(cr, fx, cb + 6);
    }
    cairo_stroke(cr);
  }
  Ellipse(cr, cx, top + 7, 4, 4);
  FillStroke(cr, Palette::kGold, Palette::kInk, 1.3);
}

}  // namespace Plix::DataBuild
