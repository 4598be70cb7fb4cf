#include "framework/sound/SoundHost.h"

#include <atomic>
#include <cstdlib>

#include "framework/platform/DebugOutput.h"

namespace Plix {

namespace {
std::atomic<SoundHost*> gHost{nullptr};
}

SoundHost* GetSoundHost() { return gHost.load(); }
void SetSoundHost(SoundHost* host) { gHost = host; }

void SoundMessageBox(const std::string& text, const std::string& caption, unsigned flags) {
  if (SoundHost* host = GetSoundHost())
    host->MessageBox(nullptr, text, caption, flags);
  else
    TellPlayer(caption + ": " + text);  // no window to show it in
}

void SoundFatalError(const std::string& text, const std::string& caption, unsigned flags) {
  if (!text.empty()) SoundMessageBox(text, caption, flags);
  std::exit(1);
}

}  // namespace Plix
