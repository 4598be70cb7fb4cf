#include "framework/graphics/Graphics.h"

#include <cmath>

#include "framework/graphics/DDImage.h"
#include "framework/graphics/Image.h"

namespace Plix {

namespace {

// What a Graphics without a destination draws into: nothing is visible.
Image& EmptyImage() {
  static Image image;
  return image;
}

}  // namespace

Graphics* Image::CreateGraphics() { return new Graphics(this); }

Graphics::Graphics(Image* destImage) {
  mDestImage = destImage ? destImage : &EmptyImage();
  mIs3D = destImage ? DDImage::Check3D(destImage) : false;
  mClipRect = Rect(0, 0, mDestImage->GetWidth(), mDestImage->GetHeight());
}

Graphics::Graphics(const Graphics& other) : GraphicsState(other) {}

Graphics::~Graphics() = default;

Graphics* Graphics::Create() { return new Graphics(*this); }

void Graphics::PushState() { mStateStack.push_back(static_cast<const GraphicsState&>(*this)); }

void Graphics::PopState() {
  if (mStateStack.empty()) return;
  CopyState(&mStateStack.back());
  mStateStack.pop_back();
}

void Graphics::Translate(int32_t dx, int32_t dy) {
  mTransX += static_cast<float>(dx);
  mTransY += static_cast<float>(dy);
}

void Graphics::SetScale(float scaleX, float scaleY, float origX, float origY) {
  mScaleX = scaleX;
  mScaleY = scaleY;
  mScaleOrigX = mTransX + origX;
  mScaleOrigY = mTransY + origY;
}

void Graphics::ClearClipRect() { mClipRect = Rect(0, 0, mDestImage->GetWidth(), mDestImage->GetHeight()); }

void Graphics::SetClipRect(int32_t x, int32_t y, int32_t width, int32_t height) {
  mClipRect = Rect(TX(x), TY(y), width, height).Intersection(Rect(0, 0, mDestImage->GetWidth(), mDestImage->GetHeight()));
}

void Graphics::ClipRect(int32_t x, int32_t y, int32_t width, int32_t height) {
  mClipRect = Rect(TX(x), TY(y), width, height).Intersection(mClipRect);
}

const Color& Graphics::Tint() const { return mColorizeImages ? mColor : Color::White; }

bool Graphics::SourceInside(const Image* image, const Rect& srcRect) {
  // Besides the right and bottom edges, a source that starts left of or
  // above the image, or has no area, would read outside its pixels.
  // Summed wide: a huge width must not wrap around to a small right edge.
  return srcRect.mX >= 0 && srcRect.mY >= 0 && srcRect.mWidth > 0 && srcRect.mHeight > 0 &&
         int64_t{srcRect.mX} + srcRect.mWidth <= image->GetWidth() &&
         int64_t{srcRect.mY} + srcRect.mHeight <= image->GetHeight();
}

// ------------------------------------------------------ rectangles, lines

void Graphics::FillRect(int32_t x, int32_t y, int32_t width, int32_t height) {
  if (mColor.mAlpha == 0) return;
  Rect r = Rect(TX(x), TY(y), width, height).Intersection(mClipRect);
  mDestImage->FillRect(r, mColor, mDrawMode);
}

void Graphics::DrawRect(int32_t x, int32_t y, int32_t width, int32_t height) {
  if (mColor.mAlpha == 0) return;
  const Rect full(TX(x), TY(y), width + 1, height + 1);
  if (full.Intersection(mClipRect) == full) {
    mDestImage->DrawRect(Rect(TX(x), TY(y), width, height), mColor, mDrawMode);
    return;
  }
  FillRect(x, y, width + 1, 1);
  FillRect(x, y + height, width + 1, 1);
  FillRect(x, y + 1, 1, height - 1);
  FillRect(x + width, y + 1, 1, height - 1);
}

void Graphics::DrawLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
  double ax = x1 + static_cast<double>(mTransX), ay = y1 + static_cast<double>(mTransY);
  double bx = x2 + static_cast<double>(mTransX), by = y2 + static_cast<double>(mTransY);
  if (!ClipLine(ax, ay, bx, by)) return;
  mDestImage->DrawLine(ax, ay, bx, by, mColor, mDrawMode);
}

bool Graphics::ClipLine(double& x1, double& y1, double& x2, double& y2) const {
  const double l = mClipRect.mX, r = mClipRect.mX + mClipRect.mWidth;
  const double t = mClipRect.mY, b = mClipRect.mY + mClipRect.mHeight;
  if (x1 > x2) {
    std::swap(x1, x2);
    std::swap(y1, y2);
  }
  if (l > x1) {
    if (l > x2) return false;
    y1 = y1 + (l - x1) * (y2 - y1) / (x2 - x1);
    x1 = l;
  }
  if (r <= x2) {
    if (r <= x1) return false;
    y2 = y2 + ((r - 1) - x2) * (y2 - y1) / (x2 - x1);
    x2 = r - 1;
  }
  if (y1 > y2) {
    std::swap(x1, x2);
    std::swap(y1, y2);
  }
  if (t > y1) {
    if (t > y2) return false;
    x1 = x1 + (t - y1) * (x2 - x1) / (y2 - y1);
    y1 = t;
  }
  if (b <= y2) {
    if (b <= y1) return false;
    x2 = x2 + ((b - 1) - y2) * (x2 - x1) / (y2 - y1);
    y2 = b - 1;
  }
  return true;
}

// ------------------------------------------------------------------ images

void Graphics::DrawImage(Image* image, int32_t x, int32_t y) {
  if (!image) return;  // a handle whose group is freed
  if (mScaleX != 1 || mScaleY != 1) {
    DrawImageSrcRect(image, x, y, Rect(0, 0, image->GetWidth(), image->GetHeight()));
    return;
  }
  const int32_t dx = TX(x), dy = TY(y);
  Rect c = Rect(dx, dy, image->GetWidth(), image->GetHeight()).Intersection(mClipRect);
  if (c.mWidth <= 0 || c.mHeight <= 0) return;
  mDestImage->Blit(image, c.mX, c.mY, Rect(c.mX - dx, c.mY - dy, c.mWidth, c.mHeight), Tint(), mDrawMode);
}

void Graphics::DrawImageSrcRect(Image* image, int32_t x, int32_t y, const Rect& srcRect) {
  if (!image) return;  // a handle whose group is freed
  if (!SourceInside(image, srcRect)) return;
  const int32_t dx = TX(x), dy = TY(y);
  if (mScaleX == 1 && mScaleY == 1) {
    Rect c = Rect(dx, dy, srcRect.mWidth, srcRect.mHeight).Intersection(mClipRect);
    if (c.mWidth <= 0 || c.mHeight <= 0) return;
    mDestImage->Blit(image, c.mX, c.mY,
                     Rect(srcRect.mX + c.mX - dx, srcRect.mY + c.mY - dy, c.mWidth, c.mHeight), Tint(), mDrawMode);
    return;
  }
  const float w = std::ceil(static_cast<float>(srcRect.mWidth) * mScaleX);
  const float h = std::ceil(static_cast<float>(srcRect.mHeight) * mScaleY);
  const float sx = std::floor((static_cast<float>(dx) - mScaleOrigX) * mScaleX) + mScaleOrigX;
  const float sy = std::floor((static_cast<float>(dy) - mScaleOrigY) * mScaleY) + mScaleOrigY;
  const Rect dest(TruncateToInt32(sx), TruncateToInt32(sy), TruncateToInt32(w), TruncateToInt32(h));
  mDestImage->StretchBlit(image, dest, srcRect, mClipRect, Tint(), mDrawMode, mFastStretch);
}

void Graphics::DrawImageMirror(Image* image, int32_t x, int32_t y) {
  if (!image) return;  // a handle whose group is freed
  DrawImageMirrorSrcRect(image, x, y, Rect(0, 0, image->GetWidth(), image->GetHeight()));
}

void Graphics::DrawImageMirrorSrcRect(Image* image, int32_t x, int32_t y, const Rect& srcRect) {
  if (!image) return;  // a handle whose group is freed
  if (!SourceInside(image, srcRect)) return;
  const int32_t dx = TX(x), dy = TY(y);
  Rect c = Rect(dx, dy, srcRect.mWidth, srcRect.mHeight).Intersection(mClipRect);
  if (c.mWidth <= 0 || c.mHeight <= 0) return;
  mDestImage->BlitMirror(
      image, c.mX, c.mY,
      Rect(srcRect.mX + srcRect.mWidth - (c.mX - dx) - c.mWidth, srcRect.mY + c.mY - dy, c.mWidth, c.mHeight), Tint(),
      mDrawMode);
}

void Graphics::DrawImageStretched(Image* image, int32_t x, int32_t y, int32_t width, int32_t height) {
  if (!image) return;  // a handle whose group is freed
  mDestImage->StretchBlit(image, Rect(TX(x), TY(y), width, height), Rect(0, 0, image->GetWidth(), image->GetHeight()),
                          mClipRect, Tint(), mDrawMode, mFastStretch);
}

void Graphics::DrawImageStretchedSrcRect(Image* image, const Rect& destRect, const Rect& srcRect) {
  if (!image) return;  // a handle whose group is freed
  mDestImage->StretchBlit(image, Rect(TX(destRect.mX), TY(destRect.mY), destRect.mWidth, destRect.mHeight), srcRect,
                          mClipRect, Tint(), mDrawMode, mFastStretch);
}

void Graphics::DrawImageF(Image* image, float x, float y) {
  if (!image) return;  // a handle whose group is freed
  mDestImage->BlitF(image, mTransX + x, mTransY + y, Rect(0, 0, image->GetWidth(), image->GetHeight()), mClipRect,
                    Tint(), mDrawMode);
}

void Graphics::DrawImageRotated(Image* image, int32_t x, int32_t y, double angle) {
  if (!image) return;  // a handle whose group is freed
  DrawImageRotatedAbout(image, static_cast<float>(x), static_cast<float>(y), angle,
                        static_cast<float>(image->GetWidth() / 2), static_cast<float>(image->GetHeight() / 2));
}

void Graphics::DrawImageRotatedAbout(Image* image, float x, float y, double angle, float centerX, float centerY) {
  if (!image) return;  // a handle whose group is freed
  mDestImage->BlitRotated(image, mTransX + x, mTransY + y, Rect(0, 0, image->GetWidth(), image->GetHeight()),
                          mClipRect, Tint(), mDrawMode, angle, centerX, centerY);
}

void Graphics::DrawImageCell(Image* image, int32_t x, int32_t y, int32_t cel) {
  if (!image) return;  // a handle whose group is freed
  const int32_t columns = image->mCelColumns;
  if (columns <= 0) return;
  DrawImageCellAt(image, x, y, cel % columns, cel / columns);
}

void Graphics::DrawImageCellAt(Image* image, int32_t x, int32_t y, int32_t column, int32_t row) {
  if (!image) return;  // a handle whose group is freed
  if (row < 0 || column < 0 || row >= image->mCelRows || column >= image->mCelColumns) return;
  const int32_t w = image->GetCellWidth(), h = image->GetCellHeight();
  DrawImageSrcRect(image, x, y, Rect(w * column, h * row, w, h));
}

void Graphics::DrawImageMirrorCell(Image* image, int32_t x, int32_t y, int32_t cel) {
  if (!image) return;  // a handle whose group is freed
  const int32_t columns = image->mCelColumns;
  if (columns <= 0) return;
  DrawImageMirrorCellAt(image, x, y, cel % columns, cel / columns);
}

void Graphics::DrawImageMirrorCellAt(Image* image, int32_t x, int32_t y, int32_t column, int32_t row) {
  if (!image) return;  // a handle whose group is freed
  if (row < 0 || column < 0 || row >= image->mCelRows || column >= image->mCelColumns) return;
  const int32_t w = image->GetCellWidth(), h = image->GetCellHeight();
  DrawImageMirrorSrcRect(image, x, y, Rect(w * column, h * row, w, h));
}

void Graphics::DrawImageCellStretched(const Rect& dest, Image* image, int32_t column) {
  if (!image) return;  // a handle whose group is freed
  if (column < 0 || image->mCelRows <= 0 || column >= image->mCelColumns) return;
  const int32_t w = image->GetCellWidth(), h = image->GetCellHeight();
  DrawImageStretchedSrcRect(image, dest, Rect(w * column, 0, w, h));
}

void Graphics::DrawImageBox(const Rect& dest, Image* image) {
  if (!image) return;  // a handle whose group is freed
  DrawImageBoxSrcRect(dest, Rect(0, 0, image->GetWidth(), image->GetHeight()), image);
}

void Graphics::DrawImageBoxSrcRect(const Rect& dest, const Rect& srcRect, Image* image) {
  if (!image) return;  // a handle whose group is freed
  if (srcRect.mWidth <= 0 || srcRect.mHeight <= 0) return;
  const int32_t w3 = srcRect.mWidth / 3, h3 = srcRect.mHeight / 3;
  const int32_t mw = srcRect.mWidth - 2 * w3, mh = srcRect.mHeight - 2 * h3;
  const int32_t sx = srcRect.mX, sy = srcRect.mY;
  const int32_t X = dest.mX, Y = dest.mY, W = dest.mWidth, H = dest.mHeight;

  DrawImageSrcRect(image, X, Y, Rect(sx, sy, w3, h3));
  DrawImageSrcRect(image, X + W - w3, Y, Rect(sx + mw + w3, sy, w3, h3));
  DrawImageSrcRect(image, X, Y + H - h3, Rect(sx, sy + mh + h3, w3, h3));
  DrawImageSrcRect(image, X + W - w3, Y + H - h3, Rect(sx + mw + w3, sy + mh + h3, w3, h3));

  const int32_t across = (W - 2 * w3 + mw - 1) / mw;
  const int32_t down = (H - 2 * h3 + mh - 1) / mh;
  {
    Graphics g(*this);
    g.ClipRect(X + w3, Y, W - 2 * w3, H);
    for (int32_t i = 0; i < across; ++i) {
      g.DrawImageSrcRect(image, X + w3 + i * mw, Y, Rect(sx + w3, sy, mw, h3));
      g.DrawImageSrcRect(image, X + w3 + i * mw, Y + H - h3, Rect(sx + w3, sy + mh + h3, mw, h3));
    }
  }
  {
    Graphics g(*this);
    g.ClipRect(X, Y + h3, W, H - 2 * h3);
    for (int32_t j = 0; j < down; ++j) {
      g.DrawImageSrcRect(image, X, Y + h3 + j * mh, Rect(sx, sy + h3, w3, mh));
      g.DrawImageSrcRect(image, X + W - w3, Y + h3 + j * mh, Rect(sx + mw + w3, sy + h3, w3, mh));
    }
  }
  {
    Graphics g(*this);
    g.ClipRect(X + w3, Y + h3, W - 2 * w3, H - 2 * h3);
    for (int32_t i = 0; i < across; ++i)
      for (int32_t j = 0; j < down; ++j)
        g.DrawImageSrcRect(image, X + w3 + i * mw, Y + h3 + j * mh, Rect(sx + w3, sy + h3, mw, mh));
  }
}

}  // namespace Plix
