// Props shared by several groups: the ten award trophies, scenery (clouds,
// sun, palms, bushes, flowers, stones, grass), signboards and banners.
#pragma once

#include <cairo.h>

#include <string>

#include "tools/databuild/Art.h"

namespace Plix::DataBuild {

// Trophy grades: 0 bronze, 1 silver, 2 gold, 3 not won (a dim silhouette).
Rgb MetalColor(int grade);
// Fills the current path with a metal sheen of the grade between x0 and x1.
void MetalFill(cairo_t* cr, double x0, double x1, int grade);
// Award trophy n (1..10) standing with its foot centred at (cx, bottom) in a
// w x h box: 1 happy customers, 2 happy monkeys, 3 splendid decoration, 4
// shiny trash can, 5 entertainment, 6 ice cold, 7 saver, 8 wonderful ice
// creams, 9 special servings, 10 fast delivery.
void Trophy(cairo_t* cr, int n, int grade, double cx, double bottom, double w, double h);

// Scenery.
void CloudPuff(cairo_t* cr, double cx, double cy, double s, double alpha = 1.0);
void SunDisc(cairo_t* cr, double cx, double cy, double r);
void PalmTree(cairo_t* cr, double x, double base, double h, double lean);
void Shrub(cairo_t* cr, double cx, double base, double w, double h, Rgb c, uint32_t seed, bool flowers);
void Stones(cairo_t* cr, double cx, double base, double w, double h, uint32_t seed, Rgb c = Hex(0xb8b0a0));
void GrassTuft(cairo_t* cr, double cx, double base, double w, double h, Rgb c, uint32_t seed);

// Backdrops: a vertical sky gradient; the ground of a play field (800 x
// 566, the floor picture) with its walk lanes; a room with wall and floor.
void SkyFill(cairo_t* cr, double w, double h, Rgb top, Rgb bottom);
void FloorStand(cairo_t* cr, double cx, double foot, double top, Rgb cloth);
void PlayGround(cairo_t* cr, Rgb far, Rgb near, Rgb path, uint32_t seed, bool grass);

// A wooden signboard with words on it, filling the rectangle.
void SignBoard(cairo_t* cr, double x, double y, double w, double h, const std::string& text, Rgb board, Rgb ink,
               bool post);
// A banner plate with a title for the big notices of the game.
void BannerPlate(cairo_t* cr, double x, double y, double w, double h, Rgb a, Rgb b);

}  // namespace Plix::DataBuild
