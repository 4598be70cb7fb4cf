#include "framework/platform/FontEngine.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace Plix {
namespace {

TEST(FontEngine, FaceNamesMapToFreeFaces) {
  const std::pair<const char*, const char*> cases[] = {
      {"Arial", "DejaVu Sans"},           {"arial unicode ms", "DejaVu Sans"},
      {"TAHOMA", "DejaVu Sans"},          {"Courier New", "DejaVu Sans Mono"},
      {"DejaVu Serif", "DejaVu Serif"},
  };
  for (const auto& [in, out] : cases) EXPECT_EQ(FontFace::MapFaceName(in), out) << in;

  // Through fontconfig, without a pinned file.
  auto sans = FontFace::Create("Arial", 16, false, false, false);
  ASSERT_NE(sans, nullptr);
  EXPECT_NE(sans->FilePath().find("DejaVuSans.ttf"), std::string::npos) << sans->FilePath();
  auto mono = FontFace::Create("Courier New", 16, true, false, false);
  ASSERT_NE(mono, nullptr);
  EXPECT_NE(mono->FilePath().find("DejaVuSansMono-Bold"), std::string::npos) << mono->FilePath();
  EXPECT_EQ(FontFace::Create("Arial", 0, false, false, false), nullptr);
}

TEST(FontEngine, RenderedCoverageSitsOnTheBaseline) {
  PinFontFile("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf");
  auto face = FontFace::Create("Arial", 16, false, false, true);
  PinFontFile("");
  ASSERT_NE(face, nullptr);
  const int w = face->StringWidth(L"I") + 4, h = face->Height();
  std::vector<uint8_t> cov(static_cast<size_t>(w * h), 0);
  face->Render(L"I", 2, face->Ascent(), cov.data(), w, h);
  // "I" is a solid bar from the cap height down to the baseline; the
  // underline lies below the baseline.
  int solidRows = 0;
  for (int y = 0; y < face->Ascent(); ++y) {
    int rowMax = 0;
    for (int x = 0; x < w; ++x) rowMax = std::max<int>(rowMax, cov[y * w + x]);
    if (rowMax == 255) ++solidRows;
  }
  EXPECT_GE(solidRows, 10);
  int underline = 0;
  for (int y = face->Ascent(); y < h; ++y)
    if (cov[y * w + 3] == 255) ++underline;
  EXPECT_GE(underline, 1);
  // Drawing off the bitmap is clipped, not written.
  face->Render(L"WWWW", -100, 1000, cov.data(), w, h);
}

}  // namespace
}  // namespace Plix
