#pragma once
// An integer fraction kept in lowest terms (the window's aspect, 4/3).
#include <cstdint>

namespace Plix {

class Ratio {
public:
  int32_t mNumerator = 1;
  int32_t mDenominator = 1;

  Ratio() = default;
  // Stores n/d divided by their greatest common divisor, which carries the
  // sign of the last non-zero remainder: 2/-4 and -2/4 both give 1/-2, and
  // n/0 gives 1/0. 0/0 has no such divisor and leaves the ratio unchanged.
  void Set(int32_t numerator, int32_t denominator);
};

}  // namespace Plix
