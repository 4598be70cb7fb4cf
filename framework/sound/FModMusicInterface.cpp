#include "framework/sound/FModMusicInterface.h"

#include <cstdio>
#include <cstring>

#include "framework/platform/Files.h"
#include "framework/sound/FModLoader.h"
#include "framework/sound/SoundFiles.h"
#include "framework/sound/SoundHost.h"

namespace Plix {

namespace {

// The file name without folder and extension.
std::string BaseName(const std::string& path) {
  const size_t slash = path.find_last_of("\\/");
  std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  const size_t dot = name.rfind('.');
  return dot == std::string::npos ? name : name.substr(0, dot);
}

// Creates every folder of a file's directory.
void MakeFoldersFor(const std::string& path) {
  std::string native = Fs::NativePath(path);
  for (size_t i = 1; i < native.size(); ++i)
    if (native[i] == '/') Fs::MakeDirectory(native.substr(0, i));
}

void PutLe32(FILE* fp, uint32_t v) {
  const uint8_t b[4] = {uint8_t(v), uint8_t(v >> 8), uint8_t(v >> 16), uint8_t(v >> 24)};
  std::fwrite(b, 1, 4, fp);
}
void PutLe16(FILE* fp, uint16_t v) {
  const uint8_t b[2] = {uint8_t(v), uint8_t(v >> 8)};
  std::fwrite(b, 1, 2, fp);
}

struct SampleShape {
  int frequency = 0;
  unsigned mode = 0;
  unsigned length = 0;  // frames
  int BytesPerFrame() const { return ((mode & FSOUND_MONO) ? 1 : 2) * ((mode & FSOUND_8BITS) ? 1 : 2); }
};

SampleShape ShapeOf(FMOD_INSTANCE* fmod, FSOUND_SAMPLE* sample) {
  SampleShape s;
  s.mode = fmod->FSOUND_Sample_GetMode(sample);
  fmod->FSOUND_Sample_GetDefaults(sample, &s.frequency, nullptr, nullptr, nullptr);
  s.length = fmod->FSOUND_Sample_GetLength(sample);
  return s;
}

}  // namespace

FModMusicInterface::FModMusicInterface() {
  InstallSoundFileAccess();
  LoadFModDLL();
  mFMod = GetFModInstance();
}

FModMusicInterface::~FModMusicInterface() { FreeFModDLL(); }

FModMusicInfo* FModMusicInterface::Find(int songId) {
  auto it = mMusicMap.find(songId);
  return it == mMusicMap.end() ? nullptr : &it->second;
}

bool FModMusicInterface::GetSongInfo(int songId, FModMusicInfo& info) {
  AutoCrit lock(mLock);
  const FModMusicInfo* song = Find(songId);
  if (song) info = *song;
  return song != nullptr;
}

void FModMusicInterface::Insert(int songId, const FModMusicInfo& info) {
  AutoCrit lock(mLock);
  // The id keeps its first song; a new sample would only leak.
  if (!mMusicMap.emplace(songId, info).second && info.mHSample)
    mFMod->FSOUND_Sample_Free(info.mHSample);
}

void FModMusicInterface::ApplyVolume(int songId, const FModMusicInfo& info) {
  if (info.mHMusic)
    mFMod->FMUSIC_SetMasterVolume(info.mHMusic,
                                  static_cast<int>(info.mVolume * mMasterVolume * mMusicVolumeScale));
  else
    mFMod->FSOUND_SetVolume(songId,
                            static_cast<int>(mMasterVolume * info.mVolume * mSampleVolumeScale));
}

FSOUND_SAMPLE* FModMusicInterface::LoadCachedSample(const std::string& fileName) {
  SoundHost* host = GetSoundHost();
  const std::string cachePath =
      (host ? host->GetAppDataFolder() : std::string()) + "cached\\" + BaseName(fileName) + ".wav";
  MakeFoldersFor(cachePath);
  if (FSOUND_SAMPLE* cached = mFMod->FSOUND_Sample_Load(-1, cachePath.c_str(), 0, 0)) return cached;
  FSOUND_SAMPLE* sample = mFMod->FSOUND_Sample_Load(-1, (fileName + ".ogg").c_str(), 0, 0);
  if (!sample) return nullptr;

  const SampleShape shape = ShapeOf(mFMod, sample);
  const uint16_t channels = (shape.mode & FSOUND_MONO) ? 1 : 2;
  const uint16_t bits = (shape.mode & FSOUND_8BITS) ? 8 : 16;
  const uint16_t align = static_cast<uint16_t>(bits * channels / 8);
  const uint32_t bytes = shape.length * align;
  void *p1 = nullptr, *p2 = nullptr;
  unsigned n1 = 0, n2 = 0;
  if (mFMod->FSOUND_Sample_Lock(sample, 0, static_cast<int>(bytes), &p1, &p2, &n1, &n2)) {
    // A cache that cannot be written is skipped; the sample still plays.
    if (FILE* fp = Fs::OpenFile(cachePath, "wb")) {
      std::fwrite("RIFF", 1, 4, fp);
      PutLe32(fp, bytes + 36);
      std::fwrite("WAVEfmt ", 1, 8, fp);
      PutLe32(fp, 16);
      PutLe16(fp, 1);
      PutLe16(fp, channels);
      PutLe32(fp, static_cast<uint32_t>(shape.frequency));
      PutLe32(fp, static_cast<uint32_t>(align * shape.frequency));
      PutLe16(fp, align);
      PutLe16(fp, bits);
      std::fwrite("data", 1, 4, fp);
      PutLe32(fp, bytes);
      std::fwrite(p1, 1, bytes, fp);
      std::fclose(fp);
    }
    mFMod->FSOUND_Sample_Unlock(sample, p1, p2, n1, n2);
  }
  return sample;
}

bool FModMusicInterface::LoadMusic(int songId, const std::string& fileName) {
  FModMusicInfo info;
  info.mHMusic = mFMod->FMUSIC_LoadSong(fileName.c_str());
  if (!info.mHMusic) return false;
  Insert(songId, info);
  return true;
}

bool FModMusicInterface::LoadSampleMusic(int songId, const std::string& fileName, bool sampleLoops) {
  FModMusicInfo info;
  info.mHSample = LoadCachedSample(fileName);
  if (!info.mHSample) return false;
  info.mRepeats = sampleLoops;
  Insert(songId, info);
  return true;
}

bool FModMusicInterface::LoadSampleLoopMusic(int songId, const std::string& introFile,
                                             const std::string& loopFile, bool sampleLoops) {
  FSOUND_SAMPLE* intro = LoadCachedSample(introFile);
  FSOUND_SAMPLE* loop = LoadCachedSample(loopFile);
  if (!intro || !loop) {
    if (intro) mFMod->FSOUND_Sample_Free(intro);
    if (loop) mFMod->FSOUND_Sample_Free(loop);
    return false;
  }
  const SampleShape a = ShapeOf(mFMod, intro);
  const SampleShape b = ShapeOf(mFMod, loop);
  if (a.frequency != b.frequency || a.mode != b.mode) {
    mFMod->FSOUND_Sample_Free(intro);
    mFMod->FSOUND_Sample_Free(loop);
    return false;
  }
  FSOUND_SAMPLE* joined = mFMod->FSOUND_Sample_Alloc(
      -1, static_cast<int>(a.length + b.length), a.mode | FSOUND_LOOP_NORMAL, a.frequency, 255,
      128, 0);
  const int bytesA = static_cast<int>(a.length) * a.BytesPerFrame();
  const int bytesB = static_cast<int>(b.length) * b.BytesPerFrame();
  void *s1 = nullptr, *s2 = nullptr;
  unsigned sn1 = 0, sn2 = 0;
  if (joined && mFMod->FSOUND_Sample_Lock(joined, 0, bytesA + bytesB, &s1, &s2, &sn1, &sn2)) {
    void *p1 = nullptr, *p2 = nullptr;
    unsigned n1 = 0, n2 = 0;
    if (mFMod->FSOUND_Sample_Lock(intro, 0, bytesA, &p1, &p2, &n1, &n2)) {
      std::memcpy(s1, p1, static_cast<size_t>(bytesA));
      mFMod->FSOUND_Sample_Unlock(intro, p1, p2, n1, n2);
    }
    if (mFMod->FSOUND_Sample_Lock(loop, 0, bytesB, &p1, &p2, &n1, &n2)) {
      std::memcpy(static_cast<uint8_t*>(s1) + bytesA, p1, static_cast<size_t>(bytesB));
      mFMod->FSOUND_Sample_Unlock(loop, p1, p2, n1, n2);
    }
    mFMod->FSOUND_Sample_Unlock(joined, s1, s2, sn1, sn2);
  }
  mFMod->FSOUND_Sample_Free(intro);
  mFMod->FSOUND_Sample_Free(loop);
  if (!joined) return false;
  // The loop part is the second sample: from the intro's end to the last
  // frame (FMOD's loop end is inclusive).
  mFMod->FSOUND_Sample_SetLoopPoints(joined, static_cast<int>(a.length),
                                     static_cast<int>(a.length + b.length) - 1);
  FModMusicInfo info;
  info.mHSample = joined;
  info.mRepeats = sampleLoops;
  Insert(songId, info);
  return true;
}

void FModMusicInterface::PlayMusic(int songId, int offset, bool noLoop) {
  AutoCrit lock(mLock);
  FModMusicInfo* song = Find(songId);
  if (!song) return;
  song->mVolume = song->mVolumeCap;
  song->mVolumeAdd = 0.0;
  if (song->mHMusic) {
    ApplyVolume(songId, *song);
    mFMod->FMUSIC_SetLooping(song->mHMusic, noLoop ? 0 : 1);
    mFMod->FMUSIC_PlaySong(song->mHMusic);
    mFMod->FMUSIC_SetOrder(song->mHMusic, offset);
  } else {
    mFMod->FSOUND_PlaySound(songId, song->mHSample);
    mFMod->FSOUND_SetLoopMode(songId, song->mRepeats ? FSOUND_LOOP_NORMAL : FSOUND_LOOP_OFF);
    ApplyVolume(songId, *song);
  }
}

void FModMusicInterface::FadeIn(int songId, int offset, double speed, bool noLoop) {
  AutoCrit lock(mLock);
  FModMusicInfo* song = Find(songId);
  if (!song) return;
  song->mVolumeAdd = speed;
  if (song->mHMusic) {
    ApplyVolume(songId, *song);
    mFMod->FMUSIC_SetLooping(song->mHMusic, noLoop ? 0 : 1);
    if (!mFMod->FMUSIC_IsPlaying(song->mHMusic)) mFMod->FMUSIC_PlaySong(song->mHMusic);
    if (offset != -1) mFMod->FMUSIC_SetOrder(song->mHMusic, offset);
  } else {
    if (!mFMod->FSOUND_IsPlaying(songId)) mFMod->FSOUND_PlaySound(songId, song->mHSample);
    mFMod->FSOUND_SetLoopMode(songId, song->mRepeats ? FSOUND_LOOP_NORMAL : FSOUND_LOOP_OFF);
    ApplyVolume(songId, *song);
  }
}

void FModMusicInterface::FadeOut(int songId, bool stopWhenFaded, double speed) {
  AutoCrit lock(mLock);
  if (FModMusicInfo* song = Find(songId)) {
    song->mVolumeAdd = -speed;
    song->mStopOnFade = stopWhenFaded;
  }
}

void FModMusicInterface::FadeOutAll(bool stopWhenFaded, double speed) {
  AutoCrit lock(mLock);
  for (auto& [id, song] : mMusicMap) {
    song.mVolumeAdd = -speed;
    song.mStopOnFade = stopWhenFaded;
  }
}

void FModMusicInterface::StopMusic(int songId) {
  AutoCrit lock(mLock);
  FModMusicInfo* song = Find(songId);
  if (!song) return;
  song->mVolume = 0.0;
  if (song->mHMusic)
    mFMod->FMUSIC_StopSong(song->mHMusic);
  else
    mFMod->FSOUND_StopSound(songId);
}

void FModMusicInterface::StopAllMusic() {
  AutoCrit lock(mLock);
  for (auto& [id, song] : mMusicMap) StopMusic(id);
}

void FModMusicInterface::PauseMusic(int songId) {
  AutoCrit lock(mLock);
  FModMusicInfo* song = Find(songId);
  if (!song) return;
  if (song->mHMusic)
    mFMod->FMUSIC_SetPaused(song->mHMusic, 1);
  else
    mFMod->FSOUND_SetPaused(songId, 1);
}

void FModMusicInterface::ResumeMusic(int songId) {
  AutoCrit lock(mLock);
  FModMusicInfo* song = Find(songId);
  if (!song) return;
  if (song->mHMusic)
    mFMod->FMUSIC_SetPaused(song->mHMusic, 0);
  else
    mFMod->FSOUND_SetPaused(songId, 0);
}

void FModMusicInterface::SetSongVolume(int songId, double volume) {
  AutoCrit lock(mLock);
  FModMusicInfo* song = Find(songId);
  if (!song) return;
  song->mVolume = volume;
  ApplyVolume(songId, *song);
}

void FModMusicInterface::SetVolume(double volume) {
  AutoCrit lock(mLock);
  mMasterVolume = volume;
  for (auto& [id, song] : mMusicMap) ApplyVolume(id, song);
}

// A sample song is asked of its channel, a module of the module player.
bool FModMusicInterface::IsPlaying(int songId) {
  AutoCrit lock(mLock);
  FModMusicInfo* song = Find(songId);
  if (!song) return false;
  if (song->mHMusic) return mFMod->FMUSIC_IsPlaying(song->mHMusic) != 0;
  return mFMod->FSOUND_IsPlaying(songId) != 0;
}

void FModMusicInterface::Update() {
  AutoCrit lock(mLock);
  for (auto& [id, song] : mMusicMap) {
    const auto step = song.StepFade();
    if (step == MusicFadeState::FadeStep::None) continue;
    if (step == MusicFadeState::FadeStep::Silenced && song.mStopOnFade) {
      if (song.mHMusic)
        mFMod->FMUSIC_StopSong(song.mHMusic);
      else
        mFMod->FSOUND_StopSound(id);
    }
    ApplyVolume(id, song);
  }
}

}  // namespace Plix
