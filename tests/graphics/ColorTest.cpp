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

}  // namespace Plix
