#include "fuzz/sound/SoundFuzzCommon.h"

#include <unistd.h>

#include <cstdio>
#include <string>

#include "framework/platform/AudioMixer.h"
#include "framework/sound/DSoundManager.h"
#include "framework/sound/SoundInstance.h"

namespace Plix {

int FuzzSoundReader(const uint8_t* data, size_t size, const char* extension) {
  static DSoundManager* manager = [] {
    SetOfflineAudioForTesting(true);
    return new DSoundManager(reinterpret_cast<HWND>(1), false);
  }();
  const std::string base = "/tmp/plix-sound-fuzz-" + std::to_string(::getpid());
  const std::string path = base + "." + extension;
  if (FILE* f = std::fopen(path.c_str(), "wb")) {
    std::fwrite(data, 1, size, f);
    std::fclose(f);
  }
  if (manager->LoadSound(0, base)) {
    // Whatever loaded must also play.
    if (SoundInstance* s = manager->NewSoundInstance(0)) {
      s->AdjustPitch(5);
      s->Play(true, false);
      int16_t out[2 * 512];
      MixAudio(out, 512);
      s->Release();
    }
  }
  manager->FreeSound(0);
  std::remove(path.c_str());
  return 0;
}

}  // namespace Plix
