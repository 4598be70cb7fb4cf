// The level table reader on any text: no crash, and a table it accepts
// stays within its fields.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "game/app/LevelTable.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Plix::LevelTable table;
  std::string text(reinterpret_cast<const char*>(data), size);
  if (table.LoadFromText(text, "levels.txt")) {
    if (table.GetLevelCount() < 0 || table.GetLevelCount() > Plix::LevelTable::kMaxLevels) std::abort();
    for (int i = 0; i < table.GetLevelCount(); ++i) {
      const Plix::LevelRecord& r = *table.GetLevel(i);
      if (std::memchr(r.environmentFile, 0, sizeof(r.environmentFile)) == nullptr) std::abort();
    }
    // A table the game takes has every day, each with a floor and customers;
    // one it refuses says why.
    if (table.CheckComplete()) {
      if (table.GetLevelCount() != Plix::LevelTable::kMaxLevels) std::abort();
      for (int i = 0; i < table.GetLevelCount(); ++i)
        if (table.GetLevel(i)->environmentFile[0] == 0 || table.GetLevel(i)->customerCount <= 0) std::abort();
    } else if (table.GetError().empty()) {
      std::abort();
    }
  } else if (table.GetError().empty() || table.GetLevelCount() != 0) {
    std::abort();
  }
  return 0;
}
