#include "game/app/LevelTable.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

#include "framework/platform/Files.h"

namespace Plix {

namespace {

bool IsSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// Reads the table the way formatted stream input does ("%s", "%d"), and
// keeps the line number for messages.
class TokenReader {
public:
  explicit TokenReader(const std::string& text) : mText(text) {}

  int Line() const { return mLine; }

  bool AtEnd() {
    SkipSpace();
    return mPos >= mText.size();
  }

  // One white-space-delimited word; false at the end of the text.
  bool ReadWord(std::string& word) {
    SkipSpace();
    if (mPos >= mText.size()) return false;
    size_t start = mPos;
    while (mPos < mText.size() && !IsSpace(mText[mPos])) ++mPos;
    word.assign(mText, start, mPos - start);
    return true;
  }

  // An optionally signed decimal integer; like "%d" it stops at the first
  // character that is not a digit and leaves it for the next read. False
  // when there is no number here or it does not fit an int.
  bool ReadInt(int& value) {
    SkipSpace();
    size_t p = mPos;
    bool negative = false;
    if (p < mText.size() && (mText[p] == '+' || mText[p] == '-')) {
      negative = mText[p] == '-';
      ++p;
    }
    size_t digits = p;
    int64_t v = 0;
    while (p < mText.size() && mText[p] >= '0' && mText[p] <= '9') {
      v = v * 10 + (mText[p] - '0');
      if (v > int64_t(INT32_MAX) + 1) return false;
      ++p;
    }
    if (p == digits) return false;
    if (negative) v = -v;
    if (v > INT32_MAX) return false;
    value = static_cast<int>(v);
    mPos = p;
    return true;
  }

private:
  void SkipSpace() {
    while (mPos < mText.size() && IsSpace(mText[mPos])) {
      if (mText[mPos] == '\n') ++mLine;
      ++mPos;
    }
  }

  const std::string& mText;
  size_t mPos = 0;
  int mLine = 1;
};

void ToUpper(std::string& s) {
  for (char& c : s)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
}

// Truncation toward zero of a float into an int; false when it does not fit.
bool Truncate(float v, int& out) {
  if (!(v > -2147483904.0f && v < 2147483648.0f)) return false;
  out = static_cast<int>(v);
  return true;
}

bool FitsInt(int64_t v) { return v >= INT32_MIN && v <= INT32_MAX; }

struct Parser {
  TokenReader in;
  std::string name;
  std::string error;

  bool Fail(int line, const std::string& what) {
    error = name + ":" + std::to_string(line) + ": " + what;
    return false;
  }

  bool Number(const std::string& keyword, int& value) {
    int line = in.Line();
    if (in.ReadInt(value)) return true;
    return Fail(line, "'" + keyword + "' needs a number");
  }

  // Applies one upper-cased token to the record.
  bool Apply(const std::string& tok, int line, LevelRecord& r) {
    char fourth = tok.size() >= 4 ? tok[3] : '\0';
    int a = 0, b = 0;
    switch (tok[0]) {
      case 'S':
        if (!Number(tok, a)) return false;
        (fourth == 'G' ? r.goalFactor : r.expertFactor) = static_cast<float>(a) * 0.01f;
        return true;
      case 'E': {
        std::string word;
        if (!in.ReadWord(word)) return Fail(line, "'" + tok + "' needs a file name");
        if (word.size() >= sizeof(r.environmentFile))
          return Fail(line, "environment name '" + word + "' is longer than " +
                                std::to_string(sizeof(r.environmentFile) - 1) + " characters");
        std::memset(r.environmentFile, 0, sizeof(r.environmentFile));
        std::memcpy(r.environmentFile, word.data(), word.size());
        return true;
      }
      case 'D':
        return Number(tok, r.arrivalSpan);
      case 'C':
        if (tok.size() == 9) return Number(tok, r.customerCount);
        if (tok.size() == 8) {
          if (!Number(tok, a) || !Number(tok, b)) return false;
          if (a < 0 || a > 6) return Fail(line, "customer kind " + std::to_string(a) + " is not 0 to 6");
          r.kindWeights[a] = b;
        }
        return true;
      case 'G':
        if (!Number(tok, a) || !Number(tok, b)) return false;
        if (a > 4) return Fail(line, "group size " + std::to_string(a) + " is above 4");
        if (a >= 1) r.groupCounts[a - 1] = b;
        return true;
      case 'V':
        if (!Number(tok, a) || !Number(tok, b)) return false;
        if (a < 1 || a > 4) return Fail(line, "value index " + std::to_string(a) + " is not 1 to 4");
        r.memberValueWeights[a - 1] = b;
        return true;
      case 'W': {
        std::string word;
        if (!in.ReadWord(word)) return Fail(line, "'" + tok + "' needs a word");
        ToUpper(word);
        switch (word[0]) {
          case 'C': r.customerMode = -1; break;
          case 'N': r.customerMode = 0; break;
          case 'H': r.customerMode = 1; break;
          case 'E': r.customerMode = 2; break;
          default: break;
        }
        return true;
      }
      case 'N': {
        int* count = nullptr;
        bool* flag = nullptr;
        switch (fourth) {
          case 'C': count = &r.countC; flag = &r.newC; break;
          case 'T': count = &r.countT; flag = &r.newT; break;
          case 'F': count = &r.flavorCount; flag = &r.newF; break;
          case 'H': count = &r.countH; flag = &r.newH; break;
          case 'S': count = &r.countS; flag = &r.newS; break;
          default: return true;
        }
        if (*count == INT32_MAX) return Fail(line, "too many '" + tok + "' unlocks");
        ++*count;
        *flag = true;
        return true;
      }
      default:
        return true;
    }
  }

  // Goal and expert scores of one level.
  bool Score(LevelRecord& r, int index, int line) {
    int64_t sum = 0;
    for (int w : r.memberValueWeights) sum += w;
    std::string which = "level " + std::to_string(index + 1);
    if (sum == 0) return Fail(line, which + " has value weights (V) adding up to 0");
    int64_t kinds = 0;
    for (int w : r.kindWeights) kinds += w;
    if (kinds == 0 && r.customerCount != 0)
      return Fail(line, which + " has customer kind weights (CUSTKIND) adding up to 0");
    float f = static_cast<float>(r.customerCount) / static_cast<float>(sum);
    int share[4];
    int64_t total = 0;
    for (int k = 0; k < 4; ++k) {
      if (!Truncate(static_cast<float>(r.memberValueWeights[k]) * f, share[k]))
        return Fail(line, which + ": customer shares out of range");
      total += share[k];
    }
    int64_t first = share[0] + (r.customerCount - total);
    if (!FitsInt(first)) return Fail(line, which + ": customer shares out of range");
    share[0] = static_cast<int>(first);
    int64_t p = int64_t(share[0]) * 2 + int64_t(share[1]) * 3 + int64_t(share[2]) * 4 + int64_t(share[3]) * 5;
    float points = static_cast<float>(p);
    int goal = 0, expert = 0;
    if (!Truncate(points * r.goalFactor, goal) || !Truncate(points * r.expertFactor, expert) ||
        !FitsInt(int64_t(goal) * 2) || !FitsInt(int64_t(expert) * 2))
      return Fail(line, which + ": scores out of range");
    r.goal = 2 * goal;
    r.expert = 2 * expert;
    return true;
  }
};

}  // namespace

LevelTable::LevelTable() { Clear(); }

void LevelTable::Clear() {
  for (LevelRecord& r : mLevels) r = LevelRecord();
  mLevelCount = 0;
}

bool LevelTable::LoadLevels(const std::string& path) {
  Clear();
  std::vector<uint8_t> bytes;
  if (!Fs::ReadWholeFile(path, bytes)) {
    mError = "cannot open " + path;
    return false;
  }
  return LoadFromText(std::string(bytes.begin(), bytes.end()), path);
}

bool LevelTable::LoadFromText(const std::string& text, const std::string& name) {
  Clear();
  mError.clear();
  Parser parser{TokenReader(text), name, {}};
  TokenReader& in = parser.in;

  // Records are built aside and taken over only when the whole file is good.
  LevelRecord levels[kMaxLevels];
  int lines[kMaxLevels] = {};
  int numbers[kMaxLevels] = {};
  int count = 0;

  std::string tok;
  bool have = false;
  while ((have = in.ReadWord(tok))) {
    ToUpper(tok);
    if (tok[0] == 'L') break;
  }
  while (have) {
    int line = in.Line();
    int number = 0;
    if (!parser.Number(tok, number)) break;
    if (count == kMaxLevels) {
      parser.Fail(line, "more than " + std::to_string(kMaxLevels) + " levels");
      break;
    }
    LevelRecord& r = levels[count];
    lines[count] = line;
    numbers[count] = number;
    if (count > 0) {
      const LevelRecord& prev = levels[count - 1];
      r.countC = prev.countC;
      r.flavorCount = prev.flavorCount;
      r.countT = prev.countT;
      r.countH = prev.countH;
      r.countS = prev.countS;
    }
    have = false;
    bool ok = true;
    while (in.ReadWord(tok)) {
      ToUpper(tok);
      if (tok[0] == 'L') {
        have = true;
        break;
      }
      if (!(ok = parser.Apply(tok, in.Line(), r))) break;
    }
    if (!ok) break;
    const std::string which = "level " + std::to_string(count + 1);
    if (r.arrivalSpan <= 0) {
      parser.Fail(line, which + " has a day length (D) of " + std::to_string(r.arrivalSpan) + " seconds");
      break;
    }
    // Customers not covered by the groups come alone.
    int64_t covered = int64_t(r.groupCounts[0]) + 2 * int64_t(r.groupCounts[1]) +
                      3 * int64_t(r.groupCounts[2]) + 4 * int64_t(r.groupCounts[3]);
    if (covered > r.customerCount) {
      parser.Fail(line, which + ": its groups (G) hold " + std::to_string(covered) + " customers, more than its " +
                            std::to_string(r.customerCount));
      break;
    }
    if (covered < r.customerCount) {
      int64_t single = r.groupCounts[0] + (r.customerCount - covered);
      if (!FitsInt(single)) {
        parser.Fail(line, which + ": customer numbers out of range");
        break;
      }
      r.groupCounts[0] = static_cast<int>(single);
    }
    ++count;
  }
  for (int i = 0; parser.error.empty() && i < count; ++i) parser.Score(levels[i], i, lines[i]);

  if (!parser.error.empty()) {
    mError = parser.error;
    return false;
  }
  for (int i = 0; i < count; ++i) {
    mLevels[i] = levels[i];
    mNumbers[i] = numbers[i];
    mLines[i] = lines[i];
  }
  mLevelCount = count;
  mName = name;
  mLastLine = 1 + static_cast<int>(std::count(text.begin(), text.end(), '\n'));
  return true;
}

bool LevelTable::CheckComplete() {
  auto fail = [&](int line, const std::string& what) {
    mError = mName + ":" + std::to_string(line) + ": " + what;
    return false;
  };
  for (int i = 0; i < mLevelCount; ++i) {
    const std::string which = "level " + std::to_string(i + 1);
    if (mNumbers[i] != i + 1)
      return fail(mLines[i], "LEVEL " + std::to_string(mNumbers[i]) + " where " + which +
                                 " was expected (a block is missing or out of order)");
    if (mLevels[i].environmentFile[0] == 0) return fail(mLines[i], which + " has no floor (ENV)");
    if (mLevels[i].customerCount <= 0) return fail(mLines[i], which + " has no customers (CUSTOMERS)");
  }
  if (mLevelCount != kMaxLevels)
    return fail(mLastLine, "the table ends after " + std::to_string(mLevelCount) + " levels; the game needs " +
                               std::to_string(kMaxLevels));
  return true;
}

int LevelTable::GetScoopPrice(int item, int level) const {
  int flavor = item - 13;
  return flavor >= mLevels[level].flavorCount ? 3 : 2;
}

}  // namespace Plix
