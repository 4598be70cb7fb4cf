#pragma once
// The sound manager over the emulated DirectSound: one static buffer per
// sound id, 32 channels of short-lived instances. Without a device (no
// window, or no audio output) it is silent: loading succeeds without
// loading and instances play nothing.
#include <cstdint>
#include <string>

#include "framework/platform/DirectSound.h"
#include "framework/sound/SoundManager.h"

namespace Plix {

class DSoundInstance;

constexpr int kMaxSounds = 256;
constexpr int kMaxChannels = 32;

// DirectSound attenuation in hundredths of a decibel for a linear volume;
// -10000 (silence) below about 0.0431.
int VolumeToDB(double volume);

// Last-write time of a file as a FILETIME value; 0 and false when the file
// cannot be opened.
bool GetFileLastWriteTime(const std::string& path, uint64_t& fileTime);

// The byte-wise scrambling of the "xor " chunk: applying it twice with one
// key gives the bytes back.
void ScrambleSoundBytes(uint8_t* bytes, size_t count, uint8_t key);

class DSoundManager : public SoundManager {
public:
  DSoundManager(HWND window, bool useFMod);
  ~DSoundManager() override;

  bool Initialized() override;
  int FindOrLoadSound(const std::string& name) override;
  bool LoadSound(unsigned int id, const std::string& name) override;
  void FreeSound(int id) override;
  void SetVolume(double volume) override;
  bool SetBaseVolume(unsigned int id, double baseVolume) override;
  bool SetBasePan(unsigned int id, int basePan) override;
  SoundInstance* NewSoundInstance(unsigned int id) override;
  void FreeSounds() override;
  void FreeChannels() override;
  double GetMasterVolume() override;
  void SetMasterVolume(double volume) override;
  void Reserved() override {}
  void SetCooperativeWindow(HWND window, bool windowed) override;
  void StopAllSounds() override;
  int FindFreeSoundId() override;
  int GetNumSounds() override;

  // Sample file readers: each decodes a whole file (full name) into the
  // id's buffer and records its byte length.
  bool LoadWavSound(unsigned int id, const std::string& path);
  bool LoadFModSound(unsigned int id, const std::string& path);
  bool LoadOggSound(unsigned int id, const std::string& path);
  bool LoadAuSound(unsigned int id, const std::string& path);
  // Writes an id's sound as our WAV variant, stamped with the source's time.
  bool WriteWavCache(unsigned int id, const std::string& target, const std::string& source);

  double GetEffectsVolume() const { return mEffectsVolume; }
  // The id's buffer and its recorded byte length (tests, tools).
  IDirectSoundBuffer* GetSoundBuffer(unsigned int id) const;
  uint32_t GetSoundLength(unsigned int id) const;

private:
  friend class DSoundInstance;
  int FindFreeChannel();
  void ReleaseFinishedChannels();
  // Creates the id's static buffer and locks it whole; null on failure.
  uint8_t* CreateLockedBuffer(unsigned int id, int channels, int rate, int bits, uint32_t bytes);
  // A failed read leaves the id free, without a half-filled buffer.
  void DropBuffer(unsigned int id);

  IDirectSoundBuffer* mSourceSounds[kMaxSounds] = {};
  std::string mSourceFileNames[kMaxSounds];
  IDirectSoundBuffer* mPrimaryBuffer = nullptr;
  uint32_t mSourceDataSizes[kMaxSounds] = {};
  double mBaseVolumes[kMaxSounds];
  int mBasePans[kMaxSounds] = {};
  DSoundInstance* mPlayingSounds[kMaxChannels] = {};
  double mEffectsVolume = 1.0;
  uint32_t mLastReleaseTick = 0;
  IDirectSound* mDirectSound = nullptr;
  bool mUseFMod = false;
};

}  // namespace Plix
