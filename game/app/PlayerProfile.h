#pragma once
// One player's saved state. GameApp keeps eight; the play field, the screens
// and the dialogs read and change the current one through the accessors.
// The stored form is the name (16-bit length and Latin-1 bytes) followed by
// 784 bytes of numbers, flags and bytes, in the order of the fields below.
#include <string>

namespace Plix {

class Buffer;

class PlayerProfile {
public:
  // The name field takes no more; a stored name beyond it is damage.
  static constexpr int kMaxNameLength = 63;
  static constexpr int kFlagCount = 69;
  static constexpr int kLevelCount = 50;
  static constexpr int kTrophyCount = 10;
  static constexpr int kTrophyCounterCount = 20;
  // Flags with a fixed meaning.
  static constexpr int kFlagStoryCompleted = 67;
  static constexpr int kFlagHappyHourUnlocked = 68;

  PlayerProfile() { Reset(); }

  // A new player: every field back to its starting value, name empty.
  void Reset();
  // The story starts again; name, option, flags 0 to 33 and 68 and the hint
  // counters stay.
  void ResetStory();

  // Reads the fields in file order. A buffer that runs out, or a name length
  // below 0, keeps the values this profile already has for the fields it
  // lacks; false then.
  bool Load(Buffer& buffer);
  // Every number read against what the game itself can write (story days 0
  // to 50, stars 0 to 5, no count below 0, ...): the first one out of range,
  // as "mCash is -5, not 0 to 2147483647"; empty when all are within.
  std::string OutOfRange() const;
  // The name of the first stored field that differs from the other's (the
  // member's name, with the index of an array's element); empty when every
  // stored field is the same.
  std::string FirstDifference(const PlayerProfile& other) const;
  void Save(Buffer& buffer) const;

  const std::wstring& GetName() const { return mName; }
  void SetName(const std::wstring& name) { mName = name; }

  int GetLives() const { return mLives; }
  void SetLives(int v) { mLives = v; }
  int GetStoryDays() const { return mStoryDays; }
  void SetStoryDays(int v) { mStoryDays = v; }
  // Story days + 1; from 6 days on Happy Hour is unlocked for good.
  void AdvanceStoryDay();
  int GetTotalScore() const { return mStoryScore; }
  void SetTotalScore(int v) { mStoryScore = v; }
  void AddTotalScore(int v) { mStoryScore = Sum(mStoryScore, v); }
  // After a story run without lives has entered the best sellers.
  void ResetAfterStoryEnd() {
    mLives = 3;
    mStoryScore = 0;
  }
  int GetFlavorCount() const { return mFlavors; }
  void SetFlavorCount(int v) { mFlavors = v; }
  int GetBatchSize() const { return mBatchSize; }
  void SetBatchSize(int v) { mBatchSize = v; }

  // Monkey treats: 0 bananas, 1 apples, 2 pears, 3 super bananas.
  int GetMonkeyTreat(int i) const { return Get(mMonkeyTreats, i); }
  void SetMonkeyTreat(int i, int v) { Set(mMonkeyTreats, i, v); }

  int GetUmbrellaStock() const { return mUmbrellas; }
  int GetCocktailStickStock() const { return mCocktailSticks; }
  int GetStrawStock() const { return mStraws; }
  int GetSparklerStock() const { return mSparklers; }
  void SetUmbrellaStock(int v) { mUmbrellas = v; }
  void SetCocktailStickStock(int v) { mCocktailSticks = v; }
  void SetStrawStock(int v) { mStraws = v; }
  void SetSparklerStock(int v) { mSparklers = v; }

  int GetSunshade(int i) const { return Get(mSunshades, i); }
  void SetSunshade(int i, int v) { Set(mSunshades, i, v); }
  int GetJugglingLevel() const { return mJugglingLevel; }
  int GetMelodyLevel() const { return mMelodyLevel; }
  void SetJugglingLevel(int v) { mJugglingLevel = v; }
  void SetMelodyLevel(int v) { mMelodyLevel = v; }
  int GetIceCreamMachineLevel() const { return mMachineLevel; }
  void SetIceCreamMachineLevel(int v) { mMachineLevel = v; }

  // Both stop at 5.
  void AddReputationStar() {
    if (mReputationStars != 5) ++mReputationStars;
  }
  int GetReputationStars() const { return mReputationStars; }
  void SetReputationStars(int v) { mReputationStars = v; }
  void AddGoldenIceCream() {
    if (mGoldenIceCreams != 5) ++mGoldenIceCreams;
  }
  int GetGoldenIceCreams() const { return mGoldenIceCreams; }
  void ClearGoldenIceCreams() { mGoldenIceCreams = 0; }
  void SetGoldenIceCreams(int v) { mGoldenIceCreams = v; }

  void AddCash(int v) { mCash = Sum(mCash, v); }
  int GetCash() const { return mCash; }
  // Never leaves the cash below 0.
  void SpendCash(int v);

  int GetCookieBox(int i) const { return Get(mCookieBoxes, i); }
  void SetCookieBox(int i, int v) { Set(mCookieBoxes, i, v); }
  int GetLemonade(int i) const { return Get(mLemonades, i); }
  void SetLemonade(int i, int v) { Set(mLemonades, i, v); }
  int GetTableCloth(int i) const { return Get(mTableCloths, i); }
  void SetTableCloth(int i, int v) { Set(mTableCloths, i, v); }
  int GetFlower(int i) const { return Get(mFlowers, i); }
  void SetFlower(int i, int v) { Set(mFlowers, i, v); }
  int GetTrophyGrade(int i) const { return Get(mTrophyGrades, i); }
  void SetTrophyGrade(int i, int v) { Set(mTrophyGrades, i, v); }

  bool GetFlag(int i) const { return i >= 0 && i < kFlagCount && mFlags[i]; }
  void SetFlag(int i, bool value) {
    if (i >= 0 && i < kFlagCount) mFlags[i] = value;
  }
  bool GetShowTutorials() const { return mShowTutorials; }
  void SetShowTutorials(bool v) { mShowTutorials = v; }

  bool IsLevelDone(int i) const { return i >= 0 && i < kLevelCount && mLevelDone[i]; }
  void SetLevelDone(int i) {
    if (i >= 0 && i < kLevelCount) mLevelDone[i] = true;
  }
  int GetLevelScore(int i) const { return Get(mLevelScores, i); }
  void SetLevelScore(int i, int v) { Set(mLevelScores, i, v); }
  int GetLevelTries(int i) const { return Get(mLevelTries, i); }
  void AddLevelTry(int i) { Set(mLevelTries, i, Sum(Get(mLevelTries, i), 1)); }

  int GetSongIndex() const { return mSongIndex; }
  // Next of the five songs; 1 when it wrapped round to 0, else 0.
  int AdvanceSongIndex();

  int GetHintCounter(int i) const { return Get(mHintCounters, i); }
  void SetHintCounter(int i, int v) { Set(mHintCounters, i, v); }
  int GetTrophyCounter(int i) const { return Get(mTrophyCounters, i); }

  // Trophy counters: each adds 1 to its counters and returns the tier they
  // have reached, 0 (none) to 3.
  int CountHappyCustomer1();
  int CountHappyCustomer2();
  int CountHappyCustomer3();
  int CountHappyMonkeys();
  int CountShinyTrashcan1();
  int CountShinyTrashcan3();
  int CountEntertainment1();
  int CountEntertainment2();
  int CountEntertainment3();
  int CountIceColdCream();
  int CountWonderfulIceCreams();
  int CountSpecialServings1();
  int CountSpecialServings2();
  int CountSpecialServings3();
  int CountFastDeliveries();

private:
  // Stored files may hold any number: sums stop at the ends of int.
  static int Sum(int a, int b);
  // Indexes out of range read 0 and write nothing.
  template <int N>
  static int Get(const int (&a)[N], int i) {
    return i >= 0 && i < N ? a[i] : 0;
  }
  template <int N>
  static void Set(int (&a)[N], int i, int v) {
    if (i >= 0 && i < N) a[i] = v;
  }
  // Counters first .. first + tiers - 1 rise; tier k is reached when counter
  // first + k - 1 is at its bound.
  int CountTiers(int first, int tiers, int b1, int b2, int b3);
  // One counter measured against all three bounds.
  int CountSingle(int counter, int b1, int b2, int b3);

  std::wstring mName;
  int mLives;
  int mStoryDays;
  int mStoryScore;
  int mFlavors;
  int mBatchSize;
  int mMonkeyTreats[4];
  int mUmbrellas;
  int mCocktailSticks;
  int mStraws;
  int mSparklers;
  int mSunshades[2];
  int mJugglingLevel;
  int mMelodyLevel;
  int mMachineLevel;
  int mReputationStars;
  int mGoldenIceCreams;
  int mCash;
  int mCookieBoxes[3];
  int mLemonades[3];
  int mTableCloths[2];
  int mFlowers[3];
  int mTrophyGrades[kTrophyCount];
  bool mFlags[kFlagCount];
  bool mShowTutorials;
  int mTrophyCounters[kTrophyCounterCount];
  bool mLevelDone[kLevelCount];
  int mLevelScores[kLevelCount];
  int mLevelTries[kLevelCount];
  int mSongIndex;
  int mHintCounters[3];
};

}  // namespace Plix
