#include "framework/sound/DSoundManager.h"

#include <algorithm>
#include <cmath>

#include "framework/platform/AudioMixer.h"
#include "framework/platform/Clock.h"
#include "framework/sound/DSoundInstance.h"
#include "framework/sound/FModLoader.h"
#include "framework/sound/SoundFiles.h"

namespace Plix {

int VolumeToDB(double volume) {
  const double db = (std::log10(volume * 9.0 + 1.0) - 1.0) * 2333.0;
  // A negative or endless volume (from a hand-edited setting, say) has no
  // finite logarithm: it is silence, never an undefined conversion.
  if (!std::isfinite(db)) return -10000;
  const int whole = static_cast<int>(db);
  return whole < -2000 ? -10000 : whole;
}

DSoundManager::DSoundManager(HWND window, bool useFMod) : mUseFMod(useFMod) {
  for (double& v : mBaseVolumes) v = 1.0;
  InstallSoundFileAccess();
  if (!window) return;
  if (FAILED(DirectSoundCreate(nullptr, &mDirectSound, nullptr))) {
    mDirectSound = nullptr;
    return;
  }
  if (mUseFMod) {
    LoadFModDLL();
    FMOD_INSTANCE* fmod = GetFModInstance();
    fmod->FSOUND_SetHWND(window);
    fmod->FSOUND_SetBufferSize(200);
    fmod->FSOUND_Init(44100, 64, 2);
  }
  if (FAILED(mDirectSound->SetCooperativeLevel(window, DSSCL_PRIORITY))) {
    mDirectSound->SetCooperativeLevel(window, DSSCL_NORMAL);
    return;
  }
  DSBUFFERDESC desc;
  desc.dwSize = 20;
  desc.dwFlags = DSBCAPS_PRIMARYBUFFER;
  if (SUCCEEDED(mDirectSound->CreateSoundBuffer(&desc, &mPrimaryBuffer, nullptr))) {
    WAVEFORMATEX format;
    format.wFormatTag = WAVE_FORMAT_PCM;
    format.nChannels = 2;
    format.nSamplesPerSec = 44100;
    format.nAvgBytesPerSec = 176400;
    format.nBlockAlign = 4;
    format.wBitsPerSample = 16;
    mPrimaryBuffer->SetFormat(&format);
  } else {
    mPrimaryBuffer = nullptr;
  }
}

DSoundManager::~DSoundManager() {
  FreeChannels();
  FreeSounds();
  if (mPrimaryBuffer) mPrimaryBuffer->Release();
  if (mDirectSound) {
    if (mUseFMod) GetFModInstance()->FSOUND_Close();
    mDirectSound->Release();
    if (mUseFMod) FreeFModDLL();
  }
}

bool DSoundManager::Initialized() { return mDirectSound != nullptr; }

int DSoundManager::FindFreeChannel() {
  const uint32_t now = GetTickCount();
  if (now - mLastReleaseTick > 1000) {
    ReleaseFinishedChannels();
    mLastReleaseTick = now;
  }
  for (int i = 0; i < kMaxChannels; ++i) {
    if (!mPlayingSounds[i]) return i;
    if (mPlayingSounds[i]->IsReleased()) {
      delete mPlayingSounds[i];
      mPlayingSounds[i] = nullptr;
      return i;
    }
  }
  return -1;
}

void DSoundManager::ReleaseFinishedChannels() {
  for (DSoundInstance*& instance : mPlayingSounds)
    if (instance && instance->IsReleased()) {
      delete instance;
      instance = nullptr;
    }
}

SoundInstance* DSoundManager::NewSoundInstance(unsigned int id) {
  if (id >= kMaxSounds) return nullptr;
  const int channel = FindFreeChannel();
  if (channel < 0) return nullptr;
  DSoundInstance* instance;
  if (mDirectSound) {
    if (!mSourceSounds[id]) return nullptr;
    instance = new DSoundInstance(this, mSourceSounds[id]);
  } else {
    instance = new DSoundInstance(this, nullptr);
  }
  mPlayingSounds[channel] = instance;
  instance->SetBasePan(mBasePans[id]);
  instance->SetBaseVolume(mBaseVolumes[id]);
  return instance;
}

int DSoundManager::FindOrLoadSound(const std::string& name) {
  for (int i = 0; i < kMaxSounds; ++i)
    if (mSourceFileNames[i] == name) return i;
  for (int i = kMaxSounds - 1; i >= 0; --i)
    if (!mSourceSounds[i]) return LoadSound(static_cast<unsigned>(i), name) ? i : -1;
  return -1;
}

bool DSoundManager::LoadSound(unsigned int id, const std::string& name) {
  if (id >= kMaxSounds) return false;
  FreeSound(static_cast<int>(id));
  if (!mDirectSound) return true;
  mSourceFileNames[id] = name;
  if (LoadWavSound(id, name + ".wav")) return true;
  if (mUseFMod && LoadFModSound(id, name + ".mp3")) {
    WriteWavCache(id, "", name + ".mp3");
    return true;
  }
  if (LoadOggSound(id, name + ".ogg")) return true;
  if (LoadAuSound(id, name + ".au")) {
    WriteWavCache(id, "", name + ".au");
    return true;
  }
  return false;
}

void DSoundManager::FreeSound(int id) {
  if (id < 0 || id >= kMaxSounds) return;
  if (mSourceSounds[id]) {
    mSourceSounds[id]->Release();
    mSourceSounds[id] = nullptr;
  }
  mSourceFileNames[id].clear();
}

void DSoundManager::SetVolume(double volume) {
  mEffectsVolume = volume;
  for (DSoundInstance* instance : mPlayingSounds)
    if (instance) instance->ApplyVolume();
}

bool DSoundManager::SetBaseVolume(unsigned int id, double baseVolume) {
  if (id >= kMaxSounds) return false;
  mBaseVolumes[id] = baseVolume;
  return true;
}

bool DSoundManager::SetBasePan(unsigned int id, int basePan) {
  if (id >= kMaxSounds) return false;
  mBasePans[id] = basePan;
  return true;
}

void DSoundManager::FreeSounds() {
  for (IDirectSoundBuffer*& buffer : mSourceSounds)
    if (buffer) {
      buffer->Release();
      buffer = nullptr;
    }
}

void DSoundManager::FreeChannels() {
  for (DSoundInstance*& instance : mPlayingSounds) {
    delete instance;
    instance = nullptr;
  }
}

// The master volume is the mixer's own gain over everything it plays.
double DSoundManager::GetMasterVolume() { return GetWaveOutVolume() / 65535.0; }

void DSoundManager::SetMasterVolume(double volume) {
  // The mixer's control runs from 0 to 65535; nothing outside it converts.
  SetWaveOutVolume(volume > 0 ? static_cast<uint32_t>(std::min(volume, 1.0) * 65535) : 0);
}

void DSoundManager::SetCooperativeWindow(HWND window, bool) {
  if (mDirectSound) mDirectSound->SetCooperativeLevel(window, DSSCL_NORMAL);
}

void DSoundManager::StopAllSounds() {
  for (DSoundInstance* instance : mPlayingSounds)
    if (instance) {
      // Stop clears auto release; keep it so the channel is still reclaimed.
      const bool autoRelease = instance->mAutoRelease;
      instance->Stop();
      instance->mAutoRelease = autoRelease;
    }
}

int DSoundManager::FindFreeSoundId() {
  for (int i = 0; i < kMaxSounds; ++i)
    if (!mSourceSounds[i]) return i;
  return -1;
}

int DSoundManager::GetNumSounds() {
  int n = 0;
  for (IDirectSoundBuffer* buffer : mSourceSounds)
    if (buffer) ++n;
  return n;
}

IDirectSoundBuffer* DSoundManager::GetSoundBuffer(unsigned int id) const {
  return id < kMaxSounds ? mSourceSounds[id] : nullptr;
}

uint32_t DSoundManager::GetSoundLength(unsigned int id) const {
  return id < kMaxSounds ? mSourceDataSizes[id] : 0;
}

uint8_t* DSoundManager::CreateLockedBuffer(unsigned int id, int channels, int rate, int bits,
                                          uint32_t bytes) {
  WAVEFORMATEX format;
  format.wFormatTag = WAVE_FORMAT_PCM;
  format.nChannels = static_cast<WORD>(channels);
  format.nSamplesPerSec = static_cast<DWORD>(rate);
  format.wBitsPerSample = static_cast<WORD>(bits);
  // In 64 bits: the file's own numbers, before the format is checked.
  format.nBlockAlign = static_cast<WORD>(int64_t{channels} * bits / 8);
  format.nAvgBytesPerSec = format.nBlockAlign * format.nSamplesPerSec;
  DSBUFFERDESC desc;
  desc.dwSize = 20;
  desc.dwFlags = DSBCAPS_STATIC | DSBCAPS_LOCSOFTWARE | DSBCAPS_CTRLFREQUENCY | DSBCAPS_CTRLPAN |
                 DSBCAPS_CTRLVOLUME | DSBCAPS_GETCURRENTPOSITION2;
  desc.dwBufferBytes = bytes;
  desc.lpwfxFormat = &format;
  mSourceDataSizes[id] = bytes;
  if (FAILED(mDirectSound->CreateSoundBuffer(&desc, &mSourceSounds[id], nullptr))) {
    mSourceSounds[id] = nullptr;
    return nullptr;
  }
  void* data = nullptr;
  DWORD locked = 0;
  if (FAILED(mSourceSounds[id]->Lock(0, bytes, &data, &locked, nullptr, nullptr, 0))) {
    DropBuffer(id);
    return nullptr;
  }
  return static_cast<uint8_t*>(data);
}

void DSoundManager::DropBuffer(unsigned int id) {
  if (mSourceSounds[id]) mSourceSounds[id]->Release();
  mSourceSounds[id] = nullptr;
}

}  // namespace Plix
