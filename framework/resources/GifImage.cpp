// The first image of a GIF file, decoded by our own LZW reader.
#include <cstdio>
#include <cstring>
#include <vector>

#include "framework/resources/ImageLib.h"
#include "framework/resources/PakInterface.h"

namespace Plix::ImageLib {

namespace {

constexpr int kMaxCodes = 4096;

class GifReader {
public:
  explicit GifReader(PakHandle* file) : mFile(file) {}
  std::unique_ptr<Image> Read();

private:
  bool Bytes(void* out, size_t n) { return PakFRead(out, 1, n, mFile) == n; }
  int Byte() {
    uint8_t b;
    return Bytes(&b, 1) ? b : -1;
  }
  int Word() {
    uint8_t b[2];
    return Bytes(b, 2) ? b[0] | b[1] << 8 : -1;
  }
  bool ReadColorTable(int count, uint32_t* table);
  // Reads data sub-blocks until the empty one; the first block's bytes are
  // kept in `first`.
  bool SkipSubBlocks(std::vector<uint8_t>* first = nullptr);
  int NextCode(int width);
  void DecodePixels(Image& image, int codeSize, bool interlaced);

  PakHandle* mFile;
  uint32_t mGlobal[256] = {};
  uint32_t mLocal[256] = {};
  const uint32_t* mPalette = mGlobal;
  int mTransparent = -1;

  // The LZW bit stream, read one data sub-block at a time.
  uint8_t mBlock[256] = {};
  int mBlockSize = 0;
  int mBlockPos = 0;
  uint32_t mBits = 0;
  int mBitCount = 0;
  bool mDataEnded = false;
};

bool GifReader::ReadColorTable(int count, uint32_t* table) {
  uint8_t rgb[256 * 3];
  if (!Bytes(rgb, size_t(count) * 3)) return false;
  // Indices beyond the table read as opaque black.
  for (int i = 0; i < 256; ++i)
    table[i] = i < count ? 0xFF000000 | rgb[i * 3] << 16 | rgb[i * 3 + 1] << 8 | rgb[i * 3 + 2] : 0xFF000000;
  return true;
}

bool GifReader::SkipSubBlocks(std::vector<uint8_t>* first) {
  uint8_t data[255];
  for (bool isFirst = true;; isFirst = false) {
    int n = Byte();
    if (n < 0) return false;
    if (n == 0) return true;
    if (!Bytes(data, size_t(n))) return false;
    if (isFirst && first) first->assign(data, data + n);
  }
}

int GifReader::NextCode(int width) {
  while (mBitCount < width) {
    if (mBlockPos >= mBlockSize) {
      if (mDataEnded) return -1;
      int n = Byte();
      size_t got = n > 0 ? PakFRead(mBlock, 1, size_t(n), mFile) : 0;
      if (got == 0) {
        mDataEnded = true;
        return -1;
      }
      // A block cut short by the end of the file still gives what it has.
      mDataEnded = got < size_t(n);
      mBlockSize = static_cast<int>(got);
      mBlockPos = 0;
    }
    mBits |= uint32_t(mBlock[mBlockPos++]) << mBitCount;
    mBitCount += 8;
  }
  int code = static_cast<int>(mBits & ((1u << width) - 1));
  mBits >>= width;
  mBitCount -= width;
  return code;
}

void GifReader::DecodePixels(Image& image, int codeSize, bool interlaced) {
  const int clear = 1 << codeSize;
  const int end = clear + 1;
  std::vector<uint16_t> prefix(kMaxCodes);
  std::vector<uint8_t> suffix(kMaxCodes);
  std::vector<uint8_t> stack(kMaxCodes + 1);
  for (int i = 0; i < clear; ++i) suffix[i] = static_cast<uint8_t>(i);

  const int width = image.mWidth, height = image.mHeight;
  int x = 0, row = 0, pass = 0, step = interlaced ? 8 : 1;
  auto put = [&](uint8_t index) {
    if (row >= height) return;
    image.mBits[size_t(row) * width + x] = index == mTransparent ? 0 : mPalette[index];
    if (++x < width) return;
    x = 0;
    row += step;
    // The four passes of an interlaced image: rows 0, 8, ...; 4, 12, ...;
    // 2, 6, ...; 1, 3, ...
    while (interlaced && row >= height && pass < 3) {
      static const int kStart[] = {0, 4, 2, 1}, kStep[] = {8, 8, 4, 2};
      ++pass;
      row = kStart[pass];
      step = kStep[pass];
    }
  };

  int avail = clear + 2, width_ = codeSize + 1, oldCode = -1;
  uint8_t first = 0;
  for (;;) {
    int code = NextCode(width_);
    if (code < 0 || code == end) return;
    if (code == clear) {
      width_ = codeSize + 1;
      avail = clear + 2;
      oldCode = -1;
      continue;
    }
    if (oldCode < 0) {
      // The first code after a clear must be a plain index.
      if (code > clear) return;
      first = suffix[code];
      put(first);
      oldCode = code;
      continue;
    }
    if (code > avail) return;
    int inCode = code, top = 0;
    if (code == avail) {
      stack[top++] = first;
      code = oldCode;
    }
    while (code > clear) {
      stack[top++] = suffix[code];
      code = prefix[code];
    }
    first = suffix[code];
    stack[top++] = first;
    if (avail >= kMaxCodes) return;
    prefix[avail] = static_cast<uint16_t>(oldCode);
    suffix[avail] = first;
    ++avail;
    if ((avail & ((1 << width_) - 1)) == 0 && width_ < 12) ++width_;
    oldCode = inCode;
    while (top > 0) put(stack[--top]);
    if (row >= height) return;
  }
}

std::unique_ptr<Image> GifReader::Read() {
  char signature[6];
  if (!Bytes(signature, 6) || (std::memcmp(signature, "GIF87", 5) != 0 && std::memcmp(signature, "GIF89", 5) != 0))
    return nullptr;
  uint8_t screen[7];
  if (!Bytes(screen, sizeof screen)) return nullptr;
  if ((screen[4] & 0x80) && !ReadColorTable(2 << (screen[4] & 7), mGlobal)) return nullptr;

  for (;;) {
    int introducer = Byte();
    if (introducer < 0 || introducer == ';') return nullptr;
    if (introducer == ',') break;
    if (introducer != '!') continue;
    int label = Byte();
    if (label < 0) return nullptr;
    std::vector<uint8_t> data;
    if (!SkipSubBlocks(&data)) return nullptr;
    // Graphic control: bit 0 of the flags marks the transparent index.
    if (label == 0xF9 && data.size() >= 4 && (data[0] & 1)) mTransparent = data[3];
  }

  uint8_t desc[9];
  if (!Bytes(desc, sizeof desc)) return nullptr;
  int width = desc[4] | desc[5] << 8;
  int height = desc[6] | desc[7] << 8;
  uint8_t flags = desc[8];
  if (flags & 0x80) {
    if (!ReadColorTable(2 << (flags & 7), mLocal)) return nullptr;
    mPalette = mLocal;
  }
  int codeSize = Byte();
  // Code sizes above 11 would put the clear code outside the table.
  if (codeSize < 1 || codeSize > 11) return nullptr;
  // What the file can really hold: a frame within its logical screen, and
  // no more pixels than the bytes left could encode (a code of at least two
  // bits stands for at most 4096 of them).
  const int screenWidth = screen[0] | screen[1] << 8, screenHeight = screen[2] | screen[3] << 8;
  if (width > screenWidth || height > screenHeight) return nullptr;
  const long here = PakFTell(mFile);
  PakFSeek(mFile, 0, SEEK_END);
  const long end = PakFTell(mFile);
  PakFSeek(mFile, here, SEEK_SET);
  if (here < 0 || end < here || int64_t(width) * height > int64_t(end - here) * 8 / 2 * kMaxCodes) return nullptr;
  std::unique_ptr<Image> image = CreateImage(width, height);
  if (!image) return nullptr;
  // Rows a short stream never reaches stay transparent black.
  std::memset(image->mBits, 0, size_t(width) * height * 4);
  DecodePixels(*image, codeSize, (flags & 0x40) != 0);
  return image;
}

}  // namespace

std::unique_ptr<Image> GetGIFImage(const std::string& path) {
  PakHandle* file = PakFOpen(path, "rb");
  if (!file) return nullptr;
  std::unique_ptr<Image> image = GifReader(file).Read();
  PakFClose(file);
  return image;
}

}  // namespace Plix::ImageLib
