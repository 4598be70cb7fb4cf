// The seated customers of story mode (StoryModeCustomers group): seven
// people, each a strip of body cels drawn over the table and a legs picture
// drawn under it. Every picture is placed by the game relative to the seat
// point, so both are drawn here from that point: the body's hips rest on
// it, the legs reach from it under the table.

#include <cmath>
#include <string>

#include "tools/databuild/Figure.h"
#include "tools/databuild/Food.h"
#include "tools/databuild/Painters.h"

namespace Plix::DataBuild {

namespace {

struct Sitter {
  int layout;        // 14, 16 or 18 cels
  double w, h;       // body cel
  double bx, by;     // body offset from the seat point: (-w/2 + bx, -h + by)
  double lx, ly;     // legs picture's top-left in body-cel pixels
  bool facesLeft;    // the unmirrored picture looks left
  Vec plate;         // where a dish stands, from the seat point towards the table
};

const Sitter kSitters[8] = {
    {},
    {14, 80, 110, -4, 0, 16, 74, false, {30, -12}},   // old man
    {18, 70, 95, -4, 0, 29, 66, false, {28, -14}},    // boy
    {18, 80, 110, 2, -4, 12, 79, true, {30, -11}},    // sporty customer
    {16, 85, 120, -10, 8, 29, 77, false, {28, -15}},  // man in a jacket
    {16, 90, 115, -16, 4, 41, 68, false, {27, -19}},  // dad
    {16, 80, 110, 12, -4, 2, 79, true, {30, -18}},    // lady
    {16, 80, 110, 6, -2, 3, 74, true, {23, -10}},     // mum
};

int Number(const std::string& id) { return id[15] - '0'; }  // IMAGE_CUSTOMER_n_...

Vec SeatPoint(const Sitter& s) { return {s.w / 2 - s.bx, s.h - s.by}; }

// What a cel shows, by layout.
enum class Act { Idle, Hand, Spoon, ContentIn, Content, Choosing, PleasedIn, Pleased, UnhappyIn, Unhappy };

struct Frame {
  Act act;
  int step;  // within the hand and spoon cycles
};

Frame FrameOf(int layout, int cel) {
  switch (layout) {
    case 14:
      if (cel == 0) return {Act::Idle, 0};
      if (cel <= 3) return {Act::Hand, cel - 1};
      if (cel <= 6) return {Act::Spoon, cel - 4};
      if (cel == 7) return {Act::ContentIn, 0};
      if (cel == 8) return {Act::Content, 0};
      if (cel == 9) return {Act::Choosing, 0};
      if (cel == 10) return {Act::PleasedIn, 0};
      if (cel == 11) return {Act::Pleased, 0};
      if (cel == 12) return {Act::UnhappyIn, 0};
      return {Act::Unhappy, 0};
    case 18:
      if (cel == 0) return {Act::Idle, 0};
      if (cel <= 5) return {Act::Hand, cel - 1};
      if (cel <= 10) return {Act::Spoon, cel - 6};
      if (cel == 11) return {Act::ContentIn, 0};
      if (cel == 12) return {Act::Content, 0};
      if (cel == 13) return {Act::Choosing, 0};
      if (cel == 14) return {Act::PleasedIn, 0};
      if (cel == 15) return {Act::Pleased, 0};
      if (cel == 16) return {Act::UnhappyIn, 0};
      return {Act::Unhappy, 0};
    default:
      if (cel == 0) return {Act::Idle, 0};
      if (cel <= 4) return {Act::Hand, cel - 1};
      if (cel <= 8) return {Act::Spoon, cel - 5};
      if (cel == 9) return {Act::ContentIn, 0};
      if (cel == 10) return {Act::Content, 0};
      if (cel == 11) return {Act::Choosing, 0};
      if (cel == 12) return {Act::PleasedIn, 0};
      if (cel == 13) return {Act::Pleased, 0};
      if (cel == 14) return {Act::UnhappyIn, 0};
      return {Act::Unhappy, 0};
  }
}

double LegLength(const Look& look) { return 0.40 * look.height * look.legScale; }

void PaintSitting(Cel& c) {
  int n = Number(c.decl.id);
  const Sitter& st = kSitters[n];
  Look look = Cast::Customer(n);
  Vec seat = SeatPoint(st);
  double dir = st.facesLeft ? -1 : 1;
  Pose p;
  p.view = View::Side;
  p.mirror = st.facesLeft;
  p.sitting = true;
  p.foot = {seat.x, seat.y - 2 + LegLength(look)};
  p.lean = 0.06;
  Frame f = FrameOf(st.layout, c.index);
  Vec head = HeadCentre(look, p);
  double hr = HeadRadius(look);
  Vec mouth = head + Vec{dir * 0.72 * hr, 0.62 * hr};
  Vec dish = seat + Vec{dir * st.plate.x, st.plate.y};
  Vec restFar = seat + Vec{dir * 22, -12}, restNear = seat + Vec{dir * 28, -10};
  Vec chest = seat + Vec{dir * 14, -0.26 * look.height};
  auto hands = [&](Vec far, Vec nearHand) {
    p.hands[0] = far;
    p.hands[1] = nearHand;
    p.handSet[0] = p.handSet[1] = true;
  };
  hands(restFar, restNear);
  enum class Prop { None, Cone, Spoon } prop = Prop::None;
  switch (f.act) {
    case Act::Idle:
      p.face.mouth = Mouth::Smile;
      break;
    case Act::Hand: {
      // Holding a cone: at the chest, up to the mouth, licking, biting.
      prop = Prop::Cone;
      Vec lick = mouth + Vec{dir * 5, 6};
      static const double lift[] = {0.0, 0.6, 1.0, 1.0, 0.3};
      double t = lift[std::min(f.step, 4)];
      hands(restFar, Lerp(chest + Vec{dir * 8, 6}, lick, t));
      p.face.mouth = t >= 1 ? (f.step == 3 ? Mouth::Chew : (st.layout == 18 ? Mouth::Tongue : Mouth::Open)) : Mouth::Smile;
      p.face.eyes = t >= 1 ? Eyes::Happy : Eyes::Open;
      p.headTilt = t >= 1 ? 0.08 : 0;
      break;
    }
    case Act::Spoon: {
      prop = Prop::Spoon;
      static const double lift[] = {0.0, 0.55, 1.0, 1.0, 0.2};
      double t = lift[std::min(f.step, 4)];
      hands(restFar, Lerp(dish + Vec{-dir * 2, -6}, mouth + Vec{dir * 4, 4}, t));
      p.face.mouth = t >= 1 ? (f.step == 3 ? Mouth::Chew : Mouth::Open) : Mouth::Smile;
      p.face.eyes = t >= 1 && f.step == 3 ? Eyes::Happy : Eyes::Open;
      p.face.lookY = t < 0.5 ? 0.8 : 0;
      break;
    }
    case Act::ContentIn:
    case Act::Content: {
      // Leaning back, hands on the tummy.
      p.lean = f.act == Act::Content ? -0.06 : 0.0;
      Vec tummy = seat + Vec{dir * 12, -0.12 * look.height};
      hands(tummy + Vec{-dir * 3, -2}, tummy + Vec{dir * 3, 1});
      p.face.eyes = f.act == Act::Content ? Eyes::Happy : Eyes::Half;
      p.face.mouth = Mouth::Smile;
      break;
    }
    case Act::Choosing: {
      // Thinking it over: a hand on the chin, eyes up.
      hands(restFar, mouth + Vec{dir * 2, 9});
      p.face.lookY = -1;
      p.face.mouth = Mouth::Flat;
      p.face.brows = 0.6;
      p.headTilt = -0.08;
      break;
    }
    case Act::PleasedIn:
    case Act::Pleased: {
      // Clapping: hands apart, then together, in front of the chest.
      double apart = f.act == Act::Pleased ? 0 : 7;
      Vec clap = chest + Vec{dir * 12, -6};
      hands(clap + Vec{-dir * apart, -1}, clap + Vec{dir * apart, 1});
      p.face.eyes = Eyes::Happy;
      p.face.mouth = Mouth::Grin;
      p.lean = -0.04;
      p.headTilt = -0.06;
      break;
    }
    case Act::UnhappyIn:
    case Act::Unhappy: {
      // Arms folded, cross.
      Vec c2 = seat + Vec{dir * 10, -0.22 * look.height};
      hands(c2 + Vec{dir * 6, 2}, c2 + Vec{-dir * 4, 0});
      p.face.eyes = f.act == Act::Unhappy ? Eyes::Angry : Eyes::Sad;
      p.face.mouth = Mouth::Frown;
      p.lean = f.act == Act::Unhappy ? -0.08 : 0.0;
      break;
    }
  }
  DrawPerson(c.cr, look, p);
  // What the near hand holds.
  Vec h = p.hands[1];
  if (prop == Prop::Cone) {
    cairo_save(c.cr);
    cairo_translate(c.cr, h.x, h.y);
    cairo_rotate(c.cr, dir * 0.35);
    WaffleCone(c.cr, 0, -4, 9, 14);
    IceScoop(c.cr, 0, -1, 11, 10, 0);
    cairo_restore(c.cr);
  } else if (prop == Prop::Spoon) {
    cairo_save(c.cr);
    cairo_translate(c.cr, h.x, h.y);
    cairo_rotate(c.cr, dir * 0.9);
    RoundRect(c.cr, -1, -12, 2, 12, 1);
    FillStroke(c.cr, Hex(0xd8e0e8), Palette::kInk, 0.8);
    Ellipse(c.cr, 0, -13, 2.5, 3.2);
    FillStroke(c.cr, Hex(0xd8e0e8), Palette::kInk, 0.8);
    cairo_restore(c.cr);
  }
}
PAINTER("IMAGE_CUSTOMER_1_SITTING", PaintSitting);
PAINTER("IMAGE_CUSTOMER_2_SITTING", PaintSitting);
PAINTER("IMAGE_CUSTOMER_3_SITTING", PaintSitting);
PAINTER("IMAGE_CUSTOMER_4_SITTING", PaintSitting);
PAINTER("IMAGE_CUSTOMER_5_SITTING", PaintSitting);
PAINTER("IMAGE_CUSTOMER_6_SITTING", PaintSitting);
PAINTER("IMAGE_CUSTOMER_7_SITTING", PaintSitting);

// The legs: drawn from the same seat point, in the legs picture's pixels.
void PaintLegs(Cel& c) {
  int n = Number(c.decl.id);
  const Sitter& st = kSitters[n];
  Look look = Cast::Customer(n);
  Vec seat = SeatPoint(st) - Vec{st.lx, st.ly};
  DrawSeatedLegs(c.cr, look, seat + Vec{0, -2}, st.facesLeft ? -1 : 1, c.h - 1);
}
PAINTER("IMAGE_CUSTOMER_1_SITTING_LEGS", PaintLegs);
PAINTER("IMAGE_CUSTOMER_2_SITTING_LEGS", PaintLegs);
PAINTER("IMAGE_CUSTOMER_3_SITTING_LEGS", PaintLegs);
PAINTER("IMAGE_CUSTOMER_4_SITTING_LEGS", PaintLegs);
PAINTER("IMAGE_CUSTOMER_5_SITTING_LEGS", PaintLegs);
PAINTER("IMAGE_CUSTOMER_6_SITTING_LEGS", PaintLegs);
PAINTER("IMAGE_CUSTOMER_7_SITTING_LEGS", PaintLegs);

}  // namespace

}  // namespace Plix::DataBuild
