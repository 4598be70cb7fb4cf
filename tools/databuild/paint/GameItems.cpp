// The things of a day's play (Game group): containers, scoops, toppings and
// decorations as the ice creams are built from them, their highlight rims,
// the special dishes, the dishes on the tables and the wishes in the clouds,
// coins, stars, golden ice creams, badges, notices and banners.
//
// An ice cream is assembled by the game from these pictures relative to
// its anchor (the bottom centre of the container): the scoop pictures are
// placed by their top edge a little above the container's rim, so a scoop
// fills its cel and its lower part overlaps the rim.

#include <cmath>
#include <string>

#include "tools/databuild/Food.h"
#include "tools/databuild/Painters.h"
#include "tools/databuild/Props.h"

namespace Plix::DataBuild {

namespace {

const Rgb kGlow = Hex(0xfff38a, 0.9);

// ---------------------------------------------------------------- items

void DrawCone(cairo_t* cr, double w, double h) { WaffleCone(cr, w / 2, 1, w - 2, h - 1); }
void DrawCup(cairo_t* cr, double w, double h) { PaperCup(cr, w / 2, h - 1, w - 2, h - 2, Hex(0xff7eb3)); }
void DrawPlate(cairo_t* cr, double w, double h) { DessertPlate(cr, w / 2, h / 2 - 1, w - 2, h - 4, Hex(0x56b8e8)); }
void DrawBigScoop(cairo_t* cr, double w, double h, int f) { IceScoop(cr, w / 2, h - 1, w - 2, h - 2, f); }
void DrawSmallScoop(cairo_t* cr, double w, double h, int f) { IceScoop(cr, w / 2, h - 1, w - 2, h - 2, f); }

// Toppings: cels 0-2 on a big scoop, 3-5 on a small one. The cel's top
// lies 3 pixels above the scoop's top for the cherry and the sauce.
void DrawTopping(cairo_t* cr, double w, double h, int cel) {
  int kind = cel % 3;
  bool small = cel >= 3;
  double sw = small ? w - 6 : w - 2;
  switch (kind) {
    case 0: ScoopTopping(cr, 0, w / 2, 7.5, sw * 0.85); break;
    case 1: ScoopTopping(cr, 1, w / 2, 1, sw); break;
    default: ScoopTopping(cr, 2, w / 2, 4, sw * 0.95); break;
  }
  (void)h;
}

// Decorations: their foot stands where the game puts it on the scoop.
void DrawUmbrella(cairo_t* cr, double w, double h) { CocktailUmbrella(cr, w - 5, h - 1, h * 0.95, Hex(0x3ac0e0)); }
void DrawStick(cairo_t* cr, double w, double h) { CocktailStickFruit(cr, w - 4, h - 1, h - 2); }
void DrawStraw(cairo_t* cr, double w, double h) { DrinkingStraw(cr, 3, h - 1, h - 3, 0.28); (void)w; }
void DrawSparkler(cairo_t* cr, double w, double h) {
  // The burning tip stays near (14, 1), where the game starts the sparks.
  cairo_save(cr);
  cairo_translate(cr, 5, h - 1);
  cairo_rotate(cr, 0.28);
  Sparkler(cr, 0, 0, h - 3, true);
  cairo_restore(cr);
  (void)w;
}

void PaintCone(Cel& c) { DrawCone(c.cr, c.w, c.h); }
void PaintCup(Cel& c) { DrawCup(c.cr, c.w, c.h); }
void PaintPlate(Cel& c) { DrawPlate(c.cr, c.w, c.h); }
void PaintBigBalls(Cel& c) { DrawBigScoop(c.cr, c.w, c.h, c.index); }
void PaintSmallBalls(Cel& c) { DrawSmallScoop(c.cr, c.w, c.h, c.index); }
void PaintBallsLeft(Cel& c) { IceScoop(c.cr, c.w / 2, c.h - 0.5, c.w - 1, c.h - 1, c.index); }
void PaintTopping(Cel& c) { DrawTopping(c.cr, c.w, c.h, c.index); }
void PaintUmbrella(Cel& c) { DrawUmbrella(c.cr, c.w, c.h); }
void PaintStick(Cel& c) { DrawStick(c.cr, c.w, c.h); }
void PaintStraw(Cel& c) { DrawStraw(c.cr, c.w, c.h); }
void PaintSparkler(Cel& c) { DrawSparkler(c.cr, c.w, c.h); }
PAINTER("IMAGE_CONE", PaintCone);
PAINTER("IMAGE_CUP", PaintCup);
PAINTER("IMAGE_PLATE", PaintPlate);
PAINTER("IMAGE_BIG_BALLS", PaintBigBalls);
PAINTER("IMAGE_SMALL_BALLS", PaintSmallBalls);
PAINTER("IMAGE_BALLS_LEFT", PaintBallsLeft);
PAINTER("IMAGE_TOPPING", PaintTopping);
PAINTER("IMAGE_UMBRELLA", PaintUmbrella);
PAINTER("IMAGE_COCKTAIL_STICK", PaintStick);
PAINTER("IMAGE_STRAW", PaintStraw);
PAINTER("IMAGE_SPARKLER", PaintSparkler);

// Highlight rims: the plain picture's silhouette, glowing. The highlight is
// drawn 3 pixels higher than the plain item and under it, so the plain
// picture is placed (2, 5) into the larger cel (2, 7 for pictures anchored
// by their bottom edge).
const double kGrow = 2.5;
void PaintConeSel(Cel& c) { SilhouetteGlow(c.cr, [&](cairo_t* cr) { DrawCone(cr, c.w - 4, c.h - 4); }, 2, 7, kGrow, kGlow); }
void PaintCupSel(Cel& c) { SilhouetteGlow(c.cr, [&](cairo_t* cr) { DrawCup(cr, c.w - 4, c.h - 4); }, 2, 7, kGrow, kGlow); }
void PaintPlateSel(Cel& c) {
  SilhouetteGlow(c.cr, [&](cairo_t* cr) { DrawPlate(cr, c.w - 4, c.h - 4); }, 2, 5, kGrow, kGlow);
}
void PaintBigSel(Cel& c) {
  SilhouetteGlow(c.cr, [&](cairo_t* cr) { DrawBigScoop(cr, c.w - 4, c.h - 4, c.index); }, 2, 5, kGrow, kGlow);
}
void PaintSmallSel(Cel& c) {
  SilhouetteGlow(c.cr, [&](cairo_t* cr) { DrawSmallScoop(cr, c.w - 4, c.h - 4, c.index); }, 2, 7, kGrow, kGlow);
}
void PaintToppingSel(Cel& c) {
  SilhouetteGlow(c.cr, [&](cairo_t* cr) { DrawTopping(cr, c.w - 4, c.h - 4, c.index); }, 2, 5, kGrow, kGlow);
}
void PaintUmbrellaSel(Cel& c) {
  SilhouetteGlow(c.cr, [&](cairo_t* cr) { DrawUmbrella(cr, c.w - 4, c.h - 4); }, 2, 5, kGrow, kGlow);
}
void PaintStickSel(Cel& c) {
  SilhouetteGlow(c.cr, [&](cairo_t* cr) { DrawStick(cr, c.w - 4, c.h - 4); }, 2, 5, kGrow, kGlow);
}
void PaintStrawSel(Cel& c) {
  SilhouetteGlow(c.cr, [&](cairo_t* cr) { DrawStraw(cr, c.w - 4, c.h - 4); }, 2, 5, kGrow, kGlow);
}
void PaintSparklerSel(Cel& c) {
  SilhouetteGlow(c.cr, [&](cairo_t* cr) { DrawSparkler(cr, c.w - 4, c.h - 4); }, 2, 5, kGrow, kGlow);
}
PAINTER("IMAGE_CONE_SELECTED", PaintConeSel);
PAINTER("IMAGE_CUP_SELECTED", PaintCupSel);
PAINTER("IMAGE_PLATE_SELECTED", PaintPlateSel);
PAINTER("IMAGE_BIG_BALL_SELECTED", PaintBigSel);
PAINTER("IMAGE_SMALL_BALL_SELECTED", PaintSmallSel);
PAINTER("IMAGE_TOPPING_SELECTED", PaintToppingSel);
PAINTER("IMAGE_UMBRELLA_SELECTED", PaintUmbrellaSel);
PAINTER("IMAGE_COCKTAIL_STICK_SELECTED", PaintStickSel);
PAINTER("IMAGE_STRAW_SELECTED", PaintStrawSel);
PAINTER("IMAGE_SPARKLER_SELECTED", PaintSparklerSel);

// Special dishes on the belt, in the hands and on the tray.
void PaintSpecialCup(Cel& c) { SundaeGlass(c.cr, c.w / 2, c.h - 1, c.w - 4, c.h - 2, true); }
void PaintSpecialPlate(Cel& c) { SpecialPlateDish(c.cr, c.w / 2, c.h - 1, c.w - 2, c.h - 2, true); }
void PaintBananaSplit(Cel& c) { BananaSplitDish(c.cr, c.w / 2, c.h - 1, c.w - 2, c.h - 2, true); }
void PaintCake(Cel& c) { CakeDish(c.cr, c.w / 2, c.h - 1, c.w - 2, c.h - 2, true); }
PAINTER("IMAGE_SPECIAL_CUP", PaintSpecialCup);
PAINTER("IMAGE_SPECIAL_PLATE", PaintSpecialPlate);
PAINTER("IMAGE_BANANA_SPLIT", PaintBananaSplit);
PAINTER("IMAGE_CAKE", PaintCake);

// The same dishes on a customer's table: cel 0 full, cel 1 emptied.
void PaintCustomerDish(Cel& c) {
  const std::string& id = c.decl.id;
  bool full = c.index == 0;
  double cx = c.w / 2, bottom = c.h - 1, w = c.w - 2, h = c.h - 2;
  if (id == "IMAGE_CUSTOMER_PLATE") {
    DessertPlate(c.cr, cx, c.h * 0.62, w, c.h * 0.6, Hex(0x56b8e8));
    if (full) {
      IceScoop(c.cr, cx - 8, c.h * 0.7, 14, 12, 1);
      IceScoop(c.cr, cx + 8, c.h * 0.7, 14, 12, 0);
      IceScoop(c.cr, cx, c.h * 0.82, 15, 13, 2);
    } else {
      Ellipse(c.cr, cx - 4, c.h * 0.6, 7, 2.5);
      Fill(c.cr, WithAlpha(FlavourColor(1), 0.7));
      Ellipse(c.cr, cx + 6, c.h * 0.66, 4, 1.8);
      Fill(c.cr, WithAlpha(FlavourColor(2), 0.7));
    }
  } else if (id == "IMAGE_CUSTOMER_SPECIAL_CUP") {
    SundaeGlass(c.cr, cx, bottom, w, h, full);
  } else if (id == "IMAGE_CUSTOMER_SPECIAL_PLATE") {
    SpecialPlateDish(c.cr, cx, bottom, w, h, full);
  } else if (id == "IMAGE_CUSTOMER_BANANA_SPLIT") {
    BananaSplitDish(c.cr, cx, bottom, w, h, full);
  } else {
    CakeDish(c.cr, cx, bottom, w, h, full);
  }
}
PAINTER("IMAGE_CUSTOMER_PLATE", PaintCustomerDish);
PAINTER("IMAGE_CUSTOMER_SPECIAL_CUP", PaintCustomerDish);
PAINTER("IMAGE_CUSTOMER_SPECIAL_PLATE", PaintCustomerDish);
PAINTER("IMAGE_CUSTOMER_BANANA_SPLIT", PaintCustomerDish);
PAINTER("IMAGE_CUSTOMER_CAKE", PaintCustomerDish);

// Wishes in the thought cloud, centred on the cloud's middle.
void PaintCloudWish(Cel& c) {
  const std::string& id = c.decl.id;
  double cx = c.w / 2, bottom = c.h - 1, w = c.w - 2, h = c.h - 2;
  if (id == "IMAGE_CUSTOMER_CLOUD_SPECIAL_CUP") SundaeGlass(c.cr, cx, bottom, w, h, true);
  else if (id == "IMAGE_CUSTOMER_CLOUD_SPECIAL_PLATE") SpecialPlateDish(c.cr, cx, bottom, w, h, true);
  else if (id == "IMAGE_CUSTOMER_CLOUD_BANANA_SPLIT") BananaSplitDish(c.cr, cx, bottom, w, h, true);
  else CakeDish(c.cr, cx, bottom, w, h, true);
}
PAINTER("IMAGE_CUSTOMER_CLOUD_SPECIAL_CUP", PaintCloudWish);
PAINTER("IMAGE_CUSTOMER_CLOUD_SPECIAL_PLATE", PaintCloudWish);
PAINTER("IMAGE_CUSTOMER_CLOUD_BANANA_SPLIT", PaintCloudWish);
PAINTER("IMAGE_CUSTOMER_CLOUD_CAKE", PaintCloudWish);

// A bright halo drawn additively over a cloud that flashes.
void PaintCloudGlow(Cel& c) {
  SoftOval(c.cr, c.w / 2, c.h / 2, c.w / 2, c.h / 2, {1, 0.95, 0.7, 0.55});
  SoftOval(c.cr, c.w / 2, c.h / 2, c.w * 0.3, c.h * 0.3, {1, 1, 0.9, 0.6});
}
PAINTER("IMAGE_CUSTOMER_CLOUD_GLOW", PaintCloudGlow);

// A ring behind a cloud whose customer waits for a second order.
void PaintReorderGlow(Cel& c) {
  cairo_t* cr = c.cr;
  double cx = c.w / 2, cy = c.h / 2;
  for (int i = 6; i >= 1; --i) {
    Ellipse(cr, cx, cy, c.w / 2 - 10 + i * 1.3, c.h / 2 - 10 + i * 1.3);
    cairo_set_line_width(cr, i * 1.6);
    SetColor(cr, {1, 1, 1, 0.1 + 0.06 * (6 - i)});
    cairo_stroke(cr);
  }
  for (int i = 0; i < 8; ++i) {
    double a = i * M_PI / 4 + 0.3;
    Twinkle(cr, cx + std::cos(a) * (c.w / 2 - 8), cy + std::sin(a) * (c.h / 2 - 8), 4.5, {1, 1, 1, 0.9});
  }
}
PAINTER("IMAGE_CUSTOMER_REORDER_GLOW", PaintReorderGlow);

// The Happy Hour wish bubble and its two trailing dots.
void PaintHhBubbles(Cel& c) {
  cairo_t* cr = c.cr;
  double r = c.index == 0 ? c.w / 2 - 3 : c.index == 1 ? 8 : 5;
  Ellipse(cr, c.w / 2, c.h / 2, r, r * 0.92);
  FillStroke(cr, Palette::kWhite, Hex(0x5aa0d0), 2);
  SoftOval(cr, c.w / 2 - r * 0.35, c.h / 2 - r * 0.35, r * 0.3, r * 0.2, {0.85, 0.95, 1, 0.9});
}
PAINTER("IMAGE_CUSTOMER_HH_BUBBLES", PaintHhBubbles);

// Crumbs and drips a customer leaves beside the dish.
void PaintGarbage(Cel& c) {
  cairo_t* cr = c.cr;
  Ellipse(cr, 9, 9, 6, 3.5);
  FillStroke(cr, WithAlpha(FlavourColor(1), 0.9), Darker(FlavourColor(1), 0.4), 1);
  Ellipse(cr, 17, 11, 4, 2.5);
  FillStroke(cr, WithAlpha(FlavourColor(2), 0.9), Darker(FlavourColor(2), 0.4), 1);
  Rand rnd(4);
  for (int i = 0; i < 6; ++i) {
    Ellipse(cr, rnd.Uniform(3, 21), rnd.Uniform(4, 13), 1.3, 1);
    Fill(cr, Hex(0xc89050));
  }
  // A crumpled napkin.
  cairo_move_to(cr, 14, 2);
  cairo_line_to(cr, 21, 4);
  cairo_line_to(cr, 19, 9);
  cairo_line_to(cr, 13, 7);
  cairo_close_path(cr);
  FillStroke(cr, Palette::kWhite, Hex(0x8a98b0), 1);
}
PAINTER("IMAGE_GARBAGE", PaintGarbage);

// ---------------------------------------------------------------- gold

// A golden ice cream: a cone with a shining gold scoop.
void GoldenIceCream(cairo_t* cr, double cx, double bottom, double w, double h) {
  double coneH = h * 0.55, coneW = w * 0.62;
  double coneTop = bottom - coneH;
  SoftOval(cr, cx, bottom - h * 0.55, w * 0.62, h * 0.55, {1, 0.9, 0.4, 0.45});
  cairo_new_path(cr);
  cairo_move_to(cr, cx - coneW / 2, coneTop);
  cairo_line_to(cr, cx + coneW / 2, coneTop);
  cairo_line_to(cr, cx, bottom);
  cairo_close_path(cr);
  MetalFill(cr, cx - coneW / 2, cx + coneW / 2, 2);
  cairo_save(cr);
  cairo_move_to(cr, cx - coneW / 2, coneTop);
  cairo_line_to(cr, cx + coneW / 2, coneTop);
  cairo_line_to(cr, cx, bottom);
  cairo_close_path(cr);
  cairo_clip(cr);
  cairo_set_line_width(cr, std::max(0.8, w * 0.04));
  SetColor(cr, Hex(0xc89010));
  for (double d = -h; d < w + h; d += std::max(3.0, w * 0.22)) {
    cairo_move_to(cr, cx - w / 2 + d, coneTop);
    cairo_line_to(cr, cx - w / 2 + d - coneH * 0.7, bottom);
    cairo_move_to(cr, cx - w / 2 + d - w * 0.3, coneTop);
    cairo_line_to(cr, cx - w / 2 + d - w * 0.3 + coneH * 0.7, bottom);
  }
  cairo_stroke(cr);
  cairo_restore(cr);
  double sw = w * 0.8, sh = h * 0.5;
  ScoopShape(cr, cx, coneTop + sh * 0.3, sw, sh);
  MetalFill(cr, cx - sw / 2, cx + sw / 2, 2);
  SoftOval(cr, cx - sw * 0.2, coneTop - sh * 0.4, sw * 0.16, sh * 0.12, {1, 1, 1, 0.9});
  StarPath(cr, cx + sw * 0.25, coneTop - sh * 0.55, w * 0.12, w * 0.03, 4);
  Fill(cr, Palette::kWhite);
}

void PaintBonusGolden(Cel& c) {
  if (c.index == 1) {
    SilhouetteGlow(c.cr, [&](cairo_t* cr) { GoldenIceCream(cr, c.w / 2, c.h - 3, c.w - 8, c.h - 6); }, 0, 0, 3,
                   {1, 1, 0.75, 0.95});
  }
  GoldenIceCream(c.cr, c.w / 2, c.h - 3, c.w - 8, c.h - 6);
}
PAINTER("IMAGE_BONUS_GOLDEN", PaintBonusGolden);

void PaintGoldenIceCream(Cel& c) { GoldenIceCream(c.cr, c.w / 2, c.h - 1, c.w - 1, c.h - 1); }
PAINTER("IMAGE_GOLDEN_ICECREAM", PaintGoldenIceCream);
PAINTER("IMAGE_BIG_GOLDEN_ICE_CREAM", PaintGoldenIceCream);

void PaintGoldenStar(Cel& c) { GoldStar(c.cr, c.w / 2, c.h / 2 + 0.5, std::min(c.w, c.h * 1.1) / 2 - 0.5); }
PAINTER("IMAGE_GOLDEN_STAR", PaintGoldenStar);

void PaintReputationStar(Cel& c) {
  SoftOval(c.cr, c.w / 2, c.h / 2, c.w / 2, c.h / 2, {1, 0.95, 0.5, 0.5});
  GoldStar(c.cr, c.w / 2, c.h / 2 + 4, std::min(c.w, c.h) * 0.44);
  SoftOval(c.cr, c.w * 0.42, c.h * 0.36, c.w * 0.08, c.h * 0.06, {1, 1, 1, 0.9});
}
PAINTER("IMAGE_REPUTATION_STAR", PaintReputationStar);

// A coin spinning: four views from full face to edge and back.
void PaintCoin(Cel& c) {
  static const double turn[] = {0, 0.55, 0.95, 0.55};
  Coin(c.cr, c.w / 2, c.h / 2, c.w / 2 - 1, turn[c.index % 4]);
}
PAINTER("IMAGE_COIN", PaintCoin);

void PaintCoinGlow(Cel& c) { SoftOval(c.cr, c.w / 2, c.h / 2, c.w / 2, c.h / 2, {1, 0.85, 0.3, 0.8}); }
PAINTER("IMAGE_COIN_GLOW", PaintCoinGlow);

// ---------------------------------------------------------------- badges

// Pending-click badges 1..8, "9+" and a warning mark.
void PaintActionMarker(Cel& c) {
  cairo_t* cr = c.cr;
  double cx = c.w / 2, cy = c.h / 2, r = c.w / 2 - 1.5;
  if (c.index == 9) {
    // Not enough scoops: a little warning triangle.
    cairo_move_to(cr, cx, 1.5);
    cairo_line_to(cr, c.w - 1.5, c.h - 2);
    cairo_line_to(cr, 1.5, c.h - 2);
    cairo_close_path(cr);
    FillStroke(cr, Hex(0xffd23a), Palette::kInk, 1.6);
    Title(cr, "!", cx, cy + 2.5, 8, 12, Hex(0xe83040), Face::SansBold);
    return;
  }
  Ellipse(cr, cx, cy, r, r);
  FillRadial(cr, cx - r * 0.3, cy - r * 0.4, r * 1.4, Hex(0xff7a8a), Hex(0xd81840));
  Ellipse(cr, cx, cy, r, r);
  cairo_set_line_width(cr, 1.6);
  SetColor(cr, Palette::kWhite);
  cairo_stroke(cr);
  std::string text = c.index < 8 ? std::to_string(c.index + 1) : "9+";
  TextStyle s{Face::SansBold, 13, Palette::kWhite, Hex(0x8a0a20), 1};
  FitText(cr, s, cx, cy + 0.5, r * 1.6, r * 1.4, text);
}
PAINTER("IMAGE_ACTION_MARKER", PaintActionMarker);

// ---------------------------------------------------------------- words

// Notices pop up over the floor: a bright word with sparkles around it.
void Notice(Cel& c, const std::string& text, Rgb fill) {
  cairo_t* cr = c.cr;
  SoftOval(cr, c.w / 2, c.h / 2, c.w / 2, c.h / 2 - 4, {1, 1, 1, 0.35});
  Title(cr, text, c.w / 2, c.h / 2, c.w - 24, c.h - 14, fill);
  Twinkle(cr, 10, c.h * 0.3, 6, {1, 1, 0.7, 0.95});
  Twinkle(cr, c.w - 10, c.h * 0.65, 6, {1, 1, 0.7, 0.95});
}

void PaintNotice(Cel& c) {
  const std::string& id = c.decl.id;
  if (id == "IMAGE_WELL_DONE") Notice(c, "Well done!", Hex(0x5ad05a));
  else if (id == "IMAGE_SPLENDID") Notice(c, "Splendid!", Hex(0x3ab0ff));
  else if (id == "IMAGE_AWESOME") Notice(c, "Awesome!", Hex(0xff5fa0));
  else if (id == "IMAGE_CLASS_INCREASED") Notice(c, "Reputation up!", Hex(0xffc928));
  else if (id == "IMAGE_CUSTOMER_LOST") Notice(c, "Customer lost!", Hex(0xf04040));
  else if (id == "IMAGE_GOLDEN_ICE_CREAM_TEXT") Notice(c, "Golden ice cream!", Hex(0xffc928));
  else if (id == "IMAGE_NEW_HISCORE") Notice(c, "New best-seller place!", Hex(0xb05ae0));
  else Notice(c, "One more, please!", Hex(0xff8a3a));
}
PAINTER("IMAGE_WELL_DONE", PaintNotice);
PAINTER("IMAGE_SPLENDID", PaintNotice);
PAINTER("IMAGE_AWESOME", PaintNotice);
PAINTER("IMAGE_CLASS_INCREASED", PaintNotice);
PAINTER("IMAGE_CUSTOMER_LOST", PaintNotice);
PAINTER("IMAGE_GOLDEN_ICE_CREAM_TEXT", PaintNotice);
PAINTER("IMAGE_NEW_HISCORE", PaintNotice);
PAINTER("IMAGE_SECOND_ORDER", PaintNotice);

// Banners grow in the middle of the screen.
void PaintBanner(Cel& c) {
  const std::string& id = c.decl.id;
  bool over = id == "IMAGE_GAME_OVER", expert = id == "IMAGE_EXPERT_GOAL_REACHED";
  Rgb a = over ? Hex(0x8a7ad0) : expert ? Hex(0xffd23a) : Hex(0xff7eb3);
  Rgb b = over ? Hex(0x4a3a90) : expert ? Hex(0xff8a2a) : Hex(0xffffff);
  BannerPlate(c.cr, 4, 4, c.w - 8, c.h - 8, a, b);
  std::string text = over ? "Game Over" : expert ? "Expert goal reached!" : "Today's goal reached!";
  Title(c.cr, text, c.w / 2, c.h * 0.46, c.w * 0.74, c.h * 0.42, over ? Hex(0xffffff) : Hex(0xfff6e0));
  if (!over) {
    GoldStar(c.cr, c.w * 0.13, c.h * 0.46, 12);
    GoldStar(c.cr, c.w * 0.87, c.h * 0.46, 12);
  }
}
PAINTER("IMAGE_TODAYS_GOAL_REACHED", PaintBanner);
PAINTER("IMAGE_EXPERT_GOAL_REACHED", PaintBanner);
PAINTER("IMAGE_GAME_OVER", PaintBanner);

// The stamped rosette of the end-of-day report.
void PaintExpertRibbon(Cel& c) {
  cairo_t* cr = c.cr;
  double cx = c.w / 2, cy = c.h * 0.42, r = c.w * 0.34;
  for (double s : {-1.0, 1.0}) {
    cairo_move_to(cr, cx + s * r * 0.2, cy + r * 0.6);
    cairo_line_to(cr, cx + s * r * 0.75, c.h - 3);
    cairo_line_to(cr, cx + s * r * 0.45, c.h - 12);
    cairo_line_to(cr, cx + s * r * 0.2, c.h - 2);
    cairo_line_to(cr, cx - s * r * 0.1, cy + r * 0.6);
    cairo_close_path(cr);
    FillStroke(cr, Hex(0xe83a5a), Palette::kInk, 2);
  }
  StarPath(cr, cx, cy, r * 1.12, r * 0.92, 16);
  FillStroke(cr, Hex(0xffc928), Palette::kInk, 2);
  Ellipse(cr, cx, cy, r * 0.78, r * 0.78);
  FillStroke(cr, Hex(0xfff2b0), Hex(0xc89010), 2);
  Title(cr, "Expert", cx, cy + 1, r * 1.3, r * 0.5, Hex(0xe83a5a));
  GoldStar(cr, cx, cy - r * 0.5, r * 0.18);
}
PAINTER("IMAGE_EXPERT_RIBBON", PaintExpertRibbon);

// Tutorial arrows, bright and bold.
void Arrow(cairo_t* cr, double w, double h, bool down) {
  cairo_save(cr);
  if (!down) {
    // Pointing right: the same arrow turned a quarter anticlockwise.
    cairo_translate(cr, 0, h);
    cairo_rotate(cr, -M_PI / 2);
    std::swap(w, h);
  }
  cairo_new_path(cr);
  cairo_move_to(cr, w * 0.32, 2);
  cairo_line_to(cr, w * 0.68, 2);
  cairo_line_to(cr, w * 0.68, h * 0.5);
  cairo_line_to(cr, w - 2, h * 0.5);
  cairo_line_to(cr, w / 2, h - 2);
  cairo_line_to(cr, 2, h * 0.5);
  cairo_line_to(cr, w * 0.32, h * 0.5);
  cairo_close_path(cr);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  FillVerticalStroke(cr, 0, h, Hex(0xffe65a), Hex(0xff8a2a), Palette::kInk, 2.2);
  cairo_rectangle(cr, w * 0.38, 5, w * 0.08, h * 0.42);
  Fill(cr, {1, 1, 1, 0.6});
  cairo_restore(cr);
}
void PaintTutorialArrow(Cel& c) { Arrow(c.cr, c.w, c.h, true); }
void PaintTutorialArrowRight(Cel& c) { Arrow(c.cr, c.w, c.h, false); }
PAINTER("IMAGE_TUTORIAL_ARROW", PaintTutorialArrow);
PAINTER("IMAGE_TUTORIAL_ARROW_RIGHT", PaintTutorialArrowRight);

}  // namespace

}  // namespace Plix::DataBuild
