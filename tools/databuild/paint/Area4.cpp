// The fairground (Area4 group): grass with confetti and bunting, striped
// tent sections, a roller coaster at the back, a high striker, big balls and
// a bunch of balloons from which one flies away each day.

#include <cmath>

#include "tools/databuild/Painters.h"
#include "tools/databuild/Props.h"

namespace Plix::DataBuild {

namespace {

void PaintBackground(Cel& c) {
  cairo_t* cr = c.cr;
  PlayGround(cr, Hex(0xa4dc84), Hex(0x76c05c), Hex(0xffd6a0), 44, true);
  // Confetti.
  Rand rnd(15);
  static const uint32_t cols[] = {0xff5a5a, 0xffd23a, 0x3ab0ff, 0xb05ae0, 0xffffff};
  for (int i = 0; i < 140; ++i) {
    double x = rnd.Uniform(0, 800), y = rnd.Uniform(50, 560);
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_rotate(cr, rnd.Uniform(0, 3));
    cairo_rectangle(cr, -2, -1, 4, 2);
    cairo_restore(cr);
    Fill(cr, WithAlpha(Hex(cols[i % 5]), 0.8));
  }
  // Bunting along the far edge.
  cairo_move_to(cr, -10, 6);
  for (int i = 0; i < 9; ++i) cairo_curve_to(cr, i * 100 + 30, 26, i * 100 + 70, 26, i * 100 + 100, 6);
  cairo_set_line_width(cr, 1.5);
  SetColor(cr, Palette::kInk);
  cairo_stroke(cr);
  for (int i = 0; i < 40; ++i) {
    double x = i * 20 + 6, t = std::fmod(x, 100) / 100;
    double y = 6 + std::sin(t * M_PI) * 15;
    cairo_move_to(cr, x - 6, y);
    cairo_line_to(cr, x + 6, y);
    cairo_line_to(cr, x, y + 14);
    cairo_close_path(cr);
    FillStroke(cr, Hex(cols[i % 4]), Palette::kInk, 1);
  }
}
PAINTER("IMAGE_BACKGROUND_4", PaintBackground);

void BigBall(cairo_t* cr, double w, double h, int kind) {
  double r = std::min(w, h) / 2 - 2, cx = w / 2, cy = h / 2 - 1;
  Ellipse(cr, cx, h - 3, r * 0.8, 3);
  Fill(cr, {0, 0, 0, 0.2});
  static const uint32_t a[] = {0xff4a5a, 0x3ab0ff}, b[] = {0xffd23a, 0xffffff};
  for (int i = 0; i < 6; ++i) {
    cairo_move_to(cr, cx, cy);
    cairo_arc(cr, cx, cy, r, i * M_PI / 3, (i + 1) * M_PI / 3);
    cairo_close_path(cr);
    Fill(cr, Hex(i % 2 ? a[kind] : b[kind]));
  }
  Ellipse(cr, cx, cy, r, r);
  cairo_set_line_width(cr, 2);
  SetColor(cr, Palette::kInk);
  cairo_stroke(cr);
  Ellipse(cr, cx, cy, r * 0.2, r * 0.2);
  Fill(cr, Palette::kWhite);
  SoftOval(cr, cx - r * 0.35, cy - r * 0.4, r * 0.3, r * 0.2, {1, 1, 1, 0.8});
}
void PaintBall1(Cel& c) { BigBall(c.cr, c.w, c.h, 0); }
void PaintBall2(Cel& c) { BigBall(c.cr, c.w, c.h, 1); }
PAINTER("IMAGE_BG4_BALL_1", PaintBall1);
PAINTER("IMAGE_BG4_BALL_2", PaintBall2);

void Balloon(cairo_t* cr, double cx, double cy, double r, Rgb c) {
  cairo_new_path(cr);
  cairo_move_to(cr, cx, cy + r * 1.2);
  cairo_curve_to(cr, cx - r * 1.3, cy + r * 0.6, cx - r * 1.1, cy - r, cx, cy - r);
  cairo_curve_to(cr, cx + r * 1.1, cy - r, cx + r * 1.3, cy + r * 0.6, cx, cy + r * 1.2);
  cairo_close_path(cr);
  FillStroke(cr, c, Palette::kInk, 1.8);
  cairo_move_to(cr, cx - 3, cy + r * 1.3);
  cairo_line_to(cr, cx + 3, cy + r * 1.3);
  cairo_line_to(cr, cx, cy + r * 1.15);
  cairo_close_path(cr);
  FillStroke(cr, c, Palette::kInk, 1.2);
  SoftOval(cr, cx - r * 0.35, cy - r * 0.4, r * 0.25, r * 0.35, {1, 1, 1, 0.7});
}

// One balloon on its string; the flying one is this same picture.
void PaintBalloon(Cel& c) {
  cairo_t* cr = c.cr;
  cairo_move_to(cr, c.w / 2, 40);
  cairo_curve_to(cr, c.w / 2 + 6, 52, c.w / 2 - 6, 66, c.w / 2, c.h - 2);
  cairo_set_line_width(cr, 1.2);
  SetColor(cr, Palette::kInk);
  cairo_stroke(cr);
  Balloon(cr, c.w / 2, 18, 14, Hex(0xff5a8a));
}
PAINTER("IMAGE_BG4_BALLOON", PaintBalloon);

// A bunch of balloons tied to a post.
void PaintBalloons(Cel& c) {
  cairo_t* cr = c.cr;
  double px = c.w / 2, knot = 110;
  cairo_rectangle(cr, px - 4, knot, 8, c.h - knot - 4);
  FillStroke(cr, Hex(0xc8904a), Palette::kInk, 1.8);
  Ellipse(cr, px, c.h - 4, 14, 4);
  FillStroke(cr, Hex(0x8a5a2a), Palette::kInk, 1.4);
  const double bs[][3] = {{-28, 30, 0}, {0, 18, 1}, {28, 30, 2}, {-16, 56, 3}, {18, 58, 4}};
  static const uint32_t cols[] = {0x3ab0ff, 0xffd23a, 0x6ad04a, 0xb05ae0, 0xff8a3a};
  for (auto& b : bs) {
    cairo_move_to(cr, px, knot);
    cairo_line_to(cr, px + b[0], b[1] + 18);
  }
  cairo_set_line_width(cr, 1.1);
  SetColor(cr, Palette::kInk);
  cairo_stroke(cr);
  for (auto& b : bs) Balloon(cr, px + b[0], b[1], 14, Hex(cols[int(b[2])]));
}
PAINTER("IMAGE_BG4_BALLOONS", PaintBalloons);

// The high striker: a tall scale with a bell on top and a mallet.
void PaintHammer(Cel& c) {
  cairo_t* cr = c.cr;
  double cx = c.w / 2 + 6;
  RoundRect(cr, cx - 22, c.h - 22, 44, 18, 4);
  FillStroke(cr, Hex(0xe83a5a), Palette::kInk, 2);
  Ellipse(cr, cx, c.h - 22, 10, 4);
  FillStroke(cr, Hex(0xd8e0e8), Palette::kInk, 1.4);
  GradientBox(cr, cx - 9, 26, 18, c.h - 48, 4, Hex(0xfff4dc), Hex(0xf0d8b0), Palette::kInk, 2);
  static const uint32_t cols[] = {0x6ad04a, 0xa8e050, 0xffd23a, 0xff9a3a, 0xf04040};
  for (int i = 0; i < 10; ++i) {
    double y = c.h - 34 - i * 16;
    cairo_rectangle(cr, cx - 6, y, 12, 8);
    Fill(cr, Hex(cols[i / 2]));
  }
  Ellipse(cr, cx, 20, 12, 11);
  FillStroke(cr, Palette::kGold, Palette::kInk, 2);
  Ellipse(cr, cx - 4, 16, 3, 2);
  Fill(cr, {1, 1, 1, 0.8});
  // The mallet leaning on it.
  cairo_move_to(cr, cx - 30, c.h - 6);
  cairo_line_to(cr, cx - 14, c.h - 70);
  cairo_set_line_width(cr, 5);
  SetColor(cr, Palette::kInk);
  cairo_stroke_preserve(cr);
  cairo_set_line_width(cr, 3);
  SetColor(cr, Hex(0xc8904a));
  cairo_stroke(cr);
  cairo_save(cr);
  cairo_translate(cr, cx - 13, c.h - 76);
  cairo_rotate(cr, 0.25);
  RoundRect(cr, -12, -8, 24, 14, 4);
  FillStroke(cr, Hex(0x8a5a2a), Palette::kInk, 1.8);
  cairo_restore(cr);
}
PAINTER("IMAGE_BG4_HAMMER", PaintHammer);

// The roller coaster at the back: a track on trestles with a loop.
void PaintCoaster(Cel& c) {
  cairo_t* cr = c.cr;
  auto track = [&] {
    cairo_new_path(cr);
    cairo_move_to(cr, 6, 180);
    cairo_curve_to(cr, 40, 40, 90, 30, 120, 120);
    cairo_curve_to(cr, 140, 176, 170, 170, 190, 110);
    cairo_curve_to(cr, 200, 70, 250, 60, 262, 110);
    cairo_curve_to(cr, 272, 150, 230, 150, 236, 110);
    cairo_curve_to(cr, 244, 70, 300, 40, 340, 100);
    cairo_curve_to(cr, 370, 150, 390, 170, 414, 150);
  };
  // Trestles.
  cairo_set_line_width(cr, 2);
  SetColor(cr, Hex(0xc88a5a));
  for (double x = 16; x < 414; x += 22) {
    cairo_move_to(cr, x, 196);
    cairo_line_to(cr, x + 6, 60 + std::fabs(std::sin(x * 0.02)) * 90);
  }
  cairo_stroke(cr);
  track();
  cairo_set_line_width(cr, 10);
  SetColor(cr, Palette::kInk);
  cairo_stroke(cr);
  track();
  cairo_set_line_width(cr, 6);
  SetColor(cr, Hex(0xe83a5a));
  cairo_stroke(cr);
  track();
  cairo_set_line_width(cr, 1.5);
  double dash[] = {4, 6};
  cairo_set_dash(cr, dash, 2, 0);
  SetColor(cr, Palette::kWhite);
  cairo_stroke(cr);
  cairo_set_dash(cr, nullptr, 0, 0);
  // A car at the top.
  cairo_save(cr);
  cairo_translate(cr, 70, 62);
  cairo_rotate(cr, 0.2);
  RoundRect(cr, -16, -12, 32, 14, 5);
  FillStroke(cr, Hex(0x3ab0ff), Palette::kInk, 1.8);
  for (double x : {-8.0, 6.0}) {
    Ellipse(cr, x, -16, 4, 4);
    FillStroke(cr, Hex(0xf0c094), Palette::kInk, 1.2);
  }
  cairo_restore(cr);
}
PAINTER("IMAGE_BG4_ROLLERCOASTER", PaintCoaster);

// Striped tent sections with scalloped valances.
void PaintStripes(Cel& c) {
  cairo_t* cr = c.cr;
  bool first = c.decl.id.back() == '1';
  Rgb a = first ? Hex(0xff5a5a) : Hex(0x3ab0ff), b = Hex(0xffffff);
  double top = 6, val = c.h - 22;
  RoundRect(cr, 2, top, c.w - 4, val - top, 6);
  Fill(cr, b);
  cairo_save(cr);
  RoundRect(cr, 2, top, c.w - 4, val - top, 6);
  cairo_clip(cr);
  for (double x = 0; x < c.w; x += 24) {
    cairo_rectangle(cr, x, top, 12, val);
    Fill(cr, a);
  }
  cairo_restore(cr);
  RoundRect(cr, 2, top, c.w - 4, val - top, 6);
  cairo_set_line_width(cr, 2);
  SetColor(cr, Palette::kInk);
  cairo_stroke(cr);
  for (double x = 2; x < c.w - 2; x += 24) {
    cairo_new_path(cr);
    cairo_move_to(cr, x, val);
    cairo_line_to(cr, x + 24, val);
    cairo_curve_to(cr, x + 24, val + 16, x, val + 16, x, val);
    cairo_close_path(cr);
    FillStroke(cr, Palette::kGold, Palette::kInk, 1.6);
  }
}
PAINTER("IMAGE_BG4_STRIPES_1", PaintStripes);
PAINTER("IMAGE_BG4_STRIPES_2", PaintStripes);

}  // namespace

}  // namespace Plix::DataBuild
