#pragma once
// A tray of four places for finished ice creams: the counter and the
// monkey's tray. Items take one, two or four places by their size; an item
// handed out can stay lying in its place as a leftover until the holder is
// cleared.
#include "game/board/IceCream.h"

namespace Plix {

class Graphics;

// Who counts the sparklers in play (the board, whose looping sound follows
// the count). Holders tell it when a sparkler comes and goes.
class SparklerCount {
public:
  virtual ~SparklerCount() = default;
  virtual void OnSparklerAdded() = 0;
  virtual void OnSparklerRemoved() = 0;
};

// The board sets itself while it lives; null: nobody counts.
void SetSparklerCount(SparklerCount* count);
SparklerCount* GetSparklerCount();

class ItemHolder {
public:
  static constexpr int kPlaces = 4;

  ItemHolder();
  ~ItemHolder();
  ItemHolder(const ItemHolder&) = delete;
  ItemHolder& operator=(const ItemHolder&) = delete;

  // No place is available.
  bool IsEmpty() const;
  // Leftovers take room too.
  bool HasRoomFor(const IceCream& item) const;
  // Copies the item into a free place by its size; false when it fits
  // nowhere.
  bool Add(const IceCream& item);
  IceCream& GetItem(int place) { return mItems[place]; }
  const IceCream& GetItem(int place) const { return mItems[place]; }
  // The item in the place can be taken.
  bool IsOccupied(int place) const { return mAvailable[place]; }
  // Available items that IceCream::MatchesWish accepts.
  int32_t CountExactMatches(const IceCream& wish) const;
  // Some available item that IceCream::MatchesWishAnyOrder accepts.
  bool ContainsMatch(const IceCream& wish) const;
  // The item stays as a leftover, no longer available.
  void Release(int place);
  // Every place empty.
  void Clear();
  // Becomes a copy of the other holder, place by place, leftovers too; the
  // copied sparklers are counted as new ones.
  void CopyFrom(const ItemHolder& other);
  // The available items, at the graphics origin.
  void Draw(Graphics& g) const;

private:
  void Place(int place, const IceCream& item);

  IceCream mItems[kPlaces];
  bool mAvailable[kPlaces] = {};
};

}  // namespace Plix
