// The two helper monkeys of the Permanent group: Rudav, who stands on the
// counter by the belt's end and hands the ice creams on, and Vurez, who
// serves the tables, juggles and plays the barrel organ. Hands are placed at
// the points where the game draws what they hold.

#include <cmath>
#include <vector>

#include "tools/databuild/Figure.h"
#include "tools/databuild/Food.h"
#include "tools/databuild/Painters.h"

namespace Plix::DataBuild {

namespace {

MonkeyPose MPose(View v, Vec foot) {
  MonkeyPose p;
  p.view = v;
  p.foot = foot;
  return p;
}

void MHands(MonkeyPose& p, Vec a, Vec b) {
  p.hands[0] = a;
  p.hands[1] = b;
  p.handSet[0] = p.handSet[1] = true;
}

// An eight-cel walk: a bouncy monkey trot.
void MWalk(MonkeyPose& p, int i, double stride, double lift) {
  double phase = i / 8.0;
  Step st = WalkStep(p.view, phase, stride, lift);
  p.feet[0] = st.feet[0];
  p.feet[1] = st.feet[1];
  p.bob = std::fabs(std::sin(2 * M_PI * phase)) * 2;
  p.tail = std::sin(2 * M_PI * phase);
  p.headTilt = std::sin(2 * M_PI * phase) * 0.05;
}

void SwingArms(MonkeyPose& p, const MonkeyLook& look, int i) {
  double s = std::sin(2 * M_PI * i / 8.0);
  for (int a = 0; a < 2; ++a) {
    if (p.handSet[a]) continue;
    Vec sh = MonkeyShoulder(look, p, a);
    double k = (a == 0 ? 1 : -1) * s;
    if (p.view == View::Side) {
      p.hands[a] = sh + Vec{(p.mirror ? -1 : 1) * k * 12, 22 - std::fabs(k) * 3};
    } else {
      p.hands[a] = sh + Vec{a == 0 ? -15.0 : 15.0, 24 + k * 3};
    }
    p.handSet[a] = true;
  }
}

// ---------------------------------------------------------------- Rudav

const Vec kRudavFoot{50, 106};        // in IMAGE_MONKEY_BOY_1
const Vec kRudavFoot2{50 + 29, 107};  // the same spot in IMAGE_MONKEY_BOY_2

const MonkeyLook& Rudav() {
  static const MonkeyLook look = Cast::Rudav();
  return look;
}

MonkeyPose Boy1(int cel) {
  MonkeyPose p = MPose(View::Front, kRudavFoot);
  // What he holds stands with its bottom at (27, 76).
  const Vec hold0{18, 70}, hold1{36, 70};
  switch (cel) {
    case 0:
      break;
    case 1:  // settling into a rest
      p.squat = true;
      p.face.eyes = Eyes::Half;
      break;
    case 2:  // resting on his heels, hands behind his head
    {
      p.squat = true;
      p.lean = -0.05;
      Vec c = p.foot + Vec{0, -62};
      MHands(p, c + Vec{-16, -4}, c + Vec{16, -4});
      p.handBehind[0] = p.handBehind[1] = true;
      p.face.eyes = Eyes::Shut;
      p.face.mouth = Mouth::Smile;
      p.tail = 0.5;
      break;
    }
    case 3:  // a little crouch before a hop
      p.squat = true;
      p.face.mouth = Mouth::Grin;
      break;
    case 4:  // hop with his arms up
      p.bob = 8;
      MHands(p, {26, 22}, {74, 22});
      p.face.eyes = Eyes::Happy;
      p.face.mouth = Mouth::Grin;
      p.tail = 1;
      break;
    case 5:  // holding the ice cream
      MHands(p, hold0, hold1);
      p.face.lookX = -0.6;
      break;
    case 7:  // the last bite
      MHands(p, hold0 + Vec{4, -8}, hold1 + Vec{-2, -10});
      p.face.mouth = Mouth::Wide;
      p.headTilt = -0.1;
      break;
    case 8:
    case 9:
    case 10:  // chewing, delighted
      p.face.eyes = Eyes::Happy;
      p.face.mouth = cel == 9 ? Mouth::Chew : Mouth::Smile;
      MHands(p, {36, 78}, {64, 78});
      p.bob = cel == 10 ? 2 : 0;
      p.tail = cel == 9 ? -0.6 : 0.6;
      break;
    case 15:  // looking at the ice cream
      MHands(p, hold0, hold1);
      p.face.lookX = -1;
      p.face.lookY = 0.6;
      p.headTilt = -0.08;
      break;
    case 16:  // sniffing it
      MHands(p, hold0 + Vec{2, -6}, hold1 + Vec{0, -6});
      p.face.eyes = Eyes::Half;
      p.face.mouth = Mouth::Oh;
      p.headTilt = -0.14;
      break;
    case 17:  // winding up to throw
      MHands(p, {30, 76}, {82, 70});
      p.lean = -0.12;
      p.face.mouth = Mouth::Flat;
      p.face.brows = 0.5;
      break;
    case 18:  // the throw: the thing leaves his hand at (64, 48)
      MHands(p, {28, 74}, {64, 46});
      p.lean = 0.08;
      p.face.mouth = Mouth::Open;
      p.tail = -0.8;
      break;
    case 19:  // follow-through
      MHands(p, {30, 78}, {78, 58});
      p.lean = 0.04;
      p.face.eyes = Eyes::Happy;
      break;
    default:  // unused cels: standing
      break;
  }
  return p;
}

MonkeyPose Boy2(int cel) {
  MonkeyPose p = MPose(View::Front, kRudavFoot2);
  // The belt ends at (8, 78) of this image; the held thing stands at (56, 77).
  const Vec hold0{47, 70}, hold1{65, 70};
  switch (cel) {
    case 0:  // turning towards the belt
      p.face.lookX = -1;
      p.headTilt = -0.05;
      break;
    case 1:  // watching the belt
      p.face.lookX = -1;
      p.face.lookY = 0.5;
      p.headTilt = -0.1;
      p.lean = -0.05;
      break;
    case 2:
    case 3:
    case 4:
    case 5: {  // leaning to peer down the belt, drumming on the counter
      double t = (cel - 1) / 4.0;
      p.lean = -0.08 - t * 0.12;
      p.face.lookX = -1;
      p.face.lookY = 0.3;
      Vec c = p.foot + Vec{-30 * t, -30};
      MHands(p, c + Vec{-10, (cel % 2) * 3.0}, c + Vec{6, ((cel + 1) % 2) * 3.0});
      p.tail = std::sin(cel * 1.3);
      break;
    }
    case 6:  // reaching for the belt's end
      MHands(p, {14, 76}, {30, 78});
      p.lean = -0.3;
      p.face.lookX = -1;
      p.face.mouth = Mouth::Oh;
      break;
    case 7:  // grabbing
      MHands(p, {10, 74}, {22, 80});
      p.lean = -0.35;
      p.face.lookX = -1;
      p.face.mouth = Mouth::Grin;
      break;
    case 8:  // pulling a small one in
      MHands(p, {36, 68}, {50, 70});
      p.lean = -0.12;
      break;
    case 10:  // pulling a large one in
      MHands(p, {30, 72}, {62, 72});
      p.lean = -0.1;
      p.face.mouth = Mouth::Oh;
      break;
    case 9:  // holding it
      MHands(p, hold0, hold1);
      p.face.lookX = -0.5;
      break;
    case 11:  // turning to the counter dish on his right
      MHands(p, hold0 + Vec{14, -2}, hold1 + Vec{14, -2});
      p.lean = 0.1;
      p.face.lookX = 1;
      break;
    case 12:  // setting it down
      MHands(p, {100, 78}, {116, 80});
      p.lean = 0.3;
      p.face.lookX = 1;
      p.face.lookY = 0.6;
      p.face.mouth = Mouth::Grin;
      break;
    case 13:
      MHands(p, {88, 84}, {104, 84});
      p.lean = 0.12;
      p.face.eyes = Eyes::Happy;
      break;
    case 15:  // disgusted by what he got
      MHands(p, hold0, hold1);
      p.face.eyes = Eyes::Angry;
      p.face.mouth = Mouth::Tongue;
      p.headTilt = 0.15;
      p.lean = 0.06;
      break;
    case 16:  // holding it away at arm's length, at (27, 55)
      MHands(p, {26, 48}, {36, 50});
      p.face.eyes = Eyes::Shut;
      p.face.mouth = Mouth::Tongue;
      p.headTilt = 0.22;
      p.lean = 0.1;
      p.headShift = {4, 0};
      break;
    default:
      break;
  }
  return p;
}

void PaintBoy1(Cel& c) { DrawMonkey(c.cr, Rudav(), Boy1(c.index)); }
PAINTER("IMAGE_MONKEY_BOY_1", PaintBoy1);

void PaintBoy2(Cel& c) { DrawMonkey(c.cr, Rudav(), Boy2(c.index)); }
PAINTER("IMAGE_MONKEY_BOY_2", PaintBoy2);

// ---------------------------------------------------------------- Vurez

const Vec kFoot{50, 102};  // her feet stand 8 pixels above the cel bottom

const MonkeyLook& Vurez() {
  static const MonkeyLook look = Cast::Vurez();
  return look;
}

MonkeyPose Down1(int cel) {
  MonkeyPose p = MPose(View::Front, kFoot);
  const MonkeyLook& L = Vurez();
  if (cel <= 28) {
    // A long idle: looks around, stretches, dances a little, bows.
    if (cel <= 3) {
      p.face.lookX = -1;
      p.headTilt = -0.05 * (cel + 1) / 4;
    } else if (cel <= 7) {
      p.face.lookX = 1;
      p.headTilt = 0.05 * (cel - 3) / 4;
    } else if (cel <= 14) {
      double t = std::sin((cel - 8) / 6.0 * M_PI);
      Vec sh0 = MonkeyShoulder(L, p, 0), sh1 = MonkeyShoulder(L, p, 1);
      MHands(p, Lerp(sh0 + Vec{-10, 24}, sh0 + Vec{-4, -30}, t), Lerp(sh1 + Vec{10, 24}, sh1 + Vec{4, -30}, t));
      p.bob = t * 2;
      p.face.eyes = t > 0.6 ? Eyes::Shut : Eyes::Happy;
      p.face.mouth = t > 0.6 ? Mouth::Wide : Mouth::Smile;
    } else if (cel <= 21) {
      double s = std::sin((cel - 15) * M_PI / 2);
      p.sway = s * 4;
      p.lean = s * 0.1;
      p.feet[0].y = s > 0 ? 4 : 0;
      p.feet[1].y = s < 0 ? 4 : 0;
      Vec sh0 = MonkeyShoulder(L, p, 0), sh1 = MonkeyShoulder(L, p, 1);
      MHands(p, sh0 + Vec{-16, -6 + s * 6}, sh1 + Vec{16, -6 - s * 6});
      p.face.eyes = Eyes::Happy;
      p.face.mouth = Mouth::Grin;
      p.tail = s;
    } else {
      double t = (cel - 22) / 6.0;
      p.lean = 0;
      p.bob = std::sin(t * M_PI) * 4;
      p.face.eyes = cel == 25 ? Eyes::Happy : Eyes::Open;
      p.face.mouth = Mouth::Smile;
      p.tail = std::sin(t * 6);
    }
    return p;
  }
  if (cel >= 30 && cel <= 48) {
    // Cranking the barrel organ that stands 29 pixels to her right: the
    // crank turns round (80, 62).
    int k = cel - 30;
    double a = k * 2 * M_PI / 6;
    p.hands[1] = {80 + std::cos(a) * 6, 62 + std::sin(a) * 6};
    p.handSet[1] = true;
    Vec sh0 = MonkeyShoulder(L, p, 0);
    p.hands[0] = sh0 + Vec{-12, -4 + (k % 2) * 6.0};
    p.handSet[0] = true;
    p.lean = 0.06;
    p.headTilt = std::sin(k * 0.8) * 0.12;
    p.bob = (k % 2) * 1.5;
    p.face.eyes = k % 4 < 2 ? Eyes::Happy : Eyes::Open;
    p.face.mouth = k % 3 == 0 ? Mouth::Open : Mouth::Smile;
    p.tail = std::sin(k * 0.9);
    return p;
  }
  if (cel >= 50 && cel <= 55) {
    // Scratching her head.
    Vec sh1 = MonkeyShoulder(L, p, 1);
    Vec head = p.foot + Vec{4, -60};
    Vec h = cel == 50 || cel == 55 ? sh1 + Vec{14, 6} : cel == 51 ? sh1 + Vec{14, -14} : head + Vec{(cel == 54 ? 4.0 : 0.0), (cel == 53 ? 2.0 : -2.0)};
    p.hands[1] = h;
    p.handSet[1] = true;
    p.headTilt = cel >= 52 && cel <= 54 ? -0.12 : 0;
    p.face.eyes = cel == 53 ? Eyes::Shut : cel == 54 ? Eyes::Half : Eyes::Open;
    p.face.mouth = cel >= 52 && cel <= 54 ? Mouth::Chew : Mouth::Smile;
    p.face.brows = cel >= 52 ? -0.5 : 0;
    return p;
  }
  if (cel >= 56 && cel <= 63) {
    MWalk(p, cel - 56, 0, 5);
    SwingArms(p, L, cel - 56);
    return p;
  }
  if (cel >= 65 && cel <= 70) {
    if (cel == 65) {  // jumping for the treat that flies to (17, 10)
      p.bob = 22;
      p.feet[0].y = p.feet[1].y = 0;
      p.hands[0] = {20, 14};
      p.handSet[0] = true;
      p.face.mouth = Mouth::Wide;
      p.face.lookX = -1;
      p.face.lookY = -1;
      p.tail = 1;
    } else if (cel <= 67) {  // the treat at her mouth, (43, 59)
      MHands(p, {38, 62}, {50, 62});
      p.face.mouth = cel == 66 ? Mouth::Wide : Mouth::Chew;
      p.face.eyes = cel == 67 ? Eyes::Happy : Eyes::Open;
    } else {  // chewing happily
      Vec sh0 = MonkeyShoulder(L, p, 0), sh1 = MonkeyShoulder(L, p, 1);
      MHands(p, sh0 + Vec{-6, 16}, sh1 + Vec{6, 16});
      p.face.eyes = Eyes::Happy;
      p.face.mouth = cel == 69 ? Mouth::Chew : Mouth::Smile;
      p.bob = cel == 70 ? 2 : 0;
      p.tail = cel == 69 ? -0.7 : 0.7;
    }
    return p;
  }
  if (cel == 71) {
    p.face.eyes = Eyes::Half;
    return p;
  }
  if (cel == 72) {
    p.face.eyes = Eyes::Shut;
    return p;
  }
  if (cel >= 73 && cel <= 80) {
    // Walking with something in her left hand at (18, 57).
    int i = cel - 73;
    MWalk(p, i, 0, 5);
    p.hands[0] = {18, 57.5 + (i == 0 || i == 4 ? -1 : 0)};
    p.handSet[0] = true;
    SwingArms(p, L, i);
    return p;
  }
  return p;  // 29, 49 (her standing picture), 64
}

// Juggling: the balls fly in a fountain above her head.
void PaintJuggle(Cel& c) {
  const MonkeyLook& L = Vurez();
  int set = c.index / 11, k = c.index % 11;
  int balls = set + 2;
  MonkeyPose p = MPose(View::Front, {50, 142});
  std::vector<Vec> ballPos;
  if (k == 0 || k == 10) {
    // Holding the balls before the show and after it.
    MHands(p, {34, 118}, {66, 118});
    p.face.eyes = k == 10 ? Eyes::Happy : Eyes::Open;
    p.face.mouth = Mouth::Grin;
    for (int b = 0; b < balls; ++b) ballPos.push_back({(b % 2 ? 66.0 : 34.0) + (b / 2) * 3, 111.0 - (b / 2) * 9});
  } else {
    double t = (k - 1) / 9.0;
    for (int b = 0; b < balls; ++b) {
      double ph = std::fmod(t * 2 + double(b) / balls, 1.0);
      // Up on the left, over the top, down on the right, across at the bottom.
      double x, y;
      if (ph < 0.75) {
        double u = ph / 0.75;
        x = 30 + 40 * u;
        y = 110 - 96 * std::sin(u * M_PI);
      } else {
        double u = (ph - 0.75) / 0.25;
        x = 70 - 40 * u;
        y = 112 + 4 * std::sin(u * M_PI);
      }
      ballPos.push_back({x, y});
    }
    double s = std::sin(k * M_PI / 2);
    MHands(p, {30 + s * 3, 118 - std::max(0.0, s) * 6}, {70 + s * 3, 118 - std::max(0.0, -s) * 6});
    p.face.lookY = -1;
    p.face.mouth = k % 3 ? Mouth::Oh : Mouth::Smile;
    p.headTilt = s * 0.05;
    p.tail = s;
  }
  DrawMonkey(c.cr, L, p);
  for (size_t b = 0; b < ballPos.size(); ++b) JugglingBall(c.cr, ballPos[b].x, ballPos[b].y, 6, int(b));
}
PAINTER("IMAGE_MONKEY_GIRL_DOWN_2", PaintJuggle);

void PaintDown1(Cel& c) { DrawMonkey(c.cr, Vurez(), Down1(c.index)); }
PAINTER("IMAGE_MONKEY_GIRL_DOWN_1", PaintDown1);

// Carrying the tray over her head; the game puts the ice creams on the
// tray at (48, 22-24) while she walks and at (48, 30) when she stands.
void TrayPose(MonkeyPose& p, double trayTop) {
  MHands(p, {23, trayTop + 8}, {73, trayTop + 8});
  p.handBehind[0] = p.handBehind[1] = true;
  p.face.eyes = Eyes::Open;
  p.face.lookY = -0.4;
}

void PaintDown4(Cel& c) {
  const MonkeyLook& L = Vurez();
  MonkeyPose p = MPose(View::Front, kFoot);
  double trayTop;
  if (c.index < 8) {
    static const double ys[] = {22, 24, 23, 22, 22, 24, 23, 22};
    MWalk(p, c.index, 0, 4);
    trayTop = ys[c.index] + 1;
  } else {
    // Standing: the game draws this cel 4 pixels to the right.
    p.foot.x = 46;
    trayTop = 30 + 1;
  }
  TrayPose(p, trayTop);
  p.face.mouth = Mouth::Smile;
  DrawMonkey(c.cr, L, p);
  ServingTray(c.cr, 48, trayTop, 62);
}
PAINTER("IMAGE_MONKEY_GIRL_DOWN_4", PaintDown4);

void PaintDown5(Cel& c) {
  // A spare front strip: a happy little bow.
  const MonkeyLook& L = Vurez();
  MonkeyPose p = MPose(View::Front, kFoot);
  double t = std::sin(c.index / 7.0 * M_PI);
  p.bob = -t * 6;
  p.lean = 0;
  p.headShift = {0, t * 4};
  Vec sh0 = MonkeyShoulder(L, p, 0), sh1 = MonkeyShoulder(L, p, 1);
  MHands(p, sh0 + Vec{-20, 10 - t * 10}, sh1 + Vec{20, 10 - t * 10});
  p.face.eyes = Eyes::Happy;
  p.face.mouth = Mouth::Grin;
  p.tail = t;
  DrawMonkey(c.cr, L, p);
}
PAINTER("IMAGE_MONKEY_GIRL_DOWN_5", PaintDown5);

void PaintDown6(Cel& c) {
  // Standing with a hand held out at (7, 56).
  MonkeyPose p = MPose(View::Front, kFoot);
  p.hands[0] = {8, 56};
  p.handSet[0] = true;
  p.face.mouth = Mouth::Smile;
  p.face.lookX = -0.5;
  DrawMonkey(c.cr, Vurez(), p);
}
PAINTER("IMAGE_MONKEY_GIRL_DOWN_6", PaintDown6);

void PaintLeft1(Cel& c) {
  const MonkeyLook& L = Vurez();
  MonkeyPose p = MPose(View::Side, kFoot);
  p.mirror = true;
  int i = c.index % 8;
  MWalk(p, i, 9, 5);
  if (c.index >= 8) {
    // Carrying something small in both paws held in front.
    MHands(p, {38, 76}, {34, 78});
  }
  SwingArms(p, L, i);
  DrawMonkey(c.cr, L, p);
}
PAINTER("IMAGE_MONKEY_GIRL_LEFT_1", PaintLeft1);

void PaintLeft2(Cel& c) {
  const MonkeyLook& L = Vurez();
  MonkeyPose p = MPose(View::Side, kFoot);
  p.mirror = true;
  static const double ys[] = {22, 24, 23, 22, 23, 23, 24, 23};
  MWalk(p, c.index, 9, 5);
  double top = ys[c.index] + 1;
  MHands(p, {58, top + 8}, {40, top + 8});
  p.handBehind[1] = true;
  DrawMonkey(c.cr, L, p);
  ServingTray(c.cr, 48, top, 60);
}
PAINTER("IMAGE_MONKEY_GIRL_LEFT_2", PaintLeft2);

void PaintRight(Cel& c) {
  const MonkeyLook& L = Vurez();
  // She walks a little behind the point where the game draws what she
  // carries, (48, 62-64), and holds it up in front of her.
  MonkeyPose p = MPose(View::Side, {34, 102});
  static const double ys[] = {62, 64, 63, 62, 63, 63, 64, 63};
  MWalk(p, c.index, 9, 5);
  MHands(p, {46, ys[c.index] - 3}, {52, ys[c.index] - 2});
  DrawMonkey(c.cr, L, p);
}
PAINTER("IMAGE_MONKEY_GIRL_RIGHT", PaintRight);

void PaintUp1(Cel& c) {
  const MonkeyLook& L = Vurez();
  MonkeyPose p = MPose(View::Back, kFoot);
  int i = c.index % 8;
  MWalk(p, i, 0, 5);
  if (c.index >= 8) {
    MHands(p, {40, 66}, {60, 66});
    p.handBehind[0] = p.handBehind[1] = true;
  }
  SwingArms(p, L, i);
  DrawMonkey(c.cr, L, p);
}
PAINTER("IMAGE_MONKEY_GIRL_UP_1", PaintUp1);

void PaintUp2(Cel& c) {
  const MonkeyLook& L = Vurez();
  MonkeyPose p = MPose(View::Back, kFoot);
  static const double ys[] = {25, 27, 26, 25, 25, 27, 26, 25};
  MWalk(p, c.index, 0, 4);
  double top = ys[c.index] + 1;
  TrayPose(p, top);
  DrawMonkey(c.cr, L, p);
  ServingTray(c.cr, 48, top, 62);
}
PAINTER("IMAGE_MONKEY_GIRL_UP_2", PaintUp2);

}  // namespace

}  // namespace Plix::DataBuild
