#pragma once
// The store of sound effects (ids 0 to 255) and the channel table through
// which they play. The application creates one DSoundManager for the whole
// run; the resource manager loads sounds into free ids.
#include <string>

#include "framework/platform/WinTypes.h"

namespace Plix {

class SoundInstance;

class SoundManager {
public:
  virtual ~SoundManager() = default;
  virtual bool Initialized() = 0;
  // The id already holding the base name, or a new one loaded from the
  // highest free id down; -1 when loading fails.
  virtual int FindOrLoadSound(const std::string& name) = 0;
  // `name` is a base name: ".wav", ".mp3" (FMOD only), ".ogg" and ".au"
  // are tried in that order.
  virtual bool LoadSound(unsigned int id, const std::string& name) = 0;
  virtual void FreeSound(int id) = 0;
  // The effects volume, 0 ... 1, applied at once to every channel.
  virtual void SetVolume(double volume) = 0;
  virtual bool SetBaseVolume(unsigned int id, double baseVolume) = 0;
  virtual bool SetBasePan(unsigned int id, int basePan) = 0;
  // A new instance in a free channel, owned by the manager; null when the
  // id has no sound or all 32 channels are busy.
  virtual SoundInstance* NewSoundInstance(unsigned int id) = 0;
  virtual void FreeSounds() = 0;
  virtual void FreeChannels() = 0;
  // The master volume over everything the program plays, 0 ... 1.
  virtual double GetMasterVolume() = 0;
  virtual void SetMasterVolume(double volume) = 0;
  virtual void Reserved() = 0;
  virtual void SetCooperativeWindow(HWND window, bool windowed) = 0;
  virtual void StopAllSounds() = 0;
  virtual int FindFreeSoundId() = 0;
  virtual int GetNumSounds() = 0;
};

}  // namespace Plix
