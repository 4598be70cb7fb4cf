#include "framework/sound/BassMusicInterface.h"

#include <algorithm>
#include <cctype>

#include "framework/platform/AudioMixer.h"
#include "framework/sound/BassLoader.h"
#include "framework/sound/SoundFiles.h"

namespace Plix {

namespace {
constexpr DWORD kModuleFlagsV2 = 0x8200;
constexpr DWORD kFadeModuleFlagsV2 = 0x200;
constexpr DWORD kMusicLoadFlags = 4;
constexpr DWORD kMusicLoadFlagsV2 = 0x204;

DWORD LoopFlags(bool noLoop) { return noLoop ? 0 : BASS_SAMPLE_LOOP; }

// A fraction as the library's percentage; a negative one (a hand-edited
// setting) is 0 rather than a wrapped-around number.
DWORD Percent(double fraction) { return fraction > 0 ? static_cast<DWORD>(fraction * 100) : 0; }
}  // namespace

BassMusicInterface::BassMusicInterface(HWND window) {
  InstallSoundFileAccess();
  LoadBassDLL();
  mBass = GetBassInstance();
  // Starting BASS must not change the user's wave volume.
  const uint32_t waveVolume = GetWaveOutVolume();
  if (mBass->mVersion2) {
    reinterpret_cast<BassFn::Init>(mBass->BASS_Init)(1, 44100, 0, window, nullptr);
    mBass->BASS_SetConfig(BASS_CONFIG_BUFFER, 2000);
  } else {
    reinterpret_cast<BassFn::InitOld>(mBass->BASS_Init)(-1, 44100, 0, window);
  }
  SetWaveOutVolume(waveVolume);
  mBass->BASS_Start();
  mMaxMusicVolume = 40;
}

BassMusicInterface::~BassMusicInterface() {
  mBass->BASS_Stop();
  mBass->BASS_Free();
  FreeBassDLL();
}

BassMusicInfo* BassMusicInterface::Find(int songId) {
  auto it = mMusicMap.find(songId);
  return it == mMusicMap.end() ? nullptr : &it->second;
}

bool BassMusicInterface::GetSongInfo(int songId, BassMusicInfo& info) {
  AutoCrit lock(mLock);
  const BassMusicInfo* song = Find(songId);
  if (song) info = *song;
  return song != nullptr;
}

void BassMusicInterface::ApplyVolume(const BassMusicInfo& info) {
  mBass->BASS_ChannelSetAttributes(info.GetHandle(), -1, static_cast<int>(info.mVolume * 100), -101);
}

void BassMusicInterface::PlayFromOrder(DWORD handle, int order, DWORD flags) {
  mBass->BASS_ChannelStop(handle);
  const int32_t position = static_cast<int32_t>(0x80000000u | (static_cast<uint32_t>(order) & 0xFFFF));
  mBass->BASS_ChannelSetPosition(handle, static_cast<QWORD>(static_cast<int64_t>(position)));
  mBass->BASS_ChannelSetFlags(handle, flags);
  mBass->BASS_ChannelPlay(handle, FALSE);
}

void BassMusicInterface::PlayStream(DWORD handle, int offset, DWORD flags) {
  mBass->BASS_ChannelSetFlags(handle, flags);
  mBass->BASS_ChannelPlay(handle, offset != -1 ? TRUE : FALSE);
  if (offset > 0) mBass->BASS_ChannelSetPosition(handle, static_cast<QWORD>(offset));
}

bool BassMusicInterface::LoadMusic(int songId, const std::string& fileName) {
  const size_t dot = fileName.rfind('.');
  std::string ext = dot == std::string::npos ? "" : fileName.substr(dot + 1);
  std::transform(ext.begin(), ext.end(), ext.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  BassMusicInfo info;
  if (ext == "wav" || ext == "ogg" || ext == "mp3") {
    info.mHStream = mBass->BASS_StreamCreateFile(FALSE, fileName.c_str(), 0, 0, 0);
    if (!info.mHStream) return false;
  } else {
    PakHandle* f = PakFOpen(fileName, "rb");
    if (!f) return false;
    PakFClose(f);
    if (mBass->mVersion2)
      info.mHMusic = reinterpret_cast<BassFn::MusicLoad>(mBass->BASS_MusicLoad)(
          FALSE, fileName.c_str(), 0, 0, kMusicLoadFlagsV2, 0);
    else
      info.mHMusic = reinterpret_cast<BassFn::MusicLoadOld>(mBass->BASS_MusicLoad)(
          FALSE, fileName.c_str(), 0, 0, kMusicLoadFlags);
    if (!info.mHMusic) return false;
  }
  AutoCrit lock(mLock);
  if (!mMusicMap.emplace(songId, info).second) {
    // The id keeps its first song; the new one would only leak.
    if (info.mHStream)
      mBass->BASS_StreamFree(info.mHStream);
    else
      mBass->BASS_MusicFree(info.mHMusic);
  }
  return true;
}

void BassMusicInterface::PlayMusic(int songId, int offset, bool noLoop) {
  AutoCrit lock(mLock);
  BassMusicInfo* song = Find(songId);
  if (!song) return;
  song->mVolume = song->mVolumeCap;
  song->mVolumeAdd = 0.0;
  song->mStopOnFade = noLoop;
  ApplyVolume(*song);
  mBass->BASS_ChannelStop(song->GetHandle());
  if (song->mHMusic)
    PlayFromOrder(song->mHMusic, offset,
                  LoopFlags(noLoop) | (mBass->mVersion2 ? kModuleFlagsV2 : 0));
  else
    PlayStream(song->mHStream, offset, LoopFlags(noLoop));
}

void BassMusicInterface::StopMusic(int songId) {
  AutoCrit lock(mLock);
  BassMusicInfo* song = Find(songId);
  if (!song) return;
  song->mVolume = 0.0;
  mBass->BASS_ChannelStop(song->GetHandle());
}

void BassMusicInterface::StopAllMusic() {
  AutoCrit lock(mLock);
  for (auto& [id, song] : mMusicMap) {
    song.mVolume = 0.0;
    mBass->BASS_ChannelStop(song.GetHandle());
  }
}

void BassMusicInterface::UnloadMusic(int songId) {
  AutoCrit lock(mLock);
  StopMusic(songId);
  BassMusicInfo* song = Find(songId);
  if (!song) return;
  if (song->mHStream)
    mBass->BASS_StreamFree(song->mHStream);
  else
    mBass->BASS_MusicFree(song->mHMusic);
  mMusicMap.erase(songId);
}

void BassMusicInterface::UnloadAllMusic() {
  AutoCrit lock(mLock);
  StopAllMusic();
  for (auto& [id, song] : mMusicMap) {
    if (song.mHStream)
      mBass->BASS_StreamFree(song.mHStream);
    else if (song.mHMusic)
      mBass->BASS_MusicFree(song.mHMusic);
  }
  mMusicMap.clear();
}

void BassMusicInterface::PauseMusic(int songId) {
  AutoCrit lock(mLock);
  if (BassMusicInfo* song = Find(songId)) mBass->BASS_ChannelPause(song->GetHandle());
}

void BassMusicInterface::ResumeMusic(int songId) {
  AutoCrit lock(mLock);
  if (BassMusicInfo* song = Find(songId)) mBass->BASS_ChannelPlay(song->GetHandle(), FALSE);
}

void BassMusicInterface::PauseAllMusic() {
  AutoCrit lock(mLock);
  for (auto& [id, song] : mMusicMap)
    if (mBass->BASS_ChannelIsActive(song.GetHandle()) == BASS_ACTIVE_PLAYING)
      mBass->BASS_ChannelPause(song.GetHandle());
}

void BassMusicInterface::ResumeAllMusic() {
  AutoCrit lock(mLock);
  for (auto& [id, song] : mMusicMap)
    if (mBass->BASS_ChannelIsActive(song.GetHandle()) == BASS_ACTIVE_PAUSED)
      mBass->BASS_ChannelPlay(song.GetHandle(), FALSE);
}

void BassMusicInterface::FadeIn(int songId, int offset, double speed, bool noLoop) {
  AutoCrit lock(mLock);
  BassMusicInfo* song = Find(songId);
  if (!song) return;
  song->mVolumeAdd = speed;
  song->mStopOnFade = noLoop;
  mBass->BASS_ChannelStop(song->GetHandle());
  ApplyVolume(*song);
  if (song->mHMusic) {
    if (offset == -1)
      mBass->BASS_ChannelPlay(song->mHMusic, TRUE);
    else
      PlayFromOrder(song->mHMusic, offset,
                    LoopFlags(noLoop) | (mBass->mVersion2 ? kFadeModuleFlagsV2 : 0));
  } else {
    PlayStream(song->mHStream, offset, LoopFlags(noLoop));
  }
}

void BassMusicInterface::FadeOut(int songId, bool stopWhenFaded, double speed) {
  AutoCrit lock(mLock);
  BassMusicInfo* song = Find(songId);
  if (!song) return;
  if (song->mVolume != 0.0) song->mVolumeAdd = -speed;
  song->mStopOnFade = stopWhenFaded;
}

void BassMusicInterface::FadeOutAll(bool stopWhenFaded, double speed) {
  AutoCrit lock(mLock);
  for (auto& [id, song] : mMusicMap) {
    song.mVolumeAdd = -speed;
    song.mStopOnFade = stopWhenFaded;
  }
}

void BassMusicInterface::SetSongVolume(int songId, double volume) {
  AutoCrit lock(mLock);
  BassMusicInfo* song = Find(songId);
  if (!song) return;
  song->mVolume = volume;
  ApplyVolume(*song);
}

void BassMusicInterface::SetSongVolumeLimit(int songId, double limit) {
  AutoCrit lock(mLock);
  BassMusicInfo* song = Find(songId);
  if (!song) return;
  song->mVolumeCap = limit;
  song->mVolume = std::min(song->mVolume, limit);
  ApplyVolume(*song);
}

bool BassMusicInterface::IsPlaying(int songId) {
  AutoCrit lock(mLock);
  BassMusicInfo* song = Find(songId);
  return song && mBass->BASS_ChannelIsActive(song->GetHandle()) == BASS_ACTIVE_PLAYING;
}

void BassMusicInterface::SetVolume(double volume) {
  if (mBass->mVersion2) {
    const DWORD v = Percent(volume);
    mBass->BASS_SetConfig(BASS_CONFIG_GVOL_MUSIC, v);
    mBass->BASS_SetConfig(BASS_CONFIG_GVOL_STREAM, v);
  } else {
    const int g = static_cast<int>(mMaxMusicVolume * volume);
    mBass->BASS_SetGlobalVolumes(g, g, g);
  }
}

void BassMusicInterface::SetAmplification(int songId, double amplification) {
  AutoCrit lock(mLock);
  if (BassMusicInfo* song = Find(songId))
    mBass->BASS_MusicSetAttribute(song->GetHandle(), 0, Percent(amplification));
}

void BassMusicInterface::Update() {
  AutoCrit lock(mLock);
  for (auto& [id, song] : mMusicMap) {
    const auto step = song.StepFade();
    if (step == MusicFadeState::FadeStep::None) continue;
    if (step == MusicFadeState::FadeStep::Silenced && song.mStopOnFade) mBass->BASS_ChannelStop(song.GetHandle());
    ApplyVolume(song);
  }
}

}  // namespace Plix
