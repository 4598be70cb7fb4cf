// JPEG files through libjpeg.
#include <cstdio>
// jpeglib.h needs FILE and size_t declared first.
#include <jpeglib.h>
#include <jerror.h>

#include <csetjmp>
#include <vector>

#include "framework/platform/DebugOutput.h"
#include "framework/platform/Files.h"
#include "framework/resources/ImageLib.h"
#include "framework/resources/PakInterface.h"

namespace Plix::ImageLib {

namespace {

struct ErrorManager {
  jpeg_error_mgr mPub;
  jmp_buf mJump;
};

void OutputMessage(j_common_ptr cinfo) {
  char text[JMSG_LENGTH_MAX];
  cinfo->err->format_message(cinfo, text);
  OutputDebugStringA(std::string("JPEG: ") + text + "\n");
}

[[noreturn]] void ErrorExit(j_common_ptr cinfo) {
  cinfo->err->output_message(cinfo);
  std::longjmp(reinterpret_cast<ErrorManager*>(cinfo->err)->mJump, 1);
}

void InstallErrors(ErrorManager& err) {
  jpeg_std_error(&err.mPub);
  err.mPub.error_exit = ErrorExit;
  err.mPub.output_message = OutputMessage;
}

// A source manager over a pak file.
struct PakSource {
  jpeg_source_mgr mPub;
  PakHandle* mFile;
  bool mAtStart;
  JOCTET mBuffer[4096];
};

void InitSource(j_decompress_ptr cinfo) { reinterpret_cast<PakSource*>(cinfo->src)->mAtStart = true; }

boolean FillInputBuffer(j_decompress_ptr cinfo) {
  auto* src = reinterpret_cast<PakSource*>(cinfo->src);
  size_t n = PakFRead(src->mBuffer, 1, sizeof src->mBuffer, src->mFile);
  if (n == 0) {
    if (src->mAtStart) ERREXIT(cinfo, JERR_INPUT_EMPTY);
    WARNMS(cinfo, JWRN_JPEG_EOF);
    // A fake end-of-image marker lets the decoder finish what it has.
    src->mBuffer[0] = 0xFF;
    src->mBuffer[1] = JPEG_EOI;
    n = 2;
  }
  src->mPub.next_input_byte = src->mBuffer;
  src->mPub.bytes_in_buffer = n;
  src->mAtStart = false;
  return TRUE;
}

void SkipInputData(j_decompress_ptr cinfo, long count) {
  if (count <= 0) return;
  jpeg_source_mgr* src = cinfo->src;
  while (count > static_cast<long>(src->bytes_in_buffer)) {
    count -= static_cast<long>(src->bytes_in_buffer);
    FillInputBuffer(cinfo);
  }
  src->next_input_byte += count;
  src->bytes_in_buffer -= static_cast<size_t>(count);
}

void TermSource(j_decompress_ptr) {}

// Everything the decoder touches lives in the caller's frame, so that a
// libjpeg error (a longjmp back into Decode) skips no destructor.
struct JpegRead {
  jpeg_decompress_struct mInfo;
  ErrorManager mErr;
  PakSource mSource;
  std::unique_ptr<Image> mImage;
  std::vector<JSAMPLE> mRow;
};

bool Decode(JpegRead& r, PakHandle* file) {
  InstallErrors(r.mErr);
  r.mInfo.err = &r.mErr.mPub;
  if (setjmp(r.mErr.mJump)) return false;
  jpeg_create_decompress(&r.mInfo);
  r.mSource.mFile = file;
  r.mSource.mPub.init_source = InitSource;
  r.mSource.mPub.fill_input_buffer = FillInputBuffer;
  r.mSource.mPub.skip_input_data = SkipInputData;
  r.mSource.mPub.resync_to_restart = jpeg_resync_to_restart;
  r.mSource.mPub.term_source = TermSource;
  r.mSource.mPub.bytes_in_buffer = 0;
  r.mSource.mPub.next_input_byte = nullptr;
  r.mInfo.src = &r.mSource.mPub;
  jpeg_read_header(&r.mInfo, TRUE);
  r.mImage = CreateImage(static_cast<int>(r.mInfo.image_width), static_cast<int>(r.mInfo.image_height));
  if (!r.mImage) return false;
  jpeg_start_decompress(&r.mInfo);
  int width = static_cast<int>(r.mInfo.output_width);
  int components = r.mInfo.output_components;
  if (width != r.mImage->mWidth || static_cast<int>(r.mInfo.output_height) != r.mImage->mHeight) return false;
  r.mRow.resize(size_t(width) * components);
  uint32_t* out = r.mImage->mBits;
  while (r.mInfo.output_scanline < r.mInfo.output_height) {
    JSAMPROW row = r.mRow.data();
    jpeg_read_scanlines(&r.mInfo, &row, 1);
    const JSAMPLE* p = r.mRow.data();
    for (int x = 0; x < width; ++x, p += components) {
      uint32_t red = p[0], green = components == 1 ? p[0] : p[1], blue = components == 1 ? p[0] : p[2];
      *out++ = 0xFF000000 | red << 16 | green << 8 | blue;
    }
  }
  jpeg_finish_decompress(&r.mInfo);
  return true;
}

struct JpegWrite {
  jpeg_compress_struct mInfo;
  ErrorManager mErr;
  std::vector<JSAMPLE> mRow;
};

bool Encode(JpegWrite& w, FILE* file, const Image* image) {
  InstallErrors(w.mErr);
  w.mInfo.err = &w.mErr.mPub;
  if (setjmp(w.mErr.mJump)) return false;
  jpeg_create_compress(&w.mInfo);
  jpeg_stdio_dest(&w.mInfo, file);
  w.mInfo.image_width = static_cast<JDIMENSION>(image->mWidth);
  w.mInfo.image_height = static_cast<JDIMENSION>(image->mHeight);
  w.mInfo.input_components = 3;
  w.mInfo.in_color_space = JCS_RGB;
  jpeg_set_defaults(&w.mInfo);
  jpeg_set_quality(&w.mInfo, 80, TRUE);
  jpeg_start_compress(&w.mInfo, TRUE);
  w.mRow.resize(size_t(image->mWidth) * 3);
  for (int y = 0; y < image->mHeight; ++y) {
    const uint32_t* in = image->mBits + size_t(y) * image->mWidth;
    for (int x = 0; x < image->mWidth; ++x) {
      w.mRow[x * 3] = static_cast<JSAMPLE>(in[x] >> 16);
      w.mRow[x * 3 + 1] = static_cast<JSAMPLE>(in[x] >> 8);
      w.mRow[x * 3 + 2] = static_cast<JSAMPLE>(in[x]);
    }
    JSAMPROW row = w.mRow.data();
    jpeg_write_scanlines(&w.mInfo, &row, 1);
  }
  jpeg_finish_compress(&w.mInfo);
  return true;
}

}  // namespace

std::unique_ptr<Image> GetJPEGImage(const std::string& path) {
  PakHandle* file = PakFOpen(path, "rb");
  if (!file) return nullptr;
  JpegRead r{};
  bool ok = Decode(r, file);
  jpeg_destroy_decompress(&r.mInfo);
  PakFClose(file);
  return ok ? std::move(r.mImage) : nullptr;
}

bool WriteJPEGImage(const std::string& path, const Image* image) {
  if (!image || !image->mBits || image->mWidth <= 0 || image->mHeight <= 0) return false;
  FILE* file = Fs::OpenFile(path, "wb");
  if (!file) return false;
  JpegWrite w{};
  bool ok = Encode(w, file, image);
  jpeg_destroy_compress(&w.mInfo);
  return std::fclose(file) == 0 && ok;
}

}  // namespace Plix::ImageLib
