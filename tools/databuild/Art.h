// Shared drawing helpers of the painters: colours, shapes, text, panels,
// buttons, balloons, food and sparkles. Every helper draws with Cairo in the
// current user space of the context it is given.
#pragma once

#include <cairo.h>

#include <cstdint>
#include <functional>
#include <string>

namespace Plix::DataBuild {

struct Rgb {
  double r = 0, g = 0, b = 0, a = 1;
};

Rgb Hex(uint32_t rgb, double alpha = 1.0);
Rgb Mix(Rgb a, Rgb b, double t);
Rgb Lighter(Rgb c, double t);  // towards white
Rgb Darker(Rgb c, double t);   // towards black
Rgb WithAlpha(Rgb c, double a);
void SetColor(cairo_t* cr, Rgb c);

// The island palette.
namespace Palette {
extern const Rgb kInk;        // outlines
extern const Rgb kCream;      // light panels
extern const Rgb kWood;
extern const Rgb kWoodDark;
extern const Rgb kSky;
extern const Rgb kSea;
extern const Rgb kSand;
extern const Rgb kLeaf;
extern const Rgb kPink;
extern const Rgb kGold;
extern const Rgb kWhite;
}  // namespace Palette

// Flavour colours in the game's flavour order: 0 vanilla, 1 strawberry,
// 2 chocolate, 3 pear, 4 blueberry, 5 pineapple.
Rgb FlavourColor(int flavour);

// Paths.
void RoundRect(cairo_t* cr, double x, double y, double w, double h, double r);
void Ellipse(cairo_t* cr, double cx, double cy, double rx, double ry);
void StarPath(cairo_t* cr, double cx, double cy, double outer, double inner, int points,
              double rotation = 0);

// Fills the current path with fill and strokes it with line (width lw).
void FillStroke(cairo_t* cr, Rgb fill, Rgb line, double lw);
void Fill(cairo_t* cr, Rgb fill);
// Fills the current path with a vertical gradient from top to bottom (y0..y1).
void FillVertical(cairo_t* cr, double y0, double y1, Rgb top, Rgb bottom);
void FillRadial(cairo_t* cr, double cx, double cy, double r, Rgb inner, Rgb outer);
// FillVertical that keeps the path and outlines it with line (width lw).
void FillVerticalStroke(cairo_t* cr, double y0, double y1, Rgb top, Rgb bottom, Rgb line, double lw);
// A rounded rectangle shaded from top to bottom colour and outlined.
void GradientBox(cairo_t* cr, double x, double y, double w, double h, double r, Rgb top, Rgb bottom,
                 Rgb line, double lw);

// Soft oval shadow or glow: colour c fading to transparent at the edge.
void SoftOval(cairo_t* cr, double cx, double cy, double rx, double ry, Rgb c);
// A glossy highlight over the upper part of a rounded rectangle.
void Gloss(cairo_t* cr, double x, double y, double w, double h, double r, double strength = 0.35);

// Text. Faces are free fonts found on the system.
enum class Face { Sans, SansBold, Comic, ComicBold, Lobster };
enum class Align { Left, Center, Right };
struct TextStyle {
  Face face = Face::ComicBold;
  double size = 16;
  Rgb fill = Palette::kInk;
  Rgb outline{0, 0, 0, 0};
  double outlineWidth = 0;
  Align align = Align::Center;
};
// Draws text with its baseline at y.
void Text(cairo_t* cr, const TextStyle& style, double x, double y, const std::string& text);
// Centres text on (cx, cy), shrinking the size until it fits maxWidth x maxHeight.
void FitText(cairo_t* cr, TextStyle style, double cx, double cy, double maxWidth, double maxHeight,
             const std::string& text);
// The full path of a free font file of the system, found by file name.
std::string FontFilePath(const std::string& fileName);

// Composite pieces.
// A rounded board with a darker rim, a light face and a gloss.
void Panel(cairo_t* cr, double x, double y, double w, double h, Rgb face, double radius = 14);
// A candy button plate; over lights it up.
void ButtonPlate(cairo_t* cr, double x, double y, double w, double h, Rgb face, bool over,
                 double radius = -1);
// A cartoon speech-balloon body filling the rectangle.
void BalloonBody(cairo_t* cr, double x, double y, double w, double h);
// A balloon tail whose tip is the cel's bottom centre, leaning to a body on
// the left (bodyRight false) or on the right; its top covers the body's rim.
void BalloonTail(cairo_t* cr, double w, double h, bool bodyRight);
// Particle cels: a twinkle at point t (0..1) of its life, a glint of size s
// (0..1), and a soft black oval shadow (only its alpha counts).
void TwinkleCel(cairo_t* cr, double w, double h, double t);
void GlintCel(cairo_t* cr, double w, double h, double s);
void ShadowCel(cairo_t* cr, double w, double h);
// A five-pointed gold star.
void GoldStar(cairo_t* cr, double cx, double cy, double r, Rgb fill = Palette::kGold);
// A four-pointed twinkle of the given size (0..1 scales it), for particles.
void Twinkle(cairo_t* cr, double cx, double cy, double r, Rgb c);
// An ice-cream scoop of the flavour's colour with a drip edge.
void Scoop(cairo_t* cr, double cx, double cy, double r, Rgb c);
void Cone(cairo_t* cr, double cx, double top, double w, double h);
void Cup(cairo_t* cr, double cx, double top, double w, double h, Rgb c);
void Plate(cairo_t* cr, double cx, double cy, double w, double h);
// Fruit.
void Strawberry(cairo_t* cr, double cx, double cy, double r);
void Pear(cairo_t* cr, double cx, double cy, double r);
void Apple(cairo_t* cr, double cx, double cy, double r);
void Banana(cairo_t* cr, double cx, double cy, double len, double angle, Rgb c);
void Blueberries(cairo_t* cr, double cx, double cy, double r);
void Pineapple(cairo_t* cr, double cx, double cy, double r);
void ChocolatePieces(cairo_t* cr, double cx, double cy, double r);
void Vanilla(cairo_t* cr, double cx, double cy, double r);
// Draws the fruit or ingredient of a flavour (0..5) centred at (cx, cy).
void FlavourFruit(cairo_t* cr, int flavour, double cx, double cy, double r);
// A little flower head.
void Flower(cairo_t* cr, double cx, double cy, double r, Rgb petals);
// A coin seen at an angle (0 full face .. 1 edge).
void Coin(cairo_t* cr, double cx, double cy, double r, double turn);

// Button states of a picture drawn by `draw`: Normal as it is; Over with a
// warm halo round its outline and a little brighter; Disabled greyed out.
// The halo stays within `halo` pixels of the picture's opaque pixels.
enum class Look3 { Normal, Over, Disabled };
void DrawState(cairo_t* cr, Look3 state, const std::function<void(cairo_t*)>& draw, double halo = 4,
               Rgb glow = Hex(0xfff27a));

// Words written onto a picture: a bold cartoon title with a dark outline
// and a light inner highlight, centred on (cx, cy) within maxW x maxH.
void Title(cairo_t* cr, const std::string& text, double cx, double cy, double maxW, double maxH, Rgb fill,
           Face face = Face::Lobster, Rgb outline = Palette::kInk);

// Deterministic pseudo-random numbers for textures (same sequence every build).
class Rand {
 public:
  explicit Rand(uint32_t seed) : mState(seed * 2654435761u + 12345u) {}
  uint32_t Next();
  double Uniform(double lo, double hi);

 private:
  uint32_t mState;
};
uint32_t HashId(const std::string& id);

}  // namespace Plix::DataBuild
