#include "game/app/GameApp.h"
#include "game/app/PlayerProfile.h"
#include "game/board/Board.h"
#include "game/board/OrderChoice.h"
#include "game/board/Table.h"

namespace Plix {

IceCream Board::ChooseOrder(int value, Table* table, bool pickSize) {
  StoryOrderRules rules;
  if (mDay >= 0 && mDay < mApp.GetLevelCount()) {
    const LevelRecord* level = mApp.GetLevel(mDay);
    rules.specials = level->countS;
    rules.holders = level->countH;
    rules.toppings = level->countT;
    rules.flavors = level->flavorCount;
    rules.value2 = level->memberValueWeights[1];
    rules.value3 = level->memberValueWeights[2];
    rules.value4 = level->memberValueWeights[3];
  }
  if (const PlayerProfile* profile = mApp.GetCurrentProfile()) {
    rules.newestDay = mDay == profile->GetStoryDays();
    rules.profileFlavors = profile->GetFlavorCount();
  }
  return ChooseStoryOrder(rules, value, table ? table->GetAppeal() : 0, pickSize);
}

IceCream Board::ChooseHappyHourOrder() {
  HappyHourOrderRules rules;
  rules.specials = mSpecialsUnlocked;
  rules.holders = mHoldersUnlocked;
  rules.toppings = mToppingsUnlocked;
  rules.flavors = mFlavorsUnlocked;
  rules.valueLevel = mValueLevel;
  return ChooseHappyHourOrderFrom(rules);
}

}  // namespace Plix
