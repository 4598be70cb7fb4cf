// The island map (Map group): the island with its six areas, the road of
// the fifty days, the header plaques, the buildings that open the store,
// the circus and the hotel, the day markers, the speakers of the map's
// balloons, the buttons, the logo and the end-of-story fireworks.

#include <cmath>
#include <string>
#include <vector>

#include "tools/databuild/Figure.h"
#include "tools/databuild/Food.h"
#include "tools/databuild/Painters.h"
#include "tools/databuild/Props.h"

namespace Plix::DataBuild {

namespace {

// The fifty day boxes (38 x 16, top-left) as the map lays them out.
const double kDays[50][2] = {
    {206, 489}, {229, 468}, {247, 445}, {261, 421}, {269, 397}, {264, 373}, {225, 341}, {194, 323}, {157, 306},
    {134, 286}, {139, 263}, {152, 240}, {183, 220}, {228, 194}, {258, 182}, {295, 175}, {323, 162}, {362, 159},
    {400, 157}, {434, 149}, {471, 144}, {475, 180}, {448, 197}, {437, 218}, {439, 239}, {462, 259}, {496, 271},
    {524, 283}, {562, 288}, {596, 298}, {644, 315}, {665, 332}, {670, 354}, {681, 375}, {673, 396}, {670, 416},
    {639, 431}, {602, 444}, {563, 455}, {524, 465}, {452, 484}, {412, 485}, {379, 475}, {364, 458}, {358, 440},
    {383, 425}, {409, 410}, {406, 391}, {394, 373}, {376, 356}};

void IslandPath(cairo_t* cr) {
  cairo_new_path(cr);
  cairo_move_to(cr, 100, 540);
  cairo_curve_to(cr, 30, 450, 40, 260, 110, 200);
  cairo_curve_to(cr, 190, 120, 330, 92, 470, 96);
  cairo_curve_to(cr, 600, 100, 700, 170, 760, 260);
  cairo_curve_to(cr, 800, 340, 790, 470, 720, 530);
  cairo_curve_to(cr, 640, 590, 470, 585, 330, 578);
  cairo_curve_to(cr, 220, 575, 140, 580, 100, 540);
  cairo_close_path(cr);
}

void TreeDot(cairo_t* cr, double x, double y, double r, Rgb c) {
  Ellipse(cr, x, y + r * 0.8, r * 0.9, r * 0.35);
  Fill(cr, {0, 0, 0, 0.2});
  cairo_rectangle(cr, x - 1.5, y, 3, r * 0.8);
  Fill(cr, Hex(0x7a4a22));
  Ellipse(cr, x, y - r * 0.2, r, r * 0.9);
  FillStroke(cr, c, Darker(c, 0.4), 1.2);
  SoftOval(cr, x - r * 0.3, y - r * 0.5, r * 0.35, r * 0.25, {1, 1, 1, 0.4});
}

void Elephant(cairo_t* cr) {
  // A friendly grey elephant in the zoo; its eyes lie at (225..255, 288..304).
  Rgb g = Hex(0xa8b0c4);
  Ellipse(cr, 212, 312, 26, 17);
  FillStroke(cr, g, Palette::kInk, 2);
  for (double x : {196.0, 208.0, 220.0, 230.0}) {
    RoundRect(cr, x - 4, 318, 8, 14, 3);
    FillStroke(cr, g, Palette::kInk, 1.5);
  }
  Ellipse(cr, 222, 296, 20, 19);
  Ellipse(cr, 256, 296, 20, 19);
  Ellipse(cr, 240, 296, 17, 16);
  FillStroke(cr, g, Palette::kInk, 2);
  // Ears, trunk.
  Ellipse(cr, 222, 298, 11, 14);
  FillStroke(cr, Hex(0xc0c8d8), Palette::kInk, 1.6);
  cairo_move_to(cr, 244, 302);
  cairo_curve_to(cr, 248, 318, 260, 322, 262, 314);
  cairo_set_line_width(cr, 7 + 3);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  SetColor(cr, Palette::kInk);
  cairo_stroke_preserve(cr);
  cairo_set_line_width(cr, 7);
  SetColor(cr, g);
  cairo_stroke(cr);
  for (double x : {234.0, 246.0}) {
    Ellipse(cr, x, 295, 2.4, 3);
    Fill(cr, Palette::kInk);
  }
}

void Statue(cairo_t* cr) {
  // A stone head of the ruins; its eyes glow at (398..418, 132..142).
  Rgb s = Hex(0xb8ac94);
  RoundRect(cr, 392, 112, 32, 52, 10);
  FillStroke(cr, s, Palette::kInk, 2);
  RoundRect(cr, 388, 112, 40, 12, 5);
  FillStroke(cr, Darker(s, 0.15), Palette::kInk, 1.6);
  for (double x : {403.0, 413.0}) {
    Ellipse(cr, x, 137, 4, 3);
    Fill(cr, Hex(0x4a4030));
  }
  cairo_move_to(cr, 408, 140);
  cairo_line_to(cr, 404, 150);
  cairo_line_to(cr, 410, 150);
  cairo_set_line_width(cr, 1.5);
  SetColor(cr, Palette::kInk);
  cairo_stroke(cr);
  cairo_move_to(cr, 400, 156);
  cairo_line_to(cr, 416, 156);
  cairo_stroke(cr);
  for (double x : {370.0, 446.0}) {
    RoundRect(cr, x - 6, 118, 12, 40, 2);
    FillStroke(cr, Hex(0xd8ccb0), Palette::kInk, 1.6);
    RoundRect(cr, x - 8, 114, 16, 6, 2);
    FillStroke(cr, Hex(0xd8ccb0), Palette::kInk, 1.4);
  }
}

void Coaster(cairo_t* cr) {
  // The roller coaster in the fairground, its lamps round (520, 212).
  cairo_move_to(cr, 486, 250);
  cairo_curve_to(cr, 492, 170, 520, 180, 528, 206);
  cairo_curve_to(cr, 536, 236, 550, 228, 560, 190);
  cairo_curve_to(cr, 568, 160, 590, 176, 592, 246);
  cairo_set_line_width(cr, 7);
  SetColor(cr, Palette::kInk);
  cairo_stroke_preserve(cr);
  cairo_set_line_width(cr, 4);
  SetColor(cr, Hex(0xe83a5a));
  cairo_stroke(cr);
  for (double x = 492; x < 592; x += 12) {
    cairo_move_to(cr, x, 250);
    cairo_line_to(cr, x + 2, 200 + std::fabs(std::sin(x * 0.05)) * 20);
  }
  cairo_set_line_width(cr, 1.5);
  SetColor(cr, Hex(0x8a5a3a));
  cairo_stroke(cr);
  // A little Ferris wheel beside it.
  Ellipse(cr, 628, 236, 24, 24);
  cairo_set_line_width(cr, 3);
  SetColor(cr, Hex(0x3ab0ff));
  cairo_stroke(cr);
  for (int i = 0; i < 8; ++i) {
    double a = i * M_PI / 4;
    cairo_move_to(cr, 628, 236);
    cairo_line_to(cr, 628 + std::cos(a) * 24, 236 + std::sin(a) * 24);
    Ellipse(cr, 628 + std::cos(a) * 24, 236 + std::sin(a) * 24, 3.5, 3.5);
  }
  cairo_set_line_width(cr, 1.2);
  SetColor(cr, Palette::kInk);
  cairo_stroke(cr);
}

void PaintMap(Cel& c) {
  cairo_t* cr = c.cr;
  // Sea.
  cairo_rectangle(cr, 0, 0, 800, 600);
  FillVertical(cr, 0, 600, Hex(0x3ab8e8), Hex(0x1a7ab8));
  Rand rnd(9);
  cairo_set_line_width(cr, 2);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  SetColor(cr, {1, 1, 1, 0.4});
  for (int i = 0; i < 70; ++i) {
    double x = rnd.Uniform(0, 800), y = rnd.Uniform(0, 600);
    cairo_move_to(cr, x, y);
    cairo_curve_to(cr, x + 4, y - 3, x + 8, y - 3, x + 12, y);
  }
  cairo_stroke(cr);
  // The island: surf, beach rim, grass.
  cairo_save(cr);
  cairo_translate(cr, 0, 6);
  IslandPath(cr);
  cairo_set_line_width(cr, 36);
  SetColor(cr, {1, 1, 1, 0.35});
  cairo_stroke(cr);
  cairo_restore(cr);
  IslandPath(cr);
  cairo_set_line_width(cr, 26);
  SetColor(cr, Palette::kSand);
  cairo_stroke_preserve(cr);
  FillVertical(cr, 90, 580, Hex(0x9ee07a), Hex(0x5ab84a));
  cairo_save(cr);
  IslandPath(cr);
  cairo_clip(cr);
  // Areas: ruins plaza (top), beach (bottom right), fairground (right),
  // zoo (left), park (bottom left), hotel gardens (centre).
  Ellipse(cr, 420, 150, 120, 60);
  FillRadial(cr, 420, 150, 120, Hex(0xf2e2b8), Hex(0xe0cc98));
  cairo_move_to(cr, 560, 600);
  cairo_curve_to(cr, 600, 420, 700, 330, 820, 330);
  cairo_line_to(cr, 820, 600);
  cairo_close_path(cr);
  FillVertical(cr, 330, 600, Hex(0xfbe6a8), Hex(0xf0c878));
  Ellipse(cr, 580, 230, 95, 60);
  Fill(cr, WithAlpha(Hex(0xc8f0a0), 0.8));
  Ellipse(cr, 200, 300, 95, 70);
  Fill(cr, WithAlpha(Hex(0x6ac05a), 0.8));
  Ellipse(cr, 410, 400, 90, 85);
  Fill(cr, WithAlpha(Hex(0xb8eca0), 0.7));
  cairo_restore(cr);
  // Zoo fences.
  cairo_set_line_width(cr, 2);
  SetColor(cr, Hex(0x8a5a2a));
  cairo_new_path(cr);
  cairo_arc(cr, 215, 305, 58, M_PI * 0.8, M_PI * 2.1);
  cairo_stroke(cr);
  for (int i = 0; i < 14; ++i) {
    double a = M_PI * 0.8 + i * M_PI * 1.3 / 13;
    cairo_move_to(cr, 215 + std::cos(a) * 58, 305 + std::sin(a) * 58 - 5);
    cairo_line_to(cr, 215 + std::cos(a) * 58, 305 + std::sin(a) * 58 + 3);
  }
  cairo_stroke(cr);
  // The road of the fifty days.
  cairo_new_path(cr);
  cairo_move_to(cr, kDays[0][0] + 19, kDays[0][1] + 8 + 30);
  for (auto& d : kDays) cairo_line_to(cr, d[0] + 19, d[1] + 8);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  cairo_set_line_width(cr, 16);
  SetColor(cr, Hex(0xc8a060));
  cairo_stroke_preserve(cr);
  cairo_set_line_width(cr, 12);
  SetColor(cr, Hex(0xf6e2b0));
  cairo_stroke(cr);
  // Trees and flowers.
  const double trees[][2] = {{160, 420}, {120, 470}, {300, 520}, {330, 470}, {90, 340}, {300, 260},
                             {290, 320}, {520, 330}, {500, 560}, {260, 560}, {600, 380}, {700, 290}};
  for (auto& t : trees) TreeDot(cr, t[0], t[1], 11, Hex(0x3aa83a));
  PalmTree(cr, 720, 470, 60, 10);
  PalmTree(cr, 610, 520, 50, -8);
  for (int i = 0; i < 14; ++i) Flower(cr, 120 + rnd.Uniform(0, 180), 380 + rnd.Uniform(0, 160), 3.5, Hex(0xff8fc0));
  // Beach umbrellas and a boat.
  for (double x : {650.0, 700.0}) {
    cairo_move_to(cr, x, 500);
    cairo_line_to(cr, x, 470);
    cairo_set_line_width(cr, 2);
    SetColor(cr, Palette::kInk);
    cairo_stroke(cr);
    cairo_new_path(cr);
    cairo_arc(cr, x, 470, 16, M_PI, 2 * M_PI);
    cairo_close_path(cr);
    FillStroke(cr, x < 680 ? Hex(0xff6a6a) : Hex(0xffd23a), Palette::kInk, 1.6);
  }
  Elephant(cr);
  Statue(cr);
  Coaster(cr);
  // Hotel lamp posts along the garden road.
  const double lamps[][2] = {{409, 502}, {446, 460}, {351, 460}, {404, 447}, {399, 396},
                             {453, 387}, {368, 348}, {408, 341}, {330, 324}, {436, 304}};
  for (auto& l : lamps) {
    cairo_rectangle(cr, l[0] - 1.5, l[1], 3, 14);
    Fill(cr, Hex(0x4a4a58));
    Ellipse(cr, l[0], l[1], 4, 4);
    FillStroke(cr, Hex(0xfff0b0), Palette::kInk, 1.2);
  }
  // Header: three plaques for tries, score and cash, and the day plaque.
  const double plaques[3] = {489, 604, 722};
  for (int i = 0; i < 3; ++i) {
    double x = plaques[i];
    RoundRect(cr, x - 54, 26, 108, 34, 12);
    FillStroke(cr, Palette::kCream, Hex(0x7a4a22), 3);
    if (i == 0) {
      cairo_new_path(cr);
      cairo_move_to(cr, x - 40, 50);
      cairo_curve_to(cr, x - 52, 42, x - 48, 32, x - 40, 38);
      cairo_curve_to(cr, x - 32, 32, x - 28, 42, x - 40, 50);
      FillStroke(cr, Hex(0xf03a4a), Palette::kInk, 1.4);
    } else if (i == 1) {
      GoldStar(cr, x - 40, 43, 8);
    } else {
      Coin(cr, x - 40, 43, 8, 0);
    }
  }
  RoundRect(cr, 40, 146, 74, 36, 12);
  FillStroke(cr, Hex(0x5a3a22), Palette::kInk, 2.5);
  RoundRect(cr, 52, 136, 50, 16, 7);
  FillStroke(cr, Hex(0xffd25a), Palette::kInk, 1.6);
  Title(cr, "Day", 77, 144, 40, 12, Hex(0x7a2a10), Face::ComicBold, Palette::kWhite);
  // Compass rose in the sea.
  StarPath(cr, 60, 560, 22, 6, 4);
  FillStroke(cr, Palette::kCream, Palette::kInk, 1.6);
  StarPath(cr, 60, 560, 12, 4, 4, M_PI / 4);
  FillStroke(cr, Hex(0xff8fb1), Palette::kInk, 1.2);
}
PAINTER("IMAGE_MAP", PaintMap);

// ---------------------------------------------------------------- buildings

void Building(Cel& c, const std::function<void(cairo_t*)>& draw, Rgb glow) {
  if (c.col == 1) SilhouetteGlow(c.cr, draw, 0, 0, 4, WithAlpha(glow, 0.8));
  draw(c.cr);
}

// The store at the left edge: a little shop with an awning.
void Store(cairo_t* cr, double w, double h) {
  double x = 16, y = h - 96;
  GradientBox(cr, x, y + 30, 92, 62, 6, Hex(0xfff0d0), Hex(0xf0d0a0), Palette::kInk, 2);
  RoundRect(cr, x + 36, y + 56, 22, 36, 6);
  FillStroke(cr, Hex(0x3ab0a0), Palette::kInk, 1.6);
  RoundRect(cr, x + 8, y + 52, 22, 18, 3);
  FillStroke(cr, Hex(0xbfe8ff), Palette::kInk, 1.4);
  RoundRect(cr, x + 66, y + 52, 20, 18, 3);
  FillStroke(cr, Hex(0xbfe8ff), Palette::kInk, 1.4);
  // Striped awning and roof.
  for (int i = 0; i < 6; ++i) {
    cairo_move_to(cr, x - 4 + i * 17, y + 30);
    cairo_line_to(cr, x - 4 + (i + 1) * 17, y + 30);
    cairo_line_to(cr, x - 4 + (i + 1) * 17, y + 40);
    cairo_curve_to(cr, x - 4 + (i + 1) * 17, y + 46, x - 4 + i * 17, y + 46, x - 4 + i * 17, y + 40);
    cairo_close_path(cr);
    FillStroke(cr, i % 2 ? Hex(0xffffff) : Hex(0x3aa860), Palette::kInk, 1.4);
  }
  cairo_move_to(cr, x - 8, y + 31);
  cairo_line_to(cr, x + 46, y);
  cairo_line_to(cr, x + 100, y + 31);
  cairo_close_path(cr);
  FillStroke(cr, Hex(0xd86a3a), Palette::kInk, 2);
  SignBoard(cr, x + 14, y + 4, 64, 22, "Store", Hex(0xffd25a), Hex(0x7a3a10), false);
  (void)w;
}
void PaintMapStore(Cel& c) { Building(c, [&](cairo_t* cr) { Store(cr, c.w, c.h); }, Hex(0xffd0d0)); }
PAINTER("IMAGE_MAP_STORE", PaintMapStore);

// The circus tent, top right.
void Tent(cairo_t* cr, double w, double h) {
  double cx = w / 2, base = h - 12;
  cairo_new_path(cr);
  cairo_move_to(cr, cx - 70, base);
  cairo_curve_to(cr, cx - 60, base - 40, cx - 20, base - 70, cx, base - 100);
  cairo_curve_to(cr, cx + 20, base - 70, cx + 60, base - 40, cx + 70, base);
  cairo_close_path(cr);
  cairo_path_t* tent = cairo_copy_path(cr);
  Fill(cr, Hex(0xffffff));
  cairo_save(cr);
  cairo_append_path(cr, tent);
  cairo_clip(cr);
  for (int i = -4; i <= 4; i += 2) {
    cairo_move_to(cr, cx, base - 100);
    cairo_line_to(cr, cx + i * 17 - 8, base + 5);
    cairo_line_to(cr, cx + i * 17 + 8, base + 5);
    cairo_close_path(cr);
  }
  Fill(cr, Hex(0xe83a5a));
  cairo_restore(cr);
  cairo_append_path(cr, tent);
  cairo_set_line_width(cr, 2.5);
  SetColor(cr, Palette::kInk);
  cairo_stroke(cr);
  cairo_path_destroy(tent);
  // Scalloped rim, the entrance and a flag.
  for (int i = 0; i < 8; ++i) {
    double x0 = cx - 70 + i * 17.5;
    cairo_new_path(cr);
    cairo_arc(cr, x0 + 8.75, base - 2, 8.75, 0, M_PI);
    FillStroke(cr, i % 2 ? Hex(0xffd23a) : Hex(0x3ab0ff), Palette::kInk, 1.4);
  }
  cairo_move_to(cr, cx - 14, base + 6);
  cairo_curve_to(cr, cx - 10, base - 30, cx + 10, base - 30, cx + 14, base + 6);
  cairo_close_path(cr);
  FillStroke(cr, Hex(0x5a2a5a), Palette::kInk, 1.6);
  cairo_move_to(cr, cx, base - 100);
  cairo_line_to(cr, cx, base - 122);
  cairo_set_line_width(cr, 2);
  SetColor(cr, Palette::kInk);
  cairo_stroke(cr);
  cairo_move_to(cr, cx, base - 122);
  cairo_line_to(cr, cx + 18, base - 116);
  cairo_line_to(cr, cx, base - 110);
  cairo_close_path(cr);
  FillStroke(cr, Hex(0xffd23a), Palette::kInk, 1.4);
}
void PaintMapCircus(Cel& c) { Building(c, [&](cairo_t* cr) { Tent(cr, c.w, c.h); }, Hex(0xffffc8)); }
PAINTER("IMAGE_MAP_CIRCUS", PaintMapCircus);

// The uncle's hotel in the middle of the island; its body stands low in
// the picture, clear of the day boxes above it.
void Hotel(cairo_t* cr, double w, double h) {
  double x = 24, top = 92, bottom = h - 6, bw = w - 48;
  GradientBox(cr, x, top, bw, bottom - top, 6, Hex(0xffffff), Hex(0xe8e0f0), Palette::kInk, 2.2);
  for (int r = 0; r < 3; ++r)
    for (int k = 0; k < 4; ++k) {
      RoundRect(cr, x + 10 + k * 26, top + 12 + r * 26, 16, 16, 3);
      FillStroke(cr, Hex(0x8ad0f0), Palette::kInk, 1.2);
    }
  RoundRect(cr, x + bw / 2 - 12, bottom - 26, 24, 26, 10);
  FillStroke(cr, Hex(0xe83a5a), Palette::kInk, 1.6);
  // The roof with the hotel's sign.
  cairo_move_to(cr, x - 8, top + 2);
  cairo_line_to(cr, x + bw / 2, top - 26);
  cairo_line_to(cr, x + bw + 8, top + 2);
  cairo_close_path(cr);
  FillStroke(cr, Hex(0x5a7ad8), Palette::kInk, 2);
  SignBoard(cr, x + 18, top - 14, bw - 36, 20, "Hotel", Hex(0xffd25a), Hex(0x7a3a10), false);
  for (double px : {x - 10, x + bw + 10}) {
    cairo_rectangle(cr, px - 2, bottom - 40, 4, 40);
    Fill(cr, Hex(0x7a4a22));
    Ellipse(cr, px, bottom - 46, 12, 10);
    FillStroke(cr, Hex(0x4cb848), Palette::kInk, 1.4);
  }
}
void PaintMapHotel(Cel& c) { Building(c, [&](cairo_t* cr) { Hotel(cr, c.w, c.h); }, Hex(0xc8ffff)); }
PAINTER("IMAGE_MAP_HOTEL", PaintMapHotel);

// ---------------------------------------------------------------- markers

// Day markers: 0 a day ahead, 1 played without reaching the goal, 2 won.
void PaintLevel(Cel& c) {
  cairo_t* cr = c.cr;
  Rgb col = c.index == 0 ? Hex(0xd8d0c0) : c.index == 1 ? Hex(0xff9a5a) : Hex(0x6ad04a);
  RoundRect(cr, 2, 1, c.w - 4, c.h - 2, 7);
  FillStroke(cr, col, Palette::kInk, 1.6);
  Gloss(cr, 2, 1, c.w - 4, c.h - 2, 7, 0.4);
  if (c.index == 2) GoldStar(cr, c.w / 2, c.h / 2 + 0.5, 6);
  else if (c.index == 1) {
    Ellipse(cr, c.w / 2, c.h / 2, 3.5, 3.5);
    Fill(cr, Palette::kWhite);
  }
}
PAINTER("IMAGE_MAP_LEVEL", PaintLevel);

void PaintMarker(Cel& c) {
  cairo_t* cr = c.cr;
  RoundRect(cr, 2, 2, c.w - 4, c.h - 4, 10);
  cairo_set_line_width(cr, 3);
  SetColor(cr, Hex(0xffe04a));
  cairo_stroke(cr);
  RoundRect(cr, 1, 1, c.w - 2, c.h - 2, 11);
  cairo_set_line_width(cr, 1.2);
  SetColor(cr, {1, 1, 1, 0.8});
  cairo_stroke(cr);
}
PAINTER("IMAGE_MAP_MARKER", PaintMarker);

// Pemi's little head hopping from day to day.
void PaintIcon(Cel& c) {
  Look look = Cast::Pemi();
  Pose p;
  p.face.mouth = Mouth::Grin;
  double s = c.w / (2.4 * HeadRadius(look));
  Vec head = HeadCentre(look, p);
  cairo_save(c.cr);
  cairo_translate(c.cr, c.w / 2, c.h / 2 + 1);
  cairo_scale(c.cr, s, s);
  cairo_translate(c.cr, -head.x, -head.y);
  DrawPerson(c.cr, look, p);
  cairo_restore(c.cr);
}
PAINTER("IMAGE_MAP_ICON", PaintIcon);

void PaintShadow(Cel& c) { ShadowCel(c.cr, c.w, c.h); }
PAINTER("IMAGE_MAP_ICON_SHADOW", PaintShadow);

void PaintBall(Cel& c) {
  cairo_t* cr = c.cr;
  double r = c.w / 2 - 1;
  static const uint32_t cols[] = {0xff4a5a, 0xffffff, 0x3ab0ff, 0xffd23a};
  for (int i = 0; i < 4; ++i) {
    cairo_move_to(cr, c.w / 2, c.h / 2);
    cairo_arc(cr, c.w / 2, c.h / 2, r, i * M_PI / 2, (i + 1) * M_PI / 2);
    cairo_close_path(cr);
    Fill(cr, Hex(cols[i]));
  }
  Ellipse(cr, c.w / 2, c.h / 2, r, r);
  cairo_set_line_width(cr, 1.4);
  SetColor(cr, Palette::kInk);
  cairo_stroke(cr);
  SoftOval(cr, c.w / 2 - 3, c.h / 2 - 3, 3, 2, {1, 1, 1, 0.9});
}
PAINTER("IMAGE_MAP_BALL", PaintBall);

void PaintElephantBlink(Cel& c) {
  // The elephant's eyes at (234, 295) and (246, 295) shut; the cel sits at (225, 288).
  cairo_t* cr = c.cr;
  for (double x : {234.0 - 225, 246.0 - 225}) {
    Ellipse(cr, x, 7, 4, 4.5);
    Fill(cr, Hex(0xa8b0c4));
    cairo_move_to(cr, x - 3, 7);
    cairo_curve_to(cr, x - 1, 9, x + 1, 9, x + 3, 7);
    cairo_set_line_width(cr, 1.4);
    SetColor(cr, Palette::kInk);
    cairo_stroke(cr);
  }
}
PAINTER("IMAGE_MAP_ELEPHANT_BLINKING", PaintElephantBlink);

// Glowing eyes of the statue, over its eyes at (403, 137) and (413, 137).
void PaintStatueEyes(Cel& c) {
  for (double x : {5.0, 15.0}) {
    SoftOval(c.cr, x, 5, 5, 4, {1, 0.3, 0.2, 0.9});
    SoftOval(c.cr, x, 5, 2, 1.6, {1, 1, 0.8, 1});
  }
}
PAINTER("IMAGE_MAP_STATUE_EYES", PaintStatueEyes);

void PaintLampGlow(Cel& c) {
  bool coaster = c.decl.id == "IMAGE_MAP_ROLLER_COASTER_LAMP";
  SoftOval(c.cr, c.w / 2, c.h / 2, c.w / 2, c.h / 2, coaster ? Rgb{1, 0.9, 0.9, 0.85} : Rgb{1, 1, 0.8, 0.85});
  SoftOval(c.cr, c.w / 2, c.h / 2, c.w / 6, c.h / 6, {1, 1, 1, 1});
}
PAINTER("IMAGE_MAP_HOTEL_LAMP", PaintLampGlow);
PAINTER("IMAGE_MAP_ROLLER_COASTER_LAMP", PaintLampGlow);

void PaintSparkle(Cel& c) { TwinkleCel(c.cr, c.w, c.h, c.index / 8.0); }
PAINTER("IMAGE_MAP_SPARKLE", PaintSparkle);

void PaintRocketSpark(Cel& c) { GlintCel(c.cr, c.w, c.h, 1.0); }
PAINTER("IMAGE_MAP_FIREWORK_THING", PaintRocketSpark);

// A firework burst in white and grey, tinted by the game: rays fly out,
// then droop and fade over the eleven cels.
void PaintFireworks(Cel& c) {
  cairo_t* cr = c.cr;
  double t = c.index / 10.0;
  double cx = c.w / 2, cy = c.h / 2;
  double reach = (c.w / 2 - 6) * std::sqrt(std::min(1.0, t * 1.4));
  double fade = t < 0.6 ? 1.0 : 1.0 - (t - 0.6) / 0.4;
  if (t < 0.2) SoftOval(cr, cx, cy, 14 * (1 - t * 3), 14 * (1 - t * 3), {1, 1, 1, 0.9});
  int rays = 18;
  for (int i = 0; i < rays; ++i) {
    double a = i * 2 * M_PI / rays + 0.1;
    double droop = t * t * 14;
    double ex = cx + std::cos(a) * reach, ey = cy + std::sin(a) * reach + droop;
    double sx = cx + std::cos(a) * reach * 0.55, sy = cy + std::sin(a) * reach * 0.55 + droop * 0.4;
    cairo_move_to(cr, sx, sy);
    cairo_line_to(cr, ex, ey);
    cairo_set_line_width(cr, 2);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    SetColor(cr, {0.85, 0.85, 0.85, 0.6 * fade});
    cairo_stroke(cr);
    Twinkle(cr, ex, ey, 4.5 * (1 - t * 0.5), {1, 1, 1, fade});
  }
}
PAINTER("IMAGE_MAP_FIREWORKS", PaintFireworks);

// ---------------------------------------------------------------- buttons

void MapButton(Cel& c, const std::string& text, Rgb face) {
  bool over = c.decl.id.size() > 5 && c.decl.id.compare(c.decl.id.size() - 5, 5, "_OVER") == 0;
  cairo_t* cr = c.cr;
  ButtonPlate(cr, 4, 4, c.w - 8, c.h - 8, face, over, (c.h - 8) * 0.45);
  Title(cr, text, c.w / 2, c.h / 2 - 1, c.w - 40, c.h * 0.42, Palette::kWhite);
  if (over) {
    Twinkle(cr, 16, 14, 6, {1, 1, 0.8, 1});
    Twinkle(cr, c.w - 16, c.h - 16, 6, {1, 1, 0.8, 1});
  }
}
void PaintMapBack(Cel& c) { MapButton(c, "Menu", Hex(0xff7eb3)); }
void PaintMapPlay(Cel& c) { MapButton(c, "Play", Hex(0x4ac04a)); }
void PaintMapContinue(Cel& c) { MapButton(c, "Continue", Hex(0x3ab0ff)); }
void PaintMapNewGame(Cel& c) { MapButton(c, "New Game", Hex(0xff9a2a)); }
PAINTER("IMAGE_MAP_BACK", PaintMapBack);
PAINTER("IMAGE_MAP_BACK_OVER", PaintMapBack);
PAINTER("IMAGE_MAP_PLAY", PaintMapPlay);
PAINTER("IMAGE_MAP_PLAY_OVER", PaintMapPlay);
PAINTER("IMAGE_MAP_CONTINUE", PaintMapContinue);
PAINTER("IMAGE_MAP_CONTINUE_OVER", PaintMapContinue);
PAINTER("IMAGE_MAP_NEW_GAME", PaintMapNewGame);
PAINTER("IMAGE_MAP_NEW_GAME_OVER", PaintMapNewGame);

// Our title logo, top left of the map.
void PaintLogo(Cel& c) {
  cairo_t* cr = c.cr;
  WaffleCone(cr, 36, 44, 34, 62);
  IceScoop(cr, 36, 58, 48, 36, 1);
  IceScoop(cr, 36, 34, 40, 30, 0);
  ScoopTopping(cr, 0, 36, 8, 26);
  Title(cr, "Zovad Uda", 166, 40, 200, 46, Hex(0xff6fa8));
  Title(cr, "Vodiz", 166, 88, 150, 50, Hex(0x3ab0ff));
  Twinkle(cr, 262, 98, 8, {1, 1, 0.7, 1});
}
PAINTER("IMAGE_MAP_LOGO", PaintLogo);

void PaintCompleted(Cel& c) {
  BannerPlate(c.cr, 6, 8, c.w - 12, c.h - 16, Hex(0xffd23a), Hex(0xff8a2a));
  Title(c.cr, "Game completed!", c.w / 2, c.h * 0.45, c.w * 0.72, c.h * 0.36, Hex(0xfff6e0));
  GoldStar(c.cr, c.w * 0.12, c.h * 0.45, 13);
  GoldStar(c.cr, c.w * 0.88, c.h * 0.45, 13);
}
PAINTER("IMAGE_MAP_GAME_COMPLETED", PaintCompleted);

// ---------------------------------------------------------------- speakers

// A speaker's portrait beside the balloon text: cel 0 mouth closed, 1 and
// 2 open in two shapes.
void Portrait(Cel& c, Look look, double headY, double hr) {
  static const Mouth mouths[] = {Mouth::Smile, Mouth::Open, Mouth::Wide};
  Pose p;
  p.view = View::Front;
  p.face.mouth = mouths[c.index % 3];
  p.face.lookX = 0.6;
  p.face.brows = c.index == 0 ? 0 : 0.4;
  double s = hr / HeadRadius(look);
  Vec head = HeadCentre(look, p);
  cairo_save(c.cr);
  cairo_translate(c.cr, c.w / 2, headY);
  cairo_scale(c.cr, s, s);
  cairo_translate(c.cr, -head.x, -head.y);
  DrawPerson(c.cr, look, p);
  cairo_restore(c.cr);
}
void PaintBalloonPemi(Cel& c) { Portrait(c, Cast::Pemi(), 60, 34); }
void PaintBalloonCircus(Cel& c) { Portrait(c, Cast::CircusMan(), 80, 28); }
void PaintBalloonSales(Cel& c) { Portrait(c, Cast::SalesPerson(), 72, 32); }
void PaintBalloonUncle(Cel& c) { Portrait(c, Cast::Uncle(), 70, 30); }
PAINTER("IMAGE_BALLOON_PEMI", PaintBalloonPemi);
PAINTER("IMAGE_BALLOON_CIRCUS", PaintBalloonCircus);
PAINTER("IMAGE_BALLOON_SALES_PERSON", PaintBalloonSales);
PAINTER("IMAGE_BALLOON_UNCLE", PaintBalloonUncle);

void PaintWideBalloon(Cel& c) { BalloonBody(c.cr, 0, 0, c.w, c.h); }
PAINTER("IMAGE_BALLOON_WIDE", PaintWideBalloon);

void PaintWideTails(Cel& c) { BalloonTail(c.cr, c.w, c.h, c.col == 1); }
PAINTER("IMAGE_BALLOON_WIDE_ARROWS", PaintWideTails);

}  // namespace

}  // namespace Plix::DataBuild
