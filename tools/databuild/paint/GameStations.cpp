// The stations of the Game group: the ice-cream tubs on the bench, topping
// jars, decoration mugs, fruit for the monkeys, the machine ingredients,
// Pemi's trash can, the juggling balls and barrel organs, table flowers,
// the counter's hatch and serving tray, what the monkeys carry, shadows,
// and the uncle with his award trophies.

#include <algorithm>
#include <cmath>
#include <string>

#include "tools/databuild/Figure.h"
#include "tools/databuild/Food.h"
#include "tools/databuild/Painters.h"
#include "tools/databuild/Props.h"

namespace Plix::DataBuild {

namespace {

Look3 HoverRow(int row) { return row == 1 ? Look3::Over : Look3::Normal; }
Look3 HoverCol(int col) { return col == 1 ? Look3::Over : Look3::Normal; }

// ---------------------------------------------------------------- tubs

int TubFlavour(const std::string& id) {
  static const char* names[] = {"VANILLA", "STRAWBERRY", "CHOCOLATE", "PEAR", "BLUEBERRY", "PINEAPPLE"};
  for (int i = 0; i < 6; ++i)
    if (id == std::string("IMAGE_ICECREAM_") + names[i]) return i;
  return -1;
}

// Column 0 full .. column 4 the last fifth.
void PaintTub(Cel& c) { BenchTub(c.cr, 0, 0, c.w, c.h, TubFlavour(c.decl.id), 1.0 - c.index * 0.2); }
PAINTER("IMAGE_ICECREAM_VANILLA", PaintTub);
PAINTER("IMAGE_ICECREAM_STRAWBERRY", PaintTub);
PAINTER("IMAGE_ICECREAM_CHOCOLATE", PaintTub);
PAINTER("IMAGE_ICECREAM_PEAR", PaintTub);
PAINTER("IMAGE_ICECREAM_BLUEBERRY", PaintTub);
PAINTER("IMAGE_ICECREAM_PINEAPPLE", PaintTub);

void PaintEmptyTub(Cel& c) { BenchTub(c.cr, 0, 0, c.w, c.h, -1, 0); }
PAINTER("IMAGE_ICECREAM_BOX", PaintEmptyTub);

// A glowing ring three pixels round a picture of size (w - 6, h - 6).
void Halo(Cel& c, const std::function<void(cairo_t*)>& draw) {
  cairo_t* cr = c.cr;
  cairo_push_group(cr);
  SilhouetteGlow(cr, draw, 3, 3, 3, {1, 0.95, 0.45, 0.95});
  cairo_pattern_t* glow = cairo_pop_group(cr);
  cairo_set_source(cr, glow);
  cairo_paint(cr);
  cairo_pattern_destroy(glow);
  // Cut the middle out so that nothing shows where the picture is not.
  cairo_push_group(cr);
  cairo_translate(cr, 3, 3);
  draw(cr);
  cairo_pattern_t* shape = cairo_pop_group(cr);
  cairo_save(cr);
  cairo_set_operator(cr, CAIRO_OPERATOR_DEST_OUT);
  SetColor(cr, {0, 0, 0, 0.8});
  cairo_mask(cr, shape);
  cairo_restore(cr);
  cairo_pattern_destroy(shape);
}

void PaintTubOver(Cel& c) {
  Halo(c, [&](cairo_t* cr) { BenchTub(cr, 0, 0, c.w - 6, c.h - 6, -1, 0); });
}
PAINTER("IMAGE_ICECREAM_BOX_OVER", PaintTubOver);

// ---------------------------------------------------------------- toppings

void SauceBottle(cairo_t* cr, double cx, double bottom, double w, double h) {
  double top = bottom - h;
  RoundRect(cr, cx - w / 2, top + h * 0.25, w, h * 0.75, w * 0.3);
  FillVerticalStroke(cr, top, bottom, Hex(0x8a4a24), Hex(0x5a2a10), Palette::kInk, 1.6);
  RoundRect(cr, cx - w * 0.4, top + h * 0.48, w * 0.8, h * 0.28, 2);
  FillStroke(cr, Hex(0xfff2d8), Hex(0x7a4a22), 1);
  Ellipse(cr, cx, top + h * 0.62, w * 0.18, h * 0.07);
  Fill(cr, Hex(0x5a2a10));
  cairo_rectangle(cr, cx - w * 0.32, top + h * 0.3, w * 0.1, h * 0.6);
  Fill(cr, {1, 1, 1, 0.3});
  // The squeeze cap.
  cairo_move_to(cr, cx - w * 0.32, top + h * 0.26);
  cairo_line_to(cr, cx + w * 0.32, top + h * 0.26);
  cairo_line_to(cr, cx + w * 0.08, top + h * 0.04);
  cairo_line_to(cr, cx - w * 0.08, top + h * 0.04);
  cairo_close_path(cr);
  FillStroke(cr, Hex(0xff5f9a), Palette::kInk, 1.4);
  Ellipse(cr, cx, top + h * 0.03, w * 0.06, w * 0.05);
  Fill(cr, Hex(0x5a2a10));
}

void PaintCherryJar(Cel& c) {
  DrawState(c.cr, HoverCol(c.col), [&](cairo_t* cr) {
    GlassJar(cr, c.w / 2, c.h - 3, c.w - 8, c.h - 6, Hex(0xe83040), Hex(0xff9ab0, 0.7), 0);
  }, 3);
}
PAINTER("IMAGE_CHERRY_JAR", PaintCherryJar);

void PaintCherryJarSmall(Cel& c) {
  GlassJar(c.cr, c.w / 2, c.h - 0.5, c.w - 2, c.h - 1, Hex(0xe83040), Hex(0xff9ab0, 0.7), 0);
}
PAINTER("IMAGE_CHERRY_JAR_SMALL", PaintCherryJarSmall);

void PaintSprinklesJar(Cel& c) {
  DrawState(c.cr, HoverCol(c.col), [&](cairo_t* cr) {
    GlassJar(cr, c.w / 2, c.h - 3, c.w - 8, c.h - 6, Hex(0x3ab0ff), Hex(0xfff6e8, 0.6), 1);
  }, 3);
}
PAINTER("IMAGE_SPRINKLES_JAR", PaintSprinklesJar);

void PaintSprinklesJarSmall(Cel& c) {
  GlassJar(c.cr, c.w / 2, c.h - 0.5, c.w - 2, c.h - 1, Hex(0x3ab0ff), Hex(0xfff6e8, 0.6), 1);
}
PAINTER("IMAGE_SPRINKLES_JAR_SMALL", PaintSprinklesJarSmall);

void PaintSauceTube(Cel& c) {
  DrawState(c.cr, HoverCol(c.col), [&](cairo_t* cr) { SauceBottle(cr, c.w / 2, c.h - 3, c.w - 12, c.h - 5); }, 3);
}
PAINTER("IMAGE_CHOCOLATE_SAUCE_TUBE", PaintSauceTube);

void PaintSauceTubeSmall(Cel& c) { SauceBottle(c.cr, c.w / 2, c.h - 0.5, c.w - 3, c.h - 1); }
PAINTER("IMAGE_CHOCOLATE_SAUCE_TUBE_SMALL", PaintSauceTubeSmall);

// ---------------------------------------------------------------- mugs

// Decoration mugs: column 0 holds three, 1 two, 2 one, 3 none; row 1 hovered.
void PaintMug(Cel& c) {
  const std::string& id = c.decl.id;
  int count = 3 - c.col;
  Rgb mugColour = id == "IMAGE_UMBRELLA_MUG" ? Hex(0x3ac0a0)
                  : id == "IMAGE_COCKTAIL_MUG" ? Hex(0xff9a3a)
                  : id == "IMAGE_STRAW_MUG"    ? Hex(0xff6f9c)
                                               : Hex(0x7a6ae8);
  DrawState(c.cr, HoverRow(c.row), [&](cairo_t* cr) {
    double cx = c.w / 2 - 3, mugTop = c.h * 0.5;
    static const double spread[3] = {-0.45, 0.05, 0.5};
    static const uint32_t umbrellas[3] = {0xff5f9a, 0xffd23a, 0x3ab0ff};
    for (int i = 0; i < count; ++i) {
      double x = cx + spread[i] * 12, y = mugTop + 6;
      double lean = spread[i] * 0.5;
      cairo_save(cr);
      cairo_translate(cr, x, y);
      cairo_rotate(cr, lean);
      if (id == "IMAGE_UMBRELLA_MUG") CocktailUmbrella(cr, 2, 0, 26, Hex(umbrellas[i]));
      else if (id == "IMAGE_COCKTAIL_MUG") CocktailStickFruit(cr, -2, 0, 24);
      else if (id == "IMAGE_STRAW_MUG") DrinkingStraw(cr, 0, 0, 26, 0);
      else Sparkler(cr, 0, 0, 26, false);
      cairo_restore(cr);
    }
    Mug(cr, cx, c.h - 3, c.w * 0.6, c.h * 0.48, mugColour);
  }, 3);
}
PAINTER("IMAGE_UMBRELLA_MUG", PaintMug);
PAINTER("IMAGE_COCKTAIL_MUG", PaintMug);
PAINTER("IMAGE_STRAW_MUG", PaintMug);
PAINTER("IMAGE_SPARKLER_MUG", PaintMug);

// ---------------------------------------------------------------- fruit

void Bowl(cairo_t* cr, double cx, double bottom, double w, double h, Rgb c) {
  cairo_new_path(cr);
  cairo_move_to(cr, cx - w / 2, bottom - h);
  cairo_curve_to(cr, cx - w / 2, bottom, cx + w / 2, bottom, cx + w / 2, bottom - h);
  cairo_close_path(cr);
  FillVerticalStroke(cr, bottom - h, bottom, Lighter(c, 0.2), c, Palette::kInk, 1.6);
  cairo_move_to(cr, cx - w * 0.35, bottom - h * 0.7);
  cairo_curve_to(cr, cx - w * 0.3, bottom - h * 0.2, cx - w * 0.1, bottom - h * 0.1, cx, bottom - h * 0.08);
  cairo_set_line_width(cr, 1.5);
  SetColor(cr, {1, 1, 1, 0.5});
  cairo_stroke(cr);
}

// Apples in a bowl: column 0 three or more, 1 two, 2 one.
void PaintApples(Cel& c) {
  int count = 3 - c.col;
  DrawState(c.cr, HoverRow(c.row), [&](cairo_t* cr) {
    static const double pos[3][2] = {{-8, 0}, {8, 0}, {0, -7}};
    for (int i = 0; i < count; ++i) Apple(cr, c.w / 2 + pos[i][0], c.h - 14 + pos[i][1], 6.5);
    Bowl(cr, c.w / 2, c.h - 3, c.w - 8, 12, Hex(0x5ab0e0));
  }, 3);
}
PAINTER("IMAGE_APPLES", PaintApples);

// A bunch of bananas: column 0 five .. column 4 one.
void PaintBananas(Cel& c) {
  int count = 5 - c.col;
  DrawState(c.cr, HoverRow(c.row), [&](cairo_t* cr) {
    double cx = c.w / 2, cy = c.h * 0.35;
    for (int i = 0; i < count; ++i) {
      double a = -0.9 + i * 0.45;
      cairo_save(cr);
      cairo_translate(cr, cx, cy);
      cairo_rotate(cr, a);
      Banana(cr, 0, 12, 24, M_PI / 2 + 0.2, Hex(0xffe14a));
      cairo_restore(cr);
    }
    Ellipse(cr, cx, cy, 3.5, 3);
    FillStroke(cr, Hex(0x6a8a2a), Palette::kInk, 1.2);
    RoundRect(cr, cx - 16, c.h - 7, 32, 5, 2);
    FillStroke(cr, Hex(0xc98a4b), Palette::kInk, 1.4);
  }, 3);
}
PAINTER("IMAGE_BANANAS", PaintBananas);

// Pears in a basket: column 0 three or more, 1 two, 2 one.
void PaintPears(Cel& c) {
  int count = 3 - c.col;
  DrawState(c.cr, HoverRow(c.row), [&](cairo_t* cr) {
    static const double pos[3][2] = {{-8, 0}, {8, 0}, {0, -8}};
    Basket(cr, c.w / 2, c.h - 3, c.w - 6, 18);
    for (int i = 0; i < count; ++i) Pear(cr, c.w / 2 + pos[i][0], c.h - 20 + pos[i][1], 6.5);
    BasketFront(cr, c.w / 2, c.h - 3, c.w - 6, 18);
  }, 3);
}
PAINTER("IMAGE_PEARS", PaintPears);

void SuperBanana(cairo_t* cr, double cx, double cy, double len) {
  SoftOval(cr, cx, cy, len * 0.7, len * 0.55, {1, 0.95, 0.4, 0.6});
  Banana(cr, cx, cy, len, -0.5, Hex(0xffc928));
  StarPath(cr, cx - len * 0.2, cy - len * 0.22, len * 0.1, len * 0.03, 4);
  Fill(cr, Palette::kWhite);
  StarPath(cr, cx + len * 0.3, cy + len * 0.05, len * 0.07, len * 0.02, 4);
  Fill(cr, Palette::kWhite);
}

// Column 0 the golden banana, 1 hovered, 2 its empty stand, 3 hovered.
void PaintSuperBanana(Cel& c) {
  bool full = c.index < 2;
  DrawState(c.cr, c.index % 2 ? Look3::Over : Look3::Normal, [&](cairo_t* cr) {
    RoundRect(cr, 8, c.h - 11, c.w - 16, 8, 3);
    FillStroke(cr, Hex(0xe83a5a), Palette::kInk, 1.6);
    Ellipse(cr, c.w / 2, c.h - 11, c.w / 2 - 8, 3);
    FillStroke(cr, Hex(0xffd23a), Palette::kInk, 1.4);
    if (full) SuperBanana(cr, c.w / 2, c.h * 0.48, c.w * 0.72);
  }, 3);
}
PAINTER("IMAGE_SUPER_BANANA", PaintSuperBanana);

void PaintApple(Cel& c) { Apple(c.cr, c.w / 2, c.h / 2 + 1.5, c.w * 0.38); }
void PaintBanana(Cel& c) { Banana(c.cr, c.w / 2, c.h / 2, c.w - 2, -0.25, Hex(0xffe14a)); }
void PaintPear(Cel& c) { Pear(c.cr, c.w / 2, c.h * 0.55, c.w * 0.42); }
PAINTER("IMAGE_APPLE", PaintApple);
PAINTER("IMAGE_BANANA", PaintBanana);
PAINTER("IMAGE_PEAR", PaintPear);

// Machine ingredients: a basket of the fruit (normal, hovered) and one
// portion carried by Pemi (strawberry, chocolate, pear, blueberry,
// pineapple).
int IngredientFlavour(const std::string& id) {
  if (id == "IMAGE_STRAWBERRY_FLV") return 1;
  if (id == "IMAGE_CHOCOLATE_FLV") return 2;
  if (id == "IMAGE_PEAR_FLV") return 3;
  if (id == "IMAGE_BLUEBERRY_FLV") return 4;
  return 5;
}

void PaintIngredientStand(Cel& c) {
  int f = IngredientFlavour(c.decl.id);
  DrawState(c.cr, HoverCol(c.col), [&](cairo_t* cr) {
    Basket(cr, c.w / 2, c.h - 3, c.w - 6, c.h * 0.45);
    if (f == 5) {
      Pineapple(cr, c.w / 2, c.h * 0.42, c.h * 0.3);
    } else {
      for (int i = 0; i < 3; ++i)
        FlavourFruit(cr, f, c.w / 2 + (i - 1) * c.w * 0.22, c.h * 0.5 - (i == 1) * 5, c.w * 0.16);
    }
    BasketFront(cr, c.w / 2, c.h - 3, c.w - 6, c.h * 0.45);
  }, 3);
}
PAINTER("IMAGE_STRAWBERRY_FLV", PaintIngredientStand);
PAINTER("IMAGE_CHOCOLATE_FLV", PaintIngredientStand);
PAINTER("IMAGE_PEAR_FLV", PaintIngredientStand);
PAINTER("IMAGE_BLUEBERRY_FLV", PaintIngredientStand);
PAINTER("IMAGE_PINEAPPLE_FLV", PaintIngredientStand);

void PaintIngredients(Cel& c) { FlavourFruit(c.cr, c.index + 1, c.w / 2, c.h * 0.55, c.w * 0.36); }
PAINTER("IMAGE_INGREDIENTS", PaintIngredients);

// ---------------------------------------------------------------- bins

void PaintTrashcan(Cel& c) {
  DrawState(c.cr, HoverCol(c.col), [&](cairo_t* cr) {
    double cx = c.w / 2, top = 12, bottom = c.h - 3, w = c.w - 16;
    cairo_new_path(cr);
    cairo_move_to(cr, cx - w / 2, top);
    cairo_line_to(cr, cx + w / 2, top);
    cairo_line_to(cr, cx + w * 0.4, bottom);
    cairo_line_to(cr, cx - w * 0.4, bottom);
    cairo_close_path(cr);
    MetalFill(cr, cx - w / 2, cx + w / 2, 1);
    for (int i = -1; i <= 1; ++i) {
      cairo_move_to(cr, cx + i * w * 0.22, top + 5);
      cairo_line_to(cr, cx + i * w * 0.18, bottom - 4);
    }
    cairo_set_line_width(cr, 1.4);
    SetColor(cr, Hex(0x8a98a8));
    cairo_stroke(cr);
    // Lid and knob.
    RoundRect(cr, cx - w / 2 - 3, top - 6, w + 6, 8, 4);
    MetalFill(cr, cx - w / 2 - 3, cx + w / 2 + 3, 1);
    Ellipse(cr, cx, top - 8, 5, 3);
    MetalFill(cr, cx - 5, cx + 5, 1);
    // A pink band.
    cairo_rectangle(cr, cx - w * 0.45, top + 16, w * 0.9, 6);
    FillStroke(cr, Hex(0xff7eb3), Palette::kInk, 1.2);
  }, 3);
}
PAINTER("IMAGE_TRASHCAN", PaintTrashcan);

void PaintFastForward(Cel& c) {
  cairo_t* cr = c.cr;
  ButtonPlate(cr, 1, 1, c.w - 2, c.h - 2, c.col == 1 ? Hex(0x8ae07a) : Hex(0x4ac04a), c.col == 1, 8);
  for (int i = 0; i < 2; ++i) {
    double x = 8 + i * 9;
    cairo_move_to(cr, x, 7);
    cairo_line_to(cr, x + 9, c.h / 2 - 1);
    cairo_line_to(cr, x, c.h - 9);
    cairo_close_path(cr);
  }
  FillStroke(cr, Palette::kWhite, Palette::kInk, 1.4);
}
PAINTER("IMAGE_FAST_FORWARD", PaintFastForward);

// ---------------------------------------------------------------- shows

// Juggling balls on a little stand, for levels 1 to 3 (two, three, four).
void PaintBalls(Cel& c) {
  const std::string& id = c.decl.id;
  int n = id == "IMAGE_TWO_BALLS" ? 2 : id == "IMAGE_THREE_BALLS" ? 3 : 4;
  DrawState(c.cr, HoverCol(c.col), [&](cairo_t* cr) {
    double r = 6;
    static const double pos[4][2] = {{-7, 0}, {7, 0}, {0, -9}, {14, -8}};
    double cx = c.w / 2 - (n == 4 ? 4 : 0);
    Ellipse(cr, c.w / 2, c.h - 5, c.w / 2 - 3, 3.5);
    FillStroke(cr, Hex(0xc98a4b), Palette::kInk, 1.4);
    for (int i = n - 1; i >= 0; --i) JugglingBall(cr, cx + pos[i][0], c.h - 11 + pos[i][1], r, i);
  }, 3);
}
PAINTER("IMAGE_TWO_BALLS", PaintBalls);
PAINTER("IMAGE_THREE_BALLS", PaintBalls);
PAINTER("IMAGE_FOUR_BALLS", PaintBalls);

// Barrel organs: cel 0 at rest, 1 playing (the crank turned, notes), 2
// hovered. The crank is on the left, where Vurez stands.
void Organ(cairo_t* cr, double w, double h, int level, bool playing) {
  Rgb body = level == 1 ? Hex(0xc8783a) : level == 2 ? Hex(0xd8405a) : Hex(0x7a4ad0);
  Rgb trim = level == 1 ? Hex(0xffd23a) : level == 2 ? Hex(0xfff0c0) : Hex(0xffc928);
  double x0 = 10, x1 = w - 4, top = level == 3 ? 10 : 18, bottom = h - 12;
  // Wheels and legs.
  for (double x : {x0 + 8, x1 - 8}) {
    Ellipse(cr, x, h - 7, 6, 6);
    FillStroke(cr, Hex(0x5a3a22), Palette::kInk, 1.4);
    Ellipse(cr, x, h - 7, 2, 2);
    Fill(cr, trim);
  }
  GradientBox(cr, x0, top, x1 - x0, bottom - top, 6, Lighter(body, 0.2), body, Palette::kInk, 1.8);
  // Pipes on the front panel.
  RoundRect(cr, x0 + 6, top + 6, x1 - x0 - 12, (bottom - top) * 0.5, 4);
  FillStroke(cr, Darker(body, 0.35), Palette::kInk, 1.2);
  int pipes = 3 + level;
  for (int i = 0; i < pipes; ++i) {
    double px = x0 + 10 + i * (x1 - x0 - 20) / (pipes - 1);
    double ph = (bottom - top) * (0.25 + 0.15 * std::fabs(std::sin(i * 1.3)));
    RoundRect(cr, px - 2.5, top + 8 + (bottom - top) * 0.45 - ph, 5, ph, 2);
    FillStroke(cr, trim, Palette::kInk, 0.9);
  }
  if (level == 3) {
    // A crown of a roof.
    cairo_move_to(cr, x0 - 2, top + 2);
    cairo_curve_to(cr, x0 + 10, top - 10, x1 - 10, top - 10, x1 + 2, top + 2);
    cairo_close_path(cr);
    FillStroke(cr, trim, Palette::kInk, 1.6);
    GoldStar(cr, (x0 + x1) / 2, top - 4, 5);
  }
  for (int i = 0; i < level; ++i) {
    Ellipse(cr, x0 + 10 + i * 10, bottom - 8, 3, 3);
    Fill(cr, trim);
  }
  // The crank on the left side.
  double ax = x0 - 1, ay = 28, ang = playing ? 2.2 : -0.6;
  double hx = ax + std::cos(ang) * 8, hy = ay + std::sin(ang) * 8;
  cairo_move_to(cr, ax, ay);
  cairo_line_to(cr, hx, hy);
  cairo_set_line_width(cr, 3);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  SetColor(cr, Palette::kInk);
  cairo_stroke(cr);
  Ellipse(cr, ax, ay, 3, 3);
  FillStroke(cr, Hex(0xd8e0e8), Palette::kInk, 1.2);
  RoundRect(cr, hx - 2.5, hy - 4, 5, 8, 2);
  FillStroke(cr, Hex(0xe83a5a), Palette::kInk, 1.2);
  if (playing) {
    // Notes float up.
    for (int i = 0; i < 2; ++i) {
      double nx = x1 - 12 + i * 8, ny = top - 2 - i * 6;
      Ellipse(cr, nx, ny, 3, 2.4);
      Fill(cr, Palette::kInk);
      cairo_move_to(cr, nx + 2.6, ny);
      cairo_line_to(cr, nx + 2.6, ny - 9);
      cairo_line_to(cr, nx + 6, ny - 7);
      cairo_set_line_width(cr, 1.4);
      cairo_stroke(cr);
    }
  }
}

void PaintOrgan(Cel& c) {
  int level = c.decl.id.back() - '0';
  DrawState(c.cr, c.index == 2 ? Look3::Over : Look3::Normal,
            [&](cairo_t* cr) { Organ(cr, c.w, c.h, level, c.index == 1); }, 3);
}
PAINTER("IMAGE_ORGAN_*", PaintOrgan);

// ---------------------------------------------------------------- tables

void Vase(cairo_t* cr, double cx, double bottom, double w, double h, Rgb c) {
  cairo_new_path(cr);
  cairo_move_to(cr, cx - w * 0.3, bottom - h);
  cairo_curve_to(cr, cx - w * 0.7, bottom - h * 0.5, cx - w * 0.5, bottom, cx, bottom);
  cairo_curve_to(cr, cx + w * 0.5, bottom, cx + w * 0.7, bottom - h * 0.5, cx + w * 0.3, bottom - h);
  cairo_close_path(cr);
  FillVerticalStroke(cr, bottom - h, bottom, Lighter(c, 0.3), c, Palette::kInk, 1.4);
  Ellipse(cr, cx - w * 0.15, bottom - h * 0.55, w * 0.07, h * 0.2);
  Fill(cr, {1, 1, 1, 0.6});
}

void Stem(cairo_t* cr, double x0, double y0, double x1, double y1) {
  cairo_move_to(cr, x0, y0);
  cairo_curve_to(cr, x0, (y0 + y1) / 2, x1, (y0 + y1) / 2, x1, y1);
  cairo_set_line_width(cr, 1.6);
  SetColor(cr, Hex(0x3a8a2a));
  cairo_stroke(cr);
}

void PaintFlower(Cel& c) {
  int n = c.decl.id.back() - '0';
  cairo_t* cr = c.cr;
  double cx = c.w / 2, bottom = c.h - 1;
  if (n == 1) {
    Stem(cr, cx, bottom - 8, cx, 9);
    Ellipse(cr, cx - 4, 17, 4, 2);
    Fill(cr, Hex(0x5ab84a));
    Flower(cr, cx, 8, 7, Hex(0xff6f9c));
    Vase(cr, cx, bottom, 10, 11, Hex(0x5ab0e0));
  } else if (n == 2) {
    static const double pts[][2] = {{-8, 9}, {0, 6}, {8, 9}, {-4, 14}, {5, 15}};
    static const uint32_t cols[] = {0xff6f9c, 0xffd23a, 0xffffff, 0xb070f0, 0xff8a3a};
    for (auto& p : pts) Stem(cr, cx, bottom - 9, cx + p[0], p[1]);
    for (int i = 0; i < 5; ++i) Flower(cr, cx + pts[i][0], pts[i][1], 5.5, Hex(cols[i]));
    Vase(cr, cx, bottom, 14, 12, Hex(0xff9ec4));
  } else {
    static const double pts[][2] = {{-12, 12}, {-5, 7}, {3, 5}, {11, 9}, {-9, 19}, {0, 14}, {9, 18}};
    static const uint32_t cols[] = {0xff3a5a, 0xffd23a, 0xff6f9c, 0xffffff, 0xb070f0, 0xff3a5a, 0xff8a3a};
    for (auto& p : pts) Stem(cr, cx, bottom - 11, cx + p[0], p[1]);
    for (int i = 0; i < 3; ++i) {
      Ellipse(cr, cx - 12 + i * 12, 22 - (i == 1) * 3, 5, 2.5);
      Fill(cr, Hex(0x4aa83a));
    }
    for (int i = 0; i < 7; ++i) Flower(cr, cx + pts[i][0], pts[i][1], 6, Hex(cols[i]));
    Vase(cr, cx, bottom, 16, 14, Hex(0xffd23a));
  }
}
PAINTER("IMAGE_FLOWER_*", PaintFlower);

// ---------------------------------------------------------------- counter

// The closed flap across the counter's gap at (481, 389): a piece of the
// counter top with a thick front edge.
void PaintHatch(Cel& c) {
  cairo_t* cr = c.cr;
  GradientBox(cr, 1, 1, c.w - 2, 30, 4, Hex(0xf4c890), Hex(0xe0a868), Palette::kInk, 2);
  for (double x : {20.0, 44.0}) {
    cairo_move_to(cr, x, 3);
    cairo_line_to(cr, x, 29);
  }
  cairo_set_line_width(cr, 1);
  SetColor(cr, Hex(0xb57840));
  cairo_stroke(cr);
  GradientBox(cr, 1, 28, c.w - 2, c.h - 29, 3, Hex(0xc88850), Hex(0x9a6030), Palette::kInk, 2);
  Ellipse(cr, 10, 36, 3, 2);
  FillStroke(cr, Palette::kGold, Palette::kInk, 1);
}
PAINTER("IMAGE_HATCH_CLOSED", PaintHatch);

void PaintHinge(Cel& c) {
  cairo_t* cr = c.cr;
  RoundRect(cr, 1, 1, c.w - 2, c.h - 2, 3);
  MetalFill(cr, 1, c.w - 1, 2);
  for (double y : {5.0, c.h - 5}) {
    Ellipse(cr, c.w / 2, y, 1.5, 1.5);
    Fill(cr, Darker(Palette::kGold, 0.5));
  }
}
PAINTER("IMAGE_HINGE", PaintHinge);

// The serving tray on the counter: the finished ice creams stand on it.
void Tray(cairo_t* cr, double w, double h) {
  Ellipse(cr, w / 2, h / 2 + 3, w / 2 - 2, h / 2 - 4);
  Fill(cr, {0, 0, 0, 0.2});
  Ellipse(cr, w / 2, h / 2, w / 2 - 2, h / 2 - 4);
  MetalFill(cr, 2, w - 2, 1);
  Ellipse(cr, w / 2, h / 2 - 1, w / 2 - 8, h / 2 - 9);
  FillRadial(cr, w / 2 - 10, h / 2 - 6, w * 0.6, Hex(0xffffff), Hex(0xd8e2ec));
  Ellipse(cr, w / 2, h / 2 - 1, w / 2 - 8, h / 2 - 9);
  cairo_set_line_width(cr, 1.2);
  SetColor(cr, Hex(0x8a98a8));
  cairo_stroke(cr);
}
void PaintDish(Cel& c) { Tray(c.cr, c.w, c.h); }
PAINTER("IMAGE_DISH", PaintDish);

void PaintDishOver(Cel& c) { Halo(c, [&](cairo_t* cr) { Tray(cr, c.w - 6, c.h - 6); }); }
PAINTER("IMAGE_DISH_OVER", PaintDishOver);

// ---------------------------------------------------------------- carried

void PaintMonkeyCookie(Cel& c) { Cookie(c.cr, c.w / 2, c.h / 2, c.w / 2 - 1.5, c.decl.id.back() - '1'); }
PAINTER("IMAGE_MONKEY_COOKIE_*", PaintMonkeyCookie);

void PaintMonkeyLemonade(Cel& c) { LemonadeGlass(c.cr, c.w / 2 + 1, c.h - 1, c.w - 4, c.h - 3, 2); }
PAINTER("IMAGE_MONKEY_LEMONADE", PaintMonkeyLemonade);

void FoldedNapkin(cairo_t* cr, double w, double h) {
  cairo_new_path(cr);
  cairo_move_to(cr, 2, h - 3);
  cairo_line_to(cr, w * 0.5, 2);
  cairo_line_to(cr, w - 2, h - 3);
  cairo_close_path(cr);
  FillStroke(cr, Palette::kWhite, Hex(0x6a7a98), 1.4);
  cairo_move_to(cr, w * 0.5, 2);
  cairo_line_to(cr, w * 0.5, h - 3);
  cairo_set_line_width(cr, 1);
  SetColor(cr, Hex(0xb0bcd0));
  cairo_stroke(cr);
  cairo_rectangle(cr, 4, h - 6, w - 8, 2);
  Fill(cr, Hex(0xff8fb1));
}
void PaintNapkin(Cel& c) { FoldedNapkin(c.cr, c.w, c.h); }
PAINTER("IMAGE_MONKEY_NAPKIN", PaintNapkin);
PAINTER("IMAGE_NAPKIN", PaintNapkin);

// Floor shadows: only the alpha shape counts, the game tints them.
void PaintShadow(Cel& c) { ShadowCel(c.cr, c.w, c.h); }
PAINTER("IMAGE_BIG_SHADOW", PaintShadow);
PAINTER("IMAGE_MONKEY_SHADOW", PaintShadow);
PAINTER("IMAGE_MONKEY_DISH_SHADOW", PaintShadow);
PAINTER("IMAGE_SMALL_SHADOW", PaintShadow);

// One tiny spark of a sparkler, drawn additively in white.
void PaintSpark(Cel& c) {
  SoftOval(c.cr, c.w / 2, c.h / 2, c.w / 2, c.h / 2, {1, 1, 1, 1});
  Ellipse(c.cr, c.w / 2, c.h / 2, 1, 1);
  Fill(c.cr, {1, 1, 1, 1});
}
PAINTER("IMAGE_SPARKS", PaintSpark);

// ---------------------------------------------------------------- uncle

// The uncle presenting an award: his mouth falls at (34..56, 54..68) of
// cel 0, where the game lays the talking mouth; a held trophy stands on
// the line y 172 centred at x 20, a raised one with its foot at (52, 9).
Look AwardUncle() {
  Look look = Cast::Uncle();
  look.headScale = 0.8;
  look.height = 210;
  return look;
}

Pose AwardPose(int cel, Mouth mouth) {
  Pose p;
  p.view = View::Front;
  p.foot = {45, 228};
  p.face.mouth = mouth;
  p.face.brows = 0.3;
  if (cel == 0) {
    p.hands[0] = {18, 164};
    p.hands[1] = {30, 170};
    p.handSet[0] = p.handSet[1] = true;
  } else if (cel == 1) {
    p.hands[0] = {26, 110};
    p.hands[1] = {64, 110};
    p.handSet[0] = p.handSet[1] = true;
    p.face.eyes = Eyes::Happy;
  } else {
    // Both hands up under the raised trophy, the arms beside his head.
    p.hands[0] = {40, 12};
    p.hands[1] = {64, 12};
    p.handSet[0] = p.handSet[1] = true;
    p.face.eyes = Eyes::Happy;
    p.face.mouth = Mouth::Grin;
  }
  return p;
}

void PaintUncleTrophy(Cel& c) { DrawPerson(c.cr, AwardUncle(), AwardPose(c.index, Mouth::Smile)); }
PAINTER("IMAGE_UNCLE_TROPHY", PaintUncleTrophy);

// Mouth shapes played over cel 0 (closed, open, wide): the same face,
// clipped to the mouth's rectangle.
void PaintUncleMouth(Cel& c) {
  static const Mouth mouths[] = {Mouth::Smile, Mouth::Open, Mouth::Wide};
  cairo_save(c.cr);
  cairo_translate(c.cr, -34, -54);
  DrawPerson(c.cr, AwardUncle(), AwardPose(0, mouths[c.index % 3]));
  cairo_restore(c.cr);
}
PAINTER("IMAGE_UNCLE_TROPHY_MOUTH", PaintUncleMouth);

// His hands alone, as they grip a held trophy's base.
void PaintUncleHands(Cel& c) {
  Look look = AwardUncle();
  for (int i = 0; i < 2; ++i) {
    double x = 18 + i * 24, y = 16;
    Ellipse(c.cr, x, y, 9, 8);
    FillStroke(c.cr, look.skin, Palette::kInk, 1.6);
    for (int f = 0; f < 3; ++f) {
      cairo_move_to(c.cr, x - 4 + f * 4, y - 2);
      cairo_line_to(c.cr, x - 4 + f * 4, y + 4);
    }
    cairo_set_line_width(c.cr, 1);
    SetColor(c.cr, Darker(look.skin, 0.3));
    cairo_stroke(c.cr);
  }
}
PAINTER("IMAGE_UNCLE_TROPHY_HANDS", PaintUncleHands);

// The ten award trophies, three grades each: bronze, silver, gold.
void PaintAwardTrophy(Cel& c) {
  int n = std::stoi(c.decl.id.substr(std::string("IMAGE_TROPHY_").size()));
  Trophy(c.cr, n, c.index, c.w / 2, c.h - 1, c.w - 2, c.h - 2);
}
PAINTER("IMAGE_TROPHY_1", PaintAwardTrophy);
PAINTER("IMAGE_TROPHY_2", PaintAwardTrophy);
PAINTER("IMAGE_TROPHY_3", PaintAwardTrophy);
PAINTER("IMAGE_TROPHY_4", PaintAwardTrophy);
PAINTER("IMAGE_TROPHY_5", PaintAwardTrophy);
PAINTER("IMAGE_TROPHY_6", PaintAwardTrophy);
PAINTER("IMAGE_TROPHY_7", PaintAwardTrophy);
PAINTER("IMAGE_TROPHY_8", PaintAwardTrophy);
PAINTER("IMAGE_TROPHY_9", PaintAwardTrophy);
PAINTER("IMAGE_TROPHY_10", PaintAwardTrophy);

}  // namespace

}  // namespace Plix::DataBuild
