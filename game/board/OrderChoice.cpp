#include "game/board/OrderChoice.h"

#include <functional>

#include "framework/platform/CRand.h"

namespace Plix {

namespace {

// rand() % n; a count below 1 (a day that offers nothing of the kind, a
// table past the best appeal) picks as from one.
int Pick(int32_t n) { return Rand() % (n < 1 ? 1 : n); }

// One of the specials unlocked: the special cup twice as likely as each of
// the later ones.
IceCream ChooseSpecial(int32_t specials) {
  const int m = specials == 1 ? 1 : (specials == 2 ? 3 : (specials == 3 ? 4 : 5));
  static const int32_t kByPick[5] = {kItemSpecialCup, kItemSpecialCup, kItemBananaSplit, kItemSpecialPlate,
                                     kItemCake};
  return IceCream::CreateOfKind(kByPick[Rand() % m]);
}

struct Shape {
  int32_t kind = kItemCone;
  int scoops = 1;
  bool topping = false;
};

Shape MakeShape(int32_t kind, int scoops, bool topping) { return Shape{kind, scoops, topping}; }

// Container, scoops and topping for an order size; holders H, toppings T.
Shape ChooseShape(int32_t size, int32_t holders, int32_t toppings) {
  const bool t = toppings > 0;
  switch (size) {
    case 1: {
      const bool cup = Rand() % 2 == 0 || holders == 1;
      return MakeShape(cup ? kItemCup : kItemCone, 1, false);
    }
    case 2:
      if (holders == 1) return MakeShape(kItemCup, 1, t);
      if (holders == 2) {
        if (!t) return MakeShape(kItemCone, 2, false);
        switch (Rand() % 3) {
          case 0:
            return MakeShape(kItemCone, 2, false);
          case 1:
            return MakeShape(kItemCone, 1, true);
          default:
            return MakeShape(kItemCup, 1, true);
        }
      }
      if (holders == 3) {
        if (!t) return Rand() % 2 != 0 ? MakeShape(kItemPlate, 2, false) : MakeShape(kItemCone, 2, false);
        switch (Rand() % 4) {
          case 0:
            return MakeShape(kItemCone, 2, false);
          case 1:
            return MakeShape(kItemCone, 1, true);
          case 2:
            return MakeShape(kItemCup, 1, true);
          default:
            return MakeShape(kItemPlate, 2, false);
        }
      }
      break;
    case 3:
      if (holders <= 2) return MakeShape(kItemCone, 2, t);
      if (!t) return MakeShape(kItemPlate, 3, false);
      switch (Rand() % 3) {
        case 0:
          return MakeShape(kItemCone, 2, true);
        case 1:
          return MakeShape(kItemPlate, 3, false);
        default:
          return MakeShape(kItemPlate, 2, true);
      }
    case 4:
      if (holders < 3) return MakeShape(kItemCone, 2, t);
      return MakeShape(kItemPlate, 3, t);
    default:
      break;
  }
  return Shape();
}

// The container, then each scoop's flavour in turn, then the topping.
IceCream Build(const Shape& shape, int32_t toppings, const std::function<int32_t()>& flavor) {
  IceCream item = IceCream::CreateOfKind(shape.kind);
  for (int i = 0; i < shape.scoops; ++i) item.AddScoop(flavor());
  if (shape.topping) {
    const int r = Pick(toppings);
    item.SetTopping(r == 0 ? 19 : (r == 1 ? 20 : 21));
    item.UpdateSize();
  }
  return item;
}

}  // namespace

IceCream ChooseStoryOrder(const StoryOrderRules& rules, int32_t value, int32_t appeal, bool pickSize) {
  if (rules.specials > 0 && Pick(14 - appeal) == 0) return ChooseSpecial(rules.specials);
  int32_t size = value;
  if (pickSize) {
    if (rules.value4 > 0) {
      size = 4 - Rand() % 4;
    } else if (rules.value3 > 0) {
      size = 3 - Rand() % 3;
    } else if (rules.value2 > 0) {
      size = 2 - Rand() % 2;
    } else {
      size = 1;
    }
  }
  const Shape shape = ChooseShape(size, rules.holders, rules.toppings);
  return Build(shape, rules.toppings, [&rules] {
    int32_t n = rules.flavors;
    // On the newest day the player's own new flavours turn up half the time.
    if (rules.newestDay && rules.profileFlavors > rules.flavors && Rand() % 10 < 5) n = rules.profileFlavors;
    return Pick(n) + kItemVanilla;
  });
}

IceCream ChooseHappyHourOrderFrom(const HappyHourOrderRules& rules) {
  const int32_t size = Pick(rules.valueLevel) + 1;
  if (rules.specials > 0 && Rand() % 8 == 0) return ChooseSpecial(rules.specials);
  const Shape shape = ChooseShape(size, rules.holders, rules.toppings);
  return Build(shape, rules.toppings, [&rules] { return Pick(rules.flavors) + kItemVanilla; });
}

}  // namespace Plix
