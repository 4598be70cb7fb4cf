#include "framework/sound/FModLoader.h"

#include <mutex>

#include "framework/platform/AudioLibraries.h"
#include "framework/sound/SoundHost.h"

namespace Plix {

namespace {
std::mutex gFModMutex;
FMOD_INSTANCE* gFMod = nullptr;
int gFModRefCount = 0;

template <typename F>
void Bind(HMODULE module, F& fn, const char* name) {
  void* p = GetAudioProcAddress(module, name);
  if (!p) CheckFModFunction(p, name);
  fn = reinterpret_cast<F>(p);
}
}  // namespace

void CheckFModFunction(void* function, const char* name) {
  if (function) return;
  SoundFatalError("\"" + std::string(name) + "\" function not found in fmod.dll", "Error");
}

FMOD_INSTANCE::FMOD_INSTANCE() {
  mModule = LoadAudioLibrary("fmod.dll");
  if (!mModule) return;
  Bind(mModule, FSOUND_SetBufferSize, "_FSOUND_SetBufferSize@4");
  Bind(mModule, FSOUND_SetHWND, "_FSOUND_SetHWND@4");
  Bind(mModule, FSOUND_Init, "_FSOUND_Init@12");
  Bind(mModule, FSOUND_Close, "_FSOUND_Close@0");
  Bind(mModule, FSOUND_Sample_Load, "_FSOUND_Sample_Load@16");
  Bind(mModule, FSOUND_Sample_Alloc, "_FSOUND_Sample_Alloc@28");
  Bind(mModule, FSOUND_Sample_Free, "_FSOUND_Sample_Free@4");
  Bind(mModule, FSOUND_Sample_Lock, "_FSOUND_Sample_Lock@28");
  Bind(mModule, FSOUND_Sample_Unlock, "_FSOUND_Sample_Unlock@20");
  Bind(mModule, FSOUND_Sample_SetLoopPoints, "_FSOUND_Sample_SetLoopPoints@12");
  Bind(mModule, FSOUND_Sample_GetLength, "_FSOUND_Sample_GetLength@4");
  Bind(mModule, FSOUND_Sample_GetDefaults, "_FSOUND_Sample_GetDefaults@20");
  Bind(mModule, FSOUND_Sample_GetMode, "_FSOUND_Sample_GetMode@4");
  Bind(mModule, FSOUND_PlaySound, "_FSOUND_PlaySound@8");
  Bind(mModule, FSOUND_StopSound, "_FSOUND_StopSound@4");
  Bind(mModule, FSOUND_SetVolume, "_FSOUND_SetVolume@8");
  Bind(mModule, FSOUND_SetPaused, "_FSOUND_SetPaused@8");
  Bind(mModule, FSOUND_SetLoopMode, "_FSOUND_SetLoopMode@8");
  Bind(mModule, FSOUND_IsPlaying, "_FSOUND_IsPlaying@4");
  Bind(mModule, FSOUND_Stream_OpenFile, "_FSOUND_Stream_OpenFile@12");
  Bind(mModule, FSOUND_Stream_Close, "_FSOUND_Stream_Close@4");
  Bind(mModule, FSOUND_Stream_Play, "_FSOUND_Stream_Play@8");
  Bind(mModule, FMUSIC_LoadSong, "_FMUSIC_LoadSong@4");
  Bind(mModule, FMUSIC_PlaySong, "_FMUSIC_PlaySong@4");
  Bind(mModule, FMUSIC_StopSong, "_FMUSIC_StopSong@4");
  Bind(mModule, FMUSIC_SetLooping, "_FMUSIC_SetLooping@8");
  Bind(mModule, FMUSIC_SetOrder, "_FMUSIC_SetOrder@8");
  Bind(mModule, FMUSIC_SetPaused, "_FMUSIC_SetPaused@8");
  Bind(mModule, FMUSIC_SetMasterVolume, "_FMUSIC_SetMasterVolume@8");
  Bind(mModule, FMUSIC_IsPlaying, "_FMUSIC_IsPlaying@4");
}

FMOD_INSTANCE::~FMOD_INSTANCE() {
  if (mModule) FreeAudioLibrary(mModule);
}

FMOD_INSTANCE* GetFModInstance() {
  std::lock_guard<std::mutex> guard(gFModMutex);
  return gFMod;
}

void LoadFModDLL() {
  std::lock_guard<std::mutex> guard(gFModMutex);
  ++gFModRefCount;
  if (!gFMod) gFMod = new FMOD_INSTANCE;
  if (!gFMod->mModule) SoundFatalError("Can't find fmod.dll.", "Error");
}

void FreeFModDLL() {
  std::lock_guard<std::mutex> guard(gFModMutex);
  if (gFMod && --gFModRefCount < 1) {
    delete gFMod;
    gFMod = nullptr;
    gFModRefCount = 0;
  }
}

}  // namespace Plix
