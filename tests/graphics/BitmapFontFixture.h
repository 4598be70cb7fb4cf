#pragma once
// A tiny bitmap font made in the test itself: glyphs rasterised from the
// DejaVu Sans file of fonts-dejavu-core into a strip of white glyphs with
// coverage alpha, and a description script that cuts them out, with a
// half-transparent shadow layer under the glyphs.
#include <cstdint>
#include <string>
#include <vector>

#include "framework/platform/FontEngine.h"
#include "tests/support/TestSupport.h"

namespace Plix::Testing {

inline constexpr const char* kDejaVuSans = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";

struct BitmapFontFixture {
  std::string mScriptPath;  // the description
  std::string mImagePath;   // where the host must serve the strip from
  int mWidth = 0;
  int mHeight = 0;
  std::vector<uint32_t> mPixels;  // the strip, 0xAARRGGBB
};

// Letters and digits only (each becomes a one-character quoted string).
inline BitmapFontFixture MakeBitmapFontFixture(const std::string& dir, const std::string& chars, int pixelHeight) {
  BitmapFontFixture f;
  f.mScriptPath = dir + "/fixture.txt";
  f.mImagePath = dir + "/fixture.png";
  PinFontFile(kDejaVuSans);
  auto face = FontFace::Create("Arial", pixelHeight, false, false, false);
  PinFontFile("");
  if (!face) return f;

  std::vector<int> widths;
  for (char c : chars) widths.push_back(face->StringWidth(std::wstring(1, static_cast<wchar_t>(c))));
  for (int w : widths) f.mWidth += w;
  f.mHeight = face->Height();
  std::vector<uint8_t> cover(static_cast<size_t>(f.mWidth * f.mHeight), 0);
  std::string charList, rectList, widthList;
  int x = 0;
  for (size_t i = 0; i < chars.size(); ++i) {
    face->Render(std::wstring(1, static_cast<wchar_t>(chars[i])), x, face->Ascent(), cover.data(), f.mWidth,
                 f.mHeight);
    charList += std::string(" '") + chars[i] + "'";
    rectList += " (" + std::to_string(x) + " 0 " + std::to_string(widths[i]) + " " + std::to_string(f.mHeight) + ")";
    widthList += " " + std::to_string(widths[i]);
    x += widths[i];
  }
  f.mPixels.resize(cover.size());
  for (size_t i = 0; i < cover.size(); ++i) f.mPixels[i] = (static_cast<uint32_t>(cover[i]) << 24) | 0x00FFFFFFu;

  const std::string script =
      "# Rasterised from DejaVu Sans by the test.\n"
      "SetDefaultPointSize 12;\n"
      "Define Chars (" + charList + " ' ');\n"
      "CreateLayer Main;\n"
      "LayerSetImage Main 'fixture.png';\n"
      "LayerSetAscent Main " + std::to_string(face->Ascent()) + ";\n"
      "LayerSetImageMap Main (" + charList + ") (" + rectList + ");\n"
      "LayerSetCharWidths Main Chars (" + widthList + " " + std::to_string(face->StringWidth(L" ")) + ");\n"
      "CreateLayerFrom Shadow Main;\n"
      "LayerSetColorMult Shadow (0 0 0 0.5);\n"
      "LayerSetOffset Shadow (1 1);\n"
      "LayerSetBaseOrder Shadow -1;\n";
  WriteFile(f.mScriptPath, script);
  return f;
}

}  // namespace Plix::Testing
