#pragma once
// One playing copy of a sound: a duplicate of the id's buffer, sharing its
// samples, with its own volume, pan and pitch.
#include <cstdint>

#include "framework/platform/DirectSound.h"
#include "framework/sound/SoundInstance.h"

namespace Plix {

class DSoundManager;

class DSoundInstance : public SoundInstance {
public:
  // A null source buffer makes a silent instance. A failed duplicate ends
  // the process.
  DSoundInstance(DSoundManager* manager, IDirectSoundBuffer* sourceSound);
  ~DSoundInstance() override;

  void Release() override;
  void SetBaseVolume(double baseVolume) override;
  void SetBasePan(int basePan) override;
  void AdjustPitch(double steps) override;
  void SetVolume(double volume) override;
  void SetPan(int pan) override;
  bool Play(bool looping, bool autoRelease) override;
  void Stop() override;
  bool IsPlaying() override;
  bool IsReleased() override;
  double GetVolume() override;

  // The buffer this instance plays (null when silent).
  IDirectSoundBuffer* GetSoundBuffer() const { return mSoundBuffer; }

private:
  friend class DSoundManager;
  void ApplyVolume();
  void ApplyPan();

  DSoundManager* mSoundManagerP;
  IDirectSoundBuffer* mSourceSoundBuffer;
  IDirectSoundBuffer* mSoundBuffer = nullptr;
  bool mAutoRelease = false;
  bool mHasPlayed = false;
  bool mReleased = false;
  int mBasePan = 0;
  double mBaseVolume = 1.0;
  int mPan = 0;
  double mVolume = 1.0;
  DWORD mDefaultFrequency = 44100;
};

}  // namespace Plix
