#include "framework/platform/AudioLibraries.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <map>
#include <mutex>

namespace Plix {

namespace {

struct Override {
  const AudioLibrary* library;
};

std::mutex gMutex;
std::map<std::string, Override>& Overrides() {
  static std::map<std::string, Override> overrides;
  return overrides;
}

std::string FileNameOf(const std::string& path) {
  const size_t slash = path.find_last_of("\\/");
  std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  std::transform(name.begin(), name.end(), name.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return name;
}

}  // namespace

HMODULE LoadAudioLibrary(const std::string& path) {
  const std::string name = FileNameOf(path);
  {
    std::lock_guard<std::mutex> guard(gMutex);
    auto it = Overrides().find(name);
    if (it != Overrides().end()) return const_cast<AudioLibrary*>(it->second.library);
  }
  if (name == "bass.dll") return const_cast<AudioLibrary*>(&BassLibrary());
  if (name == "fmod.dll") return const_cast<AudioLibrary*>(&FModLibrary());
  return nullptr;
}

void* GetAudioProcAddress(HMODULE module, const char* name) {
  if (!module || !name) return nullptr;
  const auto* lib = static_cast<const AudioLibrary*>(module);
  for (const AudioExport& e : lib->exports)
    if (std::strcmp(e.first, name) == 0) return e.second;
  return nullptr;
}

void FreeAudioLibrary(HMODULE) {}

ScopedAudioLibrary::ScopedAudioLibrary(const std::string& fileName, const AudioLibrary* library)
    : mName(FileNameOf(fileName)) {
  std::lock_guard<std::mutex> guard(gMutex);
  Overrides()[mName] = Override{library};
}

ScopedAudioLibrary::~ScopedAudioLibrary() {
  std::lock_guard<std::mutex> guard(gMutex);
  Overrides().erase(mName);
}

}  // namespace Plix
