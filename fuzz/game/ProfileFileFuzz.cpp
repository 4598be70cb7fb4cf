// The profile file on any bytes: loading never crashes and never writes
// over the file it read, and what is saved afterwards is a whole file that
// loads back to the same bytes, so a damaged file can only ever be replaced
// by a good one. The files live in memory, behind the manager's own file
// interface: no disk write per input.
#include <cstdint>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "framework/app/Buffer.h"
#include "framework/platform/DebugOutput.h"
#include "game/app/LevelTable.h"
#include "game/app/ProfileManager.h"

namespace {

class MemoryFiles : public Plix::ProfileHost {
public:
  std::map<std::string, std::vector<uint8_t>> mFiles;

  void PrepareDayFromProfile(Plix::PlayerProfile&) override {}
  void UpdateNewItemFlags(Plix::PlayerProfile&) override {}
  bool ProfileFileExists(const std::string& path) override { return mFiles.count(path) != 0; }
  bool ReadProfileFile(const std::string& path, Plix::Buffer& buffer) override {
    auto it = mFiles.find(path);
    if (it == mFiles.end()) return false;
    buffer.Clear();
    buffer.SetData(it->second.data(), static_cast<int>(it->second.size()));
    return true;
  }
  void RemoveStaleTemporaryFiles(const std::string&) override {}
  bool WriteProfileFile(const std::string& path, const Plix::Buffer& buffer, std::string*) override {
    const uint8_t* data = buffer.GetDataPtr();
    mFiles[path].assign(data, data + buffer.GetDataLen());
    return true;
  }
  int64_t ProfileFileSize(const std::string& path) override {
    auto it = mFiles.find(path);
    return it == mFiles.end() ? -1 : static_cast<int64_t>(it->second.size());
  }
  bool MoveProfileFile(const std::string& from, const std::string& to) override {
    auto it = mFiles.find(from);
    if (it == mFiles.end()) return false;
    mFiles[to] = std::move(it->second);
    mFiles.erase(from);
    return true;
  }
};

struct Setting {
  Plix::LevelTable levels;
  Setting() {
    Plix::SetDebugOutputSink([](const std::string&) {});  // the notes on short files
    levels.LoadFromText("L 1 customers 20 v 1 1 v 2 1\nL 2 customers 30 v 1 1", "levels.txt");
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static Setting setting;
  const std::string input = "damaged/profdatavx.bin";
  const std::string output = "saved/profdatavx.bin";
  const std::vector<uint8_t> bytes(data, data + size);
  MemoryFiles files;
  files.mFiles[input] = bytes;

  Plix::ProfileManager first(&files);
  first.SetFolder("damaged");
  first.LoadProfiles(setting.levels);
  int current = first.GetCurrentProfileIndex();
  if (current < 0 || current > 7 || first.GetCurrentProfile() == nullptr) std::abort();
  // The file read is never changed; a file too large to read is moved aside
  // whole, with its bytes.
  auto read = files.mFiles.find(input);
  if (read != files.mFiles.end() ? read->second != bytes
                                 : files.mFiles.count("damaged/profdatavx.bin.broken") == 0)
    std::abort();

  first.SetFolder("saved");
  if (!first.SaveProfiles()) std::abort();
  const std::vector<uint8_t> saved = files.mFiles[output];

  Plix::ProfileManager second(&files);
  second.SetFolder("saved");
  second.LoadProfiles(setting.levels);
  if (!second.GetError().empty()) std::abort();  // a saved file is always whole
  if (second.GetCurrentProfileIndex() != current) std::abort();
  if (!second.SaveProfiles() || files.mFiles[output] != saved) std::abort();
  return 0;
}
