#include "framework/platform/AudioMixer.h"

#include <SDL.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <string>

#include "framework/platform/QuietStderr.h"

namespace Plix {

namespace {

constexpr int kWindowFrames = 2048;  // decoded stream frames per refill

std::vector<AudioVoice*>& Voices() {
  static std::vector<AudioVoice*> voices;
  return voices;
}

std::atomic<uint32_t> gWaveOutVolume{0xFFFF};

template <int C, int B>
inline void ReadFrame(const uint8_t* data, uint32_t i, int& l, int& r) {
  if constexpr (B == 16) {
    const int16_t* s = reinterpret_cast<const int16_t*>(data) + static_cast<size_t>(i) * C;
    l = s[0];
    r = C == 2 ? s[1] : l;
  } else {
    const uint8_t* s = data + static_cast<size_t>(i) * C;
    l = (s[0] - 128) * 256;
    r = C == 2 ? (s[C - 1] - 128) * 256 : l;
  }
}

// Mixes frames while the frame after the current one lies below `end`, so
// that interpolation never reads past it. Returns the frames produced.
template <int C, int B>
int MixRun(const uint8_t* data, uint32_t end, AudioVoice& v, uint32_t step, int32_t* acc,
           int n) {
  if (end < 2) return 0;
  const uint64_t limit = static_cast<uint64_t>(end - 1) << 16;
  uint64_t pos = v.position;
  if (pos >= limit) return 0;
  const uint64_t can = (limit - pos + step - 1) / step;
  const int m = static_cast<int>(std::min<uint64_t>(can, static_cast<uint64_t>(n)));
  const int32_t gl = v.gainLeft, gr = v.gainRight;
  for (int k = 0; k < m; ++k) {
    const uint32_t i = static_cast<uint32_t>(pos >> 16);
    const int f = static_cast<int>((pos >> 1) & 0x7FFF);
    int l0, r0, l1, r1;
    ReadFrame<C, B>(data, i, l0, r0);
    ReadFrame<C, B>(data, i + 1, l1, r1);
    const int l = l0 + (((l1 - l0) * f) >> 15);
    const int r = r0 + (((r1 - r0) * f) >> 15);
    acc[2 * k] += (l * gl) >> 16;
    acc[2 * k + 1] += (r * gr) >> 16;
    pos += step;
  }
  v.position = pos;
  return m;
}

using RunFn = int (*)(const uint8_t*, uint32_t, AudioVoice&, uint32_t, int32_t*, int);

RunFn PickRun(int channels, int bits) {
  if (bits == 8) return channels == 2 ? MixRun<2, 8> : MixRun<1, 8>;
  return channels == 2 ? MixRun<2, 16> : MixRun<1, 16>;
}

// One frame without interpolation (the last frame before a loop or end).
void MixSingle(const uint8_t* data, int channels, int bits, uint32_t i, const AudioVoice& v,
               int32_t* acc) {
  int l, r;
  if (bits == 8)
    channels == 2 ? ReadFrame<2, 8>(data, i, l, r) : ReadFrame<1, 8>(data, i, l, r);
  else
    channels == 2 ? ReadFrame<2, 16>(data, i, l, r) : ReadFrame<1, 16>(data, i, l, r);
  acc[0] += (l * v.gainLeft) >> 16;
  acc[1] += (r * v.gainRight) >> 16;
}

uint32_t StepOf(const AudioVoice& v) {
  const uint64_t s = (static_cast<uint64_t>(v.frequency) << 16) / kMixRate;
  return static_cast<uint32_t>(std::max<uint64_t>(1, s));
}

void MixSamples(AudioVoice& v, int32_t* acc, int frames) {
  SampleBlock& b = *v.samples;
  const uint32_t len = b.Frames();
  if (len == 0) {
    v.playing = false;
    return;
  }
  uint32_t end = v.loopEnd && v.loopEnd <= len ? v.loopEnd : len;
  if (!v.looping) end = len;
  const uint32_t loopStart = v.looping && v.loopStart < end ? v.loopStart : 0;
  const RunFn run = PickRun(b.Channels(), b.Bits());
  const uint32_t step = StepOf(v);
  int done = 0;
  while (done < frames) {
    done += run(b.Bytes(), end, v, step, acc + 2 * done, frames - done);
    if (done == frames) break;
    const uint32_t i = static_cast<uint32_t>(v.position >> 16);
    if (i >= end) {
      if (!v.looping) {
        v.playing = false;
        v.position = 0;
        return;
      }
      v.position -= static_cast<uint64_t>(end - loopStart) << 16;
      continue;
    }
    MixSingle(b.Bytes(), b.Channels(), b.Bits(), i, v, acc + 2 * done);
    ++done;
    v.position += step;
  }
}

// Decodes the next window of a stream, keeping the previous last frame as
// frame 0. False at the end of a stream that does not loop.
bool RefillWindow(AudioVoice& v) {
  const int ch = v.stream->Channels();
  if (v.window.size() != static_cast<size_t>((kWindowFrames + 1) * ch)) {
    v.window.assign(static_cast<size_t>((kWindowFrames + 1) * ch), 0);
    v.windowFrames = 0;
  }
  uint32_t keep = 0;
  if (v.windowFrames > 0) {
    std::memcpy(v.window.data(), v.window.data() + static_cast<size_t>(v.windowFrames - 1) * ch,
                sizeof(int16_t) * ch);
    v.position -= static_cast<uint64_t>(v.windowFrames - 1) << 16;
    keep = 1;
  }
  int got = v.stream->Read(v.window.data() + static_cast<size_t>(keep) * ch, kWindowFrames);
  if (got <= 0 && v.looping && v.stream->Rewind())
    got = v.stream->Read(v.window.data() + static_cast<size_t>(keep) * ch, kWindowFrames);
  if (got <= 0) {
    v.streamEnded = true;
    v.windowFrames = keep;
    return false;
  }
  v.windowFrames = keep + static_cast<uint32_t>(got);
  return true;
}

void MixStream(AudioVoice& v, int32_t* acc, int frames) {
  const int ch = v.stream->Channels();
  const RunFn run = PickRun(ch, 16);
  const uint32_t step = StepOf(v);
  int done = 0;
  while (done < frames) {
    const uint8_t* data = reinterpret_cast<const uint8_t*>(v.window.data());
    if (v.windowFrames > 0)
      done += run(data, v.windowFrames, v, step, acc + 2 * done, frames - done);
    if (done == frames) break;
    if (!RefillWindow(v)) {
      v.playing = false;
      return;
    }
  }
}

}  // namespace

SampleBlock::SampleBlock(uint32_t bytes, int channels, int bits)
    : mStorage(new int16_t[(static_cast<size_t>(bytes) + 1) / 2 + 1]()),
      mBytes(bytes),
      mChannels(channels),
      mBits(bits) {}

CriticalSection& AudioLock() {
  static CriticalSection lock;
  return lock;
}

void StartVoice(AudioVoice* voice) {
  AutoCrit lock(AudioLock());
  auto& voices = Voices();
  if (std::find(voices.begin(), voices.end(), voice) == voices.end()) voices.push_back(voice);
  voice->playing = true;
  voice->streamEnded = false;
}

void StopVoice(AudioVoice* voice) {
  AutoCrit lock(AudioLock());
  auto& voices = Voices();
  voices.erase(std::remove(voices.begin(), voices.end(), voice), voices.end());
  voice->playing = false;
}

void ResetStreamWindow(AudioVoice* voice) {
  AutoCrit lock(AudioLock());
  voice->windowFrames = 0;
  voice->position = 0;
  voice->streamEnded = false;
}

void MixAudio(int16_t* out, int frames) {
  static thread_local std::vector<int32_t> acc;
  acc.assign(static_cast<size_t>(frames) * 2, 0);
  {
    AutoCrit lock(AudioLock());
    auto& voices = Voices();
    for (AudioVoice* v : voices) {
      if (!v->playing) continue;
      if (v->stream)
        MixStream(*v, acc.data(), frames);
      else if (v->samples)
        MixSamples(*v, acc.data(), frames);
      else
        v->playing = false;
    }
    voices.erase(std::remove_if(voices.begin(), voices.end(),
                                [](const AudioVoice* v) { return !v->playing; }),
                 voices.end());
  }
  const int64_t master = gWaveOutVolume.load();
  for (size_t i = 0; i < acc.size(); ++i) {
    const int64_t s = (static_cast<int64_t>(acc[i]) * master) / 0xFFFF;
    out[i] = static_cast<int16_t>(std::clamp<int64_t>(s, -32768, 32767));
  }
}

int32_t GainFromCentibels(int32_t volume) {
  if (volume <= -10000) return 0;
  if (volume >= 0) return 65536;
  return static_cast<int32_t>(std::lround(65536.0 * std::pow(10.0, volume / 2000.0)));
}

uint32_t GetWaveOutVolume() { return gWaveOutVolume.load(); }
void SetWaveOutVolume(uint32_t value) { gWaveOutVolume = std::min<uint32_t>(value, 0xFFFF); }

namespace {

std::mutex gDeviceMutex;
int gDeviceUsers = 0;
SDL_AudioDeviceID gDevice = 0;
bool gOffline = false;

void SDLCALL AudioCallback(void*, Uint8* stream, int len) {
  MixAudio(reinterpret_cast<int16_t*>(stream), len / 4);
}

// Said once per run, whichever library tried first.
bool gSaidSoundOff = false;

bool SoundOff(const std::string& why) {
  if (!gSaidSoundOff) {
    gSaidSoundOff = true;
    std::fprintf(stderr, "Sound is off: %s.\n", why.c_str());
    std::fflush(stderr);
  }
  return false;
}

bool OpenSdlDevice() {
  bool started;
  {
    QuietStderr quiet;
    started = SDL_InitSubSystem(SDL_INIT_AUDIO) == 0;
  }
  if (!started) return SoundOff(std::string("no audio device could be opened (") + SDL_GetError() + ")");
  const char* driver = SDL_GetCurrentAudioDriver();
  if (!driver || std::strcmp(driver, "dummy") == 0) {
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return SoundOff("the audio driver is \"dummy\"");
  }
  SDL_AudioSpec want{};
  want.freq = kMixRate;
  want.format = AUDIO_S16SYS;
  want.channels = 2;
  want.samples = 1024;
  want.callback = AudioCallback;
  SDL_AudioSpec have{};
  {
    QuietStderr quiet;
    gDevice = SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
  }
  if (gDevice == 0) {
    const std::string why = std::string("no audio device could be opened (") + SDL_GetError() + ")";
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return SoundOff(why);
  }
  SDL_PauseAudioDevice(gDevice, 0);
  return true;
}

}  // namespace

bool OpenAudioDevice() {
  std::lock_guard<std::mutex> guard(gDeviceMutex);
  if (gDeviceUsers == 0 && !gOffline && !OpenSdlDevice()) return false;
  ++gDeviceUsers;
  return true;
}

void CloseAudioDevice() {
  std::lock_guard<std::mutex> guard(gDeviceMutex);
  if (gDeviceUsers == 0 || --gDeviceUsers > 0) return;
  if (gDevice) {
    // Closing waits for the callback, which takes the audio lock: never
    // close while holding it.
    SDL_CloseAudioDevice(gDevice);
    gDevice = 0;
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
  }
}

void SetOfflineAudioForTesting(bool offline) {
  std::lock_guard<std::mutex> guard(gDeviceMutex);
  gOffline = offline;
}

}  // namespace Plix
