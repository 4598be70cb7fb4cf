#pragma once
// The software mixer behind every sound of the program: one SDL audio
// device (44100 Hz, 16-bit stereo) pulls the sum of all playing voices.
// Voices read shared sample blocks (the emulated DirectSound buffers and
// FMOD samples) or streams (music), resampled to the device rate by their
// own frequency. One lock guards the voices; the audio thread, the loading
// thread and the main thread all take it.
#include <cstdint>
#include <memory>
#include <vector>

#include "framework/platform/Threads.h"

namespace Plix {

constexpr int kMixRate = 44100;

// PCM samples shared by a buffer and its duplicates: 8-bit unsigned or
// 16-bit signed, mono or stereo, interleaved.
class SampleBlock {
public:
  SampleBlock(uint32_t bytes, int channels, int bits);
  uint8_t* Bytes() { return reinterpret_cast<uint8_t*>(mStorage.get()); }
  const uint8_t* Bytes() const { return reinterpret_cast<const uint8_t*>(mStorage.get()); }
  uint32_t ByteCount() const { return mBytes; }
  int Channels() const { return mChannels; }
  int Bits() const { return mBits; }
  uint32_t BlockAlign() const { return static_cast<uint32_t>(mChannels * mBits / 8); }
  uint32_t Frames() const { return mBytes / BlockAlign(); }

private:
  std::unique_ptr<int16_t[]> mStorage;  // 16-bit storage keeps samples aligned
  uint32_t mBytes;
  int mChannels;
  int mBits;
};

// A source of 16-bit interleaved frames decoded on demand (music streams).
class AudioStreamSource {
public:
  virtual ~AudioStreamSource() = default;
  virtual int Channels() const = 0;
  // Up to `frames` frames into `out`; 0 at the end of the stream.
  virtual int Read(int16_t* out, int frames) = 0;
  // Back to the first frame, for looping; false when that fails.
  virtual bool Rewind() = 0;
};

// One playing copy. Owners change fields only under AudioLock().
struct AudioVoice {
  std::shared_ptr<SampleBlock> samples;  // either samples...
  AudioStreamSource* stream = nullptr;   // ...or a stream (not owned)
  uint64_t position = 0;                 // in frames, 16 fraction bits
  uint32_t frequency = kMixRate;         // source frames per second
  int32_t gainLeft = 65536;              // 16.16, 0 ... 1.0
  int32_t gainRight = 65536;
  bool looping = false;
  uint32_t loopStart = 0;  // frames; the loop covers loopStart ... loopEnd - 1
  uint32_t loopEnd = 0;    // 0: to the end of the samples
  bool playing = false;    // cleared by the mixer when a one-shot voice ends
  bool streamEnded = false;

  // Stream decoding window; frame 0 repeats the last frame of the previous
  // window so that interpolation runs across windows.
  std::vector<int16_t> window;
  uint32_t windowFrames = 0;
};

// The lock shared by the mixer and every owner of voices.
CriticalSection& AudioLock();

// Adds a voice to the playing set (under the lock) and marks it playing.
void StartVoice(AudioVoice* voice);
// Takes a voice out of the playing set; its position stays.
void StopVoice(AudioVoice* voice);
// Forgets a stream's decoded window (after a seek or rewind).
void ResetStreamWindow(AudioVoice* voice);

// Sums every playing voice into `frames` stereo frames, applying the master
// gain. The device's callback calls it; tests and benchmarks call it too.
void MixAudio(int16_t* out, int frames);

// Linear gains in 16.16 from DirectSound's hundredths of a decibel.
int32_t GainFromCentibels(int32_t volume);

// The application's master gain over everything mixed (the original's
// wave-output mixer volume, 0 ... 65535). Never touches the system mixer.
uint32_t GetWaveOutVolume();
void SetWaveOutVolume(uint32_t value);

// The one output device, shared by DirectSound, BASS and FMOD users by
// count. False when no device can be opened (no audio, or SDL's dummy
// driver): the callers then stay silent.
bool OpenAudioDevice();
void CloseAudioDevice();

// Tests and benchmarks: devices open without SDL and nothing pulls the
// mixer but MixAudio calls.
void SetOfflineAudioForTesting(bool offline);

}  // namespace Plix
