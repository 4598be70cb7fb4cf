// paktool pack <folder> <archive>: packs every file below the folder.
// paktool list <archive>: prints each entry's name and size.
#include <cstdio>
#include <string>
#include <vector>

#include "framework/platform/Files.h"
#include "framework/resources/PakInterface.h"
#include "tools/paktool/PakWriter.h"

namespace {

int Usage() {
  std::fprintf(stderr,
               "usage: paktool pack <folder> <archive>\n"
               "       paktool list <archive>\n");
  return 2;
}

int Pack(const std::string& folder, const std::string& archive) {
  std::vector<Plix::PakFile> files;
  std::vector<uint8_t> bytes;
  std::string error;
  if (!Plix::CollectPakFolder(folder, files, error) || !Plix::BuildPakArchive(files, bytes, error) ||
      !Plix::Fs::WriteFileAtomic(archive, bytes.data(), bytes.size(), &error)) {
    std::fprintf(stderr, "paktool: %s\n", error.c_str());
    return 1;
  }
  std::printf("%s: %zu files, %zu bytes\n", archive.c_str(), files.size(), bytes.size());
  return 0;
}

int List(const std::string& archive) {
  std::vector<uint8_t> bytes;
  std::vector<Plix::PakDirEntry> entries;
  std::string error;
  if (!Plix::Fs::ReadWholeFile(archive, bytes)) {
    std::fprintf(stderr, "paktool: cannot read %s\n", archive.c_str());
    return 1;
  }
  if (!Plix::ReadPakDirectory(bytes.data(), bytes.size(), entries, error)) {
    std::fprintf(stderr, "paktool: %s: %s\n", archive.c_str(), error.c_str());
    return 1;
  }
  for (const auto& e : entries) std::printf("%s\t%d\n", e.mName.c_str(), e.mSize);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  if (args.size() == 3 && args[0] == "pack") return Pack(args[1], args[2]);
  if (args.size() == 2 && args[0] == "list") return List(args[1]);
  return Usage();
}
