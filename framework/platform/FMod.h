#pragma once
// The FMOD 3 interface as the sound code calls it: opaque sample and module
// types, mode bits and the function types looked up by their exported
// names in the compiled-in "fmod.dll" (see AudioLibraries.h). Behind it,
// samples are decoded whole (Ogg Vorbis, or plain PCM WAV files) and play
// on numbered channels of the mixer; tracker modules, streams and MP3 are
// not supported and report failure.
#include "framework/platform/WinTypes.h"

namespace Plix {

struct FSOUND_SAMPLE;
struct FSOUND_STREAM;
struct FMUSIC_MODULE;

constexpr unsigned FSOUND_LOOP_OFF = 0x01;
constexpr unsigned FSOUND_LOOP_NORMAL = 0x02;
constexpr unsigned FSOUND_8BITS = 0x08;
constexpr unsigned FSOUND_16BITS = 0x10;
constexpr unsigned FSOUND_MONO = 0x20;
constexpr unsigned FSOUND_STEREO = 0x40;
constexpr int FSOUND_FREE = -1;

namespace FModFn {
using SetBufferSize = signed char (*)(int ms);
using SetHWND = signed char (*)(void* window);
using Init = signed char (*)(int mixRate, int maxChannels, unsigned flags);
using Close = void (*)();
using SampleLoad = FSOUND_SAMPLE* (*)(int index, const char* name, unsigned mode, int memLength);
using SampleAlloc = FSOUND_SAMPLE* (*)(int index, int length, unsigned mode, int defFreq,
                                       int defVol, int defPan, int defPri);
using SampleFree = void (*)(FSOUND_SAMPLE* sample);
using SampleLock = signed char (*)(FSOUND_SAMPLE* sample, int offset, int length, void** ptr1,
                                   void** ptr2, unsigned* len1, unsigned* len2);
using SampleUnlock = signed char (*)(FSOUND_SAMPLE* sample, void* ptr1, void* ptr2,
                                     unsigned len1, unsigned len2);
using SampleSetLoopPoints = signed char (*)(FSOUND_SAMPLE* sample, int loopStart, int loopEnd);
using SampleGetLength = unsigned (*)(FSOUND_SAMPLE* sample);
using SampleGetDefaults = signed char (*)(FSOUND_SAMPLE* sample, int* freq, int* vol, int* pan,
                                          int* pri);
using SampleGetMode = unsigned (*)(FSOUND_SAMPLE* sample);
using PlaySound = int (*)(int channel, FSOUND_SAMPLE* sample);
using Channel = signed char (*)(int channel);
using ChannelValue = signed char (*)(int channel, int value);
using StreamOpenFile = FSOUND_STREAM* (*)(const char* name, unsigned mode, int memLength);
using StreamClose = signed char (*)(FSOUND_STREAM* stream);
using StreamPlay = int (*)(int channel, FSOUND_STREAM* stream);
using LoadSong = FMUSIC_MODULE* (*)(const char* name);
using Module = signed char (*)(FMUSIC_MODULE* module);
using ModuleValue = signed char (*)(FMUSIC_MODULE* module, int value);
}  // namespace FModFn

}  // namespace Plix
