#include "framework/platform/FontEngine.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_SYNTHESIS_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <mutex>

namespace Plix {

namespace {

// FreeType's library object is not thread-safe, and faces are made on the
// loading thread while the main thread draws: one lock for all of it.
std::mutex& EngineLock() {
  static std::mutex lock;
  return lock;
}

FT_Library Library() {
  static FT_Library library = [] {
    FT_Library lib = nullptr;
    if (FT_Init_FreeType(&lib) != 0) lib = nullptr;
    return lib;
  }();
  return library;
}

std::string& PinnedFile() {
  static std::string path;
  return path;
}

std::string Lower(std::string s) {
  for (auto& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

struct FaceFile {
  std::string path;
  int index = 0;
  bool synthBold = false;
  bool synthItalic = false;
};

bool FindFaceFile(const std::string& family, bool bold, bool italic, FaceFile* out) {
  if (!PinnedFile().empty()) {
    out->path = PinnedFile();
    out->index = 0;
    out->synthBold = bold;
    out->synthItalic = italic;
    return true;
  }
  static bool fcReady = [] {
    if (FcInit() != FcTrue) return false;
    std::atexit([] { FcFini(); });  // its caches would otherwise read as leaks
    return true;
  }();
  if (!fcReady) return false;
  FcPattern* pattern = FcPatternCreate();
  if (!pattern) return false;
  FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
  FcPatternAddInteger(pattern, FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
  FcPatternAddInteger(pattern, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
  FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
  FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
  FcDefaultSubstitute(pattern);
  FcResult result = FcResultNoMatch;
  FcPattern* match = FcFontMatch(nullptr, pattern, &result);
  FcPatternDestroy(pattern);
  if (!match) return false;
  bool found = false;
  FcChar8* file = nullptr;
  if (FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch && file) {
    out->path = reinterpret_cast<const char*>(file);
    int index = 0, weight = FC_WEIGHT_REGULAR, slant = FC_SLANT_ROMAN;
    FcPatternGetInteger(match, FC_INDEX, 0, &index);
    FcPatternGetInteger(match, FC_WEIGHT, 0, &weight);
    FcPatternGetInteger(match, FC_SLANT, 0, &slant);
    out->index = index;
    out->synthBold = bold && weight < FC_WEIGHT_DEMIBOLD;
    out->synthItalic = italic && slant == FC_SLANT_ROMAN;
    found = true;
  }
  FcPatternDestroy(match);
  return found;
}

// Font units to pixels, rounded up as the original platform's metrics are.
int CeilUnits(long units, int pixelHeight, int unitsPerEm) {
  if (unitsPerEm <= 0) return 0;
  long long v = static_cast<long long>(units) * pixelHeight;
  return static_cast<int>((v + unitsPerEm - 1) / unitsPerEm);
}

int RoundUnits(long units, int pixelHeight, int unitsPerEm) {
  if (unitsPerEm <= 0) return 0;
  long long v = static_cast<long long>(units) * pixelHeight;
  return static_cast<int>((v + unitsPerEm / 2) / unitsPerEm);
}

}  // namespace

struct FontFace::Impl {
  FT_Face face = nullptr;
  ~Impl() {
    if (face) {
      std::lock_guard<std::mutex> guard(EngineLock());
      FT_Done_Face(face);
    }
  }
};

void PinFontFile(const std::string& path) {
  std::lock_guard<std::mutex> guard(EngineLock());
  PinnedFile() = path;
}

std::string FontFace::MapFaceName(const std::string& faceName) {
  const std::string name = Lower(faceName);
  if (name == "arial" || name == "arial unicode ms" || name == "tahoma") return "DejaVu Sans";
  if (name == "courier new") return "DejaVu Sans Mono";
  return faceName;
}

std::unique_ptr<FontFace> FontFace::Create(const std::string& faceName, int pixelHeight, bool bold, bool italic,
                                           bool underline) {
  if (pixelHeight <= 0) return nullptr;
  std::lock_guard<std::mutex> guard(EngineLock());
  FT_Library library = Library();
  if (!library) return nullptr;
  FaceFile file;
  if (!FindFaceFile(MapFaceName(faceName), bold, italic, &file)) return nullptr;
  auto impl = std::make_unique<Impl>();
  if (FT_New_Face(library, file.path.c_str(), file.index, &impl->face) != 0) {
    impl->face = nullptr;
    return nullptr;
  }
  if (FT_Set_Pixel_Sizes(impl->face, 0, static_cast<FT_UInt>(pixelHeight)) != 0 ||
      !FT_IS_SCALABLE(impl->face)) {
    FT_Done_Face(impl->face);
    impl->face = nullptr;
    return nullptr;
  }
  FT_Select_Charmap(impl->face, FT_ENCODING_UNICODE);
  return std::unique_ptr<FontFace>(new FontFace(std::move(impl), file.path, pixelHeight, bold, italic, underline,
                                                file.synthBold, file.synthItalic));
}

FontFace::FontFace(std::unique_ptr<Impl> impl, std::string path, int pixelHeight, bool bold, bool italic,
                   bool underline, bool synthBold, bool synthItalic)
    : mImpl(std::move(impl)), mPath(std::move(path)), mPixelHeight(pixelHeight), mBold(bold), mItalic(italic),
      mUnderline(underline), mSynthBold(synthBold), mSynthItalic(synthItalic) {
  FT_Face face = mImpl->face;
  const int upem = face->units_per_EM;
  // The cell comes from the Windows metrics when the face has them, as the
  // original platform measures it; otherwise from the horizontal header.
  long ascender = face->ascender;
  long descender = -face->descender;
  if (auto* os2 = static_cast<TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2)); os2 && os2->version != 0xFFFF) {
    if (os2->usWinAscent + os2->usWinDescent > 0) {
      ascender = os2->usWinAscent;
      descender = os2->usWinDescent;
    }
  }
  mAscent = CeilUnits(ascender, pixelHeight, upem);
  mHeight = mAscent + CeilUnits(descender, pixelHeight, upem);
  mUnderlinePos = std::max(1, RoundUnits(-face->underline_position, pixelHeight, upem));
  mUnderlineThickness = std::max(1, RoundUnits(face->underline_thickness, pixelHeight, upem));
}

FontFace::~FontFace() = default;

std::unique_ptr<FontFace> FontFace::Clone() const {
  std::lock_guard<std::mutex> guard(EngineLock());
  auto impl = std::make_unique<Impl>();
  FT_Face src = mImpl->face;
  if (FT_New_Face(Library(), mPath.c_str(), src->face_index, &impl->face) != 0) {
    impl->face = nullptr;
    return nullptr;
  }
  FT_Set_Pixel_Sizes(impl->face, 0, static_cast<FT_UInt>(mPixelHeight));
  FT_Select_Charmap(impl->face, FT_ENCODING_UNICODE);
  return std::unique_ptr<FontFace>(new FontFace(std::move(impl), mPath, mPixelHeight, mBold, mItalic, mUnderline,
                                                mSynthBold, mSynthItalic));
}

namespace {

// Loads one glyph, styled; false when the face has nothing to show for it.
bool LoadGlyph(FT_Face face, wchar_t ch, bool synthBold, bool synthItalic) {
  if (FT_Load_Char(face, static_cast<FT_ULong>(ch), FT_LOAD_DEFAULT | FT_LOAD_NO_BITMAP) != 0) return false;
  if (synthItalic) FT_GlyphSlot_Oblique(face->glyph);
  if (synthBold) FT_GlyphSlot_Embolden(face->glyph);
  return true;
}

}  // namespace

int FontFace::StringWidth(const std::wstring& text) const {
  std::lock_guard<std::mutex> guard(EngineLock());
  long width = 0;
  for (wchar_t ch : text) {
    if (!LoadGlyph(mImpl->face, ch, mSynthBold, mSynthItalic)) continue;
    width += mImpl->face->glyph->advance.x;
  }
  return static_cast<int>(width >> 6);
}

void FontFace::Render(const std::wstring& text, int x, int baseline, uint8_t* coverage, int width,
                      int height) const {
  if (!coverage || width <= 0 || height <= 0) return;
  std::lock_guard<std::mutex> guard(EngineLock());
  FT_Face face = mImpl->face;
  const int startX = x;
  long pen = static_cast<long>(x) << 6;
  for (wchar_t ch : text) {
    if (!LoadGlyph(face, ch, mSynthBold, mSynthItalic)) continue;
    FT_GlyphSlot slot = face->glyph;
    if (FT_Render_Glyph(slot, FT_RENDER_MODE_NORMAL) == 0 && slot->bitmap.pixel_mode == FT_PIXEL_MODE_GRAY) {
      const FT_Bitmap& bm = slot->bitmap;
      const int left = static_cast<int>(pen >> 6) + slot->bitmap_left;
      const int top = baseline - slot->bitmap_top;
      for (int row = 0; row < static_cast<int>(bm.rows); ++row) {
        const int dy = top + row;
        if (dy < 0 || dy >= height) continue;
        const uint8_t* src = bm.buffer + static_cast<long>(row) * bm.pitch;
        uint8_t* dst = coverage + static_cast<long>(dy) * width;
        for (int col = 0; col < static_cast<int>(bm.width); ++col) {
          const int dx = left + col;
          if (dx < 0 || dx >= width) continue;
          dst[dx] = static_cast<uint8_t>(std::min(255, dst[dx] + src[col]));
        }
      }
    }
    pen += slot->advance.x;
  }
  if (mUnderline) {
    const int right = static_cast<int>(pen >> 6);
    for (int t = 0; t < mUnderlineThickness; ++t) {
      const int dy = baseline + mUnderlinePos + t;
      if (dy < 0 || dy >= height) continue;
      for (int dx = std::max(0, startX); dx < std::min(width, right); ++dx) coverage[static_cast<long>(dy) * width + dx] = 255;
    }
  }
}

}  // namespace Plix
