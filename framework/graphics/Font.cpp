#include "framework/graphics/Font.h"

#include <cstdint>

namespace Plix {

Font::~Font() = default;

int Font::GetAscent() { return mAscent; }
int Font::GetAscentPadding() { return mAscentPadding; }
int Font::GetDescent() { return ClampToInt32(int64_t{mHeight} - mAscent); }
int Font::GetHeight() { return mHeight; }
int Font::GetLineSpacingOffset() { return mLineSpacingOffset; }
int Font::GetLineSpacing() {
  return ClampToInt32(int64_t{mHeight} + mLineSpacingOffset);
}
int Font::StringWidth(const std::wstring&) { return 0; }
int Font::CharWidth(wchar_t ch) { return StringWidth(std::wstring(1, ch)); }
int Font::CharWidthKern(wchar_t ch, wchar_t) { return CharWidth(ch); }
void Font::DrawString(Graphics*, int, int, const std::wstring&, const Color&, const Rect&) {}

}  // namespace Plix
