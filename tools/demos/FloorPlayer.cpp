#include "tools/demos/FloorPlayer.h"

#include <algorithm>
#include <cstdlib>
#include <sstream>

#include "game/app/AlphaButton.h"
#include "game/app/Fade.h"
#include "game/app/GameApp.h"
#include "game/app/InfoBalloon.h"
#include "game/app/PlayerProfile.h"
#include "game/board/ArrivalSchedule.h"
#include "game/board/Board.h"
#include "game/board/Conveyor.h"
#include "game/board/StationButtons.h"
#include "game/board/Table.h"
#include "game/board/Tutorial.h"
#include "game/board/Uncle.h"
#include "game/characters/Customer.h"
#include "game/characters/CustomerManager.h"
#include "game/characters/Girl.h"
#include "game/characters/Monkey.h"
#include "game/characters/MonkeyAction.h"
#include "game/characters/ServingMonkey.h"

namespace Plix::Demos {

namespace {

// Rudav's states in which he carries an ice cream to the counter.
bool BringsToCounter(const ServingMonkey& rudav) {
  const int state = rudav.GetState();
  return rudav.GetItem().GetKind() != kItemNone && (state == 4 || state == 5 || state == 8);
}

template <class T, class F>
void ForEach(const ObjectList& list, F f) {
  ObjectListIterator it;
  for (it.Begin(const_cast<ObjectList&>(list)); !it.AtEnd(); it.Next()) f(static_cast<T*>(it.Get()));
}

std::vector<Customer*> Customers(Board& board) {
  std::vector<Customer*> all;
  if (CustomerManager* manager = board.GetCustomerManager()) ForEach<Customer>(manager->GetCustomers(), [&](Customer* c) {
      all.push_back(c);
    });
  return all;
}

// A guest whose cloud shows a wish.
bool ShowsWish(const Customer* c) { return c->GetState() == Customer::kWaiting && !c->WantsNapkin(); }

std::vector<IceCream> Items(const ItemHolder& holder) {
  std::vector<IceCream> items;
  for (int i = 0; i < ItemHolder::kPlaces; ++i)
    if (holder.IsOccupied(i)) items.push_back(holder.GetItem(i));
  return items;
}

bool Usable(const AlphaButton* button) { return button && button->IsVisible() && !button->IsDisabled(); }

AlphaButton* ToppingStation(Board& board, int topping) {
  switch (topping) {
    case kItemFirstTopping: return board.mCherriesButton.get();
    case kItemFirstTopping + 1: return board.mSprinklesButton.get();
    default: return board.mChocolateSauceButton.get();
  }
}

AlphaButton* DecorationStation(Board& board, int decoration) {
  switch (decoration) {
    case kItemUmbrella: return board.mUmbrellaButton.get();
    case kItemCocktailStick: return board.mCocktailStickButton.get();
    case kItemStraw: return board.mStrawButton.get();
    default: return board.mSparklerButton.get();
  }
}

int DecorationStock(Board& board, int decoration) {
  switch (decoration) {
    case kItemUmbrella: return board.GetUmbrellaStock();
    case kItemCocktailStick: return board.GetCocktailStickStock();
    case kItemStraw: return board.GetStrawStock();
    default: return board.GetSparklerStock();
  }
}

// The freezer lid of a special dish.
AlphaButton* Freezer(Board& board, int kind) {
  switch (kind) {
    case kItemSpecialCup: return board.mFreezerButtons[0].get();
    case kItemBananaSplit: return board.mFreezerButtons[1].get();
    case kItemSpecialPlate: return board.mFreezerButtons[2].get();
    default: return board.mFreezerButtons[3].get();
  }
}

AlphaButton* HolderMachine(Board& board, int kind) {
  switch (kind) {
    case kItemCone: return board.mConeMachineButton.get();
    case kItemCup: return board.mCupMachineButton.get();
    default: return board.mPlateMachineButton.get();
  }
}

std::string Text(const IceCream& item) {
  std::ostringstream out;
  out << "[" << item.GetKind();
  for (int i = 0; i < item.GetScoopCount(); ++i) out << (i ? "," : ":") << item.GetFlavor(i);
  if (item.GetTopping()) out << " t" << item.GetTopping();
  if (item.GetDecoration()) out << " d" << item.GetDecoration();
  return out.str() + "]";
}

}  // namespace

FloorPlayer::FloorPlayer(FloorHand& hand, Options options) : mHand(hand), mOptions(options) {}

// ------------------------------------------------------------ the mouse

bool FloorHand::ScanButton(const AlphaButton& button, int& x, int& y, const Lit& lit) {
  const int w = std::max(button.GetWidth(), 1), h = std::max(button.GetHeight(), 1);
  for (int dy = 0; dy < h; dy += 3) {
    for (int dx = 0; dx < w; dx += 3) {
      x = button.GetX() + (w / 2 + dx) % w;
      y = button.GetY() + (h / 2 + dy) % h;
      if (lit(x, y)) return true;
    }
  }
  return false;
}

bool FloorHand::ScanTable(const Table& table, int& x, int& y, const Lit& lit) {
  const int cx = table.GetX() + table.GetWidth() / 2, cy = table.GetY() + table.GetHeight() / 2;
  for (int r = 0; r < 120; r += 4) {
    for (int dy = -r; dy <= r; dy += 4) {
      for (int dx = -r; dx <= r; dx += 4) {
        if (std::max(std::abs(dx), std::abs(dy)) != r) continue;
        x = cx + dx, y = cy + dy;
        if (lit(x, y)) return true;
      }
    }
  }
  return false;
}

bool FloorPlayer::PressButton(Board& board, AlphaButton* button, bool right) {
  int x = 0, y = 0;
  if (!mHand.ButtonPoint(board, button, x, y)) return false;
  mHand.Press(x, y, right);
  ++mClicks;
  const int id = button->GetId();
  if (id >= 4 && id <= 6) ++mContainersOrdered;  // cone, cup and plate machines
  return true;
}

bool FloorPlayer::PressTable(Board& board, Table* table) {
  int x = 0, y = 0;
  if (!mHand.TablePoint(board, table, x, y)) return false;
  mHand.Press(x, y, false);
  ++mClicks;
  return true;
}

void FloorPlayer::MoveToBelt(Board& board, int serial) {
  ConveyorContainer* container = board.GetConveyor()->FindContainerBySerial(serial);
  if (!container) return;
  const IceCream* item = container->GetItem();
  mHand.Move(static_cast<int>(container->GetX()),
             static_cast<int>(container->GetY()) + container->GetYOffset() + item->GetDepth() - item->GetHeight() / 2);
  mBeltSerial = serial;
}

void FloorPlayer::PressBeltIfHovered(Board& board) {
  const int serial = mBeltSerial;
  mBeltSerial = 0;
  ConveyorContainer* container = board.GetConveyor()->FindContainerBySerial(serial);
  if (!container) return;
  if (board.GetHoverConveyorItem() == container->GetItem()) {
    mHand.PressHere(board);
    ++mClicks;
    mBeltTries = 0;
    return;
  }
  // It rode on under the mouse: once more where it is now.
  if (++mBeltTries < 5) {
    MoveToBelt(board, serial);
  } else {
    mBeltTries = 0;
  }
}

bool FloorPlayer::Press(Board& board, const Click& click) {
  switch (click.target) {
    case Target::kButton: return PressButton(board, click.button, click.right);
    case Target::kTable: return PressTable(board, click.table);
    case Target::kBelt:
      if (!board.GetConveyor()->FindContainerBySerial(click.serial)) return false;
      MoveToBelt(board, click.serial);
      return true;
  }
  return false;
}

// ------------------------------------------------------------- one look

void FloorPlayer::Step(Board& board) {
  ++mTick;
  for (Job& job : mJobs) ++job.age;
  WatchBelt(board);
  if (mOptions.idle || board.IsPaused()) return;
  const int fade = board.mApp.GetFadeState();
  if (fade == Fade::kFadingOut || fade == Fade::kFadedOut) return;
  if (mBeltSerial) {
    PressBeltIfHovered(board);
    if (!mBeltSerial) mNextClick = mTick + mOptions.clickInterval;
    return;
  }
  if (mTick < mNextClick) return;
  if (AnswerBalloonOrLesson(board)) {
    mNextClick = mTick + mOptions.clickInterval;
    ++mLessonClicks;
    return;
  }
  if (board.GetTutorial() || !board.mUncle->IsIdle() || board.GetBalloon()) return;

  TrackJobs(board);
  Monkey* vurez = board.GetMonkey();
  const bool serving = mOptions.servesUntil < 0 || board.mSeconds < mOptions.servesUntil;
  if (!serving) mPemiPlan.clear();
  if (serving && mPemiPlan.empty() && board.GetGirl()->IsIdle()) PlanPemi(board);
  if (mVurezPlan.empty() && vurez && vurez->GetTaskCount() == 0 && !vurez->IsRunning()) PlanVurez(board);

  // One hand for both helpers and the machines: turn by turn.
  for (int tries = 0; tries < 3; ++tries) {
    mPemiTurn = !mPemiTurn;
    bool clicked = false;
    if (tries == 2) {
      clicked = serving && OrderContainer(board);
    } else {
      std::deque<Click>& plan = mPemiTurn ? mPemiPlan : mVurezPlan;
      while (!plan.empty() && !clicked) {
        const Click click = plan.front();
        plan.pop_front();
        clicked = Press(board, click);
      }
    }
    if (clicked) {
      if (!mBeltSerial) mNextClick = mTick + mOptions.clickInterval;
      return;
    }
  }
}

bool FloorPlayer::AnswerBalloonOrLesson(Board& board) {
  if (InfoBalloon* balloon = board.GetBalloon()) {
    AlphaButton* button = balloon->GetSlot(InfoBalloon::kYes) ? balloon->GetSlot(InfoBalloon::kYes)
                                                              : balloon->GetSlot(InfoBalloon::kNext);
    if (button) {
      mHand.Click(button->GetX() + button->GetWidth() / 2, button->GetY() + button->GetHeight() / 2);
      ++mClicks;
      return true;
    }
  }
  Tutorial* lesson = board.GetTutorial();
  if (!lesson) return false;
  switch (lesson->GetStepType()) {
    case TutorialStep::kButton:
      return PressButton(board, lesson->GetStepTarget(), false);
    case TutorialStep::kTable:
      return PressTable(board, lesson->GetTargetTable());
    case TutorialStep::kConveyor: {
      // The ice cream she can put what she holds into, nearest the end.
      const int carry = board.GetGirl()->GetCarryCode();
      ConveyorContainer* best = nullptr;
      ForEach<ConveyorContainer>(board.GetConveyor()->GetContainers(), [&](ConveyorContainer* c) {
        const int kind = c->GetItem()->GetKind();
        if (kind >= kItemSpecialCup && kind <= kItemCake) return;
        if (!best || (c->GetItem()->CanAdd(carry) && !best->GetItem()->CanAdd(carry))) best = c;
      });
      if (!best) return false;
      MoveToBelt(board, best->GetSerial());
      return true;
    }
    default:
      return false;
  }
}

// ------------------------------------------------------------- the jobs

std::vector<IceCream> FloorPlayer::UnservedWishes(Board& board) const {
  std::vector<Customer*> waiting;
  for (Customer* c : Customers(board))
    if (ShowsWish(c)) waiting.push_back(c);
  // The longest waiting first.
  std::stable_sort(waiting.begin(), waiting.end(),
                   [](const Customer* a, const Customer* b) { return a->GetWaited() > b->GetWaited(); });
  std::vector<IceCream> wishes;
  for (Customer* c : waiting) wishes.push_back(c->GetOrder());

  std::vector<IceCream> supply = Items(*board.GetCounter());
  Monkey* vurez = board.GetMonkey();
  if (vurez && vurez->GetCarryKind() == Monkey::kCarryTray) {
    for (const IceCream& item : Items(*vurez->GetCarriedItems())) supply.push_back(item);
  }
  if (BringsToCounter(*board.GetServingMonkey())) supply.push_back(board.GetServingMonkey()->GetItem());
  for (const Job& job : mJobs) supply.push_back(job.wish);
  for (const IceCream& item : supply) {
    auto it = std::find_if(wishes.begin(), wishes.end(),
                           [&](const IceCream& wish) { return IceCream::MatchesWishAnyOrder(&wish, &item); });
    if (it != wishes.end()) wishes.erase(it);
  }
  return wishes;
}

void FloorPlayer::WatchBelt(Board& board) {
  ForEach<ConveyorContainer>(board.GetConveyor()->GetContainers(), [&](ConveyorContainer* c) {
    if (!mSeenSerials.insert(c->GetSerial()).second) return;
    const int kind = c->GetItem()->GetKind();
    if (IceCream::IsBasicKind(kind)) --mContainersOrdered;
    for (Job& job : mJobs) {
      if (job.serial == 0 && job.wish.GetKind() == kind) {
        job.serial = c->GetSerial();
        break;
      }
    }
  });
}

void FloorPlayer::TrackJobs(Board& board) {
  Conveyor& belt = *board.GetConveyor();
  std::erase_if(mJobs, [&](const Job& job) {
    if (job.serial == 0) return job.age > 6000;  // never came: ordered again when still wished for
    ConveyorContainer* c = belt.FindContainerBySerial(job.serial);
    if (!c) return true;
    // A wrong scoop or topping spoils it: it goes to the trash at the end.
    const IceCream& item = *c->GetItem();
    if (!IceCream::IsBasicKind(item.GetKind())) return false;
    int wanted[6] = {};
    for (int i = 0; i < job.wish.GetScoopCount(); ++i) ++wanted[job.wish.GetFlavor(i) - kItemVanilla];
    for (int i = 0; i < item.GetScoopCount(); ++i)
      if (--wanted[item.GetFlavor(i) - kItemVanilla] < 0) return true;
    return item.GetTopping() != 0 && item.GetTopping() != job.wish.GetTopping();
  });
}

int FloorPlayer::NextAddition(Board& board, const Job& job) const {
  ConveyorContainer* c = board.GetConveyor()->FindContainerBySerial(job.serial);
  if (!c || !IceCream::IsBasicKind(job.wish.GetKind())) return 0;
  const IceCream& item = *c->GetItem();
  int have[6] = {};
  for (int i = 0; i < item.GetScoopCount(); ++i) ++have[item.GetFlavor(i) - kItemVanilla];
  for (int i = 0; i < job.wish.GetScoopCount(); ++i) {
    const int flavor = job.wish.GetFlavor(i);
    if (have[flavor - kItemVanilla]-- <= 0) return flavor;
  }
  if (job.wish.GetTopping() != 0 && item.GetTopping() == 0) return job.wish.GetTopping();
  if (job.decoration > 0 && item.GetDecoration() == 0 && DecorationStock(board, job.decoration) > 0 &&
      Usable(DecorationStation(board, job.decoration)))
    return job.decoration;
  return 0;
}

bool FloorPlayer::OrderContainer(Board& board) {
  int open = 0;
  for (const Job& job : mJobs)
    if (job.serial == 0 || NextAddition(board, job) != 0) ++open;
  if (open >= mOptions.openJobs) return false;
  for (const IceCream& wish : UnservedWishes(board)) {
    const int kind = wish.GetKind();
    if (IceCream::IsBasicKind(kind)) {
      if (!PressButton(board, HolderMachine(board, kind), false)) continue;
    } else {
      // A special is her errand: she fetches it from the freezer and puts
      // it on the belt herself.
      if (!mPemiPlan.empty() || !board.GetGirl()->IsIdle()) continue;
      if (!PressButton(board, Freezer(board, kind), false)) continue;
    }
    mJobs.push_back(Job{wish});
    return true;
  }
  return false;
}

void FloorPlayer::PlanPemi(Board& board) {
  Girl& pemi = *board.GetGirl();
  const int carry = pemi.GetCarryCode();
  const int machine = board.GetIceCreamMachineState();
  auto button = [](AlphaButton* b, bool right = false) { return Click{Target::kButton, b, right}; };
  auto belt = [](int serial) { return Click{Target::kBelt, nullptr, false, serial}; };

  if (carry == kItemIceCreamBox) {
    const IceCreamBox& held = pemi.GetCarriedBox();
    const int slot = held.mFlavor - kItemVanilla;
    if (held.mPortions >= board.GetIceCreamBatchSize() && slot >= 0 && slot < 6) {
      mPemiPlan.push_back(button(board.mIceCreamBoxButtons[slot].get()));
    } else if (machine == 0 || machine == 3) {
      mPemiPlan.push_back(button(board.GetMachineButton()));
      ++mRefills;
    }
    return;
  }
  if (machine == 3) {
    mPemiPlan.push_back(button(board.GetMachineButton()));
    return;
  }

  // The ice cream nearest the end of the belt first.
  std::vector<Job*> riding;
  for (Job& job : mJobs)
    if (job.serial) riding.push_back(&job);
  Conveyor& conveyor = *board.GetConveyor();
  std::sort(riding.begin(), riding.end(), [&](const Job* a, const Job* b) {
    return conveyor.FindContainerBySerial(a->serial)->GetX() > conveyor.FindContainerBySerial(b->serial)->GetX();
  });
  for (Job* job : riding) {
    int next = NextAddition(board, *job);
    if (next == 0 && mOptions.decorations && job->decoration == 0 && IceCream::IsBasicKind(job->wish.GetKind())) {
      // Done as wished: the decoration that pays best, while there is one.
      job->decoration = -1;
      for (int d : {kItemSparkler, kItemUmbrella, kItemCocktailStick, kItemStraw}) {
        if (DecorationStock(board, d) > 0 && Usable(DecorationStation(board, d))) {
          job->decoration = d;
          break;
        }
      }
      next = NextAddition(board, *job);
    }
    if (next == 0) continue;
    if (carry == next) {
      mPemiPlan.push_back(belt(job->serial));
      return;
    }
    if (next >= kItemVanilla && next <= kItemLastScoop) {
      const int slot = next - kItemVanilla;
      const IceCreamBox& box = board.mIceCreamBoxes[slot];
      AlphaButton* boxButton = board.mIceCreamBoxButtons[slot].get();
      if (box.mFlavor == next && box.mPortions > 0) {
        mPemiPlan.push_back(button(boxButton));
        mPemiPlan.push_back(belt(job->serial));
        return;
      }
      if (box.mFlavor == next && machine == 0) {
        mPemiPlan.push_back(button(boxButton));  // an empty box is lifted for the machine
        return;
      }
      continue;  // the box is being refilled
    }
    AlphaButton* station = IceCream::IsToppingItem(next) ? ToppingStation(board, next) : DecorationStation(board, next);
    if (!Usable(station)) continue;
    mPemiPlan.push_back(button(station));
    mPemiPlan.push_back(belt(job->serial));
    return;
  }

  // Nothing to add: an empty box goes to the machine before it is needed.
  if (machine == 0) {
    for (int slot = 0; slot < 6; ++slot) {
      const IceCreamBox& box = board.mIceCreamBoxes[slot];
      if (box.mFlavor != 0 && box.mPortions == 0 && Usable(board.mIceCreamBoxButtons[slot].get())) {
        mPemiPlan.push_back(button(board.mIceCreamBoxButtons[slot].get()));
        return;
      }
    }
  }

  // Everything on the belt is ready: speed it to Rudav.
  if (!mOptions.fastForward || conveyor.GetContainers().IsEmpty() || conveyor.IsFastForward()) return;
  bool ready = true;
  for (const Job& job : mJobs)
    if (job.serial && NextAddition(board, job) != 0) ready = false;
  ConveyorContainer* last = conveyor.GetLastAdded();
  if (ready && last && !last->IsStoppedAtEnd() && Usable(board.mFastForwardButton.get())) {
    mPemiPlan.push_back(button(board.mFastForwardButton.get()));
    ++mFastForwards;
  }
}

void FloorPlayer::PlanVurez(Board& board) {
  Monkey& vurez = *board.GetMonkey();
  const int carry = vurez.GetCarryKind();
  std::vector<Customer*> guests = Customers(board);
  std::vector<Table*> tables;
  ForEach<Table>(board.GetTables(), [&](Table* t) { tables.push_back(t); });
  auto button = [](AlphaButton* b) { return Click{Target::kButton, b}; };
  auto table = [](Table* t) { return Click{Target::kTable, nullptr, false, 0, t}; };
  AlphaButton* trash = board.GetTrashStationButton();

  // The tables where someone waits for one of these ice creams.
  auto tablesWanting = [&](const std::vector<IceCream>& items) {
    std::vector<Table*> found;
    for (Customer* c : guests) {
      if (!ShowsWish(c)) continue;
      const bool wants = std::any_of(items.begin(), items.end(), [&](const IceCream& i) { return c->MatchesOrder(&i); });
      if (wants && std::find(found.begin(), found.end(), c->GetTable()) == found.end()) found.push_back(c->GetTable());
    }
    return found;
  };
  auto napkinTable = [&]() -> Table* {
    for (Customer* c : guests)
      if (c->WantsNapkin()) return c->GetTable();
    return nullptr;
  };
  auto dirtyTables = [&] {
    std::vector<Table*> dirty;
    for (Table* t : tables)
      if (t->CountItems() > 0) dirty.push_back(t);
    return dirty;
  };

  switch (carry) {
    case Monkey::kCarryTray: {
      std::vector<Table*> to = tablesWanting(Items(*vurez.GetCarriedItems()));
      for (Table* t : to) mVurezPlan.push_back(table(t));
      if (to.empty()) mVurezPlan.push_back(button(trash));
      return;
    }
    case Monkey::kCarryDishes:
      for (Table* t : dirtyTables()) mVurezPlan.push_back(table(t));
      mVurezPlan.push_back(button(trash));
      return;
    case Monkey::kCarryNapkin:
      if (Table* t = napkinTable())
        mVurezPlan.push_back(table(t));
      else
        mVurezPlan.push_back(button(trash));
      return;
    case Monkey::kCarryNothing:
      break;
    default:
      mVurezPlan.push_back(button(trash));
      return;
  }

  std::vector<IceCream> coming = Items(*board.GetCounter());
  const ServingMonkey& rudav = *board.GetServingMonkey();
  if (BringsToCounter(rudav)) coming.push_back(rudav.GetItem());
  std::vector<Table*> to = tablesWanting(coming);
  if (!to.empty()) {
    mVurezPlan.push_back(button(board.mDishButton.get()));
    for (Table* t : to) mVurezPlan.push_back(table(t));
    return;
  }
  if (Table* t = napkinTable()) {
    mVurezPlan.push_back(button(board.mNapkinsButton.get()));
    mVurezPlan.push_back(table(t));
    return;
  }
  std::vector<Table*> dirty = dirtyTables();
  if (!dirty.empty()) {
    for (Table* t : dirty) mVurezPlan.push_back(table(t));
    mVurezPlan.push_back(button(trash));
    return;
  }
  // What nobody waits for only takes room on the counter.
  if (!board.GetCounter()->IsEmpty()) {
    mVurezPlan.push_back(button(board.mDishButton.get()));
    mVurezPlan.push_back(button(trash));
  }
}

// --------------------------------------------------------------- report

std::string FloorPlayer::Describe(Board& board) const {
  std::ostringstream out;
  out << "day " << board.GetDay() + 1 << " second " << board.mSeconds << " money " << board.mMoney << " goal "
      << board.mGoal << " expert " << board.mExpertGoal;
  if (board.mArrivalSchedule) out << (board.mArrivalSchedule->IsOver() ? " (schedule over)" : " (schedule running)");
  out << " paused " << board.mPauseDepth << "\n";
  if (Tutorial* lesson = board.GetTutorial())
    out << "lesson " << lesson->GetId() << " step " << lesson->GetCurrentStep() << " of type "
        << lesson->GetStepType() << " event " << lesson->GetStepEvent() << "\n";
  out << "queued lessons " << board.mQueuedTutorials.GetCount() << ", balloon " << (board.GetBalloon() ? "shown" : "none")
      << ", uncle " << (board.mUncle->IsIdle() ? "idle" : "visiting") << "\n";
  for (Customer* c : Customers(board))
    out << "customer kind " << c->GetKindCode() << " state " << c->GetState() << " wish " << Text(c->GetOrder())
        << " napkin " << c->WantsNapkin() << " mood " << c->GetMood() << "\n";
  out << "belt:";
  ForEach<ConveyorContainer>(board.GetConveyor()->GetContainers(), [&](ConveyorContainer* c) {
    out << " #" << c->GetSerial() << "@" << static_cast<int>(c->GetX()) << Text(*c->GetItem());
  });
  out << " pending " << board.GetConveyor()->GetPendingCount() << "\ncounter:";
  for (const IceCream& item : Items(*board.GetCounter())) out << " " << Text(item);
  const Girl& pemi = *board.GetGirl();
  out << "\nPemi carries " << pemi.GetCarryCode() << ", errands " << pemi.GetActionCount() << " front kind "
      << pemi.FrontActionKind() << (pemi.IsRunning() ? " running" : "") << "\n";
  if (const Monkey* vurez = board.GetMonkey()) {
    out << "Vurez carries " << vurez->GetCarryKind() << ", tasks " << vurez->GetTaskCount()
        << (vurez->IsRunning() ? " running" : "") << " of kinds";
    for (int i = 0; i < vurez->GetTaskCount(); ++i) out << " " << vurez->GetTask(i)->GetKind();
    out << "\n";
  }
  out << "Rudav state " << board.GetServingMonkey()->GetState() << "; machine " << board.GetIceCreamMachineState()
      << "; boxes:";
  for (const IceCreamBox& box : board.mIceCreamBoxes) out << " " << box.mFlavor << "x" << box.mPortions;
  out << "\njobs:";
  for (const Job& job : mJobs) out << " " << Text(job.wish) << "#" << job.serial;
  out << "\ntables with dishes:";
  ForEach<Table>(board.GetTables(), [&](Table* t) { out << " " << t->CountItems(); });
  out << "\nclicks " << mClicks << "\n";
  return out.str();
}

}  // namespace Plix::Demos
