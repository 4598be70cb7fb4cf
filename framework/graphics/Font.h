#pragma once
// The abstract font: the four vertical metrics and the measuring and
// drawing operations that bitmap and system fonts supply.
#include <cstdint>
#include <string>

#include "framework/graphics/Color.h"
#include "framework/graphics/Rect.h"

namespace Plix {

// A font metric or glyph position worked out wide and kept in 32-bit range:
// a broken description may give values near the limits, and a sum of them
// must not wrap around.
inline int32_t ClampToInt32(int64_t v) {
  return v < INT32_MIN ? INT32_MIN : v > INT32_MAX ? INT32_MAX : static_cast<int32_t>(v);
}

class Graphics;

class Font {
public:
  int32_t mAscent = 0;
  int32_t mAscentPadding = 0;  // taken off the ascent where word wrapping places its first line
  int32_t mHeight = 0;
  int32_t mLineSpacingOffset = 0;  // added to the height between baselines

  Font() = default;
  Font(const Font& other) = default;
  Font& operator=(const Font& other) = default;
  virtual ~Font();

  virtual int GetAscent();
  virtual int GetAscentPadding();
  virtual int GetDescent();
  virtual int GetHeight();
  virtual int GetLineSpacingOffset();
  virtual int GetLineSpacing();
  virtual int StringWidth(const std::wstring& text);
  virtual int CharWidth(wchar_t ch);
  // The previous character is ignored: no font of ours kerns while wrapping.
  virtual int CharWidthKern(wchar_t ch, wchar_t previous);
  // y is the baseline.
  virtual void DrawString(Graphics* g, int x, int y, const std::wstring& text, const Color& color,
                          const Rect& clip);
  // A copy owned by the caller.
  virtual Font* Duplicate() = 0;
};

}  // namespace Plix
