#include "tools/databuild/Tables.h"

#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <stdexcept>

namespace Plix::DataBuild {

std::string ReadWholeFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

void MakeParentDirs(const std::string& path) {
  std::filesystem::path p(path);
  if (p.has_parent_path()) std::filesystem::create_directories(p.parent_path());
}

void WriteWholeFile(const std::string& path, const std::string& bytes) {
  MakeParentDirs(path);
  // Leave an unchanged file alone so that its time stamp stays.
  std::ifstream old(path, std::ios::binary);
  if (old) {
    std::ostringstream s;
    s << old.rdbuf();
    if (s.str() == bytes) return;
  }
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + path);
}

namespace {

// Calls fn(lineNumber, words, rest-after-n-words) for each non-comment line.
template <class Fn>
void ForEachLine(const std::string& path, Fn fn) {
  std::istringstream in(ReadWholeFile(path));
  std::string line;
  int number = 0;
  while (std::getline(in, line)) {
    ++number;
    size_t start = line.find_first_not_of(" \t\r");
    if (start == std::string::npos || line[start] == '#') continue;
    std::istringstream words(line);
    std::vector<std::string> w;
    std::string word;
    while (words >> word) w.push_back(word);
    try {
      fn(line, w);
    } catch (const std::exception& e) {
      throw std::runtime_error(path + ":" + std::to_string(number) + ": " + e.what());
    }
  }
}

int ToInt(const std::string& s) {
  size_t used = 0;
  int v = std::stoi(s, &used);
  if (used != s.size()) throw std::runtime_error("not a number: " + s);
  return v;
}

// The text after the first n words of a line.
std::string RestAfter(const std::string& line, int n) {
  size_t pos = 0;
  for (int i = 0; i < n; ++i) {
    pos = line.find_first_not_of(" \t", pos);
    pos = line.find_first_of(" \t", pos);
    if (pos == std::string::npos) return {};
  }
  pos = line.find_first_not_of(" \t", pos);
  return pos == std::string::npos ? std::string() : line.substr(pos);
}

}  // namespace

std::vector<ImageDecl> ReadImageTable(const std::string& path) {
  std::vector<ImageDecl> out;
  ForEachLine(path, [&](const std::string& line, const std::vector<std::string>& w) {
    if (w.size() < 7) throw std::runtime_error("expected id group cols rows width height file");
    ImageDecl d;
    d.id = w[0];
    d.group = w[1];
    d.cols = ToInt(w[2]);
    d.rows = ToInt(w[3]);
    d.celWidth = ToInt(w[4]);
    d.celHeight = ToInt(w[5]);
    d.file = w[6];
    d.what = RestAfter(line, 7);
    if (d.cols < 1 || d.rows < 1 || d.celWidth < 1 || d.celHeight < 1)
      throw std::runtime_error(d.id + ": cel grid and size must be positive");
    out.push_back(std::move(d));
  });
  return out;
}

std::vector<SoundDecl> ReadSoundTable(const std::string& path) {
  std::vector<SoundDecl> out;
  ForEachLine(path, [&](const std::string&, const std::vector<std::string>& w) {
    if (w.size() < 3) throw std::runtime_error("expected id file elements");
    SoundDecl d;
    d.id = w[0];
    d.file = w[1];
    size_t i = 2;
    if (w[2] == "loop") {
      d.loop = true;
      ++i;
    }
    d.elements.assign(w.begin() + static_cast<long>(i), w.end());
    if (d.elements.empty()) throw std::runtime_error(d.id + ": no sound elements");
    out.push_back(std::move(d));
  });
  return out;
}

std::vector<FontDecl> ReadFontTable(const std::string& path) {
  std::vector<FontDecl> out;
  ForEachLine(path, [&](const std::string&, const std::vector<std::string>& w) {
    if (w.size() < 7) throw std::runtime_error("expected id file face pixels points style chars");
    FontDecl d;
    d.id = w[0];
    d.file = w[1];
    d.face = w[2];
    d.pixelSize = ToInt(w[3]);
    d.pointSize = ToInt(w[4]);
    d.style = w[5];
    d.chars = w[6];
    for (size_t i = 7; i < w.size(); ++i) {
      if (w[i] == "tabular") d.tabular = true;
      else throw std::runtime_error("unknown option " + w[i]);
    }
    out.push_back(std::move(d));
  });
  return out;
}

namespace {

std::map<std::string, std::string> TagAttributes(const std::string& tag) {
  std::map<std::string, std::string> attrs;
  size_t i = 0;
  while (i < tag.size()) {
    while (i < tag.size() && (tag[i] == ' ' || tag[i] == '\t' || tag[i] == '\n' || tag[i] == '\r'))
      ++i;
    size_t nameStart = i;
    while (i < tag.size() && tag[i] != '=' && tag[i] != ' ' && tag[i] != '\t' && tag[i] != '\n')
      ++i;
    std::string name = tag.substr(nameStart, i - nameStart);
    if (name.empty() || name == "/") {
      ++i;
      continue;
    }
    std::string value;
    if (i < tag.size() && tag[i] == '=') {
      ++i;
      if (i < tag.size() && tag[i] == '"') {
        size_t end = tag.find('"', i + 1);
        if (end == std::string::npos) throw std::runtime_error("unterminated quote in <" + tag + ">");
        value = tag.substr(i + 1, end - i - 1);
        i = end + 1;
      }
    }
    attrs[name] = value;
  }
  return attrs;
}

}  // namespace

std::vector<ManifestEntry> ReadManifest(const std::string& path) {
  std::string text = ReadWholeFile(path);
  std::vector<ManifestEntry> out;
  std::string group;
  size_t pos = 0;
  while ((pos = text.find('<', pos)) != std::string::npos) {
    if (text.compare(pos, 4, "<!--") == 0) {
      pos = text.find("-->", pos);
      if (pos == std::string::npos) break;
      continue;
    }
    size_t end = text.find('>', pos);
    if (end == std::string::npos) throw std::runtime_error(path + ": unterminated tag");
    std::string tag = text.substr(pos + 1, end - pos - 1);
    pos = end + 1;
    size_t nameEnd = tag.find_first_of(" \t\n/");
    std::string name = tag.substr(0, nameEnd);
    std::string rest = nameEnd == std::string::npos ? std::string() : tag.substr(nameEnd);
    if (name == "Resources") {
      group = TagAttributes(rest)["id"];
    } else if (name == "SetDefaults") {
      // Defaults would change ids and paths behind the tables' back.
      throw std::runtime_error(path + ": write ids and paths in full instead of <SetDefaults>");
    } else if (name == "Image" || name == "Sound" || name == "Font") {
      auto attrs = TagAttributes(rest);
      if (rest.empty() || rest.back() != '/' || rest.size() < 2 || rest[rest.size() - 2] != ' ')
        throw std::runtime_error(path + ": " + attrs["id"] + ": close each element with \" />\"");
      ManifestEntry e;
      e.kind = name;
      e.id = attrs["id"];
      e.group = group;
      e.path = attrs["path"];
      if (attrs.count("cols")) e.cols = ToInt(attrs["cols"]);
      if (attrs.count("rows")) e.rows = ToInt(attrs["rows"]);
      out.push_back(std::move(e));
    }
  }
  return out;
}

void CheckManifest(const std::vector<ManifestEntry>& manifest, const std::vector<ImageDecl>& images,
                   const std::vector<SoundDecl>& sounds, const std::vector<FontDecl>& fonts) {
  std::string problems;
  std::map<std::string, const ManifestEntry*> byId;
  for (const auto& e : manifest) {
    if (!byId.emplace(e.id, &e).second) problems += "manifest declares " + e.id + " twice\n";
  }
  std::set<std::string> declared;
  auto find = [&](const std::string& id, const char* kind) -> const ManifestEntry* {
    declared.insert(id);
    auto it = byId.find(id);
    if (it == byId.end() || it->second->kind != kind) {
      problems += std::string("manifest lacks ") + kind + " " + id + "\n";
      return nullptr;
    }
    return it->second;
  };
  for (const auto& d : images) {
    if (d.group == "-") continue;  // read by file name
    const ManifestEntry* e = find(d.id, "Image");
    if (!e) continue;
    if (e->group != d.group) problems += d.id + ": group " + e->group + " in the manifest, " + d.group + " in images.txt\n";
    if (e->path != d.file) problems += d.id + ": path " + e->path + " in the manifest, " + d.file + " in images.txt\n";
    if (e->cols != d.cols || e->rows != d.rows) problems += d.id + ": cel grid differs from images.txt\n";
  }
  for (const auto& d : sounds) {
    const ManifestEntry* e = find(d.id, "Sound");
    if (e && e->path != d.file) problems += d.id + ": path " + e->path + " in the manifest, " + d.file + " in sounds.txt\n";
  }
  for (const auto& d : fonts) {
    const ManifestEntry* e = find(d.id, "Font");
    if (e && e->path != d.file) problems += d.id + ": path " + e->path + " in the manifest, " + d.file + " in fonts.txt\n";
  }
  for (const auto& e : manifest)
    if (!declared.count(e.id)) problems += e.id + " is in the manifest but in no table\n";
  if (!problems.empty()) throw std::runtime_error("the manifest and the tables disagree:\n" + problems);
}

}  // namespace Plix::DataBuild
