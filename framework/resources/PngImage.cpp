// PNG files through libpng.
#include <png.h>

#include <csetjmp>
#include <vector>

#include "framework/platform/Files.h"
#include "framework/resources/ImageLib.h"
#include "framework/resources/PakInterface.h"

namespace Plix::ImageLib {

namespace {

void ReadFromPak(png_structp png, png_bytep data, png_size_t length) {
  auto* file = static_cast<PakHandle*>(png_get_io_ptr(png));
  if (PakFRead(data, 1, length, file) < length) png_error(png, "Read Error");
}

void QuietWarning(png_structp, png_const_charp) {}

[[noreturn]] void ErrorExit(png_structp png, png_const_charp) { png_longjmp(png, 1); }

// Everything the decoder touches lives here, in the caller's frame, so that
// a libpng error (a longjmp back into Decode) skips no destructor.
struct PngRead {
  png_structp mPng = nullptr;
  png_infop mInfo = nullptr;
  std::unique_ptr<Image> mImage;
  std::vector<png_bytep> mRows;
};

bool Decode(PngRead& r, PakHandle* file) {
  r.mPng = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, ErrorExit, QuietWarning);
  if (!r.mPng) return false;
  r.mInfo = png_create_info_struct(r.mPng);
  if (!r.mInfo) return false;
  if (setjmp(png_jmpbuf(r.mPng))) return false;
  png_set_read_fn(r.mPng, file, ReadFromPak);
  png_read_info(r.mPng, r.mInfo);
  png_uint_32 width = png_get_image_width(r.mPng, r.mInfo);
  png_uint_32 height = png_get_image_height(r.mPng, r.mInfo);
  int colorType = png_get_color_type(r.mPng, r.mInfo);

  png_set_expand(r.mPng);
  if (!(colorType & PNG_COLOR_MASK_ALPHA) && !png_get_valid(r.mPng, r.mInfo, PNG_INFO_tRNS))
    png_set_filler(r.mPng, 0xFF, PNG_FILLER_AFTER);
  png_set_gray_to_rgb(r.mPng);
  png_set_bgr(r.mPng);
  // Rows must come out as 8-bit B, G, R, A in one pass per row.
  png_set_scale_16(r.mPng);
  png_set_interlace_handling(r.mPng);
  png_read_update_info(r.mPng, r.mInfo);
  if (png_get_rowbytes(r.mPng, r.mInfo) != size_t(width) * 4 || width > INT32_MAX || height > INT32_MAX)
    png_error(r.mPng, "Unexpected row size");
  r.mImage = CreateImage(static_cast<int>(width), static_cast<int>(height));
  if (!r.mImage) png_error(r.mPng, "Image too large");
  r.mRows.resize(height);
  for (png_uint_32 y = 0; y < height; ++y) r.mRows[y] = reinterpret_cast<png_bytep>(r.mImage->mBits + size_t(y) * width);
  png_read_image(r.mPng, r.mRows.data());
  png_read_end(r.mPng, nullptr);
  return true;
}

struct PngWrite {
  png_structp mPng = nullptr;
  png_infop mInfo = nullptr;
};

bool Encode(PngWrite& w, FILE* file, const Image* image) {
  w.mPng = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, ErrorExit, QuietWarning);
  if (!w.mPng) return false;
  w.mInfo = png_create_info_struct(w.mPng);
  if (!w.mInfo) return false;
  if (setjmp(png_jmpbuf(w.mPng))) return false;
  png_init_io(w.mPng, file);
  png_color_8 sig{8, 8, 8, 8, 8};
  png_set_sBIT(w.mPng, w.mInfo, &sig);
  png_set_bgr(w.mPng);
  png_set_IHDR(w.mPng, w.mInfo, image->mWidth, image->mHeight, 8, PNG_COLOR_TYPE_RGB_ALPHA, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(w.mPng, w.mInfo);
  for (int y = 0; y < image->mHeight; ++y)
    png_write_row(w.mPng, reinterpret_cast<png_const_bytep>(image->mBits + size_t(y) * image->mWidth));
  png_write_end(w.mPng, w.mInfo);
  return true;
}

}  // namespace

std::unique_ptr<Image> GetPNGImage(const std::string& path) {
  PakHandle* file = PakFOpen(path, "rb");
  if (!file) return nullptr;
  PngRead r;
  bool ok = Decode(r, file);
  png_destroy_read_struct(&r.mPng, &r.mInfo, nullptr);
  PakFClose(file);
  return ok ? std::move(r.mImage) : nullptr;
}

bool WritePNGImage(const std::string& path, const Image* image) {
  if (!image || !image->mBits || image->mWidth <= 0 || image->mHeight <= 0) return false;
  FILE* file = Fs::OpenFile(path, "wb");
  if (!file) return false;
  PngWrite w;
  bool ok = Encode(w, file, image);
  png_destroy_write_struct(&w.mPng, &w.mInfo);
  return std::fclose(file) == 0 && ok;
}

}  // namespace Plix::ImageLib
