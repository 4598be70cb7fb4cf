#include <gtest/gtest.h>

#include <memory>

#include "framework/widget/WidgetHost.h"
#include "tests/widget/RecordingWidget.h"

namespace Plix {
namespace {

using Testing::EventLog;
using Testing::RecordingWidget;

std::string Order(WidgetContainer& node) {
  std::string out;
  for (Widget* w : node.mWidgets) out += static_cast<RecordingWidget*>(w)->mName;
  return out;
}

void ClearDirty(WidgetContainer& node) {
  node.mDirty = false;
  for (Widget* w : node.mWidgets) ClearDirty(*w);
}

class WidgetTreeTest : public ::testing::Test {
protected:
  RecordingWidget* Make(const char* name, int x, int y, int w, int h) {
    mOwned.push_back(std::make_unique<RecordingWidget>(&mLog, name, x, y, w, h));
    return mOwned.back().get();
  }

  FakeWidgetHost mHost;
  ScopedWidgetHost mScopedHost{&mHost};
  EventLog mLog;
  WidgetManager mManager;
  std::vector<std::unique_ptr<RecordingWidget>> mOwned;
};

TEST_F(WidgetTreeTest, AddingInsertsByZOrderNewestInFront) {
  RecordingWidget* top = Make("T", 0, 0, 1, 1);
  top->mZOrder = 1;
  mManager.AddWidget(top);
  mManager.AddWidget(Make("A", 0, 0, 1, 1));
  mManager.AddWidget(Make("B", 0, 0, 1, 1));
  mManager.AddWidget(Make("C", 0, 0, 1, 1));
  EXPECT_EQ(Order(mManager), "ABCT");
  ClearDirty(mManager);
  mManager.AddWidget(mOwned[1].get());  // already a child: nothing
  EXPECT_EQ(Order(mManager), "ABCT");
  EXPECT_FALSE(mManager.mDirty);
  EXPECT_EQ(mOwned[1]->mParent, &mManager);
  EXPECT_EQ(mOwned[1]->mWidgetManager, &mManager);
}

TEST_F(WidgetTreeTest, ReorderingKeepsZOrder) {
  RecordingWidget *a = Make("A", 0, 0, 1, 1), *b = Make("B", 0, 0, 1, 1), *c = Make("C", 0, 0, 1, 1);
  RecordingWidget* top = Make("T", 0, 0, 1, 1);
  top->mZOrder = 1;
  for (Widget* w : {static_cast<Widget*>(a), static_cast<Widget*>(b), static_cast<Widget*>(c), static_cast<Widget*>(top)})
    mManager.AddWidget(w);
  mManager.SendToBack(c);
  EXPECT_EQ(Order(mManager), "CABT");
  mManager.BringToFront(a);
  EXPECT_EQ(Order(mManager), "CBAT");
  mManager.PlaceBehind(a, c);
  EXPECT_EQ(Order(mManager), "ACBT");
  mManager.PlaceInFront(a, c);
  EXPECT_EQ(Order(mManager), "CABT");
  mManager.BringToFront(top);
  mManager.SendToBack(top);  // cannot go behind lower z-orders
  EXPECT_EQ(Order(mManager), "CABT");
  mManager.PlaceInFront(c, top);
  EXPECT_EQ(Order(mManager), "ABCT");
}

TEST_F(WidgetTreeTest, IsBehindWalksDepthFirst) {
  RecordingWidget *a = Make("A", 0, 0, 1, 1), *a1 = Make("a", 0, 0, 1, 1), *b = Make("B", 0, 0, 1, 1);
  mManager.AddWidget(a);
  a->AddWidget(a1);
  mManager.AddWidget(b);
  EXPECT_TRUE(mManager.IsBehind(a1, b));
  EXPECT_FALSE(mManager.IsBehind(b, a1));
  EXPECT_TRUE(mManager.IsBehind(a, a1));
  EXPECT_FALSE(mManager.IsBehind(Make("X", 0, 0, 1, 1), Make("Y", 0, 0, 1, 1)));
}

class DirtyTest : public WidgetTreeTest {
protected:
  void SetUp() override {
    Testing::SizeManager(mManager);
    mBack = Make("K", 0, 0, 800, 600);
    mMid = Make("M", 100, 100, 200, 200);
    mFront = Make("F", 150, 150, 100, 100);
    mFar = Make("R", 500, 500, 50, 50);
    for (Widget* w : {static_cast<Widget*>(mBack), static_cast<Widget*>(mMid), static_cast<Widget*>(mFront),
                      static_cast<Widget*>(mFar)})
      mManager.AddWidget(w);
    ClearDirty(mManager);
  }

  std::string Dirty() {
    std::string out;
    for (Widget* w : mManager.mWidgets)
      if (w->mDirty) out += static_cast<RecordingWidget*>(w)->mName;
    return out;
  }

  RecordingWidget *mBack, *mMid, *mFront, *mFar;
};

TEST_F(DirtyTest, MarkingAlsoMarksWhatLiesInFront) {
  mMid->MarkDirty();
  EXPECT_EQ(Dirty(), "MF");
  EXPECT_TRUE(mManager.mDirty);
}

TEST_F(DirtyTest, HidingMarksWhatLiesBehindUpToAnOpaqueCover) {
  mFront->SetVisible(false);
  EXPECT_EQ(Dirty(), "MF");  // the opaque middle widget covers it: the back stays
}

TEST_F(DirtyTest, HidingInFrontOfATranslucentWidgetReachesFurther) {
  mMid->mTranslucent = true;
  mFront->SetVisible(false);
  EXPECT_EQ(Dirty(), "KMFR");  // the back covers the far widget too
}

TEST_F(DirtyTest, ShowingMarksOnlyItselfAndWhatLiesInFront) {
  mFront->SetVisible(false);
  ClearDirty(mManager);
  mFront->SetVisible(true);
  EXPECT_EQ(Dirty(), "F");
  ClearDirty(mManager);
  mMid->SetVisible(false);
  ClearDirty(mManager);
  mMid->SetVisible(true);
  EXPECT_EQ(Dirty(), "MF");
}

TEST_F(DirtyTest, NestedMarksReachTheTopLevelAncestorWithoutOverlapRules) {
  RecordingWidget* child = Make("c", 10, 10, 50, 50);
  RecordingWidget* sibling = Make("s", 20, 20, 50, 50);
  RecordingWidget* grandchild = Make("g", 5, 5, 10, 10);
  mMid->AddWidget(child);
  mMid->AddWidget(sibling);
  child->AddWidget(grandchild);
  ClearDirty(mManager);
  grandchild->MarkDirty();
  EXPECT_TRUE(grandchild->mDirty);
  EXPECT_TRUE(child->mDirty);
  EXPECT_FALSE(sibling->mDirty);  // overlaps, but below the root
  EXPECT_EQ(Dirty(), "MF");
}

TEST_F(DirtyTest, MarkAllDirtyMarksEveryNode) {
  RecordingWidget* child = Make("c", 10, 10, 50, 50);
  mFar->AddWidget(child);
  ClearDirty(mManager);
  mManager.MarkAllDirty();
  EXPECT_EQ(Dirty(), "KMFR");
  EXPECT_TRUE(child->mDirty);
  EXPECT_TRUE(mManager.mDirty);
}

TEST_F(DirtyTest, ResizeWithoutChangeMarksNothing) {
  mMid->Resize(100, 100, 200, 200);
  EXPECT_EQ(Dirty(), "");
  mMid->Move(120, 100);
  EXPECT_EQ(Dirty(), "KMFR");  // the back covers the far widget too
}

class UpdatePassTest : public WidgetTreeTest {
protected:
  void SetUp() override {
    mA = Make("A", 0, 0, 10, 10);
    mB = Make("B", 0, 0, 10, 10);
    mC = Make("C", 0, 0, 10, 10);
    mManager.AddWidget(mA);
    mManager.AddWidget(mB);
    mManager.AddWidget(mC);
    mLog.clear();
  }
  RecordingWidget *mA, *mB, *mC;
};

TEST_F(UpdatePassTest, EveryWidgetUpdatesOncePerTickHiddenOrNot) {
  mB->SetVisible(false);
  mManager.UpdateTick();
  mManager.UpdateTick();
  EXPECT_EQ(mLog, (EventLog{"A.update", "B.update", "C.update", "A.update", "B.update", "C.update"}));
  EXPECT_EQ(mManager.mUpdateCnt, 2);
}

TEST_F(UpdatePassTest, RemovingASiblingDuringThePassSkipsNobodyElse) {
  mA->mOnUpdate = [&] { mManager.RemoveWidget(mB); };
  mManager.UpdateTick();
  EXPECT_EQ(mLog, (EventLog{"A.update", "C.update"}));
}

TEST_F(UpdatePassTest, RemovingItselfDuringThePassSkipsNobodyElse) {
  mB->mOnUpdate = [&] { mManager.RemoveWidget(mB); };
  mManager.UpdateTick();
  EXPECT_EQ(mLog, (EventLog{"A.update", "B.update", "C.update"}));
}

TEST_F(UpdatePassTest, AWidgetAddedDuringThePassIsUpdatedOnce) {
  RecordingWidget* d = Make("D", 0, 0, 10, 10);
  mA->mOnUpdate = [&] {
    mManager.AddWidget(d);
    mA->mOnUpdate = nullptr;
  };
  mManager.UpdateTick();
  EXPECT_EQ(mLog, (EventLog{"A.update", "B.update", "C.update", "D.update"}));
}

TEST_F(UpdatePassTest, AWidgetMovedForwardDuringThePassIsNotUpdatedTwice) {
  mB->mOnUpdate = [&] { mManager.BringToFront(mA); };
  mManager.UpdateTick();
  EXPECT_EQ(mLog, (EventLog{"A.update", "B.update", "C.update"}));
  mLog.clear();
  mB->mOnUpdate = [&] { mManager.BringToFront(mB); };
  mManager.UpdateTick();
  EXPECT_EQ(mLog, (EventLog{"B.update", "C.update", "A.update"}));
}

TEST_F(UpdatePassTest, ModifiersBelowTheModalBaseApply) {
  // Widgets behind B lose the update flag; B and those in front keep it.
  mManager.PushModalBaseWithModifiers(mB, FlagsMod{0, FlagUpdate});
  mManager.UpdateTick();
  EXPECT_EQ(mLog, (EventLog{"B.update", "C.update"}));
  mManager.PopModalBase(mB);
}

TEST_F(UpdatePassTest, MarkDirtyEachUpdateFlag) {
  mB->mWidgetFlagsMod.mAddFlags = FlagMarkDirtyEachUpdate;
  ClearDirty(mManager);
  EXPECT_TRUE(mManager.UpdateTick());
  EXPECT_TRUE(mB->mDirty);
  EXPECT_FALSE(mA->mDirty);
  mC->mWidgetFlagsMod.mRemoveFlags = FlagUpdate;
  mLog.clear();
  mManager.UpdateTick();
  EXPECT_EQ(mLog, (EventLog{"A.update", "B.update"}));
}

TEST_F(UpdatePassTest, NotInAManagedTreeNothingUpdates) {
  RecordingWidget lone(&mLog, "L", 0, 0, 1, 1);
  ModalFlags flags{0x3D, 0x3D, true};
  lone.UpdateTree(&flags);
  EXPECT_TRUE(mLog.empty());
}

TEST(WidgetLayout, FlagsApplyInRisingBitOrder) {
  struct Case {
    int32_t flags, leftPad, topPad;
    Rect expected;
  };
  // Reference (10, 20, 100, 50); the widget starts at (1, 2, 30, 40).
  const Case cases[] = {
      {0x1 | 0x2, 0, 0, Rect(1, 2, 100, 50)},
      {0x4 | 0x8, 7, 7, Rect(1, 2, 30, 40)},
      {0x10 | 0x20, 7, 9, Rect(7, 9, 30, 40)},
      {0x40 | 0x80, 0, 0, Rect(1, 2, 0, 0)},
      {0x100, 0, -1, Rect(1, -21, 30, 40)},
      {0x200, 0, 3, Rect(1, 73, 30, 40)},
      {0x400, 5, 0, Rect(115, 2, 30, 40)},
      {0x400 | 0x10000, 5, 0, Rect(115, 2, -5, 40)},
      {0x800, 0, 0, Rect(-20, 2, 30, 40)},
      {0x1000 | 0x4000, 2, 3, Rect(12, 23, 30, 40)},
      {0x2000 | 0x8000, 0, 0, Rect(80, 30, 30, 40)},
      {0x20000 | 0x40000, 0, 0, Rect(1, 2, 9, 18)},
      {0x80000, 0, 0, Rect(1, 2, 30, 68)},
      {0x100000 | 0x200000, 0, 0, Rect(45, 25, 30, 40)},
      {0x100000 | 0x200000 | 0x400000, 1, 1, Rect(46, 26, 30, 40)},
  };
  for (const Case& c : cases) {
    Widget parent, reference, widget;
    parent.Resize(0, 0, 300, 200);
    reference.Resize(10, 20, 100, 50);
    widget.Resize(1, 2, 30, 40);
    parent.AddWidget(&widget);
    widget.Layout(&reference, &widget, c.flags, c.leftPad, c.topPad);
    EXPECT_EQ(widget.GetRect(), c.expected) << std::hex << c.flags;
    parent.RemoveWidget(&widget);
  }
}

TEST(WidgetLayout, CentredInTheParentAndMarksOnlyOnChange) {
  WidgetManager manager;
  Widget parent, widget;
  parent.Resize(50, 60, 300, 200);
  widget.Resize(0, 0, 100, 50);
  manager.AddWidget(&parent);
  parent.AddWidget(&widget);
  widget.Layout(&parent, &widget, 0x100000 | 0x200000, 0, 0);
  EXPECT_EQ(widget.GetRect(), Rect(100, 75, 100, 50));
  ClearDirty(manager);
  widget.Layout(&parent, &widget, 0x4 | 0x8, 0, 0);
  EXPECT_FALSE(widget.mDirty);
  EXPECT_FALSE(parent.mDirty);
  manager.RemoveWidget(&parent);
}

TEST(WidgetColors, TableGrowsAndDefaultsToBlack) {
  Widget w;
  EXPECT_EQ(w.GetColor(3), Color(0, 0, 0, 255));
  EXPECT_EQ(w.GetColorOrDefault(3, Color(1, 2, 3, 4)), Color(1, 2, 3, 4));
  w.SetColor(5, Color(9, 9, 9, 9));
  EXPECT_EQ(w.mColors.size(), 6u);
  EXPECT_EQ(w.mColors[0], Color());
  EXPECT_EQ(w.GetColor(5), Color(9, 9, 9, 9));
  const int32_t rows[][3] = {{1, 2, 3}, {4, 5, 6}};
  w.SetColorTableRGB(rows, 2);
  EXPECT_EQ(w.mColors.size(), 2u);
  EXPECT_EQ(w.GetColor(1), Color(4, 5, 6, 255));
  const int32_t rgba[][4] = {{1, 2, 3, 4}};
  w.SetColorTableRGBA(rgba, 1);
  EXPECT_EQ(w.GetColor(0), Color(1, 2, 3, 4));
}

TEST(WidgetHelpers, CountDigits) {
  Widget w;
  const std::pair<int, int> cases[] = {{0, 1}, {9, 1}, {10, 2}, {99, 2}, {100, 3}, {2147483647, 10}, {-5, 1}};
  for (auto [n, digits] : cases) EXPECT_EQ(w.CountDigits(n), digits) << n;
}

TEST(WidgetLifetime, DeletingAWidgetInATreeLeavesIt) {
  EventLog log;
  WidgetManager manager;
  Testing::SizeManager(manager);
  auto widget = std::make_unique<RecordingWidget>(&log, "W", 0, 0, 10, 10);
  manager.AddWidget(widget.get());
  manager.SetFocus(widget.get());
  manager.MouseDown(1, 1, 1);
  widget.reset();
  EXPECT_TRUE(manager.mWidgets.empty());
  EXPECT_EQ(manager.mFocusWidget, nullptr);
  EXPECT_EQ(manager.mLastDownWidget, nullptr);
  EXPECT_EQ(manager.mOverWidget, nullptr);
  manager.MouseUp(1, 1, 1);
}

}  // namespace
}  // namespace Plix
