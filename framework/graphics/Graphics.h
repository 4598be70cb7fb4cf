#pragma once
// The drawing context handed to every draw operation: one destination image
// and a state (translation, scale about an origin, clip rectangle, colour,
// font, draw mode, flags) with a stack of saved states. Each operation
// translates, clips where it says so, and hands the result to one operation
// of the destination image.
#include <cstdint>
#include <list>
#include <string>

#include "framework/graphics/Color.h"
#include "framework/graphics/Rect.h"

namespace Plix {

class Font;
class Image;

// A position worked out in floating point, truncated as a cast would and
// held to the int range (NaN as 0): a cast of a value outside it is
// undefined, and a broken font description gives such values.
inline int32_t TruncateToInt32(double v) {
  if (v >= 2147483647.0) return INT32_MAX;
  if (v <= -2147483648.0) return INT32_MIN;
  return v == v ? static_cast<int32_t>(v) : 0;
}

class GraphicsState {
public:
  Image* mDestImage = nullptr;
  float mTransX = 0;
  float mTransY = 0;
  float mScaleX = 1;
  float mScaleY = 1;
  float mScaleOrigX = 0;
  float mScaleOrigY = 0;
  Rect mClipRect;
  Color mColor;
  Font* mFont = nullptr;
  int32_t mDrawMode = 0;
  bool mColorizeImages = false;
  bool mFastStretch = false;
  bool mWriteColoredString = true;
  bool mLinearBlend = false;
  bool mIs3D = false;

  void CopyState(const GraphicsState* other) { *this = *other; }
};

class Graphics : public GraphicsState {
public:
  std::list<GraphicsState> mStateStack;

  explicit Graphics(Image* destImage = nullptr);
  Graphics(const Graphics& other);
  Graphics& operator=(const Graphics&) = delete;
  virtual ~Graphics();

  // A copy of the state (not the stack); the caller deletes it.
  Graphics* Create();
  void PushState();
  void PopState();

  void SetFont(Font* font) { mFont = font; }
  Font* GetFont() const { return mFont; }
  void SetColor(const Color& color) { mColor = color; }
  const Color& GetColor() const { return mColor; }
  void SetDrawMode(int32_t mode) { mDrawMode = mode; }
  int32_t GetDrawMode() const { return mDrawMode; }
  void SetColorizeImages(bool on) { mColorizeImages = on; }
  bool GetColorizeImages() const { return mColorizeImages; }
  void SetImageTinting(bool on) { mColorizeImages = on; }
  bool GetImageTinting() const { return mColorizeImages; }
  void SetFastStretch(bool on) { mFastStretch = on; }
  void SetFastScaling(bool on) { mFastStretch = on; }
  void SetLinearBlend(bool on) { mLinearBlend = on; }
  void SetSmoothScaling(bool on) { mLinearBlend = on; }

  void Translate(int32_t dx, int32_t dy);
  // The origin is given untranslated and stored translated.
  void SetScale(float scaleX, float scaleY, float origX, float origY);
  void ClearClipRect();
  void SetClipRect(int32_t x, int32_t y, int32_t width, int32_t height);
  void SetClipRect(const Rect& r) { SetClipRect(r.mX, r.mY, r.mWidth, r.mHeight); }
  void ClipRect(int32_t x, int32_t y, int32_t width, int32_t height);
  void ClipRect(const Rect& r) { ClipRect(r.mX, r.mY, r.mWidth, r.mHeight); }
  const Rect& GetClipRect() const { return mClipRect; }

  void FillRect(int32_t x, int32_t y, int32_t width, int32_t height);
  void FillRect(const Rect& r) { FillRect(r.mX, r.mY, r.mWidth, r.mHeight); }
  void DrawRect(int32_t x, int32_t y, int32_t width, int32_t height);
  void DrawRect(const Rect& r) { DrawRect(r.mX, r.mY, r.mWidth, r.mHeight); }
  void DrawLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2);
  // Clips a segment against the clip rectangle; false when nothing is left.
  bool ClipLine(double& x1, double& y1, double& x2, double& y2) const;

  void DrawImage(Image* image, int32_t x, int32_t y);
  void DrawImage(Image* image, int32_t x, int32_t y, const Rect& srcRect) { DrawImageSrcRect(image, x, y, srcRect); }
  void DrawImageSrcRect(Image* image, int32_t x, int32_t y, const Rect& srcRect);
  void DrawImageMirror(Image* image, int32_t x, int32_t y);
  void DrawImageMirrorSrcRect(Image* image, int32_t x, int32_t y, const Rect& srcRect);
  void DrawImageStretched(Image* image, int32_t x, int32_t y, int32_t width, int32_t height);
  void DrawImageStretchedSrcRect(Image* image, const Rect& destRect, const Rect& srcRect);
  void DrawImageF(Image* image, float x, float y);
  void DrawImageRotated(Image* image, int32_t x, int32_t y, double angle);
  void DrawImageRotatedAbout(Image* image, float x, float y, double angle, float centerX, float centerY);
  void DrawImageBox(const Rect& dest, Image* image);
  void DrawImageBoxSrcRect(const Rect& dest, const Rect& srcRect, Image* image);
  void DrawImageCell(Image* image, int32_t x, int32_t y, int32_t cel);
  void DrawImageCellAt(Image* image, int32_t x, int32_t y, int32_t column, int32_t row);
  void DrawImageMirrorCell(Image* image, int32_t x, int32_t y, int32_t cel);
  void DrawImageMirrorCellAt(Image* image, int32_t x, int32_t y, int32_t column, int32_t row);
  void DrawImageCellStretched(const Rect& dest, Image* image, int32_t column);

  // Text through the current font; y is the baseline. Colour codes in the
  // text (while mWriteColoredString is on): "^RRGGBB^" sets the colour (its
  // alpha kept), "^oldclr^" restores the old colour (-1: the colour the
  // call began with), "^^" is one caret.
  void DrawString(const std::wstring& text, int32_t x, int32_t y);
  // Draws (or only measures) [offset, offset + length) of the text; returns
  // the width covered. Justification 0 centres in width, 1 right-aligns,
  // anything else is left; left by default, as callers that give no width
  // expect.
  int32_t WriteString(const std::wstring& text, int32_t x, int32_t y, int32_t width = -1, int32_t justification = -1,
                      bool drawString = true, int32_t offset = 0, int32_t length = -1, int32_t oldColor = -1);
  // Wraps the text at spaces into the rectangle's width and draws it from
  // the top; line spacing -1 is the font's, limit (a count of indexes,
  // colour codes included) -1 the whole text. Returns the height used.
  int32_t DrawWordWrapped(const Rect& rect, const std::wstring& text, int32_t lineSpacing = -1,
                          int32_t justification = -1, int32_t limit = -1);
  // One wrapped line cut to the character limit; -1 when nothing of it is left.
  static int32_t DrawWrappedLine(int32_t length, int32_t limit, int32_t start, Graphics* g, const std::wstring& text,
                                 int32_t x, int32_t y, int32_t width, int32_t justification, int32_t oldColor);
  int32_t MeasureWordWrappedHeight(int32_t width, const std::wstring& text, int32_t lineSpacing = -1);

private:
  int32_t TX(int32_t x) const { return TruncateToInt32(mTransX + static_cast<float>(x)); }
  int32_t TY(int32_t y) const { return TruncateToInt32(mTransY + static_cast<float>(y)); }
  const Color& Tint() const;
  // A source rectangle that lies inside the image and is not empty.
  static bool SourceInside(const Image* image, const Rect& srcRect);
};

}  // namespace Plix
