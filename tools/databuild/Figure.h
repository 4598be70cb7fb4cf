// Parametric characters: people (the heroine, the customers, the uncle and
// the shop keepers) and the two monkeys. A character is a Look (who it is)
// drawn in a Pose (what it does in one cel); whole animation strips are made
// by varying the pose from cel to cel. Hands and feet are placed by target
// points in cel pixels and the elbows and knees found by two-bone reach, so
// a painter can put a hand exactly where the game draws a carried thing.
#pragma once

#include <cairo.h>

#include "tools/databuild/Art.h"

namespace Plix::DataBuild {

struct Vec {
  double x = 0, y = 0;
};
inline Vec operator+(Vec a, Vec b) { return {a.x + b.x, a.y + b.y}; }
inline Vec operator-(Vec a, Vec b) { return {a.x - b.x, a.y - b.y}; }
inline Vec operator*(Vec a, double s) { return {a.x * s, a.y * s}; }
inline Vec Lerp(Vec a, Vec b, double t) { return a + (b - a) * t; }

// Which way a character faces. Side faces the viewer's right; a pose may be
// mirrored to face left.
enum class View { Front, Back, Side };

enum class Eyes { Open, Half, Shut, Happy, Angry, Wide, Sad };
enum class Mouth { Smile, Grin, Flat, Frown, Open, Wide, Chew, Oh, Tongue };

struct Expr {
  Eyes eyes = Eyes::Open;
  Mouth mouth = Mouth::Smile;
  double lookX = 0, lookY = 0;  // pupil shift, -1..1
  double brows = 0;             // -1 worried .. 0 .. 1 raised
};

enum class Hair { None, Ponytail, Short, Bald, Bob, Bun, Curly, Spiky, Long, Slick };
enum class Hat { None, Cap, Panama, TopHat, SunHat, Headband, Chef };
enum class Top { Tee, Tank, LongSleeve, Jacket, Dress, Vest };
enum class Pattern { None, Stripes, Flowers, Dots };
enum class Bottom { Shorts, Trousers, Skirt, LongSkirt };

struct Look {
  double height = 124;   // sole to crown, in pixels
  double headScale = 1;  // head size relative to the usual cartoon head
  double build = 1;      // width of shoulders and hips
  double belly = 0;      // 0 flat .. 1 round
  double legScale = 1;   // leg length relative to the usual
  double stoop = 0;      // forward bend of an old back, radians
  Rgb skin = Hex(0xf2c094);
  Rgb hairColor = Hex(0x5a3520);
  Hair hair = Hair::Short;
  Hat hat = Hat::None;
  Rgb hatColor = Hex(0xffffff);
  Rgb hatBand = Hex(0xd04040);
  Top top = Top::Tee;
  Rgb topColor = Hex(0xff8fb1);
  Pattern pattern = Pattern::None;
  Rgb patternColor = Hex(0xffffff);
  Rgb shirt = Hex(0xffffff);    // under a jacket or vest
  Rgb tie{0, 0, 0, 0};          // alpha 0: none
  Rgb apron{0, 0, 0, 0};        // alpha 0: none
  Bottom bottom = Bottom::Shorts;
  Rgb bottomColor = Hex(0x3a6ac8);
  Rgb shoes = Hex(0x6a4020);
  bool bareLegs = true;         // skin below shorts and skirts
  bool glasses = false;
  bool moustache = false;
  bool beard = false;
  bool blush = false;
  bool lashes = false;
  Rgb flower{0, 0, 0, 0};       // a flower in the hair; alpha 0: none
  Rgb beard_color = Hex(0xeeeeee);
  double eyeSize = 1;
};

// Limb indices: 0 the arm or leg on the viewer's left in a front view, the
// far one in a side view; 1 the other.
struct Pose {
  View view = View::Front;
  bool mirror = false;  // a side view facing left
  Vec foot{50, 138};    // the ground point between the feet, cel pixels
  double bob = 0;       // raises the body (not the feet), pixels
  double sway = 0;      // shifts the body sideways, pixels
  double lean = 0;      // bends the body forward (side) or sideways (front), radians
  double headTilt = 0;  // radians
  Vec headShift;        // pixels
  // Feet: offset from their rest place (x) and lift off the ground (y, up).
  Vec feet[2];
  // Hands: target points in cel pixels; unset hands hang at the sides.
  Vec hands[2];
  bool handSet[2] = {false, false};
  bool handBehind[2] = {false, false};  // front views: the hand passes behind the body
  bool fist[2] = {false, false};
  bool sitting = false;  // no legs: the body ends at the seat
  bool armsOverHead = false;  // front view: the arms are drawn over the head
  Expr face;
  // Which parts to draw: the arms alone make the "overhead" layers that the
  // game draws in front of the workbenches.
  bool drawBody = true;
  bool drawArms = true;
  double hairSwing = 0;  // ponytail swing, -1..1
};

void DrawPerson(cairo_t* cr, const Look& look, const Pose& pose);
// The legs of a seated person seen from the side: thighs forward from the
// hip (dir +1 right, -1 left) and shins down to the floor line.
void DrawSeatedLegs(cairo_t* cr, const Look& look, Vec hip, double dir, double floorY);

// Where the shoulders of a person stand in a pose (cel pixels), for painters
// that place hands relative to the body.
Vec ShoulderPoint(const Look& look, const Pose& pose, int arm);
Vec HeadCentre(const Look& look, const Pose& pose);
double HeadRadius(const Look& look);

// A big figure over two stacked pictures, placed by the midpoint of its eyes:
// DrawPortrait draws the part whose top lies at `top` of the upper picture;
// DrawPortraitBlink draws only the eyes and the skin round them, for a
// blink cel whose top-left lies at `blinkAt` of the upper picture.
struct Portrait {
  Look look;
  Pose pose;     // eyes open
  double scale;
  Vec eyes;      // where the eyes' midpoint falls, in upper-picture pixels
};
void DrawPortrait(cairo_t* cr, const Portrait& pt, double top);
void DrawPortraitBlink(cairo_t* cr, const Portrait& pt, Vec blinkAt, Eyes eyes);

// The monkeys. Their pose is the same Pose; the look is simpler.
struct MonkeyLook {
  double height = 72;
  Rgb fur = Hex(0x8a5632);
  Rgb face = Hex(0xf3d2a8);
  bool girl = false;
  Rgb bow = Hex(0xff5fa0);      // the girl's bow and skirt
  Rgb vest = Hex(0xe04848);     // the boy's vest
};

struct MonkeyPose {
  View view = View::Front;
  bool mirror = false;
  Vec foot{50, 102};
  double bob = 0;
  double sway = 0;
  double lean = 0;
  double headTilt = 0;
  Vec headShift;
  Vec feet[2];
  Vec hands[2];
  bool handSet[2] = {false, false};
  bool handBehind[2] = {false, false};
  Expr face;
  double tail = 0;       // tail swing, -1..1
  bool squat = false;    // knees bent, sitting on the heels
  bool sitting = false;  // sitting on the ground or a bench
  bool drawTail = true;
};

void DrawMonkey(cairo_t* cr, const MonkeyLook& look, const MonkeyPose& pose);
Vec MonkeyShoulder(const MonkeyLook& look, const MonkeyPose& pose, int arm);

// A walk cycle: feet, bob and arm swing of a phase 0..1. Phase 0 has both
// feet on the ground under the body (the standing cel of a cycle).
struct Step {
  Vec feet[2];
  double bob;
  double armSwing;  // -1..1, the swing of arm 0 (arm 1 swings the other way)
};
Step WalkStep(View view, double phase, double stride, double lift);

// The heroine, the customers and the other people of the game.
namespace Cast {
Look Pemi();
Look Uncle();
Look SalesPerson();
Look CircusMan();
Look HappyLady();
Look SeriousLady();
// Customer kinds by image number 1..7: old man, boy, sporty customer, man in
// a jacket, dad, lady, mum.
Look Customer(int n);
MonkeyLook Rudav();
MonkeyLook Vurez();
}  // namespace Cast

}  // namespace Plix::DataBuild
