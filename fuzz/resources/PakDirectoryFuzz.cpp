// Archive directories: whatever the bytes, a directory that is accepted
// names only data inside the archive.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "framework/resources/PakInterface.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<Plix::PakDirEntry> entries;
  std::string error;
  if (!Plix::ReadPakDirectory(data, size, entries, error)) return 0;
  volatile uint8_t sum = 0;
  for (const auto& e : entries) {
    if (e.mStartPos < 0 || e.mSize < 0 || static_cast<size_t>(e.mStartPos) + e.mSize > size) std::abort();
    for (int32_t i = 0; i < e.mSize; ++i) sum = sum + data[e.mStartPos + i];
  }
  return 0;
}
