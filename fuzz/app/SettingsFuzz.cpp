// The settings as the application reads them at start-up: whatever the
// settings file holds, every setting comes out within what a save writes.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "framework/app/PlixAppBase.h"
#include "framework/platform/DebugOutput.h"
#include "framework/platform/Registry.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const bool quiet = [] {
    Plix::SetPlayerOutputSink([](const std::string&) {});
    Plix::SetDebugOutputSink([](const std::string&) {});
    return true;
  }();
  (void)quiet;
  Plix::RegistryStore store;
  store.ReadText(std::string(reinterpret_cast<const char*>(data), size));
  Plix::ScopedRegistryStore scoped(store);
  Plix::PlixAppBase app;
  app.mRegKeyPath = "VARNOK\\Zovad Uda Vodiz";
  app.LoadSettings();
  const bool ok = app.mMusicVolume >= 0.0 && app.mMusicVolume <= 1.0 && app.mSfxVolume >= 0.0 &&
                  app.mSfxVolume <= 1.0 && app.mMuteDepth >= 0 && app.mMuteDepth <= 1 &&
                  (app.mPreferredX == -1 || (app.mPreferredX >= -Plix::PlixAppBase::kMaxWindowPosition &&
                                             app.mPreferredX <= Plix::PlixAppBase::kMaxWindowPosition)) &&
                  (app.mPreferredY == -1 || (app.mPreferredY >= -Plix::PlixAppBase::kMaxWindowPosition &&
                                             app.mPreferredY <= Plix::PlixAppBase::kMaxWindowPosition));
  if (!ok) std::abort();
  return 0;
}
