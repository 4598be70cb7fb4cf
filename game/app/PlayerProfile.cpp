#include "game/app/PlayerProfile.h"

#include <algorithm>
#include <cstdint>

#include "framework/app/Buffer.h"
#include "framework/platform/DebugOutput.h"
#include "framework/util/Utilities.h"
#include "game/app/FieldReader.h"

namespace Plix {

namespace {

template <int N>
void Zero(int (&a)[N]) {
  std::fill(a, a + N, 0);
}

template <int N>
void Zero(bool (&a)[N]) {
  std::fill(a, a + N, false);
}

}  // namespace

int PlayerProfile::Sum(int a, int b) {
  long long s = static_cast<long long>(a) + b;
  return s > INT32_MAX ? INT32_MAX : s < INT32_MIN ? INT32_MIN : static_cast<int>(s);
}

void PlayerProfile::Reset() {
  mName.clear();
  mLives = 3;
  mStoryDays = 0;
  mStoryScore = 0;
  mFlavors = 1;
  mBatchSize = 12;
  Zero(mMonkeyTreats);
  mUmbrellas = mCocktailSticks = mStraws = mSparklers = 0;
  Zero(mSunshades);
  mJugglingLevel = 0;
  mMelodyLevel = 0;
  mMachineLevel = 1;
  mReputationStars = 0;
  mGoldenIceCreams = 0;
  mCash = 0;
  Zero(mCookieBoxes);
  Zero(mLemonades);
  Zero(mTableCloths);
  Zero(mFlowers);
  Zero(mTrophyGrades);
  Zero(mFlags);
  mFlags[2] = true;
  mFlags[31] = true;
  mShowTutorials = true;
  Zero(mTrophyCounters);
  Zero(mLevelDone);
  Zero(mLevelScores);
  Zero(mLevelTries);
  mSongIndex = 0;
  Zero(mHintCounters);
}

void PlayerProfile::ResetStory() {
  mLives = 3;
  mStoryDays = 0;
  mStoryScore = 0;
  Zero(mMonkeyTreats);
  mUmbrellas = mCocktailSticks = mStraws = mSparklers = 0;
  Zero(mSunshades);
  mJugglingLevel = 0;
  mMelodyLevel = 0;
  mCash = 0;
  mSongIndex = 0;
  Zero(mCookieBoxes);
  Zero(mLemonades);
  Zero(mTableCloths);
  Zero(mFlowers);
  Zero(mTrophyGrades);
  Zero(mTrophyCounters);
  mReputationStars = 0;
  mGoldenIceCreams = 0;
  mFlavors = 1;
  mBatchSize = 12;
  mMachineLevel = 1;
  std::fill(mFlags + 34, mFlags + 68, false);
  Zero(mLevelDone);
  Zero(mLevelScores);
  Zero(mLevelTries);
}

void PlayerProfile::AdvanceStoryDay() {
  mStoryDays = Sum(mStoryDays, 1);
  if (mStoryDays >= 6) mFlags[kFlagHappyHourUnlocked] = true;
}

void PlayerProfile::SpendCash(int v) {
  long long left = static_cast<long long>(mCash) - v;
  mCash = left < 0 ? 0 : left > INT32_MAX ? INT32_MAX : static_cast<int>(left);
  OutputDebugStringA(StrFormat("cash = %d\n", mCash));
}

int PlayerProfile::AdvanceSongIndex() {
  // A stored index outside 0..4 starts the rotation again.
  mSongIndex = mSongIndex >= 0 && mSongIndex < 4 ? mSongIndex + 1 : 0;
  return mSongIndex == 0 ? 1 : 0;
}

int PlayerProfile::CountTiers(int first, int tiers, int b1, int b2, int b3) {
  const int bounds[3] = {b1, b2, b3};
  for (int k = 0; k < tiers; ++k) mTrophyCounters[first + k] = Sum(mTrophyCounters[first + k], 1);
  for (int k = tiers; k >= 1; --k)
    if (mTrophyCounters[first + k - 1] >= bounds[k - 1]) return k;
  return 0;
}

int PlayerProfile::CountSingle(int counter, int b1, int b2, int b3) {
  int c = mTrophyCounters[counter] = Sum(mTrophyCounters[counter], 1);
  return c >= b3 ? 3 : c >= b2 ? 2 : c >= b1 ? 1 : 0;
}

int PlayerProfile::CountHappyCustomer1() { return CountTiers(0, 1, 20, 40, 50); }
int PlayerProfile::CountHappyCustomer2() { return CountTiers(0, 2, 20, 40, 50); }
int PlayerProfile::CountHappyCustomer3() { return CountTiers(0, 3, 20, 40, 50); }
int PlayerProfile::CountHappyMonkeys() { return CountSingle(3, 10, 25, 50); }
int PlayerProfile::CountShinyTrashcan1() { return CountTiers(4, 1, 10, 15, 20); }
int PlayerProfile::CountShinyTrashcan3() { return CountTiers(4, 3, 10, 15, 20); }
int PlayerProfile::CountEntertainment1() { return CountTiers(7, 1, 10, 30, 50); }
int PlayerProfile::CountEntertainment2() { return CountTiers(7, 2, 10, 30, 50); }
int PlayerProfile::CountEntertainment3() { return CountTiers(7, 3, 10, 30, 50); }
int PlayerProfile::CountIceColdCream() { return CountTiers(10, 3, 6, 12, 20); }
int PlayerProfile::CountWonderfulIceCreams() { return CountSingle(13, 15, 30, 50); }
int PlayerProfile::CountSpecialServings1() { return CountTiers(14, 1, 10, 25, 50); }
int PlayerProfile::CountSpecialServings2() { return CountTiers(14, 2, 10, 25, 50); }
int PlayerProfile::CountSpecialServings3() { return CountTiers(14, 3, 10, 25, 50); }
int PlayerProfile::CountFastDeliveries() { return CountTiers(17, 3, 50, 150, 300); }

namespace {

template <class T>
std::string Differs(const char* name, const T& a, const T& b) {
  return a == b ? std::string() : std::string(name);
}

template <class T, size_t N>
std::string Differs(const char* name, const T (&a)[N], const T (&b)[N]) {
  for (size_t i = 0; i < N; ++i)
    if (!(a[i] == b[i])) return std::string(name) + "[" + std::to_string(i) + "]";
  return {};
}

std::string Outside(const char* name, int v, int lowest, int highest) {
  if (v >= lowest && v <= highest) return {};
  return std::string(name) + " is " + std::to_string(v) + ", not " + std::to_string(lowest) + " to " +
         std::to_string(highest);
}

template <size_t N>
std::string Outside(const char* name, const int (&a)[N], int lowest, int highest) {
  for (size_t i = 0; i < N; ++i)
    if (std::string d = Outside((std::string(name) + "[" + std::to_string(i) + "]").c_str(), a[i], lowest, highest);
        !d.empty())
      return d;
  return {};
}

}  // namespace

std::string PlayerProfile::OutOfRange() const {
  // Bounds the game can reach in play, with room: a count of goods never
  // comes near 100000, nor lives near 1000.
  constexpr int kAny = INT32_MAX;
  constexpr int kGoods = 100000;
#define PLIX_RANGE(f, lowest, highest) \
  if (std::string d = Outside(#f, f, lowest, highest); !d.empty()) return d;
  PLIX_RANGE(mLives, 0, 1000) PLIX_RANGE(mStoryDays, 0, 50) PLIX_RANGE(mStoryScore, 0, kAny)
  PLIX_RANGE(mFlavors, 1, 6) PLIX_RANGE(mBatchSize, 0, 100) PLIX_RANGE(mMonkeyTreats, 0, kGoods)
  PLIX_RANGE(mUmbrellas, 0, kGoods) PLIX_RANGE(mCocktailSticks, 0, kGoods) PLIX_RANGE(mStraws, 0, kGoods)
  PLIX_RANGE(mSparklers, 0, kGoods) PLIX_RANGE(mSunshades, 0, kGoods) PLIX_RANGE(mJugglingLevel, 0, 100)
  PLIX_RANGE(mMelodyLevel, 0, 100) PLIX_RANGE(mMachineLevel, 0, 3) PLIX_RANGE(mReputationStars, 0, 5)
  PLIX_RANGE(mGoldenIceCreams, 0, 5) PLIX_RANGE(mCash, 0, kAny) PLIX_RANGE(mCookieBoxes, 0, kGoods)
  PLIX_RANGE(mLemonades, 0, kGoods) PLIX_RANGE(mTableCloths, 0, kGoods) PLIX_RANGE(mFlowers, 0, kGoods)
  PLIX_RANGE(mTrophyGrades, 0, 3) PLIX_RANGE(mTrophyCounters, 0, kAny) PLIX_RANGE(mLevelScores, 0, kAny)
  PLIX_RANGE(mLevelTries, 0, kAny) PLIX_RANGE(mSongIndex, 0, 4) PLIX_RANGE(mHintCounters, 0, kAny)
#undef PLIX_RANGE
  return {};
}

std::string PlayerProfile::FirstDifference(const PlayerProfile& o) const {
  // In the order Save writes them.
#define PLIX_FIELD(f) \
  if (std::string d = Differs(#f, f, o.f); !d.empty()) return d;
  PLIX_FIELD(mName) PLIX_FIELD(mLives) PLIX_FIELD(mStoryDays) PLIX_FIELD(mStoryScore) PLIX_FIELD(mFlavors)
  PLIX_FIELD(mBatchSize) PLIX_FIELD(mMonkeyTreats) PLIX_FIELD(mUmbrellas) PLIX_FIELD(mCocktailSticks)
  PLIX_FIELD(mStraws) PLIX_FIELD(mSparklers) PLIX_FIELD(mSunshades) PLIX_FIELD(mJugglingLevel)
  PLIX_FIELD(mMelodyLevel) PLIX_FIELD(mMachineLevel) PLIX_FIELD(mReputationStars) PLIX_FIELD(mGoldenIceCreams)
  PLIX_FIELD(mCash) PLIX_FIELD(mCookieBoxes) PLIX_FIELD(mLemonades) PLIX_FIELD(mTableCloths) PLIX_FIELD(mFlowers)
  PLIX_FIELD(mTrophyGrades) PLIX_FIELD(mFlags) PLIX_FIELD(mShowTutorials) PLIX_FIELD(mTrophyCounters)
  PLIX_FIELD(mLevelDone) PLIX_FIELD(mLevelScores) PLIX_FIELD(mLevelTries) PLIX_FIELD(mSongIndex)
  PLIX_FIELD(mHintCounters)
#undef PLIX_FIELD
  return {};
}

bool PlayerProfile::Load(Buffer& buffer) {
  FieldReader in(buffer);
  std::string name;
  if (in.String(name)) mName = StringToWString(name);
  (void)(in.Long(mLives) && in.Long(mStoryDays) && in.Long(mStoryScore) && in.Long(mFlavors) &&
      in.Long(mBatchSize) && in.Longs(mMonkeyTreats) && in.Long(mUmbrellas) && in.Long(mCocktailSticks) &&
      in.Long(mStraws) && in.Long(mSparklers) && in.Longs(mSunshades) && in.Long(mJugglingLevel) &&
      in.Long(mMelodyLevel) && in.Long(mMachineLevel) && in.Long(mReputationStars) &&
      in.Long(mGoldenIceCreams) && in.Long(mCash) && in.Longs(mCookieBoxes) && in.Longs(mLemonades) &&
      in.Longs(mTableCloths) && in.Longs(mFlowers) && in.Longs(mTrophyGrades) && in.Booleans(mFlags) &&
      in.Boolean(mShowTutorials) && in.Longs(mTrophyCounters) && in.Booleans(mLevelDone) &&
      in.Longs(mLevelScores) && in.Longs(mLevelTries) && in.Long(mSongIndex) && in.Longs(mHintCounters));
  return !in.IsShort() && !in.IsDamaged();
}

void PlayerProfile::Save(Buffer& buffer) const {
  auto longs = [&buffer](const int* a, int n) {
    for (int i = 0; i < n; ++i) buffer.WriteLong(static_cast<uint32_t>(a[i]));
  };
  auto bools = [&buffer](const bool* a, int n) {
    for (int i = 0; i < n; ++i) buffer.WriteBoolean(a[i]);
  };
  // Latin-1, so a name never narrows to nothing.
  buffer.WriteString(WStringToString(mName));
  const int head[] = {mLives, mStoryDays, mStoryScore, mFlavors, mBatchSize};
  longs(head, 5);
  longs(mMonkeyTreats, 4);
  const int stocks[] = {mUmbrellas, mCocktailSticks, mStraws, mSparklers};
  longs(stocks, 4);
  longs(mSunshades, 2);
  const int levels[] = {mJugglingLevel, mMelodyLevel, mMachineLevel, mReputationStars, mGoldenIceCreams, mCash};
  longs(levels, 6);
  longs(mCookieBoxes, 3);
  longs(mLemonades, 3);
  longs(mTableCloths, 2);
  longs(mFlowers, 3);
  longs(mTrophyGrades, kTrophyCount);
  bools(mFlags, kFlagCount);
  buffer.WriteBoolean(mShowTutorials);
  longs(mTrophyCounters, kTrophyCounterCount);
  bools(mLevelDone, kLevelCount);
  longs(mLevelScores, kLevelCount);
  longs(mLevelTries, kLevelCount);
  buffer.WriteLong(static_cast<uint32_t>(mSongIndex));
  longs(mHintCounters, 3);
}

}  // namespace Plix
