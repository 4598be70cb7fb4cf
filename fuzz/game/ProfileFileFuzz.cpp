// The profile file on any bytes: loading never crashes and never writes,
// and what is saved afterwards is a whole file that loads back to the same
// bytes, so a damaged file can only ever be replaced by a good one.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "framework/platform/DebugOutput.h"
#include "framework/platform/Files.h"
#include "game/app/LevelTable.h"
#include "game/app/ProfileManager.h"

namespace {

struct Folders {
  std::string damaged;
  std::string saved;
  Plix::LevelTable levels;

  Folders() {
    char pattern[] = "/tmp/plix_profile_fuzz_XXXXXX";
    const char* root = mkdtemp(pattern);
    if (!root) std::abort();
    mRoot = root;
    damaged = mRoot + "/damaged";
    saved = mRoot + "/saved";
    Plix::Fs::MakeDirectory(damaged);
    Plix::Fs::MakeDirectory(saved);
    Plix::SetDebugOutputSink([](const std::string&) {});  // the notes on short files
    levels.LoadFromText("L 1 customers 20 v 1 1 v 2 1\nL 2 customers 30 v 1 1", "levels.txt");
  }
  ~Folders() {
    for (const std::string& d : {damaged, saved}) {
      Plix::Fs::DeleteFile(d + "/profdatavx.bin");
      Plix::Fs::DeleteFile(d + "/profdatavx.bin.broken");
      Plix::Fs::RemoveDirectory(d);
    }
    Plix::Fs::RemoveDirectory(mRoot);
  }

private:
  std::string mRoot;
};

std::vector<uint8_t> Read(const std::string& path) {
  std::vector<uint8_t> bytes;
  Plix::Fs::ReadWholeFile(path, bytes);
  return bytes;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static Folders folders;
  const std::string input = folders.damaged + "/profdatavx.bin";
  const std::string output = folders.saved + "/profdatavx.bin";
  if (!Plix::Fs::WriteFileAtomic(input, data, size)) std::abort();

  Plix::ProfileManager first;
  first.SetFolder(folders.damaged);
  first.LoadProfiles(folders.levels);
  int current = first.GetCurrentProfileIndex();
  if (current < 0 || current > 7 || first.GetCurrentProfile() == nullptr) std::abort();
  if (Read(input) != std::vector<uint8_t>(data, data + size)) std::abort();
  // Each damaged file is kept aside under a name of its own: none is left
  // for the next input.
  for (const auto& entry : std::filesystem::directory_iterator(folders.damaged))
    if (entry.path().filename().string().rfind("profdatavx.bin.broken", 0) == 0) std::filesystem::remove(entry.path());

  first.SetFolder(folders.saved);
  if (!first.SaveProfiles()) std::abort();
  std::vector<uint8_t> saved = Read(output);

  Plix::ProfileManager second;
  second.SetFolder(folders.saved);
  second.LoadProfiles(folders.levels);
  if (!second.GetError().empty()) std::abort();  // a saved file is always whole
  if (second.GetCurrentProfileIndex() != current) std::abort();
  if (!second.SaveProfiles() || Read(output) != saved) std::abort();
  return 0;
}
