#pragma once
// Music through the BASS library: Ogg Vorbis songs stream from the pak
// layer (the archive or loose files). The song table is guarded by a lock:
// the loading thread loads songs while the main loop updates the fades.
#include <map>

#include "framework/platform/Bass.h"
#include "framework/platform/Threads.h"
#include "framework/sound/MusicInterface.h"

namespace Plix {

class BASS_INSTANCE;

struct BassMusicInfo : MusicFadeState {
  HMUSIC mHMusic = 0;
  HSTREAM mHStream = 0;

  DWORD GetHandle() const { return mHMusic ? mHMusic : mHStream; }
};

class BassMusicInterface : public MusicInterface {
public:
  explicit BassMusicInterface(HWND window);
  ~BassMusicInterface() override;

  bool LoadMusic(int songId, const std::string& fileName) override;
  void PlayMusic(int songId, int offset, bool noLoop) override;
  void StopMusic(int songId) override;
  void PauseMusic(int songId) override;
  void ResumeMusic(int songId) override;
  void StopAllMusic() override;
  void UnloadMusic(int songId) override;
  void UnloadAllMusic() override;
  void PauseAllMusic() override;
  void ResumeAllMusic() override;
  void FadeIn(int songId, int offset, double speed, bool noLoop) override;
  void FadeOut(int songId, bool stopWhenFaded, double speed) override;
  void FadeOutAll(bool stopWhenFaded, double speed) override;
  void SetSongVolume(int songId, double volume) override;
  void SetSongVolumeLimit(int songId, double limit) override;
  bool IsPlaying(int songId) override;
  void SetVolume(double volume) override;
  void SetAmplification(int songId, double amplification) override;
  void Update() override;

  // A copy of a song's record; false when the id is not loaded (tests).
  bool GetSongInfo(int songId, BassMusicInfo& info);

private:
  BassMusicInfo* Find(int songId);
  void ApplyVolume(const BassMusicInfo& info);
  void PlayFromOrder(DWORD handle, int order, DWORD flags);
  void PlayStream(DWORD handle, int offset, DWORD flags);

  CriticalSection mLock;
  std::map<int, BassMusicInfo> mMusicMap;
  int mMaxMusicVolume = 40;
  BASS_INSTANCE* mBass = nullptr;
};

}  // namespace Plix
