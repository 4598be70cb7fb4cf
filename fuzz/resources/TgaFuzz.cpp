// The TGA reader, loose and archived alike.
#include "fuzz/resources/ResourceFuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Plix::Fuzz::CheckReader(data, size, ".tga", Plix::ImageLib::GetTGAImage);
  return 0;
}
