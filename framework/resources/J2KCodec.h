#pragma once
// The JPEG-2000 codec library, as the image reader binds it: a module that
// is loaded, whose functions are looked up by their export names, and that
// is freed again. The codec behind it is OpenJPEG.
#include <cstdint>

namespace Plix::J2K {

// What a codec image reads its stream through.
struct Callbacks {
  int (*seek)(void* userData, int offset);  // absolute; 0 on success
  int (*read)(void* buffer, int size, void* userData);  // bytes read
  void (*unused)(void* userData);
};

struct Image;

// The export table, in the order and under the names the reader looks up.
using GetVersionFn = int (*)();
using OpenCustomFn = Image* (*)(const Callbacks* callbacks, void* userData);
using OpenFileFn = Image* (*)(const char* path);
using CloseFn = int (*)(Image* image);
using GetInfoFn = int (*)(Image* image, int* width, int* height, int* components);
using GetResolutionDimensionsFn = int (*)(Image* image, int level, int* width, int* height);
// Options "bpp=4,rl=0": 32-bit BGRA output at full resolution (the only
// level this codec decodes).
using DecodeFn = int (*)(Image* image, uint8_t* buffer, int size, const char* options, int pitch);
using GetLastErrorFn = int (*)();
using GetErrorStrFn = const char* (*)(int code);

constexpr int kVersion = 0x250000;

struct Module;

// The "j2k-codec" library; null when it cannot be had.
Module* LoadLibrary();
void FreeLibrary(Module* module);
// The function exported under that name, or null.
void* GetProcAddress(Module* module, const char* exportName);

}  // namespace Plix::J2K
