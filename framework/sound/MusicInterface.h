#pragma once
// Songs loaded under integer ids, played, paused, faded and given their own
// volume. This base class is also the silent implementation used when the
// program runs without sound. The application calls Update once per update
// tick (it steps the fades) and passes its music volume to SetVolume.
//
// Volumes, limits and fade speeds are fractions of full volume; a speed is
// the change per Update. Offsets are byte positions in a stream (-1: keep
// the position when fading in).
#include <string>

namespace Plix {

// The volume and fade of one song, as the music interfaces keep them.
struct MusicFadeState {
  double mVolume = 0.0;
  double mVolumeAdd = 0.0;  // per Update; 0 while not fading
  double mVolumeCap = 1.0;
  bool mStopOnFade = false;

  enum class FadeStep { None, Moved, Silenced };
  // One Update's step: the volume climbs to the cap or falls to silence,
  // where the fade ends. Silenced: a fade-out reached silence (the song
  // stops when mStopOnFade is set).
  FadeStep StepFade() {
    if (mVolumeAdd == 0.0) return FadeStep::None;
    mVolume += mVolumeAdd;
    if (mVolume > mVolumeCap) {
      mVolume = mVolumeCap;
      mVolumeAdd = 0.0;
    } else if (mVolume < 0.0) {
      mVolume = 0.0;
      mVolumeAdd = 0.0;
      return FadeStep::Silenced;
    }
    return FadeStep::Moved;
  }
};

class MusicInterface {
public:
  MusicInterface() = default;
  virtual ~MusicInterface() = default;
  MusicInterface(const MusicInterface&) = delete;
  MusicInterface& operator=(const MusicInterface&) = delete;

  virtual bool LoadMusic(int songId, const std::string& fileName) { return false; }
  virtual void PlayMusic(int songId, int offset, bool noLoop) {}
  virtual void StopMusic(int songId) {}
  virtual void PauseMusic(int songId) {}
  virtual void ResumeMusic(int songId) {}
  virtual void StopAllMusic() {}
  virtual void UnloadMusic(int songId) {}
  virtual void UnloadAllMusic() {}
  virtual void PauseAllMusic() {}
  virtual void ResumeAllMusic() {}
  virtual void FadeIn(int songId, int offset, double speed, bool noLoop) {}
  virtual void FadeOut(int songId, bool stopWhenFaded, double speed) {}
  virtual void FadeOutAll(bool stopWhenFaded, double speed) {}
  virtual void SetSongVolume(int songId, double volume) {}
  virtual void SetSongVolumeLimit(int songId, double limit) {}
  virtual bool IsPlaying(int songId) { return false; }
  virtual void SetVolume(double volume) {}
  virtual void SetAmplification(int songId, double amplification) {}
  virtual void Update() {}
};

}  // namespace Plix
