// The text operations of Graphics: strings through the current font, with
// in-line colour codes ("^RRGGBB^", "^oldclr^", "^^" for a caret), justified
// and word-wrapped.
#include <algorithm>

#include "framework/graphics/Font.h"
#include "framework/graphics/Graphics.h"

namespace Plix {

namespace {

int HexDigit(wchar_t c) {
  if (c >= L'0' && c <= L'9') return c - L'0';
  if (c >= L'A' && c <= L'F') return c - L'A' + 10;
  if (c >= L'a' && c <= L'f') return c - L'a' + 10;
  return 0;  // anything else counts as 0
}

}  // namespace

void Graphics::DrawString(const std::wstring& text, int32_t x, int32_t y) {
  if (mFont) mFont->DrawString(this, x, y, text, mColor, mClipRect);
}

int32_t Graphics::WriteString(const std::wstring& text, int32_t x, int32_t y, int32_t width, int32_t justification,
                              bool drawString, int32_t offset, int32_t length, int32_t oldColor) {
  // Without a font there is nothing to measure or draw.
  if (!mFont) return 0;
  if (oldColor == -1) oldColor = static_cast<int32_t>(mColor.ToInt());
  if (drawString && (justification == 0 || justification == 1)) {
    const int32_t w = WriteString(text, x, y, width, -1, false, offset, length, oldColor);
    x = ClampToInt32(int64_t{x} + (justification == 0 ? (int64_t{width} - w) / 2 : int64_t{width} - w));
  }

  const int64_t size = static_cast<int64_t>(text.size());
  const int64_t start = std::max<int64_t>(offset, 0);
  const int64_t end = length < 0 ? size : std::min<int64_t>(start + length, size);
  std::wstring run;
  int64_t xOffset = 0;
  for (int64_t i = start; i < end;) {
    if (text[i] != L'^' || !mWriteColoredString) {
      run += text[i++];
      continue;
    }
    if (i + 1 < end && text[i + 1] == L'^') {
      run += L'^';
      i += 2;
      continue;
    }
    if (i > end - 8) break;  // a cut-off code ends the text
    uint32_t value = 0;
    if (text[i + 1] == L'o') {
      if (text.compare(static_cast<size_t>(i + 1), 6, L"oldclr") == 0) value = static_cast<uint32_t>(oldColor);
    } else {
      for (int d = 1; d <= 6; ++d) value = (value << 4) | static_cast<uint32_t>(HexDigit(text[i + d]));
    }
    if (drawString) {
      DrawString(run, ClampToInt32(x + xOffset), y);
      SetColor(Color((value >> 16) & 0xFF, (value >> 8) & 0xFF, value & 0xFF, mColor.mAlpha));
    }
    xOffset += mFont->StringWidth(run);
    run.clear();
    i += 8;
  }
  if (drawString) DrawString(run, ClampToInt32(x + xOffset), y);
  return ClampToInt32(xOffset + mFont->StringWidth(run));
}

int32_t Graphics::DrawWrappedLine(int32_t length, int32_t limit, int32_t start, Graphics* g,
                                  const std::wstring& text, int32_t x, int32_t y, int32_t width,
                                  int32_t justification, int32_t oldColor) {
  if (start + length > limit) {
    length = limit - start;
    if (length < 1) return -1;
  }
  return g->WriteString(text, x, y, width, justification, true, start, length, oldColor);
}

int32_t Graphics::DrawWordWrapped(const Rect& rect, const std::wstring& text, int32_t lineSpacing,
                                  int32_t justification, int32_t limit) {
  if (!mFont) return 0;
  const int32_t length = static_cast<int32_t>(text.size());
  if (limit < 0) limit = length;
  if (lineSpacing == -1) lineSpacing = mFont->GetLineSpacing();

  const Color savedColor = mColor;
  uint32_t packed = mColor.ToInt();
  if ((packed & 0xFF000000u) == 0xFF000000u) packed &= 0x00FFFFFFu;
  const int32_t oldColor = static_cast<int32_t>(packed);

  int64_t yOffset = int64_t{mFont->GetAscent()} - mFont->GetAscentPadding();
  int64_t lineWidth = 0;  // 64 bits: no width can overflow it
  int32_t lineStart = 0;
  int32_t lastSpace = -1;
  wchar_t previous = 0;
  wchar_t ch = 0;
  int32_t i = 0;
  while (i < length) {
    ch = text[i];
    if (ch == L'^' && mWriteColoredString && i + 1 < length) {
      if (text[i + 1] != L'^') {
        i += 8;  // a colour code takes no room
        continue;
      }
      ++i;  // "^^" is one caret
    }
    if (ch == L' ') {
      lastSpace = i;
    } else if (ch == L'\n') {
      lineWidth = int64_t{rect.mWidth} + 1;  // forces the break
      lastSpace = i;
      ++i;
    }
    lineWidth += mFont->CharWidthKern(ch, previous);
    previous = ch;

    if (lineWidth <= rect.mWidth) {
      ++i;
      continue;
    }
    if (lastSpace != -1) {
      const int32_t lineY = ClampToInt32(rect.mY + yOffset);
      const int32_t shownY = TY(lineY);
      if (shownY >= mClipRect.mY && shownY < int64_t{mClipRect.mY} + mClipRect.mHeight + lineSpacing)
        DrawWrappedLine(lastSpace - lineStart, limit, lineStart, this, text, rect.mX, lineY, rect.mWidth,
                        justification, oldColor);
      i = lastSpace + 1;
      if (ch != L'\n')
        while (i < length && text[i] == L' ') ++i;
    } else {
      if (i < lineStart + 1) ++i;  // a line holds at least one character
      if (DrawWrappedLine(i - lineStart, limit, lineStart, this, text, rect.mX, ClampToInt32(rect.mY + yOffset), rect.mWidth,
                          justification, oldColor) == -1)
        break;
    }
    yOffset += lineSpacing;
    lineStart = i;
    lastSpace = -1;
    lineWidth = 0;
    previous = 0;
  }

  if (lineStart < length) {
    if (DrawWrappedLine(length - lineStart, limit, lineStart, this, text, rect.mX, ClampToInt32(rect.mY + yOffset), rect.mWidth,
                        justification, oldColor) != -1)
      yOffset += lineSpacing;
  } else if (ch == L'\n') {
    yOffset += lineSpacing;
  }

  SetColor(savedColor);
  return ClampToInt32(mFont->GetDescent() + yOffset - lineSpacing);
}

int32_t Graphics::MeasureWordWrappedHeight(int32_t width, const std::wstring& text, int32_t lineSpacing) {
  Graphics g;
  g.SetFont(mFont);
  return g.DrawWordWrapped(Rect(0, 0, width, 0), text, lineSpacing, -1, -1);
}

}  // namespace Plix
