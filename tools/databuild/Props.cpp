#include "tools/databuild/Props.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include "tools/databuild/Food.h"

namespace Plix::DataBuild {

namespace {

const Rgb& kLine = Palette::kInk;  // a reference: the palette is initialised in another file

}  // namespace

Rgb MetalColor(int grade) {
  switch (grade) {
    case 0: return Hex(0xd08a48);
    case 1: return Hex(0xc8d2dc);
    case 2: return Hex(0xffc928);
    default: return Hex(0x8a8a98);
  }
}

void MetalFill(cairo_t* cr, double x0, double x1, int grade) {
  Rgb c = MetalColor(grade);
  cairo_pattern_t* p = cairo_pattern_create_linear(x0, 0, x1, 0);
  Rgb hi = Lighter(c, 0.65), lo = Darker(c, 0.3), mid = c;
  double a = grade == 3 ? 0.55 : 1.0;
  cairo_pattern_add_color_stop_rgba(p, 0.0, lo.r, lo.g, lo.b, a);
  cairo_pattern_add_color_stop_rgba(p, 0.28, hi.r, hi.g, hi.b, a);
  cairo_pattern_add_color_stop_rgba(p, 0.5, mid.r, mid.g, mid.b, a);
  cairo_pattern_add_color_stop_rgba(p, 1.0, lo.r, lo.g, lo.b, a);
  cairo_set_source(cr, p);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(p);
  cairo_set_line_width(cr, 1.6);
  SetColor(cr, grade == 3 ? WithAlpha(kLine, 0.5) : kLine);
  cairo_stroke(cr);
}

namespace {

// The stepped base every trophy stands on; returns the y of its top.
double TrophyBase(cairo_t* cr, double cx, double bottom, double w, double h, int grade) {
  double bh = h * 0.16, bw = w * 0.7;
  RoundRect(cr, cx - bw / 2, bottom - bh, bw, bh, 3);
  SetColor(cr, grade == 3 ? Hex(0x6a5a70, 0.5) : Hex(0x5a3a22));
  cairo_fill_preserve(cr);
  cairo_set_line_width(cr, 1.6);
  SetColor(cr, grade == 3 ? WithAlpha(kLine, 0.5) : kLine);
  cairo_stroke(cr);
  RoundRect(cr, cx - bw * 0.3, bottom - bh * 0.7, bw * 0.6, bh * 0.4, 1.5);
  SetColor(cr, grade == 3 ? Hex(0xa0a0a0, 0.4) : MetalColor(grade));
  cairo_fill(cr);
  double nh = h * 0.08, nw = w * 0.36;
  cairo_new_path(cr);
  cairo_move_to(cr, cx - nw / 2, bottom - bh);
  cairo_line_to(cr, cx + nw / 2, bottom - bh);
  cairo_line_to(cr, cx + nw * 0.25, bottom - bh - nh);
  cairo_line_to(cr, cx - nw * 0.25, bottom - bh - nh);
  cairo_close_path(cr);
  MetalFill(cr, cx - nw / 2, cx + nw / 2, grade);
  return bottom - bh - nh;
}

void Sparkle(cairo_t* cr, double x, double y, double r, int grade) {
  if (grade == 3) return;
  StarPath(cr, x, y, r, r * 0.22, 4);
  Fill(cr, {1, 1, 1, 0.95});
}

}  // namespace

void Trophy(cairo_t* cr, int n, int grade, double cx, double bottom, double w, double h) {
  double top = TrophyBase(cr, cx, bottom, w, h, grade);
  double bodyH = top - (bottom - h) - 2;
  double t = bottom - h + 2;  // top of the figure
  Rgb metal = MetalColor(grade);
  bool dim = grade == 3;
  auto ink = [&] { return dim ? WithAlpha(kLine, 0.5) : kLine; };
  switch (n) {
    case 1: {  // a cup with a smiling face and two handles
      double cw = w * 0.74, cupH = bodyH * 0.62, cupTop = t + bodyH * 0.05;
      // stem
      cairo_rectangle(cr, cx - w * 0.06, cupTop + cupH - 2, w * 0.12, top - (cupTop + cupH) + 2);
      MetalFill(cr, cx - w * 0.06, cx + w * 0.06, grade);
      for (double s : {-1.0, 1.0}) {
        cairo_new_path(cr);
        cairo_arc(cr, cx + s * cw * 0.48, cupTop + cupH * 0.35, cw * 0.17, s < 0 ? M_PI * 0.5 : -M_PI * 0.5,
                  s < 0 ? M_PI * 1.5 : M_PI * 0.5);
        cairo_set_line_width(cr, std::max(3.0, w * 0.08) + 3);
        SetColor(cr, ink());
        cairo_stroke_preserve(cr);
        cairo_set_line_width(cr, std::max(3.0, w * 0.08));
        SetColor(cr, WithAlpha(metal, dim ? 0.55 : 1));
        cairo_stroke(cr);
      }
      cairo_new_path(cr);
      cairo_move_to(cr, cx - cw / 2, cupTop);
      cairo_line_to(cr, cx + cw / 2, cupTop);
      cairo_curve_to(cr, cx + cw / 2, cupTop + cupH * 0.8, cx + cw * 0.2, cupTop + cupH, cx, cupTop + cupH);
      cairo_curve_to(cr, cx - cw * 0.2, cupTop + cupH, cx - cw / 2, cupTop + cupH * 0.8, cx - cw / 2, cupTop);
      cairo_close_path(cr);
      MetalFill(cr, cx - cw / 2, cx + cw / 2, grade);
      if (!dim) {
        double fy = cupTop + cupH * 0.4;
        for (double s : {-1.0, 1.0}) {
          Ellipse(cr, cx + s * cw * 0.14, fy - cupH * 0.06, w * 0.035, w * 0.05);
          Fill(cr, Darker(metal, 0.55));
        }
        cairo_move_to(cr, cx - cw * 0.2, fy + cupH * 0.08);
        cairo_curve_to(cr, cx - cw * 0.1, fy + cupH * 0.25, cx + cw * 0.1, fy + cupH * 0.25, cx + cw * 0.2,
                       fy + cupH * 0.08);
        cairo_set_line_width(cr, std::max(1.2, w * 0.03));
        SetColor(cr, Darker(metal, 0.55));
        cairo_stroke(cr);
      }
      Ellipse(cr, cx, cupTop, cw / 2, cupH * 0.08);
      SetColor(cr, WithAlpha(Darker(metal, 0.35), dim ? 0.5 : 1));
      cairo_fill(cr);
      Sparkle(cr, cx - cw * 0.25, cupTop + cupH * 0.25, w * 0.08, grade);
      break;
    }
    case 2: {  // a monkey figurine with a banana
      double r = std::min(w * 0.24, bodyH * 0.2);
      double hy = t + r * 1.1;
      Ellipse(cr, cx, top - bodyH * 0.28, w * 0.22, bodyH * 0.3);
      MetalFill(cr, cx - w * 0.22, cx + w * 0.22, grade);
      for (double s : {-1.0, 1.0}) {
        Ellipse(cr, cx + s * r * 1.05, hy, r * 0.42, r * 0.42);
        MetalFill(cr, cx + s * r * 1.05 - r * 0.4, cx + s * r * 1.05 + r * 0.4, grade);
      }
      Ellipse(cr, cx, hy, r, r * 0.95);
      MetalFill(cr, cx - r, cx + r, grade);
      if (!dim) {
        Ellipse(cr, cx, hy + r * 0.35, r * 0.55, r * 0.4);
        SetColor(cr, Lighter(metal, 0.4));
        cairo_fill(cr);
        for (double s : {-1.0, 1.0}) {
          Ellipse(cr, cx + s * r * 0.3, hy - r * 0.1, r * 0.12, r * 0.16);
          Fill(cr, Darker(metal, 0.6));
        }
        // The banana raised in its hand.
        cairo_save(cr);
        cairo_translate(cr, cx + w * 0.26, top - bodyH * 0.5);
        cairo_rotate(cr, -1.0);
        Banana(cr, 0, 0, w * 0.36, 0, Lighter(metal, 0.2));
        cairo_restore(cr);
      }
      Sparkle(cr, cx - r * 0.5, hy - r * 0.4, w * 0.07, grade);
      break;
    }
    case 3: {  // a vase with a flower on a draped cloth
      double vw = w * 0.42, vy = top - bodyH * 0.45;
      cairo_new_path(cr);
      cairo_move_to(cr, cx - w * 0.42, top);
      cairo_curve_to(cr, cx - w * 0.45, top - bodyH * 0.2, cx - w * 0.1, top - bodyH * 0.18, cx, top - bodyH * 0.2);
      cairo_curve_to(cr, cx + w * 0.1, top - bodyH * 0.18, cx + w * 0.45, top - bodyH * 0.2, cx + w * 0.42, top);
      cairo_close_path(cr);
      MetalFill(cr, cx - w * 0.45, cx + w * 0.45, grade);
      cairo_new_path(cr);
      cairo_move_to(cr, cx - vw * 0.3, vy - bodyH * 0.12);
      cairo_curve_to(cr, cx - vw * 0.8, vy, cx - vw * 0.6, top - bodyH * 0.2, cx - vw * 0.3, top - bodyH * 0.2);
      cairo_line_to(cr, cx + vw * 0.3, top - bodyH * 0.2);
      cairo_curve_to(cr, cx + vw * 0.6, top - bodyH * 0.2, cx + vw * 0.8, vy, cx + vw * 0.3, vy - bodyH * 0.12);
      cairo_close_path(cr);
      MetalFill(cr, cx - vw * 0.7, cx + vw * 0.7, grade);
      cairo_move_to(cr, cx, vy - bodyH * 0.12);
      cairo_line_to(cr, cx, t + bodyH * 0.2);
      cairo_set_line_width(cr, std::max(2.0, w * 0.05));
      SetColor(cr, WithAlpha(Darker(metal, 0.3), dim ? 0.5 : 1));
      cairo_stroke(cr);
      if (dim) {
        Ellipse(cr, cx, t + bodyH * 0.16, w * 0.2, w * 0.2);
        SetColor(cr, WithAlpha(metal, 0.5));
        cairo_fill(cr);
      } else {
        Flower(cr, cx, t + bodyH * 0.16, w * 0.22, Lighter(metal, 0.3));
      }
      Sparkle(cr, cx - vw * 0.3, vy, w * 0.07, grade);
      break;
    }
    case 4: {  // a shiny little trash can
      double cw = w * 0.6, ch = bodyH * 0.7, ct = top - ch;
      cairo_new_path(cr);
      cairo_move_to(cr, cx - cw / 2, ct);
      cairo_line_to(cr, cx + cw / 2, ct);
      cairo_line_to(cr, cx + cw * 0.4, top);
      cairo_line_to(cr, cx - cw * 0.4, top);
      cairo_close_path(cr);
      MetalFill(cr, cx - cw / 2, cx + cw / 2, grade);
      for (int i = -1; i <= 1; ++i) {
        cairo_move_to(cr, cx + i * cw * 0.22, ct + 3);
        cairo_line_to(cr, cx + i * cw * 0.18, top - 3);
      }
      cairo_set_line_width(cr, 1.2);
      SetColor(cr, WithAlpha(Darker(metal, 0.35), dim ? 0.5 : 1));
      cairo_stroke(cr);
      RoundRect(cr, cx - cw * 0.58, ct - bodyH * 0.1, cw * 1.16, bodyH * 0.1, 3);
      MetalFill(cr, cx - cw * 0.58, cx + cw * 0.58, grade);
      Ellipse(cr, cx, ct - bodyH * 0.14, cw * 0.14, bodyH * 0.05);
      MetalFill(cr, cx - cw * 0.14, cx + cw * 0.14, grade);
      Sparkle(cr, cx - cw * 0.2, ct + ch * 0.3, w * 0.12, grade);
      Sparkle(cr, cx + cw * 0.3, ct - bodyH * 0.1, w * 0.08, grade);
      break;
    }
    case 5: {  // juggling balls on a little barrel organ
      double ow = w * 0.7, oh = bodyH * 0.45, ot = top - oh;
      RoundRect(cr, cx - ow / 2, ot, ow, oh, 5);
      MetalFill(cr, cx - ow / 2, cx + ow / 2, grade);
      for (int i = 0; i < 3; ++i) {
        cairo_rectangle(cr, cx - ow * 0.3 + i * ow * 0.22, ot + oh * 0.25, ow * 0.12, oh * 0.5);
        SetColor(cr, WithAlpha(Darker(metal, 0.4), dim ? 0.5 : 1));
        cairo_fill(cr);
      }
      double br = w * 0.11;
      const double pos[][2] = {{-0.22, 0.2}, {0.0, 0.0}, {0.22, 0.2}};
      for (auto& p : pos) {
        double bx = cx + p[0] * w, by = t + br + p[1] * bodyH + bodyH * 0.05;
        Ellipse(cr, bx, by, br, br);
        MetalFill(cr, bx - br, bx + br, grade);
      }
      Sparkle(cr, cx, t + br * 0.6, w * 0.07, grade);
      break;
    }
    case 6: {  // a frosty cone with a snowflake
      double cw = w * 0.4, ch = bodyH * 0.5;
      cairo_new_path(cr);
      cairo_move_to(cr, cx - cw / 2, top - ch);
      cairo_line_to(cr, cx + cw / 2, top - ch);
      cairo_line_to(cr, cx, top);
      cairo_close_path(cr);
      MetalFill(cr, cx - cw / 2, cx + cw / 2, grade);
      Ellipse(cr, cx, top - ch - w * 0.12, w * 0.26, w * 0.2);
      MetalFill(cr, cx - w * 0.26, cx + w * 0.26, grade);
      double sx = cx, sy = t + w * 0.2, sr = w * 0.2;
      cairo_save(cr);
      for (int i = 0; i < 6; ++i) {
        double a = i * M_PI / 3;
        cairo_move_to(cr, sx, sy);
        cairo_line_to(cr, sx + std::cos(a) * sr, sy + std::sin(a) * sr);
        cairo_move_to(cr, sx + std::cos(a) * sr * 0.6, sy + std::sin(a) * sr * 0.6);
        cairo_line_to(cr, sx + std::cos(a + 0.5) * sr * 0.85, sy + std::sin(a + 0.5) * sr * 0.85);
      }
      cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
      cairo_set_line_width(cr, std::max(3.0, w * 0.07));
      SetColor(cr, ink());
      cairo_stroke_preserve(cr);
      cairo_set_line_width(cr, std::max(1.6, w * 0.04));
      SetColor(cr, dim ? WithAlpha(metal, 0.5) : Hex(0xbfe8ff));
      cairo_stroke(cr);
      cairo_restore(cr);
      Sparkle(cr, cx - w * 0.1, top - ch - w * 0.16, w * 0.07, grade);
      break;
    }
    case 7: {  // a piggy bank on a coin stack
      for (int i = 0; i < 3; ++i) {
        Ellipse(cr, cx, top - 3 - i * bodyH * 0.08, w * 0.34, bodyH * 0.05);
        MetalFill(cr, cx - w * 0.34, cx + w * 0.34, grade);
      }
      double py = top - bodyH * 0.5, pr = std::min(w * 0.34, bodyH * 0.32);
      Ellipse(cr, cx, py, pr, pr * 0.82);
      MetalFill(cr, cx - pr, cx + pr, grade);
      Ellipse(cr, cx + pr * 0.92, py + pr * 0.05, pr * 0.22, pr * 0.2);
      MetalFill(cr, cx + pr * 0.7, cx + pr * 1.14, grade);
      for (double s : {-0.35, 0.35}) {
        cairo_move_to(cr, cx + s * pr - pr * 0.15, py - pr * 0.6);
        cairo_line_to(cr, cx + s * pr, py - pr * 1.0);
        cairo_line_to(cr, cx + s * pr + pr * 0.15, py - pr * 0.6);
        cairo_close_path(cr);
        MetalFill(cr, cx + s * pr - pr * 0.15, cx + s * pr + pr * 0.15, grade);
      }
      if (!dim) {
        Ellipse(cr, cx + pr * 0.4, py - pr * 0.2, pr * 0.07, pr * 0.09);
        Fill(cr, Darker(metal, 0.6));
        cairo_rectangle(cr, cx - pr * 0.25, py - pr * 0.78, pr * 0.4, pr * 0.08);
        Fill(cr, Darker(metal, 0.5));
        Coin(cr, cx - pr * 0.05, t + pr * 0.3, pr * 0.28, 0.1);
      }
      Sparkle(cr, cx - pr * 0.4, py - pr * 0.3, w * 0.08, grade);
      break;
    }
    case 8: {  // a grand sundae in a footed bowl
      double bw = w * 0.8, bt = top - bodyH * 0.42;
      cairo_new_path(cr);
      cairo_move_to(cr, cx - bw / 2, bt);
      cairo_line_to(cr, cx + bw / 2, bt);
      cairo_curve_to(cr, cx + bw / 2, bt + bodyH * 0.3, cx + bw * 0.1, top - bodyH * 0.05, cx, top - bodyH * 0.05);
      cairo_curve_to(cr, cx - bw * 0.1, top - bodyH * 0.05, cx - bw / 2, bt + bodyH * 0.3, cx - bw / 2, bt);
      cairo_close_path(cr);
      MetalFill(cr, cx - bw / 2, cx + bw / 2, grade);
      double r = w * 0.2;
      for (int i = -1; i <= 1; ++i) {
        Ellipse(cr, cx + i * r * 1.05, bt - r * 0.5 - (i == 0) * r * 0.5, r, r * 0.9);
        MetalFill(cr, cx + i * r * 1.05 - r, cx + i * r * 1.05 + r, grade);
      }
      Ellipse(cr, cx, t + r * 0.5, r * 0.45, r * 0.45);
      MetalFill(cr, cx - r * 0.45, cx + r * 0.45, grade);
      Sparkle(cr, cx - r, bt - r * 0.6, w * 0.08, grade);
      break;
    }
    case 9: {  // a layer cake on a plate
      double cw = w * 0.72, ct = top - bodyH * 0.7;
      Ellipse(cr, cx, top - 2, w * 0.46, bodyH * 0.07);
      MetalFill(cr, cx - w * 0.46, cx + w * 0.46, grade);
      RoundRect(cr, cx - cw / 2, ct, cw, top - ct - 3, 4);
      MetalFill(cr, cx - cw / 2, cx + cw / 2, grade);
      for (int i = 1; i <= 2; ++i) {
        double y = ct + (top - ct) * i / 3.0;
        cairo_move_to(cr, cx - cw / 2 + 1, y);
        cairo_line_to(cr, cx + cw / 2 - 1, y);
      }
      cairo_set_line_width(cr, std::max(1.5, bodyH * 0.03));
      SetColor(cr, WithAlpha(Lighter(metal, 0.5), dim ? 0.5 : 1));
      cairo_stroke(cr);
      Ellipse(cr, cx, ct, cw / 2, bodyH * 0.07);
      MetalFill(cr, cx - cw / 2, cx + cw / 2, grade);
      Ellipse(cr, cx, ct - bodyH * 0.1, w * 0.09, w * 0.09);
      MetalFill(cr, cx - w * 0.09, cx + w * 0.09, grade);
      Sparkle(cr, cx - cw * 0.3, ct + bodyH * 0.15, w * 0.08, grade);
      break;
    }
    default: {  // a winged ice cream
      double cw = w * 0.3, ch = bodyH * 0.46;
      for (double s : {-1.0, 1.0}) {
        cairo_new_path(cr);
        double wx = cx + s * cw * 0.4, wy = top - ch * 1.05;
        cairo_move_to(cr, wx, wy);
        cairo_curve_to(cr, wx + s * w * 0.25, wy - bodyH * 0.35, wx + s * w * 0.5, wy - bodyH * 0.2, wx + s * w * 0.48,
                       wy - bodyH * 0.05);
        cairo_curve_to(cr, wx + s * w * 0.35, wy, wx + s * w * 0.3, wy + bodyH * 0.02, wx + s * w * 0.2, wy + bodyH * 0.05);
        cairo_curve_to(cr, wx + s * w * 0.1, wy + bodyH * 0.06, wx, wy + bodyH * 0.04, wx, wy);
        cairo_close_path(cr);
        MetalFill(cr, cx - w / 2, cx + w / 2, grade);
      }
      cairo_new_path(cr);
      cairo_move_to(cr, cx - cw / 2, top - ch);
      cairo_line_to(cr, cx + cw / 2, top - ch);
      cairo_line_to(cr, cx, top);
      cairo_close_path(cr);
      MetalFill(cr, cx - cw / 2, cx + cw / 2, grade);
      Ellipse(cr, cx, top - ch - cw * 0.35, cw * 0.6, cw * 0.5);
      MetalFill(cr, cx - cw * 0.6, cx + cw * 0.6, grade);
      Sparkle(cr, cx - cw * 0.2, top - ch - cw * 0.4, w * 0.08, grade);
      break;
    }
  }
}

// ---------------------------------------------------------------- scenery

void CloudPuff(cairo_t* cr, double cx, double cy, double s, double alpha) {
  const double puffs[6][3] = {{-0.55, 0.1, 0.32}, {-0.25, -0.15, 0.42}, {0.15, -0.22, 0.45},
                              {0.5, 0.02, 0.34},  {0.0, 0.12, 0.4},     {-0.3, 0.15, 0.3}};
  for (auto& p : puffs) Ellipse(cr, cx + p[0] * s, cy + p[1] * s + s * 0.05, p[2] * s, p[2] * s * 0.85);
  Fill(cr, {0.55, 0.75, 0.9, 0.35 * alpha});
  for (auto& p : puffs) Ellipse(cr, cx + p[0] * s, cy + p[1] * s, p[2] * s, p[2] * s * 0.85);
  Fill(cr, {1, 1, 1, alpha});
  SoftOval(cr, cx - s * 0.2, cy - s * 0.25, s * 0.35, s * 0.12, {1, 1, 1, 0.6 * alpha});
}

void SunDisc(cairo_t* cr, double cx, double cy, double r) {
  SoftOval(cr, cx, cy, r * 2.2, r * 2.2, {1, 0.95, 0.6, 0.5});
  Ellipse(cr, cx, cy, r, r);
  FillRadial(cr, cx - r * 0.3, cy - r * 0.3, r * 1.3, Hex(0xfff7b0), Hex(0xffc83a));
}

void PalmTree(cairo_t* cr, double x, double base, double h, double lean) {
  // A ringed trunk.
  double tx = x + lean, ty = base - h;
  cairo_move_to(cr, x, base);
  cairo_curve_to(cr, x + lean * 0.3, base - h * 0.4, x + lean * 0.8, base - h * 0.8, tx, ty);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_set_line_width(cr, h * 0.07 + 3);
  SetColor(cr, kLine);
  cairo_stroke_preserve(cr);
  cairo_set_line_width(cr, h * 0.07);
  SetColor(cr, Hex(0xa8703a));
  cairo_stroke(cr);
  for (int i = 1; i < 10; ++i) {
    double t = i / 10.0;
    double px = x + (tx - x) * (t * t * 0.4 + t * 0.6), py = base - h * t;
    cairo_move_to(cr, px - h * 0.03, py);
    cairo_line_to(cr, px + h * 0.03, py - 2);
  }
  cairo_set_line_width(cr, 1.4);
  SetColor(cr, Hex(0x6a4018));
  cairo_stroke(cr);
  // Fronds.
  for (int i = 0; i < 8; ++i) {
    double a = -M_PI + i * M_PI / 7 + 0.05;
    double len = h * (0.42 + 0.06 * (i % 2));
    double ex = tx + std::cos(a) * len, ey = ty + std::sin(a) * len * 0.45 + h * 0.16;
    cairo_new_path(cr);
    cairo_move_to(cr, tx, ty);
    cairo_curve_to(cr, tx + std::cos(a) * len * 0.45, ty - h * 0.14, ex - std::cos(a) * len * 0.1, ey - h * 0.12, ex, ey);
    cairo_curve_to(cr, ex - std::cos(a) * len * 0.25, ey - h * 0.02, tx + std::cos(a) * len * 0.3, ty + h * 0.03, tx,
                   ty);
    FillStroke(cr, i % 2 ? Hex(0x3fae3a) : Hex(0x5ac84a), Hex(0x1f6a1c), 1.5);
    cairo_move_to(cr, tx, ty);
    cairo_curve_to(cr, tx + std::cos(a) * len * 0.45, ty - h * 0.1, ex - std::cos(a) * len * 0.1, ey - h * 0.09, ex, ey);
    cairo_set_line_width(cr, 1);
    SetColor(cr, Hex(0x2a7a24));
    cairo_stroke(cr);
  }
  for (int i = 0; i < 3; ++i) {
    Ellipse(cr, tx - h * 0.03 + i * h * 0.03, ty + h * 0.035 + (i % 2) * h * 0.015, h * 0.028, h * 0.028);
    FillStroke(cr, Hex(0x7a4a1a), kLine, 1.2);
  }
}

void Shrub(cairo_t* cr, double cx, double base, double w, double h, Rgb c, uint32_t seed, bool flowers) {
  Rand rnd(seed);
  int n = std::max(5, int(w / 14));
  std::vector<std::array<double, 3>> blobs;
  for (int i = 0; i < n; ++i) {
    double t = (i + 0.5) / n;
    double r = h * rnd.Uniform(0.28, 0.4);
    double x = cx - w / 2 + r * 0.8 + t * (w - r * 1.6);
    double y = base - r * 0.9 - std::sin(t * M_PI) * h * rnd.Uniform(0.25, 0.45);
    blobs.push_back({x, y, r});
  }
  for (auto& b : blobs) Ellipse(cr, b[0], b[1], b[2] + 1.5, b[2] * 0.92 + 1.5);
  Fill(cr, kLine);
  for (auto& b : blobs) Ellipse(cr, b[0], b[1], b[2], b[2] * 0.92);
  Fill(cr, c);
  for (auto& b : blobs) {
    SoftOval(cr, b[0] - b[2] * 0.3, b[1] - b[2] * 0.35, b[2] * 0.45, b[2] * 0.3, WithAlpha(Lighter(c, 0.4), 0.8));
  }
  if (flowers) {
    for (int i = 0; i < n; ++i) {
      auto& b = blobs[i];
      Flower(cr, b[0] + rnd.Uniform(-0.4, 0.4) * b[2], b[1] + rnd.Uniform(-0.4, 0.3) * b[2], std::max(3.0, h * 0.09),
             i % 2 ? Hex(0xff7eb3) : Hex(0xfff0f6));
    }
  }
}

void Stones(cairo_t* cr, double cx, double base, double w, double h, uint32_t seed, Rgb c) {
  Rand rnd(seed);
  int n = 3 + int(w / 30);
  for (int i = 0; i < n; ++i) {
    double t = (i + 0.5) / n;
    double rx = w * rnd.Uniform(0.14, 0.22), ry = h * rnd.Uniform(0.3, 0.45);
    double x = cx - w / 2 + rx + t * (w - 2 * rx), y = base - ry - rnd.Uniform(0, h * 0.2);
    Rgb sc = Mix(c, Hex(0xe8e0d0), rnd.Uniform(0, 0.4));
    Ellipse(cr, x, y + ry * 0.5, rx * 1.05, ry * 0.45);
    Fill(cr, {0, 0, 0, 0.15});
    // A lumpy rock: points round an ellipse with jittered radii, smoothed.
    const int k = 7;
    double px[k], py[k];
    for (int j = 0; j < k; ++j) {
      double a = j * 2 * M_PI / k + rnd.Uniform(-0.2, 0.2);
      double r = rnd.Uniform(0.8, 1.05);
      px[j] = x + std::cos(a) * rx * r;
      py[j] = y + std::sin(a) * ry * r * (std::sin(a) > 0 ? 0.75 : 1.0);
    }
    cairo_new_path(cr);
    cairo_move_to(cr, (px[k - 1] + px[0]) / 2, (py[k - 1] + py[0]) / 2);
    for (int j = 0; j < k; ++j) {
      int nj = (j + 1) % k;
      cairo_curve_to(cr, px[j], py[j], px[j], py[j], (px[j] + px[nj]) / 2, (py[j] + py[nj]) / 2);
    }
    cairo_close_path(cr);
    FillStroke(cr, sc, kLine, 1.5);
    SoftOval(cr, x - rx * 0.3, y - ry * 0.35, rx * 0.4, ry * 0.25, {1, 1, 1, 0.5});
  }
}

void GrassTuft(cairo_t* cr, double cx, double base, double w, double h, Rgb c, uint32_t seed) {
  Rand rnd(seed);
  int n = std::max(6, int(w / 4));
  for (int pass = 0; pass < 2; ++pass)
    for (int i = 0; i < n; ++i) {
      Rand r2(seed + i);
      double x = cx - w / 2 + (i + 0.5) * w / n;
      double bh = h * r2.Uniform(0.5, 1.0) * (0.6 + 0.4 * std::sin((i + 0.5) / n * M_PI));
      double bend = r2.Uniform(-0.35, 0.35) * h;
      cairo_new_path(cr);
      cairo_move_to(cr, x - 2.2, base);
      cairo_curve_to(cr, x - 1.5, base - bh * 0.4, x - 0.5 + bend * 0.4, base - bh * 0.75, x + bend, base - bh);
      cairo_curve_to(cr, x + 0.5 + bend * 0.4, base - bh * 0.75, x + 1.5, base - bh * 0.4, x + 2.2, base);
      cairo_close_path(cr);
      if (pass == 0) {
        cairo_set_line_width(cr, 2.4);
        SetColor(cr, Darker(c, 0.55));
        cairo_stroke(cr);
      } else {
        Fill(cr, i % 3 ? c : Lighter(c, 0.25));
      }
    }
  (void)rnd;
}

void SignBoard(cairo_t* cr, double x, double y, double w, double h, const std::string& text, Rgb board, Rgb ink,
               bool post) {
  if (post) {
    cairo_rectangle(cr, x + w / 2 - 4, y + h * 0.6, 8, h * 0.4);
    FillStroke(cr, Hex(0x8a5a2a), kLine, 1.6);
  }
  double bh = post ? h * 0.7 : h;
  RoundRect(cr, x + 1, y + 3, w - 2, bh - 3, 8);
  Fill(cr, {0, 0, 0, 0.25});
  RoundRect(cr, x + 1, y + 1, w - 2, bh - 4, 8);
  FillVertical(cr, y, y + bh, Lighter(board, 0.2), board);
  cairo_save(cr);
  RoundRect(cr, x + 1, y + 1, w - 2, bh - 4, 8);
  cairo_clip(cr);
  cairo_set_line_width(cr, 1);
  SetColor(cr, WithAlpha(Darker(board, 0.35), 0.5));
  for (double yy = y + bh / 3; yy < y + bh; yy += bh / 3) {
    cairo_move_to(cr, x, yy);
    cairo_line_to(cr, x + w, yy);
  }
  cairo_stroke(cr);
  cairo_restore(cr);
  RoundRect(cr, x + 1, y + 1, w - 2, bh - 4, 8);
  cairo_set_line_width(cr, 2);
  SetColor(cr, kLine);
  cairo_stroke(cr);
  for (double nx : {x + 8, x + w - 8}) {
    Ellipse(cr, nx, y + 8, 2, 2);
    Fill(cr, Darker(board, 0.5));
  }
  if (!text.empty()) Title(cr, text, x + w / 2, y + bh / 2, w - 22, bh * 0.55, ink);
}

void BannerPlate(cairo_t* cr, double x, double y, double w, double h, Rgb a, Rgb b) {
  // A ribbon with folded ends behind a rounded plate.
  for (double s : {-1.0, 1.0}) {
    double ex = s < 0 ? x : x + w;
    cairo_new_path(cr);
    cairo_move_to(cr, ex - s * w * 0.12, y + h * 0.3);
    cairo_line_to(cr, ex + s * 0.0, y + h * 0.3);
    cairo_line_to(cr, ex - s * w * 0.04, y + h * 0.58);
    cairo_line_to(cr, ex, y + h * 0.86);
    cairo_line_to(cr, ex - s * w * 0.12, y + h * 0.86);
    cairo_close_path(cr);
    FillStroke(cr, Darker(b, 0.15), kLine, 2);
  }
  RoundRect(cr, x + w * 0.07, y + h * 0.12, w * 0.86, h * 0.68, h * 0.3);
  FillVerticalStroke(cr, y, y + h, Lighter(a, 0.3), a, kLine, 2.5);
  RoundRect(cr, x + w * 0.09, y + h * 0.16, w * 0.82, h * 0.6, h * 0.26);
  cairo_set_line_width(cr, 2);
  SetColor(cr, WithAlpha(b, 0.9));
  cairo_stroke(cr);
  Gloss(cr, x + w * 0.07, y + h * 0.12, w * 0.86, h * 0.68, h * 0.3, 0.35);
}

void SkyFill(cairo_t* cr, double w, double h, Rgb top, Rgb bottom) {
  cairo_rectangle(cr, 0, 0, w, h);
  FillVertical(cr, 0, h, top, bottom);
}

void FloorStand(cairo_t* cr, double cx, double foot, double top, Rgb cloth) {
  // A little table that a lemonade bottle or a cookie jar stands on.
  cairo_rectangle(cr, cx - 24, top + 6, 6, foot - top - 6);
  cairo_rectangle(cr, cx + 18, top + 6, 6, foot - top - 6);
  FillStroke(cr, Palette::kWood, Palette::kWoodDark, 1.5);
  RoundRect(cr, cx - 32, top - 2, 64, 12, 4);
  FillStroke(cr, cloth, Darker(cloth, 0.5), 2);
  SoftOval(cr, cx, foot + 2, 30, 6, {0, 0, 0, 0.25});
}

// Ground of a play field: the part above the counter is seen; the stands of
// the lemonade (x 752) and the cookies (x 40) are part of every ground.
void PlayGround(cairo_t* cr, Rgb far, Rgb near, Rgb path, uint32_t seed, bool grass) {
  cairo_rectangle(cr, 0, 0, 800, 566);
  FillVertical(cr, 0, 566, far, near);
  Rand rnd(seed);
  if (grass) {
    cairo_set_line_width(cr, 1.2);
    for (int i = 0; i < 900; ++i) {
      double x = rnd.Uniform(0, 800), y = rnd.Uniform(0, 566), l = rnd.Uniform(3, 7);
      cairo_move_to(cr, x, y);
      cairo_line_to(cr, x + rnd.Uniform(-2, 2), y - l);
      SetColor(cr, WithAlpha(Darker(near, rnd.Uniform(0.05, 0.3)), 0.6));
      cairo_stroke(cr);
    }
  } else {
    for (int i = 0; i < 500; ++i) {
      Ellipse(cr, rnd.Uniform(0, 800), rnd.Uniform(0, 566), rnd.Uniform(1, 3), rnd.Uniform(0.5, 2));
      Fill(cr, WithAlpha(Darker(near, rnd.Uniform(0.1, 0.3)), 0.5));
    }
  }
  // The walk lanes of the floors: above the top tables and behind the counter.
  cairo_move_to(cr, -20, 118);
  cairo_curve_to(cr, 200, 100, 600, 100, 820, 118);
  cairo_move_to(cr, -20, 334);
  cairo_curve_to(cr, 300, 320, 500, 320, 820, 334);
  cairo_set_line_width(cr, 44);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  SetColor(cr, WithAlpha(path, 0.55));
  cairo_stroke(cr);
  FloorStand(cr, 752, 296, 228, Hex(0xffe066));  // screen y 330 and 262
  FloorStand(cr, 40, 302, 234, Hex(0xff9ec4));   // screen y 336 and 268
}

}  // namespace Plix::DataBuild
