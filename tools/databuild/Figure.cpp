#include "tools/databuild/Figure.h"

#include <algorithm>
#include <cmath>

namespace Plix::DataBuild {

namespace {

const Rgb& kLine = Palette::kInk;  // a reference: the palette is initialised in another file

double Len(Vec v) { return std::hypot(v.x, v.y); }
Vec Rot(Vec v, double a) { return {v.x * std::cos(a) - v.y * std::sin(a), v.x * std::sin(a) + v.y * std::cos(a)}; }

// Elbow or knee of a two-bone limb from root r to end e; bend +1 or -1
// chooses the side. A target out of reach stretches the limb a little
// instead of falling short, so that hands land where they are asked to.
Vec Joint(Vec r, Vec e, double a, double b, double bend) {
  Vec d = e - r;
  double len = std::max(Len(d), 1e-6);
  if (len >= a + b) {
    double s = len / (a + b);
    return r + d * (a * s / len);
  }
  len = std::max(len, std::fabs(a - b) + 1e-3);
  double cosA = std::clamp((a * a + len * len - b * b) / (2 * a * len), -1.0, 1.0);
  Vec dir = d * (1 / len);
  return r + Rot(dir, bend * std::acos(cosA)) * a;
}

// The elbow of a front or back view: below the line from shoulder to hand,
// or, for a hand raised above the shoulder, out to the side.
Vec FrontElbow(Vec sh, Vec hand, double a, double b, double bodyX) {
  Vec e1 = Joint(sh, hand, a, b, 1), e2 = Joint(sh, hand, a, b, -1);
  if (hand.y < sh.y - 2) return std::fabs(e1.x - bodyX) > std::fabs(e2.x - bodyX) ? e1 : e2;
  return e1.y > e2.y ? e1 : e2;
}

void Tube(cairo_t* cr, Vec a, Vec b, Vec c, double w, Rgb fill, double outline = 1.6) {
  cairo_save(cr);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  cairo_new_path(cr);
  cairo_move_to(cr, a.x, a.y);
  cairo_line_to(cr, b.x, b.y);
  cairo_line_to(cr, c.x, c.y);
  cairo_set_line_width(cr, w + 2 * outline);
  SetColor(cr, kLine);
  cairo_stroke_preserve(cr);
  cairo_set_line_width(cr, w);
  SetColor(cr, fill);
  cairo_stroke(cr);
  cairo_restore(cr);
}

void Seg(cairo_t* cr, Vec a, Vec b, double w, Rgb fill) {
  cairo_save(cr);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_new_path(cr);
  cairo_move_to(cr, a.x, a.y);
  cairo_line_to(cr, b.x, b.y);
  cairo_set_line_width(cr, w);
  SetColor(cr, fill);
  cairo_stroke(cr);
  cairo_restore(cr);
}

void Dot(cairo_t* cr, Vec c, double r, Rgb fill, double lw = 1.4) {
  Ellipse(cr, c.x, c.y, r, r);
  FillStroke(cr, fill, kLine, lw);
}

// Maps a point of the unit head (radius 1, y down) into the cel.
struct HeadSpace {
  Vec c;
  double r;
  double tilt;
  Vec P(double x, double y) const { return c + Rot({x * r, y * r}, tilt); }
};

void MoveTo(cairo_t* cr, const HeadSpace& h, double x, double y) {
  Vec p = h.P(x, y);
  cairo_move_to(cr, p.x, p.y);
}
void LineTo(cairo_t* cr, const HeadSpace& h, double x, double y) {
  Vec p = h.P(x, y);
  cairo_line_to(cr, p.x, p.y);
}
void CurveTo(cairo_t* cr, const HeadSpace& h, double x1, double y1, double x2, double y2, double x3, double y3) {
  Vec a = h.P(x1, y1), b = h.P(x2, y2), c = h.P(x3, y3);
  cairo_curve_to(cr, a.x, a.y, b.x, b.y, c.x, c.y);
}
void HeadEllipse(cairo_t* cr, const HeadSpace& h, double x, double y, double rx, double ry) {
  cairo_save(cr);
  Vec p = h.P(x, y);
  cairo_translate(cr, p.x, p.y);
  cairo_rotate(cr, h.tilt);
  Ellipse(cr, 0, 0, rx * h.r, ry * h.r);
  cairo_restore(cr);
}

// ---------------------------------------------------------------- faces

void Eye(cairo_t* cr, const HeadSpace& h, double x, double y, const Expr& f, double size, bool lashes,
         bool sideView, double flip, Rgb skin) {
  double rx = 0.12 * size, ry = 0.17 * size;
  Rgb dark = Hex(0x2a1810);
  double lw = std::max(1.2, h.r * 0.07);
  switch (f.eyes) {
    case Eyes::Shut:
      MoveTo(cr, h, x - rx * 1.1, y);
      CurveTo(cr, h, x - rx * 0.5, y + ry * 0.55, x + rx * 0.5, y + ry * 0.55, x + rx * 1.1, y);
      cairo_set_line_width(cr, lw);
      cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
      SetColor(cr, dark);
      cairo_stroke(cr);
      break;
    case Eyes::Happy:
      MoveTo(cr, h, x - rx * 1.1, y + ry * 0.35);
      CurveTo(cr, h, x - rx * 0.5, y - ry * 0.6, x + rx * 0.5, y - ry * 0.6, x + rx * 1.1, y + ry * 0.35);
      cairo_set_line_width(cr, lw);
      cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
      SetColor(cr, dark);
      cairo_stroke(cr);
      break;
    default: {
      double s = f.eyes == Eyes::Wide ? 1.25 : 1.0;
      if (f.eyes == Eyes::Wide) {
        HeadEllipse(cr, h, x, y, rx * 1.5, ry * 1.3);
        FillStroke(cr, Palette::kWhite, dark, lw * 0.7);
      }
      double px = x + f.lookX * rx * 0.5, py = y + f.lookY * ry * 0.4;
      HeadEllipse(cr, h, px, py, rx * s * (f.eyes == Eyes::Wide ? 0.75 : 1), ry * s * (f.eyes == Eyes::Wide ? 0.75 : 1));
      Fill(cr, dark);
      HeadEllipse(cr, h, px - rx * 0.3, py - ry * 0.35, rx * 0.38, rx * 0.38);
      Fill(cr, Palette::kWhite);
      if (f.eyes == Eyes::Half) {
        // The upper lid covers the top half.
        cairo_save(cr);
        MoveTo(cr, h, x - rx * 1.6, y - ry * 1.5);
        LineTo(cr, h, x + rx * 1.6, y - ry * 1.5);
        LineTo(cr, h, x + rx * 1.6, y + ry * 0.05);
        CurveTo(cr, h, x + rx * 0.5, y - ry * 0.15, x - rx * 0.5, y - ry * 0.15, x - rx * 1.6, y + ry * 0.05);
        cairo_close_path(cr);
        Fill(cr, skin);
        MoveTo(cr, h, x - rx * 1.2, y + ry * 0.02);
        CurveTo(cr, h, x - rx * 0.5, y - ry * 0.15, x + rx * 0.5, y - ry * 0.15, x + rx * 1.2, y + ry * 0.02);
        cairo_set_line_width(cr, lw);
        SetColor(cr, dark);
        cairo_stroke(cr);
        cairo_restore(cr);
      }
      if (lashes && f.eyes != Eyes::Half) {
        double ox = sideView ? 1 : flip;
        MoveTo(cr, h, x + ox * rx * 0.7, y - ry * 0.7);
        LineTo(cr, h, x + ox * rx * 1.35, y - ry * 1.05);
        cairo_set_line_width(cr, lw * 0.8);
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        SetColor(cr, dark);
        cairo_stroke(cr);
      }
      break;
    }
  }
}

void Brow(cairo_t* cr, const HeadSpace& h, double x, double y, double tiltIn, Rgb c, double flip) {
  // tiltIn > 0: the inner end lower (angry); < 0: raised (worried).
  double inner = x - flip * 0.11, outer = x + flip * 0.11;
  MoveTo(cr, h, outer, y);
  LineTo(cr, h, inner, y + tiltIn * 0.08);
  cairo_set_line_width(cr, std::max(1.2, h.r * 0.08));
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  SetColor(cr, c);
  cairo_stroke(cr);
}

void MouthShape(cairo_t* cr, const HeadSpace& h, double x, double y, double w, Mouth m, bool half) {
  Rgb dark = Hex(0x5a1a18), lip = Hex(0x8a3020);
  double lw = std::max(1.2, h.r * 0.07);
  double l = half ? x - w * 0.2 : x - w, r = x + w;
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  switch (m) {
    case Mouth::Smile:
      MoveTo(cr, h, l, y - w * 0.25);
      CurveTo(cr, h, l + (r - l) * 0.25, y + w * 0.45, r - (r - l) * 0.25, y + w * 0.45, r, y - w * 0.25);
      cairo_set_line_width(cr, lw);
      SetColor(cr, lip);
      cairo_stroke(cr);
      break;
    case Mouth::Flat:
      MoveTo(cr, h, l + w * 0.2, y);
      LineTo(cr, h, r - w * 0.2, y);
      cairo_set_line_width(cr, lw);
      SetColor(cr, lip);
      cairo_stroke(cr);
      break;
    case Mouth::Frown:
      MoveTo(cr, h, l + w * 0.1, y + w * 0.2);
      CurveTo(cr, h, l + (r - l) * 0.3, y - w * 0.3, r - (r - l) * 0.3, y - w * 0.3, r - w * 0.1, y + w * 0.2);
      cairo_set_line_width(cr, lw);
      SetColor(cr, lip);
      cairo_stroke(cr);
      break;
    case Mouth::Chew:
      MoveTo(cr, h, l + w * 0.2, y);
      CurveTo(cr, h, l + (r - l) * 0.35, y - w * 0.25, r - (r - l) * 0.35, y + w * 0.25, r - w * 0.2, y);
      cairo_set_line_width(cr, lw);
      SetColor(cr, lip);
      cairo_stroke(cr);
      break;
    case Mouth::Grin:
    case Mouth::Tongue:
      MoveTo(cr, h, l, y - w * 0.15);
      LineTo(cr, h, r, y - w * 0.15);
      CurveTo(cr, h, r - (r - l) * 0.1, y + w * 0.75, l + (r - l) * 0.1, y + w * 0.75, l, y - w * 0.15);
      cairo_close_path(cr);
      FillStroke(cr, dark, lip, lw * 0.8);
      MoveTo(cr, h, l + w * 0.12, y - w * 0.1);
      LineTo(cr, h, r - w * 0.12, y - w * 0.1);
      LineTo(cr, h, r - w * 0.2, y + w * 0.1);
      LineTo(cr, h, l + w * 0.2, y + w * 0.1);
      cairo_close_path(cr);
      Fill(cr, Palette::kWhite);
      HeadEllipse(cr, h, (l + r) / 2, y + w * (m == Mouth::Tongue ? 0.6 : 0.42), (r - l) * 0.22,
                  w * (m == Mouth::Tongue ? 0.3 : 0.14));
      Fill(cr, Hex(0xf0607a));
      break;
    case Mouth::Open:
    case Mouth::Oh:
    case Mouth::Wide: {
      double s = m == Mouth::Wide ? 1.0 : m == Mouth::Oh ? 0.45 : 0.6;
      double cx = half ? x + w * 0.3 : x;
      HeadEllipse(cr, h, cx, y + w * 0.15, w * s * (half ? 0.7 : 1), w * s * 0.8);
      FillStroke(cr, dark, lip, lw * 0.8);
      if (m != Mouth::Oh) {
        HeadEllipse(cr, h, cx, y + w * 0.15 + w * s * 0.4, w * s * 0.55 * (half ? 0.7 : 1), w * s * 0.3);
        Fill(cr, Hex(0xf0607a));
      }
      break;
    }
  }
}

// ---------------------------------------------------------------- hair

void HairFill(cairo_t* cr, Rgb c, double lw) {
  FillStroke(cr, c, kLine, lw);
}

// The cap of hair over the top of the head, front view, down to y = side
// at the temples, with a fringe whose lower edge is given as points.
void FrontCap(cairo_t* cr, const HeadSpace& h, double side, const double (*fringe)[2], int n) {
  MoveTo(cr, h, -1.04, side);
  CurveTo(cr, h, -1.12, -0.75, -0.6, -1.18, 0, -1.16);
  CurveTo(cr, h, 0.6, -1.18, 1.12, -0.75, 1.04, side);
  for (int i = 0; i < n; ++i) LineTo(cr, h, fringe[i][0], fringe[i][1]);
  cairo_close_path(cr);
}

void Ponytail(cairo_t* cr, const HeadSpace& h, double x0, double y0, double dx, double dy, double swing, Rgb c,
              double lw) {
  // A teardrop tail from (x0, y0) towards (x0 + dx, y0 + dy).
  double ex = x0 + dx + swing * 0.3, ey = y0 + dy;
  MoveTo(cr, h, x0 - 0.2, y0);
  CurveTo(cr, h, x0 + dx * 0.3 - 0.45, y0 + dy * 0.2, ex - 0.35, ey - dy * 0.3, ex, ey);
  CurveTo(cr, h, ex + 0.3, ey - dy * 0.35, x0 + dx * 0.4 + 0.45, y0 + dy * 0.1, x0 + 0.2, y0);
  cairo_close_path(cr);
  HairFill(cr, c, lw);
  // A few strands.
  MoveTo(cr, h, x0, y0 + 0.1);
  CurveTo(cr, h, x0 + dx * 0.4, y0 + dy * 0.3, ex - 0.1, ey - dy * 0.3, ex, ey - 0.05);
  cairo_set_line_width(cr, lw * 0.6);
  SetColor(cr, Darker(c, 0.3));
  cairo_stroke(cr);
}

void FlowerAt(cairo_t* cr, const HeadSpace& h, double x, double y, double s, Rgb c) {
  Vec p = h.P(x, y);
  for (int i = 0; i < 5; ++i) {
    double a = i * 2 * M_PI / 5 - M_PI / 2 + h.tilt;
    Ellipse(cr, p.x + std::cos(a) * s * 0.55, p.y + std::sin(a) * s * 0.55, s * 0.48, s * 0.48);
  }
  FillStroke(cr, c, Darker(c, 0.5), std::max(1.0, s * 0.12));
  Ellipse(cr, p.x, p.y, s * 0.3, s * 0.3);
  Fill(cr, Hex(0xffe04a));
}

// Hair drawn behind the head (long hair, tails, buns) for each view.
void HairBack(cairo_t* cr, const Look& L, const HeadSpace& h, View v, double swing) {
  Rgb c = L.hairColor;
  double lw = 1.5;
  switch (L.hair) {
    case Hair::Ponytail:
      if (v == View::Front) Ponytail(cr, h, 0.55, -0.85, 0.75, 1.2, swing, c, lw);
      else if (v == View::Side) Ponytail(cr, h, -0.55, -0.75, -0.85, 1.25, swing, c, lw);
      break;
    case Hair::Bob:
    case Hair::Long: {
      double bottom = L.hair == Hair::Long ? 1.45 : 0.8;
      if (v == View::Side) {
        MoveTo(cr, h, 0.2, -1.0);
        CurveTo(cr, h, -0.9, -1.1, -1.2, -0.3, -1.15, bottom * 0.7);
        CurveTo(cr, h, -1.1, bottom, -0.4, bottom, -0.2, bottom * 0.85);
        LineTo(cr, h, -0.1, 0.2);
        cairo_close_path(cr);
      } else {
        MoveTo(cr, h, -1.0, -0.5);
        CurveTo(cr, h, -1.25, 0.1, -1.2, bottom * 0.7, -1.05, bottom);
        CurveTo(cr, h, -0.5, bottom + 0.08, 0.5, bottom + 0.08, 1.05, bottom);
        CurveTo(cr, h, 1.2, bottom * 0.7, 1.25, 0.1, 1.0, -0.5);
        cairo_close_path(cr);
      }
      HairFill(cr, c, lw);
      break;
    }
    case Hair::Bun:
      if (v == View::Side) HeadEllipse(cr, h, -0.55, -0.95, 0.38, 0.36);
      else HeadEllipse(cr, h, 0, -1.12, 0.4, 0.34);
      HairFill(cr, c, lw);
      break;
    case Hair::Curly: {
      int n = 11;
      for (int i = 0; i < n; ++i) {
        double a = M_PI * 0.85 + i * M_PI * 1.3 / (n - 1);
        double r = 1.02;
        double cx = std::cos(a) * r * (v == View::Side ? 0.95 : 1.08), cy = std::sin(a) * r * 0.95 - 0.05;
        if (v == View::Side) cx -= 0.1;
        HeadEllipse(cr, h, cx, cy, 0.34, 0.32);
      }
      if (v != View::Side) {
        HeadEllipse(cr, h, -1.05, 0.35, 0.3, 0.3);
        HeadEllipse(cr, h, 1.05, 0.35, 0.3, 0.3);
      } else {
        HeadEllipse(cr, h, -0.85, 0.4, 0.32, 0.32);
      }
      HairFill(cr, c, lw);
      break;
    }
    default:
      break;
  }
}

// Hair drawn over the head: the cap and fringe (front and side) or the
// whole back of the head (back view).
void HairFront(cairo_t* cr, const Look& L, const HeadSpace& h, View v, double swing) {
  Rgb c = L.hairColor;
  double lw = 1.5;
  if (v == View::Back) {
    if (L.hair == Hair::None) return;
    if (L.hair == Hair::Bald) {
      MoveTo(cr, h, -1.04, -0.25);
      CurveTo(cr, h, -1.1, 0.3, -0.6, 0.75, 0, 0.75);
      CurveTo(cr, h, 0.6, 0.75, 1.1, 0.3, 1.04, -0.25);
      CurveTo(cr, h, 0.5, -0.05, -0.5, -0.05, -1.04, -0.25);
      cairo_close_path(cr);
      HairFill(cr, c, lw);
      return;
    }
    double low = L.hair == Hair::Bob ? 0.85 : L.hair == Hair::Long ? 1.45 : 0.7;
    MoveTo(cr, h, -1.06, 0.0);
    CurveTo(cr, h, -1.15, -0.8, -0.6, -1.2, 0, -1.18);
    CurveTo(cr, h, 0.6, -1.2, 1.15, -0.8, 1.06, 0.0);
    CurveTo(cr, h, 1.1, low * 0.6, 0.8, low, 0, low);
    CurveTo(cr, h, -0.8, low, -1.1, low * 0.6, -1.06, 0.0);
    cairo_close_path(cr);
    HairFill(cr, c, lw);
    if (L.hair == Hair::Ponytail) {
      HeadEllipse(cr, h, 0, -0.55, 0.18, 0.12);
      FillStroke(cr, Hex(0xff5fa0), kLine, 1.2);
      Ponytail(cr, h, 0, -0.5, swing * 0.25, 2.1, swing, Darker(c, 0.08), lw);
    }
    if (L.hair == Hair::Bun) {
      HeadEllipse(cr, h, 0, -0.75, 0.42, 0.38);
      HairFill(cr, c, lw);
    }
    if (L.flower.a > 0) FlowerAt(cr, h, 0.75, -0.6, h.r * 0.32, L.flower);
    return;
  }
  if (v == View::Side) {
    switch (L.hair) {
      case Hair::None:
        return;
      case Hair::Bald:
        MoveTo(cr, h, -0.2, -0.3);
        CurveTo(cr, h, -0.9, -0.55, -1.15, 0.1, -0.75, 0.6);
        CurveTo(cr, h, -0.5, 0.7, -0.25, 0.4, -0.2, -0.3);
        cairo_close_path(cr);
        HairFill(cr, c, lw);
        return;
      default:
        break;
    }
    double nape = (L.hair == Hair::Short || L.hair == Hair::Spiky || L.hair == Hair::Slick || L.hair == Hair::Bun ||
                   L.hair == Hair::Ponytail)
                      ? 0.45
                      : 0.7;
    MoveTo(cr, h, 0.75, -0.55);
    CurveTo(cr, h, 0.7, -1.15, -0.3, -1.3, -0.85, -0.85);
    CurveTo(cr, h, -1.2, -0.45, -1.05, 0.2, -0.7, nape);
    CurveTo(cr, h, -0.45, nape - 0.1, -0.35, 0.2, -0.1, 0.05);
    if (L.hair == Hair::Spiky) {
      LineTo(cr, h, 0.05, -0.45);
      LineTo(cr, h, 0.35, -0.4);
      LineTo(cr, h, 0.4, -0.6);
      LineTo(cr, h, 0.7, -0.45);
      LineTo(cr, h, 0.62, -0.75);
      LineTo(cr, h, 1.0, -0.6);
    } else {
      CurveTo(cr, h, 0.1, -0.25, 0.35, -0.4, 0.55, -0.3);
      CurveTo(cr, h, 0.65, -0.35, 0.85, -0.35, 0.75, -0.55);
    }
    cairo_close_path(cr);
    HairFill(cr, c, lw);
    if (L.hair == Hair::Curly) {
      for (int i = 0; i < 4; ++i) HeadEllipse(cr, h, 0.55 - i * 0.35, -1.0 + i * 0.05, 0.3, 0.26);
      HairFill(cr, c, lw);
    }
    if (L.hair == Hair::Ponytail) {
      HeadEllipse(cr, h, -0.62, -0.62, 0.12, 0.18);
      FillStroke(cr, Hex(0xff5fa0), kLine, 1.2);
    }
    if (L.flower.a > 0) FlowerAt(cr, h, -0.25, -0.85, h.r * 0.34, L.flower);
    return;
  }
  // Front view.
  switch (L.hair) {
    case Hair::None:
      break;
    case Hair::Bald: {
      for (double s : {-1.0, 1.0}) {
        MoveTo(cr, h, s * 1.04, -0.3);
        CurveTo(cr, h, s * 1.18, -0.1, s * 1.12, 0.3, s * 0.92, 0.45);
        CurveTo(cr, h, s * 0.85, 0.2, s * 0.8, -0.1, s * 1.04, -0.3);
        cairo_close_path(cr);
        HairFill(cr, c, lw);
      }
      HeadEllipse(cr, h, -0.35, -0.7, 0.22, 0.12);
      Fill(cr, {1, 1, 1, 0.45});
      break;
    }
    case Hair::Ponytail: {
      const double fringe[][2] = {{1.0, -0.05}, {0.85, -0.45}, {0.55, -0.55}, {0.25, -0.3}, {0.1, -0.55},
                                  {-0.25, -0.42}, {-0.55, -0.55}, {-0.85, -0.35}, {-1.0, 0.0}};
      FrontCap(cr, h, 0.3, fringe, 9);
      HairFill(cr, c, lw);
      // Locks in front of the ears.
      for (double s : {-1.0, 1.0}) {
        MoveTo(cr, h, s * 1.04, -0.2);
        CurveTo(cr, h, s * 1.1, 0.2, s * 1.02, 0.45, s * 0.9, 0.55);
        CurveTo(cr, h, s * 0.88, 0.3, s * 0.9, 0.0, s * 0.85, -0.3);
        cairo_close_path(cr);
        HairFill(cr, c, lw);
      }
      break;
    }
    case Hair::Short:
    case Hair::Slick: {
      const double fringe[][2] = {{1.02, -0.2}, {0.7, -0.5}, {0.3, -0.58}, {-0.2, -0.55}, {-0.65, -0.5},
                                  {-1.02, -0.2}};
      FrontCap(cr, h, 0.05, fringe, 6);
      HairFill(cr, c, lw);
      if (L.hair == Hair::Slick) {
        MoveTo(cr, h, 0.3, -1.12);
        CurveTo(cr, h, 0.25, -0.9, 0.1, -0.7, -0.1, -0.58);
        cairo_set_line_width(cr, 1.0);
        SetColor(cr, Darker(c, 0.35));
        cairo_stroke(cr);
      }
      break;
    }
    case Hair::Spiky: {
      const double fringe[][2] = {{1.02, -0.1}, {0.8, -0.45}, {0.65, -0.3}, {0.45, -0.55}, {0.25, -0.35},
                                  {0.05, -0.6}, {-0.2, -0.38}, {-0.4, -0.6}, {-0.6, -0.38}, {-0.8, -0.55},
                                  {-1.02, -0.1}};
      FrontCap(cr, h, 0.05, fringe, 11);
      HairFill(cr, c, lw);
      break;
    }
    case Hair::Bob:
    case Hair::Long: {
      const double fringe[][2] = {{0.98, 0.55}, {0.85, -0.2}, {0.6, -0.45}, {0.2, -0.5}, {-0.2, -0.52},
                                  {-0.6, -0.45}, {-0.85, -0.2}, {-0.98, 0.55}};
      FrontCap(cr, h, 0.55, fringe, 8);
      HairFill(cr, c, lw);
      break;
    }
    case Hair::Bun: {
      const double fringe[][2] = {{1.0, -0.1}, {0.6, -0.62}, {0.0, -0.72}, {-0.6, -0.62}, {-1.0, -0.1}};
      FrontCap(cr, h, 0.05, fringe, 5);
      HairFill(cr, c, lw);
      break;
    }
    case Hair::Curly: {
      for (int i = 0; i < 6; ++i) HeadEllipse(cr, h, -0.75 + i * 0.3, -0.75 + std::fabs(i - 2.5) * 0.05, 0.28, 0.25);
      HairFill(cr, c, lw);
      break;
    }
  }
  if (L.flower.a > 0) FlowerAt(cr, h, -0.82, -0.62, h.r * 0.36, L.flower);
}

void DrawHat(cairo_t* cr, const Look& L, const HeadSpace& h, View v) {
  Rgb c = L.hatColor, band = L.hatBand;
  double lw = 1.5;
  double dir = v == View::Side ? 1 : 0;
  switch (L.hat) {
    case Hat::None:
      break;
    case Hat::Cap:
      MoveTo(cr, h, -1.05, -0.35);
      CurveTo(cr, h, -1.1, -1.3, 1.1, -1.3, 1.05, -0.35);
      cairo_close_path(cr);
      HairFill(cr, c, lw);
      if (v == View::Front) {
        HeadEllipse(cr, h, 0, -0.38, 0.95, 0.2);
        HairFill(cr, Darker(c, 0.15), lw);
      } else if (v == View::Side) {
        MoveTo(cr, h, 0.6, -0.45);
        CurveTo(cr, h, 1.1, -0.55, 1.5, -0.45, 1.55, -0.3);
        LineTo(cr, h, 0.7, -0.3);
        cairo_close_path(cr);
        HairFill(cr, Darker(c, 0.15), lw);
      }
      HeadEllipse(cr, h, 0, -1.02, 0.1, 0.07);
      Fill(cr, band);
      break;
    case Hat::Panama:
    case Hat::SunHat: {
      double brim = L.hat == Hat::SunHat ? 1.75 : 1.45;
      MoveTo(cr, h, -0.75 + dir * 0.1, -0.6);
      CurveTo(cr, h, -0.8, -1.5, 0.8, -1.5, 0.75 + dir * 0.1, -0.6);
      cairo_close_path(cr);
      HairFill(cr, c, lw);
      MoveTo(cr, h, -0.78, -0.72);
      CurveTo(cr, h, -0.5, -0.78, 0.5, -0.78, 0.78, -0.72);
      LineTo(cr, h, 0.76, -0.6);
      CurveTo(cr, h, 0.5, -0.66, -0.5, -0.66, -0.76, -0.6);
      cairo_close_path(cr);
      Fill(cr, band);
      HeadEllipse(cr, h, dir * 0.15, -0.58, brim, 0.26);
      HairFill(cr, c, lw);
      HeadEllipse(cr, h, dir * 0.15, -0.62, brim * 0.55, 0.1);
      Fill(cr, Darker(c, 0.12));
      if (L.hat == Hat::SunHat) FlowerAt(cr, h, 0.55 - dir * 0.9, -0.85, h.r * 0.3, band);
      break;
    }
    case Hat::TopHat:
      HeadEllipse(cr, h, dir * 0.1, -0.7, 1.25, 0.22);
      HairFill(cr, c, lw);
      MoveTo(cr, h, -0.7, -0.75);
      LineTo(cr, h, -0.75, -2.0);
      CurveTo(cr, h, -0.3, -2.1, 0.3, -2.1, 0.75, -2.0);
      LineTo(cr, h, 0.7, -0.75);
      CurveTo(cr, h, 0.3, -0.65, -0.3, -0.65, -0.7, -0.75);
      cairo_close_path(cr);
      HairFill(cr, c, lw);
      MoveTo(cr, h, -0.72, -1.05);
      LineTo(cr, h, 0.72, -1.05);
      LineTo(cr, h, 0.71, -0.82);
      LineTo(cr, h, -0.71, -0.82);
      cairo_close_path(cr);
      Fill(cr, band);
      MoveTo(cr, h, -0.45, -1.85);
      LineTo(cr, h, -0.45, -1.2);
      cairo_set_line_width(cr, 2);
      SetColor(cr, {1, 1, 1, 0.3});
      cairo_stroke(cr);
      break;
    case Hat::Headband:
      MoveTo(cr, h, -1.05, -0.5);
      CurveTo(cr, h, -0.5, -0.75, 0.5, -0.75, 1.05, -0.5);
      LineTo(cr, h, 1.03, -0.3);
      CurveTo(cr, h, 0.5, -0.52, -0.5, -0.52, -1.03, -0.3);
      cairo_close_path(cr);
      HairFill(cr, c, 1.2);
      break;
    case Hat::Chef:
      HeadEllipse(cr, h, -0.45, -1.35, 0.5, 0.45);
      HeadEllipse(cr, h, 0.45, -1.35, 0.5, 0.45);
      HeadEllipse(cr, h, 0, -1.55, 0.55, 0.5);
      HairFill(cr, c, lw);
      MoveTo(cr, h, -0.85, -1.1);
      LineTo(cr, h, 0.85, -1.1);
      LineTo(cr, h, 0.9, -0.6);
      LineTo(cr, h, -0.9, -0.6);
      cairo_close_path(cr);
      HairFill(cr, c, lw);
      break;
  }
}

void DrawHead(cairo_t* cr, const Look& L, const HeadSpace& h, View v, const Expr& f, double swing) {
  Rgb skin = L.skin;
  double lw = 1.6;
  if (v != View::Front) HairBack(cr, L, h, v, swing);
  // Ears.
  if (v == View::Side) {
    HeadEllipse(cr, h, -0.12, 0.1, 0.2, 0.26);
    FillStroke(cr, skin, kLine, lw * 0.8);
  } else {
    for (double s : {-1.0, 1.0}) {
      HeadEllipse(cr, h, s * 0.98, 0.12, 0.2, 0.26);
      FillStroke(cr, skin, kLine, lw * 0.8);
    }
  }
  // The head itself; in side view with the nose and chin.
  if (v == View::Side) {
    MoveTo(cr, h, 0.0, -1.05);
    CurveTo(cr, h, 0.7, -1.05, 0.98, -0.5, 0.96, 0.05);
    CurveTo(cr, h, 1.12, 0.22, 1.14, 0.36, 0.97, 0.42);
    CurveTo(cr, h, 0.95, 0.75, 0.6, 1.0, 0.1, 1.0);
    CurveTo(cr, h, -0.6, 1.0, -1.0, 0.6, -1.0, 0.0);
    CurveTo(cr, h, -1.0, -0.65, -0.6, -1.05, 0.0, -1.05);
    cairo_close_path(cr);
  } else {
    HeadEllipse(cr, h, 0, 0, 1.0, 1.04);
  }
  FillStroke(cr, skin, kLine, lw);
  if (v == View::Back) {
    HairFront(cr, L, h, v, swing);
    DrawHat(cr, L, h, v);
    return;
  }
  // Face.
  double es = L.eyeSize;
  if (v == View::Front) {
    if (L.blush) {
      for (double s : {-1.0, 1.0}) {
        Vec p = h.P(s * 0.56, 0.42);
        SoftOval(cr, p.x, p.y, h.r * 0.2, h.r * 0.13, Hex(0xff7a8a, 0.55));
      }
    }
    for (double s : {-1.0, 1.0}) Eye(cr, h, s * 0.36, 0.05, f, es, L.lashes, false, s, skin);
    Rgb browC = Darker(L.hair == Hair::Bald || L.hair == Hair::None ? L.beard_color : L.hairColor, 0.15);
    double tiltIn = f.eyes == Eyes::Angry ? 1.0 : f.eyes == Eyes::Sad ? -1.0 : -f.brows * 0.5;
    double by = -0.26 - f.brows * 0.08 - (f.eyes == Eyes::Wide ? 0.1 : 0);
    if (f.eyes != Eyes::Open || f.brows != 0 || L.moustache)
      for (double s : {-1.0, 1.0}) Brow(cr, h, s * 0.36, by, tiltIn, browC, s);
    // Nose.
    MoveTo(cr, h, -0.07, 0.33);
    CurveTo(cr, h, -0.03, 0.38, 0.03, 0.38, 0.07, 0.33);
    cairo_set_line_width(cr, 1.2);
    SetColor(cr, Darker(skin, 0.35));
    cairo_stroke(cr);
    if (L.beard) {
      MoveTo(cr, h, -0.85, 0.3);
      CurveTo(cr, h, -0.8, 1.0, -0.3, 1.3, 0, 1.3);
      CurveTo(cr, h, 0.3, 1.3, 0.8, 1.0, 0.85, 0.3);
      CurveTo(cr, h, 0.5, 0.75, -0.5, 0.75, -0.85, 0.3);
      cairo_close_path(cr);
      HairFill(cr, L.beard_color, 1.3);
    }
    MouthShape(cr, h, 0, 0.6, 0.2, f.mouth, false);
    if (L.moustache) {
      MoveTo(cr, h, 0, 0.42);
      CurveTo(cr, h, -0.2, 0.32, -0.5, 0.4, -0.55, 0.58);
      CurveTo(cr, h, -0.35, 0.55, -0.15, 0.56, 0, 0.5);
      CurveTo(cr, h, 0.15, 0.56, 0.35, 0.55, 0.55, 0.58);
      CurveTo(cr, h, 0.5, 0.4, 0.2, 0.32, 0, 0.42);
      cairo_close_path(cr);
      HairFill(cr, L.beard_color, 1.2);
    }
    if (L.glasses) {
      for (double s : {-1.0, 1.0}) {
        HeadEllipse(cr, h, s * 0.37, 0.05, 0.24, 0.2);
        FillStroke(cr, {1, 1, 1, 0.25}, Hex(0x303040), 1.4);
      }
      MoveTo(cr, h, -0.13, 0.02);
      LineTo(cr, h, 0.13, 0.02);
      cairo_set_line_width(cr, 1.4);
      SetColor(cr, Hex(0x303040));
      cairo_stroke(cr);
    }
  } else {
    if (L.blush) {
      Vec p = h.P(0.5, 0.42);
      SoftOval(cr, p.x, p.y, h.r * 0.18, h.r * 0.12, Hex(0xff7a8a, 0.55));
    }
    Eye(cr, h, 0.52, 0.04, f, es * 0.9, L.lashes, true, 1, skin);
    Rgb browC = Darker(L.hair == Hair::Bald || L.hair == Hair::None ? L.beard_color : L.hairColor, 0.15);
    if (f.eyes != Eyes::Open || f.brows != 0 || L.moustache)
      Brow(cr, h, 0.52, -0.26 - f.brows * 0.08, f.eyes == Eyes::Angry ? 1.0 : f.eyes == Eyes::Sad ? -1.0 : 0, browC,
           -1);
    if (L.beard) {
      MoveTo(cr, h, -0.2, 0.5);
      CurveTo(cr, h, -0.1, 1.1, 0.4, 1.25, 0.7, 1.1);
      CurveTo(cr, h, 0.95, 0.9, 0.98, 0.55, 0.9, 0.5);
      CurveTo(cr, h, 0.5, 0.75, 0.2, 0.7, -0.2, 0.5);
      cairo_close_path(cr);
      HairFill(cr, L.beard_color, 1.3);
    }
    MouthShape(cr, h, 0.72, 0.62, 0.18, f.mouth, true);
    if (L.moustache) {
      MoveTo(cr, h, 0.98, 0.45);
      CurveTo(cr, h, 0.85, 0.38, 0.55, 0.42, 0.45, 0.58);
      CurveTo(cr, h, 0.65, 0.56, 0.85, 0.58, 0.98, 0.52);
      cairo_close_path(cr);
      HairFill(cr, L.beard_color, 1.2);
    }
    if (L.glasses) {
      HeadEllipse(cr, h, 0.6, 0.05, 0.2, 0.19);
      FillStroke(cr, {1, 1, 1, 0.25}, Hex(0x303040), 1.4);
      MoveTo(cr, h, 0.4, 0.02);
      LineTo(cr, h, -0.1, 0.0);
      cairo_set_line_width(cr, 1.2);
      SetColor(cr, Hex(0x303040));
      cairo_stroke(cr);
    }
  }
  HairFront(cr, L, h, v, swing);
  DrawHat(cr, L, h, v);
}

// ---------------------------------------------------------------- bodies

struct Skeleton {
  double p;            // height
  double hr;           // head radius
  Vec hip;             // centre of the hips
  Vec neck;            // centre of the shoulder line
  Vec up;              // unit vector from hips to neck
  Vec across;          // unit vector to the viewer's right across the body
  Vec shoulder[2];
  Vec legRoot[2];
  Vec ankle[2];
  Vec head;
  double tilt;
  double upperArm, foreArm, thigh, shin;
  double armW, legW, sw, hw, waist;
};

Skeleton Build(const Look& L, const Pose& P) {
  Skeleton s;
  double p = L.height;
  s.p = p;
  s.hr = 0.155 * p * L.headScale;
  double legLen = 0.40 * p * L.legScale;
  Vec base = {P.foot.x + P.sway, P.foot.y - P.bob};
  s.hip = {base.x, base.y - legLen};
  double lean = P.lean + (P.view == View::Side ? L.stoop : 0);
  s.up = Rot({0, -1}, lean);
  s.across = Rot({1, 0}, lean);
  double headCy = -(p - s.hr * 1.05);  // relative to the sole
  double shY = headCy + s.hr * 0.95 + 0.03 * p;
  double torso = -shY - legLen;
  s.neck = s.hip + s.up * torso;
  s.sw = 0.112 * p * L.build;
  s.hw = 0.085 * p * L.build * (1 + L.belly * 0.25);
  s.waist = 0.075 * p * L.build * (1 + L.belly * 0.6);
  s.armW = 0.058 * p * std::sqrt(L.build);
  s.legW = 0.074 * p * std::sqrt(L.build);
  s.upperArm = 0.16 * p;
  s.foreArm = 0.145 * p;
  double ankleH = 0.035 * p;
  s.thigh = s.shin = (legLen - ankleH) / 2;
  if (P.view == View::Side) {
    s.shoulder[0] = s.neck + s.across * (-0.015 * p) - s.up * (0.025 * p);
    s.shoulder[1] = s.neck + s.across * (0.01 * p) - s.up * (0.025 * p);
    s.legRoot[0] = s.hip + Vec{-0.012 * p, 0};
    s.legRoot[1] = s.hip + Vec{0.012 * p, 0};
  } else {
    s.shoulder[0] = s.neck - s.across * (s.sw - s.armW * 0.35) - s.up * (0.025 * p);
    s.shoulder[1] = s.neck + s.across * (s.sw - s.armW * 0.35) - s.up * (0.025 * p);
    s.legRoot[0] = s.hip - s.across * (s.hw * 0.5);
    s.legRoot[1] = s.hip + s.across * (s.hw * 0.5);
  }
  for (int i = 0; i < 2; ++i) {
    double rest = P.view == View::Side ? (i == 0 ? -0.01 : 0.01) * p : (i == 0 ? -1 : 1) * s.hw * 0.55;
    s.ankle[i] = {P.foot.x + rest + P.feet[i].x, P.foot.y - ankleH - P.feet[i].y};
  }
  s.head = s.neck + s.up * (s.hr * 0.95 + 0.03 * p) + P.headShift;
  s.tilt = P.headTilt + lean * 0.4;
  return s;
}

Vec HandRest(const Skeleton& s, const Pose& P, int i) {
  double out = P.view == View::Side ? 0 : (i == 0 ? -1 : 1) * 0.06 * s.p;
  return s.shoulder[i] + Vec{out, (s.upperArm + s.foreArm) * 0.96};
}

void DrawArm(cairo_t* cr, const Look& L, const Pose& P, const Skeleton& s, int i) {
  Vec sh = s.shoulder[i];
  Vec hand = P.handSet[i] ? P.hands[i] : HandRest(s, P, i);
  if (P.mirror && P.handSet[i]) hand.x = 2 * P.foot.x - hand.x;
  // A hand asked to go further than the arm reaches stops a little beyond
  // full stretch: a rubber arm looks worse than a small gap.
  double reach = (s.upperArm + s.foreArm) * 1.1, d = Len(hand - sh);
  if (d > reach) hand = sh + (hand - sh) * (reach / d);
  Vec elbow = P.view == View::Side ? Joint(sh, hand, s.upperArm, s.foreArm, 1)
                                   : FrontElbow(sh, hand, s.upperArm, s.foreArm, s.neck.x);
  Rgb sleeve = L.top == Top::Jacket ? L.topColor : L.top == Top::Vest ? L.shirt : L.topColor;
  bool longSleeve = L.top == Top::LongSleeve || L.top == Top::Jacket || L.top == Top::Vest;
  bool noSleeve = L.top == Top::Tank || (L.top == Top::Dress && L.pattern != Pattern::Flowers);
  Tube(cr, sh, elbow, hand, s.armW, L.skin);
  if (longSleeve) {
    Vec cuff = Lerp(elbow, hand, 0.8);
    Tube(cr, sh, elbow, cuff, s.armW * 1.12, sleeve);
  } else if (!noSleeve) {
    Vec end = Lerp(sh, elbow, 0.55);
    Tube(cr, sh, Lerp(sh, end, 0.5), end, s.armW * 1.25, sleeve);
  }
  Dot(cr, hand, s.armW * 0.72, L.skin, 1.4);
}

void DrawLeg(cairo_t* cr, const Look& L, const Pose& P, const Skeleton& s, int i) {
  Vec root = s.legRoot[i], ankle = s.ankle[i];
  double bend = P.view == View::Side ? -1 : (i == 0 ? 1 : -1);
  Vec knee = Joint(root, ankle, s.thigh, s.shin, bend);
  bool trousers = L.bottom == Bottom::Trousers;
  Rgb legColor = trousers ? L.bottomColor : (L.bareLegs ? L.skin : Hex(0xf6f0e8));
  Tube(cr, root, knee, ankle, s.legW, legColor);
  if (L.bottom == Bottom::Shorts) {
    Vec end = Lerp(root, knee, 0.75);
    Tube(cr, root, Lerp(root, end, 0.5), end, s.legW * 1.3, L.bottomColor);
  }
  // Shoe.
  double fw = 0.055 * s.p, fh = 0.032 * s.p;
  Vec c = ankle + Vec{0, fh * 0.4};
  if (P.view == View::Side) {
    cairo_save(cr);
    cairo_translate(cr, c.x + fw * 0.45, c.y);
    Ellipse(cr, 0, 0, fw * 1.1, fh);
    FillStroke(cr, L.shoes, kLine, 1.4);
    cairo_restore(cr);
  } else {
    Ellipse(cr, c.x + (i == 0 ? -1 : 1) * fw * 0.12, c.y, fw * 0.75, fh);
    FillStroke(cr, L.shoes, kLine, 1.4);
    Ellipse(cr, c.x + (i == 0 ? -1 : 1) * fw * 0.12 - fw * 0.25, c.y - fh * 0.35, fw * 0.25, fh * 0.3);
    Fill(cr, {1, 1, 1, 0.35});
  }
}

// A point across the torso: u -1..1 from the viewer's left side to the
// right side, t 0..1 from the neck down to the hips.
Vec TorsoPoint(const Skeleton& s, double halfTop, double halfBottom, double u, double t) {
  double half = halfTop + (halfBottom - halfTop) * t;
  Vec centre = Lerp(s.neck, s.hip, t);
  return centre + s.across * (u * half);
}

void TorsoPath(cairo_t* cr, const Look& L, const Pose& P, const Skeleton& s) {
  double lenT = Len(s.neck - s.hip);
  (void)lenT;
  if (P.view == View::Side) {
    double back = 0.08 * s.p * L.build, front = 0.082 * s.p * L.build;
    double belly = L.belly * 0.06 * s.p;
    Vec n = s.neck, hp = s.hip;
    Vec a = s.across;
    Vec b0 = n - a * back * 0.8, f0 = n + a * front * 0.7;
    Vec b1 = hp - a * back * 1.05, f1 = hp + a * front * 0.9;
    Vec fm = Lerp(n, hp, 0.6) + a * (front + belly);
    Vec bm = Lerp(n, hp, 0.5) - a * back;
    cairo_new_path(cr);
    cairo_move_to(cr, b0.x, b0.y);
    cairo_curve_to(cr, b0.x + (f0.x - b0.x) * 0.3, b0.y - 0.02 * s.p, f0.x - (f0.x - b0.x) * 0.3, f0.y - 0.02 * s.p,
                   f0.x, f0.y);
    cairo_curve_to(cr, fm.x, fm.y - 0.1 * s.p, fm.x, fm.y + 0.03 * s.p, f1.x, f1.y);
    cairo_line_to(cr, b1.x, b1.y);
    cairo_curve_to(cr, bm.x, bm.y + 0.05 * s.p, bm.x, bm.y - 0.05 * s.p, b0.x, b0.y);
    cairo_close_path(cr);
    return;
  }
  double sw = s.sw, hw = s.hw, wa = s.waist;
  Vec ls = TorsoPoint(s, sw, sw, -1, 0.08), rs = TorsoPoint(s, sw, sw, 1, 0.08);
  Vec lw = TorsoPoint(s, wa, wa, -1, 0.6), rw = TorsoPoint(s, wa, wa, 1, 0.6);
  Vec lh = TorsoPoint(s, hw, hw, -1, 1.0), rh = TorsoPoint(s, hw, hw, 1, 1.0);
  Vec top = s.neck - s.up * (0.005 * s.p);
  cairo_new_path(cr);
  cairo_move_to(cr, ls.x, ls.y);
  Vec c1 = Lerp(ls, top, 0.5) + s.up * (0.02 * s.p), c2 = Lerp(rs, top, 0.5) + s.up * (0.02 * s.p);
  cairo_curve_to(cr, c1.x, c1.y, c2.x, c2.y, rs.x, rs.y);
  cairo_curve_to(cr, rw.x, rw.y - 0.06 * s.p, rw.x, rw.y + 0.04 * s.p, rh.x, rh.y);
  Vec bot = Lerp(lh, rh, 0.5) - s.up * (0.01 * s.p);
  cairo_curve_to(cr, rh.x, rh.y, bot.x + (rh.x - bot.x) * 0.5, bot.y, bot.x, bot.y);
  cairo_curve_to(cr, bot.x + (lh.x - bot.x) * 0.5, bot.y, lh.x, lh.y, lh.x, lh.y);
  cairo_curve_to(cr, lw.x, lw.y + 0.04 * s.p, lw.x, lw.y - 0.06 * s.p, ls.x, ls.y);
  cairo_close_path(cr);
}

void PatternFill(cairo_t* cr, const Look& L, const Skeleton& s) {
  if (L.pattern == Pattern::None) return;
  cairo_save(cr);
  cairo_clip_preserve(cr);
  double x0 = s.hip.x - 0.3 * s.p, x1 = s.hip.x + 0.3 * s.p, y0 = s.neck.y - 0.05 * s.p, y1 = s.hip.y + 0.3 * s.p;
  cairo_new_path(cr);
  if (L.pattern == Pattern::Stripes) {
    for (double y = y0; y < y1; y += 0.05 * s.p) cairo_rectangle(cr, x0, y, x1 - x0, 0.022 * s.p);
    Fill(cr, L.patternColor);
  } else if (L.pattern == Pattern::Dots) {
    int k = 0;
    for (double y = y0; y < y1; y += 0.045 * s.p, ++k)
      for (double x = x0 + (k % 2) * 0.025 * s.p; x < x1; x += 0.05 * s.p) Ellipse(cr, x, y, 0.01 * s.p, 0.01 * s.p);
    Fill(cr, L.patternColor);
  } else {
    Rand rnd(17);
    for (double y = y0; y < y1; y += 0.07 * s.p)
      for (double x = x0; x < x1; x += 0.08 * s.p) {
        double r = 0.028 * s.p;
        Flower(cr, x + rnd.Uniform(-3, 3), y + rnd.Uniform(-3, 3), r, L.patternColor);
      }
  }
  cairo_restore(cr);
}

void DrawSkirt(cairo_t* cr, const Look& L, const Pose& P, const Skeleton& s, Rgb c) {
  double len = (L.bottom == Bottom::LongSkirt ? 0.75 : 0.42) * (s.thigh + s.shin);
  Vec a = s.across, d = s.up * -1;
  Vec top = s.hip - s.up * (-0.02 * s.p);
  double half = P.view == View::Side ? 0.08 * s.p : s.hw * 1.15;
  double flare = half * 1.5 + (P.view == View::Side ? 0.01 * s.p : 0);
  Vec tl = top - a * half, tr = top + a * half;
  Vec bl = top + d * len - a * flare, br = top + d * len + a * flare;
  if (P.view == View::Side) {
    // Swings with the legs.
    double sx = (s.ankle[1].x - s.ankle[0].x) * 0.15;
    bl.x += sx;
    br.x += sx;
  }
  cairo_new_path(cr);
  cairo_move_to(cr, tl.x, tl.y);
  cairo_line_to(cr, tr.x, tr.y);
  cairo_line_to(cr, br.x, br.y);
  int waves = 4;
  for (int i = 0; i < waves; ++i) {
    Vec p0 = Lerp(br, bl, double(i) / waves), p1 = Lerp(br, bl, double(i + 1) / waves);
    Vec m = Lerp(p0, p1, 0.5) + d * (0.012 * s.p);
    cairo_curve_to(cr, m.x, m.y, m.x, m.y, p1.x, p1.y);
  }
  cairo_close_path(cr);
  FillStroke(cr, c, kLine, 1.6);
  // Folds.
  for (int i = 1; i < 3; ++i) {
    Vec u = Lerp(tl, tr, i / 3.0), v = Lerp(bl, br, i / 3.0);
    cairo_move_to(cr, Lerp(u, v, 0.45).x, Lerp(u, v, 0.45).y);
    cairo_line_to(cr, Lerp(u, v, 0.95).x, Lerp(u, v, 0.95).y);
  }
  cairo_set_line_width(cr, 1.0);
  SetColor(cr, Darker(c, 0.25));
  cairo_stroke(cr);
}

void DrawTorso(cairo_t* cr, const Look& L, const Pose& P, const Skeleton& s) {
  if (P.sitting) {
    // Seated: the lap reaches forward over the thighs (the legs themselves
    // are a separate picture).
    Rgb lap = L.top == Top::Dress ? L.topColor : L.bottomColor;
    double fwd = P.view == View::Side ? 0.17 * s.p : 0.0;
    double half = P.view == View::Side ? 0.075 * s.p : s.hw * 1.1;
    RoundRect(cr, s.hip.x - half, s.hip.y - 0.06 * s.p, 2 * half + fwd, 0.1 * s.p, 0.04 * s.p);
    FillStroke(cr, lap, kLine, 1.6);
  } else if (L.bottom == Bottom::Shorts || L.bottom == Bottom::Trousers) {
    Vec a = s.across;
    double half = P.view == View::Side ? 0.065 * s.p : s.hw;
    Vec top = s.hip - s.up * (0.04 * s.p);
    Vec p0 = top - a * half, p1 = top + a * half;
    Vec p2 = s.hip + a * half - s.up * (-0.06 * s.p), p3 = s.hip - a * half - s.up * (-0.06 * s.p);
    cairo_new_path(cr);
    cairo_move_to(cr, p0.x, p0.y);
    cairo_line_to(cr, p1.x, p1.y);
    cairo_line_to(cr, p2.x, p2.y);
    cairo_line_to(cr, p3.x, p3.y);
    cairo_close_path(cr);
    FillStroke(cr, L.bottomColor, kLine, 1.6);
  }
  if (!P.sitting) {
    if (L.top == Top::Dress) DrawSkirt(cr, L, P, s, L.topColor);
    else if (L.bottom == Bottom::Skirt || L.bottom == Bottom::LongSkirt) DrawSkirt(cr, L, P, s, L.bottomColor);
  }
  // Neck.
  Vec nk = s.neck - s.up * (-0.01 * s.p);
  Seg(cr, nk, s.head, 0.07 * s.p + 3.2, kLine);
  Seg(cr, nk, s.head, 0.07 * s.p, L.skin);
  Rgb body = L.top == Top::Vest ? L.shirt : L.topColor;
  TorsoPath(cr, L, P, s);
  FillStroke(cr, body, kLine, 1.6);
  if (L.top != Top::Vest && L.top != Top::Jacket) {
    TorsoPath(cr, L, P, s);
    PatternFill(cr, L, s);
    cairo_new_path(cr);
  }
  // Shading down the far side.
  cairo_save(cr);
  TorsoPath(cr, L, P, s);
  cairo_clip(cr);
  Vec side = s.hip + s.across * (P.view == View::Side ? -0.06 * s.p : s.sw);
  Ellipse(cr, side.x, (s.neck.y + s.hip.y) / 2, 0.03 * s.p, 0.25 * s.p);
  Fill(cr, {0, 0, 0, 0.1});
  cairo_restore(cr);
  bool front = P.view == View::Front, sideV = P.view == View::Side;
  if ((L.top == Top::Jacket || L.top == Top::Vest) && !(P.view == View::Back && L.top == Top::Vest)) {
    // Open jacket or vest over the shirt: two panels leaving a V.
    cairo_save(cr);
    TorsoPath(cr, L, P, s);
    cairo_clip(cr);
    if (front) {
      for (double side : {-1.0, 1.0}) {
        Vec n = s.neck + s.across * (side * 0.02 * s.p);
        Vec v = Lerp(s.neck, s.hip, 0.55) + s.across * (side * 0.02 * s.p);
        Vec b = s.hip + s.across * (side * 0.015 * s.p) - s.up * (-0.02 * s.p);
        Vec o1 = s.neck + s.across * (side * 0.3 * s.p), o2 = s.hip + s.across * (side * 0.3 * s.p);
        cairo_new_path(cr);
        cairo_move_to(cr, n.x, n.y);
        cairo_line_to(cr, v.x, v.y);
        cairo_line_to(cr, b.x, b.y);
        cairo_line_to(cr, o2.x, o2.y + 0.05 * s.p);
        cairo_line_to(cr, o1.x, o1.y - 0.05 * s.p);
        cairo_close_path(cr);
        FillStroke(cr, L.topColor, kLine, 1.3);
      }
      if (L.pattern != Pattern::None) {
        TorsoPath(cr, L, P, s);
        PatternFill(cr, L, s);
      }
    } else if (sideV) {
      Vec n = s.neck + s.across * (0.03 * s.p), h = s.hip + s.across * (0.04 * s.p);
      cairo_new_path(cr);
      cairo_move_to(cr, n.x, n.y - 0.05 * s.p);
      cairo_line_to(cr, h.x, h.y + 0.05 * s.p);
      cairo_line_to(cr, h.x - 0.3 * s.p, h.y + 0.05 * s.p);
      cairo_line_to(cr, n.x - 0.3 * s.p, n.y - 0.05 * s.p);
      cairo_close_path(cr);
      FillStroke(cr, L.topColor, kLine, 1.3);
    } else {
      TorsoPath(cr, L, P, s);
      Fill(cr, L.topColor);
    }
    cairo_restore(cr);
    TorsoPath(cr, L, P, s);
    cairo_set_line_width(cr, 1.6);
    SetColor(cr, kLine);
    cairo_stroke(cr);
  }
  if (L.tie.a > 0 && front) {
    Vec a = s.neck - s.up * (0.02 * s.p), b = Lerp(s.neck, s.hip, 0.7);
    cairo_new_path(cr);
    cairo_move_to(cr, a.x - 0.018 * s.p, a.y);
    cairo_line_to(cr, a.x + 0.018 * s.p, a.y);
    cairo_line_to(cr, b.x + 0.025 * s.p, b.y);
    cairo_line_to(cr, b.x, b.y + 0.03 * s.p);
    cairo_line_to(cr, b.x - 0.025 * s.p, b.y);
    cairo_close_path(cr);
    FillStroke(cr, L.tie, kLine, 1.2);
  } else if (L.tie.a > 0 && sideV) {
    Vec a = s.neck + s.across * (0.045 * s.p), b = Lerp(s.neck, s.hip, 0.6) + s.across * (0.07 * s.p);
    Seg(cr, a, b, 0.03 * s.p, L.tie);
  }
  if (L.apron.a > 0 && P.view == View::Back) {
    // The apron's bow at the back of the waist.
    Vec k = Lerp(s.neck, s.hip, 0.72);
    for (double side : {-1.0, 1.0}) {
      cairo_new_path(cr);
      cairo_move_to(cr, k.x, k.y);
      cairo_curve_to(cr, k.x + side * 0.08 * s.p, k.y - 0.05 * s.p, k.x + side * 0.1 * s.p, k.y + 0.03 * s.p, k.x,
                     k.y);
      FillStroke(cr, L.apron, kLine, 1.2);
      cairo_new_path(cr);
      cairo_move_to(cr, k.x, k.y);
      cairo_line_to(cr, k.x + side * 0.04 * s.p, k.y + 0.09 * s.p);
      cairo_line_to(cr, k.x + side * 0.065 * s.p, k.y + 0.08 * s.p);
      cairo_close_path(cr);
      FillStroke(cr, L.apron, kLine, 1.2);
    }
    Ellipse(cr, k.x, k.y, 0.018 * s.p, 0.018 * s.p);
    FillStroke(cr, L.apron, kLine, 1.2);
    Vec a0 = TorsoPoint(s, s.waist, s.waist, -1, 0.72), a1 = TorsoPoint(s, s.waist, s.waist, 1, 0.72);
    Seg(cr, a0, a1, 1.6, Darker(L.apron, 0.15));
  }
  if (L.apron.a > 0 && P.view != View::Back) {
    // Bib apron with a pocket.
    double top = 0.25, bottom = 1.25;
    cairo_new_path(cr);
    if (front) {
      Vec a = TorsoPoint(s, 0.05 * s.p, 0.05 * s.p, -1, top), b = TorsoPoint(s, 0.05 * s.p, 0.05 * s.p, 1, top);
      Vec c = TorsoPoint(s, s.waist * 0.95, s.waist * 0.95, 1, 0.62);
      Vec d = TorsoPoint(s, s.hw * 1.0, s.hw * 1.0, 1, bottom), e = TorsoPoint(s, s.hw * 1.0, s.hw * 1.0, -1, bottom);
      Vec f = TorsoPoint(s, s.waist * 0.95, s.waist * 0.95, -1, 0.62);
      cairo_move_to(cr, a.x, a.y);
      cairo_line_to(cr, b.x, b.y);
      cairo_line_to(cr, c.x, c.y);
      cairo_line_to(cr, d.x, d.y);
      cairo_curve_to(cr, d.x, d.y + 2, e.x, e.y + 2, e.x, e.y);
      cairo_line_to(cr, f.x, f.y);
      cairo_close_path(cr);
      FillStroke(cr, L.apron, kLine, 1.4);
      Vec pc = TorsoPoint(s, 0, 0, 0, 1.05);
      RoundRect(cr, pc.x - 0.045 * s.p, pc.y - 0.025 * s.p, 0.09 * s.p, 0.05 * s.p, 2);
      FillStroke(cr, Darker(L.apron, 0.06), Darker(L.apron, 0.3), 1.0);
      // Straps.
      Vec sl = s.shoulder[0] + s.across * (0.03 * s.p), sr = s.shoulder[1] - s.across * (0.03 * s.p);
      Seg(cr, a, sl, 1.5, Darker(L.apron, 0.3));
      Seg(cr, b, sr, 1.5, Darker(L.apron, 0.3));
    } else if (sideV) {
      Vec a = Lerp(s.neck, s.hip, top) + s.across * (0.072 * s.p);
      Vec b = Lerp(s.neck, s.hip, 0.62) + s.across * (0.078 * s.p + L.belly * 0.06 * s.p);
      Vec c = s.hip + s.across * (0.09 * s.p) - s.up * (0.1 * s.p);
      Vec d = c - s.across * (0.05 * s.p);
      Vec e = s.hip + s.across * (0.035 * s.p);
      cairo_move_to(cr, a.x, a.y);
      cairo_line_to(cr, b.x, b.y);
      cairo_line_to(cr, c.x, c.y);
      cairo_line_to(cr, d.x, d.y);
      cairo_line_to(cr, e.x, e.y);
      cairo_line_to(cr, a.x - 0.03 * s.p, a.y + 0.04 * s.p);
      cairo_close_path(cr);
      FillStroke(cr, L.apron, kLine, 1.4);
    }
  }
}

}  // namespace

double HeadRadius(const Look& look) { return 0.155 * look.height * look.headScale; }

namespace {

void PortraitSpace(cairo_t* cr, const Portrait& pt, double top) {
  Vec eyeMid = HeadCentre(pt.look, pt.pose) + Vec{0, 0.05 * HeadRadius(pt.look)};
  cairo_translate(cr, pt.eyes.x, pt.eyes.y - top);
  cairo_scale(cr, pt.scale, pt.scale);
  cairo_translate(cr, -eyeMid.x, -eyeMid.y);
}

}  // namespace

void DrawPortrait(cairo_t* cr, const Portrait& pt, double top) {
  cairo_save(cr);
  PortraitSpace(cr, pt, top);
  DrawPerson(cr, pt.look, pt.pose);
  cairo_restore(cr);
}

void DrawPortraitBlink(cairo_t* cr, const Portrait& pt, Vec blinkAt, Eyes eyes) {
  cairo_save(cr);
  cairo_translate(cr, -blinkAt.x, -blinkAt.y);
  PortraitSpace(cr, pt, 0);
  Pose p = pt.pose;
  p.face.eyes = eyes;
  Vec head = HeadCentre(pt.look, p);
  double hr = HeadRadius(pt.look);
  cairo_new_path(cr);
  for (double s : {-1.0, 1.0}) Ellipse(cr, head.x + s * 0.36 * hr, head.y + 0.05 * hr, 0.2 * hr, 0.24 * hr);
  cairo_clip(cr);
  DrawPerson(cr, pt.look, p);
  cairo_restore(cr);
}

Vec ShoulderPoint(const Look& look, const Pose& pose, int arm) {
  Skeleton s = Build(look, pose);
  Vec v = s.shoulder[arm];
  if (pose.mirror) v.x = 2 * pose.foot.x - v.x;
  return v;
}

Vec HeadCentre(const Look& look, const Pose& pose) {
  Skeleton s = Build(look, pose);
  Vec v = s.head;
  if (pose.mirror) v.x = 2 * pose.foot.x - v.x;
  return v;
}

void DrawPerson(cairo_t* cr, const Look& L, const Pose& P) {
  Skeleton s = Build(L, P);
  cairo_save(cr);
  if (P.mirror) {
    cairo_translate(cr, 2 * P.foot.x, 0);
    cairo_scale(cr, -1, 1);
  }
  HeadSpace h{s.head, s.hr, s.tilt};
  if (P.view == View::Side) {
    if (P.drawArms) DrawArm(cr, L, P, s, 0);
    if (P.drawBody) {
      if (!P.sitting) {
        DrawLeg(cr, L, P, s, 0);
        DrawLeg(cr, L, P, s, 1);
      }
      DrawTorso(cr, L, P, s);
    }
    if (P.drawArms) DrawArm(cr, L, P, s, 1);
    if (P.drawBody) DrawHead(cr, L, h, P.view, P.face, P.hairSwing);
  } else {
    bool back = P.view == View::Back;
    if (P.drawBody && !back) HairBack(cr, L, h, P.view, P.hairSwing);  // long hair hangs behind the shoulders
    if (P.drawArms)
      for (int i = 0; i < 2; ++i)
        if (P.handBehind[i]) DrawArm(cr, L, P, s, i);
    if (P.drawBody) {
      if (!P.sitting) {
        DrawLeg(cr, L, P, s, 0);
        DrawLeg(cr, L, P, s, 1);
      }
      DrawTorso(cr, L, P, s);
    }
    bool headFirst = back || P.armsOverHead;
    if (P.drawBody && headFirst) DrawHead(cr, L, h, P.view, P.face, P.hairSwing);
    if (P.drawArms)
      for (int i = 0; i < 2; ++i)
        if (!P.handBehind[i]) DrawArm(cr, L, P, s, i);
    if (P.drawBody && !headFirst) DrawHead(cr, L, h, P.view, P.face, P.hairSwing);
  }
  cairo_restore(cr);
}

void DrawSeatedLegs(cairo_t* cr, const Look& L, Vec hip, double dir, double floorY) {
  double p = L.height;
  double legW = 0.074 * p * std::sqrt(L.build);
  double thigh = 0.19 * p * L.legScale;
  bool trousers = L.bottom == Bottom::Trousers;
  Rgb legColor = trousers ? L.bottomColor : (L.bareLegs ? L.skin : Hex(0xf6f0e8));
  for (int i = 0; i < 2; ++i) {
    double off = i == 0 ? -0.025 * p : 0.0;  // the far leg a little behind and higher
    Vec h0 = hip + Vec{off * dir, -0.03 * p + off * 0.4};
    Vec knee = h0 + Vec{dir * thigh, 0.01 * p};
    Vec ankle = {knee.x + dir * 0.02 * p, floorY - 0.03 * p};
    Tube(cr, h0, Lerp(h0, knee, 0.5), knee, legW, legColor);
    Tube(cr, knee, Lerp(knee, ankle, 0.5), ankle, legW, legColor);
    if (L.bottom == Bottom::Shorts) {
      Vec end = Lerp(h0, knee, 0.7);
      Tube(cr, h0, Lerp(h0, end, 0.5), end, legW * 1.3, L.bottomColor);
    }
    double fw = 0.055 * p, fh = 0.032 * p;
    Ellipse(cr, ankle.x + dir * fw * 0.5, ankle.y + fh * 0.4, fw * 1.1, fh);
    FillStroke(cr, L.shoes, kLine, 1.4);
  }
  if (L.top == Top::Dress || L.bottom == Bottom::Skirt || L.bottom == Bottom::LongSkirt) {
    // The skirt lies over the thighs and falls past the knees.
    Rgb c = L.top == Top::Dress ? L.topColor : L.bottomColor;
    double len = thigh * 1.15, drop = L.bottom == Bottom::LongSkirt ? 0.2 * p : 0.09 * p;
    cairo_new_path(cr);
    cairo_move_to(cr, hip.x - dir * 0.05 * p, hip.y - 0.075 * p);
    cairo_line_to(cr, hip.x + dir * len, hip.y - 0.05 * p);
    cairo_curve_to(cr, hip.x + dir * (len + 0.03 * p), hip.y, hip.x + dir * (len + 0.02 * p), hip.y + drop,
                   hip.x + dir * (len - 0.01 * p), hip.y + drop);
    cairo_line_to(cr, hip.x + dir * (len - 0.08 * p), hip.y + drop * 0.9);
    cairo_curve_to(cr, hip.x + dir * (len - 0.1 * p), hip.y + 0.02 * p, hip.x, hip.y + 0.03 * p, hip.x - dir * 0.05 * p,
                   hip.y + 0.02 * p);
    cairo_close_path(cr);
    FillStroke(cr, c, kLine, 1.6);
  }
}

Step WalkStep(View view, double phase, double stride, double lift) {
  Step st{};
  double a = 2 * M_PI * phase;
  if (view == View::Side) {
    st.feet[1].x = stride * std::sin(a);
    st.feet[0].x = -stride * std::sin(a);
    double k = std::min(1.0, std::fabs(std::sin(a)) * 3);
    st.feet[1].y = lift * std::max(0.0, std::cos(a)) * k;
    st.feet[0].y = lift * std::max(0.0, -std::cos(a));
    st.bob = 1.2 * std::fabs(std::cos(a)) - 0.6;
    st.armSwing = std::sin(a);
  } else {
    st.feet[0].y = lift * std::max(0.0, std::sin(a));
    st.feet[1].y = lift * std::max(0.0, -std::sin(a));
    st.feet[0].x = -0.15 * lift * std::max(0.0, std::sin(a));
    st.feet[1].x = 0.15 * lift * std::max(0.0, -std::sin(a));
    st.bob = 1.0 * std::fabs(std::sin(a));
    st.armSwing = std::sin(a);
  }
  return st;
}

// ---------------------------------------------------------------- monkeys

namespace {

struct MonkeySkel {
  double p, hr;
  Vec hip, neck, up, across, head;
  Vec shoulder[2], legRoot[2], ankle[2];
  double upperArm, foreArm, thigh, shin, armW, legW, bodyW;
  double tilt;
};

MonkeySkel BuildMonkey(const MonkeyLook& L, const MonkeyPose& P) {
  MonkeySkel s;
  double p = L.height;
  s.p = p;
  s.hr = 0.23 * p;
  double legLen = P.squat ? 0.13 * p : 0.22 * p;
  if (P.sitting) legLen = 0.08 * p;
  Vec base = {P.foot.x + P.sway, P.foot.y - P.bob};
  s.hip = {base.x, base.y - legLen};
  s.up = Rot({0, -1}, P.lean);
  s.across = Rot({1, 0}, P.lean);
  double torso = 0.28 * p;
  s.neck = s.hip + s.up * torso;
  s.head = s.neck + s.up * (s.hr * 0.8) + P.headShift;
  s.tilt = P.headTilt + P.lean * 0.3;
  s.bodyW = 0.13 * p;
  s.armW = 0.065 * p;
  s.legW = 0.08 * p;
  s.upperArm = 0.27 * p;
  s.foreArm = 0.26 * p;
  s.thigh = s.shin = 0.13 * p;
  if (P.view == View::Side) {
    s.shoulder[0] = s.neck + s.across * (-0.02 * p) - s.up * (0.05 * p);
    s.shoulder[1] = s.neck + s.across * (0.02 * p) - s.up * (0.05 * p);
    s.legRoot[0] = s.hip + Vec{-0.03 * p, 0};
    s.legRoot[1] = s.hip + Vec{0.02 * p, 0};
  } else {
    s.shoulder[0] = s.neck - s.across * (s.bodyW * 0.8) - s.up * (0.05 * p);
    s.shoulder[1] = s.neck + s.across * (s.bodyW * 0.8) - s.up * (0.05 * p);
    s.legRoot[0] = s.hip - s.across * (s.bodyW * 0.55);
    s.legRoot[1] = s.hip + s.across * (s.bodyW * 0.55);
  }
  for (int i = 0; i < 2; ++i) {
    double rest = P.view == View::Side ? 0.0 : (i == 0 ? -1 : 1) * s.bodyW * (P.squat || P.sitting ? 1.0 : 0.7);
    s.ankle[i] = {P.foot.x + rest + P.feet[i].x, P.foot.y - 0.05 * p - P.feet[i].y};
  }
  return s;
}

void MonkeyTail(cairo_t* cr, const MonkeyLook& L, const MonkeyPose& P, const MonkeySkel& s) {
  double p = s.p;
  Vec root = s.hip + Vec{P.view == View::Side ? -0.08 * p : 0.0, -0.02 * p};
  double side = P.view == View::Side ? -1 : 1;
  double sw = P.tail;
  Vec c1, c2, e, curl;
  if (P.view == View::Side) {
    c1 = root + Vec{-0.35 * p, 0.05 * p};
    c2 = root + Vec{-0.5 * p, -0.3 * p + sw * 0.08 * p};
    e = root + Vec{-0.35 * p, -0.45 * p + sw * 0.1 * p};
  } else {
    c1 = root + Vec{side * 0.3 * p, 0.05 * p};
    c2 = root + Vec{side * 0.45 * p + sw * 0.1 * p, -0.2 * p};
    e = root + Vec{side * 0.35 * p + sw * 0.15 * p, -0.38 * p};
  }
  curl = e + Vec{-0.08 * p * (P.view == View::Side ? -1 : 1), -0.02 * p};
  cairo_save(cr);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  for (int pass = 0; pass < 2; ++pass) {
    cairo_new_path(cr);
    cairo_move_to(cr, root.x, root.y);
    cairo_curve_to(cr, c1.x, c1.y, c2.x, c2.y, e.x, e.y);
    cairo_curve_to(cr, e.x + (e.x - c2.x) * 0.3, e.y - 0.08 * p, curl.x, curl.y - 0.08 * p, curl.x, curl.y);
    cairo_set_line_width(cr, pass == 0 ? 0.05 * p + 3 : 0.05 * p);
    SetColor(cr, pass == 0 ? kLine : L.fur);
    cairo_stroke(cr);
  }
  cairo_restore(cr);
}

void MonkeyArm(cairo_t* cr, const MonkeyLook& L, const MonkeyPose& P, const MonkeySkel& s, int i) {
  Vec sh = s.shoulder[i];
  Vec hand;
  if (P.handSet[i]) {
    hand = P.hands[i];
    if (P.mirror) hand.x = 2 * P.foot.x - hand.x;
    double reach = (s.upperArm + s.foreArm) * 1.1, d = Len(hand - sh);
    if (d > reach) hand = sh + (hand - sh) * (reach / d);
  } else {
    // Long monkey arms hang bent, the hands by the knees.
    double out = P.view == View::Side ? 0.04 * s.p : (i == 0 ? -1 : 1) * 0.24 * s.p;
    hand = sh + Vec{out, (s.upperArm + s.foreArm) * 0.72};
  }
  Vec elbow = P.view == View::Side ? Joint(sh, hand, s.upperArm, s.foreArm, 1)
                                   : FrontElbow(sh, hand, s.upperArm, s.foreArm, s.neck.x);
  Tube(cr, sh, elbow, hand, s.armW, L.fur);
  Dot(cr, hand, s.armW * 0.75, L.face, 1.3);
}

void MonkeyLeg(cairo_t* cr, const MonkeyLook& L, const MonkeyPose& P, const MonkeySkel& s, int i) {
  Vec root = s.legRoot[i], ankle = s.ankle[i];
  double bend = P.view == View::Side ? -1 : (i == 0 ? 1 : -1);
  Vec knee = Joint(root, ankle, s.thigh, s.shin, bend);
  Tube(cr, root, knee, ankle, s.legW, L.fur);
  double fw = 0.08 * s.p, fh = 0.045 * s.p;
  Vec c = ankle + Vec{P.view == View::Side ? fw * 0.4 : (i == 0 ? -1 : 1) * fw * 0.2, fh * 0.5};
  Ellipse(cr, c.x, c.y, fw, fh);
  FillStroke(cr, L.face, kLine, 1.3);
}

void MonkeyBody(cairo_t* cr, const MonkeyLook& L, const MonkeyPose& P, const MonkeySkel& s) {
  double p = s.p;
  Vec n = s.neck, h = s.hip;
  double w = s.bodyW;
  double sideS = P.view == View::Side ? 0.85 : 1.0;
  // A pear shape, narrow at the shoulders.
  Vec a = s.across;
  Vec ls = n - a * (w * 0.75 * sideS), rs = n + a * (w * 0.75 * sideS);
  Vec lh = h - a * (w * 1.2 * sideS), rh = h + a * (w * 1.2 * sideS);
  Vec bottom = h - s.up * (0.05 * p);
  cairo_new_path(cr);
  cairo_move_to(cr, ls.x, ls.y);
  cairo_curve_to(cr, ls.x, ls.y - 0.06 * p, rs.x, rs.y - 0.06 * p, rs.x, rs.y);
  cairo_curve_to(cr, rs.x + a.x * w * 0.5, rs.y + 0.1 * p, rh.x + a.x * w * 0.2, rh.y - 0.02 * p, rh.x, rh.y);
  cairo_curve_to(cr, rh.x, rh.y + 0.06 * p, bottom.x + w * 0.6, bottom.y, bottom.x, bottom.y);
  cairo_curve_to(cr, bottom.x - w * 0.6, bottom.y, lh.x, lh.y + 0.06 * p, lh.x, lh.y);
  cairo_curve_to(cr, lh.x - a.x * w * 0.2, lh.y - 0.02 * p, ls.x - a.x * w * 0.5, ls.y + 0.1 * p, ls.x, ls.y);
  cairo_close_path(cr);
  FillStroke(cr, L.fur, kLine, 1.6);
  if (P.view != View::Back) {
    Vec bc = Lerp(n, h, 0.62) + a * (P.view == View::Side ? w * 0.35 : 0);
    Ellipse(cr, bc.x, bc.y, w * (P.view == View::Side ? 0.55 : 0.75), 0.11 * p);
    Fill(cr, L.face);
  }
  if (L.girl) {
    // A little skirt.
    Vec top = h - s.up * (0.03 * p);
    double half = w * 1.15 * sideS, flare = w * 1.6 * sideS, len = 0.1 * p;
    cairo_new_path(cr);
    cairo_move_to(cr, top.x - half, top.y);
    cairo_line_to(cr, top.x + half, top.y);
    cairo_line_to(cr, top.x + flare, top.y + len);
    for (int i = 0; i < 4; ++i) {
      double x0 = top.x + flare - 2 * flare * i / 4.0, x1 = top.x + flare - 2 * flare * (i + 1) / 4.0;
      cairo_curve_to(cr, x0, top.y + len + 3, x1, top.y + len + 3, x1, top.y + len);
    }
    cairo_close_path(cr);
    FillStroke(cr, L.bow, kLine, 1.4);
    for (int i = 0; i < 5; ++i) Ellipse(cr, top.x - flare * 0.8 + i * flare * 0.4, top.y + len * 0.55, 1.3, 1.3);
    Fill(cr, {1, 1, 1, 0.8});
  } else if (P.view != View::Back) {
    // The vest: two panels with buttons.
    cairo_save(cr);
    cairo_new_path(cr);
    cairo_move_to(cr, ls.x, ls.y);
    cairo_curve_to(cr, ls.x, ls.y - 0.06 * p, rs.x, rs.y - 0.06 * p, rs.x, rs.y);
    cairo_curve_to(cr, rs.x + a.x * w * 0.5, rs.y + 0.1 * p, rh.x + a.x * w * 0.2, rh.y - 0.02 * p, rh.x, rh.y);
    cairo_line_to(cr, lh.x, lh.y);
    cairo_curve_to(cr, lh.x - a.x * w * 0.2, lh.y - 0.02 * p, ls.x - a.x * w * 0.5, ls.y + 0.1 * p, ls.x, ls.y);
    cairo_clip(cr);
    double gap = P.view == View::Side ? 0.5 : 0.22;
    for (double side : {-1.0, 1.0}) {
      if (P.view == View::Side && side < 0) continue;
      Vec in0 = n + a * (side * w * gap * (P.view == View::Side ? 0 : 1)), in1 = h + a * (side * w * 0.35);
      cairo_new_path(cr);
      cairo_move_to(cr, in0.x, in0.y - 0.1 * p);
      cairo_line_to(cr, in1.x, in1.y + 0.02 * p);
      cairo_line_to(cr, in1.x + side * 0.5 * p, in1.y + 0.02 * p);
      cairo_line_to(cr, in0.x + side * 0.5 * p, in0.y - 0.1 * p);
      cairo_close_path(cr);
      if (P.view == View::Side) {
        cairo_new_path(cr);
        cairo_rectangle(cr, n.x - 0.4 * p, n.y - 0.1 * p, 0.38 * p + w * 0.25, h.y - n.y + 0.12 * p);
      }
      FillStroke(cr, L.vest, kLine, 1.2);
    }
    cairo_restore(cr);
    if (P.view == View::Front)
      for (int i = 0; i < 2; ++i) {
        Vec b = Lerp(n, h, 0.35 + i * 0.3) + a * (w * 0.32);
        Ellipse(cr, b.x, b.y, 1.3, 1.3);
        Fill(cr, Palette::kGold);
      }
  } else {
    cairo_save(cr);
    cairo_new_path(cr);
    cairo_move_to(cr, ls.x, ls.y);
    cairo_curve_to(cr, ls.x, ls.y - 0.06 * p, rs.x, rs.y - 0.06 * p, rs.x, rs.y);
    cairo_line_to(cr, rh.x, rh.y - 0.05 * p);
    cairo_line_to(cr, lh.x, lh.y - 0.05 * p);
    cairo_close_path(cr);
    FillStroke(cr, L.vest, kLine, 1.2);
    cairo_restore(cr);
  }
}

void MonkeyHead(cairo_t* cr, const MonkeyLook& L, const MonkeyPose& P, const MonkeySkel& s) {
  HeadSpace h{s.head, s.hr, s.tilt};
  double lw = 1.6;
  View v = P.view;
  // Ears.
  if (v == View::Side) {
    HeadEllipse(cr, h, -0.25, 0.0, 0.36, 0.38);
    FillStroke(cr, L.fur, kLine, lw);
    HeadEllipse(cr, h, -0.25, 0.02, 0.2, 0.22);
    Fill(cr, L.face);
  } else {
    for (double sd : {-1.0, 1.0}) {
      HeadEllipse(cr, h, sd * 1.02, 0.05, 0.38, 0.4);
      FillStroke(cr, L.fur, kLine, lw);
      if (v == View::Front) {
        HeadEllipse(cr, h, sd * 1.02, 0.07, 0.22, 0.24);
        Fill(cr, L.face);
      }
    }
  }
  // Head.
  HeadEllipse(cr, h, 0, 0, 1.0, 0.95);
  FillStroke(cr, L.fur, kLine, lw);
  // Tuft.
  MoveTo(cr, h, -0.25, -0.9);
  LineTo(cr, h, -0.15, -1.2);
  LineTo(cr, h, 0.0, -0.95);
  LineTo(cr, h, 0.15, -1.25);
  LineTo(cr, h, 0.25, -0.9);
  cairo_close_path(cr);
  FillStroke(cr, L.fur, kLine, 1.2);
  HeadEllipse(cr, h, 0, -0.85, 0.24, 0.1);
  Fill(cr, L.fur);
  if (v == View::Back) {
    if (L.girl) {
      for (double sd : {-1.0, 1.0}) {
        MoveTo(cr, h, 0.45, -0.75);
        LineTo(cr, h, 0.45 + sd * 0.35, -0.95);
        LineTo(cr, h, 0.45 + sd * 0.35, -0.55);
        cairo_close_path(cr);
        FillStroke(cr, L.bow, kLine, 1.2);
      }
      HeadEllipse(cr, h, 0.45, -0.75, 0.1, 0.1);
      FillStroke(cr, L.bow, kLine, 1.2);
    }
    return;
  }
  const Expr& f = P.face;
  if (v == View::Front) {
    // Face mask: two eye lobes and a muzzle.
    HeadEllipse(cr, h, -0.3, -0.05, 0.4, 0.42);
    HeadEllipse(cr, h, 0.3, -0.05, 0.4, 0.42);
    HeadEllipse(cr, h, 0, 0.42, 0.62, 0.42);
    Fill(cr, L.face);
    for (double sd : {-1.0, 1.0}) {
      Expr ef = f;
      Eye(cr, h, sd * 0.3, -0.02, ef, 1.15, L.girl, false, sd, L.face);
    }
    if (f.eyes == Eyes::Angry || f.eyes == Eyes::Sad || f.brows != 0) {
      double tiltIn = f.eyes == Eyes::Angry ? 1.0 : f.eyes == Eyes::Sad ? -1.0 : -f.brows * 0.5;
      for (double sd : {-1.0, 1.0}) Brow(cr, h, sd * 0.3, -0.35, tiltIn, Darker(L.fur, 0.3), sd);
    }
    for (double sd : {-1.0, 1.0}) {
      HeadEllipse(cr, h, sd * 0.09, 0.3, 0.05, 0.04);
      Fill(cr, Darker(L.face, 0.55));
    }
    MouthShape(cr, h, 0, 0.55, 0.28, f.mouth, false);
  } else {
    // Side: a muzzle that sticks out to the right.
    HeadEllipse(cr, h, 0.35, -0.05, 0.45, 0.45);
    Fill(cr, L.face);
    MoveTo(cr, h, 0.2, 0.15);
    CurveTo(cr, h, 0.6, 0.05, 1.25, 0.15, 1.2, 0.45);
    CurveTo(cr, h, 1.15, 0.8, 0.5, 0.85, 0.15, 0.65);
    cairo_close_path(cr);
    FillStroke(cr, L.face, kLine, 1.3);
    HeadEllipse(cr, h, 0.35, -0.05, 0.45, 0.45);
    Fill(cr, L.face);
    Eye(cr, h, 0.48, -0.02, f, 1.1, L.girl, true, 1, L.face);
    if (f.eyes == Eyes::Angry || f.eyes == Eyes::Sad || f.brows != 0)
      Brow(cr, h, 0.48, -0.35, f.eyes == Eyes::Angry ? 1.0 : f.eyes == Eyes::Sad ? -1.0 : 0, Darker(L.fur, 0.3), -1);
    HeadEllipse(cr, h, 1.05, 0.3, 0.05, 0.04);
    Fill(cr, Darker(L.face, 0.55));
    MouthShape(cr, h, 0.85, 0.58, 0.22, f.mouth, true);
  }
  if (L.girl) {
    double bx = v == View::Side ? -0.1 : 0.5, by = -0.8;
    for (double sd : {-1.0, 1.0}) {
      MoveTo(cr, h, bx, by);
      LineTo(cr, h, bx + sd * 0.38, by - 0.22);
      LineTo(cr, h, bx + sd * 0.38, by + 0.22);
      cairo_close_path(cr);
      FillStroke(cr, L.bow, kLine, 1.2);
    }
    HeadEllipse(cr, h, bx, by, 0.11, 0.11);
    FillStroke(cr, L.bow, kLine, 1.2);
  }
}

}  // namespace

Vec MonkeyShoulder(const MonkeyLook& look, const MonkeyPose& pose, int arm) {
  MonkeySkel s = BuildMonkey(look, pose);
  Vec v = s.shoulder[arm];
  if (pose.mirror) v.x = 2 * pose.foot.x - v.x;
  return v;
}

void DrawMonkey(cairo_t* cr, const MonkeyLook& L, const MonkeyPose& P) {
  MonkeySkel s = BuildMonkey(L, P);
  cairo_save(cr);
  if (P.mirror) {
    cairo_translate(cr, 2 * P.foot.x, 0);
    cairo_scale(cr, -1, 1);
  }
  bool back = P.view == View::Back;
  if (P.drawTail && !back) MonkeyTail(cr, L, P, s);
  if (P.view == View::Side) {
    MonkeyArm(cr, L, P, s, 0);
    MonkeyLeg(cr, L, P, s, 0);
    MonkeyLeg(cr, L, P, s, 1);
    MonkeyBody(cr, L, P, s);
    if (P.handBehind[1]) MonkeyArm(cr, L, P, s, 1);  // raised past the head: behind it
    MonkeyHead(cr, L, P, s);
    if (!P.handBehind[1]) MonkeyArm(cr, L, P, s, 1);
  } else {
    for (int i = 0; i < 2; ++i)
      if (P.handBehind[i]) MonkeyArm(cr, L, P, s, i);
    MonkeyLeg(cr, L, P, s, 0);
    MonkeyLeg(cr, L, P, s, 1);
    MonkeyBody(cr, L, P, s);
    if (P.drawTail && back) MonkeyTail(cr, L, P, s);
    MonkeyHead(cr, L, P, s);
    for (int i = 0; i < 2; ++i)
      if (!P.handBehind[i]) MonkeyArm(cr, L, P, s, i);
  }
  cairo_restore(cr);
}

// ---------------------------------------------------------------- the cast

namespace Cast {

Look Pemi() {
  Look l;
  l.height = 124;
  l.skin = Hex(0xf0b88a);
  l.hairColor = Hex(0x4a2a18);
  l.hair = Hair::Ponytail;
  l.top = Top::Tee;
  l.topColor = Hex(0xff6f9c);
  l.apron = Hex(0xfffdf5);
  l.bottom = Bottom::Skirt;
  l.bottomColor = Hex(0x27b8c8);
  l.shoes = Hex(0xf5a623);
  l.blush = true;
  l.lashes = true;
  l.flower = Hex(0xff4a5a);
  l.build = 0.92;
  return l;
}

Look Uncle() {
  Look l;
  l.height = 150;
  l.build = 1.25;
  l.belly = 1.0;
  l.skin = Hex(0xe8a878);
  l.hair = Hair::Bald;
  l.hairColor = Hex(0xdcdcdc);
  l.beard_color = Hex(0xf4f4f4);
  l.moustache = true;
  l.hat = Hat::Panama;
  l.hatColor = Hex(0xf6ecc8);
  l.hatBand = Hex(0x2a7a8a);
  l.top = Top::Jacket;
  l.topColor = Hex(0xfaf6ea);
  l.shirt = Hex(0x46b0d8);
  l.pattern = Pattern::None;
  l.tie = Hex(0xe04848);
  l.bottom = Bottom::Trousers;
  l.bottomColor = Hex(0xf2ead2);
  l.shoes = Hex(0x7a4a22);
  l.blush = true;
  return l;
}

Look SalesPerson() {
  Look l;
  l.height = 150;
  l.build = 1.05;
  l.belly = 0.4;
  l.skin = Hex(0xc98a5a);
  l.hair = Hair::Short;
  l.hairColor = Hex(0x2a1a10);
  l.moustache = true;
  l.beard_color = Hex(0x2a1a10);
  l.hat = Hat::Cap;
  l.hatColor = Hex(0x3aa860);
  l.hatBand = Hex(0xffffff);
  l.top = Top::Tee;
  l.topColor = Hex(0xfff1c4);
  l.pattern = Pattern::Stripes;
  l.patternColor = Hex(0x3aa860);
  l.apron = Hex(0x3aa860);
  l.bottom = Bottom::Trousers;
  l.bottomColor = Hex(0x5a4a3a);
  return l;
}

Look CircusMan() {
  Look l;
  l.height = 160;
  l.build = 1.1;
  l.belly = 0.5;
  l.skin = Hex(0xf0b48a);
  l.hair = Hair::Short;
  l.hairColor = Hex(0x1a1a2a);
  l.moustache = true;
  l.beard_color = Hex(0x1a1a2a);
  l.hat = Hat::TopHat;
  l.hatColor = Hex(0xd02840);
  l.hatBand = Hex(0xffd23a);
  l.top = Top::Vest;
  l.topColor = Hex(0xd02840);
  l.shirt = Hex(0xfff8e8);
  l.tie = Hex(0xffd23a);
  l.bottom = Bottom::Trousers;
  l.bottomColor = Hex(0x2a2a50);
  l.shoes = Hex(0x202020);
  l.blush = true;
  return l;
}

Look HappyLady() {
  Look l;
  l.height = 150;
  l.build = 1.2;
  l.belly = 0.6;
  l.skin = Hex(0xf2c4a0);
  l.hair = Hair::Curly;
  l.hairColor = Hex(0xe0843a);
  l.top = Top::Dress;
  l.topColor = Hex(0xff8ac0);
  l.pattern = Pattern::Dots;
  l.patternColor = Hex(0xffffff);
  l.bottom = Bottom::LongSkirt;
  l.blush = true;
  l.lashes = true;
  return l;
}

Look SeriousLady() {
  Look l;
  l.height = 155;
  l.build = 0.85;
  l.skin = Hex(0xf4d2b8);
  l.hair = Hair::Bun;
  l.hairColor = Hex(0x7a7a8a);
  l.glasses = true;
  l.top = Top::Jacket;
  l.topColor = Hex(0x5a5a8a);
  l.shirt = Hex(0xffffff);
  l.bottom = Bottom::LongSkirt;
  l.bottomColor = Hex(0x4a4a70);
  l.lashes = true;
  return l;
}

Look Customer(int n) {
  Look l;
  switch (n) {
    case 1:  // old man
      l.height = 128;
      l.stoop = 0.12;
      l.skin = Hex(0xf0c8a8);
      l.hair = Hair::Bald;
      l.hairColor = Hex(0xe8e8e8);
      l.beard_color = Hex(0xf4f4f4);
      l.moustache = true;
      l.glasses = true;
      l.hat = Hat::None;
      l.top = Top::LongSleeve;
      l.topColor = Hex(0x8ab060);
      l.pattern = Pattern::None;
      l.bottom = Bottom::Trousers;
      l.bottomColor = Hex(0x7a6a5a);
      l.shoes = Hex(0x4a3020);
      break;
    case 2:  // boy
      l.height = 96;
      l.headScale = 1.15;
      l.legScale = 0.92;
      l.build = 0.85;
      l.skin = Hex(0xf4c49a);
      l.hair = Hair::Spiky;
      l.hairColor = Hex(0xd09a40);
      l.hat = Hat::Cap;
      l.hatColor = Hex(0x3a78e0);
      l.hatBand = Hex(0xffd23a);
      l.top = Top::Tee;
      l.topColor = Hex(0xffd23a);
      l.pattern = Pattern::Stripes;
      l.patternColor = Hex(0xff7a3a);
      l.bottom = Bottom::Shorts;
      l.bottomColor = Hex(0x3a78e0);
      l.shoes = Hex(0xe04040);
      l.blush = true;
      break;
    case 3:  // sporty customer
      l.height = 132;
      l.build = 1.0;
      l.skin = Hex(0xa8683e);
      l.hair = Hair::Short;
      l.hairColor = Hex(0x1a1010);
      l.hat = Hat::Headband;
      l.hatColor = Hex(0xff4a6a);
      l.top = Top::Tank;
      l.topColor = Hex(0x2ac0a0);
      l.bottom = Bottom::Shorts;
      l.bottomColor = Hex(0x303a60);
      l.shoes = Hex(0xffffff);
      break;
    case 4:  // man in a jacket
      l.height = 142;
      l.build = 1.05;
      l.skin = Hex(0xf0c09a);
      l.hair = Hair::Slick;
      l.hairColor = Hex(0x3a2a1a);
      l.top = Top::Jacket;
      l.topColor = Hex(0x3a4a7a);
      l.shirt = Hex(0xffffff);
      l.tie = Hex(0xd03040);
      l.bottom = Bottom::Trousers;
      l.bottomColor = Hex(0x2a3450);
      l.shoes = Hex(0x2a1a10);
      break;
    case 5:  // dad
      l.height = 134;
      l.build = 1.2;
      l.belly = 0.9;
      l.skin = Hex(0xf2b890);
      l.hair = Hair::Short;
      l.hairColor = Hex(0x8a4a20);
      l.beard = true;
      l.beard_color = Hex(0x8a4a20);
      l.top = Top::Tee;
      l.topColor = Hex(0x2a9ae0);
      l.pattern = Pattern::Flowers;
      l.patternColor = Hex(0xffe04a);
      l.bottom = Bottom::Shorts;
      l.bottomColor = Hex(0xe8d8a0);
      l.shoes = Hex(0x6a4020);
      break;
    case 6:  // lady
      l.height = 134;
      l.build = 0.88;
      l.skin = Hex(0xf6d0b4);
      l.hair = Hair::Long;
      l.hairColor = Hex(0xf0d060);
      l.hat = Hat::SunHat;
      l.hatColor = Hex(0xfff0c0);
      l.hatBand = Hex(0xb060e0);
      l.top = Top::Dress;
      l.topColor = Hex(0xb070f0);
      l.bottom = Bottom::Skirt;
      l.shoes = Hex(0xb060e0);
      l.lashes = true;
      l.blush = true;
      break;
    default:  // mum
      l.height = 130;
      l.build = 0.95;
      l.skin = Hex(0xd8a070);
      l.hair = Hair::Bob;
      l.hairColor = Hex(0x2a1a18);
      l.top = Top::Tee;
      l.topColor = Hex(0xff9a4a);
      l.bottom = Bottom::Skirt;
      l.bottomColor = Hex(0x50b060);
      l.pattern = Pattern::Dots;
      l.patternColor = Hex(0xffe0a0);
      l.shoes = Hex(0x50b060);
      l.lashes = true;
      l.blush = true;
      break;
  }
  return l;
}

MonkeyLook Rudav() {
  MonkeyLook m;
  m.height = 74;
  m.fur = Hex(0x8a5230);
  m.face = Hex(0xf3d2a8);
  m.vest = Hex(0x2e7fd8);
  return m;
}

MonkeyLook Vurez() {
  MonkeyLook m;
  m.height = 70;
  m.girl = true;
  m.fur = Hex(0xa8683a);
  m.face = Hex(0xf8dcb8);
  m.bow = Hex(0xff5fa0);
  return m;
}

}  // namespace Cast

}  // namespace Plix::DataBuild
