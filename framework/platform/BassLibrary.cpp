// The compiled-in "bass.dll": streams are Ogg Vorbis files decoded while
// they play, each stream one voice of the mixer. Every entry point takes the
// audio lock, since the audio thread decodes under it.
#include <algorithm>
#include <cstring>
#include <map>
#include <memory>
#include <string>

#include "framework/platform/AudioFiles.h"
#include "framework/platform/AudioLibraries.h"
#include "framework/platform/AudioMixer.h"
#include "framework/platform/Bass.h"

namespace Plix {

namespace {

struct Stream {
  std::unique_ptr<OggDecoder> decoder;
  AudioVoice voice;
  DWORD flags = 0;
  int volume = 100;  // 0 ... 100
  int pan = 0;       // -100 ... 100
  bool paused = false;
};

struct BassState {
  bool initialized = false;
  bool deviceOpen = false;
  int error = BASS_OK;
  DWORD nextHandle = 0x10001;
  std::map<DWORD, std::unique_ptr<Stream>> streams;
  std::map<DWORD, DWORD> config{{BASS_CONFIG_BUFFER, 500},
                                {BASS_CONFIG_GVOL_SAMPLE, 100},
                                {BASS_CONFIG_GVOL_STREAM, 100},
                                {BASS_CONFIG_GVOL_MUSIC, 100}};
};

BassState& State() {
  static BassState state;
  return state;
}

template <typename T>
T Fail(int error, T result) {
  State().error = error;
  return result;
}

Stream* Find(DWORD handle) {
  auto& streams = State().streams;
  auto it = streams.find(handle);
  if (it == streams.end()) {
    State().error = BASS_ERROR_HANDLE;
    return nullptr;
  }
  State().error = BASS_OK;
  return it->second.get();
}

void ApplyGains(Stream& s) {
  const int global = static_cast<int>(std::min<DWORD>(State().config[BASS_CONFIG_GVOL_STREAM], 100));
  const int64_t gain = int64_t{65536} * s.volume * global / 10000;
  s.voice.gainLeft = static_cast<int32_t>(gain * (s.pan > 0 ? 100 - s.pan : 100) / 100);
  s.voice.gainRight = static_cast<int32_t>(gain * (s.pan < 0 ? 100 + s.pan : 100) / 100);
}

void Rewind(Stream& s) {
  s.decoder->Rewind();
  ResetStreamWindow(&s.voice);
}

BOOL Init(int device, DWORD freq, DWORD flags, HWND window, const void*) {
  AutoCrit lock(AudioLock());
  BassState& st = State();
  if (st.initialized) return Fail(BASS_ERROR_INIT, FALSE);
  st.initialized = true;
  st.deviceOpen = device != 0 && OpenAudioDevice();
  // Without an output device streams still decode (BASS's "no sound" device).
  return Fail(st.deviceOpen || device == 0 ? BASS_OK : BASS_ERROR_DEVICE,
              st.deviceOpen || device == 0 ? TRUE : FALSE);
}

BOOL Free() {
  bool close = false;
  {
    AutoCrit lock(AudioLock());
    BassState& st = State();
    if (!st.initialized) return Fail(BASS_ERROR_INIT, FALSE);
    for (auto& [h, s] : st.streams) StopVoice(&s->voice);
    st.streams.clear();
    st.initialized = false;
    close = st.deviceOpen;
    st.deviceOpen = false;
  }
  if (close) CloseAudioDevice();  // never under the audio lock
  return TRUE;
}

BOOL Start() {
  AutoCrit lock(AudioLock());
  return State().initialized ? Fail(BASS_OK, TRUE) : Fail(BASS_ERROR_INIT, FALSE);
}

BOOL Stop() {
  AutoCrit lock(AudioLock());
  if (!State().initialized) return Fail(BASS_ERROR_INIT, FALSE);
  for (auto& [h, s] : State().streams) StopVoice(&s->voice);
  return TRUE;
}

DWORD SetConfig(DWORD option, DWORD value) {
  AutoCrit lock(AudioLock());
  BassState& st = State();
  if (option == BASS_CONFIG_GVOL_STREAM || option == BASS_CONFIG_GVOL_MUSIC ||
      option == BASS_CONFIG_GVOL_SAMPLE)
    value = std::min<DWORD>(value, 100);
  st.config[option] = value;
  for (auto& [h, s] : st.streams) ApplyGains(*s);
  return Fail(BASS_OK, TRUE);
}

DWORD GetConfig(DWORD option) {
  AutoCrit lock(AudioLock());
  auto it = State().config.find(option);
  return it == State().config.end() ? Fail(BASS_ERROR_ILLPARAM, DWORD(-1)) : it->second;
}

BOOL SetGlobalVolumes(int music, int sample, int stream) {
  AutoCrit lock(AudioLock());
  auto clampVol = [](int v) { return static_cast<DWORD>(std::clamp(v, 0, 100)); };
  if (music >= 0) State().config[BASS_CONFIG_GVOL_MUSIC] = clampVol(music);
  if (sample >= 0) State().config[BASS_CONFIG_GVOL_SAMPLE] = clampVol(sample);
  if (stream >= 0) State().config[BASS_CONFIG_GVOL_STREAM] = clampVol(stream);
  for (auto& [h, s] : State().streams) ApplyGains(*s);
  return TRUE;
}

DWORD GetVersion() { return 0x02030000; }

BOOL ChannelStop(DWORD h) {
  AutoCrit lock(AudioLock());
  Stream* s = Find(h);
  if (!s) return FALSE;
  StopVoice(&s->voice);
  s->paused = false;
  return TRUE;
}

BOOL ChannelPlay(DWORD h, BOOL restart) {
  AutoCrit lock(AudioLock());
  Stream* s = Find(h);
  if (!s) return FALSE;
  // A stream that played to its end starts again from the top.
  if (restart || s->voice.streamEnded) Rewind(*s);
  s->voice.looping = (s->flags & BASS_SAMPLE_LOOP) != 0;
  s->paused = false;
  StartVoice(&s->voice);
  return TRUE;
}

BOOL ChannelPause(DWORD h) {
  AutoCrit lock(AudioLock());
  Stream* s = Find(h);
  if (!s) return FALSE;
  if (!s->voice.playing) return Fail(BASS_ERROR_NOPLAY, FALSE);
  StopVoice(&s->voice);
  s->paused = true;
  return TRUE;
}

DWORD ChannelIsActive(DWORD h) {
  AutoCrit lock(AudioLock());
  Stream* s = Find(h);
  if (!s) return BASS_ACTIVE_STOPPED;
  if (s->voice.playing) return BASS_ACTIVE_PLAYING;
  return s->paused ? BASS_ACTIVE_PAUSED : BASS_ACTIVE_STOPPED;
}

BOOL ChannelSetAttributes(DWORD h, int freq, int volume, int pan) {
  AutoCrit lock(AudioLock());
  Stream* s = Find(h);
  if (!s) return FALSE;
  if (freq == 0) s->voice.frequency = static_cast<uint32_t>(s->decoder->Rate());
  if (freq >= 100 && freq <= 100000) s->voice.frequency = static_cast<uint32_t>(freq);
  if (volume >= 0) s->volume = std::min(volume, 100);
  if (pan >= -100 && pan <= 100) s->pan = pan;
  ApplyGains(*s);
  return TRUE;
}

BOOL ChannelGetAttributes(DWORD h, DWORD* freq, DWORD* volume, int* pan) {
  AutoCrit lock(AudioLock());
  Stream* s = Find(h);
  if (!s) return FALSE;
  if (freq) *freq = s->voice.frequency;
  if (volume) *volume = static_cast<DWORD>(s->volume);
  if (pan) *pan = s->pan;
  return TRUE;
}

BOOL ChannelSetPosition(DWORD h, QWORD position) {
  AutoCrit lock(AudioLock());
  Stream* s = Find(h);
  if (!s) return FALSE;
  // Positions of a stream count bytes of its decoded 16-bit output.
  const int64_t frame = static_cast<int64_t>(position / (2u * s->decoder->Channels()));
  if ((s->decoder->TotalFrames() >= 0 && frame > s->decoder->TotalFrames()) ||
      !s->decoder->SeekFrame(frame))
    return Fail(BASS_ERROR_ILLPARAM, FALSE);
  const bool wasPlaying = s->voice.playing;
  ResetStreamWindow(&s->voice);
  s->voice.playing = wasPlaying;
  return TRUE;
}

QWORD ChannelGetPosition(DWORD h) {
  AutoCrit lock(AudioLock());
  Stream* s = Find(h);
  if (!s) return QWORD(-1);
  const AudioVoice& v = s->voice;
  int64_t frame = s->decoder->TellFrame();
  if (v.windowFrames > 0) frame -= v.windowFrames - 1 - static_cast<int64_t>(v.position >> 16);
  return static_cast<QWORD>(std::max<int64_t>(0, frame)) * 2u * s->decoder->Channels();
}

QWORD ChannelGetLength(DWORD h) {
  AutoCrit lock(AudioLock());
  Stream* s = Find(h);
  if (!s || s->decoder->TotalFrames() < 0) return QWORD(-1);
  return static_cast<QWORD>(s->decoder->TotalFrames()) * 2u * s->decoder->Channels();
}

BOOL ChannelSetFlags(DWORD h, DWORD flags) {
  AutoCrit lock(AudioLock());
  Stream* s = Find(h);
  if (!s) return FALSE;
  s->flags = flags;
  s->voice.looping = (flags & BASS_SAMPLE_LOOP) != 0;
  return TRUE;
}

HSTREAM StreamCreateFile(BOOL mem, const void* file, QWORD offset, QWORD length, DWORD flags) {
  {
    AutoCrit lock(AudioLock());
    if (!State().initialized) return Fail(BASS_ERROR_INIT, HSTREAM(0));
  }
  if (mem || !file || offset != 0) return Fail(BASS_ERROR_NOTAVAIL, HSTREAM(0));
  auto s = std::make_unique<Stream>();
  s->decoder = OggDecoder::Open(static_cast<const char*>(file));
  AutoCrit lock(AudioLock());
  if (!s->decoder) return Fail(BASS_ERROR_FILEFORM, HSTREAM(0));
  s->flags = flags;
  s->voice.stream = s->decoder.get();
  s->voice.frequency = static_cast<uint32_t>(s->decoder->Rate());
  s->voice.looping = (flags & BASS_SAMPLE_LOOP) != 0;
  ApplyGains(*s);
  const DWORD h = State().nextHandle++;
  State().streams[h] = std::move(s);
  State().error = BASS_OK;
  return h;
}

BOOL StreamFree(DWORD h) {
  AutoCrit lock(AudioLock());
  Stream* s = Find(h);
  if (!s) return FALSE;
  StopVoice(&s->voice);
  State().streams.erase(h);
  return TRUE;
}

// Tracker modules are not supported.
HMUSIC MusicLoad(BOOL, const void*, QWORD, DWORD, DWORD, DWORD) {
  AutoCrit lock(AudioLock());
  return Fail(BASS_ERROR_FILEFORM, HMUSIC(0));
}
BOOL MusicFree(DWORD) {
  AutoCrit lock(AudioLock());
  return Fail(BASS_ERROR_HANDLE, FALSE);
}
DWORD MusicSetAttribute(DWORD, DWORD, DWORD) {
  AutoCrit lock(AudioLock());
  return Fail(BASS_ERROR_HANDLE, DWORD(-1));
}

int ErrorGetCode() {
  AutoCrit lock(AudioLock());
  return State().error;
}

// The entry points the program never calls with meaning.
DWORD NotAvailable() {
  AutoCrit lock(AudioLock());
  return Fail(BASS_ERROR_NOTAVAIL, DWORD(0));
}

template <typename F>
AudioExport E(const char* name, F fn) {
  return {name, reinterpret_cast<void*>(fn)};
}

}  // namespace

const AudioLibrary& BassLibrary() {
  static const AudioLibrary lib{
      "bass.dll",
      {E("BASS_Init", Init),
       E("BASS_Free", Free),
       E("BASS_Stop", Stop),
       E("BASS_Start", Start),
       E("BASS_SetGlobalVolumes", SetGlobalVolumes),
       E("BASS_SetVolume", NotAvailable),
       E("BASS_SetConfig", SetConfig),
       E("BASS_GetConfig", GetConfig),
       E("BASS_GetVolume", NotAvailable),
       E("BASS_GetInfo", NotAvailable),
       E("BASS_GetVersion", GetVersion),
       E("BASS_ChannelStop", ChannelStop),
       E("BASS_ChannelPlay", ChannelPlay),
       E("BASS_ChannelPause", ChannelPause),
       E("BASS_ChannelSetAttributes", ChannelSetAttributes),
       E("BASS_ChannelGetAttributes", ChannelGetAttributes),
       E("BASS_ChannelSetPosition", ChannelSetPosition),
       E("BASS_ChannelGetPosition", ChannelGetPosition),
       E("BASS_ChannelIsActive", ChannelIsActive),
       E("BASS_ChannelSetFlags", ChannelSetFlags),
       E("BASS_ChannelSlideAttributes", NotAvailable),
       E("BASS_ChannelIsSliding", NotAvailable),
       E("BASS_ChannelGetLevel", NotAvailable),
       E("BASS_ChannelSetSync", NotAvailable),
       E("BASS_ChannelRemoveSync", NotAvailable),
       E("BASS_ChannelGetData", NotAvailable),
       E("BASS_FXSetParameters", NotAvailable),
       E("BASS_FXGetParameters", NotAvailable),
       E("BASS_ChannelSetFX", NotAvailable),
       E("BASS_ChannelRemoveFX", NotAvailable),
       E("BASS_MusicLoad", MusicLoad),
       E("BASS_MusicFree", MusicFree),
       E("BASS_MusicGetAttribute", NotAvailable),
       E("BASS_MusicSetAttribute", MusicSetAttribute),
       E("BASS_StreamCreateFile", StreamCreateFile),
       E("BASS_StreamFree", StreamFree),
       E("BASS_MusicGetOrders", NotAvailable),
       E("BASS_MusicGetOrderPosition", NotAvailable),
       E("BASS_SampleLoad", NotAvailable),
       E("BASS_SampleFree", NotAvailable),
       E("BASS_SampleSetInfo", NotAvailable),
       E("BASS_SampleGetInfo", NotAvailable),
       E("BASS_SampleGetChannel", NotAvailable),
       E("BASS_SampleStop", NotAvailable),
       E("BASS_ErrorGetCode", ErrorGetCode),
       E("BASS_PluginLoad", NotAvailable),
       E("BASS_ChannelGetLength", ChannelGetLength),
       E("BASS_ChannelPreBuf", NotAvailable)}};
  return lib;
}

}  // namespace Plix
