#pragma once
// Integer and double rectangles (x, y, width, height) and a two-word point.
#include <algorithm>
#include <cstdint>
#include <type_traits>

namespace Plix {

struct Point {
  int32_t mX = 0;
  int32_t mY = 0;

  constexpr Point() = default;
  constexpr Point(int32_t x, int32_t y) : mX(x), mY(y) {}
  constexpr bool operator==(const Point&) const = default;
};

template <typename T>
struct TRect {
  T mX = 0;
  T mY = 0;
  T mWidth = 0;
  T mHeight = 0;

  constexpr TRect() = default;
  constexpr TRect(T x, T y, T width, T height) : mX(x), mY(y), mWidth(width), mHeight(height) {}
  constexpr bool operator==(const TRect&) const = default;

  // The overlap of two rectangles. One that only touches keeps its edge
  // position with a width or height of 0; no overlap at all is (0, 0, 0, 0).
  // Integer edges are summed in 64 bits so that no input can overflow.
  constexpr TRect Intersection(const TRect& o) const {
    using W = std::conditional_t<std::is_integral_v<T>, int64_t, T>;
    W x = std::max<W>(mX, o.mX);
    W width = std::min<W>(W(mX) + mWidth, W(o.mX) + o.mWidth) - x;
    if (width < 0) return TRect();
    W y = std::max<W>(mY, o.mY);
    W height = std::min<W>(W(mY) + mHeight, W(o.mY) + o.mHeight) - y;
    if (height < 0) return TRect();
    return TRect(T(x), T(y), T(width), T(height));
  }
};

using Rect = TRect<int32_t>;
using FRect = TRect<double>;

}  // namespace Plix
