// The JPEG reader, loose and archived alike.
#include "fuzz/resources/ResourceFuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Plix::Fuzz::CheckReader(data, size, ".jpg", Plix::ImageLib::GetJPEGImage);
  return 0;
}
