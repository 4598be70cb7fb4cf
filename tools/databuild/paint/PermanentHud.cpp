// The head-up display of a day (Permanent group): the wafer bar with its
// panels for the day, the retries, the money and the goal, the chocolate
// drips, the menu button, the day clock with its hour dots and spoon hand,
// and the captions laid over the bar. The game writes the figures.

#include <algorithm>
#include <cmath>
#include <string>

#include "tools/databuild/Painters.h"

namespace Plix::DataBuild {

namespace {

const Rgb kWafer = Hex(0xf0c47a);
const Rgb kWaferDark = Hex(0xc8904a);
const Rgb kChocolate = Hex(0x5a2e14);
const Rgb kPanel = Hex(0xfff4dc);

void Heart(cairo_t* cr, double cx, double cy, double s) {
  cairo_new_path(cr);
  cairo_move_to(cr, cx, cy + s * 0.95);
  cairo_curve_to(cr, cx - s * 1.5, cy - s * 0.05, cx - s * 0.8, cy - s * 1.15, cx, cy - s * 0.45);
  cairo_curve_to(cr, cx + s * 0.8, cy - s * 1.15, cx + s * 1.5, cy - s * 0.05, cx, cy + s * 0.95);
  cairo_close_path(cr);
}

// The panels that the figures sit in; the money and goal panels straddle
// the bar's lower edge and continue in the bottom rim picture.
void ValuePanel(cairo_t* cr, double x0, double x1, double y0, double y1) {
  RoundRect(cr, x0, y0 + 2, x1 - x0, y1 - y0, 10);
  Fill(cr, {0, 0, 0, 0.25});
  GradientBox(cr, x0, y0, x1 - x0, y1 - y0, 10, Palette::kWhite, kPanel, Palette::kInk, 2);
}

void Caption(cairo_t* cr, const std::string& text, double cx, double cy, double w, double h, Rgb c) {
  TextStyle s{Face::ComicBold, h, c, Palette::kWhite, 2};
  FitText(cr, s, cx, cy, w, h, text);
}

void PaintInterface(Cel& c) {
  cairo_t* cr = c.cr;
  // The wafer band with its grid.
  cairo_rectangle(cr, 0, 0, 800, 34);
  FillVertical(cr, 0, 34, Lighter(kWafer, 0.15), kWafer);
  cairo_save(cr);
  cairo_rectangle(cr, 0, 0, 800, 34);
  cairo_clip(cr);
  cairo_set_line_width(cr, 1.5);
  SetColor(cr, WithAlpha(kWaferDark, 0.6));
  for (double x = -40; x < 840; x += 12) {
    cairo_move_to(cr, x, 0);
    cairo_line_to(cr, x + 34, 34);
    cairo_move_to(cr, x + 34, 0);
    cairo_line_to(cr, x, 34);
  }
  cairo_stroke(cr);
  cairo_restore(cr);
  cairo_rectangle(cr, 0, 30, 800, 4);
  Fill(cr, kWaferDark);
  cairo_move_to(cr, 0, 33);
  cairo_line_to(cr, 800, 33);
  cairo_set_line_width(cr, 2);
  SetColor(cr, Palette::kInk);
  cairo_stroke(cr);
  // Day: a pink pill with its caption; the white figure sits at x 160.
  Caption(cr, "Day", 108, 17, 40, 16, kChocolate);
  RoundRect(cr, 132, 3, 56, 25, 12);
  FillStroke(cr, Hex(0xff5f9a), Palette::kInk, 2);
  Gloss(cr, 132, 3, 56, 25, 12, 0.35);
  // Retries: a red heart behind the white figure at x 288.
  Heart(cr, 288, 15, 15);
  FillStroke(cr, Hex(0xf03a4a), Palette::kInk, 2);
  SoftOval(cr, 281, 8, 5, 3, {1, 1, 1, 0.55});
  Caption(cr, "Tries", 236, 17, 40, 14, kChocolate);
  // Money: a coin and the panel round x 452.
  Coin(cr, 398, 18, 10, 0);
  ValuePanel(cr, 414, 492, 12, 48);
  // Goal: its caption (covered by the expert and place labels) and panel.
  Caption(cr, "Goal", 548, 26, 90, 20, Hex(0x99015b));
  ValuePanel(cr, 604, 686, 12, 48);
  // The clock's nook.
  RoundRect(cr, 716, -10, 90, 40, 14);
  Fill(cr, WithAlpha(kWaferDark, 0.7));
}
PAINTER("IMAGE_GAME_INTERFACE", PaintInterface);

// The lower rim: the lower halves of the money and goal panels (the
// figures' baseline is y 38) and a scalloped wafer edge.
void PaintInterfaceBottom(Cel& c) {
  cairo_t* cr = c.cr;
  cairo_save(cr);
  cairo_translate(cr, 0, -34);
  cairo_rectangle(cr, 0, 34, 800, 30);
  cairo_clip(cr);
  ValuePanel(cr, 414, 492, 12, 48);
  ValuePanel(cr, 604, 686, 12, 48);
  cairo_restore(cr);
  for (double x = 0; x < 800; x += 20) {
    if ((x > 404 && x < 500) || (x > 594 && x < 694)) continue;
    cairo_new_path(cr);
    cairo_arc(cr, x + 10, 0, 10, 0, M_PI);
    FillStroke(cr, kWaferDark, Palette::kInk, 1.5);
  }
}
PAINTER("IMAGE_GAME_INTERFACE_BOTTOM", PaintInterfaceBottom);

// Chocolate poured over the top edge, dripping over the bar and the menu.
void PaintChocolate(Cel& c) {
  cairo_t* cr = c.cr;
  Rand rnd(21);
  cairo_new_path(cr);
  cairo_move_to(cr, 0, 0);
  cairo_line_to(cr, 800, 0);
  cairo_line_to(cr, 800, 5);
  double x = 800;
  while (x > 0) {
    double w = rnd.Uniform(14, 34), len = rnd.Uniform(2, x < 90 ? 22 : 12);
    double nx = std::max(0.0, x - w);
    double mid = (x + nx) / 2;
    // Over the menu's word only short drips, so that it stays readable.
    if (mid > 10 && mid < 72) len = std::min(len, 6.0);
    cairo_curve_to(cr, x - w * 0.2, 5, mid + w * 0.25, 5 + len * 0.2, mid + w * 0.18, 5 + len);
    cairo_curve_to(cr, mid + w * 0.15, 9 + len, mid - w * 0.15, 9 + len, mid - w * 0.18, 5 + len);
    cairo_curve_to(cr, mid - w * 0.25, 5 + len * 0.2, nx + w * 0.2, 5, nx, 5);
    x = nx;
  }
  cairo_close_path(cr);
  cairo_path_t* path = cairo_copy_path(cr);
  FillVertical(cr, 0, 30, Hex(0x7a4424), kChocolate);
  cairo_append_path(cr, path);
  cairo_set_line_width(cr, 1.5);
  SetColor(cr, Hex(0x2a1004));
  cairo_stroke(cr);
  cairo_path_destroy(path);
  // Shine along the top.
  cairo_rectangle(cr, 0, 1, 800, 1.5);
  Fill(cr, {1, 1, 1, 0.3});
  Rand shine(8);
  for (int i = 0; i < 30; ++i) {
    double sx = shine.Uniform(0, 800);
    SoftOval(cr, sx, 3, 5, 1.2, {1, 1, 1, 0.35});
  }
}
PAINTER("IMAGE_GAME_INTERFACE_CHOCOLATE", PaintChocolate);

void MenuButton(cairo_t* cr, bool over) {
  // The visible button lies at (4..76, 7..43) of the picture.
  ButtonPlate(cr, 8, 10, 66, 34, over ? Hex(0xffb0d0) : Hex(0xff7eb3), over, 14);
  Title(cr, "Menu", 41, 26, 52, 18, Palette::kWhite, Face::ComicBold);
}

void PaintMenu(Cel& c) { MenuButton(c.cr, c.decl.id == "IMAGE_GAME_INTERFACE_MENU_OVER"); }
PAINTER("IMAGE_GAME_INTERFACE_MENU", PaintMenu);
PAINTER("IMAGE_GAME_INTERFACE_MENU_OVER", PaintMenu);

// The clock face: its centre falls on (761, 31), that is (37, 24) here.
void PaintClock(Cel& c) {
  cairo_t* cr = c.cr;
  double cx = 37, cy = 24;
  Ellipse(cr, cx, cy + 2, 23, 22);
  Fill(cr, {0, 0, 0, 0.25});
  Ellipse(cr, cx, cy, 23, 22);
  FillStroke(cr, Hex(0xff9ec4), Palette::kInk, 2);
  Ellipse(cr, cx, cy, 17, 16.5);
  FillRadial(cr, cx - 5, cy - 5, 20, Palette::kWhite, Hex(0xfff0d0));
  Ellipse(cr, cx, cy, 17, 16.5);
  cairo_set_line_width(cr, 1.5);
  SetColor(cr, Palette::kInk);
  cairo_stroke(cr);
  for (int i = 0; i < 12; ++i) {
    double a = i * M_PI / 6;
    cairo_move_to(cr, cx + std::sin(a) * 13, cy - std::cos(a) * 13);
    cairo_line_to(cr, cx + std::sin(a) * 15.5, cy - std::cos(a) * 15.5);
  }
  cairo_set_line_width(cr, 1.2);
  SetColor(cr, Hex(0xc06080));
  cairo_stroke(cr);
}
PAINTER("IMAGE_GAME_INTERFACE_CLOCK", PaintClock);

// Hour dots: candy buttons in turning colours.
void PaintClockBlob(Cel& c) {
  static const uint32_t colours[] = {0xff4a6a, 0xffd23a, 0x4ac0ff, 0x6ad04a, 0xb05ae0, 0xff8a3a};
  Rgb col = Hex(colours[c.index % 6]);
  Ellipse(c.cr, c.w / 2, c.h / 2, 5.5, 5.5);
  FillRadial(c.cr, c.w / 2 - 2, c.h / 2 - 2, 7, Lighter(col, 0.5), col);
  Ellipse(c.cr, c.w / 2, c.h / 2, 5.5, 5.5);
  cairo_set_line_width(c.cr, 1.3);
  SetColor(c.cr, Palette::kInk);
  cairo_stroke(c.cr);
  Ellipse(c.cr, c.w / 2 - 1.8, c.h / 2 - 1.8, 1.6, 1.2);
  Fill(c.cr, {1, 1, 1, 0.9});
}
PAINTER("IMAGE_GAME_INTERFACE_CLOCK_BLOBS", PaintClockBlob);

// The spoon hand, turned 10 degrees per cel clockwise from twelve, about
// the cel's centre.
void PaintSpoon(Cel& c) {
  cairo_t* cr = c.cr;
  cairo_save(cr);
  cairo_translate(cr, c.w / 2, c.h / 2);
  cairo_rotate(cr, c.index * M_PI / 18);
  RoundRect(cr, -1.8, -13, 3.6, 15, 1.8);
  FillStroke(cr, Hex(0xff6f9c), Palette::kInk, 1.2);
  Ellipse(cr, 0, -16, 3.6, 4.8);
  FillStroke(cr, Hex(0xff6f9c), Palette::kInk, 1.2);
  Ellipse(cr, -0.8, -17, 1.2, 2);
  Fill(cr, {1, 1, 1, 0.8});
  cairo_restore(cr);
  Ellipse(cr, c.w / 2, c.h / 2, 3, 3);
  FillStroke(cr, Palette::kGold, Palette::kInk, 1.2);
}
PAINTER("IMAGE_GAME_INTERFACE_SPOON", PaintSpoon);

void PaintClosed(Cel& c) {
  cairo_t* cr = c.cr;
  // A little wooden board hanging from two strings.
  cairo_move_to(cr, 16, 0);
  cairo_line_to(cr, 22, 12);
  cairo_move_to(cr, c.w - 16, 0);
  cairo_line_to(cr, c.w - 22, 12);
  cairo_set_line_width(cr, 1.5);
  SetColor(cr, Palette::kInk);
  cairo_stroke(cr);
  GradientBox(cr, 3, 10, c.w - 6, c.h - 12, 7, Hex(0xf0d0a0), Hex(0xc89050), Palette::kInk, 2);
  Title(cr, "Closed", c.w / 2, 24.5, c.w - 16, 18, Hex(0xe83040));
}
PAINTER("IMAGE_GAME_INTERFACE_CLOSED", PaintClosed);

void Ribbon(cairo_t* cr, double w, double h, Rgb c) {
  cairo_new_path(cr);
  cairo_move_to(cr, 2, 3);
  cairo_line_to(cr, w - 2, 3);
  cairo_line_to(cr, w - 10, h / 2);
  cairo_line_to(cr, w - 2, h - 2);
  cairo_line_to(cr, 2, h - 2);
  cairo_line_to(cr, 10, h / 2);
  cairo_close_path(cr);
  FillVerticalStroke(cr, 3, h, Lighter(c, 0.25), c, Palette::kInk, 1.8);
}

void PaintDifficulty(Cel& c) {
  const std::string& id = c.decl.id;
  bool easy = id == "IMAGE_GAME_INTERFACE_EASY", normal = id == "IMAGE_GAME_INTERFACE_NORMAL";
  Rgb col = easy ? Hex(0x4ac04a) : normal ? Hex(0xff9a2a) : Hex(0xe83040);
  Ribbon(c.cr, c.w, c.h, col);
  Title(c.cr, easy ? "Easy" : normal ? "Normal" : "Hard", c.w / 2, c.h / 2 + 0.5, c.w - 30, c.h - 8,
        Palette::kWhite, Face::ComicBold);
}
PAINTER("IMAGE_GAME_INTERFACE_EASY", PaintDifficulty);
PAINTER("IMAGE_GAME_INTERFACE_NORMAL", PaintDifficulty);
PAINTER("IMAGE_GAME_INTERFACE_HARD", PaintDifficulty);

// Laid over the "Goal" caption once the goal is reached.
void PaintExpert(Cel& c) {
  cairo_t* cr = c.cr;
  GradientBox(cr, 1, 1, c.w - 2, c.h - 2, 9, Hex(0xfff2a0), Hex(0xffc928), Palette::kInk, 1.8);
  GoldStar(cr, 12, c.h / 2, 7);
  Title(cr, "Expert", c.w / 2 + 8, c.h / 2 + 1, c.w - 30, c.h - 6, Hex(0x99015b), Face::ComicBold);
}
PAINTER("IMAGE_GAME_INTERFACE_EXPERT", PaintExpert);

// Happy Hour: the best-seller place being chased, 1st to 10th.
void PaintHiscore(Cel& c) {
  cairo_t* cr = c.cr;
  GradientBox(cr, 1, 1, c.w - 2, c.h - 2, 9, Hex(0xe8fff0), Hex(0xa8e8c0), Palette::kInk, 1.8);
  Title(cr, "Place " + std::to_string(c.index + 1), c.w / 2, c.h / 2 + 1, c.w - 12, c.h - 6, Hex(0x008742),
        Face::ComicBold);
}
PAINTER("IMAGE_GAME_INTERFACE_HISCORE", PaintHiscore);

}  // namespace

}  // namespace Plix::DataBuild
