#pragma once
// The process-wide binding of "bass.dll", held by the BASS music interface
// through a reference count. A missing library or required function ends
// the process.
#include "framework/platform/Bass.h"

namespace Plix {

class BASS_INSTANCE {
public:
  BASS_INSTANCE();
  virtual ~BASS_INSTANCE();

  HMODULE mModule = nullptr;
  // BASS_SetConfig is exported: the longer BASS_Init and BASS_MusicLoad.
  bool mVersion2 = false;

  void* BASS_Init = nullptr;  // BassFn::Init or BassFn::InitOld
  BassFn::NoArgs BASS_Free = nullptr;
  BassFn::NoArgs BASS_Stop = nullptr;
  BassFn::NoArgs BASS_Start = nullptr;
  BassFn::SetGlobalVolumes BASS_SetGlobalVolumes = nullptr;
  void* BASS_SetVolume = nullptr;
  BassFn::SetConfig BASS_SetConfig = nullptr;
  BassFn::GetConfig BASS_GetConfig = nullptr;
  void* BASS_GetVolume = nullptr;
  void* BASS_GetInfo = nullptr;
  void* BASS_GetVersion = nullptr;
  BassFn::Channel BASS_ChannelStop = nullptr;
  BassFn::ChannelPlay BASS_ChannelPlay = nullptr;
  BassFn::Channel BASS_ChannelPause = nullptr;
  BassFn::ChannelSetAttributes BASS_ChannelSetAttributes = nullptr;
  BassFn::ChannelGetAttributes BASS_ChannelGetAttributes = nullptr;
  BassFn::ChannelSetPosition BASS_ChannelSetPosition = nullptr;
  BassFn::ChannelGetPosition BASS_ChannelGetPosition = nullptr;
  BassFn::ChannelIsActive BASS_ChannelIsActive = nullptr;
  BassFn::ChannelSetFlags BASS_ChannelSetFlags = nullptr;
  void* BASS_ChannelSlideAttributes = nullptr;
  void* BASS_ChannelIsSliding = nullptr;
  void* BASS_ChannelGetLevel = nullptr;
  void* BASS_ChannelSetSync = nullptr;
  void* BASS_ChannelRemoveSync = nullptr;
  void* BASS_ChannelGetData = nullptr;
  void* BASS_FXSetParameters = nullptr;
  void* BASS_FXGetParameters = nullptr;
  void* BASS_ChannelSetFX = nullptr;
  void* BASS_ChannelRemoveFX = nullptr;
  void* BASS_MusicLoad = nullptr;  // BassFn::MusicLoad or BassFn::MusicLoadOld
  BassFn::Channel BASS_MusicFree = nullptr;
  void* BASS_MusicGetAttribute = nullptr;
  BassFn::MusicSetAttribute BASS_MusicSetAttribute = nullptr;
  BassFn::StreamCreateFile BASS_StreamCreateFile = nullptr;
  BassFn::Channel BASS_StreamFree = nullptr;
  void* BASS_MusicGetOrders = nullptr;
  void* BASS_MusicGetOrderPosition = nullptr;
  void* BASS_SampleLoad = nullptr;
  void* BASS_SampleFree = nullptr;
  void* BASS_SampleSetInfo = nullptr;
  void* BASS_SampleGetInfo = nullptr;
  void* BASS_SampleGetChannel = nullptr;
  void* BASS_SampleStop = nullptr;
  BassFn::ErrorGetCode BASS_ErrorGetCode = nullptr;
  void* BASS_PluginLoad = nullptr;
  void* BASS_ChannelGetLength = nullptr;
  void* BASS_ChannelPreBuf = nullptr;
};

// The bound library while someone holds a reference, else null.
BASS_INSTANCE* GetBassInstance();
void LoadBassDLL();
void FreeBassDLL();
// Ends the process with a message when a required function was not found.
void CheckBassFunction(void* function, const char* name);

}  // namespace Plix
