#include "tools/databuild/Images.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <map>
#include <mutex>
#include <stdexcept>
#include <thread>
#include <vector>

#include "tools/databuild/Painters.h"
#include "tools/databuild/Png.h"

namespace Plix::DataBuild {

namespace {

std::map<std::string, Painter>& Registry() {
  static std::map<std::string, Painter> registry;
  return registry;
}

// Ids or prefixes that two painters claim: each group's painters live in
// their own file, and a second claim would silently win by link order.
std::vector<std::string>& Duplicates() {
  static std::vector<std::string> duplicates;
  return duplicates;
}

// The table being built, for painters that draw other images' cels.
const std::vector<ImageDecl>* gDeclared = nullptr;

const ImageDecl& DeclaredImage(const std::string& id) {
  if (gDeclared)
    for (auto& d : *gDeclared)
      if (d.id == id) return d;
  throw std::runtime_error("no declared image " + id + " to draw from");
}

cairo_surface_t* PaintImage(const ImageDecl& d) {
  cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, d.Width(), d.Height());
  Painter painter = FindPainter(d.id);
  for (int r = 0; r < d.rows; ++r) {
    for (int c = 0; c < d.cols; ++c) {
      cairo_t* cr = cairo_create(s);
      cairo_translate(cr, c * d.celWidth, r * d.celHeight);
      cairo_rectangle(cr, 0, 0, d.celWidth, d.celHeight);
      cairo_clip(cr);
      Cel cel{cr, d, r * d.cols + c, c, r, static_cast<double>(d.celWidth),
              static_cast<double>(d.celHeight)};
      painter(cel);
      if (cairo_status(cr) != CAIRO_STATUS_SUCCESS)
        throw std::runtime_error(d.id + ": cairo: " + cairo_status_to_string(cairo_status(cr)));
      cairo_destroy(cr);
    }
  }
  return s;
}

// One sheet per group: every image scaled into a tile with its id below.
void WriteContactSheet(const std::string& group, const std::vector<const ImageDecl*>& decls,
                       const std::vector<cairo_surface_t*>& surfaces, const std::string& path) {
  const int tile = 200, label = 30, pad = 8, columns = 5;
  const int rows = static_cast<int>((decls.size() + columns - 1) / columns);
  const int W = columns * (tile + pad) + pad, H = 40 + rows * (tile + label + pad) + pad;
  cairo_surface_t* sheet = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, W, H);
  cairo_t* cr = cairo_create(sheet);
  cairo_set_source_rgb(cr, 0.93, 0.93, 0.9);
  cairo_paint(cr);
  TextStyle title{Face::SansBold, 20, Palette::kInk};
  title.align = Align::Left;
  Text(cr, title, pad, 28, group + " (" + std::to_string(decls.size()) + " images)");
  for (size_t i = 0; i < decls.size(); ++i) {
    const ImageDecl& d = *decls[i];
    double x = pad + (i % columns) * (tile + pad), y = 40 + (i / columns) * (tile + label + pad);
    // Checkerboard so that transparency shows.
    for (int cy = 0; cy < tile; cy += 10)
      for (int cx = 0; cx < tile; cx += 10) {
        cairo_rectangle(cr, x + cx, y + cy, 10, 10);
        bool dark = ((cx + cy) / 10) % 2;
        cairo_set_source_rgb(cr, dark ? 0.78 : 0.88, dark ? 0.78 : 0.88, dark ? 0.8 : 0.9);
        cairo_fill(cr);
      }
    double scale = std::min(1.0, std::min(double(tile) / d.Width(), double(tile) / d.Height()));
    cairo_save(cr);
    cairo_translate(cr, x + (tile - d.Width() * scale) / 2, y + (tile - d.Height() * scale) / 2);
    cairo_scale(cr, scale, scale);
    cairo_set_source_surface(cr, surfaces[i], 0, 0);
    cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_GOOD);
    cairo_paint(cr);
    // Cel grid.
    if (d.cols > 1 || d.rows > 1) {
      cairo_set_line_width(cr, 1 / scale);
      cairo_set_source_rgba(cr, 1, 0, 0.5, 0.5);
      for (int c = 1; c < d.cols; ++c) {
        cairo_move_to(cr, c * d.celWidth, 0);
        cairo_line_to(cr, c * d.celWidth, d.Height());
      }
      for (int r = 1; r < d.rows; ++r) {
        cairo_move_to(cr, 0, r * d.celHeight);
        cairo_line_to(cr, d.Width(), r * d.celHeight);
      }
      cairo_stroke(cr);
    }
    cairo_restore(cr);
    TextStyle s{Face::Sans, 10, Palette::kInk};
    s.align = Align::Left;
    Text(cr, s, x, y + tile + 12, d.id.substr(6));
    Text(cr, s, x, y + tile + 24,
         std::to_string(d.cols) + "x" + std::to_string(d.rows) + " cels of " +
             std::to_string(d.celWidth) + "x" + std::to_string(d.celHeight));
  }
  cairo_destroy(cr);
  WritePng(sheet, path);
  cairo_surface_destroy(sheet);
}

}  // namespace

PainterRegistration::PainterRegistration(const char* idOrPrefix, Painter painter) {
  if (!Registry().emplace(idOrPrefix, painter).second) Duplicates().push_back(idOrPrefix);
}

Painter FindPainter(const std::string& id) {
  auto& reg = Registry();
  auto exact = reg.find(id);
  if (exact != reg.end()) return exact->second;
  Painter best = PaintGeneric;
  size_t bestLength = 0;
  for (auto& [key, painter] : reg) {
    if (key.empty() || key.back() != '*') continue;
    size_t n = key.size() - 1;
    if (n > bestLength && id.compare(0, n, key, 0, n) == 0) {
      best = painter;
      bestLength = n;
    }
  }
  return best;
}

void PaintCelOf(cairo_t* cr, const std::string& id, int index) {
  const ImageDecl& d = DeclaredImage(id);
  if (index < 0 || index >= d.cols * d.rows)
    throw std::runtime_error(id + " has no cel " + std::to_string(index));
  cairo_save(cr);
  cairo_rectangle(cr, 0, 0, d.celWidth, d.celHeight);
  cairo_clip(cr);
  Cel cel{cr, d, index, index % d.cols, index / d.cols, double(d.celWidth), double(d.celHeight)};
  FindPainter(d.id)(cel);
  cairo_restore(cr);
}

void CelSizeOf(const std::string& id, double& w, double& h) {
  const ImageDecl& d = DeclaredImage(id);
  w = d.celWidth;
  h = d.celHeight;
}

std::string Label(const std::string& id) {
  std::string s = id.rfind("IMAGE_", 0) == 0 ? id.substr(6) : id;
  for (char& c : s) c = c == '_' ? ' ' : static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

void PaintGeneric(Cel& cel) {
  cairo_t* cr = cel.cr;
  Rgb base = Hex(0x808080);
  Rand rnd(HashId(cel.decl.id));
  base = Mix(Hex(0xffb347), Hex(0x7fd3f7), rnd.Uniform(0, 1));
  double m = std::max(1.0, std::min(cel.w, cel.h) * 0.06);
  if (cel.w >= 24 && cel.h >= 16) {
    Panel(cr, m, m, cel.w - 2 * m, cel.h - 2 * m, base, std::min(cel.w, cel.h) * 0.2);
    TextStyle s{Face::ComicBold, 20, Palette::kInk, Palette::kWhite, 1.5};
    std::string text = Label(cel.decl.id);
    if (cel.decl.cols * cel.decl.rows > 1) text += " " + std::to_string(cel.index);
    FitText(cr, s, cel.w / 2, cel.h / 2, cel.w - 4 * m, cel.h - 4 * m, text);
  } else {
    Ellipse(cr, cel.w / 2, cel.h / 2, cel.w / 2 - 0.5, cel.h / 2 - 0.5);
    FillStroke(cr, base, Palette::kInk, 1);
  }
}

void BuildImages(const std::vector<ImageDecl>& images, const std::string& stage,
                 const std::string& contactDir, int threads) {
  if (!Duplicates().empty()) {
    std::string list;
    for (auto& d : Duplicates()) list += " " + d;
    throw std::runtime_error("painters registered twice:" + list);
  }
  gDeclared = &images;
  std::vector<cairo_surface_t*> surfaces(images.size(), nullptr);
  std::atomic<size_t> next{0};
  std::mutex errorMutex;
  std::string error;
  auto work = [&] {
    for (size_t i; (i = next++) < images.size();) {
      try {
        surfaces[i] = PaintImage(images[i]);
        WritePng(surfaces[i], stage + "/" + images[i].file);
      } catch (const std::exception& e) {
        std::lock_guard<std::mutex> lock(errorMutex);
        if (error.empty()) error = e.what();
      }
    }
  };
  std::vector<std::thread> pool;
  for (int t = 0; t < std::max(1, threads); ++t) pool.emplace_back(work);
  for (auto& t : pool) t.join();
  gDeclared = nullptr;
  if (!error.empty()) {
    for (auto* s : surfaces) if (s) cairo_surface_destroy(s);
    throw std::runtime_error(error);
  }

  std::map<std::string, std::pair<std::vector<const ImageDecl*>, std::vector<cairo_surface_t*>>> groups;
  std::vector<std::string> order;
  for (size_t i = 0; i < images.size(); ++i) {
    auto& g = groups[images[i].group];
    if (g.first.empty()) order.push_back(images[i].group);
    g.first.push_back(&images[i]);
    g.second.push_back(surfaces[i]);
  }
  for (auto& name : order) {
    const std::string sheet = name == "-" ? "ByFileName" : name;  // images outside the manifest
    WriteContactSheet(sheet, groups[name].first, groups[name].second, contactDir + "/" + sheet + ".png");
  }
  for (auto* s : surfaces) cairo_surface_destroy(s);
}

}  // namespace Plix::DataBuild
