#pragma once
// The level table: one record per Story Mode day, read once at start-up from
// "data/levels.txt". GameApp owns one LevelTable and answers its level
// accessors from it.
#include <string>

namespace Plix {

struct LevelRecord {
  char environmentFile[24] = {};
  int arrivalSpan = 300;
  int customerCount = 0;
  int kindWeights[7] = {};
  int groupCounts[4] = {};
  int memberValueWeights[4] = {};
  int customerMode = 0;
  int countC = 1;
  int flavorCount = 1;
  int countT = 0;
  int countH = 1;
  int countS = 0;
  bool newC = false;
  bool newT = false;
  bool newF = false;
  bool newH = false;
  bool newS = false;
  float goalFactor = 0.8f;
  float expertFactor = 1.0f;
  int goal = 0;
  int expert = 0;
};

class LevelTable {
public:
  static constexpr int kMaxLevels = 50;
  static constexpr const char* kDefaultPath = "data/levels.txt";

  LevelTable();

  // Reads the table from a file on disk (not through the archive). False
  // when the file cannot be opened or is malformed; GetError() then names the
  // file and line, and the table is left empty with its defaults.
  bool LoadLevels(const std::string& path = kDefaultPath);
  // The same from text already in memory; `name` is used in error messages.
  bool LoadFromText(const std::string& text, const std::string& name);

  const std::string& GetError() const { return mError; }
  // Whether the table read is one the game can play: exactly kMaxLevels
  // levels, numbered 1 to 50 in order, each with its floor (ENV) and its
  // customers (CUSTOMERS). False otherwise, with GetError() naming the
  // file, the line and what is wrong.
  bool CheckComplete();

  // Level accessors; i from 0 to GetLevelCount() - 1.
  int GetLevelCount() const { return mLevelCount; }
  LevelRecord* GetLevel(int i) { return &mLevels[i]; }
  const LevelRecord* GetLevel(int i) const { return &mLevels[i]; }
  int GetLevelFlavorCount(int i) const { return mLevels[i].flavorCount; }
  int GetLevelTCount(int i) const { return mLevels[i].countT; }
  int GetLevelHCount(int i) const { return mLevels[i].countH; }
  int GetLevelSCount(int i) const { return mLevels[i].countS; }
  int GetLevelGoal(int i) const { return mLevels[i].goal; }
  int GetLevelExpert(int i) const { return mLevels[i].expert; }

  // Price of the scoop item (13 to 18, one per flavour) on level `level`: 3
  // for a flavour the level does not offer yet, else 2.
  int GetScoopPrice(int item, int level) const;

private:
  void Clear();

  LevelRecord mLevels[kMaxLevels];
  int mLevelCount = 0;
  std::string mError;
  // Where the table came from, for CheckComplete's messages.
  std::string mName;
  int mNumbers[kMaxLevels] = {};  // as each LEVEL line gave it
  int mLines[kMaxLevels] = {};    // of each LEVEL line
  int mLastLine = 1;
};

}  // namespace Plix
