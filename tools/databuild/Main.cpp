// The data builder: makes the game's whole data set from the hand-written
// sources in data/. Every output is the same, byte for byte, on every run.
//
//   databuild manifest <data> <stage>          check the tables, stage the manifest
//   databuild images   <data> <stage> <sheets> paint the images, write contact sheets
//   databuild fonts    <data> <stage>          rasterise the bitmap fonts
//   databuild sounds   <data> <stage>          synthesise the sound effects
//   databuild songs    <out>                   compose and encode the songs
//   databuild floors   <data> <out>            write the environment files
//   databuild fixtimes <folder>                give every file below one fixed time

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <exception>
#include <string>
#include <thread>

#include "tools/databuild/Floors.h"
#include "tools/databuild/Fonts.h"
#include "tools/databuild/Images.h"
#include "tools/databuild/Songs.h"
#include "tools/databuild/Sounds.h"
#include "tools/databuild/Tables.h"

using namespace Plix::DataBuild;

namespace {

int Threads() {
  unsigned n = std::thread::hardware_concurrency();
  return n == 0 ? 2 : static_cast<int>(n);
}

int Usage() {
  std::fprintf(stderr,
               "usage: databuild manifest|images|fonts|sounds|floors <data folder> <output folder> [sheet folder]\n"
               "       databuild songs <output folder>\n");
  return 2;
}

// 2000-01-01: archives store file times, and a build must not depend on when it ran.
void FixFileTimes(const std::string& folder) {
  const std::chrono::sys_seconds day{std::chrono::sys_days(std::chrono::year(2000) / 1 / 1)};
  const auto fixed = std::filesystem::file_time_type::clock::from_sys(day);
  for (auto& e : std::filesystem::recursive_directory_iterator(folder))
    if (e.is_regular_file()) std::filesystem::last_write_time(e.path(), fixed);
}

void CheckTables(const std::string& data) {
  CheckManifest(ReadManifest(data + "/resources.xml"), ReadImageTable(data + "/images.txt"),
                ReadSoundTable(data + "/sounds.txt"), ReadFontTable(data + "/fonts.txt"));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) return Usage();
  const std::string command = argv[1];
  try {
    if (command == "songs") {
      BuildSongs(argv[2], Threads());
      return 0;
    }
    if (command == "fixtimes") {
      FixFileTimes(argv[2]);
      return 0;
    }
    if (argc < 4) return Usage();
    const std::string data = argv[2], stage = argv[3];
    if (command == "manifest") {
      CheckTables(data);
      WriteWholeFile(stage + "/properties/resources.xml", ReadWholeFile(data + "/resources.xml"));
    } else if (command == "images") {
      if (argc < 5) return Usage();
      BuildImages(ReadImageTable(data + "/images.txt"), stage, argv[4], Threads());
    } else if (command == "fonts") {
      BuildFonts(ReadFontTable(data + "/fonts.txt"), stage);
    } else if (command == "floors") {
      BuildFloors(data + "/floors", stage);
    } else if (command == "sounds") {
      BuildSounds(ReadSoundTable(data + "/sounds.txt"), stage);
    } else {
      return Usage();
    }
  } catch (const std::exception& e) {
    std::fprintf(stderr, "databuild %s: %s\n", command.c_str(), e.what());
    return 1;
  }
  return 0;
}
