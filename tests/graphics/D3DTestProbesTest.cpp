#include "framework/graphics/D3DTestProbes.h"

#include <gtest/gtest.h>

#include <cstring>

namespace Plix {
namespace {

TEST(D3DTestProbes, ProbeAnswersNotPresent) {
  std::string driver = "old", description = "kept";
  uint8_t guid[16];
  std::memset(guid, 0xAB, sizeof guid);
  EXPECT_FALSE(ProbeD3D8Adapter(driver, description, guid));
  EXPECT_EQ(driver, "old");
  EXPECT_EQ(description, "kept");
  EXPECT_EQ(guid[7], 0xAB);
}

TEST(D3DTestProbes, ReadBack16) {
  // Two rows with a pitch wider than the pixels.
  uint16_t surface[2][3] = {{0xFFFF, 0xF800, 0x0000}, {0x07E0, 0x001F, 0x1234}};
  ReadBackSurface s{surface, 6, 0xF800, 0x07E0, 0x001F};
  uint32_t out[4];
  ReadBack16(out, 2, 2, s);
  EXPECT_EQ(out[0], 0xFFF8FCF8u);
  EXPECT_EQ(out[1], 0xFFF80000u);
  EXPECT_EQ(out[2], 0xFF00FC00u);
  EXPECT_EQ(out[3], 0xFF0000F8u);

  uint16_t x555 = 0x7FFF;
  ReadBackSurface s555{&x555, 2, 0x7C00, 0x03E0, 0x001F};
  ReadBack16(out, 1, 1, s555);
  EXPECT_EQ(out[0], 0xFFF8F8F8u);
}

TEST(D3DTestProbes, ReadBack32) {
  uint32_t surface[2] = {0x00123456, 0xAB654321};
  ReadBackSurface s{surface, 8, 0xFF0000, 0xFF00, 0xFF};
  uint32_t out[2];
  ReadBack32(out, 2, 1, s);
  EXPECT_EQ(out[0], 0xFF123456u);
  EXPECT_EQ(out[1], 0xFF654321u);
  // Masks in another order land on their own bytes.
  ReadBackSurface bgr{surface, 8, 0xFF, 0xFF00, 0xFF0000};
  ReadBack32(out, 1, 1, bgr);
  EXPECT_EQ(out[0], 0xFF563412u);
}

}  // namespace
}  // namespace Plix
