#include "framework/graphics/SysFont.h"

#include <cstdlib>

#include "framework/platform/FontEngine.h"

namespace Plix {

int SysFont::PointsToPixels(int pointSize) {
  // MulDiv(pointSize, 96, 72), rounded half away from zero.
  const long long v = static_cast<long long>(pointSize) * 96;
  return static_cast<int>(v >= 0 ? (v + 36) / 72 : (v - 36) / 72);
}

SysFont::SysFont(const std::string& faceName, int pointSize, bool bold, bool italic, bool underline) {
  Init(nullptr, faceName, pointSize, bold, italic, underline);
}

SysFont::SysFont(GraphicsHost* app, const std::string& faceName, int pointSize, int script) {
  // Every script maps to the same Unicode face here.
  Init(app, faceName, pointSize, false, false, false);
}

void SysFont::Init(GraphicsHost* app, const std::string& faceName, int pointSize, bool bold, bool italic,
                   bool underline) {
  mApp = app;
  mFontHandle = FontFace::Create(faceName, std::abs(PointsToPixels(pointSize)), bold, italic, underline);
  mHeight = mFontHandle ? mFontHandle->Height() : 0;
  mAscent = mFontHandle ? mFontHandle->Ascent() : 0;
  mDrawShadow = false;
  mSimulateBold = false;
}

SysFont::SysFont(const SysFont& other) : Font(other), mApp(other.mApp) {
  if (other.mFontHandle) mFontHandle = other.mFontHandle->Clone();
}

SysFont::~SysFont() = default;

Font* SysFont::Duplicate() { return new SysFont(*this); }

int SysFont::StringWidth(const std::wstring& text) {
  return mFontHandle ? mFontHandle->StringWidth(text) : 0;
}

void SysFont::DrawString(Graphics* g, int x, int y, const std::wstring& text, const Color& color,
                         const Rect& clip) {}

}  // namespace Plix
