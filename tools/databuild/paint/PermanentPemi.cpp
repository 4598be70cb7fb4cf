// The heroine's strips of the Permanent group: her front, back and side
// views, the carried ice-cream tub and the big report portrait. Hands are
// placed where the game draws what she carries (the carry points of her
// walk cycles and work animations), so the thing lands in her hands.

#include <cmath>

#include "tools/databuild/Figure.h"
#include "tools/databuild/Food.h"
#include "tools/databuild/Painters.h"

namespace Plix::DataBuild {

namespace {

const Vec kFoot{50, 138};
// The game draws her side views 12 pixels left and 8 lower than her
// position while she walks left; the left strips stand her the other way.
const Vec kFootLeft{62, 130};

// A walk cycle of seven cels whose third cel (index 2) is her standing
// picture, feet together.
double CyclePhase(int i) { return (i - 2) / 7.0; }

Pose Base(View v) {
  Pose p;
  p.view = v;
  p.foot = kFoot;
  return p;
}

void Walk(Pose& p, int i, double stride, double lift) {
  Step st = WalkStep(p.view, CyclePhase(i), stride, lift);
  p.feet[0] = st.feet[0];
  p.feet[1] = st.feet[1];
  p.bob = (i == 1 || i == 5) ? 1 : 0;
  p.hairSwing = st.armSwing * 0.6;
  // Free arms swing against the legs.
  const Look pemi = Cast::Pemi();
  for (int a = 0; a < 2; ++a) {
    if (p.handSet[a]) continue;
    Vec sh = ShoulderPoint(pemi, p, a);
    double s = (a == 0 ? 1 : -1) * st.armSwing;
    // Shoulder points and hands are in cel pixels: a mirrored figure swings
    // its arms the other way on screen.
    if (p.view == View::Side) {
      double ang = s * 0.45;
      p.hands[a] = sh + Vec{(p.mirror ? -1 : 1) * std::sin(ang) * 36, std::cos(ang) * 36};
    } else {
      p.hands[a] = sh + Vec{a == 0 ? -7.0 : 7.0, 36.5 - std::fabs(s) * 2 + s * 1.5};
    }
    p.handSet[a] = true;
  }
}

void Hands(Pose& p, Vec a, Vec b) {
  p.hands[0] = a;
  p.hands[1] = b;
  p.handSet[0] = p.handSet[1] = true;
}

// The box she lifts from the bench in the box animations, seen from the
// front: the game draws no box during them, so the arms carry their own.
void LiftedTub(cairo_t* cr, double cx, double bottom) { CarriedTubFront(cr, cx, bottom, 64, 48, -1); }

// ---------------------------------------------------------------- front

Pose DownPose(int cel, bool* overhead) {
  *overhead = false;
  Pose p = Base(View::Front);
  if (cel <= 27 && cel != 28) {
    int group = cel / 7, i = cel % 7;
    if (group == 1) {  // an item in her left hand; the carry point is (38, 100)
      p.hands[0] = {36, 92};
      p.handSet[0] = true;
    } else if (group == 2) {  // a scoop held in both hands at (49, 96)
      Hands(p, {40, 90}, {59, 90});
    } else if (group == 3) {  // a tub or a special dish at (40, 102)
      Hands(p, {12, 86}, {68, 86});
    }
    Walk(p, i, 0, 5);
    return p;
  }
  switch (cel) {
    case 28:
      return p;
    // idle 1: a blink
    case 29:
      p.face.eyes = Eyes::Half;
      return p;
    case 30:
      p.face.eyes = Eyes::Shut;
      return p;
    default:
      break;
  }
  if (cel >= 31 && cel <= 44) {
    // idle 2: a long stretch and a yawn.
    static const double lift[] = {0.25, 0.5, 0.8, 1.0, 1.0, 1.0, 1.0, 1.0, 1.0, 0.8, 0.6, 0.4, 0.2, 0.05};
    double t = lift[cel - 31];
    Vec sh0 = ShoulderPoint(Cast::Pemi(), p, 0), sh1 = ShoulderPoint(Cast::Pemi(), p, 1);
    double sway = (cel == 35 || cel == 37) ? -3 : (cel == 36 || cel == 38) ? 3 : 0;
    Hands(p, Lerp(sh0 + Vec{-6, 32}, Vec{40 + sway, 6}, t), Lerp(sh1 + Vec{6, 32}, Vec{60 + sway, 6}, t));
    p.lean = sway * 0.02;
    p.armsOverHead = false;
    p.face.eyes = (cel >= 37 && cel <= 41) ? Eyes::Shut : Eyes::Happy;
    p.face.mouth = (cel >= 38 && cel <= 40) ? Mouth::Wide : Mouth::Smile;
    p.bob = t * 1.5;
    return p;
  }
  if (cel >= 45 && cel <= 48) {
    // idle 3: a wave.
    Vec sh1 = ShoulderPoint(Cast::Pemi(), p, 1);
    Vec up = sh1 + Vec{14, -24};
    Vec hand = cel == 45 ? sh1 + Vec{14, 6} : cel == 46 ? up : cel == 47 ? up + Vec{-6, -2} : up + Vec{6, 1};
    p.hands[1] = hand;
    p.handSet[1] = true;
    p.face.mouth = cel >= 46 ? Mouth::Grin : Mouth::Smile;
    p.face.eyes = cel >= 47 ? Eyes::Happy : Eyes::Open;
    p.headTilt = cel == 47 ? -0.06 : cel == 48 ? 0.06 : 0;
    return p;
  }
  if (cel >= 49 && cel <= 57) {
    // idle 4: shading her eyes and looking out over the shop.
    Vec sh1 = ShoulderPoint(Cast::Pemi(), p, 1);
    double t = cel == 49 ? 0.25 : cel == 50 ? 0.5 : cel == 51 ? 0.8 : 1.0;
    Vec brow = HeadCentre(Cast::Pemi(), p) + Vec{6, -12};
    p.hands[1] = Lerp(sh1 + Vec{6, 32}, brow, t);
    p.handSet[1] = true;
    p.armsOverHead = t > 0.7;
    if (cel == 54 || cel == 55) {
      p.face.lookX = -1;
      p.headTilt = cel == 55 ? -0.12 : -0.06;
      p.headShift = {cel == 55 ? -2.0 : -1.0, 0};
    } else if (cel == 56 || cel == 57) {
      p.face.lookX = 1;
      p.headTilt = cel == 57 ? 0.12 : 0.06;
      p.headShift = {cel == 57 ? 2.0 : 1.0, 0};
    }
    p.face.mouth = cel >= 53 ? Mouth::Flat : Mouth::Smile;
    p.face.brows = 0.5;
    return p;
  }
  if (cel >= 58 && cel <= 66) {
    // idle 5: a little dance with her hands on her hips, then up.
    Vec sh0 = ShoulderPoint(Cast::Pemi(), p, 0), sh1 = ShoulderPoint(Cast::Pemi(), p, 1);
    if (cel <= 59) {
      Hands(p, sh0 + Vec{-12, 26}, sh1 + Vec{12, 26});
      p.face.eyes = cel == 59 ? Eyes::Happy : Eyes::Open;
      return p;
    }
    int k = cel - 60;
    double s = std::sin(k * M_PI / 2);
    p.sway = s * 4;
    p.lean = s * 0.08;
    p.feet[0] = {0, s > 0 ? 4.0 : 0.0};
    p.feet[1] = {0, s < 0 ? 4.0 : 0.0};
    Hands(p, sh0 + Vec{-14 + s * 4, -14.0 - (k % 2) * 4}, sh1 + Vec{14 + s * 4, -14.0 - ((k + 1) % 2) * 4});
    p.face.eyes = Eyes::Happy;
    p.face.mouth = k % 2 ? Mouth::Grin : Mouth::Open;
    p.hairSwing = s;
    return p;
  }
  // Work at the benches: she leans over the bench in front of her; the
  // arms are separate overhead cels drawn in front of the bench.
  if (cel == 67 || cel == 69 || cel == 83 || cel == 68 || cel == 84) {
    p.bob = cel == 67 ? -14 : -24;
    p.face.lookY = 1;
    p.face.eyes = Eyes::Open;
    p.drawArms = false;
    return p;
  }
  if ((cel >= 70 && cel <= 79) || (cel >= 85 && cel <= 87)) {
    *overhead = true;
    p.bob = -24;
    p.drawBody = false;
    switch (cel) {
      case 70: Hands(p, {36, 100}, {62, 100}); break;
      case 71: Hands(p, {34, 112}, {64, 108}); break;
      case 72: Hands(p, {34, 121}, {64, 112}); break;
      case 73: Hands(p, {37, 96}, {63, 104}); break;
      case 74: Hands(p, {37, 95}, {63, 104}); break;
      case 75: Hands(p, {38, 104}, {60, 110}); break;
      case 76: Hands(p, {38, 106}, {58, 124}); break;
      case 77: Hands(p, {38, 106}, {52, 126}); break;
      case 78: Hands(p, {38, 104}, {56, 114}); break;
      case 79: Hands(p, {41, 98}, {56, 98}); break;
      case 85: Hands(p, {14, 120}, {66, 120}); break;
      case 86: Hands(p, {12, 106}, {68, 106}); break;
      case 87: Hands(p, {12, 90}, {68, 90}); break;
    }
    return p;
  }
  if (cel >= 90 && cel <= 92) {
    // Talking.
    p.face.mouth = cel == 90 ? Mouth::Smile : cel == 91 ? Mouth::Open : Mouth::Oh;
    Vec sh1 = ShoulderPoint(Cast::Pemi(), p, 1);
    p.hands[1] = sh1 + Vec{16, cel == 91 ? 12.0 : 16.0};
    p.handSet[1] = true;
    p.face.brows = cel == 91 ? 0.6 : 0.2;
    return p;
  }
  return p;  // cels the game never shows: standing
}

// ---------------------------------------------------------------- back

Pose UpPose(int cel) {
  Pose p = Base(View::Back);
  auto forward = [&](Vec a, Vec b) {
    Hands(p, a, b);
    p.handBehind[0] = p.handBehind[1] = true;
  };
  if (cel >= 7 && cel <= 27) {
    int group = cel / 7, i = cel % 7;
    if (group >= 2) forward({38, 84}, {62, 84});
    if (group == 3) forward({20, 80}, {80, 80});
    Walk(p, i, 0, 5);
    return p;
  }
  switch (cel) {
    case 0:
      return p;
    case 1:  // at the counter, holding out what she brings
      forward({40, 74}, {60, 74});
      return p;
    case 2:
      forward({42, 62}, {58, 62});
      p.bob = 1;
      return p;
    case 3:  // tipping a box out
      forward({30, 58}, {70, 66});
      p.lean = 0.08;
      return p;
    case 4:
      Hands(p, {30, 54}, {70, 54});
      p.bob = 2;
      p.feet[0].y = p.feet[1].y = 1;
      return p;
    case 5:
      Hands(p, {32, 48}, {68, 48});
      p.bob = 3;
      p.feet[0].y = p.feet[1].y = 2;
      return p;
    case 6:  // holding something large in front
      forward({20, 80}, {80, 80});
      return p;
    default:
      break;
  }
  if (cel >= 28 && cel <= 33) {
    // Pressing the machine's lever to her right.
    static const Vec hand[] = {{66, 70}, {74, 50}, {80, 40}, {80, 52}, {78, 60}, {70, 70}};
    p.hands[1] = hand[cel - 28];
    p.handSet[1] = true;
    p.lean = 0.04;
    return p;
  }
  if (cel >= 34 && cel <= 38) {
    // Pouring an ingredient into the machine.
    static const Vec hand[] = {{58, 76}, {66, 56}, {74, 40}, {78, 34}, {80, 38}};
    Vec h = hand[cel - 34];
    if (cel == 34) {
      forward({42, 78}, h);
    } else {
      Hands(p, {48, 66}, h);
      p.handBehind[0] = true;
    }
    p.lean = cel >= 36 ? 0.06 : 0;
    return p;
  }
  if (cel >= 39 && cel <= 46) {
    // Throwing a treat to the serving monkey: the treat travels (59,100),
    // (58,81), (48,67), (45,64), (63,57) with the hand, drawn behind her.
    static const Vec hand[] = {{60, 92}, {58, 74}, {50, 60}, {46, 56}, {66, 46}, {76, 40}, {74, 56}, {66, 74}};
    int k = cel - 39;
    p.hands[1] = hand[k];
    p.handSet[1] = true;
    p.handBehind[1] = k <= 3;
    p.lean = k >= 4 && k <= 6 ? 0.06 : k == 3 ? -0.05 : 0;
    p.hairSwing = k >= 4 ? 0.6 : -0.3;
    return p;
  }
  return p;
}

// ---------------------------------------------------------------- sides

Pose SidePose(int cel, bool left) {
  Pose p = Base(View::Side);
  p.mirror = left;
  p.foot = left ? kFootLeft : kFoot;
  if (cel <= 27) {
    int group = cel / 7, i = cel % 7;
    // Carry points in cel pixels (left strip, right strip).
    if (group == 1) {  // carry points (26, 98) left and (52, 91) right
      Vec t = left ? Vec{32, 88} : Vec{54, 82};
      Hands(p, t + Vec{left ? 4.0 : -4.0, 2}, t);
    } else if (group == 2) {  // carry points (21, 103) left and (62, 92) right
      Vec t = left ? Vec{30, 92} : Vec{62, 84};
      Hands(p, t + Vec{left ? 6.0 : -10.0, 2}, t + Vec{left ? -4.0 : 4.0, 0});
    } else if (group == 3) {
      Vec t = left ? Vec{30, 72} : Vec{70, 78};
      Hands(p, t + Vec{left ? 16.0 : -16.0, -4}, t);
    }
    if (group > 0) p.lean = left && group < 3 ? 0.16 : 0.06;
    Walk(p, i, 11, 6);
    return p;
  }
  if (left && cel >= 35 && cel <= 38) {
    // Taking a dish from the freezer on the counter to her left.
    static const Vec hand[] = {{30, 62}, {22, 56}, {26, 66}, {34, 74}};
    p.hands[1] = hand[cel - 35];
    p.hands[0] = hand[cel - 35] + Vec{8, 6};
    p.handSet[0] = p.handSet[1] = true;
    p.lean = cel == 36 ? 0.18 : 0.1;
    p.face.lookY = 0.5;
    return p;
  }
  return p;
}

const Look& Pemi() {
  static const Look look = Cast::Pemi();
  return look;
}

void PaintDown(Cel& c) {
  bool overhead = false;
  Pose p = DownPose(c.index, &overhead);
  DrawPerson(c.cr, Pemi(), p);
  if (c.index >= 85 && c.index <= 87) {
    // The tub she lifts, in front of her arms' reach.
    static const double bottom[] = {132, 118, 102};
    LiftedTub(c.cr, 40, bottom[c.index - 85]);
    Pose hands = p;
    hands.handSet[0] = hands.handSet[1] = true;
    // Her fingers over the rim.
    for (int a = 0; a < 2; ++a) {
      Ellipse(c.cr, p.hands[a].x + (a == 0 ? 2 : -2), p.hands[a].y - 4, 4, 3.5);
      FillStroke(c.cr, Pemi().skin, Palette::kInk, 1.2);
    }
  }
}
PAINTER("IMAGE_PEMI_DOWN", PaintDown);

void PaintUp(Cel& c) { DrawPerson(c.cr, Pemi(), UpPose(c.index)); }
PAINTER("IMAGE_PEMI_UP", PaintUp);

void PaintLeft(Cel& c) { DrawPerson(c.cr, Pemi(), SidePose(c.index, true)); }
PAINTER("IMAGE_PEMI_LEFT", PaintLeft);

void PaintRight(Cel& c) { DrawPerson(c.cr, Pemi(), SidePose(c.index, false)); }
PAINTER("IMAGE_PEMI_RIGHT", PaintRight);

// The carried tub: cel 0 the empty tub, cels 1-6 its contents alone. The
// heroine's drawing picks the cel by flavour code (13 gives 1, 14 gives 5,
// 15 gives 6, 16 gives 3, 17 gives 4, 18 gives 2), so the cels run vanilla,
// pineapple, pear, blueberry, strawberry, chocolate, not the game's order.
void PaintBox(Cel& c) {
  static const int flavour[] = {-1, 0, 5, 3, 4, 1, 2};
  bool right = c.decl.id == "IMAGE_PEMI_BOX_RIGHT";
  if (c.index == 0) {
    CarriedTub(c.cr, c.w / 2, c.h - 2, c.w - 8, c.h - 14, right);
  } else {
    CarriedTubContents(c.cr, c.w / 2, c.h - 2, c.w - 8, c.h - 14, right, flavour[c.index]);
  }
}
PAINTER("IMAGE_PEMI_BOX_LEFT", PaintBox);
PAINTER("IMAGE_PEMI_BOX_RIGHT", PaintBox);

// ---------------------------------------------------------------- report

// A big heroine made of two pictures, a top part and a bottom part drawn
// one under the other; her eyes fall inside the blink cel whose top-left is
// at (103, 97) of the top part. The figure is drawn at scale with a smaller
// head than on the floor, as a portrait.
Portrait ReportPortrait() {
  Look look = Pemi();
  look.headScale = 0.86;
  look.eyeSize = 0.95;
  Pose p = Base(View::Front);
  p.face.mouth = Mouth::Grin;
  Vec sh0 = ShoulderPoint(look, p, 0), sh1 = ShoulderPoint(look, p, 1);
  // One hand on her hip, the other raised in a greeting.
  Hands(p, sh0 + Vec{-12, 22}, sh1 + Vec{7, -17});
  p.hairSwing = 0.3;
  return {look, p, 2.95, {128, 109}};
}

const double kReportBottomTop = 200;  // where the bottom part starts, in top-part pixels

void PaintReportTop(Cel& c) { DrawPortrait(c.cr, ReportPortrait(), 0); }
PAINTER("IMAGE_DIALOG_PEMI_TOP", PaintReportTop);

void PaintReportBottom(Cel& c) { DrawPortrait(c.cr, ReportPortrait(), kReportBottomTop); }
PAINTER("IMAGE_DIALOG_PEMI_BOTTOM", PaintReportBottom);

// Eyelids: the eyes half shut (cel 0) or shut (cel 1).
void PaintReportBlink(Cel& c) {
  DrawPortraitBlink(c.cr, ReportPortrait(), {103, 97}, c.index == 0 ? Eyes::Half : Eyes::Shut);
}
PAINTER("IMAGE_DIALOG_PEMI_BLINKING", PaintReportBlink);

}  // namespace

}  // namespace Plix::DataBuild
