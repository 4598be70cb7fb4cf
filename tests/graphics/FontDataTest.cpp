#include "framework/graphics/FontData.h"

#include <gtest/gtest.h>

#include "tests/graphics/FontTestHost.h"
#include "tests/support/TestSupport.h"

namespace Plix {
namespace {

class FontDataTest : public ::testing::Test {
protected:
  Testing::TempDir mDir;
  Testing::FontTestHost mHost;
  std::unique_ptr<FontData> mData;

  // Loads a script written to fonts/test.txt; the result of the reading.
  bool Load(const std::string& script, GraphicsHost* app) {
    Testing::WriteFile(mDir / "fonts/test.txt", script);
    mData = std::make_unique<FontData>();
    EXPECT_TRUE(mData->Load(app, Path()));
    return mData->mInitialized;
  }
  bool Load(const std::string& script) { return Load(script, &mHost); }
  std::string Path() { return mDir / "fonts/test.txt"; }
  FontLayer& Layer(const char* name) { return *mData->mFontLayerMap.at(name); }
  std::string Defined(const char* name) {
    DataElement* e = mData->Dereference(name);
    return e ? DescParser::DataElementToString(e) : "<none>";
  }
};

// Every command with one parameter too many and one too few.
TEST_F(FontDataTest, ParameterCounts) {
  const std::pair<const char*, int> commands[] = {
      {"Define", 2},           {"CreateHorzSpanRectList", 3}, {"SetDefaultPointSize", 1},
      {"SetCharMap", 2},       {"CreateLayer", 1},            {"CreateLayerFrom", 2},
      {"LayerRequireTags", 2}, {"LayerExcludeTags", 2},       {"LayerPointRange", 3},
      {"LayerSetPointSize", 2}, {"LayerSetHeight", 2},        {"LayerSetImage", 2},
      {"LayerSetDrawMode", 2}, {"LayerSetColorMult", 2},      {"LayerSetColorAdd", 2},
      {"LayerSetAscent", 2},   {"LayerSetAscentPadding", 2},  {"LayerSetLineSpacingOffset", 2},
      {"LayerSetOffset", 2},   {"LayerSetCharWidths", 3},     {"LayerSetSpacing", 2},
      {"LayerSetImageMap", 3}, {"LayerSetCharOffsets", 3},    {"LayerSetKerningPairs", 3},
      {"LayerSetBaseOrder", 2}, {"LayerSetCharOrders", 3},
  };
  for (const auto& [cmd, count] : commands) {
    for (int n : {count - 1, count + 1}) {
      std::string line = std::string("CreateLayer Main;\n") + cmd;
      for (int i = 0; i < n; ++i) line += " Main";
      EXPECT_FALSE(Load(line + ";")) << line;
      EXPECT_NE(mData->mError.find("Invalid Number of Parameters"), std::string::npos) << line;
    }
  }
}

struct ErrorCase {
  const char* script;  // after "CreateLayer Main;"
  const char* error;
};

TEST_F(FontDataTest, ErrorTexts) {
  mHost.AddImage(mDir / "fonts/glyphs.png", 20, 10);
  const ErrorCase cases[] = {
      {"Frobnicate 1;", "Unknown Command"},
      {"CreateLayer (A);", "Invalid Paramater Type"},
      {"LayerSetAscent Main x;", "Invalid Paramater Type"},
      {"LayerSetAscent Main (1);", "Invalid Paramater Type"},
      {"LayerSetAscent Main 1.5;", "Invalid Paramater Type"},
      {"LayerSetAscent (Main) 1;", "Invalid Paramater Type"},
      {"SetDefaultPointSize '12';", "Invalid Paramater Type"},
      {"LayerPointRange Main 1 x;", "Invalid Paramater Type"},
      {"LayerSetOffset Main (1 2 3);", "Invalid Paramater Type"},
      {"LayerSetOffset Main 1;", "Unable to Dereference \"1\""},
      {"LayerSetOffset Main 1;", "Invalid Paramater Type"},
      {"LayerSetColorMult Main (1 1 1);", "Invalid Paramater Type"},
      {"LayerSetColorAdd Main red;", "Invalid Paramater Type"},
      {"SetCharMap ('a' 'b') ('c');", "List Size Mismatch"},
      {"SetCharMap ('ab') ('c');", "Invalid Paramater Type"},
      {"LayerSetCharWidths Main ('a' 'b') (1);", "List Size Mismatch"},
      {"LayerSetCharWidths Main ('a') (x);", "Invalid Paramater Type"},
      {"LayerSetCharOrders Main ('a' '') (1 2);", "Invalid Paramater Type"},
      {"LayerSetKerningPairs Main ('a') (1);", "Invalid Paramater Type"},
      {"LayerSetKerningPairs Main ('abc') (1);", "Invalid Paramater Type"},
      {"LayerSetCharOffsets Main ('a') ((1 2 3));", "Invalid Paramater Type"},
      {"LayerSetCharOffsets Main ('a') (1 2);", "Invalid Paramater Type"},
      {"LayerSetImage Main 'missing.png';", "Failed to Load Image"},
      {"LayerSetImageMap Main ('a') ((0 0 1 1));", "Layer image not set"},
      {"LayerSetImage Main 'glyphs.png'; LayerSetImageMap Main ('a' 'b') ((0 0 20 10) (1 0 20 10));",
       "Image rectangle out of bounds"},
      {"LayerSetImage Main 'glyphs.png'; LayerSetImageMap Main ('a') ((0 1 5 10));",
       "Image rectangle out of bounds"},
      {"LayerSetImage Main 'glyphs.png'; LayerSetImageMap Main ('a') ((-1 0 5 5));",
       "Image rectangle out of bounds"},
      {"LayerSetImage Main 'glyphs.png'; LayerSetImageMap Main ('a') ((5 0 -3 5));",
       "Image rectangle out of bounds"},
      {"Define 1abc 5;", "Invalid Paramater Type"},
      {"Define 'abc' 5;", "Invalid Paramater Type"},
      {"Define X (a b);", "Unable to Dereference \"a\""},
      {"CreateHorzSpanRectList R (0 0 5) (1 2);", "Invalid Paramater Type"},
      {"LayerSetCharWidths Main Undefined (1);", "Unable to Dereference \"Undefined\""},
  };
  for (const auto& c : cases) {
    mHost.mErrors.clear();
    EXPECT_FALSE(Load(std::string("CreateLayer Main;\n") + c.script)) << c.script;
    // A value that names nothing reports the dereference first.
    bool found = false;
    for (const auto& e : mHost.mErrors) found = found || e.find(c.error) != std::string::npos;
    EXPECT_TRUE(found) << c.script << ": " << (mHost.mErrors.empty() ? "" : mHost.mErrors.back());
  }
}

TEST_F(FontDataTest, MessageNamesFileAndLine) {
  EXPECT_FALSE(Load("CreateLayer Main;\n\n# note\nLayerSetAscent Main\n  x;\nCreateLayer Other;"));
  ASSERT_EQ(mHost.mErrors.size(), 1u);
  EXPECT_EQ(mHost.mErrors[0], "Font Descriptor Error in " + Path() +
                                  "\r\nInvalid Paramater Type on Line 4:\r\n\r\nLayerSetAscent Main\nx");
  EXPECT_EQ(mData->mFontLayerMap.count("OTHER"), 0u);  // reading stopped
}

TEST_F(FontDataTest, UndefinedLayerReportsTwice) {
  EXPECT_FALSE(Load("LayerSetAscent Nope 3;"));
  ASSERT_EQ(mHost.mErrors.size(), 2u);
  EXPECT_NE(mHost.mErrors[0].find("Undefined Layer"), std::string::npos);
  EXPECT_NE(mHost.mErrors[1].find("Invalid Paramater Type"), std::string::npos);
}

TEST_F(FontDataTest, ExistingLayerIsReportedAndReadingGoesOn) {
  EXPECT_TRUE(Load("CreateLayer Main;\nCreateLayer main;\nLayerSetAscent Main 7;"));
  ASSERT_EQ(mHost.mErrors.size(), 1u);
  EXPECT_NE(mHost.mErrors[0].find("Layer Already Exists on Line 2"), std::string::npos);
  EXPECT_EQ(mData->mFontLayerList.size(), 1u);
  EXPECT_EQ(Layer("MAIN").mAscent, 7);
}

TEST_F(FontDataTest, WithoutApplicationErrorsAreSilent) {
  EXPECT_FALSE(Load("Frobnicate;", nullptr));
  EXPECT_TRUE(mHost.mErrors.empty());
  EXPECT_NE(mData->mError.find("Unknown Command"), std::string::npos);
}

TEST_F(FontDataTest, LoadsOnce) {
  EXPECT_TRUE(Load("CreateLayer Main;"));
  EXPECT_FALSE(mData->Load(&mHost, Path()));
  EXPECT_EQ(mData->mFontLayerList.size(), 1u);
}

TEST_F(FontDataTest, CommandsFillTheLayers) {
  mHost.AddImage(mDir / "img/glyphs.png", 30, 12);
  ASSERT_TRUE(Load(
      "Define Chars ('a' 'b');\n"
      "Define Img '../img/glyphs.png';\n"
      "CreateHorzSpanRectList Rects (0 1 0 10) (5 7);\n"
      "SetDefaultPointSize 12;\n"
      "SetCharMap ('A' 'B') ('a' 'b');\n"
      "createlayer Main;\n"
      "LayerRequireTags Main ('bold' 'Shadow');\n"
      "LayerExcludeTags Main ('small');\n"
      "LayerPointRange Main 10 -1;\n"
      "LayerSetPointSize Main 16;\n"
      "LayerSetHeight Main 14;\n"
      "layersetimage Main Img;\n"
      "LayerSetDrawMode Main 1;\n"
      "LayerSetColorMult Main (1 0.5 0 1);\n"
      "LayerSetColorAdd Main 0x00FF0000;\n"
      "LayerSetAscent Main 11;\n"
      "LayerSetAscentPadding Main 2;\n"
      "LayerSetLineSpacingOffset Main -3;\n"
      "LayerSetOffset Main (4 -5);\n"
      "LayerSetCharOffsets Main Chars ((1 2) (3 4));\n"
      "LayerSetImageMap Main Chars Rects;\n"
      "LayerSetCharWidths Main Chars (6 8);\n"
      "LayerSetSpacing Main 1;\n"
      "LayerSetKerningPairs Main ('ab' 'ba') (-3 0x7f);\n"
      "LayerSetBaseOrder Main -2;\n"
      "LayerSetCharOrders Main ('b') (9);\n"
      "CreateLayerFrom Copy Main;\n"))
      << mData->mError;
  EXPECT_TRUE(mHost.mErrors.empty());
  EXPECT_EQ(Defined("rects"), "((0, 1, 5, 10), (5, 1, 7, 10))");
  EXPECT_EQ(Defined("CHARS"), "(a, b)");
  EXPECT_EQ(mData->mDefaultPointSize, 12);
  EXPECT_EQ(mData->mCharMap['A'], 'a');
  EXPECT_EQ(mData->mCharMap['C'], 'C');

  ASSERT_EQ(mHost.mRequested.size(), 1u);
  EXPECT_EQ(mHost.mRequested[0], mDir / "img/glyphs.png");

  const FontLayer& l = Layer("MAIN");
  EXPECT_EQ(l.mRequiredTags, (std::vector<std::string>{"BOLD", "SHADOW"}));
  EXPECT_EQ(l.mExcludedTags, (std::vector<std::string>{"SMALL"}));
  EXPECT_EQ(l.mMinPointSize, 10);
  EXPECT_EQ(l.mMaxPointSize, -1);
  EXPECT_EQ(l.mPointSize, 16);
  EXPECT_EQ(l.mHeight, 14);
  ASSERT_NE(l.mImage.GetImage(), nullptr);
  EXPECT_NE(l.mImage.GetImage()->mColorIndices, nullptr);  // palettized when first loaded
  EXPECT_EQ(l.mDrawMode, 1);
  EXPECT_EQ(l.mColorMult, Color(255, 127, 0, 255));
  EXPECT_EQ(l.mColorAdd, Color(255, 0, 0, 255));
  EXPECT_EQ(l.mAscent, 11);
  EXPECT_EQ(l.mAscentPadding, 2);
  EXPECT_EQ(l.mLineSpacingOffset, -3);
  EXPECT_EQ(l.mOffsetX, 4);
  EXPECT_EQ(l.mOffsetY, -5);
  EXPECT_EQ(l.mCharData['a'].mOffsetX, 1);
  EXPECT_EQ(l.mCharData['b'].mOffsetY, 4);
  EXPECT_EQ(l.mCharData['a'].mImageRect, Rect(0, 1, 5, 10));
  EXPECT_EQ(l.mCharData['b'].mImageRect, Rect(5, 1, 7, 10));
  EXPECT_EQ(l.mDefaultHeight, 14);  // the tallest rect plus its offset
  EXPECT_EQ(l.mCharData['a'].mWidth, 6);
  EXPECT_EQ(l.mCharData['b'].mWidth, 8);
  EXPECT_EQ(l.mSpacing, 1);
  EXPECT_EQ(l.mCharData['a'].mKerningOffsets['b'], -3);
  EXPECT_EQ(l.mCharData['b'].mKerningOffsets['a'], 127);
  EXPECT_EQ(l.mBaseOrder, -2);
  EXPECT_EQ(l.mCharData['b'].mOrder, 9);

  const FontLayer& copy = Layer("COPY");
  EXPECT_EQ(copy.mRequiredTags, l.mRequiredTags);
  EXPECT_EQ(copy.mImage.GetImage(), l.mImage.GetImage());
  EXPECT_EQ(copy.mCharData['a'].mKerningOffsets['b'], -3);
  EXPECT_EQ(mData->mFontLayerList.size(), 2u);
}

TEST_F(FontDataTest, DefineKeepsValuesAndNames) {
  ASSERT_TRUE(Load("Define A 5; Define B A; Define A 6; Define C (A B 'x y'); Define D Nothing;"));
  EXPECT_EQ(Defined("A"), "6");
  EXPECT_EQ(Defined("B"), "5");
  EXPECT_EQ(Defined("C"), "(6, 5, x y)");
  EXPECT_EQ(Defined("D"), "Nothing");
}

TEST_F(FontDataTest, SpanRectsWrapLikeTheNumbersOfTheScript) {
  ASSERT_TRUE(Load("CreateHorzSpanRectList R (2147483646 0 0 9) (1 1 1);"));
  EXPECT_EQ(Defined("R"), "((2147483646, 0, 1, 9), (2147483647, 0, 1, 9), (-2147483648, 0, 1, 9))");
}

TEST_F(FontDataTest, DefaultHeightWithAHugeOffsetStaysInRange) {
  mHost.AddImage(mDir / "fonts/glyphs.png", 20, 10);
  ASSERT_TRUE(Load("CreateLayer Main; LayerSetImage Main 'glyphs.png';\n"
                   "LayerSetCharOffsets Main ('a') ((0 2147483647)); LayerSetImageMap Main ('a') ((0 0 5 5));"));
  EXPECT_EQ(Layer("MAIN").mDefaultHeight, INT32_MAX);
}

TEST_F(FontDataTest, ColorConversion) {
  struct Case {
    const char* value;
    bool ok;
    Color color;
  } cases[] = {
      {"(1 0.5 0 1)", true, Color(255, 127, 0, 255)}, {"0x00FF0000", true, Color(255, 0, 0, 255)},
      {"0x80000010", true, Color(0, 0, 16, 128)},     {"(0 0 0 0)", true, Color(0, 0, 0, 0)},
      {"(1 1 1)", false, Color()},                    {"(1 1 1 1 1)", false, Color()},
      {"'red'", false, Color()},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Load(std::string("CreateLayer Main; LayerSetColorAdd Main ") + c.value + ";"), c.ok) << c.value;
    if (c.ok) {
      EXPECT_EQ(Layer("MAIN").mColorAdd, c.color) << c.value;
    }
  }
}

TEST_F(FontDataTest, WidthsFile) {
  MemoryImage image(&mHost);
  image.Create(30, 12);
  Testing::WriteFile(mDir / "widths.txt", "4 10\nA 7\nb 5 c 3\n");
  FontData data;
  ASSERT_TRUE(data.LoadImageAndWidths(&image, mDir / "widths.txt"));
  EXPECT_TRUE(data.mInitialized);
  ASSERT_EQ(data.mFontLayerList.size(), 1u);
  const FontLayer& l = data.mFontLayerList.front();
  EXPECT_EQ(l.mImage.GetImage(), &image);
  EXPECT_EQ(l.mCharData[' '].mWidth, 4);
  EXPECT_EQ(l.mAscent, 10);
  EXPECT_EQ(l.mDefaultHeight, 12);
  EXPECT_EQ(l.mCharData['A'].mImageRect, Rect(0, 0, 7, 12));
  EXPECT_EQ(l.mCharData['b'].mImageRect, Rect(7, 0, 5, 12));
  EXPECT_EQ(l.mCharData['c'].mImageRect, Rect(12, 0, 3, 12));
  EXPECT_EQ(l.mCharData['c'].mWidth, 3);
  // A letter without a width is drawn as its other case.
  EXPECT_EQ(data.mCharMap['a'], 'A');
  EXPECT_EQ(data.mCharMap['B'], 'b');
  EXPECT_EQ(data.mCharMap['C'], 'c');
  EXPECT_EQ(data.mCharMap['d'], 'd');
  EXPECT_FALSE(data.LoadImageAndWidths(&image, mDir / "widths.txt"));  // already loaded

  FontData missing;
  EXPECT_FALSE(missing.LoadImageAndWidths(&image, mDir / "none.txt"));
  EXPECT_FALSE(missing.mInitialized);
}

}  // namespace
}  // namespace Plix
