#include "framework/app/DemoFile.h"

#include <algorithm>
#include <cstdio>

#include "framework/app/Buffer.h"
#include "framework/platform/Files.h"
#include "framework/util/Utilities.h"

namespace Plix {

namespace {

constexpr const char* kInvalid = "Invalid demo file.";

// Reads the file front to back; bytes past the end read as zeros.
class ByteReader {
public:
  ByteReader(const uint8_t* data, size_t size) : mData(data), mSize(size) {}

  uint32_t Read(int bytes) {
    uint32_t value = 0;
    for (int i = 0; i < bytes; ++i, ++mPos)
      if (mPos < mSize) value |= static_cast<uint32_t>(mData[mPos]) << (8 * i);
    return value;
  }
  std::string ReadText(size_t count) {
    const size_t from = std::min(mPos, mSize);
    const size_t take = std::min(count, mSize - from);
    mPos += count;
    return std::string(reinterpret_cast<const char*>(mData) + from, take);
  }
  int64_t Remaining() const { return static_cast<int64_t>(mSize) - static_cast<int64_t>(mPos); }
  const uint8_t* Here() const { return mData + std::min(mPos, mSize); }

private:
  const uint8_t* mData;
  size_t mSize;
  size_t mPos = 0;
};

void PutLong(std::vector<uint8_t>& out, uint32_t value) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

void SkipBits(Buffer& buffer, int64_t bits) { buffer.SetReadBitPos(buffer.GetReadBitPos() + bits); }

}  // namespace

bool ReadDemoFileBytes(const std::string& path, std::vector<uint8_t>& bytes, std::string& error, size_t limit) {
  bytes.clear();
  FILE* f = Fs::OpenFile(path, "rb");
  if (!f) {
    error = "Demo file not found: " + path;
    return false;
  }
  uint8_t chunk[65536];
  size_t n = std::fread(chunk, 1, 4, f);
  bool ok = n == 4 && ByteReader(chunk, 4).Read(4) == kDemoMagic;
  if (!ok) error = std::ferror(f) ? "Demo file could not be read: " + path : kInvalid;
  bytes.assign(chunk, chunk + n);
  while (ok && n > 0) {
    n = std::fread(chunk, 1, sizeof chunk, f);
    if (bytes.size() + n > limit) {
      error = "Demo file too large: " + path;
      ok = false;
    } else if (std::ferror(f)) {
      error = "Demo file could not be read: " + path;
      ok = false;
    } else {
      bytes.insert(bytes.end(), chunk, chunk + n);
    }
  }
  std::fclose(f);
  if (!ok) bytes.clear();
  return ok;
}

bool ParseDemoFile(const uint8_t* data, size_t size, const std::string& programVersion, DemoFile& file,
                   std::string& error) {
  ByteReader in(data, size);
  file = DemoFile();
  if (in.Read(4) != kDemoMagic) {
    error = kInvalid;
    return false;
  }
  file.mVersion = in.Read(4);
  file.mSeed = in.Read(4);
  const size_t textLength = std::min<uint32_t>(in.Read(2), kDemoMaxVersionText);
  file.mVersionText = in.ReadText(textLength);
  if (file.mVersionText.size() != textLength || file.mVersionText != programVersion) {
    error = "This demo file appears to be for '" + file.mVersionText + "'";
    return false;
  }

  int64_t remaining = in.Remaining();
  if (file.mVersion >= 2) {
    const uint32_t blockLength = in.Read(4);
    remaining -= 4;
    if (static_cast<int64_t>(blockLength) >= remaining) {
      error = kInvalid;
      return false;
    }
    Buffer block;
    block.SetData(in.Here(), static_cast<int>(blockLength));
    in.ReadText(blockLength);
    const uint32_t count = block.ReadLong();
    for (uint32_t i = 0; i < count && !block.AtEnd(); ++i) {
      DemoMarker marker;
      marker.mName = block.ReadString();
      marker.mUpdate = block.ReadLong();
      file.mMarkers.push_back(std::move(marker));
    }
    if (file.mMarkers.size() < count) {
      error = kInvalid;
      return false;
    }
    remaining -= blockLength;
  }
  file.mLength = in.Read(4);
  remaining -= 4;
  if (remaining > 0) file.mRecords.assign(in.Here(), in.Here() + remaining);
  return true;
}

std::vector<uint8_t> SerializeDemoFile(const DemoFile& file) {
  std::vector<uint8_t> out;
  PutLong(out, kDemoMagic);
  PutLong(out, kDemoVersion);
  PutLong(out, file.mSeed);
  const size_t textLength = std::min<size_t>(file.mVersionText.size(), 0xFFFF);
  out.push_back(static_cast<uint8_t>(textLength));
  out.push_back(static_cast<uint8_t>(textLength >> 8));
  out.insert(out.end(), file.mVersionText.begin(), file.mVersionText.begin() + static_cast<std::ptrdiff_t>(textLength));

  Buffer block;
  block.WriteLong(static_cast<uint32_t>(file.mMarkers.size()));
  for (const DemoMarker& marker : file.mMarkers) {
    block.WriteString(marker.mName);
    block.WriteLong(marker.mUpdate);
  }
  PutLong(out, static_cast<uint32_t>(block.GetDataLen()));
  if (block.GetDataPtr()) out.insert(out.end(), block.GetDataPtr(), block.GetDataPtr() + block.GetDataLen());

  PutLong(out, file.mLength);
  out.insert(out.end(), file.mRecords.begin(), file.mRecords.end());
  return out;
}

void SkipDemoRecordPayload(Buffer& buffer, bool shortForm, int type) {
  if (shortForm) {
    SkipBits(buffer, type == DEMO_MOUSE_MOVE ? 12 : 4);
    return;
  }
  switch (type) {
    case DEMO_MOUSE_POSITION: SkipBits(buffer, 24); break;
    case DEMO_ACTIVE:
    case DEMO_REGISTRY_WRITE:
    case DEMO_FILE_EXISTS:
    case DEMO_FILE_WRITTEN: SkipBits(buffer, 1); break;
    case DEMO_MINIMISED:
    case DEMO_KEY_DOWN:
    case DEMO_KEY_UP:
    case DEMO_MOUSE_WHEEL: SkipBits(buffer, 8); break;
    case DEMO_KEY_CHAR: SkipBits(buffer, buffer.ReadBits(1) ? 16 : 8); break;
    case DEMO_DISPLAY: SkipBits(buffer, 16); break;
    case DEMO_REGISTRY_READ:
      if (buffer.ReadBits(1)) {
        buffer.ReadLong();
        SkipBits(buffer, static_cast<int64_t>(buffer.ReadLong()) * 8);
      }
      break;
    case DEMO_HTTP_RESULT: {
      SkipBits(buffer, 40);
      const auto length = static_cast<int16_t>(buffer.ReadShort());
      if (length > 0) SkipBits(buffer, static_cast<int64_t>(length) * 8);
      break;
    }
    case DEMO_SYNC_BYTES: SkipBits(buffer, static_cast<int64_t>(buffer.ReadLong()) * 8); break;
    default: break;
  }
}

bool DemoRecordsRemain(const Buffer& buffer) {
  return buffer.GetDataBitSize() - buffer.GetReadBitPos() >= kDemoMinRecordBits;
}

std::wstring DemoMarkerEntry(const DemoMarker& marker, uint32_t demoLength, int tickMs) {
  const int64_t seconds = (static_cast<int64_t>(demoLength) - marker.mUpdate) * tickMs / 1000;
  return StringToWString(marker.mName) + WStrFormat(L" (%02d:%02d:%02d)", static_cast<int>(seconds / 3600),
                                                    static_cast<int>((seconds / 60) % 60), static_cast<int>(seconds % 60));
}

}  // namespace Plix
