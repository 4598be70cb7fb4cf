#include "tools/databuild/Art.h"

#include <cairo-ft.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <cmath>
#include <filesystem>
#include <map>
#include <mutex>
#include <stdexcept>

namespace Plix::DataBuild {

Rgb Hex(uint32_t rgb, double alpha) {
  return {((rgb >> 16) & 255) / 255.0, ((rgb >> 8) & 255) / 255.0, (rgb & 255) / 255.0, alpha};
}
Rgb Mix(Rgb a, Rgb b, double t) {
  return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t, a.a + (b.a - a.a) * t};
}
Rgb Lighter(Rgb c, double t) { return Mix(c, {1, 1, 1, c.a}, t); }
Rgb Darker(Rgb c, double t) { return Mix(c, {0, 0, 0, c.a}, t); }
Rgb WithAlpha(Rgb c, double a) { return {c.r, c.g, c.b, a}; }
void SetColor(cairo_t* cr, Rgb c) { cairo_set_source_rgba(cr, c.r, c.g, c.b, c.a); }

namespace Palette {
const Rgb kInk = Hex(0x3a2318);
const Rgb kCream = Hex(0xfff4d6);
const Rgb kWood = Hex(0xc98a4b);
const Rgb kWoodDark = Hex(0x7a4a22);
const Rgb kSky = Hex(0x7fd3f7);
const Rgb kSea = Hex(0x1fa6c9);
const Rgb kSand = Hex(0xf6dc9a);
const Rgb kLeaf = Hex(0x4cb848);
const Rgb kPink = Hex(0xff7eb3);
const Rgb kGold = Hex(0xffc928);
const Rgb kWhite = Hex(0xffffff);
}  // namespace Palette

Rgb FlavourColor(int flavour) {
  static const uint32_t colors[6] = {0xfff1c4, 0xff8fb1, 0x8a5230, 0xc8e06a, 0x7d7be8, 0xffd84a};
  return Hex(colors[(flavour % 6 + 6) % 6]);
}

void RoundRect(cairo_t* cr, double x, double y, double w, double h, double r) {
  r = std::min(r, std::min(w, h) / 2);
  cairo_new_sub_path(cr);
  cairo_arc(cr, x + w - r, y + r, r, -M_PI / 2, 0);
  cairo_arc(cr, x + w - r, y + h - r, r, 0, M_PI / 2);
  cairo_arc(cr, x + r, y + h - r, r, M_PI / 2, M_PI);
  cairo_arc(cr, x + r, y + r, r, M_PI, 3 * M_PI / 2);
  cairo_close_path(cr);
}

void Ellipse(cairo_t* cr, double cx, double cy, double rx, double ry) {
  if (rx <= 0 || ry <= 0) return;
  cairo_save(cr);
  cairo_translate(cr, cx, cy);
  cairo_scale(cr, rx, ry);
  cairo_new_sub_path(cr);
  cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
  cairo_close_path(cr);
  cairo_restore(cr);
}

void StarPath(cairo_t* cr, double cx, double cy, double outer, double inner, int points,
              double rotation) {
  cairo_new_sub_path(cr);
  for (int i = 0; i < points * 2; ++i) {
    double a = rotation - M_PI / 2 + i * M_PI / points;
    double r = (i % 2) ? inner : outer;
    double x = cx + r * std::cos(a), y = cy + r * std::sin(a);
    if (i == 0) cairo_move_to(cr, x, y);
    else cairo_line_to(cr, x, y);
  }
  cairo_close_path(cr);
}

void FillStroke(cairo_t* cr, Rgb fill, Rgb line, double lw) {
  SetColor(cr, fill);
  cairo_fill_preserve(cr);
  cairo_set_line_width(cr, lw);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  SetColor(cr, line);
  cairo_stroke(cr);
}

void Fill(cairo_t* cr, Rgb fill) {
  SetColor(cr, fill);
  cairo_fill(cr);
}

namespace {

void SetVertical(cairo_t* cr, double y0, double y1, Rgb top, Rgb bottom) {
  cairo_pattern_t* p = cairo_pattern_create_linear(0, y0, 0, y1);
  cairo_pattern_add_color_stop_rgba(p, 0, top.r, top.g, top.b, top.a);
  cairo_pattern_add_color_stop_rgba(p, 1, bottom.r, bottom.g, bottom.b, bottom.a);
  cairo_set_source(cr, p);
  cairo_pattern_destroy(p);  // the context keeps its own reference
}

}  // namespace

void FillVertical(cairo_t* cr, double y0, double y1, Rgb top, Rgb bottom) {
  SetVertical(cr, y0, y1, top, bottom);
  cairo_fill(cr);
}

void FillVerticalStroke(cairo_t* cr, double y0, double y1, Rgb top, Rgb bottom, Rgb line, double lw) {
  SetVertical(cr, y0, y1, top, bottom);
  cairo_fill_preserve(cr);
  cairo_set_line_width(cr, lw);
  SetColor(cr, line);
  cairo_stroke(cr);
}

void GradientBox(cairo_t* cr, double x, double y, double w, double h, double r, Rgb top, Rgb bottom,
                 Rgb line, double lw) {
  RoundRect(cr, x, y, w, h, r);
  FillVerticalStroke(cr, y, y + h, top, bottom, line, lw);
}

void FillRadial(cairo_t* cr, double cx, double cy, double r, Rgb inner, Rgb outer) {
  cairo_pattern_t* p = cairo_pattern_create_radial(cx, cy, 0, cx, cy, r);
  cairo_pattern_add_color_stop_rgba(p, 0, inner.r, inner.g, inner.b, inner.a);
  cairo_pattern_add_color_stop_rgba(p, 1, outer.r, outer.g, outer.b, outer.a);
  cairo_set_source(cr, p);
  cairo_fill(cr);
  cairo_pattern_destroy(p);
}

void SoftOval(cairo_t* cr, double cx, double cy, double rx, double ry, Rgb c) {
  if (rx <= 0 || ry <= 0) return;
  cairo_save(cr);
  cairo_translate(cr, cx, cy);
  cairo_scale(cr, rx, ry);
  cairo_pattern_t* p = cairo_pattern_create_radial(0, 0, 0, 0, 0, 1);
  cairo_pattern_add_color_stop_rgba(p, 0, c.r, c.g, c.b, c.a);
  cairo_pattern_add_color_stop_rgba(p, 0.55, c.r, c.g, c.b, c.a * 0.75);
  cairo_pattern_add_color_stop_rgba(p, 1, c.r, c.g, c.b, 0);
  cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
  cairo_set_source(cr, p);
  cairo_fill(cr);
  cairo_pattern_destroy(p);
  cairo_restore(cr);
}

void Gloss(cairo_t* cr, double x, double y, double w, double h, double r, double strength) {
  cairo_save(cr);
  RoundRect(cr, x + r * 0.4, y + h * 0.08, w - r * 0.8, h * 0.42, r * 0.8);
  FillVertical(cr, y, y + h * 0.5, {1, 1, 1, strength}, {1, 1, 1, 0.02});
  cairo_restore(cr);
}

// Text ---------------------------------------------------------------------

namespace {

std::mutex gFontPathMutex;
std::map<std::string, std::string> gFontPaths;

const char* FaceFile(Face face) {
  switch (face) {
    case Face::Sans: return "DejaVuSans.ttf";
    case Face::SansBold: return "DejaVuSans-Bold.ttf";
    case Face::Comic: return "ComicNeue-Regular.otf";
    case Face::ComicBold: return "ComicNeue-Bold.otf";
    case Face::Lobster: return "lobster.otf";
  }
  return "DejaVuSans.ttf";
}

// One FreeType library and one Cairo face per font and thread: FreeType
// faces must not be shared between threads.
struct ThreadFonts {
  FT_Library library = nullptr;
  std::map<Face, std::pair<FT_Face, cairo_font_face_t*>> faces;
  ~ThreadFonts() {
    for (auto& [k, v] : faces) cairo_font_face_destroy(v.second);
    // The FT faces stay with the Cairo faces, which may outlive this thread
    // in Cairo's caches; the library is left to process exit.
  }
  cairo_font_face_t* Get(Face face) {
    auto it = faces.find(face);
    if (it != faces.end()) return it->second.second;
    if (!library && FT_Init_FreeType(&library)) throw std::runtime_error("FreeType failed to start");
    FT_Face ft = nullptr;
    std::string path = FontFilePath(FaceFile(face));
    if (FT_New_Face(library, path.c_str(), 0, &ft)) throw std::runtime_error("cannot open font " + path);
    cairo_font_face_t* cf = cairo_ft_font_face_create_for_ft_face(ft, 0);
    faces[face] = {ft, cf};
    return cf;
  }
};

thread_local ThreadFonts tFonts;

void SetFont(cairo_t* cr, const TextStyle& s) {
  cairo_set_font_face(cr, tFonts.Get(s.face));
  cairo_set_font_size(cr, s.size);
}

}  // namespace

std::string FontFilePath(const std::string& fileName) {
  std::lock_guard<std::mutex> lock(gFontPathMutex);
  auto it = gFontPaths.find(fileName);
  if (it != gFontPaths.end()) return it->second;
  for (const char* root : {"/usr/share/fonts", "/usr/local/share/fonts"}) {
    std::error_code ec;
    if (!std::filesystem::exists(root, ec)) continue;
    for (auto& entry : std::filesystem::recursive_directory_iterator(root, ec)) {
      if (entry.is_regular_file() && entry.path().filename() == fileName) {
        gFontPaths[fileName] = entry.path().string();
        return entry.path().string();
      }
    }
  }
  throw std::runtime_error("font file not found: " + fileName +
                           " (install fonts-dejavu-core, fonts-comic-neue and fonts-lobster)");
}

void Text(cairo_t* cr, const TextStyle& style, double x, double y, const std::string& text) {
  cairo_save(cr);
  SetFont(cr, style);
  cairo_text_extents_t ext;
  cairo_text_extents(cr, text.c_str(), &ext);
  if (style.align == Align::Center) x -= ext.x_advance / 2;
  else if (style.align == Align::Right) x -= ext.x_advance;
  cairo_move_to(cr, x, y);
  cairo_text_path(cr, text.c_str());
  if (style.outlineWidth > 0 && style.outline.a > 0) {
    cairo_set_line_width(cr, style.outlineWidth * 2);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    SetColor(cr, style.outline);
    cairo_stroke_preserve(cr);
  }
  SetColor(cr, style.fill);
  cairo_fill(cr);
  cairo_restore(cr);
}

void FitText(cairo_t* cr, TextStyle style, double cx, double cy, double maxWidth, double maxHeight,
             const std::string& text) {
  cairo_save(cr);
  for (int guard = 0; guard < 60; ++guard) {
    SetFont(cr, style);
    cairo_text_extents_t ext;
    cairo_text_extents(cr, text.c_str(), &ext);
    double w = ext.width + style.outlineWidth * 2, h = ext.height + style.outlineWidth * 2;
    if ((w <= maxWidth && h <= maxHeight) || style.size <= 5) {
      TextStyle s = style;
      s.align = Align::Left;
      Text(cr, s, cx - ext.width / 2 - ext.x_bearing, cy - ext.height / 2 - ext.y_bearing, text);
      break;
    }
    style.size *= 0.92;
  }
  cairo_restore(cr);
}

// Composite pieces ---------------------------------------------------------

void Panel(cairo_t* cr, double x, double y, double w, double h, Rgb face, double radius) {
  RoundRect(cr, x + 1, y + 3, w - 2, h - 3, radius);
  Fill(cr, {0, 0, 0, 0.25});
  RoundRect(cr, x + 1, y + 1, w - 2, h - 4, radius);
  FillStroke(cr, Darker(face, 0.35), Palette::kInk, 2);
  double in = std::max(4.0, std::min(w, h) * 0.05);
  RoundRect(cr, x + in, y + in, w - 2 * in, h - 2 * in - 3, std::max(2.0, radius - in * 0.6));
  FillVertical(cr, y + in, y + h - in, Lighter(face, 0.25), face);
  Gloss(cr, x + in, y + in, w - 2 * in, h - 2 * in - 3, std::max(2.0, radius - in * 0.6), 0.25);
}

void ButtonPlate(cairo_t* cr, double x, double y, double w, double h, Rgb face, bool over,
                 double radius) {
  if (radius < 0) radius = h * 0.45;
  if (over) face = Lighter(face, 0.3);
  RoundRect(cr, x + 1, y + 2, w - 2, h - 2, radius);
  Fill(cr, {0, 0, 0, 0.3});
  RoundRect(cr, x + 1, y + 1, w - 2, h - 4, radius);
  FillVerticalStroke(cr, y, y + h, Lighter(face, 0.15), Darker(face, 0.2), Darker(face, 0.55), 2);
  Gloss(cr, x + 2, y + 2, w - 4, h - 7, radius * 0.9, over ? 0.55 : 0.4);
  if (over) {
    RoundRect(cr, x + 3, y + 3, w - 6, h - 8, radius * 0.9);
    cairo_set_line_width(cr, 1.5);
    SetColor(cr, {1, 1, 0.8, 0.8});
    cairo_stroke(cr);
  }
}

void BalloonBody(cairo_t* cr, double x, double y, double w, double h) {
  double r = std::min(w, h) * 0.22;
  RoundRect(cr, x + 3, y + 5, w - 5, h - 6, r);
  Fill(cr, {0, 0, 0, 0.18});
  RoundRect(cr, x + 1.5, y + 1.5, w - 5, h - 6, r);
  SetColor(cr, Palette::kWhite);
  cairo_fill_preserve(cr);
  cairo_set_line_width(cr, 3);
  SetColor(cr, Palette::kInk);
  cairo_stroke(cr);
  RoundRect(cr, x + 6, y + 6, w - 15, (h - 6) * 0.3, r * 0.7);
  FillVertical(cr, y + 6, y + 6 + (h - 6) * 0.3, {0.85, 0.95, 1, 0.9}, {1, 1, 1, 0});
}

void BalloonTail(cairo_t* cr, double w, double h, bool bodyRight) {
  double dir = bodyRight ? 1 : -1;
  double tipX = w / 2, tipY = h - 1.5;
  double topL = w / 2 + dir * w * 0.12 - w * 0.22, topR = topL + w * 0.44;
  cairo_move_to(cr, topL, 0);
  cairo_curve_to(cr, topL, h * 0.4, tipX, h * 0.6, tipX, tipY);
  cairo_curve_to(cr, tipX + dir * 4, h * 0.55, topR, h * 0.35, topR, 0);
  cairo_set_line_width(cr, 3);
  SetColor(cr, Palette::kWhite);
  cairo_fill_preserve(cr);
  SetColor(cr, Palette::kInk);
  cairo_stroke(cr);
  // Cover the top edge so that the body's outline does not show through.
  cairo_rectangle(cr, topL + 1.5, 0, topR - topL - 3, 5);
  Fill(cr, Palette::kWhite);
}

void TwinkleCel(cairo_t* cr, double w, double h, double t) {
  double s = std::sin(t * M_PI);
  Twinkle(cr, w / 2, h / 2, (std::min(w, h) / 2 - 1) * (0.3 + 0.7 * s), {1, 1, 0.85, 0.35 + 0.65 * s});
}

void GlintCel(cairo_t* cr, double w, double h, double s) {
  Twinkle(cr, w / 2, h / 2, (std::min(w, h) / 2 - 1) * s, {1, 1, 1, 0.9});
}

void ShadowCel(cairo_t* cr, double w, double h) { SoftOval(cr, w / 2, h / 2, w / 2 - 1, h / 2 - 1, {0, 0, 0, 1}); }

void GoldStar(cairo_t* cr, double cx, double cy, double r, Rgb fill) {
  StarPath(cr, cx, cy + r * 0.06, r, r * 0.48, 5);
  cairo_pattern_t* p = cairo_pattern_create_radial(cx - r * 0.3, cy - r * 0.4, r * 0.1, cx, cy, r * 1.1);
  Rgb hi = Lighter(fill, 0.6), lo = Darker(fill, 0.25);
  cairo_pattern_add_color_stop_rgba(p, 0, hi.r, hi.g, hi.b, fill.a);
  cairo_pattern_add_color_stop_rgba(p, 1, lo.r, lo.g, lo.b, fill.a);
  cairo_set_source(cr, p);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(p);
  cairo_set_line_width(cr, std::max(1.0, r * 0.1));
  SetColor(cr, WithAlpha(Darker(fill, 0.55), fill.a));
  cairo_stroke(cr);
}

void Twinkle(cairo_t* cr, double cx, double cy, double r, Rgb c) {
  if (r <= 0.2) return;
  SoftOval(cr, cx, cy, r * 0.8, r * 0.8, WithAlpha(c, c.a * 0.5));
  StarPath(cr, cx, cy, r, r * 0.22, 4);
  Fill(cr, c);
  SoftOval(cr, cx, cy, r * 0.3, r * 0.3, {1, 1, 1, c.a});
}

void Scoop(cairo_t* cr, double cx, double cy, double r, Rgb c) {
  // A round scoop with a wavy lower rim.
  cairo_new_path(cr);
  cairo_arc(cr, cx, cy, r, M_PI * 1.0, M_PI * 2.0);
  int waves = 5;
  double left = cx + r, base = cy + r * 0.35;
  cairo_line_to(cr, left, base);
  for (int i = 0; i < waves; ++i) {
    double x0 = cx + r - 2 * r * i / waves, x1 = cx + r - 2 * r * (i + 1) / waves;
    cairo_curve_to(cr, x0, base + r * 0.35, x1, base + r * 0.35, x1, base);
  }
  cairo_close_path(cr);
  FillStroke(cr, c, Darker(c, 0.45), std::max(1.0, r * 0.1));
  SoftOval(cr, cx - r * 0.35, cy - r * 0.35, r * 0.35, r * 0.25, {1, 1, 1, 0.6});
}

void Cone(cairo_t* cr, double cx, double top, double w, double h) {
  cairo_new_path(cr);
  cairo_move_to(cr, cx - w / 2, top);
  cairo_line_to(cr, cx + w / 2, top);
  cairo_line_to(cr, cx, top + h);
  cairo_close_path(cr);
  FillStroke(cr, Hex(0xe7a65a), Hex(0x8a5520), std::max(1.0, w * 0.06));
  cairo_save(cr);
  cairo_move_to(cr, cx - w / 2, top);
  cairo_line_to(cr, cx + w / 2, top);
  cairo_line_to(cr, cx, top + h);
  cairo_close_path(cr);
  cairo_clip(cr);
  cairo_set_line_width(cr, std::max(0.8, w * 0.05));
  SetColor(cr, Hex(0xb06f2c));
  for (double d = -h; d < h + w; d += w * 0.3) {
    cairo_move_to(cr, cx - w / 2 + d, top);
    cairo_line_to(cr, cx - w / 2 + d - h, top + h);
    cairo_move_to(cr, cx - w / 2 + d - w * 0.6, top);
    cairo_line_to(cr, cx - w / 2 + d - w * 0.6 + h, top + h);
  }
  cairo_stroke(cr);
  cairo_restore(cr);
}

void Cup(cairo_t* cr, double cx, double top, double w, double h, Rgb c) {
  cairo_new_path(cr);
  cairo_move_to(cr, cx - w / 2, top);
  cairo_line_to(cr, cx + w / 2, top);
  cairo_line_to(cr, cx + w * 0.34, top + h);
  cairo_line_to(cr, cx - w * 0.34, top + h);
  cairo_close_path(cr);
  FillStroke(cr, c, Darker(c, 0.5), std::max(1.0, w * 0.05));
  cairo_rectangle(cr, cx - w * 0.42, top + h * 0.3, w * 0.84, h * 0.2);
  Fill(cr, WithAlpha(Palette::kWhite, 0.6));
}

void Plate(cairo_t* cr, double cx, double cy, double w, double h) {
  Ellipse(cr, cx, cy, w / 2, h / 2);
  FillStroke(cr, Hex(0xf4fbff), Hex(0x6c8fa8), std::max(1.0, h * 0.08));
  Ellipse(cr, cx, cy - h * 0.05, w * 0.33, h * 0.28);
  cairo_set_line_width(cr, 1);
  SetColor(cr, Hex(0xaac6d8));
  cairo_stroke(cr);
}

void Strawberry(cairo_t* cr, double cx, double cy, double r) {
  cairo_move_to(cr, cx, cy + r * 1.1);
  cairo_curve_to(cr, cx - r * 1.3, cy + r * 0.2, cx - r * 1.0, cy - r * 0.9, cx, cy - r * 0.7);
  cairo_curve_to(cr, cx + r * 1.0, cy - r * 0.9, cx + r * 1.3, cy + r * 0.2, cx, cy + r * 1.1);
  cairo_close_path(cr);
  FillStroke(cr, Hex(0xf0304a), Hex(0x8a1020), std::max(1.0, r * 0.12));
  Rand rnd(7);
  for (int i = 0; i < 7; ++i) {
    double a = i * 2.4, d = r * (0.25 + 0.12 * (i % 3));
    Ellipse(cr, cx + std::cos(a) * d, cy + r * 0.1 + std::sin(a) * d * 0.8, r * 0.07, r * 0.1);
    Fill(cr, Hex(0xffe27a));
  }
  StarPath(cr, cx, cy - r * 0.75, r * 0.6, r * 0.25, 5);
  Fill(cr, Hex(0x3aa23a));
}

void Pear(cairo_t* cr, double cx, double cy, double r) {
  cairo_move_to(cr, cx, cy - r * 1.0);
  cairo_curve_to(cr, cx + r * 0.45, cy - r * 1.0, cx + r * 0.3, cy - r * 0.3, cx + r * 0.8, cy + r * 0.3);
  cairo_curve_to(cr, cx + r * 1.1, cy + r * 1.1, cx - r * 1.1, cy + r * 1.1, cx - r * 0.8, cy + r * 0.3);
  cairo_curve_to(cr, cx - r * 0.3, cy - r * 0.3, cx - r * 0.45, cy - r * 1.0, cx, cy - r * 1.0);
  cairo_close_path(cr);
  FillStroke(cr, Hex(0xb9d84a), Hex(0x5a7418), std::max(1.0, r * 0.12));
  SoftOval(cr, cx - r * 0.35, cy + r * 0.2, r * 0.25, r * 0.35, {1, 1, 0.8, 0.6});
  cairo_move_to(cr, cx, cy - r * 0.95);
  cairo_line_to(cr, cx + r * 0.15, cy - r * 1.35);
  cairo_set_line_width(cr, std::max(1.0, r * 0.15));
  SetColor(cr, Hex(0x6a4420));
  cairo_stroke(cr);
}

void Apple(cairo_t* cr, double cx, double cy, double r) {
  cairo_move_to(cr, cx, cy - r * 0.7);
  cairo_curve_to(cr, cx + r * 0.9, cy - r * 1.2, cx + r * 1.3, cy + r * 0.2, cx + r * 0.5, cy + r * 0.95);
  cairo_curve_to(cr, cx + r * 0.2, cy + r * 1.1, cx - r * 0.2, cy + r * 1.1, cx - r * 0.5, cy + r * 0.95);
  cairo_curve_to(cr, cx - r * 1.3, cy + r * 0.2, cx - r * 0.9, cy - r * 1.2, cx, cy - r * 0.7);
  cairo_close_path(cr);
  FillStroke(cr, Hex(0xe8342c), Hex(0x801410), std::max(1.0, r * 0.12));
  SoftOval(cr, cx - r * 0.4, cy - r * 0.2, r * 0.25, r * 0.3, {1, 1, 1, 0.6});
  cairo_move_to(cr, cx, cy - r * 0.65);
  cairo_line_to(cr, cx + r * 0.1, cy - r * 1.1);
  cairo_set_line_width(cr, std::max(1.0, r * 0.14));
  SetColor(cr, Hex(0x6a4420));
  cairo_stroke(cr);
  Ellipse(cr, cx + r * 0.35, cy - r * 0.95, r * 0.3, r * 0.14);
  Fill(cr, Hex(0x48a838));
}

void Banana(cairo_t* cr, double cx, double cy, double len, double angle, Rgb c) {
  cairo_save(cr);
  cairo_translate(cr, cx, cy);
  cairo_rotate(cr, angle);
  double l = len / 2, t = len * 0.16;
  cairo_move_to(cr, -l, -t * 0.2);
  cairo_curve_to(cr, -l * 0.4, t * 1.6, l * 0.4, t * 1.6, l, -t * 0.6);
  cairo_curve_to(cr, l * 0.4, t * 0.4, -l * 0.4, t * 0.4, -l, -t * 0.2);
  cairo_close_path(cr);
  FillStroke(cr, c, Darker(c, 0.5), std::max(1.0, len * 0.04));
  Ellipse(cr, l, -t * 0.6, t * 0.22, t * 0.22);
  Fill(cr, Hex(0x5a3a10));
  cairo_restore(cr);
}

void Blueberries(cairo_t* cr, double cx, double cy, double r) {
  const double pos[5][2] = {{-0.45, 0.2}, {0.45, 0.2}, {0, -0.3}, {-0.2, 0.55}, {0.25, 0.6}};
  for (auto& p : pos) {
    double x = cx + p[0] * r, y = cy + p[1] * r;
    Ellipse(cr, x, y, r * 0.42, r * 0.42);
    FillStroke(cr, Hex(0x4a4ab8), Hex(0x1e1e5a), std::max(0.8, r * 0.08));
    StarPath(cr, x, y - r * 0.05, r * 0.14, r * 0.06, 5);
    Fill(cr, Hex(0x24245e));
    SoftOval(cr, x - r * 0.15, y - r * 0.15, r * 0.12, r * 0.1, {1, 1, 1, 0.6});
  }
}

void Pineapple(cairo_t* cr, double cx, double cy, double r) {
  for (int i = -2; i <= 2; ++i) {
    cairo_move_to(cr, cx + i * r * 0.12, cy - r * 0.5);
    cairo_line_to(cr, cx + i * r * 0.35, cy - r * 1.25 + std::abs(i) * r * 0.15);
    cairo_line_to(cr, cx + i * r * 0.12 + r * 0.12, cy - r * 0.5);
    cairo_close_path(cr);
  }
  FillStroke(cr, Hex(0x4aa83a), Hex(0x1e5a14), std::max(0.8, r * 0.06));
  Ellipse(cr, cx, cy + r * 0.25, r * 0.7, r * 0.85);
  FillStroke(cr, Hex(0xf2b83a), Hex(0x8a5a10), std::max(1.0, r * 0.1));
  cairo_save(cr);
  Ellipse(cr, cx, cy + r * 0.25, r * 0.7, r * 0.85);
  cairo_clip(cr);
  cairo_set_line_width(cr, std::max(0.8, r * 0.07));
  SetColor(cr, Hex(0xb07818));
  for (double d = -2 * r; d < 2 * r; d += r * 0.35) {
    cairo_move_to(cr, cx + d - r, cy - r);
    cairo_line_to(cr, cx + d + r, cy + r * 1.5);
    cairo_move_to(cr, cx + d + r, cy - r);
    cairo_line_to(cr, cx + d - r, cy + r * 1.5);
  }
  cairo_stroke(cr);
  cairo_restore(cr);
}

void ChocolatePieces(cairo_t* cr, double cx, double cy, double r) {
  for (int i = 0; i < 3; ++i) {
    double x = cx + (i - 1) * r * 0.55, y = cy + (i == 1 ? -r * 0.35 : r * 0.2);
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_rotate(cr, (i - 1) * 0.35);
    RoundRect(cr, -r * 0.45, -r * 0.35, r * 0.9, r * 0.7, r * 0.1);
    FillStroke(cr, Hex(0x7a4424), Hex(0x3a1a08), std::max(0.8, r * 0.08));
    cairo_move_to(cr, 0, -r * 0.35);
    cairo_line_to(cr, 0, r * 0.35);
    cairo_move_to(cr, -r * 0.45, 0);
    cairo_line_to(cr, r * 0.45, 0);
    cairo_set_line_width(cr, std::max(0.6, r * 0.05));
    SetColor(cr, Hex(0x4a2410));
    cairo_stroke(cr);
    cairo_restore(cr);
  }
}

void Vanilla(cairo_t* cr, double cx, double cy, double r) {
  Flower(cr, cx, cy - r * 0.2, r * 0.7, Hex(0xfff3c0));
  cairo_move_to(cr, cx - r * 0.9, cy + r * 0.8);
  cairo_curve_to(cr, cx - r * 0.2, cy + r * 0.3, cx + r * 0.3, cy + r * 0.6, cx + r * 0.9, cy + r * 0.2);
  cairo_set_line_width(cr, std::max(1.0, r * 0.18));
  SetColor(cr, Hex(0x4a2a10));
  cairo_stroke(cr);
}

void FlavourFruit(cairo_t* cr, int flavour, double cx, double cy, double r) {
  switch ((flavour % 6 + 6) % 6) {
    case 0: Vanilla(cr, cx, cy, r); break;
    case 1: Strawberry(cr, cx, cy, r); break;
    case 2: ChocolatePieces(cr, cx, cy, r); break;
    case 3: Pear(cr, cx, cy, r); break;
    case 4: Blueberries(cr, cx, cy, r); break;
    case 5: Pineapple(cr, cx, cy, r); break;
  }
}

void Flower(cairo_t* cr, double cx, double cy, double r, Rgb petals) {
  for (int i = 0; i < 5; ++i) {
    double a = i * 2 * M_PI / 5 - M_PI / 2;
    Ellipse(cr, cx + std::cos(a) * r * 0.55, cy + std::sin(a) * r * 0.55, r * 0.45, r * 0.45);
    FillStroke(cr, petals, Darker(petals, 0.45), std::max(0.7, r * 0.08));
  }
  Ellipse(cr, cx, cy, r * 0.32, r * 0.32);
  FillStroke(cr, Hex(0xffd23a), Hex(0xa06a00), std::max(0.7, r * 0.08));
}

void Coin(cairo_t* cr, double cx, double cy, double r, double turn) {
  double rx = r * std::max(0.15, std::cos(turn * M_PI / 2));
  Ellipse(cr, cx, cy, rx, r);
  FillStroke(cr, Hex(0xffcf3a), Hex(0x9a6a00), std::max(1.0, r * 0.15));
  if (rx > r * 0.4) {
    Ellipse(cr, cx, cy, rx * 0.65, r * 0.65);
    cairo_set_line_width(cr, std::max(0.8, r * 0.1));
    SetColor(cr, Hex(0xd09a10));
    cairo_stroke(cr);
  }
  SoftOval(cr, cx - rx * 0.35, cy - r * 0.35, rx * 0.3, r * 0.25, {1, 1, 1, 0.7});
}

void DrawState(cairo_t* cr, Look3 state, const std::function<void(cairo_t*)>& draw, double halo, Rgb glow) {
  if (state == Look3::Normal) {
    draw(cr);
    return;
  }
  cairo_push_group(cr);
  draw(cr);
  cairo_pattern_t* picture = cairo_pop_group(cr);
  if (state == Look3::Over) {
    // A halo: the picture's shape stamped round itself in the glow colour.
    int rings = 3;
    for (int ring = rings; ring >= 1; --ring) {
      double r = halo * ring / rings;
      int steps = 12;
      for (int i = 0; i < steps; ++i) {
        double a = i * 2 * M_PI / steps;
        cairo_save(cr);
        cairo_translate(cr, std::cos(a) * r, std::sin(a) * r);
        SetColor(cr, WithAlpha(glow, 0.22 * (rings - ring + 1) / rings + 0.05));
        cairo_mask(cr, picture);
        cairo_restore(cr);
      }
    }
    cairo_set_source(cr, picture);
    cairo_paint(cr);
    SetColor(cr, {1, 1, 0.9, 0.22});
    cairo_mask(cr, picture);
  } else {
    cairo_set_source(cr, picture);
    cairo_paint(cr);
    cairo_save(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_HSL_SATURATION);
    SetColor(cr, {0.5, 0.5, 0.5, 1});
    cairo_mask(cr, picture);
    cairo_restore(cr);
    SetColor(cr, {0.85, 0.85, 0.85, 0.35});
    cairo_mask(cr, picture);
  }
  cairo_pattern_destroy(picture);
}

void Title(cairo_t* cr, const std::string& text, double cx, double cy, double maxW, double maxH, Rgb fill, Face face,
           Rgb outline) {
  double size = maxH;
  TextStyle s{face, size, fill, outline, std::max(1.5, maxH * 0.09)};
  // A drop shadow, the outlined word, then a light band across its top.
  cairo_save(cr);
  cairo_translate(cr, 0, std::max(1.0, maxH * 0.06));
  TextStyle shadow = s;
  shadow.fill = {0, 0, 0, 0.3};
  shadow.outline = {0, 0, 0, 0.3};
  FitText(cr, shadow, cx, cy, maxW, maxH, text);
  cairo_restore(cr);
  FitText(cr, s, cx, cy, maxW, maxH, text);
  cairo_save(cr);
  cairo_rectangle(cr, cx - maxW, cy - maxH, 2 * maxW, maxH * 0.95);
  cairo_clip(cr);
  TextStyle hi = s;
  hi.fill = Lighter(fill, 0.45);
  hi.outline = {0, 0, 0, 0};
  hi.outlineWidth = 0;
  // The highlight is the same text, clipped to its upper part.
  FitText(cr, TextStyle{face, size, hi.fill, {0, 0, 0, 0}, s.outlineWidth}, cx, cy, maxW, maxH, text);
  cairo_restore(cr);
}

uint32_t Rand::Next() {
  mState ^= mState << 13;
  mState ^= mState >> 17;
  mState ^= mState << 5;
  return mState;
}

double Rand::Uniform(double lo, double hi) { return lo + (hi - lo) * (Next() % 1000000) / 1000000.0; }

uint32_t HashId(const std::string& id) {
  uint32_t h = 2166136261u;
  for (unsigned char c : id) h = (h ^ c) * 16777619u;
  return h;
}

}  // namespace Plix::DataBuild
