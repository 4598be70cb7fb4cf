#include <gtest/gtest.h>

#include "framework/graphics/Font.h"
#include "framework/graphics/Graphics.h"
#include "framework/graphics/MemoryImage.h"

namespace Plix {
namespace {

// Every character is 10 pixels wide; draws are recorded, not made.
class RecordingFont : public Font {
public:
  struct Call {
    std::wstring text;
    int x, y;
    Color color;
  };
  std::vector<Call> mCalls;

  RecordingFont() {
    mAscent = 8;
    mHeight = 12;
    mLineSpacingOffset = 2;  // lines 14 apart, descent 4
  }
  int StringWidth(const std::wstring& text) override { return 10 * static_cast<int>(text.size()); }
  void DrawString(Graphics*, int x, int y, const std::wstring& text, const Color& color, const Rect&) override {
    if (!text.empty()) mCalls.push_back({text, x, y, color});
  }
  Font* Duplicate() override { return new RecordingFont(*this); }
};

class GraphicsTextTest : public ::testing::Test {
protected:
  MemoryImage mImage;
  RecordingFont mFont;
  std::unique_ptr<Graphics> mG;
  const Color mStart{10, 20, 30, 128};

  void SetUp() override {
    mImage.Create(300, 300);
    mG = std::make_unique<Graphics>(&mImage);
    mG->SetFont(&mFont);
    mG->SetColor(mStart);
  }
  std::vector<std::wstring> Texts() const {
    std::vector<std::wstring> out;
    for (const auto& c : mFont.mCalls) out.push_back(c.text);
    return out;
  }
};

TEST_F(GraphicsTextTest, ColourCodes) {
  struct Case {
    const wchar_t* text;
    std::vector<std::wstring> runs;
    std::vector<Color> colors;
    int width;
    Color after;
  };
  const Color red(255, 0, 0, 128), black(0, 0, 0, 128), green(0, 255, 0, 128);
  const Case cases[] = {
      {L"a^FF0000^b", {L"a", L"b"}, {mStart, red}, 20, red},
      {L"^^", {L"^"}, {mStart}, 10, mStart},
      {L"a^^b", {L"a^b"}, {mStart}, 30, mStart},
      {L"ab^FF", {L"ab"}, {mStart}, 20, mStart},
      {L"x^oldclr^y", {L"x", L"y"}, {mStart, Color(10, 20, 30, 128)}, 20, mStart},
      {L"^oops!!^z", {L"z"}, {black}, 10, black},
      {L"^00ff00!g", {L"g"}, {green}, 10, green},
      {L"^GG00FF^q", {L"q"}, {Color(0, 0, 255, 128)}, 10, Color(0, 0, 255, 128)},
      {L"^FF0000^", {}, {}, 0, red},
  };
  for (const auto& c : cases) {
    mFont.mCalls.clear();
    mG->SetColor(mStart);
    EXPECT_EQ(mG->WriteString(c.text, 5, 7), c.width) << c.text;
    ASSERT_EQ(Texts(), c.runs) << c.text;
    for (size_t i = 0; i < c.runs.size(); ++i) EXPECT_EQ(mFont.mCalls[i].color, c.colors[i]) << c.text << i;
    EXPECT_EQ(mG->GetColor(), c.after) << c.text;
  }
  // Runs are placed one after the other, on the baseline given.
  mFont.mCalls.clear();
  mG->WriteString(L"ab^FF0000^cd", 5, 7);
  ASSERT_EQ(mFont.mCalls.size(), 2u);
  EXPECT_EQ(mFont.mCalls[1].x, 25);
  EXPECT_EQ(mFont.mCalls[1].y, 7);
}

TEST_F(GraphicsTextTest, WriteStringOptions) {
  // The old colour given stands for "^oldclr^".
  mG->WriteString(L"x^oldclr^y", 0, 0, -1, -1, true, 0, -1, 0x00123456);
  EXPECT_EQ(mFont.mCalls.back().color, Color(0x12, 0x34, 0x56, 128));

  // A measuring call draws nothing and changes no colour.
  mFont.mCalls.clear();
  mG->SetColor(mStart);
  EXPECT_EQ(mG->WriteString(L"a^FF0000^bc", 0, 0, -1, -1, false), 30);
  EXPECT_TRUE(mFont.mCalls.empty());
  EXPECT_EQ(mG->GetColor(), mStart);

  // Start index and length pick a part; colour codes off draw carets.
  EXPECT_EQ(mG->WriteString(L"abcdef", 0, 0, -1, -1, true, 2, 3), 30);
  EXPECT_EQ(mFont.mCalls.back().text, L"cde");
  EXPECT_EQ(mG->WriteString(L"abcdef", 0, 0, -1, -1, true, 4, 10), 20);
  mG->mWriteColoredString = false;
  EXPECT_EQ(mG->WriteString(L"a^FF0000^b", 0, 0), 100);

  // Justification: 0 centres, 1 right-aligns, anything else is left.
  const std::pair<int, int> just[] = {{0, 30}, {1, 60}, {-1, 0}, {2, 0}};
  for (const auto& [j, dx] : just) {
    mG->WriteString(L"abcd", 0, 0, 100, j);
    EXPECT_EQ(mFont.mCalls.back().x, dx) << j;
  }
}

struct WrapCase {
  const wchar_t* text;
  int width;
  int limit;
  std::vector<std::wstring> lines;
  std::vector<int> ys;  // of each drawn line
  int height;
};

TEST_F(GraphicsTextTest, WordWrapping) {
  // Lines start at the rectangle's top + ascent (8) and step 14; the height
  // reaches the descent (4) of the last line.
  const WrapCase cases[] = {
      {L"aaa bbb", 60, -1, {L"aaa", L"bbb"}, {15, 29}, 26},
      {L"aaa bbb", 200, -1, {L"aaa bbb"}, {15}, 12},
      {L"abcdefgh", 35, -1, {L"abc", L"def", L"gh"}, {15, 29, 43}, 40},
      {L"a\n\nb", 100, -1, {L"a", L"b"}, {15, 43}, 40},
      {L"a\n", 100, -1, {L"a"}, {15}, 26},
      {L"aa   bb", 30, -1, {L"aa ", L"bb"}, {15, 29}, 26},
      {L"abcdef", 200, 3, {L"abc"}, {15}, 12},
      {L"abcdefgh", 35, 4, {L"abc", L"d"}, {15, 29}, 26},
      {L"ab ^FF0000^cd ef", 40, -1, {L"ab", L"cd", L"ef"}, {15, 29, 43}, 40},
      {L"", 50, -1, {}, {}, -2},
  };
  for (const auto& c : cases) {
    mFont.mCalls.clear();
    mG->SetColor(mStart);
    EXPECT_EQ(mG->DrawWordWrapped(Rect(5, 7, c.width, 100), c.text, -1, -1, c.limit), c.height) << c.text;
    EXPECT_EQ(Texts(), c.lines) << c.text;
    for (size_t i = 0; i < c.ys.size() && i < mFont.mCalls.size(); ++i) {
      EXPECT_EQ(mFont.mCalls[i].y, c.ys[i]) << c.text;
      EXPECT_EQ(mFont.mCalls[i].x, 5) << c.text;
    }
    EXPECT_EQ(mG->GetColor(), mStart) << c.text;  // codes do not outlast the call
    if (c.limit < 0) {
      EXPECT_EQ(mG->MeasureWordWrappedHeight(c.width, c.text, -1), c.height) << c.text;
    }
  }
}

TEST_F(GraphicsTextTest, WrappedLinesOutsideTheClipAreSkipped) {
  mG->SetClipRect(0, 20, 300, 100);
  EXPECT_EQ(mG->DrawWordWrapped(Rect(0, 0, 60, 100), L"aaa bbb ccc", 20, 0, -1), 8 + 4 + 40);
  // "aaa" lies above the clip but still takes its line; lines are centred.
  ASSERT_EQ(Texts(), (std::vector<std::wstring>{L"bbb", L"ccc"}));
  EXPECT_EQ(mFont.mCalls[0].y, 28);
  EXPECT_EQ(mFont.mCalls[0].x, 15);
}

// A broken font description can give metrics near the integer limits; the
// sums saturate instead of overflowing.
TEST_F(GraphicsTextTest, HugeMetricsSaturate) {
  class HugeFont : public RecordingFont {
  public:
    int StringWidth(const std::wstring& text) override { return text.empty() ? 0 : INT32_MAX; }
  } huge;
  huge.mHeight = INT32_MAX;
  huge.mLineSpacingOffset = INT32_MAX;
  mG->SetFont(&huge);
  EXPECT_EQ(mG->WriteString(L"a^FF0000^b", 0, 0), INT32_MAX);
  ASSERT_EQ(huge.mCalls.size(), 2u);
  EXPECT_EQ(huge.mCalls[1].x, INT32_MAX);
  EXPECT_EQ(mG->WriteString(L"ab", 0, 0, INT32_MIN, 1), INT32_MAX);
  EXPECT_EQ(mG->DrawWordWrapped(Rect(0, 0, 50, 50), L"a b c", -1, -1, -1), INT32_MAX);
}

TEST_F(GraphicsTextTest, DrawStringNeedsAFont) {
  mG->DrawString(L"abc", 3, 4);
  ASSERT_EQ(mFont.mCalls.size(), 1u);
  EXPECT_EQ(mFont.mCalls[0].x, 3);
  mG->SetFont(nullptr);
  mG->DrawString(L"abc", 3, 4);
  EXPECT_EQ(mG->WriteString(L"abc", 0, 0), 0);
  EXPECT_EQ(mFont.mCalls.size(), 1u);
}

TEST_F(GraphicsTextTest, WrappedLinesNearTheIntLimitAreNotUndefined) {
  mG->Translate(0, 100);
  const Rect rect(0, INT32_MAX - 20, 25, 1000);
  mG->DrawWordWrapped(rect, L"aa bb cc");
  // No line wrapped round to the top.
  for (const auto& c : mFont.mCalls) EXPECT_GE(c.y, INT32_MAX - 20);
}

}  // namespace
}  // namespace Plix
