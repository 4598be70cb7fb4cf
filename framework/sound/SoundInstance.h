#pragma once
// One playing copy of a sound, occupying one channel of the sound manager.
// The manager owns it: after Release (or after Play with auto release) the
// caller must not touch it again.
namespace Plix {

class SoundInstance {
public:
  virtual ~SoundInstance() = default;
  virtual void Release() = 0;
  // Volumes are linear factors (1.0 full); pans are hundredths of a
  // decibel, negative to the left; pitch steps are semitones.
  virtual void SetBaseVolume(double baseVolume) = 0;
  virtual void SetBasePan(int basePan) = 0;
  virtual void AdjustPitch(double steps) = 0;
  virtual void SetVolume(double volume) = 0;
  virtual void SetPan(int pan) = 0;
  virtual bool Play(bool looping, bool autoRelease) = 0;
  virtual void Stop() = 0;
  virtual bool IsPlaying() = 0;
  virtual bool IsReleased() = 0;
  virtual double GetVolume() = 0;
};

}  // namespace Plix
