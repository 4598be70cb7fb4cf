#pragma once
// Scratch files for the resource targets, and the shared body of the image
// reader targets: the input is written as a loose file and as an archive
// entry, read from both, and the two results must agree pixel for pixel.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "framework/platform/DebugOutput.h"
#include "framework/platform/Files.h"
#include "framework/resources/ImageLib.h"
#include "framework/resources/PakInterface.h"

namespace Plix::Fuzz {

inline std::string ScratchFolder() {
  // Never destroyed: the clean-up at exit still reads it.
  static const std::string* folder = [] {
    // Decoder warnings would flood the output and slow the campaign.
    SetDebugOutputSink([](const std::string&) {});
    const char* chosen = std::getenv("PLIX_FUZZ_SCRATCH");
    std::string base = chosen && *chosen ? chosen : Fs::IsDirectory("/dev/shm") ? "/dev/shm" : "/tmp";
    std::string dir = base + "/plix-fuzz-" + std::to_string(::getpid());
    Fs::MakeDirectory(dir);
    // Gone again when the run ends; a finding stops the run without it and
    // leaves the folder for a look.
    std::atexit([] {
      const std::string dir = ScratchFolder();
      for (const Fs::DirEntry& e : Fs::FindFiles(dir + "*"))
        if (!e.isDirectory) Fs::DeleteFile(dir + e.name);
      Fs::RemoveDirectory(dir);
    });
    return new std::string(dir + "/");
  }();
  return *folder;
}

inline void WriteFile(const std::string& path, const void* data, size_t size) {
  FILE* f = Fs::OpenFile(path, "wb");
  if (!f) std::abort();
  std::fwrite(data, 1, size, f);
  std::fclose(f);
}

inline void Put32(std::string& s, uint32_t v) {
  for (int i = 0; i < 4; ++i) s += static_cast<char>(v >> (8 * i));
}

inline void CheckReader(const uint8_t* data, size_t size, const char* ext,
                        std::unique_ptr<ImageLib::Image> (*read)(const std::string&)) {
  std::string dir = ScratchFolder();
  std::string loose = dir + "input" + ext;
  WriteFile(loose, data, size);
  // A one-entry archive around the same bytes.
  std::string name = std::string("packed") + ext;
  std::string pak;
  Put32(pak, kPakMagic);
  Put32(pak, kPakVersion);
  pak += '\0';
  pak += static_cast<char>(name.size());
  pak += name;
  Put32(pak, static_cast<uint32_t>(size));
  Put32(pak, 0);
  Put32(pak, 0);
  pak += static_cast<char>(kPakEndFlag);
  pak.append(reinterpret_cast<const char*>(data), size);
  WriteFile(dir + "input.pak", pak.data(), pak.size());

  auto fromDisk = read(loose);
  std::unique_ptr<ImageLib::Image> fromPak;
  {
    PakInterface local;
    PakInterface* old = ReplacePakInterface(&local);
    if (!local.AddPakFile(dir + "input.pak")) std::abort();
    fromPak = read(name);
    ReplacePakInterface(old);
  }
  if ((fromDisk == nullptr) != (fromPak == nullptr)) std::abort();
  if (!fromDisk) return;
  if (fromDisk->mWidth != fromPak->mWidth || fromDisk->mHeight != fromPak->mHeight ||
      std::memcmp(fromDisk->mBits, fromPak->mBits, size_t(fromDisk->mWidth) * fromDisk->mHeight * 4) != 0)
    std::abort();
}

}  // namespace Plix::Fuzz
