// The zoo (Area2 group): grass with enclosure fences, bushes and stones,
// and three animals that blink: the giraffe (who also pokes out her
// tongue), the panda and the rabbit. The eyelid and tongue cels are the
// animals' own faces drawn again, shut, clipped to the cel's rectangle.

#include <cmath>

#include "tools/databuild/Painters.h"
#include "tools/databuild/Props.h"

namespace Plix::DataBuild {

namespace {

// A blink cel: the animal drawn with its eyes half shut (cel 0) or shut
// (cel 1), moved so that the cel's top-left lies at (X, Y) of its picture.
template <void (*Animal)(cairo_t*, int), int X, int Y>
void Blink(Cel& c) {
  cairo_save(c.cr);
  cairo_translate(c.cr, -X, -Y);
  Animal(c.cr, c.index);
  cairo_restore(c.cr);
}

void PaintBackground(Cel& c) {
  cairo_t* cr = c.cr;
  PlayGround(cr, Hex(0xb7d86a), Hex(0x86c052), Hex(0xe6c88c), 22, true);
  // Far trees and rocks of the enclosures.
  for (int i = 0; i < 10; ++i) {
    double x = 30 + i * 86;
    Ellipse(cr, x, 6, 44, 34);
    FillStroke(cr, Hex(0x5aa040), Hex(0x2a6020), 1.5);
  }
  cairo_rectangle(cr, 0, 20, 800, 40);
  FillVertical(cr, 20, 60, Hex(0xd8c890), Hex(0xc8b478));
  Rand rnd(4);
  for (int i = 0; i < 18; ++i) {
    Ellipse(cr, rnd.Uniform(0, 800), rnd.Uniform(24, 56), rnd.Uniform(6, 14), rnd.Uniform(3, 6));
    Fill(cr, WithAlpha(Hex(0xe8dca8), 0.9));
  }
  // Hay piles and a water trough in the enclosures.
  for (double x : {180.0, 430.0}) {
    Ellipse(cr, x, 50, 26, 10);
    FillStroke(cr, Hex(0xf0d060), Hex(0xa08020), 1.4);
  }
  RoundRect(cr, 300, 38, 60, 16, 6);
  FillStroke(cr, Hex(0x8a6a4a), Palette::kInk, 1.6);
  RoundRect(cr, 304, 41, 52, 7, 3);
  Fill(cr, Hex(0x6ac8f0));
}
PAINTER("IMAGE_BACKGROUND_2", PaintBackground);

void PaintBush(Cel& c) {
  Shrub(c.cr, c.w / 2, c.h - 3, c.w - 6, c.h - 8, Hex(0x4aa83a), HashId(c.decl.id), false);
}
PAINTER("IMAGE_BG2_BUSH_1", PaintBush);
PAINTER("IMAGE_BG2_BUSH_2", PaintBush);

// A wooden post-and-rail fence across the picture.
void PaintFence(Cel& c) {
  cairo_t* cr = c.cr;
  double top = 14, bottom = c.h - 6;
  for (double y : {top + 14, top + 40}) {
    RoundRect(cr, 0, y, c.w, 9, 4);
    FillStroke(cr, Hex(0xc8904a), Palette::kInk, 1.8);
  }
  for (double x = 10; x < c.w; x += 40) {
    cairo_new_path(cr);
    cairo_move_to(cr, x - 6, bottom);
    cairo_line_to(cr, x - 6, top + 4);
    cairo_line_to(cr, x, top - 4);
    cairo_line_to(cr, x + 6, top + 4);
    cairo_line_to(cr, x + 6, bottom);
    cairo_close_path(cr);
    FillVerticalStroke(cr, top, bottom, Hex(0xe0a860), Hex(0xa87038), Palette::kInk, 1.8);
  }
  GrassTuft(cr, c.w * 0.3, c.h, 40, 14, Hex(0x5ab84a), HashId(c.decl.id));
  GrassTuft(cr, c.w * 0.8, c.h, 30, 12, Hex(0x5ab84a), HashId(c.decl.id) + 1);
}
PAINTER("IMAGE_BG2_FENCE_LEFT", PaintFence);
PAINTER("IMAGE_BG2_FENCE_RIGHT", PaintFence);

void PaintGrass(Cel& c) { GrassTuft(c.cr, c.w / 2, c.h - 1, c.w - 6, c.h - 3, Hex(0x5ab84a), HashId(c.decl.id)); }
PAINTER("IMAGE_BG2_GRASS_1", PaintGrass);
PAINTER("IMAGE_BG2_GRASS_2", PaintGrass);

void PaintStones(Cel& c) { Stones(c.cr, c.w / 2, c.h - 2, c.w - 6, c.h - 4, HashId(c.decl.id)); }
PAINTER("IMAGE_BG2_STONES", PaintStones);

void PaintMouse(Cel& c) {
  cairo_t* cr = c.cr;
  cairo_move_to(cr, 24, 16);
  cairo_curve_to(cr, 30, 18, 30, 10, 27, 6);
  cairo_set_line_width(cr, 1.4);
  SetColor(cr, Hex(0xd08090));
  cairo_stroke(cr);
  Ellipse(cr, 16, 15, 9, 6);
  FillStroke(cr, Hex(0xa8a0a0), Palette::kInk, 1.4);
  Ellipse(cr, 7, 13, 5, 4.5);
  FillStroke(cr, Hex(0xa8a0a0), Palette::kInk, 1.4);
  Ellipse(cr, 8, 8, 3.5, 3.5);
  FillStroke(cr, Hex(0xffb0c0), Palette::kInk, 1.2);
  Ellipse(cr, 5, 13, 1.2, 1.2);
  Fill(cr, Palette::kInk);
  Ellipse(cr, 2.5, 14.5, 1.2, 1);
  Fill(cr, Hex(0xff6a8a));
}
PAINTER("IMAGE_BG2_MOUSE", PaintMouse);

// ---------------------------------------------------------------- giraffe

const Rgb kGiraffe = Hex(0xf6c050);
const Rgb kSpots = Hex(0xb8702a);

// Eyes at (78..108, 42..56); the mouth at (102, 96), where the tongue
// strip pokes out.
void Giraffe(cairo_t* cr, bool shutEyes, int halfOrShut) {
  // Body and legs at the bottom right, the neck rising to the head at
  // the top left.
  for (double x : {96.0, 118.0, 146.0, 166.0}) {
    RoundRect(cr, x - 5, 226, 10, 70, 4);
    FillStroke(cr, kGiraffe, Palette::kInk, 1.8);
    RoundRect(cr, x - 5, 288, 10, 8, 3);
    Fill(cr, Hex(0x5a3a1a));
  }
  Ellipse(cr, 132, 222, 46, 30);
  FillStroke(cr, kGiraffe, Palette::kInk, 2);
  cairo_move_to(cr, 176, 214);
  cairo_curve_to(cr, 186, 220, 184, 240, 178, 250);
  cairo_set_line_width(cr, 2);
  SetColor(cr, Palette::kInk);
  cairo_stroke(cr);
  cairo_new_path(cr);
  cairo_move_to(cr, 84, 90);
  cairo_curve_to(cr, 96, 140, 100, 180, 104, 214);
  cairo_line_to(cr, 130, 206);
  cairo_curve_to(cr, 124, 170, 118, 130, 110, 84);
  cairo_close_path(cr);
  FillStroke(cr, kGiraffe, Palette::kInk, 2);
  // Spots.
  const double spots[][3] = {{98, 120, 6}, {108, 150, 6}, {104, 182, 6}, {116, 205, 7}, {118, 226, 9},
                             {146, 214, 8}, {160, 232, 7}, {136, 238, 6}, {100, 226, 6}};
  for (auto& s : spots) {
    Ellipse(cr, s[0], s[1], s[2], s[2] * 0.8);
    Fill(cr, kSpots);
  }
  // Mane down the neck.
  cairo_move_to(cr, 110, 86);
  cairo_curve_to(cr, 118, 130, 124, 170, 130, 206);
  cairo_set_line_width(cr, 4);
  SetColor(cr, Hex(0x9a5a20));
  cairo_stroke(cr);
  // Head facing us: ossicones, ears, a long face with the muzzle below.
  for (double x : {82.0, 104.0}) {
    cairo_move_to(cr, x, 30);
    cairo_line_to(cr, x + (x < 90 ? -3 : 3), 12);
    cairo_set_line_width(cr, 4);
    SetColor(cr, Palette::kInk);
    cairo_stroke(cr);
    Ellipse(cr, x + (x < 90 ? -3 : 3), 11, 4.5, 4.5);
    FillStroke(cr, Hex(0x9a5a20), Palette::kInk, 1.4);
  }
  for (double s : {-1.0, 1.0}) {
    Ellipse(cr, 93 + s * 28, 40, 11, 6);
    FillStroke(cr, kGiraffe, Palette::kInk, 1.8);
  }
  cairo_new_path(cr);
  cairo_move_to(cr, 72, 40);
  cairo_curve_to(cr, 72, 18, 114, 18, 114, 40);
  cairo_curve_to(cr, 116, 70, 122, 86, 118, 98);
  cairo_curve_to(cr, 110, 112, 88, 110, 84, 96);
  cairo_curve_to(cr, 78, 80, 70, 64, 72, 40);
  cairo_close_path(cr);
  FillStroke(cr, kGiraffe, Palette::kInk, 2);
  Ellipse(cr, 102, 94, 14, 10);
  FillStroke(cr, Hex(0xf8dca0), Palette::kInk, 1.6);
  for (double x : {96.0, 108.0}) {
    Ellipse(cr, x, 92, 1.8, 1.4);
    Fill(cr, Palette::kInk);
  }
  // Eyes (in the blink rectangle 78..108 x 42..56).
  for (double x : {85.0, 101.0}) {
    if (!shutEyes) {
      Ellipse(cr, x, 49, 4.5, 5.5);
      Fill(cr, Palette::kInk);
      Ellipse(cr, x - 1.4, 47, 1.5, 1.5);
      Fill(cr, Palette::kWhite);
    } else {
      Ellipse(cr, x, 49, 6, 6.5);
      Fill(cr, kGiraffe);
      cairo_move_to(cr, x - 5, halfOrShut == 0 ? 49 : 50);
      cairo_curve_to(cr, x - 2, halfOrShut == 0 ? 50 : 53, x + 2, halfOrShut == 0 ? 50 : 53, x + 5,
                     halfOrShut == 0 ? 49 : 50);
      cairo_set_line_width(cr, 1.6);
      SetColor(cr, Palette::kInk);
      cairo_stroke(cr);
      if (halfOrShut == 0) {
        Ellipse(cr, x, 51.5, 3, 2.5);
        Fill(cr, Palette::kInk);
      }
    }
    cairo_move_to(cr, x - 4, 41);
    cairo_line_to(cr, x - 6, 39);
    cairo_move_to(cr, x, 40);
    cairo_line_to(cr, x, 37.5);
    cairo_set_line_width(cr, 1.2);
    SetColor(cr, Palette::kInk);
    cairo_stroke(cr);
  }
  Ellipse(cr, 93, 30, 4, 3);
  Fill(cr, kSpots);
}

void PaintGiraffe(Cel& c) { Giraffe(c.cr, false, 0); }
PAINTER("IMAGE_BG2_GIRAFFE", PaintGiraffe);

// Eyelids: the head with eyes half shut (0) and shut (1), clipped.
void GiraffeEyes(cairo_t* cr, int eyes) { Giraffe(cr, true, eyes); }
PAINTER("IMAGE_BG2_GIRAFFE_BLINKING", (Blink<GiraffeEyes, 78, 42>));

// The tongue poking out of the mouth at (102, 96), five lengths.
void PaintGiraffeTongue(Cel& c) {
  cairo_t* cr = c.cr;
  double len = 2 + c.index * 4.5;
  cairo_move_to(cr, 3, 1);
  cairo_curve_to(cr, 4, len * 0.6, 9, len + 2, 13, len);
  cairo_curve_to(cr, 15, len - 2, 10, len * 0.4, 10, 1);
  cairo_close_path(cr);
  FillStroke(cr, Hex(0x8a6ad8), Palette::kInk, 1.4);
}
PAINTER("IMAGE_BG2_GIRAFFE_TOUNGE", PaintGiraffeTongue);

// ---------------------------------------------------------------- panda

// A sitting panda; its eyes fill (77..113, 33..47).
void Panda(cairo_t* cr, int eyes) {
  Rgb black = Hex(0x2a2a34), white = Hex(0xf8f8f4);
  Ellipse(cr, 75, 124, 52, 7);
  Fill(cr, {0, 0, 0, 0.18});
  // Body, legs, arms with bamboo.
  Ellipse(cr, 82, 92, 40, 34);
  FillStroke(cr, white, Palette::kInk, 2);
  for (double x : {56.0, 108.0}) {
    Ellipse(cr, x, 114, 16, 11);
    FillStroke(cr, black, Palette::kInk, 2);
    Ellipse(cr, x, 114, 7, 5);
    Fill(cr, Hex(0x5a5a64));
  }
  cairo_move_to(cr, 122, 40);
  cairo_line_to(cr, 112, 118);
  cairo_set_line_width(cr, 6);
  SetColor(cr, Palette::kInk);
  cairo_stroke_preserve(cr);
  cairo_set_line_width(cr, 4);
  SetColor(cr, Hex(0x7ac84a));
  cairo_stroke(cr);
  Ellipse(cr, 128, 44, 10, 4);
  FillStroke(cr, Hex(0x5ab84a), Palette::kInk, 1.2);
  for (double s : {-1.0, 1.0}) {
    Ellipse(cr, 82 + s * 30, 84, 12, 18);
    FillStroke(cr, black, Palette::kInk, 2);
  }
  // Head: ears, face, eye patches.
  for (double s : {-1.0, 1.0}) {
    Ellipse(cr, 95 + s * 26, 20, 10, 10);
    FillStroke(cr, black, Palette::kInk, 2);
  }
  Ellipse(cr, 95, 42, 34, 28);
  FillStroke(cr, white, Palette::kInk, 2);
  for (double s : {-1.0, 1.0}) {
    cairo_save(cr);
    cairo_translate(cr, 95 + s * 12, 40);
    cairo_rotate(cr, s * 0.4);
    Ellipse(cr, 0, 0, 8, 11);
    Fill(cr, black);
    cairo_restore(cr);
    double ex = 95 + s * 12;
    if (eyes < 0) {
      Ellipse(cr, ex, 39, 3, 3.5);
      Fill(cr, Palette::kWhite);
      Ellipse(cr, ex, 40, 2, 2.5);
      Fill(cr, Palette::kInk);
    } else {
      cairo_move_to(cr, ex - 4, eyes == 0 ? 40 : 41);
      cairo_curve_to(cr, ex - 1, eyes == 0 ? 41 : 43, ex + 1, eyes == 0 ? 41 : 43, ex + 4, eyes == 0 ? 40 : 41);
      cairo_set_line_width(cr, 1.6);
      SetColor(cr, Palette::kWhite);
      cairo_stroke(cr);
    }
  }
  Ellipse(cr, 95, 52, 5, 3.5);
  Fill(cr, black);
  cairo_move_to(cr, 90, 58);
  cairo_curve_to(cr, 93, 61, 97, 61, 100, 58);
  cairo_set_line_width(cr, 1.5);
  SetColor(cr, Palette::kInk);
  cairo_stroke(cr);
}

void PaintPanda(Cel& c) { Panda(c.cr, -1); }
PAINTER("IMAGE_BG2_PANDA", PaintPanda);

PAINTER("IMAGE_BG2_PANDA_BLINKING", (Blink<Panda, 77, 33>));

// ---------------------------------------------------------------- rabbit

// A rabbit facing left; its eye lies in (13..33, 34..44).
void Rabbit(cairo_t* cr, int eyes) {
  Rgb fur = Hex(0xf0e6dc);
  Ellipse(cr, 36, 76, 24, 4);
  Fill(cr, {0, 0, 0, 0.18});
  Ellipse(cr, 42, 58, 22, 18);
  FillStroke(cr, fur, Palette::kInk, 2);
  Ellipse(cr, 62, 56, 7, 7);
  FillStroke(cr, Palette::kWhite, Palette::kInk, 1.6);
  Ellipse(cr, 30, 72, 10, 5);
  FillStroke(cr, fur, Palette::kInk, 1.6);
  // Ears.
  for (double dx : {0.0, 9.0}) {
    cairo_save(cr);
    cairo_translate(cr, 28 + dx, 26);
    cairo_rotate(cr, 0.25 + dx * 0.03);
    Ellipse(cr, 0, -12, 6, 15);
    FillStroke(cr, fur, Palette::kInk, 1.8);
    Ellipse(cr, 0, -11, 2.5, 10);
    Fill(cr, Hex(0xffb0c0));
    cairo_restore(cr);
  }
  Ellipse(cr, 24, 42, 16, 14);
  FillStroke(cr, fur, Palette::kInk, 2);
  if (eyes < 0) {
    Ellipse(cr, 20, 39, 3, 3.8);
    Fill(cr, Palette::kInk);
    Ellipse(cr, 19, 37.5, 1, 1);
    Fill(cr, Palette::kWhite);
  } else {
    cairo_move_to(cr, 16, eyes == 0 ? 39 : 40);
    cairo_curve_to(cr, 18, eyes == 0 ? 40.5 : 42, 22, eyes == 0 ? 40.5 : 42, 24, eyes == 0 ? 39 : 40);
    cairo_set_line_width(cr, 1.5);
    SetColor(cr, Palette::kInk);
    cairo_stroke(cr);
  }
  Ellipse(cr, 10, 46, 2.5, 2);
  Fill(cr, Hex(0xff7a9a));
  cairo_move_to(cr, 10, 48);
  cairo_line_to(cr, 10, 51);
  cairo_set_line_width(cr, 1.2);
  SetColor(cr, Palette::kInk);
  cairo_stroke(cr);
}

void PaintRabbit(Cel& c) { Rabbit(c.cr, -1); }
PAINTER("IMAGE_BG2_RABBIT", PaintRabbit);

PAINTER("IMAGE_BG2_RABBIT_BLINKING", (Blink<Rabbit, 13, 34>));

}  // namespace

}  // namespace Plix::DataBuild
