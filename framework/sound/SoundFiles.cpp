#include "framework/sound/SoundFiles.h"

#include "framework/platform/AudioFiles.h"

namespace Plix {

namespace {
void* Open(const std::string& name) { return PakFOpen(name, "rb"); }
size_t Read(void* buffer, size_t size, size_t count, void* file) {
  return PakFRead(buffer, size, count, static_cast<PakHandle*>(file));
}
int Seek(void* file, long offset, int origin) {
  return PakFSeek(static_cast<PakHandle*>(file), offset, origin);
}
long Tell(void* file) { return PakFTell(static_cast<PakHandle*>(file)); }
int Close(void* file) { return PakFClose(static_cast<PakHandle*>(file)); }
}  // namespace

void InstallSoundFileAccess() { SetAudioFileAccess({Open, Read, Seek, Tell, Close}); }

}  // namespace Plix
