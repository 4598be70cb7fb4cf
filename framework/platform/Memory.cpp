#include "framework/platform/Memory.h"

#include <malloc.h>

namespace Plix {

void ReturnFreeMemory() {
#if defined(__GLIBC__)
  malloc_trim(0);
#endif
}

}  // namespace Plix
