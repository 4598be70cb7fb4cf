#include "framework/graphics/Image.h"

#include <numeric>

namespace Plix {

bool CellAnimInfo::SetPerFrameDelay(int32_t frame, int32_t delay) {
  if (frame < 0 || frame >= kMaxFrames) return false;
  if (mPerFrameDelays.size() <= static_cast<size_t>(frame)) mPerFrameDelays.resize(static_cast<size_t>(frame) + 1, 0);
  mPerFrameDelays[frame] = delay;
  return true;
}

bool CellAnimInfo::Compute(int32_t celCount, int32_t beginDelay, int32_t endDelay) {
  if (celCount > kMaxCels || mFrameMap.size() > size_t{kMaxFrames} || mPerFrameDelays.size() > size_t{kMaxFrames})
    return false;
  mFrameCount = celCount < 1 ? 1 : celCount;
  if (mFrameDelay < 1) mFrameDelay = 1;

  if (mAnimType == ANIM_PINGPONG && mFrameCount >= 2) {
    mFrameMap.resize(static_cast<size_t>(2 * celCount - 2));
    size_t i = 0;
    for (int32_t cel = 0; cel < celCount; ++cel) mFrameMap[i++] = cel;
    for (int32_t cel = celCount - 2; cel >= 1; --cel) mFrameMap[i++] = cel;
  }
  // A frame map from the manifest decides the frame count for every type.
  if (!mFrameMap.empty()) mFrameCount = static_cast<int32_t>(mFrameMap.size());

  if (beginDelay > 0) SetPerFrameDelay(0, beginDelay);
  if (endDelay > 0) SetPerFrameDelay(mFrameCount - 1, endDelay);

  if (mPerFrameDelays.empty()) {
    mTotalTime = static_cast<int32_t>(int64_t(mFrameCount) * mFrameDelay);
  } else {
    mPerFrameDelays.resize(static_cast<size_t>(mFrameCount), 0);
    for (int32_t& d : mPerFrameDelays)
      if (d < 1) d = mFrameDelay;
    mTotalTime = static_cast<int32_t>(std::accumulate(mPerFrameDelays.begin(), mPerFrameDelays.end(), int64_t(0)));
  }
  if (!mFrameMap.empty()) mFrameMap.resize(static_cast<size_t>(mFrameCount));
  return true;
}

Image::Image(const Image& other)
    : mWidth(other.mWidth), mHeight(other.mHeight), mCelRows(other.mCelRows), mCelColumns(other.mCelColumns) {
  if (other.mAnimInfo) mAnimInfo = std::make_unique<CellAnimInfo>(*other.mAnimInfo);
}

Image::~Image() = default;

void Image::CopyAttributes(const Image& other) {
  mCelColumns = other.mCelColumns;
  mCelRows = other.mCelRows;
  mAnimInfo = other.mAnimInfo ? std::make_unique<CellAnimInfo>(*other.mAnimInfo) : nullptr;
}

bool Image::FillPolygonAccel(const Point*, int32_t, const Rect*, const Color&, int32_t, int32_t, int32_t) {
  return false;
}

void Image::FillRect(const Rect&, const Color&, int32_t) {}

void Image::DrawRect(const Rect& r, const Color& color, int32_t drawMode) {
  FillRect(Rect(r.mX, r.mY, r.mWidth + 1, 1), color, drawMode);
  FillRect(Rect(r.mX, r.mY + r.mHeight, r.mWidth + 1, 1), color, drawMode);
  FillRect(Rect(r.mX, r.mY + 1, 1, r.mHeight - 1), color, drawMode);
  FillRect(Rect(r.mX + r.mWidth, r.mY + 1, 1, r.mHeight - 1), color, drawMode);
}

void Image::ClearRect(const Rect&) {}
void Image::DrawLine(double, double, double, double, const Color&, int32_t) {}
void Image::DrawLineAA(double, double, double, double, const Color&, int32_t) {}

void Image::FillSpans(const Span* spans, int32_t count, const Color& color, int32_t drawMode) {
  for (int32_t i = 0; i < count; ++i) FillRect(Rect(spans[i].mX, spans[i].mY, spans[i].mWidth, 1), color, drawMode);
}

void Image::FillSpansWithCoverage(const Span*, int32_t, const Color&, int32_t, const uint8_t*, int32_t, int32_t,
                                  int32_t, int32_t) {}
void Image::Blit(Image*, int32_t, int32_t, const Rect&, const Color&, int32_t) {}
void Image::BlitF(Image*, float, float, const Rect&, const Rect&, const Color&, int32_t) {}
void Image::BlitRotated(Image*, float, float, const Rect&, const Rect&, const Color&, int32_t, double, float, float) {}
void Image::StretchBlit(Image*, const Rect&, const Rect&, const Rect&, const Color&, int32_t, bool) {}
void Image::BlitMatrix(Image*, float, float, const Matrix3&, const Rect&, const Color&, int32_t, const Rect&, bool) {}
void Image::BlitTrianglesTex(Image*, const TriVertex*, int32_t, const Rect&, const Color&, int32_t, float, float,
                             bool) {}
void Image::BlitMirror(Image*, int32_t, int32_t, const Rect&, const Color&, int32_t) {}
void Image::StretchBlitMirror(Image*, const Rect&, const Rect&, const Rect&, const Color&, int32_t, bool) {}

}  // namespace Plix
