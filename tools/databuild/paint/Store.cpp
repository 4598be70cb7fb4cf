// The island store (Store group): a bamboo hut with the shopkeeper behind
// his counter and the goods on shelves, crates and tables at the places
// where the screen puts their buttons. Every good is drawn by one function
// that both its button and its stock-panel icon use.

#include <cmath>
#include <functional>

#include "tools/databuild/Figure.h"
#include "tools/databuild/Food.h"
#include "tools/databuild/Painters.h"
#include "tools/databuild/Props.h"
#include "tools/databuild/Shops.h"

namespace Plix::DataBuild {

namespace {

// The counter's top face: its back edge hides the shopkeeper below it.
constexpr double kCounterX0 = 380, kCounterX1 = 592, kCounterTop = 390, kCounterFront = 406,
                 kCounterFoot = 500;
// The shopkeeper's cel on screen.
constexpr double kKeeperX = 396, kKeeperY = 219;

const Rgb kBamboo = Hex(0xe8c878);
const Rgb kThatch = Hex(0xd8a850);
const Rgb kShelf = Hex(0xb87a40);

// ---------------------------------------------------------------- goods

// Each good fills a box whose bottom centre is (cx, bottom), s scaling its
// button size (1) down for the stock icons.
using Good = std::function<void(cairo_t*, double cx, double bottom, double s)>;

void BigTub(cairo_t* cr, double cx, double bottom, double w, double h, Rgb band) {
  double top = bottom - h;
  cairo_new_path(cr);
  cairo_move_to(cr, cx - w / 2, top + 4);
  cairo_line_to(cr, cx - w * 0.42, bottom - 3);
  cairo_curve_to(cr, cx - w * 0.4, bottom, cx + w * 0.4, bottom, cx + w * 0.42, bottom - 3);
  cairo_line_to(cr, cx + w / 2, top + 4);
  cairo_close_path(cr);
  FillStroke(cr, Hex(0xfdfaf2), Palette::kInk, 2);
  cairo_rectangle(cr, cx - w * 0.47, top + h * 0.38, w * 0.94, h * 0.26);
  Fill(cr, band);
  Ellipse(cr, cx, top + h * 0.51, h * 0.16, h * 0.16);
  FillStroke(cr, Hex(0xfff3c8), Palette::kInk, 1.2);
  Scoop(cr, cx, top + h * 0.5, h * 0.1, FlavourColor(1));
  // Lid.
  RoundRect(cr, cx - w / 2 - 3, top - 2, w + 6, 8, 3);
  FillStroke(cr, Lighter(band, 0.3), Palette::kInk, 1.8);
}

void Boxes(cairo_t* cr, double cx, double bottom, double s) {
  double w = 50 * s, h = 34 * s;
  BigTub(cr, cx - w * 0.52, bottom - 1, w, h, Hex(0x3aa0e0));
  BigTub(cr, cx + w * 0.52, bottom - 1, w, h, Hex(0xff6f9c));
  BigTub(cr, cx, bottom - h - 6 * s, w, h, Hex(0x5ac870));
  // An "XL" rosette on the top tub.
  double rx = cx + w * 0.42, ry = bottom - h * 1.55;
  StarPath(cr, rx, ry, 13 * s, 10 * s, 12);
  FillStroke(cr, Palette::kGold, Palette::kInk, 1.4);
  TextStyle t{Face::SansBold, 11 * s, Hex(0xc02040)};
  FitText(cr, t, rx, ry, 16 * s, 10 * s, "XL");
}

void Pot(cairo_t* cr, double cx, double bottom, double w, double h, Rgb c) {
  cairo_new_path(cr);
  cairo_move_to(cr, cx - w / 2, bottom - h);
  cairo_line_to(cr, cx - w * 0.36, bottom);
  cairo_line_to(cr, cx + w * 0.36, bottom);
  cairo_line_to(cr, cx + w / 2, bottom - h);
  cairo_close_path(cr);
  FillVerticalStroke(cr, bottom - h, bottom, Lighter(c, 0.2), Darker(c, 0.15), Palette::kInk, 2);
  RoundRect(cr, cx - w / 2 - 3, bottom - h - 3, w + 6, h * 0.28, 3);
  FillStroke(cr, Lighter(c, 0.1), Palette::kInk, 1.8);
}

void Stem(cairo_t* cr, double x0, double y0, double x1, double y1, double width) {
  cairo_move_to(cr, x0, y0);
  cairo_curve_to(cr, x0, (y0 + y1) / 2, x1, (y0 + y1) / 2, x1, y1);
  cairo_set_line_width(cr, width + 2);
  SetColor(cr, Palette::kInk);
  cairo_stroke_preserve(cr);
  cairo_set_line_width(cr, width);
  SetColor(cr, Hex(0x3a9a3a));
  cairo_stroke(cr);
}

void Leaf(cairo_t* cr, double x, double y, double len, double angle) {
  cairo_save(cr);
  cairo_translate(cr, x, y);
  cairo_rotate(cr, angle);
  cairo_move_to(cr, 0, 0);
  cairo_curve_to(cr, len * 0.3, -len * 0.35, len * 0.8, -len * 0.3, len, 0);
  cairo_curve_to(cr, len * 0.8, len * 0.3, len * 0.3, len * 0.35, 0, 0);
  FillStroke(cr, Hex(0x4cbc4c), Palette::kInk, 1.4);
  cairo_restore(cr);
}

// Flowers as in the game: 1 one flower in a blue pot, 2 a bouquet in a
// pink pot, 3 a grand tropical bouquet in a golden vase.
void FlowerPot(cairo_t* cr, int kind, double cx, double bottom, double s) {
  if (kind == 1) {
    Stem(cr, cx, bottom - 24 * s, cx + 2 * s, bottom - 66 * s, 3 * s);
    Leaf(cr, cx + 1 * s, bottom - 40 * s, 16 * s, -0.6);
    Leaf(cr, cx, bottom - 34 * s, 15 * s, M_PI + 0.5);
    Flower(cr, cx + 2 * s, bottom - 68 * s, 17 * s, Hex(0xff5a7a));
    Pot(cr, cx, bottom, 34 * s, 26 * s, Hex(0x4a90e0));
  } else if (kind == 2) {
    static const double a[] = {-0.55, -0.2, 0.15, 0.5, -0.05};
    static const uint32_t col[] = {0xff6aa0, 0xffd23a, 0xb070ff, 0xff7a3a, 0xffffff};
    for (int i = 0; i < 5; ++i) {
      double fx = cx + std::sin(a[i]) * 40 * s, fy = bottom - 36 * s - std::cos(a[i]) * 44 * s;
      Stem(cr, cx, bottom - 30 * s, fx, fy, 2.5 * s);
    }
    Leaf(cr, cx, bottom - 40 * s, 20 * s, -0.5);
    Leaf(cr, cx, bottom - 38 * s, 20 * s, M_PI + 0.4);
    for (int i = 0; i < 5; ++i) {
      double fx = cx + std::sin(a[i]) * 40 * s, fy = bottom - 36 * s - std::cos(a[i]) * 44 * s;
      Flower(cr, fx, fy, 15 * s, Hex(col[i]));
    }
    Pot(cr, cx, bottom, 42 * s, 32 * s, Hex(0xff8fb8));
  } else {
    // Big hibiscus heads and a bird-of-paradise spike, glittering.
    static const double a[] = {-0.7, -0.35, 0.0, 0.35, 0.7, -0.15, 0.2};
    for (int i = 0; i < 7; ++i) {
      double fx = cx + std::sin(a[i]) * 52 * s, fy = bottom - 44 * s - std::cos(a[i]) * (i > 4 ? 38 : 56) * s;
      Stem(cr, cx, bottom - 36 * s, fx, fy, 3 * s);
    }
    for (double ang : {-0.9, -0.4, 0.4, 0.9}) Leaf(cr, cx, bottom - 44 * s, 30 * s, ang < 0 ? M_PI + ang * 0.6 : -ang * 0.6);
    static const uint32_t col[] = {0xff3a5a, 0xffa0d0, 0xffd23a, 0xff5aa0, 0xff7a2a, 0xffffff, 0xc050ff};
    for (int i = 0; i < 7; ++i) {
      double fx = cx + std::sin(a[i]) * 52 * s, fy = bottom - 44 * s - std::cos(a[i]) * (i > 4 ? 38 : 56) * s;
      Flower(cr, fx, fy, (i > 4 ? 15 : 19) * s, Hex(col[i]));
    }
    // The vase: round and golden.
    double vy = bottom - 22 * s;
    Ellipse(cr, cx, vy, 26 * s, 22 * s);
    FillRadial(cr, cx - 8 * s, vy - 8 * s, 30 * s, Hex(0xfff0a0), Hex(0xd89a10));
    Ellipse(cr, cx, vy, 26 * s, 22 * s);
    cairo_set_line_width(cr, 2);
    SetColor(cr, Palette::kInk);
    cairo_stroke(cr);
    RoundRect(cr, cx - 14 * s, bottom - 46 * s, 28 * s, 8 * s, 3 * s);
    FillStroke(cr, Hex(0xffe060), Palette::kInk, 1.6);
    Twinkle(cr, cx - 10 * s, vy - 6 * s, 7 * s, Palette::kWhite);
    Twinkle(cr, cx + 34 * s, bottom - 100 * s, 6 * s, Hex(0xfff6a0));
    Twinkle(cr, cx - 40 * s, bottom - 80 * s, 5 * s, Hex(0xfff6a0));
  }
}

// Folded table cloths: 1 white with a pink hem, 2 red with a gold hem and
// tassels, tied with a ribbon.
void Cloths(cairo_t* cr, int kind, double cx, double bottom, double s) {
  Rgb cl = kind == 1 ? Hex(0xffffff) : Hex(0xe83a5a);
  Rgb hem = kind == 1 ? Hex(0xff8fb1) : Hex(0xffd23a);
  double w = 74 * s, h = 14 * s;
  for (int i = 0; i < 3; ++i) {
    double y = bottom - (i + 1) * h - 2 * s;
    double x = cx - w / 2 + (i == 1 ? 3 : 0) * s;
    RoundRect(cr, x, y, w, h, 5 * s);
    FillVerticalStroke(cr, y, y + h, Lighter(cl, 0.1), Darker(cl, 0.1), Palette::kInk, 1.8);
    cairo_rectangle(cr, x + 3 * s, y + h - 5 * s, w - 6 * s, 2.5 * s);
    Fill(cr, hem);
    if (kind == 2)
      for (double tx = x + 6 * s; tx < x + w - 4 * s; tx += 7 * s) {
        Ellipse(cr, tx, y + h + 1 * s, 1.6 * s, 2.2 * s);
        Fill(cr, Palette::kGold);
      }
  }
  // The ribbon.
  cairo_rectangle(cr, cx + 10 * s, bottom - 3 * h - 4 * s, 8 * s, 3 * h + 2 * s);
  FillStroke(cr, kind == 1 ? Hex(0x5ac0f0) : Palette::kGold, Palette::kInk, 1.4);
  Ellipse(cr, cx + 8 * s, bottom - 3 * h - 5 * s, 7 * s, 4 * s);
  FillStroke(cr, kind == 1 ? Hex(0x5ac0f0) : Palette::kGold, Palette::kInk, 1.4);
  Ellipse(cr, cx + 20 * s, bottom - 3 * h - 5 * s, 7 * s, 4 * s);
  FillStroke(cr, kind == 1 ? Hex(0x5ac0f0) : Palette::kGold, Palette::kInk, 1.4);
}

// The sunshades furled as in the game: 1 red and white, 2 teal and cream
// with a gold band and fringe.
void Sunshade(cairo_t* cr, int kind, double cx, double bottom, double s) {
  if (kind == 1)
    FurledSunshade(cr, cx, bottom - 186 * s, bottom, 52 * s, Hex(0xff6a6a), Hex(0xffffff), false);
  else
    FurledSunshade(cr, cx, bottom - 186 * s, bottom, 58 * s, Hex(0x2ab0b0), Hex(0xfff0c0), true);
}

// An open carton of cookies: 0 plain, 1 chocolate chip, 2 pretzels.
void CookieBox(cairo_t* cr, int kind, double cx, double bottom, double s) {
  static const uint32_t box[] = {0x5ab0f0, 0xa0603a, 0xff9a3a};
  Rgb c = Hex(box[kind]);
  double w = 60 * s, h = 38 * s, top = bottom - h;
  // Back flap.
  cairo_new_path(cr);
  cairo_move_to(cr, cx - w / 2 + 4 * s, top);
  cairo_line_to(cr, cx - w / 2 + 8 * s, top - 12 * s);
  cairo_line_to(cr, cx + w / 2 - 8 * s, top - 12 * s);
  cairo_line_to(cr, cx + w / 2 - 4 * s, top);
  cairo_close_path(cr);
  FillStroke(cr, Darker(c, 0.2), Palette::kInk, 1.6);
  // Cookies standing in it.
  for (int i = 0; i < 3; ++i) Cookie(cr, cx + (i - 1) * 17 * s, top - 4 * s + (i % 2) * 3 * s, 11 * s, kind);
  RoundRect(cr, cx - w / 2, top, w, h, 4 * s);
  FillVerticalStroke(cr, top, bottom, Lighter(c, 0.15), Darker(c, 0.1), Palette::kInk, 2);
  // A label with a cookie on it.
  Ellipse(cr, cx, top + h * 0.55, 13 * s, 11 * s);
  FillStroke(cr, Hex(0xfff6e0), Palette::kInk, 1.2);
  Cookie(cr, cx, top + h * 0.55, 8 * s, kind);
  // Front flap folded down.
  cairo_new_path(cr);
  cairo_move_to(cr, cx - w / 2 + 2 * s, top);
  cairo_line_to(cr, cx + w / 2 - 2 * s, top);
  cairo_line_to(cr, cx + w / 2 - 6 * s, top + 7 * s);
  cairo_line_to(cr, cx - w / 2 + 6 * s, top + 7 * s);
  cairo_close_path(cr);
  FillStroke(cr, Lighter(c, 0.3), Palette::kInk, 1.4);
}

// A lemonade bottle: 0 blueberry, 1 kiwi, 2 tropical, with a fruit label.
void Bottle(cairo_t* cr, int kind, double cx, double bottom, double s) {
  double w = 34 * s, h = 92 * s;
  LemonadeBottle(cr, cx, bottom, w, h, kind, 1);
  double ly = bottom - h * 0.36;
  Ellipse(cr, cx, ly, w * 0.36, w * 0.36);
  FillStroke(cr, Hex(0xfffbef), Palette::kInk, 1.2);
  if (kind == 0) {
    Blueberries(cr, cx, ly, w * 0.26);
  } else if (kind == 1) {
    Ellipse(cr, cx, ly, w * 0.27, w * 0.27);
    FillStroke(cr, Hex(0x7ac83a), Hex(0x4a7a20), 1.2);
    Ellipse(cr, cx, ly, w * 0.08, w * 0.08);
    Fill(cr, Hex(0xf6f0c0));
    for (int i = 0; i < 8; ++i) {
      double a = i * M_PI / 4;
      Ellipse(cr, cx + std::cos(a) * w * 0.16, ly + std::sin(a) * w * 0.16, 1 * s, 1 * s);
      Fill(cr, Palette::kInk);
    }
  } else {
    Pineapple(cr, cx, ly + 1, w * 0.25);
  }
}

// A mug holding three decorations: 0 straws, 1 cocktail sticks, 2
// sparklers, 3 umbrellas; mugs coloured as in the game.
void DecorationMug(cairo_t* cr, int kind, double cx, double bottom, double s) {
  static const uint32_t mug[] = {0xff6f9c, 0xff9a3a, 0x7a6ae8, 0x3ac0a0};
  static const uint32_t umbrellas[] = {0xff5f9a, 0xffd23a, 0x3ab0ff};
  double mw = 46 * s, mh = 42 * s, top = bottom - mh;
  for (int i = 0; i < 3; ++i) {
    double lean = (i - 1) * 0.32;
    cairo_save(cr);
    cairo_translate(cr, cx - 4 * s + (i - 1) * 9 * s, top + 8 * s);
    cairo_rotate(cr, lean);
    cairo_scale(cr, s, s);
    if (kind == 0) DrinkingStraw(cr, 0, 0, 44, 0);
    else if (kind == 1) CocktailStickFruit(cr, -2, 0, 40);
    else if (kind == 2) Sparkler(cr, 0, 0, 44, false);
    else CocktailUmbrella(cr, 2, 0, 40, Hex(umbrellas[i]));
    cairo_restore(cr);
  }
  Mug(cr, cx - 4 * s, bottom, mw, mh, Hex(mug[kind]));
}

// A showroom ice-cream machine as in the game: level 2 blue with one dome
// and two stars, level 3 yellow with two domes and three stars, tied with a
// ribbon and a price tag.
void ShowMachine(cairo_t* cr, int level, double cx, double bottom, double s) {
  bool three = level == 3;
  Rgb body = three ? Hex(0xffe68a) : Hex(0xa8e0f8);
  Rgb stripe = three ? Hex(0xffb830) : Hex(0x58b8e8);
  double w = (three ? 112 : 104) * s, h = (three ? 96 : 88) * s;
  double x = cx - w / 2, y = bottom - h - 4 * s;
  // Feet and shadow.
  Ellipse(cr, cx, bottom - 3 * s, w * 0.52, 5 * s);
  Fill(cr, {0, 0, 0, 0.25});
  // Glass domes.
  int domes = three ? 2 : 1;
  for (int i = 0; i < domes; ++i) {
    double dx = domes == 1 ? cx : cx + (i ? 1 : -1) * w * 0.22;
    double r = (three ? 24 : 28) * s;
    cairo_new_path(cr);
    cairo_arc(cr, dx, y + 4 * s, r, M_PI, 2 * M_PI);
    cairo_close_path(cr);
    FillVertical(cr, y - r, y + 4 * s, Hex(0xf0fbff), Hex(0xc8e8f8));
    cairo_new_path(cr);
    cairo_arc(cr, dx, y + 4 * s, r, M_PI, 2 * M_PI);
    cairo_set_line_width(cr, 2);
    SetColor(cr, Palette::kInk);
    cairo_stroke(cr);
    Ellipse(cr, dx - r * 0.4, y - r * 0.4, r * 0.22, r * 0.14);
    Fill(cr, {1, 1, 1, 0.8});
  }
  Ellipse(cr, (domes == 1 ? cx + 8 * s : cx - w * 0.36), y - (three ? 18 : 24) * s, 6 * s, 6 * s);
  FillStroke(cr, Hex(0xf8c8c8), Palette::kInk, 1.6);
  // Casing.
  RoundRect(cr, x, y, w, h, 14 * s);
  FillVertical(cr, y, y + h, Lighter(body, 0.3), body);
  cairo_save(cr);
  RoundRect(cr, x, y, w, h, 14 * s);
  cairo_clip(cr);
  for (int i = 0; i < 3; ++i) {
    cairo_rectangle(cr, x, y + h * (0.74 + i * 0.08), w, h * 0.035);
    Fill(cr, stripe);
  }
  cairo_restore(cr);
  Gloss(cr, x, y, w, h, 14 * s, 0.3);
  RoundRect(cr, x, y, w, h, 14 * s);
  cairo_set_line_width(cr, 2.2);
  SetColor(cr, Palette::kInk);
  cairo_stroke(cr);
  // Window with its nozzle, the star plate and the level stars.
  RoundRect(cr, x + w * 0.08, y + h * 0.22, w * 0.46, h * 0.42, 8 * s);
  FillVerticalStroke(cr, y + h * 0.22, y + h * 0.64, Hex(0x4a3a68), Hex(0x6a5a88), Palette::kInk, 1.8);
  cairo_new_path(cr);
  cairo_move_to(cr, x + w * 0.26, y + h * 0.22);
  cairo_line_to(cr, x + w * 0.36, y + h * 0.22);
  cairo_line_to(cr, x + w * 0.34, y + h * 0.32);
  cairo_line_to(cr, x + w * 0.28, y + h * 0.32);
  cairo_close_path(cr);
  FillStroke(cr, Hex(0xd8d8e0), Palette::kInk, 1.2);
  RoundRect(cr, x + w * 0.62, y + h * 0.1, w * 0.32, h * 0.15, 5 * s);
  FillStroke(cr, Hex(0xfff4d8), Palette::kInk, 1.4);
  GoldStar(cr, x + w * 0.78, y + h * 0.175, 6 * s);
  for (int i = 0; i < level; ++i) GoldStar(cr, x + w * (0.88 - 0.1 * i), y + h * 0.88, 5.5 * s);
  // A bow on the casing.
  Rgb bow = three ? Hex(0xe83a5a) : Hex(0xff6fa8);
  cairo_rectangle(cr, x + w * 0.7, y, 7 * s, h);
  FillStroke(cr, bow, Palette::kInk, 1.2);
  for (int side : {-1, 1}) {
    cairo_new_path(cr);
    cairo_move_to(cr, x + w * 0.7 + 3.5 * s, y + 4 * s);
    cairo_line_to(cr, x + w * 0.7 + 3.5 * s + side * 14 * s, y - 6 * s);
    cairo_line_to(cr, x + w * 0.7 + 3.5 * s + side * 14 * s, y + 10 * s);
    cairo_close_path(cr);
    FillStroke(cr, bow, Palette::kInk, 1.2);
  }
  Ellipse(cr, x + w * 0.7 + 3.5 * s, y + 3 * s, 4 * s, 4 * s);
  FillStroke(cr, Lighter(bow, 0.2), Palette::kInk, 1.2);
}

// A button picture: cel 2k normal, 2k+1 the same drawing lit up.
void ButtonCel(Cel& c, const std::function<void(cairo_t*)>& draw, double halo = 4) {
  DrawState(c.cr, c.index % 2 ? Look3::Over : Look3::Normal, draw, halo);
}

void PaintBoxes(Cel& c) {
  ButtonCel(c, [&](cairo_t* cr) { Boxes(cr, c.w / 2, c.h - 4, 1.0); });
}
PAINTER("IMAGE_STORE_BOXES", PaintBoxes);

void PaintFlower(Cel& c) {
  int kind = c.decl.id.back() - '0';
  ButtonCel(c, [&](cairo_t* cr) { FlowerPot(cr, kind, c.w / 2, c.h - 4, kind == 1 ? 0.9 : kind == 2 ? 0.95 : 1.0); });
}
PAINTER("IMAGE_STORE_FLOWER_*", PaintFlower);

void PaintCloths(Cel& c) {
  if (c.index < 2) return;  // cels 0 and 1 are never drawn
  ButtonCel(c, [&](cairo_t* cr) { Cloths(cr, c.index < 4 ? 1 : 2, c.w / 2, c.h - 6, 1.0); });
}
PAINTER("IMAGE_STORE_CLOTHS", PaintCloths);

void PaintSunshade(Cel& c) {
  int kind = c.decl.id.back() - '0';
  ButtonCel(c, [&](cairo_t* cr) { Sunshade(cr, kind, c.w / 2, c.h - 2, 1.0); }, 3);
}
PAINTER("IMAGE_STORE_SUNSHADE_*", PaintSunshade);

void PaintCookies(Cel& c) {
  ButtonCel(c, [&](cairo_t* cr) { CookieBox(cr, c.index / 2, c.w / 2, c.h - 5, 1.0); });
}
PAINTER("IMAGE_STORE_COOKIES", PaintCookies);

void PaintBottle(Cel& c) {
  int kind = c.decl.id.back() - '1';
  ButtonCel(c, [&](cairo_t* cr) { Bottle(cr, kind, c.w / 2, c.h - 4, 1.0); }, 3);
}
PAINTER("IMAGE_STORE_BOTTLE_*", PaintBottle);

// The mask grows by 8 pixels: the picture keeps 8 pixels clear all round.
void PaintCups(Cel& c) {
  ButtonCel(c, [&](cairo_t* cr) { DecorationMug(cr, c.index / 2, c.w / 2, c.h - 9, 1.0); }, 3);
}
PAINTER("IMAGE_STORE_CUPS", PaintCups);

void PaintMachine(Cel& c) {
  int level = c.decl.id == "IMAGE_STORE_ICM_1" ? 2 : 3;
  ButtonCel(c, [&](cairo_t* cr) { ShowMachine(cr, level, c.w / 2, c.h - 4, level == 2 ? 1.05 : 1.1); });
}
PAINTER("IMAGE_STORE_ICM_*", PaintMachine);

// ---------------------------------------------------------------- stock panel

void PaintStock(Cel& c) {
  cairo_t* cr = c.cr;
  const double iconW = 44;
  StockPlate(cr, c.w, c.h, iconW);
  double cx = 6 + iconW / 2, bottom = c.h - 9;
  cairo_save(cr);
  RoundRect(cr, 6, 6, iconW, c.h - 13, 7);
  cairo_clip(cr);
  switch (c.index) {
    case 0: Boxes(cr, cx, bottom, 0.34); break;
    case 1: DecorationMug(cr, 3, cx + 2, bottom, 0.42); break;
    case 2: DecorationMug(cr, 0, cx + 2, bottom, 0.42); break;
    case 3: DecorationMug(cr, 2, cx + 2, bottom, 0.42); break;
    case 4: DecorationMug(cr, 1, cx + 2, bottom, 0.42); break;
    case 5: Bottle(cr, 0, cx, bottom, 0.36); break;
    case 6: FlowerPot(cr, 1, cx, bottom, 0.42); break;
    case 7: FlowerPot(cr, 3, cx, bottom + 1, 0.3); break;
    case 8: FlowerPot(cr, 2, cx, bottom, 0.38); break;
    case 9: Cloths(cr, 2, cx - 2, bottom - 4, 0.5); break;
    case 10:
    case 18:  // lying across the icon
      cairo_translate(cr, 13, c.h - 10);
      cairo_rotate(cr, 0.9);
      Sunshade(cr, c.index == 10 ? 1 : 2, 0, 0, 0.25);
      break;
    case 11: CookieBox(cr, 2, cx, bottom - 3, 0.55); break;
    case 12: CookieBox(cr, 1, cx, bottom - 3, 0.55); break;
    case 13: CookieBox(cr, 0, cx, bottom - 3, 0.55); break;
    case 14: Bottle(cr, 2, cx, bottom, 0.36); break;
    case 15: Bottle(cr, 1, cx, bottom, 0.36); break;
    case 17: Cloths(cr, 1, cx - 2, bottom - 4, 0.5); break;
    case 19: ShowMachine(cr, 2, cx, bottom + 2, 0.34); break;
    case 20: ShowMachine(cr, 3, cx, bottom + 3, 0.32); break;
    default: break;
  }
  cairo_restore(cr);
}
PAINTER("IMAGE_STORE_STOCK", PaintStock);

// ---------------------------------------------------------------- exit

void PaintExit(Cel& c) {
  bool over = c.decl.id == "IMAGE_STORE_EXIT_OVER";
  DrawState(c.cr, over ? Look3::Over : Look3::Normal, [&](cairo_t* cr) {
    ArrowSign(cr, 4, 6, c.w - 10, c.h - 8, "Exit", Hex(0x4cb84c), over);
  }, 4);
}
PAINTER("IMAGE_STORE_EXIT", PaintExit);
PAINTER("IMAGE_STORE_EXIT_OVER", PaintExit);

// ---------------------------------------------------------------- shopkeeper

const Look& Keeper() {
  static const Look look = [] {
    Look l = Cast::SalesPerson();
    l.height = 205;
    return l;
  }();
  return look;
}

void PaintSalesPerson(Cel& c) {
  cairo_t* cr = c.cr;
  const Look& look = Keeper();
  Pose p;
  p.view = View::Front;
  p.foot = {60, 250};
  const double counter = kCounterTop - kKeeperY;  // the counter's back edge in the cel
  Vec sh0 = ShoulderPoint(look, p, 0), sh1 = ShoulderPoint(look, p, 1);
  Vec rest0{sh0.x + 14, counter - 2}, rest1{sh1.x - 14, counter - 2};
  auto hands = [&](Vec a, Vec b) {
    p.hands[0] = a;
    p.hands[1] = b;
    p.handSet[0] = p.handSet[1] = true;
  };
  hands(rest0, rest1);
  bool parcel = false;
  switch (c.index) {
    case 0:
      break;
    case 1:  // showing the goods on his right
      hands(rest0, sh1 + Vec{34, 18});
      p.face.mouth = Mouth::Open;
      p.face.lookX = 0.6;
      p.headTilt = 0.05;
      break;
    case 2:
      hands(rest0, sh1 + Vec{40, -14});
      p.face.mouth = Mouth::Grin;
      p.face.brows = 0.6;
      p.face.lookX = 0.8;
      p.headTilt = 0.08;
      break;
    case 3:  // handing the good over
      hands(sh0 + Vec{-30, 22}, rest1);
      p.face.mouth = Mouth::Grin;
      p.face.lookX = -0.8;
      p.lean = -0.05;
      parcel = true;
      break;
    case 4:  // beaming, arms up
      hands(sh0 + Vec{-22, -48}, sh1 + Vec{22, -48});
      p.face.eyes = Eyes::Happy;
      p.face.mouth = Mouth::Wide;
      p.bob = 3;
      break;
    case 5:  // rubbing his hands
      hands(Vec{(sh0.x + sh1.x) / 2 - 5, sh0.y + 40}, Vec{(sh0.x + sh1.x) / 2 + 5, sh0.y + 38});
      p.face.eyes = Eyes::Happy;
      p.face.mouth = Mouth::Smile;
      break;
    case 6:
      hands(rest0, sh1 + Vec{12, 34});
      p.face.mouth = Mouth::Open;
      p.face.lookX = -0.5;
      break;
    default:
      hands(sh0 + Vec{-12, 34}, rest1);
      p.face.mouth = Mouth::Oh;
      p.face.lookX = -0.5;
      p.face.brows = 0.4;
      break;
  }
  cairo_save(cr);
  cairo_rectangle(cr, 0, 0, c.w, counter);
  cairo_clip(cr);
  DrawPerson(cr, look, p);
  if (parcel) {
    Vec h = p.hands[0];
    RoundRect(cr, h.x - 14, h.y - 20, 26, 20, 3);
    FillStroke(cr, Hex(0xffd86a), Palette::kInk, 1.6);
    cairo_rectangle(cr, h.x - 3, h.y - 20, 5, 20);
    Fill(cr, Hex(0xe83a5a));
    Ellipse(cr, h.x - 1, h.y - 22, 6, 3.5);
    FillStroke(cr, Hex(0xe83a5a), Palette::kInk, 1.2);
  }
  cairo_restore(cr);
}
PAINTER("IMAGE_STORE_SALESPERSON", PaintSalesPerson);

// ---------------------------------------------------------------- the room

void BambooWall(cairo_t* cr, double y0, double y1) {
  Rand rnd(11);
  for (double x = -6; x < 800; x += 22) {
    Rgb c = Mix(kBamboo, Darker(kBamboo, 0.15), rnd.Uniform(0, 1));
    cairo_rectangle(cr, x, y0, 21, y1 - y0);
    cairo_pattern_t* p = cairo_pattern_create_linear(x, 0, x + 21, 0);
    cairo_pattern_add_color_stop_rgb(p, 0, Darker(c, 0.2).r, Darker(c, 0.2).g, Darker(c, 0.2).b);
    cairo_pattern_add_color_stop_rgb(p, 0.35, Lighter(c, 0.25).r, Lighter(c, 0.25).g, Lighter(c, 0.25).b);
    cairo_pattern_add_color_stop_rgb(p, 1, Darker(c, 0.25).r, Darker(c, 0.25).g, Darker(c, 0.25).b);
    cairo_set_source(cr, p);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
    for (double ny = y0 + rnd.Uniform(30, 90); ny < y1; ny += rnd.Uniform(80, 120)) {
      cairo_rectangle(cr, x + 1, ny, 19, 3);
      Fill(cr, Darker(c, 0.3));
    }
  }
}

void Window(cairo_t* cr, double x, double y, double w, double h) {
  RoundRect(cr, x - 10, y - 10, w + 20, h + 20, 12);
  FillStroke(cr, kShelf, Palette::kInk, 3);
  cairo_rectangle(cr, x, y, w, h);
  FillVertical(cr, y, y + h, Hex(0x5ac8f8), Hex(0xc8f0ff));
  cairo_save(cr);
  cairo_rectangle(cr, x, y, w, h);
  cairo_clip(cr);
  SunDisc(cr, x + w * 0.78, y + h * 0.24, 20);
  CloudPuff(cr, x + w * 0.3, y + h * 0.2, 0.55);
  // Sea, a far island and the beach.
  cairo_rectangle(cr, x, y + h * 0.55, w, h * 0.45);
  FillVertical(cr, y + h * 0.55, y + h, Hex(0x2aa8d8), Hex(0x60d8e8));
  cairo_move_to(cr, x + w * 0.5, y + h * 0.56);
  cairo_curve_to(cr, x + w * 0.58, y + h * 0.42, x + w * 0.7, y + h * 0.42, x + w * 0.8, y + h * 0.56);
  Fill(cr, Hex(0x4aa860));
  cairo_move_to(cr, x, y + h * 0.85);
  cairo_curve_to(cr, x + w * 0.4, y + h * 0.78, x + w * 0.7, y + h * 0.88, x + w, y + h * 0.8);
  cairo_line_to(cr, x + w, y + h);
  cairo_line_to(cr, x, y + h);
  Fill(cr, Palette::kSand);
  PalmTree(cr, x + w * 0.12, y + h * 0.95, h * 0.8, 0.25);
  cairo_restore(cr);
  // Cross bars and the shutters folded back.
  cairo_set_line_width(cr, 6);
  SetColor(cr, kShelf);
  cairo_move_to(cr, x + w / 2, y);
  cairo_line_to(cr, x + w / 2, y + h);
  cairo_stroke(cr);
  cairo_rectangle(cr, x, y, w, h);
  cairo_set_line_width(cr, 3);
  SetColor(cr, Palette::kInk);
  cairo_stroke(cr);
  for (int side : {-1, 1}) {
    double sx = side < 0 ? x - 44 : x + w + 10;
    cairo_rectangle(cr, sx, y - 6, 34, h + 12);
    FillVertical(cr, y, y + h, Hex(0x3ab0a0), Hex(0x2a8a80));
    cairo_set_line_width(cr, 1.5);
    SetColor(cr, WithAlpha(Palette::kInk, 0.5));
    for (double ly = y + 6; ly < y + h; ly += 11) {
      cairo_move_to(cr, sx + 4, ly);
      cairo_line_to(cr, sx + 30, ly + 4);
    }
    cairo_stroke(cr);
    cairo_rectangle(cr, sx, y - 6, 34, h + 12);
    cairo_set_line_width(cr, 2.5);
    SetColor(cr, Palette::kInk);
    cairo_stroke(cr);
  }
}

void WallShelf(cairo_t* cr, double x0, double x1, double top) {
  for (double bx : {x0 + 24, x1 - 34}) {
    cairo_new_path(cr);
    cairo_move_to(cr, bx, top + 18);
    cairo_line_to(cr, bx + 10, top + 18);
    cairo_line_to(cr, bx + 10, top + 60);
    cairo_line_to(cr, bx, top + 60);
    cairo_close_path(cr);
    FillStroke(cr, Darker(kShelf, 0.2), Palette::kInk, 2);
    cairo_move_to(cr, bx + 10, top + 20);
    cairo_line_to(cr, bx + 10, top + 50);
    cairo_line_to(cr, bx + 3, top + 20);
    cairo_close_path(cr);
    Fill(cr, Darker(kShelf, 0.35));
  }
  cairo_rectangle(cr, x0, top, x1 - x0, 12);
  FillStroke(cr, Lighter(kShelf, 0.3), Palette::kInk, 2);
  cairo_rectangle(cr, x0, top + 12, x1 - x0, 8);
  FillStroke(cr, Darker(kShelf, 0.1), Palette::kInk, 2);
}

void PaintStore(Cel& c) {
  cairo_t* cr = c.cr;
  const double floorY = 336;
  BambooWall(cr, 0, floorY);
  // Floor planks receding.
  RecedingFloor(cr, floorY, Hex(0xd09858), Hex(0xa86a34), WithAlpha(Hex(0x6a3a18), 0.45), 64, 0.5);
  for (double y : {360.0, 392.0, 434.0, 490.0, 560.0}) {
    cairo_move_to(cr, 0, y);
    cairo_line_to(cr, 800, y);
  }
  cairo_set_line_width(cr, 1);
  cairo_stroke(cr);
  cairo_rectangle(cr, 0, floorY - 8, 800, 10);
  FillStroke(cr, Darker(kShelf, 0.15), Palette::kInk, 2);
  // Sunlight from the door at the lower left.
  cairo_move_to(cr, 0, 420);
  cairo_line_to(cr, 120, 470);
  cairo_line_to(cr, 260, 600);
  cairo_line_to(cr, 0, 600);
  cairo_close_path(cr);
  Fill(cr, {1, 0.97, 0.75, 0.28});

  // The thatch along the top.
  cairo_rectangle(cr, 0, 0, 800, 26);
  FillVertical(cr, 0, 26, Darker(kThatch, 0.2), kThatch);
  Rand rnd(5);
  for (double x = -10; x < 810; x += 9) {
    double len = rnd.Uniform(22, 40);
    cairo_move_to(cr, x, 10);
    cairo_line_to(cr, x + rnd.Uniform(-4, 4), 20 + len);
    cairo_line_to(cr, x + 10, 10);
    cairo_close_path(cr);
    Fill(cr, Mix(kThatch, Hex(0xf0c870), rnd.Uniform(0, 1)));
  }
  cairo_set_line_width(cr, 1);
  SetColor(cr, WithAlpha(Hex(0x7a5a20), 0.6));
  for (double x = -10; x < 810; x += 9) {
    cairo_move_to(cr, x + 5, 14);
    cairo_line_to(cr, x + 5 + rnd.Uniform(-3, 3), 36 + rnd.Uniform(0, 16));
  }
  cairo_stroke(cr);

  // The window behind the counter and the shop's sign over it.
  Window(cr, 336, 96, 170, 150);
  Title(cr, "Island Store", 421, 62, 220, 40, Hex(0xff7aa8));

  // The cash plaque (amount centred on 176, 72) and the stock spot is
  // plain wall at the upper right.
  CashPlaque(cr, 180, 66, 132, 34, 26);

  // Left: the machine shelf and the crates for the decoration mugs.
  WallShelf(cr, 96, 318, 282);
  SoftOval(cr, 210, 262, 90, 26, {1, 1, 0.85, 0.25});
  // A little price star on the shelf.
  StarPath(cr, 300, 268, 14, 9, 10);
  FillStroke(cr, Hex(0xff5a5a), Palette::kInk, 1.5);
  TextStyle tag{Face::SansBold, 10, Palette::kWhite};
  FitText(cr, tag, 300, 268, 14, 10, "NEW");

  // Right: the back cabinet with the boxes and flowers on top.
  cairo_rectangle(cr, 512, 348, 290, 10);
  FillStroke(cr, Lighter(kShelf, 0.3), Palette::kInk, 2);
  cairo_rectangle(cr, 512, 358, 290, 70);
  FillVerticalStroke(cr, 358, 428, kShelf, Darker(kShelf, 0.25), Palette::kInk, 2);
  for (double dx : {560.0, 660.0, 760.0}) {
    RoundRect(cr, dx - 40, 366, 80, 52, 5);
    FillStroke(cr, Darker(kShelf, 0.1), WithAlpha(Palette::kInk, 0.6), 1.5);
    Ellipse(cr, dx, 392, 3, 3);
    Fill(cr, Palette::kGold);
  }
  // The cloth table right of the counter.
  for (double lx : {598.0, 676.0}) {
    cairo_rectangle(cr, lx, 418, 8, 64);
    FillStroke(cr, Darker(kShelf, 0.2), Palette::kInk, 1.8);
  }
  cairo_rectangle(cr, 586, 404, 104, 14);
  FillStroke(cr, Lighter(kShelf, 0.35), Palette::kInk, 2);
  cairo_rectangle(cr, 586, 418, 104, 8);
  FillStroke(cr, kShelf, Palette::kInk, 2);

  // The counter: bamboo front, striped valance, an ice-cream sign.
  SoftOval(cr, (kCounterX0 + kCounterX1) / 2, kCounterFoot + 2, 120, 10, {0, 0, 0, 0.3});
  cairo_rectangle(cr, kCounterX0 + 6, kCounterFront, kCounterX1 - kCounterX0 - 12, kCounterFoot - kCounterFront);
  FillVertical(cr, kCounterFront, kCounterFoot, Hex(0xe0b860), Hex(0xb88838));
  cairo_save(cr);
  cairo_rectangle(cr, kCounterX0 + 6, kCounterFront, kCounterX1 - kCounterX0 - 12, kCounterFoot - kCounterFront);
  cairo_clip(cr);
  cairo_set_line_width(cr, 1.5);
  SetColor(cr, WithAlpha(Hex(0x7a5a20), 0.7));
  for (double x = kCounterX0 + 18; x < kCounterX1; x += 16) {
    cairo_move_to(cr, x, kCounterFront);
    cairo_line_to(cr, x, kCounterFoot);
  }
  cairo_stroke(cr);
  cairo_restore(cr);
  cairo_rectangle(cr, kCounterX0 + 6, kCounterFront, kCounterX1 - kCounterX0 - 12, kCounterFoot - kCounterFront);
  cairo_set_line_width(cr, 2.5);
  SetColor(cr, Palette::kInk);
  cairo_stroke(cr);
  cairo_rectangle(cr, kCounterX0, kCounterTop, kCounterX1 - kCounterX0, kCounterFront - kCounterTop);
  FillVerticalStroke(cr, kCounterTop, kCounterFront, Hex(0xd89050), Hex(0xb06a30), Palette::kInk, 2.5);
  int n = 10;
  double sw = (kCounterX1 - kCounterX0) / n;
  for (int i = 0; i < n; ++i) {
    double x = kCounterX0 + i * sw;
    cairo_new_path(cr);
    cairo_move_to(cr, x, kCounterFront);
    cairo_line_to(cr, x + sw, kCounterFront);
    cairo_line_to(cr, x + sw, kCounterFront + 12);
    cairo_curve_to(cr, x + sw, kCounterFront + 24, x, kCounterFront + 24, x, kCounterFront + 12);
    cairo_close_path(cr);
    FillStroke(cr, i % 2 ? Hex(0xffffff) : Hex(0xff6f9c), Palette::kInk, 1.5);
  }
  // The cone sign on the front.
  Ellipse(cr, 440, 462, 24, 24);
  FillStroke(cr, Hex(0xfff4d8), Palette::kInk, 2);
  WaffleCone(cr, 440, 462, 16, 20);
  IceScoop(cr, 440, 465, 22, 18, 1);

  // The lemonade crate in front of the counter's right end.
  Crate(cr, 456, 494, 156, 30, 560, Hex(0xc8904a));
  TextStyle word{Face::ComicBold, 17, Hex(0xfff6c0), Palette::kInk, 2.5};
  FitText(cr, word, 534, 544, 130, 22, "Lemonade");

  // The low cookie table.
  for (double lx : {216.0, 436.0}) {
    cairo_rectangle(cr, lx, 560, 9, 30);
    FillStroke(cr, Darker(kShelf, 0.25), Palette::kInk, 1.8);
  }
  cairo_rectangle(cr, 206, 510, 240, 46);
  FillVerticalStroke(cr, 510, 556, Lighter(kShelf, 0.4), Lighter(kShelf, 0.2), Palette::kInk, 2);
  cairo_rectangle(cr, 206, 556, 240, 10);
  FillStroke(cr, kShelf, Palette::kInk, 2);

  // The crates and the barrel for the decoration mugs, back to front.
  Crate(cr, 60, 362, 96, 14, 470, Hex(0xb07a3e));
  Crate(cr, 160, 384, 96, 14, 490, Hex(0xc08848));
  Crate(cr, 10, 400, 96, 16, 520, Hex(0xc8904a));
  // A barrel.
  double bx = 152, btop = 424;
  cairo_new_path(cr);
  cairo_move_to(cr, bx - 40, btop + 6);
  cairo_curve_to(cr, bx - 50, btop + 50, bx - 44, btop + 90, bx - 38, btop + 104);
  cairo_line_to(cr, bx + 38, btop + 104);
  cairo_curve_to(cr, bx + 44, btop + 90, bx + 50, btop + 50, bx + 40, btop + 6);
  cairo_close_path(cr);
  FillStroke(cr, Hex(0xb8783a), Palette::kInk, 2.5);
  for (double hy : {btop + 30, btop + 80}) {
    cairo_rectangle(cr, bx - 47, hy, 94, 7);
    FillStroke(cr, Hex(0x8a8a96), Palette::kInk, 1.5);
  }
  Ellipse(cr, bx, btop + 6, 40, 9);
  FillStroke(cr, Hex(0xd8a060), Palette::kInk, 2.5);

  // A doormat under the exit.
  cairo_new_path(cr);
  cairo_move_to(cr, 10, 566);
  cairo_line_to(cr, 150, 566);
  cairo_line_to(cr, 170, 598);
  cairo_line_to(cr, 0, 598);
  cairo_close_path(cr);
  FillStroke(cr, Hex(0x3ab0a0), Palette::kInk, 2);
}
PAINTER("IMAGE_STORE", PaintStore);

}  // namespace

}  // namespace Plix::DataBuild
