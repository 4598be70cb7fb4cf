// The JPEG2000 reader, loose and archived alike.
#include "fuzz/resources/ResourceFuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Plix::ImageLib::LoadJpeg2000Codec();
  Plix::Fuzz::CheckReader(data, size, ".j2k", Plix::ImageLib::GetJPEG2000Image);
  return 0;
}
