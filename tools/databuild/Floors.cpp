// Floor sources are written for people: named records, comments, links given
// once. The game's environment files are bare numbers with every link listed
// in both directions, so they are made from the sources here.
//
// Source lines:
//   area N                     the scenery set (1..6)
//   include FILE               reads another source of the same folder
//   NAME KIND X Y [P4 [P5]] [: NAME...]   a record; ':' links it both ways
//   link NAME NAME...          links the first record both ways to the others
// Kinds: waypoint table empty counter trash napkins lemonade cookies organ
// balls monkey uncle decoration (or their numbers 0..12).

#include "tools/databuild/Floors.h"

#include <algorithm>
#include <filesystem>
#include <map>
#include <sstream>
#include <stdexcept>
#include <vector>

#include "tools/databuild/Tables.h"

namespace Plix::DataBuild {

namespace {

struct Record {
  std::string name;
  int kind = 0, x = 0, y = 0, p4 = 0, p5 = 0;
  std::vector<int> links;
};

struct Floor {
  int area = -1;
  std::vector<Record> records;
  std::map<std::string, int> index;
  std::vector<std::pair<std::string, std::string>> pendingLinks;
};

int KindNumber(const std::string& word) {
  static const char* names[] = {"waypoint", "table", "empty", "counter", "trash", "napkins", "lemonade",
                                "cookies", "organ", "balls", "monkey", "uncle", "decoration"};
  for (int i = 0; i < 13; ++i)
    if (word == names[i] || word == std::to_string(i)) return i;
  throw std::runtime_error("unknown record kind " + word);
}

int Number(const std::string& s) {
  size_t used = 0;
  int v = std::stoi(s, &used);
  if (used != s.size()) throw std::runtime_error("not a number: " + s);
  return v;
}

void ReadSource(const std::string& path, Floor& floor, int depth) {
  if (depth > 4) throw std::runtime_error(path + ": includes nest too deeply");
  std::istringstream in(ReadWholeFile(path));
  std::string line;
  int number = 0;
  while (std::getline(in, line)) {
    ++number;
    size_t hash = line.find('#');
    if (hash != std::string::npos) line.resize(hash);
    std::istringstream words(line);
    std::vector<std::string> w;
    for (std::string s; words >> s;) w.push_back(s);
    if (w.empty()) continue;
    try {
      if (w[0] == "area") {
        if (w.size() != 2) throw std::runtime_error("area N");
        floor.area = Number(w[1]);
      } else if (w[0] == "include") {
        if (w.size() != 2) throw std::runtime_error("include FILE");
        ReadSource((std::filesystem::path(path).parent_path() / w[1]).string(), floor, depth + 1);
      } else if (w[0] == "link") {
        for (size_t i = 2; i < w.size(); ++i) floor.pendingLinks.emplace_back(w[1], w[i]);
      } else {
        if (w.size() < 4) throw std::runtime_error("NAME KIND X Y [P4 [P5]] [: links]");
        Record r;
        r.name = w[0];
        r.kind = KindNumber(w[1]);
        r.x = Number(w[2]);
        r.y = Number(w[3]);
        size_t i = 4;
        if (i < w.size() && w[i] != ":") r.p4 = Number(w[i++]);
        if (i < w.size() && w[i] != ":") r.p5 = Number(w[i++]);
        if (i < w.size()) {
          if (w[i] != ":") throw std::runtime_error("expected ':' before the links");
          for (++i; i < w.size(); ++i) floor.pendingLinks.emplace_back(r.name, w[i]);
        }
        if (floor.index.count(r.name)) throw std::runtime_error("record " + r.name + " defined twice");
        floor.index[r.name] = static_cast<int>(floor.records.size());
        floor.records.push_back(std::move(r));
      }
    } catch (const std::exception& e) {
      throw std::runtime_error(path + ":" + std::to_string(number) + ": " + e.what());
    }
  }
}

}  // namespace

std::string FloorToEnvironment(const std::string& path) {
  Floor floor;
  ReadSource(path, floor, 0);
  if (floor.area < 1 || floor.area > 6) throw std::runtime_error(path + ": needs an area 1..6");
  if (floor.records.size() > 64) throw std::runtime_error(path + ": more than 64 records");
  for (auto& [a, b] : floor.pendingLinks) {
    auto ia = floor.index.find(a), ib = floor.index.find(b);
    if (ia == floor.index.end()) throw std::runtime_error(path + ": link names unknown record " + a);
    if (ib == floor.index.end()) throw std::runtime_error(path + ": link names unknown record " + b);
    for (int k : {ia->second, ib->second})
      if (floor.records[k].kind == 2 || floor.records[k].kind == 11)
        throw std::runtime_error(path + ": " + floor.records[k].name + " has no walk node to link");
    auto add = [](Record& r, int to) {
      if (std::find(r.links.begin(), r.links.end(), to) == r.links.end()) r.links.push_back(to);
    };
    add(floor.records[ia->second], ib->second);
    add(floor.records[ib->second], ia->second);
  }
  std::ostringstream out;
  out << floor.area << "\n" << floor.records.size() << "\n";
  for (const Record& r : floor.records)
    out << r.kind << " " << r.x << " " << r.y << " " << r.p4 << " " << r.p5 << "\n";
  for (const Record& r : floor.records) {
    out << r.links.size();
    for (int l : r.links) out << " " << l;
    out << "\n";
  }
  return out.str();
}

void BuildFloors(const std::string& floorDir, const std::string& outDir) {
  std::vector<std::filesystem::path> sources;
  for (auto& e : std::filesystem::directory_iterator(floorDir))
    if (e.path().extension() == ".floor") sources.push_back(e.path());
  std::sort(sources.begin(), sources.end());
  for (auto& p : sources) {
    // Sources whose name starts with '_' are only included by others.
    if (p.filename().string()[0] == '_') continue;
    WriteWholeFile(outDir + "/" + p.stem().string() + ".len", FloorToEnvironment(p.string()));
  }
}

}  // namespace Plix::DataBuild
