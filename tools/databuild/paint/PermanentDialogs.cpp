// Dialog panels, plates, buttons, balloons and controls of the Permanent
// group: blank surfaces that the code writes its own text on.

#include <cmath>

#include "tools/databuild/Painters.h"

namespace Plix::DataBuild {

namespace {

const Rgb kPanel = Hex(0xffe6b0);
const Rgb kButtonA = Hex(0xff8fc0);
const Rgb kButtonB = Hex(0x7fd3f7);

void PaintPanel(Cel& c) {
  Panel(c.cr, 0, 0, c.w, c.h, kPanel, std::min(c.w, c.h) * 0.08);
  // A candy-striped rim along the top.
  cairo_save(c.cr);
  RoundRect(c.cr, 8, 8, c.w - 16, 14, 7);
  cairo_clip(c.cr);
  for (double x = 0; x < c.w; x += 24) {
    cairo_rectangle(c.cr, x, 8, 12, 14);
  }
  Fill(c.cr, {1, 0.45, 0.65, 0.6});
  cairo_restore(c.cr);
}
PAINTER("IMAGE_DIALOG_BIG", PaintPanel);
PAINTER("IMAGE_DIALOG_MENU", PaintPanel);
PAINTER("IMAGE_DIALOG_MESSAGE", PaintPanel);
PAINTER("IMAGE_DIALOG_STANDARD", PaintPanel);

void PaintHeader(Cel& c) {
  cairo_t* cr = c.cr;
  // A ribbon plate; the title is written 41 px below its top.
  RoundRect(cr, 2, 6, c.w - 4, c.h - 10, (c.h - 10) / 2);
  FillStroke(cr, Hex(0xffd25a), Palette::kInk, 3);
  RoundRect(cr, 10, 12, c.w - 20, c.h - 22, (c.h - 22) / 2);
  FillVertical(cr, 12, c.h - 10, Hex(0xfff2b0), Hex(0xffc83a));
  Gloss(cr, 10, 12, c.w - 20, c.h - 22, (c.h - 22) / 2, 0.4);
}
PAINTER("IMAGE_DIALOG_HEADER_*", PaintHeader);

// The code writes a button's label centred on the cel's font box and then
// moves it by a fixed offset: (-4, -8) for the dialog buttons in
// FONT_RAVIE_14, (-2, -4) for the balloon buttons in FONT_DEFAULT. The plate
// stands where that puts the label's capitals in its middle, and the room it
// leaves at the right and bottom holds its soft shadow.
void PaintShiftedButton(Cel& c, Rgb face, double right, double bottom) {
  const double w = c.w - 2 - right, h = c.h - 2 - bottom;
  RoundRect(c.cr, 1 + right * 0.5, 1 + bottom * 0.5, w, h, h * 0.45);
  Fill(c.cr, {0, 0, 0, 0.15});
  ButtonPlate(c.cr, 1, 1, w, h, face, c.col == 1);
}
void PaintButtonA(Cel& c) { PaintShiftedButton(c, kButtonA, 8, 12); }
void PaintButtonB(Cel& c) { PaintShiftedButton(c, kButtonB, 8, 12); }
void PaintBalloonButton(Cel& c) { PaintShiftedButton(c, kButtonB, 4, 6); }
PAINTER("IMAGE_DIALOG_BUTTON_1", PaintButtonA);
PAINTER("IMAGE_DIALOG_BUTTON_LARGE_1", PaintButtonA);
PAINTER("IMAGE_DIALOG_BUTTON_2", PaintButtonB);
PAINTER("IMAGE_DIALOG_BUTTON_LARGE_2", PaintButtonB);
PAINTER("IMAGE_BALLOON_BUTTON", PaintBalloonButton);

void Arrow(cairo_t* cr, double cx, double cy, double s, double dir) {
  cairo_move_to(cr, cx + dir * s * 0.5, cy);
  cairo_line_to(cr, cx - dir * s * 0.35, cy - s * 0.45);
  cairo_line_to(cr, cx - dir * s * 0.35, cy + s * 0.45);
  cairo_close_path(cr);
  FillStroke(cr, Palette::kWhite, Palette::kInk, 2);
}

void RoundButton(Cel& c, Rgb face) {
  double r = std::min(c.w, c.h) / 2 - 1.5;
  Ellipse(c.cr, c.w / 2, c.h / 2 + 1, r, r);
  Fill(c.cr, {0, 0, 0, 0.3});
  Ellipse(c.cr, c.w / 2, c.h / 2, r, r);
  FillStroke(c.cr, c.col == 1 ? Lighter(face, 0.3) : face, Darker(face, 0.55), 2);
  Gloss(c.cr, c.w / 2 - r, c.h / 2 - r, 2 * r, 2 * r, r, 0.45);
}

void PaintArrowLeft(Cel& c) {
  RoundButton(c, kButtonA);
  Arrow(c.cr, c.w / 2 - 1, c.h / 2, std::min(c.w, c.h) * 0.5, -1);
}
void PaintArrowRight(Cel& c) {
  RoundButton(c, kButtonA);
  Arrow(c.cr, c.w / 2 + 1, c.h / 2, std::min(c.w, c.h) * 0.5, 1);
}
PAINTER("IMAGE_DIALOG_ARROW_LEFT", PaintArrowLeft);
PAINTER("IMAGE_DIALOG_ARROW_RIGHT", PaintArrowRight);
PAINTER("IMAGE_BALLOON_BUTTON_NEXT", PaintArrowRight);

void Sign(cairo_t* cr, double cx, double cy, double s, bool plus) {
  cairo_rectangle(cr, cx - s / 2, cy - s / 8, s, s / 4);
  if (plus) cairo_rectangle(cr, cx - s / 8, cy - s / 2, s / 4, s);
  FillStroke(cr, Palette::kWhite, Palette::kInk, 1.2);
}
void PaintMinus(Cel& c) {
  RoundButton(c, kButtonB);
  Sign(c.cr, c.w / 2, c.h / 2, std::min(c.w, c.h) * 0.5, false);
}
void PaintPlus(Cel& c) {
  RoundButton(c, kButtonB);
  Sign(c.cr, c.w / 2, c.h / 2, std::min(c.w, c.h) * 0.5, true);
}
PAINTER("IMAGE_BALLOON_BUTTON_LEFT", PaintMinus);
PAINTER("IMAGE_BALLOON_BUTTON_RIGHT", PaintPlus);

void PaintBalloon(Cel& c) { BalloonBody(c.cr, 0, 0, c.w, c.h); }
PAINTER("IMAGE_BALLOON_LARGE", PaintBalloon);
PAINTER("IMAGE_BALLOON_NORMAL", PaintBalloon);
PAINTER("IMAGE_BALLOON_SMALL", PaintBalloon);

// Tails: the tip is the bottom centre; cel 0 leans to a body on the left,
// cel 1 to a body on the right.
void PaintPointers(Cel& c) { BalloonTail(c.cr, c.w, c.h, c.col == 1); }
PAINTER("IMAGE_BALLOON_POINTERS", PaintPointers);

void PaintCheckbox(Cel& c) {
  cairo_t* cr = c.cr;
  // The player list stacks its rows 7 px closer than a cel: a margin of 5
  // keeps a gap between the boxes.
  RoundRect(cr, 5, 5, c.w - 10, c.h - 10, 5);
  FillStroke(cr, Palette::kWhite, Palette::kInk, 2.5);
  if (c.col == 1) {
    cairo_move_to(cr, c.w * 0.22, c.h * 0.5);
    cairo_line_to(cr, c.w * 0.42, c.h * 0.72);
    cairo_line_to(cr, c.w * 0.8, c.h * 0.22);
    cairo_set_line_width(cr, 5);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    SetColor(cr, Hex(0x2aa84a));
    cairo_stroke(cr);
  }
}
PAINTER("IMAGE_DIALOG_CHECKBOX", PaintCheckbox);

void PaintSlider(Cel& c) {
  // Three equal thirds: left cap, middle, right cap; drawn as one track.
  cairo_t* cr = c.cr;
  RoundRect(cr, 2, c.h * 0.25, c.w - 4, c.h * 0.5, c.h * 0.25);
  FillStroke(cr, Hex(0xb07a4a), Palette::kInk, 2);
  RoundRect(cr, 6, c.h * 0.35, c.w - 12, c.h * 0.18, c.h * 0.09);
  Fill(cr, {0, 0, 0, 0.35});
}
PAINTER("IMAGE_DIALOG_SLIDER", PaintSlider);

void PaintThumb(Cel& c) {
  RoundRect(c.cr, 2, 2, c.w - 4, c.h - 4, 6);
  FillStroke(c.cr, kButtonA, Palette::kInk, 2);
  Gloss(c.cr, 2, 2, c.w - 4, c.h - 4, 6, 0.5);
}
PAINTER("IMAGE_DIALOG_SLIDER_THUMB", PaintThumb);

void PaintTextField(Cel& c) {
  Panel(c.cr, 0, 0, c.w, c.h, Hex(0xffc8dc), 14);
  RoundRect(c.cr, 11, 11, c.w - 22, 36, 8);
  FillStroke(c.cr, Palette::kWhite, Palette::kInk, 2);
}
PAINTER("IMAGE_DIALOG_TEXTFIELD", PaintTextField);

void PaintProgressBar(Cel& c) {
  cairo_t* cr = c.cr;
  double r = c.h * 0.4;
  if (c.col == 0) {  // empty track
    RoundRect(cr, 2, 4, c.w - 4, c.h - 8, r);
    FillStroke(cr, Hex(0x5a3a22), Palette::kInk, 2);
  } else if (c.col == 1) {  // fill
    RoundRect(cr, 6, 8, c.w - 12, c.h - 16, r * 0.7);
    FillVertical(cr, 8, c.h - 8, Hex(0x9cf06a), Hex(0x3aa83a));
  } else {  // frame and gloss
    RoundRect(cr, 2, 4, c.w - 4, c.h - 8, r);
    cairo_set_line_width(cr, 4);
    SetColor(cr, Hex(0xffd25a));
    cairo_stroke(cr);
    Gloss(cr, 6, 8, c.w - 12, c.h - 16, r * 0.7, 0.45);
    for (int i = 1; i < 8; ++i) {
      cairo_move_to(cr, 6 + i * (c.w - 12) / 8.0, c.h - 10);
      cairo_line_to(cr, 6 + i * (c.w - 12) / 8.0, c.h - 16);
    }
    cairo_set_line_width(cr, 1.5);
    SetColor(cr, {1, 1, 1, 0.6});
    cairo_stroke(cr);
  }
}
PAINTER("IMAGE_DIALOG_PROGRESSBAR", PaintProgressBar);

void PaintBarArrows(Cel& c) {
  cairo_t* cr = c.cr;
  double cx = 12;  // labels are centred 12 px from the left edge
  if (c.col == 0) {  // points up from under the bar
    cairo_move_to(cr, cx, 1);
    cairo_line_to(cr, cx + 10, c.h * 0.55);
    cairo_line_to(cr, cx - 10, c.h * 0.55);
  } else {  // points down at the bar
    cairo_move_to(cr, cx, c.h - 1);
    cairo_line_to(cr, cx + 10, c.h * 0.45);
    cairo_line_to(cr, cx - 10, c.h * 0.45);
  }
  cairo_close_path(cr);
  FillStroke(cr, c.col == 0 ? Hex(0xff5aa0) : Hex(0xffd25a), Palette::kInk, 2);
}
PAINTER("IMAGE_DIALOG_PROGRESSBAR_ARROWS", PaintBarArrows);

// Nine cels: the twinkle grows, peaks and fades.
void PaintStarParticle(Cel& c) { TwinkleCel(c.cr, c.w, c.h, c.index / 8.0); }
PAINTER("IMAGE_STAR_PARTICLE_*", PaintStarParticle);

void PaintPuff(Cel& c) { SoftOval(c.cr, c.w / 2, c.h / 2, c.w / 2, c.h / 2, {1, 1, 1, 0.9}); }
PAINTER("IMAGE_TRASH_SMOKE", PaintPuff);

void PaintShadow(Cel& c) { ShadowCel(c.cr, c.w, c.h); }
PAINTER("IMAGE_TABLE_1_SHADOW", PaintShadow);
PAINTER("IMAGE_TABLE_1_SHADOW_RIGHT", PaintShadow);
PAINTER("IMAGE_TABLE_2_SHADOW", PaintShadow);
PAINTER("IMAGE_TABLE_4_SHADOW", PaintShadow);
PAINTER("IMAGE_TRASH_STATION_SHADOW", PaintShadow);

}  // namespace

}  // namespace Plix::DataBuild
