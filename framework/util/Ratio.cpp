#include "framework/util/Ratio.h"

namespace Plix {

void Ratio::Set(int32_t numerator, int32_t denominator) {
  if (numerator == 0 && denominator == 0) return;
  // 64-bit, so that INT32_MIN with -1 neither traps nor overflows.
  int64_t a = numerator, b = denominator;
  while (b != 0) {
    int64_t r = a % b;
    a = b;
    b = r;
  }
  mNumerator = static_cast<int32_t>(numerator / a);
  mDenominator = static_cast<int32_t>(denominator / a);
}

}  // namespace Plix
