#pragma once
// The reference of the decoding benchmarks: plain libpng reading a PNG file
// from memory into 32-bit BGRA rows, with the transformations the game's
// image reader applies.
#include <png.h>

#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

namespace Plix::Bench {

struct PngMemory {
  const std::vector<uint8_t>* mBytes;
  size_t mPos;
};

inline void ReadPngFromMemory(png_structp png, png_bytep data, png_size_t n) {
  auto* m = static_cast<PngMemory*>(png_get_io_ptr(png));
  if (m->mPos + n > m->mBytes->size()) png_error(png, "Read Error");
  std::memcpy(data, m->mBytes->data() + m->mPos, n);
  m->mPos += n;
}

// False when the file does not decode. `place(w, h)` gives the memory of
// the w * h pixels.
template <class Place>
bool DecodePngWith(const std::vector<uint8_t>& file, std::vector<png_bytep>& rows, Place&& place) {
  PngMemory m{&file, 0};
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_read_struct(&png, &info, nullptr);
    return false;
  }
  png_set_read_fn(png, &m, ReadPngFromMemory);
  png_read_info(png, info);
  png_uint_32 w = png_get_image_width(png, info), h = png_get_image_height(png, info);
  png_set_expand(png);
  if (!(png_get_color_type(png, info) & PNG_COLOR_MASK_ALPHA) && !png_get_valid(png, info, PNG_INFO_tRNS))
    png_set_filler(png, 0xFF, PNG_FILLER_AFTER);
  png_set_gray_to_rgb(png);
  png_set_bgr(png);
  png_set_scale_16(png);
  png_set_interlace_handling(png);
  png_read_update_info(png, info);
  uint32_t* pixels = place(w, h);
  rows.resize(h);
  for (png_uint_32 y = 0; y < h; ++y) rows[y] = reinterpret_cast<png_bytep>(&pixels[size_t(y) * w]);
  png_read_image(png, rows.data());
  png_read_end(png, nullptr);
  png_destroy_read_struct(&png, &info, nullptr);
  return true;
}

// Into one buffer, reused between calls.
inline bool DecodePngReference(const std::vector<uint8_t>& file, std::vector<uint32_t>& pixels,
                               std::vector<png_bytep>& rows) {
  return DecodePngWith(file, rows, [&](png_uint_32 w, png_uint_32 h) {
    pixels.resize(size_t(w) * h);
    return pixels.data();
  });
}

// Into a new block for each image, not cleared first, as an image is made.
inline bool DecodePngNew(const std::vector<uint8_t>& file, std::unique_ptr<uint32_t[]>& pixels, int& width,
                         int& height, std::vector<png_bytep>& rows) {
  return DecodePngWith(file, rows, [&](png_uint_32 w, png_uint_32 h) {
    width = int(w);
    height = int(h);
    pixels.reset(new uint32_t[size_t(w) * h]);
    return pixels.get();
  });
}

}  // namespace Plix::Bench
