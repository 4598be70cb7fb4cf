#pragma once
// A table on the shop floor: one, two or four seats, the customers at them
// and the dishes they leave, the shop's table dressing (cloth, flowers,
// sunshade) and the monkey's pending-click badge. The environment file
// places the tables; the board owns them and the customer manager seats
// the arrivals at them by their appeal.
#include "game/app/ZObject.h"

namespace Plix {

class Board;
class Customer;
class Image;
class ItemHolder;

class Table : public ZObject {
public:
  static constexpr int kMaxSeats = 4;

  // seats: 1, 2 or 4.
  Table(Board* board, int seats);
  Table(const Table&) = delete;
  Table& operator=(const Table&) = delete;

  // The foot of the table picture.
  int GetBaseY() override;
  void Draw(Graphics& g) override;

  int GetKind() const { return mKind; }
  int GetX() const { return mX; }
  int GetY() const { return mY; }
  void SetPosition(int x, int y) {
    mX = x;
    mY = y;
  }
  int GetWidth() const;
  int GetHeight() const;
  int GetClothLevel() const { return mClothLevel; }
  void SetClothLevel(int level) { mClothLevel = level; }
  int GetFlowerLevel() const { return mFlowerLevel; }
  void SetFlowerLevel(int level);
  int GetSunshadeLevel() const { return mSunshadeLevel; }
  void SetSunshadeLevel(int level);
  void SetMirrored() { mMirrored = true; }
  bool IsMirrored() const { return mMirrored; }
  void SetHighlighted(bool on) { mHighlighted = on; }

  bool IsEmpty() const;
  int CountFreeSeats() const;
  int CountItems() const;
  // The dish of the lowest seat that has one (that seat is then clear); 0
  // when there is none.
  int TakeItem();
  // At a random free seat; false when none is free.
  bool SeatCustomer(Customer* customer);
  bool RemoveCustomer(Customer* customer);
  Customer* GetCustomer(int seat) const { return mCustomers[seat]; }
  int GetDish(int seat) const { return mDishes[seat]; }
  int GetDishAlpha(int seat) const { return mDishAlpha[seat]; }
  void GetDishPosition(int seat, int& x, int& y) const {
    x = mDishPos[seat][0];
    y = mDishPos[seat][1];
  }
  void ClearItemOf(Customer* customer);
  // The finished customer's empty dish.
  void PlaceDish(Customer* customer);
  bool GroupAllFinished(int group) const;
  bool AnyCustomerWantsNapkin() const;
  // The monkey's tray: exact matches first, then flavours in any order.
  bool ServeFromHolder(ItemHolder& holder);
  bool GiveNapkin();
  bool GiveCookie(int box);
  bool GiveLemonade(int bottle);
  // Where the customer's figure stands; (400, 200) for one not seated here.
  void GetSeatPosition(const Customer* customer, int& x, int& y) const;
  // Blinks forgotten dishes; once a tick.
  void UpdateDishes();
  void RecomputeAppeal();
  int GetAppeal() const { return mAppeal; }
  bool HitTest(int px, int py) const;
  void IncrementPending() { ++mPendingClicks; }
  void DecrementPending() {
    if (mPendingClicks > 0) --mPendingClicks;
  }
  int GetPendingClicks() const { return mPendingClicks; }
  int GetDirtyTicks() const { return mDirtyTicks; }

private:
  Image* GetImage() const;
  int SeatOf(const Customer* customer) const;
  // Seats 1 and 3, and the seat of a mirrored one-seat table, face left.
  bool IsRightSeat(int seat) const;
  void GetSeatOrigin(int seat, int& x, int& y) const;

  Board* mBoard;
  int mKind;
  Customer* mCustomers[kMaxSeats] = {};
  int mDishes[kMaxSeats] = {};
  int mDishAlpha[kMaxSeats] = {};
  int mDishAlphaStep[kMaxSeats] = {};
  int mDishTicks[kMaxSeats] = {};
  int mDishPos[kMaxSeats][2] = {};
  int mClothLevel = 0;
  int mFlowerLevel = 0;
  int mSunshadeLevel = 0;
  int mX = 0;
  int mY = 0;
  int mAppeal = 0;
  bool mMirrored = false;
  int mDirtyTicks = 0;
  int mPendingClicks = 0;
  bool mHighlighted = false;
};

// The dish picture of an order kind 3..7; none for another kind.
Image* DishImageForOrderKind(int kind);

}  // namespace Plix
