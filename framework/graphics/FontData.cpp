#include "framework/graphics/FontData.h"

#include <algorithm>
#include <cctype>

#include "framework/graphics/DataFiles.h"
#include "framework/graphics/Font.h"
#include "framework/graphics/GraphicsHost.h"
#include "framework/graphics/MemoryImage.h"
#include "framework/util/Utilities.h"

namespace Plix {

namespace {

const char* const kBadCount = "Invalid Number of Parameters";
const char* const kBadType = "Invalid Paramater Type";
const char* const kSizeMismatch = "List Size Mismatch";

const std::string& Token(const DataElement* e) { return static_cast<const SingleDataElement*>(e)->mString; }

// A small reader for the widths file: numbers and single characters
// separated by white space, as the C library's scanf reads them.
class WidthsReader {
public:
  explicit WidthsReader(const std::vector<uint8_t>& bytes) : mBytes(bytes) {}

  bool ReadInt(int* value) {
    SkipSpace();
    size_t p = mPos;
    bool negative = false;
    if (p < mBytes.size() && (mBytes[p] == '-' || mBytes[p] == '+')) negative = mBytes[p++] == '-';
    if (p >= mBytes.size() || !std::isdigit(mBytes[p])) return false;
    long long v = 0;
    while (p < mBytes.size() && std::isdigit(mBytes[p])) {
      v = std::min<long long>(v * 10 + (mBytes[p++] - '0'), 0x7FFFFFFF);
    }
    mPos = p;
    *value = static_cast<int>(negative ? -v : v);
    return true;
  }

  bool ReadChar(uint8_t* ch) {
    SkipSpace();
    if (mPos >= mBytes.size()) return false;
    *ch = mBytes[mPos++];
    return true;
  }

private:
  void SkipSpace() {
    while (mPos < mBytes.size() && std::isspace(mBytes[mPos])) ++mPos;
  }
  const std::vector<uint8_t>& mBytes;
  size_t mPos = 0;
};

}  // namespace

int32_t TruncateToInt(double value) {
  if (!(value == value)) return 0;
  if (value >= 2147483647.0) return 2147483647;
  if (value <= -2147483648.0) return -2147483647 - 1;
  return static_cast<int32_t>(value);
}

FontData::FontData() {
  for (int i = 0; i < 256; ++i) mCharMap[i] = static_cast<uint8_t>(i);
}

FontData::~FontData() = default;

void FontData::Release() {
  if (--mRefCount <= 0) delete this;
}

bool FontData::Load(GraphicsHost* app, const std::string& path) {
  if (mInitialized) return false;
  mApp = app;
  mCurrentLineText.clear();
  mFontErrorHeader = "Font Descriptor Error in " + path + "\r\n";
  mSourceFile = path;
  mInitialized = LoadDescriptor(path);
  return true;
}

bool FontData::LoadImageAndWidths(MemoryImage* image, const std::string& path) {
  if (mInitialized) return false;
  std::vector<uint8_t> bytes;
  if (!ReadDataFile(path, bytes)) return false;

  mFontLayerList.emplace_back(this);
  FontLayer* layer = &mFontLayerList.back();
  mFontLayerMap[""] = layer;
  layer->mImage.AssignImage(image);
  const int imageHeight = image ? image->GetHeight() : 0;
  layer->mAscent = imageHeight;
  layer->mDefaultHeight = imageHeight;
  mSourceFile = path;

  WidthsReader reader(bytes);
  int spaceWidth = 0;
  if (reader.ReadInt(&spaceWidth)) {
    layer->mCharData[' '].mWidth = spaceWidth;
    int ascent = 0;
    if (reader.ReadInt(&ascent)) layer->mAscent = ascent;
  }
  // Summed wide, so that a broken file's widths cannot wrap around; a rect
  // past the image draws nothing.
  int64_t x = 0;
  uint8_t ch = 0;
  while (reader.ReadChar(&ch)) {
    int width = 0;
    reader.ReadInt(&width);
    CharData& data = layer->mCharData[ch];
    data.mImageRect = Rect(ClampToInt32(x), 0, width, imageHeight);
    data.mWidth = width;
    x += width;
  }
  // A missing case borrows the glyphs of the other.
  for (int c = 'A'; c <= 'Z'; ++c) {
    const int lower = c - 'A' + 'a';
    if (layer->mCharData[c].mWidth == 0 && layer->mCharData[lower].mWidth != 0)
      mCharMap[c] = static_cast<uint8_t>(lower);
  }
  for (int c = 'a'; c <= 'z'; ++c) {
    const int upper = c - 'a' + 'A';
    if (layer->mCharData[c].mWidth == 0 && layer->mCharData[upper].mWidth != 0)
      mCharMap[c] = static_cast<uint8_t>(upper);
  }
  mInitialized = true;
  return true;
}

bool FontData::Error(const std::string& message) {
  std::string text = mFontErrorHeader + message;
  if (!mCurrentLineText.empty())
    text += " on Line " + StrFormat("%d:\r\n\r\n", mCurrentLine) + mCurrentLineText;
  mError = text;
  if (mApp) mApp->ShowFatalError(text);
  return false;
}

bool FontData::GetLayerFromElement(const DataElement* element, FontLayer** layer) {
  if (element->mIsList) return false;
  auto it = mFontLayerMap.find(StringToUpper(Token(element)));
  if (it == mFontLayerMap.end()) {
    Error("Undefined Layer");
    return false;
  }
  *layer = it->second;
  return true;
}

bool FontData::DataToColor(const DataElement* source, Color* color) {
  if (source->mIsList) {
    std::vector<double> v;
    if (!DataToDoubleVector(source, &v) || v.size() != 4) return false;
    *color = Color(TruncateToInt(v[0] * 255), TruncateToInt(v[1] * 255), TruncateToInt(v[2] * 255),
                   TruncateToInt(v[3] * 255));
    return true;
  }
  int value = 0;
  if (!StringToInt(Token(source), value)) return false;
  *color = Color::ColorFromInt(static_cast<uint32_t>(value));
  return true;
}

bool FontData::GetInt(const DataElement* element, int32_t* value) {
  int v = 0;
  if (element->mIsList || !StringToInt(Token(element), v)) return false;
  *value = v;
  return true;
}

bool FontData::GetChars(const DataElement* element, std::vector<std::string>* chars, size_t length) {
  if (!DataToStringVector(element, chars)) return false;
  for (const auto& s : *chars)
    if (s.size() != length) return false;
  return true;
}

bool FontData::GetIntLists(const DataElement* element, std::vector<std::vector<int>>* lists, size_t length) {
  lists->clear();
  ListDataElement list;
  if (!DataToList(element, &list)) return false;
  for (const auto& e : list.mElementVector) {
    std::vector<int> v;
    if (!e->mIsList || !DataToIntVector(e.get(), &v) || v.size() != length) return false;
    lists->push_back(std::move(v));
  }
  return true;
}

bool FontData::HandleCommand(const ListDataElement& params) {
  const std::string cmd = StringToUpper(Token(params.At(0)));
  const size_t count = params.Size() - 1;
  auto p = [&](size_t i) { return params.At(i); };
  FontLayer* layer = nullptr;
  auto needs = [&](size_t n) { return count == n; };
  // The first parameter names a layer.
  auto layerArg = [&]() { return GetLayerFromElement(p(1), &layer); };

  // Commands that set one integer of a layer.
  static const std::map<std::string, int32_t FontLayer::*> kLayerInts = {
      {"LAYERSETPOINTSIZE", &FontLayer::mPointSize},
      {"LAYERSETHEIGHT", &FontLayer::mHeight},
      {"LAYERSETDRAWMODE", &FontLayer::mDrawMode},
      {"LAYERSETASCENT", &FontLayer::mAscent},
      {"LAYERSETASCENTPADDING", &FontLayer::mAscentPadding},
      {"LAYERSETLINESPACINGOFFSET", &FontLayer::mLineSpacingOffset},
      {"LAYERSETSPACING", &FontLayer::mSpacing},
      {"LAYERSETBASEORDER", &FontLayer::mBaseOrder},
  };
  if (auto it = kLayerInts.find(cmd); it != kLayerInts.end()) {
    if (!needs(2)) return Error(kBadCount);
    int32_t v = 0;
    if (!layerArg() || !GetInt(p(2), &v)) return Error(kBadType);
    layer->*(it->second) = v;
    return true;
  }

  if (cmd == "DEFINE") {
    if (!needs(2)) return Error(kBadCount);
    if (p(1)->mIsList || IsImmediate(Token(p(1)))) return Error(kBadType);
    const std::string name = StringToUpper(Token(p(1)));
    std::unique_ptr<DataElement> value;
    if (p(2)->mIsList) {
      auto list = std::make_unique<ListDataElement>();
      if (!DataToList(p(2), list.get())) return false;
      value = std::move(list);
    } else if (const DataElement* defined = Dereference(Token(p(2)))) {
      value.reset(defined->Duplicate());
    } else {
      value.reset(p(2)->Duplicate());
    }
    mDefineMap[name] = std::move(value);
    return true;
  }

  if (cmd == "CREATEHORZSPANRECTLIST") {
    if (!needs(3)) return Error(kBadCount);
    std::vector<int> rect, widths;
    if (p(1)->mIsList || !DataToIntVector(p(2), &rect) || rect.size() != 4 || !DataToIntVector(p(3), &widths))
      return Error(kBadType);
    auto list = std::make_unique<ListDataElement>();
    int x = rect[0];
    for (int w : widths) {
      auto* r = new ListDataElement();
      for (int v : {x, rect[1], w, rect[3]}) r->Add(new SingleDataElement(StrFormat("%d", v)));
      list->Add(r);
      // 32-bit arithmetic wraps, as the script's own numbers do.
      x = static_cast<int>(static_cast<uint32_t>(x) + static_cast<uint32_t>(w));
    }
    mDefineMap[StringToUpper(Token(p(1)))] = std::move(list);
    return true;
  }

  if (cmd == "SETDEFAULTPOINTSIZE") {
    if (!needs(1)) return Error(kBadCount);
    if (!GetInt(p(1), &mDefaultPointSize)) return Error(kBadType);
    return true;
  }

  if (cmd == "SETCHARMAP") {
    if (!needs(2)) return Error(kBadCount);
    std::vector<std::string> from, to;
    if (!GetChars(p(1), &from, 1) || !GetChars(p(2), &to, 1)) return Error(kBadType);
    if (from.size() != to.size()) return Error(kSizeMismatch);
    for (size_t i = 0; i < from.size(); ++i) mCharMap[static_cast<uint8_t>(from[i][0])] = static_cast<uint8_t>(to[i][0]);
    return true;
  }

  if (cmd == "CREATELAYER" || cmd == "CREATELAYERFROM") {
    const bool from = cmd == "CREATELAYERFROM";
    if (!needs(from ? 2 : 1)) return Error(kBadCount);
    if (p(1)->mIsList) return Error(kBadType);
    FontLayer* source = nullptr;
    if (from && !GetLayerFromElement(p(2), &source)) return Error(kBadType);
    const std::string name = StringToUpper(Token(p(1)));
    if (mFontLayerMap.count(name)) {
      Error("Layer Already Exists");
      return true;  // reading goes on
    }
    if (source)
      mFontLayerList.push_back(*source);
    else
      mFontLayerList.emplace_back(this);
    mFontLayerMap[name] = &mFontLayerList.back();
    return true;
  }

  if (cmd == "LAYERREQUIRETAGS" || cmd == "LAYEREXCLUDETAGS") {
    if (!needs(2)) return Error(kBadCount);
    std::vector<std::string> tags;
    if (!layerArg() || !DataToStringVector(p(2), &tags)) return Error(kBadType);
    auto& dest = cmd == "LAYERREQUIRETAGS" ? layer->mRequiredTags : layer->mExcludedTags;
    for (const auto& t : tags) dest.push_back(StringToUpper(t));
    return true;
  }

  if (cmd == "LAYERPOINTRANGE") {
    if (!needs(3)) return Error(kBadCount);
    int32_t lo = 0, hi = 0;
    if (!layerArg() || !GetInt(p(2), &lo) || !GetInt(p(3), &hi)) return Error(kBadType);
    layer->mMinPointSize = lo;
    layer->mMaxPointSize = hi;
    return true;
  }

  if (cmd == "LAYERSETIMAGE") {
    if (!needs(2)) return Error(kBadCount);
    std::string file;
    if (!layerArg() || !DataToString(p(2), &file)) return Error(kBadType);
    const std::string path = ResolveRelativePath(file, GetFileDir(mSourceFile));
    bool isNew = false;
    SharedImageRef image;
    if (mApp) image = mApp->GetCachedImage(path, "", &isNew);
    if (!image.GetImage()) return Error("Failed to Load Image");
    if (isNew) image.GetImage()->Palettize();
    layer->mImage = image;
    return true;
  }

  if (cmd == "LAYERSETCOLORMULT" || cmd == "LAYERSETCOLORADD") {
    if (!needs(2)) return Error(kBadCount);
    Color color;
    if (!layerArg() || !DataToColor(p(2), &color)) return Error(kBadType);
    (cmd == "LAYERSETCOLORMULT" ? layer->mColorMult : layer->mColorAdd) = color;
    return true;
  }

  if (cmd == "LAYERSETOFFSET") {
    if (!needs(2)) return Error(kBadCount);
    std::vector<int> v;
    if (!layerArg() || !DataToIntVector(p(2), &v) || v.size() != 2) return Error(kBadType);
    layer->mOffsetX = v[0];
    layer->mOffsetY = v[1];
    return true;
  }

  // Per-character values: a list of characters and a parallel list.
  if (cmd == "LAYERSETCHARWIDTHS" || cmd == "LAYERSETCHARORDERS" || cmd == "LAYERSETKERNINGPAIRS") {
    if (!needs(3)) return Error(kBadCount);
    const bool pairs = cmd == "LAYERSETKERNINGPAIRS";
    std::vector<std::string> chars;
    std::vector<int> values;
    if (!layerArg() || !GetChars(p(2), &chars, pairs ? 2 : 1) || !DataToIntVector(p(3), &values))
      return Error(kBadType);
    if (chars.size() != values.size()) return Error(kSizeMismatch);
    for (size_t i = 0; i < chars.size(); ++i) {
      CharData& data = layer->mCharData[static_cast<uint8_t>(chars[i][0])];
      if (pairs)
        data.mKerningOffsets[static_cast<uint8_t>(chars[i][1])] = static_cast<int8_t>(values[i]);
      else if (cmd == "LAYERSETCHARWIDTHS")
        data.mWidth = values[i];
      else
        data.mOrder = values[i];
    }
    return true;
  }

  if (cmd == "LAYERSETCHAROFFSETS" || cmd == "LAYERSETIMAGEMAP") {
    if (!needs(3)) return Error(kBadCount);
    const bool map = cmd == "LAYERSETIMAGEMAP";
    std::vector<std::string> chars;
    std::vector<std::vector<int>> values;
    if (!layerArg() || !GetChars(p(2), &chars, 1) || !GetIntLists(p(3), &values, map ? 4 : 2))
      return Error(kBadType);
    if (chars.size() != values.size()) return Error(kSizeMismatch);
    if (!map) {
      for (size_t i = 0; i < chars.size(); ++i) {
        CharData& data = layer->mCharData[static_cast<uint8_t>(chars[i][0])];
        data.mOffsetX = values[i][0];
        data.mOffsetY = values[i][1];
      }
      return true;
    }
    MemoryImage* image = layer->mImage.GetImage();
    if (!image) return Error("Layer image not set");
    for (size_t i = 0; i < chars.size(); ++i) {
      const auto& r = values[i];
      // In 64 bits: no rectangle may pass the check by overflowing. A
      // negative size would pass the edge tests and then draw backwards.
      if (r[0] < 0 || r[1] < 0 || r[2] < 0 || r[3] < 0 || int64_t{r[0]} + r[2] > image->GetWidth() ||
          int64_t{r[1]} + r[3] > image->GetHeight())
        return Error("Image rectangle out of bounds");
      layer->mCharData[static_cast<uint8_t>(chars[i][0])].mImageRect = Rect(r[0], r[1], r[2], r[3]);
    }
    // Summed wide: an offset from the script may be as large as it likes.
    int64_t tallest = int64_t{layer->mCharData[0].mImageRect.mHeight} + layer->mCharData[0].mOffsetY;
    for (const CharData& data : layer->mCharData)
      tallest = std::max(tallest, int64_t{data.mImageRect.mHeight} + data.mOffsetY);
    layer->mDefaultHeight = static_cast<int32_t>(std::clamp<int64_t>(tallest, INT32_MIN, INT32_MAX));
    return true;
  }

  return Error("Unknown Command");
}

}  // namespace Plix
