#include "framework/resources/J2KCodec.h"

#include <openjpeg.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "framework/platform/Files.h"

namespace Plix::J2K {

namespace {

enum Error { kOk, kReadFailed, kUnknownFormat, kBadHeader, kDecodeFailed, kBadArguments, kTooLarge };

const char* const kErrorTexts[] = {
    "No error",       "Cannot read the stream", "Unknown stream format", "Invalid header",
    "Decoding failed", "Invalid arguments",     "Image too large",
};

// Sizes no game image has are refused from the header, before the codec
// spends time and memory on the data: the largest picture (a character's
// strip of cels) is 9300 x 140, 1.3 million pixels.
constexpr int64_t kMaxPixels = int64_t(1) << 22;
constexpr OPJ_UINT32 kMaxSide = 16384;

thread_local int gLastError = kOk;

int Fail(int code) {
  gLastError = code;
  return code;
}

}  // namespace

struct Image {
  std::vector<uint8_t> mData;  // the whole stream
  size_t mPos = 0;
  opj_codec_t* mCodec = nullptr;
  opj_stream_t* mStream = nullptr;
  opj_image_t* mImage = nullptr;

  ~Image() {
    if (mImage) opj_image_destroy(mImage);
    if (mStream) opj_stream_destroy(mStream);
    if (mCodec) opj_destroy_codec(mCodec);
  }
};

namespace {

OPJ_SIZE_T StreamRead(void* buffer, OPJ_SIZE_T size, void* user) {
  auto* img = static_cast<Image*>(user);
  size_t left = img->mData.size() - img->mPos;
  if (left == 0) return static_cast<OPJ_SIZE_T>(-1);
  size_t n = std::min<size_t>(size, left);
  std::memcpy(buffer, img->mData.data() + img->mPos, n);
  img->mPos += n;
  return n;
}

OPJ_OFF_T StreamSkip(OPJ_OFF_T count, void* user) {
  auto* img = static_cast<Image*>(user);
  OPJ_OFF_T to = std::clamp<OPJ_OFF_T>(static_cast<OPJ_OFF_T>(img->mPos) + count, 0,
                                       static_cast<OPJ_OFF_T>(img->mData.size()));
  OPJ_OFF_T moved = to - static_cast<OPJ_OFF_T>(img->mPos);
  img->mPos = static_cast<size_t>(to);
  return moved;
}

OPJ_BOOL StreamSeek(OPJ_OFF_T to, void* user) {
  auto* img = static_cast<Image*>(user);
  if (to < 0 || to > static_cast<OPJ_OFF_T>(img->mData.size())) return OPJ_FALSE;
  img->mPos = static_cast<size_t>(to);
  return OPJ_TRUE;
}

void Quiet(const char*, void*) {}

int GetVersion() { return kVersion; }

// Reads the stream whole, then its header.
Image* OpenCustom(const Callbacks* callbacks, void* userData) {
  if (!callbacks || !callbacks->read || !callbacks->seek) {
    Fail(kBadArguments);
    return nullptr;
  }
  auto img = std::make_unique<Image>();
  if (callbacks->seek(userData, 0) != 0) {
    Fail(kReadFailed);
    return nullptr;
  }
  uint8_t chunk[65536];
  int n;
  while ((n = callbacks->read(chunk, sizeof chunk, userData)) > 0) img->mData.insert(img->mData.end(), chunk, chunk + n);

  const uint8_t* d = img->mData.data();
  size_t size = img->mData.size();
  OPJ_CODEC_FORMAT format;
  if (size >= 12 && std::memcmp(d + 4, "jP  ", 4) == 0)
    format = OPJ_CODEC_JP2;
  else if (size >= 4 && d[0] == 0xFF && d[1] == 0x4F && d[2] == 0xFF && d[3] == 0x51)
    format = OPJ_CODEC_J2K;
  else {
    Fail(kUnknownFormat);
    return nullptr;
  }
  img->mCodec = opj_create_decompress(format);
  opj_set_info_handler(img->mCodec, Quiet, nullptr);
  opj_set_warning_handler(img->mCodec, Quiet, nullptr);
  opj_set_error_handler(img->mCodec, Quiet, nullptr);
  opj_dparameters_t params;
  opj_set_default_decoder_parameters(&params);
  img->mStream = opj_stream_create(OPJ_J2K_STREAM_CHUNK_SIZE, OPJ_TRUE);
  opj_stream_set_user_data(img->mStream, img.get(), nullptr);
  opj_stream_set_user_data_length(img->mStream, size);
  opj_stream_set_read_function(img->mStream, StreamRead);
  opj_stream_set_skip_function(img->mStream, StreamSkip);
  opj_stream_set_seek_function(img->mStream, StreamSeek);
  if (!opj_setup_decoder(img->mCodec, &params) || !opj_read_header(img->mStream, img->mCodec, &img->mImage) ||
      img->mImage->numcomps == 0 || img->mImage->x1 <= img->mImage->x0 || img->mImage->y1 <= img->mImage->y0) {
    Fail(kBadHeader);
    return nullptr;
  }
  const OPJ_UINT32 width = img->mImage->x1 - img->mImage->x0, height = img->mImage->y1 - img->mImage->y0;
  if (width > kMaxSide || height > kMaxSide || int64_t(width) * height > kMaxPixels || img->mImage->numcomps > 4) {
    Fail(kTooLarge);
    return nullptr;
  }
  gLastError = kOk;
  return img.release();
}

int ReadFileCallback(void* buffer, int size, void* file) {
  return static_cast<int>(std::fread(buffer, 1, static_cast<size_t>(size), static_cast<FILE*>(file)));
}

int SeekFileCallback(void* file, int offset) { return std::fseek(static_cast<FILE*>(file), offset, SEEK_SET); }

Image* OpenFile(const char* path) {
  FILE* f = path ? Fs::OpenFile(path, "rb") : nullptr;
  if (!f) {
    Fail(kReadFailed);
    return nullptr;
  }
  Callbacks callbacks{SeekFileCallback, ReadFileCallback, nullptr};
  Image* img = OpenCustom(&callbacks, f);
  std::fclose(f);
  return img;
}

int Close(Image* image) {
  delete image;
  return kOk;
}

int GetInfo(Image* image, int* width, int* height, int* components) {
  if (!image || !image->mImage) return Fail(kBadArguments);
  *width = static_cast<int>(image->mImage->x1 - image->mImage->x0);
  *height = static_cast<int>(image->mImage->y1 - image->mImage->y0);
  *components = static_cast<int>(image->mImage->numcomps);
  return kOk;
}

int GetResolutionDimensions(Image* image, int level, int* width, int* height) {
  int w, h, c;
  if (level < 0 || level > 31 || GetInfo(image, &w, &h, &c) != kOk) return Fail(kBadArguments);
  *width = static_cast<int>((int64_t(w) + (int64_t(1) << level) - 1) >> level);
  *height = static_cast<int>((int64_t(h) + (int64_t(1) << level) - 1) >> level);
  return kOk;
}

int CeilDiv(int64_t a, int64_t b) { return static_cast<int>((a + b - 1) / b); }

// One component's decoded samples, in component coordinates.
struct Plane {
  int mX0 = 0;
  int mY0 = 0;
  int mWidth = 0;
  int mHeight = 0;
  std::vector<int32_t> mSamples;  // tiles the stream lacks stay 0
};

// A sample of a plane at (x, y) of a w x h output, scaled to 8 bits.
int Sample(const Plane& p, const opj_image_comp_t& comp, int x, int y, int w, int h) {
  int px = static_cast<int>(int64_t(x) * p.mWidth / w);
  int py = static_cast<int>(int64_t(y) * p.mHeight / h);
  int64_t v = p.mSamples[size_t(py) * p.mWidth + px];
  if (comp.sgnd) v += int64_t(1) << (comp.prec - 1);
  if (comp.prec > 8)
    v >>= comp.prec - 8;
  else if (comp.prec < 8)
    v = v * 255 / ((1 << comp.prec) - 1);
  return static_cast<int>(std::clamp<int64_t>(v, 0, 255));
}

// Copies one component of a decoded tile (samples of 1, 2 or 4 bytes,
// signed or not, row after row) into its plane.
bool CopyTileComponent(const uint8_t* data, size_t size, size_t& offset, const opj_image_comp_t& comp, Plane& plane,
                       int tx0, int ty0, int tx1, int ty1) {
  int x0 = CeilDiv(tx0, comp.dx), y0 = CeilDiv(ty0, comp.dy);
  int w = CeilDiv(tx1, comp.dx) - x0, h = CeilDiv(ty1, comp.dy) - y0;
  size_t bytes = (comp.prec + 7) / 8 == 3 ? 4 : (comp.prec + 7) / 8;
  if (w < 0 || h < 0 || size - offset < size_t(w) * h * bytes) return false;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x, offset += bytes) {
      const uint8_t* p = data + offset;
      int32_t v;
      if (bytes == 1) {
        v = comp.sgnd ? static_cast<int8_t>(*p) : *p;
      } else if (bytes == 2) {
        uint16_t u;
        std::memcpy(&u, p, 2);
        v = comp.sgnd ? static_cast<int16_t>(u) : u;
      } else {
        std::memcpy(&v, p, 4);
      }
      int px = x0 - plane.mX0 + x, py = y0 - plane.mY0 + y;
      if (px >= 0 && py >= 0 && px < plane.mWidth && py < plane.mHeight)
        plane.mSamples[size_t(py) * plane.mWidth + px] = v;
    }
  return true;
}

// Decodes tile by tile into planes of our own, so that a tile the stream
// lacks reads as zeros rather than as whatever memory the decoder left.
int Decode(Image* image, uint8_t* buffer, int size, const char* options, int pitch) {
  int bpp = 0, level = -1;
  if (!image || !buffer || !options || std::sscanf(options, "bpp=%d,rl=%d", &bpp, &level) != 2 || bpp != 4 ||
      level != 0)
    return Fail(kBadArguments);
  const opj_image_t* im = image->mImage;
  int w = static_cast<int>(im->x1 - im->x0), h = static_cast<int>(im->y1 - im->y0);
  if (pitch < w * 4 || int64_t(pitch) * h > size) return Fail(kBadArguments);
  int n = static_cast<int>(std::min<OPJ_UINT32>(im->numcomps, 4));
  std::vector<Plane> planes(n);
  for (int c = 0; c < n; ++c) {
    const opj_image_comp_t& comp = im->comps[c];
    if (comp.dx == 0 || comp.dy == 0 || comp.prec == 0 || comp.prec > 31) return Fail(kDecodeFailed);
    Plane& p = planes[c];
    p.mX0 = CeilDiv(im->x0, comp.dx);
    p.mY0 = CeilDiv(im->y0, comp.dy);
    p.mWidth = CeilDiv(im->x1, comp.dx) - p.mX0;
    p.mHeight = CeilDiv(im->y1, comp.dy) - p.mY0;
    if (p.mWidth <= 0 || p.mHeight <= 0) return Fail(kDecodeFailed);
    p.mSamples.assign(size_t(p.mWidth) * p.mHeight, 0);
  }
  std::vector<uint8_t> tile;
  for (;;) {
    OPJ_UINT32 index = 0, dataSize = 0, comps = 0;
    OPJ_INT32 tx0, ty0, tx1, ty1;
    OPJ_BOOL more = OPJ_FALSE;
    if (!opj_read_tile_header(image->mCodec, image->mStream, &index, &dataSize, &tx0, &ty0, &tx1, &ty1, &comps,
                              &more))
      return Fail(kDecodeFailed);
    if (!more) break;
    tile.resize(dataSize);
    if (!opj_decode_tile_data(image->mCodec, index, tile.data(), dataSize, image->mStream)) return Fail(kDecodeFailed);
    size_t offset = 0;
    for (int c = 0; c < static_cast<int>(std::min<OPJ_UINT32>(comps, im->numcomps)) && c < n; ++c)
      if (!CopyTileComponent(tile.data(), tile.size(), offset, im->comps[c], planes[c], tx0, ty0, tx1, ty1))
        return Fail(kDecodeFailed);
  }
  if (!opj_end_decompress(image->mCodec, image->mStream)) return Fail(kDecodeFailed);

  for (int y = 0; y < h; ++y) {
    uint8_t* out = buffer + size_t(y) * pitch;
    for (int x = 0; x < w; ++x, out += 4) {
      int r = Sample(planes[0], im->comps[0], x, y, w, h);
      int g = n >= 3 ? Sample(planes[1], im->comps[1], x, y, w, h) : r;
      int b = n >= 3 ? Sample(planes[2], im->comps[2], x, y, w, h) : r;
      int a = n == 4 ? Sample(planes[3], im->comps[3], x, y, w, h)
                     : n == 2 ? Sample(planes[1], im->comps[1], x, y, w, h) : 255;
      out[0] = static_cast<uint8_t>(b);
      out[1] = static_cast<uint8_t>(g);
      out[2] = static_cast<uint8_t>(r);
      out[3] = static_cast<uint8_t>(a);
    }
  }
  return kOk;
}

int GetLastError() { return gLastError; }

const char* GetErrorStr(int code) {
  return code >= 0 && code < static_cast<int>(std::size(kErrorTexts)) ? kErrorTexts[code] : "Unknown error";
}

struct Export {
  const char* mName;
  void* mProc;
};

const Export kExports[] = {
    {"_J2K_getVersion@0", reinterpret_cast<void*>(&GetVersion)},
    {"_J2K_OpenCustom@8", reinterpret_cast<void*>(&OpenCustom)},
    {"_J2K_OpenFile@4", reinterpret_cast<void*>(&OpenFile)},
    {"_J2K_Close@4", reinterpret_cast<void*>(&Close)},
    {"_J2K_GetInfo@16", reinterpret_cast<void*>(&GetInfo)},
    {"_J2K_GetResolutionDimensions@16", reinterpret_cast<void*>(&GetResolutionDimensions)},
    {"_J2K_Decode@20", reinterpret_cast<void*>(&Decode)},
    {"_J2K_getLastError@0", reinterpret_cast<void*>(&GetLastError)},
    {"_J2K_getErrorStr@4", reinterpret_cast<void*>(&GetErrorStr)},
};

}  // namespace

struct Module {};

Module* LoadLibrary() {
  static Module module;
  return &module;
}

void FreeLibrary(Module*) {}

void* GetProcAddress(Module* module, const char* exportName) {
  if (!module || !exportName) return nullptr;
  for (const Export& e : kExports)
    if (std::strcmp(e.mName, exportName) == 0) return e.mProc;
  return nullptr;
}

}  // namespace Plix::J2K
