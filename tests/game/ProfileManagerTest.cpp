#include "game/app/ProfileManager.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "framework/app/Buffer.h"
#include "framework/platform/CRand.h"
#include "framework/platform/Files.h"
#include "game/app/LevelTable.h"
#include "tests/support/TestSupport.h"

namespace Plix {
namespace {

class RecordingHost : public ProfileHost {
public:
  void PrepareDayFromProfile(PlayerProfile& p) override { calls.push_back("day:" + Name(p)); }
  void UpdateNewItemFlags(PlayerProfile& p) override { calls.push_back("store:" + Name(p)); }
  static std::string Name(const PlayerProfile& p) {
    std::string s;
    for (wchar_t c : p.GetName()) s += static_cast<char>(c);
    return s;
  }
  std::vector<std::string> calls;
};

LevelTable Levels() {
  LevelTable t;
  std::string text;
  for (int i = 1; i <= 12; ++i) text += "Level " + std::to_string(i) + " customers " + std::to_string(10 * i) + " custkind 0 1 v 1 1 v 2 1\n";
  EXPECT_TRUE(t.LoadFromText(text, "levels.txt")) << t.GetError();
  return t;
}

struct Fixture : ::testing::Test {
  Testing::TempDir dir;
  RecordingHost host;
  ProfileManager profiles{&host};
  LevelTable levels = Levels();

  void SetUp() override { profiles.SetFolder(dir.Path()); }
  std::string Path() const { return dir / "profdatavx.bin"; }
  std::string Names() {
    std::string s;
    for (int i = 0; i < 8; ++i) s += RecordingHost::Name(*profiles.GetProfile(i)) + "|";
    return s;
  }
};

using ProfileFile = Fixture;

TEST_F(ProfileFile, NoFileGivesDefaults) {
  ASSERT_TRUE(profiles.LoadProfiles(levels));
  EXPECT_EQ(profiles.GetCurrentProfileIndex(), 0);
  for (int i = 0; i < 8; ++i) EXPECT_TRUE(profiles.GetProfile(i)->GetName().empty());
  EXPECT_EQ(profiles.GetProfile(8), nullptr);
  for (int t = 0; t < 4; ++t)
    for (int p = 0; p < 10; ++p) {
      const BestSellerEntry& e = *profiles.GetBestSellerEntry(t, p);
      EXPECT_EQ(e.name, L"Varnok");
      if (p > 0) {
        EXPECT_LT(e.score, profiles.GetBestSellerEntry(t, p - 1)->score);
      }
      if (t == 0) {
        EXPECT_EQ(e.time, 0);
      }
      if (t > 0) {
        EXPECT_EQ(e.stars, 0);
      }
    }
  EXPECT_EQ(profiles.GetBestSellerEntry(4, 0), nullptr);
  EXPECT_EQ(profiles.GetBestSellerEntry(0, 10), nullptr);
  EXPECT_TRUE(profiles.GetOptionByte());
  EXPECT_EQ(host.calls, (std::vector<std::string>{"day:", "store:"}));
  EXPECT_FALSE(Testing::ReadFile(Path()).size());  // loading writes nothing
}

TEST_F(ProfileFile, DefaultTablesAndTopScoresFromTheGenerator) {
  SRand(1234);
  ASSERT_TRUE(profiles.LoadProfiles(levels));
  SRand(1234);
  // Table order: story (score, no draw for stars), then three Happy Hour
  // tables of score and time; then one draw per level.
  for (int t = 0; t < 4; ++t) {
    for (int p = 0; p < 10; ++p) {
      const BestSellerEntry& e = *profiles.GetBestSellerEntry(t, p);
      int score = 0, time = 0, stars = 0;
      switch (t) {
        case 0:
          score = 7750 - 850 * p + Rand() % 800;
          stars = score > 10000 ? 5 : score > 5000 ? 4 : score > 2500 ? 3 : score > 1000 ? 2 : score > 500 ? 1 : 0;
          break;
        case 1:
          score = 1100 - 110 * p + Rand() % 110;
          time = score / 100 * 100 + 30 + Rand() % 30;
          break;
        case 2:
          score = 800 - 80 * p + Rand() % 80;
          time = score / 100 * 91 + 30 + Rand() % 30;
          break;
        case 3:
          score = 700 - 70 * p + Rand() % 70;
          time = score / 100 * 100 + 30 + Rand() % 30;
          break;
      }
      EXPECT_EQ(e.score, score);
      EXPECT_EQ(e.stars, stars);
      EXPECT_EQ(e.time, time);
    }
  }
  for (int i = 0; i < levels.GetLevelCount(); ++i) {
    int r = Rand() % 40;
    int mean2 = levels.GetLevelGoal(i) + levels.GetLevelExpert(i);
    EXPECT_EQ(profiles.GetTopScore(i), static_cast<int>((r + 80) * double(0.01f) * mean2 * 0.5)) << i;
    EXPECT_GE(profiles.GetTopScore(i), mean2 * 8 / 20 - 1);
  }
  EXPECT_EQ(profiles.GetTopScore(12), 0);  // no such level
  EXPECT_EQ(profiles.GetTopScore(50), 0);
}

TEST_F(ProfileFile, TopScoreArithmetic) {
  // Level of 20 customers valued 2 and 3: goal 80, expert 100; top score
  // (r + 80) % of their mean 90.
  LevelTable one;
  ASSERT_TRUE(one.LoadFromText("L 1 customers 20 custkind 0 1 v 1 1 v 2 1", "x"));
  for (unsigned seed : {1u, 2u, 3u, 99u}) {
    SRand(seed);
    for (int i = 0; i < 70; ++i) Rand();
    int r = Rand() % 40;
    SRand(seed);
    profiles.LoadProfiles(one);
    EXPECT_EQ(profiles.GetTopScore(0), static_cast<int>((r + 80) * double(0.01f) * 180 * 0.5));
    EXPECT_GE(profiles.GetTopScore(0), 71);  // 0.8 x 90, less a hair of 0.01f
    EXPECT_LE(profiles.GetTopScore(0), 107);
  }
}

TEST_F(ProfileFile, SaveAndLoadGiveBackEverything) {
  ASSERT_TRUE(profiles.LoadProfiles(levels));
  const wchar_t* names[] = {L"Ann", L"B\u00e9la", L"Cy", L"Dee", L"Eve", L"Fay", L"Gus", L"Hal"};
  for (int i = 0; i < 8; ++i) {
    ASSERT_EQ(profiles.CreateProfile(names[i]), i);
    PlayerProfile& p = *profiles.GetProfile(i);
    p.AddCash(100 * i + 1);
    p.SetLevelScore(i, 500 + i);
    p.SetFlag(40 + i, true);
    for (int d = 0; d < i; ++d) p.AdvanceStoryDay();
  }
  profiles.SetCurrentProfile(5);
  EXPECT_EQ(profiles.AddStoryBestSeller(99999, 5), 0);
  EXPECT_EQ(profiles.AddHappyHourBestSeller(2, 5000, 321), 0);
  profiles.GetBestSellerEntry(1, 9)->name = L"\u0141ukasz";  // narrowed: ?ukasz
  for (int i = 0; i < 50; ++i) profiles.SetTopScore(i, 7 * i);
  profiles.SetOptionByte(false);
  ASSERT_TRUE(profiles.SaveProfiles()) << profiles.GetError();
  std::string saved = Testing::ReadFile(Path());
  // Index; eight records (name bytes 3+4+2+3+3+3+3+3); 40 entries of a
  // name and three ints (two named Fay, the rest six letters); top scores;
  // option byte.
  EXPECT_EQ(saved.size(), 4u + 8 * (2 + 784) + 24 + 40 * (2 + 12) + 2 * 3 + 38 * 6 + 50 * 4 + 1);

  RecordingHost host2;
  ProfileManager again(&host2);
  again.SetFolder(dir.Path());
  ASSERT_TRUE(again.LoadProfiles(levels));
  EXPECT_TRUE(again.GetError().empty()) << again.GetError();
  EXPECT_EQ(again.GetCurrentProfileIndex(), 5);
  EXPECT_EQ(host2.calls, (std::vector<std::string>{"day:Fay", "store:Fay"}));
  for (int i = 0; i < 8; ++i) {
    PlayerProfile& p = *again.GetProfile(i);
    EXPECT_EQ(p.GetName(), names[i]);
    EXPECT_EQ(p.GetCash(), 100 * i + 1);
    EXPECT_EQ(p.GetLevelScore(i), 500 + i);
    EXPECT_TRUE(p.GetFlag(40 + i));
    EXPECT_EQ(p.GetStoryDays(), i);
  }
  EXPECT_TRUE(again.IsHappyHourUnlocked());  // Gus and Hal have six days
  for (int t = 0; t < 4; ++t)
    for (int p = 0; p < 10; ++p) {
      const BestSellerEntry& a = *profiles.GetBestSellerEntry(t, p);
      const BestSellerEntry& b = *again.GetBestSellerEntry(t, p);
      EXPECT_EQ(b.score, a.score);
      EXPECT_EQ(b.stars, a.stars);
      EXPECT_EQ(b.time, a.time);
      if (t == 1 && p == 9) {
        EXPECT_EQ(b.name, L"?ukasz");
      }
      else EXPECT_EQ(b.name, a.name);
    }
  EXPECT_EQ(again.GetBestSellerEntry(0, 0)->name, L"Fay");
  for (int i = 0; i < 50; ++i) EXPECT_EQ(again.GetTopScore(i), 7 * i);
  EXPECT_FALSE(again.GetOptionByte());
  // Saving what was loaded writes the same bytes.
  Testing::TempDir other;
  again.SetFolder(other.Path() + "/new/folder");
  ASSERT_TRUE(again.SaveProfiles()) << again.GetError();
  EXPECT_EQ(Testing::ReadFile(other / "new/folder/profdatavx.bin"), saved);
}

TEST_F(ProfileFile, ShortFileKeepsThePlayersReadWholeAndIsKeptAside) {
  ASSERT_TRUE(profiles.LoadProfiles(levels));
  profiles.CreateProfile(L"Ann");
  profiles.CreateProfile(L"Bo");
  profiles.CreateProfile(L"Cy");
  profiles.GetProfile(1)->AddCash(77);
  profiles.SetCurrentProfile(1);
  ASSERT_TRUE(profiles.SaveProfiles());
  std::string full = Testing::ReadFile(Path());
  // Cut inside Cy's record, after the cash of Bo.
  size_t cut = 4 + (2 + 3 + 784) + (2 + 2 + 784) + 2 + 2 + 10;
  Testing::WriteFile(Path(), full.substr(0, cut));

  ProfileManager again;
  again.SetFolder(dir.Path());
  ASSERT_TRUE(again.LoadProfiles(levels));
  EXPECT_NE(again.GetError().find("player 3 ends early"), std::string::npos) << again.GetError();
  EXPECT_EQ(again.GetNotice(),
            "The players' file is damaged (player 3 ends early); it is kept as " + Path() + ".broken.");
  EXPECT_EQ(again.GetCurrentProfileIndex(), 1);
  EXPECT_EQ(again.GetProfile(1)->GetCash(), 77);
  // Cy is not whole: the slot stays free rather than half read.
  PlayerProfile& cy = *again.GetProfile(2);
  EXPECT_TRUE(cy.GetName().empty());
  EXPECT_EQ(cy.GetBatchSize(), 12);  // not 0
  EXPECT_EQ(cy.GetIceCreamMachineLevel(), 1);
  EXPECT_TRUE(cy.GetShowTutorials());
  EXPECT_TRUE(cy.GetFlag(2));
  EXPECT_TRUE(again.GetProfile(3)->GetName().empty());
  EXPECT_EQ(Testing::ReadFile(Path() + ".broken"), full.substr(0, cut));
  EXPECT_TRUE(again.GetOptionByte());
  for (int p = 1; p < 10; ++p)  // default tables, still in order
    EXPECT_LT(again.GetBestSellerEntry(2, p)->score, again.GetBestSellerEntry(2, p - 1)->score);
  EXPECT_GT(again.GetTopScore(0), 0);  // derived, not 0
  EXPECT_EQ(Testing::ReadFile(Path()), full.substr(0, cut));  // loading never writes
}

// Damage found by reading the file completely and consistently: the file is
// copied aside whole, the players before the damage are kept, and a save
// then writes a good file.
TEST_F(ProfileFile, DamagedFilesAreKeptAsideBeforeAnythingIsSavedOverThem) {
  ASSERT_TRUE(profiles.LoadProfiles(levels));
  profiles.CreateProfile(L"Ann");
  profiles.CreateProfile(L"Bo");
  profiles.CreateProfile(L"Cy");
  ASSERT_TRUE(profiles.SaveProfiles());
  const std::string good = Testing::ReadFile(Path());
  const size_t cy = 4 + (2 + 3 + 784) + (2 + 2 + 784);
  auto patched = [&](size_t at, std::string bytes) { return good.substr(0, at) + bytes + good.substr(at + bytes.size()); };
  const struct {
    const char* label;
    std::string file;
    std::string why;
    std::string names;
  } cases[] = {
      {"length past the end", patched(4, "\xff\x7f"), "player 1's name length is past the limit", "||||||||"},
      {"negative length", patched(4, std::string("\x00\x80", 2)), "player 1's name length is past the limit",
       "||||||||"},
      {"length 256", patched(4, std::string("\x00\x01", 2)), "player 1's name length is past the limit", "||||||||"},
      {"length 256 later", patched(cy, std::string("\x00\x01", 2)), "player 3's name length is past the limit",
       "Ann|Bo|||||||"},
      {"bytes after the end", good + "x", "bytes follow its end", "Ann|Bo|Cy||||||"},
      {"current player 9", patched(0, "\x09"), "the current player is 9, not 0 to 7", "Ann|Bo|Cy||||||"},
      {"tables cut", good.substr(0, good.size() - 30), "the top scores end early", "Ann|Bo|Cy||||||"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    Testing::WriteFile(Path(), c.file);
    std::remove((Path() + ".broken").c_str());  // each case on its own
    RecordingHost h;
    ProfileManager again(&h);
    again.SetFolder(dir.Path());
    ASSERT_TRUE(again.LoadProfiles(levels));
    EXPECT_NE(again.GetError().find("(" + c.why + ")"), std::string::npos) << again.GetError();
    EXPECT_EQ(again.GetNotice(), "The players' file is damaged (" + c.why + "); it is kept as " + Path() + ".broken.");
    EXPECT_EQ(Testing::ReadFile(Path() + ".broken"), c.file);
    EXPECT_EQ(Testing::ReadFile(Path()), c.file);  // loading never writes over it
    std::string names;
    for (int i = 0; i < 8; ++i) names += RecordingHost::Name(*again.GetProfile(i)) + "|";
    EXPECT_EQ(names, c.names);
    EXPECT_EQ(again.GetCurrentProfileIndex(), 0);
    // What was kept is saved whole and reads back cleanly.
    ASSERT_TRUE(again.SaveProfiles()) << again.GetError();
    ProfileManager third(&h);
    third.SetFolder(dir.Path());
    ASSERT_TRUE(third.LoadProfiles(levels));
    EXPECT_TRUE(third.GetError().empty()) << third.GetError();
    EXPECT_TRUE(third.GetNotice().empty());
  }
}

// A number no game could write makes its record damaged: the file is kept
// aside and the player told; that player or best-seller entry is dropped,
// the others are kept.
TEST_F(ProfileFile, ANumberNoGameCouldWriteDropsOnlyItsRecord) {
  ASSERT_TRUE(profiles.LoadProfiles(levels));
  profiles.CreateProfile(L"Ann");
  profiles.CreateProfile(L"Bo");
  profiles.CreateProfile(L"Cy");
  ASSERT_TRUE(profiles.SaveProfiles());
  const std::string good = Testing::ReadFile(Path());
  auto patched = [&](size_t at, int32_t v) {
    std::string bytes = good;
    for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<char>(static_cast<uint32_t>(v) >> (8 * i));
    return bytes;
  };
  const size_t boDays = 4 + (2 + 3 + 784) + 2 + 2 + 4;  // Bo's story days, after his lives
  Buffer players;
  players.WriteLong(0);
  for (int i = 0; i < 8; ++i) profiles.GetProfile(i)->Save(players);
  const size_t table = static_cast<size_t>(players.GetDataLen());
  const size_t firstStars = table + 2 + (static_cast<uint8_t>(good[table]) | static_cast<uint8_t>(good[table + 1]) << 8) + 4;
  const struct {
    const char* label;
    std::string file;
    std::string why;
    std::string names;
  } cases[] = {
      {"story day past the last", patched(boDays, INT32_MAX), "player 2's mStoryDays is 2147483647, not 0 to 50",
       "Ann||Cy||||||"},
      {"negative story day", patched(boDays, -5), "player 2's mStoryDays is -5, not 0 to 50", "Ann||Cy||||||"},
      {"a best seller's stars", patched(firstStars, 1 << 30), "best seller 1.1 has a score of", "Ann|Bo|Cy||||||"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    Testing::WriteFile(Path(), c.file);
    ProfileManager again;
    again.SetFolder(dir.Path());
    ASSERT_TRUE(again.LoadProfiles(levels));
    EXPECT_NE(again.GetNotice().find("(" + c.why), std::string::npos) << again.GetNotice();
    std::string names;
    for (int i = 0; i < 8; ++i) names += RecordingHost::Name(*again.GetProfile(i)) + "|";
    EXPECT_EQ(names, c.names);
    EXPECT_TRUE(again.GetProfile(0)->OutOfRange().empty());
    for (int p = 0; p < 10; ++p) EXPECT_LE(again.GetBestSellerEntry(0, p)->stars, 5);
  }
}

// A file larger than any the game writes is never read: it is moved aside
// whole, and the game starts with empty slots it can save.
TEST_F(ProfileFile, AFileLargerThanAnyTheGameWritesIsMovedAsideUnread) {
  const std::string huge(static_cast<size_t>(ProfileManager::kMaxFileBytes) + 1, 'x');
  Testing::WriteFile(Path(), huge);
  ASSERT_TRUE(profiles.LoadProfiles(levels));
  EXPECT_EQ(profiles.GetNotice(), "The players' file is damaged (it is " + std::to_string(huge.size()) +
                                      " bytes, larger than any the game writes); it is kept as " + Path() +
                                      ".broken.");
  EXPECT_EQ(Testing::ReadFile(Path() + ".broken"), huge);
  EXPECT_EQ(profiles.GetProfile(0)->GetName(), L"");
  ASSERT_TRUE(profiles.SaveProfiles()) << profiles.GetError();
}

// A second damaged file is kept beside the first copy, never over it.
TEST_F(ProfileFile, EveryDamagedFileIsKeptUnderANameOfItsOwn) {
  const std::string damaged[] = {std::string("\x09\0\0\0", 4) + "first", std::string("\x09\0\0\0", 4) + "second",
                                 std::string("\x09\0\0\0", 4) + "third"};
  const std::string names[] = {Path() + ".broken", Path() + ".broken.2", Path() + ".broken.3"};
  for (int i = 0; i < 3; ++i) {
    Testing::WriteFile(Path(), damaged[i]);
    ProfileManager again;
    again.SetFolder(dir.Path());
    ASSERT_TRUE(again.LoadProfiles(levels));
    EXPECT_NE(again.GetNotice().find("it is kept as " + names[i] + "."), std::string::npos) << again.GetNotice();
  }
  for (int i = 0; i < 3; ++i) EXPECT_EQ(Testing::ReadFile(names[i]), damaged[i]);
}

TEST_F(ProfileFile, ADamagedFileThatCannotBeKeptAsideIsNeverSavedOver) {
  ASSERT_TRUE(profiles.LoadProfiles(levels));
  profiles.CreateProfile(L"Ann");
  ASSERT_TRUE(profiles.SaveProfiles());
  std::string damaged = Testing::ReadFile(Path());
  damaged[4] = '\xff';
  Testing::WriteFile(Path(), damaged);
  ASSERT_TRUE(Fs::MakeDirectory(Path() + ".broken"));  // taken by a folder
  ProfileManager again;
  again.SetFolder(dir.Path());
  ASSERT_TRUE(again.LoadProfiles(levels));
  EXPECT_EQ(again.GetNotice(), "The players' file " + Path() +
                                   " is damaged (player 1's name length is past the limit); it is left as it is.");
  EXPECT_FALSE(again.SaveProfiles());
  EXPECT_EQ(Testing::ReadFile(Path()), damaged);
}

TEST_F(ProfileFile, StaleTemporaryFilesOfKilledSavesAreRemoved) {
  Testing::WriteFile(Path() + ".tmp999999999", "half");  // no such process
  Testing::WriteFile(Path() + ".tmp" + std::to_string(::getpid()), "writing");  // still running
  Testing::WriteFile(Path() + ".tmpx", "not ours");
  ASSERT_TRUE(profiles.LoadProfiles(levels));
  EXPECT_FALSE(Fs::Exists(Path() + ".tmp999999999"));
  EXPECT_TRUE(Fs::Exists(Path() + ".tmp" + std::to_string(::getpid())));
  EXPECT_TRUE(Fs::Exists(Path() + ".tmpx"));
}

TEST_F(ProfileFile, CurrentIndexOutOfRangeBecomesZero) {
  ASSERT_TRUE(profiles.LoadProfiles(levels));
  profiles.CreateProfile(L"Ann");
  ASSERT_TRUE(profiles.SaveProfiles());
  for (uint8_t bad : {8, 0xff}) {
    std::string s = Testing::ReadFile(Path());
    s[0] = static_cast<char>(bad);
    s[3] = static_cast<char>(bad == 0xff ? 0xff : 0);
    Testing::WriteFile(Path(), s);
    ProfileManager again;
    again.SetFolder(dir.Path());
    again.LoadProfiles(levels);
    EXPECT_EQ(again.GetCurrentProfileIndex(), 0);
    EXPECT_EQ(again.GetCurrentProfile()->GetName(), L"Ann");
  }
}

TEST_F(ProfileFile, FailedSaveIsReported) {
  ASSERT_TRUE(profiles.LoadProfiles(levels));
  Testing::WriteFile(dir / "blocker", "not a folder");
  profiles.SetFolder(dir / "blocker");
  EXPECT_FALSE(profiles.SaveProfiles());
  EXPECT_NE(profiles.GetError().find("Not a directory"), std::string::npos) << profiles.GetError();  // says why
  profiles.SetFolder(dir.Path());
  EXPECT_TRUE(profiles.SaveProfiles());
  EXPECT_TRUE(profiles.GetError().empty());
}

// A stored file that cannot be read (here one whose reads fail with an I/O
// error even for root) starts the game with empty slots, which must never
// be written over it.
TEST_F(ProfileFile, UnreadableFileIsNeverOverwritten) {
  ASSERT_EQ(::symlink("/proc/self/mem", Path().c_str()), 0);
  ASSERT_TRUE(profiles.LoadProfiles(levels));
  EXPECT_NE(profiles.GetError().find("cannot read"), std::string::npos) << profiles.GetError();
  EXPECT_TRUE(profiles.GetProfile(0)->GetName().empty());
  EXPECT_FALSE(profiles.SaveProfiles());
  EXPECT_NE(profiles.GetError().find("left as it is"), std::string::npos) << profiles.GetError();
  char target[64] = {};
  EXPECT_GT(::readlink(Path().c_str(), target, sizeof target - 1), 0);  // still the stored file
  EXPECT_STREQ(target, "/proc/self/mem");

  // Saving elsewhere still works.
  Testing::TempDir other;
  profiles.SetFolder(other.Path());
  EXPECT_TRUE(profiles.SaveProfiles());
}

// The file goes through the host's file operations (the application's, which
// a demo records and a playback answers): nothing touches the disk here.
TEST(ProfileHostFiles, TheFileGoesThroughTheHost) {
  struct MemoryFiles : RecordingHost {
    std::map<std::string, std::vector<uint8_t>> files;
    bool ProfileFileExists(const std::string& path) override { return files.count(path) != 0; }
    bool ReadProfileFile(const std::string& path, Buffer& buffer) override {
      auto& bytes = files.at(path);
      buffer.Clear();
      buffer.SetData(bytes.data(), static_cast<int>(bytes.size()));
      return true;
    }
    bool WriteProfileFile(const std::string& path, const Buffer& buffer, std::string*) override {
      files[path].assign(buffer.GetDataPtr(), buffer.GetDataPtr() + buffer.GetDataLen());
      return !refuse;
    }
    bool refuse = false;
  } host;
  Testing::TempDir dir;
  LevelTable levels = Levels();
  std::string path;
  {
    ProfileManager first(&host);
    first.SetFolder(dir.Path());
    path = first.GetProfilePath();
    ASSERT_TRUE(first.LoadProfiles(levels));
    ASSERT_EQ(first.CreateProfile(L"Ana"), 0);
    ASSERT_TRUE(first.SaveProfiles());
  }
  EXPECT_FALSE(Fs::Exists(path));
  EXPECT_FALSE(Fs::Exists(dir / "profdatavx.bin"));
  ASSERT_EQ(host.files.count(path), 1u);
  ProfileManager second(&host);
  second.SetFolder(dir.Path());
  ASSERT_TRUE(second.LoadProfiles(levels));
  EXPECT_EQ(second.GetProfile(0)->GetName(), L"Ana");
  host.refuse = true;
  EXPECT_FALSE(second.SaveProfiles());
  EXPECT_NE(second.GetError().find(path), std::string::npos) << second.GetError();
}

using Players = Fixture;

TEST_F(Players, CreateTakesFirstFreeSlot) {
  profiles.LoadProfiles(levels);
  host.calls.clear();
  for (int i = 0; i < 8; ++i) EXPECT_EQ(profiles.CreateProfile(L"P" + std::to_wstring(i)), i);
  EXPECT_EQ(profiles.CreateProfile(L"Nine"), -1);
  EXPECT_EQ(profiles.GetCurrentProfileIndex(), 0);
  EXPECT_TRUE(host.calls.empty());
  profiles.DeleteProfile(0);
  EXPECT_EQ(profiles.CreateProfile(L"New"), 7);  // the others moved down
  EXPECT_EQ(Names(), "P1|P2|P3|P4|P5|P6|P7|New|");
}

TEST_F(Players, CreateResetsTheSlot) {
  profiles.LoadProfiles(levels);
  profiles.GetProfile(0)->AddCash(50);  // nameless, so free
  EXPECT_EQ(profiles.CreateProfile(L"Ann"), 0);
  EXPECT_EQ(profiles.GetProfile(0)->GetCash(), 0);
}

TEST_F(Players, SetCurrentProfile) {
  profiles.LoadProfiles(levels);
  profiles.CreateProfile(L"Ann");
  profiles.CreateProfile(L"Bo");
  host.calls.clear();
  profiles.SetCurrentProfile(1);
  EXPECT_EQ(profiles.GetCurrentProfile()->GetName(), L"Bo");
  profiles.SetCurrentProfile(8);
  profiles.SetCurrentProfile(-1);
  EXPECT_EQ(profiles.GetCurrentProfileIndex(), 1);
  EXPECT_EQ(host.calls, (std::vector<std::string>{"day:Bo", "store:Bo"}));
}

struct DeleteCase {
  const char* name;
  int current;
  int deleted;
  int newCurrent;
  const char* names;
  std::vector<std::string> calls;
};

class DeletePlayer : public Fixture, public ::testing::WithParamInterface<DeleteCase> {};

TEST_P(DeletePlayer, CurrentFollowsItsPlayer) {
  const DeleteCase& c = GetParam();
  profiles.LoadProfiles(levels);
  for (const wchar_t* n : {L"A", L"B", L"C", L"D"}) profiles.CreateProfile(n);
  profiles.SetCurrentProfile(c.current);
  host.calls.clear();
  profiles.DeleteProfile(c.deleted);
  EXPECT_EQ(profiles.GetCurrentProfileIndex(), c.newCurrent);
  EXPECT_EQ(Names(), c.names);
  EXPECT_EQ(host.calls, c.calls);
  EXPECT_EQ(profiles.GetProfile(7)->GetCash(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Table, DeletePlayer,
    ::testing::Values(
        DeleteCase{"BeforeCurrent", 2, 0, 1, "B|C|D||||||", {}},
        DeleteCase{"AfterCurrent", 1, 3, 1, "A|B|C||||||", {}},
        DeleteCase{"CurrentItself", 2, 2, 0, "A|B|D||||||", {"day:A", "store:A"}},
        DeleteCase{"CurrentAtZero", 0, 0, 0, "B|C|D||||||", {"day:B", "store:B"}},
        DeleteCase{"LastSlot", 1, 7, 1, "A|B|C|D|||||", {}},
        DeleteCase{"OutOfRange", 1, 8, 1, "A|B|C|D|||||", {}},
        DeleteCase{"Negative", 1, -1, 1, "A|B|C|D|||||", {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Players, HappyHourUnlockedByAnyPlayer) {
  profiles.LoadProfiles(levels);
  EXPECT_FALSE(profiles.IsHappyHourUnlocked());
  profiles.GetProfile(6)->SetFlag(68, true);
  EXPECT_TRUE(profiles.IsHappyHourUnlocked());
}

using BestSellers = Fixture;

TEST_F(BestSellers, EqualScoreRanksAboveTheOldOne) {
  profiles.LoadProfiles(levels);
  profiles.CreateProfile(L"Ann");
  const int old3 = profiles.GetBestSellerEntry(0, 3)->score;
  const int old4 = profiles.GetBestSellerEntry(0, 4)->score;
  const int old8 = profiles.GetBestSellerEntry(0, 8)->score;
  EXPECT_EQ(profiles.AddStoryBestSeller(old3, 4), 3);
  const BestSellerEntry& e = *profiles.GetBestSellerEntry(0, 3);
  EXPECT_EQ(e.name, L"Ann");
  EXPECT_EQ(e.score, old3);
  EXPECT_EQ(e.stars, 4);
  EXPECT_EQ(e.time, 0);
  EXPECT_EQ(profiles.GetBestSellerEntry(0, 4)->name, L"Varnok");
  EXPECT_EQ(profiles.GetBestSellerEntry(0, 4)->score, old3);
  EXPECT_EQ(profiles.GetBestSellerEntry(0, 5)->score, old4);
  EXPECT_EQ(profiles.GetBestSellerEntry(0, 9)->score, old8);  // old place 9 dropped

  const int last = profiles.GetBestSellerEntry(0, 9)->score;
  EXPECT_EQ(profiles.AddStoryBestSeller(last - 1, 1), -1);
  EXPECT_EQ(profiles.GetBestSellerEntry(0, 9)->score, last);
  EXPECT_EQ(profiles.AddStoryBestSeller(last, 1), 9);
}

TEST_F(BestSellers, HappyHourTables) {
  profiles.LoadProfiles(levels);
  profiles.CreateProfile(L"Bo");
  const int best = profiles.GetBestSellerEntry(3, 0)->score;
  const int third = profiles.GetBestSellerEntry(3, 2)->score;
  const int last = profiles.GetBestSellerEntry(3, 9)->score;
  EXPECT_EQ(profiles.GetHappyHourRank(2, best + 1), -1);
  EXPECT_EQ(profiles.GetHappyHourRank(2, best), -1);
  EXPECT_EQ(profiles.GetHappyHourRank(2, third), 1);
  EXPECT_EQ(profiles.GetHappyHourRank(2, last - 1), 9);
  EXPECT_EQ(profiles.GetHappyHourScore(2, -1), -1);
  EXPECT_EQ(profiles.GetHappyHourScore(2, 2), third);
  EXPECT_EQ(profiles.GetHappyHourScore(2, 10), -1);
  EXPECT_EQ(profiles.GetHappyHourRank(3, 0), -1);

  EXPECT_EQ(profiles.AddHappyHourBestSeller(2, best + 5, 95), 0);
  const BestSellerEntry& e = *profiles.GetBestSellerEntry(3, 0);
  EXPECT_EQ(e.name, L"Bo");
  EXPECT_EQ(e.time, 95);
  EXPECT_EQ(e.stars, 0);
  EXPECT_EQ(profiles.GetBestSellerEntry(1, 0)->name, L"Varnok");  // other tables untouched
  EXPECT_EQ(profiles.AddHappyHourBestSeller(3, 1, 1), -1);
}

// The check that the file holds what the game changed names the first
// field that it lacks.
TEST_F(ProfileFile, TheFirstDifferenceFromTheFileIsNamed) {
  profiles.LoadProfiles(levels);
  profiles.SetCurrentProfile(profiles.CreateProfile(L"Pemi"));
  Buffer file;
  profiles.WriteFile(file);
  EXPECT_EQ(profiles.DescribeDifference(file), "");
  const struct {
    const char* name;
    std::function<void()> change;
    const char* named;
  } cases[] = {
      {"cash", [&] { profiles.GetProfile(0)->AddCash(5); }, "player 1 Pemi: mCash"},
      {"lemonade", [&] { profiles.GetProfile(0)->SetLemonade(2, 9); }, "player 1 Pemi: mLemonades[2]"},
      {"best seller", [&] { profiles.AddStoryBestSeller(999999, 5); }, "best seller 1.1"},
      {"top score", [&] { profiles.SetTopScore(4, 99999); }, "the top score of day 5"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Buffer before;
    profiles.WriteFile(before);
    c.change();
    EXPECT_EQ(profiles.DescribeDifference(before), c.named);
  }
  Buffer cut;
  cut.SetData(file.GetDataPtr(), 10);
  EXPECT_NE(profiles.DescribeDifference(cut).find("cannot be read"), std::string::npos);
}

}  // namespace
}  // namespace Plix
