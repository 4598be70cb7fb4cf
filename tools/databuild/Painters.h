// The painters: one function per image (or family of images) that draws one
// cel. Each group's painters live in paint/<Group>.cpp and register
// themselves by id or by id prefix; an image without a painter gets the
// generic one, which draws an honest placeholder of the right shape.
#pragma once

#include <cairo.h>

#include <string>

#include "tools/databuild/Art.h"
#include "tools/databuild/Tables.h"

namespace Plix::DataBuild {

struct Cel {
  cairo_t* cr;           // origin at the cel's top-left, clipped to the cel
  const ImageDecl& decl;
  int index;             // cel number, row by row
  int col;
  int row;
  double w;              // cel size
  double h;
};

using Painter = void (*)(Cel& cel);

// Registers a painter for one id, or for every id that starts with prefix
// when the name ends in '*'. The longest match wins.
struct PainterRegistration {
  PainterRegistration(const char* idOrPrefix, Painter painter);
};

Painter FindPainter(const std::string& id);
void PaintGeneric(Cel& cel);

// Paints cel index of another declared image with its own painter, origin
// at the current origin, so that pictures made of the game's pieces (the help
// pages) show exactly those pieces. Only valid while the images are built.
void PaintCelOf(cairo_t* cr, const std::string& id, int index);
// The declared cel size of an image, for placing what PaintCelOf draws.
void CelSizeOf(const std::string& id, double& w, double& h);

// A short readable label from an id: IMAGE_BG5_SHELL_3 -> "bg5 shell 3".
std::string Label(const std::string& id);

}  // namespace Plix::DataBuild

#define PLIX_PAINTER_CAT2(a, b) a##b
#define PLIX_PAINTER_CAT(a, b) PLIX_PAINTER_CAT2(a, b)
#define PAINTER(name, fn) \
  static ::Plix::DataBuild::PainterRegistration PLIX_PAINTER_CAT(gPainter, __LINE__)(name, fn)
