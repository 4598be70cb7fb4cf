#include "game/app/PlayerProfile.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "framework/app/Buffer.h"
#include "framework/platform/DebugOutput.h"

namespace Plix {
namespace {

std::string Bytes(const PlayerProfile& p) {
  Buffer b;
  p.Save(b);
  return std::string(reinterpret_cast<const char*>(b.GetDataPtr()), b.GetDataLen());
}

bool LoadBytes(PlayerProfile& p, const std::string& bytes) {
  Buffer b;
  b.SetData(bytes.data(), static_cast<int>(bytes.size()));
  return p.Load(b);
}

int32_t LongAt(const std::string& s, size_t offset) {
  uint32_t v = 0;
  for (int i = 3; i >= 0; --i) v = (v << 8) | static_cast<uint8_t>(s[offset + i]);
  return static_cast<int32_t>(v);
}

// Sets every stored field to a value of its own.
void FillAll(PlayerProfile& p) {
  p.SetName(L"Zo\u00eb");
  p.SetLives(5);
  p.SetStoryDays(17);
  p.SetTotalScore(123456);
  p.SetFlavorCount(4);
  p.SetBatchSize(16);
  for (int i = 0; i < 4; ++i) p.SetMonkeyTreat(i, 10 + i);
  p.SetUmbrellaStock(21);
  p.SetCocktailStickStock(22);
  p.SetStrawStock(23);
  p.SetSparklerStock(24);
  p.SetSunshade(0, 1);
  p.SetSunshade(1, 2);
  p.SetJugglingLevel(3);
  p.SetMelodyLevel(2);
  p.SetIceCreamMachineLevel(3);
  p.SetReputationStars(4);
  p.SetGoldenIceCreams(5);
  p.AddCash(-7);  // stored as it is
  for (int i = 0; i < 3; ++i) {
    p.SetCookieBox(i, 30 + i);
    p.SetLemonade(i, 40 + i);
    p.SetFlower(i, 50 + i);
  }
  p.SetTableCloth(0, 61);
  p.SetTableCloth(1, 62);
  for (int i = 0; i < 10; ++i) p.SetTrophyGrade(i, i % 4);
  for (int i = 0; i < PlayerProfile::kFlagCount; ++i) p.SetFlag(i, i % 3 == 0);
  p.SetShowTutorials(false);
  for (int i = 0; i < 7; ++i) p.CountFastDeliveries();
  p.CountHappyMonkeys();
  for (int i = 0; i < PlayerProfile::kLevelCount; ++i) {
    if (i % 2) p.SetLevelDone(i);
    p.SetLevelScore(i, 1000 + i);
    for (int k = 0; k < i % 5; ++k) p.AddLevelTry(i);
  }
  p.AdvanceSongIndex();
  p.AdvanceSongIndex();
  for (int i = 0; i < 3; ++i) p.SetHintCounter(i, 70 + i);
}

TEST(PlayerProfile, ResetState) {
  PlayerProfile p;
  EXPECT_TRUE(p.GetName().empty());
  EXPECT_EQ(p.GetLives(), 3);
  EXPECT_EQ(p.GetFlavorCount(), 1);
  EXPECT_EQ(p.GetBatchSize(), 12);
  EXPECT_EQ(p.GetIceCreamMachineLevel(), 1);
  EXPECT_EQ(p.GetCash(), 0);
  EXPECT_TRUE(p.GetShowTutorials());
  for (int i = 0; i < PlayerProfile::kFlagCount; ++i) EXPECT_EQ(p.GetFlag(i), i == 2 || i == 31) << i;
  FillAll(p);
  p.Reset();
  EXPECT_EQ(Bytes(p), Bytes(PlayerProfile()));
}

TEST(PlayerProfile, ByteLayout) {
  PlayerProfile p;
  p.SetName(L"Ann");
  p.AddCash(258);
  p.SetLevelScore(49, -2);
  p.SetHintCounter(2, 9);
  std::string s = Bytes(p);
  ASSERT_EQ(s.size(), 2u + 3u + 784u);
  EXPECT_EQ(s.substr(0, 5), std::string("\x03\x00" "Ann", 5));
  const size_t ints = 5;               // after the name
  EXPECT_EQ(LongAt(s, ints), 3);       // lives
  EXPECT_EQ(LongAt(s, ints + 12), 1);  // flavours
  EXPECT_EQ(LongAt(s, ints + 16), 12);  // batch size
  EXPECT_EQ(LongAt(s, ints + 17 * 4), 1);  // machine level
  EXPECT_EQ(LongAt(s, ints + 20 * 4), 258);  // cash
  const size_t flags = ints + 42 * 4;
  for (int i = 0; i < 69; ++i) EXPECT_EQ(s[flags + i], (i == 2 || i == 31) ? 1 : 0) << i;
  EXPECT_EQ(s[flags + 69], 1);  // show tutorials
  const size_t done = flags + 70 + 20 * 4;
  const size_t scores = done + 50;
  EXPECT_EQ(LongAt(s, scores + 49 * 4), -2);
  const size_t song = scores + 100 * 4;
  EXPECT_EQ(LongAt(s, song), 0);
  EXPECT_EQ(LongAt(s, song + 12), 9);  // last hint counter
  EXPECT_EQ(song + 16, s.size());
}

TEST(PlayerProfile, RoundTripsExactly) {
  PlayerProfile a;
  FillAll(a);
  std::string saved = Bytes(a);
  PlayerProfile b;
  EXPECT_TRUE(LoadBytes(b, saved));
  EXPECT_EQ(Bytes(b), saved);
  EXPECT_EQ(b.GetName(), L"Zo\u00eb");
  EXPECT_EQ(b.GetCash(), -7);
  EXPECT_EQ(b.GetTrophyCounter(17), 7);
  EXPECT_EQ(b.GetLevelTries(4), 4);
  EXPECT_EQ(b.GetSongIndex(), 2);
  EXPECT_FALSE(b.GetShowTutorials());
}

TEST(PlayerProfile, FlagBytesLoadAsOne) {
  PlayerProfile p;
  std::string s = Bytes(p);
  const size_t flags = 2 + 42 * 4;
  s[flags + 5] = 2;
  s[flags + 6] = static_cast<char>(0xff);
  PlayerProfile q;
  ASSERT_TRUE(LoadBytes(q, s));
  EXPECT_TRUE(q.GetFlag(5));
  std::string again = Bytes(q);
  EXPECT_EQ(again[flags + 5], 1);
  EXPECT_EQ(again[flags + 6], 1);
}

struct NameCase {
  const char* label;
  std::wstring name;
  std::wstring loaded;
};

class ProfileNames : public ::testing::TestWithParam<NameCase> {};

TEST_P(ProfileNames, NarrowedAsLatin1) {
  PlayerProfile p;
  p.SetName(GetParam().name);
  PlayerProfile q;
  ASSERT_TRUE(LoadBytes(q, Bytes(p)));
  EXPECT_EQ(q.GetName(), GetParam().loaded);
  EXPECT_FALSE(q.GetName().empty());  // a named slot never loads as free
}

INSTANTIATE_TEST_SUITE_P(
    Table, ProfileNames,
    ::testing::Values(NameCase{"Ascii", L"Pemi", L"Pemi"},
                      NameCase{"Latin1", L"J\u00fcrgen \u00c5", L"J\u00fcrgen \u00c5"},
                      NameCase{"BeyondLatin1", L"\u65e5\u672c", L"??"}, NameCase{"OneBeyondLatin1", L"a\u0142b", L"a?b"},
                      NameCase{"Overlong", std::wstring(40000, L'x'), std::wstring(32767, L'x')}),
    [](const auto& info) { return std::string(info.param.label); });

// Cut points in the record and a check that what is missing kept its
// starting value while what came before was read.
struct ShortCase {
  const char* name;
  size_t keep;  // bytes of the saved record kept
  std::function<void(const PlayerProfile&)> check;
};

class ShortRecord : public ::testing::TestWithParam<ShortCase> {};

TEST_P(ShortRecord, KeepsDefaultsForWhatIsMissing) {
  PlayerProfile full;
  FillAll(full);
  std::string s = Bytes(full).substr(0, GetParam().keep);
  PlayerProfile p;
  EXPECT_FALSE(LoadBytes(p, s));
  GetParam().check(p);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ShortRecord,
    ::testing::Values(
        ShortCase{"Empty", 0, [](const PlayerProfile& p) { EXPECT_EQ(Bytes(p), Bytes(PlayerProfile())); }},
        ShortCase{"HalfName", 4,
                  [](const PlayerProfile& p) { EXPECT_EQ(Bytes(p), Bytes(PlayerProfile())); }},
        ShortCase{"NameOnly", 2 + 3,
                  [](const PlayerProfile& p) {
                    EXPECT_EQ(p.GetName(), L"Zo\u00eb");
                    EXPECT_EQ(p.GetLives(), 3);
                    EXPECT_EQ(p.GetBatchSize(), 12);
                  }},
        ShortCase{"HalfLives", 5 + 3, [](const PlayerProfile& p) { EXPECT_EQ(p.GetLives(), 3); }},
        ShortCase{"UpToCash", 5 + 21 * 4,
                  [](const PlayerProfile& p) {
                    EXPECT_EQ(p.GetLives(), 5);
                    EXPECT_EQ(p.GetIceCreamMachineLevel(), 3);
                    EXPECT_EQ(p.GetCash(), -7);
                    EXPECT_EQ(p.GetCookieBox(0), 0);
                    EXPECT_TRUE(p.GetFlag(2));
                    EXPECT_TRUE(p.GetFlag(31));
                    EXPECT_TRUE(p.GetShowTutorials());
                  }},
        ShortCase{"UpToFlags", 5 + 42 * 4 + 69,
                  [](const PlayerProfile& p) {
                    EXPECT_TRUE(p.GetFlag(66));
                    EXPECT_FALSE(p.GetFlag(31));
                    EXPECT_TRUE(p.GetShowTutorials());
                  }},
        ShortCase{"LastByteMissing", 5 + 784 - 1, [](const PlayerProfile& p) {
                    EXPECT_EQ(p.GetHintCounter(1), 71);
                    EXPECT_EQ(p.GetHintCounter(2), 0);
                  }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PlayerProfile, StoryProgress) {
  PlayerProfile p;
  p.SetName(L"Ann");
  for (int i = 0; i < 5; ++i) p.AdvanceStoryDay();
  EXPECT_FALSE(p.GetFlag(68));
  p.AdvanceStoryDay();
  EXPECT_TRUE(p.GetFlag(68));
  EXPECT_EQ(p.GetStoryDays(), 6);

  FillAll(p);
  p.SetName(L"Ann");
  p.SetFlag(67, true);
  p.SetFlag(68, true);
  p.SetFlag(33, true);
  p.SetFlag(34, true);
  p.ResetStory();
  EXPECT_EQ(p.GetName(), L"Ann");
  EXPECT_FALSE(p.GetShowTutorials());  // kept
  EXPECT_TRUE(p.GetFlag(68));
  EXPECT_FALSE(p.GetFlag(67));
  EXPECT_TRUE(p.GetFlag(33));
  EXPECT_FALSE(p.GetFlag(34));
  EXPECT_TRUE(p.GetFlag(0));  // flags 0..33 kept
  EXPECT_EQ(p.GetHintCounter(0), 70);
  EXPECT_EQ(p.GetLives(), 3);
  EXPECT_EQ(p.GetStoryDays(), 0);
  EXPECT_EQ(p.GetFlavorCount(), 1);
  EXPECT_EQ(p.GetBatchSize(), 12);
  EXPECT_EQ(p.GetIceCreamMachineLevel(), 1);
  EXPECT_EQ(p.GetCash(), 0);
  EXPECT_EQ(p.GetSongIndex(), 0);
  EXPECT_EQ(p.GetTrophyCounter(17), 0);
  EXPECT_FALSE(p.IsLevelDone(1));
  EXPECT_EQ(p.GetLevelScore(3), 0);
  EXPECT_EQ(p.GetLevelTries(4), 0);
  EXPECT_EQ(p.GetReputationStars(), 0);
  EXPECT_EQ(p.GetGoldenIceCreams(), 0);

  p.SetTotalScore(900);
  p.SetLives(0);
  p.ResetAfterStoryEnd();
  EXPECT_EQ(p.GetLives(), 3);
  EXPECT_EQ(p.GetTotalScore(), 0);
}

TEST(PlayerProfile, LimitsAndCash) {
  PlayerProfile p;
  for (int i = 0; i < 7; ++i) {
    p.AddReputationStar();
    p.AddGoldenIceCream();
  }
  EXPECT_EQ(p.GetReputationStars(), 5);
  EXPECT_EQ(p.GetGoldenIceCreams(), 5);
  p.ClearGoldenIceCreams();
  EXPECT_EQ(p.GetGoldenIceCreams(), 0);

  std::string debug;
  SetDebugOutputSink([&](const std::string& s) { debug += s; });
  p.AddCash(40);
  p.SpendCash(15);
  EXPECT_EQ(p.GetCash(), 25);
  p.SpendCash(100);
  EXPECT_EQ(p.GetCash(), 0);
  SetDebugOutputSink(nullptr);
  EXPECT_EQ(debug, "cash = 25\ncash = 0\n");

  p.AddCash(2147483647);
  p.AddCash(5);  // a number from a damaged file does not wrap round
  EXPECT_EQ(p.GetCash(), 2147483647);
}

TEST(PlayerProfile, SongRotation) {
  PlayerProfile p;
  int wraps[5];
  for (int& w : wraps) w = p.AdvanceSongIndex();
  EXPECT_EQ(p.GetSongIndex(), 0);
  EXPECT_EQ(wraps[0] + wraps[1] + wraps[2] + wraps[3], 0);
  EXPECT_EQ(wraps[4], 1);  // 4 -> 0
}

TEST(PlayerProfile, IndexesOutOfRangeAreHarmless) {
  PlayerProfile p;
  std::string before = Bytes(p);
  p.SetFlag(69, true);
  p.SetFlag(-1, true);
  p.SetLevelDone(50);
  p.SetLevelScore(-1, 5);
  p.AddLevelTry(50);
  p.SetSunshade(2, 1);
  EXPECT_EQ(Bytes(p), before);
  EXPECT_FALSE(p.GetFlag(69));
  EXPECT_EQ(p.GetLevelScore(50), 0);
}

struct TrophyCase {
  const char* name;
  int (PlayerProfile::*count)();
  std::vector<int> firstCallOfTier;  // call number at which tier 1, 2, 3 is first returned
};

class TrophyCounters : public ::testing::TestWithParam<TrophyCase> {};

TEST_P(TrophyCounters, TierByCallNumber) {
  PlayerProfile p;
  const TrophyCase& c = GetParam();
  int last = c.firstCallOfTier.empty() ? 60 : c.firstCallOfTier.back() + 5;
  for (int call = 1; call <= last; ++call) {
    int tier = (p.*c.count)();
    int want = 0;
    for (size_t k = 0; k < c.firstCallOfTier.size(); ++k)
      if (call >= c.firstCallOfTier[k]) want = static_cast<int>(k) + 1;
    ASSERT_EQ(tier, want) << "call " << call;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Table, TrophyCounters,
    ::testing::Values(TrophyCase{"HappyCustomer1", &PlayerProfile::CountHappyCustomer1, {20}},
                      TrophyCase{"HappyCustomer2", &PlayerProfile::CountHappyCustomer2, {20, 40}},
                      TrophyCase{"HappyCustomer3", &PlayerProfile::CountHappyCustomer3, {20, 40, 50}},
                      TrophyCase{"HappyMonkeys", &PlayerProfile::CountHappyMonkeys, {10, 25, 50}},
                      TrophyCase{"ShinyTrashcan1", &PlayerProfile::CountShinyTrashcan1, {10}},
                      TrophyCase{"ShinyTrashcan3", &PlayerProfile::CountShinyTrashcan3, {10, 15, 20}},
                      TrophyCase{"Entertainment1", &PlayerProfile::CountEntertainment1, {10}},
                      TrophyCase{"Entertainment2", &PlayerProfile::CountEntertainment2, {10, 30}},
                      TrophyCase{"Entertainment3", &PlayerProfile::CountEntertainment3, {10, 30, 50}},
                      TrophyCase{"IceColdCream", &PlayerProfile::CountIceColdCream, {6, 12, 20}},
                      TrophyCase{"WonderfulIceCreams", &PlayerProfile::CountWonderfulIceCreams, {15, 30, 50}},
                      TrophyCase{"SpecialServings1", &PlayerProfile::CountSpecialServings1, {10}},
                      TrophyCase{"SpecialServings2", &PlayerProfile::CountSpecialServings2, {10, 25}},
                      TrophyCase{"SpecialServings3", &PlayerProfile::CountSpecialServings3, {10, 25, 50}},
                      TrophyCase{"FastDeliveries", &PlayerProfile::CountFastDeliveries, {50, 150, 300}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(TrophyCounters, LowerKindsCountOnlyTheirTiers) {
  PlayerProfile p;
  for (int i = 0; i < 45; ++i) p.CountHappyCustomer1();
  for (int i = 0; i < 5; ++i) p.CountHappyCustomer3();
  EXPECT_EQ(p.GetTrophyCounter(0), 50);
  EXPECT_EQ(p.GetTrophyCounter(1), 5);
  EXPECT_EQ(p.GetTrophyCounter(2), 5);
  EXPECT_EQ(p.CountHappyCustomer2(), 1);  // c1 is only 6
}

}  // namespace
}  // namespace Plix
