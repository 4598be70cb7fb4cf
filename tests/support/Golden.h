#pragma once
// Comparison of a window's picture with a small golden image kept beside
// the test. PLIX_UPDATE_GOLDEN=1 rewrites the golden image instead.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "framework/platform/SdlWindow.h"
#include "framework/resources/ImageLib.h"
#include "tests/support/TestSupport.h"

namespace Plix::Testing {

inline bool UpdatingGolden() {
  const char* v = std::getenv("PLIX_UPDATE_GOLDEN");
  return v && *v == '1';
}

// `golden` is relative to the source folder ("tests/widget/golden/x.png").
// On a difference the actual picture is written to the build folder.
inline void ExpectMatchesGolden(const std::string& golden, const std::vector<uint32_t>& pixels, int w,
                                int h) {
  const std::string path = SourceDir() + "/" + golden;
  auto actual = ImageLib::CreateImage(w, h);
  std::copy(pixels.begin(), pixels.end(), actual->mBits);
  if (UpdatingGolden()) {
    EXPECT_TRUE(ImageLib::WritePNGImage(path, actual.get())) << path;
    return;
  }
  auto expected = ImageLib::LoadImageFile(path, false);
  ASSERT_TRUE(expected) << "missing " << path << " (PLIX_UPDATE_GOLDEN=1 writes it)";
  ASSERT_EQ(expected->GetWidth(), w) << path;
  ASSERT_EQ(expected->GetHeight(), h) << path;
  int differing = 0;
  for (int i = 0; i < w * h; ++i) differing += expected->mBits[i] != pixels[static_cast<size_t>(i)];
  if (differing) {
    std::string name = golden.substr(golden.rfind('/') + 1);
    name = name.substr(0, name.rfind('.'));
    const std::string out = BinaryDir() + "/" + name + "-actual.png";
    ImageLib::WritePNGImage(out, actual.get());
    ADD_FAILURE() << golden << ": " << differing << " pixels differ; the window's picture is in " << out;
  }
}

// Compares what the window presented last, which must be width x height,
// with the golden image (alpha ignored). `shot` (when given) receives the
// picture, opaque.
inline void ExpectPresentedMatchesGolden(SdlWindow& window, int width, int height, const std::string& golden,
                                         std::vector<uint32_t>* shot = nullptr) {
  std::vector<uint32_t> pixels;
  int w = 0, h = 0;
  ASSERT_TRUE(window.ReadPresentedPixels(pixels, w, h));
  ASSERT_EQ(w, width);
  ASSERT_EQ(h, height);
  for (uint32_t& p : pixels) p |= 0xFF000000u;
  ExpectMatchesGolden(golden, pixels, w, h);
  if (shot) *shot = std::move(pixels);
}

}  // namespace Plix::Testing
