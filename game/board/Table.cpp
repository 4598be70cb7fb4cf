#include "game/board/Table.h"

#include <vector>

#include "framework/graphics/Graphics.h"
#include "framework/graphics/Image.h"
#include "framework/platform/CRand.h"
#include "game/app/GameHost.h"
#include "game/app/GameResources.h"
#include "game/board/Board.h"
#include "game/board/ItemHolder.h"
#include "game/characters/Customer.h"

namespace Plix {

namespace {

int CelWidth(const Image* image) { return image ? image->GetCellWidth() : 0; }
int CelHeight(const Image* image) { return image ? image->GetCellHeight() : 0; }
int FullHeight(const Image* image) { return image ? image->GetHeight() : 0; }

}  // namespace

Image* DishImageForOrderKind(int kind) {
  switch (kind) {
    case 3: return IMAGE_CUSTOMER_PLATE;
    case 4: return IMAGE_CUSTOMER_SPECIAL_CUP;
    case 5: return IMAGE_CUSTOMER_SPECIAL_PLATE;
    case 6: return IMAGE_CUSTOMER_BANANA_SPLIT;
    case 7: return IMAGE_CUSTOMER_CAKE;
    default: return nullptr;
  }
}

Table::Table(Board* board, int seats) : mBoard(board), mKind(seats) { RecomputeAppeal(); }

Image* Table::GetImage() const {
  return mKind == 1 ? IMAGE_TABLE_1 : mKind == 2 ? IMAGE_TABLE_2 : IMAGE_TABLE_4;
}

int Table::GetWidth() const { return CelWidth(GetImage()); }
int Table::GetHeight() const { return CelHeight(GetImage()); }

int Table::GetBaseY() {
  if (mKind != 1 && mKind != 2 && mKind != 4) return 0;
  return mY + FullHeight(GetImage());
}

int Table::SeatOf(const Customer* customer) const {
  for (int s = 0; s < mKind && s < kMaxSeats; ++s)
    if (customer && mCustomers[s] == customer) return s;
  return -1;
}

bool Table::IsRightSeat(int seat) const {
  if (seat == 1 || seat == 3) return true;
  return mKind == 1 && mMirrored;
}

void Table::GetSeatOrigin(int seat, int& x, int& y) const {
  const int w = GetWidth();
  if (mKind == 4) {
    const int xs[4] = {mX + 8, mX + w - 7, mX, mX + w - 1};
    x = xs[seat];
    y = mY + (seat < 2 ? 33 : 100);
  } else if (mKind == 2) {
    x = seat == 0 ? mX - 2 : mX + w + 4;
    y = mY + 45;
  } else {
    x = mMirrored ? mX + w + 4 : mX + 1;
    y = mY + 43;
  }
}

void Table::SetFlowerLevel(int level) {
  mFlowerLevel = level;
  RecomputeAppeal();
}

void Table::SetSunshadeLevel(int level) {
  mSunshadeLevel = level;
  for (int s = 0; s < mKind && s < kMaxSeats; ++s) {
    Customer* c = mCustomers[s];
    if (!c) continue;
    if (level == 0) {
      c->LowerMood();
    } else {
      if (c->GetSunshadeLevel() == 0) c->AddPayment(level);
      c->SetSunshadeLevel(level);
    }
  }
  RecomputeAppeal();
}

bool Table::IsEmpty() const {
  for (int s = 0; s < mKind && s < kMaxSeats; ++s)
    if (mCustomers[s] || mDishes[s]) return false;
  return true;
}

int Table::CountFreeSeats() const {
  int n = 0;
  for (int s = 0; s < mKind && s < kMaxSeats; ++s)
    if (!mCustomers[s] && !mDishes[s]) ++n;
  return n;
}

int Table::CountItems() const {
  int n = 0;
  for (int s = 0; s < mKind && s < kMaxSeats; ++s)
    if (mDishes[s]) ++n;
  return n;
}

int Table::TakeItem() {
  for (int s = 0; s < mKind && s < kMaxSeats; ++s)
    if (mDishes[s]) {
      int dish = mDishes[s];
      mDishes[s] = 0;
      return dish;
    }
  return 0;
}

bool Table::SeatCustomer(Customer* customer) {
  std::vector<int> free;
  for (int s = 0; s < mKind && s < kMaxSeats; ++s)
    if (!mCustomers[s] && !mDishes[s]) free.push_back(s);
  if (free.empty()) return false;
  const int seat = free[Rand() % static_cast<int>(free.size())];
  mCustomers[seat] = customer;
  customer->SetTable(this);
  customer->SetSeatSide(IsRightSeat(seat) ? 1 : 0);
  RecomputeAppeal();
  return true;
}

bool Table::RemoveCustomer(Customer* customer) {
  const int seat = SeatOf(customer);
  if (seat < 0) return false;
  mCustomers[seat] = nullptr;
  if (mDishes[seat]) mBoard->SetTrashTutorialTable(this);
  RecomputeAppeal();
  return true;
}

void Table::ClearItemOf(Customer* customer) {
  for (int s = 0; s < kMaxSeats; ++s)
    if (customer && mCustomers[s] == customer) mDishes[s] = 0;
}

void Table::PlaceDish(Customer* customer) {
  const int kind = customer->GetOrder().GetKind();
  if (kind == 1 || kind == 2) return;
  const int seat = SeatOf(customer);
  Image* dish = DishImageForOrderKind(kind);
  if (seat < 0 || !dish) return;
  mDishes[seat] = kind;
  int ox = 0, oy = 0;
  customer->GetDishOffset(kind, ox, oy);
  const int w = CelWidth(dish), h = FullHeight(dish);
  const bool right = IsRightSeat(seat);
  const int dx = right ? w / 2 + ox - 2 : ox - w / 2 + 2;
  const int dy = oy - h / 2;
  mDishAlpha[seat] = 255;
  mDishAlphaStep[seat] = -2;
  mDishTicks[seat] = 0;
  // The offset mirrors on the right-hand seats.
  int sx = 0, sy = 0;
  GetSeatOrigin(seat, sx, sy);
  mDishPos[seat][0] = right ? sx - dx : sx + dx;
  mDishPos[seat][1] = sy + dy;
}

bool Table::GroupAllFinished(int group) const {
  for (int s = 0; s < mKind && s < kMaxSeats; ++s) {
    const Customer* c = mCustomers[s];
    if (c && c->GetGroup() == group && c->GetState() != Customer::kFinished) return false;
  }
  return true;
}

bool Table::AnyCustomerWantsNapkin() const {
  for (int s = 0; s < mKind && s < kMaxSeats; ++s)
    if (mCustomers[s] && mCustomers[s]->WantsNapkin()) return true;
  return false;
}

bool Table::ServeFromHolder(ItemHolder& holder) {
  int served = 0;
  for (int pass = 0; pass < 2; ++pass) {
    for (int place = 0; place < 4; ++place) {
      if (!holder.IsOccupied(place)) continue;
      const IceCream* item = &holder.GetItem(place);
      Customer* best = nullptr;
      for (int s = 0; s < kMaxSeats; ++s) {
        Customer* c = mCustomers[s];
        if (!c || c->GetState() != Customer::kWaiting) continue;
        const bool match = pass == 0 ? c->MatchesOrderExactly(item) : c->MatchesOrder(item);
        if (match && (!best || c->GetMood() < best->GetMood())) best = c;
      }
      if (!best) continue;
      best->ReceiveItem(item);
      holder.Release(place);
      ++served;
    }
  }
  if (served >= 1) GetGameHost()->PlaySound(SOUND_CUSTOMER_SERVED);
  if (served >= 2) {
    mBoard->AddTableMoney(served - 1);
    const int cx = mX + GetWidth() / 2, cy = mY + GetHeight() / 2 - 32;
    Image* images[3] = {IMAGE_WELL_DONE, IMAGE_SPLENDID, IMAGE_AWESOME};
    const int sounds[3] = {SOUND_SERVE_2_CUSTOMERS, SOUND_SERVE_3_CUSTOMERS, SOUND_SERVE_4_CUSTOMERS};
    const int i = served > 4 ? 2 : served - 2;
    mBoard->ShowNotice(images[i], cx, cy, true);
    GetGameHost()->PlaySound(sounds[i]);
  }
  return served > 0;
}

bool Table::GiveNapkin() {
  Customer* best = nullptr;
  for (int s = 0; s < mKind && s < kMaxSeats; ++s) {
    Customer* c = mCustomers[s];
    if (c && c->WantsNapkin() && (!best || c->GetMood() < best->GetMood())) best = c;
  }
  if (!best) return false;
  best->GiveNapkin();
  return true;
}

bool Table::GiveCookie(int box) {
  Customer* best = nullptr;
  for (int s = 0; s < mKind && s < kMaxSeats; ++s) {
    Customer* c = mCustomers[s];
    if (c && c->CanTakeCookie() && (!best || c->GetMood() < best->GetMood())) best = c;
  }
  if (!best) return false;
  best->GiveCookie(box);
  return true;
}

bool Table::GiveLemonade(int bottle) {
  Customer* best = nullptr;
  for (int s = 0; s < mKind && s < kMaxSeats; ++s) {
    Customer* c = mCustomers[s];
    if (c && c->CanTakeLemonade() && (!best || c->GetMood() < best->GetMood())) best = c;
  }
  if (!best) return false;
  best->GiveLemonade(bottle);
  return true;
}

void Table::GetSeatPosition(const Customer* customer, int& x, int& y) const {
  x = 400;
  y = 200;
  const int seat = SeatOf(customer);
  if (seat < 0) return;
  const int w = GetWidth();
  const int hc = CelHeight(customer->GetSittingImage());
  if (mKind == 1) {
    x = mMirrored ? mX + w + 24 : mX + 4;
    y = mY - hc + 75;
  } else if (mKind == 2) {
    x = seat == 0 ? mX + 4 : mX + w + 17;
    y = mY - hc + 77;
  } else {
    const int xs[4] = {mX + 5, mX + w + 15, mX, mX + w + 21};
    x = xs[seat];
    y = mY - hc + (seat < 2 ? 65 : 132);
  }
}

void Table::UpdateDishes() {
  bool counted = false;
  for (int s = 0; s < mKind && s < kMaxSeats; ++s) {
    if (!mDishes[s] || mCustomers[s]) continue;
    counted = true;
    ++mDishTicks[s];
    if (mDishAlphaStep[s] < 0) {
      if (mDishTicks[s] > 50) mDishAlpha[s] += mDishAlphaStep[s];
    } else if (mDishAlphaStep[s] > 0) {
      mDishAlpha[s] += mDishAlphaStep[s];
    }
    if (mDishAlpha[s] > 255) {
      mDishAlpha[s] = 255;
      mDishAlphaStep[s] = -2;
      mDishTicks[s] = 0;
    } else if (mDishAlpha[s] < 100) {
      mDishAlpha[s] = 100;
      mDishAlphaStep[s] = 4;
    }
  }
  if (!counted) {
    mDirtyTicks = 0;
    return;
  }
  if (++mDirtyTicks > 2000) {
    mDirtyTicks = 0;
    mBoard->RearmTrashHint(this);
  }
}

void Table::RecomputeAppeal() {
  int appeal = 0;
  if (mKind == 1)
    appeal = 4;
  else if (mKind == 2)
    appeal = CountFreeSeats() == 2 ? 4 : 2;
  else
    appeal = CountFreeSeats();
  appeal += mSunshadeLevel == 1 ? 1 : mSunshadeLevel == 2 ? 2 : 0;
  if (mBoard) {
    const ObjectList& tables = mBoard->GetTables();
    int count = 0, a = 0, b = 0;
    ObjectListIterator it;
    for (it.Begin(tables); !it.AtEnd(); it.Next()) {
      const Table* t = static_cast<Table*>(it.Get());
      ++count;
      if (t->mClothLevel >= mClothLevel) ++a;
      if (t->mFlowerLevel >= mFlowerLevel) ++b;
    }
    appeal += (count - a) + (count - b);
  }
  appeal -= CountItems();
  mAppeal = appeal < 0 ? 0 : appeal;
}

bool Table::HitTest(int px, int py) const {
  const int w = GetWidth(), h = GetHeight();
  auto in = [](int v, int from, int to) { return v >= from && v < to; };
  int left = 0, right = 0, top0 = 0;
  if (mKind == 4) {
    left = mX - 32;
    right = mX + w + 32;
    top0 = mY - 45;
  } else if (mKind == 2) {
    left = mX - 37;
    right = mX + w + 41;
    top0 = mY - 35;
  } else if (!mMirrored) {
    left = mX - 40;
    right = mX + w;
    top0 = mY - 35;
  } else {
    left = mX;
    right = mX + w + 40;
    top0 = mY - 35;
  }
  if (in(px, left, right) && in(py, mY, mY + h)) return true;
  const bool leftSeat = mKind == 1 ? !mMirrored : true;
  const bool rightSeat = mKind == 1 ? mMirrored : true;
  if (leftSeat && mCustomers[0] && in(px, left, mX + w / 2 - 32) && in(py, top0, mY + h)) return true;
  Customer* rightCustomer = mKind == 1 ? mCustomers[0] : mCustomers[1];
  if (rightSeat && rightCustomer && in(px, mX + w / 2 + 32, right) && in(py, top0, mY + h)) return true;
  return false;
}

void Table::Draw(Graphics& g) {
  const int w = GetWidth();
  if (mKind == 4) {
    if (IMAGE_BENCH_LEFT) g.DrawImage(IMAGE_BENCH_LEFT, mX - 30, mY + 12);
    if (IMAGE_BENCH_RIGHT) g.DrawImage(IMAGE_BENCH_RIGHT, mX + w - 11, mY + 12);
  } else if (mKind == 2) {
    if (IMAGE_CHAIR_LEFT) g.DrawImage(IMAGE_CHAIR_LEFT, mX - 36, mY + 18);
    if (IMAGE_CHAIR_RIGHT) g.DrawImage(IMAGE_CHAIR_RIGHT, mX + w - 16, mY + 18);
  } else if (!mMirrored) {
    if (IMAGE_CHAIR_LEFT) g.DrawImage(IMAGE_CHAIR_LEFT, mX - 36, mY + 16);
  } else {
    if (IMAGE_CHAIR_RIGHT) g.DrawImage(IMAGE_CHAIR_RIGHT, mX + w - 16, mY + 16);
  }
  auto eachSeated = [&](auto draw) {
    for (int s = 0; s < mKind && s < kMaxSeats; ++s) {
      if (!mCustomers[s]) continue;
      int sx = 0, sy = 0;
      GetSeatOrigin(s, sx, sy);
      g.Translate(sx, sy);
      draw(mCustomers[s]);
      g.Translate(-sx, -sy);
    }
  };
  eachSeated([&](Customer* c) { c->DrawLegs(g); });
  if (mHighlighted) {
    Image* over = mKind == 4 ? IMAGE_TABLE_4_OVER : mKind == 2 ? IMAGE_TABLE_2_OVER : IMAGE_TABLE_1_OVER;
    if (over) g.DrawImage(over, mX - 3, mY - 3);
  }
  if (Image* image = GetImage()) g.DrawImageCell(image, mX, mY, mClothLevel);
  eachSeated([&](Customer* c) { c->Draw(g); });

  g.SetImageTinting(true);
  for (int s = 0; s < kMaxSeats; ++s) {
    Image* dish = DishImageForOrderKind(mDishes[s]);
    if (!dish) continue;
    const int a = mDishAlpha[s];
    g.SetColor(Color(a, a, a, a));
    g.DrawImageCell(dish, mDishPos[s][0], mDishPos[s][1], 1);
  }
  if (IMAGE_GARBAGE) {
    static const int kGarbage4[4][2] = {{12, 5}, {63, 5}, {6, 68}, {69, 68}};
    static const int kGarbage2[2][2] = {{8, 14}, {57, 14}};
    for (int s = 0; s < mKind && s < kMaxSeats; ++s) {
      if (!mDishes[s]) continue;
      if (mCustomers[s] && mCustomers[s]->GetState() != Customer::kLeaving) continue;
      const int a = mDishAlpha[s];
      g.SetColor(Color(a, a, a, a));
      int gx = 0, gy = 0;
      if (mKind == 4) {
        gx = kGarbage4[s][0];
        gy = kGarbage4[s][1];
      } else if (mKind == 2) {
        gx = kGarbage2[s][0];
        gy = kGarbage2[s][1];
      } else if (mMirrored) {
        gx = 66;
        gy = 8;
      } else {
        gx = 7;
        gy = 11;
      }
      g.DrawImage(IMAGE_GARBAGE, mX + gx, mY + gy);
    }
  }
  g.SetImageTinting(false);

  if (mSunshadeLevel == 1 || mSunshadeLevel == 2) {
    if (Image* shade = IMAGE_SUNSHADES) {
      const int sy = mKind == 4 ? 61 : mKind == 2 ? 83 : 87;
      g.DrawImageCellAt(shade, mX + (w - CelWidth(shade)) / 2, mY - sy, mSunshadeLevel == 1 ? 1 : 0, 0);
    }
  }
  if (mFlowerLevel >= 1 && mFlowerLevel <= 3) {
    Image* flowers[3] = {IMAGE_FLOWER_1, IMAGE_FLOWER_2, IMAGE_FLOWER_3};
    static const int k4[3][2] = {{36, 10}, {31, 10}, {29, 1}};
    static const int k2[3][2] = {{30, -12}, {25, -12}, {23, -21}};
    static const int k1[3][2] = {{35, -16}, {30, -16}, {28, -25}};
    const int(*at)[2] = mKind == 4 ? k4 : mKind == 2 ? k2 : k1;
    const int f = mFlowerLevel - 1;
    if (flowers[f]) g.DrawImage(flowers[f], mX + at[f][0], mY + at[f][1]);
  }
  if (mPendingClicks != 0 && IMAGE_ACTION_MARKER) {
    const int cel = mPendingClicks >= 9 ? 8 : mPendingClicks - 1;
    const int cx = mX + (mKind == 4 ? 51 : mKind == 2 ? 46 : 50);
    const int cy = mY + (mKind == 4 ? 100 : mKind == 2 ? 61 : 46);
    g.DrawImageCell(IMAGE_ACTION_MARKER, cx - CelWidth(IMAGE_ACTION_MARKER) / 2,
                    cy - CelHeight(IMAGE_ACTION_MARKER) / 2, cel);
  }
}

}  // namespace Plix
