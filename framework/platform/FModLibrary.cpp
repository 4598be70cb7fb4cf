// The compiled-in "fmod.dll": samples decoded whole into memory, played on
// numbered channels, each channel one voice of the mixer. Every entry point
// takes the audio lock.
#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "framework/platform/AudioFiles.h"
#include "framework/platform/AudioLibraries.h"
#include "framework/platform/AudioMixer.h"
#include "framework/platform/FMod.h"

namespace Plix {

struct FSOUND_SAMPLE {
  std::shared_ptr<SampleBlock> block;
  unsigned mode = 0;
  int frequency = kMixRate;
  int volume = 255;
  int pan = 128;
  int priority = 0;
  uint32_t loopStart = 0;
  uint32_t loopEnd = 0;  // exclusive; 0: the whole sample
};

namespace {

struct FChannel {
  AudioVoice voice;
  FSOUND_SAMPLE* sample = nullptr;
  int volume = 255;
  bool paused = false;
};

struct FModState {
  bool initialized = false;
  bool deviceOpen = false;
  std::vector<std::unique_ptr<FChannel>> channels;
  std::set<FSOUND_SAMPLE*> samples;
};

FModState& State() {
  static FModState state;
  return state;
}

FChannel* ChannelAt(int index) {
  auto& ch = State().channels;
  return index >= 0 && static_cast<size_t>(index) < ch.size() ? ch[index].get() : nullptr;
}

bool Known(FSOUND_SAMPLE* s) { return s && State().samples.count(s) != 0; }

void ApplyGain(FChannel& c) {
  const int32_t g = static_cast<int32_t>(int64_t{65536} * std::clamp(c.volume, 0, 255) / 255);
  c.voice.gainLeft = g;
  c.voice.gainRight = g;
}

unsigned ModeOf(int channels, int bits) {
  return (channels == 1 ? FSOUND_MONO : FSOUND_STEREO) | (bits == 8 ? FSOUND_8BITS : FSOUND_16BITS) |
         FSOUND_LOOP_OFF;
}

FSOUND_SAMPLE* Adopt(std::unique_ptr<FSOUND_SAMPLE> s) {
  FSOUND_SAMPLE* p = s.release();
  State().samples.insert(p);
  return p;
}

uint32_t Le32(const uint8_t* p) { return p[0] | p[1] << 8 | p[2] << 16 | uint32_t(p[3]) << 24; }
uint16_t Le16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }

// A plain PCM RIFF WAVE file (as the song cache writes them).
std::unique_ptr<FSOUND_SAMPLE> LoadWav(const std::string& name) {
  const AudioFileAccess a = GetAudioFileAccess();
  void* f = a.open(name);
  if (!f) return nullptr;
  std::unique_ptr<FSOUND_SAMPLE> result;
  uint8_t head[12];
  int channels = 0, bits = 0, rate = 0;
  if (a.read(head, 1, 12, f) == 12 && std::memcmp(head, "RIFF", 4) == 0 &&
      std::memcmp(head + 8, "WAVE", 4) == 0) {
    uint8_t chunk[8];
    while (a.read(chunk, 1, 8, f) == 8) {
      const uint32_t size = Le32(chunk + 4);
      const long next = a.tell(f) + static_cast<long>(size);
      if (std::memcmp(chunk, "fmt ", 4) == 0 && size >= 16) {
        uint8_t fmt[16];
        if (a.read(fmt, 1, 16, f) != 16 || Le16(fmt) != 1) break;
        channels = Le16(fmt + 2);
        rate = static_cast<int>(Le32(fmt + 4));
        bits = Le16(fmt + 14);
      } else if (std::memcmp(chunk, "data", 4) == 0) {
        if ((channels != 1 && channels != 2) || (bits != 8 && bits != 16) || rate < 1) break;
        const long here = a.tell(f);
        a.seek(f, 0, SEEK_END);
        const long end = a.tell(f);
        a.seek(f, here, SEEK_SET);
        if (size > static_cast<uint64_t>(std::max<long>(0, end - here))) break;
        auto s = std::make_unique<FSOUND_SAMPLE>();
        s->block = std::make_shared<SampleBlock>(size, channels, bits);
        if (a.read(s->block->Bytes(), 1, size, f) != size) break;
        s->mode = ModeOf(channels, bits);
        s->frequency = rate;
        result = std::move(s);
        break;
      }
      if (a.seek(f, next + (size & 1), SEEK_SET) != 0) break;
    }
  }
  a.close(f);
  return result;
}

std::unique_ptr<FSOUND_SAMPLE> LoadOgg(const std::string& name) {
  std::vector<int16_t> pcm;
  int channels = 0, rate = 0;
  if (!OggDecoder::DecodeAll(name, pcm, channels, rate)) return nullptr;
  auto s = std::make_unique<FSOUND_SAMPLE>();
  s->block = std::make_shared<SampleBlock>(static_cast<uint32_t>(pcm.size() * 2), channels, 16);
  std::memcpy(s->block->Bytes(), pcm.data(), pcm.size() * 2);
  s->mode = ModeOf(channels, 16);
  s->frequency = rate;
  return s;
}

bool EndsWith(const std::string& s, const char* tail) {
  const size_t n = std::strlen(tail);
  if (s.size() < n) return false;
  for (size_t i = 0; i < n; ++i)
    if (std::tolower(static_cast<unsigned char>(s[s.size() - n + i])) != tail[i]) return false;
  return true;
}

signed char SetBufferSize(int) { return 1; }
signed char SetHWND(void*) { return 1; }

signed char Init(int, int maxChannels, unsigned) {
  AutoCrit lock(AudioLock());
  FModState& st = State();
  if (st.initialized) return 0;
  st.initialized = true;
  st.deviceOpen = OpenAudioDevice();
  st.channels.clear();
  for (int i = 0; i < std::clamp(maxChannels, 1, 256); ++i)
    st.channels.push_back(std::make_unique<FChannel>());
  return st.deviceOpen ? 1 : 0;
}

void Close() {
  bool close = false;
  {
    AutoCrit lock(AudioLock());
    FModState& st = State();
    for (auto& c : st.channels) StopVoice(&c->voice);
    st.channels.clear();
    // Closing frees every sample, as FMOD does.
    for (FSOUND_SAMPLE* s : st.samples) delete s;
    st.samples.clear();
    close = st.deviceOpen;
    st.initialized = st.deviceOpen = false;
  }
  if (close) CloseAudioDevice();
}

FSOUND_SAMPLE* SampleLoad(int, const char* name, unsigned, int) {
  if (!name) return nullptr;
  const std::string n = name;
  std::unique_ptr<FSOUND_SAMPLE> s;
  if (EndsWith(n, ".ogg"))
    s = LoadOgg(n);
  else if (EndsWith(n, ".wav"))
    s = LoadWav(n);
  if (!s) return nullptr;  // MP3 and anything else: no decoder here
  AutoCrit lock(AudioLock());
  return Adopt(std::move(s));
}

FSOUND_SAMPLE* SampleAlloc(int, int length, unsigned mode, int freq, int vol, int pan, int pri) {
  if (length <= 0 || length > (1 << 26)) return nullptr;
  const int channels = (mode & FSOUND_MONO) ? 1 : 2;
  const int bits = (mode & FSOUND_8BITS) ? 8 : 16;
  auto s = std::make_unique<FSOUND_SAMPLE>();
  s->block = std::make_shared<SampleBlock>(static_cast<uint32_t>(length) * channels * bits / 8,
                                           channels, bits);
  s->mode = mode;
  s->frequency = freq > 0 ? freq : kMixRate;
  s->volume = vol;
  s->pan = pan;
  s->priority = pri;
  AutoCrit lock(AudioLock());
  return Adopt(std::move(s));
}

void SampleFree(FSOUND_SAMPLE* s) {
  AutoCrit lock(AudioLock());
  if (!Known(s)) return;
  for (auto& c : State().channels)
    if (c->sample == s) {
      StopVoice(&c->voice);
      c->voice.samples.reset();
      c->sample = nullptr;
    }
  State().samples.erase(s);
  delete s;
}

signed char SampleLock(FSOUND_SAMPLE* s, int offset, int length, void** p1, void** p2,
                       unsigned* n1, unsigned* n2) {
  AutoCrit lock(AudioLock());
  if (!Known(s) || offset < 0 || length < 0 || !p1 || !n1) return 0;
  const uint64_t bytes = s->block->ByteCount();
  if (static_cast<uint64_t>(offset) + static_cast<uint64_t>(length) > bytes) return 0;
  *p1 = s->block->Bytes() + offset;
  *n1 = static_cast<unsigned>(length);
  if (p2) *p2 = nullptr;
  if (n2) *n2 = 0;
  return 1;
}

signed char SampleUnlock(FSOUND_SAMPLE* s, void*, void*, unsigned, unsigned) {
  AutoCrit lock(AudioLock());
  return Known(s) ? 1 : 0;
}

// FMOD's loop end is the last frame of the loop.
signed char SampleSetLoopPoints(FSOUND_SAMPLE* s, int start, int end) {
  AutoCrit lock(AudioLock());
  if (!Known(s) || start < 0 || end < start || static_cast<uint32_t>(end) >= s->block->Frames())
    return 0;
  s->loopStart = static_cast<uint32_t>(start);
  s->loopEnd = static_cast<uint32_t>(end) + 1;
  return 1;
}

unsigned SampleGetLength(FSOUND_SAMPLE* s) {
  AutoCrit lock(AudioLock());
  return Known(s) ? s->block->Frames() : 0;
}

signed char SampleGetDefaults(FSOUND_SAMPLE* s, int* freq, int* vol, int* pan, int* pri) {
  AutoCrit lock(AudioLock());
  if (!Known(s)) return 0;
  if (freq) *freq = s->frequency;
  if (vol) *vol = s->volume;
  if (pan) *pan = s->pan;
  if (pri) *pri = s->priority;
  return 1;
}

unsigned SampleGetMode(FSOUND_SAMPLE* s) {
  AutoCrit lock(AudioLock());
  return Known(s) ? s->mode : 0;
}

int PlaySound(int channel, FSOUND_SAMPLE* s) {
  AutoCrit lock(AudioLock());
  if (!Known(s)) return -1;
  auto& chs = State().channels;
  if (channel == FSOUND_FREE) {
    channel = -1;
    for (size_t i = 0; i < chs.size() && channel < 0; ++i)
      if (!chs[i]->voice.playing && !chs[i]->paused) channel = static_cast<int>(i);
  }
  FChannel* c = ChannelAt(channel);
  if (!c) return -1;
  StopVoice(&c->voice);
  c->sample = s;
  c->paused = false;
  c->voice.samples = s->block;
  c->voice.position = 0;
  c->voice.frequency = static_cast<uint32_t>(std::clamp(s->frequency, 100, 100000));
  c->voice.looping = (s->mode & FSOUND_LOOP_NORMAL) != 0;
  c->voice.loopStart = s->loopStart;
  c->voice.loopEnd = s->loopEnd;
  c->volume = std::clamp(s->volume, 0, 255);
  ApplyGain(*c);
  StartVoice(&c->voice);
  return channel;
}

signed char StopSound(int channel) {
  AutoCrit lock(AudioLock());
  FChannel* c = ChannelAt(channel);
  if (!c) return 0;
  StopVoice(&c->voice);
  c->paused = false;
  return 1;
}

signed char SetVolume(int channel, int volume) {
  AutoCrit lock(AudioLock());
  FChannel* c = ChannelAt(channel);
  if (!c) return 0;
  c->volume = std::clamp(volume, 0, 255);
  ApplyGain(*c);
  return 1;
}

signed char SetPaused(int channel, int paused) {
  AutoCrit lock(AudioLock());
  FChannel* c = ChannelAt(channel);
  if (!c || !c->sample) return 0;
  if (paused && c->voice.playing) {
    StopVoice(&c->voice);
    c->paused = true;
  } else if (!paused && c->paused) {
    c->paused = false;
    StartVoice(&c->voice);
  }
  return 1;
}

signed char SetLoopMode(int channel, int mode) {
  AutoCrit lock(AudioLock());
  FChannel* c = ChannelAt(channel);
  if (!c) return 0;
  c->voice.looping = (static_cast<unsigned>(mode) & FSOUND_LOOP_NORMAL) != 0;
  return 1;
}

signed char IsPlaying(int channel) {
  AutoCrit lock(AudioLock());
  FChannel* c = ChannelAt(channel);
  return c && c->voice.playing ? 1 : 0;
}

// Streams and tracker modules are not supported.
FSOUND_STREAM* StreamOpenFile(const char*, unsigned, int) { return nullptr; }
signed char StreamClose(FSOUND_STREAM*) { return 0; }
int StreamPlay(int, FSOUND_STREAM*) { return -1; }
FMUSIC_MODULE* LoadSong(const char*) { return nullptr; }
signed char ModuleCall(FMUSIC_MODULE*) { return 0; }
signed char ModuleValueCall(FMUSIC_MODULE*, int) { return 0; }

template <typename F>
AudioExport E(const char* name, F fn) {
  return {name, reinterpret_cast<void*>(fn)};
}

}  // namespace

const AudioLibrary& FModLibrary() {
  static const AudioLibrary lib{
      "fmod.dll",
      {E("_FSOUND_SetBufferSize@4", SetBufferSize),
       E("_FSOUND_SetHWND@4", SetHWND),
       E("_FSOUND_Init@12", Init),
       E("_FSOUND_Close@0", Close),
       E("_FSOUND_Sample_Load@16", SampleLoad),
       E("_FSOUND_Sample_Alloc@28", SampleAlloc),
       E("_FSOUND_Sample_Free@4", SampleFree),
       E("_FSOUND_Sample_Lock@28", SampleLock),
       E("_FSOUND_Sample_Unlock@20", SampleUnlock),
       E("_FSOUND_Sample_SetLoopPoints@12", SampleSetLoopPoints),
       E("_FSOUND_Sample_GetLength@4", SampleGetLength),
       E("_FSOUND_Sample_GetDefaults@20", SampleGetDefaults),
       E("_FSOUND_Sample_GetMode@4", SampleGetMode),
       E("_FSOUND_PlaySound@8", PlaySound),
       E("_FSOUND_StopSound@4", StopSound),
       E("_FSOUND_SetVolume@8", SetVolume),
       E("_FSOUND_SetPaused@8", SetPaused),
       E("_FSOUND_SetLoopMode@8", SetLoopMode),
       E("_FSOUND_IsPlaying@4", IsPlaying),
       E("_FSOUND_Stream_OpenFile@12", StreamOpenFile),
       E("_FSOUND_Stream_Close@4", StreamClose),
       E("_FSOUND_Stream_Play@8", StreamPlay),
       E("_FMUSIC_LoadSong@4", LoadSong),
       E("_FMUSIC_PlaySong@4", ModuleCall),
       E("_FMUSIC_StopSong@4", ModuleCall),
       E("_FMUSIC_SetLooping@8", ModuleValueCall),
       E("_FMUSIC_SetOrder@8", ModuleValueCall),
       E("_FMUSIC_SetPaused@8", ModuleValueCall),
       E("_FMUSIC_SetMasterVolume@8", ModuleValueCall),
       E("_FMUSIC_IsPlaying@4", ModuleCall)}};
  return lib;
}

}  // namespace Plix
