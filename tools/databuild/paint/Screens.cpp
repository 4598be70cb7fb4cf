// Full-screen backdrops and the pieces every screen shares: the loader,
// the cursors, the six play-field grounds and the scene rooms.

#include <cmath>

#include "tools/databuild/Painters.h"

namespace Plix::DataBuild {

namespace {

void Sky(cairo_t* cr, double w, double h, Rgb top, Rgb bottom) {
  cairo_rectangle(cr, 0, 0, w, h);
  FillVertical(cr, 0, h, top, bottom);
}

void Cloud(cairo_t* cr, double cx, double cy, double s, double alpha = 1.0) {
  const double puffs[6][3] = {{-0.55, 0.1, 0.32}, {-0.25, -0.15, 0.42}, {0.15, -0.22, 0.45},
                              {0.5, 0.02, 0.34}, {0.0, 0.12, 0.4}, {-0.3, 0.15, 0.3}};
  for (auto& p : puffs) Ellipse(cr, cx + p[0] * s, cy + p[1] * s + s * 0.05, p[2] * s, p[2] * s * 0.85);
  Fill(cr, {0.55, 0.75, 0.9, 0.35 * alpha});
  for (auto& p : puffs) Ellipse(cr, cx + p[0] * s, cy + p[1] * s, p[2] * s, p[2] * s * 0.85);
  Fill(cr, {1, 1, 1, alpha});
}

void Sun(cairo_t* cr, double cx, double cy, double r) {
  SoftOval(cr, cx, cy, r * 2.2, r * 2.2, {1, 0.95, 0.6, 0.5});
  Ellipse(cr, cx, cy, r, r);
  FillRadial(cr, cx - r * 0.3, cy - r * 0.3, r * 1.3, Hex(0xfff7b0), Hex(0xffc83a));
}

void Palm(cairo_t* cr, double x, double base, double h, double lean) {
  cairo_move_to(cr, x, base);
  cairo_curve_to(cr, x + lean * 0.3, base - h * 0.4, x + lean * 0.8, base - h * 0.8, x + lean, base - h);
  cairo_set_line_width(cr, h * 0.07);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  SetColor(cr, Hex(0x8a5a2a));
  cairo_stroke(cr);
  double tx = x + lean, ty = base - h;
  for (int i = 0; i < 7; ++i) {
    double a = -M_PI + i * M_PI / 6 + 0.1;
    double ex = tx + std::cos(a) * h * 0.45, ey = ty + std::sin(a) * h * 0.2 + h * 0.12;
    cairo_move_to(cr, tx, ty);
    cairo_curve_to(cr, tx + std::cos(a) * h * 0.2, ty - h * 0.12, ex - std::cos(a) * h * 0.05, ey - h * 0.1, ex, ey);
    cairo_curve_to(cr, ex - std::cos(a) * h * 0.1, ey - h * 0.02, tx + std::cos(a) * h * 0.15, ty + h * 0.02, tx, ty);
    FillStroke(cr, Hex(0x3fae3a), Hex(0x1f6a1c), 1.5);
  }
  for (int i = 0; i < 3; ++i) {
    Ellipse(cr, tx - 5 + i * 6, ty + 6 + (i % 2) * 3, 5, 5);
    Fill(cr, Hex(0x6a4a1a));
  }
}

void Bush(cairo_t* cr, double cx, double base, double w, Rgb c) {
  for (int i = 0; i < 5; ++i) {
    double x = cx - w * 0.4 + i * w * 0.2, r = w * (0.2 + 0.05 * (i % 2));
    Ellipse(cr, x, base - r * 0.9, r, r * 0.9);
  }
  FillStroke(cr, c, Darker(c, 0.45), 2);
}

void Stand(cairo_t* cr, double cx, double foot, double top, Rgb cloth) {
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
void Ground(cairo_t* cr, Rgb far, Rgb near, Rgb path, uint32_t seed, bool grass) {
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
  Stand(cr, 752, 296, 228, Hex(0xffe066));  // screen y 330 and 262
  Stand(cr, 40, 302, 234, Hex(0xff9ec4));   // screen y 336 and 268
}

void PaintBackground(Cel& c) {
  cairo_t* cr = c.cr;
  int area = c.decl.id.back() - '0';
  switch (area) {
    case 1:  // park
      Ground(cr, Hex(0x9be06a), Hex(0x62c04a), Hex(0xf0d9a0), 11, true);
      for (int i = 0; i < 6; ++i) Flower(cr, 100 + i * 130, 60 + (i % 2) * 240, 6, Hex(0xff8fc0));
      break;
    case 2:  // zoo
      Ground(cr, Hex(0xb7d86a), Hex(0x86c052), Hex(0xe6c88c), 22, true);
      break;
    case 3:  // ruins
      Ground(cr, Hex(0xf1deb0), Hex(0xd9bd84), Hex(0xfff1cc), 33, false);
      cairo_set_line_width(cr, 1);
      SetColor(cr, {0.55, 0.42, 0.25, 0.35});
      for (int y = 20; y < 566; y += 40)
        for (int x = (y / 40) % 2 * 30; x < 800; x += 60) {
          cairo_rectangle(cr, x, y, 60, 40);
          cairo_stroke(cr);
        }
      break;
    case 4:  // fair
      Ground(cr, Hex(0xa4dc84), Hex(0x76c05c), Hex(0xffd6a0), 44, true);
      for (int i = 0; i < 12; ++i) {
        Ellipse(cr, 40 + i * 68, 20, 10, 10);
        Fill(cr, i % 2 ? Hex(0xff5a5a) : Hex(0xffe25a));
      }
      break;
    case 5:  // beach
      Ground(cr, Hex(0xfff0bf), Hex(0xf5d98e), Hex(0xfff7dc), 55, false);
      break;
    default:  // hotel terrace
      Ground(cr, Hex(0xe9e4da), Hex(0xd2c8b6), Hex(0xfaf6ee), 66, false);
      cairo_set_line_width(cr, 1.2);
      SetColor(cr, {0.6, 0.55, 0.45, 0.5});
      for (int x = 0; x <= 800; x += 50) {
        cairo_move_to(cr, x, 0);
        cairo_line_to(cr, x, 566);
      }
      for (int y = 0; y <= 566; y += 50) {
        cairo_move_to(cr, 0, y);
        cairo_line_to(cr, 800, y);
      }
      cairo_stroke(cr);
      break;
  }
}
PAINTER("IMAGE_BACKGROUND_*", PaintBackground);

void PaintLoading(Cel& c) {
  cairo_t* cr = c.cr;
  Sky(cr, 800, 600, Hex(0x58c4f0), Hex(0xbfeaff));
  Sun(cr, 660, 110, 46);
  Cloud(cr, 170, 120, 120);
  Cloud(cr, 480, 70, 90, 0.9);
  cairo_rectangle(cr, 0, 380, 800, 220);
  FillVertical(cr, 380, 600, Hex(0x2fb6d8), Hex(0x1680b0));
  Ellipse(cr, 400, 470, 330, 70);
  Fill(cr, Palette::kSand);
  Palm(cr, 180, 470, 200, 40);
  Palm(cr, 630, 470, 170, -35);
  TextStyle title{Face::Lobster, 86, Hex(0xff6fa8), Palette::kWhite, 4};
  Text(cr, title, 400, 230, "Zovad Uda Vodiz");
  TextStyle sub{Face::ComicBold, 28, Palette::kInk, Palette::kWhite, 3};
  Text(cr, sub, 400, 285, "Pemi's ice-cream island");
  // The empty slot the loading bar fills (at 255, 463, 290 x 24).
  RoundRect(cr, 249, 457, 302, 36, 16);
  FillStroke(cr, Hex(0x7a4a22), Palette::kInk, 3);
  RoundRect(cr, 255, 463, 290, 24, 12);
  Fill(cr, Hex(0x3a2010));
  TextStyle loading{Face::ComicBold, 22, Palette::kWhite, Palette::kInk, 2.5};
  Text(cr, loading, 400, 530, "Loading...");
}
PAINTER("IMAGE_LOADING", PaintLoading);

void PaintLoadingBar(Cel& c) {
  cairo_t* cr = c.cr;
  RoundRect(cr, 0.5, 0.5, c.w - 1, c.h - 1, c.h / 2);
  FillVertical(cr, 0, c.h, Hex(0xffb6d6), Hex(0xff5a9c));
  // Scoop-coloured stripes.
  cairo_save(cr);
  RoundRect(cr, 0.5, 0.5, c.w - 1, c.h - 1, c.h / 2);
  cairo_clip(cr);
  for (int i = 0; i < 30; ++i) {
    cairo_move_to(cr, i * 20, c.h);
    cairo_line_to(cr, i * 20 + 10, 0);
    cairo_line_to(cr, i * 20 + 20, 0);
    cairo_line_to(cr, i * 20 + 10, c.h);
    cairo_close_path(cr);
  }
  Fill(cr, {1, 1, 1, 0.25});
  cairo_restore(cr);
  Gloss(cr, 0, 0, c.w, c.h, c.h / 2, 0.5);
}
PAINTER("IMAGE_LOADING_BAR", PaintLoadingBar);

void PaintPointer(Cel& c) {
  cairo_t* cr = c.cr;
  // The tip is the centre pixel; the arrow fills the lower-right quarter.
  double x = c.w / 2, y = c.h / 2;
  cairo_move_to(cr, x, y);
  cairo_line_to(cr, x, y + 14);
  cairo_line_to(cr, x + 4, y + 11);
  cairo_line_to(cr, x + 7, y + 15);
  cairo_line_to(cr, x + 9, y + 14);
  cairo_line_to(cr, x + 6.5, y + 10);
  cairo_line_to(cr, x + 11, y + 10);
  cairo_close_path(cr);
  FillStroke(cr, Palette::kWhite, Palette::kInk, 1.3);
}
PAINTER("IMAGE_MOUSE_POINTER", PaintPointer);

void PaintHand(Cel& c) {
  cairo_t* cr = c.cr;
  // A pointing hand whose fingertip is the centre pixel.
  double x = c.w / 2, y = c.h / 2;
  cairo_move_to(cr, x - 2.5, y + 1);
  cairo_line_to(cr, x - 2.5, y + 8);
  cairo_line_to(cr, x - 6, y + 7);
  cairo_curve_to(cr, x - 9, y + 7, x - 9, y + 10, x - 6, y + 12);
  cairo_line_to(cr, x - 1, y + 15);
  cairo_line_to(cr, x + 8, y + 15);
  cairo_line_to(cr, x + 10, y + 9);
  cairo_line_to(cr, x + 10, y + 6);
  cairo_line_to(cr, x + 2.5, y + 5);
  cairo_line_to(cr, x + 2.5, y + 1);
  cairo_curve_to(cr, x + 2.5, y - 1.5, x - 2.5, y - 1.5, x - 2.5, y + 1);
  cairo_close_path(cr);
  FillStroke(cr, Hex(0xffe2c4), Palette::kInk, 1.3);
  cairo_set_line_width(cr, 1);
  for (int i = 0; i < 2; ++i) {
    cairo_move_to(cr, x + 3 + i * 3, y + 6);
    cairo_line_to(cr, x + 3 + i * 3, y + 9);
  }
  cairo_stroke(cr);
}
PAINTER("IMAGE_MOUSE_HAND", PaintHand);


void PaintMap(Cel& c) {
  cairo_t* cr = c.cr;
  cairo_rectangle(cr, 0, 0, 800, 600);
  FillVertical(cr, 0, 600, Hex(0x36b6e0), Hex(0x1a86c0));
  // The island.
  cairo_move_to(cr, 110, 520);
  cairo_curve_to(cr, 40, 420, 60, 250, 140, 190);
  cairo_curve_to(cr, 240, 110, 420, 90, 540, 120);
  cairo_curve_to(cr, 700, 160, 760, 300, 740, 420);
  cairo_curve_to(cr, 720, 540, 520, 570, 330, 560);
  cairo_curve_to(cr, 220, 555, 150, 560, 110, 520);
  cairo_close_path(cr);
  cairo_save(cr);
  cairo_set_line_width(cr, 26);
  SetColor(cr, Palette::kSand);
  cairo_stroke_preserve(cr);
  FillVertical(cr, 90, 570, Hex(0x8ed86a), Hex(0x5ab84a));
  cairo_restore(cr);
  // Beach (bottom right) and ruins plaza (top).
  Ellipse(cr, 640, 430, 110, 60);
  Fill(cr, Palette::kSand);
  Ellipse(cr, 400, 150, 90, 40);
  Fill(cr, Hex(0xe8d4a0));
  // The path through the fifty days.
  const double pts[][2] = {{225, 497}, {266, 405}, {244, 349}, {153, 294}, {158, 248}, {247, 190},
                           {342, 170}, {453, 157}, {494, 188}, {456, 226}, {515, 279}, {615, 306},
                           {689, 362}, {689, 404}, {621, 452}, {471, 492}, {383, 483}, {377, 448},
                           {428, 418}, {413, 381}};
  cairo_move_to(cr, pts[0][0], pts[0][1]);
  for (size_t i = 1; i < sizeof(pts) / sizeof(pts[0]); ++i) cairo_line_to(cr, pts[i][0], pts[i][1]);
  cairo_set_line_width(cr, 12);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  SetColor(cr, Hex(0xf6e2b0));
  cairo_stroke(cr);
  // Ruin statue, coaster, elephant, beach ball spot.
  RoundRect(cr, 385, 110, 30, 50, 6);
  FillStroke(cr, Hex(0xb8a888), Palette::kInk, 2);
  Ellipse(cr, 225, 300, 24, 16);
  FillStroke(cr, Hex(0xa0a8b8), Palette::kInk, 2);
  Ellipse(cr, 203, 296, 9, 9);
  FillStroke(cr, Hex(0xa0a8b8), Palette::kInk, 2);
  cairo_move_to(cr, 500, 235);
  cairo_curve_to(cr, 510, 180, 530, 180, 540, 235);
  cairo_set_line_width(cr, 4);
  SetColor(cr, Hex(0xd04040));
  cairo_stroke(cr);
  // Header plaques: day (77,171), lives, score, cash (x 489, 604, 722; baseline 50).
  for (double x : {489.0, 604.0, 722.0}) {
    RoundRect(cr, x - 50, 26, 100, 32, 10);
    FillStroke(cr, Palette::kCream, Palette::kWoodDark, 2.5);
  }
  RoundRect(cr, 40, 150, 74, 34, 10);
  FillStroke(cr, Hex(0x5a3a22), Palette::kInk, 2.5);
}
PAINTER("IMAGE_MAP", PaintMap);

// Rooms of the scene screens: a wall, a floor and the screen's own props.
void Room(cairo_t* cr, Rgb wall, Rgb floor, double floorY) {
  cairo_rectangle(cr, 0, 0, 800, floorY);
  FillVertical(cr, 0, floorY, Lighter(wall, 0.2), wall);
  cairo_rectangle(cr, 0, floorY, 800, 600 - floorY);
  FillVertical(cr, floorY, 600, floor, Darker(floor, 0.25));
  cairo_set_line_width(cr, 1.5);
  SetColor(cr, WithAlpha(Darker(floor, 0.4), 0.5));
  for (int x = -400; x < 1200; x += 70) {
    cairo_move_to(cr, 400 + (x - 400) * 0.45, floorY);
    cairo_line_to(cr, x, 600);
  }
  cairo_stroke(cr);
}

void PaintStore(Cel& c) {
  cairo_t* cr = c.cr;
  Room(cr, Hex(0xffd9a8), Hex(0xc08850), 300);
  for (int i = 0; i < 3; ++i) {
    cairo_rectangle(cr, 20 + i * 250, 110 + (i == 1) * 40, 230, 10);
    FillStroke(cr, Palette::kWood, Palette::kWoodDark, 2);
  }
  RoundRect(cr, 380, 330, 200, 150, 10);  // the counter
  FillStroke(cr, Hex(0x9a5a2a), Palette::kInk, 3);
  RoundRect(cr, 100, 44, 150, 40, 10);     // cash plate around (176,72)
  FillStroke(cr, Hex(0x5a3a22), Palette::kInk, 2.5);
  TextStyle sign{Face::Lobster, 44, Hex(0xff6fa8), Palette::kWhite, 3};
  Text(cr, sign, 470, 60, "Island Store");
}
PAINTER("IMAGE_STORE", PaintStore);

void PaintCircus(Cel& c) {
  cairo_t* cr = c.cr;
  Sky(cr, 800, 600, Hex(0x5ac0f0), Hex(0xd0f4ff));
  cairo_rectangle(cr, 0, 420, 800, 180);
  FillVertical(cr, 420, 600, Hex(0x8ed06a), Hex(0x5aa84a));
  // The tent at the left with stripes.
  cairo_move_to(cr, -20, 600);
  cairo_line_to(cr, -20, 250);
  cairo_line_to(cr, 160, 130);
  cairo_line_to(cr, 260, 330);
  cairo_line_to(cr, 260, 600);
  cairo_close_path(cr);
  FillStroke(cr, Hex(0xff5a5a), Palette::kInk, 3);
  for (int i = 0; i < 5; ++i) {
    cairo_move_to(cr, 160, 130);
    cairo_line_to(cr, -20 + i * 60, 600);
    cairo_line_to(cr, 10 + i * 60, 600);
    cairo_close_path(cr);
  }
  Fill(cr, {1, 1, 1, 0.7});
  cairo_rectangle(cr, 0, 354, 100, 246);
  Fill(cr, Hex(0x3a1a3a));
  // The bench, the booth and the fruit stand.
  RoundRect(cr, 165, 470, 140, 14, 5);
  FillStroke(cr, Palette::kWood, Palette::kWoodDark, 2);
  RoundRect(cr, 380, 300, 170, 230, 12);
  FillStroke(cr, Hex(0xffd25a), Palette::kInk, 3);
  RoundRect(cr, 516, 500, 254, 30, 8);
  FillStroke(cr, Palette::kWood, Palette::kWoodDark, 2);
  RoundRect(cr, 100, 50, 150, 40, 10);
  FillStroke(cr, Hex(0x5a3a22), Palette::kInk, 2.5);
}
PAINTER("IMAGE_CIRCUS", PaintCircus);

void PaintContestRoom(Cel& c) {
  cairo_t* cr = c.cr;
  Room(cr, Hex(0xc8e4f0), Hex(0xd8b078), 260);
  RoundRect(cr, 150, 260, 500, 30, 6);  // judges' table
  FillStroke(cr, Hex(0xffffff), Hex(0x8aa0b0), 2);
  RoundRect(cr, 180, 420, 420, 40, 8);  // workbench
  FillStroke(cr, Palette::kWood, Palette::kWoodDark, 2);
  cairo_rectangle(cr, 580, 130, 110, 10);  // shelf for the fruit balls
  FillStroke(cr, Palette::kWood, Palette::kWoodDark, 2);
}
PAINTER("IMAGE_FLAVOR_CONTEST", PaintContestRoom);

void PaintTrophyRoom(Cel& c) {
  cairo_t* cr = c.cr;
  Room(cr, Hex(0x8a5a8a), Hex(0xb07040), 380);
  const double spots[][2] = {{119, 108}, {570, 137}, {83, 260}, {619, 275}, {153, 257},
                             {496, 146}, {195, 147}, {491, 266}, {216, 269}, {551, 262}};
  for (auto& s : spots) {
    RoundRect(cr, s[0] - 6, s[1] + 82, 80, 12, 4);
    FillStroke(cr, Palette::kWood, Palette::kWoodDark, 2);
  }
  cairo_arc(cr, 380, 190, 95, M_PI, 2 * M_PI);
  cairo_set_line_width(cr, 10);
  SetColor(cr, Hex(0xe0b84a));
  cairo_stroke(cr);
  RoundRect(cr, 279, 398, 200, 50, 8);  // name plaque
  FillStroke(cr, Palette::kCream, Palette::kWoodDark, 2.5);
  Ellipse(cr, 160, 470, 20, 16);  // mouse hole
  Fill(cr, Hex(0x2a1a10));
}
PAINTER("IMAGE_TROPHY_ROOM", PaintTrophyRoom);

void PaintBestSellers(Cel& c) {
  cairo_t* cr = c.cr;
  Sky(cr, 800, 600, Hex(0x7a4ad0), Hex(0xff8ac0));
  RoundRect(cr, 140, 130, 540, 310, 24);
  FillStroke(cr, Hex(0x3a2060), Palette::kInk, 4);
  RoundRect(cr, 250, 138, 316, 40, 14);
  FillStroke(cr, Palette::kCream, Palette::kInk, 2);
  TextStyle t{Face::Lobster, 54, Palette::kGold, Palette::kInk, 3};
  Text(cr, t, 410, 100, "Best Sellers");
}
PAINTER("IMAGE_BESTSELLERS", PaintBestSellers);

}  // namespace

}  // namespace Plix::DataBuild
