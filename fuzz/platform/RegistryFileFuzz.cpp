// The registry file reader: any bytes are read without harm, and what was
// read writes out as text that reads back to the same contents.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "framework/platform/Registry.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Plix::RegistryStore store;
  store.ReadText(std::string(reinterpret_cast<const char*>(data), size));
  std::string text = store.Serialize();
  Plix::RegistryStore again;
  if (!again.ReadText(text) || again.Serialize() != text) std::abort();
  return 0;
}
