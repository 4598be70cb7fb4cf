// Streamed songs on any bytes, through the music layer the game plays them
// with: loaded as an .ogg song, played looping and from an offset, faded,
// and mixed as the audio thread would. Nothing crashes or hangs, whatever
// the stream holds (a song with no frames must not loop forever).
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <string>

#include "framework/platform/AudioMixer.h"
#include "framework/sound/BassMusicInterface.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const bool offline = [] {
    Plix::SetOfflineAudioForTesting(true);
    return true;
  }();
  (void)offline;
  const std::string path = "/tmp/plix-song-fuzz-" + std::to_string(::getpid()) + ".ogg";
  if (FILE* f = std::fopen(path.c_str(), "wb")) {
    std::fwrite(data, 1, size, f);
    std::fclose(f);
  }
  {
    Plix::BassMusicInterface music(reinterpret_cast<Plix::HWND>(1));
    if (music.LoadMusic(1, path)) {
      int16_t out[2 * 1024];
      music.PlayMusic(1, 0, false);
      for (int i = 0; i < 4; ++i) Plix::MixAudio(out, 1024);
      music.PlayMusic(1, 4096, true);
      Plix::MixAudio(out, 1024);
      music.FadeOut(1, true, 0.5);
      for (int i = 0; i < 3; ++i) {
        music.Update();
        Plix::MixAudio(out, 1024);
      }
      music.UnloadMusic(1);
    }
  }
  std::remove(path.c_str());
  return 0;
}
