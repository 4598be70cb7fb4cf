#pragma once
// An RGBA colour with four signed channels holding 0..255. Nothing clamps:
// a channel out of range carries its excess into its neighbour when packed.
#include <cstdint>

namespace Plix {

class Color {
public:
  int32_t mRed = 0;
  int32_t mGreen = 0;
  int32_t mBlue = 0;
  int32_t mAlpha = 255;

  static const Color White;
  static const Color Black;

  constexpr Color() = default;
  constexpr Color(int32_t r, int32_t g, int32_t b) : mRed(r), mGreen(g), mBlue(b) {}
  constexpr Color(int32_t r, int32_t g, int32_t b, int32_t a) : mRed(r), mGreen(g), mBlue(b), mAlpha(a) {}

  static constexpr Color ColorRgb(int32_t r, int32_t g, int32_t b) { return Color(r, g, b); }
  static constexpr Color ColorRgba(int32_t r, int32_t g, int32_t b, int32_t a) { return Color(r, g, b, a); }
  // Packed 0xAARRGGBB; an alpha byte of 0 reads as opaque, so a packed
  // value can never be fully transparent.
  static constexpr Color ColorFromInt(uint32_t argb) {
    int32_t a = static_cast<int32_t>((argb >> 24) & 0xFF);
    return Color(static_cast<int32_t>((argb >> 16) & 0xFF), static_cast<int32_t>((argb >> 8) & 0xFF),
                 static_cast<int32_t>(argb & 0xFF), a == 0 ? 255 : a);
  }
  static constexpr Color ColorOpaqueCopy(const Color& c) { return Color(c.mRed, c.mGreen, c.mBlue, 255); }

  constexpr int32_t GetRed() const { return mRed; }
  constexpr int32_t GetGreen() const { return mGreen; }
  constexpr int32_t GetBlue() const { return mBlue; }
  constexpr int32_t GetAlpha() const { return mAlpha; }

  // Channels as stored, without masking.
  constexpr uint32_t ToInt() const {
    return (static_cast<uint32_t>(mAlpha) << 24) | (static_cast<uint32_t>(mRed) << 16) |
           (static_cast<uint32_t>(mGreen) << 8) | static_cast<uint32_t>(mBlue);
  }

  constexpr bool IsWhite() const { return mRed == 255 && mGreen == 255 && mBlue == 255 && mAlpha == 255; }
  constexpr bool NotEqual(const Color& o) const {
    return mRed != o.mRed || mGreen != o.mGreen || mBlue != o.mBlue || mAlpha != o.mAlpha;
  }
  constexpr bool operator==(const Color& o) const { return !NotEqual(o); }
};

inline const Color Color::White{255, 255, 255, 255};
inline const Color Color::Black{0, 0, 0, 255};

}  // namespace Plix
