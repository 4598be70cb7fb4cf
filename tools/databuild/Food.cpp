#include "tools/databuild/Food.h"

#include <algorithm>
#include <cmath>

namespace Plix::DataBuild {

namespace {

const Rgb& kLine = Palette::kInk;  // a reference: the palette is initialised in another file

double Lw(double size, double k = 0.07) { return std::clamp(size * k, 1.0, 2.2); }

// The outline of a scoop: a dome with a ruffled lower edge.
void ScoopPath(cairo_t* cr, double cx, double bottom, double w, double h) {
  // A ball, widest a little above its middle, sitting on a ruffled lip.
  double ry = h * 0.46, cy = bottom - h + ry, rx = w / 2;
  double a = 0.55;  // where the ball meets the lip, below its equator
  cairo_new_path(cr);
  cairo_save(cr);
  cairo_translate(cr, cx, cy);
  cairo_scale(cr, rx, ry);
  cairo_arc(cr, 0, 0, 1, M_PI - a, 2 * M_PI + a);
  cairo_restore(cr);
  double yr = cy + ry * std::sin(a), xr = cx + rx * std::cos(a), xl = cx - rx * std::cos(a);
  double lipL = xl - w * 0.03, lipR = xr + w * 0.03;
  cairo_line_to(cr, lipR, bottom - h * 0.1);
  int n = 5;
  for (int i = 0; i < n; ++i) {
    double x0 = lipR - (lipR - lipL) * i / n, x1 = lipR - (lipR - lipL) * (i + 1) / n;
    cairo_curve_to(cr, x0, bottom + h * 0.03, x1, bottom + h * 0.03, x1, bottom - h * 0.1);
  }
  cairo_line_to(cr, xl, yr);
  cairo_close_path(cr);
}

struct FlavourLook {
  Rgb base, light, dark, bits;
  int bitKind;  // 0 dots, 1 chunks, 2 berries
};

FlavourLook Flav(int f) {
  switch ((f % 6 + 6) % 6) {
    case 0: return {Hex(0xfff3cf), Hex(0xffffff), Hex(0xc9a869), Hex(0x6a4a20), 0};
    case 1: return {Hex(0xff9fbf), Hex(0xffd6e4), Hex(0xc9456e), Hex(0xd8203a), 1};
    case 2: return {Hex(0x8c5432), Hex(0xb27a52), Hex(0x4a2612), Hex(0x3a1a08), 1};
    case 3: return {Hex(0xd4ea7a), Hex(0xf2ffc0), Hex(0x88a838), Hex(0xf6f2b0), 1};
    case 4: return {Hex(0xa9a2f0), Hex(0xdcd8ff), Hex(0x5c54b8), Hex(0x2e2a80), 2};
    default: return {Hex(0xffe16a), Hex(0xfff6c0), Hex(0xd0a020), Hex(0xf08a20), 1};
  }
}

void Specks(cairo_t* cr, double cx, double bottom, double w, double h, int flavour) {
  FlavourLook f = Flav(flavour);
  Rand rnd(101 + flavour);
  int n = std::max(3, int(w * h / 60));
  for (int i = 0; i < n; ++i) {
    double x = cx + rnd.Uniform(-0.38, 0.38) * w, y = bottom - h * rnd.Uniform(0.2, 0.8);
    double s = std::max(0.6, w * (f.bitKind == 2 ? 0.055 : 0.035));
    if (f.bitKind == 0) {
      Ellipse(cr, x, y, s * 0.5, s * 0.5);
    } else if (f.bitKind == 1) {
      cairo_save(cr);
      cairo_translate(cr, x, y);
      cairo_rotate(cr, rnd.Uniform(0, 3));
      cairo_rectangle(cr, -s * 0.8, -s * 0.5, s * 1.6, s);
      cairo_restore(cr);
    } else {
      Ellipse(cr, x, y, s, s);
    }
    Fill(cr, WithAlpha(f.bits, 0.85));
  }
}

}  // namespace

void ScoopShape(cairo_t* cr, double cx, double bottom, double w, double h) { ScoopPath(cr, cx, bottom, w, h); }

void IceScoop(cairo_t* cr, double cx, double bottom, double w, double h, int flavour) {
  FlavourLook f = Flav(flavour);
  cairo_save(cr);
  ScoopPath(cr, cx, bottom, w, h);
  cairo_pattern_t* p = cairo_pattern_create_radial(cx - w * 0.2, bottom - h * 0.75, w * 0.05, cx, bottom - h * 0.4,
                                                   w * 0.7);
  cairo_pattern_add_color_stop_rgb(p, 0, f.light.r, f.light.g, f.light.b);
  cairo_pattern_add_color_stop_rgb(p, 0.55, f.base.r, f.base.g, f.base.b);
  cairo_pattern_add_color_stop_rgb(p, 1, Darker(f.base, 0.12).r, Darker(f.base, 0.12).g, Darker(f.base, 0.12).b);
  cairo_set_source(cr, p);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(p);
  cairo_save(cr);
  cairo_clip(cr);
  Specks(cr, cx, bottom, w, h, flavour);
  // The ruffle's shadow.
  cairo_new_path(cr);
  Ellipse(cr, cx, bottom, w * 0.55, h * 0.22);
  Fill(cr, WithAlpha(f.dark, 0.25));
  cairo_restore(cr);
  ScoopPath(cr, cx, bottom, w, h);
  cairo_set_line_width(cr, Lw(w, 0.06));
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  SetColor(cr, f.dark);
  cairo_stroke(cr);
  SoftOval(cr, cx - w * 0.18, bottom - h * 0.72, w * 0.14, h * 0.1, {1, 1, 1, 0.75});
  cairo_restore(cr);
}

void WaffleCone(cairo_t* cr, double cx, double top, double w, double h) {
  cairo_save(cr);
  auto path = [&] {
    cairo_new_path(cr);
    cairo_move_to(cr, cx - w / 2, top + h * 0.08);
    cairo_line_to(cr, cx + w / 2, top + h * 0.08);
    cairo_line_to(cr, cx + w * 0.06, top + h - 1);
    cairo_curve_to(cr, cx + w * 0.03, top + h, cx - w * 0.03, top + h, cx - w * 0.06, top + h - 1);
    cairo_close_path(cr);
  };
  path();
  FillVertical(cr, top, top + h, Hex(0xf3b865), Hex(0xc98033));
  cairo_save(cr);
  path();
  cairo_clip(cr);
  cairo_set_line_width(cr, std::max(0.8, w * 0.05));
  SetColor(cr, Hex(0xa8631e));
  for (double d = -h; d < w + h; d += std::max(3.0, w * 0.26)) {
    cairo_move_to(cr, cx - w / 2 + d, top);
    cairo_line_to(cr, cx - w / 2 + d - h * 0.7, top + h);
    cairo_move_to(cr, cx - w / 2 + d - w * 0.4, top);
    cairo_line_to(cr, cx - w / 2 + d - w * 0.4 + h * 0.7, top + h);
  }
  cairo_stroke(cr);
  cairo_restore(cr);
  path();
  cairo_set_line_width(cr, Lw(w));
  SetColor(cr, Hex(0x7a4412));
  cairo_stroke(cr);
  // The rolled rim.
  RoundRect(cr, cx - w / 2 - 0.5, top, w + 1, std::max(2.5, h * 0.14), h * 0.07);
  FillStroke(cr, Hex(0xf7c77a), Hex(0x7a4412), Lw(w, 0.05));
  cairo_restore(cr);
}

void PaperCup(cairo_t* cr, double cx, double bottom, double w, double h, Rgb c) {
  double top = bottom - h;
  auto body = [&] {
    cairo_new_path(cr);
    cairo_move_to(cr, cx - w / 2, top + h * 0.12);
    cairo_line_to(cr, cx + w / 2, top + h * 0.12);
    cairo_line_to(cr, cx + w * 0.34, bottom);
    cairo_line_to(cr, cx - w * 0.34, bottom);
    cairo_close_path(cr);
  };
  body();
  FillStroke(cr, Palette::kWhite, Darker(c, 0.5), Lw(w, 0.06));
  cairo_save(cr);
  body();
  cairo_clip(cr);
  for (int i = -4; i < 6; ++i) {
    double x = cx + i * w * 0.22;
    cairo_move_to(cr, x, top);
    cairo_line_to(cr, x + w * 0.1, top);
    cairo_line_to(cr, x + w * 0.02, bottom);
    cairo_line_to(cr, x - w * 0.08, bottom);
    cairo_close_path(cr);
  }
  Fill(cr, c);
  cairo_rectangle(cr, cx - w, top, w * 0.3 + w * 0.2, h);
  Fill(cr, {1, 1, 1, 0.18});
  cairo_restore(cr);
  body();
  cairo_set_line_width(cr, Lw(w, 0.06));
  SetColor(cr, Darker(c, 0.5));
  cairo_stroke(cr);
  RoundRect(cr, cx - w / 2 - 1, top + h * 0.04, w + 2, std::max(2.5, h * 0.16), 1.5);
  FillStroke(cr, Lighter(c, 0.4), Darker(c, 0.5), Lw(w, 0.05));
}

void DessertPlate(cairo_t* cr, double cx, double cy, double w, double h, Rgb rim) {
  Ellipse(cr, cx, cy + h * 0.12, w / 2, h / 2);
  Fill(cr, {0, 0, 0, 0.15});
  Ellipse(cr, cx, cy, w / 2, h / 2);
  FillStroke(cr, Hex(0xfbfdff), Hex(0x5a7a94), Lw(h, 0.1));
  Ellipse(cr, cx, cy, w / 2 - std::max(1.5, h * 0.12), h / 2 - std::max(1.0, h * 0.12));
  cairo_set_line_width(cr, std::max(1.0, h * 0.1));
  SetColor(cr, rim);
  cairo_stroke(cr);
  Ellipse(cr, cx, cy + h * 0.05, w * 0.3, h * 0.22);
  Fill(cr, Hex(0xe6f0f8));
}

void ScoopTopping(cairo_t* cr, int kind, double cx, double top, double w) {
  double lw = Lw(w, 0.06);
  switch (kind) {
    case 0: {  // cherry with a stem
      double r = w * 0.2;
      cairo_move_to(cr, cx, top - r * 0.6);
      cairo_curve_to(cr, cx + r * 0.3, top - r * 1.6, cx + r * 0.9, top - r * 1.9, cx + r * 1.3, top - r * 2.0);
      cairo_set_line_width(cr, std::max(1.0, r * 0.25));
      cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
      SetColor(cr, Hex(0x3f7a1c));
      cairo_stroke(cr);
      Ellipse(cr, cx, top, r, r * 0.95);
      FillStroke(cr, Hex(0xe3172c), Hex(0x6a0612), lw);
      SoftOval(cr, cx - r * 0.35, top - r * 0.35, r * 0.35, r * 0.3, {1, 1, 1, 0.85});
      break;
    }
    case 1: {  // rainbow sprinkles over the top
      static const uint32_t colours[] = {0xff4a6a, 0xffd23a, 0x4ac0ff, 0x6ad04a, 0xffffff, 0xb05ae0};
      Rand rnd(77);
      for (int i = 0; i < 9; ++i) {
        double x = cx + rnd.Uniform(-0.38, 0.38) * w, y = top + rnd.Uniform(0.05, 0.5) * w * 0.35;
        double a = rnd.Uniform(0, 3.1);
        double l = std::max(1.5, w * 0.09);
        cairo_move_to(cr, x - std::cos(a) * l / 2, y - std::sin(a) * l / 2);
        cairo_line_to(cr, x + std::cos(a) * l / 2, y + std::sin(a) * l / 2);
        cairo_set_line_width(cr, std::max(1.1, w * 0.05));
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        SetColor(cr, Hex(colours[i % 6]));
        cairo_stroke(cr);
      }
      break;
    }
    default: {  // chocolate sauce poured over the top, dripping
      double t = top - w * 0.04;
      cairo_new_path(cr);
      cairo_move_to(cr, cx - w * 0.42, t + w * 0.2);
      cairo_curve_to(cr, cx - w * 0.4, t - w * 0.12, cx + w * 0.4, t - w * 0.12, cx + w * 0.42, t + w * 0.2);
      cairo_line_to(cr, cx + w * 0.36, t + w * 0.3);
      cairo_curve_to(cr, cx + w * 0.33, t + w * 0.48, cx + w * 0.24, t + w * 0.48, cx + w * 0.22, t + w * 0.28);
      cairo_curve_to(cr, cx + w * 0.1, t + w * 0.3, cx + w * 0.05, t + w * 0.42, cx - w * 0.02, t + w * 0.3);
      cairo_curve_to(cr, cx - w * 0.12, t + w * 0.55, cx - w * 0.22, t + w * 0.55, cx - w * 0.24, t + w * 0.3);
      cairo_curve_to(cr, cx - w * 0.3, t + w * 0.34, cx - w * 0.38, t + w * 0.32, cx - w * 0.42, t + w * 0.2);
      cairo_close_path(cr);
      FillStroke(cr, Hex(0x5a2a10), Hex(0x2a1004), lw * 0.8);
      SoftOval(cr, cx - w * 0.15, t + w * 0.04, w * 0.12, w * 0.04, {1, 1, 1, 0.5});
      break;
    }
  }
}

void CocktailUmbrella(cairo_t* cr, double x, double y, double size, Rgb c) {
  double lw = Lw(size, 0.06);
  // The stick.
  cairo_move_to(cr, x, y);
  cairo_line_to(cr, x + size * 0.1, y - size * 0.72);
  cairo_set_line_width(cr, std::max(1.0, size * 0.07));
  SetColor(cr, Hex(0xc8a060));
  cairo_stroke(cr);
  // The canopy, tilted.
  cairo_save(cr);
  cairo_translate(cr, x + size * 0.1, y - size * 0.72);
  cairo_rotate(cr, -0.35);
  double r = size * 0.5;
  cairo_new_path(cr);
  cairo_move_to(cr, -r, 0);
  cairo_curve_to(cr, -r, -r * 0.75, r, -r * 0.75, r, 0);
  for (int i = 0; i < 4; ++i) {
    double x0 = r - 2 * r * i / 4, x1 = r - 2 * r * (i + 1) / 4;
    cairo_curve_to(cr, x0 - r * 0.1, -r * 0.12, x1 + r * 0.1, -r * 0.12, x1, 0);
  }
  cairo_close_path(cr);
  FillStroke(cr, c, Darker(c, 0.5), lw);
  for (int i = 1; i < 4; ++i) {
    cairo_move_to(cr, 0, -r * 0.55);
    cairo_line_to(cr, -r + 2 * r * i / 4, -r * 0.06);
  }
  cairo_set_line_width(cr, lw * 0.7);
  SetColor(cr, Lighter(c, 0.5));
  cairo_stroke(cr);
  Ellipse(cr, 0, -r * 0.58, r * 0.12, r * 0.1);
  Fill(cr, Hex(0xffe04a));
  cairo_restore(cr);
}

void DrinkingStraw(cairo_t* cr, double x, double y, double len, double angle) {
  cairo_save(cr);
  cairo_translate(cr, x, y);
  cairo_rotate(cr, angle);
  double w = std::max(3.0, len * 0.2);
  // A bendy straw: long part, bend, short part.
  RoundRect(cr, -w / 2, -len * 0.72, w, len * 0.72, w * 0.3);
  FillStroke(cr, Palette::kWhite, Hex(0xb02040), 1.0);
  cairo_save(cr);
  RoundRect(cr, -w / 2, -len * 0.72, w, len * 0.72, w * 0.3);
  cairo_clip(cr);
  for (double t = 0; t < len; t += w * 1.4) {
    cairo_move_to(cr, -w, -t);
    cairo_line_to(cr, w, -t - w * 0.8);
    cairo_line_to(cr, w, -t - w * 1.4);
    cairo_line_to(cr, -w, -t - w * 0.6);
    cairo_close_path(cr);
  }
  Fill(cr, Hex(0xf03a5a));
  cairo_restore(cr);
  cairo_translate(cr, 0, -len * 0.72);
  cairo_rotate(cr, 0.7);
  RoundRect(cr, -w / 2, -len * 0.3, w, len * 0.32, w * 0.3);
  FillStroke(cr, Hex(0xf03a5a), Hex(0xb02040), 1.0);
  cairo_restore(cr);
}

void Sparkler(cairo_t* cr, double x, double y, double len, bool lit) {
  cairo_move_to(cr, x, y);
  cairo_line_to(cr, x, y - len * 0.45);
  cairo_set_line_width(cr, std::max(1.2, len * 0.06));
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  SetColor(cr, Hex(0x8a8a98));
  cairo_stroke(cr);
  cairo_move_to(cr, x, y - len * 0.45);
  cairo_line_to(cr, x, y - len);
  cairo_set_line_width(cr, std::max(2.0, len * 0.12));
  SetColor(cr, Hex(0x5a5060));
  cairo_stroke(cr);
  if (lit) {
    SoftOval(cr, x, y - len, len * 0.3, len * 0.3, {1, 0.9, 0.5, 0.9});
    StarPath(cr, x, y - len, len * 0.22, len * 0.07, 6, 0.2);
    Fill(cr, Hex(0xfff6c0));
  }
}

void CocktailStickFruit(cairo_t* cr, double x, double y, double len) {
  // A wooden pick with a cherry, a pineapple wedge and a kiwi slice.
  cairo_move_to(cr, x, y);
  cairo_line_to(cr, x + len * 0.15, y - len);
  cairo_set_line_width(cr, std::max(1.0, len * 0.06));
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  SetColor(cr, Hex(0xc8a060));
  cairo_stroke(cr);
  double r = len * 0.17;
  Ellipse(cr, x + len * 0.13, y - len * 0.78, r * 1.1, r * 0.85);
  FillStroke(cr, Hex(0x8ad048), Hex(0x3a6a10), 1.0);
  Ellipse(cr, x + len * 0.13, y - len * 0.78, r * 0.4, r * 0.3);
  Fill(cr, Hex(0xf6ffd0));
  cairo_move_to(cr, x + len * 0.1 - r, y - len * 0.42);
  cairo_line_to(cr, x + len * 0.1 + r, y - len * 0.47);
  cairo_line_to(cr, x + len * 0.08, y - len * 0.62);
  cairo_close_path(cr);
  FillStroke(cr, Hex(0xffd23a), Hex(0xa07010), 1.0);
  Ellipse(cr, x + len * 0.05, y - len * 0.22, r * 0.95, r * 0.95);
  FillStroke(cr, Hex(0xe3172c), Hex(0x6a0612), 1.0);
  SoftOval(cr, x + len * 0.05 - r * 0.3, y - len * 0.22 - r * 0.3, r * 0.3, r * 0.25, {1, 1, 1, 0.8});
}

void SundaeGlass(cairo_t* cr, double cx, double bottom, double w, double h, bool full) {
  double lw = Lw(w, 0.05);
  double top = bottom - h;
  // Foot and stem.
  Ellipse(cr, cx, bottom - h * 0.04, w * 0.34, h * 0.04);
  FillStroke(cr, Hex(0xdff3ff), Hex(0x5a88a8), lw);
  cairo_rectangle(cr, cx - w * 0.06, bottom - h * 0.28, w * 0.12, h * 0.24);
  FillStroke(cr, Hex(0xdff3ff), Hex(0x5a88a8), lw);
  // The bowl: a tall tulip.
  double bt = top + h * (full ? 0.36 : 0.3), bb = bottom - h * 0.26;
  auto bowl = [&] {
    cairo_new_path(cr);
    cairo_move_to(cr, cx - w * 0.46, bt);
    cairo_curve_to(cr, cx - w * 0.44, bb - h * 0.1, cx - w * 0.2, bb, cx, bb);
    cairo_curve_to(cr, cx + w * 0.2, bb, cx + w * 0.44, bb - h * 0.1, cx + w * 0.46, bt);
    cairo_close_path(cr);
  };
  if (full) {
    // Scoop peeking over the rim, cream, cherry, a wafer.
    cairo_move_to(cr, cx + w * 0.15, bt + 2);
    cairo_line_to(cr, cx + w * 0.42, top + h * 0.04);
    cairo_set_line_width(cr, std::max(2.0, w * 0.12));
    SetColor(cr, Hex(0xd89a48));
    cairo_stroke(cr);
    IceScoop(cr, cx, bt + h * 0.06, w * 0.86, h * 0.3, 1);
    Ellipse(cr, cx - w * 0.05, bt - h * 0.2, w * 0.3, h * 0.1);
    Ellipse(cr, cx + w * 0.05, bt - h * 0.27, w * 0.2, h * 0.08);
    FillStroke(cr, Palette::kWhite, Hex(0xb0a898), lw);
    ScoopTopping(cr, 0, cx, top + h * 0.06, w * 0.7);
  }
  bowl();
  cairo_save(cr);
  cairo_clip(cr);
  if (full) {
    cairo_rectangle(cr, cx - w, bt, 2 * w, (bb - bt) * 0.45);
    Fill(cr, Flav(0).base);
    cairo_rectangle(cr, cx - w, bt + (bb - bt) * 0.45, 2 * w, (bb - bt) * 0.3);
    Fill(cr, Flav(2).base);
    cairo_rectangle(cr, cx - w, bt + (bb - bt) * 0.75, 2 * w, bb - bt);
    Fill(cr, Flav(1).base);
  } else {
    cairo_rectangle(cr, cx - w, bb - (bb - bt) * 0.2, 2 * w, h);
    Fill(cr, WithAlpha(Flav(1).base, 0.6));
    Ellipse(cr, cx - w * 0.15, bt + (bb - bt) * 0.4, w * 0.1, h * 0.06);
    Fill(cr, WithAlpha(Flav(2).base, 0.5));
  }
  cairo_restore(cr);
  bowl();
  FillStroke(cr, {0.85, 0.95, 1, 0.35}, Hex(0x5a88a8), lw);
  cairo_move_to(cr, cx - w * 0.32, bt + h * 0.04);
  cairo_curve_to(cr, cx - w * 0.34, bb - h * 0.12, cx - w * 0.24, bb - h * 0.06, cx - w * 0.16, bb - h * 0.04);
  cairo_set_line_width(cr, std::max(1.0, w * 0.06));
  SetColor(cr, {1, 1, 1, 0.8});
  cairo_stroke(cr);
}

void SpecialPlateDish(cairo_t* cr, double cx, double bottom, double w, double h, bool full) {
  double py = bottom - h * 0.22;
  DessertPlate(cr, cx, py, w, h * 0.42, Hex(0x56b8e8));
  if (!full) {
    Ellipse(cr, cx - w * 0.12, py, w * 0.14, h * 0.06);
    Fill(cr, WithAlpha(Flav(1).base, 0.7));
    Ellipse(cr, cx + w * 0.14, py + h * 0.02, w * 0.1, h * 0.05);
    Fill(cr, WithAlpha(Flav(2).base, 0.7));
    return;
  }
  // A wafer fan, three scoops, sauce and a cherry.
  for (int i = 0; i < 3; ++i) {
    cairo_save(cr);
    cairo_translate(cr, cx + w * 0.3, py - h * 0.1);
    cairo_rotate(cr, -0.9 + i * 0.35);
    cairo_rectangle(cr, -w * 0.04, -h * 0.6, w * 0.08, h * 0.6);
    cairo_restore(cr);
    FillStroke(cr, Hex(0xf0c070), Hex(0x9a6020), Lw(w, 0.03));
  }
  IceScoop(cr, cx - w * 0.22, py + h * 0.06, w * 0.34, h * 0.48, 0);
  IceScoop(cr, cx + w * 0.16, py + h * 0.08, w * 0.34, h * 0.48, 4);
  IceScoop(cr, cx - w * 0.03, py + h * 0.12, w * 0.36, h * 0.52, 1);
  ScoopTopping(cr, 2, cx - w * 0.03, py - h * 0.4, w * 0.36);
  ScoopTopping(cr, 0, cx - w * 0.03, py - h * 0.42, w * 0.3);
}

void BananaSplitDish(cairo_t* cr, double cx, double bottom, double w, double h, bool full) {
  double lw = Lw(w, 0.04);
  // The boat dish.
  double top = bottom - h * 0.42;
  auto boat = [&] {
    cairo_new_path(cr);
    cairo_move_to(cr, cx - w * 0.5, top);
    cairo_curve_to(cr, cx - w * 0.42, bottom, cx + w * 0.42, bottom, cx + w * 0.5, top);
    cairo_close_path(cr);
  };
  if (full) {
    // Banana halves along the sides, three scoops, cream and cherries.
    Banana(cr, cx, top - h * 0.05, w * 0.95, -0.05, Hex(0xffe36a));
    IceScoop(cr, cx - w * 0.26, top + h * 0.12, w * 0.28, h * 0.5, 2);
    IceScoop(cr, cx + w * 0.26, top + h * 0.12, w * 0.28, h * 0.5, 1);
    IceScoop(cr, cx, top + h * 0.15, w * 0.3, h * 0.56, 0);
    for (int i = -1; i <= 1; ++i) {
      Ellipse(cr, cx + i * w * 0.26, top - h * 0.38 + std::abs(i) * h * 0.04, w * 0.08, h * 0.1);
      FillStroke(cr, Palette::kWhite, Hex(0xb0a898), lw);
    }
    ScoopTopping(cr, 0, cx, top - h * 0.52, w * 0.2);
    ScoopTopping(cr, 0, cx + w * 0.26, top - h * 0.46, w * 0.18);
  }
  boat();
  cairo_pattern_t* p = cairo_pattern_create_linear(0, top, 0, bottom);
  cairo_pattern_add_color_stop_rgba(p, 0, 0.85, 0.95, 1.0, 0.85);
  cairo_pattern_add_color_stop_rgba(p, 1, 0.55, 0.78, 0.92, 0.95);
  cairo_set_source(cr, p);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(p);
  cairo_set_line_width(cr, lw);
  SetColor(cr, Hex(0x4a7898));
  cairo_stroke(cr);
  if (!full) {
    Ellipse(cr, cx - w * 0.1, top + h * 0.08, w * 0.14, h * 0.06);
    Fill(cr, WithAlpha(Flav(2).base, 0.7));
    Ellipse(cr, cx + w * 0.16, top + h * 0.1, w * 0.1, h * 0.05);
    Fill(cr, WithAlpha(Flav(1).base, 0.7));
  }
  cairo_move_to(cr, cx - w * 0.36, top + h * 0.1);
  cairo_curve_to(cr, cx - w * 0.2, top + h * 0.3, cx + w * 0.1, top + h * 0.32, cx + w * 0.2, top + h * 0.28);
  cairo_set_line_width(cr, std::max(1.0, h * 0.06));
  SetColor(cr, {1, 1, 1, 0.6});
  cairo_stroke(cr);
}

void CakeDish(cairo_t* cr, double cx, double bottom, double w, double h, bool full) {
  double lw = Lw(w, 0.04);
  double py = bottom - h * 0.14;
  DessertPlate(cr, cx, py, w, h * 0.28, Hex(0xff9ac0));
  if (!full) {
    Rand rnd(9);
    for (int i = 0; i < 9; ++i) {
      Ellipse(cr, cx + rnd.Uniform(-0.25, 0.25) * w, py + rnd.Uniform(-0.05, 0.05) * h, w * 0.025, w * 0.02);
      Fill(cr, Hex(0x9a6030));
    }
    Ellipse(cr, cx + w * 0.1, py, w * 0.06, h * 0.03);
    Fill(cr, Hex(0xffb0c8));
    return;
  }
  // A round layer cake seen from the front and a little above.
  double cw = w * 0.78, top = bottom - h * 0.95, base = py;
  double ry = h * 0.1;
  cairo_new_path(cr);
  cairo_move_to(cr, cx - cw / 2, top + ry);
  cairo_line_to(cr, cx - cw / 2, base);
  cairo_curve_to(cr, cx - cw / 2, base + ry * 1.2, cx + cw / 2, base + ry * 1.2, cx + cw / 2, base);
  cairo_line_to(cr, cx + cw / 2, top + ry);
  cairo_close_path(cr);
  FillStroke(cr, Hex(0xf3c27a), Hex(0x8a5020), lw);
  // Cream layers.
  for (int i = 1; i <= 2; ++i) {
    double y = top + ry + (base - top - ry) * i / 3.0;
    cairo_move_to(cr, cx - cw / 2 + 1, y);
    cairo_curve_to(cr, cx - cw / 4, y + ry * 0.8, cx + cw / 4, y + ry * 0.8, cx + cw / 2 - 1, y);
    cairo_set_line_width(cr, std::max(1.5, h * 0.07));
    SetColor(cr, Hex(0xff8ab0));
    cairo_stroke(cr);
  }
  // Icing top with drips.
  Ellipse(cr, cx, top + ry, cw / 2, ry);
  FillStroke(cr, Hex(0xfff0f6), Hex(0xc06080), lw);
  for (int i = 0; i < 5; ++i) {
    double x = cx - cw * 0.4 + i * cw * 0.2;
    Ellipse(cr, x, top + ry * 1.9 + (i % 2) * ry * 0.6, cw * 0.06, ry * 0.8);
    Fill(cr, Hex(0xfff0f6));
  }
  for (int i = 0; i < 3; ++i) ScoopTopping(cr, 0, cx - cw * 0.25 + i * cw * 0.25, top + ry * 0.6, w * 0.2);
}

void BenchTub(cairo_t* cr, double x, double y, double w, double h, int flavour, double fill) {
  double lw = Lw(h, 0.05);
  // Outer tub: a light blue pail seen from above-front.
  RoundRect(cr, x + 1, y + 2, w - 2, h - 3, h * 0.22);
  Fill(cr, {0, 0, 0, 0.2});
  RoundRect(cr, x + 1, y + 1, w - 2, h - 3, h * 0.22);
  FillVerticalStroke(cr, y, y + h, Hex(0xe8f6ff), Hex(0x9ac8e8), Hex(0x3a6a90), lw);
  // Inside.
  double ix = x + w * 0.09, iy = y + h * 0.13, iw = w * 0.82, ih = h * 0.6;
  RoundRect(cr, ix, iy, iw, ih, ih * 0.28);
  FillVertical(cr, iy, iy + ih, Hex(0x8ab4d4), Hex(0xc8e2f4));
  if (flavour >= 0 && fill > 0) {
    FlavourLook f = Flav(flavour);
    cairo_save(cr);
    RoundRect(cr, ix, iy, iw, ih, ih * 0.28);
    cairo_clip(cr);
    if (fill >= 0.99) {
      // Heaped: a rounded mound with scoop dents.
      RoundRect(cr, ix - 2, iy - 2, iw + 4, ih + 4, ih * 0.3);
      FillRadial(cr, ix + iw * 0.35, iy + ih * 0.3, iw * 0.7, f.light, f.base);
    } else {
      // The cream sinks towards the front corner as it is used.
      double cw = iw * (0.35 + 0.65 * fill), ch = ih * (0.45 + 0.55 * fill);
      cairo_new_path(cr);
      double cx0 = ix + iw - cw, cy0 = iy + ih - ch;
      cairo_move_to(cr, ix + iw + 2, iy + ih + 2);
      cairo_line_to(cr, ix - 2, iy + ih + 2);
      cairo_line_to(cr, ix - 2, cy0 + ch * 0.35);
      cairo_curve_to(cr, cx0 - iw * 0.1, cy0 + ch * 0.1, cx0 + cw * 0.2, cy0 - ch * 0.2, cx0 + cw * 0.45, cy0);
      cairo_curve_to(cr, cx0 + cw * 0.7, cy0 + ch * 0.15, ix + iw, cy0 - ch * 0.1, ix + iw + 2, cy0 - ch * 0.05);
      cairo_close_path(cr);
      FillRadial(cr, ix + iw * 0.6, iy + ih * 0.6, iw * 0.8, f.light, f.base);
    }
    // Texture and dents.
    Rand rnd(31 + flavour);
    double n = 4 + fill * 6;
    for (int i = 0; i < n; ++i) {
      double ex = ix + iw * rnd.Uniform(0.15, 0.85), ey = iy + ih * rnd.Uniform(0.25, 0.85);
      if (fill < 0.99 && (ex < ix + iw * (1 - fill * 0.9) - 4 && ey < iy + ih * (1 - fill * 0.8))) continue;
      cairo_new_path(cr);
      cairo_arc(cr, ex, ey, iw * 0.09, M_PI + 0.3, 2 * M_PI - 0.3);
      cairo_set_line_width(cr, std::max(1.0, h * 0.05));
      SetColor(cr, WithAlpha(f.dark, 0.55));
      cairo_stroke(cr);
    }
    Specks(cr, ix + iw / 2, iy + ih, iw, ih, flavour);
    cairo_restore(cr);
  }
  RoundRect(cr, ix, iy, iw, ih, ih * 0.28);
  cairo_set_line_width(cr, lw * 0.8);
  SetColor(cr, Hex(0x3a6a90));
  cairo_stroke(cr);
  // Front label band.
  RoundRect(cr, x + w * 0.3, y + h * 0.78, w * 0.4, h * 0.14, h * 0.05);
  Fill(cr, flavour >= 0 ? Flav(flavour).base : Hex(0xd0e4f0));
}

void CarriedTub(cairo_t* cr, double cx, double bottom, double w, double h, bool right) {
  double lw = Lw(h, 0.05);
  double top = bottom - h, rimH = h * 0.32;
  double skew = right ? w * 0.05 : -w * 0.05;
  // Body: a pail wider at the top.
  cairo_new_path(cr);
  cairo_move_to(cr, cx - w / 2, top + rimH / 2);
  cairo_line_to(cr, cx + w / 2, top + rimH / 2);
  cairo_line_to(cr, cx + w * 0.4 + skew, bottom);
  cairo_line_to(cr, cx - w * 0.4 + skew, bottom);
  cairo_close_path(cr);
  FillStroke(cr, Hex(0xbfe2f8), Hex(0x3a6a90), lw);
  cairo_rectangle(cr, cx - w * 0.44 + skew * 0.5, top + h * 0.5, w * 0.88, h * 0.18);
  Fill(cr, Hex(0xff8fb1));
  // Opening.
  Ellipse(cr, cx, top + rimH / 2, w / 2, rimH / 2);
  FillStroke(cr, Hex(0x6a98bc), Hex(0x3a6a90), lw);
  Ellipse(cr, cx, top + rimH / 2 + 1, w / 2 - 3, rimH / 2 - 2.5);
  Fill(cr, Hex(0x4a7898));
  cairo_move_to(cr, cx - w * 0.42 + skew * 0.3, top + h * 0.42);
  cairo_line_to(cr, cx - w * 0.36 + skew * 0.8, bottom - 3);
  cairo_set_line_width(cr, std::max(1.5, w * 0.04));
  SetColor(cr, {1, 1, 1, 0.55});
  cairo_stroke(cr);
}

void CarriedTubContents(cairo_t* cr, double cx, double bottom, double w, double h, bool right, int flavour) {
  (void)right;
  double top = bottom - h, rimH = h * 0.32;
  FlavourLook f = Flav(flavour);
  cairo_new_path(cr);
  double l = cx - w / 2 + 3, r = cx + w / 2 - 3, y = top + rimH / 2 + 1;
  cairo_move_to(cr, l, y);
  cairo_curve_to(cr, l + w * 0.05, y - h * 0.45, r - w * 0.05, y - h * 0.45, r, y);
  cairo_curve_to(cr, r - w * 0.1, y + rimH * 0.45, l + w * 0.1, y + rimH * 0.45, l, y);
  cairo_close_path(cr);
  cairo_pattern_t* p = cairo_pattern_create_radial(cx - w * 0.15, y - h * 0.3, 1, cx, y, w * 0.6);
  cairo_pattern_add_color_stop_rgb(p, 0, f.light.r, f.light.g, f.light.b);
  cairo_pattern_add_color_stop_rgb(p, 1, f.base.r, f.base.g, f.base.b);
  cairo_set_source(cr, p);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(p);
  cairo_set_line_width(cr, Lw(h, 0.04));
  SetColor(cr, f.dark);
  cairo_stroke(cr);
  // One scooped ridge across the heap.
  cairo_new_path(cr);
  cairo_move_to(cr, cx - w * 0.3, y - h * 0.05);
  cairo_curve_to(cr, cx - w * 0.15, y - h * 0.28, cx + w * 0.05, y - h * 0.05, cx + w * 0.25, y - h * 0.2);
  cairo_set_line_width(cr, Lw(h, 0.045));
  SetColor(cr, WithAlpha(f.dark, 0.6));
  cairo_stroke(cr);
  Specks(cr, cx, y + 2, w * 0.7, h * 0.35, flavour);
}

void CarriedTubFront(cairo_t* cr, double cx, double bottom, double w, double h, int flavour) {
  CarriedTub(cr, cx, bottom, w, h, false);
  if (flavour >= 0) CarriedTubContents(cr, cx, bottom, w, h, false, flavour);
}

void GlassJar(cairo_t* cr, double cx, double bottom, double w, double h, Rgb lid, Rgb contents, int kind) {
  double lw = Lw(w, 0.05);
  double top = bottom - h;
  double lidH = h * 0.16;
  auto body = [&] { RoundRect(cr, cx - w / 2, top + lidH * 0.8, w, h - lidH * 0.8, w * 0.22); };
  body();
  Fill(cr, {0.85, 0.95, 1, 0.5});
  cairo_save(cr);
  body();
  cairo_clip(cr);
  double fillTop = top + h * 0.38;
  cairo_rectangle(cr, cx - w, fillTop, 2 * w, h);
  Fill(cr, contents);
  Rand rnd(5 + kind);
  if (kind == 0) {  // cherries
    for (int i = 0; i < 7; ++i) {
      double x = cx - w * 0.3 + (i % 3) * w * 0.3 + (i / 3 % 2) * w * 0.15, y = fillTop + 3 + (i / 3) * w * 0.26;
      Ellipse(cr, x, y, w * 0.14, w * 0.13);
      FillStroke(cr, Hex(0xe3172c), Hex(0x6a0612), 0.8);
      Ellipse(cr, x - w * 0.04, y - w * 0.04, w * 0.04, w * 0.035);
      Fill(cr, {1, 1, 1, 0.8});
    }
  } else if (kind == 1) {  // sprinkles
    static const uint32_t colours[] = {0xff4a6a, 0xffd23a, 0x4ac0ff, 0x6ad04a, 0xffffff, 0xb05ae0};
    for (int i = 0; i < 40; ++i) {
      double x = cx + rnd.Uniform(-0.5, 0.5) * w, y = fillTop + rnd.Uniform(0, 1) * (bottom - fillTop);
      double a = rnd.Uniform(0, 3.1), l = std::max(1.6, w * 0.08);
      cairo_move_to(cr, x - std::cos(a) * l / 2, y - std::sin(a) * l / 2);
      cairo_line_to(cr, x + std::cos(a) * l / 2, y + std::sin(a) * l / 2);
      cairo_set_line_width(cr, std::max(1.0, w * 0.045));
      cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
      SetColor(cr, Hex(colours[i % 6]));
      cairo_stroke(cr);
    }
  }
  // Glass shine.
  cairo_rectangle(cr, cx - w * 0.36, top, w * 0.12, h);
  Fill(cr, {1, 1, 1, 0.45});
  cairo_restore(cr);
  body();
  cairo_set_line_width(cr, lw);
  SetColor(cr, Hex(0x4a7898));
  cairo_stroke(cr);
  // Label.
  RoundRect(cr, cx - w * 0.3, top + h * 0.5, w * 0.6, h * 0.22, 2);
  FillStroke(cr, Hex(0xfff6dc), Hex(0x9a8060), lw * 0.7);
  Ellipse(cr, cx, top + h * 0.61, w * 0.1, h * 0.06);
  Fill(cr, kind == 0 ? Hex(0xe3172c) : Hex(0xff8fb1));
  // Lid.
  RoundRect(cr, cx - w * 0.42, top, w * 0.84, lidH, lidH * 0.3);
  FillStroke(cr, lid, Darker(lid, 0.5), lw);
  cairo_rectangle(cr, cx - w * 0.38, top + lidH * 0.2, w * 0.76, lidH * 0.22);
  Fill(cr, {1, 1, 1, 0.35});
}

void Mug(cairo_t* cr, double cx, double bottom, double w, double h, Rgb c) {
  double lw = Lw(w, 0.05);
  double top = bottom - h;
  // Handle.
  cairo_new_path(cr);
  cairo_arc(cr, cx + w * 0.48, top + h * 0.5, h * 0.22, -M_PI / 2, M_PI / 2);
  cairo_set_line_width(cr, std::max(3.0, w * 0.14) + 2 * lw);
  SetColor(cr, kLine);
  cairo_stroke(cr);
  cairo_arc(cr, cx + w * 0.48, top + h * 0.5, h * 0.22, -M_PI / 2, M_PI / 2);
  cairo_set_line_width(cr, std::max(3.0, w * 0.14));
  SetColor(cr, c);
  cairo_stroke(cr);
  // Body.
  cairo_new_path(cr);
  cairo_move_to(cr, cx - w / 2, top + h * 0.08);
  cairo_line_to(cr, cx - w * 0.44, bottom - h * 0.06);
  cairo_curve_to(cr, cx - w * 0.42, bottom, cx + w * 0.42, bottom, cx + w * 0.44, bottom - h * 0.06);
  cairo_line_to(cr, cx + w / 2, top + h * 0.08);
  cairo_close_path(cr);
  FillVerticalStroke(cr, top, bottom, Lighter(c, 0.2), Darker(c, 0.1), kLine, lw);
  // Polka dots and the opening.
  for (int i = 0; i < 3; ++i) {
    Ellipse(cr, cx - w * 0.25 + i * w * 0.25, top + h * 0.55 + (i % 2) * h * 0.12, w * 0.06, w * 0.06);
    Fill(cr, {1, 1, 1, 0.7});
  }
  Ellipse(cr, cx, top + h * 0.08, w / 2, h * 0.08);
  FillStroke(cr, Darker(c, 0.45), kLine, lw);
  cairo_rectangle(cr, cx - w * 0.38, top + h * 0.2, w * 0.1, h * 0.6);
  Fill(cr, {1, 1, 1, 0.3});
}

// A wicker body: the outline path filled, then rows and ribs woven inside it.
template <typename Path>
void WickerBody(cairo_t* cr, Path path, double cx, double top, double bottom, double w,
                double firstRow, double rowStep, double ribStep, double lw) {
  cairo_new_path(cr);
  path();
  FillStroke(cr, Hex(0xd89a4a), Hex(0x6a4010), lw);
  cairo_save(cr);
  path();
  cairo_clip(cr);
  cairo_set_line_width(cr, std::max(0.8, w * 0.03));
  SetColor(cr, Hex(0x9a6220));
  for (double y = firstRow; y < bottom; y += rowStep) {
    cairo_move_to(cr, cx - w, y);
    cairo_line_to(cr, cx + w, y);
  }
  for (double x = cx - w; x < cx + w; x += ribStep) {
    cairo_move_to(cr, x, top);
    cairo_line_to(cr, x + w * 0.04, bottom);
  }
  cairo_stroke(cr);
  cairo_restore(cr);
}

void Basket(cairo_t* cr, double cx, double bottom, double w, double h) {
  double lw = Lw(w, 0.05);
  double top = bottom - h;
  WickerBody(
      cr,
      [&] {
        cairo_move_to(cr, cx - w / 2, top + h * 0.2);
        cairo_line_to(cr, cx + w / 2, top + h * 0.2);
        cairo_line_to(cr, cx + w * 0.4, bottom);
        cairo_line_to(cr, cx - w * 0.4, bottom);
        cairo_close_path(cr);
      },
      cx, top, bottom, w, top + h * 0.35, std::max(3.0, h * 0.18), std::max(3.0, w * 0.14), lw);
  RoundRect(cr, cx - w / 2 - 1, top + h * 0.12, w + 2, std::max(3.0, h * 0.14), h * 0.07);
  FillStroke(cr, Hex(0xe8b060), Hex(0x6a4010), lw);
}

void BasketFront(cairo_t* cr, double cx, double bottom, double w, double h) {
  // The front half only, drawn over what lies in the basket.
  double lw = Lw(w, 0.05);
  double top = bottom - h * 0.55;
  WickerBody(
      cr,
      [&] {
        cairo_move_to(cr, cx - w * 0.46, top);
        cairo_curve_to(cr, cx - w * 0.2, top + h * 0.08, cx + w * 0.2, top + h * 0.08, cx + w * 0.46, top);
        cairo_line_to(cr, cx + w * 0.4, bottom);
        cairo_line_to(cr, cx - w * 0.4, bottom);
        cairo_close_path(cr);
      },
      cx, top, bottom, w, top + h * 0.12, std::max(3.0, h * 0.14), std::max(3.0, w * 0.13), lw);
  cairo_new_path(cr);
  cairo_move_to(cr, cx - w * 0.48, top);
  cairo_curve_to(cr, cx - w * 0.2, top + h * 0.08, cx + w * 0.2, top + h * 0.08, cx + w * 0.48, top);
  cairo_set_line_width(cr, std::max(2.5, h * 0.1));
  SetColor(cr, Hex(0xe8b060));
  cairo_stroke_preserve(cr);
  cairo_set_line_width(cr, lw * 0.7);
  SetColor(cr, Hex(0x6a4010));
  cairo_stroke(cr);
}

void Cookie(cairo_t* cr, double cx, double cy, double r, int kind) {
  double lw = Lw(r * 2, 0.06);
  if (kind == 2) {
    // A pretzel knot.
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    for (int pass = 0; pass < 2; ++pass) {
      cairo_new_path(cr);
      cairo_move_to(cr, -r * 0.75, r * 0.6);
      cairo_curve_to(cr, -r * 1.2, -r * 0.2, -r * 0.6, -r * 1.0, 0, -r * 0.3);
      cairo_curve_to(cr, r * 0.6, -r * 1.0, r * 1.2, -r * 0.2, r * 0.75, r * 0.6);
      cairo_move_to(cr, -r * 0.75, r * 0.6);
      cairo_curve_to(cr, -r * 0.3, r * 0.2, r * 0.3, -r * 0.1, r * 0.5, -r * 0.5);
      cairo_move_to(cr, r * 0.75, r * 0.6);
      cairo_curve_to(cr, r * 0.3, r * 0.2, -r * 0.3, -r * 0.1, -r * 0.5, -r * 0.5);
      cairo_set_line_width(cr, pass == 0 ? r * 0.42 + 2 * lw : r * 0.42);
      SetColor(cr, pass == 0 ? Hex(0x5a2a08) : Hex(0xb8682a));
      cairo_stroke(cr);
    }
    Rand rnd(3);
    for (int i = 0; i < 6; ++i) {
      Ellipse(cr, rnd.Uniform(-0.8, 0.8) * r, rnd.Uniform(-0.6, 0.5) * r, r * 0.06, r * 0.05);
      Fill(cr, Palette::kWhite);
    }
    cairo_restore(cr);
    return;
  }
  Ellipse(cr, cx, cy, r, r * 0.92);
  FillRadial(cr, cx - r * 0.3, cy - r * 0.3, r * 1.3, kind == 1 ? Hex(0xe8b070) : Hex(0xf4cc80),
             kind == 1 ? Hex(0xb87838) : Hex(0xd89a48));
  Ellipse(cr, cx, cy, r, r * 0.92);
  cairo_set_line_width(cr, lw);
  SetColor(cr, Hex(0x7a4412));
  cairo_stroke(cr);
  Rand rnd(11 + kind);
  if (kind == 1) {
    for (int i = 0; i < 6; ++i) {
      Ellipse(cr, cx + rnd.Uniform(-0.6, 0.6) * r, cy + rnd.Uniform(-0.55, 0.55) * r, r * 0.16, r * 0.13);
      Fill(cr, Hex(0x3a1a08));
    }
  } else {
    // A sugar-dusted shortbread with a jam heart.
    for (int i = 0; i < 8; ++i) {
      double a = i * M_PI / 4;
      Ellipse(cr, cx + std::cos(a) * r * 0.68, cy + std::sin(a) * r * 0.62, r * 0.06, r * 0.06);
      Fill(cr, Hex(0xb07028));
    }
    Ellipse(cr, cx, cy, r * 0.32, r * 0.3);
    FillStroke(cr, Hex(0xe8283a), Hex(0x8a1018), std::max(0.7, lw * 0.7));
  }
}

Rgb LemonadeColor(int kind) {
  switch (kind) {
    case 0: return Hex(0x7a6ae8);
    case 1: return Hex(0x8ad84a);
    default: return Hex(0xffa43a);
  }
}

void LemonadeBottle(cairo_t* cr, double cx, double bottom, double w, double h, int kind, double fill) {
  double lw = Lw(w, 0.05);
  double top = bottom - h;
  double neckW = w * 0.34, shoulder = top + h * 0.36;
  auto body = [&] {
    cairo_new_path(cr);
    cairo_move_to(cr, cx - neckW / 2, top + h * 0.1);
    cairo_line_to(cr, cx - neckW / 2, top + h * 0.2);
    cairo_curve_to(cr, cx - neckW / 2, shoulder - h * 0.06, cx - w / 2, shoulder - h * 0.04, cx - w / 2, shoulder + h * 0.06);
    cairo_line_to(cr, cx - w / 2, bottom - w * 0.18);
    cairo_curve_to(cr, cx - w / 2, bottom, cx + w / 2, bottom, cx + w / 2, bottom - w * 0.18);
    cairo_line_to(cr, cx + w / 2, shoulder + h * 0.06);
    cairo_curve_to(cr, cx + w / 2, shoulder - h * 0.04, cx + neckW / 2, shoulder - h * 0.06, cx + neckW / 2, top + h * 0.2);
    cairo_line_to(cr, cx + neckW / 2, top + h * 0.1);
    cairo_close_path(cr);
  };
  Rgb c = LemonadeColor(kind);
  body();
  Fill(cr, {0.9, 0.97, 1, 0.45});
  if (fill > 0) {
    cairo_save(cr);
    body();
    cairo_clip(cr);
    double level = bottom - (bottom - shoulder) * fill - (fill >= 1 ? h * 0.15 : 0);
    cairo_rectangle(cr, cx - w, level, 2 * w, h);
    FillVertical(cr, level, bottom, Lighter(c, 0.25), Darker(c, 0.1));
    Ellipse(cr, cx, level, w / 2, std::max(1.0, w * 0.06));
    Fill(cr, Lighter(c, 0.45));
    // Bubbles.
    Rand rnd(kind + 40);
    for (int i = 0; i < 5; ++i) {
      double y = rnd.Uniform(level + 3, bottom - 3);
      if (y <= level + 2) continue;
      Ellipse(cr, cx + rnd.Uniform(-0.3, 0.3) * w, y, w * 0.04, w * 0.04);
      Fill(cr, {1, 1, 1, 0.6});
    }
    cairo_restore(cr);
  }
  body();
  cairo_set_line_width(cr, lw);
  SetColor(cr, Hex(0x3a6a80));
  cairo_stroke(cr);
  cairo_rectangle(cr, cx - w * 0.34, shoulder + h * 0.08, w * 0.1, h * 0.42);
  Fill(cr, {1, 1, 1, 0.55});
  // Label with the fruit.
  double ly = top + h * 0.56, lh = h * 0.2;
  RoundRect(cr, cx - w * 0.44, ly, w * 0.88, lh, 2);
  FillStroke(cr, Hex(0xfffbe8), Darker(c, 0.4), lw * 0.7);
  if (kind == 0) {
    Blueberries(cr, cx, ly + lh * 0.45, lh * 0.42);
  } else if (kind == 1) {
    Ellipse(cr, cx, ly + lh / 2, lh * 0.38, lh * 0.38);
    FillStroke(cr, Hex(0x8ad048), Hex(0x3a6a10), 0.8);
    Ellipse(cr, cx, ly + lh / 2, lh * 0.12, lh * 0.12);
    Fill(cr, Hex(0xf6ffd0));
  } else {
    Pineapple(cr, cx, ly + lh * 0.5, lh * 0.38);
  }
  // Cap.
  RoundRect(cr, cx - neckW / 2 - 1, top, neckW + 2, h * 0.1, 1.5);
  FillStroke(cr, Darker(c, 0.15), Darker(c, 0.55), lw);
}

void LemonadeGlass(cairo_t* cr, double cx, double bottom, double w, double h, int kind) {
  double lw = Lw(w, 0.06);
  double top = bottom - h;
  auto glass = [&] {
    cairo_new_path(cr);
    cairo_move_to(cr, cx - w / 2, top + h * 0.18);
    cairo_line_to(cr, cx + w / 2, top + h * 0.18);
    cairo_line_to(cr, cx + w * 0.38, bottom);
    cairo_line_to(cr, cx - w * 0.38, bottom);
    cairo_close_path(cr);
  };
  Rgb c = LemonadeColor(kind);
  DrinkingStraw(cr, cx + w * 0.15, top + h * 0.5, h * 0.55, 0.25);
  glass();
  Fill(cr, {0.9, 0.97, 1, 0.5});
  cairo_save(cr);
  glass();
  cairo_clip(cr);
  cairo_rectangle(cr, cx - w, top + h * 0.32, 2 * w, h);
  FillVertical(cr, top + h * 0.32, bottom, Lighter(c, 0.3), c);
  cairo_restore(cr);
  glass();
  cairo_set_line_width(cr, lw);
  SetColor(cr, Hex(0x3a6a80));
  cairo_stroke(cr);
  // A lemon slice on the rim.
  Ellipse(cr, cx - w * 0.42, top + h * 0.2, w * 0.22, w * 0.22);
  FillStroke(cr, Hex(0xfff07a), Hex(0xb0a010), 0.8);
}

void JugglingBall(cairo_t* cr, double cx, double cy, double r, int colour) {
  static const uint32_t colours[] = {0xff4a5a, 0x3aa8ff, 0xffd23a, 0x4ac84a};
  Rgb c = Hex(colours[(colour % 4 + 4) % 4]);
  Ellipse(cr, cx, cy, r, r);
  FillRadial(cr, cx - r * 0.35, cy - r * 0.35, r * 1.4, Lighter(c, 0.5), c);
  cairo_save(cr);
  Ellipse(cr, cx, cy, r, r);
  cairo_clip(cr);
  cairo_new_path(cr);
  cairo_move_to(cr, cx - r, cy + r * 0.1);
  cairo_curve_to(cr, cx - r * 0.3, cy - r * 0.4, cx + r * 0.3, cy + r * 0.5, cx + r, cy - r * 0.1);
  cairo_set_line_width(cr, r * 0.35);
  SetColor(cr, {1, 1, 1, 0.85});
  cairo_stroke(cr);
  cairo_restore(cr);
  Ellipse(cr, cx, cy, r, r);
  cairo_set_line_width(cr, Lw(r * 2, 0.07));
  SetColor(cr, Darker(c, 0.55));
  cairo_stroke(cr);
  SoftOval(cr, cx - r * 0.35, cy - r * 0.4, r * 0.3, r * 0.22, {1, 1, 1, 0.8});
}

void NapkinStack(cairo_t* cr, double cx, double bottom, double w, double h, int count) {
  double lw = Lw(w, 0.04);
  double layer = h / (count + 2);
  for (int i = 0; i < count; ++i) {
    double y = bottom - layer * (i + 1.5);
    double off = (i % 2 ? 1 : -1) * w * 0.02;
    cairo_new_path(cr);
    cairo_move_to(cr, cx - w / 2 + off, y + layer * 0.6);
    cairo_line_to(cr, cx - w * 0.36 + off, y - layer * 0.6);
    cairo_line_to(cr, cx + w * 0.44 + off, y - layer * 0.6);
    cairo_line_to(cr, cx + w / 2 + off, y + layer * 0.6);
    cairo_close_path(cr);
    FillStroke(cr, i % 2 ? Hex(0xffffff) : Hex(0xfff0f6), Hex(0x8a98b0), lw);
  }
  // A folded corner on top.
  double y = bottom - layer * (count + 0.9);
  cairo_move_to(cr, cx + w * 0.05, y);
  cairo_line_to(cr, cx + w * 0.4, y);
  cairo_line_to(cr, cx + w * 0.3, y - layer * 0.8);
  cairo_close_path(cr);
  FillStroke(cr, Hex(0xffd6e6), Hex(0x8a98b0), lw);
}

void ServingTray(cairo_t* cr, double cx, double top, double w) {
  double h = std::max(5.0, w * 0.16);
  Ellipse(cr, cx, top + h * 0.55, w / 2, h * 0.55);
  FillStroke(cr, Hex(0xb8c4d0), kLine, 1.4);
  Ellipse(cr, cx, top + h * 0.4, w / 2 - 1, h * 0.45);
  FillVerticalStroke(cr, top, top + h, Hex(0xf4f8fc), Hex(0xc8d4e0), Hex(0x6a7a90), 1.2);
  Ellipse(cr, cx - w * 0.18, top + h * 0.3, w * 0.12, h * 0.12);
  Fill(cr, {1, 1, 1, 0.8});
}

void SilhouetteGlow(cairo_t* cr, const std::function<void(cairo_t*)>& draw, double dx, double dy, double grow, Rgb c) {
  cairo_push_group(cr);
  cairo_translate(cr, dx, dy);
  draw(cr);
  cairo_pattern_t* shape = cairo_pop_group(cr);
  int rings = 3;
  for (int ring = rings; ring >= 1; --ring) {
    double r = grow * ring / rings;
    for (int i = 0; i < 16; ++i) {
      double a = i * M_PI / 8;
      cairo_save(cr);
      cairo_translate(cr, std::cos(a) * r, std::sin(a) * r);
      SetColor(cr, WithAlpha(c, c.a * (0.25 + 0.25 * (rings - ring))));
      cairo_mask(cr, shape);
      cairo_restore(cr);
    }
  }
  SetColor(cr, Lighter(c, 0.6));
  cairo_mask(cr, shape);
  cairo_pattern_destroy(shape);
}

}  // namespace Plix::DataBuild
