#include "framework/resources/ImageLib.h"

#include <algorithm>
#include <bit>
#include <cctype>
#include <cstring>

#include "framework/resources/DecodeAhead.h"
#include "framework/resources/J2KCodec.h"
#include "framework/resources/PakInterface.h"

namespace Plix::ImageLib {

// The readers store pixels as bytes B, G, R, A.
static_assert(std::endian::native == std::endian::little);

namespace {

// Larger images are refused before anything is allocated.
constexpr int64_t kMaxPixels = int64_t(1) << 26;

bool SameExtension(const std::string& a, const char* b) {
  if (a.size() != std::strlen(b)) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(a[i])) != b[i]) return false;
  return true;
}

std::unique_ptr<Image> LoadMainImage(const std::string& path) {
  size_t dot = path.rfind('.');
  size_t back = path.rfind('\\');
  size_t fwd = path.rfind('/');
  size_t slash = back == std::string::npos ? fwd : fwd == std::string::npos ? back : std::max(back, fwd);
  std::string ext, base = path;
  if (dot != std::string::npos && (slash == std::string::npos || dot > slash)) {
    ext = path.substr(dot);
    base = path.substr(0, dot);
  }
  using Reader = std::unique_ptr<Image> (*)(const std::string&);
  static const struct {
    const char* mExt;
    Reader mRead;
  } kReaders[] = {
      {".tga", GetTGAImage}, {".jpg", GetJPEGImage},     {".png", GetPNGImage},
      {".gif", GetGIFImage}, {".j2k", GetJPEG2000Image}, {".jp2", GetJPEG2000Image},
  };
  for (const auto& r : kReaders) {
    if (!ext.empty() && !SameExtension(ext, r.mExt)) continue;
    if (auto image = r.mRead(base + r.mExt)) return image;
  }
  return nullptr;
}

// The codec module and its functions, looked up on first use.
J2K::Module* gJ2KModule = nullptr;
struct {
  bool mBound = false;
  J2K::GetVersionFn mGetVersion;
  J2K::OpenCustomFn mOpenCustom;
  J2K::OpenFileFn mOpenFile;
  J2K::CloseFn mClose;
  J2K::GetInfoFn mGetInfo;
  J2K::GetResolutionDimensionsFn mGetResolutionDimensions;
  J2K::DecodeFn mDecode;
  J2K::GetLastErrorFn mGetLastError;
  J2K::GetErrorStrFn mGetErrorStr;
} gJ2K;

template <typename Fn>
bool Bind(Fn& fn, const char* name) {
  fn = reinterpret_cast<Fn>(J2K::GetProcAddress(gJ2KModule, name));
  return fn != nullptr;
}

bool BindJ2K() {
  if (gJ2K.mBound) return true;
  bool ok = Bind(gJ2K.mGetVersion, "_J2K_getVersion@0") && Bind(gJ2K.mOpenCustom, "_J2K_OpenCustom@8") &&
            Bind(gJ2K.mOpenFile, "_J2K_OpenFile@4") && Bind(gJ2K.mClose, "_J2K_Close@4") &&
            Bind(gJ2K.mGetInfo, "_J2K_GetInfo@16") &&
            Bind(gJ2K.mGetResolutionDimensions, "_J2K_GetResolutionDimensions@16") &&
            Bind(gJ2K.mDecode, "_J2K_Decode@20") && Bind(gJ2K.mGetLastError, "_J2K_getLastError@0") &&
            Bind(gJ2K.mGetErrorStr, "_J2K_getErrorStr@4");
  if (!ok || gJ2K.mGetVersion() < 0x120000) {
    FreeJpeg2000Codec();
    return false;
  }
  gJ2K.mBound = true;
  return true;
}

int J2KSeek(void* userData, int offset) { return PakFSeek(static_cast<PakHandle*>(userData), offset, SEEK_SET); }

int J2KRead(void* buffer, int size, void* userData) {
  return static_cast<int>(PakFRead(buffer, 1, static_cast<size_t>(size), static_cast<PakHandle*>(userData)));
}

void J2KNothing(void*) {}

}  // namespace

uint32_t gAlphaComposeColor = 0xFFFFFF;

Image::~Image() { delete[] mBits; }

std::unique_ptr<Image> CreateImage(int width, int height) {
  if (width <= 0 || height <= 0 || int64_t(width) * height > kMaxPixels) return nullptr;
  auto image = std::make_unique<Image>();
  image->mWidth = width;
  image->mHeight = height;
  image->mBits = new uint32_t[size_t(width) * height + 1];
  return image;
}

std::unique_ptr<Image> LoadImageFile(const std::string& path, bool lookForAlpha) {
  const uint32_t color = gAlphaComposeColor;
  std::unique_ptr<Image> ahead;
  if (lookForAlpha && TakeDecodedAhead(path, color, ahead)) return ahead;
  return DecodeImageFile(path, lookForAlpha, color);
}

std::unique_ptr<Image> DecodeImageFile(const std::string& path, bool lookForAlpha, uint32_t composeColor) {
  std::unique_ptr<Image> image = LoadMainImage(path);
  if (!lookForAlpha) return image;

  size_t back = path.rfind('\\');
  size_t fwd = path.rfind('/');
  size_t slash = back == std::string::npos ? fwd : fwd == std::string::npos ? back : std::max(back, fwd);
  std::string dir = slash == std::string::npos ? "" : path.substr(0, slash + 1);
  std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  std::unique_ptr<Image> alpha = DecodeImageFile(dir + "_" + name, false, composeColor);
  if (!alpha) alpha = DecodeImageFile(path + "_", false, composeColor);
  if (!alpha) return image;

  size_t count = size_t(alpha->mWidth) * alpha->mHeight;
  if (image) {
    if (image->mWidth == alpha->mWidth && image->mHeight == alpha->mHeight)
      for (size_t i = 0; i < count; ++i) image->mBits[i] = (image->mBits[i] & 0xFFFFFF) | (alpha->mBits[i] << 24);
    return image;
  }
  // An alpha image alone: one colour, shaped by it.
  uint32_t color = composeColor & 0xFFFFFF;
  for (size_t i = 0; i < count; ++i) alpha->mBits[i] = (alpha->mBits[i] << 24) | color;
  return alpha;
}

void LoadJpeg2000Codec() {
  if (!gJ2KModule) gJ2KModule = J2K::LoadLibrary();
}

void FreeJpeg2000Codec() {
  if (gJ2KModule) J2K::FreeLibrary(gJ2KModule);
  gJ2KModule = nullptr;
  gJ2K.mBound = false;
}

std::unique_ptr<Image> GetJPEG2000Image(const std::string& path) {
  if (!gJ2KModule) return nullptr;
  PakHandle* file = PakFOpen(path, "rb");
  if (!file) return nullptr;
  std::unique_ptr<Image> result;
  if (BindJ2K()) {
    J2K::Callbacks callbacks{J2KSeek, J2KRead, J2KNothing};
    if (J2K::Image* j2k = gJ2K.mOpenCustom(&callbacks, file)) {
      int width = 0, height = 0, components = 0;
      std::unique_ptr<Image> image;
      if (gJ2K.mGetInfo(j2k, &width, &height, &components) == 0 &&
          gJ2K.mGetResolutionDimensions(j2k, 0, &width, &height) == 0 &&
          (image = CreateImage(width, height)) &&
          gJ2K.mDecode(j2k, reinterpret_cast<uint8_t*>(image->mBits), width * height * 4, "bpp=4,rl=0",
                       width * 4) == 0) {
        // JPEG-2000 images are opaque.
        for (size_t i = 0, n = size_t(width) * height; i < n; ++i) image->mBits[i] |= 0xFF000000;
        result = std::move(image);
      }
      gJ2K.mClose(j2k);
    }
  }
  PakFClose(file);
  return result;
}

}  // namespace Plix::ImageLib
