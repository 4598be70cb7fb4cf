#include "game/app/ObjectList.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "game/app/ZObject.h"

namespace Plix {
namespace {

int gItems[8];
void* P(int i) { return &gItems[i]; }

std::vector<void*> Items(const ObjectList& list) {
  std::vector<void*> out;
  ObjectListIterator it;
  if (list.IsEmpty()) return out;
  it.Begin(list);
  do out.push_back(it.Get());
  while (it.Next());
  return out;
}

ObjectList* Make(const std::vector<int>& items) {
  auto* list = new ObjectList;
  for (int i : items) list->PushBack(P(i));
  return list;
}

struct ListCase {
  const char* name;
  std::vector<int> before;
  std::function<bool(ObjectList&)> op;
  bool result;
  std::vector<int> after;
};

class ObjectListOps : public ::testing::TestWithParam<ListCase> {};

TEST_P(ObjectListOps, ResultAndContents) {
  const ListCase& c = GetParam();
  std::unique_ptr<ObjectList> list(Make(c.before));
  EXPECT_EQ(c.op(*list), c.result);
  std::vector<void*> want;
  for (int i : c.after) want.push_back(P(i));
  EXPECT_EQ(Items(*list), want);
  EXPECT_EQ(list->GetCount(), static_cast<int>(want.size()));
  EXPECT_EQ(list->IsEmpty(), want.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Table, ObjectListOps,
    ::testing::Values(
        ListCase{"PushFront", {1, 2}, [](ObjectList& l) { l.PushFront(P(3)); return true; }, true, {3, 1, 2}},
        ListCase{"InsertAfterMiddle", {1, 2, 3}, [](ObjectList& l) { return l.InsertAfter(P(5), P(2)); }, true, {1, 2, 5, 3}},
        ListCase{"InsertAfterLastAppends", {1, 2}, [](ObjectList& l) { return l.InsertAfter(P(5), P(2)); }, true, {1, 2, 5}},
        ListCase{"InsertBeforeHead", {1, 2}, [](ObjectList& l) { return l.InsertBefore(P(5), P(1)); }, true, {5, 1, 2}},
        ListCase{"InsertBeforeMiddle", {1, 2, 3}, [](ObjectList& l) { return l.InsertBefore(P(5), P(3)); }, true, {1, 2, 5, 3}},
        ListCase{"InsertBeforeFirstOfTwins", {1, 2, 1}, [](ObjectList& l) { return l.InsertBefore(P(5), P(1)); }, true, {5, 1, 2, 1}},
        ListCase{"InsertAfterEmpty", {}, [](ObjectList& l) { return l.InsertAfter(P(5), P(1)); }, false, {}},
        ListCase{"InsertBeforeEmpty", {}, [](ObjectList& l) { return l.InsertBefore(P(5), P(1)); }, false, {}},
        ListCase{"InsertAfterNullItem", {1}, [](ObjectList& l) { return l.InsertAfter(nullptr, P(1)); }, false, {1}},
        ListCase{"InsertBeforeNullReference", {1}, [](ObjectList& l) { return l.InsertBefore(P(5), nullptr); }, false, {1}},
        ListCase{"InsertAfterMissing", {1, 2}, [](ObjectList& l) { return l.InsertAfter(P(5), P(7)); }, false, {1, 2}},
        ListCase{"InsertBeforeMissing", {1, 2}, [](ObjectList& l) { return l.InsertBefore(P(5), P(7)); }, false, {1, 2}},
        ListCase{"RemoveFirstTwinOnly", {1, 2, 1}, [](ObjectList& l) { return l.Remove(P(1)); }, true, {2, 1}},
        ListCase{"RemoveLast", {1, 2, 3}, [](ObjectList& l) { return l.Remove(P(3)); }, true, {1, 2}},
        ListCase{"RemoveMissing", {1, 2}, [](ObjectList& l) { return l.Remove(P(4)); }, false, {1, 2}},
        ListCase{"RemoveEmpty", {}, [](ObjectList& l) { return l.Remove(P(4)); }, false, {}},
        ListCase{"RemoveAtMinusOne", {1, 2}, [](ObjectList& l) { return l.RemoveAt(-1); }, false, {1, 2}},
        ListCase{"RemoveAtCount", {1, 2}, [](ObjectList& l) { return l.RemoveAt(2); }, false, {1, 2}},
        ListCase{"RemoveAtLast", {1, 2, 3}, [](ObjectList& l) { return l.RemoveAt(2); }, true, {1, 2}},
        ListCase{"RemoveAtOnlyNode", {1}, [](ObjectList& l) { return l.RemoveAt(0); }, true, {}},
        ListCase{"ClearKeepsNothing", {1, 2, 3}, [](ObjectList& l) { l.Clear(); return true; }, true, {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ObjectList, PushBackStoresNullAndTwins) {
  ObjectList l;
  l.PushBack(nullptr);
  l.PushBack(P(1));
  l.PushBack(P(1));
  EXPECT_EQ(l.GetCount(), 3);
  EXPECT_EQ(l.GetAt(0), nullptr);
  EXPECT_EQ(l.GetAt(2), P(1));
}

TEST(ObjectList, GetAtBelowZeroGivesFirst) {
  std::unique_ptr<ObjectList> l(Make({1, 2, 3}));
  EXPECT_EQ(l->GetAt(-4), P(1));
  EXPECT_EQ(l->GetAt(0), P(1));
  EXPECT_EQ(l->GetAt(1), P(2));
  EXPECT_EQ(l->GetAt(2), P(3));
}

TEST(ObjectList, IndexOfCountsFromTheHeadToTheFirstMatch) {
  std::unique_ptr<ObjectList> l(Make({4, 2, 5, 2}));
  const struct {
    int item;
    int index;
  } cases[] = {{4, 0}, {2, 1}, {5, 2}, {6, -1}};
  for (const auto& c : cases) {
    EXPECT_EQ(l->IndexOf(P(c.item)), c.index) << c.item;
    EXPECT_EQ(l->Contains(P(c.item)), c.index != -1) << c.item;
  }
  ObjectList empty;
  EXPECT_EQ(empty.IndexOf(P(1)), -1);
  EXPECT_FALSE(empty.Contains(nullptr));
}

TEST(ObjectList, PopFront) {
  ObjectList l;
  void* out = P(7);
  EXPECT_FALSE(l.PopFront(out));
  EXPECT_EQ(out, P(7));  // untouched
  l.PushBack(P(1));
  l.PushBack(P(2));
  EXPECT_TRUE(l.PopFront(out));
  EXPECT_EQ(out, P(1));
  EXPECT_TRUE(l.PopFront(out));
  EXPECT_EQ(out, P(2));
  EXPECT_TRUE(l.IsEmpty());
  EXPECT_FALSE(l.PopFront(out));
}

TEST(ObjectList, NeverDeletesItems) {
  // Under AddressSanitizer a list that freed its items would fail here.
  auto* owned = new int(5);
  {
    ObjectList l;
    l.PushBack(owned);
    l.PushBack(owned);
    l.Remove(owned);
    l.Clear();
    l.PushFront(owned);
  }
  EXPECT_EQ(*owned, 5);
  delete owned;
}

TEST(ObjectListIterator, EmptyAndSingle) {
  ObjectList empty;
  ObjectListIterator it;
  EXPECT_TRUE(it.AtEnd());
  EXPECT_FALSE(it.Next());  // a fresh iterator
  it.Begin(empty);
  EXPECT_FALSE(it.Next());
  EXPECT_EQ(it.GetIndex(), 0);

  ObjectList one;
  one.PushBack(P(1));
  it.Begin(one);
  EXPECT_EQ(it.Get(), P(1));
  EXPECT_FALSE(it.Next());
  EXPECT_TRUE(it.AtEnd());
  EXPECT_EQ(it.GetIndex(), 1);
  EXPECT_FALSE(it.Next());  // stays over
  EXPECT_EQ(it.GetIndex(), 1);
}

TEST(ObjectListIterator, RewindGoesToWhereBeginStarted) {
  std::unique_ptr<ObjectList> l(Make({1, 2, 3}));
  ObjectListIterator it;
  it.Begin(*l);
  it.Next();
  it.Next();
  EXPECT_EQ(it.GetIndex(), 2);
  l->PushFront(P(0));
  it.Rewind();
  EXPECT_EQ(it.GetIndex(), 0);
  EXPECT_EQ(it.Get(), P(1));  // not the new head
}

TEST(ObjectListIterator, RemovingWhileWalkingRestartsTheWalk) {
  // The pattern owners use: remove an item, then Begin again.
  std::unique_ptr<ObjectList> l(Make({1, 2, 3, 2, 4}));
  ObjectListIterator it;
  bool again = true;
  while (again) {
    again = false;
    if (l->IsEmpty()) break;
    it.Begin(*l);
    do {
      if (it.Get() == P(2) || it.Get() == P(4)) {
        l->Remove(it.Get());
        again = true;
        break;
      }
    } while (it.Next());
  }
  EXPECT_EQ(Items(*l), (std::vector<void*>{P(1), P(3)}));
}

TEST(PointList, PushFrontAndWalk) {
  PointList pts;
  EXPECT_TRUE(pts.IsEmpty());
  pts.PushFront(3, 30);
  pts.PushFront(2, 20);
  pts.PushFront(1.5f, 10);
  EXPECT_EQ(pts.GetCount(), 3);
  ObjectListIterator it;
  it.Begin(pts);
  std::vector<std::pair<float, float>> seen;
  do {
    float x, y;
    it.GetPoint(x, y);
    seen.push_back({x, y});
  } while (it.NextPoint());
  EXPECT_EQ(seen, (std::vector<std::pair<float, float>>{{1.5f, 10}, {2, 20}, {3, 30}}));
  pts.Clear();
  EXPECT_TRUE(pts.IsEmpty());
  EXPECT_EQ(pts.GetCount(), 0);
}

class Stand : public ZObject {
public:
  Stand(int base, int tag) : mBase(base), mTag(tag) {}
  int GetBaseY() override { return mBase; }
  int mBase;
  int mTag;
};

TEST(ZObject, BaseVersionsDoNothing) {
  ZObject z;
  EXPECT_EQ(z.GetBaseY(), 0);
  z.Update();
}

TEST(ZObject, DrawListOrderedByBaseLineStable) {
  std::vector<std::unique_ptr<Stand>> objects;
  ObjectList list;
  // base line, tag: equal lines keep the order in which they were added.
  int spec[][2] = {{300, 1}, {100, 2}, {300, 3}, {200, 4}, {100, 5}, {400, 6}, {0, 7}, {300, 8}};
  for (auto& s : spec) {
    objects.push_back(std::make_unique<Stand>(s[0], s[1]));
    InsertByBaseY(list, objects.back().get());
  }
  std::vector<int> tags;
  for (void* p : Items(list)) tags.push_back(static_cast<Stand*>(p)->mTag);
  EXPECT_EQ(tags, (std::vector<int>{7, 2, 5, 4, 1, 3, 8, 6}));
}

}  // namespace
}  // namespace Plix
