// The circus yard (Circus group): the big top with its entrance at the far
// left, the monkeys' bench, the circus man's treat booth and the fruit
// stand, with the sitting, walking and bowing monkeys, the man's strips,
// the treats and the lessons for sale.

#include <cmath>
#include <functional>

#include "tools/databuild/Figure.h"
#include "tools/databuild/Food.h"
#include "tools/databuild/Painters.h"
#include "tools/databuild/Props.h"
#include "tools/databuild/Shops.h"

namespace Plix::DataBuild {

namespace {

const Rgb kTentRed = Hex(0xe83a4a);
const Rgb kTentCream = Hex(0xfff4dc);
const Rgb kWoodLight = Hex(0xc8904a);

// ---------------------------------------------------------------- tent

// The tent's entrance: a dark opening x 0..100 from y 354 with the left
// curtain tied back over x 0..60 (it hides where Vurez is clipped) and the
// valance along the top. Drawn into the background and, the same, into
// the picture laid over her while she walks (offset oy = 354 there).
void EntranceCurtain(cairo_t* cr, double oy) {
  double top = 354 - oy;
  // The curtain gathered at the left, tied with a gold rope.
  cairo_new_path(cr);
  cairo_move_to(cr, -4, top);
  cairo_line_to(cr, 64, top);
  cairo_curve_to(cr, 50, top + 60, 30, top + 90, 30, top + 112);
  cairo_curve_to(cr, 34, top + 150, 62, top + 200, 66, 600 - oy);
  cairo_line_to(cr, -4, 600 - oy);
  cairo_close_path(cr);
  FillVertical(cr, top, 600 - oy, kTentRed, Darker(kTentRed, 0.2));
  cairo_save(cr);
  cairo_new_path(cr);
  cairo_move_to(cr, -4, top);
  cairo_line_to(cr, 64, top);
  cairo_curve_to(cr, 50, top + 60, 30, top + 90, 30, top + 112);
  cairo_curve_to(cr, 34, top + 150, 62, top + 200, 66, 600 - oy);
  cairo_line_to(cr, -4, 600 - oy);
  cairo_close_path(cr);
  cairo_clip_preserve(cr);
  cairo_set_line_width(cr, 2.5);
  SetColor(cr, Palette::kInk);
  cairo_stroke(cr);
  // Folds.
  cairo_set_line_width(cr, 1.6);
  SetColor(cr, WithAlpha(Darker(kTentRed, 0.5), 0.7));
  for (int i = 0; i < 4; ++i) {
    double x0 = 8 + i * 14;
    cairo_move_to(cr, x0, top);
    cairo_curve_to(cr, x0 * 0.6 + 6, top + 80, 16 + i * 4, top + 110, 18 + i * 4, top + 112);
    cairo_move_to(cr, 20 + i * 4, top + 118);
    cairo_curve_to(cr, 22 + i * 6, top + 170, 30 + i * 10, top + 210, 36 + i * 10, 600 - oy);
  }
  cairo_stroke(cr);
  cairo_restore(cr);
  RoundRect(cr, 18, top + 104, 24, 14, 6);
  FillStroke(cr, Palette::kGold, Palette::kInk, 1.8);
  cairo_move_to(cr, 30, top + 116);
  cairo_curve_to(cr, 36, top + 130, 26, top + 140, 34, top + 150);
  cairo_set_line_width(cr, 3);
  SetColor(cr, Palette::kGold);
  cairo_stroke(cr);
  // The valance over the opening.
  for (int i = 0; i < 5; ++i) {
    double x = -4 + i * 24;
    cairo_new_path(cr);
    cairo_move_to(cr, x, top - 6);
    cairo_line_to(cr, x + 24, top - 6);
    cairo_line_to(cr, x + 24, top + 6);
    cairo_curve_to(cr, x + 24, top + 20, x, top + 20, x, top + 6);
    cairo_close_path(cr);
    FillStroke(cr, i % 2 ? kTentCream : Palette::kGold, Palette::kInk, 1.6);
  }
}

void BigTop(cairo_t* cr) {
  const double eave = 296, peakX = 118, peakY = 112, x0 = -90, x1 = 318;
  // The wall below the eave with the dark entrance.
  cairo_rectangle(cr, x0, eave, x1 - x0, 600 - eave);
  FillVertical(cr, eave, 600, kTentCream, Darker(kTentCream, 0.12));
  cairo_save(cr);
  cairo_rectangle(cr, x0, eave, x1 - x0, 600 - eave);
  cairo_clip(cr);
  for (double x = x0; x < x1; x += 48) {
    cairo_rectangle(cr, x, eave, 24, 600 - eave);
    FillVertical(cr, eave, 600, kTentRed, Darker(kTentRed, 0.15));
  }
  cairo_restore(cr);
  cairo_rectangle(cr, x0, eave, x1 - x0, 600 - eave);
  cairo_set_line_width(cr, 3);
  SetColor(cr, Palette::kInk);
  cairo_stroke(cr);
  // The dark inside of the entrance, arched at the top.
  cairo_new_path(cr);
  cairo_move_to(cr, -2, 600);
  cairo_line_to(cr, -2, 354);
  cairo_line_to(cr, 100, 354);
  cairo_line_to(cr, 104, 600);
  cairo_close_path(cr);
  FillVertical(cr, 354, 600, Hex(0x2a1030), Hex(0x4a2040));
  SoftOval(cr, 70, 470, 40, 90, {1, 0.8, 0.4, 0.25});
  cairo_new_path(cr);
  cairo_move_to(cr, 104, 600);
  cairo_line_to(cr, 100, 354);
  cairo_set_line_width(cr, 3);
  SetColor(cr, Palette::kInk);
  cairo_stroke(cr);
  // The roof: a cone of stripes from the eave to the peak.
  auto roof = [&] {
    cairo_new_path(cr);
    cairo_move_to(cr, x0 - 10, eave + 8);
    cairo_curve_to(cr, x0 + 40, eave - 60, peakX - 40, peakY + 40, peakX, peakY);
    cairo_curve_to(cr, peakX + 40, peakY + 40, x1 - 30, eave - 60, x1 + 12, eave + 8);
    cairo_close_path(cr);
  };
  roof();
  Fill(cr, kTentCream);
  cairo_save(cr);
  roof();
  cairo_clip(cr);
  for (int i = -6; i <= 6; i += 2) {
    cairo_new_path(cr);
    cairo_move_to(cr, peakX, peakY);
    cairo_line_to(cr, peakX + i * 36, eave + 20);
    cairo_line_to(cr, peakX + (i + 1) * 36, eave + 20);
    cairo_close_path(cr);
    Fill(cr, kTentRed);
  }
  SoftOval(cr, peakX - 60, eave - 70, 80, 60, {1, 1, 1, 0.18});
  cairo_restore(cr);
  roof();
  cairo_set_line_width(cr, 3);
  SetColor(cr, Palette::kInk);
  cairo_stroke(cr);
  // Scalloped eave.
  for (double x = x0 - 10; x < x1 + 10; x += 26) {
    cairo_new_path(cr);
    cairo_move_to(cr, x, eave);
    cairo_line_to(cr, x + 26, eave);
    cairo_curve_to(cr, x + 26, eave + 22, x, eave + 22, x, eave);
    cairo_close_path(cr);
    FillStroke(cr, Palette::kGold, Palette::kInk, 1.8);
  }
  // The pole and its pennant.
  cairo_rectangle(cr, peakX - 3, 26, 6, peakY - 22);
  FillStroke(cr, Hex(0xd8d0c0), Palette::kInk, 1.6);
  cairo_move_to(cr, peakX + 3, 28);
  cairo_line_to(cr, peakX + 40, 38);
  cairo_line_to(cr, peakX + 3, 50);
  cairo_close_path(cr);
  FillStroke(cr, Hex(0x3ab0ff), Palette::kInk, 1.6);
  Ellipse(cr, peakX, 24, 5, 5);
  FillStroke(cr, Palette::kGold, Palette::kInk, 1.4);
  EntranceCurtain(cr, 0);
}

// ---------------------------------------------------------------- the yard

void Bunting(cairo_t* cr, double x0, double y0, double x1, double y1, double sag) {
  static const uint32_t flags[] = {0xff4a5a, 0xffd23a, 0x3ab0ff, 0x4ac84a, 0xff8a3a, 0xb070ff};
  auto at = [&](double t) {
    return Vec{x0 + (x1 - x0) * t, y0 + (y1 - y0) * t + sag * 4 * t * (1 - t)};
  };
  cairo_move_to(cr, x0, y0);
  for (int i = 1; i <= 20; ++i) {
    Vec p = at(i / 20.0);
    cairo_line_to(cr, p.x, p.y);
  }
  cairo_set_line_width(cr, 1.5);
  SetColor(cr, Palette::kInk);
  cairo_stroke(cr);
  int n = static_cast<int>(std::hypot(x1 - x0, y1 - y0) / 26);
  for (int i = 1; i < n; ++i) {
    Vec a = at((i - 0.35) / n), b = at((i + 0.35) / n);
    cairo_move_to(cr, a.x, a.y);
    cairo_line_to(cr, b.x, b.y);
    cairo_line_to(cr, (a.x + b.x) / 2, (a.y + b.y) / 2 + 18);
    cairo_close_path(cr);
    FillStroke(cr, Hex(flags[i % 6]), Palette::kInk, 1.2);
  }
}

void Booth(cairo_t* cr) {
  // The circus man's treat booth: a striped kiosk with a scalloped roof.
  const double x0 = 372, x1 = 532, top = 250, counter = 452;
  cairo_rectangle(cr, x0 + 8, top + 40, x1 - x0 - 16, 552 - top - 40);
  FillVertical(cr, top, 552, Hex(0xffd25a), Hex(0xe8a830));
  cairo_save(cr);
  cairo_rectangle(cr, x0 + 8, top + 40, x1 - x0 - 16, 552 - top - 40);
  cairo_clip(cr);
  for (double x = x0 + 8; x < x1; x += 30) {
    cairo_rectangle(cr, x, top, 15, 320);
    Fill(cr, Hex(0x3a9ae8));
  }
  // The hatch: dark inside, with jars of treats on a shelf.
  cairo_rectangle(cr, x0 + 20, top + 58, x1 - x0 - 40, counter - top - 58);
  FillVertical(cr, top + 58, counter, Hex(0x3a2448), Hex(0x5a3a68));
  cairo_rectangle(cr, x0 + 20, top + 110, x1 - x0 - 40, 6);
  Fill(cr, kWoodLight);
  for (int i = 0; i < 4; ++i) {
    double jx = x0 + 42 + i * 26;
    GlassJar(cr, jx, top + 110, 20, 26, Hex(i % 2 ? 0xff4a5a : 0x3ab0ff), Hex(i % 2 ? 0xffd23a : 0xff8a3a), i % 3);
  }
  cairo_restore(cr);
  cairo_rectangle(cr, x0 + 8, top + 40, x1 - x0 - 16, 552 - top - 40);
  cairo_set_line_width(cr, 2.5);
  SetColor(cr, Palette::kInk);
  cairo_stroke(cr);
  // Counter board.
  cairo_rectangle(cr, x0, counter, x1 - x0, 14);
  FillStroke(cr, Lighter(kWoodLight, 0.2), Palette::kInk, 2.5);
  // Roof.
  cairo_new_path(cr);
  cairo_move_to(cr, x0 - 14, top + 44);
  cairo_line_to(cr, (x0 + x1) / 2, top - 6);
  cairo_line_to(cr, x1 + 14, top + 44);
  cairo_close_path(cr);
  FillStroke(cr, kTentRed, Palette::kInk, 2.5);
  for (double x = x0 - 14; x < x1 + 14; x += 22) {
    cairo_new_path(cr);
    cairo_move_to(cr, x, top + 42);
    cairo_line_to(cr, x + 22, top + 42);
    cairo_curve_to(cr, x + 22, top + 60, x, top + 60, x, top + 42);
    cairo_close_path(cr);
    FillStroke(cr, kTentCream, Palette::kInk, 1.6);
  }
  GoldStar(cr, (x0 + x1) / 2, top + 6, 9);
  // Its board of words.
  TextStyle t{Face::Lobster, 26, Palette::kWhite, Palette::kInk, 3};
  FitText(cr, t, (x0 + x1) / 2, top + 28, 80, 22, "Treats");
}

void FruitStand(cairo_t* cr) {
  const double x0 = 506, x1 = 786;
  // Posts.
  for (double px : {x0 + 4, x1 - 10}) {
    cairo_rectangle(cr, px, 250, 10, 290);
    FillStroke(cr, Hex(0xa8703a), Palette::kInk, 2);
  }
  // The awning.
  double top = 198, drop = 262;
  cairo_rectangle(cr, x0 - 8, top, x1 - x0 + 16, drop - top);
  Fill(cr, kTentCream);
  for (double x = x0 - 8; x < x1 + 8; x += 40) {
    cairo_rectangle(cr, x, top, 20, drop - top);
    Fill(cr, Hex(0x3ab070));
  }
  cairo_rectangle(cr, x0 - 8, top, x1 - x0 + 16, drop - top);
  cairo_set_line_width(cr, 2.5);
  SetColor(cr, Palette::kInk);
  cairo_stroke(cr);
  for (double x = x0 - 8; x < x1 + 8; x += 20) {
    cairo_new_path(cr);
    cairo_move_to(cr, x, drop);
    cairo_line_to(cr, x + 20, drop);
    cairo_curve_to(cr, x + 20, drop + 16, x, drop + 16, x, drop);
    cairo_close_path(cr);
    FillStroke(cr, static_cast<int>((x - x0) / 20) % 2 ? Hex(0x3ab070) : kTentCream, Palette::kInk, 1.5);
  }
  TextStyle t{Face::Lobster, 30, Hex(0xffd23a), Palette::kInk, 3};
  FitText(cr, t, (x0 + x1) / 2, top + 30, 180, 30, "Fresh Fruit");
  // The prize pedestal for the super banana.
  cairo_rectangle(cr, 660, 338, 32, 40);
  FillStroke(cr, Hex(0xfff4dc), Palette::kInk, 2);
  Ellipse(cr, 676, 336, 36, 10);
  FillStroke(cr, Hex(0xb02a5a), Palette::kInk, 2);
  SoftOval(cr, 676, 310, 50, 40, {1, 0.95, 0.5, 0.35});
  // The slanted display full of straw, low at the front.
  cairo_new_path(cr);
  cairo_move_to(cr, x0 - 6, 370);
  cairo_line_to(cr, x1 + 4, 396);
  cairo_line_to(cr, x1 + 4, 520);
  cairo_line_to(cr, x0 - 6, 536);
  cairo_close_path(cr);
  FillVertical(cr, 370, 536, Hex(0xf0d070), Hex(0xd8a840));
  cairo_save(cr);
  cairo_new_path(cr);
  cairo_move_to(cr, x0 - 6, 370);
  cairo_line_to(cr, x1 + 4, 396);
  cairo_line_to(cr, x1 + 4, 520);
  cairo_line_to(cr, x0 - 6, 536);
  cairo_close_path(cr);
  cairo_clip(cr);
  Rand rnd(8);
  cairo_set_line_width(cr, 1.2);
  SetColor(cr, WithAlpha(Hex(0xa87820), 0.7));
  for (int i = 0; i < 140; ++i) {
    double sx = rnd.Uniform(x0 - 6, x1), sy = rnd.Uniform(370, 536);
    double a = rnd.Uniform(-0.6, 0.6);
    cairo_move_to(cr, sx, sy);
    cairo_line_to(cr, sx + std::cos(a) * 14, sy + std::sin(a) * 14);
  }
  cairo_stroke(cr);
  cairo_restore(cr);
  cairo_new_path(cr);
  cairo_move_to(cr, x0 - 6, 370);
  cairo_line_to(cr, x1 + 4, 396);
  cairo_line_to(cr, x1 + 4, 520);
  cairo_line_to(cr, x0 - 6, 536);
  cairo_close_path(cr);
  cairo_set_line_width(cr, 2.5);
  SetColor(cr, Palette::kInk);
  cairo_stroke(cr);
  // The front board.
  cairo_new_path(cr);
  cairo_move_to(cr, x0 - 10, 530);
  cairo_line_to(cr, x1 + 8, 514);
  cairo_line_to(cr, x1 + 8, 548);
  cairo_line_to(cr, x0 - 10, 564);
  cairo_close_path(cr);
  FillStroke(cr, Hex(0xb87a40), Palette::kInk, 2.5);
}

void Bench(cairo_t* cr) {
  const double x0 = 160, x1 = 306, seat = 488;
  for (double lx : {x0 + 10, x1 - 20}) {
    cairo_rectangle(cr, lx, seat + 8, 10, 26);
    FillStroke(cr, Hex(0x3a7ad8), Palette::kInk, 2);
  }
  RoundRect(cr, x0, seat - 4, x1 - x0, 14, 5);
  FillVerticalStroke(cr, seat - 4, seat + 10, Hex(0xff7a5a), Hex(0xd84a3a), Palette::kInk, 2);
  for (double sx = x0 + 16; sx < x1 - 8; sx += 22) {
    Ellipse(cr, sx, seat + 3, 2.5, 2.5);
    Fill(cr, Palette::kGold);
  }
}

void PaintCircus(Cel& c) {
  cairo_t* cr = c.cr;
  SkyFill(cr, 800, 600, Hex(0x4ab8f0), Hex(0xd0f4ff));
  CloudPuff(cr, 420, 80, 1.0);
  CloudPuff(cr, 690, 60, 0.8);
  // Far hills and palms.
  cairo_move_to(cr, 0, 380);
  cairo_curve_to(cr, 200, 330, 420, 320, 560, 350);
  cairo_curve_to(cr, 680, 370, 760, 340, 800, 350);
  cairo_line_to(cr, 800, 420);
  cairo_line_to(cr, 0, 420);
  Fill(cr, Hex(0x7ac86a));
  PalmTree(cr, 350, 390, 200, -0.15);
  PalmTree(cr, 590, 370, 170, 0.2);
  // The ground with a sandy ring path.
  cairo_rectangle(cr, 0, 400, 800, 200);
  FillVertical(cr, 400, 600, Hex(0x8ed06a), Hex(0x5aa84a));
  Rand rnd(21);
  for (int i = 0; i < 30; ++i)
    GrassTuft(cr, rnd.Uniform(300, 800), rnd.Uniform(560, 600), 18, 10, Hex(0x4a9a3a), i);
  static const Vec path[] = {{259, 511}, {228, 527}, {177, 532}, {122, 524}, {80, 505}, {15, 497}};
  for (int pass = 0; pass < 2; ++pass) {
    cairo_new_path(cr);
    cairo_move_to(cr, 300, 505);
    for (const Vec& p : path) cairo_line_to(cr, p.x, p.y);
    cairo_line_to(cr, -10, 494);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_set_line_width(cr, pass == 0 ? 40 : 34);
    SetColor(cr, pass == 0 ? Hex(0xc8a060) : Hex(0xf0d498));
    cairo_stroke(cr);
  }
  BigTop(cr);
  // Bunting from the tent to the booth and the stand.
  Bunting(cr, 300, 250, 452, 246, 40);
  Bunting(cr, 532, 206, 790, 150, 30);
  // The cash plaque hung from the tent pole's arm.
  cairo_rectangle(cr, 118, 41, 110, 5);
  FillStroke(cr, Hex(0xd8d0c0), Palette::kInk, 1.4);
  CashPlaque(cr, 176, 78, 128, 34, 44);
  Booth(cr);
  FruitStand(cr);
  Bench(cr);
}
PAINTER("IMAGE_CIRCUS", PaintCircus);

void PaintTentOpening(Cel& c) { EntranceCurtain(c.cr, 354); }
PAINTER("IMAGE_CIRCUS_TENT_OPENING", PaintTentOpening);

void PaintTentLight(Cel& c) {
  cairo_t* cr = c.cr;
  SoftOval(cr, c.w / 2, c.h * 0.55, c.w / 2, c.h / 2, {1, 0.9, 0.55, 0.75});
  SoftOval(cr, c.w / 2, c.h * 0.6, c.w * 0.3, c.h * 0.35, {1, 0.98, 0.8, 0.6});
}
PAINTER("IMAGE_CIRCUS_TENT_LIGHT", PaintTentLight);

void PaintSign(Cel& c) {
  cairo_t* cr = c.cr;
  for (double px : {26.0, 96.0}) {
    cairo_rectangle(cr, px, 40, 8, 60);
    FillStroke(cr, Hex(0x8a5a2a), Palette::kInk, 1.6);
  }
  // A marquee board with light bulbs round it.
  RoundRect(cr, 4, 6, 122, 46, 10);
  Fill(cr, {0, 0, 0, 0.25});
  RoundRect(cr, 4, 2, 122, 46, 10);
  FillVerticalStroke(cr, 2, 48, Hex(0x7a3ad0), Hex(0x4a1a90), Palette::kInk, 2.5);
  for (int i = 0; i < 12; ++i) {
    double bx = 12 + i * 9.6;
    for (double by : {7.0, 43.0}) {
      Ellipse(cr, bx, by, 2.4, 2.4);
      Fill(cr, i % 2 ? Hex(0xfff6a0) : Hex(0xffd23a));
    }
  }
  TextStyle t{Face::Lobster, 30, Hex(0xffd23a), Palette::kInk, 3};
  FitText(cr, t, 65, 25, 104, 28, "Circus");
}
PAINTER("IMAGE_CIRCUS_SIGN", PaintSign);

void PaintExit(Cel& c) {
  bool over = c.decl.id == "IMAGE_CIRCUS_EXIT_OVER";
  DrawState(c.cr, over ? Look3::Over : Look3::Normal, [&](cairo_t* cr) {
    ArrowSign(cr, 12, 28, 142, 70, "Exit", Hex(0xff8a3a), over);
  }, 4);
}
PAINTER("IMAGE_CIRCUS_EXIT", PaintExit);
PAINTER("IMAGE_CIRCUS_EXIT_OVER", PaintExit);

void PaintShadow(Cel& c) { ShadowCel(c.cr, c.w, c.h); }
PAINTER("IMAGE_CIRCUS_MONKEY_SHADOW", PaintShadow);

// ---------------------------------------------------------------- goods

void ButtonCel(Cel& c, const std::function<void(cairo_t*)>& draw, double halo = 3) {
  DrawState(c.cr, c.index % 2 ? Look3::Over : Look3::Normal, draw, halo);
}

void Balls(cairo_t* cr, int n, double cx, double bottom, double s) {
  static const Vec at[4][4] = {
      {{-12, -12}, {12, -12}},
      {{-16, -12}, {16, -12}, {0, -30}},
      {{-24, -12}, {0, -12}, {24, -12}, {-12, -32}},
  };
  const Vec* p = at[n - 2];
  Ellipse(cr, cx, bottom - 3 * s, (n * 12 + 4) * s, 5 * s);
  Fill(cr, {0, 0, 0, 0.25});
  for (int i = 0; i < n; ++i) JugglingBall(cr, cx + p[i].x * s, bottom + p[i].y * s, 12 * s, i);
}

void PaintBalls(Cel& c) {
  int n = c.decl.id == "IMAGE_CIRCUS_TWO_BALLS" ? 2 : c.decl.id == "IMAGE_CIRCUS_THREE_BALLS" ? 3 : 4;
  ButtonCel(c, [&](cairo_t* cr) { Balls(cr, n, c.w / 2, c.h - 4, 1.0); });
}
PAINTER("IMAGE_CIRCUS_TWO_BALLS", PaintBalls);
PAINTER("IMAGE_CIRCUS_THREE_BALLS", PaintBalls);
PAINTER("IMAGE_CIRCUS_FOUR_BALLS", PaintBalls);

// A small barrel organ on a cart, the crank at its side, a sheet of music
// sticking out.
void SmallOrgan(cairo_t* cr, double cx, double bottom, double s) {
  double w = 54 * s, h = 50 * s, x = cx - w / 2, y = bottom - h - 10 * s;
  for (double wx : {x + 8 * s, x + w - 8 * s}) {
    Ellipse(cr, wx, bottom - 8 * s, 8 * s, 8 * s);
    FillStroke(cr, Hex(0x5a3a22), Palette::kInk, 1.6);
    Ellipse(cr, wx, bottom - 8 * s, 2.5 * s, 2.5 * s);
    Fill(cr, Palette::kGold);
  }
  // Music sheet.
  cairo_save(cr);
  cairo_translate(cr, x + w * 0.7, y + 2 * s);
  cairo_rotate(cr, 0.25);
  cairo_rectangle(cr, -8 * s, -22 * s, 18 * s, 24 * s);
  FillStroke(cr, Hex(0xfffbe8), Palette::kInk, 1.2);
  cairo_set_line_width(cr, 0.8);
  SetColor(cr, Palette::kInk);
  for (int i = 0; i < 4; ++i) {
    cairo_move_to(cr, -6 * s, (-18 + i * 4) * s);
    cairo_line_to(cr, 8 * s, (-18 + i * 4) * s);
  }
  cairo_stroke(cr);
  cairo_restore(cr);
  RoundRect(cr, x, y, w, h, 8 * s);
  FillVerticalStroke(cr, y, y + h, Hex(0xe0905a), Hex(0xb0602a), Palette::kInk, 2);
  RoundRect(cr, x + 6 * s, y + 6 * s, w - 12 * s, h * 0.5, 5 * s);
  FillStroke(cr, Hex(0x6a2a1a), Palette::kInk, 1.2);
  for (int i = 0; i < 5; ++i) {
    double px = x + 11 * s + i * (w - 22 * s) / 4, ph = (10 + 6 * ((i * 7) % 3)) * s;
    RoundRect(cr, px - 3 * s, y + 6 * s + h * 0.5 - ph - 2 * s, 6 * s, ph, 2 * s);
    FillStroke(cr, Palette::kGold, Palette::kInk, 1);
  }
  Ellipse(cr, cx, y + h * 0.78, 6 * s, 6 * s);
  FillStroke(cr, Hex(0xffd23a), Palette::kInk, 1.2);
  // Crank.
  cairo_move_to(cr, x - 1, y + h * 0.45);
  cairo_line_to(cr, x - 9 * s, y + h * 0.3);
  cairo_set_line_width(cr, 3 * s);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  SetColor(cr, Palette::kInk);
  cairo_stroke(cr);
  RoundRect(cr, x - 12 * s, y + h * 0.3 - 8 * s, 6 * s, 10 * s, 2 * s);
  FillStroke(cr, Hex(0xe83a5a), Palette::kInk, 1.2);
  // A note.
  double nx = x + w * 0.2, ny = y - 8 * s;
  Ellipse(cr, nx, ny, 4 * s, 3 * s);
  Fill(cr, Palette::kInk);
  cairo_move_to(cr, nx + 3.5 * s, ny);
  cairo_line_to(cr, nx + 3.5 * s, ny - 12 * s);
  cairo_line_to(cr, nx + 9 * s, ny - 9 * s);
  cairo_set_line_width(cr, 1.8 * s);
  cairo_stroke(cr);
}

void PaintOrgan(Cel& c) {
  ButtonCel(c, [&](cairo_t* cr) { SmallOrgan(cr, c.w / 2 + 4, c.h - 2, 1.1); });
}
PAINTER("IMAGE_CIRCUS_ORGAN", PaintOrgan);

void Bananas(cairo_t* cr, double cx, double cy, double s) {
  for (int i = 0; i < 3; ++i) Banana(cr, cx + (i - 1) * 6 * s, cy + (i == 1 ? -3 : 0) * s, 50 * s, -0.5 + i * 0.35, Hex(0xffd020));
  Ellipse(cr, cx - 14 * s, cy - 14 * s, 4 * s, 3 * s);
  FillStroke(cr, Hex(0x6a4a1a), Palette::kInk, 1);
}

void SuperBanana(cairo_t* cr, double cx, double cy, double s) {
  SoftOval(cr, cx, cy, 28 * s, 28 * s, {1, 0.95, 0.4, 0.7});
  for (int i = 0; i < 8; ++i) {
    double a = i * M_PI / 4;
    cairo_move_to(cr, cx + std::cos(a) * 16 * s, cy + std::sin(a) * 16 * s);
    cairo_line_to(cr, cx + std::cos(a) * 27 * s, cy + std::sin(a) * 27 * s);
  }
  cairo_set_line_width(cr, 2.5 * s);
  SetColor(cr, WithAlpha(Hex(0xffe860), 0.9));
  cairo_stroke(cr);
  Banana(cr, cx, cy + 2 * s, 44 * s, -0.2, Hex(0xffe030));
  Twinkle(cr, cx + 14 * s, cy - 12 * s, 8 * s, Palette::kWhite);
  Twinkle(cr, cx - 16 * s, cy + 10 * s, 5 * s, Palette::kWhite);
}

void PaintApple(Cel& c) {
  ButtonCel(c, [&](cairo_t* cr) { Apple(cr, c.w / 2, c.h / 2 + 1, c.w / 2 - 4); }, 2);
}
PAINTER("IMAGE_CIRCUS_APPLE", PaintApple);

void PaintPear(Cel& c) {
  ButtonCel(c, [&](cairo_t* cr) { Pear(cr, c.w / 2, c.h / 2 + 2, c.w / 2 - 3); }, 2);
}
PAINTER("IMAGE_CIRCUS_PEAR", PaintPear);

void PaintBananas(Cel& c) {
  ButtonCel(c, [&](cairo_t* cr) { Bananas(cr, c.w / 2, c.h / 2 + 2, 1.0); });
}
PAINTER("IMAGE_CIRCUS_BANANAS", PaintBananas);

void PaintSuperBanana(Cel& c) {
  ButtonCel(c, [&](cairo_t* cr) { SuperBanana(cr, c.w / 2, c.h / 2, 1.0); });
}
PAINTER("IMAGE_CIRCUS_SUPER_BANANA", PaintSuperBanana);

// The count is written at (+37, +35): the icon keeps to the left 32 pixels.
void PaintStock(Cel& c) {
  cairo_t* cr = c.cr;
  const double iconW = 28;
  StockPlate(cr, c.w, c.h, iconW);
  double cx = 6 + iconW / 2, cy = c.h / 2 - 1;
  switch (c.index) {
    case 0: Bananas(cr, cx, cy + 2, 0.5); break;
    case 1: Pear(cr, cx, cy, 12); break;
    case 2: Apple(cr, cx, cy, 11); break;
    default: SuperBanana(cr, cx, cy, 0.5); break;
  }
}
PAINTER("IMAGE_CIRCUS_STOCK", PaintStock);

// ---------------------------------------------------------------- the circus man

const Look& Ringmaster() {
  static const Look look = [] {
    Look l = Cast::CircusMan();
    l.height = 172;
    l.build = 1.25;
    return l;
  }();
  return look;
}

void PaintMan(Cel& c) {
  const Look& look = Ringmaster();
  Pose p;
  p.view = View::Front;
  p.foot = {74, 207};
  Vec sh0 = ShoulderPoint(look, p, 0), sh1 = ShoulderPoint(look, p, 1);
  Vec hip0 = sh0 + Vec{-4, 56}, hip1 = sh1 + Vec{4, 56};
  auto hands = [&](Vec a, Vec b) {
    p.hands[0] = a;
    p.hands[1] = b;
    p.handSet[0] = p.handSet[1] = true;
  };
  // Idle (every row's cel 0): hands on his hips, smiling.
  hands(hip0 + Vec{-10, -4}, hip1 + Vec{10, -4});
  p.fist[0] = p.fist[1] = true;
  int k = c.col;
  switch (c.row) {
    case 0:  // a sweeping gesture towards his booth and the stand
      if (k == 1) {
        hands(hip0 + Vec{-10, -4}, sh1 + Vec{40, 6});
        p.face.mouth = Mouth::Open;
        p.fist[1] = false;
      } else if (k == 2) {
        hands(hip0 + Vec{-10, -4}, sh1 + Vec{34, -30});
        p.face.mouth = Mouth::Grin;
        p.face.brows = 0.7;
        p.fist[1] = false;
        p.headTilt = 0.06;
      }
      break;
    case 1:  // talking
      p.face.lookX = -0.4;
      if (k == 1) {
        hands(hip0 + Vec{-10, -4}, sh1 + Vec{22, 30});
        p.face.mouth = Mouth::Open;
        p.fist[1] = false;
      } else if (k == 2) {
        hands(hip0 + Vec{-10, -4}, sh1 + Vec{26, 14});
        p.face.mouth = Mouth::Oh;
        p.face.brows = 0.5;
        p.fist[1] = false;
      }
      break;
    default:  // sold: delighted, then arms flung wide
      if (k == 1) {
        hands(Vec{(sh0.x + sh1.x) / 2 - 6, sh0.y + 34}, Vec{(sh0.x + sh1.x) / 2 + 6, sh0.y + 32});
        p.fist[0] = p.fist[1] = false;
        p.face.eyes = Eyes::Happy;
        p.face.mouth = Mouth::Grin;
      } else if (k == 2) {
        hands(sh0 + Vec{-34, -34}, sh1 + Vec{34, -34});
        p.fist[0] = p.fist[1] = false;
        p.face.eyes = Eyes::Happy;
        p.face.mouth = Mouth::Wide;
        p.bob = 4;
        p.headTilt = -0.05;
      }
      break;
  }
  DrawPerson(c.cr, look, p);
}
PAINTER("IMAGE_CIRCUS_MAN", PaintMan);

// ---------------------------------------------------------------- monkeys

void Hands(MonkeyPose& p, Vec a, Vec b) {
  p.hands[0] = a;
  p.hands[1] = b;
  p.handSet[0] = p.handSet[1] = true;
}

// Sitting on the bench: hips on the seat, legs dangling to the ground.
MonkeyPose Seated(double cx, double feetY) {
  MonkeyPose p;
  p.view = View::Front;
  p.sitting = true;
  p.foot = {cx, feetY - 12};
  p.feet[0] = {-2, -10};
  p.feet[1] = {2, -10};
  return p;
}

void PaintBoy(Cel& c) {
  const MonkeyLook look = Cast::Rudav();
  MonkeyPose p = Seated(34, 102);
  Vec sh0 = MonkeyShoulder(look, p, 0), sh1 = MonkeyShoulder(look, p, 1);
  switch (c.index) {
    case 1:  // the stretch begins
      Hands(p, sh0 + Vec{-10, -14}, sh1 + Vec{10, -14});
      p.face.eyes = Eyes::Half;
      p.face.mouth = Mouth::Oh;
      break;
    case 2:  // a big stretch
      Hands(p, sh0 + Vec{-8, -34}, sh1 + Vec{8, -34});
      p.face.eyes = Eyes::Shut;
      p.face.mouth = Mouth::Flat;
      p.bob = 2;
      break;
    case 3:  // yawning
      Hands(p, sh0 + Vec{-4, -30}, sh1 + Vec{4, -30});
      p.face.eyes = Eyes::Shut;
      p.face.mouth = Mouth::Wide;
      p.headTilt = -0.1;
      p.bob = 2;
      break;
    case 4:  // scratching his head
      Hands(p, sh0 + Vec{6, -26}, sh1 + Vec{-6, 26});
      p.face.lookY = -1;
      p.face.mouth = Mouth::Flat;
      p.headTilt = -0.12;
      break;
    case 5:
      Hands(p, sh0 + Vec{10, -30}, sh1 + Vec{-6, 26});
      p.face.lookY = -1;
      p.face.mouth = Mouth::Tongue;
      p.headTilt = -0.16;
      break;
    case 6:  // kicking his feet, glancing at Vurez
      p.feet[0] = {-4, -4};
      p.face.lookX = 1;
      p.face.mouth = Mouth::Grin;
      p.tail = 0.8;
      break;
    case 7:
      p.feet[1] = {4, -4};
      p.face.lookX = 0.6;
      p.face.mouth = Mouth::Smile;
      p.headTilt = 0.1;
      p.tail = -0.6;
      break;
    default:
      break;
  }
  DrawMonkey(c.cr, look, p);
}
PAINTER("IMAGE_CIRCUS_MONKEY_BOY", PaintBoy);

void PaintGirl(Cel& c) {
  const MonkeyLook look = Cast::Vurez();
  MonkeyPose p = Seated(37, 100);
  Vec sh0 = MonkeyShoulder(look, p, 0), sh1 = MonkeyShoulder(look, p, 1);
  Vec mid{(sh0.x + sh1.x) / 2, sh0.y + 16};
  switch (c.index) {
    case 1:  // waving
    case 2:
      Hands(p, sh0 + Vec{-6, 22}, sh1 + Vec{c.index == 1 ? 10.0 : 18.0, -26});
      p.face.eyes = Eyes::Happy;
      p.face.mouth = Mouth::Grin;
      p.headTilt = c.index == 1 ? 0.08 : 0.14;
      break;
    case 3:  // clapping
      Hands(p, mid + Vec{-17, 4}, mid + Vec{17, 4});
      p.face.mouth = Mouth::Open;
      break;
    case 4:
      Hands(p, mid + Vec{-3, 10}, mid + Vec{3, 10});
      p.face.eyes = Eyes::Happy;
      p.face.mouth = Mouth::Grin;
      break;
    case 5:  // bouncing, feet swinging
      Hands(p, mid + Vec{-3, 10}, mid + Vec{3, 10});
      p.feet[0] = {-4, -4};
      p.feet[1] = {4, -4};
      p.bob = 3;
      p.face.eyes = Eyes::Happy;
      p.face.mouth = Mouth::Wide;
      p.tail = 0.8;
      break;
    case 6:  // hands on her cheeks
      Hands(p, sh0 + Vec{6, -14}, sh1 + Vec{-6, -14});
      p.face.eyes = Eyes::Happy;
      p.face.mouth = Mouth::Oh;
      p.headTilt = -0.08;
      break;
    default:
      break;
  }
  DrawMonkey(c.cr, look, p);
}
PAINTER("IMAGE_CIRCUS_MONKEY_GIRL", PaintGirl);

// Walking: a side view, eight phases to the left, six to the right (the
// game plays 0,1,2,3,4,1,2,5).
void PaintGirlWalk(Cel& c) {
  const MonkeyLook look = Cast::Vurez();
  bool left = c.decl.id == "IMAGE_CIRCUS_MONKEY_GIRL_LEFT";
  MonkeyPose p;
  p.view = View::Side;
  p.mirror = left;
  p.foot = {30, left ? 102.0 : 100.0};
  double phase = left ? c.index / 8.0 : (c.index == 5 ? 7 : c.index) / 8.0;
  Step st = WalkStep(View::Side, phase, 12, 5);
  p.feet[0] = st.feet[0];
  p.feet[1] = st.feet[1];
  p.bob = std::fabs(std::sin(2 * M_PI * phase)) * 2;
  p.tail = std::sin(2 * M_PI * phase);
  for (int a = 0; a < 2; ++a) {
    Vec sh = MonkeyShoulder(look, p, a);
    double k = (a == 0 ? 1 : -1) * st.armSwing;
    p.hands[a] = sh + Vec{(left ? -1 : 1) * k * 10, 22};
    p.handSet[a] = true;
  }
  p.face.mouth = Mouth::Smile;
  DrawMonkey(c.cr, look, p);
}
PAINTER("IMAGE_CIRCUS_MONKEY_GIRL_LEFT", PaintGirlWalk);
PAINTER("IMAGE_CIRCUS_MONKEY_GIRL_RIGHT", PaintGirlWalk);

// Both monkeys standing hand in hand, raising their hands for a bow.
void PaintPair(Cel& c) {
  const MonkeyLook boy = Cast::Rudav(), girl = Cast::Vurez();
  MonkeyPose b, g;
  b.view = g.view = View::Front;
  b.foot = {34, 102};
  g.foot = {91, 102};
  static const double lift[] = {0, 0.2, 0.55, 0.9, 1.0};
  double t = lift[c.index];
  Vec bs0 = MonkeyShoulder(boy, b, 0), bs1 = MonkeyShoulder(boy, b, 1);
  Vec gs0 = MonkeyShoulder(girl, g, 0), gs1 = MonkeyShoulder(girl, g, 1);
  // Low hands hang nearly straight: a bent arm hanging down would cross the body.
  Vec joinLow{62, bs1.y + 30}, joinHigh{62, bs1.y - 30};
  Vec join = Lerp(joinLow, joinHigh, t);
  Hands(b, Lerp(bs0 + Vec{-14, 34}, bs0 + Vec{-14, -30}, t), join + Vec{-3, 0});
  Hands(g, join + Vec{3, 0}, Lerp(gs1 + Vec{14, 34}, gs1 + Vec{14, -30}, t));
  if (c.index == 0) {
    b.hands[1] = bs1 + Vec{14, 34};
    g.hands[0] = gs0 + Vec{-14, 34};
  }
  for (MonkeyPose* p : {&b, &g}) {
    p->face.eyes = t > 0.8 ? Eyes::Happy : Eyes::Open;
    p->face.mouth = t > 0.5 ? Mouth::Grin : Mouth::Smile;
    p->bob = c.index == 4 ? 4 : 0;
    p->tail = c.index == 4 ? 1 : 0.3;
  }
  b.face.lookX = 0.5;
  g.face.lookX = -0.5;
  DrawMonkey(c.cr, boy, b);
  DrawMonkey(c.cr, girl, g);
}
PAINTER("IMAGE_CIRCUS_MONKEYS_HANDS", PaintPair);

}  // namespace

}  // namespace Plix::DataBuild
