#pragma once
// The one serialisation container: a little-endian bit stream with separate
// read and write positions counted in bits. Fields of 1 to 32 bits are
// stored least significant bit first from bit 0 of each byte; bytes and 16-
// and 32-bit numbers low byte first; strings as a 16-bit length and their
// bytes. Reading past the stored bytes yields zeros and never fails; readers
// that must know ask AtEnd. Demos, profiles and crash reports depend on this
// exact layout.
#include <cstdint>
#include <string>
#include <vector>

namespace Plix {

class Buffer {
public:
  // The longest string WriteString stores: its length field is read back as
  // signed 16-bit.
  static constexpr int kMaxStringLength = 32767;

  Buffer() = default;
  virtual ~Buffer() = default;

  void Clear();
  void Rewind() { mReadBitPos = 0; }
  // Replaces the stored bytes; the positions stay as they were (callers
  // clear first). A buffer filled this way is only read.
  void SetData(const void* data, int count);

  void WriteByte(uint8_t value);
  void WriteBits(uint32_t value, int bitCount);
  void WriteBoolean(bool value);
  void WriteShort(uint16_t value);
  void WriteLong(uint32_t value);
  // Length as 16 bits, then the bytes. Longer strings are cut to
  // kMaxStringLength bytes, so that what is written always reads back and
  // the fields after it stay in place.
  void WriteString(const std::string& text);
  void WriteBytes(const void* data, int count);

  uint8_t ReadByte();
  // Sign extension fills bits n..31 when the last bit read was 1.
  uint32_t ReadBits(int bitCount, bool signExtend = false);
  bool ReadBoolean();
  uint16_t ReadShort();
  uint32_t ReadLong();
  std::string ReadString();
  void ReadBytes(void* dest, int count);

  // The first stored byte, or null when nothing is stored.
  const uint8_t* GetDataPtr() const { return mData.empty() ? nullptr : mData.data(); }
  // The size in whole bytes.
  int GetDataLen() const { return static_cast<int>((mDataBitSize + 7) / 8); }
  bool AtEnd() const { return mReadBitPos >= mDataBitSize; }

  // Positions in bits, for readers that look ahead and step back.
  int64_t GetReadBitPos() const { return mReadBitPos; }
  void SetReadBitPos(int64_t pos) { mReadBitPos = pos < 0 ? 0 : pos; }
  int64_t GetWriteBitPos() const { return mWriteBitPos; }
  int64_t GetDataBitSize() const { return mDataBitSize; }

private:
  std::vector<uint8_t> mData;
  int64_t mDataBitSize = 0;
  int64_t mReadBitPos = 0;
  int64_t mWriteBitPos = 0;
};

}  // namespace Plix
