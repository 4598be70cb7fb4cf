#include "framework/graphics/Color.h"

#include <gtest/gtest.h>

namespace Plix {

TEST(Color, Packing) {
  struct Case {
    uint32_t packed;
    Color expect;
  } cases[] = {
      {0x00000000u, Color(0, 0, 0, 255)},      {0xFFFFFFFFu, Color(255, 255, 255, 255)},
      {0x00FF0000u, Color(255, 0, 0, 255)},    {0x80FF0000u, Color(255, 0, 0, 128)},
      {0x01020304u, Color(2, 3, 4, 1)},
  };
  for (const auto& c : cases) {
    Color got = Color::ColorFromInt(c.packed);
    EXPECT_FALSE(got.NotEqual(c.expect)) << std::hex << c.packed;
  }
  EXPECT_EQ(Color().ToInt(), 0xFF000000u);
  EXPECT_EQ(Color::ColorRgba(1, 2, 3, 0).ToInt(), 0x00010203u);
  // Unclamped channels spill into their neighbours.
  EXPECT_EQ(Color::ColorRgba(256, 0, 0, 0).ToInt(), 0x01000000u);
}

TEST(Color, WhiteAndEquality) {
  EXPECT_TRUE(Color::ColorFromInt(0xFFFFFFFFu).IsWhite());
  EXPECT_TRUE(Color::White.IsWhite());
  EXPECT_FALSE(Color(255, 255, 255, 254).IsWhite());
  EXPECT_TRUE(Color(1, 2, 3, 4).NotEqual(Color(1, 2, 3, 5)));
  EXPECT_FALSE(Color::Black.NotEqual(Color()));
  Color opaque = Color::ColorOpaqueCopy(Color(9, 8, 7, 6));
  EXPECT_EQ(opaque.ToInt(), 0xFF090807u);
}

TEST(Color, BuildersAndRoundTrip) {
  Color rgb = Color::ColorRgb(10, 20, 30);
  EXPECT_EQ(rgb.ToInt(), 0xFF0A141Eu);
  EXPECT_EQ(rgb.GetBlue(), 30);
  // Packing and reading back are inverse while alpha is not 0; alpha 0
  // comes back opaque.
  struct Case {
    Color c;
    uint32_t packed;
    Color back;
  } cases[] = {
      {Color(1, 2, 3, 4), 0x04010203u, Color(1, 2, 3, 4)},
      {Color(255, 128, 0, 255), 0xFFFF8000u, Color(255, 128, 0, 255)},
      {Color(9, 8, 7, 0), 0x00090807u, Color(9, 8, 7, 255)},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(c.c.ToInt(), c.packed);
    EXPECT_FALSE(Color::ColorFromInt(c.packed).NotEqual(c.back)) << std::hex << c.packed;
  }
}

}  // namespace Plix
