#include "framework/graphics/Font.h"

#include <gtest/gtest.h>

namespace Plix {
namespace {

// The base class's bodies, with widths from a table.
class TableFont : public Font {
public:
  int StringWidth(const std::wstring& text) override {
    int w = 0;
    for (wchar_t c : text) w += c == L'i' ? 3 : 7;
    return w;
  }
  Font* Duplicate() override { return new TableFont(*this); }
};

TEST(Font, MetricsAndCharacterWidths) {
  TableFont font;
  EXPECT_EQ(font.GetHeight(), 0);
  font.mHeight = 20;
  font.mAscent = 15;
  font.mLineSpacingOffset = -2;
  font.mAscentPadding = 3;
  EXPECT_EQ(font.GetDescent(), 5);
  EXPECT_EQ(font.GetLineSpacing(), 18);
  EXPECT_EQ(font.GetLineSpacingOffset(), -2);
  EXPECT_EQ(font.GetAscentPadding(), 3);
  EXPECT_EQ(font.CharWidth(L'i'), 3);
  // No kerning against the previous character.
  EXPECT_EQ(font.CharWidthKern(L'w', L'i'), font.CharWidthKern(L'w', L'A'));
  // Metrics near the limits saturate.
  TableFont extreme;
  extreme.mHeight = INT32_MAX;
  extreme.mLineSpacingOffset = 7;
  extreme.mAscent = -5;
  EXPECT_EQ(extreme.GetLineSpacing(), INT32_MAX);
  EXPECT_EQ(extreme.GetDescent(), INT32_MAX);
  std::unique_ptr<Font> copy(font.Duplicate());
  EXPECT_EQ(copy->GetLineSpacing(), 18);
  EXPECT_EQ(copy->GetAscentPadding(), 3);
}

}  // namespace
}  // namespace Plix
