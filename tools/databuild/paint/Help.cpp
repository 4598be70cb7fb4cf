// The "How to Play" pages (Help group): five picture pages drawn into the
// big dialog. Each page is a title and three steps, every step a
// little scene made from the game's own pieces with a short caption.

#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "tools/databuild/Food.h"
#include "tools/databuild/Painters.h"

namespace Plix::DataBuild {

namespace {

const Rgb kPaper = Hex(0xfffaf0);
const Rgb kInkBlue = Hex(0x2a4a8a);

struct Step {
  std::string caption;
  std::function<void(cairo_t*, double, double)> scene;  // drawn into a w x h box at the origin
};

void Caption(cairo_t* cr, const std::string& text, double cx, double top, double w) {
  // Up to two lines, split at " / ".
  size_t cut = text.find(" / ");
  TextStyle s{Face::ComicBold, 14, kInkBlue};
  if (cut == std::string::npos) {
    FitText(cr, s, cx, top + 10, w, 16, text);
  } else {
    FitText(cr, s, cx, top + 9, w, 16, text.substr(0, cut));
    FitText(cr, s, cx, top + 27, w, 16, text.substr(cut + 3));
  }
}

void Arrow(cairo_t* cr, double x, double y) {
  cairo_move_to(cr, x - 6, y - 8);
  cairo_line_to(cr, x + 6, y);
  cairo_line_to(cr, x - 6, y + 8);
  cairo_close_path(cr);
  FillStroke(cr, Hex(0xffc928), Palette::kInk, 1.6);
}

void Page(Cel& c, const std::string& title, const std::vector<Step>& steps) {
  cairo_t* cr = c.cr;
  RoundRect(cr, 2, 2, c.w - 4, c.h - 4, 14);
  FillStroke(cr, kPaper, Hex(0xe0c8a0), 2);
  Title(cr, title, c.w / 2, 24, c.w - 60, 30, Hex(0xff6fa8));
  int n = int(steps.size());
  double gap = 18, top = 50, boxH = 196;
  double boxW = (c.w - 20 - gap * (n - 1)) / n;
  for (int i = 0; i < n; ++i) {
    double x = 10 + i * (boxW + gap);
    GradientBox(cr, x, top, boxW, boxH, 12, Hex(0xe6f6ff), Hex(0xc8ecff), Hex(0x7ab8e0), 2);
    cairo_save(cr);
    RoundRect(cr, x, top, boxW, boxH, 12);
    cairo_clip(cr);
    cairo_translate(cr, x, top);
    steps[i].scene(cr, boxW, boxH);
    cairo_restore(cr);
    // The step's number.
    Ellipse(cr, x + 14, top + 14, 11, 11);
    FillStroke(cr, Hex(0xff6fa8), Palette::kInk, 1.6);
    TextStyle num{Face::SansBold, 13, Palette::kWhite};
    FitText(cr, num, x + 14, top + 14, 14, 14, std::to_string(i + 1));
    Caption(cr, steps[i].caption, x + boxW / 2, top + boxH + 8, boxW + gap - 4);
    if (i + 1 < n) Arrow(cr, x + boxW + gap / 2, top + boxH / 2);
  }
}

// ---------------------------------------------------------------- scenes

// One of the game's own cels, its bottom centre at (cx, bottom), scaled.
void Put(cairo_t* cr, const char* id, int cel, double cx, double bottom, double scale = 1) {
  double w, h;
  CelSizeOf(id, w, h);
  cairo_save(cr);
  cairo_translate(cr, cx, bottom);
  cairo_scale(cr, scale, scale);
  cairo_translate(cr, -w / 2, -h);
  PaintCelOf(cr, id, cel);
  cairo_restore(cr);
}

void ConeWith(cairo_t* cr, double cx, double bottom, double s, int flavour, int topping) {
  WaffleCone(cr, cx, bottom - 33 * s, 22 * s, 33 * s);
  IceScoop(cr, cx, bottom - 20 * s, 26 * s, 24 * s, flavour);
  if (topping >= 0) ScoopTopping(cr, topping, cx, bottom - 42 * s, 22 * s);
}

void Click(cairo_t* cr, double x, double y) {
  // A pointing hand with a click burst, like the game's cursor.
  for (int i = 0; i < 6; ++i) {
    double a = i * M_PI / 3 - M_PI / 2;
    cairo_move_to(cr, x + std::cos(a) * 7, y + std::sin(a) * 7);
    cairo_line_to(cr, x + std::cos(a) * 13, y + std::sin(a) * 13);
  }
  cairo_set_line_width(cr, 2);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  SetColor(cr, Hex(0xff6fa8));
  cairo_stroke(cr);
  cairo_save(cr);
  cairo_translate(cr, x, y);
  cairo_scale(cr, 1.6, 1.6);
  cairo_move_to(cr, -2.5, 1);
  cairo_line_to(cr, -2.5, 8);
  cairo_line_to(cr, -6, 7);
  cairo_curve_to(cr, -9, 7, -9, 10, -6, 12);
  cairo_line_to(cr, -1, 15);
  cairo_line_to(cr, 8, 15);
  cairo_line_to(cr, 10, 9);
  cairo_line_to(cr, 10, 6);
  cairo_line_to(cr, 2.5, 5);
  cairo_line_to(cr, 2.5, 1);
  cairo_curve_to(cr, 2.5, -1.5, -2.5, -1.5, -2.5, 1);
  cairo_close_path(cr);
  FillStroke(cr, Hex(0xffe2c4), Palette::kInk, 1);
  cairo_restore(cr);
}

// The shop's floor under a scene, so the pieces stand on something.
void Floor(cairo_t* cr, double w, double h, double y) {
  cairo_rectangle(cr, 0, y, w, h - y);
  FillVertical(cr, y, h, Hex(0xf3dcae), Hex(0xe2bf86));
}

// ---------------------------------------------------------------- pages

void PaintHelp1(Cel& c) {
  Page(c, "Make the ice creams",
       {{"A customer sits / and makes a wish",
         [](cairo_t* cr, double w, double h) {
           Floor(cr, w, h, h - 50);
           Put(cr, "IMAGE_CHAIR_RIGHT", 0, w * 0.58, h - 14);
           Put(cr, "IMAGE_CUSTOMER_6_SITTING", 0, w * 0.58, h - 30);
           Put(cr, "IMAGE_CUSTOMER_CLOUDS", 0, w * 0.3, 80, 0.95);
           ConeWith(cr, w * 0.3, 66, 0.85, 1, 0);
         }},
        {"Click a cone, a cup / or a plate",
         [](cairo_t* cr, double w, double h) {
           Put(cr, "IMAGE_HOLDER_MACHINE", 0, w / 2, h - 20, 0.78);
           Put(cr, "IMAGE_CONE", 0, w * 0.2, 62, 1.2);
           Put(cr, "IMAGE_CUP", 0, w * 0.5, 62, 1.2);
           Put(cr, "IMAGE_PLATE", 0, w * 0.8, 62, 1.1);
           Click(cr, w * 0.24, 56);
         }},
        {"Click the tubs: / Pemi adds the scoops",
         [](cairo_t* cr, double w, double h) {
           Put(cr, "IMAGE_PEMI_UP", 0, w * 0.5, h - 18, 1.0);
           Put(cr, "IMAGE_ICECREAM_STRAWBERRY", 0, w * 0.3, h - 10);
           Put(cr, "IMAGE_ICECREAM_CHOCOLATE", 0, w * 0.72, h - 10);
           Click(cr, w * 0.3, h - 30);
           ConeWith(cr, w * 0.8, 70, 0.9, 1, -1);
           IceScoop(cr, w * 0.8, 36, 22, 20, 2);
         }}});
}
PAINTER("IMAGE_HELP_1", PaintHelp1);

void PaintHelp2(Cel& c) {
  Page(c, "Serve the customers",
       {{"The ice cream rides / the belt to Rudav",
         [](cairo_t* cr, double w, double h) {
           cairo_rectangle(cr, 0, h - 62, w, 16);
           FillStroke(cr, Hex(0x5a5a6a), Palette::kInk, 1.5);
           Put(cr, "IMAGE_MONKEY_BOY_2", 9, w * 0.55, h - 10, 1.0);
           ConeWith(cr, w * 0.22, h - 60, 0.9, 2, 0);
         }},
        {"He puts it on the tray: / click the tray",
         [](cairo_t* cr, double w, double h) {
           Put(cr, "IMAGE_DISH", 0, w / 2, h - 50);
           ConeWith(cr, w * 0.4, h - 66, 0.8, 1, -1);
           ConeWith(cr, w * 0.6, h - 66, 0.8, 5, 1);
           Click(cr, w * 0.66, h - 60);
         }},
        {"Vurez brings it and / the customer pays",
         [](cairo_t* cr, double w, double h) {
           Floor(cr, w, h, h - 50);
           Put(cr, "IMAGE_MONKEY_GIRL_DOWN_4", 8, w * 0.32, h - 4, 1.0);
           ConeWith(cr, w * 0.32, 112, 0.75, 4, 2);
           Put(cr, "IMAGE_COIN", 0, w * 0.7, 60, 1.3);
           Put(cr, "IMAGE_COIN", 1, w * 0.84, 46, 1.3);
           Put(cr, "IMAGE_COIN", 3, w * 0.76, 88, 1.3);
         }}});
}
PAINTER("IMAGE_HELP_2", PaintHelp2);

void PaintHelp3(Cel& c) {
  Page(c, "Vurez helps out",
       {{"Click a table and she / clears the dishes",
         [](cairo_t* cr, double w, double h) {
           Floor(cr, w, h, h - 60);
           Put(cr, "IMAGE_TABLE_1", 1, w * 0.5, h - 16, 1.1);
           Put(cr, "IMAGE_CUSTOMER_PLATE", 1, w * 0.5, h - 72);
           Click(cr, w * 0.6, h - 64);
         }},
        {"She takes them to / the trash station",
         [](cairo_t* cr, double w, double h) {
           Put(cr, "IMAGE_TRASH_STATION", 1, w / 2, h - 24, 1.15);
           Click(cr, w * 0.56, h - 70);
         }},
        {"and brings napkins, / lemonade and cookies",
         [](cairo_t* cr, double w, double h) {
           cairo_rectangle(cr, 0, h - 30, w, h);
           FillVertical(cr, h - 30, h, Hex(0xc8925a), Hex(0x9a6434));
           cairo_move_to(cr, 0, h - 30);
           cairo_line_to(cr, w, h - 30);
           cairo_set_line_width(cr, 2);
           SetColor(cr, Palette::kInk);
           cairo_stroke(cr);
           Put(cr, "IMAGE_NAPKINS", 0, w * 0.2, h - 26);
           Put(cr, "IMAGE_COOKIES", 2, w * 0.5, h - 28);
           Put(cr, "IMAGE_BOTTLE_0", 0, w * 0.8, h - 26);
           Click(cr, w * 0.84, h - 56);
         }}});
}
PAINTER("IMAGE_HELP_3", PaintHelp3);

void PaintHelp4(Cel& c) {
  Page(c, "Keep everyone happy",
       {{"The cloud shows the / mood: keep it green",
         [](cairo_t* cr, double w, double h) {
           Put(cr, "IMAGE_CUSTOMER_CLOUDS", 0, w * 0.3, 84, 0.8);
           Put(cr, "IMAGE_CUSTOMER_CLOUDS", 2, w * 0.7, 124, 0.8);
           Put(cr, "IMAGE_CUSTOMER_CLOUDS", 4, w * 0.3, 170, 0.8);
           (void)h;
         }},
        {"Throw the monkeys / a treat now and then",
         [](cairo_t* cr, double w, double h) {
           Put(cr, "IMAGE_MONKEY_BOY_1", 9, w * 0.5, h - 6, 1.1);
           Put(cr, "IMAGE_BANANAS", 0, w * 0.2, 70, 1.0);
           Put(cr, "IMAGE_APPLE", 0, w * 0.8, 60, 1.2);
         }},
        {"Juggling and music / cheer up the waiting",
         [](cairo_t* cr, double w, double h) {
           Put(cr, "IMAGE_MONKEY_GIRL_DOWN_2", 16, w * 0.36, h - 4, 0.95);
           Put(cr, "IMAGE_ORGAN_1", 1, w * 0.78, h - 10, 0.8);
         }}});
}
PAINTER("IMAGE_HELP_4", PaintHelp4);

void PaintHelp5(Cel& c) {
  Page(c, "Grow your shop",
       {{"Pick the next day / on the island map",
         [](cairo_t* cr, double w, double h) {
           cairo_rectangle(cr, 0, 0, w, h);
           Fill(cr, Hex(0x5cc8ee));
           Ellipse(cr, w / 2, h / 2 + 6, w * 0.46, h * 0.36);
           FillStroke(cr, Hex(0xf6dc96), Hex(0xfff4d0), 4);
           Ellipse(cr, w / 2, h / 2 + 2, w * 0.36, h * 0.26);
           Fill(cr, Hex(0x7ccf58));
           cairo_move_to(cr, w * 0.2, h * 0.62);
           cairo_curve_to(cr, w * 0.35, h * 0.3, w * 0.6, h * 0.8, w * 0.82, h * 0.42);
           cairo_set_line_width(cr, 6);
           SetColor(cr, Hex(0xe8c080));
           cairo_stroke(cr);
           Put(cr, "IMAGE_MAP_LEVEL", 1, w * 0.22, h * 0.62 + 8);
           Put(cr, "IMAGE_MAP_LEVEL", 1, w * 0.42, h * 0.56 + 8);
           Put(cr, "IMAGE_MAP_LEVEL", 0, w * 0.62, h * 0.6 + 8);
           Put(cr, "IMAGE_MAP_LEVEL", 2, w * 0.8, h * 0.44 + 8);
           Put(cr, "IMAGE_MAP_ICON", 0, w * 0.62, h * 0.6 - 6, 1.2);
           Click(cr, w * 0.68, h * 0.62);
         }},
        {"Reach the day's goal; / beat the expert goal",
         [](cairo_t* cr, double w, double h) {
           Put(cr, "IMAGE_REPUTATION_STAR", 0, w / 2, h - 36, 0.6);
           for (int i = 0; i < 5; ++i) Put(cr, "IMAGE_GOLDEN_STAR", 0, w / 2 + (i - 2) * 20, h - 12);
         }},
        {"Buy new things at / the store and circus",
         [](cairo_t* cr, double w, double h) {
           Put(cr, "IMAGE_MAP_STORE", 0, w * 0.3, h - 30, 0.62);
           Put(cr, "IMAGE_MAP_CIRCUS", 0, w * 0.68, h - 8, 0.6);
         }}});
}
PAINTER("IMAGE_HELP_5", PaintHelp5);

}  // namespace

}  // namespace Plix::DataBuild
