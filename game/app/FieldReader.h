#pragma once
// Reads the fields of a stored file only while the bytes for them are
// there: a file cut short keeps the caller's defaults for everything it
// lacks instead of loading zeros and empty names.
#include <cstdint>
#include <string>

#include "framework/app/Buffer.h"

namespace Plix {

class FieldReader {
public:
  explicit FieldReader(Buffer& buffer) : mBuffer(buffer) {}

  // Each leaves `value` untouched and returns false once the data has run out.
  bool Long(int& value) {
    if (!Has(4)) return false;
    value = static_cast<int32_t>(mBuffer.ReadLong());
    return true;
  }
  bool Boolean(bool& value) {
    if (!Has(1)) return false;
    value = mBuffer.ReadBoolean();
    return true;
  }
  // A length below 0 or above `maxLength` is a damaged field: false, and
  // IsDamaged() from then on.
  bool String(std::string& value, int maxLength = Buffer::kMaxStringLength) {
    if (!Has(2)) return false;
    int64_t start = mBuffer.GetReadBitPos();
    auto length = static_cast<int16_t>(mBuffer.ReadShort());
    if (length < 0 || length > maxLength) {
      mBuffer.SetReadBitPos(start);
      mDamaged = true;
      return false;
    }
    if (length > 0 && !Has(length)) {
      mBuffer.SetReadBitPos(start);
      mShort = true;
      return false;
    }
    mBuffer.SetReadBitPos(start);
    value = mBuffer.ReadString();
    return true;
  }
  template <int N>
  bool Longs(int (&values)[N]) {
    for (int& v : values)
      if (!Long(v)) return false;
    return true;
  }
  template <int N>
  bool Booleans(bool (&values)[N]) {
    for (bool& v : values)
      if (!Boolean(v)) return false;
    return true;
  }

  // True once a field was missing.
  bool IsShort() const { return mShort; }
  bool IsDamaged() const { return mDamaged; }

private:
  bool Has(int64_t bytes) {
    if (mShort || mDamaged) return false;
    if (mBuffer.GetDataBitSize() - mBuffer.GetReadBitPos() >= bytes * 8) return true;
    mShort = true;
    return false;
  }

  Buffer& mBuffer;
  bool mShort = false;
  bool mDamaged = false;
};

}  // namespace Plix
