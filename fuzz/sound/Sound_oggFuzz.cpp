#include "fuzz/sound/SoundFuzzCommon.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  return Plix::FuzzSoundReader(data, size, "ogg");
}
