// The main menu (MainMenu group): sky and sea, Pemi's beach ice-cream
// shop with its sign boards (the menu's buttons), the help toucan, Pemi
// herself waving in front, clouds, butterflies and the notice bubble. The
// building, its lower part and the beach are painted from one scene in
// screen pixels, each picture cut out at the place the menu draws it.

#include <cmath>
#include <string>

#include "tools/databuild/Figure.h"
#include "tools/databuild/Food.h"
#include "tools/databuild/Painters.h"
#include "tools/databuild/Props.h"

namespace Plix::DataBuild {

namespace {

// ---------------------------------------------------------------- backdrop

void PaintBackdrop(Cel& c) {
  cairo_t* cr = c.cr;
  cairo_rectangle(cr, 0, 0, 800, 600);
  FillVertical(cr, 0, 330, Hex(0x3aa8f0), Hex(0xc8f0ff));
  SunDisc(cr, 250, 95, 38);
  // Distant islands on the horizon.
  cairo_move_to(cr, 430, 332);
  cairo_curve_to(cr, 470, 300, 520, 296, 560, 332);
  cairo_close_path(cr);
  Fill(cr, Hex(0x6ab0a0));
  cairo_move_to(cr, 540, 332);
  cairo_curve_to(cr, 560, 316, 600, 312, 630, 332);
  cairo_close_path(cr);
  Fill(cr, Hex(0x80c0b0));
  // The sea with glints.
  cairo_rectangle(cr, 0, 330, 800, 270);
  FillVertical(cr, 330, 600, Hex(0x3cc8e8), Hex(0x1278b0));
  Rand rnd(5);
  cairo_set_line_width(cr, 2);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  SetColor(cr, {1, 1, 1, 0.55});
  for (int i = 0; i < 50; ++i) {
    double x = rnd.Uniform(0, 800), y = rnd.Uniform(340, 590);
    cairo_move_to(cr, x, y);
    cairo_line_to(cr, x + rnd.Uniform(8, 26) * (0.5 + (y - 330) / 300), y);
  }
  cairo_stroke(cr);
  cairo_rectangle(cr, 0, 329, 800, 3);
  Fill(cr, {1, 1, 1, 0.5});
}
PAINTER("IMAGE_MAIN_MENU", PaintBackdrop);

void PaintCloud(Cel& c) {
  bool big = c.decl.id == "IMAGE_MAIN_MENU_CLOUD_1";
  CloudPuff(c.cr, c.w / 2, c.h * 0.55, c.w * (big ? 0.46 : 0.45));
}
PAINTER("IMAGE_MAIN_MENU_CLOUD_1", PaintCloud);
PAINTER("IMAGE_MAIN_MENU_CLOUD_2", PaintCloud);

// ---------------------------------------------------------------- scene

void Beach(cairo_t* cr) {
  cairo_new_path(cr);
  cairo_move_to(cr, -10, 400);
  cairo_curve_to(cr, 200, 350, 500, 360, 810, 380);
  cairo_line_to(cr, 810, 620);
  cairo_line_to(cr, -10, 620);
  cairo_close_path(cr);
  FillVertical(cr, 350, 600, Hex(0xfbe6a8), Hex(0xf0c878));
  cairo_new_path(cr);
  cairo_move_to(cr, -10, 400);
  cairo_curve_to(cr, 200, 350, 500, 360, 810, 380);
  cairo_set_line_width(cr, 6);
  SetColor(cr, {1, 1, 1, 0.7});
  cairo_stroke(cr);
  Rand rnd(12);
  for (int i = 0; i < 160; ++i) {
    Ellipse(cr, rnd.Uniform(0, 800), rnd.Uniform(390, 600), 1.4, 0.9);
    Fill(cr, {0.75, 0.55, 0.3, 0.35});
  }
  // Shells and a starfish.
  Ellipse(cr, 340, 570, 7, 5);
  FillStroke(cr, Hex(0xffd0e0), Palette::kInk, 1.2);
  StarPath(cr, 560, 585, 10, 4, 5, 0.3);
  FillStroke(cr, Hex(0xff8a5a), Palette::kInk, 1.2);
}

// The shop: posts for the Story Mode board, a thatched hut with an awning,
// a giant cone on the roof and a wooden deck in front.
void Shop(cairo_t* cr) {
  // Bamboo posts carrying the Story Mode board (76..376 x 24..164).
  for (double x : {96.0, 352.0}) {
    GradientBox(cr, x - 7, 70, 14, 300, 6, Hex(0xe8d080), Hex(0xb89848), Palette::kInk, 2);
    for (double y = 110; y < 370; y += 50) {
      cairo_move_to(cr, x - 7, y);
      cairo_line_to(cr, x + 7, y + 2);
    }
    cairo_set_line_width(cr, 2);
    SetColor(cr, Hex(0x8a7030));
    cairo_stroke(cr);
  }
  // Walls.
  RoundRect(cr, 392, 200, 402, 260, 10);
  FillVertical(cr, 200, 460, Hex(0xfff0d8), Hex(0xf0d8b0));
  cairo_save(cr);
  RoundRect(cr, 392, 200, 402, 260, 10);
  cairo_clip(cr);
  for (double x = 392; x < 800; x += 26) {
    cairo_rectangle(cr, x, 200, 13, 260);
    Fill(cr, WithAlpha(Hex(0xffb0cc), 0.45));
  }
  cairo_restore(cr);
  RoundRect(cr, 392, 200, 402, 260, 10);
  cairo_set_line_width(cr, 2.5);
  SetColor(cr, Palette::kInk);
  cairo_stroke(cr);
  // The serving window under the awning, behind the player board.
  RoundRect(cr, 410, 236, 280, 96, 8);
  FillStroke(cr, Hex(0x7a4a22), Palette::kInk, 2);
  RoundRect(cr, 418, 244, 264, 80, 6);
  FillVertical(cr, 244, 324, Hex(0x4a2a14), Hex(0x6a4020));
  // A door between the lower boards.
  RoundRect(cr, 690, 330, 70, 122, 30);
  FillStroke(cr, Hex(0x8ad0e8), Palette::kInk, 2);
  Ellipse(cr, 750, 394, 3, 3);
  Fill(cr, Palette::kGold);
  // Roof: thatch with a fringe.
  cairo_new_path(cr);
  cairo_move_to(cr, 372, 214);
  cairo_line_to(cr, 420, 128);
  cairo_line_to(cr, 790, 128);
  cairo_line_to(cr, 814, 214);
  cairo_close_path(cr);
  FillVertical(cr, 128, 214, Hex(0xf0d08a), Hex(0xd8a850));
  cairo_save(cr);
  cairo_move_to(cr, 372, 214);
  cairo_line_to(cr, 420, 128);
  cairo_line_to(cr, 790, 128);
  cairo_line_to(cr, 814, 214);
  cairo_close_path(cr);
  cairo_clip(cr);
  Rand rnd(3);
  cairo_set_line_width(cr, 1.3);
  SetColor(cr, Hex(0xb88838));
  for (int i = 0; i < 160; ++i) {
    double x = rnd.Uniform(370, 810), y = rnd.Uniform(130, 214);
    cairo_move_to(cr, x, y);
    cairo_line_to(cr, x - 3, y + 12);
  }
  cairo_stroke(cr);
  cairo_restore(cr);
  cairo_move_to(cr, 372, 214);
  cairo_line_to(cr, 420, 128);
  cairo_line_to(cr, 790, 128);
  cairo_line_to(cr, 814, 214);
  cairo_set_line_width(cr, 2.5);
  SetColor(cr, Palette::kInk);
  cairo_stroke(cr);
  // Fringe and a striped awning.
  for (double x = 372; x < 810; x += 11) {
    cairo_move_to(cr, x, 210);
    cairo_line_to(cr, x + 5.5, 226 + std::fmod(x * 3.7, 6));
    cairo_line_to(cr, x + 11, 210);
  }
  cairo_close_path(cr);
  FillStroke(cr, Hex(0xd8a850), Hex(0x8a6020), 1.2);
  // The giant cone on the roof between the two big boards.
  WaffleCone(cr, 452, 72, 56, 80);
  IceScoop(cr, 452, 90, 74, 52, 1);
  IceScoop(cr, 452, 56, 60, 44, 0);
  ScoopTopping(cr, 0, 452, 14, 40);
  // Deck in front of the shop.
  cairo_new_path(cr);
  cairo_move_to(cr, 380, 452);
  cairo_line_to(cr, 800, 452);
  cairo_line_to(cr, 800, 520);
  cairo_line_to(cr, 360, 520);
  cairo_close_path(cr);
  FillVertical(cr, 452, 520, Hex(0xe0a868), Hex(0xb87840));
  cairo_set_line_width(cr, 1.2);
  SetColor(cr, Hex(0x8a5a2a));
  for (double y = 466; y < 520; y += 14) {
    cairo_move_to(cr, 372, y);
    cairo_line_to(cr, 800, y);
  }
  cairo_stroke(cr);
  cairo_new_path(cr);
  cairo_move_to(cr, 380, 452);
  cairo_line_to(cr, 800, 452);
  cairo_move_to(cr, 360, 520);
  cairo_line_to(cr, 800, 520);
  cairo_set_line_width(cr, 2.2);
  SetColor(cr, Palette::kInk);
  cairo_stroke(cr);
  // Posts under the deck and steps down to the sand.
  for (double x = 380; x < 800; x += 70) {
    cairo_rectangle(cr, x, 520, 12, 46);
    FillStroke(cr, Hex(0x9a6030), Palette::kInk, 1.6);
  }
  for (int i = 0; i < 3; ++i) {
    RoundRect(cr, 470 - i * 6, 520 + i * 16, 110 + i * 12, 14, 3);
    FillStroke(cr, Hex(0xd8a060), Palette::kInk, 1.6);
  }
}

void PaintBeach(Cel& c) {
  cairo_save(c.cr);
  cairo_translate(c.cr, 0, -347);
  Beach(c.cr);
  cairo_restore(c.cr);
}
PAINTER("IMAGE_MAIN_MENU_BEACH", PaintBeach);

// The shop is drawn once in screen coordinates; its two images are bands of it.
void ShopBand(Cel& c, double top, double height) {
  cairo_save(c.cr);
  cairo_translate(c.cr, 0, -top);
  cairo_rectangle(c.cr, 0, top, 800, height);
  cairo_clip(c.cr);
  Shop(c.cr);
  cairo_restore(c.cr);
}

void PaintBuilding(Cel& c) { ShopBand(c, 5, 470); }
PAINTER("IMAGE_MAIN_MENU_BUILDING", PaintBuilding);

void PaintBuilding2(Cel& c) { ShopBand(c, 475, 125); }
PAINTER("IMAGE_MAIN_MENU_BUILDING2", PaintBuilding2);

void PaintBushes(Cel& c) {
  Shrub(c.cr, c.w / 2, c.h - 4, c.w - 6, c.h - 10, Hex(0x4cb848), 44, true);
}
PAINTER("IMAGE_MAIN_MENU_BUSHES", PaintBushes);

// ---------------------------------------------------------------- boards

// A sign board: planks, a frame, the words; over: lit, with a warm glow.
void Board(Cel& c, const std::string& text, Rgb board, Rgb ink, double textTop, double textH) {
  bool over = c.decl.id.size() > 5 &&
              (c.decl.id.compare(c.decl.id.size() - 5, 5, "_OVER") == 0 || c.decl.id == "IMAGE_MAIN_MENU_QUIT_2");
  cairo_t* cr = c.cr;
  Rgb b = over ? Lighter(board, 0.25) : board;
  double w = c.w, h = c.h;
  if (over) {
    RoundRect(cr, 1, 1, w - 2, h - 2, 14);
    FillRadial(cr, w / 2, h / 2, std::max(w, h) * 0.6, {1, 1, 0.7, 0.8}, {1, 0.9, 0.3, 0.0});
  }
  RoundRect(cr, 6, 8, w - 12, h - 12, 12);
  Fill(cr, {0, 0, 0, 0.25});
  RoundRect(cr, 5, 5, w - 10, h - 12, 12);
  FillVertical(cr, 5, h - 7, Lighter(b, 0.25), b);
  cairo_save(cr);
  RoundRect(cr, 5, 5, w - 10, h - 12, 12);
  cairo_clip(cr);
  cairo_set_line_width(cr, 1.2);
  SetColor(cr, WithAlpha(Darker(b, 0.3), 0.5));
  for (double y = 5 + (h - 12) / 3; y < h - 8; y += (h - 12) / 3) {
    cairo_move_to(cr, 5, y);
    cairo_line_to(cr, w - 5, y);
  }
  cairo_stroke(cr);
  cairo_restore(cr);
  RoundRect(cr, 5, 5, w - 10, h - 12, 12);
  cairo_set_line_width(cr, 3);
  SetColor(cr, Palette::kInk);
  cairo_stroke(cr);
  RoundRect(cr, 10, 10, w - 20, h - 22, 9);
  cairo_set_line_width(cr, over ? 3.5 : 2);
  SetColor(cr, over ? Hex(0xffe04a) : WithAlpha(Hex(0xffe6b0), 0.9));
  cairo_stroke(cr);
  if (over) {
    Twinkle(cr, 16, h - 18, 7, {1, 1, 0.8, 1});
    Twinkle(cr, w - 16, 18, 7, {1, 1, 0.8, 1});
  }
  for (double x : {14.0, w - 14}) {
    Ellipse(cr, x, 14, 2.5, 2.5);
    Fill(cr, Darker(b, 0.5));
  }
  if (!text.empty()) Title(cr, text, w / 2, textTop + textH / 2, w - 34, textH, ink);
}

void PaintStoryMode(Cel& c) {
  Board(c, "Story Mode", Hex(0xff8fb1), Hex(0xfff6e0), 22, 64);
  // Flowers on the corners.
  Flower(c.cr, 22, c.h - 22, 9, Hex(0xfff06a));
  Flower(c.cr, c.w - 22, c.h - 22, 9, Hex(0xffffff));
  Title(c.cr, "Pemi's island days", c.w / 2, c.h - 32, c.w - 90, 18, Hex(0x7a2a4a), Face::ComicBold,
        Palette::kWhite);
}
PAINTER("IMAGE_MAIN_MENU_STORY_MODE", PaintStoryMode);
PAINTER("IMAGE_MAIN_MENU_STORY_MODE_OVER", PaintStoryMode);

void PaintHappyMode(Cel& c) {
  Board(c, "Happy Hour", Hex(0x7fd3f7), Hex(0xfff6e0), 26, 50);
  SunDisc(c.cr, c.w - 30, 30, 12);
  Title(c.cr, "Serve the crowd!", c.w / 2, c.h - 30, c.w - 70, 16, Hex(0x1a5a8a), Face::ComicBold, Palette::kWhite);
}
PAINTER("IMAGE_MAIN_MENU_HAPPY_MODE", PaintHappyMode);
PAINTER("IMAGE_MAIN_MENU_HAPPY_MODE_OVER", PaintHappyMode);

// The menu writes "Welcome <name>!" over this board, centred 129 pixels in
// at baseline 31; the board's own words sit below that line.
void PaintChangePlayer(Cel& c) {
  Board(c, "", Hex(0xfff4dc), Palette::kInk, 0, 0);
  RoundRect(c.cr, 18, 42, c.w - 36, 26, 10);
  FillStroke(c.cr, Hex(0xc8ecff), Hex(0x5a78c2), 2);
  Title(c.cr, "Change Player", c.w / 2, 55, c.w - 60, 18, Hex(0x5b5fc2), Face::ComicBold, Palette::kWhite);
}
PAINTER("IMAGE_MAIN_MENU_CHANGE_PLAYER", PaintChangePlayer);
PAINTER("IMAGE_MAIN_MENU_CHANGE_PLAYER_OVER", PaintChangePlayer);

void Gear(cairo_t* cr, double cx, double cy, double r) {
  StarPath(cr, cx, cy, r, r * 0.75, 8, 0.2);
  FillStroke(cr, Hex(0xd8e0e8), Palette::kInk, 1.5);
  Ellipse(cr, cx, cy, r * 0.35, r * 0.35);
  FillStroke(cr, Hex(0x8a98a8), Palette::kInk, 1.2);
}

void PaintOptions(Cel& c) {
  Board(c, "Options", Hex(0xb8e87a), Hex(0xffffff), 50, 28);
  Gear(c.cr, c.w / 2, 32, 16);
}
PAINTER("IMAGE_MAIN_MENU_OPTIONS", PaintOptions);
PAINTER("IMAGE_MAIN_MENU_OPTIONS_OVER", PaintOptions);

void PaintTopSellers(Cel& c) {
  Board(c, "", Hex(0xffd25a), Hex(0xffffff), 0, 0);
  Trophy(c.cr, 1, 2, c.w / 2, 64, 40, 50);
  Title(c.cr, "Best", c.w / 2, 78, c.w - 26, 18, Hex(0x7a4a10), Face::ComicBold, Palette::kWhite);
  Title(c.cr, "Sellers", c.w / 2, 96, c.w - 26, 18, Hex(0x7a4a10), Face::ComicBold, Palette::kWhite);
}
PAINTER("IMAGE_MAIN_MENU_TOP_SELLERS", PaintTopSellers);
PAINTER("IMAGE_MAIN_MENU_TOP_SELLERS_OVER", PaintTopSellers);

// The quit sign stuck in the sand.
void PaintQuit(Cel& c) {
  bool over = c.decl.id == "IMAGE_MAIN_MENU_QUIT_2";
  cairo_t* cr = c.cr;
  cairo_rectangle(cr, c.w / 2 - 6, 50, 12, c.h - 52);
  FillStroke(cr, Hex(0x9a6030), Palette::kInk, 2);
  if (over) {
    RoundRect(cr, 2, 2, c.w - 4, 62, 14);
    FillRadial(cr, c.w / 2, 32, c.w * 0.6, {1, 1, 0.7, 0.8}, {1, 0.9, 0.3, 0.0});
  }
  cairo_new_path(cr);
  cairo_move_to(cr, 8, 12);
  cairo_line_to(cr, c.w - 30, 10);
  cairo_line_to(cr, c.w - 6, 34);
  cairo_line_to(cr, c.w - 30, 58);
  cairo_line_to(cr, 8, 56);
  cairo_close_path(cr);
  FillVerticalStroke(cr, 10, 58, over ? Hex(0xff9a9a) : Hex(0xff6a6a), over ? Hex(0xf05050) : Hex(0xd83a3a), Palette::kInk, 2.5);
  Title(cr, "Quit", c.w / 2 - 10, 34, c.w - 60, 30, Hex(0xfff6e0));
  // A little sand mound at the foot.
  Ellipse(cr, c.w / 2, c.h - 4, 26, 6);
  FillStroke(cr, Hex(0xf0c878), Hex(0xb08840), 1.4);
}
PAINTER("IMAGE_MAIN_MENU_QUIT_1", PaintQuit);
PAINTER("IMAGE_MAIN_MENU_QUIT_2", PaintQuit);

// Additive halos behind the two big boards: white glow on transparent.
void PaintGlow(Cel& c) {
  cairo_t* cr = c.cr;
  bool story = c.decl.id == "IMAGE_MAIN_MENU_STORY_MODE_GLOW";
  // The board sits 7 px in (story) or 9 px in and 21 px down (Happy Hour).
  double x = story ? 7 : 9, y = story ? 8 : 21, w = c.w - 2 * x, h = c.h - y - (story ? 8 : 9);
  for (int i = 8; i >= 1; --i) {
    RoundRect(cr, x - i, y - i, w + 2 * i, h + 2 * i, 12 + i);
    cairo_set_line_width(cr, 2);
    SetColor(cr, {1, 1, 0.85, 0.12 * (9 - i) / 8.0 + 0.04});
    cairo_stroke(cr);
  }
  RoundRect(cr, x, y, w, h, 12);
  Fill(cr, {1, 1, 0.8, 0.18});
}
PAINTER("IMAGE_MAIN_MENU_STORY_MODE_GLOW", PaintGlow);
PAINTER("IMAGE_MAIN_MENU_HAPPY_MODE_GLOW", PaintGlow);

// The notice bubble; the words go into the box (43, 31, 270 x 90) and the
// tail points right, at the Happy Hour board.
void PaintBubble(Cel& c) {
  cairo_t* cr = c.cr;
  cairo_new_path(cr);
  cairo_move_to(cr, 318, 60);
  cairo_line_to(cr, c.w - 2, 48);
  cairo_line_to(cr, 318, 96);
  cairo_close_path(cr);
  FillStroke(cr, Palette::kWhite, Palette::kInk, 3);
  BalloonBody(cr, 20, 12, 310, 140);
  cairo_move_to(cr, 318, 62);
  cairo_line_to(cr, 329, 58);
  cairo_line_to(cr, 318, 94);
  cairo_close_path(cr);
  Fill(cr, Palette::kWhite);
}
PAINTER("IMAGE_MAIN_MENU_BUBBLE", PaintBubble);

// ---------------------------------------------------------------- toucan

// The help figure: a toucan on a post holding a question sign. Pose 0
// waves, 1 rests (the button picture), 2 tilts its head and opens its beak.
void Toucan(cairo_t* cr, int pose) {
  // Post and sign.
  RoundRect(cr, 52, 118, 16, 80, 5);
  FillStroke(cr, Hex(0x9a6030), Palette::kInk, 2);
  RoundRect(cr, 16, 128, 88, 44, 10);
  FillStroke(cr, Hex(0xfff4dc), Palette::kInk, 2.5);
  Title(cr, "Help", 60, 151, 70, 28, Hex(0x3ab0ff));
  // Body.
  double tilt = pose == 2 ? -0.18 : pose == 0 ? 0.1 : 0;
  Ellipse(cr, 60, 92, 26, 32);
  FillStroke(cr, Hex(0x2a2a3a), Palette::kInk, 2);
  Ellipse(cr, 64, 96, 15, 22);
  Fill(cr, Hex(0xfff4dc));
  // Feet on the sign.
  for (double x : {52.0, 68.0}) {
    Ellipse(cr, x, 124, 6, 3.5);
    FillStroke(cr, Hex(0x6ab0e8), Palette::kInk, 1.4);
  }
  // Wing: folded, or raised in a wave.
  cairo_save(cr);
  cairo_translate(cr, 40, 84);
  cairo_rotate(cr, pose == 0 ? -1.4 : 0.15);
  Ellipse(cr, 0, 14, 10, 20);
  FillStroke(cr, Hex(0x3a3a4e), Palette::kInk, 1.8);
  cairo_restore(cr);
  // Head and the big beak.
  cairo_save(cr);
  cairo_translate(cr, 62, 54);
  cairo_rotate(cr, tilt);
  Ellipse(cr, 0, 0, 18, 17);
  FillStroke(cr, Hex(0x2a2a3a), Palette::kInk, 2);
  Ellipse(cr, 5, 2, 10, 8);
  Fill(cr, Hex(0xfff4dc));
  Ellipse(cr, 4, -4, 6, 6);
  FillStroke(cr, Hex(0x6ab0e8), Palette::kInk, 1.2);
  Ellipse(cr, 5, -4, 2.5, 3);
  Fill(cr, Palette::kInk);
  Ellipse(cr, 4.2, -5, 0.9, 0.9);
  Fill(cr, Palette::kWhite);
  double open = pose == 2 ? 0.25 : 0;
  cairo_save(cr);
  cairo_translate(cr, 12, 2);
  cairo_rotate(cr, -open);
  cairo_move_to(cr, 0, -8);
  cairo_curve_to(cr, 20, -14, 40, -8, 48, 4);
  cairo_curve_to(cr, 34, 0, 16, 0, 0, 2);
  cairo_close_path(cr);
  FillStroke(cr, Hex(0xffa82a), Palette::kInk, 1.8);
  cairo_move_to(cr, 36, -7);
  cairo_curve_to(cr, 42, -5, 46, -1, 48, 4);
  cairo_line_to(cr, 40, 1);
  cairo_close_path(cr);
  Fill(cr, Hex(0xe83a3a));
  cairo_restore(cr);
  cairo_save(cr);
  cairo_translate(cr, 12, 2);
  cairo_rotate(cr, open);
  cairo_move_to(cr, 0, 2);
  cairo_curve_to(cr, 16, 4, 34, 4, 46, 5);
  cairo_curve_to(cr, 34, 10, 16, 10, 0, 8);
  cairo_close_path(cr);
  FillStroke(cr, Hex(0xffd23a), Palette::kInk, 1.6);
  cairo_restore(cr);
  cairo_restore(cr);
  if (pose == 2) Title(cr, "?", 100, 30, 18, 26, Hex(0xff5f9a), Face::SansBold);
}

void PaintHelp(Cel& c) { Toucan(c.cr, c.decl.id.back() - '1'); }
PAINTER("IMAGE_MAIN_MENU_HELP_*", PaintHelp);

// ---------------------------------------------------------------- flyers

// Butterflies: cels 0-2 face left with the wings up, level and down; 3-5
// the same facing right. The picture's bottom centre is its path point.
void PaintButterfly(Cel& c) {
  bool second = c.decl.id.back() == '2';
  Rgb wing = second ? Hex(0x5ab0ff) : Hex(0xff8ad0);
  Rgb spot = second ? Hex(0xfff06a) : Hex(0xffffff);
  int flap = c.index % 3;
  bool right = c.index >= 3;
  cairo_t* cr = c.cr;
  cairo_save(cr);
  if (right) {
    cairo_translate(cr, c.w, 0);
    cairo_scale(cr, -1, 1);
  }
  double cx = c.w / 2, cy = c.h * 0.55, s = c.w / 32.0;
  double spread = flap == 0 ? 0.35 : flap == 1 ? 1.0 : 0.6;
  double lift = flap == 0 ? -1 : flap == 1 ? 0 : 0.6;
  for (int side = 0; side < 2; ++side) {
    double sx = side == 0 ? -1 : 1;
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_scale(cr, sx * spread, 1);
    Ellipse(cr, 6 * s, (-6 + lift * 3) * s, 8 * s, 7 * s);
    FillStroke(cr, wing, Palette::kInk, 1.2);
    Ellipse(cr, 5 * s, (5 + lift) * s, 5.5 * s, 5 * s);
    FillStroke(cr, Darker(wing, 0.15), Palette::kInk, 1.2);
    Ellipse(cr, 7 * s, (-6 + lift * 3) * s, 3 * s, 2.5 * s);
    Fill(cr, spot);
    cairo_restore(cr);
  }
  RoundRect(cr, cx - 1.8 * s, cy - 9 * s, 3.6 * s, 17 * s, 1.8 * s);
  FillStroke(cr, Hex(0x3a2a2a), Palette::kInk, 1);
  // Head and feelers towards the left.
  Ellipse(cr, cx - 1 * s, cy - 10 * s, 2.6 * s, 2.6 * s);
  Fill(cr, Hex(0x3a2a2a));
  cairo_move_to(cr, cx - 1.5 * s, cy - 12 * s);
  cairo_curve_to(cr, cx - 4 * s, cy - 15 * s, cx - 7 * s, cy - 15 * s, cx - 8 * s, cy - 14 * s);
  cairo_move_to(cr, cx - 0.5 * s, cy - 12 * s);
  cairo_curve_to(cr, cx - 1 * s, cy - 16 * s, cx - 3 * s, cy - 17 * s, cx - 4 * s, cy - 16 * s);
  cairo_set_line_width(cr, 1);
  SetColor(cr, Palette::kInk);
  cairo_stroke(cr);
  cairo_restore(cr);
}
PAINTER("IMAGE_MAIN_MENU_BUTTERFLY_1", PaintButterfly);
PAINTER("IMAGE_MAIN_MENU_BUTTERFLY_2", PaintButterfly);

// ---------------------------------------------------------------- Pemi

// Pemi in front of her shop, waving: one figure cut into a top part (eyes
// in the blink cel at (103, 97)) and a bottom part drawn under it.
Portrait MenuPortrait() {
  Look look = Cast::Pemi();
  look.headScale = 0.86;
  look.eyeSize = 0.95;
  Pose p;
  p.view = View::Front;
  p.face.mouth = Mouth::Grin;
  p.hairSwing = 0.4;
  Vec sh0 = ShoulderPoint(look, p, 0), sh1 = ShoulderPoint(look, p, 1);
  p.hands[0] = sh0 + Vec{-12, 24};
  p.hands[1] = sh1 + Vec{24, -16};
  p.handSet[0] = p.handSet[1] = true;
  return {look, p, 3.35, {133, 109.5}};
}

void PaintPemiPart(Cel& c) {
  DrawPortrait(c.cr, MenuPortrait(), c.decl.id == "IMAGE_MAIN_MENU_PEMI_TOP" ? 0 : 220);
}
PAINTER("IMAGE_MAIN_MENU_PEMI_TOP", PaintPemiPart);
PAINTER("IMAGE_MAIN_MENU_PEMI_BOTTOM", PaintPemiPart);

void PaintPemiBlink(Cel& c) {
  DrawPortraitBlink(c.cr, MenuPortrait(), {103, 97}, c.index == 0 ? Eyes::Half : Eyes::Shut);
}
PAINTER("IMAGE_MAIN_MENU_PEMI_BLINKING", PaintPemiBlink);

}  // namespace

}  // namespace Plix::DataBuild
