#include "framework/sound/BassLoader.h"

#include <mutex>
#include <string>

#include "framework/platform/AudioLibraries.h"
#include "framework/sound/SoundHost.h"

namespace Plix {

namespace {
std::mutex gBassMutex;
BASS_INSTANCE* gBass = nullptr;
int gBassRefCount = 0;

// Required functions end the process when missing; optional ones stay null.
template <typename F>
void Bind(HMODULE module, F& fn, const char* name, bool required = true) {
  void* p = GetAudioProcAddress(module, name);
  if (!p && required) CheckBassFunction(p, name);
  fn = reinterpret_cast<F>(p);
}
}  // namespace

void CheckBassFunction(void* function, const char* name) {
  if (function) return;
  SoundFatalError(std::string(name) + " function not found in bass.dll", "Error");
}

BASS_INSTANCE::BASS_INSTANCE() {
  mModule = LoadAudioLibrary(".\\bass.dll");
  if (!mModule) return;
  HMODULE m = mModule;
  Bind(m, BASS_Init, "BASS_Init");
  Bind(m, BASS_Free, "BASS_Free");
  Bind(m, BASS_Stop, "BASS_Stop");
  Bind(m, BASS_Start, "BASS_Start");
  Bind(m, BASS_SetGlobalVolumes, "BASS_SetGlobalVolumes", false);
  Bind(m, BASS_SetVolume, "BASS_SetVolume", false);
  Bind(m, BASS_SetConfig, "BASS_SetConfig", false);
  Bind(m, BASS_GetConfig, "BASS_GetConfig", false);
  Bind(m, BASS_GetVolume, "BASS_GetVolume");
  Bind(m, BASS_GetInfo, "BASS_GetInfo");
  Bind(m, BASS_GetVersion, "BASS_GetVersion");
  Bind(m, BASS_ChannelStop, "BASS_ChannelStop");
  Bind(m, BASS_ChannelPlay, "BASS_ChannelPlay");
  Bind(m, BASS_ChannelPause, "BASS_ChannelPause");
  Bind(m, BASS_ChannelSetAttributes, "BASS_ChannelSetAttributes");
  Bind(m, BASS_ChannelGetAttributes, "BASS_ChannelGetAttributes");
  Bind(m, BASS_ChannelSetPosition, "BASS_ChannelSetPosition");
  Bind(m, BASS_ChannelGetPosition, "BASS_ChannelGetPosition");
  Bind(m, BASS_ChannelIsActive, "BASS_ChannelIsActive");
  Bind(m, BASS_ChannelSetFlags, "BASS_ChannelSetFlags");
  Bind(m, BASS_ChannelSlideAttributes, "BASS_ChannelSlideAttributes");
  Bind(m, BASS_ChannelIsSliding, "BASS_ChannelIsSliding");
  Bind(m, BASS_ChannelGetLevel, "BASS_ChannelGetLevel");
  Bind(m, BASS_ChannelSetSync, "BASS_ChannelSetSync");
  Bind(m, BASS_ChannelRemoveSync, "BASS_ChannelRemoveSync");
  Bind(m, BASS_ChannelGetData, "BASS_ChannelGetData");
  Bind(m, BASS_FXSetParameters, "BASS_FXSetParameters");
  Bind(m, BASS_FXGetParameters, "BASS_FXGetParameters");
  Bind(m, BASS_ChannelSetFX, "BASS_ChannelSetFX");
  Bind(m, BASS_ChannelRemoveFX, "BASS_ChannelRemoveFX");
  Bind(m, BASS_MusicLoad, "BASS_MusicLoad");
  Bind(m, BASS_MusicFree, "BASS_MusicFree");
  Bind(m, BASS_MusicGetAttribute, "BASS_MusicGetAttribute");
  Bind(m, BASS_MusicSetAttribute, "BASS_MusicSetAttribute");
  Bind(m, BASS_StreamCreateFile, "BASS_StreamCreateFile");
  Bind(m, BASS_StreamFree, "BASS_StreamFree");
  Bind(m, BASS_MusicGetOrders, "BASS_MusicGetOrders");
  Bind(m, BASS_MusicGetOrderPosition, "BASS_MusicGetOrderPosition");
  Bind(m, BASS_SampleLoad, "BASS_SampleLoad");
  Bind(m, BASS_SampleFree, "BASS_SampleFree");
  Bind(m, BASS_SampleSetInfo, "BASS_SampleSetInfo");
  Bind(m, BASS_SampleGetInfo, "BASS_SampleGetInfo");
  Bind(m, BASS_SampleGetChannel, "BASS_SampleGetChannel");
  Bind(m, BASS_SampleStop, "BASS_SampleStop");
  Bind(m, BASS_ErrorGetCode, "BASS_ErrorGetCode");
  if (!BASS_SetGlobalVolumes && !BASS_SetVolume)
    SoundFatalError("Neither BASS_SetGlobalVolumes or BASS_SetVolume found in bass.dll", "Error");
  mVersion2 = BASS_SetConfig != nullptr;
  if (mVersion2) {
    Bind(m, BASS_PluginLoad, "BASS_PluginLoad", false);
    Bind(m, BASS_ChannelGetLength, "BASS_ChannelGetLength", false);
    Bind(m, BASS_ChannelPreBuf, "BASS_ChannelPreBuf", false);
  }
}

BASS_INSTANCE::~BASS_INSTANCE() {
  if (mModule) FreeAudioLibrary(mModule);
}

BASS_INSTANCE* GetBassInstance() {
  std::lock_guard<std::mutex> guard(gBassMutex);
  return gBass;
}

void LoadBassDLL() {
  std::lock_guard<std::mutex> guard(gBassMutex);
  ++gBassRefCount;
  if (!gBass) gBass = new BASS_INSTANCE;
  if (!gBass->mModule) SoundFatalError("Can't find bass.dll.", "Error");
}

void FreeBassDLL() {
  std::lock_guard<std::mutex> guard(gBassMutex);
  if (gBass && --gBassRefCount < 1) {
    delete gBass;
    gBass = nullptr;
    gBassRefCount = 0;
  }
}

}  // namespace Plix
