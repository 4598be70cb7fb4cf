#include "framework/graphics/Font.h"

#include <algorithm>
#include <cstdint>

namespace Plix {

Font::~Font() = default;

int Font::GetAscent() { return mAscent; }
int Font::GetAscentPadding() { return mAscentPadding; }
// Saturated: a broken font description may give metrics near the limits.
int Font::GetDescent() { return static_cast<int>(std::clamp<int64_t>(int64_t{mHeight} - mAscent, INT32_MIN, INT32_MAX)); }
int Font::GetHeight() { return mHeight; }
int Font::GetLineSpacingOffset() { return mLineSpacingOffset; }
int Font::GetLineSpacing() {
  return static_cast<int>(std::clamp<int64_t>(int64_t{mHeight} + mLineSpacingOffset, INT32_MIN, INT32_MAX));
}
int Font::StringWidth(const std::wstring&) { return 0; }
int Font::CharWidth(wchar_t ch) { return StringWidth(std::wstring(1, ch)); }
int Font::CharWidthKern(wchar_t ch, wchar_t) { return CharWidth(ch); }
void Font::DrawString(Graphics*, int, int, const std::wstring&, const Color&, const Rect&) {}

}  // namespace Plix
