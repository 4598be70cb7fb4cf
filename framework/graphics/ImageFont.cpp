#include "framework/graphics/ImageFont.h"

#include <algorithm>

#include "framework/graphics/FontData.h"
#include "framework/graphics/Graphics.h"
#include "framework/graphics/MemoryImage.h"
#include "framework/platform/Threads.h"
#include "framework/util/Utilities.h"

namespace Plix {

namespace {

// Scaled glyph images larger than these are not made (the layer then draws
// nothing): a description may ask for any scale or any number of layers.
constexpr int64_t kMaxScaledSide = 32768;
constexpr int64_t kMaxScaledPixels = int64_t{1} << 22;
constexpr int64_t kMaxFontScaledPixels = int64_t{1} << 24;

// One glyph queued for drawing. All fonts share one store of them and the
// 256 order buckets, under the font drawing lock.
struct FontRenderCommand {
  Image* mImage;
  int32_t mDestX;
  int32_t mDestY;
  Rect mSrcRect;
  int32_t mDrawMode;
  Color mColor;
  int32_t mNext;  // index of the next command of the bucket, or -1
};

struct RenderStore {
  FontRenderCommand mCommands[ImageFont::kMaxRenderCommands];
  int32_t mCount = 0;
  int32_t mHead[256];
  int32_t mTail[256];
};

RenderStore& Store() {
  static RenderStore store;
  return store;
}

CriticalSection& FontDrawLock() {
  static CriticalSection lock;
  return lock;
}

}  // namespace

ActiveFontLayer::ActiveFontLayer(const ActiveFontLayer& other)
    : mBaseFontLayer(other.mBaseFontLayer), mScaledImage(other.mScaledImage), mOwnsImage(other.mOwnsImage) {
  std::copy(std::begin(other.mScaledCharImageRects), std::end(other.mScaledCharImageRects), mScaledCharImageRects);
  if (mOwnsImage && mScaledImage) mScaledImage = new MemoryImage(*static_cast<MemoryImage*>(other.mScaledImage));
}

ActiveFontLayer::~ActiveFontLayer() {
  if (mOwnsImage) delete mScaledImage;
}

ImageFont::ImageFont(GraphicsHost* app, const std::string& path) : mFontData(new FontData()) {
  mFontData->AddRef();
  mFontData->Load(app, path);
  StartAtDefaultSize();
}

ImageFont::ImageFont(MemoryImage* image, const std::string& widthsPath) : mFontData(new FontData()) {
  mFontData->AddRef();
  mFontData->LoadImageAndWidths(image, widthsPath);
  StartAtDefaultSize();
}

void ImageFont::StartAtDefaultSize() {
  mPointSize = mFontData->mDefaultPointSize;
  PrepareLayers();
  mActiveListValid = true;
}

ImageFont::ImageFont(const ImageFont& other)
    : Font(other), mFontData(other.mFontData), mPointSize(other.mPointSize), mTagVector(other.mTagVector),
      mActiveListValid(other.mActiveListValid), mScale(other.mScale),
      mForceScaledImagesWhite(other.mForceScaledImagesWhite) {
  mFontData->AddRef();
  if (mActiveListValid)
    for (const ActiveFontLayer& layer : other.mActiveLayerList) mActiveLayerList.emplace_back(layer);
}

ImageFont::~ImageFont() {
  mActiveLayerList.clear();
  mFontData->Release();
}

Font* ImageFont::Duplicate() { return new ImageFont(*this); }

double ImageFont::LayerScale(const FontLayer& layer, double value) const {
  if (layer.mPointSize == 0) return value * mScale;
  return value * mPointSize * mScale / layer.mPointSize;
}

void ImageFont::PrepareLayers() {
  if (!mFontData->mInitialized) return;
  mActiveLayerList.clear();
  mAscent = 0;
  mAscentPadding = 0;
  mHeight = 0;
  mLineSpacingOffset = 0;

  bool first = true;
  int64_t pixelBudget = kMaxFontScaledPixels;
  for (FontLayer& layer : mFontData->mFontLayerList) {
    if (layer.mMinPointSize > mPointSize) continue;
    if (mPointSize > layer.mMaxPointSize && layer.mMaxPointSize != -1) continue;
    bool tagsOk = true;
    for (const auto& tag : layer.mRequiredTags)
      if (std::find(mTagVector.begin(), mTagVector.end(), tag) == mTagVector.end()) tagsOk = false;
    for (const auto& tag : mTagVector)
      if (std::find(layer.mExcludedTags.begin(), layer.mExcludedTags.end(), tag) != layer.mExcludedTags.end())
        tagsOk = false;
    if (!tagsOk) continue;

    ActiveFontLayer& active = mActiveLayerList.emplace_back();
    active.mBaseFontLayer = &layer;
    if (mScale == 1.0 && (layer.mPointSize == 0 || layer.mPointSize == mPointSize)) {
      active.mScaledImage = layer.mImage.GetImage();
      active.mOwnsImage = false;
      for (int c = 0; c < 256; ++c) active.mScaledCharImageRects[c] = layer.mCharData[c].mImageRect;
    } else {
      int64_t x = 0;
      int64_t tallest = 0;
      for (int c = 0; c < 256; ++c) {
        const Rect& src = layer.mCharData[c].mImageRect;
        const int32_t w = TruncateToInt(LayerScale(layer, src.mWidth));
        const int32_t h = TruncateToInt(LayerScale(layer, src.mHeight));
        active.mScaledCharImageRects[c] = Rect(ClampToInt32(x), 0, w, h);
        x += w;
        tallest = std::max<int64_t>(tallest, h);
      }
      if (x >= 0 && x <= kMaxScaledSide && tallest <= kMaxScaledSide && x * tallest <= kMaxScaledPixels &&
          x * tallest <= pixelBudget) {
        pixelBudget -= x * tallest;
        auto* image = mFontData->mApp ? new MemoryImage(mFontData->mApp) : new MemoryImage();
        image->Create(static_cast<int32_t>(x), static_cast<int32_t>(tallest));
        if (Image* layerImage = layer.mImage.GetImage()) {
          Graphics g(image);
          for (int c = 0; c < 256; ++c)
            g.DrawImageStretchedSrcRect(layerImage, active.mScaledCharImageRects[c], layer.mCharData[c].mImageRect);
        }
        if (mForceScaledImagesWhite) {
          uint32_t* bits = image->GetBits();
          const int64_t count = x * tallest;
          for (int64_t i = 0; bits && i < count; ++i) bits[i] |= 0x00FFFFFFu;
          image->OnBitsChanged();
        }
        image->Palettize();
        active.mScaledImage = image;
        active.mOwnsImage = true;
      }
    }

    const int32_t ascent = TruncateToInt(LayerScale(layer, layer.mAscent));
    const int32_t height =
        TruncateToInt(LayerScale(layer, layer.mHeight != 0 ? layer.mHeight : layer.mDefaultHeight));
    const int32_t padding = TruncateToInt(LayerScale(layer, layer.mAscentPadding));
    const int32_t spacing = TruncateToInt(LayerScale(layer, layer.mLineSpacingOffset));
    mAscent = std::max(mAscent, ascent);
    mHeight = std::max(mHeight, height);
    if (first) {
      mAscentPadding = padding;
      mLineSpacingOffset = spacing;
      first = false;
    } else {
      mAscentPadding = std::min(mAscentPadding, padding);
      mLineSpacingOffset = std::max(mLineSpacingOffset, spacing);
    }
  }
}

void ImageFont::Prepare() {
  if (!mActiveListValid) {
    PrepareLayers();
    mActiveListValid = true;
  }
}

int ImageFont::ByteCharWidthKern(uint8_t ch, uint8_t previous) {
  Prepare();
  ch = mFontData->mCharMap[ch];
  if (previous != 0) previous = mFontData->mCharMap[previous];
  bool any = false;
  int64_t widest = 0;
  for (const ActiveFontLayer& active : mActiveLayerList) {
    const FontLayer& layer = *active.mBaseFontLayer;
    const int64_t advance = TruncateToInt(LayerScale(layer, layer.mCharData[ch].mWidth));
    int64_t kern = 0;
    if (previous != 0)
      kern = TruncateToInt(
          LayerScale(layer, static_cast<double>(layer.mCharData[previous].mKerningOffsets[ch]) + layer.mSpacing));
    widest = any ? std::max(widest, advance + kern) : advance + kern;
    any = true;
  }
  return ClampToInt32(widest);
}

int ImageFont::ByteCharWidth(uint8_t ch) { return ByteCharWidthKern(ch, 0); }

int ImageFont::StringWidth(const std::wstring& text) {
  int64_t width = 0;
  uint8_t previous = 0;
  for (wchar_t wc : text) {
    const auto ch = static_cast<uint8_t>(wc & 0xFF);
    width += ByteCharWidthKern(ch, previous);
    previous = ch;
  }
  return ClampToInt32(width);
}

void ImageFont::DrawString(Graphics* g, int x, int y, const std::wstring& text, const Color& color,
                           const Rect& clip) {
  DrawStringEx(g, x, y, text, color, clip, nullptr, nullptr);
}

void ImageFont::DrawStringEx(Graphics* g, int x, int y, const std::wstring& text, const Color& color,
                             const Rect& clip, std::list<Rect>* rects, int* width) {
  AutoCrit lock(FontDrawLock());
  RenderStore& store = Store();
  store.mCount = 0;
  std::fill(std::begin(store.mHead), std::end(store.mHead), -1);
  std::fill(std::begin(store.mTail), std::end(store.mTail), -1);
  if (rects) rects->clear();

  if (!mFontData->mInitialized) {
    if (width) *width = 0;
    return;
  }
  Prepare();
  const bool oldTinting = g->GetImageTinting();
  g->SetImageTinting(true);

  int64_t pen = x;
  int64_t right = x;
  bool full = false;
  const uint8_t* map = mFontData->mCharMap;
  for (size_t i = 0; i < text.size() && !full; ++i) {
    const uint8_t ch = map[static_cast<uint8_t>(text[i] & 0xFF)];
    const uint8_t next = i + 1 < text.size() ? map[static_cast<uint8_t>(text[i + 1] & 0xFF)] : 0;
    for (const ActiveFontLayer& active : mActiveLayerList) {
      if (store.mCount >= kMaxRenderCommands) {
        full = true;
        break;
      }
      const FontLayer& layer = *active.mBaseFontLayer;
      const CharData& data = layer.mCharData[ch];
      const double f = LayerScale(layer, 1.0);
      int64_t glyphX, glyphY, advance, kern = 0;
      if (f == 1.0) {
        glyphX = int64_t{data.mOffsetX} + layer.mOffsetX + pen;
        glyphY = int64_t{data.mOffsetY} - layer.mAscent + layer.mOffsetY + y;
        advance = data.mWidth;
        if (next != 0) kern = int64_t{data.mKerningOffsets[next]} + layer.mSpacing;
      } else {
        glyphX = TruncateToInt(LayerScale(layer, static_cast<double>(data.mOffsetX) + layer.mOffsetX)) + pen;
        glyphY = y - int64_t{TruncateToInt(LayerScale(
                         layer, static_cast<double>(layer.mAscent) - data.mOffsetY - layer.mOffsetY))};
        advance = TruncateToInt(LayerScale(layer, data.mWidth));
        if (next != 0)
          kern = TruncateToInt(LayerScale(layer, static_cast<double>(data.mKerningOffsets[next]) + layer.mSpacing));
      }

      auto channel = [](int32_t mult, int32_t given, int32_t add) {
        const int64_t v = int64_t{mult} * given / 255 + add;
        return v >= 255 ? 255 : ClampToInt32(v);
      };
      const Color glyphColor(channel(layer.mColorMult.mRed, color.mRed, layer.mColorAdd.mRed),
                             channel(layer.mColorMult.mGreen, color.mGreen, layer.mColorAdd.mGreen),
                             channel(layer.mColorMult.mBlue, color.mBlue, layer.mColorAdd.mBlue),
                             channel(layer.mColorMult.mAlpha, color.mAlpha, layer.mColorAdd.mAlpha));
      const int order =
          static_cast<int>(std::clamp<int64_t>(int64_t{data.mOrder} + layer.mBaseOrder + 128, 0, 255));

      const Rect& glyphRect = active.mScaledCharImageRects[ch];
      const int32_t index = store.mCount++;
      store.mCommands[index] = FontRenderCommand{active.mScaledImage, ClampToInt32(glyphX), ClampToInt32(glyphY), glyphRect,
                                                 layer.mDrawMode, glyphColor, -1};
      if (store.mTail[order] < 0)
        store.mHead[order] = index;
      else
        store.mCommands[store.mTail[order]].mNext = index;
      store.mTail[order] = index;

      if (rects) rects->push_back(Rect(ClampToInt32(glyphX), ClampToInt32(glyphY), glyphRect.mWidth, glyphRect.mHeight));
      right = std::max(right, pen + advance + kern);
    }
    pen = right;
  }
  if (width) *width = ClampToInt32(right - x);

  const Color oldColor = g->GetColor();
  for (int order = 0; order < 256; ++order) {
    for (int32_t i = store.mHead[order]; i >= 0; i = store.mCommands[i].mNext) {
      const FontRenderCommand& cmd = store.mCommands[i];
      const int oldMode = g->GetDrawMode();
      if (cmd.mDrawMode != -1) g->SetDrawMode(cmd.mDrawMode);
      g->SetColor(cmd.mColor);
      if (cmd.mImage) g->DrawImageSrcRect(cmd.mImage, cmd.mDestX, cmd.mDestY, cmd.mSrcRect);
      g->SetDrawMode(oldMode);
    }
  }
  g->SetColor(oldColor);
  g->SetImageTinting(oldTinting);
}

void ImageFont::SetPointSize(int pointSize) {
  mPointSize = pointSize;
  mActiveListValid = false;
}

int ImageFont::GetPointSize() { return mPointSize; }

void ImageFont::SetScale(double scale) {
  mScale = scale;
  mActiveListValid = false;
}

int ImageFont::GetDefaultPointSize() { return mFontData->mDefaultPointSize; }

bool ImageFont::AddTag(const std::string& tag) {
  if (HasTag(tag)) return false;
  mTagVector.push_back(StringToUpper(tag));
  mActiveListValid = false;
  return true;
}

bool ImageFont::RemoveTag(const std::string& tag) {
  auto it = std::find(mTagVector.begin(), mTagVector.end(), StringToUpper(tag));
  if (it == mTagVector.end()) return false;
  mTagVector.erase(it);
  mActiveListValid = false;
  return true;
}

bool ImageFont::HasTag(const std::string& tag) {
  return std::find(mTagVector.begin(), mTagVector.end(), tag) != mTagVector.end();
}

std::string ImageFont::LookUpDefine(const std::string& name) {
  // Read the stored token directly: converting a name would report an
  // error box for a simple look-up.
  const DataElement* value = mFontData->Dereference(name);
  if (!value || value->mIsList) return "";
  return DescParser::Unquote(static_cast<const SingleDataElement*>(value)->mString);
}

}  // namespace Plix
