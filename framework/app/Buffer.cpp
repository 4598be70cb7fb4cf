#include "framework/app/Buffer.h"

#include <algorithm>

namespace Plix {

void Buffer::Clear() {
  mData.clear();
  mDataBitSize = 0;
  mReadBitPos = 0;
  mWriteBitPos = 0;
}

void Buffer::SetData(const void* data, int count) {
  mData.clear();
  if (data && count > 0) {
    const auto* p = static_cast<const uint8_t*>(data);
    mData.assign(p, p + count);
  }
  mDataBitSize = static_cast<int64_t>(mData.size()) * 8;
}

void Buffer::WriteByte(uint8_t value) {
  int bit = static_cast<int>(mWriteBitPos % 8);
  if (bit != 0 && mData.empty()) mData.push_back(0);  // written after SetData emptied it
  if (bit == 0) {
    mData.push_back(value);
  } else {
    mData.back() |= static_cast<uint8_t>(value << bit);
    mData.push_back(static_cast<uint8_t>(value >> (8 - bit)));
  }
  mWriteBitPos += 8;
  mDataBitSize = std::max(mDataBitSize, mWriteBitPos);
}

void Buffer::WriteBits(uint32_t value, int bitCount) {
  bitCount = std::clamp(bitCount, 0, 32);
  for (int i = 0; i < bitCount; ++i) {
    if (mWriteBitPos % 8 == 0 || mData.empty()) mData.push_back(0);
    if ((value >> i) & 1) mData.back() |= static_cast<uint8_t>(1u << (mWriteBitPos % 8));
    ++mWriteBitPos;
  }
  mDataBitSize = std::max(mDataBitSize, mWriteBitPos);
}

void Buffer::WriteBoolean(bool value) { WriteByte(value ? 1 : 0); }

void Buffer::WriteShort(uint16_t value) {
  WriteByte(static_cast<uint8_t>(value));
  WriteByte(static_cast<uint8_t>(value >> 8));
}

void Buffer::WriteLong(uint32_t value) {
  for (int shift = 0; shift < 32; shift += 8) WriteByte(static_cast<uint8_t>(value >> shift));
}

void Buffer::WriteString(const std::string& text) {
  int len = static_cast<int>(std::min<size_t>(text.size(), kMaxStringLength));
  WriteShort(static_cast<uint16_t>(len));
  WriteBytes(text.data(), len);
}

void Buffer::WriteBytes(const void* data, int count) {
  const auto* p = static_cast<const uint8_t*>(data);
  for (int i = 0; i < count; ++i) WriteByte(p[i]);
}

uint8_t Buffer::ReadByte() {
  // A byte needs all of its 8 bits in storage; otherwise 0, nothing moves.
  auto stored = static_cast<int64_t>(mData.size());
  if ((mReadBitPos + 7) / 8 >= stored) return 0;
  size_t index = static_cast<size_t>(mReadBitPos / 8);
  int bit = static_cast<int>(mReadBitPos % 8);
  uint8_t result = bit == 0 ? mData[index]
                            : static_cast<uint8_t>((mData[index] >> bit) | (mData[index + 1] << (8 - bit)));
  mReadBitPos += 8;
  return result;
}

uint32_t Buffer::ReadBits(int bitCount, bool signExtend) {
  bitCount = std::clamp(bitCount, 0, 32);
  auto stored = static_cast<int64_t>(mData.size());
  uint32_t value = 0;
  bool lastBit = false;
  for (int i = 0; i < bitCount; ++i) {
    if (mReadBitPos / 8 >= stored) break;
    lastBit = (mData[static_cast<size_t>(mReadBitPos / 8)] >> (mReadBitPos % 8)) & 1;
    if (lastBit) value |= 1u << i;
    ++mReadBitPos;
  }
  if (signExtend && bitCount < 32 && lastBit) value |= ~0u << bitCount;
  return value;
}

bool Buffer::ReadBoolean() { return ReadByte() != 0; }

uint16_t Buffer::ReadShort() {
  uint16_t lo = ReadByte();
  uint16_t hi = ReadByte();
  return static_cast<uint16_t>(lo | (hi << 8));
}

uint32_t Buffer::ReadLong() {
  uint32_t value = 0;
  for (int shift = 0; shift < 32; shift += 8) value |= static_cast<uint32_t>(ReadByte()) << shift;
  return value;
}

std::string Buffer::ReadString() {
  auto len = static_cast<int16_t>(ReadShort());
  if (len <= 0) return {};
  std::string text(static_cast<size_t>(len), '\0');
  ReadBytes(text.data(), len);
  return text;
}

void Buffer::ReadBytes(void* dest, int count) {
  auto* p = static_cast<uint8_t*>(dest);
  for (int i = 0; i < count; ++i) p[i] = ReadByte();
}

}  // namespace Plix
