#include "framework/graphics/SysFont.h"

#include <cstdlib>

#include <vector>

#include "framework/graphics/DDImage.h"
#include "framework/graphics/Graphics.h"
#include "framework/graphics/GraphicsHost.h"
#include "framework/graphics/MemoryImage.h"
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
                         const Rect& clip) {
  Image* dest = g->mDestImage;
  // A Graphics without a destination only measures.
  if (!mFontHandle || !dest || dest->GetWidth() == 0 || dest->GetHeight() == 0) return;
  const int width = StringWidth(text);
  const int height = mHeight;
  if (width <= 0 || height <= 0) return;

  // Glyph coverage of the text and of its shadow, each drawn once more one
  // pixel right when bold is simulated.
  const size_t count = static_cast<size_t>(width) * static_cast<size_t>(height);
  std::vector<uint8_t> textCover(count, 0);
  std::vector<uint8_t> shadowCover;
  mFontHandle->Render(text, 0, mAscent, textCover.data(), width, height);
  if (mSimulateBold) mFontHandle->Render(text, 1, mAscent, textCover.data(), width, height);
  if (mDrawShadow) {
    shadowCover.assign(count, 0);
    mFontHandle->Render(text, 1, mAscent + 1, shadowCover.data(), width, height);
    if (mSimulateBold) mFontHandle->Render(text, 2, mAscent + 1, shadowCover.data(), width, height);
  }

  // The coverage becomes the alpha of an image in the text's colour (the
  // colour's own alpha is not used, as with the original platform's text);
  // the text lies over its black shadow.
  std::vector<uint32_t> pixels(count, 0);
  const uint32_t rgb = (static_cast<uint32_t>(color.mRed & 0xFF) << 16) |
                       (static_cast<uint32_t>(color.mGreen & 0xFF) << 8) | static_cast<uint32_t>(color.mBlue & 0xFF);
  for (size_t i = 0; i < count; ++i) {
    const uint32_t t = textCover[i];
    const uint32_t s = shadowCover.empty() ? 0 : shadowCover[i];
    const uint32_t alpha = t + s * (255 - t) / 255;
    if (alpha == 0) continue;
    uint32_t r = (rgb >> 16) & 0xFF, gr = (rgb >> 8) & 0xFF, b = rgb & 0xFF;
    if (t < 255) {  // shadow shows through: the colour is diluted towards black
      r = r * t / alpha;
      gr = gr * t / alpha;
      b = b * t / alpha;
    }
    pixels[i] = (alpha << 24) | (r << 16) | (gr << 8) | b;
  }
  MemoryImage image(mApp ? mApp : GetGraphicsHost());
  image.SetBits(pixels.data(), width, height);
  // Text drawn straight onto a display surface sits one row lower, as the
  // original platform's surface text does.
  const int top = y - mAscent + (dynamic_cast<DDImage*>(dest) ? 1 : 0);
  g->DrawImage(&image, x, top);
}

}  // namespace Plix
