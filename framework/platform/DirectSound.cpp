#include "framework/platform/DirectSound.h"

#include <algorithm>

namespace Plix {

DirectSoundFaults& DirectSoundFaultsForTesting() {
  static DirectSoundFaults faults;
  return faults;
}

namespace {

// A forced failure is used once.
HRESULT TakeFault(HRESULT& slot) {
  const HRESULT hr = slot;
  slot = DS_OK;
  return hr;
}

bool ValidPcm(const WAVEFORMATEX* f) {
  return f && f->wFormatTag == WAVE_FORMAT_PCM && (f->nChannels == 1 || f->nChannels == 2) &&
         (f->wBitsPerSample == 8 || f->wBitsPerSample == 16) &&
         f->nSamplesPerSec >= DSBFREQUENCY_MIN && f->nSamplesPerSec <= DSBFREQUENCY_MAX;
}

}  // namespace

IDirectSoundBuffer::~IDirectSoundBuffer() { StopVoice(&mVoice); }

void IDirectSoundBuffer::ApplyGains() {
  // A negative pan attenuates the right side, a positive one the left.
  AutoCrit lock(AudioLock());
  mVoice.gainLeft = GainFromCentibels(mVolume - std::max<LONG>(0, mPan));
  mVoice.gainRight = GainFromCentibels(mVolume + std::min<LONG>(0, mPan));
}

HRESULT IDirectSoundBuffer::Play(DWORD, DWORD, DWORD flags) {
  if (mPrimary) return DS_OK;
  {
    AutoCrit lock(AudioLock());
    mVoice.looping = (flags & DSBPLAY_LOOPING) != 0;
  }
  StartVoice(&mVoice);
  return DS_OK;
}

HRESULT IDirectSoundBuffer::Stop() {
  StopVoice(&mVoice);
  return DS_OK;
}

HRESULT IDirectSoundBuffer::SetCurrentPosition(DWORD bytes) {
  if (mPrimary) return DSERR_INVALIDCALL;
  AutoCrit lock(AudioLock());
  const DWORD align = std::max<DWORD>(1, mFormat.nBlockAlign);
  const uint32_t frame = std::min<uint32_t>(bytes / align, mVoice.samples->Frames());
  mVoice.position = static_cast<uint64_t>(frame) << 16;
  return DS_OK;
}

HRESULT IDirectSoundBuffer::GetCurrentPosition(DWORD* play, DWORD* write) {
  AutoCrit lock(AudioLock());
  const DWORD pos = static_cast<DWORD>(mVoice.position >> 16) * mFormat.nBlockAlign;
  if (play) *play = pos;
  if (write) *write = pos;
  return DS_OK;
}

HRESULT IDirectSoundBuffer::GetStatus(DWORD* status) {
  if (!status) return DSERR_INVALIDPARAM;
  AutoCrit lock(AudioLock());
  *status = mVoice.playing ? DSBSTATUS_PLAYING | (mVoice.looping ? DSBSTATUS_LOOPING : 0) : 0;
  return DS_OK;
}

HRESULT IDirectSoundBuffer::SetVolume(LONG volume) {
  if (volume < DSBVOLUME_MIN || volume > DSBVOLUME_MAX) return DSERR_INVALIDPARAM;
  mVolume = volume;
  ApplyGains();
  return DS_OK;
}

HRESULT IDirectSoundBuffer::GetVolume(LONG* volume) {
  if (!volume) return DSERR_INVALIDPARAM;
  *volume = mVolume;
  return DS_OK;
}

HRESULT IDirectSoundBuffer::SetPan(LONG pan) {
  if (pan < DSBPAN_LEFT || pan > DSBPAN_RIGHT) return DSERR_INVALIDPARAM;
  mPan = pan;
  ApplyGains();
  return DS_OK;
}

HRESULT IDirectSoundBuffer::GetPan(LONG* pan) {
  if (!pan) return DSERR_INVALIDPARAM;
  *pan = mPan;
  return DS_OK;
}

HRESULT IDirectSoundBuffer::SetFrequency(DWORD frequency) {
  if (mPrimary) return DSERR_INVALIDCALL;
  if (frequency == 0) frequency = mFormat.nSamplesPerSec;  // the original rate
  if (frequency < DSBFREQUENCY_MIN || frequency > DSBFREQUENCY_MAX) return DSERR_INVALIDPARAM;
  AutoCrit lock(AudioLock());
  mVoice.frequency = frequency;
  return DS_OK;
}

HRESULT IDirectSoundBuffer::GetFrequency(DWORD* frequency) {
  if (!frequency) return DSERR_INVALIDPARAM;
  AutoCrit lock(AudioLock());
  *frequency = mVoice.frequency;
  return DS_OK;
}

HRESULT IDirectSoundBuffer::SetFormat(const WAVEFORMATEX* format) {
  // Only the primary buffer takes a format; the device always mixes to
  // 44100 Hz 16-bit stereo whatever it is told.
  if (!mPrimary) return DSERR_INVALIDCALL;
  if (!ValidPcm(format)) return DSERR_BADFORMAT;
  mFormat = *format;
  return DS_OK;
}

HRESULT IDirectSoundBuffer::GetFormat(WAVEFORMATEX* format, DWORD size, DWORD* written) {
  if (!format) {
    if (!written) return DSERR_INVALIDPARAM;
    *written = sizeof(WAVEFORMATEX);
    return DS_OK;
  }
  if (size < sizeof(WAVEFORMATEX)) return DSERR_INVALIDPARAM;
  *format = mFormat;
  if (written) *written = sizeof(WAVEFORMATEX);
  return DS_OK;
}

HRESULT IDirectSoundBuffer::Lock(DWORD offset, DWORD bytes, void** p1, DWORD* n1, void** p2,
                                 DWORD* n2, DWORD) {
  if (const HRESULT hr = TakeFault(DirectSoundFaultsForTesting().lock); FAILED(hr)) return hr;
  if (mPrimary || !p1 || !n1) return DSERR_INVALIDPARAM;
  SampleBlock& b = *mVoice.samples;
  if (offset >= b.ByteCount() || bytes > b.ByteCount()) return DSERR_INVALIDPARAM;
  // A static buffer is locked in one piece; no wrap-around.
  *p1 = b.Bytes() + offset;
  *n1 = std::min<DWORD>(bytes, b.ByteCount() - offset);
  if (p2) *p2 = nullptr;
  if (n2) *n2 = 0;
  return DS_OK;
}

HRESULT IDirectSoundBuffer::Unlock(void*, DWORD, void*, DWORD) {
  return TakeFault(DirectSoundFaultsForTesting().unlock);
}

ULONG IDirectSoundBuffer::Release() {
  delete this;
  return 0;
}

HRESULT IDirectSound::SetCooperativeLevel(HWND, DWORD level) {
  return level == DSSCL_NORMAL || level == DSSCL_PRIORITY ? DS_OK : DSERR_INVALIDPARAM;
}

HRESULT IDirectSound::CreateSoundBuffer(const DSBUFFERDESC* desc, IDirectSoundBuffer** out,
                                        void*) {
  if (!desc || !out) return DSERR_INVALIDPARAM;
  *out = nullptr;
  if (const HRESULT hr = TakeFault(DirectSoundFaultsForTesting().createBuffer); FAILED(hr))
    return hr;
  if (desc->dwFlags & DSBCAPS_PRIMARYBUFFER) {
    if (desc->dwBufferBytes != 0 || desc->lpwfxFormat) return DSERR_INVALIDPARAM;
    auto* b = new IDirectSoundBuffer;
    b->mPrimary = true;
    b->mFormat = {WAVE_FORMAT_PCM, 2, 22050, 88200, 4, 16, 0};
    *out = b;
    return DS_OK;
  }
  const WAVEFORMATEX* f = desc->lpwfxFormat;
  if (!ValidPcm(f)) return DSERR_BADFORMAT;
  const DWORD align = static_cast<DWORD>(f->nChannels * f->wBitsPerSample / 8);
  if (desc->dwBufferBytes < align || desc->dwBufferBytes > DSBSIZE_MAX)
    return DSERR_INVALIDPARAM;
  auto* b = new IDirectSoundBuffer;
  b->mFormat = *f;
  b->mFormat.nBlockAlign = static_cast<WORD>(align);
  b->mFormat.nAvgBytesPerSec = align * f->nSamplesPerSec;
  b->mFormat.cbSize = 0;
  b->mVoice.samples = std::make_shared<SampleBlock>(desc->dwBufferBytes, f->nChannels,
                                                    f->wBitsPerSample);
  b->mVoice.frequency = f->nSamplesPerSec;
  *out = b;
  return DS_OK;
}

HRESULT IDirectSound::DuplicateSoundBuffer(IDirectSoundBuffer* source, IDirectSoundBuffer** out) {
  if (!source || !out) return DSERR_INVALIDPARAM;
  *out = nullptr;
  if (const HRESULT hr = TakeFault(DirectSoundFaultsForTesting().duplicate); FAILED(hr)) return hr;
  if (source->mPrimary) return DSERR_INVALIDCALL;
  auto* b = new IDirectSoundBuffer;
  b->mFormat = source->mFormat;
  b->mVoice.samples = source->mVoice.samples;
  b->mVoice.frequency = source->mFormat.nSamplesPerSec;
  *out = b;
  return DS_OK;
}

ULONG IDirectSound::Release() {
  delete this;
  CloseAudioDevice();
  return 0;
}

HRESULT DirectSoundCreate(const void*, IDirectSound** out, void*) {
  if (!out) return DSERR_INVALIDPARAM;
  *out = nullptr;
  if (!OpenAudioDevice()) return DSERR_NODRIVER;
  *out = new IDirectSound;
  return DS_OK;
}

}  // namespace Plix
