// Checks the built data set against its declarations: every image has the
// declared size and cel grid, every sound, font and song exists in a form the
// game reads, and the level table and floor layouts keep the limits the
// game relies on.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

#include "tests/support/TestSupport.h"
#include "tools/databuild/Tables.h"

using namespace Plix::DataBuild;
using Plix::Testing::ReadFile;
using Plix::Testing::SourceDir;

namespace {

std::string BuildDir() { return PLIX_DATA_BUILD_DIR; }
std::string Stage() { return BuildDir() + "/datastage"; }
std::string RunData() { return BuildDir() + "/run/data"; }

bool Exists(const std::string& path) { return std::ifstream(path).good(); }

uint32_t BigEndian(const std::string& s, size_t at) {
  return (uint32_t(uint8_t(s[at])) << 24) | (uint32_t(uint8_t(s[at + 1])) << 16) |
         (uint32_t(uint8_t(s[at + 2])) << 8) | uint32_t(uint8_t(s[at + 3]));
}
uint32_t LittleEndian(const std::string& s, size_t at, int bytes) {
  uint32_t v = 0;
  for (int i = bytes - 1; i >= 0; --i) v = (v << 8) | uint8_t(s[at + i]);
  return v;
}

std::vector<ImageDecl> Images() { return ReadImageTable(SourceDir() + "/data/images.txt"); }

}  // namespace

TEST(DataSet, ManifestDeclaresEveryTableEntryInItsGroup) {
  auto manifest = ReadManifest(SourceDir() + "/data/resources.xml");
  EXPECT_NO_THROW(CheckManifest(manifest, Images(), ReadSoundTable(SourceDir() + "/data/sounds.txt"),
                                ReadFontTable(SourceDir() + "/data/fonts.txt")));
  std::map<std::string, int> kinds;
  for (const auto& e : manifest) ++kinds[e.kind];
  EXPECT_EQ(kinds["Image"], 507);
  EXPECT_EQ(kinds["Sound"], 95);
  EXPECT_EQ(kinds["Font"], 7);
  // The staged manifest is the source, unchanged.
  EXPECT_TRUE(ReadFile(Stage() + "/properties/resources.xml") == ReadFile(SourceDir() + "/data/resources.xml"));
}

TEST(DataSet, EveryImageHasItsDeclaredSizeAndAlpha) {
  for (const ImageDecl& d : Images()) {
    SCOPED_TRACE(d.id);
    std::string png = ReadFile(Stage() + "/" + d.file);
    ASSERT_GE(png.size(), 33u);
    ASSERT_EQ(png.substr(1, 3), "PNG");
    EXPECT_EQ(BigEndian(png, 16), uint32_t(d.Width()));
    EXPECT_EQ(BigEndian(png, 20), uint32_t(d.Height()));
    EXPECT_EQ(uint8_t(png[24]), 8);  // bit depth
    EXPECT_EQ(uint8_t(png[25]), 6);  // RGBA
  }
}

TEST(DataSet, SizeRulesThatTheDrawingCodeRelyOn) {
  std::map<std::string, ImageDecl> byId;
  for (auto& d : Images()) byId[d.id] = d;
  auto cel = [&](const std::string& id) { return std::make_pair(byId.at(id).celWidth, byId.at(id).celHeight); };
  auto grown = [&](const std::string& id, int by) {
    auto c = cel(id);
    return std::make_pair(c.first + by, c.second + by);
  };
  struct Rule { const char* a; const char* b; int grow; };
  const Rule same[] = {
      {"IMAGE_DIALOG_BUTTON_2", "IMAGE_DIALOG_BUTTON_1", 0},
      {"IMAGE_DIALOG_BUTTON_LARGE_2", "IMAGE_DIALOG_BUTTON_LARGE_1", 0},
      {"IMAGE_FREEZER_OPEN", "IMAGE_FREEZER_CLOSED", 0},
      {"IMAGE_COOKIES_EMPTY", "IMAGE_COOKIES", 0},
      {"IMAGE_ICECREAM_BOX", "IMAGE_ICECREAM_VANILLA", 0},
      {"IMAGE_ICECREAM_STRAWBERRY", "IMAGE_ICECREAM_VANILLA", 0},
      {"IMAGE_ICECREAM_CHOCOLATE", "IMAGE_ICECREAM_VANILLA", 0},
      {"IMAGE_ICECREAM_PEAR", "IMAGE_ICECREAM_VANILLA", 0},
      {"IMAGE_ICECREAM_BLUEBERRY", "IMAGE_ICECREAM_VANILLA", 0},
      {"IMAGE_ICECREAM_PINEAPPLE", "IMAGE_ICECREAM_VANILLA", 0},
      {"IMAGE_ICECREAM_BOX_OVER", "IMAGE_ICECREAM_VANILLA", 6},
      {"IMAGE_DISH_OVER", "IMAGE_DISH", 6},
      {"IMAGE_TABLE_1_OVER", "IMAGE_TABLE_1", 6},
      {"IMAGE_TABLE_2_OVER", "IMAGE_TABLE_2", 6},
      {"IMAGE_TABLE_4_OVER", "IMAGE_TABLE_4", 6},
      {"IMAGE_BALLOON_WIDE_ARROWS", "IMAGE_BALLOON_POINTERS", 0},
  };
  for (const Rule& r : same) {
    SCOPED_TRACE(r.a);
    EXPECT_EQ(cel(r.a), grown(r.b, r.grow));
  }
  EXPECT_EQ(cel("IMAGE_ORGAN_2").second, cel("IMAGE_ORGAN_1").second);
  EXPECT_EQ(cel("IMAGE_ORGAN_3").second, cel("IMAGE_ORGAN_1").second);
  // Every hover picture matches its normal picture.
  for (auto& [id, d] : byId) {
    if (id.ends_with("_OVER") && byId.count(id.substr(0, id.size() - 5)) && !id.starts_with("IMAGE_DISH") &&
        !id.starts_with("IMAGE_TABLE") && !id.starts_with("IMAGE_ICECREAM_BOX")) {
      SCOPED_TRACE(id);
      EXPECT_EQ(cel(id), cel(id.substr(0, id.size() - 5)));
    }
  }
  // Fixed sizes.
  const std::pair<const char*, std::pair<int, int>> fixed[] = {
      {"IMAGE_LOADING", {800, 600}},     {"IMAGE_MAIN_MENU", {800, 600}}, {"IMAGE_MAP", {800, 600}},
      {"IMAGE_BESTSELLERS", {800, 600}}, {"IMAGE_STORE", {800, 600}},     {"IMAGE_CIRCUS", {800, 600}},
      {"IMAGE_FLAVOR_CONTEST", {800, 600}}, {"IMAGE_TROPHY_ROOM", {800, 600}},
      {"IMAGE_BACKGROUND_1", {800, 566}}, {"IMAGE_BACKGROUND_2", {800, 566}}, {"IMAGE_BACKGROUND_3", {800, 566}},
      {"IMAGE_BACKGROUND_4", {800, 566}}, {"IMAGE_BACKGROUND_5", {800, 566}}, {"IMAGE_BACKGROUND_6", {800, 566}},
  };
  for (auto& [id, size] : fixed) {
    SCOPED_TRACE(id);
    EXPECT_EQ(std::make_pair(byId.at(id).Width(), byId.at(id).Height()), size);
  }
  EXPECT_EQ(cel("IMAGE_CONVEYER_DIRT"), std::make_pair(16, 16));
  EXPECT_EQ(byId.at("IMAGE_GAME_INTERFACE").Width(), 800);
  EXPECT_GE(byId.at("IMAGE_GAME_INTERFACE").Height(), 34);
  EXPECT_LE(byId.at("IMAGE_MOUSE_HAND").Width(), 64);
  EXPECT_LE(byId.at("IMAGE_MOUSE_POINTER").Height(), 64);
}

// Grids and sizes that the particles, the balloon, the loader and the
// dialog controls take for granted when they pick a cel or cut a picture.
TEST(DataSet, GridsTheSharedPiecesDrawBy) {
  std::map<std::string, ImageDecl> byId;
  for (auto& d : Images()) byId[d.id] = d;
  struct Grid {
    const char* id;
    int cols;
    int rows;
  };
  const Grid grids[] = {
      {"IMAGE_COIN", 4, 1},                  // the spin steps through four cels
      {"IMAGE_MAP_FIREWORKS", 11, 1},        // the burst shows cels 0 to 10
      {"IMAGE_BALLOON_PEMI", 3, 1},          // portraits: closed, then two talking cels
      {"IMAGE_BALLOON_SALES_PERSON", 3, 1},
      {"IMAGE_BALLOON_UNCLE", 3, 1},
      {"IMAGE_BALLOON_CIRCUS", 3, 1},
      {"IMAGE_BALLOON_POINTERS", 2, 1},      // tip of a body on the left, on the right
      {"IMAGE_BALLOON_WIDE_ARROWS", 2, 1},
      {"IMAGE_BALLOON_BUTTON", 2, 1},        // normal, mouse over
      {"IMAGE_BALLOON_BUTTON_NEXT", 2, 1},
      {"IMAGE_BALLOON_BUTTON_LEFT", 2, 1},
      {"IMAGE_BALLOON_BUTTON_RIGHT", 2, 1},
      {"IMAGE_DIALOG_CHECKBOX", 2, 1},       // cut at half its width
  };
  for (const Grid& g : grids) {
    SCOPED_TRACE(g.id);
    EXPECT_EQ(byId.at(g.id).cols, g.cols);
    EXPECT_EQ(byId.at(g.id).rows, g.rows);
  }
  // The slider's track is cut into three equal cells: caps and middle.
  EXPECT_EQ(byId.at("IMAGE_DIALOG_SLIDER").Width() % 3, 0);
  // The glow is drawn 15 pixels up and left of the coin's corner.
  const ImageDecl& coin = byId.at("IMAGE_COIN");
  EXPECT_EQ(byId.at("IMAGE_COIN_GLOW").Width(), coin.celWidth + 30);
  EXPECT_EQ(byId.at("IMAGE_COIN_GLOW").Height(), coin.celHeight + 30);
  // The loader's bar is drawn from (255, 463) on the 800 x 600 screen.
  EXPECT_LE(255 + byId.at("IMAGE_LOADING_BAR").Width(), 800);
  EXPECT_LE(463 + byId.at("IMAGE_LOADING_BAR").Height(), 600);
}

TEST(DataSet, AnimatedStripsAreOneRow) {
  // Strips whose cels the code plays by column must be a single row.
  const char* prefixes[] = {"IMAGE_PEMI_", "IMAGE_MONKEY_BOY", "IMAGE_MONKEY_GIRL", "IMAGE_TABLE_",
                            "IMAGE_BALLOON_POINTERS", "IMAGE_CUSTOMER_", "IMAGE_BG2_", "IMAGE_STORE_STOCK",
                            "IMAGE_FLAVOR_CONTEST_", "IMAGE_TROPHY_ROOM_TROPHY", "IMAGE_MAP_FIREWORKS"};
  for (const ImageDecl& d : Images())
    for (const char* p : prefixes)
      if (d.id.rfind(p, 0) == 0) {
        SCOPED_TRACE(d.id);
        EXPECT_EQ(d.rows, 1);
      }
}

TEST(DataSet, EverySoundIsPcmWav) {
  for (const SoundDecl& d : ReadSoundTable(SourceDir() + "/data/sounds.txt")) {
    SCOPED_TRACE(d.id);
    std::string wav = ReadFile(Stage() + "/" + d.file + ".wav");
    ASSERT_GE(wav.size(), 44u);
    EXPECT_EQ(wav.substr(0, 4), "RIFF");
    EXPECT_EQ(wav.substr(8, 8), "WAVEfmt ");
    EXPECT_EQ(LittleEndian(wav, 20, 2), 1u);   // PCM
    EXPECT_EQ(LittleEndian(wav, 34, 2), 16u);  // bits
    EXPECT_EQ(wav.substr(36, 4), "data");
    EXPECT_EQ(LittleEndian(wav, 40, 4), wav.size() - 44);
    EXPECT_GT(wav.size(), 44u + 100);
  }
}

TEST(DataSet, EveryFontHasItsScriptAndGlyphImage) {
  for (const FontDecl& d : ReadFontTable(SourceDir() + "/data/fonts.txt")) {
    SCOPED_TRACE(d.id);
    std::string script = ReadFile(Stage() + "/" + d.file);
    EXPECT_NE(script.find("LayerSetImageMap"), std::string::npos);
    // Commands end at semicolons; every image a layer names lies beside the script.
    std::string folder = d.file.substr(0, d.file.rfind('/') + 1);
    for (size_t at = 0; (at = script.find("LayerSetImage ", at)) != std::string::npos; ++at) {
      size_t q1 = script.find('"', at), q2 = script.find('"', q1 + 1);
      EXPECT_TRUE(Exists(Stage() + "/" + folder + script.substr(q1 + 1, q2 - q1 - 1)));
    }
  }
}

TEST(DataSet, SongsAreOggFilesBesideTheGame) {
  for (const char* name : {"mainmenu", "hawaii", "circus", "store", "game_complete", "song1", "song2", "song3", "song4"}) {
    SCOPED_TRACE(name);
    std::string ogg = ReadFile(RunData() + "/" + name + ".ogg");
    ASSERT_GT(ogg.size(), 10000u);
    EXPECT_EQ(ogg.substr(0, 4), "OggS");
  }
}

namespace {

struct EnvFile {
  int area = 0;
  std::vector<std::array<int, 5>> records;
  std::vector<std::vector<int>> links;
};

EnvFile ReadEnv(const std::string& path) {
  std::istringstream in(ReadFile(path));
  EnvFile e;
  int n = 0;
  in >> e.area >> n;
  e.records.resize(static_cast<size_t>(std::max(0, n)));
  for (auto& r : e.records) in >> r[0] >> r[1] >> r[2] >> r[3] >> r[4];
  e.links.resize(e.records.size());
  for (auto& l : e.links) {
    int count = 0;
    in >> count;
    l.resize(static_cast<size_t>(std::max(0, count)));
    for (int& j : l) in >> j;
  }
  EXPECT_TRUE(in) << path << " ended early";
  std::string rest;
  EXPECT_FALSE(in >> rest) << path << " has more than it declares";
  return e;
}

}  // namespace

TEST(DataSet, FloorLayoutsKeepTheLimitsTheGameRelyOn) {
  for (const char* name : {"area1", "area2", "area3", "area4", "area5", "area6", "easy", "normal", "hard"}) {
    SCOPED_TRACE(name);
    EnvFile e = ReadEnv(RunData() + "/" + name + ".len");
    EXPECT_GE(e.area, 1);
    EXPECT_LE(e.area, 6);
    ASSERT_LE(e.records.size(), 64u);
    std::multiset<int> kinds;
    for (auto& r : e.records) kinds.insert(r[0]);
    for (size_t i = 0; i < e.records.size(); ++i) {
      for (int j : e.links[i]) {
        ASSERT_GE(j, 0);
        ASSERT_LT(size_t(j), e.records.size());
        EXPECT_NE(e.records[j][0], 2);
        // Links go both ways and join distinct places.
        EXPECT_NE(std::find(e.links[j].begin(), e.links[j].end(), int(i)), e.links[j].end());
        EXPECT_FALSE(e.records[i][1] == e.records[j][1] && e.records[i][2] == e.records[j][2]);
      }
      if (e.records[i][0] == 12) {
        EXPECT_LT(e.records[i][3], 17);
      }
    }
    EXPECT_EQ(kinds.count(10), 1u);
    EXPECT_EQ(kinds.count(11), 1u);
    bool story = std::string(name).rfind("area", 0) == 0;
    if (story) {
      for (int k : {1, 3, 4, 5, 6, 7, 8, 9}) EXPECT_GE(kinds.count(k), 1u) << "kind " << k;
    } else {
      // The queue: the chain from the monkey node, first unvisited link each
      // time, must hold ten customers 56 px apart.
      size_t at = 0;
      while (e.records[at][0] != 10) ++at;
      std::vector<size_t> chain{at};
      double length = 0;
      for (;;) {
        size_t next = SIZE_MAX;
        for (int j : e.links[chain.back()])
          if (std::find(chain.begin(), chain.end(), size_t(j)) == chain.end()) { next = j; break; }
        if (next == SIZE_MAX) break;
        length += std::hypot(e.records[next][1] - e.records[chain.back()][1],
                             e.records[next][2] - e.records[chain.back()][2]);
        chain.push_back(next);
      }
      EXPECT_GT(length, 9 * 56.0);
    }
  }
}

TEST(DataSet, LevelTableHasFiftyPlayableDays) {
  std::istringstream in(ReadFile(RunData() + "/levels.txt"));
  std::vector<std::string> tokens;
  for (std::string t; in >> t;) tokens.push_back(t);
  size_t i = 0;
  while (i < tokens.size() && std::toupper(static_cast<unsigned char>(tokens[i][0])) != 'L') ++i;
  int days = 0;
  while (i < tokens.size()) {
    ++days;
    i += 2;
    int customers = 0, members = 0, valueSum = 0;
    std::string env;
    for (; i < tokens.size() && std::toupper(static_cast<unsigned char>(tokens[i][0])) != 'L'; ++i) {
      std::string t = tokens[i];
      for (char& c : t) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
      if (t[0] == 'E') env = tokens[++i];
      else if (t[0] == 'C' && t.size() == 9) customers = std::stoi(tokens[++i]);
      else if (t[0] == 'C' && t.size() == 8) i += 2;
      else if (t[0] == 'G') { members += std::stoi(tokens[i + 1]) * std::stoi(tokens[i + 2]); i += 2; }
      else if (t[0] == 'V') { valueSum += std::stoi(tokens[i + 2]); i += 2; }
      else if (t[0] == 'D' || t[0] == 'S' || t[0] == 'W') ++i;
    }
    SCOPED_TRACE("day " + std::to_string(days));
    EXPECT_GT(customers, 0);
    EXPECT_LE(members, customers);
    EXPECT_GT(valueSum, 0);
    EXPECT_LE(env.size(), 23u);
    EXPECT_TRUE(Exists(BuildDir() + "/run/" + env)) << env;
  }
  EXPECT_EQ(days, 50);
}
