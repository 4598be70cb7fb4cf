// floorcheck LEVELS IMAGES FLOOR...
// Checks environment files against the game's reader and the needs of the
// days that play on them (LEVELS: the level table; IMAGES: the image
// declarations with the picture sizes). Every floor the level table names,
// and the three Happy Hour floors, must be among the files given.
// Exit status 0 when every floor passes, 1 otherwise.
#include <cstdio>
#include <fstream>
#include <iterator>
#include <set>
#include <string>

#include "game/app/LevelTable.h"
#include "tools/floorcheck/FloorCheck.h"

namespace {

bool ReadFile(const std::string& path, std::string& text) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return true;
}

std::string BaseName(const std::string& path) {
  size_t slash = path.find_last_of("/\\");
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 4) {
    std::fprintf(stderr, "usage: floorcheck LEVELS IMAGES FLOOR...\n");
    return 2;
  }
  Plix::LevelTable levels;
  if (!levels.LoadLevels(argv[1])) {
    std::fprintf(stderr, "%s\n", levels.GetError().c_str());
    return 1;
  }
  std::string imagesText, error;
  Plix::EnvironmentSizes sizes;
  if (!ReadFile(argv[2], imagesText)) {
    std::fprintf(stderr, "%s: cannot be read\n", argv[2]);
    return 1;
  }
  if (!Plix::ReadFloorSizes(imagesText, sizes, error)) {
    std::fprintf(stderr, "%s: %s\n", argv[2], error.c_str());
    return 1;
  }
  int failed = 0;
  std::set<std::string> given;
  for (int i = 3; i < argc; ++i) {
    const std::string path = argv[i];
    given.insert(BaseName(path));
    std::string text;
    if (!ReadFile(path, text)) {
      std::fprintf(stderr, "%s: cannot be read\n", path.c_str());
      ++failed;
      continue;
    }
    auto problems = Plix::CheckFloor(text, Plix::RulesForFloor(levels, path), sizes);
    for (const std::string& p : problems) std::fprintf(stderr, "%s: %s\n", path.c_str(), p.c_str());
    if (!problems.empty()) ++failed;
  }
  std::set<std::string> wanted = {"easy.len", "normal.len", "hard.len"};
  for (int i = 0; i < levels.GetLevelCount(); ++i)
    if (levels.GetLevel(i)->environmentFile[0] != 0) wanted.insert(BaseName(levels.GetLevel(i)->environmentFile));
  for (const std::string& name : wanted)
    if (!given.count(name)) {
      std::fprintf(stderr, "%s: a floor the game loads was not given\n", name.c_str());
      ++failed;
    }
  if (failed) {
    std::fprintf(stderr, "%d floor(s) refused\n", failed);
    return 1;
  }
  std::printf("%zu floors pass\n", given.size());
  return 0;
}
