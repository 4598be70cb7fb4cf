// The manifest reader over any bytes: it reports success or one error,
// and the records it files add up.
#include <cstdlib>

#include "framework/resources/ResourceHost.h"
#include "framework/resources/ResourceManager.h"
#include "fuzz/resources/ResourceFuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string path = Plix::Fuzz::ScratchFolder() + "resources.xml";
  Plix::Fuzz::WriteFile(path, data, size);
  Plix::FakeResourceHost host;
  Plix::ResourceManager manager(&host);
  bool ok = manager.ReadManifestFile(path);
  if (ok == manager.HasError() || ok != manager.GetErrorText().empty()) std::abort();
  if (manager.CountGroupResources("") < 0) std::abort();
  return 0;
}
