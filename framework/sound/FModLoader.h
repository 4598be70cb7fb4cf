#pragma once
// The process-wide binding of "fmod.dll", shared by the sound manager and
// the FMOD music interface through a reference count. A missing library or
// function ends the process.
#include <atomic>

#include "framework/platform/FMod.h"

namespace Plix {

class FMOD_INSTANCE {
public:
  FMOD_INSTANCE();
  virtual ~FMOD_INSTANCE();

  HMODULE mModule = nullptr;
  FModFn::SetBufferSize FSOUND_SetBufferSize = nullptr;
  FModFn::SetHWND FSOUND_SetHWND = nullptr;
  FModFn::Init FSOUND_Init = nullptr;
  FModFn::Close FSOUND_Close = nullptr;
  FModFn::SampleLoad FSOUND_Sample_Load = nullptr;
  FModFn::SampleAlloc FSOUND_Sample_Alloc = nullptr;
  FModFn::SampleFree FSOUND_Sample_Free = nullptr;
  FModFn::SampleLock FSOUND_Sample_Lock = nullptr;
  FModFn::SampleUnlock FSOUND_Sample_Unlock = nullptr;
  FModFn::SampleSetLoopPoints FSOUND_Sample_SetLoopPoints = nullptr;
  FModFn::SampleGetLength FSOUND_Sample_GetLength = nullptr;
  FModFn::SampleGetDefaults FSOUND_Sample_GetDefaults = nullptr;
  FModFn::SampleGetMode FSOUND_Sample_GetMode = nullptr;
  FModFn::PlaySound FSOUND_PlaySound = nullptr;
  FModFn::Channel FSOUND_StopSound = nullptr;
  FModFn::ChannelValue FSOUND_SetVolume = nullptr;
  FModFn::ChannelValue FSOUND_SetPaused = nullptr;
  FModFn::ChannelValue FSOUND_SetLoopMode = nullptr;
  FModFn::Channel FSOUND_IsPlaying = nullptr;
  FModFn::StreamOpenFile FSOUND_Stream_OpenFile = nullptr;
  FModFn::StreamClose FSOUND_Stream_Close = nullptr;
  FModFn::StreamPlay FSOUND_Stream_Play = nullptr;
  FModFn::LoadSong FMUSIC_LoadSong = nullptr;
  FModFn::Module FMUSIC_PlaySong = nullptr;
  FModFn::Module FMUSIC_StopSong = nullptr;
  FModFn::ModuleValue FMUSIC_SetLooping = nullptr;
  FModFn::ModuleValue FMUSIC_SetOrder = nullptr;
  FModFn::ModuleValue FMUSIC_SetPaused = nullptr;
  FModFn::ModuleValue FMUSIC_SetMasterVolume = nullptr;
  FModFn::Module FMUSIC_IsPlaying = nullptr;
};

// The bound library while someone holds a reference, else null.
FMOD_INSTANCE* GetFModInstance();
void LoadFModDLL();
void FreeFModDLL();
// Ends the process with a message when a function was not found.
void CheckFModFunction(void* function, const char* name);

}  // namespace Plix
