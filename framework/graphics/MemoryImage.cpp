#include "framework/graphics/MemoryImage.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "framework/graphics/GraphicsHost.h"
#include "framework/graphics/PixelOps.h"

namespace Plix {

namespace {

size_t PixelCount(int32_t width, int32_t height) {
  return width > 0 && height > 0 ? size_t(width) * size_t(height) : 0;
}

std::unique_ptr<uint32_t[]> NewBitsBlock(size_t count) {
  std::unique_ptr<uint32_t[]> block(new uint32_t[count + 1]());
  block[count] = MemoryImage::kGuardWord;
  return block;
}

// Sorted lookup of the colours met so far; indices in order of first use.
bool BuildExactPalette(const uint32_t* pixels, size_t count, uint8_t* indices, uint32_t* table) {
  if (count == 0) return true;
  table[0] = pixels[0];
  indices[0] = 0;
  if (count < 2) return true;
  struct Entry {
    uint32_t color;
    uint8_t index;
  };
  std::vector<Entry> sorted{{pixels[0], 0}};
  sorted.reserve(256);
  // Colours met before, by a hash of their bits (a slot remembers the last
  // colour that fell into it): most pixels need no search.
  constexpr size_t kSlots = 1024;
  uint32_t slotColor[kSlots];
  int16_t slotIndex[kSlots];
  std::fill(slotIndex, slotIndex + kSlots, int16_t(-1));
  auto slotOf = [](uint32_t c) { return ((c * 2654435761u) >> 22) & (kSlots - 1); };
  slotColor[slotOf(pixels[0])] = pixels[0];
  slotIndex[slotOf(pixels[0])] = 0;
  for (size_t i = 1; i < count; ++i) {
    uint32_t c = pixels[i];
    // Drawn pictures repeat a colour pixel after pixel: no search for it.
    if (c == pixels[i - 1]) {
      indices[i] = indices[i - 1];
      continue;
    }
    const size_t slot = slotOf(c);
    if (slotIndex[slot] >= 0 && slotColor[slot] == c) {
      indices[i] = static_cast<uint8_t>(slotIndex[slot]);
      continue;
    }
    auto it = std::lower_bound(sorted.begin(), sorted.end(), c, [](const Entry& e, uint32_t v) { return e.color < v; });
    uint8_t index;
    if (it != sorted.end() && it->color == c) {
      index = it->index;
    } else {
      if (sorted.size() >= 256) return false;
      index = static_cast<uint8_t>(sorted.size());
      sorted.insert(it, Entry{c, index});
      table[index] = c;
    }
    indices[i] = index;
    slotColor[slot] = c;
    slotIndex[slot] = index;
  }
  return true;
}

}  // namespace

MemoryImage::MemoryImage() : MemoryImage(nullptr) {}

MemoryImage::MemoryImage(GraphicsHost* app) : mApp(app != nullptr ? app : GetGraphicsHost()) {
  mApp->RegisterImage(this);
}

MemoryImage::MemoryImage(const MemoryImage& other)
    : Image(other),
      mBitsChangedCount(other.mBitsChangedCount),
      mD3DFlags(other.mD3DFlags),
      mForcedMode(other.mForcedMode),
      mHasTrans(other.mHasTrans),
      mHasAlpha(other.mHasAlpha),
      mIsVolatile(other.mIsVolatile),
      mPurgeBits(other.mPurgeBits),
      mWantPal(other.mWantPal),
      mBitsChanged(other.mBitsChanged),
      mApp(other.mApp) {
  MemoryImage& source = const_cast<MemoryImage&>(other);
  bool madeForCopy = false;
  if (!source.mBits && !source.mColorTable) {
    source.GetBits();
    madeForCopy = true;
  }
  size_t count = PixelCount(mWidth, mHeight);
  if (source.mBits) {
    mBits = NewBitsBlock(count);
    std::memcpy(mBits.get(), source.mBits.get(), count * 4);
  }
  if (madeForCopy) source.mBits.reset();
  if (source.mColorTable) {
    mColorTable.reset(new uint32_t[256]);
    std::memcpy(mColorTable.get(), source.mColorTable.get(), 256 * 4);
  }
  if (source.mColorIndices) {
    mColorIndices.reset(new uint8_t[count]);
    std::memcpy(mColorIndices.get(), source.mColorIndices.get(), count);
  }
  if (source.mNativeAlphaData) {
    size_t n = source.mColorTable ? 256 : count;
    mNativeAlphaData.reset(new uint32_t[n]);
    std::memcpy(mNativeAlphaData.get(), source.mNativeAlphaData.get(), n * 4);
  }
  if (source.mRLAlphaData) {
    mRLAlphaData.reset(new uint8_t[count]);
    std::memcpy(mRLAlphaData.get(), source.mRLAlphaData.get(), count);
  }
  if (source.mRLAdditiveData) {
    mRLAdditiveData.reset(new uint8_t[count]);
    std::memcpy(mRLAdditiveData.get(), source.mRLAdditiveData.get(), count);
  }
  mApp->RegisterImage(this);
}

MemoryImage::~MemoryImage() { mApp->UnregisterImage(this); }

void MemoryImage::FreePalette() {
  mColorTable.reset();
  mColorIndices.reset();
}

void MemoryImage::AllocBits() { mBits = NewBitsBlock(PixelCount(mWidth, mHeight)); }

int32_t MemoryImage::GetRasterFormat() const { return mForcedMode && !mHasAlpha && !mHasTrans ? 0x888 : 0x8888; }

void MemoryImage::OnBitsChanged() {
  ++mBitsChangedCount;
  mBitsChanged = true;
  mNativeAlphaData.reset();
  mRLAlphaData.reset();
  mRLAdditiveData.reset();
  DropTintTerms();
}

void MemoryImage::DropTintTerms() {
  mTintTerms.reset();
  mTintAsks = 0;
}

const uint32_t* MemoryImage::GetTintTerms(const Color& color) {
  const Px::Channels c(color);
  const uint32_t packed = c.Packed();
  if (packed != mTintColor) {
    mTintTerms.reset();
    mTintColor = packed;
    mTintAsks = 0;
  }
  if (mTintTerms) return mTintTerms.get();
  if (++mTintAsks < 2 || mColorTable || !mBits) return nullptr;
  const size_t count = PixelCount(mWidth, mHeight);
  mTintTerms.reset(new uint32_t[count]);
  for (size_t i = 0; i < count; ++i) {
    const uint32_t s = mBits[i], w = ((s >> 24) * c.a) / 255;
    const uint32_t r = (((s >> 16) & 0xFF) * w * c.r) >> 16, g = (((s >> 8) & 0xFF) * w * c.g) >> 16,
                   b = ((s & 0xFF) * w * c.b) >> 16;
    mTintTerms[i] = (w << 24) | (r << 16) | (g << 8) | b;
  }
  return mTintTerms.get();
}

void MemoryImage::UpdateAlphaFlags() {
  if (!mBitsChanged || mForcedMode) return;
  mHasAlpha = false;
  const uint32_t* scan = nullptr;
  size_t count = 0;
  if (!mBits) {
    if (!mColorTable) {
      mHasTrans = true;
      mBitsChanged = false;
      return;
    }
    scan = mColorTable.get();
    count = 256;
  } else {
    scan = mBits.get();
    count = PixelCount(mWidth, mHeight);
  }
  mHasTrans = false;
  // Branch-free over groups of 64, stopping once both are known.
  bool trans = false, partial = false;
  for (size_t i = 0; i < count && !(trans && partial); i += 64) {
    const size_t end = std::min(count, i + 64);
    for (size_t k = i; k < end; ++k) {
      const uint32_t a = scan[k] >> 24;
      trans |= a == 0;
      partial |= a - 1 < 254;
    }
  }
  mHasTrans = trans;
  mHasAlpha = partial;
  mBitsChanged = false;
}

void MemoryImage::SetImageMode(bool hasTrans, bool hasAlpha) {
  mForcedMode = true;
  mHasTrans = hasTrans;
  mHasAlpha = hasAlpha;
}

void MemoryImage::SetVolatile(bool isVolatile) { mIsVolatile = isVolatile; }

void MemoryImage::Create(int32_t width, int32_t height) {
  mBits.reset();
  // The palette form belongs to the old size: GetBits must not read it.
  FreePalette();
  mHasTrans = true;
  mHasAlpha = true;
  mWidth = std::max(width, 0);
  mHeight = std::max(height, 0);
  OnBitsChanged();
}

void MemoryImage::SetBits(const uint32_t* bits, int32_t width, int32_t height, bool commitBits) {
  if (bits != nullptr && bits == mBits.get()) return;
  FreePalette();
  width = std::max(width, 0);
  height = std::max(height, 0);
  if (width != mWidth || height != mHeight || !mBits) {
    mWidth = width;
    mHeight = height;
    AllocBits();
  }
  size_t count = PixelCount(mWidth, mHeight);
  if (bits != nullptr) std::memcpy(mBits.get(), bits, count * 4);
  mBits[count] = kGuardWord;
  OnBitsChanged();
  if (commitBits) UpdateAlphaFlags();
}

void MemoryImage::AdoptBits(std::unique_ptr<uint32_t[]> block, int32_t width, int32_t height, bool commitBits) {
  if (!block) {
    SetBits(nullptr, width, height, commitBits);
    return;
  }
  FreePalette();
  mWidth = std::max(width, 0);
  mHeight = std::max(height, 0);
  mBits = std::move(block);
  mBits[PixelCount(mWidth, mHeight)] = kGuardWord;
  OnBitsChanged();
  if (commitBits) UpdateAlphaFlags();
}

uint32_t* MemoryImage::GetBits() {
  if (mBits) return mBits.get();
  size_t count = PixelCount(mWidth, mHeight);
  AllocBits();
  uint32_t* bits = mBits.get();
  if (mColorTable && mColorIndices) {
    const uint32_t* table = mColorTable.get();
    const uint8_t* indices = mColorIndices.get();
    for (size_t i = 0; i < count; ++i) bits[i] = table[indices[i]];
    FreePalette();
    mNativeAlphaData.reset();
  } else if (mNativeAlphaData) {
    Px::NativeLayout layout(mApp->GetNativeDisplay());
    const uint32_t* native = mNativeAlphaData.get();
    for (size_t i = 0; i < count; ++i) bits[i] = layout.FromNative(native[i]);
  } else if (mD3DData != nullptr && mApp->ReadTextureIntoBits(this)) {
    // The texture's pixels are in the bits now.
  } else {
    std::fill(bits, bits + count, 0u);
  }
  return bits;
}

void MemoryImage::Clear() {
  uint32_t* bits = GetBits();
  std::fill(bits, bits + PixelCount(mWidth, mHeight), 0u);
  OnBitsChanged();
}

uint32_t* MemoryImage::GetNativeAlphaData(NativeDisplay* display) {
  if (mNativeAlphaData) return mNativeAlphaData.get();
  UpdateAlphaFlags();
  Px::NativeLayout layout(display);
  const uint32_t* source;
  size_t count;
  if (mColorTable) {
    source = mColorTable.get();
    count = 256;
  } else {
    source = GetBits();
    count = PixelCount(mWidth, mHeight);
  }
  std::unique_ptr<uint32_t[]> native(new uint32_t[std::max<size_t>(count, 1)]);
  for (size_t i = 0; i < count; ++i) native[i] = layout.ToNative(source[i]);
  mNativeAlphaData = std::move(native);
  return mNativeAlphaData.get();
}

namespace {

// Per row, each pixel's count of pixels to the end of its run of equal
// class, itself included, capped at 255.
template <typename ClassOf>
std::unique_ptr<uint8_t[]> BuildRuns(int32_t width, int32_t height, ClassOf classOf) {
  size_t count = PixelCount(width, height);
  std::unique_ptr<uint8_t[]> runs(new uint8_t[std::max<size_t>(count, 1)]);
  for (int32_t y = 0; y < height; ++y) {
    size_t row = size_t(y) * size_t(width);
    int32_t remaining = 0;
    int prevClass = -1;
    for (int32_t x = width - 1; x >= 0; --x) {
      int c = classOf(row + size_t(x));
      remaining = c == prevClass ? remaining + 1 : 1;
      prevClass = c;
      runs[row + size_t(x)] = static_cast<uint8_t>(std::min(remaining, 255));
    }
  }
  return runs;
}

int AlphaClass(uint32_t pixel) {
  uint32_t a = pixel >> 24;
  return a == 0 ? 0 : a == 255 ? 1 : 2;
}

}  // namespace

uint8_t* MemoryImage::GetRLAlphaData() {
  if (mRLAlphaData) return mRLAlphaData.get();
  UpdateAlphaFlags();
  if (mColorTable && mColorIndices) {
    const uint32_t* table = mColorTable.get();
    const uint8_t* indices = mColorIndices.get();
    mRLAlphaData = BuildRuns(mWidth, mHeight, [&](size_t i) { return AlphaClass(table[indices[i]]); });
  } else {
    const uint32_t* pixels = mNativeAlphaData ? mNativeAlphaData.get() : GetBits();
    mRLAlphaData = BuildRuns(mWidth, mHeight, [&](size_t i) { return AlphaClass(pixels[i]); });
  }
  return mRLAlphaData.get();
}

uint8_t* MemoryImage::GetRLAdditiveData(NativeDisplay* display) {
  if (mRLAdditiveData) return mRLAdditiveData.get();
  const uint32_t* native = GetNativeAlphaData(display);
  if (mColorTable && mColorIndices) {
    const uint8_t* indices = mColorIndices.get();
    mRLAdditiveData =
        BuildRuns(mWidth, mHeight, [&](size_t i) { return (native[indices[i]] & 0xFFFFFF) != 0 ? 1 : 0; });
  } else {
    mRLAdditiveData = BuildRuns(mWidth, mHeight, [&](size_t i) { return (native[i] & 0xFFFFFF) != 0 ? 1 : 0; });
  }
  return mRLAdditiveData.get();
}

void MemoryImage::PurgeBits() {
  mPurgeBits = true;
  if (!mApp->IsHardwareDrawing()) {
    if (!mBits && !mColorIndices) return;
    GetNativeAlphaData(mApp->GetNativeDisplay());
  } else if (mD3DData == nullptr) {
    return;
  }
  mBits.reset();
  if (mD3DData != nullptr) FreePalette();
}

void MemoryImage::DeleteSWBuffers() {
  if (!mBits && !mColorIndices) GetBits();
  mNativeAlphaData.reset();
  mRLAdditiveData.reset();
  mRLAlphaData.reset();
  DropTintTerms();
}

void MemoryImage::Delete3DBuffers() { mApp->DropTextureData(this); }

void MemoryImage::DeleteExtraBuffers() {
  DeleteSWBuffers();
  Delete3DBuffers();
}

void MemoryImage::CommitLoadFlags() {
  if (mWantPal) Palettize();
  if (mPurgeBits) PurgeBits();
}

void MemoryImage::DeleteNativeData() {
  if (!mBits && !mColorIndices) GetBits();
  mNativeAlphaData.reset();
  mRLAdditiveData.reset();
}

bool MemoryImage::Palettize() {
  UpdateAlphaFlags();
  if (mColorTable) return true;
  size_t count = PixelCount(mWidth, mHeight);
  const uint32_t* bits = GetBits();
  if (count == 0) return false;
  mColorIndices.reset(new uint8_t[count]);
  mColorTable.reset(new uint32_t[256]());
  if (BuildExactPalette(bits, count, mColorIndices.get(), mColorTable.get())) {
    mBits.reset();
    mNativeAlphaData.reset();
    mWantPal = true;
    return true;
  }
  FreePalette();
  mWantPal = false;
  return false;
}

}  // namespace Plix
