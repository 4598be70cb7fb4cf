#include "tools/databuild/Png.h"

#include <png.h>

#include <cstdio>
#include <stdexcept>
#include <vector>

#include "tools/databuild/Tables.h"

namespace Plix::DataBuild {

namespace {

void AppendBytes(png_structp png, png_bytep data, png_size_t length) {
  auto* out = static_cast<std::string*>(png_get_io_ptr(png));
  out->append(reinterpret_cast<const char*>(data), length);
}

void NoFlush(png_structp) {}

}  // namespace

void WritePng(cairo_surface_t* surface, const std::string& path) {
  cairo_surface_flush(surface);
  const int w = cairo_image_surface_get_width(surface);
  const int h = cairo_image_surface_get_height(surface);
  const int stride = cairo_image_surface_get_stride(surface);
  const unsigned char* data = cairo_image_surface_get_data(surface);

  std::vector<unsigned char> rgba(static_cast<size_t>(w) * h * 4);
  for (int y = 0; y < h; ++y) {
    const auto* row = reinterpret_cast<const uint32_t*>(data + static_cast<size_t>(y) * stride);
    unsigned char* out = &rgba[static_cast<size_t>(y) * w * 4];
    for (int x = 0; x < w; ++x) {
      uint32_t p = row[x];
      unsigned a = p >> 24;
      unsigned r = (p >> 16) & 255, g = (p >> 8) & 255, b = p & 255;
      if (a != 0 && a != 255) {
        r = (r * 255 + a / 2) / a;
        g = (g * 255 + a / 2) / a;
        b = (b * 255 + a / 2) / a;
      } else if (a == 0) {
        r = g = b = 0;
      }
      out[x * 4 + 0] = static_cast<unsigned char>(r > 255 ? 255 : r);
      out[x * 4 + 1] = static_cast<unsigned char>(g > 255 ? 255 : g);
      out[x * 4 + 2] = static_cast<unsigned char>(b > 255 ? 255 : b);
      out[x * 4 + 3] = static_cast<unsigned char>(a);
    }
  }

  std::string bytes;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  if (!png || !info) throw std::runtime_error("libpng: out of memory writing " + path);
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    throw std::runtime_error("libpng failed writing " + path);
  }
  png_set_write_fn(png, &bytes, AppendBytes, NoFlush);
  png_set_compression_level(png, 6);
  png_set_IHDR(png, info, static_cast<png_uint_32>(w), static_cast<png_uint_32>(h), 8,
               PNG_COLOR_TYPE_RGB_ALPHA, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  for (int y = 0; y < h; ++y) png_write_row(png, &rgba[static_cast<size_t>(y) * w * 4]);
  png_write_end(png, info);
  png_destroy_write_struct(&png, &info);
  WriteWholeFile(path, bytes);
}

}  // namespace Plix::DataBuild
