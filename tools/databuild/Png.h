// Deterministic PNG output: no time stamps, fixed compression settings.
#pragma once

#include <cairo.h>

#include <string>

namespace Plix::DataBuild {

// Writes an ARGB32 Cairo surface as an 8-bit RGBA PNG (colours
// un-premultiplied). Throws std::runtime_error on failure.
void WritePng(cairo_surface_t* surface, const std::string& path);

}  // namespace Plix::DataBuild
