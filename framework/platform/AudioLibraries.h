#pragma once
// The audio libraries that the original program loads at run time (bass.dll,
// fmod.dll) are compiled in: each is a table of exported names. Loading
// goes through these functions so that the callers bind by name exactly as
// they would with a dynamic library, and tests can put a fake library in
// place of a real one.
#include <string>
#include <utility>
#include <vector>

#include "framework/platform/WinTypes.h"

namespace Plix {

// An exported name and its function.
using AudioExport = std::pair<const char*, void*>;

struct AudioLibrary {
  std::string name;  // lower case, without folder: "bass.dll"
  std::vector<AudioExport> exports;
};

// Null when no library of that file name exists. The folder part of the
// name is ignored and case does not matter.
HMODULE LoadAudioLibrary(const std::string& path);
// Null when the library does not export the name.
void* GetAudioProcAddress(HMODULE module, const char* name);
void FreeAudioLibrary(HMODULE module);

// The compiled-in libraries.
const AudioLibrary& BassLibrary();
const AudioLibrary& FModLibrary();

// Serves `library` (or, with a null pointer, no library at all) under a
// file name for the lifetime of the guard.
class ScopedAudioLibrary {
public:
  ScopedAudioLibrary(const std::string& fileName, const AudioLibrary* library);
  ~ScopedAudioLibrary();
  ScopedAudioLibrary(const ScopedAudioLibrary&) = delete;
  ScopedAudioLibrary& operator=(const ScopedAudioLibrary&) = delete;

private:
  std::string mName;
};

}  // namespace Plix
