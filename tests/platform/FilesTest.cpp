#include "framework/platform/Files.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "tests/support/TestSupport.h"

namespace Plix {

TEST(Files, BackslashesAndCaseAreResolved) {
  Testing::TempDir dir;
  Testing::WriteFile(dir / "Data/Images/Coin.PNG", "x");
  struct Case {
    std::string asked;
    std::string found;
  } cases[] = {
      {"Data/Images/Coin.PNG", "Data/Images/Coin.PNG"},
      {"data\\images\\coin.png", "Data/Images/Coin.PNG"},
      {"DATA/IMAGES/COIN.png", "Data/Images/Coin.PNG"},
      {"data/images/new.png", "Data/Images/new.png"},  // a new name keeps its case
      {"data/missing/a.png", "Data/missing/a.png"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Fs::NativePath(dir / c.asked), dir / c.found) << c.asked;
  }
  FILE* f = Fs::OpenFile(dir.Path() + "\\DATA\\images\\COIN.png", "rb");
  ASSERT_NE(f, nullptr);
  std::fclose(f);
  EXPECT_TRUE(Fs::IsFile(dir / "data/images/coin.png"));
  EXPECT_TRUE(Fs::IsDirectory(dir / "DATA"));
  EXPECT_EQ(Fs::FileSize(dir / "data/images/coin.png"), 1);
  EXPECT_EQ(Fs::FileSize(dir / "nothing"), -1);
}

TEST(Files, WildcardPatterns) {
  struct Case {
    const char* pattern;
    const char* name;
    bool match;
  } cases[] = {
      {"*.dmo", "demo1.dmo", true},   {"*.dmo", "demo1.DMO", true},   {"*.dmo", "demo1.dmox", false},
      {"image*.png", "image12.png", true}, {"image*.png", "img1.png", false}, {"*.*", "noext", true},
      {"a?c", "abc", true},           {"a?c", "ac", false},           {"*", "", true},
  };
  for (const auto& c : cases) EXPECT_EQ(Fs::WildcardMatch(c.pattern, c.name), c.match) << c.pattern << " " << c.name;
}

TEST(Files, FindFilesListsMatches) {
  Testing::TempDir dir;
  Testing::WriteFile(dir / "demo1.dmo", "");
  Testing::WriteFile(dir / "demo2.DMO", "");
  Testing::WriteFile(dir / "notes.txt", "");
  auto found = Fs::FindFiles(dir.Path() + "\\*.dmo");
  std::vector<std::string> names;
  for (auto& e : found) names.push_back(e.name);
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"demo1.dmo", "demo2.DMO"}));
  EXPECT_TRUE(Fs::FindFiles(dir / "nowhere/*.*").empty());
}

TEST(Files, AtomicWriteReplacesWholeFileOrNothing) {
  Testing::TempDir dir;
  std::string path = dir / "profile.bin";
  ASSERT_TRUE(Fs::WriteFileAtomic(path, "old", 3));
  ASSERT_TRUE(Fs::WriteFileAtomic(path, "newer", 5));
  EXPECT_EQ(Testing::ReadFile(path), "newer");
  // A folder that does not exist: failure reported, nothing left behind.
  std::string err;
  EXPECT_FALSE(Fs::WriteFileAtomic(dir / "no/such/file", "x", 1, &err));
  EXPECT_NE(err.find("no/such/file"), std::string::npos);
  auto left = Fs::FindFiles(dir / "*.*");
  EXPECT_EQ(left.size(), 3u);  // ".", ".." and profile.bin
}

TEST(Files, UserFoldersFollowXdg) {
  Testing::ScopedEnv data("XDG_DATA_HOME", "/x/data");
  Testing::ScopedEnv config("XDG_CONFIG_HOME", "/x/config/");
  EXPECT_EQ(Fs::UserDataFolder("VARNOK", "Zovad Uda Vodiz"), "/x/data/VARNOK/Zovad Uda Vodiz/");
  EXPECT_EQ(Fs::UserConfigFolder("VARNOK", "Zovad Uda Vodiz"), "/x/config/VARNOK/Zovad Uda Vodiz/");
}

}  // namespace Plix
