#include "framework/app/Buffer.h"

#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <vector>

namespace Plix {

namespace {
std::vector<uint8_t> Bytes(const Buffer& b) {
  const uint8_t* p = b.GetDataPtr();
  return p ? std::vector<uint8_t>(p, p + b.GetDataLen()) : std::vector<uint8_t>{};
}
}  // namespace

TEST(Buffer, ByteLayouts) {
  struct Case {
    const char* what;
    std::function<void(Buffer&)> write;
    std::vector<uint8_t> bytes;
    int64_t bits;
  } cases[] = {
      {"bits 1/1, 0/5, 3/4",
       [](Buffer& b) { b.WriteBits(1, 1); b.WriteBits(0, 5); b.WriteBits(3, 4); }, {0xC1, 0x00}, 10},
      {"0xABC in 4 bits keeps 0xC", [](Buffer& b) { b.WriteBits(0xABC, 4); }, {0x0C}, 4},
      {"byte after three bits", [](Buffer& b) { b.WriteBits(0, 3); b.WriteByte(0xFF); }, {0xF8, 0x07}, 11},
      {"short", [](Buffer& b) { b.WriteShort(0x1234); }, {0x34, 0x12}, 16},
      {"long", [](Buffer& b) { b.WriteLong(0x42BEEF78); }, {0x78, 0xEF, 0xBE, 0x42}, 32},
      {"string abc", [](Buffer& b) { b.WriteString("abc"); }, {0x03, 0x00, 0x61, 0x62, 0x63}, 40},
      {"empty string", [](Buffer& b) { b.WriteString(""); }, {0x00, 0x00}, 16},
      {"booleans", [](Buffer& b) { b.WriteBoolean(true); b.WriteBoolean(false); }, {0x01, 0x00}, 16},
      {"negative in 6 bits", [](Buffer& b) { b.WriteBits(static_cast<uint32_t>(-5), 6); }, {0x3B}, 6},
      {"32 bits", [](Buffer& b) { b.WriteBits(0x80000001u, 32); }, {0x01, 0x00, 0x00, 0x80}, 32},
      {"long at bit 1", [](Buffer& b) { b.WriteBits(1, 1); b.WriteLong(0x80000001u); },
       {0x03, 0x00, 0x00, 0x00, 0x01}, 33},
      {"bytes", [](Buffer& b) { const uint8_t d[] = {9, 8, 7}; b.WriteBytes(d, 3); }, {9, 8, 7}, 24},
  };
  for (const auto& c : cases) {
    Buffer b;
    c.write(b);
    EXPECT_EQ(Bytes(b), c.bytes) << c.what;
    EXPECT_EQ(b.GetDataBitSize(), c.bits) << c.what;
    EXPECT_EQ(b.GetWriteBitPos(), c.bits) << c.what;
    EXPECT_EQ(b.GetDataLen(), static_cast<int>(c.bytes.size())) << c.what;
  }
}

TEST(Buffer, SignExtension) {
  Buffer b;
  b.WriteBits(static_cast<uint32_t>(-5), 6);
  b.WriteBits(static_cast<uint32_t>(-5), 6);
  b.WriteBits(5, 6);
  EXPECT_EQ(static_cast<int32_t>(b.ReadBits(6, true)), -5);
  EXPECT_EQ(b.ReadBits(6, false), 59u);
  EXPECT_EQ(b.ReadBits(6, true), 5u);  // top bit 0: nothing to extend
}

TEST(Buffer, ReadsPastTheEnd) {
  Buffer b;
  const uint8_t one = 0x80;
  b.SetData(&one, 1);
  EXPECT_EQ(b.ReadBits(7), 0u);
  EXPECT_EQ(b.ReadByte(), 0);  // only one bit left: nothing read, nothing moves
  EXPECT_EQ(b.GetReadBitPos(), 7);
  EXPECT_FALSE(b.AtEnd());
  EXPECT_EQ(b.ReadBits(1), 1u);
  EXPECT_TRUE(b.AtEnd());
  EXPECT_EQ(b.ReadLong(), 0u);
  EXPECT_EQ(b.ReadString(), "");
  EXPECT_EQ(b.GetReadBitPos(), 8);

  // A partial bit field keeps what was there and stops at the end of storage.
  Buffer c;
  const uint8_t two[] = {0xFF, 0x01};
  c.SetData(two, 2);
  c.ReadBits(4);
  EXPECT_EQ(c.ReadBits(32, true), 0x1Fu);  // 12 bits were left
  EXPECT_EQ(c.GetReadBitPos(), 16);
  // Sign extension looks at the last bit actually read.
  Buffer d;
  d.SetData(&one, 1);
  d.ReadBits(7);
  EXPECT_EQ(d.ReadBits(4, true), 0xFFFFFFF1u);
}

TEST(Buffer, StringsReadBack) {
  Buffer b;
  b.WriteString("Pemi");
  b.WriteString(std::string("a\0b", 3));
  b.WriteString("");
  b.WriteLong(7);
  EXPECT_EQ(b.ReadString(), "Pemi");
  EXPECT_EQ(b.ReadString(), std::string("a\0b", 3));
  EXPECT_EQ(b.ReadString(), "");
  EXPECT_EQ(b.ReadLong(), 7u);

  // A stored length that reads negative gives an empty string and reads
  // nothing further.
  Buffer neg;
  const uint8_t raw[] = {0x00, 0x80, 0x41};
  neg.SetData(raw, 3);
  EXPECT_EQ(neg.ReadString(), "");
  EXPECT_EQ(neg.ReadByte(), 0x41);
}

TEST(Buffer, OverlongStringIsCutAndStaysInStep) {
  struct Case {
    size_t length;
    size_t stored;
  } cases[] = {{32767, 32767}, {32768, 32767}, {70000, 32767}};
  for (const auto& c : cases) {
    Buffer b;
    std::string text(c.length, 'z');
    b.WriteString(text);
    b.WriteLong(0xCAFEF00Du);
    EXPECT_EQ(b.ReadString(), std::string(c.stored, 'z')) << c.length;
    EXPECT_EQ(b.ReadLong(), 0xCAFEF00Du) << c.length;
  }
}

TEST(Buffer, StateOperations) {
  Buffer b;
  EXPECT_TRUE(b.AtEnd());
  EXPECT_EQ(b.GetDataPtr(), nullptr);
  EXPECT_EQ(b.GetDataLen(), 0);
  b.WriteLong(1);
  b.ReadLong();
  EXPECT_TRUE(b.AtEnd());
  b.Rewind();
  EXPECT_FALSE(b.AtEnd());
  b.Clear();
  EXPECT_TRUE(b.AtEnd());
  EXPECT_EQ(b.GetDataPtr(), nullptr);
  EXPECT_EQ(b.GetWriteBitPos(), 0);

  // SetData keeps the positions (callers clear first).
  Buffer s;
  s.WriteByte(1);
  s.ReadByte();
  const uint8_t d[] = {5, 6};
  s.SetData(d, 2);
  EXPECT_EQ(s.GetReadBitPos(), 8);
  EXPECT_EQ(s.ReadByte(), 6);
  EXPECT_EQ(s.GetDataBitSize(), 16);
  s.SetData(nullptr, 5);
  EXPECT_EQ(s.GetDataLen(), 0);
}

TEST(Buffer, RandomRoundTripAtOddBitPositions) {
  enum Kind { kBits, kByte, kShort, kLong, kBool, kString };
  struct Field {
    Kind kind;
    int bits;
    uint32_t value;
    std::string text;
  };
  std::mt19937 rng(12345);
  for (int round = 0; round < 50; ++round) {
    std::vector<Field> fields;
    Buffer b;
    for (int i = 0; i < 200; ++i) {
      Field f{static_cast<Kind>(rng() % 6), static_cast<int>(rng() % 33), static_cast<uint32_t>(rng()), {}};
      switch (f.kind) {
        case kBits: b.WriteBits(f.value, f.bits); break;
        case kByte: b.WriteByte(static_cast<uint8_t>(f.value)); break;
        case kShort: b.WriteShort(static_cast<uint16_t>(f.value)); break;
        case kLong: b.WriteLong(f.value); break;
        case kBool: b.WriteBoolean(f.value & 1); break;
        case kString:
          for (int n = static_cast<int>(rng() % 12); n > 0; --n) f.text += static_cast<char>(rng());
          b.WriteString(f.text);
          break;
      }
      fields.push_back(f);
    }
    EXPECT_EQ(b.GetDataLen(), (b.GetWriteBitPos() + 7) / 8);
    for (size_t i = 0; i < fields.size(); ++i) {
      const Field& f = fields[i];
      switch (f.kind) {
        case kBits: {
          uint32_t mask = f.bits == 32 ? ~0u : (1u << f.bits) - 1;
          ASSERT_EQ(b.ReadBits(f.bits), f.value & mask) << round << ":" << i;
          break;
        }
        case kByte: ASSERT_EQ(b.ReadByte(), static_cast<uint8_t>(f.value)) << round << ":" << i; break;
        case kShort: ASSERT_EQ(b.ReadShort(), static_cast<uint16_t>(f.value)) << round << ":" << i; break;
        case kLong: ASSERT_EQ(b.ReadLong(), f.value) << round << ":" << i; break;
        case kBool: ASSERT_EQ(b.ReadBoolean(), (f.value & 1) != 0) << round << ":" << i; break;
        case kString: ASSERT_EQ(b.ReadString(), f.text) << round << ":" << i; break;
      }
    }
    EXPECT_TRUE(b.AtEnd());
    // The unused bits of the last byte are 0.
    if (b.GetWriteBitPos() % 8) {
      uint8_t last = b.GetDataPtr()[b.GetDataLen() - 1];
      EXPECT_EQ(last >> (b.GetWriteBitPos() % 8), 0);
    }
  }
}

}  // namespace Plix
