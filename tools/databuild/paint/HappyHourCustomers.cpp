// The Happy Hour queue (HappyHourCustomers group): the seven customers
// standing, four moods each: 0 at rest, 1 impatient, 2 happy, 3 angry.
// Each figure stands over the shadow the queue draws for it, its head at
// the point where the queue hangs its bubble; both lie left of the cel's
// middle, at 45 pixels from its left edge.

#include <cmath>

#include "tools/databuild/Figure.h"
#include "tools/databuild/Painters.h"

namespace Plix::DataBuild {

namespace {

struct Stander {
  double feetY;  // the shadow's centre, from the cel's top
  double headY;  // the bubble's head point, from the cel's top
};

// From the queue's offsets: picture (Kx - cw/2, Ky - ch), shadow centre and
// head point, all relative to the customer's point on the path.
const Stander kStanders[8] = {{}, {132, 13}, {94, 14}, {132, 14}, {156, 15}, {141, 12}, {121, 12}, {134, 12}};

void PaintStanding(Cel& c) {
  int n = c.decl.id[15] - '0';  // IMAGE_CUSTOMER_n_STANDING
  const Stander& st = kStanders[n];
  Look look = Cast::Customer(n);
  look.stoop = 0;
  look.height = st.feetY - st.headY + 2;
  Pose p;
  p.view = View::Front;
  p.foot = {45, st.feetY};
  Vec sh0 = ShoulderPoint(look, p, 0), sh1 = ShoulderPoint(look, p, 1);
  double arm = 0.3 * look.height;
  auto hands = [&](Vec a, Vec b) {
    p.hands[0] = a;
    p.hands[1] = b;
    p.handSet[0] = p.handSet[1] = true;
  };
  switch (c.index) {
    case 0:  // waiting, content
      p.face.mouth = Mouth::Smile;
      break;
    case 1: {  // impatient: hands on the hips, tapping a foot, looking away
      hands(sh0 + Vec{-0.1 * look.height, arm * 0.62}, sh1 + Vec{0.1 * look.height, arm * 0.62});
      p.feet[1] = {1, 1.5};
      p.face.mouth = Mouth::Flat;
      p.face.lookX = 1;
      p.face.brows = -0.4;
      p.headTilt = 0.08;
      break;
    }
    case 2: {  // happy: waving with a big smile
      p.hands[1] = sh1 + Vec{0.12 * look.height, -arm * 0.55};
      p.handSet[1] = true;
      p.face.eyes = Eyes::Happy;
      p.face.mouth = Mouth::Grin;
      p.bob = 2;
      p.headTilt = -0.06;
      break;
    }
    default: {  // angry: arms folded, scowling
      Vec mid = Lerp(sh0, sh1, 0.5) + Vec{0, arm * 0.42};
      hands(mid + Vec{0.06 * look.height, 0}, mid + Vec{-0.06 * look.height, 2});
      p.face.eyes = Eyes::Angry;
      p.face.mouth = Mouth::Frown;
      p.lean = -0.03;
      break;
    }
  }
  DrawPerson(c.cr, look, p);
}
PAINTER("IMAGE_CUSTOMER_1_STANDING", PaintStanding);
PAINTER("IMAGE_CUSTOMER_2_STANDING", PaintStanding);
PAINTER("IMAGE_CUSTOMER_3_STANDING", PaintStanding);
PAINTER("IMAGE_CUSTOMER_4_STANDING", PaintStanding);
PAINTER("IMAGE_CUSTOMER_5_STANDING", PaintStanding);
PAINTER("IMAGE_CUSTOMER_6_STANDING", PaintStanding);
PAINTER("IMAGE_CUSTOMER_7_STANDING", PaintStanding);

}  // namespace

}  // namespace Plix::DataBuild
