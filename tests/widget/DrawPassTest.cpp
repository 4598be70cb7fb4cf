#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "framework/graphics/Graphics.h"
#include "framework/graphics/MemoryImage.h"
#include "framework/widget/WidgetHost.h"
#include "tests/widget/RecordingWidget.h"

namespace Plix {
namespace {

using Testing::EventLog;

// Logs its draws with the graphics' translation and clip.
class DrawingWidget : public Testing::RecordingWidget {
public:
  using RecordingWidget::RecordingWidget;
  std::function<void()> mOnDraw;
  bool mQueueOverlay = false;

  void Draw(Graphics* g) override {
    const Rect& clip = g->GetClipRect();
    Log("draw", static_cast<int>(g->mTransX), static_cast<int>(g->mTransY), clip.mX, clip.mY, clip.mWidth,
        clip.mHeight);
    if (mQueueOverlay) QueueOverlay();
    if (mOnDraw) mOnDraw();
  }
  void DrawOverlay(Graphics* g) override {
    Log("overlay", static_cast<int>(g->mTransX), static_cast<int>(g->mTransY));
  }
};

class DrawPassTest : public ::testing::Test {
protected:
  void SetUp() override {
    mScreen.Create(800, 600);
    Testing::SizeManager(mManager);
    mManager.mImage = &mScreen;
  }

  DrawingWidget* Make(const char* name, int x, int y, int w, int h) {
    mOwned.push_back(std::make_unique<DrawingWidget>(&mLog, name, x, y, w, h));
    return mOwned.back().get();
  }

  void ClearDirty() {
    std::function<void(WidgetContainer&)> clear = [&](WidgetContainer& node) {
      node.mDirty = false;
      for (Widget* w : node.mWidgets) clear(*w);
    };
    clear(mManager);
  }

  FakeWidgetHost mHost;
  ScopedWidgetHost mScopedHost{&mHost};
  MemoryImage mScreen;
  EventLog mLog;
  WidgetManager mManager;
  std::vector<std::unique_ptr<DrawingWidget>> mOwned;
};

TEST_F(DrawPassTest, NothingDirtyDrawsNothing) {
  mManager.AddWidget(Make("A", 0, 0, 10, 10));
  ClearDirty();
  EXPECT_FALSE(mManager.DrawDirtyWidgets());
  EXPECT_TRUE(mLog.empty());
  EXPECT_EQ(mManager.mCurG, nullptr);
}

TEST_F(DrawPassTest, DirtyChildrenAreDrawnWholeInTheirOwnCoordinates) {
  DrawingWidget* a = Make("A", 10, 20, 100, 100);
  DrawingWidget* child = Make("c", 5, 6, 200, 10);  // wider than its parent: clipped to it
  DrawingWidget* b = Make("B", 400, 400, 50, 50);
  mManager.AddWidget(a);
  a->AddWidget(child);
  mManager.AddWidget(b);
  ClearDirty();
  child->MarkDirty();
  EXPECT_TRUE(mManager.DrawDirtyWidgets());
  EXPECT_EQ(mLog, (EventLog{"A.draw 10 20 10 20 100 100", "c.draw 15 26 15 26 95 10"}));
  EXPECT_FALSE(a->mDirty);
  EXPECT_FALSE(child->mDirty);
  mLog.clear();
  EXPECT_FALSE(mManager.DrawDirtyWidgets());
}

TEST_F(DrawPassTest, HiddenAndClippingOffWidgets) {
  DrawingWidget* a = Make("A", 10, 20, 100, 100);
  DrawingWidget* b = Make("B", 30, 30, 10, 10);
  mManager.AddWidget(a);
  mManager.AddWidget(b);
  a->mClip = false;
  b->SetVisible(false);
  mManager.MarkAllDirty();
  mManager.DrawDirtyWidgets();
  EXPECT_EQ(mLog, (EventLog{"A.draw 10 20 0 0 800 600"}));
}

TEST_F(DrawPassTest, AWidgetRemovedDuringTheDrawIsNotDrawn) {
  DrawingWidget* a = Make("A", 0, 0, 10, 10);
  DrawingWidget* b = Make("B", 20, 0, 10, 10);
  DrawingWidget* c = Make("C", 40, 0, 10, 10);
  for (Widget* w : {static_cast<Widget*>(a), static_cast<Widget*>(b), static_cast<Widget*>(c)}) mManager.AddWidget(w);
  a->mOnDraw = [&] { mManager.RemoveWidget(b); };
  mManager.MarkAllDirty();
  mManager.DrawDirtyWidgets();
  EXPECT_EQ(mLog, (EventLog{"A.draw 0 0 0 0 10 10", "C.draw 40 0 40 0 10 10"}));
}

TEST_F(DrawPassTest, AWidgetAddedDuringTheDrawIsDrawnInTheSamePass) {
  DrawingWidget* a = Make("A", 0, 0, 10, 10);
  DrawingWidget* d = Make("D", 20, 0, 10, 10);
  mManager.AddWidget(a);
  a->mOnDraw = [&] {
    mManager.AddWidget(d);
    a->mOnDraw = nullptr;
  };
  mManager.MarkAllDirty();
  mManager.DrawDirtyWidgets();
  EXPECT_EQ(mLog, (EventLog{"A.draw 0 0 0 0 10 10", "D.draw 20 0 20 0 10 10"}));
}

TEST_F(DrawPassTest, OverlaysAreDrawnAfterTheTreeInQueueOrder) {
  DrawingWidget* a = Make("A", 0, 0, 10, 10);
  DrawingWidget* b = Make("B", 20, 0, 10, 10);
  DrawingWidget* c = Make("C", 40, 0, 10, 10);
  a->mQueueOverlay = true;
  b->mQueueOverlay = true;
  for (Widget* w : {static_cast<Widget*>(a), static_cast<Widget*>(b), static_cast<Widget*>(c)}) mManager.AddWidget(w);
  mManager.MarkAllDirty();
  mManager.DrawDirtyWidgets();
  EXPECT_EQ(mLog, (EventLog{"A.draw 0 0 0 0 10 10", "B.draw 20 0 20 0 10 10", "C.draw 40 0 40 0 10 10",
                            "A.overlay 0 0", "B.overlay 20 0"}));
  EXPECT_TRUE(mManager.mDeferredOverlayWidgets.empty());
  EXPECT_EQ(mManager.mMinDeferredOverlayPriority, 0x7FFFFFFF);
}

TEST_F(DrawPassTest, AHigherPriorityWidgetIsDrawnAfterTheOverlaysBelowIt) {
  DrawingWidget* a = Make("A", 0, 0, 10, 10);
  DrawingWidget* b = Make("B", 20, 0, 10, 10);
  DrawingWidget* c = Make("C", 40, 0, 10, 10);
  a->mQueueOverlay = true;
  b->mPriority = 1;  // a dialog's: not above the overlays' own priority
  c->mPriority = 2;
  for (Widget* w : {static_cast<Widget*>(a), static_cast<Widget*>(b), static_cast<Widget*>(c)}) mManager.AddWidget(w);
  mManager.MarkAllDirty();
  mManager.DrawDirtyWidgets();
  EXPECT_EQ(mLog, (EventLog{"A.draw 0 0 0 0 10 10", "B.draw 20 0 20 0 10 10", "A.overlay 0 0",
                            "C.draw 40 0 40 0 10 10"}));
}

TEST_F(DrawPassTest, OverlayOfAWidgetThatLeftIsDropped) {
  DrawingWidget* a = Make("A", 0, 0, 10, 10);
  DrawingWidget* b = Make("B", 20, 0, 10, 10);
  a->mQueueOverlay = true;
  b->mOnDraw = [&] { mManager.RemoveWidget(a); };
  mManager.AddWidget(a);
  mManager.AddWidget(b);
  mManager.MarkAllDirty();
  mManager.DrawDirtyWidgets();
  EXPECT_EQ(mLog, (EventLog{"A.draw 0 0 0 0 10 10", "B.draw 20 0 20 0 10 10"}));
}

TEST_F(DrawPassTest, ScreenOffsetInWidgetSpaceIsTakenOff) {
  // The picture sits at (16, 8) of widget space; drawing goes to the image's origin.
  mManager.Resize(Rect(16, 8, 800, 600), Rect(0, 0, 800, 600));
  DrawingWidget* a = Make("A", 16, 8, 10, 10);
  a->mQueueOverlay = true;
  mManager.AddWidget(a);
  mManager.DrawDirtyWidgets();
  EXPECT_EQ(mLog, (EventLog{"A.draw 0 0 0 0 10 10", "A.overlay 0 0"}));
}

}  // namespace
}  // namespace Plix
