#pragma once
// DirectSound-shaped sound buffers over our mixer: static buffers hold PCM
// samples, duplicates share them, and each buffer plays as one voice with
// its own volume (hundredths of a decibel), pan and frequency. Result codes
// are DirectSound's, since callers report them by name.
#include <memory>

#include "framework/platform/AudioMixer.h"
#include "framework/platform/WinTypes.h"

namespace Plix {

struct WAVEFORMATEX {
  WORD wFormatTag = 0;
  WORD nChannels = 0;
  DWORD nSamplesPerSec = 0;
  DWORD nAvgBytesPerSec = 0;
  WORD nBlockAlign = 0;
  WORD wBitsPerSample = 0;
  WORD cbSize = 0;
};

struct DSBUFFERDESC {
  DWORD dwSize = 0;
  DWORD dwFlags = 0;
  DWORD dwBufferBytes = 0;
  DWORD dwReserved = 0;
  WAVEFORMATEX* lpwfxFormat = nullptr;
};

constexpr WORD WAVE_FORMAT_PCM = 1;

constexpr DWORD DSBCAPS_PRIMARYBUFFER = 0x1;
constexpr DWORD DSBCAPS_STATIC = 0x2;
constexpr DWORD DSBCAPS_LOCSOFTWARE = 0x8;
constexpr DWORD DSBCAPS_CTRLFREQUENCY = 0x20;
constexpr DWORD DSBCAPS_CTRLPAN = 0x40;
constexpr DWORD DSBCAPS_CTRLVOLUME = 0x80;
constexpr DWORD DSBCAPS_GETCURRENTPOSITION2 = 0x8000;

constexpr DWORD DSSCL_NORMAL = 1;
constexpr DWORD DSSCL_PRIORITY = 2;
constexpr DWORD DSBPLAY_LOOPING = 1;
constexpr DWORD DSBSTATUS_PLAYING = 1;
constexpr DWORD DSBSTATUS_LOOPING = 4;

constexpr LONG DSBVOLUME_MIN = -10000;
constexpr LONG DSBVOLUME_MAX = 0;
constexpr LONG DSBPAN_LEFT = -10000;
constexpr LONG DSBPAN_RIGHT = 10000;
constexpr DWORD DSBFREQUENCY_MIN = 100;
constexpr DWORD DSBFREQUENCY_MAX = 100000;
constexpr DWORD DSBSIZE_MAX = 0x0FFFFFFF;

constexpr HRESULT DS_OK = 0;
constexpr HRESULT DSERR_ALLOCATED = static_cast<HRESULT>(0x8878000Au);
constexpr HRESULT DSERR_OUTOFMEMORY = static_cast<HRESULT>(0x8007000Eu);
constexpr HRESULT DSERR_INVALIDPARAM = static_cast<HRESULT>(0x80070057u);
constexpr HRESULT DSERR_INVALIDCALL = static_cast<HRESULT>(0x88780032u);
constexpr HRESULT DSERR_UNINITIALIZED = static_cast<HRESULT>(0x887800AAu);
constexpr HRESULT DSERR_NODRIVER = static_cast<HRESULT>(0x88780078u);
constexpr HRESULT DSERR_BADFORMAT = static_cast<HRESULT>(0x88780064u);

class IDirectSoundBuffer {
public:
  HRESULT Play(DWORD reserved, DWORD priority, DWORD flags);
  HRESULT Stop();
  HRESULT SetCurrentPosition(DWORD bytes);
  HRESULT GetCurrentPosition(DWORD* play, DWORD* write);
  HRESULT GetStatus(DWORD* status);
  HRESULT SetVolume(LONG volume);
  HRESULT GetVolume(LONG* volume);
  HRESULT SetPan(LONG pan);
  HRESULT GetPan(LONG* pan);
  HRESULT SetFrequency(DWORD frequency);
  HRESULT GetFrequency(DWORD* frequency);
  HRESULT SetFormat(const WAVEFORMATEX* format);
  // With a null format only the size is reported.
  HRESULT GetFormat(WAVEFORMATEX* format, DWORD size, DWORD* written);
  // The samples are shared by every duplicate; the lock covers them whole.
  HRESULT Lock(DWORD offset, DWORD bytes, void** p1, DWORD* n1, void** p2, DWORD* n2,
               DWORD flags);
  HRESULT Unlock(void* p1, DWORD n1, void* p2, DWORD n2);
  ULONG Release();

private:
  friend class IDirectSound;
  IDirectSoundBuffer() = default;
  ~IDirectSoundBuffer();
  void ApplyGains();

  bool mPrimary = false;
  WAVEFORMATEX mFormat;
  LONG mVolume = 0;
  LONG mPan = 0;
  AudioVoice mVoice;  // guarded by AudioLock()
};

class IDirectSound {
public:
  HRESULT SetCooperativeLevel(HWND window, DWORD level);
  HRESULT CreateSoundBuffer(const DSBUFFERDESC* desc, IDirectSoundBuffer** out, void* outer);
  HRESULT DuplicateSoundBuffer(IDirectSoundBuffer* source, IDirectSoundBuffer** out);
  ULONG Release();

private:
  friend HRESULT DirectSoundCreate(const void*, IDirectSound**, void*);
  IDirectSound() = default;
  ~IDirectSound() = default;
};

// Opens the output device; DSERR_NODRIVER when there is none.
HRESULT DirectSoundCreate(const void* device, IDirectSound** out, void* outer);

// Failures that tests force on the next calls (0: none).
struct DirectSoundFaults {
  HRESULT duplicate = DS_OK;
  HRESULT createBuffer = DS_OK;
  HRESULT lock = DS_OK;
  HRESULT unlock = DS_OK;
};
DirectSoundFaults& DirectSoundFaultsForTesting();

}  // namespace Plix
