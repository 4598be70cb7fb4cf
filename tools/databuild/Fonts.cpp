#include "tools/databuild/Fonts.h"

#include <cairo.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cmath>
#include <sstream>
#include <stdexcept>

#include "tools/databuild/Art.h"
#include "tools/databuild/Png.h"

namespace Plix::DataBuild {

namespace {

struct Glyph {
  int code = 0;
  int width = 0;   // of the bitmap
  int rows = 0;
  int left = 0;    // bearing
  int top = 0;
  int advance = 0;
  std::vector<unsigned char> coverage;
  int x = 0;       // rect in the glyph image
  int rectWidth = 0;
  int offsetX = 0;
};

std::vector<int> CharacterSet(const std::string& spec) {
  std::vector<int> codes;
  if (spec == "ascii" || spec == "latin1") {
    for (int c = 32; c < 127; ++c) codes.push_back(c);
    if (spec == "latin1")
      for (int c = 160; c < 256; ++c) codes.push_back(c);
  } else {
    for (unsigned char c : spec) codes.push_back(c);
    if (std::find(codes.begin(), codes.end(), ' ') == codes.end()) codes.insert(codes.begin(), ' ');
  }
  return codes;
}

// A character as a script token: quoted so that separators, parentheses,
// semicolons and '#' stay characters.
std::string CharToken(int code) {
  if (code == '"') return "'\"'";
  if (code == '\\') return "\"\\\\\"";
  return std::string("\"") + static_cast<char>(code) + "\"";
}

// Grows coverage by a disk of the given radius (max filter).
std::vector<unsigned char> Dilate(const std::vector<unsigned char>& src, int w, int h, double radius) {
  std::vector<unsigned char> out(src.size(), 0);
  int r = static_cast<int>(std::ceil(radius));
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      int best = 0;
      for (int dy = -r; dy <= r; ++dy)
        for (int dx = -r; dx <= r; ++dx) {
          int sx = x + dx, sy = y + dy;
          if (sx < 0 || sy < 0 || sx >= w || sy >= h) continue;
          double d = std::sqrt(double(dx * dx + dy * dy));
          if (d > radius + 0.5) continue;
          int v = src[static_cast<size_t>(sy) * w + sx];
          if (d > radius - 0.5) v = static_cast<int>(v * (radius + 0.5 - d));
          best = std::max(best, v);
        }
      out[static_cast<size_t>(y) * w + x] = static_cast<unsigned char>(best);
    }
  return out;
}

void WriteLayerImage(const std::vector<unsigned char>& fill, const std::vector<unsigned char>& edge,
                     int w, int h, Rgb fillColor, Rgb edgeColor, const std::string& path) {
  cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h);
  cairo_surface_flush(s);
  unsigned char* data = cairo_image_surface_get_data(s);
  int stride = cairo_image_surface_get_stride(s);
  for (int y = 0; y < h; ++y) {
    auto* row = reinterpret_cast<uint32_t*>(data + static_cast<size_t>(y) * stride);
    for (int x = 0; x < w; ++x) {
      size_t i = static_cast<size_t>(y) * w + x;
      double fa = fill.empty() ? 0 : fill[i] / 255.0;
      double ea = edge.empty() ? 0 : edge[i] / 255.0;
      // Fill over edge, premultiplied.
      double a = fa + ea * (1 - fa);
      double r = fillColor.r * fa + edgeColor.r * ea * (1 - fa);
      double g = fillColor.g * fa + edgeColor.g * ea * (1 - fa);
      double b = fillColor.b * fa + edgeColor.b * ea * (1 - fa);
      auto q = [](double v) { return static_cast<uint32_t>(std::lround(std::clamp(v, 0.0, 1.0) * 255)); };
      row[x] = (q(a) << 24) | (q(r) << 16) | (q(g) << 8) | q(b);
    }
  }
  cairo_surface_mark_dirty(s);
  WritePng(s, path);
  cairo_surface_destroy(s);
}

std::string BaseName(const std::string& path) {
  size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string StripExtension(const std::string& path) {
  size_t dot = path.find_last_of('.');
  return dot == std::string::npos ? path : path.substr(0, dot);
}

void BuildFont(FT_Library lib, const FontDecl& decl, const std::string& stage) {
  FT_Face face = nullptr;
  std::string fontPath = FontFilePath(decl.face);
  if (FT_New_Face(lib, fontPath.c_str(), 0, &face)) throw std::runtime_error("cannot open " + fontPath);
  if (FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(decl.pixelSize)))
    throw std::runtime_error(decl.id + ": cannot size " + decl.face);

  bool outline = decl.style == "outline";
  bool baked = decl.style.rfind("baked:", 0) == 0;
  if (!outline && !baked && decl.style != "white") throw std::runtime_error(decl.id + ": unknown style " + decl.style);
  Rgb fillColor = Palette::kWhite, edgeColor = Hex(0x241408);
  if (baked) {
    size_t colon = decl.style.find(':', 6);
    if (colon == std::string::npos) throw std::runtime_error(decl.id + ": baked needs FILL:EDGE");
    fillColor = Hex(static_cast<uint32_t>(std::stoul(decl.style.substr(6, colon - 6), nullptr, 16)));
    edgeColor = Hex(static_cast<uint32_t>(std::stoul(decl.style.substr(colon + 1), nullptr, 16)));
  }
  const double edgeRadius = (outline || baked) ? std::max(1.0, decl.pixelSize / 11.0) : 0;
  const int pad = static_cast<int>(std::ceil(edgeRadius)) + 1;

  const int ascent = static_cast<int>(std::ceil(face->size->metrics.ascender / 64.0));
  const int descent = static_cast<int>(std::ceil(-face->size->metrics.descender / 64.0));
  const int lineHeight = static_cast<int>(std::ceil(face->size->metrics.height / 64.0));
  const int cellHeight = ascent + descent + 2 * pad;

  std::vector<Glyph> glyphs;
  for (int code : CharacterSet(decl.chars)) {
    FT_UInt index = FT_Get_Char_Index(face, static_cast<FT_ULong>(code));
    if (index == 0 && code != ' ') continue;  // the face lacks it
    if (FT_Load_Glyph(face, index, FT_LOAD_RENDER | FT_LOAD_TARGET_LIGHT))
      throw std::runtime_error(decl.id + ": cannot render character " + std::to_string(code));
    FT_GlyphSlot slot = face->glyph;
    Glyph g;
    g.code = code;
    g.width = static_cast<int>(slot->bitmap.width);
    g.rows = static_cast<int>(slot->bitmap.rows);
    g.left = slot->bitmap_left;
    g.top = slot->bitmap_top;
    g.advance = static_cast<int>(std::lround(slot->advance.x / 64.0));
    g.coverage.resize(static_cast<size_t>(g.width) * g.rows);
    for (int y = 0; y < g.rows; ++y)
      for (int x = 0; x < g.width; ++x)
        g.coverage[static_cast<size_t>(y) * g.width + x] =
            slot->bitmap.buffer[y * slot->bitmap.pitch + x];
    glyphs.push_back(std::move(g));
  }
  FT_Done_Face(face);

  if (decl.tabular) {
    int widest = 0;
    for (auto& g : glyphs) if (g.code >= '0' && g.code <= '9') widest = std::max(widest, g.advance);
    for (auto& g : glyphs)
      if (g.code >= '0' && g.code <= '9') {
        g.left += (widest - g.advance) / 2;
        g.advance = widest;
      }
  }

  // Lay the glyphs side by side in one row.
  int imageWidth = 0;
  for (auto& g : glyphs) {
    g.x = imageWidth;
    g.rectWidth = g.width > 0 ? g.width + 2 * pad : 0;
    g.offsetX = g.left - pad;
    imageWidth += g.rectWidth;
  }
  imageWidth = std::max(imageWidth, 1);
  std::vector<unsigned char> fill(static_cast<size_t>(imageWidth) * cellHeight, 0);
  for (auto& g : glyphs) {
    int y0 = pad + ascent - g.top;
    for (int y = 0; y < g.rows; ++y)
      for (int x = 0; x < g.width; ++x) {
        int ix = g.x + pad + x, iy = y0 + y;
        if (iy < 0 || iy >= cellHeight) continue;
        fill[static_cast<size_t>(iy) * imageWidth + ix] = g.coverage[static_cast<size_t>(y) * g.width + x];
      }
  }
  std::vector<unsigned char> edge;
  if (edgeRadius > 0) edge = Dilate(fill, imageWidth, cellHeight, edgeRadius);

  const std::string base = StripExtension(decl.file);
  const std::string mainImage = BaseName(base) + ".png";
  const std::string edgeImage = BaseName(base) + "_edge.png";
  if (outline) {
    WriteLayerImage(fill, {}, imageWidth, cellHeight, Palette::kWhite, {}, stage + "/" + base + ".png");
    WriteLayerImage({}, edge, imageWidth, cellHeight, {}, edgeColor, stage + "/" + base + "_edge.png");
  } else {
    WriteLayerImage(fill, edge, imageWidth, cellHeight, fillColor, edgeColor, stage + "/" + base + ".png");
  }

  std::ostringstream chars, rects, widths, offsets;
  for (size_t i = 0; i < glyphs.size(); ++i) {
    const Glyph& g = glyphs[i];
    const char* sep = (i % 12 == 11) ? "\n  " : " ";
    chars << CharToken(g.code) << sep;
    rects << "(" << g.x << " 0 " << g.rectWidth << " " << (g.rectWidth ? cellHeight : 0) << ")" << sep;
    widths << g.advance << sep;
    offsets << "(" << g.offsetX << " " << -pad << ")" << sep;
  }
  std::ostringstream s;
  s << "# " << decl.id << ": made by the data builder from " << decl.face << " at " << decl.pixelSize
    << " pixels. Do not edit; edit data/fonts.txt.\n";
  s << "SetDefaultPointSize " << decl.pointSize << ";\n";
  s << "Define Rects (\n  " << rects.str() << ");\n";
  s << "Define Widths (\n  " << widths.str() << ");\n";
  s << "Define Offsets (\n  " << offsets.str() << ");\n";
  auto layer = [&](const std::string& name, const std::string& image, int baseOrder) {
    s << "CreateLayer " << name << ";\n";
    s << "LayerSetImage " << name << " \"" << image << "\";\n";
    s << "LayerSetAscent " << name << " " << ascent << ";\n";
    s << "LayerSetHeight " << name << " " << std::max(lineHeight, ascent + descent) << ";\n";
    s << "LayerSetBaseOrder " << name << " " << baseOrder << ";\n";
    // The characters are written out in each command: a defined list of
    // letters would be read back as names.
    const std::string list = "(\n  " + chars.str() + ")";
    s << "LayerSetImageMap " << name << " " << list << " Rects;\n";
    s << "LayerSetCharWidths " << name << " " << list << " Widths;\n";
    s << "LayerSetCharOffsets " << name << " " << list << " Offsets;\n";
  };
  if (outline) layer("Edge", edgeImage, 0);
  layer("Main", mainImage, 1);
  WriteWholeFile(stage + "/" + decl.file, s.str());
}

}  // namespace

void BuildFonts(const std::vector<FontDecl>& fonts, const std::string& stage) {
  FT_Library lib = nullptr;
  if (FT_Init_FreeType(&lib)) throw std::runtime_error("FreeType failed to start");
  try {
    for (const auto& f : fonts) BuildFont(lib, f, stage);
  } catch (...) {
    FT_Done_FreeType(lib);
    throw;
  }
  FT_Done_FreeType(lib);
}

}  // namespace Plix::DataBuild
