#pragma once
// The BASS audio library's interface as the music code calls it: handle
// types, constants and the function types looked up by name in the
// compiled-in "bass.dll" (see AudioLibraries.h). Behind it, streams are
// Ogg Vorbis files decoded as they play; tracker modules and MP3 are not
// supported and report failure.
#include <cstdint>

#include "framework/platform/WinTypes.h"

namespace Plix {

using QWORD = uint64_t;
using HMUSIC = DWORD;
using HSTREAM = DWORD;

constexpr DWORD BASS_SAMPLE_LOOP = 4;
constexpr DWORD BASS_ACTIVE_STOPPED = 0;
constexpr DWORD BASS_ACTIVE_PLAYING = 1;
constexpr DWORD BASS_ACTIVE_PAUSED = 3;

constexpr DWORD BASS_CONFIG_BUFFER = 0;
constexpr DWORD BASS_CONFIG_GVOL_SAMPLE = 4;
constexpr DWORD BASS_CONFIG_GVOL_STREAM = 5;
constexpr DWORD BASS_CONFIG_GVOL_MUSIC = 6;

constexpr int BASS_OK = 0;
constexpr int BASS_ERROR_FILEOPEN = 2;
constexpr int BASS_ERROR_HANDLE = 5;
constexpr int BASS_ERROR_INIT = 8;
constexpr int BASS_ERROR_ILLPARAM = 20;
constexpr int BASS_ERROR_DEVICE = 23;
constexpr int BASS_ERROR_NOPLAY = 24;
constexpr int BASS_ERROR_NOTAVAIL = 37;
constexpr int BASS_ERROR_FILEFORM = 41;

namespace BassFn {
using Init = BOOL (*)(int device, DWORD freq, DWORD flags, HWND window, const void* clsid);
using InitOld = BOOL (*)(int device, DWORD freq, DWORD flags, HWND window);
using NoArgs = BOOL (*)();
using SetGlobalVolumes = BOOL (*)(int music, int sample, int stream);
using SetConfig = DWORD (*)(DWORD option, DWORD value);
using GetConfig = DWORD (*)(DWORD option);
using Channel = BOOL (*)(DWORD handle);
using ChannelPlay = BOOL (*)(DWORD handle, BOOL restart);
using ChannelSetAttributes = BOOL (*)(DWORD handle, int freq, int volume, int pan);
using ChannelGetAttributes = BOOL (*)(DWORD handle, DWORD* freq, DWORD* volume, int* pan);
using ChannelSetPosition = BOOL (*)(DWORD handle, QWORD position);
using ChannelGetPosition = QWORD (*)(DWORD handle);
using ChannelIsActive = DWORD (*)(DWORD handle);
using ChannelSetFlags = BOOL (*)(DWORD handle, DWORD flags);
using StreamCreateFile = HSTREAM (*)(BOOL mem, const void* file, QWORD offset, QWORD length,
                                     DWORD flags);
using MusicLoad = HMUSIC (*)(BOOL mem, const void* file, QWORD offset, DWORD length, DWORD flags,
                             DWORD freq);
using MusicLoadOld = HMUSIC (*)(BOOL mem, const void* file, DWORD offset, DWORD length,
                                DWORD flags);
using MusicSetAttribute = DWORD (*)(DWORD handle, DWORD attribute, DWORD value);
using ErrorGetCode = int (*)();
}  // namespace BassFn

}  // namespace Plix
