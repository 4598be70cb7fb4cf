// Food and shop props: scoops of every flavour, cones, cups and plates,
// toppings and decorations, the special dishes, tubs, jars, mugs, baskets,
// cookies and lemonade. Flavours are numbered in the game's order: 0
// vanilla, 1 strawberry, 2 chocolate, 3 pear, 4 blueberry, 5 pineapple.
#pragma once

#include <cairo.h>

#include "tools/databuild/Art.h"

namespace Plix::DataBuild {

// A scoop resting on its lower edge: centred on cx, its bottom at bottom.
void IceScoop(cairo_t* cr, double cx, double bottom, double w, double h, int flavour);
// A plain scoop shape in one colour (highlight rims, tinted heaps).
void ScoopShape(cairo_t* cr, double cx, double bottom, double w, double h);
void WaffleCone(cairo_t* cr, double cx, double top, double w, double h);
void PaperCup(cairo_t* cr, double cx, double bottom, double w, double h, Rgb c);
void DessertPlate(cairo_t* cr, double cx, double cy, double w, double h, Rgb rim);
// Toppings on a scoop whose top is at (cx, top), w wide: 0 cherry, 1
// sprinkles, 2 chocolate sauce.
void ScoopTopping(cairo_t* cr, int kind, double cx, double top, double w);
// Decorations standing with their foot at (x, y).
void CocktailUmbrella(cairo_t* cr, double x, double y, double size, Rgb c);
void DrinkingStraw(cairo_t* cr, double x, double y, double len, double angle);
void Sparkler(cairo_t* cr, double x, double y, double len, bool lit);
void CocktailStickFruit(cairo_t* cr, double x, double y, double len);
// The special dishes filling a w x h box whose bottom-centre is (cx, bottom).
void SundaeGlass(cairo_t* cr, double cx, double bottom, double w, double h, bool full);
void SpecialPlateDish(cairo_t* cr, double cx, double bottom, double w, double h, bool full);
void BananaSplitDish(cairo_t* cr, double cx, double bottom, double w, double h, bool full);
void CakeDish(cairo_t* cr, double cx, double bottom, double w, double h, bool full);
// Ice-cream tubs. A bench tub seen from above with fill 0..1 of flavour
// (-1: empty); a carried tub seen from the front, its contents separately.
void BenchTub(cairo_t* cr, double x, double y, double w, double h, int flavour, double fill);
void CarriedTub(cairo_t* cr, double cx, double bottom, double w, double h, bool right);
void CarriedTubContents(cairo_t* cr, double cx, double bottom, double w, double h, bool right, int flavour);
void CarriedTubFront(cairo_t* cr, double cx, double bottom, double w, double h, int flavour);
// Containers.
void GlassJar(cairo_t* cr, double cx, double bottom, double w, double h, Rgb lid, Rgb contents, int kind);
void Mug(cairo_t* cr, double cx, double bottom, double w, double h, Rgb c);
void Basket(cairo_t* cr, double cx, double bottom, double w, double h);
void BasketFront(cairo_t* cr, double cx, double bottom, double w, double h);
// Cookies: 0 plain, 1 chocolate chip, 2 pretzel.
void Cookie(cairo_t* cr, double cx, double cy, double r, int kind);
// Lemonade: 0 blueberry, 1 kiwi, 2 tropical.
Rgb LemonadeColor(int kind);
void LemonadeBottle(cairo_t* cr, double cx, double bottom, double w, double h, int kind, double fill);
void LemonadeGlass(cairo_t* cr, double cx, double bottom, double w, double h, int kind);
void JugglingBall(cairo_t* cr, double cx, double cy, double r, int colour);
// A round serving tray seen from the side, its top surface at top.
void ServingTray(cairo_t* cr, double cx, double top, double w);
void NapkinStack(cairo_t* cr, double cx, double bottom, double w, double h, int count);
// A glow round whatever `draw` paints: its silhouette, shifted by (dx, dy),
// grown by `grow` pixels in colour c with a lighter core. The highlight
// pictures of the belt items are made this way from the items themselves.
void SilhouetteGlow(cairo_t* cr, const std::function<void(cairo_t*)>& draw, double dx, double dy, double grow, Rgb c);

}  // namespace Plix::DataBuild
