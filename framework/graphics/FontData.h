#pragma once
// What a bitmap font description holds: layers of glyphs cut from images,
// with widths, offsets, kerning and drawing orders, built by the commands
// of a description script. One FontData is shared, counted, by a font and
// its copies.
#include <cstdint>
#include <list>
#include <map>
#include <string>
#include <vector>

#include "framework/graphics/Color.h"
#include "framework/graphics/DescParser.h"
#include "framework/graphics/Rect.h"
#include "framework/graphics/SharedImageRef.h"

namespace Plix {

class FontData;
class GraphicsHost;

// Truncates toward zero, clamped to the 32-bit range (NaN gives 0): script
// values may be scaled far past what an int holds.
int32_t TruncateToInt(double value);
class MemoryImage;

struct CharData {
  Rect mImageRect;
  int32_t mOffsetX = 0;
  int32_t mOffsetY = 0;
  int8_t mKerningOffsets[256] = {};  // added to the advance when followed by that character
  int32_t mWidth = 0;
  int32_t mOrder = 0;
};

class FontLayer {
public:
  FontData* mFontData;
  std::vector<std::string> mRequiredTags;  // upper case
  std::vector<std::string> mExcludedTags;
  CharData mCharData[256];
  Color mColorMult{255, 255, 255, 255};
  Color mColorAdd{0, 0, 0, 0};
  SharedImageRef mImage;
  int32_t mDrawMode = -1;  // -1: the caller's
  int32_t mOffsetX = 0;
  int32_t mOffsetY = 0;
  int32_t mSpacing = 0;
  int32_t mMinPointSize = -1;  // -1: no limit
  int32_t mMaxPointSize = -1;
  int32_t mPointSize = 0;  // 0: the layer does not scale by point size
  int32_t mAscent = 0;
  int32_t mAscentPadding = 0;
  int32_t mHeight = 0;
  int32_t mDefaultHeight = 0;
  int32_t mLineSpacingOffset = 0;
  int32_t mBaseOrder = 0;

  explicit FontLayer(FontData* owner) : mFontData(owner) {}
  FontLayer(const FontLayer& other) = default;
};

class FontData : public DescParser {
public:
  bool mInitialized = false;  // a description was read without error
  int32_t mRefCount = 0;
  GraphicsHost* mApp = nullptr;
  int32_t mDefaultPointSize = 0;
  uint8_t mCharMap[256];  // the code drawn for each code
  std::list<FontLayer> mFontLayerList;
  std::map<std::string, FontLayer*> mFontLayerMap;
  std::string mSourceFile;
  std::string mFontErrorHeader;

  FontData();
  ~FontData() override;

  void AddRef() { ++mRefCount; }
  // Deletes the FontData when the last reference goes.
  void Release();

  // False at once when already loaded; otherwise reads the description and
  // returns true: mInitialized tells whether the font can be used.
  bool Load(GraphicsHost* app, const std::string& path);
  // The image-and-widths form: the image and a text file of widths.
  bool LoadImageAndWidths(MemoryImage* image, const std::string& path);

  bool Error(const std::string& message) override;
  bool HandleCommand(const ListDataElement& params) override;

  bool GetLayerFromElement(const DataElement* element, FontLayer** layer);
  bool DataToColor(const DataElement* source, Color* color);

private:
  bool GetInt(const DataElement* element, int32_t* value);
  bool GetChars(const DataElement* element, std::vector<std::string>* chars, size_t length);
  bool GetIntLists(const DataElement* element, std::vector<std::vector<int>>* lists, size_t length);
};

}  // namespace Plix
