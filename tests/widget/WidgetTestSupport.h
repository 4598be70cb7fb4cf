#pragma once
// Fixtures of the control tests: a font with fixed character widths that
// logs what it draws, solid images and pixel reads.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "framework/graphics/Font.h"
#include "framework/graphics/Graphics.h"
#include "framework/graphics/MemoryImage.h"
#include "framework/util/Utilities.h"

namespace Plix::Testing {

// Every character 10 pixels wide, 'W' 40, DEL (127) and 1 none; height 16,
// ascent 12. Draws nothing but logs "text x,y" (translated x and y).
class TestFont : public Font {
public:
  std::vector<std::string>* mLog = nullptr;

  TestFont() {
    mAscent = 12;
    mHeight = 16;
  }

  static int Width(wchar_t c) { return c == L'W' ? 40 : (c == 127 || c == 1) ? 0 : 10; }

  int StringWidth(const std::wstring& text) override {
    int width = 0;
    for (wchar_t c : text) width += Width(c);
    return width;
  }
  void DrawString(Graphics* g, int x, int y, const std::wstring& text, const Color& color,
                  const Rect& clip) override {
    if (mLog == nullptr) return;
    mLog->push_back(WStringToString(text) + " " + std::to_string(x + static_cast<int>(g->mTransX)) + "," +
                    std::to_string(y + static_cast<int>(g->mTransY)) + " " + std::to_string(color.mRed) + "," +
                    std::to_string(color.mGreen) + "," + std::to_string(color.mBlue));
  }
  Font* Duplicate() override { return new TestFont(*this); }
};

inline std::unique_ptr<MemoryImage> SolidImage(int width, int height, uint32_t argb) {
  auto image = std::make_unique<MemoryImage>();
  image->Create(width, height);
  uint32_t* bits = image->GetBits();
  for (int i = 0; i < width * height; ++i) bits[i] = argb;
  image->OnBitsChanged();
  return image;
}

// The pixel as 0xRRGGBB (alpha dropped).
inline uint32_t PixelAt(MemoryImage& image, int x, int y) {
  return image.GetBits()[y * image.GetWidth() + x] & 0xFFFFFF;
}

// Blending of opaque pixels may round a channel by one or two.
inline ::testing::AssertionResult PixelNear(MemoryImage& image, int x, int y, uint32_t rgb) {
  uint32_t pixel = PixelAt(image, x, y);
  for (int shift : {0, 8, 16}) {
    int have = static_cast<int>((pixel >> shift) & 0xFF), want = static_cast<int>((rgb >> shift) & 0xFF);
    if (std::abs(have - want) > 2)
      return ::testing::AssertionFailure() << "pixel (" << x << ", " << y << ") is " << std::hex << pixel
                                           << ", not " << rgb;
  }
  return ::testing::AssertionSuccess();
}

}  // namespace Plix::Testing
