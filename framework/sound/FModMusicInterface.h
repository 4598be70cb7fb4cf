#pragma once
// Music through FMOD: tracker modules through FMUSIC (not supported by our
// library, so they fail to load) and sample songs, Ogg Vorbis files decoded
// once and cached as WAV files in "cached\" of the application-data folder,
// each playing on the FSOUND channel numbered by its song id. The song
// table is guarded by a lock, as in the BASS interface.
#include <map>

#include "framework/platform/FMod.h"
#include "framework/platform/Threads.h"
#include "framework/sound/MusicInterface.h"

namespace Plix {

class FMOD_INSTANCE;

struct FModMusicInfo : MusicFadeState {
  FSOUND_SAMPLE* mHSample = nullptr;
  FMUSIC_MODULE* mHMusic = nullptr;
  bool mRepeats = false;
};

class FModMusicInterface : public MusicInterface {
public:
  FModMusicInterface();
  ~FModMusicInterface() override;

  bool LoadMusic(int songId, const std::string& fileName) override;
  void PlayMusic(int songId, int offset, bool noLoop) override;
  void StopMusic(int songId) override;
  void PauseMusic(int songId) override;
  void ResumeMusic(int songId) override;
  void StopAllMusic() override;
  void FadeIn(int songId, int offset, double speed, bool noLoop) override;
  void FadeOut(int songId, bool stopWhenFaded, double speed) override;
  void FadeOutAll(bool stopWhenFaded, double speed) override;
  void SetSongVolume(int songId, double volume) override;
  bool IsPlaying(int songId) override;
  void SetVolume(double volume) override;
  void Update() override;

  // An intro followed by a loop part, joined into one sample.
  virtual bool LoadSampleLoopMusic(int songId, const std::string& introFile,
                                   const std::string& loopFile, bool sampleLoops);
  // `fileName` has no extension: ".ogg" is added for decoding.
  virtual bool LoadSampleMusic(int songId, const std::string& fileName, bool sampleLoops);

  // The cached decoding of a song, decoding and caching it when needed.
  FSOUND_SAMPLE* LoadCachedSample(const std::string& fileName);
  bool GetSongInfo(int songId, FModMusicInfo& info);

private:
  FModMusicInfo* Find(int songId);
  void ApplyVolume(int songId, const FModMusicInfo& info);
  void Insert(int songId, const FModMusicInfo& info);

  CriticalSection mLock;
  std::map<int, FModMusicInfo> mMusicMap;
  double mMasterVolume = 1.0;
  int mMusicVolumeScale = 100;
  int mSampleVolumeScale = 100;
  FMOD_INSTANCE* mFMod = nullptr;
};

}  // namespace Plix
