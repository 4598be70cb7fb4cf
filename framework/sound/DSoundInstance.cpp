#include "framework/sound/DSoundInstance.h"

#include <algorithm>
#include <cmath>

#include "framework/sound/DSoundManager.h"
#include "framework/sound/SoundHost.h"

namespace Plix {

namespace {

const char* DuplicateErrorName(HRESULT hr) {
  switch (hr) {
    case DSERR_ALLOCATED: return "DSERR_ALLOCATED";
    case DSERR_OUTOFMEMORY: return "DSERR_OUTOFMEMORY";
    case DSERR_INVALIDPARAM: return "DSERR_INVALIDPARAM";
    case DSERR_INVALIDCALL: return "DSERR_INVALIDCALL";
    case DSERR_UNINITIALIZED: return "DSERR_UNINITIALIZED";
    default: return "";
  }
}

}  // namespace

DSoundInstance::DSoundInstance(DSoundManager* manager, IDirectSoundBuffer* sourceSound)
    : mSoundManagerP(manager), mSourceSoundBuffer(sourceSound) {
  if (mSourceSoundBuffer) {
    const HRESULT hr =
        mSoundManagerP->mDirectSound->DuplicateSoundBuffer(mSourceSoundBuffer, &mSoundBuffer);
    if (FAILED(hr)) SoundFatalError(DuplicateErrorName(hr), "Hey", MB_OK);
    mSoundBuffer->GetFrequency(&mDefaultFrequency);
  }
  ApplyVolume();
}

DSoundInstance::~DSoundInstance() {
  if (mSoundBuffer) mSoundBuffer->Release();
}

void DSoundInstance::ApplyVolume() {
  if (mSoundBuffer)
    mSoundBuffer->SetVolume(VolumeToDB(mVolume * mBaseVolume * mSoundManagerP->mEffectsVolume));
}

void DSoundInstance::ApplyPan() {
  if (mSoundBuffer) mSoundBuffer->SetPan(mPan + mBasePan);
}

void DSoundInstance::Release() {
  Stop();
  mReleased = true;
}

void DSoundInstance::SetBaseVolume(double baseVolume) {
  mBaseVolume = baseVolume;
  ApplyVolume();
}

void DSoundInstance::SetBasePan(int basePan) {
  mBasePan = basePan;
  ApplyPan();
}

void DSoundInstance::AdjustPitch(double steps) {
  if (!mSoundBuffer) return;
  // Always relative to the sound's own rate, never to an earlier change.
  // The nudge keeps whole octaves exact: 2^-1 may come out a hair below 0.5.
  const double f = std::pow(1.0594630943592953, steps) * mDefaultFrequency + 1e-6;
  mSoundBuffer->SetFrequency(static_cast<DWORD>(std::clamp(f, 100.0, 100000.0)));
}

void DSoundInstance::SetVolume(double volume) {
  mVolume = volume;
  ApplyVolume();
}

void DSoundInstance::SetPan(int pan) {
  mPan = pan;
  ApplyPan();
}

bool DSoundInstance::Play(bool looping, bool autoRelease) {
  Stop();
  mHasPlayed = true;
  mAutoRelease = autoRelease;
  if (!mSoundBuffer) return false;
  return SUCCEEDED(mSoundBuffer->Play(0, 0, looping ? DSBPLAY_LOOPING : 0));
}

void DSoundInstance::Stop() {
  if (mSoundBuffer) {
    mSoundBuffer->Stop();
    mSoundBuffer->SetCurrentPosition(0);
  }
  mAutoRelease = false;
}

bool DSoundInstance::IsPlaying() {
  if (!mHasPlayed || !mSoundBuffer) return false;
  DWORD status = 0;
  if (FAILED(mSoundBuffer->GetStatus(&status))) return false;
  return (status & DSBSTATUS_PLAYING) != 0;
}

bool DSoundInstance::IsReleased() {
  if (!mReleased && mAutoRelease && mHasPlayed && !IsPlaying()) Release();
  return mReleased;
}

double DSoundInstance::GetVolume() { return mVolume; }

}  // namespace Plix
